// Proxy entities and objects: kept data, filing, and drawing and exploding of proxy graphics.
#include <cmath>

#include "db/dbcurve.h"
#include "db/dbents.h"
#include "db/dbproxy.h"
#include "db/gi.h"
#include "db/raw_groups.h"
#include "db_classes.h"

ZCRX_CONS_DEFINE_MEMBERS(ZcDbProxyEntity, ZcDbEntity, 0);
ZCRX_CONS_DEFINE_MEMBERS(ZcDbProxyObject, ZcDbObject, 0);

namespace {

// The classes join the runtime when the database library loads.
const bool gProxyClassesRegistered = [] {
    // The base classes first, whichever of the layer's sources is initialised first.
    platform::Register_Db_Classes();
    ZcDbProxyEntity::rxInit();
    ZcDbProxyObject::rxInit();
    return true;
}();

void File_Out(ZcDbDwgFiler* filer, const ZcDbProxyClassInfo& info)
{
    filer->writeString(info.recordName);
    filer->writeString(info.dxfName);
    filer->writeString(info.className);
    filer->writeString(info.appName);
}

Zcad::ErrorStatus File_In(ZcDbDwgFiler* filer, ZcDbProxyClassInfo& info)
{
    for (std::wstring* s : {&info.recordName, &info.dxfName, &info.className, &info.appName}) {
        Zcad::ErrorStatus es = filer->readString(*s);
        if (es != Zcad::eOk) return es;
    }
    return Zcad::eOk;
}

void File_Out(ZcDbDwgFiler* filer, const ZcDbProxyPrimitive& p)
{
    filer->writeUInt8(uint8_t(p.kind));
    filer->writeUInt64(p.points.size());
    for (const ZcGePoint3d& pt : p.points) filer->writePoint3d(pt);
    filer->writePoint3d(p.center);
    filer->writeDouble(p.radius);
    filer->writeVector3d(p.normal);
    filer->writeVector3d(p.startVector);
    filer->writeDouble(p.sweep);
    filer->writePoint3d(p.position);
    filer->writeVector3d(p.direction);
    filer->writeString(p.text);
    filer->writeDouble(p.height);
    filer->writeDouble(p.widthFactor);
    filer->writeDouble(p.oblique);
    filer->writeInt16(p.colorIndex);
    filer->writeInt32(p.trueColor);
}

Zcad::ErrorStatus File_In(ZcDbDwgFiler* filer, ZcDbProxyPrimitive& p)
{
    uint8_t kind = 0;
    uint64_t count = 0;
    filer->readUInt8(&kind);
    p.kind = ZcDbProxyPrimitive::Kind(kind);
    filer->readUInt64(&count);
    p.points.clear();
    for (uint64_t i = 0; i < count && filer->filerStatus() == Zcad::eOk; ++i) {
        ZcGePoint3d pt;
        filer->readPoint3d(&pt);
        p.points.push_back(pt);
    }
    filer->readPoint3d(&p.center);
    filer->readDouble(&p.radius);
    filer->readVector3d(&p.normal);
    filer->readVector3d(&p.startVector);
    filer->readDouble(&p.sweep);
    filer->readPoint3d(&p.position);
    filer->readVector3d(&p.direction);
    filer->readString(p.text);
    filer->readDouble(&p.height);
    filer->readDouble(&p.widthFactor);
    filer->readDouble(&p.oblique);
    filer->readInt16(&p.colorIndex);
    return filer->readInt32(&p.trueColor);
}

// The x and y axes of the plane with this normal (the arbitrary axis rule of drawing files).
void Plane_Axes(const ZcGeVector3d& normal, ZcGeVector3d& ax, ZcGeVector3d& ay)
{
    const ZcGeMatrix3d toWorld = ZcGeMatrix3d::planeToWorld(normal);
    ax = toWorld * ZcGeVector3d(1, 0, 0);
    ay = toWorld * ZcGeVector3d(0, 1, 0);
}

void Apply_Attributes(ZcDbEntity* piece, const ZcDbEntity* proxy, const ZcDbProxyPrimitive& p)
{
    piece->setPropertiesFrom(proxy);
    if (p.trueColor >= 0) {
        ZcCmColor color;
        color.setRGB(uint8_t(p.trueColor >> 16), uint8_t(p.trueColor >> 8), uint8_t(p.trueColor));
        piece->setColor(color);
    } else if (p.colorIndex != 256) {
        piece->setColorIndex(uint16_t(p.colorIndex));
    }
}

ZcDbEntity* Explode_Polyline(const ZcDbProxyPrimitive& p)
{
    const bool closed = p.kind == ZcDbProxyPrimitive::Kind::Polygon;
    if (p.points.size() == 2 && !closed) {
        auto* line = new ZcDbLine();
        line->setStartPoint(p.points[0]);
        line->setEndPoint(p.points[1]);
        return line;
    }
    bool flat = true;
    for (const ZcGePoint3d& pt : p.points) flat = flat && pt.z == p.points.front().z;
    if (flat) {
        auto* pline = new ZcDbPolyline();
        for (unsigned i = 0; i < p.points.size(); ++i)
            pline->addVertexAt(i, ZcGePoint2d(p.points[i].x, p.points[i].y));
        pline->setElevation(p.points.front().z);
        pline->setClosed(closed);
        return pline;
    }
    ZcGePoint3dArray points;
    for (const ZcGePoint3d& pt : p.points) points.append(pt);
    return new ZcDb3dPolyline(ZcDb::k3dSimplePoly, points, closed);
}

ZcDbEntity* Explode_Arc(const ZcDbProxyPrimitive& p)
{
    const ZcGeVector3d normal = p.normal.normal();
    ZcGeVector3d ax, ay;
    Plane_Axes(normal, ax, ay);
    double start = std::atan2(p.startVector.dotProduct(ay), p.startVector.dotProduct(ax));
    double end = start + p.sweep;
    if (p.sweep < 0) std::swap(start, end);
    return new ZcDbArc(p.center, normal, p.radius, start, end);
}

ZcDbEntity* Explode_Text(const ZcDbProxyPrimitive& p)
{
    auto* text = new ZcDbText();
    text->setNormal(p.normal.normal());
    text->setPosition(p.position);
    text->setHeight(p.height);
    text->setWidthFactor(p.widthFactor > 0 ? p.widthFactor : 1.0);
    text->setOblique(p.oblique);
    ZcGeVector3d ax, ay;
    Plane_Axes(p.normal.normal(), ax, ay);
    text->setRotation(std::atan2(p.direction.dotProduct(ay), p.direction.dotProduct(ax)));
    text->setTextString(p.text.c_str());
    return text;
}

}  // namespace

ZcDbProxyEntity::GraphicsMetafileType ZcDbProxyEntity::graphicsMetafileType() const
{
    return mGraphicsData.empty() ? kNoMetafile : kFullGraphics;
}

void ZcDbProxyEntity::setClassInfo(const ZcDbProxyClassInfo& info)
{
    if (assertWriteEnabled()) mInfo = info;
}

void ZcDbProxyEntity::setRawGroups(std::vector<ZcDbRawGroup> groups)
{
    if (assertWriteEnabled()) mGroups = std::move(groups);
}

void ZcDbProxyEntity::appendRawGroups(const std::vector<ZcDbRawGroup>& groups)
{
    if (assertWriteEnabled()) mGroups.insert(mGroups.end(), groups.begin(), groups.end());
}

void ZcDbProxyEntity::setGraphics(std::string data, std::vector<ZcDbProxyPrimitive> primitives)
{
    if (!assertWriteEnabled()) return;
    mGraphicsData = std::move(data);
    mGraphics = std::move(primitives);
}

Zcad::ErrorStatus ZcDbProxyEntity::dwgOutFields(ZcDbDwgFiler* filer) const
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgOutFields(filer);
    if (es != Zcad::eOk) return es;
    File_Out(filer, mInfo);
    platform::Raw_Groups_Out(filer, mGroups);
    platform::Bytes_Out(filer, mGraphicsData);
    filer->writeUInt64(mGraphics.size());
    for (const ZcDbProxyPrimitive& p : mGraphics) File_Out(filer, p);
    return filer->filerStatus();
}

Zcad::ErrorStatus ZcDbProxyEntity::dwgInFields(ZcDbDwgFiler* filer)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(filer);
    if (es == Zcad::eOk) es = File_In(filer, mInfo);
    if (es == Zcad::eOk) es = platform::Raw_Groups_In(filer, mGroups);
    if (es == Zcad::eOk) es = platform::Bytes_In(filer, mGraphicsData);
    uint64_t count = 0;
    if (es == Zcad::eOk) es = filer->readUInt64(&count);
    mGraphics.clear();
    for (uint64_t i = 0; es == Zcad::eOk && i < count; ++i) {
        ZcDbProxyPrimitive p;
        es = File_In(filer, p);
        mGraphics.push_back(std::move(p));
    }
    return es;
}

bool ZcDbProxyEntity::subWorldDraw(ZcGiWorldDraw* mode)
{
    ZcGiWorldGeometry& geometry = mode->geometry();
    ZcGiSubEntityTraits& traits = mode->subEntityTraits();
    const uint16_t ownColor = colorIndex();
    for (const ZcDbProxyPrimitive& p : mGraphics) {
        if (p.trueColor >= 0) {
            traits.setTrueColor(ZcCmEntityColor(uint8_t(p.trueColor >> 16), uint8_t(p.trueColor >> 8),
                                                uint8_t(p.trueColor)));
        } else {
            traits.setColor(p.colorIndex != 256 ? uint16_t(p.colorIndex) : ownColor);
        }
        bool stop = false;
        switch (p.kind) {
        case ZcDbProxyPrimitive::Kind::Polyline:
            stop = !p.points.empty() && geometry.polyline(uint32_t(p.points.size()), p.points.data());
            break;
        case ZcDbProxyPrimitive::Kind::Polygon:
            stop = !p.points.empty() && geometry.polygon(uint32_t(p.points.size()), p.points.data());
            break;
        case ZcDbProxyPrimitive::Kind::Circle:
            stop = geometry.circle(p.center, p.radius, p.normal);
            break;
        case ZcDbProxyPrimitive::Kind::Arc:
            stop = geometry.circularArc(p.center, p.radius, p.normal, p.startVector.normal(), p.sweep);
            break;
        case ZcDbProxyPrimitive::Kind::Text:
            stop = geometry.text(p.position, p.normal, p.direction, p.height, p.widthFactor, p.oblique,
                                 p.text.c_str());
            break;
        }
        if (stop) return true;
    }
    return true;
}

Zcad::ErrorStatus ZcDbProxyEntity::subExplode(ZcDbVoidPtrArray& entitySet) const
{
    if (mGraphics.empty()) return Zcad::eNotApplicable;
    for (const ZcDbProxyPrimitive& p : mGraphics) {
        ZcDbEntity* piece = nullptr;
        switch (p.kind) {
        case ZcDbProxyPrimitive::Kind::Polyline:
        case ZcDbProxyPrimitive::Kind::Polygon:
            if (p.points.size() >= 2) piece = Explode_Polyline(p);
            break;
        case ZcDbProxyPrimitive::Kind::Circle:
            piece = new ZcDbCircle(p.center, p.normal.normal(), p.radius);
            break;
        case ZcDbProxyPrimitive::Kind::Arc:
            piece = Explode_Arc(p);
            break;
        case ZcDbProxyPrimitive::Kind::Text:
            piece = Explode_Text(p);
            break;
        }
        if (piece == nullptr) continue;
        Apply_Attributes(piece, this, p);
        entitySet.append(piece);
    }
    return Zcad::eOk;
}

void ZcDbProxyObject::setClassInfo(const ZcDbProxyClassInfo& info)
{
    if (assertWriteEnabled()) mInfo = info;
}

void ZcDbProxyObject::setRawGroups(std::vector<ZcDbRawGroup> groups)
{
    if (assertWriteEnabled()) mGroups = std::move(groups);
}

Zcad::ErrorStatus ZcDbProxyObject::dwgOutFields(ZcDbDwgFiler* filer) const
{
    Zcad::ErrorStatus es = ZcDbObject::dwgOutFields(filer);
    if (es != Zcad::eOk) return es;
    File_Out(filer, mInfo);
    platform::Raw_Groups_Out(filer, mGroups);
    return filer->filerStatus();
}

Zcad::ErrorStatus ZcDbProxyObject::dwgInFields(ZcDbDwgFiler* filer)
{
    Zcad::ErrorStatus es = ZcDbObject::dwgInFields(filer);
    if (es == Zcad::eOk) es = File_In(filer, mInfo);
    if (es == Zcad::eOk) es = platform::Raw_Groups_In(filer, mGroups);
    return es;
}
