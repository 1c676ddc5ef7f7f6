#include "core/extents_checks.h"

bool Point_In_Extents(const ZcGePoint3d& point, const ZcDbExtents& extents)
{
    const ZcGePoint3d& lo = extents.minPoint();
    const ZcGePoint3d& hi = extents.maxPoint();
    return lo.x <= point.x && point.x <= hi.x && lo.y <= point.y && point.y <= hi.y;
}

bool Check_Extents(const ZcDbExtents& extents)
{
    const ZcGePoint3d& lo = extents.minPoint();
    const ZcGePoint3d& hi = extents.maxPoint();
    return hi.x - lo.x > 1e-5 && hi.y - lo.y > 1e-5;
}
