#include "dialogs/numbering_dialog.h"

#include <cwchar>

#include "core/file_name_rules.h"
#include "core/plot_option.h"
#include "mfc/afxdc.h"
#include "res/resource.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

// The whole text as a decimal integer the dialog takes (blanks around it allowed).
bool Parse_Start_No(const CString& text, int& value)
{
    const wchar_t* start = text.GetString();
    wchar_t* end = nullptr;
    const long long parsed = std::wcstoll(start, &end, 10);
    if (end == start) return false;
    while (*end == L' ') ++end;
    if (*end != 0 || parsed < -Max_Start_No || parsed > Max_Start_No) return false;
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace

CString Numbering_Example(const CString& prefix, int start_no, const CString& suffix, int digits_index,
                          const wchar_t* tail)
{
    CString example = L"示   例";
    auto line = [&](int n) { example += L"\n\n" + prefix + Format_No(n, digits_index + 1) + suffix + tail; };
    line(start_no);
    line(start_no + 1);
    line(start_no + 2);
    example += L"\n\n..........";
    line(start_no + 10);
    line(start_no + 11);
    return example;
}

BEGIN_MESSAGE_MAP(Numbering_Dialog, CDialog)
    ON_EN_CHANGE(IDC_PREFIX, On_Text_Change)
    ON_EN_CHANGE(IDC_SUFFIX, On_Text_Change)
    ON_CBN_SELCHANGE(IDC_DIGITS_COMBO, On_Text_Change)
    ON_EN_CHANGE(IDC_START_NO, On_Start_No_Change)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

Numbering_Dialog::Numbering_Dialog(UINT template_id, CWnd* parent) : CDialog(template_id, parent) {}
Numbering_Dialog::~Numbering_Dialog() = default;

void Numbering_Dialog::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_PREFIX, Prefix);
    DDX_Text(exchange, IDC_START_NO, Start_No);
    DDV_MinMaxInt(exchange, Start_No, -Max_Start_No, Max_Start_No);
    DDX_Text(exchange, IDC_SUFFIX, Suffix);
    DDX_CBIndex(exchange, IDC_DIGITS_COMBO, Digits_Index);
    DDX_Text(exchange, IDC_EXAMPLE, Example);
}

BOOL Numbering_Dialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    Setup_Ok_Cancel(this, Ok_Button, Cancel_Button);
    if (auto* digits = static_cast<CComboBox*>(GetDlgItem(IDC_DIGITS_COMBO)))
        for (const wchar_t* item : {L"  1", L"  2", L"  3", L"  4", L"  5"}) digits->AddString(item);
    Refresh_Example();
    UpdateData(FALSE);
    Started = true;
    return TRUE;
}

void Numbering_Dialog::On_Text_Change()
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

void Numbering_Dialog::On_Start_No_Change()
{
    if (!Started) return;
    CString text;
    GetDlgItemText(IDC_START_NO, text);
    text.Trim();
    if (text.IsEmpty() || text == L"-") return;
    int value = 0;
    if (!Parse_Start_No(text, value) || value == Start_No) return;
    Start_No = value;
    Refresh_Example();
}

HBRUSH Numbering_Dialog::OnCtlColor(CDC* dc, CWnd* window, UINT control_type)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, window, control_type);
    if (window != nullptr && window->GetDlgCtrlID() == IDC_EXAMPLE) dc->SetTextColor(RGB(0, 0, 200));
    return brush;
}
