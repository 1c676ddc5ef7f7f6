// Frame detection: selection or space walk, candidates, sheets, clean-up.
#include "sheets/frame_detection.h"

#include <climits>
#include <cwchar>
#include <cmath>
#include <unordered_map>

#include "core/command_context.h"
#include "core/detection_feedback.h"
#include "core/hidden_layers.h"
#include "core/layer_helpers.h"
#include "core/plot_config.h"
#include "core/selection_helpers.h"
#include "sheets/sort_helpers.h"
#include "core/space_helpers.h"
#include "core/ucs_transform.h"
#include "db/dbblkref.h"
#include "db/dbdatabase.h"
#include "db/dbdict.h"
#include "db/dbents.h"
#include "db/dblayout.h"
#include "db/dbpl.h"
#include "db/dbpoly.h"
#include "db/dbsymtb.h"
#include "ed/command_line.h"
#include "ed/selection.h"
#include "sheets/exact_extents.h"
#include "sheets/frame_cleanup.h"
#include "sheets/loose_line_frames.h"
#include "sheets/space_choice.h"

namespace {

constexpr int Candidate_Batch = 50;
constexpr int Max_Prompt = 511;

const wchar_t* const Marker_Layer_Name = L"Temp_PlotLayer";
const wchar_t* const Progress_Title = L"计算图框............";
constexpr int Progress_Range = 10;

bool Is_Polyline(const ZcDbEntity* entity)
{
    return ZcDbPolyline::cast(entity) != nullptr || ZcDb2dPolyline::cast(entity) != nullptr ||
           ZcDb3dPolyline::cast(entity) != nullptr;
}

// Deletes the sheets and empties the lists a detection fills; the papers stay.
void Reset_Set(Plot_Sheet_Set& set)
{
    set.Largest_Width = 0;
    set.Largest_Height = 0;
    set.Plot_List.RemoveAll();
    Delete_All_Objects(set.All_Sheets);
    set.Frame_Blocks.removeAll();
    set.Non_Frame_Blocks.removeAll();
}

int Truncate_To_Int(double value)
{
    if (!(value < static_cast<double>(INT_MAX)))
        return INT_MAX;
    if (!(value > static_cast<double>(INT_MIN)))
        return INT_MIN;
    return static_cast<int>(value);
}

// Order indexes from the examined list, and the largest frame's size.
void Finish_Set(Plot_Sheet_Set& set, const ZcDbObjectIdArray& examined)
{
    // Only the sources of the sheets are looked up: one pass over the examined list.
    std::unordered_map<ZcDbObjectId, int> first_position;
    for (INT_PTR i = 0; i < set.All_Sheets.GetSize(); ++i)
        first_position.emplace(set.All_Sheets[i]->Source_Ids[0], -1);
    for (int i = 0; i < examined.length(); ++i) {
        const auto found = first_position.find(examined[i]);
        if (found != first_position.end() && found->second < 0)
            found->second = i;
    }
    double largest = 0.0;
    for (INT_PTR i = 0; i < set.All_Sheets.GetSize(); ++i) {
        Plot_Drawing1* sheet = set.All_Sheets[i];
        sheet->Order_Index = first_position[sheet->Source_Ids[0]];
        const double area = (sheet->Width * 0.001) * (sheet->Height * 0.001);
        if (area > largest) {
            largest = area;
            set.Largest_Width = Truncate_To_Int(sheet->Width);
            set.Largest_Height = Truncate_To_Int(sheet->Height);
        }
    }
}

// Deletes every element at once (the working lists can be long).
template <class Array>
void Delete_Working_List(Array& list)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        delete list[i];
    list.RemoveAll();
}

}  // namespace

int Select_Frame_Entities(const wchar_t* prompt, const wchar_t* type_1, const wchar_t* type_2, const wchar_t* type_3,
                          const wchar_t* type_4, ZcDbObjectIdArray& ids)
{
    ids.removeAll();
    wchar_t text[Max_Prompt + 1] = {};
    if (prompt != nullptr)
        std::wcsncpy(text, prompt, Max_Prompt);
    const wchar_t* prompts[2] = {text, L""};
    resbuf filter[6] = {};
    const wchar_t* values[6] = {L"<or", type_1, type_2, type_3, type_4, L"or>"};
    for (int i = 0; i < 6; ++i) {
        filter[i].restype = static_cast<short>(i == 0 || i == 5 ? -4 : 0);
        filter[i].resval.rstring = const_cast<wchar_t*>(values[i] != nullptr ? values[i] : L"");
        filter[i].rbnext = i < 5 ? &filter[i + 1] : nullptr;
    }
    ads_name set = {0, 0};
    const int status = zcedSSGet(L"_:$", prompts, nullptr, filter, set);
    if (status == RTERROR)
        return Frame_Selection_Enter;
    if (status != RTNORM)
        return Frame_Selection_None;
    SelSet_To_Ids(set, ids);
    return ids.isEmpty() ? Frame_Selection_None : Frame_Selection_Made;
}

void Make_Candidate(int kind, const ZcDbEntity* entity, Temp_Id_Array& list)
{
    const ZcDbExtents extents = Get_Entity_Extents(entity);
    const ZcGePoint3d& low = extents.minPoint();
    const ZcGePoint3d& high = extents.maxPoint();
    const ZcGePoint3d min_corner(low.x, low.y, 0.0), max_corner(high.x, high.y, 0.0);
    const double dx = max_corner.x - min_corner.x, dy = max_corner.y - min_corner.y;
    if (kind == Candidate_Line) {
        const double d = min_corner.distanceTo(max_corner) * 0.002;
        if (dx > d && dy > d)
            return;
    }
    Temp_Id* candidate = new Temp_Id;
    candidate->Kind = kind;
    candidate->Entity_Id = entity->objectId();
    candidate->Extents = extents;
    candidate->Min_Corner = min_corner;
    candidate->Max_Corner = max_corner;
    candidate->Area = kind == Candidate_Line ? 0.0 : (dy * 0.001) * (dx * 0.001);
    list.Add(candidate);
}

void Make_Candidate(int kind, ZcDbObjectId entity_id, Temp_Id_Array& list)
{
    ZcDbObjectPointer<ZcDbEntity> entity(entity_id, ZcDb::kForRead);
    if (entity.openStatus() == Zcad::eOk)
        Make_Candidate(kind, entity.object(), list);
}

void Classify_Frame_Candidates(const ZcDbObjectIdArray& ids, Temp_Id_Array& candidates, Temp_Id_Array& lines)
{
    const bool blocks = g_Plot_Config.Frames_All_Blocks != 0 || g_Plot_Config.Frames_Rect_Blocks != 0;
    const bool loose_lines = g_Plot_Config.Frames_Loose_Lines != 0;
    for (int i = 0; i < ids.length(); ++i) {
        ZcDbObjectPointer<ZcDbEntity> entity(ids[i], ZcDb::kForRead);
        if (entity.openStatus() != Zcad::eOk)
            continue;
        if (ZcDbBlockReference::cast(entity.object()) != nullptr) {
            if (blocks)
                Make_Candidate(Candidate_Block, entity.object(), candidates);
            continue;
        }
        if (!Is_Entity_Shown(entity.object()))
            continue;
        if (Is_Polyline(entity.object()))
            Make_Candidate(Candidate_Polyline, entity.object(), candidates);
        else if (loose_lines && ZcDbLine::cast(entity.object()) != nullptr)
            Make_Candidate(Candidate_Line, entity.object(), lines);
    }
}

void Search_Frames_In_Ids(const ZcDbObjectIdArray& ids, ZcDbObjectId space_id, ZcDbObjectId layer_id,
                          ZcDbObjectIdArray& frame_blocks, ZcDbObjectIdArray& non_frame_blocks, Sheet_Array& result,
                          Detection_Feedback& feedback)
{
    Temp_Id_Array candidates, lines;
    feedback.Progress_Step();
    Classify_Frame_Candidates(ids, candidates, lines);
    feedback.Progress_Step();
    Sort_By_Key(candidates);

    const bool all_blocks = g_Plot_Config.Frames_All_Blocks != 0;
    const bool rect_blocks = g_Plot_Config.Frames_Rect_Blocks != 0;
    // Candidates consumed by a batch stay in the list, marked done, until the purge after
    // the loop: the walk skips them as if they were gone, and the grid stays valid.
    Candidate_Grid grid(candidates, 0);
    Sheet_Array batch;
    bool any_done = false;
    for (INT_PTR j = 0; j < candidates.GetSize(); ++j) {
        Temp_Id* candidate = candidates[j];
        if (candidate->Done)
            continue;
        if (batch.GetSize() >= Candidate_Batch) {
            feedback.Progress_Step();
            Remove_Small_Or_Inner_Frames(batch);
            any_done = grid.Consume(batch, static_cast<int>(j + 1)) || any_done;
            result.Append(batch);
            batch.RemoveAll();
        }
        if (candidate->Kind == Candidate_Polyline) {
            if (candidate->Make_Sheet_From_PLine(batch, space_id, layer_id)) {
                candidate->Done = true;
                any_done = true;
            }
        } else if (candidate->Kind == Candidate_Block) {
            if (all_blocks)
                candidate->Make_Sheet_From_Block(batch, space_id, layer_id);
            else if (rect_blocks)
                candidate->Make_Sheet_From_Block_Shape(result, space_id, layer_id, frame_blocks,
                                                       non_frame_blocks);
            candidate->Done = true;
            any_done = true;
        }
    }
    if (any_done)
        Purge_Done_Candidates(candidates, 0);
    result.Append(batch);
    batch.RemoveAll();

    if (g_Plot_Config.Frames_Loose_Lines != 0) {
        feedback.Progress_Step();
        Remove_Small_Or_Inner_Frames(result);
        candidates.Append(lines);
        lines.RemoveAll();
        Temp_Line_Array horizontals, verticals;
        Collect_Line_Segments(result, candidates, horizontals, verticals);
        Build_Rects_From_Lines(horizontals, verticals, space_id, layer_id, result, feedback);
        Delete_Working_List(horizontals);
        Delete_Working_List(verticals);
    }
    feedback.Progress_Step();
    Remove_Small_Or_Inner_Frames(result);
    Delete_Working_List(candidates);
    Delete_Working_List(lines);
}

void Detect_Frames_In_Space(Plot_Sheet_Set& set, ZcDbObjectIdArray& ids, ZcDbObjectId space_id,
                            Detection_Feedback& feedback)
{
    if (!space_id.isNull())
        Activate_Layout_Of_Block(space_id);
    Switch_To_Paper_Space();
    g_Ucs.Capture(true);

    ZcDbObjectId layer_id;
    Ensure_Layer(layer_id, Marker_Layer_Name);
    for (int kind = Layer_Off; kind <= Layer_Plottable; ++kind)
        Set_Layer_State(layer_id, kind, false);

    Sheet_Array result;
    Search_Frames_In_Ids(ids, space_id, layer_id, set.Frame_Blocks, set.Non_Frame_Blocks, result, feedback);
    if (g_Plot_Config.Skip_Empty_Frames != 0) {
        feedback.Progress_Step();
        Remove_Empty_Frames(result);
    }
    set.All_Sheets.Append(result);
}

bool Find_Plot_Frames(Plot_Sheet_Set& set, Detection_Feedback& feedback)
{
    Reset_Set(set);
    ZcDbObjectIdArray selection;
    const int selected = Select_Frame_Entities(L"\n选择打印范围：( 回车自动进行模型/布局遍历 )", L"LINE", L"LWPOLYLINE",
                                               L"POLYLINE", L"insert", selection);
    if (selected == Frame_Selection_None)
        return false;

    ZcDbObjectIdArray examined;
    if (selected == Frame_Selection_Made) {
        feedback.Progress_Begin(Progress_Title, Progress_Range);
        examined = selection;
        Detect_Frames_In_Space(set, selection, ZcDbObjectId(), feedback);
        feedback.Progress_End();
    } else {
        const int choice = Choose_Spaces(feedback);
        if (choice < 0)
            return false;
        set.Start_Space_Id = Current_Space_Id();
        ZcDbObjectIdArray spaces;
        Spaces_Of_Choice(choice, set.Start_Space_Id, spaces);
        feedback.Progress_Begin(Progress_Title, Progress_Range);
        for (int i = 0; i < spaces.length(); ++i) {
            ZcDbObjectIdArray ids;
            Collect_Space_Entity_Ids(ids, spaces[i], false);
            examined.append(ids);
            Detect_Frames_In_Space(set, ids, spaces[i], feedback);
        }
        feedback.Progress_End();
        Activate_Layout_Of_Block(set.Start_Space_Id);
    }

    Finish_Set(set, examined);
    if (set.All_Sheets.GetSize() > 0)
        return true;
    zcutPrintf(g_Plot_Config.Skip_Empty_Frames != 0 ? L"\n排除空白矩形后，未选择到满足要求的打印外框！！！"
                                                    : L"\n未选择到满足要求的打印外框！！！");
    return false;
}
