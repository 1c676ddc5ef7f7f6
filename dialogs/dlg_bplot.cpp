#include "dialogs/dlg_bplot.h"

#include "core/doc_lock.h"
#include "dialogs/print_order_picture.h"
#include "ed/prompts.h"
#include "mfc/afxdc.h"
#include "plot/dbplotsetval.h"
#include "res/resource.h"
#include "ui/small_value_dialogs_frame.h"
#include "ui/zcaplmgr.h"

namespace {

constexpr COLORREF Chosen_Color = RGB(128, 0, 255);
constexpr int Last_Order = 9;

void Setup_Old_Button(Pic_Button& button, int hover_icon, int idle_icon)
{
    button.Set_Icon(hover_icon, idle_icon, 32);
    button.Set_Cursor(IDR_HAND_CURSOR);
    button.Set_Hover_Text_Color(RGB(255, 0, 0), 0);
}

CString Entry_Text(const CString& name, bool chosen)
{
    CString text;
    text.Format(chosen ? L"  √%s" : L"    %s", name.GetString());
    return text;
}

// The band of the order picture where presses step the order; -1 left half, 1 right half.
int Order_Side(const CRect& picture, CPoint point)
{
    if (!(picture.top + 4 < point.y && point.y < picture.bottom - 12))
        return 0;
    const int mid = (picture.left + picture.right) / 2;
    if (picture.left + 4 < point.x && point.x <= mid)
        return -1;
    if (mid < point.x && point.x < picture.right - 4)
        return 1;
    return 0;
}

ZcDbLayout* Open_Active_Layout(ZcDb::OpenMode mode)
{
    ZcDbLayoutManager* manager = zcdbHostApplicationServices()->layoutManager();
    const wchar_t* name = manager != nullptr ? manager->findActiveLayout(true) : nullptr;
    const ZcDbObjectId id = name != nullptr ? manager->findLayoutNamed(name) : ZcDbObjectId();
    ZcDbObject* object = nullptr;
    if (id.isNull() || zcdbOpenObject(object, id, mode) != Zcad::eOk)
        return nullptr;
    ZcDbLayout* layout = ZcDbLayout::cast(object);
    if (layout == nullptr)
        object->close();
    return layout;
}

}  // namespace

bool Get_Media_Display_Name(ZcDbPlotSettings* layout, const CString& canonical_name, CString& display_name)
{
    ZcDbPlotSettingsValidator* validator = zcdbHostApplicationServices()->plotSettingsValidator();
    if (validator == nullptr)
        return false;
    validator->refreshLists(layout);
    ZcArray<const wchar_t*> names;
    validator->canonicalMediaNameList(layout, names);
    for (int i = 0; i < names.length(); ++i)
        if (names[i] != nullptr && canonical_name.CompareNoCase(names[i]) == 0) {
            const wchar_t* shown = nullptr;
            if (validator->getLocaleMediaName(layout, i, shown) != Zcad::eOk || shown == nullptr)
                return false;
            display_name = shown;
            return true;
        }
    return false;
}

void Get_Layout_Device_And_Paper(bool& device_valid, bool& paper_valid, CString& device_name, CString& paper_name)
{
    device_valid = paper_valid = false;
    device_name.Empty();
    paper_name.Empty();
    Doc_Lock lock;
    ZcDbLayout* layout = Open_Active_Layout(ZcDb::kForRead);
    if (layout == nullptr)
        return;
    const wchar_t* device = nullptr;
    const wchar_t* media = nullptr;
    layout->getPlotCfgName(device);
    layout->getCanonicalMediaName(media);
    device_name = device != nullptr ? device : L"";
    Get_Media_Display_Name(layout, media != nullptr ? media : L"", paper_name);
    layout->close();
    device_valid = !device_name.IsEmpty() && device_name.CompareNoCase(L"None") != 0 && device_name != L"无";
    paper_valid = !paper_name.IsEmpty();
}

BEGIN_MESSAGE_MAP(Dlg_BPlot, CZcUiDialog)
    ON_BN_CLICKED(IDC_BPO_MODE_BLOCKS, On_Mode_Changed)
    ON_BN_CLICKED(IDC_BPO_MODE_LAYERS, On_Mode_Changed)
    ON_BN_CLICKED(IDC_BPO_MODE_RECTS, On_Mode_Changed)
    ON_BN_CLICKED(IDC_BPO_MODE_POINTS, On_Mode_Changed)
    ON_BN_CLICKED(IDC_BPO_MODE_SETS, On_Sets_Mode)
    ON_BN_CLICKED(IDC_BPO_PICK_BLOCKS, On_Pick_Blocks)
    ON_BN_CLICKED(IDC_BPO_PICK_LAYERS, On_Pick_Layers)
    ON_BN_CLICKED(IDC_BPO_PAGE_SETUP, On_Page_Setup)
    ON_BN_CLICKED(IDC_BPO_TO_PLT, On_To_Plt)
    ON_LBN_SELCHANGE(IDC_BPO_NAME_LIST, On_Name_Clicked)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

Dlg_BPlot::Dlg_BPlot(CWnd* parent) : CZcUiDialog(IDD_DLG_BPLOT, parent) {}

void Dlg_BPlot::DoDataExchange(CDataExchange* exchange)
{
    CZcUiDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_BPO_NAME_LIST, Name_List);
    DDX_Control(exchange, IDC_BPO_ORDER, Order_Picture);
    DDX_Check(exchange, IDC_BPO_AUTO_ROTATE, Auto_Rotate);
    DDX_Radio(exchange, IDC_BPO_MODE_BLOCKS, Frame_Mode);
    DDX_Text(exchange, IDC_BPO_COPIES, Copies);
    DDX_Check(exchange, IDC_BPO_TO_PLT, To_Plt);
    DDX_Text(exchange, IDC_BPO_MARGIN, Margin);
    DDX_Text(exchange, IDC_BPO_PAPER, Paper_Label);
    DDX_Text(exchange, IDC_BPO_PRINTER, Printer_Label);
    DDX_LBIndex(exchange, IDC_BPO_NAME_LIST, List_Index);
}

BOOL Dlg_BPlot::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    Set_Module_Icon(this);
    Place_At_Cursor(this);

    Setup_Old_Button(Setup_Button, IDI_BPLOT1_TOOL_HOVER, IDI_BPLOT1_TOOL_IDLE);
    Setup_Button.SubclassDlgItem(IDC_BPO_PAGE_SETUP, this);
    Setup_Old_Button(Print_Button, IDI_OK_HOVER, IDI_OK_IDLE);
    Print_Button.SubclassDlgItem(IDOK, this);
    Setup_Old_Button(Cancel_Button, IDI_CANCEL_HOVER, IDI_CANCEL_IDLE);
    Cancel_Button.SubclassDlgItem(IDCANCEL, this);
    Setup_Old_Button(Blocks_Button, IDI_BPLOT1_TOOL_HOVER, IDI_BPLOT1_TOOL_IDLE);
    Blocks_Button.SubclassDlgItem(IDC_BPO_PICK_BLOCKS, this);
    Setup_Old_Button(Layers_Button, IDI_BPLOT1_TOOL_HOVER, IDI_BPLOT1_TOOL_IDLE);
    Layers_Button.SubclassDlgItem(IDC_BPO_PICK_LAYERS, this);
    UpdateData(FALSE);
    Name_List.Set_Item_Height(1.35);

    Setting.Load_Block_Names();
    Setting.Load_Layer_Names();
    Setting.Read_Xrecord(Frame_Mode);
    Auto_Rotate = Setting.Auto_Rotate;
    Copies = Setting.Copies;
    Print_Order = Setting.Print_Order;
    To_Plt = Setting.To_Plt;
    Margin = Setting.Margin;
    Folder_Text = Setting.Output_Folder;
    if (Setting.Drawing_Blocks.IsEmpty()) {
        GetDlgItem(IDC_BPO_MODE_BLOCKS)->EnableWindow(FALSE);
        GetDlgItem(IDC_BPO_PICK_BLOCKS)->EnableWindow(FALSE);
        if (Frame_Mode == Old_Mode_Blocks)
            Frame_Mode = Old_Mode_Layers;
    }
    UpdateData(FALSE);
    Refresh_Controls();
    Fill_Name_List();
    Show_Order_Picture();
    return TRUE;
}

void Dlg_BPlot::Refresh_Controls()
{
    UpdateData(TRUE);
    for (int id : {IDC_BPO_NAME_LIST, IDC_BPO_PICK_BLOCKS, IDC_BPO_PICK_LAYERS, IDC_BPO_MARGIN_LABEL, IDC_BPO_MARGIN})
        GetDlgItem(id)->ShowWindow(SW_HIDE);
    if (Frame_Mode == Old_Mode_Blocks || Frame_Mode == Old_Mode_Layers) {
        GetDlgItem(IDC_BPO_NAME_LIST)->ShowWindow(SW_SHOW);
        GetDlgItem(Frame_Mode == Old_Mode_Blocks ? IDC_BPO_PICK_BLOCKS : IDC_BPO_PICK_LAYERS)->ShowWindow(SW_SHOW);
    } else if (Frame_Mode == Old_Mode_Sets) {
        GetDlgItem(IDC_BPO_MARGIN_LABEL)->ShowWindow(SW_SHOW);
        GetDlgItem(IDC_BPO_MARGIN)->ShowWindow(SW_SHOW);
    }
    GetDlgItem(IDC_BPO_COPIES_LABEL)->EnableWindow(To_Plt == 0);
    GetDlgItem(IDC_BPO_COPIES)->EnableWindow(To_Plt == 0);
    GetDlgItem(IDC_BPO_AUTO_ROTATE)->EnableWindow(TRUE);

    bool device_valid = false, paper_valid = false;
    CString device, paper;
    Get_Layout_Device_And_Paper(device_valid, paper_valid, device, paper);
    Printer_Label = L"打印机:  " + (device_valid ? device : CString(L"未选择打印机"));
    Paper_Label = L"纸张:  " + (paper.IsEmpty() ? CString(L"未选择纸张") : paper);
    UpdateData(FALSE);
}

void Dlg_BPlot::Fill_Name_List()
{
    Name_List.ResetContent();
    if (Frame_Mode == Old_Mode_Blocks) {
        Setting.Sort_Block_Names();
        for (INT_PTR i = 0; i < Setting.Drawing_Blocks.GetSize(); ++i) {
            const bool chosen = Setting.Find_Block_Name(Setting.Drawing_Blocks[i]) >= 0;
            Name_List.Add_Color_String(Entry_Text(Setting.Drawing_Blocks[i], chosen), chosen ? Chosen_Color : 0);
        }
    } else if (Frame_Mode == Old_Mode_Layers) {
        Setting.Sort_Layer_Names();
        for (INT_PTR i = 0; i < Setting.Drawing_Layers.GetSize(); ++i) {
            const bool chosen = Setting.Find_Layer_Name(Setting.Drawing_Layers[i]) >= 0;
            Name_List.Add_Color_String(Entry_Text(Setting.Drawing_Layers[i], chosen), chosen ? Chosen_Color : 0);
        }
    }
}

void Dlg_BPlot::Show_Order_Picture()
{
    Print_Order = Clamp_Order(Print_Order, Last_Order);
    Order_Picture.Set_Bitmap(IDI_KORVEL + Print_Order);
}

void Dlg_BPlot::Focus_Edit(int edit_id)
{
    auto* edit = static_cast<CEdit*>(GetDlgItem(edit_id));
    edit->SetFocus();
    edit->SetSel(0, 10);
}

void Dlg_BPlot::On_Mode_Changed()
{
    Refresh_Controls();
    Fill_Name_List();
}

void Dlg_BPlot::On_Sets_Mode()
{
    On_Mode_Changed();
    Focus_Edit(IDC_BPO_MARGIN);
}

void Dlg_BPlot::On_Name_Clicked()
{
    UpdateData(TRUE);
    const bool blocks = Frame_Mode == Old_Mode_Blocks;
    if (!blocks && Frame_Mode != Old_Mode_Layers)
        return;
    const CStringArray& names = blocks ? Setting.Drawing_Blocks : Setting.Drawing_Layers;
    if (List_Index < 0 || List_Index >= names.GetSize())
        return;
    const CString name = names[List_Index];
    const bool was_chosen = blocks ? Setting.Find_Block_Name(name) >= 0 : Setting.Find_Layer_Name(name) >= 0;
    if (was_chosen)
        blocks ? Setting.Remove_Block_Name(name) : Setting.Remove_Layer_Name(name);
    else
        blocks ? Setting.Add_Block_Name(name) : Setting.Add_Layer_Name(name);
    const int index = List_Index;
    Name_List.DeleteString(index);
    Name_List.Insert_Color_String(index, Entry_Text(name, !was_chosen), was_chosen ? 0 : Chosen_Color);
    List_Index = index;
    UpdateData(FALSE);
}

void Dlg_BPlot::On_Pick_Blocks()
{
    BeginEditorCommand();
    const bool picked = Setting.Pick_Block_Name();
    CompleteEditorCommand();
    if (!picked)
        zcedAlert(L"未选择到图块 !");
    Fill_Name_List();
}

void Dlg_BPlot::On_Pick_Layers()
{
    BeginEditorCommand();
    const bool picked = Setting.Pick_Layer_Name();
    CompleteEditorCommand();
    if (!picked)
        zcedAlert(L"未选择到图层 !");
    Fill_Name_List();
}

void Dlg_BPlot::On_Page_Setup()
{
    BeginEditorCommand();
    zcapLayoutManagerPtr()->pageSetup(ZcDbObjectId::kNull, nullptr, true);
    CompleteEditorCommand();
    Refresh_Controls();
}

void Dlg_BPlot::On_To_Plt()
{
    UpdateData(TRUE);
    Refresh_Controls();
    if (To_Plt == 0)
        Focus_Edit(IDC_BPO_COPIES);
}

void Dlg_BPlot::OnLButtonDown(UINT flags, CPoint point)
{
    const CRect picture = Control_Client_Rect(this, IDC_BPO_ORDER);
    const int side = Order_Side(picture, point);
    if (side != 0) {
        Show_Step_Cursor(side);
        Print_Order = Step_Order(Print_Order, side, Last_Order);
        Show_Order_Picture();
    }
    CZcUiDialog::OnLButtonDown(flags, point);
}

void Dlg_BPlot::OnLButtonUp(UINT flags, CPoint point)
{
    Show_Step_Cursor(Order_Side(Control_Client_Rect(this, IDC_BPO_ORDER), point));
    CZcUiDialog::OnLButtonUp(flags, point);
}

void Dlg_BPlot::OnMouseMove(UINT flags, CPoint point)
{
    const CRect picture = Control_Client_Rect(this, IDC_BPO_ORDER);
    Show_Step_Cursor(Order_Side(picture, point));
    if (picture.bottom - 10 <= point.y && point.y <= picture.bottom) {
        const int order = Strip_Segment(picture, point.x);
        if (order >= 1 && order <= Last_Order && order != Print_Order) {
            Print_Order = order;
            Show_Order_Picture();
        }
    }
    CZcUiDialog::OnMouseMove(flags, point);
}

HBRUSH Dlg_BPlot::OnCtlColor(CDC* dc, CWnd* window, UINT control_type)
{
    HBRUSH brush = CZcUiDialog::OnCtlColor(dc, window, control_type);
    const int id = window != nullptr ? window->GetDlgCtrlID() : 0;
    if (id >= IDC_BPO_PRINTER_GROUP && id <= IDC_BPO_TARGET_GROUP)
        dc->SetTextColor(RGB(255, 0, 0));
    return brush;
}

void Dlg_BPlot::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (Frame_Mode == Old_Mode_Blocks && Setting.Chosen_Blocks.IsEmpty()) {
        zcedAlert(L"未选择图块 !");
        return;
    }
    if (Frame_Mode == Old_Mode_Layers && Setting.Chosen_Layers.IsEmpty()) {
        zcedAlert(L"未选择图层 !");
        return;
    }
    bool device_valid = false, paper_valid = false;
    CString device, paper;
    Get_Layout_Device_And_Paper(device_valid, paper_valid, device, paper);
    if (!paper_valid) {
        zcedAlert(L"未选择纸张，请点击<打印设置>按钮设置 !");
        return;
    }
    if (!device_valid) {
        zcedAlert(L"未选择打印机，请点击<打印设置>按钮设置 !");
        return;
    }
    if (Copies < 1 && To_Plt == 0) {
        zcedAlert(L"打印份数不能小于 1 !");
        Focus_Edit(IDC_BPO_COPIES);
        return;
    }
    if (Copies > Old_Plot_Max_Copies && To_Plt == 0) {
        CString message;
        message.Format(L"打印份数不能大于 %d !", Old_Plot_Max_Copies);
        zcedAlert(message);
        Focus_Edit(IDC_BPO_COPIES);
        return;
    }
    Setting.Auto_Rotate = Auto_Rotate;
    Setting.Copies = To_Plt != 0 ? 1 : Copies;
    Setting.Print_Order = Print_Order;
    Setting.To_Plt = To_Plt;
    Setting.Margin = Margin;
    Setting.Output_Folder = Old_Plot_Slot_Name(Folder_Text);
    CZcUiDialog::OnOK();
}
