#include "dialogs/dlg_no_set.h"

#include "core/file_name_rules.h"
#include "core/name_lookups.h"
#include "dialogs/print_order_picture.h"
#include "res/resource.h"

int Grey_Order_Bitmap(int sort_type)
{
    const int type = Clamp_Order(sort_type, 9);
    return type == 1 ? IDB_ORDER_GREY_1 : IDB_ORDER_GREY_2 + type - 2;
}

BEGIN_MESSAGE_MAP(Dlg_No_Set, Numbering_Dialog)
    ON_BN_CLICKED(IDC_NO_SET_INSERT, On_Insert_No)
    ON_BN_CLICKED(IDC_RADIO_1, On_Order_Kind)
    ON_BN_CLICKED(IDC_RADIO_2, On_Order_Kind)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

Dlg_No_Set::Dlg_No_Set(CWnd* parent) : Numbering_Dialog(IDD_DLG_NO_SET, parent)
{
    Suffix = L"_";
}

Dlg_No_Set::~Dlg_No_Set() = default;

void Dlg_No_Set::DoDataExchange(CDataExchange* exchange)
{
    Numbering_Dialog::DoDataExchange(exchange);
    DDX_Check(exchange, IDC_NO_SET_INSERT, Insert_No);
    DDX_Radio(exchange, IDC_RADIO_1, Order_Kind);
}

BOOL Dlg_No_Set::OnInitDialog()
{
    Numbering_Dialog::OnInitDialog();
    Picture.SubclassDlgItem(IDC_PICTURE, this);
    Refresh_Example();
    Refresh_Picture();
    return TRUE;
}

void Dlg_No_Set::Refresh_Example()
{
    if (Insert_No != 0) {
        Example = Numbering_Example(Prefix, Start_No, Suffix, Digits_Index, L"xxxxxxx");
    } else {
        const CString line = L"\n\n" + Prefix + L"xxxxxxx";
        Example = L"示   例" + line + line + line + L"\n\n.........." + line + line;
    }
    Valid_File_Name(Example, false);
    SetDlgItemText(IDC_EXAMPLE, Example);
    for (int id : {IDC_START_NO, IDC_SUFFIX, IDC_DIGITS_COMBO, IDC_LABEL_2, IDC_LABEL_3, IDC_LABEL_4})
        if (CWnd* control = GetDlgItem(id)) control->EnableWindow(Insert_No != 0);
}

void Dlg_No_Set::Refresh_Picture()
{
    Sort_Type = Clamp_Order(Sort_Type, 9);
    Picture.Set_Bitmap(Order_Kind == 1 ? Order_Bitmap(Sort_Type) : Grey_Order_Bitmap(Sort_Type));
}

void Dlg_No_Set::On_Insert_No()
{
    Insert_No = IsDlgButtonChecked(IDC_NO_SET_INSERT) ? 1 : 0;
    Refresh_Example();
}

void Dlg_No_Set::On_Order_Kind()
{
    Order_Kind = IsDlgButtonChecked(IDC_RADIO_2) ? 1 : 0;
    Refresh_Picture();
}

void Dlg_No_Set::OnMouseMove(UINT flags, CPoint point)
{
    if (Order_Kind == 1) {
        const int t = Order_After_Move(Control_Client_Rect(this, IDC_PICTURE), point, Sort_Type, 9);
        if (t != Sort_Type) {
            Sort_Type = t;
            Refresh_Picture();
        }
    }
    Numbering_Dialog::OnMouseMove(flags, point);
}

void Dlg_No_Set::OnLButtonDown(UINT flags, CPoint point)
{
    if (Order_Kind == 1) {
        const int t = Order_After_Press(Control_Client_Rect(this, IDC_PICTURE), point, Sort_Type, 9);
        if (t != Sort_Type) {
            Sort_Type = t;
            Refresh_Picture();
        }
    }
    Numbering_Dialog::OnLButtonDown(flags, point);
}

void Dlg_No_Set::OnLButtonUp(UINT flags, CPoint point)
{
    if (Order_Kind == 1) Cursor_After_Release(Control_Client_Rect(this, IDC_PICTURE), point);
    Numbering_Dialog::OnLButtonUp(flags, point);
}

void Dlg_No_Set::OnOK()
{
    if (!UpdateData(TRUE)) return;
    const CString title = Get_Dwg_Title();
    if (!title.IsEmpty() && Prefix.CompareNoCase(title) == 0) Prefix = L"???";
    EndDialog(IDOK);
}
