// Table styles and dimension style records in memory: writes need the object open for write,
// bad values are refused, row and grid-line bits reach exactly their cells, copies keep
// every value (ids included), and a renamed dimension style is found under its new name.
#include <gtest/gtest.h>

#include <memory>

#include "db/dbdict.h"
#include "db/dbtablestyle.h"
#include "db_test_support.h"

namespace {

ZcDbObjectId Standard_Table_Style(ZcDbDatabase* db)
{
    ZcDbObjectId id;
    ZcDbObjectPointer<ZcDbDictionary> styles(db->tableStyleDictionaryId(), ZcDb::kForRead);
    if (styles.openStatus() == Zcad::eOk) styles->getAt(L"Standard", id);
    return id;
}

TEST(TableStyle, WritesNeedWriteAccessAndSoundValues)
{
    Test_Drawing d;
    const ZcDbObjectId id = Standard_Table_Style(d.db.get());
    {
        ZcDbObjectPointer<ZcDbTableStyle> style(id, ZcDb::kForRead);
        ASSERT_EQ(style.openStatus(), Zcad::eOk);
        EXPECT_EQ(style->setTextHeight(9.0), Zcad::eNotOpenForWrite);
        EXPECT_EQ(style->suppressTitleRow(true), Zcad::eNotOpenForWrite);
        EXPECT_EQ(style->textHeight(), 4.5);
        EXPECT_FALSE(style->isTitleSuppressed());
    }
    ZcDbObjectPointer<ZcDbTableStyle> style(id, ZcDb::kForWrite);
    ASSERT_EQ(style.openStatus(), Zcad::eOk);
    EXPECT_EQ(style->setTextHeight(0.0), Zcad::eInvalidInput);
    EXPECT_EQ(style->setHorzCellMargin(-1.0), Zcad::eInvalidInput);
    EXPECT_EQ(style->setAlignment(ZcDb::CellAlignment(0)), Zcad::eInvalidInput);
    EXPECT_EQ(style->setFlowDirection(ZcDb::FlowDirection(2)), Zcad::eInvalidInput);
    EXPECT_EQ(style->textHeight(), 4.5);
    EXPECT_EQ(style->horzCellMargin(), 1.5);
}

TEST(TableStyle, RowAndGridBitsReachExactlyTheirCells)
{
    ZcDbTableStyle style;
    ZcCmColor red;
    red.setColorIndex(1);
    ASSERT_EQ(style.setGridColor(red, ZcDb::kOuterGridLineTypes, ZcDb::kTitleRow | ZcDb::kHeaderRow), Zcad::eOk);
    ASSERT_EQ(style.setTextHeight(7.0, ZcDb::kHeaderRow), Zcad::eOk);
    for (ZcDb::RowType row : ZcDbTableStyle::kRowOrder) {
        EXPECT_EQ(style.textHeight(row), row == ZcDb::kHeaderRow ? 7.0 : row == ZcDb::kTitleRow ? 0.25 : 0.18) << row;
        for (ZcDb::GridLineType grid : ZcDbTableStyle::kGridOrder) {
            const bool outer = (grid & ZcDb::kOuterGridLineTypes) != 0;
            EXPECT_EQ(style.gridColor(grid, row).colorIndex(), outer && row != ZcDb::kDataRow ? 1 : 0)
                << row << " " << grid;
        }
    }
}

TEST(TableStyle, CopyKeepsEveryValue)
{
    Test_Drawing d;
    ZcDbObjectPointer<ZcDbTableStyle> style(Standard_Table_Style(d.db.get()), ZcDb::kForWrite);
    ASSERT_EQ(style.openStatus(), Zcad::eOk);
    ZcCmColor blue;
    blue.setColorIndex(5);
    style->setDescription(L"copied");
    style->setFlowDirection(ZcDb::kBtoT);
    style->suppressHeaderRow(true);
    style->setBackgroundColor(blue, ZcDb::kTitleRow);
    style->setBackgroundColorNone(false, ZcDb::kTitleRow);
    style->setDataType(ZcValue::kDate, ZcValue::kUnitless, ZcDb::kHeaderRow);
    style->setFormat(L"%dd", ZcDb::kHeaderRow);
    style->setGridVisibility(ZcDb::kInvisible, ZcDb::kVertRight, ZcDb::kDataRow);
    style->setGridLineWeight(ZcDb::kLnWt025, ZcDb::kHorzBottom, ZcDb::kTitleRow);
    std::unique_ptr<ZcDbTableStyle> copy(ZcDbTableStyle::cast(style->clone()));
    ASSERT_TRUE(copy);
    EXPECT_EQ(std::wstring(copy->description()), L"copied");
    EXPECT_EQ(copy->flowDirection(), ZcDb::kBtoT);
    EXPECT_TRUE(copy->isHeaderSuppressed());
    EXPECT_EQ(copy->textStyle(ZcDb::kTitleRow), d.db->textstyle());
    EXPECT_EQ(copy->backgroundColor(ZcDb::kTitleRow).colorIndex(), 5);
    EXPECT_FALSE(copy->isBackgroundColorNone(ZcDb::kTitleRow));
    EXPECT_TRUE(copy->isBackgroundColorNone(ZcDb::kDataRow));
    ZcValue::DataType type = ZcValue::kUnknown;
    ZcValue::UnitType unit = ZcValue::kArea;
    copy->getDataType(type, unit, ZcDb::kHeaderRow);
    EXPECT_EQ(type, ZcValue::kDate);
    EXPECT_EQ(std::wstring(copy->format(ZcDb::kHeaderRow)), L"%dd");
    EXPECT_EQ(copy->gridVisibility(ZcDb::kVertRight, ZcDb::kDataRow), ZcDb::kInvisible);
    EXPECT_EQ(copy->gridVisibility(ZcDb::kVertLeft, ZcDb::kDataRow), ZcDb::kVisible);
    EXPECT_EQ(copy->gridLineWeight(ZcDb::kHorzBottom, ZcDb::kTitleRow), ZcDb::kLnWt025);
}

TEST(DimStyle, RenamedRecordIsFoundUnderItsNewNameWithItsGroups)
{
    Test_Drawing d;
    ZcDbDimStyleTable* table = nullptr;
    ASSERT_EQ(d.db->getDimStyleTable(table, ZcDb::kForRead), Zcad::eOk);
    ZcDbObjectId id;
    ASSERT_EQ(table->getAt(L"standard", id), Zcad::eOk);
    table->close();
    {
        ZcDbObjectPointer<ZcDbDimStyleTableRecord> style(id, ZcDb::kForWrite);
        ASSERT_EQ(style.openStatus(), Zcad::eOk);
        ASSERT_EQ(style->setKeptGroups({{140, "3.5", {}}, {340, "", d.db->textstyle()}}), Zcad::eOk);
        ASSERT_EQ(style->setName(L"KV1"), Zcad::eOk);
    }
    ASSERT_EQ(d.db->getDimStyleTable(table, ZcDb::kForRead), Zcad::eOk);
    EXPECT_FALSE(table->has(L"Standard"));
    ZcDbObjectId renamed;
    EXPECT_EQ(table->getAt(L"KV1", renamed), Zcad::eOk);
    table->close();
    EXPECT_EQ(renamed, id);
    ZcDbObjectPointer<ZcDbDimStyleTableRecord> style(id, ZcDb::kForRead);
    std::unique_ptr<ZcDbDimStyleTableRecord> copy(ZcDbDimStyleTableRecord::cast(style->clone()));
    ASSERT_TRUE(copy);
    ASSERT_EQ(copy->keptGroups().size(), 2u);
    EXPECT_EQ(copy->keptGroups()[0].value, "3.5");
    EXPECT_EQ(copy->keptGroups()[1].id, d.db->textstyle());
}

}  // namespace
