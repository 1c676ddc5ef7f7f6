#include "db/gi_recorder.h"

#include <algorithm>
#include <cmath>

#include "db/dbentity.h"
#include "db/geom_util.h"

namespace platform {

class GiRecorder::Traits : public ZcGiSubEntityTraits {
public:
    void setColor(uint16_t colorIndex) override { mColor.setColorIndex(int16_t(colorIndex)); }
    void setTrueColor(const ZcCmEntityColor& color) override { mColor = color; }
    void setLayer(const ZcDbObjectId layerId) override { mLayer = layerId; }
    void setLineType(const ZcDbObjectId linetypeId) override { mLinetype = linetypeId; }
    void setLineWeight(ZcDb::LineWeight lineWeight) override { mLineWeight = lineWeight; }
    void setLineTypeScale(double scale) override { mLinetypeScale = scale; }
    void setFillType(ZcGiFillType fillType) override { mFill = fillType; }
    uint16_t color() const override { return uint16_t(mColor.colorIndex()); }
    ZcCmEntityColor trueColor() const override { return mColor; }
    ZcDbObjectId layerId() const override { return mLayer; }
    ZcDbObjectId lineTypeId() const override { return mLinetype; }
    ZcDb::LineWeight lineWeight() const override { return mLineWeight; }
    ZcGiFillType fillType() const override { return mFill; }

    ZcCmEntityColor mColor;
    ZcDbObjectId mLayer;
    ZcDbObjectId mLinetype;
    ZcDb::LineWeight mLineWeight = ZcDb::kLnWtByLayer;
    double mLinetypeScale = 1.0;
    ZcGiFillType mFill = kZcGiFillNever;
};

class GiRecorder::Geometry : public ZcGiWorldGeometry {
public:
    explicit Geometry(GiRecorder& owner) : mOwner(owner) {}

    ZcGeMatrix3d current() const { return mStack.empty() ? ZcGeMatrix3d() : mStack.back(); }
    int depth() const { return int(mStack.size()); }

    bool circle(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal) override
    {
        ZcGeVector3d x, y;
        Plane_Axes(normal, x, y);
        Gi_Record& r = arcRecord(Gi_Record::kCircle, center, radius, normal, x, kTwoPi);
        r.startVector = ZcGeVector3d();
        r.sweepAngle = 0.0;
        return false;
    }

    bool circularArc(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal,
                     const ZcGeVector3d& startVector, double sweepAngle, ZcGiArcType arcType) override
    {
        arcRecord(Gi_Record::kArc, center, radius, normal, startVector, sweepAngle).arcType = arcType;
        return false;
    }

    bool polyline(uint32_t nbPoints, const ZcGePoint3d* pts, const ZcGeVector3d*, intptr_t) override
    {
        Gi_Record& r = mOwner.add(Gi_Record::kPolyline);
        for (uint32_t i = 0; i < nbPoints; ++i) r.points.push_back(r.transform * pts[i]);
        return false;
    }

    bool polygon(uint32_t nbPoints, const ZcGePoint3d* pts) override
    {
        Gi_Record& r = mOwner.add(Gi_Record::kPolygon);
        for (uint32_t i = 0; i < nbPoints; ++i) r.points.push_back(r.transform * pts[i]);
        return false;
    }

    bool polyPolygon(uint32_t numLoops, const uint32_t* numVertices, const ZcGePoint3d* vertices) override
    {
        Gi_Record& r = mOwner.add(Gi_Record::kPolyPolygon);
        for (uint32_t i = 0; i < numLoops; ++i) {
            r.loopSizes.push_back(numVertices[i]);
            for (uint32_t k = 0; k < numVertices[i]; ++k) r.points.push_back(r.transform * *vertices++);
        }
        return false;
    }

    bool text(const ZcGePoint3d& position, const ZcGeVector3d& normal, const ZcGeVector3d& direction, double height,
              double width, double oblique, const wchar_t* pMsg) override
    {
        Gi_Record& r = mOwner.add(Gi_Record::kText);
        r.position = position;
        r.normal = normal;
        r.direction = direction;
        r.height = height;
        r.widthFactor = width;
        r.oblique = oblique;
        r.text = pMsg ? pMsg : L"";
        ZcGeVector3d dir = direction.normal();
        ZcGeVector3d up = normal.normal().crossProduct(dir).normal();
        ZcGePoint3d corners[4];
        Text_Line_Corners(position, dir, up, height, width, oblique, r.text, corners);
        for (int k : {0, 1, 3, 2}) r.points.push_back(r.transform * corners[k]);
        return false;
    }

    bool image(const ZcGiImage& img) override
    {
        Gi_Record& r = mOwner.add(Gi_Record::kImage);
        r.image = img;
        for (const ZcGePoint3d& p : {img.origin, img.origin + img.u, img.origin + img.u + img.v, img.origin + img.v})
            r.points.push_back(r.transform * p);
        return false;
    }

    bool pushClipBoundary(const ZcGiClipBoundary& boundary) override
    {
        Gi_Record& r = mOwner.add(Gi_Record::kPushClip);
        r.inverted = boundary.inverted;
        for (const ZcGePoint3d& p : boundary.points) r.points.push_back(r.transform * p);
        ++mOwner.mClipDepth;
        return false;
    }

    bool popClipBoundary() override
    {
        mOwner.add(Gi_Record::kPopClip);
        if (mOwner.mClipDepth > 0) --mOwner.mClipDepth;
        return false;
    }

    bool draw(const ZcDbEntity* entity) override
    {
        if (entity == nullptr || mOwner.mDepth >= kMaxDepth) return false;
        Traits saved = *mOwner.mTraits;
        const ZcDbEntity* outer = mOwner.mEntity;
        ++mOwner.mDepth;
        mOwner.mEntity = entity;
        const_cast<ZcDbEntity*>(entity)->worldDraw(&mOwner);
        mOwner.mEntity = outer;
        --mOwner.mDepth;
        *mOwner.mTraits = saved;
        return false;
    }

    bool pushModelTransform(const ZcGeMatrix3d& xMat) override
    {
        mStack.push_back(current() * xMat);
        return false;
    }

    bool popModelTransform() override
    {
        if (!mStack.empty()) mStack.pop_back();
        return false;
    }

private:
    Gi_Record& arcRecord(Gi_Record::Kind kind, const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal,
                         const ZcGeVector3d& startVector, double sweepAngle)
    {
        Gi_Record& r = mOwner.add(kind);
        r.center = center;
        r.radius = radius;
        r.normal = normal;
        r.startVector = startVector;
        r.sweepAngle = sweepAngle;
        ZcGeVector3d n = normal.normal();
        ZcGeVector3d u = startVector.normal() * radius;
        ZcGeVector3d v = n.crossProduct(startVector.normal()) * radius;
        int count = std::max(1, int(std::ceil(std::abs(sweepAngle) / kTwoPi * 64.0)));
        for (const ZcGePoint3d& p : Sample_Ellipse_Arc(center, u, v, 0.0, sweepAngle, count))
            r.points.push_back(r.transform * p);
        return r;
    }

    GiRecorder& mOwner;
    std::vector<ZcGeMatrix3d> mStack;
};

GiRecorder::GiRecorder() : mGeometry(new Geometry(*this)), mTraits(new Traits) {}

GiRecorder::~GiRecorder()
{
    delete mGeometry;
    delete mTraits;
}

ZcGiWorldGeometry& GiRecorder::geometry() const { return *mGeometry; }
ZcGiSubEntityTraits& GiRecorder::subEntityTraits() const { return *mTraits; }
int GiRecorder::transformDepth() const { return mGeometry->depth(); }

bool GiRecorder::run(ZcDbEntity* entity)
{
    if (entity == nullptr) return false;
    const ZcDbEntity* outer = mEntity;
    mEntity = entity;
    bool result = entity->worldDraw(this);
    mEntity = outer;
    return result;
}

Gi_Record& GiRecorder::add(Gi_Record::Kind kind)
{
    Gi_Record r;
    r.kind = kind;
    r.transform = mGeometry->current();
    r.colorIndex = mTraits->color();
    r.color = mTraits->mColor;
    r.layerId = mTraits->mLayer;
    r.linetypeId = mTraits->mLinetype;
    r.lineWeight = mTraits->mLineWeight;
    r.fillType = mTraits->mFill;
    r.depth = mDepth;
    r.entity = mEntity;
    mRecords.push_back(std::move(r));
    return mRecords.back();
}

std::vector<Gi_Record> GiRecorder::ofKind(Gi_Record::Kind kind) const
{
    std::vector<Gi_Record> out;
    for (const Gi_Record& r : mRecords)
        if (r.kind == kind) out.push_back(r);
    return out;
}

ZcDbExtents GiRecorder::extents() const
{
    ZcDbExtents e;
    for (const Gi_Record& r : mRecords) {
        if (r.kind == Gi_Record::kPushClip || r.kind == Gi_Record::kPopClip) continue;
        for (const ZcGePoint3d& p : r.points) e.addPoint(p);
    }
    return e;
}

}  // namespace platform
