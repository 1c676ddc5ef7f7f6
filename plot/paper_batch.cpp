#include "plot/paper_batch.h"

#include <set>

#include "core/command_context.h"
#include "core/command_handlers.h"
#include "core/doc_lock.h"
#include "core/file_operations.h"
#include "core/follow_up.h"
#include "core/name_lookups.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/space_helpers.h"
#include "ed/host_window.h"
#include "plot/batch_plot_driver.h"
#include "plot/batch_run.h"
#include "plot/batch_window.h"
#include "plot/dbplotsetval.h"
#include "plot/output_failures.h"
#include "plot/plot_sheet.h"
#include "sheets/plot_set.h"
#include "win/win_error.h"
#include "win/win_files.h"
#include "win/win_shell.h"

namespace {

// Makes the sheet's space current, prepares its plot settings for the printer and sends
// it; false, with the thread's last error saying why, when it did not go out.
bool Print_Sheet(Plot_Drawing1& sheet, const Plot_Option& option, const CString& path)
{
    if (!sheet.Space_Id.isNull())
        Activate_Layout_Of_Block(sheet.Space_Id);
    const bool in_layout = Is_Paper_Space();

    bool done = false;
    DWORD error = ERROR_SUCCESS;
    {
        Doc_Lock lock;
        Plot_Set plot_set;
        plot_set.Set_Device(option.Device_Name);
        if (plot_set.Layout != nullptr)
            plot_set.Validator->setCanonicalMediaName(plot_set.Layout, sheet.Paper_Name.GetString());
        plot_set.Select_Style_Sheet(g_Plot_Style_Index);
        plot_set.Set_Window(sheet.Min_Corner, sheet.Max_Corner, 0.0, false);
        plot_set.Close_Layout();
        done = Plot_Sheet_To_Paper(in_layout, path, option.Print_Sign, sheet.Portrait);
        error = GetLastError();
    }
    SetLastError(error);
    return done;
}

// How the user knows a job: its PLT file, else its sheet's row in the list.
CString Job_Name(const Plot_Drawing1& sheet, const CString& path)
{
    if (!path.IsEmpty())
        return File_Name_Of(path);
    int row = 0;
    for (INT_PTR i = 0; i < g_Sheet_Set->Plot_List.GetSize(); ++i)
        if (g_Sheet_Set->Plot_List[i] == &sheet)
            row = static_cast<int>(i) + 1;
    CString name;
    name.Format(L"第 %d 张", row);
    return name;
}

}  // namespace

std::vector<Plot_Drawing1*> Paper_Batch_Jobs(const Sheet_Array& plot_list, int count, bool to_file, bool collate)
{
    std::vector<Plot_Drawing1*> jobs;
    count = count < plot_list.GetSize() ? count : static_cast<int>(plot_list.GetSize());
    if (to_file || !collate) {
        for (int i = 0; i < count; ++i) {
            Plot_Drawing1* sheet = plot_list[i];
            if (sheet->Paper_Name.IsEmpty())
                continue;
            const int copies = to_file ? 1 : sheet->Copies;
            for (int k = 0; k < copies; ++k) jobs.push_back(sheet);
        }
        return jobs;
    }
    for (int i = 0; i < count; ++i)
        plot_list[i]->Copies_Left = plot_list[i]->Paper_Name.IsEmpty() ? 0 : plot_list[i]->Copies;
    for (bool appended = true; appended;) {
        appended = false;
        for (int i = 0; i < count; ++i) {
            Plot_Drawing1* sheet = plot_list[i];
            if (sheet->Copies_Left <= 0)
                continue;
            jobs.push_back(sheet);
            --sheet->Copies_Left;
            appended = true;
        }
    }
    return jobs;
}

CString Paper_Batch_Plt_Path(const CString& folder, const CString& title, int job_count, int job)
{
    CString path;
    if (job_count == 1)
        path.Format(L"%s\\%s.plt", folder.GetString(), title.GetString());
    else
        path.Format(L"%s\\%s_%d.plt", folder.GetString(), title.GetString(), job + 1);
    return path;
}

bool Plot_Paper_Batch(int count, int* sent)
{
    if (sent != nullptr)
        *sent = 0;
    const Plot_Option& option = Option_In_Force();
    // Nothing goes to a printer that is not there.
    if (option.Device_Name.IsEmpty() || g_Sheet_Set == nullptr) {
        Batch_Progress_End(Batch_Kind::Paper);
        Batch_Done_Close(Batch_Kind::Paper);
        return false;
    }
    const bool to_file = option.Plt_Output == 1;
    if (to_file)
        CreateDirectoryW(option.Plt_Folder.GetString(), nullptr);
    File_Dialogs_Off file_dialogs_off;
    const ZcDbObjectId start_space = Current_Space_Id();
    const std::vector<Plot_Drawing1*> jobs =
        Paper_Batch_Jobs(g_Sheet_Set->Plot_List, count, to_file, option.Collate != 0);
    const int job_count = static_cast<int>(jobs.size());
    Batch_Progress_Begin(job_count, Batch_Kind::Paper);
    const CString title = Get_Dwg_Title();

    bool finished = true;
    Output_Failures failures;
    std::set<Plot_Drawing1*> failed_sheets;
    int done = 0;
    for (int j = 0; j < job_count; ++j) {
        if (Batch_Take_Stop_Request(Batch_Kind::Paper) && User_Stops()) {
            finished = false;
            break;
        }
        Batch_Progress_Step(Batch_Kind::Paper);
        const CString path = to_file ? Paper_Batch_Plt_Path(option.Plt_Folder, title, job_count, j) : CString();
        // A sheet is named once, however many of its copies failed.
        Plot_Drawing1& sheet = *jobs[static_cast<size_t>(j)];
        if (Print_Sheet(sheet, option, path))
            ++done;
        else if (failed_sheets.insert(&sheet).second)
            failures.Add(Job_Name(sheet, path), GetLastError());
    }
    Batch_Progress_End(Batch_Kind::Paper);
    Batch_Done_Close(Batch_Kind::Paper);
    if (!start_space.isNull())
        Activate_Layout_Of_Block(start_space);
    failures.Show(static_cast<int>(std::set<Plot_Drawing1*>(jobs.begin(), jobs.end()).size()));
    if (sent != nullptr)
        *sent = done;
    return finished;
}

void Run_Plot_Temp3()
{
    Command_Scope scope;
    int sent = 0;
    const bool finished = Plot_Paper_Batch(Plot_List_Size(), &sent);
    const Plot_Option& option = Option_In_Force();
    // A folder that got no file of this run is not shown as its result.
    if (finished && sent > 0 && g_Plot_Config.Open_Folder != 0 && option.Plt_Output == 1)
        ShellExecuteW(adsw_zcadMainWnd(), L"open", option.Plt_Folder.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
    Queue_Follow_Up(L"KV_DivezUrez_5");
}

// The internal command of the paper run.
void Plot_Temp3() { Run_Plot_Temp3(); }
