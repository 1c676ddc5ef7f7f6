// Bounding values of point arrays.
#pragma once

#include "ge/gept2dar.h"
#include "ge/gept3dar.h"

// The bounding values of the points; the outputs stay as they were for an empty array.
void Get_Points_Extents(const ZcGePoint2dArray& points, double& min_x, double& max_x, double& min_y,
                        double& max_y);
// Width and height of the x-y bounding box and its centre with z 0; all zero for an
// empty array.
void Get_Points_Box(const ZcGePoint3dArray& points, double& width, double& height, ZcGePoint3d& centre);
