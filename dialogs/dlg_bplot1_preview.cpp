// The preview of one sheet of the batch plot to files window, with paging to the others.
#include "core/doc_lock.h"
#include "core/result_windows.h"
#include "core/space_helpers.h"
#include "dialogs/dlg_bplot1.h"
#include "dialogs/result_window_parts.h"
#include "ed/sysvars.h"
#include "plot/plot_sheet.h"
#include "sheets/paper_table.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"

namespace {

constexpr const wchar_t* Background_Setting = L"Plot preview background";
constexpr int Preview_Kind_BPlot1 = 1;

bool Sets_Background(int output_type) { return output_type == 1 || output_type == 2 || output_type == 3; }

// The host's preview of the sheet with the window's options.
void Preview_One(Dlg_BPlot1& window, Plot_Drawing1& sheet, int row)
{
    {
        Doc_Lock lock;
        Activate_Layout_Of_Block(sheet.Space_Id);
        Plot_Set plot_set;
        plot_set.Set_Device(Get_Pc5_File_Name(window.Options.Output_Type));
        plot_set.Set_Media(sheet.Paper_Name, sheet.Portrait);
        plot_set.Select_Style_Sheet(window.Style_Index - 1);
        plot_set.Set_Window(sheet.Min_Corner, sheet.Max_Corner, sheet.Plot_Scale, false);
        plot_set.Reset_Rotation();

        window.ShowWindow(SW_HIDE);
        g_Show_Signatures = window.Print_Sign;
        g_Plot_Running = 1;
        const bool background = Sets_Background(window.Options.Output_Type);
        wchar_t saved[64] = L"";
        if (background) {
            zcedGetEnv(Background_Setting, saved, 64);
            CString colour;
            colour.Format(L"%d", window.Options.Back_Red + window.Options.Back_Green * 256 +
                                     window.Options.Back_Blue * 65536);
            zcedSetEnv(Background_Setting, colour.GetString());
        }
        plot_set.Preview(Preview_Kind_BPlot1, row);
        if (background)
            zcedSetEnv(Background_Setting, saved);
    }
    g_Show_Signatures = 1;
    g_Plot_Running = 0;
    sheet.Redraw_Marker();
}

}  // namespace

void Dlg_BPlot1::Preview_Sheet(int row)
{
    Preview_With_Paging(this, Preview_Kind_BPlot1, row, [this] { return List.GetItemCount(); }, [this](int shown) {
        Read_Controls();
        Plot_Drawing1* sheet = Row_Sheet(shown);
        if (sheet == nullptr)
            return false;
        const MyPaper* paper = Find_Paper_By_Name(Sheet_Set.Paper_List, sheet->Paper_Name);
        if (paper != nullptr && (paper->Long_Side > 5080 || paper->Short_Side > 5080)) {
            MessageBoxW(GetSafeHwnd(), L"纸张尺寸过大，已超过 5080 mm (即200英寸)。\n\n请检查是否打印比例有误。\n\n打印预览退出 !",
                        L"Korvel打印预览", MB_OK);
            return false;
        }
        Preview_One(*this, *sheet, shown);
        return true;
    });
}

int BPlot1_Preview_List_Count(int kind)
{
    static int (*const other_kinds)(int) = g_Preview_List_Count;
    if (kind == Preview_Kind_BPlot1)
        return g_Dlg_BPlot1 != nullptr && g_Dlg_BPlot1->GetSafeHwnd() != nullptr ? g_Dlg_BPlot1->Row_Count() : 0;
    return other_kinds != nullptr && other_kinds != BPlot1_Preview_List_Count ? other_kinds(kind) : 0;
}
