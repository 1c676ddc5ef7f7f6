#include "core/file_name_rules.h"
#include "dialogs/dlg_tk_define.h"
#include "dialogs/long_paper_names_dialog.h"
#include "mfc/afxdc.h"
#include "res/resource.h"
#include "sheets/paper_table.h"
#include "titleblock/tk_library.h"

namespace {

// The sample lengthened papers of the examples (long x short, mm).
const int Sample_Papers[4][2] = {{630, 297}, {1040, 420}, {1892, 594}, {1486, 841}};
const int Standard_Ids[4] = {IDC_TKD3_STANDARD_1, IDC_TKD3_STANDARD_1 + 1, IDC_TKD3_STANDARD_1 + 2,
                             IDC_TKD3_STANDARD_1 + 3};
const int Example_Ids[4] = {IDC_TKD3_EXAMPLE_1, IDC_TKD3_EXAMPLE_1 + 1, IDC_TKD3_EXAMPLE_1 + 2,
                            IDC_TKD3_EXAMPLE_1 + 3};
const wchar_t* const Explanations[8] = {
    L"(按国标命名)", L"(加长比例折算为数字)", L"(加长比例折算为数字)",
    L"(A3每增加1/2幅宽加1，A2、A1、A0每增加1/4幅宽加1)", L"(每增加1/4幅宽加一个“+”)",
    L"(所有加长图幅均用一个“+”表示)", L"(A3每增加1/2幅宽加1，A2、A1、A0每增加1/8幅宽加1)", L""};

CString Paper_In_Style(const CString& name, int style)
{
    CString text = name;
    Convert_Paper_Name_Style(text, style, g_TK_Library.Long_Paper_Names);
    text.Replace(L"\u2215", L"/");
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(Dlg_TK_Define3, CZcUiTabChildDialog)
    ON_EN_CHANGE(IDC_TKD3_SEPARATOR, On_Separator_Change)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_TKD3_STYLE_0, IDC_TKD3_STYLE_0 + 6, On_Style)
    ON_BN_CLICKED(IDC_TKD3_STYLE_0 + 7, Edit_Long_Paper_Names)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

Dlg_TK_Define3::Dlg_TK_Define3() = default;
Dlg_TK_Define3::~Dlg_TK_Define3() = default;

void Dlg_TK_Define3::DoDataExchange(CDataExchange* exchange)
{
    CZcUiTabChildDialog::DoDataExchange(exchange);
    for (int i = 0; i < 6; ++i) DDX_Check(exchange, IDC_TKD3_CENTRE_A + i, Centre[i]);
    DDX_Text(exchange, IDC_TKD3_SEPARATOR, Separator);
    DDX_Text(exchange, IDC_TKD3_EXAMPLE, Example);
    for (int i = 0; i < 4; ++i) {
        DDX_Text(exchange, Standard_Ids[i], Standard_Names[i]);
        DDX_Text(exchange, Example_Ids[i], Example_Names[i]);
    }
    DDX_Text(exchange, IDC_TKD3_EXPLANATION, Explanation);
    DDX_Radio(exchange, IDC_TKD3_STYLE_0, Style_Index);
}

BOOL Dlg_TK_Define3::OnInitDialog()
{
    CZcUiTabChildDialog::OnInitDialog();
    for (int i = 0; i < 6; ++i) Centre[i] = g_TK_Library.Centre_Text[i];
    Separator = g_TK_Library.Line_Separator;
    Style_Index = g_TK_Library.Paper_Name_Style;
    UpdateData(FALSE);
    Refresh_Examples();
    return TRUE;
}

void Dlg_TK_Define3::Refresh_Examples()
{
    if (Refreshing || !UpdateData(TRUE))
        return;
    Refreshing = true;
    Valid_File_Name(Separator, true);
    Example.Format(L"示 例： 结施01_一层梁布置图%s二层梁布置图%s三层梁布置图", Separator.GetString(),
                   Separator.GetString());
    for (int i = 0; i < 4; ++i) {
        const CString name = MyPaper(Sample_Papers[i][0], Sample_Papers[i][1]).Get_Name();
        Standard_Names[i] = Paper_In_Style(name, 0);
        Example_Names[i] = Paper_In_Style(name, Style_Index);
    }
    Explanation = Style_Index >= 0 && Style_Index < 8 ? Explanations[Style_Index] : L"";
    UpdateData(FALSE);
    Refreshing = false;
}

void Dlg_TK_Define3::On_Separator_Change()
{
    Refresh_Examples();
}

void Dlg_TK_Define3::On_Style(UINT /*id*/)
{
    Refresh_Examples();
}

void Dlg_TK_Define3::Edit_Long_Paper_Names()
{
    UpdateData(TRUE);
    Dlg_TK_Name_Define dialog(this);
    dialog.DoModal();
    Refresh_Examples();
}

HBRUSH Dlg_TK_Define3::OnCtlColor(CDC* dc, CWnd* window, UINT control_type)
{
    HBRUSH brush = CZcUiTabChildDialog::OnCtlColor(dc, window, control_type);
    if (window == nullptr) return brush;
    const int id = window->GetDlgCtrlID();
    if (id == IDC_TKD3_GROUP_1 || id == IDC_TKD3_GROUP_2 || id == IDC_TKD3_GROUP_3)
        dc->SetTextColor(RGB(255, 0, 0));
    if ((id >= IDC_TKD3_STANDARD_LABEL && id <= IDC_TKD3_EXPLANATION) || id == IDC_TKD3_EXAMPLE ||
        (id >= IDC_TKD3_STANDARD_1 && id <= IDC_TKD3_EXAMPLE_1 + 3))
        dc->SetTextColor(RGB(0, 0, 200));
    return brush;
}
