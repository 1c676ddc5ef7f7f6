// The areas of the old batch plot: collected by selection prompts in five frame modes,
// then cleaned and ordered.
#include <algorithm>

#include "core/erase_helpers.h"
#include "core/make_entities.h"
#include "core/selection_helpers.h"
#include "core/space_helpers.h"
#include "core/ucs_transform.h"
#include "db/dbblkref.h"
#include "db/dbsymtb.h"
#include "ed/prompts.h"
#include "plot/old_plot_setting.h"
#include "sheets/exact_extents.h"
#include "sheets/frame_candidates.h"
#include "sheets/sort_frames.h"

namespace {

constexpr double Inside_Tolerance = 1e-5;
constexpr uint32_t Red = 1;

// The two diagonals of the box in red, in world coordinates; their ids are appended.
void Draw_Crossing_Lines(const ZcGePoint3d& first, const ZcGePoint3d& second, ZcDbObjectIdArray& lines)
{
    const ZcGePoint3d corners[4] = {first, second, ZcGePoint3d(first.x, second.y, 0.0),
                                    ZcGePoint3d(second.x, first.y, 0.0)};
    for (int i = 0; i < 4; i += 2) {
        ZcGePoint3d from = corners[i], to = corners[i + 1];
        g_Ucs.Ucs_To_World(from);
        g_Ucs.Ucs_To_World(to);
        ZcDbObjectId id;
        Make_Line(id, from.x, from.y, to.x, to.y, Red, ZcDbObjectId::kNull, ZcDbObjectId::kNull);
        if (!id.isNull())
            lines.append(id);
    }
}

// Removes the last two crossing lines from the list and erases them.
void Erase_Last_Crossing_Lines(ZcDbObjectIdArray& lines)
{
    ZcDbObjectIdArray last;
    for (int i = 0; i < 2 && !lines.isEmpty(); ++i) {
        last.append(lines.last());
        lines.removeLast();
    }
    Erase_Entities(last);
}

bool Is_Inside(const ZcGePoint3d& lower, const ZcGePoint3d& upper, const ZcGePoint3d& outer_lower,
               const ZcGePoint3d& outer_upper)
{
    return outer_lower.x - Inside_Tolerance <= lower.x && outer_lower.y - Inside_Tolerance <= lower.y &&
           outer_upper.x + Inside_Tolerance >= upper.x && outer_upper.y + Inside_Tolerance >= upper.y;
}

}  // namespace

void Old_Plot_Setting::Add_Area(const ZcGePoint3d& lower, const ZcGePoint3d& upper)
{
    Lower_Corners.append(lower);
    Upper_Corners.append(upper);
}

void Old_Plot_Setting::Compute_Centres()
{
    Centres.removeAll();
    for (int i = 0; i < Area_Count(); ++i)
        Centres.append(ZcGePoint3d((Lower_Corners[i].x + Upper_Corners[i].x) / 2.0,
                                   (Lower_Corners[i].y + Upper_Corners[i].y) / 2.0,
                                   (Lower_Corners[i].z + Upper_Corners[i].z) / 2.0));
}

void Old_Plot_Setting::Set_Areas_From_Entities(const ZcDbObjectIdArray& ids)
{
    Lower_Corners.removeAll();
    Upper_Corners.removeAll();
    for (const ZcDbObjectId& id : ids) {
        const ZcDbExtents extents = Get_Entity_Extents_By_Id(id);
        Add_Area(extents.minPoint(), extents.maxPoint());
    }
    Compute_Centres();
}

void Old_Plot_Setting::Collect_Block_Frames()
{
    if (Chosen_Blocks.IsEmpty()) {
        zcedAlert(L"请先选择指定图块名 !");
        return;
    }
    ZcDbObjectIdArray ids;
    if (!Select_By_Type(L"\n选择打印范围<全部>：", L"insert", ids, true, false))
        return;
    ZcDbObjectIdArray frames;
    for (const ZcDbObjectId& id : ids) {
        ZcDbObjectPointer<ZcDbBlockReference> reference(id, ZcDb::kForRead);
        if (reference.openStatus() != Zcad::eOk)
            continue;
        const int at = Drawing_Block_Ids.find(reference->blockTableRecord());
        if (at >= 0 && Find_Block_Name(Drawing_Blocks[at]) >= 0)
            frames.append(id);
    }
    Set_Areas_From_Entities(frames);
}

void Old_Plot_Setting::Collect_Layer_Rectangles()
{
    if (Chosen_Layers.IsEmpty()) {
        zcedAlert(L"请先选择指定图层名 !");
        return;
    }
    ZcDbObjectIdArray ids;
    if (!Select_By_Type(L"\n选择打印范围<全部>：", L"LWPOLYLINE", ids, true, false))
        return;
    ZcDbObjectIdArray frames;
    for (const ZcDbObjectId& id : ids) {
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
        if (entity.openStatus() != Zcad::eOk || !Is_Rect_Polyline(entity))
            continue;
        const int at = Drawing_Layer_Ids.find(entity->layerId());
        if (at >= 0 && Find_Layer_Name(Drawing_Layers[at]) >= 0)
            frames.append(id);
    }
    Set_Areas_From_Entities(frames);
}

void Old_Plot_Setting::Collect_Rectangles()
{
    ZcDbObjectIdArray ids;
    if (!Select_By_Type(L"\n选择代表打印范围的矩形：", L"LWPOLYLINE", ids, false, false))
        return;
    ZcDbObjectIdArray frames;
    for (const ZcDbObjectId& id : ids) {
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
        if (entity.openStatus() == Zcad::eOk && Is_Rect_Polyline(entity))
            frames.append(id);
    }
    Set_Areas_From_Entities(frames);
}

void Old_Plot_Setting::Collect_Window_Points()
{
    Lower_Corners.removeAll();
    Upper_Corners.removeAll();
    Centres.removeAll();
    ZcDbObjectIdArray lines;
    for (;;) {
        ads_point first = {0.0, 0.0, 0.0};
        const wchar_t* second_prompt = L"\n选择打印范围第二点:";
        if (Area_Count() == 0) {
            if (zcedGetPoint(nullptr, L"\n选择打印范围第一点:", first) != RTNORM)
                break;
        } else {
            zcedInitGet(0, L"u U");
            const int result = zcedGetPoint(nullptr, L"\n选择打印范围第一点[U-Undo]:", first);
            if (result == RTKWORD) {
                Lower_Corners.removeLast();
                Upper_Corners.removeLast();
                Erase_Last_Crossing_Lines(lines);
                continue;
            }
            if (result != RTNORM)
                break;
            second_prompt = L"\n选择打印范围第二点[回车完成选择]:";
        }
        ads_point second = {0.0, 0.0, 0.0};
        if (zcedGetPoint(first, second_prompt, second) != RTNORM)
            break;
        const ZcGePoint3d lower(first[0], first[1], first[2]), upper(second[0], second[1], second[2]);
        Add_Area(lower, upper);
        Draw_Crossing_Lines(lower, upper, lines);
    }
    Erase_Entities(lines);
    Compute_Centres();
}

void Old_Plot_Setting::Collect_Selection_Sets()
{
    Lower_Corners.removeAll();
    Upper_Corners.removeAll();
    Centres.removeAll();
    ZcDbObjectIdArray lines;
    for (;;) {
        ZcDbObjectIdArray ids;
        if (!Select_With_Prompt(L"\n选择打印图集:", ids, false, false))
            break;
        ZcDbExtents extents;
        Get_Ids_Extents(extents, ids);
        const ZcGePoint3d lower(extents.minPoint().x - Margin, extents.minPoint().y - Margin, 0.0);
        const ZcGePoint3d upper(extents.maxPoint().x + Margin, extents.maxPoint().y + Margin, 0.0);
        Add_Area(lower, upper);
        Draw_Crossing_Lines(lower, upper, lines);
    }
    Erase_Entities(lines);
    Compute_Centres();
}

void Old_Plot_Setting::Collect_Areas(int frame_mode)
{
    switch (frame_mode) {
    case Old_Mode_Blocks:
        return Collect_Block_Frames();
    case Old_Mode_Layers:
        return Collect_Layer_Rectangles();
    case Old_Mode_Rectangles:
        return Collect_Rectangles();
    case Old_Mode_Windows:
        return Collect_Window_Points();
    case Old_Mode_Sets:
        return Collect_Selection_Sets();
    default:
        return;
    }
}

void Old_Plot_Setting::Clean_Areas()
{
    const int count = Area_Count();
    for (int i = 0; i < count; ++i) {
        ZcGePoint3d& lower = Lower_Corners[i];
        ZcGePoint3d& upper = Upper_Corners[i];
        const ZcGePoint3d a = lower, b = upper;
        lower.set(std::min(a.x, b.x), std::min(a.y, b.y), 0.0);
        upper.set(std::max(a.x, b.x), std::max(a.y, b.y), 0.0);
    }
    for (int i = 0; i < count; ++i)
        for (int j = 0; j < count; ++j)
            if (i != j && Is_Inside(Lower_Corners[i], Upper_Corners[i], Lower_Corners[j], Upper_Corners[j])) {
                Lower_Corners[i] = ZcGePoint3d::kOrigin;
                Upper_Corners[i] = ZcGePoint3d::kOrigin;
            }
    if (Centres.length() != count)
        Compute_Centres();
    for (int i = count - 1; i >= 0; --i)
        if (!(Upper_Corners[i].x - Lower_Corners[i].x > 0.0) || !(Upper_Corners[i].y - Lower_Corners[i].y > 0.0)) {
            Lower_Corners.removeAt(i);
            Upper_Corners.removeAt(i);
            Centres.removeAt(i);
        }
}

void Old_Plot_Setting::Order_Areas()
{
    Clean_Areas();
    if (Print_Order < 1 || Print_Order > 8)
        return;
    ZcArray<ZcGePoint3d> lowers = Lower_Corners, uppers = Upper_Corners, centres = Centres;
    Lower_Corners.removeAll();
    Upper_Corners.removeAll();
    Centres.removeAll();
    while (!lowers.isEmpty()) {
        ZcArray<ZcGePoint3d> min_copy = lowers, max_copy = uppers;
        const int first = Sort_Frames(min_copy, max_copy, Print_Order);
        Lower_Corners.append(lowers[first]);
        Upper_Corners.append(uppers[first]);
        Centres.append(centres[first]);
        lowers.removeAt(first);
        uppers.removeAt(first);
        centres.removeAt(first);
    }
}
