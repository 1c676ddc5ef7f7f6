#include "dialogs/print_order_dialog.h"

#include "dialogs/print_order_picture.h"
#include "res/resource.h"
#include "ui/small_value_dialogs_frame.h"

BEGIN_MESSAGE_MAP(Dlg_SortType, CDialog)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

Dlg_SortType::Dlg_SortType(CWnd* parent) : CDialog(IDD_DLG_SORTTYPE, parent) {}
Dlg_SortType::~Dlg_SortType() = default;

BOOL Dlg_SortType::OnInitDialog()
{
    CDialog::OnInitDialog();
    Set_Module_Icon(this);
    Place_At_Cursor(this);
    if (Nine_Patterns) SetWindowText(L"选择打印顺序");
    Setup_Ok_Cancel(this, Ok_Button, Cancel_Button);
    Picture.SubclassDlgItem(IDC_PICTURE, this);
    Show_Pattern();
    return TRUE;
}

void Dlg_SortType::Show_Pattern()
{
    Sort_Type = Clamp_Order(Sort_Type, Last_Pattern());
    Picture.Set_Bitmap(Order_Bitmap(Sort_Type));
}

void Dlg_SortType::OnMouseMove(UINT flags, CPoint point)
{
    const int n = Order_After_Move(Control_Client_Rect(this, IDC_PICTURE), point, Sort_Type, Last_Pattern());
    if (n != Sort_Type) {
        Sort_Type = n;
        Show_Pattern();
    }
    CDialog::OnMouseMove(flags, point);
}

void Dlg_SortType::OnLButtonDown(UINT flags, CPoint point)
{
    const int n = Order_After_Press(Control_Client_Rect(this, IDC_PICTURE), point, Sort_Type, Last_Pattern());
    if (n != Sort_Type) {
        Sort_Type = n;
        Show_Pattern();
    }
    CDialog::OnLButtonDown(flags, point);
}

void Dlg_SortType::OnLButtonUp(UINT flags, CPoint point)
{
    Cursor_After_Release(Control_Client_Rect(this, IDC_PICTURE), point);
    CDialog::OnLButtonUp(flags, point);
}

void Dlg_SortType::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}
