#include "dialogs/name_rule_dialog.h"

#include <cwchar>

#include "core/name_lookups.h"
#include "mfc/afxdc.h"
#include "dialogs/print_order_picture.h"
#include "res/resource.h"
#include "titleblock/name_rule_example.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

// The whole text as a decimal integer (blanks around it allowed).
bool Read_Integer(const CString& text, int& value)
{
    const wchar_t* start = text.GetString();
    wchar_t* end = nullptr;
    const long parsed = std::wcstol(start, &end, 10);
    if (end == start) return false;
    while (*end == L' ') ++end;
    if (*end != 0) return false;
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace

BEGIN_MESSAGE_MAP(Dlg_Name_Rule, CDialog)
    ON_EN_CHANGE(IDC_PREFIX, On_Text_Change)
    ON_EN_CHANGE(IDC_SUFFIX, On_Text_Change)
    ON_CBN_SELCHANGE(IDC_DIGITS_COMBO, On_Text_Change)
    ON_EN_CHANGE(IDC_START_NO, On_Start_No_Change)
    ON_WM_CTLCOLOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

Dlg_Name_Rule::Dlg_Name_Rule(CWnd* parent) : CDialog(IDD_DLG_NAME_RULE, parent) {}
Dlg_Name_Rule::~Dlg_Name_Rule() = default;

void Dlg_Name_Rule::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_PREFIX, Prefix);
    DDX_Text(exchange, IDC_START_NO, Start_No);
    DDX_Text(exchange, IDC_SUFFIX, Suffix);
    DDX_CBIndex(exchange, IDC_DIGITS_COMBO, Digits_Index);
    DDX_Text(exchange, IDC_EXAMPLE, Example);
}

BOOL Dlg_Name_Rule::OnInitDialog()
{
    CDialog::OnInitDialog();
    Place_At_Cursor(this);
    Setup_Ok_Cancel(this, Ok_Button, Cancel_Button);
    if (auto* digits = static_cast<CComboBox*>(GetDlgItem(IDC_DIGITS_COMBO)))
        for (const wchar_t* item : {L"  1", L"  2", L"  3", L"  4", L"  5"}) digits->AddString(item);
    if (Prefix.CompareNoCase(L"???") == 0) Prefix = Get_Dwg_Title();
    Picture.SubclassDlgItem(IDC_PICTURE, this);
    Refresh_Example();
    UpdateData(FALSE);
    Started = true;
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

void Dlg_Name_Rule::On_Text_Change()
{
    if (!Started) return;  // the first push of the fields changes them one by one
    CString prefix, suffix;
    GetDlgItemText(IDC_PREFIX, prefix);
    GetDlgItemText(IDC_SUFFIX, suffix);
    auto* digits = static_cast<CComboBox*>(GetDlgItem(IDC_DIGITS_COMBO));
    const int digits_index = digits != nullptr ? digits->GetCurSel() : Digits_Index;
    if (prefix == Prefix && suffix == Suffix && digits_index == Digits_Index) return;
    Prefix = prefix;
    Suffix = suffix;
    Digits_Index = digits_index;
    Refresh_Example();
}

void Dlg_Name_Rule::On_Start_No_Change()
{
    if (!Started) return;
    CString text;
    GetDlgItemText(IDC_START_NO, text);
    text.Trim();
    if (text.IsEmpty() || text == L"-") return;
    int value = 0;
    if (!Read_Integer(text, value) || value == Start_No) return;
    Start_No = value;
    Refresh_Example();
}

HBRUSH Dlg_Name_Rule::OnCtlColor(CDC* dc, CWnd* window, UINT control_type)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, window, control_type);
    if (window != nullptr && window->GetDlgCtrlID() == IDC_EXAMPLE) dc->SetTextColor(RGB(0, 0, 200));
    return brush;
}

void Dlg_Name_Rule::OnMouseMove(UINT flags, CPoint point)
{
    const int t = Order_After_Move(Control_Client_Rect(this, IDC_PICTURE), point, Sort_Type, 9);
    if (t != Sort_Type) {
        Sort_Type = t;
        Refresh_Picture();
    }
    CDialog::OnMouseMove(flags, point);
}

void Dlg_Name_Rule::OnLButtonDown(UINT flags, CPoint point)
{
    const int t = Order_After_Press(Control_Client_Rect(this, IDC_PICTURE), point, Sort_Type, 9);
    if (t != Sort_Type) {
        Sort_Type = t;
        Refresh_Picture();
    }
    CDialog::OnLButtonDown(flags, point);
}

void Dlg_Name_Rule::OnLButtonUp(UINT flags, CPoint point)
{
    Cursor_After_Release(Control_Client_Rect(this, IDC_PICTURE), point);
    CDialog::OnLButtonUp(flags, point);
}

void Dlg_Name_Rule::OnOK()
{
    if (!UpdateData(TRUE)) return;
    const CString title = Get_Dwg_Title();
    if (!title.IsEmpty() && Prefix.CompareNoCase(title) == 0) Prefix = L"???";
    EndDialog(IDOK);
}
