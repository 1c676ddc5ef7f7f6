#include "plot/tk_batch_driver.h"

#include "core/command_context.h"
#include "core/command_handlers.h"
#include "core/follow_up.h"
#include "core/plot_option.h"
#include "core/sysvar_helpers.h"
#include "plot/batch_plot_driver.h"
#include "plot/batch_run.h"
#include "plot/batch_window.h"
#include "plot/output_failures.h"
#include "plot/output_folders.h"
#include "signstamp/stamp_choice.h"
#include "signstamp/stamp_inserter.h"
#include "titleblock/tk_sheets.h"
#include "win/win_error.h"
#include "win/windows.h"

namespace {

constexpr int TK_List_Kind = 2;

int TK_List_Size() { return g_TK_Sheet_List != nullptr ? static_cast<int>(g_TK_Sheet_List->Sheets.GetSize()) : 0; }

bool Stamps_Wanted(Plot_Option& option) { return option.Output_Type != Output_Plt && option.Stamps_On != 0; }

// The stamp pictures of the run written for the kinds in use (none for PLT).
void Prepare_Stamps(Stamp_Inserter& stamps, Plot_Option& option)
{
    stamps.Remove_Image_Defs();
    if (option.Output_Type == Output_Plt)
        return;
    stamps.Prepare_Folder();
    if (option.Stamps_On == 0)
        return;
    for (int kind = 1; kind <= 4; ++kind)
        if (Stamp_Use_Flag(option, kind) != 0)
            stamps.Write_Picture(kind, Stamp_Name_Of(option, kind));
}

void Place_Stamps(Stamp_Inserter& stamps, Plot_Option& option, const Plot_Drawing2& sheet)
{
    for (int kind = 1; kind <= 4; ++kind)
        if (Stamp_Use_Flag(option, kind) != 0)
            stamps.Insert_Picture(kind, Stamp_Name_Of(option, kind), sheet.Stamp_Pos[kind - 1], sheet.Plot_Scale,
                                  sheet.Angle, sheet.Space_Id);
}

bool Plot_TK_Sheet(const Plot_Drawing2& sheet, const CString& folder, int position)
{
    return Plot_Batch_Sheet({sheet.Space_Id, sheet.Min_Corner, sheet.Max_Corner, sheet.Width, sheet.Height,
                             sheet.Plot_Scale, sheet.Portrait, sheet.Paper_Name, Join_Line_Breaks(sheet.File_Name)},
                            g_TK_Sheet_List->Papers, folder, position);
}

}  // namespace

bool Plot_BaseFun2(CString& folder, int count)
{
    Plot_Option& option = Option_In_Force();
    folder = Prepare_Batch_Folder(option);
    const bool merging = Merging_Pdf(option);
    File_Dialogs_Off file_dialogs_off;
    const ZcDbObjectId start_space = Current_Space_Id();
    count = count < TK_List_Size() ? count : TK_List_Size();
    // Destroyed before FILEDIA comes back, taking the stamps it placed with it.
    Stamp_Inserter stamps;
    Prepare_Stamps(stamps, option);
    bool any_kind = false;
    for (int kind = 1; kind <= 4; ++kind) any_kind = any_kind || Stamp_Use_Flag(option, kind) != 0;
    if (Stamps_Wanted(option) && any_kind)
        stamps.Settle_Image_Frames(option);

    Batch_Progress_Begin(count);
    ZcArray<int> failed;
    for (int i = 0; i < count; ++i) {
        if (Batch_Take_Stop_Request() && User_Stops()) {
            Finish_Batch_Run(TK_List_Kind, folder, start_space, false);
            return false;
        }
        Batch_Progress_Step();
        const Plot_Drawing2& sheet = *g_TK_Sheet_List->Sheets[i];
        if (Stamps_Wanted(option)) {
            Seed_Stamp_Jitter();
            Place_Stamps(stamps, option, sheet);
        }
        if (!Plot_TK_Sheet(sheet, folder, i))
            failed.append(i);
    }

    if (!failed.isEmpty()) {
        Leave_For_Retry(folder, start_space, failed, count);
        Queue_Follow_Up(L"Plot_BaseFun2_Standby");
        return true;
    }
    Finish_Batch_Run(TK_List_Kind, folder, start_space, merging);
    return true;
}

void Run_Plot_Temp2()
{
    Command_Scope scope;
    CString folder;
    const bool finished = Plot_BaseFun2(folder, TK_List_Size());
    // With failed sheets the retry ends the run and decides.
    if (finished && g_Failed_Sheets.isEmpty())
        Open_Output_Folder(folder, Merging_Pdf(Option_In_Force()));
    Queue_Follow_Up(L"KV_DivezUrez_4");
}

void Run_Plot_BaseFun2_Standby()
{
    Command_Scope scope;
    const int retries = g_Failed_Sheets.length();
    if (retries == 0)
        return;
    Plot_Option& option = Option_In_Force();
    File_Dialogs_Off file_dialogs_off;
    const bool merging = Merging_Pdf(option);
    {
        Stamp_Inserter stamps;
        Prepare_Stamps(stamps, option);
        Output_Failures failures;
        Batch_Progress_Begin(retries);
        for (int k = 0; k < retries; ++k) {
            Batch_Progress_Step();
            // A position the list no longer holds is skipped; a second failure is not retried.
            const int position = g_Failed_Sheets[k];
            if (position < 0 || position >= TK_List_Size())
                continue;
            const Plot_Drawing2& sheet = *g_TK_Sheet_List->Sheets[position];
            if (Stamps_Wanted(option))
                Place_Stamps(stamps, option, sheet);
            if (!Plot_TK_Sheet(sheet, g_Retry_Folder, position))
                failures.Add(Join_Line_Breaks(sheet.File_Name), GetLastError());
        }
        Finish_Batch_Retry(TK_List_Kind, merging, failures);
    }
}

// The internal commands of the title-block run.
void Plot_Temp2() { Run_Plot_Temp2(); }
void Plot_BaseFun2_Standby() { Run_Plot_BaseFun2_Standby(); }
