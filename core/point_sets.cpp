#include "core/point_sets.h"

#include <algorithm>

void Get_Points_Extents(const ZcGePoint2dArray& points, double& min_x, double& max_x, double& min_y,
                        double& max_y)
{
    if (points.isEmpty())
        return;
    min_x = max_x = points[0].x;
    min_y = max_y = points[0].y;
    for (int i = 1; i < points.length(); ++i) {
        min_x = std::min(min_x, points[i].x);
        max_x = std::max(max_x, points[i].x);
        min_y = std::min(min_y, points[i].y);
        max_y = std::max(max_y, points[i].y);
    }
}

void Get_Points_Box(const ZcGePoint3dArray& points, double& width, double& height, ZcGePoint3d& centre)
{
    width = height = 0;
    centre = ZcGePoint3d(0, 0, 0);
    if (points.isEmpty())
        return;
    ZcGePoint2dArray flat;
    for (int i = 0; i < points.length(); ++i)
        flat.append(ZcGePoint2d(points[i].x, points[i].y));
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    Get_Points_Extents(flat, min_x, max_x, min_y, max_y);
    width = max_x - min_x;
    height = max_y - min_y;
    centre = ZcGePoint3d((min_x + max_x) / 2, (min_y + max_y) / 2, 0);
}
