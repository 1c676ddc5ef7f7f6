#include "dialogs/name_rule_dialog.h"

#include "core/name_lookups.h"
#include "mfc/afxdc.h"
#include "dialogs/print_order_picture.h"
#include "res/resource.h"
#include "titleblock/name_rule_example.h"
#include "ui/small_value_dialogs_frame.h"

BEGIN_MESSAGE_MAP(Dlg_Name_Rule, Numbering_Dialog)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

Dlg_Name_Rule::Dlg_Name_Rule(CWnd* parent) : Numbering_Dialog(IDD_DLG_NAME_RULE, parent)
{
    Prefix = L"File";
}
Dlg_Name_Rule::~Dlg_Name_Rule() = default;

BOOL Dlg_Name_Rule::OnInitDialog()
{
    if (Prefix.CompareNoCase(L"???") == 0) Prefix = Get_Dwg_Title();
    Numbering_Dialog::OnInitDialog();
    Place_At_Cursor(this);
    Picture.SubclassDlgItem(IDC_PICTURE, this);
    Refresh_Picture();
    return TRUE;
}

void Dlg_Name_Rule::Refresh_Example()
{
    Example = Name_Rule_Example(Prefix, Start_No, Suffix, Digits_Index);
    SetDlgItemText(IDC_EXAMPLE, Example);
}

void Dlg_Name_Rule::Refresh_Picture()
{
    Sort_Type = Clamp_Order(Sort_Type, 9);
    Picture.Set_Bitmap(Order_Bitmap(Sort_Type));
}

void Dlg_Name_Rule::OnMouseMove(UINT flags, CPoint point)
{
    const int t = Order_After_Move(Control_Client_Rect(this, IDC_PICTURE), point, Sort_Type, 9);
    if (t != Sort_Type) {
        Sort_Type = t;
        Refresh_Picture();
    }
    Numbering_Dialog::OnMouseMove(flags, point);
}

void Dlg_Name_Rule::OnLButtonDown(UINT flags, CPoint point)
{
    const int t = Order_After_Press(Control_Client_Rect(this, IDC_PICTURE), point, Sort_Type, 9);
    if (t != Sort_Type) {
        Sort_Type = t;
        Refresh_Picture();
    }
    Numbering_Dialog::OnLButtonDown(flags, point);
}

void Dlg_Name_Rule::OnLButtonUp(UINT flags, CPoint point)
{
    Cursor_After_Release(Control_Client_Rect(this, IDC_PICTURE), point);
    Numbering_Dialog::OnLButtonUp(flags, point);
}

void Dlg_Name_Rule::OnOK()
{
    if (!UpdateData(TRUE)) return;
    const CString title = Get_Dwg_Title();
    if (!title.IsEmpty() && Prefix.CompareNoCase(title) == 0) Prefix = L"???";
    EndDialog(IDOK);
}
