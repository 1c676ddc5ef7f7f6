#include "titleblock/tk_find_sheets.h"

#include <chrono>
#include <vector>

#include "core/command_context.h"
#include "core/detection_feedback.h"
#include "core/follow_up.h"
#include "core/layer_helpers.h"
#include "core/space_helpers.h"
#include "core/ucs_transform.h"
#include "core/view_helpers.h"
#include "db/dbblkref.h"
#include "db/dbdynblk.h"
#include "db/dbsymtb.h"
#include "ed/command_line.h"
#include "mfc/afxwin.h"
#include "sheets/exact_extents.h"
#include "sheets/frame_detection.h"
#include "sheets/space_choice.h"
#include "titleblock/tk_library.h"

namespace {

const wchar_t* const TK_Marker_Layer_Name = L"Temp_PlotLayer";
const wchar_t* const TK_Progress_Title = L"计算图框............";
constexpr int TK_Progress_Range = 10;
constexpr double Inside_Tolerance = 1e-5;
// The least time between two steps of the progress window (each step repaints it).
constexpr std::chrono::milliseconds Progress_Interval(50);

CString Block_Record_Name(ZcDbObjectId block_id, bool& anonymous)
{
    anonymous = false;
    ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id, ZcDb::kForRead);
    if (block.openStatus() != Zcad::eOk)
        return CString();
    const wchar_t* name = nullptr;
    block->getName(name);
    anonymous = block->isAnonymous();
    return name != nullptr ? CString(name) : CString();
}

bool Lies_Inside(const Plot_Drawing2& inner, const Plot_Drawing2& outer)
{
    return inner.Min_Corner.x >= outer.Min_Corner.x - Inside_Tolerance &&
           inner.Min_Corner.y >= outer.Min_Corner.y - Inside_Tolerance &&
           inner.Max_Corner.x <= outer.Max_Corner.x + Inside_Tolerance &&
           inner.Max_Corner.y <= outer.Max_Corner.y + Inside_Tolerance;
}

void Prepare_Marker_Layer(ZcDbObjectId& layer_id)
{
    Ensure_Layer(layer_id, TK_Marker_Layer_Name);
    for (int kind = Layer_Off; kind <= Layer_Plottable; ++kind)
        Set_Layer_State(layer_id, kind, false);
}

// Steps the progress at most once an interval, the first call at once, so that repainting
// the progress window costs the same however many entities a second are examined.
class Progress_Pacer {
public:
    explicit Progress_Pacer(Detection_Feedback& feedback) : Feedback(feedback) {}
    void Step()
    {
        const Clock::time_point now = Clock::now();
        if (Stepped && now - Last_Step < Progress_Interval)
            return;
        Stepped = true;
        Last_Step = now;
        Feedback.Progress_Step();
    }

private:
    using Clock = std::chrono::steady_clock;
    Detection_Feedback& Feedback;
    bool Stepped = false;
    Clock::time_point Last_Step;
};

}  // namespace

CString TK_Block_Name(const ZcDbBlockReference* reference)
{
    bool anonymous = false;
    CString name = Block_Record_Name(reference->blockTableRecord(), anonymous);
    if (anonymous) {
        const ZcDbObjectId dynamic_id = ZcDbDynBlockReference(reference->objectId()).dynamicBlockTableRecord();
        bool dynamic_anonymous = false;
        const CString dynamic_name = dynamic_id.isNull() ? CString() : Block_Record_Name(dynamic_id, dynamic_anonymous);
        if (!dynamic_name.IsEmpty())
            name = dynamic_name;
    }
    return name;
}

int Select_Inserts(const wchar_t* prompt, const wchar_t* type_name, ZcDbObjectIdArray& ids)
{
    return Select_Frame_Entities(prompt, type_name, nullptr, nullptr, nullptr, ids);
}

void Drop_Inner_TK_Sheets(TK_Sheet_Array& sheets)
{
    const INT_PTR count = sheets.GetSize();
    std::vector<bool> dropped(count, false);
    for (INT_PTR j = 0; j < count; ++j)
        for (INT_PTR k = 0; k < count; ++k)
            if (k != j && !dropped[k] && Lies_Inside(*sheets[j], *sheets[k])) {
                dropped[j] = true;
                break;
            }
    TK_Sheet_Array kept;
    for (INT_PTR j = 0; j < count; ++j) {
        Plot_Drawing2* sheet = sheets[j];
        if (dropped[j] || !(sheet->Max_Corner.x - sheet->Min_Corner.x > 0.0) ||
            !(sheet->Max_Corner.y - sheet->Min_Corner.y > 0.0))
            delete sheet;
        else
            kept.Add(sheet);
    }
    sheets.RemoveAll();
    sheets.Append(kept);
}

void Recognise_TK_Frames(TK_Sheet_List& list, const ZcDbObjectIdArray& ids, ZcDbObjectId space_id,
                         Detection_Feedback& feedback)
{
    if (!space_id.isNull())
        Activate_Layout_Of_Block(space_id);
    Switch_To_Paper_Space();
    g_Ucs.Capture(true);

    Progress_Pacer progress(feedback);
    TK_Sheet_Array found;
    ZcDbExtents overall;
    for (int i = 0; i < ids.length(); ++i) {
        progress.Step();
        ZcDbObjectPointer<ZcDbBlockReference> reference(ids[i], ZcDb::kForRead);
        if (reference.openStatus() != Zcad::eOk)
            continue;
        TK_Customization* tk = g_TK_Library.Find(TK_Block_Name(reference.object()));
        if (tk == nullptr)
            continue;
        Plot_Drawing2* sheet = new Plot_Drawing2;
        sheet->Insert_Id = ids[i];
        sheet->Space_Id = space_id;
        sheet->TK = tk;
        found.Add(sheet);
        overall.addExt(Get_Entity_Extents_Ex(reference.object(), false, false));
    }
    if (found.GetSize() == 0)
        return;

    if (overall.isValid())
        Zoom_To_Include(overall);
    ZcDbObjectId layer_id;
    Prepare_Marker_Layer(layer_id);
    for (INT_PTR i = 0; i < found.GetSize(); ++i) {
        progress.Step();
        found[i]->Set_Extents_And_Marker(layer_id, space_id);
        found[i]->Read_Texts();
    }
    Drop_Inner_TK_Sheets(found);
    list.Sheets.Append(found);
}

bool Find_TK_Sheets(TK_Sheet_List& list, Detection_Feedback& feedback)
{
    Delete_All_Objects(list.Sheets);
    if (g_TK_Library.Records.GetSize() == 0) {
        feedback.Notice(L"图框信息库为空 !\n\n请先在 < 图框信息库管理 > 中进行图框信息录入 !");
        Queue_Follow_Up(L"KV_DivezUrez_3");
        return false;
    }
    ZcDbObjectIdArray selection;
    const int selected = Select_Inserts(L"\n选择打印范围：( 回车自动进行模型/布局遍历 )", L"insert", selection);
    if (selected == Frame_Selection_None)
        return false;
    if (selected == Frame_Selection_Made) {
        feedback.Progress_Begin(TK_Progress_Title, TK_Progress_Range);
        Recognise_TK_Frames(list, selection, ZcDbObjectId(), feedback);
        feedback.Progress_End();
    } else {
        const int choice = Choose_Spaces(feedback);
        if (choice < 0)
            return false;
        list.Start_Space_Id = Current_Space_Id();
        ZcDbObjectIdArray spaces;
        Spaces_Of_Choice(choice, list.Start_Space_Id, spaces);
        feedback.Progress_Begin(TK_Progress_Title, TK_Progress_Range);
        for (int i = 0; i < spaces.length(); ++i) {
            ZcDbObjectIdArray ids;
            Collect_Space_Entity_Ids(ids, spaces[i], false);
            Recognise_TK_Frames(list, ids, spaces[i], feedback);
        }
        feedback.Progress_End();
        Activate_Layout_Of_Block(list.Start_Space_Id);
    }
    for (INT_PTR i = 0; i < list.Sheets.GetSize(); ++i)
        list.Sheets[i]->Seq_No = static_cast<int>(i + 1);
    if (list.Sheets.GetSize() > 0)
        return true;
    zcutPrintf(L"\n未选择到图框！！！");
    return false;
}
