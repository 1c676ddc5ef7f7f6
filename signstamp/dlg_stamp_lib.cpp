#include "signstamp/dlg_stamp_lib.h"

#include "core/file_dialogs.h"
#include "core/plot_config.h"
#include "res/resource.h"
#include "signstamp/dlg_stamp_values.h"
#include "signstamp/sign_dates.h"
#include "ui/dlg_options.h"
#include "ui/small_value_dialogs.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

enum Stamp_Column {
    Column_No, Column_View, Column_Name, Column_Delete, Column_Code, Column_Date, Column_Size, Column_Type,
    Column_State, Column_Count
};

}  // namespace

BEGIN_MESSAGE_MAP(Dlg_Stamp_Lib, CDialog)
    ON_NOTIFY(NM_CLICK, IDC_STAMP_LIB_LIST, On_Click)
    ON_NOTIFY(NM_DBLCLK, IDC_STAMP_LIB_LIST, On_Double_Click)
    ON_BN_CLICKED(IDC_STAMP_LIB_ADD, Add_New)
    ON_BN_CLICKED(IDC_STAMP_LIB_IMPORT, On_Import)
    ON_BN_CLICKED(IDC_STAMP_LIB_EXPORT, On_Export)
    ON_STN_CLICKED(IDC_STAMP_LIB_PATH, On_Path_Click)
    ON_WM_MOUSEMOVE()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

Dlg_Stamp_Lib::Dlg_Stamp_Lib(CWnd* parent) : CDialog(IDD_DLG_STAMP_LIB, parent) {}
Dlg_Stamp_Lib::~Dlg_Stamp_Lib() = default;

void Dlg_Stamp_Lib::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_STAMP_LIB_LIST, List);
    DDX_Text(exchange, IDC_STAMP_LIB_PATH, Library_Path);
    DDX_Check(exchange, IDC_STAMP_LIB_JITTER, Random_Turn);
    DDX_Check(exchange, IDC_STAMP_LIB_BEHIND, Stamps_Behind);
}

BOOL Dlg_Stamp_Lib::OnInitDialog()
{
    CDialog::OnInitDialog();
    Start_Value_Dialog(this, Ok_Button, Cancel_Button);
    Tool_Tip.Create(this);
    Tool_Tip.Activate(TRUE);
    Tool_Tip.SetDelayTime(1000);
    Tool_Tip.SetTipTextColor(RGB(0, 64, 64));
    Tool_Tip.AddTool(&List, L"双击空白处录入新印章");

    List.SetExtendedStyle(List.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    List.Hover_Mode = 2;
    const wchar_t* const headings[Column_Count] = {L" 序号 ",        L" 预  览 ",      L"  印  章  名  ",
                                                   L" 删  除 ",      L"  授  权  码  ", L" 印 章 有 效 期 ",
                                                   L" 印 章 尺 寸 (mm) ", L"  类  型  ",  L"  状  态  "};
    for (int column = 0; column < Column_Count; ++column)
        List.InsertColumn(column, headings[column], LVCFMT_CENTER, 1);

    Library_Path = g_Plot_Config.Stamp_Lib_Path;
    Random_Turn = g_Plot_Config.Stamp_Jitter;
    Stamps_Behind = g_Plot_Config.Stamps_Behind;
    UpdateData(FALSE);
    Library_Guard.Read(Stamp_Library::Load(Library, Library_Path, false));
    Today = Today_Date_Stamp();
    Fill_List();
    return TRUE;
}

void Dlg_Stamp_Lib::Fill_List()
{
    List.DeleteAllItems();
    List.Mark_Rows.removeAll();
    List.Mark_Columns.removeAll();
    List.Hover_Columns.removeAll();
    for (int column = Column_View; column < Column_Count; ++column)
        List.Hover_Columns.append(column);
    for (size_t i = 0; i < Library.Stamps.size(); ++i) {
        CString number;
        number.Format(L"%2d", static_cast<int>(i) + 1);
        List.InsertItem(static_cast<int>(i), number);
        Show_Row(static_cast<int>(i));
    }
    Fit_List_Columns(&List, this);
}

void Dlg_Stamp_Lib::Show_Row(int row)
{
    const KV_Stamp& stamp = *Library.Stamps[static_cast<size_t>(row)];
    List.SetItemText(row, Column_View, L"EYE");
    List.SetItemText(row, Column_Name, stamp.Name);
    List.SetItemText(row, Column_Delete, L"DEL");
    List.SetItemText(row, Column_Code, stamp.Code != 0 ? L"******" : L"未设置");
    const int year = stamp.Valid_Date / 10000, month = stamp.Valid_Date % 10000 / 100, day = stamp.Valid_Date % 100;
    const bool expired = stamp.Valid_Date < Today;
    CString text;
    text.Format(expired ? L" %d.%d.%d (过期) " : L" %d.%d.%d ", year, month, day);
    List.SetItemText(row, Column_Date, text);
    text.Format(L" %.0f x %.0f ", stamp.Width, stamp.Height);
    List.SetItemText(row, Column_Size, text);
    const CString type = Stamp_Type_Text(stamp.Type);
    List.SetItemText(row, Column_Type, type.IsEmpty() ? CString() : L" " + type + L" ");
    List.SetItemText(row, Column_State, stamp.Enabled != 0 ? L"√ 可用" : L"X  禁用");
    List.Remove_Mark_Cell(row, Column_Date);
    List.Remove_Mark_Cell(row, Column_State);
    if (expired)
        List.Add_Mark_Cell(row, Column_Date);
    if (stamp.Enabled == 0)
        List.Add_Mark_Cell(row, Column_State);
    List.Invalidate();
}

void Dlg_Stamp_Lib::On_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (click->iItem >= 0 && click->iSubItem >= 0)
        On_List_Click(click->iItem, click->iSubItem);
}

void Dlg_Stamp_Lib::On_List_Click(int row, int column)
{
    if (row < 0 || row >= static_cast<int>(Library.Stamps.size()))
        return;
    KV_Stamp* stamp = Library.Stamps[static_cast<size_t>(row)].get();
    switch (column) {
    case Column_View: {
        Dlg_StampView view(stamp);
        view.DoModal();
        break;
    }
    case Column_Name: {
        Dlg_Str rename;
        rename.Str_Mode = 5;
        rename.Edit_Text = stamp->Name;
        if (rename.DoModal() != IDOK)
            break;
        if (Library.Find_Taken_Name(rename.Edit_Text, stamp) != nullptr) {
            MessageBox(L"印章库内已有同名印章 !", L"Korvel", MB_ICONINFORMATION);
            break;
        }
        stamp->Name = rename.Edit_Text;
        Library_Guard.Edited();
        Show_Row(row);
        Fit_List_Column(&List, Column_Name, this);
        break;
    }
    case Column_Delete:
        List.DeleteItem(row);
        List.On_Row_Deleted(row);
        Library.Stamps.erase(Library.Stamps.begin() + row);
        Library_Guard.Edited();
        for (int i = row; i < List.GetItemCount(); ++i) {
            CString number;
            number.Format(L"%2d", i + 1);
            List.SetItemText(i, Column_No, number);
        }
        List.Invalidate();
        break;
    case Column_Code: {
        Dlg_Psd code(nullptr, stamp);
        if (code.DoModal() == IDOK) {
            Library_Guard.Edited();
            Show_Row(row);
            Fit_List_Column(&List, Column_Code, this);
        }
        break;
    }
    case Column_Date: {
        Dlg_Date date(stamp);
        if (date.DoModal() == IDOK) {
            Library_Guard.Edited();
            Show_Row(row);
            Fit_List_Column(&List, Column_Date, this);
        }
        break;
    }
    case Column_Size: {
        Dlg_StampSize size(stamp);
        if (size.DoModal() == IDOK) {
            Library_Guard.Edited();
            Show_Row(row);
        }
        break;
    }
    case Column_Type: {
        Dlg_Options types(this);
        types.Title = L"印章类型";
        types.Item_Width = 120;
        for (int type = Stamp_Reg; type <= Stamp_Any; ++type)
            types.Items.Add(Stamp_Type_Text(type));
        types.Choice = stamp->Type;
        if (types.DoModal() == IDOK && types.Choice >= Stamp_Reg && types.Choice <= Stamp_Any) {
            stamp->Type = types.Choice;
            Library_Guard.Edited();
            Show_Row(row);
        }
        break;
    }
    case Column_State:
        stamp->Enabled = stamp->Enabled != 0 ? 0 : 1;
        Library_Guard.Edited();
        Show_Row(row);
        break;
    default:
        break;
    }
}

void Dlg_Stamp_Lib::On_Double_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (click->iItem < 0 && List.Get_First_Selected() < 0)
        Add_New();
}

void Dlg_Stamp_Lib::Add_New()
{
    if (!Library.Add_Stamp())
        return;
    Library_Guard.Edited();
    Fill_List();
    const int last = List.GetItemCount() - 1;
    for (int i = 0; i < List.GetItemCount(); ++i)
        List.SetItemState(i, i == last ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void Dlg_Stamp_Lib::On_Import()
{
    CString path;
    if (!Open_File_Dialog_Last(L"请选择印章库文件...", L"kvlib2", path))
        return;
    Stamp_Library::Load(Library, path, true);
    Library_Guard.Edited();
    Fill_List();
}

void Dlg_Stamp_Lib::On_Export()
{
    if (!UpdateData(TRUE))
        return;
    CString path;
    if (Save_File_Dialog(L"保存印章库文件为...", L"印章库文件.kvlib2", L"kvlib2", path))
        Library.Save(path);
}

void Dlg_Stamp_Lib::On_Path_Click()
{
    CString path = Library_Path;
    if (!Open_File_Dialog(L"请选择印章库文件...", L"kvlib2", path))
        return;
    Library_Path = path;
    SetDlgItemText(IDC_STAMP_LIB_PATH, Library_Path);
    Library_Guard.Read(Stamp_Library::Load(Library, Library_Path, false));
    Fill_List();
}

void Dlg_Stamp_Lib::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    g_Plot_Config.Stamp_Lib_Path = Library_Path;
    g_Plot_Config.Stamp_Jitter = Random_Turn;
    g_Plot_Config.Stamps_Behind = Stamps_Behind;
    g_Plot_Config.Save(true);
    // The library in use is read from the file unless a write of it failed (reported);
    // then it stays as it was read.
    if (!Library_Guard.May_Write(Library_Path) || Library.Save(Library_Path))
        Stamp_Library::Load(g_Stamp_Library, Library_Path, false);
    EndDialog(IDOK);
}

BOOL Dlg_Stamp_Lib::PreTranslateMessage(MSG* message)
{
    if (message->message >= WM_MOUSEFIRST && message->message <= WM_MOUSELAST)
        Tool_Tip.RelayEvent(message);
    return CDialog::PreTranslateMessage(message);
}

void Dlg_Stamp_Lib::OnMouseMove(UINT flags, CPoint point)
{
    CDialog::OnMouseMove(flags, point);
    Path_Link.On_Mouse_Move(this, point);
}

HBRUSH Dlg_Stamp_Lib::OnCtlColor(CDC* dc, CWnd* window, UINT kind)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, window, kind);
    Path_Link.Colour(this, dc, window);
    return brush;
}
