#include "plot/dwg_table_style.h"

#include "db/dbdict.h"
#include "db/dbtablestyle.h"

ZcDbObjectId Standard_Table_Style(ZcDbDatabase* db)
{
    ZcDbObjectId id;
    ZcDbObjectPointer<ZcDbDictionary> styles(db->tableStyleDictionaryId(), ZcDb::kForRead);
    if (styles.openStatus() == Zcad::eOk)
        styles->getAt(L"Standard", id);
    return id;
}

void Copy_Standard_Table_Style(ZcDbDatabase* target)
{
    ZcDbDatabase* source = zcdbHostApplicationServices()->workingDatabase();
    if (source == nullptr || target == nullptr || source == target)
        return;
    const ZcDbObjectId from_id = Standard_Table_Style(source), to_id = Standard_Table_Style(target);
    if (from_id.isNull() || to_id.isNull())
        return;
    ZcDbObjectPointer<ZcDbTableStyle> from(from_id, ZcDb::kForRead);
    ZcDbObjectPointer<ZcDbTableStyle> to(to_id, ZcDb::kForWrite);
    if (from.openStatus() != Zcad::eOk || to.openStatus() != Zcad::eOk)
        return;
    to->setDescription(from->description());
    to->setBitFlags(from->bitFlags());
    to->setFlowDirection(from->flowDirection());
    to->setHorzCellMargin(from->horzCellMargin());
    to->setVertCellMargin(from->vertCellMargin());
    to->suppressTitleRow(from->isTitleSuppressed());
    to->suppressHeaderRow(from->isHeaderSuppressed());

    const ZcDb::RowType data = ZcDb::kDataRow;
    to->setTextHeight(from->textHeight(data), ZcDb::kAllRows);
    to->setAlignment(from->alignment(data), ZcDb::kAllRows);
    to->setColor(from->color(data), ZcDb::kAllRows);
    to->setBackgroundColor(from->backgroundColor(data), ZcDb::kAllRows);
    to->setBackgroundColorNone(from->isBackgroundColorNone(data), ZcDb::kAllRows);
    ZcValue::DataType type = ZcValue::kGeneral;
    ZcValue::UnitType unit = ZcValue::kUnitless;
    from->getDataType(type, unit, data);
    to->setDataType(type, unit, ZcDb::kAllRows);
    to->setFormat(from->format(data), ZcDb::kAllRows);
    to->setGridLineWeight(from->gridLineWeight(ZcDb::kHorzTop, data), ZcDb::kAllGridLineTypes, ZcDb::kAllRows);
    to->setGridColor(from->gridColor(ZcDb::kHorzTop, data), ZcDb::kAllGridLineTypes, ZcDb::kAllRows);
    to->setGridVisibility(from->gridVisibility(ZcDb::kHorzTop, data), ZcDb::kAllGridLineTypes, ZcDb::kAllRows);
}
