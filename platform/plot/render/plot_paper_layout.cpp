#include "plot/render/plot_paper_layout.h"

#include <algorithm>
#include <cmath>

namespace platform {

bool Compute_Paper_Layout(const PlotJob& job, const ZcGePoint2d& windowMin, const ZcGePoint2d& windowMax,
                          Paper_Layout& out, std::wstring& error)
{
    const PlotPaper& p = job.paper;
    if (!(p.width_mm > 0.0) || !(p.height_mm > 0.0)) {
        error = L"paper size must be positive";
        return false;
    }
    double left = p.margin_left_mm, bottom = p.margin_bottom_mm, right = p.margin_right_mm, top = p.margin_top_mm;
    double w = p.width_mm, h = p.height_mm;
    if (job.landscape) {
        // The paper turns a quarter counter-clockwise: its left edge becomes the bottom.
        std::swap(w, h);
        double l = top, b = left, r = bottom, t = right;
        left = l, bottom = b, right = r, top = t;
    }
    if (left + right >= w || bottom + top >= h) left = bottom = right = top = 0.0;
    out.page_width_mm = w;
    out.page_height_mm = h;
    out.printable_min = {left, bottom};
    out.printable_max = {w - right, h - top};
    const double pw = w - left - right, ph = h - bottom - top;

    double x0 = std::min(windowMin.x, windowMax.x), x1 = std::max(windowMin.x, windowMax.x);
    double y0 = std::min(windowMin.y, windowMax.y), y1 = std::max(windowMin.y, windowMax.y);
    double ww = x1 - x0, wh = y1 - y0;
    if (!(ww > 1e-12) || !(wh > 1e-12) || !std::isfinite(ww) || !std::isfinite(wh)) {
        error = L"plot window is empty";
        return false;
    }

    int quarter = ((job.rotation_degrees / 90) % 4 + 4) % 4;
    if (job.upside_down) quarter = (quarter + 2) % 4;
    const bool turned = quarter % 2 == 1;
    const double rw = turned ? wh : ww, rh = turned ? ww : wh;  // window size after rotation

    double scale = 0.0;
    if (job.fit_to_paper) {
        scale = std::min(pw / rw, ph / rh);
    } else {
        if (!(job.paper_units > 0.0) || !(job.drawing_units > 0.0)) {
            error = L"plot scale must be positive";
            return false;
        }
        scale = job.paper_units / job.drawing_units;
    }
    out.scale = scale;

    // Drawing -> window-centred -> rotated and scaled -> placed on the page.
    ZcGePoint3d centre((x0 + x1) / 2.0, (y0 + y1) / 2.0, 0.0);
    ZcGeMatrix3d toOrigin = ZcGeMatrix3d::translation(ZcGePoint3d::kOrigin - centre);
    ZcGeMatrix3d rotate = ZcGeMatrix3d::rotation(quarter * M_PI / 2.0, ZcGeVector3d(0.0, 0.0, 1.0));
    ZcGeMatrix3d scaling = ZcGeMatrix3d::scaling(scale);
    double cx, cy;
    if (job.centered) {
        cx = left + pw / 2.0;
        cy = bottom + ph / 2.0;
    } else {
        cx = left + job.offset_mm.x + rw * scale / 2.0;
        cy = bottom + job.offset_mm.y + rh * scale / 2.0;
    }
    ZcGeMatrix3d place = ZcGeMatrix3d::translation(ZcGeVector3d(cx, cy, 0.0));
    out.paper_from_drawing = place * scaling * rotate * toOrigin;
    // Rotation by quarters leaves tiny residues: round them away.
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            if (std::fabs(out.paper_from_drawing.entry[r][c]) < 1e-12 * scale) out.paper_from_drawing.entry[r][c] = 0.0;

    out.window.clear();
    const ZcGePoint3d corners[4] = {{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}};
    for (const ZcGePoint3d& c : corners) {
        ZcGePoint3d q = out.paper_from_drawing * c;
        out.window.push_back({q.x, q.y});
    }
    return true;
}

}  // namespace platform
