// Print of the title-block window.
#include "core/plot_config.h"
#include "dialogs/dlg_bplot2.h"
#include "plot/batch_plot_driver.h"
#include "plot/dwg_export.h"
#include "plot/tk_batch_driver.h"
#include "sheets/paper_table.h"
#include "signstamp/stamp_choice.h"

bool Dlg_BPlot2::Check_File_Names()
{
    CStringArray names, shown;
    for (INT_PTR i = 0; i < Sheet_List.Sheets.GetSize(); ++i) {
        CString name = Sheet_List.Sheets[i]->File_Name;
        name.Replace(Line_Break_Marker, L"");
        names.Add(name);
        shown.Add(Shown_File_Name(Sheet_List.Sheets[i]->File_Name));
    }
    return Check_Output_Names(names, shown);
}

bool Dlg_BPlot2::Check_Papers() { return Check_Paper_Limit(); }

void Dlg_BPlot2::OnOK()
{
    if (Plot_Running)
        return;
    Read_Controls();
    const bool dwg = Format_Index == Output_Dwg;
    if (!Print_Checks_Pass(dwg))
        return;
    Options.Stamps_On = Print_Stamp;
    if (!dwg && Format_Index != Output_Plt && Options.Stamps_On != 0 &&
        !Choose_Stamps_Before_Plot(Options, Sheet_List))
        return;

    Options.Output_Type = Format_Index;
    Options.Folder_Mode = Folder_Mode_Index;
    Options.Print_Sign = Print_Sign;
    g_Plot_Style_Index = Style_Index - 1;
    CString style;
    if (Chosen_Style_Name(style)) {
        g_Plot_Config.Last_Style = style;
        Options.Style_Name = style;
    }
    Run_Output(dwg, [this](CString& folder) { return Export_Sheets_To_Dwg2(Sheet_List, folder); }, L"Plot_Temp2");
}
