// A drawing context that collects the extents of what an entity draws.
#pragma once
#include <vector>

#include "db/gi.h"

namespace platform {

class Extents_Draw : public ZcGiWorldDraw, public ZcGiWorldGeometry, public ZcGiSubEntityTraits {
public:
    const ZcDbExtents& extents() const { return mExtents; }
    bool any() const { return mAny; }
    // Nested entities are drawn into the context (exact under any transform and clip) rather
    // than taken by the corners of their own extents. Clip boundaries count either way.
    void setDrawNested(bool drawNested) { mDrawNested = drawNested; }

    ZcGiWorldGeometry& geometry() const override { return const_cast<Extents_Draw&>(*this); }
    ZcGiSubEntityTraits& subEntityTraits() const override { return const_cast<Extents_Draw&>(*this); }

    bool circle(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal) override;
    bool circularArc(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal,
                     const ZcGeVector3d& startVector, double sweepAngle, ZcGiArcType arcType) override;
    bool polyline(uint32_t nbPoints, const ZcGePoint3d* pts, const ZcGeVector3d*, intptr_t) override;
    bool polygon(uint32_t nbPoints, const ZcGePoint3d* pts) override;
    bool text(const ZcGePoint3d& position, const ZcGeVector3d& normal, const ZcGeVector3d& direction, double height,
              double width, double oblique, const wchar_t* pMsg) override;
    bool image(const ZcGiImage& img) override;
    bool draw(const ZcDbEntity* entity) override;
    bool pushModelTransform(const ZcGeMatrix3d& xMat) override;
    bool popModelTransform() override;
    bool pushClipBoundary(const ZcGiClipBoundary& boundary) override;
    bool popClipBoundary() override;

    void setColor(uint16_t) override {}
    void setTrueColor(const ZcCmEntityColor&) override {}
    void setLayer(const ZcDbObjectId) override {}
    void setLineType(const ZcDbObjectId) override {}
    void setLineWeight(ZcDb::LineWeight) override {}
    void setLineTypeScale(double) override {}
    void setFillType(ZcGiFillType) override {}
    uint16_t color() const override { return 256; }
    ZcCmEntityColor trueColor() const override { return ZcCmEntityColor(); }
    ZcDbObjectId layerId() const override { return ZcDbObjectId(); }
    ZcDbObjectId lineTypeId() const override { return ZcDbObjectId(); }
    ZcDb::LineWeight lineWeight() const override { return ZcDb::kLnWtByLayer; }
    ZcGiFillType fillType() const override { return kZcGiFillNever; }

private:
    struct Clip {
        std::vector<ZcGePoint3d> ring;  // world coordinates
        bool inverted = false;
    };
    void add(const ZcGePoint3d& p);
    // World points: an open run of segments, or the outline of an area (closed).
    void addRun(const std::vector<ZcGePoint3d>& world, bool area);
    bool passesClips(const ZcGePoint3d& p) const;
    ZcGeMatrix3d current() const { return mStack.empty() ? ZcGeMatrix3d() : mStack.back(); }
    ZcDbExtents mExtents;
    bool mAny = false;
    bool mDrawNested = false;
    int mNesting = 0;
    std::vector<ZcGeMatrix3d> mStack;
    std::vector<Clip> mClips;
};

}  // namespace platform
