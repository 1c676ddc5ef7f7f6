#include "signstamp/dlg_sign_cer.h"

#include <algorithm>

#include "res/resource.h"
#include "signstamp/sign_library.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

constexpr int Authorise_Column = 3;

}  // namespace

// ---- Dlg_Cer ----

Dlg_Cer::Dlg_Cer(int32_t library_code, CWnd* parent) : CDialog(IDD_DLG_CER, parent), Library_Code(library_code) {}
Dlg_Cer::~Dlg_Cer() = default;

BOOL Dlg_Cer::OnInitDialog()
{
    CDialog::OnInitDialog();
    Start_Value_Dialog(this, Ok_Button, Cancel_Button);
    return TRUE;
}

void Dlg_Cer::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_SIGN_CODE_EDIT, Typed_Code);
    DDV_MinMaxInt(exchange, Typed_Code, 0, 999999);
    DDX_Text(exchange, IDC_SIGN_DAYS_EDIT, Days);
    DDV_MinMaxInt(exchange, Days, 0, 2000);
}

void Dlg_Cer::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (Typed_Code == 0 || Typed_Code != Library_Code) {
        MessageBox(L"输入的授权码有误!", L"签名授权", MB_ICONINFORMATION);
        if (CEdit* edit = static_cast<CEdit*>(GetDlgItem(IDC_SIGN_CODE_EDIT))) {
            edit->SetFocus();
            edit->SetSel(0, -1);
        }
        return;
    }
    EndDialog(IDOK);
}

// ---- Dlg_SignCer ----

BEGIN_MESSAGE_MAP(Dlg_SignCer, CDialog)
    ON_NOTIFY(NM_CLICK, IDC_SIGN_CER_LIST, On_List_Click)
END_MESSAGE_MAP()

Dlg_SignCer::Dlg_SignCer(CWnd* parent) : CDialog(IDD_DLG_SIGNCER, parent) {}
Dlg_SignCer::~Dlg_SignCer() = default;

KV_Sign* Dlg_SignCer::Find_Sign(int32_t person_no) const
{
    for (KV_Sign* sign : Coded)
        if (sign->Person_No == person_no)
            return sign;
    return nullptr;
}

bool Dlg_SignCer::Was_Confirmed(int32_t person_no) const
{
    return std::find(Confirmed.begin(), Confirmed.end(), person_no) != Confirmed.end();
}

void Dlg_SignCer::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_SIGN_CER_LIST, List);
}

BOOL Dlg_SignCer::OnInitDialog()
{
    CDialog::OnInitDialog();
    Set_Module_Icon(this);
    Place_At_Cursor(this);
    Close_Button.SubclassDlgItem(IDCANCEL, this);
    Close_Button.Set_Icon(IDI_CLOSE_HOVER, IDI_CLOSE_IDLE, 32);
    Close_Button.Set_Cursor(IDR_HAND_CURSOR);

    List.SetExtendedStyle(List.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    List.Hover_Mode = 2;
    List.Hover_Columns.append(Authorise_Column);
    CRect client;
    List.GetClientRect(&client);
    const double unit = client.Width() / 5.9;
    struct Column {
        const wchar_t* caption;
        double units;
    };
    int index = 0;
    for (const Column& column : {Column{L"序号", 0.8}, Column{L"姓 名", 2}, Column{L"授权有效期", 2}, Column{L"授 权", 1}})
        List.InsertColumn(index++, column.caption, LVCFMT_CENTER, static_cast<int>(unit * column.units));

    int row = 0;
    auto add_row = [&](const CString& name) {
        CString number;
        number.Format(L"%2d", row + 1);
        List.InsertItem(row, number);
        List.SetItemText(row, 1, name);
        return row++;
    };
    for (KV_Sign* sign : Coded)
        Show_Coded_Row(add_row(sign->Name));
    for (KV_Sign* sign : Uncoded)
        List.SetItemText(add_row(sign->Name), 2, L"无需授权");
    for (const CString& name : Missing) {
        const int added = add_row(name);
        List.SetItemText(added, 2, L"签名库中不存在");
        List.Add_Mark_Cell(added, 2);
    }
    return TRUE;
}

void Dlg_SignCer::Show_Coded_Row(int row)
{
    const KV_Sign* sign = Coded[static_cast<size_t>(row)];
    CString days = L"---";
    if (sign->Authorised_Days > 0)
        days.Format(L"%2d 天", sign->Authorised_Days);
    List.SetItemText(row, 2, days);
    List.SetItemText(row, Authorise_Column, sign->Authorised_Days > 0 ? L"已授权" : L"未授权");
    if (sign->Authorised_Days > 0)
        List.Remove_Mark_Cell(row, Authorise_Column);
    else
        List.Add_Mark_Cell(row, Authorise_Column);
    List.Invalidate();
}

void Dlg_SignCer::On_List_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (click->iSubItem != Authorise_Column || click->iItem < 0 || click->iItem >= static_cast<int>(Coded.size()))
        return;
    KV_Sign* sign = Coded[static_cast<size_t>(click->iItem)];
    Dlg_Cer confirm(sign->Code, this);
    if (confirm.DoModal() != IDOK)
        return;
    Changed = 1;
    sign->Authorised_Days = confirm.Days;
    if (!Was_Confirmed(sign->Person_No))
        Confirmed.push_back(sign->Person_No);
    Show_Coded_Row(click->iItem);
}
