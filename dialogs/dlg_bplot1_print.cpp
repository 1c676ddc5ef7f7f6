// Print of the batch plot to files window.
#include "core/marker_sheet_window.h"
#include "core/erase_helpers.h"
#include "core/plot_config.h"
#include "dialogs/dlg_bplot1.h"
#include "plot/batch_plot_driver.h"
#include "plot/dwg_export.h"
#include "sheets/paper_table.h"
#include "sheets/plotter_files.h"

namespace {
constexpr const wchar_t* Print_Caption = L"Korvel打印";
}  // namespace

void Erase_Sheet_Markers(Plot_Sheet_Set& sheet_set)
{
    const uint8_t watch = g_Watch_Marker_Erase;
    g_Watch_Marker_Erase = 0;
    for (INT_PTR i = 0; i < sheet_set.All_Sheets.GetSize(); ++i) {
        Plot_Drawing1* sheet = sheet_set.All_Sheets[i];
        if (sheet->Marker_Id.isNull())
            continue;
        Erase_Entity(sheet->Marker_Id);
        sheet->Marker_Id = ZcDbObjectId::kNull;
    }
    g_Watch_Marker_Erase = watch;
}

void Dlg_BPlot1::Store_Controls()
{
    Read_Controls();
    Options.Output_Type = Format_Index;
    Options.Folder_Mode = Folder_Mode_Index;
    Options.Print_Sign = Print_Sign;
}

void Dlg_BPlot1::Save_Scales()
{
    Frame_Infor.Sheet_Set = &Sheet_Set;
    Write_Sc_Infor(Frame_Infor);
}

bool Dlg_BPlot1::Check_File_Names()
{
    CStringArray names;
    for (INT_PTR i = 0; i < Sheet_Set.Plot_List.GetSize(); ++i) names.Add(Sheet_Set.Plot_List[i]->Output_Name);
    return Check_Output_Names(names, names);
}

bool Dlg_BPlot1::Check_Papers()
{
    const HWND owner = GetSafeHwnd();
    for (INT_PTR i = 0; i < Sheet_Set.Plot_List.GetSize(); ++i) {
        const MyPaper* paper = Find_Paper_By_Name(Sheet_Set.Paper_List, Sheet_Set.Plot_List[i]->Paper_Name);
        if (paper == nullptr || (paper->Long_Side >= 50 && paper->Short_Side >= 50))
            continue;
        if (MessageBoxW(owner,
                        L"有纸张尺寸过小，小于 50 x 50 mm。\n\n可能打印比例有误，或者选择的打印范围有误。\n\n是否继续 ?",
                        Print_Caption, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
        break;
    }
    return Format_Index == Output_Dwf || Check_Paper_Limit();
}

void Dlg_BPlot1::OnOK()
{
    Read_Controls();
    const bool dwg = Format_Index == Output_Dwg;
    if (!Print_Checks_Pass(dwg))
        return;
    CString style;
    if (Chosen_Style_Name(style)) {
        Options.Style_Name = style;
        g_Plot_Config.Last_Style = style;
    }
    Store_Controls();
    g_Plot_Style_Index = Style_Index - 1;
    Run_Output(dwg, [this](CString& folder) { return Export_Sheets_To_Dwg1(Sheet_Set, folder); }, L"Plot_Temp1");
}
