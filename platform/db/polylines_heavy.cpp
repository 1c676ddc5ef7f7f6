// ZcDb2dPolyline and ZcDb3dPolyline with their vertex objects.
#include <memory>

#include "db/db_internal.h"
#include "db/dbpl.h"
#include "db/dbpoly.h"
#include "db/geom_util.h"
#include "db/gi.h"

ZCRX_NO_CONS_DEFINE_MEMBERS(ZcDbVertex, ZcDbEntity)
ZCRX_DXF_DEFINE_MEMBERS(ZcDb2dVertex, ZcDbVertex, 0, 0, 0, VERTEX, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDb3dPolylineVertex, ZcDbVertex, 0, 0, 0, VERTEX, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDb2dPolyline, ZcDbCurve, 0, 0, 0, POLYLINE, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDb3dPolyline, ZcDbCurve, 0, 0, 0, POLYLINE, AutoCAD)

#define ZC_WRITE_OR_FAIL() \
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite

// Vertices.

ZcDb2dVertex::ZcDb2dVertex(const ZcGePoint3d& position, double bulge, double startWidth, double endWidth,
                           double tangent)
    : mPosition(position), mBulge(bulge), mStartWidth(startWidth), mEndWidth(endWidth), mTangent(tangent)
{
}
Zcad::ErrorStatus ZcDb2dVertex::setPosition(const ZcGePoint3d& pt) { ZC_WRITE_OR_FAIL(); mPosition = pt; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb2dVertex::setStartWidth(double w) { if (w < 0) return Zcad::eInvalidInput; ZC_WRITE_OR_FAIL(); mStartWidth = w; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb2dVertex::setEndWidth(double w) { if (w < 0) return Zcad::eInvalidInput; ZC_WRITE_OR_FAIL(); mEndWidth = w; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb2dVertex::setBulge(double b) { ZC_WRITE_OR_FAIL(); mBulge = b; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb2dVertex::setTangent(double t) { ZC_WRITE_OR_FAIL(); mTangent = t; mTangentUsed = true; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb2dVertex::subTransformBy(const ZcGeMatrix3d& xform)
{
    mPosition.transformBy(xform);
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDb2dVertex::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbVertex::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    int32_t t = 0;
    f->readInt32(&t);
    mType = ZcDb::Vertex2dType(t);
    f->readPoint3d(&mPosition);
    f->readDouble(&mBulge);
    f->readDouble(&mStartWidth);
    f->readDouble(&mEndWidth);
    f->readDouble(&mTangent);
    f->readBool(&mTangentUsed);
    return f->filerStatus();
}
Zcad::ErrorStatus ZcDb2dVertex::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbVertex::dwgOutFields(f);
    f->writeInt32(int32_t(mType));
    f->writePoint3d(mPosition);
    f->writeDouble(mBulge);
    f->writeDouble(mStartWidth);
    f->writeDouble(mEndWidth);
    f->writeDouble(mTangent);
    f->writeBool(mTangentUsed);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDb3dPolylineVertex::setPosition(const ZcGePoint3d& pt) { ZC_WRITE_OR_FAIL(); mPosition = pt; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb3dPolylineVertex::subTransformBy(const ZcGeMatrix3d& xform)
{
    mPosition.transformBy(xform);
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDb3dPolylineVertex::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbVertex::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    int32_t t = 0;
    f->readInt32(&t);
    mType = ZcDb::Vertex3dType(t);
    f->readPoint3d(&mPosition);
    return f->filerStatus();
}
Zcad::ErrorStatus ZcDb3dPolylineVertex::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbVertex::dwgOutFields(f);
    f->writeInt32(int32_t(mType));
    f->writePoint3d(mPosition);
    return f->filerStatus();
}

// Vertex ownership.

Zc_Vertex_Owner::~Zc_Vertex_Owner()
{
    for (ZcDbVertex* v : mPendingVertices) delete v;
}

Zcad::ErrorStatus Zc_Vertex_Owner::appendVertexObject(ZcDbEntity* owner, ZcDbObjectId& outId, ZcDbVertex* vertex)
{
    outId.setNull();
    if (vertex == nullptr) return Zcad::eNullObjectPointer;
    if (vertex->isDatabaseResident()) return Zcad::eAlreadyInDb;
    if (!owner->isWriteEnabled()) return Zcad::eNotOpenForWrite;
    owner->assertWriteEnabled();
    vertex->setPropertiesFrom(owner);
    if (!owner->isDatabaseResident()) {
        mPendingVertices.push_back(vertex);
        return Zcad::eOk;
    }
    Zcad::ErrorStatus es = platform::Add_Object(owner->database(), vertex, owner->objectId(), outId);
    if (es == Zcad::eOk) mVertexIds.push_back(outId);
    return es;
}

std::vector<ZcDbVertex*> Zc_Vertex_Owner::vertexObjects() const
{
    std::vector<ZcDbVertex*> out;
    for (ZcDbObjectId id : mVertexIds)
        if (!id.isErased())
            if (auto* v = platform::Peek<ZcDbVertex>(id)) out.push_back(v);
    for (ZcDbVertex* v : mPendingVertices) out.push_back(v);
    return out;
}

ZcDbObjectIterator* Zc_Vertex_Owner::newVertexIterator() const
{
    return platform::New_Subent_Iterator(mVertexIds, mPendingVertices);
}

void Zc_Vertex_Owner::vertexOwnerAdded(ZcDbEntity* owner, ZcDbDatabase* db)
{
    std::vector<ZcDbVertex*> pending;
    pending.swap(mPendingVertices);
    for (ZcDbVertex* v : pending) {
        ZcDbObjectId id;
        if (platform::Add_Object(db, v, owner->objectId(), id) == Zcad::eOk) {
            v->close();
            mVertexIds.push_back(id);
        } else {
            delete v;
        }
    }
}

namespace {
template <class T>
void Erase_Vertices(const std::vector<ZcDbObjectId>& ids, bool erasing)
{
    for (ZcDbObjectId id : ids) {
        ZcDbObject* v = nullptr;
        if (zcdbOpenObject(v, id, ZcDb::kForWrite, true, true) == Zcad::eOk) {
            v->erase(erasing);
            v->close();
        }
    }
}
}  // namespace

// 2D polyline: its geometry is that of the equivalent LWPOLYLINE.

ZcDb2dPolyline::ZcDb2dPolyline(ZcDb::Poly2dType type, const ZcGePoint3dArray& vertices, double elevation, bool closed,
                               double defStartWidth, double defEndWidth, const ZcGeDoubleArray* bulges)
    : mType(type), mClosed(closed), mElevation(elevation), mDefStartWidth(defStartWidth), mDefEndWidth(defEndWidth)
{
    for (int i = 0; i < vertices.length(); ++i) {
        ZcGePoint3d p(vertices[i].x, vertices[i].y, elevation);
        double b = (bulges && i < bulges->length()) ? (*bulges)[i] : 0.0;
        auto* v = new ZcDb2dVertex(p, b, defStartWidth, defEndWidth);
        mPendingVertices.push_back(v);
    }
}

Zcad::ErrorStatus ZcDb2dPolyline::appendVertex(ZcDb2dVertex* vertex)
{
    ZcDbObjectId id;
    return appendVertex(id, vertex);
}
Zcad::ErrorStatus ZcDb2dPolyline::appendVertex(ZcDbObjectId& objId, ZcDb2dVertex* vertex)
{
    return appendVertexObject(this, objId, vertex);
}
ZcDbObjectIterator* ZcDb2dPolyline::vertexIterator() const { return newVertexIterator(); }
Zcad::ErrorStatus ZcDb2dPolyline::setPolyType(ZcDb::Poly2dType t) { ZC_WRITE_OR_FAIL(); mType = t; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb2dPolyline::makeClosed() { ZC_WRITE_OR_FAIL(); mClosed = true; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb2dPolyline::makeOpen() { ZC_WRITE_OR_FAIL(); mClosed = false; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb2dPolyline::setElevation(double e) { ZC_WRITE_OR_FAIL(); mElevation = e; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb2dPolyline::setNormal(const ZcGeVector3d& n)
{
    if (n.isZeroLength()) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mNormal = n.normal();
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDb2dPolyline::setDefaultStartWidth(double w) { ZC_WRITE_OR_FAIL(); mDefStartWidth = w; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb2dPolyline::setDefaultEndWidth(double w) { ZC_WRITE_OR_FAIL(); mDefEndWidth = w; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb2dPolyline::setThickness(double t) { ZC_WRITE_OR_FAIL(); mThickness = t; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb2dPolyline::setLinetypeGenerationOn() { ZC_WRITE_OR_FAIL(); mPlinegen = true; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb2dPolyline::setLinetypeGenerationOff() { ZC_WRITE_OR_FAIL(); mPlinegen = false; return Zcad::eOk; }

namespace {
// The LWPOLYLINE with the same geometry as a 2D polyline.
std::unique_ptr<ZcDbPolyline> Equivalent(const std::vector<ZcDbVertex*>& vertices, const ZcGeVector3d& normal,
                                         double elevation, bool closed)
{
    auto owned = std::make_unique<ZcDbPolyline>();
    ZcDbPolyline& pl = *owned;
    pl.setNormal(normal);
    pl.setElevation(elevation);
    ZcGeVector3d x, y;
    platform::Plane_Axes(normal, x, y);
    unsigned i = 0;
    for (ZcDbVertex* v : vertices) {
        auto* v2 = ZcDb2dVertex::cast(v);
        if (!v2) continue;
        ZcGeVector3d o = v2->position().asVector();
        pl.addVertexAt(i++, ZcGePoint2d(o.dotProduct(x), o.dotProduct(y)), v2->bulge(), v2->startWidth(),
                       v2->endWidth());
    }
    pl.setClosed(closed);
    return owned;
}
}  // namespace

Zcad::ErrorStatus ZcDb2dPolyline::getEndParam(double& param) const
{
    return Equivalent(vertexObjects(), mNormal, mElevation, mClosed)->getEndParam(param);
}
Zcad::ErrorStatus ZcDb2dPolyline::getPointAtParam(double param, ZcGePoint3d& point) const
{
    return Equivalent(vertexObjects(), mNormal, mElevation, mClosed)->getPointAtParam(param, point);
}
void ZcDb2dPolyline::samplePolyline(ZcGePoint3dArray& points, ZcGeDoubleArray& params) const
{
    std::unique_ptr<ZcDbPolyline> owned = Equivalent(vertexObjects(), mNormal, mElevation, mClosed);
    ZcDbPolyline& pl = *owned;
    ZcGePoint3dArray pts;
    ZcGeDoubleArray ps;
    double end = 0;
    pl.getEndParam(end);
    int n = int(end) * 64;
    for (int i = 0; i <= n; ++i) {
        double t = n ? end * i / n : 0.0;
        ZcGePoint3d p;
        pl.getPointAtParam(t, p);
        points.append(p);
        params.append(t);
    }
}
void ZcDb2dPolyline::addedToDatabase(ZcDbDatabase* db) { vertexOwnerAdded(this, db); }
void ZcDb2dPolyline::getSubentIds(ZcDbObjectIdArray& ids) const
{
    for (ZcDbObjectId id : mVertexIds) ids.append(id);
}
Zcad::ErrorStatus ZcDb2dPolyline::subErase(bool erasing)
{
    Erase_Vertices<ZcDb2dVertex>(mVertexIds, erasing);
    return Zcad::eOk;
}
ZcRxObject* ZcDb2dPolyline::clone() const
{
    auto* copy = ZcDb2dPolyline::cast(ZcDbCurve::clone());
    if (copy == nullptr) return nullptr;
    for (ZcDbVertex* v : vertexObjects())
        if (auto* vc = ZcDbVertex::cast(v->clone())) copy->mPendingVertices.push_back(vc);
    return copy;
}
Zcad::ErrorStatus ZcDb2dPolyline::subTransformBy(const ZcGeMatrix3d& xform)
{
    ZcGeVector3d n;
    bool mirrored = false;
    if (!platform::Transformed_Plane(xform, mNormal, n, mirrored)) return Zcad::eDegenerateGeometry;
    double scale = 1.0;
    bool uniform = platform::Is_Uniform(xform, scale);
    std::vector<ZcDbVertex*> vs = vertexObjects();
    for (ZcDbVertex* v : vs) {
        auto* v2 = ZcDb2dVertex::cast(v);
        if (v2 && v2->mBulge != 0.0 && !uniform) return Zcad::eNotApplicable;
    }
    mNormal = n;
    for (ZcDbVertex* v : vs) {
        auto* v2 = ZcDb2dVertex::cast(v);
        if (!v2) continue;
        v2->mPosition.transformBy(xform);
        if (mirrored) v2->mBulge = -v2->mBulge;
        if (uniform) {
            v2->mStartWidth *= scale;
            v2->mEndWidth *= scale;
        }
    }
    if (!vs.empty()) {
        if (auto* v2 = ZcDb2dVertex::cast(vs.front())) mElevation = v2->mPosition.asVector().dotProduct(mNormal);
    }
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDb2dPolyline::subExplode(ZcDbVoidPtrArray& entitySet) const
{
    std::unique_ptr<ZcDbPolyline> owned = Equivalent(vertexObjects(), mNormal, mElevation, mClosed);
    ZcDbPolyline& pl = *owned;
    ZcDbVoidPtrArray pieces;
    Zcad::ErrorStatus es = pl.explode(pieces);
    if (es != Zcad::eOk) return es;
    for (int i = 0; i < pieces.length(); ++i) {
        auto* e = static_cast<ZcDbEntity*>(pieces[i]);
        e->setPropertiesFrom(this);
        entitySet.append(e);
    }
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDb2dPolyline::subGetGeomExtents(ZcDbExtents& extents) const
{
    std::unique_ptr<ZcDbPolyline> owned = Equivalent(vertexObjects(), mNormal, mElevation, mClosed);
    ZcDbPolyline& pl = *owned;
    return pl.getGeomExtents(extents);
}
bool ZcDb2dPolyline::subWorldDraw(ZcGiWorldDraw* mode)
{
    std::unique_ptr<ZcDbPolyline> owned = Equivalent(vertexObjects(), mNormal, mElevation, mClosed);
    ZcDbPolyline& pl = *owned;
    // Drawn with this polyline's own properties, not the stand-in's defaults.
    pl.setPropertiesFrom(this);
    pl.setPlinegen(mPlinegen);
    return pl.worldDraw(mode);
}
Zcad::ErrorStatus ZcDb2dPolyline::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbCurve::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    int32_t t = 0;
    f->readInt32(&t);
    mType = ZcDb::Poly2dType(t);
    f->readBool(&mClosed);
    f->readBool(&mPlinegen);
    f->readDouble(&mElevation);
    f->readDouble(&mDefStartWidth);
    f->readDouble(&mDefEndWidth);
    f->readDouble(&mThickness);
    f->readVector3d(&mNormal);
    return f->filerStatus();
}
Zcad::ErrorStatus ZcDb2dPolyline::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbCurve::dwgOutFields(f);
    f->writeInt32(int32_t(mType));
    f->writeBool(mClosed);
    f->writeBool(mPlinegen);
    f->writeDouble(mElevation);
    f->writeDouble(mDefStartWidth);
    f->writeDouble(mDefEndWidth);
    f->writeDouble(mThickness);
    f->writeVector3d(mNormal);
    return f->filerStatus();
}

// 3D polyline.

ZcDb3dPolyline::ZcDb3dPolyline(ZcDb::Poly3dType type, const ZcGePoint3dArray& vertices, bool closed)
    : mType(type), mClosed(closed)
{
    for (int i = 0; i < vertices.length(); ++i) mPendingVertices.push_back(new ZcDb3dPolylineVertex(vertices[i]));
}
Zcad::ErrorStatus ZcDb3dPolyline::appendVertex(ZcDb3dPolylineVertex* vertex)
{
    ZcDbObjectId id;
    return appendVertex(id, vertex);
}
Zcad::ErrorStatus ZcDb3dPolyline::appendVertex(ZcDbObjectId& objId, ZcDb3dPolylineVertex* vertex)
{
    return appendVertexObject(this, objId, vertex);
}
ZcDbObjectIterator* ZcDb3dPolyline::vertexIterator() const { return newVertexIterator(); }
Zcad::ErrorStatus ZcDb3dPolyline::setPolyType(ZcDb::Poly3dType t) { ZC_WRITE_OR_FAIL(); mType = t; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb3dPolyline::makeClosed() { ZC_WRITE_OR_FAIL(); mClosed = true; return Zcad::eOk; }
Zcad::ErrorStatus ZcDb3dPolyline::makeOpen() { ZC_WRITE_OR_FAIL(); mClosed = false; return Zcad::eOk; }

std::vector<ZcGePoint3d> ZcDb3dPolyline::points() const
{
    std::vector<ZcGePoint3d> pts;
    for (ZcDbVertex* v : vertexObjects())
        if (auto* v3 = ZcDb3dPolylineVertex::cast(v)) pts.push_back(v3->position());
    return pts;
}
Zcad::ErrorStatus ZcDb3dPolyline::getEndParam(double& param) const
{
    size_t n = points().size();
    param = n < 2 ? 0.0 : double(mClosed ? n : n - 1);
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDb3dPolyline::getPointAtParam(double param, ZcGePoint3d& point) const
{
    std::vector<ZcGePoint3d> pts = points();
    if (pts.empty()) return Zcad::eDegenerateGeometry;
    double end = 0.0;
    getEndParam(end);
    if (param < -1e-12 || param > end + 1e-12) return Zcad::eInvalidInput;
    if (pts.size() == 1) {
        point = pts[0];
        return Zcad::eOk;
    }
    size_t i = param >= end ? size_t(end) - 1 : size_t(param);
    double f = param - double(i);
    const ZcGePoint3d& a = pts[i];
    const ZcGePoint3d& b = pts[(i + 1) % pts.size()];
    point = a + (b - a) * f;
    return Zcad::eOk;
}
void ZcDb3dPolyline::addedToDatabase(ZcDbDatabase* db) { vertexOwnerAdded(this, db); }
void ZcDb3dPolyline::getSubentIds(ZcDbObjectIdArray& ids) const
{
    for (ZcDbObjectId id : mVertexIds) ids.append(id);
}
Zcad::ErrorStatus ZcDb3dPolyline::subErase(bool erasing)
{
    Erase_Vertices<ZcDb3dPolylineVertex>(mVertexIds, erasing);
    return Zcad::eOk;
}
ZcRxObject* ZcDb3dPolyline::clone() const
{
    auto* copy = ZcDb3dPolyline::cast(ZcDbCurve::clone());
    if (copy == nullptr) return nullptr;
    for (ZcDbVertex* v : vertexObjects())
        if (auto* vc = ZcDbVertex::cast(v->clone())) copy->mPendingVertices.push_back(vc);
    return copy;
}
Zcad::ErrorStatus ZcDb3dPolyline::subTransformBy(const ZcGeMatrix3d& xform)
{
    for (ZcDbVertex* v : vertexObjects()) {
        platform::Internal_Write_Scope scope(v);
        v->transformBy(xform);
    }
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDb3dPolyline::subExplode(ZcDbVoidPtrArray& entitySet) const
{
    std::vector<ZcGePoint3d> pts = points();
    if (pts.size() < 2) return Zcad::eNotApplicable;
    size_t segs = mClosed ? pts.size() : pts.size() - 1;
    for (size_t i = 0; i < segs; ++i) {
        auto* line = new ZcDbLine(pts[i], pts[(i + 1) % pts.size()]);
        line->setPropertiesFrom(this);
        entitySet.append(line);
    }
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDb3dPolyline::subGetGeomExtents(ZcDbExtents& extents) const
{
    std::vector<ZcGePoint3d> pts = points();
    if (pts.empty()) return Zcad::eInvalidExtents;
    for (const ZcGePoint3d& p : pts) extents.addPoint(p);
    return Zcad::eOk;
}
bool ZcDb3dPolyline::subWorldDraw(ZcGiWorldDraw* mode)
{
    std::vector<ZcGePoint3d> pts = points();
    if (mClosed && !pts.empty()) pts.push_back(pts.front());
    if (pts.size() >= 2) mode->geometry().polyline(uint32_t(pts.size()), pts.data());
    return true;
}
Zcad::ErrorStatus ZcDb3dPolyline::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbCurve::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    int32_t t = 0;
    f->readInt32(&t);
    mType = ZcDb::Poly3dType(t);
    f->readBool(&mClosed);
    return f->filerStatus();
}
Zcad::ErrorStatus ZcDb3dPolyline::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbCurve::dwgOutFields(f);
    f->writeInt32(int32_t(mType));
    f->writeBool(mClosed);
    return f->filerStatus();
}
