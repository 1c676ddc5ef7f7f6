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
    const CRect picture = Control_Client_Rect(this, IDC_PICTURE);
    Show_Step_Cursor(Body_Side(picture, point, false));
    if (In_Strip(picture, point.y)) {
        int n = Strip_Segment(picture, point.x);
        if (n >= 1 && n <= 9) {
            if (n == 9 && !Nine_Patterns) n = 8;
            if (n != Sort_Type) {
                Sort_Type = n;
                Show_Pattern();
            }
        }
    }
    CDialog::OnMouseMove(flags, point);
}

void Dlg_SortType::OnLButtonDown(UINT flags, CPoint point)
{
    const int side = Body_Side(Control_Client_Rect(this, IDC_PICTURE), point, false);
    if (side != 0) {
        Show_Step_Cursor(side);
        Sort_Type = Step_Order(Sort_Type, side, Last_Pattern());
        Show_Pattern();
    }
    CDialog::OnLButtonDown(flags, point);
}

void Dlg_SortType::OnLButtonUp(UINT flags, CPoint point)
{
    Show_Step_Cursor(Body_Side(Control_Client_Rect(this, IDC_PICTURE), point, true));
    CDialog::OnLButtonUp(flags, point);
}

void Dlg_SortType::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}
