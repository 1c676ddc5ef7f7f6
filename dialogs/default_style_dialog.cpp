#include "dialogs/default_style_dialog.h"

#include "core/doc_lock.h"
#include "core/plot_config.h"
#include "core/string_helpers.h"
#include "res/resource.h"
#include "sheets/plot_set.h"

BEGIN_MESSAGE_MAP(Dlg_PlotSheet_Default, Value_Dialog)
    ON_BN_CLICKED(IDC_RADIO_1, Update_Style_Combo)
    ON_BN_CLICKED(IDC_RADIO_2, Update_Style_Combo)
    ON_BN_CLICKED(IDC_RADIO_3, Update_Style_Combo)
END_MESSAGE_MAP()

Dlg_PlotSheet_Default::Dlg_PlotSheet_Default(CWnd* parent) : Value_Dialog(IDD_DLG_PLOTSHEET_DEFAULT, parent) {}
Dlg_PlotSheet_Default::~Dlg_PlotSheet_Default() = default;

void Dlg_PlotSheet_Default::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_STYLE_COMBO, Style_Combo);
    DDX_Radio(exchange, IDC_RADIO_1, Style_Mode);
    DDX_CBIndex(exchange, IDC_STYLE_COMBO, Style_Index);
}

BOOL Dlg_PlotSheet_Default::OnInitDialog()
{
    Value_Dialog::OnInitDialog();
    Style_Mode = g_Plot_Config.Default_Style_Mode;
    {
        Doc_Lock lock;
        Plot_Set plot_set;
        const int count = static_cast<int>(plot_set.Style_List.GetSize());
        for (int i = 0; i < count; ++i) Style_Combo.AddString(L" " + plot_set.Style_List[i]);
        auto find = [&](const CString& name) {
            for (int i = 0; i < count; ++i)
                if (plot_set.Style_List[i].CompareNoCase(name) == 0) return i;
            return -1;
        };
        Style_Index = -1;
        for (const CString& candidate : {g_Plot_Config.Default_Style_Name, plot_set.Style_Name, g_Plot_Config.Last_Style})
            if (Style_Index < 0) Style_Index = find(candidate);
        if (Style_Index < 0) Style_Index = 0;
    }
    UpdateData(FALSE);
    Update_Style_Combo();
    return TRUE;
}

void Dlg_PlotSheet_Default::Update_Style_Combo()
{
    UpdateData(TRUE);
    Style_Combo.EnableWindow(Style_Mode == 2);
}

void Dlg_PlotSheet_Default::OnOK()
{
    if (!UpdateData(TRUE)) return;
    g_Plot_Config.Default_Style_Mode = Style_Mode;
    if (Style_Index >= 0 && Style_Index < Style_Combo.GetCount()) {
        CString name;
        Style_Combo.GetLBText(Style_Index, name);
        Trim_Left_Blanks(name);
        g_Plot_Config.Default_Style_Name = name;
    }
    EndDialog(IDOK);
}
