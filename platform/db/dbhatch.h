// ZcDbHatch: an area filled solid or with a pattern, bounded by loops. A hatch read from a
// drawing keeps its DXF data (boundary edges, pattern lines, seed points) to be written back
// as it was; its loops are also kept as polylines (arcs as bulges, curves sampled) for its
// extents and drawing. Changing the loops drops the kept data.
#pragma once
#include <string>
#include <vector>

#include "db/dbentity.h"
#include "db/dbproxy.h"
#include "db/hatch_pattern.h"

class ZcDbHatch : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbHatch);
    ZcDbHatch() = default;

    enum HatchPatternType { kUserDefined = 0, kPreDefined = 1, kCustomDefined = 2 };
    enum HatchLoopType { kDefault = 0, kExternal = 1, kPolyline = 2, kDerived = 4, kTextbox = 8, kOutermost = 0x10 };

    const wchar_t* patternName() const { return mPatternName.c_str(); }
    HatchPatternType patternType() const { return mPatternType; }
    Zcad::ErrorStatus setPattern(HatchPatternType patType, const wchar_t* patName);
    bool isSolidFill() const { return mSolid; }
    double patternAngle() const { return mPatternAngle; }
    Zcad::ErrorStatus setPatternAngle(double angle);
    double patternScale() const { return mPatternScale; }
    Zcad::ErrorStatus setPatternScale(double scale);
    bool associative() const { return mAssociative; }
    Zcad::ErrorStatus setAssociative(bool isAssociative);
    double elevation() const { return mElevation; }
    Zcad::ErrorStatus setElevation(double elevation);
    ZcGeVector3d normal() const { return mNormal; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);

    // Loops in the hatch's plane (2D): vertices with a bulge per vertex.
    int numLoops() const { return int(mLoops.size()); }
    Zcad::ErrorStatus getLoopAt(int loopIndex, int& loopType, ZcGePoint2dArray& vertices, ZcGeDoubleArray& bulges) const;
    Zcad::ErrorStatus appendLoop(int loopType, const ZcGePoint2dArray& vertices, const ZcGeDoubleArray& bulges);
    Zcad::ErrorStatus removeLoopAt(int loopIndex);

    // Pattern line families, in the hatch's plane with angle and scale applied: the ones the
    // drawing file gave, else for a user-defined pattern one family of lines patternScale
    // apart at the pattern angle, else for a predefined one the host's definition of its name
    // ("acadiso.pat" in a metric drawing, else "acad.pat"), else the 45-degree lines
    // 3.175 x patternScale apart of the ANSI31 pattern turned by the pattern angle. None for a
    // solid fill.
    int numPatternDefinitions() const;
    Zcad::ErrorStatus getPatternDefinitionAt(int index, double& angle, double& baseX, double& baseY, double& offsetX,
                                             double& offsetY, ZcGeDoubleArray& dashes) const;

    // The hatch's own DXF groups as read (empty for a hatch made in the platform).
    const ZcDbPackedRawGroups& rawGroups() const { return mRaw; }
    void setRawGroups(ZcDbPackedRawGroups groups);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    // The box of its loops.
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;

private:
    std::vector<platform::Hatch_Pattern_Line> patternLines() const;
    // The loops as closed polygons in the hatch's plane (arcs divided).
    std::vector<std::vector<ZcGePoint2d>> flatLoops() const;
    struct Loop {
        int type = kDefault;
        std::vector<ZcGePoint2d> vertices;
        std::vector<double> bulges;
    };
    std::wstring mPatternName = L"SOLID";
    HatchPatternType mPatternType = kPreDefined;
    bool mSolid = true;
    double mPatternAngle = 0.0;
    double mPatternScale = 1.0;
    bool mAssociative = false;
    double mElevation = 0.0;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
    std::vector<Loop> mLoops;
    ZcDbPackedRawGroups mRaw;
};
