// Rectangle tests of polylines and block outlines, and the sheets made from candidates.
#include "sheets/frame_candidates.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/hidden_layers.h"
#include "core/ucs_transform.h"
#include "db/dbblkref.h"
#include "db/dbdynblk.h"
#include "db/dbents.h"
#include "db/dbimage.h"
#include "db/dbpl.h"
#include "db/dbpoly.h"
#include "db/dbsymtb.h"
#include "sheets/exact_extents.h"
#include "sheets/sheet_records.h"

namespace {

constexpr double Merge_Distance = 1e-5;

// The position of every vertex entity of a heavy polyline, in order.
template <class Polyline, class Vertex>
void Heavy_Vertices(const Polyline* polyline, std::vector<ZcGePoint3d>& points)
{
    ZcDbObjectIterator* iterator = polyline->vertexIterator();
    if (iterator == nullptr)
        return;
    for (iterator->start(); !iterator->done(); iterator->step()) {
        if (!iterator->objectId().isNull()) {
            ZcDbObjectPointer<Vertex> vertex(iterator->objectId(), ZcDb::kForRead);
            if (vertex.openStatus() == Zcad::eOk)
                points.push_back(vertex->position());
        } else if (const Vertex* vertex = Vertex::cast(iterator->entity())) {
            points.push_back(vertex->position());
        }
    }
    delete iterator;
}

// The vertices of a light, 2D or 3D polyline and its closed flag; false for other entities.
bool Raw_Vertices(const ZcDbEntity* entity, std::vector<ZcGePoint3d>& points, bool& closed, bool& light)
{
    points.clear();
    closed = false;
    light = false;
    if (const ZcDbPolyline* polyline = ZcDbPolyline::cast(entity)) {
        light = true;
        closed = polyline->isClosed();
        for (unsigned int i = 0; i < polyline->numVerts(); ++i) {
            ZcGePoint2d point;
            polyline->getPointAt(i, point);
            points.emplace_back(point.x, point.y, 0.0);
        }
        return true;
    }
    if (const ZcDb2dPolyline* polyline = ZcDb2dPolyline::cast(entity)) {
        closed = polyline->isClosed();
        Heavy_Vertices<ZcDb2dPolyline, ZcDb2dVertex>(polyline, points);
        return true;
    }
    if (const ZcDb3dPolyline* polyline = ZcDb3dPolyline::cast(entity)) {
        closed = polyline->isClosed();
        Heavy_Vertices<ZcDb3dPolyline, ZcDb3dPolylineVertex>(polyline, points);
        return true;
    }
    return false;
}

double Distance_2d(const ZcGePoint2d& a, const ZcGePoint2d& b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Of two consecutive points closer than the merge distance the first goes.
void Merge_Close_Points(std::vector<ZcGePoint2d>& points)
{
    std::vector<ZcGePoint2d> kept;
    kept.reserve(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        if (i + 1 < points.size() && Distance_2d(points[i], points[i + 1]) < Merge_Distance)
            continue;
        kept.push_back(points[i]);
    }
    points.swap(kept);
}

// Block point -> outermost space (with the stack) -> UCS.
ZcGePoint2d To_Ucs(ZcGePoint2d point, bool use_stack, const Transform_Stack& stack)
{
    if (use_stack)
        Transform_By_Stack(point, stack);
    g_Ucs.World_To_Ucs_2d(point);
    return point;
}

// The target box of a block outline test and the edges seen so far in one definition.
struct Outline_Target {
    double X0, X1, Y0, Y1, Tolerance;
    bool Left = false, Right = false, Top = false, Bottom = false;

    bool All_Edges() const { return Left && Right && Top && Bottom; }
    void Match(const ZcGePoint2d& p, const ZcGePoint2d& q)
    {
        const ZcGePoint2d lower_left(X0, Y0), upper_left(X0, Y1), lower_right(X1, Y0), upper_right(X1, Y1);
        if (Is_Edge_Match(p, q, lower_left, upper_left, Tolerance)) Left = true;
        if (Is_Edge_Match(p, q, lower_right, upper_right, Tolerance)) Right = true;
        if (Is_Edge_Match(p, q, upper_left, upper_right, Tolerance)) Top = true;
        if (Is_Edge_Match(p, q, lower_left, lower_right, Tolerance)) Bottom = true;
    }
};

// Definitions being walked, innermost last: a definition that contains a reference to
// itself (directly or further down) ends that branch instead of recursing for ever.
thread_local std::vector<ZcDbObjectId> t_Walked_Blocks;

bool Walk_Outline(const ZcDbBlockReference* reference, const ZcGePoint2d& a, const ZcGePoint2d& b,
                  Transform_Stack& stack);

bool Entity_Draws_Outline(const ZcDbEntity* entity, const ZcGePoint2d& a, const ZcGePoint2d& b,
                          Transform_Stack& stack, Outline_Target& target)
{
    if (const ZcDbBlockReference* nested = ZcDbBlockReference::cast(entity))
        return Walk_Outline(nested, a, b, stack);
    ZcGePoint2d min_corner, max_corner;
    ZcGePoint2dArray vertices;
    if (Test_Polyline_Rect(entity, true, stack, min_corner, max_corner, vertices)) {
        if (std::fabs(min_corner.x - target.X0) < target.Tolerance && std::fabs(max_corner.x - target.X1) < target.Tolerance &&
            std::fabs(min_corner.y - target.Y0) < target.Tolerance && std::fabs(max_corner.y - target.Y1) < target.Tolerance)
            return true;
    }
    for (int i = 0; i + 1 < vertices.length(); ++i)
        target.Match(To_Ucs(vertices[i], true, stack), To_Ucs(vertices[i + 1], true, stack));
    if (const ZcDbLine* line = ZcDbLine::cast(entity)) {
        const ZcGePoint3d start = line->startPoint(), end = line->endPoint();
        target.Match(To_Ucs(ZcGePoint2d(start.x, start.y), true, stack), To_Ucs(ZcGePoint2d(end.x, end.y), true, stack));
    }
    return target.All_Edges();
}

bool Walk_Outline(const ZcDbBlockReference* reference, const ZcGePoint2d& a, const ZcGePoint2d& b,
                  Transform_Stack& stack)
{
    const ZcDbObjectId block_id = reference->blockTableRecord();
    for (const ZcDbObjectId& walked : t_Walked_Blocks)
        if (walked == block_id)
            return false;
    ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id, ZcDb::kForRead);
    if (block.openStatus() != Zcad::eOk)
        return false;
    ZcDbBlockTableRecordIterator* iterator = nullptr;
    if (block->newIterator(iterator) != Zcad::eOk || iterator == nullptr)
        return false;

    stack.append(reference->blockTransform());
    t_Walked_Blocks.push_back(block_id);
    Outline_Target target{std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y), 0.0};
    target.Tolerance = ((target.X1 - target.X0) + (target.Y1 - target.Y0)) / 1500.0;
    bool found = false;
    for (; !found && !iterator->done(); iterator->step()) {
        ZcDbEntity* entity = nullptr;
        if (iterator->getEntity(entity, ZcDb::kForRead) != Zcad::eOk || entity == nullptr)
            continue;
        if (!ZcDbWipeout::cast(entity) && Is_Entity_Shown(entity))
            found = Entity_Draws_Outline(entity, a, b, stack, target);
        entity->close();
    }
    delete iterator;
    t_Walked_Blocks.pop_back();
    stack.removeLast();
    return found;
}

}  // namespace

void Transform_By_Stack(ZcGePoint3d& point, const Transform_Stack& stack)
{
    for (int i = stack.length() - 1; i >= 0; --i)
        point.transformBy(stack[i]);
}

void Transform_By_Stack(ZcGePoint2d& point, const Transform_Stack& stack)
{
    ZcGePoint3d point_3d(point.x, point.y, 0.0);
    Transform_By_Stack(point_3d, stack);
    point.set(point_3d.x, point_3d.y);
}

bool Is_Rect_Polyline(const ZcDbEntity* entity)
{
    const Transform_Stack no_stack;
    ZcGePoint2d min_corner, max_corner;
    ZcGePoint2dArray vertices;
    return Test_Polyline_Rect(entity, false, no_stack, min_corner, max_corner, vertices);
}

bool Test_Polyline_Rect(const ZcDbEntity* entity, bool use_stack, const Transform_Stack& stack,
                        ZcGePoint2d& min_corner, ZcGePoint2d& max_corner, ZcGePoint2dArray& vertices)
{
    min_corner.set(0.0, 0.0);
    vertices.removeAll();
    std::vector<ZcGePoint3d> raw;
    bool closed = false, light = false;
    Raw_Vertices(entity, raw, closed, light);
    std::vector<ZcGePoint2d> points;
    points.reserve(raw.size());
    for (const ZcGePoint3d& point : raw)
        points.emplace_back(point.x, point.y);

    if (points.size() < 4) {
        for (const ZcGePoint2d& point : points)
            vertices.append(point);
        if (closed && !points.empty())
            vertices.append(points.front());
        return false;
    }
    Merge_Close_Points(points);
    for (const ZcGePoint2d& point : points)
        vertices.append(point);
    if (closed && !points.empty())
        vertices.append(points.front());
    if (points.size() != 4 && points.size() != 5)
        return false;

    ZcGePoint2d p[5];
    for (size_t i = 0; i < points.size(); ++i)
        p[i] = To_Ucs(points[i], use_stack, stack);
    const double dx = std::fabs(p[2].x - p[0].x), dy = std::fabs(p[2].y - p[0].y);
    if (!(dx > Merge_Distance && dy > Merge_Distance))
        return false;
    const double t = (dx + dy) / 1000.0;
    if (light) {
        if (points.size() == 4 && !closed)
            return false;
        if (points.size() == 5 && !(Distance_2d(p[0], p[4]) < t))
            return false;
    }
    for (int i = 0; i < 4; ++i) {
        const ZcGePoint2d& from = p[i];
        const ZcGePoint2d& to = p[(i + 1) % 4];
        if (!(std::fabs(to.x - from.x) < t || std::fabs(to.y - from.y) < t))
            return false;
    }
    min_corner.set(p[0].x, p[0].y);
    max_corner.set(p[0].x, p[0].y);
    for (int i = 1; i < 4; ++i) {
        min_corner.set(std::min(min_corner.x, p[i].x), std::min(min_corner.y, p[i].y));
        max_corner.set(std::max(max_corner.x, p[i].x), std::max(max_corner.y, p[i].y));
    }
    return true;
}

bool Block_Has_Frame_Rect(const ZcDbBlockReference* reference, const ZcGePoint2d& a, const ZcGePoint2d& b,
                          Transform_Stack& stack)
{
    return reference != nullptr && Walk_Outline(reference, a, b, stack);
}

bool Is_Edge_Match(const ZcGePoint2d& p, const ZcGePoint2d& q, const ZcGePoint2d& a, const ZcGePoint2d& b,
                   double tolerance)
{
    auto near = [tolerance](const ZcGePoint2d& u, const ZcGePoint2d& v) {
        return std::fabs(u.x - v.x) < tolerance && std::fabs(u.y - v.y) < tolerance;
    };
    return (near(p, a) && near(q, b)) || (near(p, b) && near(q, a));
}

bool Get_Polyline_Vertices(ZcGePoint3dArray& points, const ZcDbPolyline* light, const ZcDb2dPolyline* heavy_2d,
                           const ZcDb3dPolyline* heavy_3d)
{
    points.removeAll();
    const ZcDbEntity* entity = light != nullptr ? static_cast<const ZcDbEntity*>(light)
                               : heavy_2d != nullptr ? static_cast<const ZcDbEntity*>(heavy_2d)
                                                     : static_cast<const ZcDbEntity*>(heavy_3d);
    if (entity == nullptr)
        return false;
    std::vector<ZcGePoint3d> raw;
    bool closed = false, is_light = false;
    Raw_Vertices(entity, raw, closed, is_light);
    std::vector<ZcGePoint2d> flat;
    for (const ZcGePoint3d& point : raw)
        flat.emplace_back(point.x, point.y);
    if (closed && !flat.empty())
        flat.push_back(flat.front());
    Merge_Close_Points(flat);
    for (const ZcGePoint2d& point : flat)
        points.append(ZcGePoint3d(point.x, point.y, 0.0));
    return points.length() > 1;
}

// Sheets made from candidates.

bool Temp_Id::Make_Sheet_From_PLine(Sheet_Array& batch, ZcDbObjectId space_id, ZcDbObjectId layer_id)
{
    bool is_rect = false;
    {
        ZcDbObjectPointer<ZcDbEntity> entity(Entity_Id, ZcDb::kForRead);
        if (entity.openStatus() != Zcad::eOk)
            return false;
        is_rect = Is_Rect_Polyline(entity);
    }
    if (!is_rect)
        return false;
    Plot_Drawing1* sheet = new Plot_Drawing1;
    sheet->Kind = Sheet_From_Polyline;
    sheet->Source_Ids[0] = Entity_Id;
    sheet->Space_Id = space_id;
    if (!sheet->Init_From_Extents(layer_id, Extents, 1.0)) {
        delete sheet;
        return false;
    }
    batch.InsertAt(0, sheet);
    return true;
}

namespace {

// A block sheet from the candidate's extents; null when the fill fails.
Plot_Drawing1* Make_Block_Sheet(const Temp_Id& candidate, double x_scale, ZcDbObjectId space_id,
                                ZcDbObjectId layer_id)
{
    Plot_Drawing1* sheet = new Plot_Drawing1;
    sheet->Kind = Sheet_From_Block;
    sheet->Source_Ids[0] = candidate.Entity_Id;
    sheet->Space_Id = space_id;
    if (!sheet->Init_From_Extents(layer_id, candidate.Extents, std::fabs(x_scale))) {
        delete sheet;
        return nullptr;
    }
    return sheet;
}

}  // namespace

void Temp_Id::Make_Sheet_From_Block(Sheet_Array& batch, ZcDbObjectId space_id, ZcDbObjectId layer_id)
{
    double x_scale = 1.0;
    {
        ZcDbObjectPointer<ZcDbBlockReference> reference(Entity_Id, ZcDb::kForRead);
        if (reference.openStatus() != Zcad::eOk)
            return;
        x_scale = reference->scaleFactors().sx;
    }
    if (Plot_Drawing1* sheet = Make_Block_Sheet(*this, x_scale, space_id, layer_id))
        batch.Add(sheet);
}

void Temp_Id::Make_Sheet_From_Block_Shape(Sheet_Array& sheets, ZcDbObjectId space_id, ZcDbObjectId layer_id,
                                          ZcDbObjectIdArray& frame_blocks, ZcDbObjectIdArray& non_frame_blocks)
{
    double x_scale = 1.0;
    ZcDbObjectId block_id;
    bool is_frame = false;
    bool dynamic = false;
    {
        ZcDbObjectPointer<ZcDbBlockReference> reference(Entity_Id, ZcDb::kForRead);
        if (reference.openStatus() != Zcad::eOk)
            return;
        x_scale = reference->scaleFactors().sx;
        block_id = reference->blockTableRecord();
        if (non_frame_blocks.contains(block_id))
            return;
        if (frame_blocks.contains(block_id)) {
            is_frame = true;
        } else {
            dynamic = ZcDbDynBlockReference(Entity_Id).isDynamicBlock();
            const ZcDbExtents target = Get_Entity_Extents_Ex(reference, false, false);
            Transform_Stack stack;
            is_frame = Block_Has_Frame_Rect(reference, ZcGePoint2d(target.minPoint().x, target.minPoint().y),
                                            ZcGePoint2d(target.maxPoint().x, target.maxPoint().y), stack);
            if (!is_frame && !dynamic)
                non_frame_blocks.append(block_id);
        }
        if (!is_frame)
            return;
    }
    const bool judged_now = !frame_blocks.contains(block_id);
    if (Plot_Drawing1* sheet = Make_Block_Sheet(*this, x_scale, space_id, layer_id)) {
        sheets.Add(sheet);
        if (judged_now && !dynamic)
            frame_blocks.append(block_id);
    }
}
