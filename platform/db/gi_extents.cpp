#include "db/gi_extents.h"

#include <cmath>

#include "db/dbentity.h"
#include "db/geom_util.h"

namespace platform {

void Extents_Draw::add(const ZcGePoint3d& p)
{
    mExtents.addPoint(mStack.empty() ? p : mStack.back() * p);
    mAny = true;
}

bool Extents_Draw::circle(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal)
{
    ZcGeVector3d x, y;
    Plane_Axes(normal, x, y);
    return circularArc(center, radius, normal, x, kTwoPi, kZcGiArcSimple);
}

bool Extents_Draw::circularArc(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal,
                               const ZcGeVector3d& startVector, double sweepAngle, ZcGiArcType)
{
    ZcGeVector3d n = normal.normal();
    ZcGeVector3d u = startVector.normal() * radius;
    ZcGeVector3d v = n.crossProduct(startVector.normal()) * radius;
    ZcDbExtents local;
    double start = 0.0, end = sweepAngle;
    if (end < 0) std::swap(start, end);
    Add_Ellipse_Arc_Extents(local, center, u, v, start, end);
    if (!mStack.empty()) {
        // Transform the arc samples: exact enough for nested drawing.
        for (const ZcGePoint3d& p : Sample_Ellipse_Arc(center, u, v, start, end, 64)) add(p);
        return false;
    }
    mExtents.addExt(local);
    mAny = true;
    return false;
}

bool Extents_Draw::polyline(uint32_t nbPoints, const ZcGePoint3d* pts, const ZcGeVector3d*, intptr_t)
{
    for (uint32_t i = 0; i < nbPoints; ++i) add(pts[i]);
    return false;
}

bool Extents_Draw::polygon(uint32_t nbPoints, const ZcGePoint3d* pts) { return polyline(nbPoints, pts, nullptr, -1); }

bool Extents_Draw::text(const ZcGePoint3d& position, const ZcGeVector3d& normal, const ZcGeVector3d& direction,
                        double height, double width, double oblique, const wchar_t* pMsg)
{
    ZcGeVector3d dir = direction.normal();
    ZcGeVector3d up = normal.normal().crossProduct(dir).normal();
    ZcGePoint3d corners[4];
    Text_Line_Corners(position, dir, up, height, width, oblique, pMsg ? pMsg : L"", corners);
    for (const ZcGePoint3d& p : corners) add(p);
    return false;
}

bool Extents_Draw::image(const ZcGiImage& img)
{
    if (!img.clip.empty()) return polyline(uint32_t(img.clip.size()), img.clip.data(), nullptr, -1);
    for (const ZcGePoint3d& p : {img.origin, img.origin + img.u, img.origin + img.u + img.v, img.origin + img.v}) add(p);
    return false;
}

bool Extents_Draw::draw(const ZcDbEntity* entity)
{
    if (entity == nullptr) return false;
    ZcDbExtents e;
    if (entity->getGeomExtents(e) != Zcad::eOk) return false;
    const ZcGePoint3d& a = e.minPoint();
    const ZcGePoint3d& b = e.maxPoint();
    for (int i = 0; i < 8; ++i) add(ZcGePoint3d((i & 1) ? b.x : a.x, (i & 2) ? b.y : a.y, (i & 4) ? b.z : a.z));
    return false;
}

bool Extents_Draw::pushModelTransform(const ZcGeMatrix3d& xMat)
{
    mStack.push_back(current() * xMat);
    return false;
}

bool Extents_Draw::popModelTransform()
{
    if (!mStack.empty()) mStack.pop_back();
    return false;
}

}  // namespace platform
