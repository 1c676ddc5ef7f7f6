#include "dialogs/single_plot.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/doc_lock.h"
#include "core/file_dialogs.h"
#include "core/file_operations.h"
#include "core/follow_up.h"
#include "core/host_adapter.h"
#include "core/host_command.h"
#include "core/name_lookups.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/program_folders.h"
#include "core/space_helpers.h"
#include "core/sysvar_helpers.h"
#include "core/temp_folder.h"
#include "dialogs/plot_option_combos.h"
#include "dialogs/single_plot_setting.h"
#include "ed/host_window.h"
#include "plot/batch_plot_driver.h"
#include "plot/batch_run.h"
#include "plot/output_folders.h"
#include "plot/plot_sheet.h"
#include "sheets/paper_scale.h"
#include "sheets/paper_table.h"
#include "sheets/plot_set.h"
#include "sheets/sheet_records.h"
#include "ui/module_resources.h"
#include "win/win_shell.h"
#include "win/windows.h"

bool g_Single_Pick_Mode = false;
CString g_Single_Retry_Path;
int g_Single_Retry_Signatures = 0;
bool g_Single_Retry_Portrait = false;

namespace {

constexpr int Dwf_Output = 1;
constexpr int Plt_Output = 4;
constexpr int Svg_Output = 5;
constexpr int Drawing_Output = 6;
constexpr int Largest_Paper_Side = 5080;
constexpr int Smallest_Paper_Side = 50;
const wchar_t* const Plot_Caption = L"Korvel打印";

CString Single_Extension(int output_type)
{
    if (output_type == Drawing_Output)
        return CString(Drawing_File_Extension + 1);
    return Output_Extension(output_type).Mid(1);
}

// The sheet of the window; its paper and scale come later.
std::unique_ptr<Plot_Drawing1> Window_Sheet(const ZcGePoint2d& first, const ZcGePoint2d& second)
{
    auto sheet = std::make_unique<Plot_Drawing1>();
    sheet->Min_Corner.set(std::min(first.x, second.x), std::min(first.y, second.y));
    sheet->Max_Corner.set(std::max(first.x, second.x), std::max(first.y, second.y));
    sheet->Width = std::fabs(second.x - first.x);
    sheet->Height = std::fabs(second.y - first.y);
    sheet->Portrait = sheet->Height > sheet->Width;
    sheet->Block_Scale = 1.0;
    return sheet;
}

// False when the paper the sheet needs cannot or should not be plotted; otherwise the
// sheet takes the scale that fits its window onto that paper.
bool Fit_Sheet_To_Paper(Plot_Drawing1& sheet, double default_scale)
{
    MyPaper paper;
    if (!sheet.Match_Paper(&paper, default_scale, false))
        return true;
    const int long_side = paper.Long_Side, short_side = paper.Short_Side;
    CString text;
    if ((long_side > Largest_Paper_Side || short_side > Largest_Paper_Side) &&
        Option_In_Force().Output_Type != Dwf_Output) {
        text.Format(L"输出纸张尺寸 %d x %d mm 过大\n\n已超过 5080 mm (即200英寸)\n\n请检查是否打印比例有误\n\n打印退出 !",
                    long_side, short_side);
        MessageBoxW(adsw_zcadMainWnd(), text, Plot_Caption, MB_OK | MB_ICONQUESTION);
        return false;
    }
    if (long_side < Smallest_Paper_Side || short_side < Smallest_Paper_Side) {
        text.Format(L"输出纸张尺寸 %d x %d mm 过小\n\n可能打印比例有误，或者选择的打印范围有误\n\n是否继续 ?", long_side,
                    short_side);
        if (MessageBoxW(adsw_zcadMainWnd(), text, Plot_Caption, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
    }
    const double paper_width = sheet.Portrait ? short_side : long_side;
    const double paper_height = sheet.Portrait ? long_side : short_side;
    sheet.Plot_Scale = std::max(sheet.Width / paper_width, sheet.Height / paper_height);
    return true;
}

// g_Sheet_Set designates the plot's own set while it lives, then what it did before.
class Single_Sheet_Set {
public:
    explicit Single_Sheet_Set(std::unique_ptr<Plot_Drawing1> sheet) : Previous(g_Sheet_Set)
    {
        Sheet = sheet.get();
        Set.All_Sheets.Add(sheet.release());
        Set.Plot_List.Add(Sheet);
        g_Sheet_Set = &Set;
    }
    ~Single_Sheet_Set() { g_Sheet_Set = Previous; }
    Single_Sheet_Set(const Single_Sheet_Set&) = delete;
    Single_Sheet_Set& operator=(const Single_Sheet_Set&) = delete;

    Plot_Sheet_Set Set;
    Plot_Drawing1* Sheet = nullptr;

private:
    Plot_Sheet_Set* Previous;
};

// The active layout's plot settings for the sheet: paper, plot style, window and scale;
// the layout is closed again for the host's "-plot".
void Prepare_Layout(Plot_Set& plot_set, const Plot_Drawing1& sheet)
{
    plot_set.Set_Media(sheet.Paper_Name, sheet.Portrait);
    const int style = Find_Default_Style_Index(plot_set);
    g_Plot_Style_Index = style;
    plot_set.Select_Style_Sheet(style);
    if (style >= 0 && style < plot_set.Style_List.GetSize())
        g_Plot_Config.Last_Style = plot_set.Style_List[style];
    plot_set.Set_Window(sheet.Min_Corner, sheet.Max_Corner, sheet.Plot_Scale, false);
    plot_set.Reset_Rotation();
    plot_set.Close_Layout();
}

}  // namespace

bool Single_Output_Is_Drawing() { return Option_In_Force().Output_Type == Drawing_Output; }

void Open_Single_Output(const CString& path)
{
    const int type = Option_In_Force().Output_Type;
    if (type != Plt_Output && type != Svg_Output)
        ShellExecuteW(adsw_zcadMainWnd(), L"open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

void Plot_Single_Window(const ZcGePoint2d& first, const ZcGePoint2d& second)
{
    Run_Host_Command({L"-plotstamp", g_Plot_Config.Plot_Stamp ? L"O" : L"OFF", L""});
    std::unique_ptr<Plot_Drawing1> sheet = Window_Sheet(first, second);
    Get_Sheet_Natural_Scale(sheet.get(), true);
    const double default_scale = Option_In_Force().Scale;
    sheet->Plot_Scale = default_scale;
    if (!Fit_Sheet_To_Paper(*sheet, default_scale))
        return;

    Single_Sheet_Set single(std::move(sheet));
    Plot_Drawing1& plotted = *single.Sheet;
    const bool in_layout = Is_Paper_Space();
    Set_Var_Int(L"FILEDIA", 0);
    single.Set.Assign_Papers(default_scale, true, false);

    CString path;
    {
        Doc_Lock lock;
        Plot_Set plot_set;
        Prepare_Layout(plot_set, plotted);
        if (Get_Single_Output_Name(path)) {
            CString offset;
            if (g_Host_Year == 2007)
                offset = Get_Plot_Offset_Text(Find_Paper_By_Name(single.Set.Paper_List, plotted.Paper_Name),
                                              plotted.Width, plotted.Height);
            const Plot_Option& option = Option_In_Force();
            if (Plot_Sheet_To_File(in_layout, path, option.Print_Sign, plotted.Portrait, offset, plot_set.Media_Name)) {
                Open_Single_Output(path);
            } else {
                g_Single_Retry_Path = path;
                g_Single_Retry_Signatures = option.Print_Sign;
                g_Single_Retry_Portrait = plotted.Portrait;
                Queue_Follow_Up(L"SinglePlot_Plot_Standby");
            }
        }
    }
    Restore_FileDia();
}

bool Get_Single_Output_Name(CString& path)
{
    const int type = Option_In_Force().Output_Type;
    const CString extension = Single_Extension(type);
    if (g_Plot_Config.Ask_File_Name == 0 && type != Plt_Output && type != Svg_Output) {
        const CString folder = Get_Temp_Folder();
        Delete_Folder_Files(folder);
        path.Format(L"%s\\%s.%s", folder.GetString(), Make_Time_Stamp(L"BP").GetString(), extension.GetString());
        return true;
    }
    if (g_Last_Open_Folder.IsEmpty())
        g_Last_Open_Folder = Get_Drawing_Folder();
    const CString default_name =
        Get_Dwg_Title() + (type == Drawing_Output ? L"_单页." : L".") + extension;
    for (;;) {
        if (!Save_File_Dialog(L"文件保存为...", default_name, extension, path))
            return false;
        // The file stays until the plot's new one replaces it.
        if (File_Can_Be_Replaced(path))
            return true;
        CString text;
        text.Format(L"文件 < %s >\n\n可能处于打开状态，无法覆盖 ！\n\n请选择其他文件名 !", path.GetString());
        MessageBoxW(adsw_zcadMainWnd(), text, Plot_Caption, MB_OK | MB_ICONQUESTION);
    }
}

void Show_SinglePlot_Setting()
{
    const bool picking = g_Single_Pick_Mode;
    g_Single_Pick_Mode = false;
    {
        Module_Resource_Scope resources;
        Dlg_SinglePlot_Setting dialog(nullptr);
        dialog.DoModal();
    }
    g_Single_Pick_Mode = picking;
}
