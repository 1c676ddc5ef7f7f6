#include "plot/render/drawing_cull_box.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace platform {

namespace {

// The drawing interval that p = scale * d + shift maps into [low, high].
std::pair<double, double> Back(double low, double high, double scale, double shift)
{
    double a = (low - shift) / scale, b = (high - shift) / scale;
    return {std::min(a, b), std::max(a, b)};
}

}  // namespace

void Drawing_Cull_Box::update(const ZcGeMatrix3d& m, const Paper_Point& cull_min, const Paper_Point& cull_max)
{
    mMatrix = m;
    mCullMin = cull_min;
    mCullMax = cull_max;
    mKnown = true;
    mUsable = false;
    // Only exact zeros keep the axes apart: then the exact test maps each axis on its own.
    const bool affine = m(3, 0) == 0.0 && m(3, 1) == 0.0 && m(3, 2) == 0.0 && m(3, 3) == 1.0;
    if (!affine || m(0, 2) != 0.0 || m(1, 2) != 0.0) return;
    std::pair<double, double> x, y;
    if (m(0, 1) == 0.0 && m(1, 0) == 0.0 && m(0, 0) != 0.0 && m(1, 1) != 0.0) {
        x = Back(cull_min.x, cull_max.x, m(0, 0), m(0, 3));
        y = Back(cull_min.y, cull_max.y, m(1, 1), m(1, 3));
    } else if (m(0, 0) == 0.0 && m(1, 1) == 0.0 && m(0, 1) != 0.0 && m(1, 0) != 0.0) {
        y = Back(cull_min.x, cull_max.x, m(0, 1), m(0, 3));
        x = Back(cull_min.y, cull_max.y, m(1, 0), m(1, 3));
    } else {
        return;
    }
    if (!std::isfinite(x.first) || !std::isfinite(x.second) || !std::isfinite(y.first) || !std::isfinite(y.second))
        return;
    // Widened well past rounding: a box this near the edge goes to the exact test.
    const double slack = 1e-9 * (std::abs(x.first) + std::abs(x.second) + std::abs(y.first) + std::abs(y.second)) + 1e-9;
    mMinX = x.first - slack, mMaxX = x.second + slack;
    mMinY = y.first - slack, mMaxY = y.second + slack;
    mUsable = true;
}

void Drawing_Cull_Box::follow(const ZcGeMatrix3d& paper_from_drawing, const Paper_Point& cull_min,
                              const Paper_Point& cull_max)
{
    if (!mKnown || std::memcmp(paper_from_drawing.entry, mMatrix.entry, sizeof mMatrix.entry) != 0 ||
        cull_min.x != mCullMin.x || cull_min.y != mCullMin.y || cull_max.x != mCullMax.x || cull_max.y != mCullMax.y)
        update(paper_from_drawing, cull_min, cull_max);
}

bool Drawing_Cull_Box::drawing_rectangle(const ZcGeMatrix3d& paper_from_drawing, const Paper_Point& cull_min,
                                         const Paper_Point& cull_max, double& x0, double& y0, double& x1, double& y1)
{
    follow(paper_from_drawing, cull_min, cull_max);
    x0 = mMinX, y0 = mMinY, x1 = mMaxX, y1 = mMaxY;
    return mUsable;
}

bool Drawing_Cull_Box::clearly_outside(const ZcGeMatrix3d& paper_from_drawing, const Paper_Point& cull_min,
                                       const Paper_Point& cull_max, const ZcDbExtents& box)
{
    follow(paper_from_drawing, cull_min, cull_max);
    if (!mUsable) return false;
    const ZcGePoint3d& lo = box.minPoint();
    const ZcGePoint3d& hi = box.maxPoint();
    return hi.x < mMinX || lo.x > mMaxX || hi.y < mMinY || lo.y > mMaxY;
}

}  // namespace platform
