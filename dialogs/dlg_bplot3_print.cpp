// Print and the preview of the batch plot to paper window.
#include "core/doc_lock.h"
#include "core/file_dialogs.h"
#include "core/file_operations.h"
#include "core/program_folders.h"
#include "core/space_helpers.h"
#include "core/string_helpers.h"
#include "dialogs/dlg_bplot1.h"
#include "dialogs/dlg_bplot3.h"
#include "dialogs/result_window_parts.h"
#include "plot/batch_plot_driver.h"
#include "plot/output_folders.h"
#include "plot/plot_sheet.h"
#include "plot/dbplotsetval.h"
#include "sheets/plot_set.h"
#include "win/win_msgbox.h"

namespace {

constexpr int Preview_Kind_BPlot3 = 3;

// The host's preview of the sheet with the window's printer, paper, style and rotation.
void Preview_One(Dlg_BPlot3& window, Plot_Drawing1& sheet, int row)
{
    {
        Doc_Lock lock;
        Activate_Layout_Of_Block(sheet.Space_Id);
        Plot_Set plot_set;
        plot_set.Set_Device(window.Device_Name);
        if (plot_set.Layout != nullptr)
            plot_set.Validator->setCanonicalMediaName(plot_set.Layout, sheet.Paper_Name.GetString());
        plot_set.Select_Style_Sheet(window.Style_Index - 1);
        plot_set.Set_Window(sheet.Min_Corner, sheet.Max_Corner, 0.0, true);
        bool turned = false;
        if (window.Auto_Rotate)
            turned = plot_set.Is_Paper_Landscape() ? sheet.Portrait : !sheet.Portrait;
        if (plot_set.Layout != nullptr)
            plot_set.Validator->setPlotRotation(plot_set.Layout,
                                                turned ? ZcDbPlotSettings::k90degrees : ZcDbPlotSettings::k0degrees);

        window.ShowWindow(SW_HIDE);
        g_Show_Signatures = window.Print_Sign;
        g_Plot_Running = 1;
        plot_set.Preview(Preview_Kind_BPlot3, row);
    }
    g_Show_Signatures = 1;
    g_Plot_Running = 0;
    sheet.Redraw_Marker();
}

}  // namespace

void Dlg_BPlot3::Save_Papers()
{
    Frame_Infor.Sheet_Set = &Sheet_Set;
    Write_Paper_Infor(Frame_Infor);
}

bool Dlg_BPlot3::Check_Device_And_Papers()
{
    if (!Has_Device()) {
        Report_No_Printer();
        return false;
    }
    for (INT_PTR i = 0; i < Sheet_Set.Plot_List.GetSize(); ++i) {
        if (!Get_Display_Media(Sheet_Set.Plot_List[i]->Paper_Name).IsEmpty())
            continue;
        CString text;
        text.Format(L"打印机 < %s > 没有第 %d 张图纸的纸张，打印退出 !", Device_Name.GetString(), static_cast<int>(i + 1));
        MessageBoxW(GetSafeHwnd(), text, L"Korvel打印", MB_OK | MB_ICONINFORMATION);
        return false;
    }
    return true;
}

void Dlg_BPlot3::OnOK()
{
    Read_Controls();
    if (Plot_Running || List.GetItemCount() == 0 || !Check_Device_And_Papers())
        return;
    CString style;
    if (Chosen_Style_Name(style))
        Options.Style_Name = style;
    Store_Controls();
    g_Plot_Style_Index = Style_Index - 1;

    if (Output_Mode == 1) {
        if (Path_Kind(Options.Plt_Folder) != 2)
            Options.Plt_Folder = Get_Drawing_Folder();
        CString folder = Options.Plt_Folder;
        if (!Browse_Folder(GetSafeHwnd(), L"请选择放置PLT文件的目录：", folder))
            return;
        Trim_Backslash(folder);
        Options.Plt_Folder = folder;
    }
    Launch_Plot(L"Plot_Temp3");
}

void Dlg_BPlot3::Preview_Sheet(int row)
{
    // Without a printer there is no device and no paper to preview on.
    if (!Has_Device()) {
        Report_No_Printer();
        return;
    }
    Preview_With_Paging(this, Preview_Kind_BPlot3, row, [this] { return List.GetItemCount(); }, [this](int shown) {
        Read_Controls();
        Plot_Drawing1* sheet = Row_Sheet(shown);
        if (sheet == nullptr)
            return false;
        Preview_One(*this, *sheet, shown);
        return true;
    });
}
