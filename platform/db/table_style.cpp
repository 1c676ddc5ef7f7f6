// Table styles: style-wide values and the look of each row type's cells and grid lines.
#include "db/db_internal.h"
#include "db/dbtablestyle.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbTableStyle, ZcDbObject, 0, 0, 0, TABLESTYLE, AutoCAD)

namespace {

int Row_Index(ZcDb::RowType rowType)
{
    for (int i = 0; i < 3; ++i)
        if (ZcDbTableStyle::kRowOrder[i] == rowType) return i;
    return 0;
}

int Grid_Index(ZcDb::GridLineType gridLineType)
{
    for (int i = 0; i < 6; ++i)
        if (ZcDbTableStyle::kGridOrder[i] == gridLineType) return i;
    return 0;
}

}  // namespace

ZcDbTableStyle::ZcDbTableStyle()
{
    for (Row& r : mRows) {
        r.color.setByBlock();
        r.background.setColorIndex(7);
        for (Grid& g : r.grids) g.color.setByBlock();
    }
    mRows[0].alignment = ZcDb::kTopCenter;
    mRows[1].textHeight = 0.25;
}

const ZcDbTableStyle::Row& ZcDbTableStyle::row(ZcDb::RowType rowType) const { return mRows[Row_Index(rowType)]; }

template <class F>
Zcad::ErrorStatus ZcDbTableStyle::changeRows(int rowTypes, F f)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    for (int i = 0; i < 3; ++i)
        if (rowTypes & kRowOrder[i]) f(mRows[i]);
    return Zcad::eOk;
}

template <class F>
Zcad::ErrorStatus ZcDbTableStyle::changeGrids(int gridLineTypes, int rowTypes, F f)
{
    return changeRows(rowTypes, [&](Row& r) {
        for (int i = 0; i < 6; ++i)
            if (gridLineTypes & kGridOrder[i]) f(r.grids[i]);
    });
}

#define ZC_STYLE_SET(member, value)                             \
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite; \
    member = value;                                             \
    return Zcad::eOk

Zcad::ErrorStatus ZcDbTableStyle::setDescription(const wchar_t* d) { ZC_STYLE_SET(mDescription, d ? d : L""); }
Zcad::ErrorStatus ZcDbTableStyle::setBitFlags(uint32_t flags) { ZC_STYLE_SET(mFlags, flags); }
Zcad::ErrorStatus ZcDbTableStyle::setFlowDirection(ZcDb::FlowDirection d)
{
    if (d != ZcDb::kTtoB && d != ZcDb::kBtoT) return Zcad::eInvalidInput;
    ZC_STYLE_SET(mFlow, d);
}
Zcad::ErrorStatus ZcDbTableStyle::setHorzCellMargin(double m)
{
    if (!(m >= 0.0)) return Zcad::eInvalidInput;
    ZC_STYLE_SET(mHorzMargin, m);
}
Zcad::ErrorStatus ZcDbTableStyle::setVertCellMargin(double m)
{
    if (!(m >= 0.0)) return Zcad::eInvalidInput;
    ZC_STYLE_SET(mVertMargin, m);
}
Zcad::ErrorStatus ZcDbTableStyle::suppressTitleRow(bool s) { ZC_STYLE_SET(mTitleSuppressed, s); }
Zcad::ErrorStatus ZcDbTableStyle::suppressHeaderRow(bool s) { ZC_STYLE_SET(mHeaderSuppressed, s); }
#undef ZC_STYLE_SET

Zcad::ErrorStatus ZcDbTableStyle::setTextStyle(ZcDbObjectId id, int rowTypes)
{
    return changeRows(rowTypes, [&](Row& r) { r.textStyle = id; });
}
Zcad::ErrorStatus ZcDbTableStyle::setTextHeight(double height, int rowTypes)
{
    if (!(height > 0.0)) return Zcad::eInvalidInput;
    return changeRows(rowTypes, [&](Row& r) { r.textHeight = height; });
}
Zcad::ErrorStatus ZcDbTableStyle::setAlignment(ZcDb::CellAlignment alignment, int rowTypes)
{
    if (alignment < ZcDb::kTopLeft || alignment > ZcDb::kBottomRight) return Zcad::eInvalidInput;
    return changeRows(rowTypes, [&](Row& r) { r.alignment = alignment; });
}
Zcad::ErrorStatus ZcDbTableStyle::setColor(const ZcCmColor& color, int rowTypes)
{
    return changeRows(rowTypes, [&](Row& r) { r.color = color; });
}
Zcad::ErrorStatus ZcDbTableStyle::setBackgroundColor(const ZcCmColor& color, int rowTypes)
{
    return changeRows(rowTypes, [&](Row& r) { r.background = color; });
}
Zcad::ErrorStatus ZcDbTableStyle::setBackgroundColorNone(bool none, int rowTypes)
{
    return changeRows(rowTypes, [&](Row& r) { r.backgroundNone = none; });
}
Zcad::ErrorStatus ZcDbTableStyle::getDataType(ZcValue::DataType& type, ZcValue::UnitType& unit,
                                              ZcDb::RowType rowType) const
{
    type = row(rowType).dataType;
    unit = row(rowType).unitType;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbTableStyle::setDataType(ZcValue::DataType type, ZcValue::UnitType unit, int rowTypes)
{
    return changeRows(rowTypes, [&](Row& r) {
        r.dataType = type;
        r.unitType = unit;
    });
}
Zcad::ErrorStatus ZcDbTableStyle::setFormat(const wchar_t* format, int rowTypes)
{
    return changeRows(rowTypes, [&](Row& r) { r.format = format ? format : L""; });
}

ZcDb::LineWeight ZcDbTableStyle::gridLineWeight(ZcDb::GridLineType g, ZcDb::RowType rowType) const
{
    return row(rowType).grids[Grid_Index(g)].weight;
}
ZcCmColor ZcDbTableStyle::gridColor(ZcDb::GridLineType g, ZcDb::RowType rowType) const
{
    return row(rowType).grids[Grid_Index(g)].color;
}
ZcDb::Visibility ZcDbTableStyle::gridVisibility(ZcDb::GridLineType g, ZcDb::RowType rowType) const
{
    return row(rowType).grids[Grid_Index(g)].visibility;
}
Zcad::ErrorStatus ZcDbTableStyle::setGridLineWeight(ZcDb::LineWeight weight, int gridLineTypes, int rowTypes)
{
    return changeGrids(gridLineTypes, rowTypes, [&](Grid& g) { g.weight = weight; });
}
Zcad::ErrorStatus ZcDbTableStyle::setGridColor(const ZcCmColor& color, int gridLineTypes, int rowTypes)
{
    return changeGrids(gridLineTypes, rowTypes, [&](Grid& g) { g.color = color; });
}
Zcad::ErrorStatus ZcDbTableStyle::setGridVisibility(ZcDb::Visibility visible, int gridLineTypes, int rowTypes)
{
    return changeGrids(gridLineTypes, rowTypes, [&](Grid& g) { g.visibility = visible; });
}

Zcad::ErrorStatus ZcDbTableStyle::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbObject::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    int32_t value = 0;
    f->readString(mDescription);
    f->readUInt32(&mFlags);
    f->readInt32(&value);
    mFlow = ZcDb::FlowDirection(value);
    f->readDouble(&mHorzMargin);
    f->readDouble(&mVertMargin);
    f->readBool(&mTitleSuppressed);
    f->readBool(&mHeaderSuppressed);
    for (Row& r : mRows) {
        ZcDbHardPointerId style;
        f->readHardPointerId(&style);
        r.textStyle = style;
        f->readDouble(&r.textHeight);
        f->readInt32(&value);
        r.alignment = ZcDb::CellAlignment(value);
        platform::File_In_Color(f, r.color);
        platform::File_In_Color(f, r.background);
        f->readBool(&r.backgroundNone);
        f->readInt32(&value);
        r.dataType = ZcValue::DataType(value);
        f->readInt32(&value);
        r.unitType = ZcValue::UnitType(value);
        f->readString(r.format);
        for (Grid& g : r.grids) {
            f->readInt32(&value);
            g.weight = ZcDb::LineWeight(value);
            platform::File_In_Color(f, g.color);
            f->readInt32(&value);
            g.visibility = ZcDb::Visibility(value);
        }
    }
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbTableStyle::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbObject::dwgOutFields(f);
    f->writeString(mDescription.c_str());
    f->writeUInt32(mFlags);
    f->writeInt32(mFlow);
    f->writeDouble(mHorzMargin);
    f->writeDouble(mVertMargin);
    f->writeBool(mTitleSuppressed);
    f->writeBool(mHeaderSuppressed);
    for (const Row& r : mRows) {
        f->writeHardPointerId(r.textStyle);
        f->writeDouble(r.textHeight);
        f->writeInt32(r.alignment);
        platform::File_Out_Color(f, r.color);
        platform::File_Out_Color(f, r.background);
        f->writeBool(r.backgroundNone);
        f->writeInt32(r.dataType);
        f->writeInt32(r.unitType);
        f->writeString(r.format.c_str());
        for (const Grid& g : r.grids) {
            f->writeInt32(g.weight);
            platform::File_Out_Color(f, g.color);
            f->writeInt32(g.visibility);
        }
    }
    return f->filerStatus();
}
