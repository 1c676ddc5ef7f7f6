#include "plot/batch_plot_driver.h"

#include "core/command_context.h"
#include "core/command_handlers.h"
#include "core/doc_lock.h"
#include "core/follow_up.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/program_folders.h"
#include "core/space_helpers.h"
#include "core/string_helpers.h"
#include "core/sysvar_helpers.h"
#include "ed/host_window.h"
#include "plot/batch_run.h"
#include "plot/batch_window.h"
#include "plot/output_failures.h"
#include "plot/output_folders.h"
#include "plot/pdf_merge.h"
#include "plot/plot_sheet.h"
#include "sheets/paper_scale.h"
#include "sheets/paper_table.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"
#include "sheets/sheet_records.h"
#include "win/win_error.h"
#include "win/win_shell.h"
#include "win/windows.h"

int g_Plot_Style_Index = -1;
CString g_Retry_Folder;
ZcDbObjectId g_Retry_Space_Id;
ZcArray<int> g_Failed_Sheets;
int g_Retry_Sheet_Count = 0;

namespace {

bool Plot_Sheet_Of_List(Plot_Drawing1& sheet, const CString& folder, int position)
{
    return Plot_Batch_Sheet({sheet.Space_Id, sheet.Min_Corner, sheet.Max_Corner, sheet.Width, sheet.Height,
                             sheet.Plot_Scale, sheet.Portrait, sheet.Paper_Name, sheet.Output_Name},
                            g_Sheet_Set->Paper_List, folder, position);
}

}  // namespace

bool Plot_Batch_Sheet(const Batch_Sheet& sheet, const Paper_Array& papers, const CString& folder, int position)
{
    Plot_Option& option = Option_In_Force();
    if (!sheet.space_id.isNull())
        Activate_Layout_Of_Block(sheet.space_id);
    const bool in_layout = Is_Paper_Space();

    bool done = false;
    DWORD error = ERROR_SUCCESS;
    {
        Doc_Lock lock;
        Plot_Set plot_set;
        plot_set.Set_Device(Get_Pc5_File_Name(option.Output_Type));
        plot_set.Set_Media(sheet.paper_name, sheet.portrait);
        plot_set.Select_Style_Sheet(g_Plot_Style_Index);
        plot_set.Set_Window(sheet.min_corner, sheet.max_corner, sheet.plot_scale, false);
        plot_set.Reset_Rotation();
        const CString path = Batch_Sheet_Path(option, folder, sheet.output_name, position + 1);
        plot_set.Close_Layout();

        CString offset;
        if (g_Host_Year == 2007)
            offset = Get_Plot_Offset_Text(Find_Paper_By_Name(papers, sheet.paper_name), sheet.width, sheet.height);
        done = Plot_Sheet_To_File(in_layout, path, option.Print_Sign, sheet.portrait, offset, plot_set.Media_Name);
        error = GetLastError();
    }
    // Why it failed outlives the lock and the plot settings.
    SetLastError(error);
    return done;
}

void Finish_Batch_Run(int kind, const CString& folder, ZcDbObjectId start_space, bool merging)
{
    Batch_Progress_End();
    Batch_Done_Close();
    if (!start_space.isNull())
        Activate_Layout_Of_Block(start_space);
    if (merging)
        Merge_Pdfs(kind, folder);
}

void Open_Output_Folder(const CString& folder, bool merging)
{
    if (!merging && g_Plot_Config.Open_Folder != 0)
        ShellExecuteW(adsw_zcadMainWnd(), L"open", folder.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Leave_For_Retry(const CString& folder, ZcDbObjectId start_space, const ZcArray<int>& failed, int count)
{
    g_Retry_Folder = folder;
    g_Retry_Space_Id = start_space;
    g_Failed_Sheets = failed;
    g_Retry_Sheet_Count = count;
}

void Finish_Batch_Retry(int kind, bool merging, const Output_Failures& failures)
{
    g_Failed_Sheets.removeAll();
    Finish_Batch_Run(kind, g_Retry_Folder, g_Retry_Space_Id, merging);
    failures.Show(g_Retry_Sheet_Count);
    // A folder that got nothing of this run is not shown as its result.
    if (failures.Count() < g_Retry_Sheet_Count)
        Open_Output_Folder(g_Retry_Folder, merging);
}

bool Plot_BaseFun1(CString& folder, int count)
{
    Plot_Option& option = Option_In_Force();
    folder = Prepare_Batch_Folder(option);
    const bool merging = Merging_Pdf(option);
    File_Dialogs_Off file_dialogs_off;
    const ZcDbObjectId start_space = Current_Space_Id();
    count = count < Plot_List_Size() ? count : Plot_List_Size();

    Batch_Progress_Begin(count);
    ZcArray<int> failed;
    for (int i = 0; i < count; ++i) {
        if (Batch_Take_Stop_Request() && User_Stops()) {
            Finish_Batch_Run(1, folder, start_space, false);
            return false;
        }
        Batch_Progress_Step();
        if (!Plot_Sheet_Of_List(*g_Sheet_Set->Plot_List[i], folder, i))
            failed.append(i);
    }

    if (!failed.isEmpty()) {
        Leave_For_Retry(folder, start_space, failed, count);
        Queue_Follow_Up(L"Plot_BaseFun1_Standby");
        return true;
    }
    Finish_Batch_Run(1, folder, start_space, merging);
    return true;
}

void Run_Plot_Temp1()
{
    Command_Scope scope;
    CString folder;
    const bool finished = Plot_BaseFun1(folder, Plot_List_Size());
    // With failed sheets the retry ends the run and decides.
    if (finished && g_Failed_Sheets.isEmpty())
        Open_Output_Folder(folder, Merging_Pdf(Option_In_Force()));
    Queue_Follow_Up(L"KV_DivezUrez_2");
}

void Run_Plot_BaseFun1_Standby()
{
    Command_Scope scope;
    const int retries = g_Failed_Sheets.length();
    if (retries == 0)
        return;
    File_Dialogs_Off file_dialogs_off;
    const bool merging = Merging_Pdf(Option_In_Force());
    Output_Failures failures;
    Batch_Progress_Begin(retries);
    for (int k = 0; k < retries; ++k) {
        Batch_Progress_Step();
        // A position the list no longer holds is skipped; a second failure is not retried.
        const int position = g_Failed_Sheets[k];
        if (position < 0 || position >= Plot_List_Size())
            continue;
        Plot_Drawing1& sheet = *g_Sheet_Set->Plot_List[position];
        if (!Plot_Sheet_Of_List(sheet, g_Retry_Folder, position))
            failures.Add(sheet.Output_Name, GetLastError());
    }
    Finish_Batch_Retry(1, merging, failures);
}

void Generic_List_Titles(CStringArray& titles)
{
    for (int i = 0; i < Plot_List_Size(); ++i)
        titles.Add(g_Sheet_Set->Plot_List[i]->Output_Name);
}

// The internal commands of the generic run.
void Plot_Temp1() { Run_Plot_Temp1(); }
void Plot_BaseFun1_Standby() { Run_Plot_BaseFun1_Standby(); }
