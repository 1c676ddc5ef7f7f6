#include "signstamp/sign_outline.h"

#include <algorithm>
#include <cmath>

#include "core/file_operations.h"
#include "core/point_sets.h"
#include "core/selection_helpers.h"
#include "core/string_helpers.h"
#include "db/dbents.h"
#include "db/dbregion.h"
#include "ed/command_line.h"
#include "ed/host_window.h"
#include "signstamp/dlg_sign.h"
#include "signstamp/sign_filing.h"
#include "ui/progress_window.h"
#include "win/windows.h"

namespace {

constexpr double Tol = Sign_Outline_Tolerance;
constexpr size_t Progress_From = 1001;
constexpr double Least_Size = 200.0;  // width + height below it are enlarged to it

ZcGePoint3d Flat(const ZcGePoint3d& p) { return ZcGePoint3d(p.x, p.y, 0.0); }

void Add_Segment(const ZcGePoint3d& a, const ZcGePoint3d& b, std::vector<Sign_Segment>& pool)
{
    if (Flat(a).distanceTo(Flat(b)) > Tol)
        pool.push_back({Flat(a), Flat(b)});
}

// Pieces of a curve from n equal parameter steps; n is kept to what a signature can hold.
void Add_Param_Chords(const ZcDbCurve& curve, int n, std::vector<Sign_Segment>& pool)
{
    n = std::min(n, Max_Sign_Points);
    double start = 0.0, end = 0.0;
    if (n <= 0 || curve.getStartParam(start) != Zcad::eOk || curve.getEndParam(end) != Zcad::eOk)
        return;
    ZcGePoint3d previous;
    curve.getPointAtParam(start, previous);
    for (int i = 1; i <= n; ++i) {
        ZcGePoint3d point;
        curve.getPointAtParam(start + (end - start) * i / n, point);
        Add_Segment(previous, point, pool);
        previous = point;
    }
}

double Curve_Length(const ZcDbCurve& curve)
{
    double end = 0.0, length = 0.0;
    if (curve.getEndParam(end) != Zcad::eOk || curve.getDistAtParam(end, length) != Zcad::eOk)
        return 0.0;
    return length;
}

int Steps_Of(double length, double step) { return static_cast<int>(std::min(length / step, double(Max_Sign_Points))); }

void Sample_Polyline(const ZcDbPolyline& pline, double step, std::vector<Sign_Segment>& pool)
{
    ZcDbVoidPtrArray pieces;
    pline.explode(pieces);
    bool bent = false;
    for (int i = 0; i < pieces.length(); ++i)
        bent = bent || !static_cast<ZcRxObject*>(pieces[i])->isKindOf(ZcDbLine::desc());
    if (bent) {
        for (int i = 0; i < pieces.length(); ++i)
            if (const auto* piece = ZcDbCurve::cast(static_cast<ZcRxObject*>(pieces[i])))
                Sample_Curve(*piece, step, pool);
    } else {
        std::vector<ZcGePoint3d> points;
        for (unsigned int i = 0; i < pline.numVerts(); ++i) {
            ZcGePoint3d p;
            pline.getPointAt(i, p);
            points.push_back(Flat(p));
        }
        if (pline.isClosed() && points.size() > 2)
            points.push_back(points.front());
        ZcGePoint3d from = points.front();
        for (size_t i = 1; i < points.size(); ++i) {
            if (from.distanceTo(points[i]) <= Tol && i + 1 < points.size())
                continue;
            pool.push_back({from, points[i]});
            from = points[i];
        }
    }
    for (int i = 0; i < pieces.length(); ++i)
        delete static_cast<ZcRxObject*>(pieces[i]);
}

bool Parallel(const ZcGeVector3d& v, const ZcGeVector3d& u, double tolerance)
{
    const ZcGeVector3d n = v.normal();
    return n.crossProduct(u).length() <= tolerance;
}

// Closed polylines through the loops made regions; loops that give none are dropped.
std::vector<std::unique_ptr<ZcDbRegion>> Loops_To_Regions(std::vector<Sign_Loop>& loops)
{
    std::vector<std::unique_ptr<ZcDbRegion>> regions;
    for (size_t i = 0; i < loops.size();) {
        ZcDbPolyline pline;
        for (const ZcGePoint3d& p : loops[i])
            pline.addVertexAt(pline.numVerts(), ZcGePoint2d(p.x, p.y));
        pline.setClosed(true);
        ZcDbVoidPtrArray curves, made;
        curves.append(&pline);
        ZcDbRegion::createFromCurves(curves, made);
        if (made.isEmpty()) {
            loops.erase(loops.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        regions.emplace_back(static_cast<ZcDbRegion*>(made[0]));
        for (int k = 1; k < made.length(); ++k)
            delete static_cast<ZcDbRegion*>(made[k]);
        ++i;
    }
    return regions;
}

std::unique_ptr<ZcDbRegion> Copy_Region(const ZcDbRegion& region)
{
    return std::unique_ptr<ZcDbRegion>(static_cast<ZcDbRegion*>(region.clone()));
}

std::unique_ptr<MyShape> Shape_Of(const Sign_Loop& loop, int kind, double centre_x, double centre_y)
{
    auto shape = std::make_unique<MyShape>();
    shape->Kind = kind;
    for (const ZcGePoint3d& p : loop) {
        shape->Xs.push_back(p.x - centre_x);
        shape->Ys.push_back(p.y - centre_y);
    }
    return shape;
}

}  // namespace

double Sign_Sampling_Step(double width, double height)
{
    const double larger = std::max(width, height);
    const double step = std::max(std::min(width, height), larger / 1000.0) / 50.0;
    return step > 0.0 ? step : 1.0;
}

void Sample_Curve(const ZcDbCurve& curve, double step, std::vector<Sign_Segment>& pool)
{
    if (const auto* line = ZcDbLine::cast(&curve)) {
        Add_Segment(line->startPoint(), line->endPoint(), pool);
        return;
    }
    if (const auto* pline = ZcDbPolyline::cast(&curve)) {
        if (pline->numVerts() >= 2)
            Sample_Polyline(*pline, step, pool);
        return;
    }
    if (const auto* spline = ZcDbSpline::cast(&curve)) {
        Add_Param_Chords(curve, std::max(spline->numControlPoints(), Steps_Of(Curve_Length(curve), step)), pool);
        return;
    }
    ZcGePoint3d start, end;
    curve.getStartPoint(start);
    curve.getEndPoint(end);
    if (start.isEqualTo(end) && !curve.isClosed())
        return;
    int n = Steps_Of(Curve_Length(curve), step);
    n = std::max(n, curve.isClosed() ? 12 : 2);
    Add_Param_Chords(curve, n, pool);
}

size_t Merge_Collinear_Segments(std::vector<Sign_Segment>& pool, double tolerance)
{
    const size_t before = pool.size();
    const bool progress = before >= Progress_From;
    if (progress)
        Progress_Show_Range(L"签名边界直线整理......", static_cast<int>(before), 0);
    for (size_t i = 0; i < pool.size(); ++i) {
        if (progress)
            Progress_Step();
        for (size_t k = i + 1; k < pool.size();) {
            const ZcGePoint3d P = pool[i].Start, Q = pool[i].End, R = pool[k].Start, S = pool[k].End;
            const ZcGeVector3d u = (Q - P).normal();
            ZcGeVector3d to_r = R - P, to_s = S - P;
            if (to_r.length() < 1e-6) to_r = u;
            if (to_s.length() < 1e-6) to_s = u;
            if (!Parallel(to_r, u, tolerance) || !Parallel(to_s, u, tolerance)) {
                ++k;
                continue;
            }
            const std::pair<ZcGePoint3d, ZcGePoint3d> pairs[6] = {{P, R}, {P, S}, {Q, R}, {Q, S}, {P, Q}, {R, S}};
            size_t far = 0;
            for (size_t p = 1; p < 6; ++p)
                if (pairs[p].first.distanceTo(pairs[p].second) > pairs[far].first.distanceTo(pairs[far].second))
                    far = p;
            const double span = pairs[far].first.distanceTo(pairs[far].second);
            if (span > R.distanceTo(S) + P.distanceTo(Q) + Tol) {
                ++k;
                continue;
            }
            pool[i] = {pairs[far].first, pairs[far].second};
            pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(k));
            k = i + 1;
        }
    }
    if (pool.size() < before)
        zcutPrintf(L"\n签名图形中原来的%d条直线被合并为%d条直线\n", static_cast<int>(before), static_cast<int>(pool.size()));
    return pool.size();
}

void Chain_Segments(std::vector<Sign_Segment>& pool, std::vector<Sign_Segment>& leftovers,
                    std::vector<Sign_Loop>& loops, double distance)
{
    while (!pool.empty()) {
        const Sign_Segment first = pool.front();
        pool.erase(pool.begin());
        leftovers.push_back(first);
        Sign_Loop chain{first.Start, first.End};
        std::vector<Sign_Segment> used;
        bool closed = false;
        for (size_t k = 0; k < pool.size() && !closed;) {
            const Sign_Segment segment = pool[k];
            bool extended = true;
            if (segment.Start.distanceTo(chain.back()) <= distance)
                chain.push_back(segment.End);
            else if (segment.End.distanceTo(chain.back()) <= distance)
                chain.push_back(segment.Start);
            else
                extended = false;
            closed = chain.back().distanceTo(chain.front()) <= distance && chain.size() > 2;
            if (extended || closed) {
                used.push_back(segment);
                pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(k));
                k = 0;
            } else {
                ++k;
            }
        }
        if (closed) {
            chain.back() = chain.front();
            loops.push_back(std::move(chain));
            leftovers.pop_back();
        } else {
            pool.insert(pool.end(), used.begin(), used.end());
        }
    }
}

bool Shapes_From_Loops(std::vector<Sign_Loop>& loops, std::vector<std::unique_ptr<MyShape>>& shapes,
                       double centre_x, double centre_y)
{
    std::vector<std::unique_ptr<ZcDbRegion>> regions = Loops_To_Regions(loops);
    if (regions.empty()) {
        zcutPrintf(L"\n签名边线不封闭或签名边线不在X-Y平面内!\n");
        return false;
    }
    Progress_Show_Range(L"签名边界计算......", static_cast<int>(regions.size()), 0);
    std::vector<bool> used(loops.size(), false);
    for (size_t i = 0; i < loops.size(); ++i) {
        Progress_Step();
        if (used[i])
            continue;
        std::unique_ptr<ZcDbRegion> outer = Copy_Region(*regions[i]);
        double area = 0.0;
        outer->getArea(area);
        std::vector<size_t> holes;
        for (size_t j = 0; j < loops.size(); ++j) {
            if (j == i || used[j])
                continue;
            std::unique_ptr<ZcDbRegion> kept = Copy_Region(*outer);
            std::unique_ptr<ZcDbRegion> cut = Copy_Region(*regions[j]);
            if (outer->booleanOper(ZcDb::kBoolSubtract, cut.get()) != Zcad::eOk) {
                outer = std::move(kept);
                continue;
            }
            double left = 0.0;
            outer->getArea(left);
            if (left < area - 1e-9) {
                area = left;
                if (area <= 0.0)
                    break;
                holes.push_back(j);
            }
        }
        if (area <= 0.0)
            continue;
        shapes.push_back(Shape_Of(loops[i], 1, centre_x, centre_y));
        used[i] = true;
        for (size_t j : holes) {
            shapes.push_back(Shape_Of(loops[j], 0, centre_x, centre_y));
            used[j] = true;
        }
    }
    return true;
}

bool Sign_Fits_Entity(const std::vector<std::unique_ptr<MyShape>>& shapes)
{
    size_t points = 0;
    for (const auto& shape : shapes)
        points += shape->Xs.size();
    if (shapes.size() <= static_cast<size_t>(Max_Sign_Loops) && points <= static_cast<size_t>(Max_Sign_Points))
        return true;
    CString text;
    text.Format(L"签名图形过于复杂：共 %d 条边线、%d 个顶点 !\n\n一个签名最多可有 %d 条边线、%d 个顶点。",
                static_cast<int>(shapes.size()), static_cast<int>(points), Max_Sign_Loops, Max_Sign_Points);
    MessageBoxW(adsw_zcadMainWnd(), text, L"Korvel", MB_OK | MB_ICONINFORMATION);
    return false;
}

bool Outline_From_Segments(std::vector<Sign_Segment> pool, KV_Sign& record)
{
    Merge_Collinear_Segments(pool, Tol);
    std::vector<Sign_Segment> leftovers;
    std::vector<Sign_Loop> loops;
    Chain_Segments(pool, leftovers, loops, Tol);
    pool.insert(pool.end(), leftovers.begin(), leftovers.end());
    leftovers.clear();
    double shortest = 1e8;
    for (const Sign_Segment& segment : pool)
        shortest = std::min(shortest, segment.Start.distanceTo(segment.End));
    Chain_Segments(pool, leftovers, loops, shortest / 5.0);

    ZcGePoint3dArray all;
    for (const Sign_Loop& loop : loops)
        for (const ZcGePoint3d& p : loop)
            all.append(p);
    double width = 0.0, height = 0.0;
    ZcGePoint3d centre;
    Get_Points_Box(all, width, height, centre);
    if (width + height > 0.0 && width + height < Least_Size) {
        const double e = Least_Size / (width + height);
        for (Sign_Loop& loop : loops)
            for (ZcGePoint3d& p : loop)
                p = centre + (p - centre) * e;
        width *= e;
        height *= e;
    }

    std::vector<std::unique_ptr<MyShape>> shapes;
    const bool built = Shapes_From_Loops(loops, shapes, centre.x, centre.y);
    Progress_Close();
    if (!built)
        return false;
    if (!Sign_Fits_Entity(shapes))
        return false;
    record.Clear_Shapes();
    record.Shapes = std::move(shapes);
    record.Width = width;
    record.Height = height;
    return true;
}

bool Build_Signature_Outline(KV_Sign& record)
{
    ZcDbObjectIdArray ids;
    if (!Select_With_Prompt(L"\n选择形成签名的边界线：", ids, false, false))
        return false;
    ZcDbExtents extents;
    bool any = false;
    for (int i = 0; i < ids.length(); ++i) {
        ZcDbObjectPointer<ZcDbCurve> curve(ids[i], ZcDb::kForRead);
        ZcDbExtents one;
        if (curve.openStatus() == Zcad::eOk && curve->getGeomExtents(one) == Zcad::eOk) {
            extents.addExt(one);
            any = true;
        }
    }
    if (!any)
        return false;
    const ZcGeVector3d size = extents.maxPoint() - extents.minPoint();
    const double step = Sign_Sampling_Step(size.x, size.y);
    std::vector<Sign_Segment> pool;
    for (int i = 0; i < ids.length(); ++i) {
        ZcDbObjectPointer<ZcDbCurve> curve(ids[i], ZcDb::kForRead);
        if (curve.openStatus() == Zcad::eOk)
            Sample_Curve(*curve.object(), step, pool);
    }
    return Outline_From_Segments(std::move(pool), record);
}

bool New_Signature(Sign_Library& library)
{
    auto record = std::make_unique<KV_Sign>();
    Dlg_Sign dialog(CWnd::FromHandle(adsw_zcadMainWnd()));
    dialog.Sign = record.get();
    if (!Build_Signature_Outline(*record) || dialog.DoModal() != IDOK)
        return false;
    int32_t number = Str_To_Long(Make_Time_Stamp(L"").Mid(4));
    while (library.Find(number) != nullptr)
        ++number;
    record->Person_No = number;
    library.Signs.push_back(std::move(record));
    return true;
}
