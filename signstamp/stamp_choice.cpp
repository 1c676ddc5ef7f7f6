#include "signstamp/stamp_choice.h"

#include "core/plot_option.h"
#include "ed/host_window.h"
#include "mfc/afxwin.h"
#include "signstamp/dlg_stamp_select.h"
#include "signstamp/stamp_library.h"
#include "titleblock/tk_sheets.h"

int& Stamp_Use_Flag(Plot_Option& option, int kind)
{
    switch (kind) {
    case 1: return option.Use_Reg_Stamp;
    case 2: return option.Use_Issue_Stamp;
    case 3: return option.Use_Project_Stamp;
    default: return option.Use_Done_Stamp;
    }
}

CString& Stamp_Name_Of(Plot_Option& option, int kind)
{
    switch (kind) {
    case 1: return option.Reg_Stamp_Name;
    case 2: return option.Issue_Stamp_Name;
    case 3: return option.Project_Stamp_Name;
    default: return option.Done_Stamp_Name;
    }
}

bool Choose_Stamps_Before_Plot(Plot_Option& option, const TK_Sheet_List& sheets)
{
    if (g_Stamp_Library.Stamps.empty()) {
        if (MessageBoxW(adsw_zcadMainWnd(), L"印章库为空，无法打印印章，是否继续打印 ?", L"Korvel打印",
                        MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
        option.Stamps_On = 0;
        return true;
    }
    Dlg_Stamp_Select dialog;
    dialog.Fill_Rows(g_Stamp_Library);
    bool used[Stamp_Kinds] = {};
    sheets.Get_Stamp_Positions_Used(used);
    for (int k = 0; k < Stamp_Kinds; ++k)
        dialog.Has_Position[k] = used[k] ? 1 : 0;
    dialog.Option = &option;
    return dialog.DoModal() == IDOK;
}
