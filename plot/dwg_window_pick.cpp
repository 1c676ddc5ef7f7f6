#include "plot/dwg_window_pick.h"

#include <algorithm>
#include <cmath>

#include "core/hidden_layers.h"
#include "core/space_helpers.h"
#include "core/ucs_transform.h"
#include "db/dbents.h"
#include "db/dblayout.h"
#include "db/dbpl.h"
#include "db/dbviewport.h"
#include "sheets/exact_extents.h"
#include "sheets/marker_entities.h"

void Get_Active_Viewport_Ids(ZcDbObjectIdArray& ids)
{
    ids.removeAll();
    if (!Is_Paper_Space())
        return;
    ZcDbBlockTableRecord* space = Get_Current_Space_Record(zcdbHostApplicationServices()->workingDatabase(), false);
    if (space == nullptr)
        return;
    const ZcDbObjectId layout_id = space->getLayoutId();
    space->close();
    ZcDbObjectPointer<ZcDbLayout> layout(layout_id, ZcDb::kForRead);
    if (layout.openStatus() != Zcad::eOk)
        return;
    const ZcDbObjectIdArray viewports = layout->getViewportArray();
    if (viewports.length() > 0)
        ids.append(viewports[0]);
}

bool Extents_Overlap(const ZcDbExtents& a, const ZcDbExtents& b, double f)
{
    if (!a.isValid() || !b.isValid())
        return false;
    const double ax1 = std::min(a.minPoint().x, a.maxPoint().x), ax2 = std::max(a.minPoint().x, a.maxPoint().x);
    const double ay1 = std::min(a.minPoint().y, a.maxPoint().y), ay2 = std::max(a.minPoint().y, a.maxPoint().y);
    const double bx1 = std::min(b.minPoint().x, b.maxPoint().x), bx2 = std::max(b.minPoint().x, b.maxPoint().x);
    const double by1 = std::min(b.minPoint().y, b.maxPoint().y), by2 = std::max(b.minPoint().y, b.maxPoint().y);
    const double w = std::min(ax2, bx2) - std::max(ax1, bx1);
    const double h = std::min(ay2, by2) - std::max(ay1, by1);
    if (w < 0.0 || h < 0.0)
        return false;
    const bool a_thin = w < f * (ax2 - ax1) || h < f * (ay2 - ay1);
    const bool b_thin = w < f * (bx2 - bx1) || h < f * (by2 - by1);
    return !(a_thin && b_thin);
}

bool Extents_Inside_Window(const ZcDbExtents& window, const ZcDbExtents& extents)
{
    const ZcGePoint3d& w1 = window.minPoint();
    const ZcGePoint3d& w2 = window.maxPoint();
    const ZcGePoint3d& e1 = extents.minPoint();
    const ZcGePoint3d& e2 = extents.maxPoint();
    return e1.x > w1.x - 1e-6 && e2.x < w2.x + 1e-6 && e1.y > w1.y - 1e-6 && e2.y < w2.y + 1e-6;
}

bool Line_Separates_Rect(const ZcGePoint2d& p1, const ZcGePoint2d& p2, const ZcDbExtents& window)
{
    const double x1 = window.minPoint().x, y1 = window.minPoint().y;
    const double x2 = window.maxPoint().x, y2 = window.maxPoint().y;
    const ZcGePoint2d corners[4] = {{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}};
    const bool sloped = std::fabs(p2.x - p1.x) >= 1e-6;
    const double k = sloped ? (p2.y - p1.y) / (p2.x - p1.x) : 0.0;
    const double b = sloped ? p1.y - k * p1.x : 0.0;
    const double x0 = (p1.x + p2.x) / 2.0;
    bool below = false, above = false;
    for (const ZcGePoint2d& corner : corners) {
        const double d = sloped ? corner.y - k * corner.x - b : corner.x - x0;
        if (std::fabs(d) < 1e-8)
            continue;
        (d < 0.0 ? below : above) = true;
    }
    return below && above;
}

namespace {

ZcGePoint2d In_Ucs(ZcGePoint3d point)
{
    g_Ucs.World_To_Ucs(point);
    return ZcGePoint2d(point.x, point.y);
}

}  // namespace

bool Curve_Crosses_Window(ZcDbObjectId entity_id, const ZcDbExtents& window)
{
    ZcDbObjectPointer<ZcDbEntity> entity(entity_id, ZcDb::kForRead);
    if (entity.openStatus() != Zcad::eOk)
        return false;
    if (auto* line = ZcDbLine::cast(entity.object()))
        return Line_Separates_Rect(In_Ucs(line->startPoint()), In_Ucs(line->endPoint()), window);
    auto* polyline = ZcDbPolyline::cast(entity.object());
    if (polyline == nullptr)
        return false;
    const int count = static_cast<int>(polyline->numVerts());
    const int segments = polyline->isClosed() ? count : count - 1;
    for (int i = 0; i < segments; ++i) {
        ZcGePoint3d from, to;
        polyline->getPointAt(i, from);
        polyline->getPointAt((i + 1) % count, to);
        if (Line_Separates_Rect(In_Ucs(from), In_Ucs(to), window))
            return true;
    }
    return false;
}

void Collect_Window_Ids(const ZcGePoint2d& corner1, const ZcGePoint2d& corner2, ZcDbObjectIdArray& ids)
{
    ZcDbExtents window;
    window.addPoint(ZcGePoint3d(corner1.x, corner1.y, 0.0));
    window.addPoint(ZcGePoint3d(corner2.x, corner2.y, 0.0));
    ZcDbObjectIdArray skip;
    Get_Active_Viewport_Ids(skip);
    ZcDbObjectIdArray candidates;
    Collect_Space_Entity_Ids(candidates, ZcDbObjectId(), true);
    for (int i = 0; i < candidates.length(); ++i) {
        const ZcDbObjectId id = candidates[i];
        if (id.isErased())
            continue;
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
        if (entity.openStatus() != Zcad::eOk)
            continue;
        if ((ZcDbViewport::cast(entity.object()) && skip.contains(id)) || Temp_PlotRec::cast(entity.object()) ||
            Temp_PlotRec2::cast(entity.object()) || entity->visibility() == ZcDb::kInvisible ||
            g_Hidden_Layers.Frozen_Layers.contains(entity->layerId()))
            continue;
        const ZcDbExtents extents = Get_Entity_Extents(entity.object());
        const bool line_like = ZcDbLine::cast(entity.object()) || ZcDbPolyline::cast(entity.object());
        entity.close();
        if (!Extents_Overlap(window, extents, 0.01))
            continue;
        if (line_like && !Curve_Crosses_Window(id, window) && !Extents_Inside_Window(window, extents))
            continue;
        ids.append(id);
    }
}
