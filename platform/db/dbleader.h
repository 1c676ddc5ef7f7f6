// ZcDbLeader: a path of straight segments or a spline through its vertices, with an arrowhead
// at the first vertex sized by its dimension style (DIMASZ times DIMSCALE, a DSTYLE override in
// its extended data first): the style's arrow block (DIMLDRBLK; none for "_NONE"), else the
// closed filled arrow.
#pragma once
#include <vector>

#include "db/dbentity.h"

class ZcDbLeader : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLeader);
    ZcDbLeader() = default;

    enum AnnoType { kMText = 0, kFcf = 1, kBlockRef = 2, kNoAnno = 3 };

    int numVertices() const { return int(mVertices.size()); }
    ZcGePoint3d vertexAt(int index) const;
    bool appendVertex(const ZcGePoint3d& point);
    Zcad::ErrorStatus setVertexAt(int index, const ZcGePoint3d& point);

    bool hasArrowHead() const { return mArrow; }
    void enableArrowHead();
    void disableArrowHead();
    bool isSplined() const { return mSplined; }
    void setToSplineLeader();
    void setToStraightLeader();
    ZcGeVector3d normal() const { return mNormal; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);
    ZcDbObjectId dimensionStyle() const { return mDimStyle; }
    void setDimensionStyle(const ZcDbObjectId& id);
    ZcDbObjectId annotationObjId() const { return mAnnotation; }
    Zcad::ErrorStatus attachAnnotation(const ZcDbObjectId& annoId);
    AnnoType annoType() const { return mAnnoType; }

    // The hook line: the leader ends with a segment along the horizontal direction (turned
    // round when hookPointsBack) up to its text of this width.
    struct Hook_Line {
        bool on = false;
        bool pointsBack = false;
        ZcGeVector3d horizontal{1.0, 0.0, 0.0};
        double textHeight = 0.0;
        double textWidth = 0.0;
    };
    const Hook_Line& hookLine() const { return mHook; }
    Zcad::ErrorStatus setHookLine(AnnoType annoType, const Hook_Line& hook);

    // The arrowhead's size and the gap before the text: the dimension style's values, the
    // leader's own overrides first, times the style's scale.
    double dimasz() const;
    double dimgap() const;

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;
    Zcad::ErrorStatus dxfOutFields(ZcDbDxfFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;

private:
    // The path's points: the vertices, then the hook line's end when it has one.
    std::vector<ZcGePoint3d> pathPoints() const;
    // The block DIMLDRBLK names (the override first); null for the closed filled arrow.
    ZcDbObjectId arrowBlock() const;
    // A dimension variable by its group code: the override, the style's value, else fallback.
    double dimensionValue(int code, double fallback) const;

    std::vector<ZcGePoint3d> mVertices;
    bool mArrow = true;
    bool mSplined = false;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
    ZcDbObjectId mDimStyle;
    ZcDbObjectId mAnnotation;
    AnnoType mAnnoType = kNoAnno;
    Hook_Line mHook;
};
