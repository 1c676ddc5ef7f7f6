// Table styles: objects of the named-object dictionary's "ACAD_TABLESTYLE" dictionary.
// A style holds style-wide values and, for each of the data, title and header rows, the
// look of its cells and of their six grid lines.
#pragma once
#include <string>

#include "db/color.h"
#include "db/dbmain.h"

// Kinds of cell values and their units.
class ZcValue {
public:
    enum DataType {
        kUnknown = 0, kLong = 0x1, kDouble = 0x2, kString = 0x4, kDate = 0x8, kPoint = 0x10, k3dPoint = 0x20,
        kObjectId = 0x40, kBuffer = 0x80, kResbuf = 0x100, kGeneral = 0x200
    };
    enum UnitType { kUnitless = 0, kDistance = 0x1, kAngle = 0x2, kArea = 0x4, kVolume = 0x8 };
};

class ZcDbTableStyle : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbTableStyle);
    ZcDbTableStyle();

    // Row-dependent getters take one row type (an unknown one reads the data row); setters
    // take a set of row type bits and grid line bits. Setters need the style open for write.
    const wchar_t* description() const { return mDescription.c_str(); }
    Zcad::ErrorStatus setDescription(const wchar_t* description);
    uint32_t bitFlags() const { return mFlags; }
    Zcad::ErrorStatus setBitFlags(uint32_t flags);
    ZcDb::FlowDirection flowDirection() const { return mFlow; }
    Zcad::ErrorStatus setFlowDirection(ZcDb::FlowDirection direction);
    double horzCellMargin() const { return mHorzMargin; }
    Zcad::ErrorStatus setHorzCellMargin(double margin);
    double vertCellMargin() const { return mVertMargin; }
    Zcad::ErrorStatus setVertCellMargin(double margin);
    bool isTitleSuppressed() const { return mTitleSuppressed; }
    Zcad::ErrorStatus suppressTitleRow(bool suppress);
    bool isHeaderSuppressed() const { return mHeaderSuppressed; }
    Zcad::ErrorStatus suppressHeaderRow(bool suppress);

    ZcDbObjectId textStyle(ZcDb::RowType rowType = ZcDb::kDataRow) const { return row(rowType).textStyle; }
    Zcad::ErrorStatus setTextStyle(ZcDbObjectId id, int rowTypes = ZcDb::kAllRows);
    double textHeight(ZcDb::RowType rowType = ZcDb::kDataRow) const { return row(rowType).textHeight; }
    Zcad::ErrorStatus setTextHeight(double height, int rowTypes = ZcDb::kAllRows);
    ZcDb::CellAlignment alignment(ZcDb::RowType rowType = ZcDb::kDataRow) const { return row(rowType).alignment; }
    Zcad::ErrorStatus setAlignment(ZcDb::CellAlignment alignment, int rowTypes = ZcDb::kAllRows);
    ZcCmColor color(ZcDb::RowType rowType = ZcDb::kDataRow) const { return row(rowType).color; }
    Zcad::ErrorStatus setColor(const ZcCmColor& color, int rowTypes = ZcDb::kAllRows);
    ZcCmColor backgroundColor(ZcDb::RowType rowType = ZcDb::kDataRow) const { return row(rowType).background; }
    Zcad::ErrorStatus setBackgroundColor(const ZcCmColor& color, int rowTypes = ZcDb::kAllRows);
    bool isBackgroundColorNone(ZcDb::RowType rowType = ZcDb::kDataRow) const { return row(rowType).backgroundNone; }
    Zcad::ErrorStatus setBackgroundColorNone(bool none, int rowTypes = ZcDb::kAllRows);
    Zcad::ErrorStatus getDataType(ZcValue::DataType& type, ZcValue::UnitType& unit,
                                  ZcDb::RowType rowType = ZcDb::kDataRow) const;
    Zcad::ErrorStatus setDataType(ZcValue::DataType type, ZcValue::UnitType unit, int rowTypes = ZcDb::kAllRows);
    const wchar_t* format(ZcDb::RowType rowType = ZcDb::kDataRow) const { return row(rowType).format.c_str(); }
    Zcad::ErrorStatus setFormat(const wchar_t* format, int rowTypes = ZcDb::kAllRows);

    ZcDb::LineWeight gridLineWeight(ZcDb::GridLineType gridLineType, ZcDb::RowType rowType = ZcDb::kDataRow) const;
    Zcad::ErrorStatus setGridLineWeight(ZcDb::LineWeight weight, int gridLineTypes = ZcDb::kAllGridLineTypes,
                                        int rowTypes = ZcDb::kAllRows);
    ZcCmColor gridColor(ZcDb::GridLineType gridLineType, ZcDb::RowType rowType = ZcDb::kDataRow) const;
    Zcad::ErrorStatus setGridColor(const ZcCmColor& color, int gridLineTypes = ZcDb::kAllGridLineTypes,
                                   int rowTypes = ZcDb::kAllRows);
    ZcDb::Visibility gridVisibility(ZcDb::GridLineType gridLineType, ZcDb::RowType rowType = ZcDb::kDataRow) const;
    Zcad::ErrorStatus setGridVisibility(ZcDb::Visibility visible, int gridLineTypes = ZcDb::kAllGridLineTypes,
                                        int rowTypes = ZcDb::kAllRows);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

    // Row types in the order drawing files list them, and the six grid lines in theirs.
    static constexpr ZcDb::RowType kRowOrder[3] = {ZcDb::kDataRow, ZcDb::kTitleRow, ZcDb::kHeaderRow};
    static constexpr ZcDb::GridLineType kGridOrder[6] = {ZcDb::kHorzTop,  ZcDb::kHorzInside,  ZcDb::kHorzBottom,
                                                         ZcDb::kVertLeft, ZcDb::kVertInside, ZcDb::kVertRight};

private:
    struct Grid {
        ZcDb::LineWeight weight = ZcDb::kLnWtByBlock;
        ZcCmColor color;
        ZcDb::Visibility visibility = ZcDb::kVisible;
    };
    struct Row {
        ZcDbObjectId textStyle;
        double textHeight = 0.18;
        ZcDb::CellAlignment alignment = ZcDb::kMiddleCenter;
        ZcCmColor color;
        ZcCmColor background;
        bool backgroundNone = true;
        ZcValue::DataType dataType = ZcValue::kGeneral;
        ZcValue::UnitType unitType = ZcValue::kUnitless;
        std::wstring format;
        Grid grids[6];
    };
    const Row& row(ZcDb::RowType rowType) const;
    // Applies f to the rows of the bits; eNotOpenForWrite when the style is not writable.
    template <class F>
    Zcad::ErrorStatus changeRows(int rowTypes, F f);
    template <class F>
    Zcad::ErrorStatus changeGrids(int gridLineTypes, int rowTypes, F f);

    std::wstring mDescription;
    uint32_t mFlags = 0;
    ZcDb::FlowDirection mFlow = ZcDb::kTtoB;
    double mHorzMargin = 0.06;
    double mVertMargin = 0.06;
    bool mTitleSuppressed = false;
    bool mHeaderSuppressed = false;
    Row mRows[3];  // data, title, header
};
