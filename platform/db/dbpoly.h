// Heavy polylines: ZcDb2dPolyline / ZcDb3dPolyline with their vertex objects.
#pragma once
#include <vector>

#include "db/dbcurve.h"
#include "db/dbobjiter.h"

class ZcDbVertex : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbVertex);
};

// 2D vertex: position in world coordinates (its z is the polyline's elevation in its plane).
class ZcDb2dVertex : public ZcDbVertex {
public:
    ZCRX_DECLARE_MEMBERS(ZcDb2dVertex);
    ZcDb2dVertex() = default;
    ZcDb2dVertex(const ZcGePoint3d& position, double bulge = 0.0, double startWidth = 0.0, double endWidth = 0.0,
                 double tangent = 0.0);

    ZcDb::Vertex2dType vertexType() const { return mType; }
    ZcGePoint3d position() const { return mPosition; }
    Zcad::ErrorStatus setPosition(const ZcGePoint3d& pt);
    double startWidth() const { return mStartWidth; }
    Zcad::ErrorStatus setStartWidth(double w);
    double endWidth() const { return mEndWidth; }
    Zcad::ErrorStatus setEndWidth(double w);
    double bulge() const { return mBulge; }
    Zcad::ErrorStatus setBulge(double b);
    bool isTangentUsed() const { return mTangentUsed; }
    double tangent() const { return mTangent; }
    Zcad::ErrorStatus setTangent(double t);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;

private:
    friend class ZcDb2dPolyline;
    ZcDb::Vertex2dType mType = ZcDb::k2dVertex;
    ZcGePoint3d mPosition;
    double mBulge = 0.0;
    double mStartWidth = 0.0;
    double mEndWidth = 0.0;
    double mTangent = 0.0;
    bool mTangentUsed = false;
};

class ZcDb3dPolylineVertex : public ZcDbVertex {
public:
    ZCRX_DECLARE_MEMBERS(ZcDb3dPolylineVertex);
    ZcDb3dPolylineVertex() = default;
    explicit ZcDb3dPolylineVertex(const ZcGePoint3d& position) : mPosition(position) {}

    ZcDb::Vertex3dType vertexType() const { return mType; }
    ZcGePoint3d position() const { return mPosition; }
    Zcad::ErrorStatus setPosition(const ZcGePoint3d& pt);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;

private:
    ZcDb::Vertex3dType mType = ZcDb::k3dSimpleVertex;
    ZcGePoint3d mPosition;
};

// Shared vertex ownership of the heavy polylines: vertices are separate objects; before the
// polyline joins a database it holds them itself, afterwards the database does.
class Zc_Vertex_Owner {
protected:
    ~Zc_Vertex_Owner();
    Zcad::ErrorStatus appendVertexObject(ZcDbEntity* owner, ZcDbObjectId& outId, ZcDbVertex* vertex);
    std::vector<ZcDbVertex*> vertexObjects() const;  // not opened; erased vertices skipped
    ZcDbObjectIterator* newVertexIterator() const;
    void vertexOwnerAdded(ZcDbEntity* owner, ZcDbDatabase* db);
    std::vector<ZcDbObjectId> mVertexIds;
    std::vector<ZcDbVertex*> mPendingVertices;
};

class ZcDb2dPolyline : public ZcDbCurve, protected Zc_Vertex_Owner {
public:
    ZCRX_DECLARE_MEMBERS(ZcDb2dPolyline);
    ZcDb2dPolyline() = default;
    // Vertices in world coordinates; bulges (may be nullptr) one per vertex.
    ZcDb2dPolyline(ZcDb::Poly2dType type, const ZcGePoint3dArray& vertices, double elevation = 0.0,
                   bool closed = false, double defStartWidth = 0.0, double defEndWidth = 0.0,
                   const ZcGeDoubleArray* bulges = nullptr);

    Zcad::ErrorStatus appendVertex(ZcDb2dVertex* vertex);
    Zcad::ErrorStatus appendVertex(ZcDbObjectId& objId, ZcDb2dVertex* vertex);
    // The caller deletes the iterator.
    ZcDbObjectIterator* vertexIterator() const;
    ZcDb::Poly2dType polyType() const { return mType; }
    Zcad::ErrorStatus setPolyType(ZcDb::Poly2dType type);
    Zcad::ErrorStatus makeClosed();
    Zcad::ErrorStatus makeOpen();
    bool isClosed() const override { return mClosed; }
    double elevation() const { return mElevation; }
    Zcad::ErrorStatus setElevation(double elev);
    ZcGeVector3d normal() const { return mNormal; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& n);
    double defaultStartWidth() const { return mDefStartWidth; }
    Zcad::ErrorStatus setDefaultStartWidth(double w);
    double defaultEndWidth() const { return mDefEndWidth; }
    Zcad::ErrorStatus setDefaultEndWidth(double w);
    double thickness() const { return mThickness; }
    Zcad::ErrorStatus setThickness(double t);
    bool isLinetypeGenerationOn() const { return mPlinegen; }
    Zcad::ErrorStatus setLinetypeGenerationOn();
    Zcad::ErrorStatus setLinetypeGenerationOff();
    // Curve-fit / spline-fit flags as DXF keeps them (bits 2 and 4 of the polyline flags).
    bool isCurveFit() const { return mType == ZcDb::k2dFitCurvePoly; }
    bool isSplineFit() const { return mType == ZcDb::k2dQuadSplinePoly || mType == ZcDb::k2dCubicSplinePoly; }
    Zcad::ErrorStatus curveFit() { return setPolyType(ZcDb::k2dFitCurvePoly); }
    Zcad::ErrorStatus splineFit() { return setPolyType(ZcDb::k2dCubicSplinePoly); }
    Zcad::ErrorStatus straighten() { return setPolyType(ZcDb::k2dSimplePoly); }

    Zcad::ErrorStatus getStartParam(double& param) const override { param = 0.0; return Zcad::eOk; }
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;
    Zcad::ErrorStatus subErase(bool erasing) override;
    ZcRxObject* clone() const override;

protected:
    void addedToDatabase(ZcDbDatabase* db) override;
    void getSubentIds(ZcDbObjectIdArray& ids) const override;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;
    Zcad::ErrorStatus subExplode(ZcDbVoidPtrArray& entitySet) const override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    void samplePolyline(ZcGePoint3dArray& points, ZcGeDoubleArray& params) const override;

private:
    ZcDb::Poly2dType mType = ZcDb::k2dSimplePoly;
    bool mClosed = false;
    bool mPlinegen = false;
    double mElevation = 0.0;
    double mDefStartWidth = 0.0;
    double mDefEndWidth = 0.0;
    double mThickness = 0.0;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
};

class ZcDb3dPolyline : public ZcDbCurve, protected Zc_Vertex_Owner {
public:
    ZCRX_DECLARE_MEMBERS(ZcDb3dPolyline);
    ZcDb3dPolyline() = default;
    ZcDb3dPolyline(ZcDb::Poly3dType type, const ZcGePoint3dArray& vertices, bool closed = false);

    Zcad::ErrorStatus appendVertex(ZcDb3dPolylineVertex* vertex);
    Zcad::ErrorStatus appendVertex(ZcDbObjectId& objId, ZcDb3dPolylineVertex* vertex);
    ZcDbObjectIterator* vertexIterator() const;
    ZcDb::Poly3dType polyType() const { return mType; }
    Zcad::ErrorStatus setPolyType(ZcDb::Poly3dType type);
    Zcad::ErrorStatus makeClosed();
    Zcad::ErrorStatus makeOpen();
    bool isClosed() const override { return mClosed; }

    Zcad::ErrorStatus getStartParam(double& param) const override { param = 0.0; return Zcad::eOk; }
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;
    Zcad::ErrorStatus subErase(bool erasing) override;
    ZcRxObject* clone() const override;

protected:
    void addedToDatabase(ZcDbDatabase* db) override;
    void getSubentIds(ZcDbObjectIdArray& ids) const override;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;
    Zcad::ErrorStatus subExplode(ZcDbVoidPtrArray& entitySet) const override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    bool subWorldDraw(ZcGiWorldDraw* mode) override;

private:
    std::vector<ZcGePoint3d> points() const;
    ZcDb::Poly3dType mType = ZcDb::k3dSimplePoly;
    bool mClosed = false;
};
