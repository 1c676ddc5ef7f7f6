// The page's cull box mapped back into drawing coordinates, for a drawing-to-paper transform
// that keeps the axes apart (scaling, moving, turning by a quarter): a box in the drawing
// clearly outside it is off the page without mapping its corners. Worked out again whenever
// the transform or the cull box changes.
#pragma once

#include "ge/gemat3d.h"
#include "ge/extents.h"
#include "plot/render/plot_device.h"

namespace platform {

class Drawing_Cull_Box {
public:
    // True only when the box lies outside the cull box by more than rounding could blur;
    // false leaves the question to the exact test.
    bool clearly_outside(const ZcGeMatrix3d& paper_from_drawing, const Paper_Point& cull_min,
                         const Paper_Point& cull_max, const ZcDbExtents& box);
    // The rectangle of drawing x, y that clearly_outside compares boxes with; false when the
    // transform mixes the axes (then clearly_outside culls nothing).
    bool drawing_rectangle(const ZcGeMatrix3d& paper_from_drawing, const Paper_Point& cull_min,
                           const Paper_Point& cull_max, double& x0, double& y0, double& x1, double& y1);

private:
    // Works the rectangle out again when the transform or the cull box changed.
    void follow(const ZcGeMatrix3d& paper_from_drawing, const Paper_Point& cull_min, const Paper_Point& cull_max);
    void update(const ZcGeMatrix3d& paper_from_drawing, const Paper_Point& cull_min, const Paper_Point& cull_max);

    ZcGeMatrix3d mMatrix;
    Paper_Point mCullMin{0, 0}, mCullMax{0, 0};
    bool mKnown = false;   // the members below are for mMatrix and the cull box
    bool mUsable = false;  // the transform keeps the axes apart
    double mMinX = 0, mMinY = 0, mMaxX = 0, mMaxY = 0;  // in drawing coordinates, widened
};

}  // namespace platform
