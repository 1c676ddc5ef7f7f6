#include "dialogs/tk_name_dialog.h"

#include "core/file_name_rules.h"
#include "core/string_helpers.h"
#include "mfc/afxdc.h"
#include "res/resource.h"
#include "titleblock/tk_library.h"
#include "titleblock/tk_name_example.h"
#include "ui/small_value_dialogs_frame.h"

BEGIN_MESSAGE_MAP(Dlg_TK_Name, CDialog)
    ON_EN_CHANGE(IDC_TK_NAME_PATTERN, On_Pattern_Change)
    ON_CBN_SELCHANGE(IDC_DIGITS_COMBO, On_Pattern_Change)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

Dlg_TK_Name::Dlg_TK_Name(CWnd* parent) : CDialog(IDD_DLG_TK_NAME, parent) {}
Dlg_TK_Name::~Dlg_TK_Name() = default;

void Dlg_TK_Name::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_TK_NAME_PATTERN, Pattern);
    DDX_CBIndex(exchange, IDC_DIGITS_COMBO, Digits_Index);
    DDX_Text(exchange, IDC_EXAMPLE, Example);
}

BOOL Dlg_TK_Name::OnInitDialog()
{
    CDialog::OnInitDialog();
    Setup_Ok_Cancel(this, Ok_Button, Cancel_Button);
    if (auto* digits = static_cast<CComboBox*>(GetDlgItem(IDC_DIGITS_COMBO)))
        for (const wchar_t* item : {L"  1", L"  2", L"  3", L"  4", L"  5"}) digits->AddString(item);
    if (Pattern.IsEmpty()) Pattern = g_TK_Library.Last_Name_Rule;
    Refresh_Example();
    UpdateData(FALSE);
    Started = true;
    return TRUE;
}

void Dlg_TK_Name::Refresh_Example()
{
    Example = TK_Name_Example(Pattern);
    SetDlgItemText(IDC_EXAMPLE, Example);
}

void Dlg_TK_Name::On_Pattern_Change()
{
    if (!Started) return;  // the first push of the fields changes them one by one
    CString pattern;
    GetDlgItemText(IDC_TK_NAME_PATTERN, pattern);
    auto* digits = static_cast<CComboBox*>(GetDlgItem(IDC_DIGITS_COMBO));
    const int digits_index = digits != nullptr ? digits->GetCurSel() : Digits_Index;
    if (pattern == Pattern && digits_index == Digits_Index) return;
    Pattern = pattern;
    Digits_Index = digits_index;
    Refresh_Example();
}

HBRUSH Dlg_TK_Name::OnCtlColor(CDC* dc, CWnd* window, UINT control_type)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, window, control_type);
    const int id = window != nullptr ? window->GetDlgCtrlID() : 0;
    if (id == IDC_EXAMPLE)
        dc->SetTextColor(RGB(0, 0, 200));
    else if (id == IDC_TK_NAME_LETTERS_TITLE || id == IDC_TK_NAME_LETTERS || id == IDC_TK_NAME_DOUBLED)
        dc->SetTextColor(RGB(0, 127, 0));
    return brush;
}

void Dlg_TK_Name::OnOK()
{
    if (!UpdateData(TRUE)) return;
    Valid_File_Name(Pattern, true);
    Trim_Left_Blanks(Pattern);
    Trim_Right_Blanks(Pattern);
    SetDlgItemText(IDC_TK_NAME_PATTERN, Pattern);
    if (Pattern.IsEmpty()) {
        Refuse_Field(this, L"文件名不能为空 !", IDC_TK_NAME_PATTERN, 20);
        return;
    }
    g_TK_Library.Last_Name_Rule = Pattern;
    EndDialog(IDOK);
}
