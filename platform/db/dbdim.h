// Dimensions. Their graphics are the entities of their anonymous block ("*D..."), which they
// draw and explode into; a dimension read from a drawing keeps its DXF data to be written back
// as it was. One class per dimension kind, as the host has them.
#pragma once
#include <string>
#include <vector>

#include "db/dbentity.h"
#include "db/dbproxy.h"

class ZcDbDimension : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbDimension);
    ZcDbDimension() = default;

    // The block holding the dimension's graphics.
    ZcDbObjectId dimBlockId() const { return mBlockId; }
    Zcad::ErrorStatus setDimBlockId(ZcDbObjectId blockId);
    ZcGePoint3d dimBlockPosition() const { return mBlockPosition; }
    Zcad::ErrorStatus setDimBlockPosition(const ZcGePoint3d& position);
    ZcGePoint3d textPosition() const { return mTextPosition; }
    Zcad::ErrorStatus setTextPosition(const ZcGePoint3d& position);
    // The text override ("" = the measurement, "<>" stands for it inside a text).
    const wchar_t* dimensionText() const { return mText.c_str(); }
    Zcad::ErrorStatus setDimensionText(const wchar_t* text);
    // The measured value as the drawing holds it.
    Zcad::ErrorStatus measurement(double& value) const;
    Zcad::ErrorStatus setMeasurement(double value);
    const wchar_t* dimensionStyleName() const { return mStyleName.c_str(); }
    Zcad::ErrorStatus setDimensionStyleName(const wchar_t* name);
    ZcGeVector3d normal() const { return mNormal; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);

    // The dimension's own DXF groups as read (empty for a dimension made in the platform).
    const std::vector<ZcDbRawGroup>& rawGroups() const { return mRaw; }
    void setRawGroups(std::vector<ZcDbRawGroup> groups);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    // Copies of the block's entities, placed as the dimension shows them.
    Zcad::ErrorStatus subExplode(ZcDbVoidPtrArray& entitySet) const override;

private:
    // Changes a value the kept DXF data also holds.
    void patchRaw(int16_t code, const std::string& value);

    ZcDbObjectId mBlockId;
    ZcGePoint3d mBlockPosition;
    ZcGePoint3d mTextPosition;
    std::wstring mText;
    double mMeasurement = 0.0;
    bool mHasMeasurement = false;
    std::wstring mStyleName = L"Standard";
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
    std::vector<ZcDbRawGroup> mRaw;
};

#define ZC_DIMENSION_KIND(CLASS)                 \
    class CLASS : public ZcDbDimension {         \
    public:                                      \
        ZCRX_DECLARE_MEMBERS(CLASS);             \
    };
ZC_DIMENSION_KIND(ZcDbRotatedDimension)
ZC_DIMENSION_KIND(ZcDbAlignedDimension)
ZC_DIMENSION_KIND(ZcDb2LineAngularDimension)
ZC_DIMENSION_KIND(ZcDbDiametricDimension)
ZC_DIMENSION_KIND(ZcDbRadialDimension)
ZC_DIMENSION_KIND(ZcDb3PointAngularDimension)
ZC_DIMENSION_KIND(ZcDbOrdinateDimension)
#undef ZC_DIMENSION_KIND
