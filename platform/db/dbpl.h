// ZcDbPolyline (LWPOLYLINE): 2D vertices in the plane of the normal, at the elevation, each with
// a bulge (tan of a quarter of the arc's included angle; positive = counter-clockwise) and widths.
#pragma once
#include <vector>

#include "db/dbcurve.h"
#include "db/object_pool.h"

class ZcDbPolyline : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbPolyline);
    ZcDbPolyline() = default;
    explicit ZcDbPolyline(unsigned int num) { mVertices.reserve(num); }

    unsigned int numVerts() const { return unsigned(mVertices.size()); }
    Zcad::ErrorStatus addVertexAt(unsigned int index, const ZcGePoint2d& pt, double bulge = 0.0,
                                  double startWidth = -1.0, double endWidth = -1.0, int32_t vertexIdentifier = 0);
    Zcad::ErrorStatus removeVertexAt(unsigned int index);
    void reset(bool reuse, unsigned int numVerts);
    // Point in plane coordinates, or in world coordinates.
    Zcad::ErrorStatus getPointAt(unsigned int index, ZcGePoint2d& pt) const;
    Zcad::ErrorStatus getPointAt(unsigned int index, ZcGePoint3d& pt) const;
    Zcad::ErrorStatus setPointAt(unsigned int index, const ZcGePoint2d& pt);
    Zcad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    Zcad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
    Zcad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
    Zcad::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);
    // eInvalidInput when the widths differ between vertices.
    Zcad::ErrorStatus getConstantWidth(double& width) const;
    Zcad::ErrorStatus setConstantWidth(double width);
    bool hasWidth() const;
    // Segments between vertices: one less than the vertices, as many when closed.
    unsigned int numSegments() const;
    bool hasBulges() const;
    bool isOnlyLines() const { return !hasBulges(); }
    bool isClosed() const override { return mClosed; }
    void setClosed(bool closed);
    double elevation() const { return mElevation; }
    void setElevation(double elev);
    ZcGeVector3d normal() const { return mNormal; }
    void setNormal(const ZcGeVector3d& normal);
    double thickness() const { return mThickness; }
    Zcad::ErrorStatus setThickness(double thickness);
    bool hasPlinegen() const { return mPlinegen; }
    void setPlinegen(bool plinegen);
    // Segment index from vertex index to the next (the closing segment of a closed polyline too).
    ZcDb::SegType segType(unsigned int index) const;
    // Segment end points (world coordinates) of a line segment.
    Zcad::ErrorStatus getLineSegAt(unsigned int index, ZcGePoint3d& start, ZcGePoint3d& end) const;
    // Arc segment: centre (world), radius and start/end angles about the normal, counter-clockwise.
    Zcad::ErrorStatus getArcSegAt(unsigned int index, ZcGePoint3d& center, double& radius, double& startAngle,
                                  double& endAngle) const;
    double length() const;

    bool isPeriodic() const override { return false; }
    Zcad::ErrorStatus getStartParam(double& param) const override { param = 0.0; return Zcad::eOk; }
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

    struct Vertex {
        ZcGePoint2d point;
        double bulge = 0.0;
        double startWidth = 0.0;
        double endWidth = 0.0;
        int32_t id = 0;
    };

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;
    Zcad::ErrorStatus subExplode(ZcDbVoidPtrArray& entitySet) const override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    void samplePolyline(ZcGePoint3dArray& points, ZcGeDoubleArray& params) const override;

private:
    std::vector<Vertex, platform::Object_Allocator<Vertex>> mVertices;
    bool mClosed = false;
    bool mPlinegen = false;
    double mElevation = 0.0;
    double mThickness = 0.0;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
};
