#include "tools/dlg_rec_setting.h"

#include "core/plot_config.h"
#include "res/resource.h"
#include "tools/outer_frame.h"
#include "ui/small_value_dialogs_frame.h"

BEGIN_MESSAGE_MAP(Dlg_Rec_Setting, CDialog)
    ON_BN_CLICKED(IDC_REC_NO_MARGIN, Apply_Mode_Rule)
    ON_BN_CLICKED(IDC_REC_FIXED_MARGIN, Apply_Mode_Rule)
    ON_BN_CLICKED(IDC_REC_PERCENT_MARGIN, Apply_Mode_Rule)
END_MESSAGE_MAP()

Dlg_Rec_Setting::Dlg_Rec_Setting(CWnd* parent) : CDialog(IDD_DLG_REC_SETTING, parent) {}
Dlg_Rec_Setting::~Dlg_Rec_Setting() = default;

void Dlg_Rec_Setting::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Radio(exchange, IDC_REC_NO_MARGIN, Margin_Mode);
    DDX_Text(exchange, IDC_REC_MARGIN_EDIT, Margin);
    DDX_Text(exchange, IDC_REC_PERCENT_EDIT, Percent);
    DDX_Check(exchange, IDC_REC_SQRT2, Sqrt2);
}

BOOL Dlg_Rec_Setting::OnInitDialog()
{
    CDialog::OnInitDialog();
    Start_Value_Dialog(this, Ok_Button, Cancel_Button);
    Margin_Mode = g_Plot_Config.Outer_Margin_Mode;
    Margin = g_Plot_Config.Outer_Margin;
    Percent = g_Plot_Config.Outer_Margin_Percent;
    Sqrt2 = g_Plot_Config.Outer_Sqrt2;
    UpdateData(FALSE);
    Apply_Mode_Rule();
    return TRUE;
}

void Dlg_Rec_Setting::Apply_Mode_Rule()
{
    const int checked = GetCheckedRadioButton(IDC_REC_NO_MARGIN, IDC_REC_PERCENT_MARGIN);
    const int mode = checked == 0 ? Outer_No_Margin : checked - IDC_REC_NO_MARGIN;
    GetDlgItem(IDC_REC_MARGIN_EDIT)->EnableWindow(mode == Outer_Fixed_Margin);
    GetDlgItem(IDC_REC_PERCENT_EDIT)->EnableWindow(mode == Outer_Percent_Margin);
    GetDlgItem(IDC_REC_PERCENT_LABEL)->EnableWindow(mode == Outer_Percent_Margin);
}

void Dlg_Rec_Setting::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if ((Margin_Mode == Outer_Fixed_Margin && Margin == 0.0) || (Margin_Mode == Outer_Percent_Margin && Percent == 0.0))
        Margin_Mode = Outer_No_Margin;
    g_Plot_Config.Outer_Margin_Mode = Margin_Mode;
    g_Plot_Config.Outer_Margin = Margin;
    g_Plot_Config.Outer_Margin_Percent = Percent;
    g_Plot_Config.Outer_Sqrt2 = Sqrt2;
    EndDialog(IDOK);
}
