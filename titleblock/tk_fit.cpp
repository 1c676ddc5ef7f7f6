#include "titleblock/tk_fit.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "core/plot_config.h"
#include "core/point_sets.h"
#include "core/ucs_transform.h"
#include "db/dbblkref.h"
#include "db/dbcurve.h"
#include "db/dbdict.h"
#include "db/dbdim.h"
#include "db/dbents.h"
#include "db/dbimage.h"
#include "db/dbmtext.h"
#include "db/dbobjiter.h"
#include "db/dbpl.h"
#include "db/dbpoly.h"
#include "db/dbproxy.h"
#include "db/dbspfilt.h"
#include "db/dbsymtb.h"
#include "rx/rxclass.h"
#include "sheets/exact_extents.h"
#include "titleblock/tk_block_walk.h"
#include "titleblock/tk_outline.h"
#include "titleblock/tk_scale.h"

namespace {

constexpr int Grid = 100;

bool Is_Round_Curve(const ZcDbEntity* entity)
{
    return entity->isKindOf(ZcDbCircle::desc()) || entity->isKindOf(ZcDbArc::desc()) ||
           entity->isKindOf(ZcDbEllipse::desc());
}

void Add_Geom_Corners(const ZcDbEntity* entity, ZcGePoint2dArray& points)
{
    ZcDbExtents extents;
    if (entity->getGeomExtents(extents) == Zcad::eOk && extents.isValid())
        Add_Box_Corners(extents, points);
}

void Add_MText_Corners(const ZcDbEntity* mtext, ZcGePoint2dArray& points)
{
    ZcDbExtents extents;
    Get_Text_Extents_By_Explode(mtext, extents);
    if (extents.isValid())
        Add_Box_Corners(extents, points);
}

// A custom text of the TCH or IAEC kinds that measures as a point.
bool Is_Empty_Custom_Text(const ZcDbEntity* entity, const ZcDbExtents& extents)
{
    if (extents.maxPoint().x - extents.minPoint().x >= 1e-9 || extents.maxPoint().y - extents.minPoint().y >= 1e-9)
        return false;
    CString name = entity->isA()->dxfName();
    name.MakeUpper();
    return name == L"TCH_TEXT" || name == L"TCH_MTEXT" || name == L"IAEC_TEXT" || name == L"IAEC_MTEXT";
}

// The outline points of one entity by its class, the first match winning. Outside a
// definition everything else gives its extents' corners; inside one, dimensions, proxies
// and wipeouts give nothing and neither do custom texts that measure as a point.
void Add_Shape_Points(const ZcDbEntity* entity, const ZcDbBlockReference* clip_holder, bool in_definition,
                      ZcGePoint2dArray& points)
{
    if (in_definition && (entity->isKindOf(ZcDbWipeout::desc()) || entity->isKindOf(ZcDbDimension::desc()) ||
                          entity->isKindOf(ZcDbProxyEntity::desc())))
        return;
    if (const ZcDbLine* line = ZcDbLine::cast(entity)) {
        points.append(ZcGePoint2d(line->startPoint().x, line->startPoint().y));
        points.append(ZcGePoint2d(line->endPoint().x, line->endPoint().y));
    } else if (Is_Round_Curve(entity)) {
        Add_Geom_Corners(entity, points);
    } else if (const ZcDbCurve* curve = ZcDbCurve::cast(entity)) {
        Add_Curve_Points(curve, points);
    } else if (entity->isKindOf(ZcDbMText::desc())) {
        Add_MText_Corners(entity, points);
    } else if (const ZcDbBlockReference* reference = ZcDbBlockReference::cast(entity)) {
        Add_Block_Outline_Points(reference, in_definition ? reference : clip_holder, points);
    } else {
        ZcDbExtents extents;
        if (entity->getGeomExtents(extents) != Zcad::eOk || !extents.isValid() ||
            (in_definition && Is_Empty_Custom_Text(entity, extents)))
            return;
        Add_Box_Corners(extents, points);
    }
}

// Marks the uncovered points that lie in a strip.
void Cover_Points(const ZcGePoint2dArray& lower_lefts, const ZcGePoint2dArray& upper_rights,
                  const ZcGePoint2dArray& points, std::vector<char>& covered, int& uncovered)
{
    for (int s = 0; s < lower_lefts.length() && uncovered > 0; ++s)
        for (int i = 0; i < points.length(); ++i)
            if (!covered[i] && Point_In_Box(points[i], lower_lefts[s], upper_rights[s])) {
                covered[i] = 1;
                --uncovered;
            }
}

// One candidate position: on success with a scale below best, best and its position move.
bool Try_Fit_Offset(double a, double b, double sx, double sy, double start, const ZcGePoint2dArray& lower_lefts,
                    const ZcGePoint2dArray& upper_rights, const ZcGePoint2dArray& points,
                    const ZcGePoint2d& area_centre, const ZcGePoint2d& position, double& best,
                    ZcGePoint2d& best_position)
{
    const ZcGePoint2d at(position.x + a * sx, position.y + b * sy);
    double scale = start;
    if (!Grow_Scale_To_Cover(best, lower_lefts, upper_rights, points, area_centre, at, scale) || scale >= best)
        return false;
    best = scale;
    best_position = at;
    return true;
}

}  // namespace

void Add_Box_Corners(const ZcDbExtents& extents, ZcGePoint2dArray& points)
{
    const ZcGePoint3d low = extents.minPoint(), high = extents.maxPoint();
    points.append(ZcGePoint2d(low.x, low.y));
    points.append(ZcGePoint2d(high.x, low.y));
    points.append(ZcGePoint2d(high.x, high.y));
    points.append(ZcGePoint2d(low.x, high.y));
}

void Add_Curve_Points(const ZcDbCurve* curve, ZcGePoint2dArray& points)
{
    double start = 0, end = 0;
    if (curve->getStartParam(start) == Zcad::eOk && curve->getEndParam(end) == Zcad::eOk) {
        for (int i = 0; i <= 50; ++i) {
            ZcGePoint3d point;
            if (curve->getPointAtParam(start + (end - start) * i / 50, point) == Zcad::eOk)
                points.append(ZcGePoint2d(point.x, point.y));
        }
    }
    if (const ZcDbPolyline* light = ZcDbPolyline::cast(curve)) {
        for (unsigned int i = 1; i + 1 < light->numVerts(); ++i) {
            ZcGePoint2d point;
            if (light->getPointAt(i, point) == Zcad::eOk)
                points.append(point);
        }
        return;
    }
    std::unique_ptr<ZcDbObjectIterator> vertices;
    if (const ZcDb2dPolyline* heavy = ZcDb2dPolyline::cast(curve))
        vertices.reset(heavy->vertexIterator());
    else if (const ZcDb3dPolyline* heavy3d = ZcDb3dPolyline::cast(curve))
        vertices.reset(heavy3d->vertexIterator());
    if (vertices == nullptr)
        return;
    for (vertices->start(); !vertices->done(); vertices->step()) {
        const ZcDbEntity* vertex = vertices->entity();
        if (const ZcDb2dVertex* flat = ZcDb2dVertex::cast(vertex))
            points.append(ZcGePoint2d(flat->position().x, flat->position().y));
        else if (const ZcDb3dPolylineVertex* spatial = ZcDb3dPolylineVertex::cast(vertex))
            points.append(ZcGePoint2d(spatial->position().x, spatial->position().y));
    }
}

bool Has_Active_Clip(const ZcDbBlockReference* reference)
{
    if (reference == nullptr || reference->extensionDictionary().isNull())
        return false;
    ZcDbObjectPointer<ZcDbDictionary> extension(reference->extensionDictionary(), ZcDb::kForRead);
    ZcDbObjectId filters_id, filter_id;
    if (extension.openStatus() != Zcad::eOk || extension->getAt(L"ACAD_FILTER", filters_id) != Zcad::eOk)
        return false;
    ZcDbObjectPointer<ZcDbDictionary> filters(filters_id, ZcDb::kForRead);
    if (filters.openStatus() != Zcad::eOk || filters->getAt(L"SPATIAL", filter_id) != Zcad::eOk)
        return false;
    ZcDbObjectPointer<ZcDbSpatialFilter> filter(filter_id, ZcDb::kForRead);
    return filter.openStatus() == Zcad::eOk && !filter->isInverted();
}

void Add_Block_Outline_Points(const ZcDbBlockReference* reference, const ZcDbBlockReference* clip_holder,
                              ZcGePoint2dArray& points)
{
    if (Has_Active_Clip(clip_holder)) {
        // A UCS copy is measured through the drawing's reference, which holds the clip.
        ZcDbExtents extents;
        if (clip_holder == reference)
            Get_Block_Ref_Extents(reference, extents, true, true);
        else
            extents = Get_Entity_Extents_Ex(clip_holder, true, true);
        if (extents.isValid()) {
            Add_Box_Corners(extents, points);
            return;
        }
    }
    ZcGePoint2dArray own;
    Walk_Shown_Definition(reference,
                          [&own](const ZcDbEntity* entity) { Add_Shape_Points(entity, nullptr, true, own); });
    Transform_Points(own, reference->blockTransform());
    points.append(own);
}

void Add_Entity_Outline_Points(const ZcDbEntity* entity, ZcGePoint2dArray& points)
{
    Ucs_Entity_Pair pair(entity);
    Add_Shape_Points(pair.Entity(), ZcDbBlockReference::cast(entity), false, points);
}

void Thin_Outline_Points(ZcGePoint2dArray& points)
{
    if (points.length() < 3000)
        return;
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    Get_Points_Extents(points, min_x, max_x, min_y, max_y);
    // A cloud without width or height has no inside to drop.
    if (max_x - min_x <= 0.0 || max_y - min_y <= 0.0)
        return;
    const double cell_w = (max_x - min_x) / Grid, cell_h = (max_y - min_y) / Grid;
    std::vector<ZcGePoint2dArray> cells(Grid * Grid);
    std::vector<char> occupied(Grid * Grid, 0);
    for (int i = 0; i < points.length(); ++i) {
        const int column = static_cast<int>(std::min(99.0, (points[i].x - min_x) / cell_w));
        const int row = static_cast<int>(std::min(99.0, (points[i].y - min_y) / cell_h));
        cells[column * Grid + row].append(points[i]);
        occupied[column * Grid + row] = 1;
    }
    // The first and last occupied column of each row and row of each column.
    std::vector<int> row_first(Grid, Grid), row_last(Grid, -1), column_first(Grid, Grid), column_last(Grid, -1);
    for (int column = 0; column < Grid; ++column)
        for (int row = 0; row < Grid; ++row)
            if (occupied[column * Grid + row]) {
                row_first[row] = std::min(row_first[row], column);
                row_last[row] = std::max(row_last[row], column);
                column_first[column] = std::min(column_first[column], row);
                column_last[column] = std::max(column_last[column], row);
            }
    points.removeAll();
    for (int column = 0; column < Grid; ++column)
        for (int row = 0; row < Grid; ++row) {
            const bool inner = column >= 2 && column <= 97 && row >= 2 && row <= 97 && row_first[row] < column &&
                               row_last[row] > column && column_first[column] < row && column_last[column] > row;
            if (!inner)
                points.append(cells[column * Grid + row]);
        }
}

bool Point_In_Box(const ZcGePoint2d& point, const ZcGePoint2d& lower_left, const ZcGePoint2d& upper_right)
{
    return lower_left.x <= point.x && point.x <= upper_right.x && lower_left.y <= point.y && point.y <= upper_right.y;
}

bool Grow_Scale_To_Cover(double bound, const ZcGePoint2dArray& lower_lefts, const ZcGePoint2dArray& upper_rights,
                         const ZcGePoint2dArray& points, const ZcGePoint2d& area_centre, const ZcGePoint2d& position,
                         double& scale)
{
    const ZcGeVector2d move = position - area_centre;
    std::vector<char> covered(points.length(), 0);
    int uncovered = points.length();
    for (int pass = 0;; ++pass) {
        if (uncovered == 0)
            return true;
        const ZcGeMatrix2d grow = ZcGeMatrix2d::scaling(scale, position);
        ZcGePoint2dArray lows = lower_lefts, highs = upper_rights;
        for (int s = 0; s < lows.length(); ++s) {
            lows[s] = (lows[s] + move).transformBy(grow);
            highs[s] = (highs[s] + move).transformBy(grow);
        }
        Cover_Points(lows, highs, points, covered, uncovered);
        if (uncovered > 0) {
            scale *= 1.02;
            if (g_Plot_Config.TK_Scale_Step >= 2) {
                double rounded = scale * 1.01;
                Round_TK_Scale(rounded);
                scale = std::max(scale, rounded / 1.01);
            }
        }
        if (bound < scale + 0.000001 || pass >= 500)
            return false;
    }
}

void Fit_Frame_To_Points(double& scale, const ZcGePoint2dArray& lower_lefts, const ZcGePoint2dArray& upper_rights,
                         const ZcGePoint2dArray& points, const ZcGePoint2d& area_centre, ZcGePoint2d& position)
{
    if (points.isEmpty())
        return;
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    Get_Points_Extents(points, min_x, max_x, min_y, max_y);
    const double sx = (max_x - min_x) / 50, sy = (max_y - min_y) / 50;
    const double start = scale;
    double best = start * 10000;
    ZcGePoint2d best_position = position;

    double first = start;
    if (Grow_Scale_To_Cover(best, lower_lefts, upper_rights, points, area_centre, position, first)) {
        best = first;
        if (best <= start + 0.00001)
            return;
    }
    for (int i = 0; i <= 10; ++i) {
        bool fitted = false;  // the start scale fits: the rest of this i is skipped
        for (int j = 0; j <= 10 && !fitted; ++j) {
            if (i == 0 && j == 0)
                continue;
            const int offsets[4][2] = {{i, j}, {i, -j}, {-i, -j}, {-i, j}};
            const bool tried[4] = {true, j != 0, i != 0 && j != 0, i != 0};
            for (int k = 0; k < 4 && !fitted; ++k) {
                if (!tried[k])
                    continue;
                Try_Fit_Offset(offsets[k][0], offsets[k][1], sx, sy, start, lower_lefts, upper_rights, points,
                               area_centre, position, best, best_position);
                fitted = best <= start + 0.00001;
            }
        }
    }
    if (best < start * 1000) {
        scale = best;
        position = best_position;
    }
}

void Fit_Frame_Around_Ids(double& scale, const ZcDbObjectIdArray& ids, const ZcGePoint2d& area_centre,
                          ZcGePoint2d& position)
{
    ZcGePoint2dArray lower_lefts, upper_rights, points;
    Build_Area_Strips(lower_lefts, upper_rights);
    for (int i = 0; i < ids.length(); ++i) {
        ZcDbObjectPointer<ZcDbEntity> entity(ids[i], ZcDb::kForRead);
        if (entity.openStatus() == Zcad::eOk)
            Add_Entity_Outline_Points(entity.object(), points);
    }
    Thin_Outline_Points(points);
    Fit_Frame_To_Points(scale, lower_lefts, upper_rights, points, area_centre, position);
}
