// The extents a test expects: valid, each corner within the tolerance.
#pragma once

#include "ge/extents.h"

void Expect_Box(const ZcDbExtents& box, double x0, double y0, double x1, double y1, double tol = 1e-6);
