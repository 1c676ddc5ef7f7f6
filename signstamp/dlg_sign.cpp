#include "signstamp/dlg_sign.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/file_dialogs.h"
#include "core/plot_config.h"
#include "mfc/afxdc.h"
#include "res/resource.h"
#include "signstamp/dlg_stamp_values.h"
#include "signstamp/sign_outline.h"
#include "ui/result_button.h"
#include "ui/small_value_dialogs.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

constexpr int Sign_Selected_Chars = 10;
const COLORREF Sign_Back = RGB(192, 192, 192);
const COLORREF Sign_Ink = RGB(0, 76, 0);

enum Sign_Column { Sign_No, Sign_View, Sign_Name, Sign_Delete, Sign_Code, Sign_State, Sign_Column_Count };

// Fills the frame control black and draws the signature into it.
void Paint_Sign_Frame(CDialog* dialog, const KV_Sign* sign)
{
    CWnd* frame = dialog->GetDlgItem(IDC_SIGN_PICTURE);
    if (frame == nullptr)
        return;
    CRect area;
    frame->GetWindowRect(&area);
    dialog->ScreenToClient(&area);
    CClientDC dc(dialog);
    dc.FillSolidRect(&area, RGB(0, 0, 0));
    if (sign != nullptr)
        sign->Draw_Preview(&dc, area);
}

}  // namespace

void KV_Sign::Draw_Preview(CDC* dc, const CRect& rect) const
{
    if (Shapes.empty())
        return;
    dc->FillSolidRect(&rect, Sign_Back);
    const CPoint c(rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2);
    double bx = 0.0, by = 0.0;
    for (const auto& shape : Shapes) {
        for (double x : shape->Xs) bx = std::max(bx, std::fabs(x));
        for (double y : shape->Ys) by = std::max(by, std::fabs(y));
    }
    if (bx == 0.0 && by == 0.0)
        return;
    const double kx = bx > 0.0 ? (rect.right - rect.left) / bx / 2.2 : 1e300;
    const double ky = by > 0.0 ? (rect.bottom - rect.top) / by / 2.2 : 1e300;
    const double k = std::min(kx, ky);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* old_pen = dc->SelectObject(&pen);
    for (const auto& shape : Shapes) {
        if (shape->Xs.empty())
            continue;
        std::vector<POINT> points;
        for (size_t i = 0; i < shape->Xs.size(); ++i)
            points.push_back({static_cast<LONG>(c.x + k * shape->Xs[i]), static_cast<LONG>(c.y - k * shape->Ys[i])});
        CBrush brush(shape->Kind == 1 ? Sign_Ink : Sign_Back);
        CBrush* old_brush = dc->SelectObject(&brush);
        dc->Polygon(points.data(), static_cast<int>(points.size()));
        dc->SelectObject(old_brush);
    }
    dc->SelectObject(old_pen);
}

// ---- Dlg_Sign ----

BEGIN_MESSAGE_MAP(Dlg_Sign, CDialog)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

Dlg_Sign::Dlg_Sign(CWnd* parent) : CDialog(IDD_DLG_SIGN, parent) {}
Dlg_Sign::~Dlg_Sign() = default;

BOOL Dlg_Sign::OnInitDialog()
{
    CDialog::OnInitDialog();
    Start_Value_Dialog(this, Ok_Button, Cancel_Button);
    if (Sign != nullptr) {
        Name = Sign->Name;
        Code = Sign->Code;
    }
    UpdateData(FALSE);
    return TRUE;
}

void Dlg_Sign::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_SIGN_NAME, Name);
    DDX_Text(exchange, IDC_SIGN_CODE, Code);
}

void Dlg_Sign::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    Name.Trim(L" ");
    if (Name.IsEmpty())
        return Refuse_Field(this, L"姓名不能为空 !", IDC_SIGN_NAME, Sign_Selected_Chars);
    if (Code < 0 || Code > Max_Auth_Code)
        return Refuse_Field(this, Code_Range_Message, IDC_SIGN_CODE, Sign_Selected_Chars);
    Sign->Name = Name;
    Sign->Code = Code;
    EndDialog(IDOK);
}

void Dlg_Sign::OnPaint()
{
    CDialog::OnPaint();
    Paint_Sign_Frame(this, Sign);
}

HBRUSH Dlg_Sign::OnCtlColor(CDC* dc, CWnd* window, UINT kind)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, window, kind);
    const int id = window != nullptr ? window->GetDlgCtrlID() : 0;
    if (id == IDC_SIGN_NOTE_1 || id == IDC_SIGN_NOTE_2)
        dc->SetTextColor(RGB(0, 0, 150));
    return brush;
}

// ---- Dlg_SignView ----

BEGIN_MESSAGE_MAP(Dlg_SignView, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

Dlg_SignView::Dlg_SignView(CWnd* parent) : CDialog(IDD_DLG_SIGNVIEW, parent) {}
Dlg_SignView::~Dlg_SignView() = default;

BOOL Dlg_SignView::OnInitDialog()
{
    CDialog::OnInitDialog();
    Set_Module_Icon(this);
    Place_At_Cursor(this);
    Setup_Close_Button(this, Close_Button);
    return TRUE;
}

void Dlg_SignView::OnPaint()
{
    CDialog::OnPaint();
    Paint_Sign_Frame(this, Sign);
}

// ---- Dlg_Sign_Lib ----

BEGIN_MESSAGE_MAP(Dlg_Sign_Lib, CZcUiDialog)
    ON_NOTIFY(NM_CLICK, IDC_SIGN_LIB_LIST, On_Click)
    ON_NOTIFY(NM_DBLCLK, IDC_SIGN_LIB_LIST, On_Double_Click)
    ON_BN_CLICKED(IDC_SIGN_LIB_ADD, Add_New)
    ON_BN_CLICKED(IDC_SIGN_LIB_IMPORT, On_Import)
    ON_BN_CLICKED(IDC_SIGN_LIB_EXPORT, On_Export)
    ON_STN_CLICKED(IDC_SIGN_LIB_PATH, On_Path_Click)
    ON_WM_MOUSEMOVE()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

Dlg_Sign_Lib::Dlg_Sign_Lib(CWnd* parent) : CZcUiDialog(IDD_DLG_SIGN_LIB, parent) {}
Dlg_Sign_Lib::~Dlg_Sign_Lib() = default;

void Dlg_Sign_Lib::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_SIGN_LIB_LIST, List);
    DDX_Text(exchange, IDC_SIGN_LIB_PATH, Library_Path);
    DDX_Radio(exchange, IDC_SIGN_LIB_FILL_HATCH, Fill_Style);
}

BOOL Dlg_Sign_Lib::OnInitDialog()
{
    CDialog::OnInitDialog();
    Start_Value_Dialog(this, Ok_Button, Cancel_Button);
    const int tools[3] = {IDC_SIGN_LIB_EXPORT, IDC_SIGN_LIB_IMPORT, IDC_SIGN_LIB_ADD};
    for (int i = 0; i < 3; ++i) {
        Tool_Buttons[i].SubclassDlgItem(tools[i], this);
        Setup_Result_Button(Tool_Buttons[i], IDI_BPLOT1_TOOL_HOVER, IDI_BPLOT1_TOOL_IDLE);
    }
    Tool_Tip.Create(this);
    Tool_Tip.Activate(TRUE);
    Tool_Tip.SetDelayTime(1000);
    Tool_Tip.SetTipTextColor(RGB(0, 64, 64));
    Tool_Tip.AddTool(&List, L"双击空白处录入新签名");
    // The entities always fill solid: the fill choice is kept, not offered.
    for (int id : {IDC_SIGN_LIB_FILL_GROUP, IDC_SIGN_LIB_FILL_HATCH, IDC_SIGN_LIB_FILL_SOLID})
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(SW_HIDE);

    List.SetExtendedStyle(List.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    List.Hover_Mode = 2;
    const wchar_t* const headings[Sign_Column_Count] = {L"序 号", L" 预 览 ", L" 姓 名 ",
                                                        L" 删 除 ", L" 授 权 码 ", L" 状 态 "};
    for (int column = 0; column < Sign_Column_Count; ++column)
        List.InsertColumn(column, headings[column], LVCFMT_CENTER, 1);

    Fill_Style = g_Plot_Config.Sign_Fill_Style;
    Library_Path = g_Plot_Config.Sign_Lib_Path;
    UpdateData(FALSE);
    Library_Guard.Read(Sign_Library::Load(Library, Library_Path, false));
    Fill_List();
    return TRUE;
}

void Dlg_Sign_Lib::Fill_List()
{
    List.DeleteAllItems();
    List.Mark_Rows.removeAll();
    List.Mark_Columns.removeAll();
    List.Hover_Columns.removeAll();
    for (int column = Sign_View; column < Sign_Column_Count; ++column)
        List.Hover_Columns.append(column);
    for (size_t i = 0; i < Library.Signs.size(); ++i) {
        CString number;
        number.Format(L"%3d", static_cast<int>(i) + 1);
        List.InsertItem(static_cast<int>(i), number);
        Show_Row(static_cast<int>(i));
    }
    Fit_List_Columns(&List, this);
}

void Dlg_Sign_Lib::Show_Row(int row)
{
    const KV_Sign& sign = *Library.Signs[static_cast<size_t>(row)];
    List.SetItemText(row, Sign_View, L"EYE");
    List.SetItemText(row, Sign_Name, sign.Name);
    List.SetItemText(row, Sign_Delete, L"DEL");
    List.SetItemText(row, Sign_Code, sign.Code != 0 ? L"******" : L"未设置");
    List.SetItemText(row, Sign_State, sign.Enabled != 0 ? L"√ 可用" : L"X  禁用");
    List.Remove_Mark_Cell(row, Sign_State);
    if (sign.Enabled == 0)
        List.Add_Mark_Cell(row, Sign_State);
    List.Invalidate();
}

void Dlg_Sign_Lib::On_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (click->iItem >= 0 && click->iSubItem >= 0)
        On_List_Click(click->iItem, click->iSubItem);
}

void Dlg_Sign_Lib::On_List_Click(int row, int column)
{
    if (row < 0 || row >= static_cast<int>(Library.Signs.size()))
        return;
    KV_Sign* sign = Library.Signs[static_cast<size_t>(row)].get();
    switch (column) {
    case Sign_View: {
        Dlg_SignView view(this);
        view.Sign = sign;
        view.DoModal();
        break;
    }
    case Sign_Name: {
        Dlg_Str rename;
        rename.Str_Mode = 4;
        rename.Edit_Text = sign->Name;
        if (rename.DoModal() != IDOK)
            break;
        sign->Name = rename.Edit_Text;
        Library_Guard.Edited();
        Show_Row(row);
        Fit_List_Column(&List, Sign_Name, this);
        break;
    }
    case Sign_Delete:
        List.DeleteItem(row);
        List.On_Row_Deleted(row);
        Library.Signs.erase(Library.Signs.begin() + row);
        Library_Guard.Edited();
        for (int i = row; i < List.GetItemCount(); ++i) {
            CString number;
            number.Format(L"%3d", i + 1);
            List.SetItemText(i, Sign_No, number);
        }
        List.Invalidate();
        break;
    case Sign_Code: {
        Dlg_Psd code(sign, nullptr);
        if (code.DoModal() == IDOK) {
            Library_Guard.Edited();
            Show_Row(row);
            Fit_List_Column(&List, Sign_Code, this);
        }
        break;
    }
    case Sign_State:
        sign->Enabled = sign->Enabled != 0 ? 0 : 1;
        Library_Guard.Edited();
        Show_Row(row);
        break;
    default:
        break;
    }
}

void Dlg_Sign_Lib::On_Double_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (click->iItem < 0 && List.Get_First_Selected() < 0)
        Add_New();
}

void Dlg_Sign_Lib::Add_New()
{
    BeginEditorCommand();
    const bool added = New_Signature(Library);
    CompleteEditorCommand();
    if (!added)
        return;
    Library_Guard.Edited();
    Fill_List();
    const int last = List.GetItemCount() - 1;
    for (int i = 0; i < List.GetItemCount(); ++i)
        List.SetItemState(i, i == last ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void Dlg_Sign_Lib::On_Import()
{
    CString path;
    if (!Open_File_Dialog_Last(L"请选择签名库文件...", L"kvlib1", path))
        return;
    Sign_Library::Load(Library, path, true);
    Library_Guard.Edited();
    Fill_List();
}

void Dlg_Sign_Lib::On_Export()
{
    if (!UpdateData(TRUE))
        return;
    CString path;
    if (!Save_File_Dialog(L"保存签名库文件为...", L"签名库文件.kvlib1", L"kvlib1", path))
        return;
    Library.Save(path);
    Fill_List();
}

void Dlg_Sign_Lib::On_Path_Click()
{
    CString path = Library_Path;
    if (!Open_File_Dialog(L"请选择签名库文件...", L"kvlib1", path))
        return;
    Library_Path = path;
    SetDlgItemText(IDC_SIGN_LIB_PATH, Library_Path);
    Library_Guard.Read(Sign_Library::Load(Library, Library_Path, false));
    Fill_List();
}

void Dlg_Sign_Lib::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    g_Plot_Config.Sign_Fill_Style = Fill_Style;
    g_Plot_Config.Sign_Lib_Path = Library_Path;
    g_Plot_Config.Save(true);
    Library.Sort_By_Name();
    if (Library_Guard.May_Write(Library_Path))
        Library.Save(Library_Path);
    Sign_Library::Load(g_Sign_Library, Library_Path, false);
    EndDialog(IDOK);
}

BOOL Dlg_Sign_Lib::PreTranslateMessage(MSG* message)
{
    Tool_Tip.RelayEvent(message);
    return CDialog::PreTranslateMessage(message);
}

void Dlg_Sign_Lib::OnMouseMove(UINT flags, CPoint point)
{
    CDialog::OnMouseMove(flags, point);
    Path_Link.On_Mouse_Move(this, point);
}

HBRUSH Dlg_Sign_Lib::OnCtlColor(CDC* dc, CWnd* window, UINT kind)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, window, kind);
    Path_Link.Colour(this, dc, window);
    return brush;
}
