#include "dialogs/dlg_tuhao.h"

#include "res/resource.h"

Dlg_TuHao::Dlg_TuHao(CWnd* parent) : Numbering_Dialog(IDD_DLG_TUHAO, parent)
{
    Prefix = L"结施-";
}

Dlg_TuHao::~Dlg_TuHao() = default;

void Dlg_TuHao::Refresh_Example()
{
    // Drawing numbers may hold any character: not cleaned.
    Example = Numbering_Example(Prefix, Start_No, Suffix, Digits_Index, L"");
    SetDlgItemText(IDC_EXAMPLE, Example);
}

void Dlg_TuHao::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}
