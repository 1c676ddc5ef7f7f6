#include "ui/small_value_dialogs.h"

#include "core/file_name_rules.h"
#include "core/plot_config.h"
#include "core/string_helpers.h"
#include "res/resource.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

bool Outside_Filter_Range(double percent) { return percent < 0.0 || percent > 30.0; }

constexpr const wchar_t* Filter_Message = L"过滤比例应在 0 ~ 30 % 之间 !";
constexpr const wchar_t* Scale_Message = L"打印比例应大于 0 !";

}  // namespace

BEGIN_MESSAGE_MAP(Value_Dialog, CDialog)
END_MESSAGE_MAP()

BOOL Value_Dialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    Start_Value_Dialog(this, Ok_Button, Cancel_Button);
    return TRUE;
}

// ---- Dlg_FileName ----

Dlg_FileName::Dlg_FileName(CWnd* parent) : Value_Dialog(IDD_DLG_FILENAME, parent) {}
Dlg_FileName::~Dlg_FileName() = default;

void Dlg_FileName::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_EDIT_TEXT, Edit_Text);
}

void Dlg_FileName::OnOK()
{
    if (!UpdateData(TRUE)) return;
    Trim_Left_Blanks(Edit_Text);
    Trim_Right_Blanks(Edit_Text);
    UpdateData(FALSE);
    if (Edit_Text.IsEmpty()) {
        Refuse_Field(this, L"文件名不能为空 !", IDC_EDIT_TEXT, 20);
        return;
    }
    EndDialog(IDOK);
}

// ---- Dlg_Filter ----

Dlg_Filter::Dlg_Filter(CWnd* parent) : Value_Dialog(IDD_DLG_FILTER, parent) {}
Dlg_Filter::~Dlg_Filter() = default;

void Dlg_Filter::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_SECOND_EDIT, Filter_Percent);
}

BOOL Dlg_Filter::OnInitDialog()
{
    Value_Dialog::OnInitDialog();
    UpdateData(FALSE);
    return TRUE;
}

void Dlg_Filter::OnOK()
{
    if (!UpdateData(TRUE)) return;
    if (Outside_Filter_Range(Filter_Percent)) {
        Refuse_Field(this, Filter_Message, IDC_SECOND_EDIT, 10);
        return;
    }
    EndDialog(IDOK);
}

// ---- Dlg_New_Paper ----

Dlg_New_Paper::Dlg_New_Paper(CWnd* parent)
    : Value_Dialog(IDD_DLG_NEW_PAPER, parent),
      First_Side(g_Plot_Config.Custom_Paper_W),
      Second_Side(g_Plot_Config.Custom_Paper_H)
{
}
Dlg_New_Paper::~Dlg_New_Paper() = default;

void Dlg_New_Paper::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_FIRST_EDIT, First_Side);
    DDX_Text(exchange, IDC_SECOND_EDIT, Second_Side);
}

void Dlg_New_Paper::OnOK()
{
    if (!UpdateData(TRUE)) return;
    constexpr double Largest = 5080.0;
    const struct {
        bool refused;
        const wchar_t* message;
        int edit;
    } rules[] = {
        {First_Side <= 0.0, L"尺寸应大于 0 !", IDC_FIRST_EDIT},
        {Second_Side <= 0.0, L"尺寸应大于 0 !", IDC_SECOND_EDIT},
        {First_Side > Largest, L"尺寸过大，不能超过 5080 mm (即200英寸) !", IDC_FIRST_EDIT},
        {Second_Side > Largest, L"尺寸过大，不能超过 5080 mm (即200英寸) !", IDC_SECOND_EDIT},
    };
    for (const auto& rule : rules)
        if (rule.refused) {
            Refuse_Field(this, rule.message, rule.edit, 10);
            return;
        }
    if (First_Side < 50.0 || Second_Side < 50.0) {
        if (MessageBox(L"尺寸过小，小于50 mm。\n\n是否确认 ？", L"Korvel", MB_YESNO | MB_ICONINFORMATION) != IDYES) {
            CEdit* edit = static_cast<CEdit*>(GetDlgItem(First_Side < 50.0 ? IDC_FIRST_EDIT : IDC_SECOND_EDIT));
            edit->SetFocus();
            edit->SetSel(0, 10, FALSE);
            return;
        }
    }
    g_Plot_Config.Custom_Paper_W = static_cast<int>(First_Side);
    g_Plot_Config.Custom_Paper_H = static_cast<int>(Second_Side);
    EndDialog(IDOK);
}

// ---- Dlg_Sc_Set ----

Dlg_Sc_Set::Dlg_Sc_Set(CWnd* parent) : Value_Dialog(IDD_DLG_SC_SET, parent) {}
Dlg_Sc_Set::~Dlg_Sc_Set() = default;

void Dlg_Sc_Set::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_SCALE_EDIT, Scale_Value);
}

BOOL Dlg_Sc_Set::OnInitDialog()
{
    Value_Dialog::OnInitDialog();
    if (Scale_Mode == 1) SetWindowText(L"统一修改打印比例");
    if (Scale_Mode == 2) SetWindowText(L"打印比例");
    Round_For_Display(Scale_Value);
    UpdateData(FALSE);
    return TRUE;
}

void Dlg_Sc_Set::OnOK()
{
    if (!UpdateData(TRUE)) return;
    if (Scale_Value <= 0.0) {
        Refuse_Field(this, Scale_Message, IDC_SCALE_EDIT, 20);
        return;
    }
    EndDialog(IDOK);
}

// ---- Dlg_Sc_SetW ----

BEGIN_MESSAGE_MAP(Dlg_Sc_SetW, Value_Dialog)
    ON_BN_CLICKED(IDC_AUTO_SCALE_CHECK, Update_Scale_Edit)
END_MESSAGE_MAP()

Dlg_Sc_SetW::Dlg_Sc_SetW(CWnd* parent) : Value_Dialog(IDD_DLG_SC_SETW, parent) {}
Dlg_Sc_SetW::~Dlg_Sc_SetW() = default;

void Dlg_Sc_SetW::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_SCALE_EDIT, Scale_Value);
    DDX_Check(exchange, IDC_AUTO_SCALE_CHECK, Auto_Scale);
    DDX_Text(exchange, IDC_SECOND_EDIT, Filter_Percent);
}

BOOL Dlg_Sc_SetW::OnInitDialog()
{
    Value_Dialog::OnInitDialog();
    Round_For_Display(Scale_Value);
    UpdateData(FALSE);
    Update_Scale_Edit();
    return TRUE;
}

void Dlg_Sc_SetW::Update_Scale_Edit()
{
    UpdateData(TRUE);
    GetDlgItem(IDC_SCALE_EDIT)->EnableWindow(Auto_Scale == 0);
}

void Dlg_Sc_SetW::OnOK()
{
    if (!UpdateData(TRUE)) return;
    if (Scale_Value <= 0.0 && Auto_Scale == 0) {
        Refuse_Field(this, Scale_Message, IDC_SCALE_EDIT, 10);
        return;
    }
    if (Outside_Filter_Range(Filter_Percent)) {
        Refuse_Field(this, Filter_Message, IDC_SECOND_EDIT, 10);
        return;
    }
    EndDialog(IDOK);
}

// ---- Dlg_Str ----

Dlg_Str::Dlg_Str(CWnd* parent) : Value_Dialog(IDD_DLG_STR, parent) {}
Dlg_Str::~Dlg_Str() = default;

CString Dlg_Str::Caption_Of(int mode, int all_rows)
{
    switch (mode) {
    case 1: return L"修改图号";
    case 2: return all_rows == 1 ? L"统一修改版次" : L"修改版次";
    case 3: return all_rows == 1 ? L"统一修改日期" : L"修改日期";
    case 4: return L"修改姓名";
    case 5: return L"修改印章名";
    case 6: return L"修改图框名";
    case 7: return L"图框名";
    case 8: return L"属性值";
    default: return CString();
    }
}

void Dlg_Str::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_EDIT_TEXT, Edit_Text);
}

BOOL Dlg_Str::OnInitDialog()
{
    Value_Dialog::OnInitDialog();
    const CString caption = Caption_Of(Str_Mode, All_Rows);
    if (!caption.IsEmpty()) SetWindowText(caption);
    return TRUE;
}

void Dlg_Str::OnOK()
{
    if (!UpdateData(TRUE)) return;
    if (Str_Mode == 6 || Str_Mode == 7) Valid_File_Name(Edit_Text, true);
    Trim_Blanks(Edit_Text);
    UpdateData(FALSE);
    if (Edit_Text.IsEmpty() && Str_Mode != 8) {
        Refuse_Field(this, L"不能为空 !", IDC_EDIT_TEXT, 15);
        return;
    }
    EndDialog(IDOK);
}
