#include "signstamp/dlg_stamp_select.h"

#include "core/plot_option.h"
#include "mfc/afxdc.h"
#include "res/resource.h"
#include "signstamp/stamp_choice.h"
#include "signstamp/stamp_library.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

struct Row_Ids {
    int use, combo, code, label, mark, message;
};
constexpr Row_Ids Rows[Stamp_Kinds] = {
    {IDC_SELECT_USE_1, IDC_SELECT_COMBO_1, IDC_SELECT_CODE_1, IDC_SELECT_LABEL_1, IDC_SELECT_MARK_1, IDC_SELECT_MESSAGE_1},
    {IDC_SELECT_USE_2, IDC_SELECT_COMBO_2, IDC_SELECT_CODE_2, IDC_SELECT_LABEL_2, IDC_SELECT_MARK_2, IDC_SELECT_MESSAGE_2},
    {IDC_SELECT_USE_3, IDC_SELECT_COMBO_3, IDC_SELECT_CODE_3, IDC_SELECT_LABEL_3, IDC_SELECT_MARK_3, IDC_SELECT_MESSAGE_3},
    {IDC_SELECT_USE_4, IDC_SELECT_COMBO_4, IDC_SELECT_CODE_4, IDC_SELECT_LABEL_4, IDC_SELECT_MARK_4, IDC_SELECT_MESSAGE_4},
};
const COLORREF Mark_Green = RGB(31, 127, 0);
const COLORREF Mark_Red = RGB(255, 0, 0);

CString Missing_Text(int k, bool has_stamps, bool has_position)
{
    const wchar_t* kind = Stamp_Type_Text(k);
    CString text;
    if (!has_stamps && !has_position)
        text.Format(L"印章库内无%s，所选图框也未录入%s位置", kind, kind);
    else if (!has_position)
        text.Format(L"所选图框未录入%s位置", kind);
    else
        text.Format(L"印章库内无%s", kind);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(Dlg_Stamp_Select, CDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_SELECT_USE_1, IDC_SELECT_USE_4, On_Row_Changed)
    ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_SELECT_COMBO_1, IDC_SELECT_COMBO_4, On_Row_Changed)
    ON_CONTROL_RANGE(EN_CHANGE, IDC_SELECT_CODE_1, IDC_SELECT_CODE_4, On_Code_Changed)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

Dlg_Stamp_Select::Dlg_Stamp_Select(CWnd* parent) : CDialog(IDD_DLG_STAMP_SELECT, parent), Option(g_Cur_Plot_Option) {}
Dlg_Stamp_Select::~Dlg_Stamp_Select() = default;

void Dlg_Stamp_Select::Fill_Rows(const Stamp_Library& library)
{
    for (const auto& stamp : library.Stamps) {
        if (stamp->Enabled == 0)
            continue;
        for (int kind = 1; kind <= Stamp_Kinds; ++kind)
            if (Stamp_Serves_Kind(stamp->Type, kind))
                Stamps[kind - 1].push_back(stamp.get());
    }
}

const KV_Stamp* Dlg_Stamp_Select::Chosen_Stamp(int k) const
{
    return Chosen[k] >= 0 && Chosen[k] < static_cast<int>(Stamps[k].size()) ? Stamps[k][static_cast<size_t>(Chosen[k])]
                                                                            : nullptr;
}

BOOL Dlg_Stamp_Select::OnInitDialog()
{
    CDialog::OnInitDialog();
    Start_Value_Dialog(this, Ok_Button, Cancel_Button);
    if (Option != nullptr)
        for (int k = 0; k < Stamp_Kinds; ++k)
            Use[k] = Stamp_Use_Flag(*Option, k + 1);
    for (int k = 0; k < Stamp_Kinds; ++k) {
        const Row_Ids& ids = Rows[k];
        if (!Row_Usable(k)) {
            Use[k] = 0;
            GetDlgItem(ids.use)->EnableWindow(FALSE);
            SetDlgItemText(ids.message, Missing_Text(k, !Stamps[k].empty(), Has_Position[k] != 0));
            GetDlgItem(ids.message)->ShowWindow(SW_SHOW);
            for (int id : {ids.combo, ids.code, ids.label, ids.mark})
                GetDlgItem(id)->ShowWindow(SW_HIDE);
        }
        auto* combo = static_cast<CComboBox*>(GetDlgItem(ids.combo));
        for (size_t i = 0; i < Stamps[k].size(); ++i) {
            combo->AddString(Stamps[k][i]->Name);
            if (Option != nullptr && Stamps[k][i]->Name == Stamp_Name_Of(*Option, k + 1))
                Chosen[k] = static_cast<int>(i);
        }
    }
    UpdateData(FALSE);
    m_Opened = true;
    Update_Rows();
    return TRUE;
}

void Dlg_Stamp_Select::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    for (int k = 0; k < Stamp_Kinds; ++k) {
        DDX_Check(exchange, Rows[k].use, Use[k]);
        DDX_CBIndex(exchange, Rows[k].combo, Chosen[k]);
        DDX_Text(exchange, Rows[k].code, Typed_Code[k]);
    }
}

void Dlg_Stamp_Select::Update_Rows()
{
    for (int k = 0; k < Stamp_Kinds; ++k) {
        const Row_Ids& ids = Rows[k];
        const BOOL on = Use[k] == 1;
        for (int id : {ids.combo, ids.code, ids.label, ids.mark})
            GetDlgItem(id)->EnableWindow(on);
        const KV_Stamp* stamp = Chosen_Stamp(k);
        if (!on || stamp == nullptr)
            continue;
        if (stamp->Code < 1) {
            SetDlgItemText(ids.mark, L"√");
            for (int id : {ids.code, ids.label, ids.mark})
                GetDlgItem(id)->EnableWindow(FALSE);
        } else {
            SetDlgItemText(ids.mark, Typed_Code[k] == stamp->Code ? L"√" : L"X");
        }
        GetDlgItem(ids.mark)->Invalidate();
    }
}

void Dlg_Stamp_Select::On_Row_Changed(UINT /*id*/)
{
    if (m_Opened && UpdateData(TRUE))
        Update_Rows();
}

void Dlg_Stamp_Select::On_Code_Changed(UINT id)
{
    CString text;
    GetDlgItemText(static_cast<int>(id), text);
    if (!m_Opened || text.IsEmpty())
        return;
    for (int k = 0; k < Stamp_Kinds; ++k) {
        if (Rows[k].code != static_cast<int>(id))
            continue;
        const int before = Typed_Code[k];
        if (UpdateData(TRUE) && Typed_Code[k] != before)
            Update_Rows();
    }
}

HBRUSH Dlg_Stamp_Select::OnCtlColor(CDC* dc, CWnd* window, UINT kind)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, window, kind);
    const int id = window != nullptr ? window->GetDlgCtrlID() : 0;
    for (int k = 0; k < Stamp_Kinds; ++k) {
        if (Rows[k].mark != id || Use[k] != 1)
            continue;
        const KV_Stamp* stamp = Chosen_Stamp(k);
        dc->SetTextColor(stamp != nullptr && stamp->Code > 0 && Typed_Code[k] != stamp->Code ? Mark_Red : Mark_Green);
    }
    return brush;
}

void Dlg_Stamp_Select::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    static const wchar_t* const wrong_code[Stamp_Kinds] = {L"注册章的授权码有误 !", L"出图章的授权码有误 !",
                                                           L"项目章的授权码有误 !", L"竣工章的授权码有误 !"};
    for (int k = 0; k < Stamp_Kinds; ++k) {
        const KV_Stamp* stamp = Chosen_Stamp(k);
        if (Use[k] != 1 || stamp == nullptr) {
            Use[k] = 0;
            continue;
        }
        if (stamp->Code > 0 && Typed_Code[k] != stamp->Code)
            return Refuse_Field(this, wrong_code[k], Rows[k].code, 10);
        if (Option != nullptr)
            Stamp_Name_Of(*Option, k + 1) = stamp->Name;
    }
    if (Option != nullptr)
        for (int k = 0; k < Stamp_Kinds; ++k)
            Stamp_Use_Flag(*Option, k + 1) = Use[k];
    EndDialog(IDOK);
}
