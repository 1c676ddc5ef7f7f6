#include "dialogs/dlg_tk_define.h"

#include "core/monitor_fit.h"
#include "res/resource.h"
#include "titleblock/tk_library.h"
#include "ui/small_value_dialogs_frame.h"

BEGIN_MESSAGE_MAP(Dlg_TK_Define, CZcUiTabMainDialog)
    ON_BN_CLICKED(IDC_TKD_NEW, On_New_Record)
    ON_BN_CLICKED(IDC_TKD_IMPORT, Import_Library)
    ON_BN_CLICKED(IDC_TKD_EXPORT, Export_Library)
    ON_NOTIFY(TCN_SELCHANGE, IDC_TKD_TAB, On_Tab_Change)
    ON_MESSAGE(WM_TK_HIDE_FOR_PICK, On_Hide_For_Pick)
    ON_MESSAGE(WM_TK_SHOW_AFTER_PICK, On_Show_After_Pick)
END_MESSAGE_MAP()

Dlg_TK_Define::Dlg_TK_Define(CWnd* parent) : CZcUiTabMainDialog(IDD_DLG_TK_DEFINE, parent) {}
Dlg_TK_Define::~Dlg_TK_Define() = default;

void Dlg_TK_Define::DoDataExchange(CDataExchange* exchange)
{
    CZcUiTabMainDialog::DoDataExchange(exchange);
}

BOOL Dlg_TK_Define::OnInitDialog()
{
    CZcUiTabMainDialog::OnInitDialog();
    Place_At_Cursor(this);
    Setup_Ok_Cancel(this, Ok_Button, Cancel_Button);
    Setup_Picture_Button(this, New_Button, IDC_TKD_NEW, IDI_ADD_FRAME_HOVER, IDI_ADD_FRAME_IDLE, 16);
    Setup_Picture_Button(this, Import_Button, IDC_TKD_IMPORT, IDI_IMPORT_HOVER, IDI_IMPORT_IDLE, 16);
    Setup_Picture_Button(this, Export_Button, IDC_TKD_EXPORT, IDI_EXPORT_HOVER, IDI_EXPORT_IDLE, 16);
    Tab.SubclassDlgItem(IDC_TKD_TAB, this);
    SetZcadTabPointer(&Tab);
    Tab.AddTab(0, L"  图框信息录入    ", IDD_DLG_TK_DEFINE1, &Page1);
    Tab.AddTab(1, L"  目录生成配置    ", IDD_DLG_TK_DEFINE2, &Page2);
    Tab.AddTab(2, L"  其  它    ", IDD_DLG_TK_DEFINE3, &Page3);
    Tab.SetActiveTab(0);
    Current_Page = 0;
    return TRUE;
}

bool Dlg_TK_Define::Read_Pages()
{
    if (!UpdateData(TRUE) || !Page1.UpdateData(TRUE) || !Page2.UpdateData(TRUE) || !Page3.UpdateData(TRUE))
        return false;
    return Current_Page != 1 || Page2.Check_Catalogue_Settings();
}

void Dlg_TK_Define::Take_Page_Values()
{
    g_TK_Library.Cat_Border = Page2.Border;
    for (int i = 0; i < 6; ++i) g_TK_Library.Centre_Text[i] = Page3.Centre[i];
    g_TK_Library.Line_Separator = Page3.Separator;
    g_TK_Library.Paper_Name_Style = Page3.Style_Index;
}

void Dlg_TK_Define::OnOK()
{
    if (!Read_Pages())
        return;
    Take_Page_Values();
    g_TK_Library.Save(true, false);
    CZcUiTabMainDialog::OnOK();
}

void Dlg_TK_Define::OnCancel()
{
    g_TK_Library.Load(0);
    CZcUiTabMainDialog::OnCancel();
}

void Dlg_TK_Define::On_New_Record()
{
    if (Current_Page == 0)
        Page1.New_Record();
}

void Dlg_TK_Define::Import_Library()
{
    g_TK_Library.Load(1);
    Page1.Fill_List();
    Page2.Border = g_TK_Library.Cat_Border;
    Page2.UpdateData(FALSE);
    Page2.Refresh_Text_Summary();
    Page2.Refresh_Preview();
    for (int i = 0; i < 6; ++i) Page3.Centre[i] = g_TK_Library.Centre_Text[i];
    Page3.Separator = g_TK_Library.Line_Separator;
    Page3.Style_Index = g_TK_Library.Paper_Name_Style;
    Page3.UpdateData(FALSE);
    Page3.Refresh_Examples();
}

void Dlg_TK_Define::Export_Library()
{
    if (!Read_Pages())
        return;
    Take_Page_Values();
    g_TK_Library.Save(true, true);
}

void Dlg_TK_Define::On_Tab_Change(NMHDR* /*header*/, LRESULT* /*result*/)
{
    Current_Page = Tab.GetActiveTab();
    if (CWnd* button = GetDlgItem(IDC_TKD_NEW)) button->ShowWindow(Current_Page == 0 ? SW_SHOW : SW_HIDE);
}

LRESULT Dlg_TK_Define::On_Hide_For_Pick(WPARAM, LPARAM)
{
    BeginEditorCommand();
    return 0;
}

LRESULT Dlg_TK_Define::On_Show_After_Pick(WPARAM, LPARAM)
{
    CompleteEditorCommand();
    return 0;
}
