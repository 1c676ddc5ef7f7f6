#include "dialogs/dlg_tk_set.h"

#include <algorithm>

#include "core/doc_lock.h"
#include "core/extents_checks.h"
#include "core/layer_helpers.h"
#include "core/plot_config.h"
#include "core/space_helpers.h"
#include "dialogs/tk_name_dialog.h"
#include "ed/editor.h"
#include "mfc/afxdc.h"
#include "ed/host_window.h"
#include "res/resource.h"
#include "sheets/marker_entities.h"
#include "sheets/paper_scale.h"
#include "sheets/point_jigs.h"
#include "titleblock/tk_library.h"
#include "ui/dlg_options.h"
#include "ui/dlg_options_paper.h"
#include "ui/small_value_dialogs.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

const wchar_t Undefined[] = L"未定义";
constexpr COLORREF Blue = RGB(0, 0, 200);
constexpr COLORREF Red = RGB(255, 0, 0);

// Button and caption (without its mark) of each marker slot.
struct Slot_Button {
    int id;
    const wchar_t* caption;
};
const Slot_Button Slot_Buttons[Dlg_TK_Set::Marker_Count] = {
    {IDC_TKS_PLOT_RANGE, L"调整图框打印范围"}, {IDC_TKS_RANGE_A, L"点取图号(A)范围"},
    {IDC_TKS_RANGE_B, L"点取版次(B)范围"},      {IDC_TKS_RANGE_C, L"点取图名(C)范围"},
    {IDC_TKS_RANGE_D, L"点取日期(D)范围"},      {IDC_TKS_RANGE_E, L"点取信息1(E)范围"},
    {IDC_TKS_RANGE_F, L"点取信息2(F)范围"},     {IDC_TKS_STAMP_1, L"点取注册章放置范围"},
    {IDC_TKS_STAMP_2, L"点取出图章放置范围"},   {IDC_TKS_STAMP_3, L"点取项目章放置范围"},
    {IDC_TKS_STAMP_4, L"点取竣工章放置范围"},
};

const wchar_t* const Paper_Items[] = {L"A4",       L"A3",       L"A2",       L"A1",       L"A0",
                                      L"A4或A4加长", L"A3或A3加长", L"A2或A2加长", L"A1或A1加长", L"A0或A0加长"};
constexpr int Paper_Item_Count = 10;

bool Paper_In_Range(const MyPaper& paper)
{
    auto ok = [](int side) { return side >= 50 && side <= 5080; };
    return ok(paper.Long_Side) && ok(paper.Short_Side);
}

void Move_Range(ZcDbExtents& range, double dx, double dy)
{
    const ZcGePoint3d lo = range.minPoint(), hi = range.maxPoint();
    range = ZcDbExtents(ZcGePoint3d(lo.x + dx, lo.y + dy, 0), ZcGePoint3d(hi.x + dx, hi.y + dy, 0));
}

}  // namespace

bool Pick_Range(ZcDbExtents& range, const ZcGePoint3d& centre)
{
    ads_point first{};
    if (zcedGetPoint(nullptr, L"\n选择所在范围的第一点：", first) != RTNORM)
        return false;
    const ZcGePoint3d a(first[0], first[1], first[2]);
    ZcGePoint3d b = a;
    if (!Pick_Second_Point(a, b))
        return false;
    const double x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
    const double y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
    if (x1 - x0 <= 1e-5 || y1 - y0 <= 1e-5) {
        MessageBoxW(adsw_zcadMainWnd(), L"范围选取有误 !", L"图框定义", MB_OK | MB_ICONINFORMATION);
        return false;
    }
    range = ZcDbExtents(ZcGePoint3d(x0 - centre.x, y0 - centre.y, 0), ZcGePoint3d(x1 - centre.x, y1 - centre.y, 0));
    return true;
}

TK_Paper_Choice Choose_TK_Paper(CWnd* parent, TK_Customization& record)
{
    Dlg_Options_Paper picker(parent);
    picker.Title = L"选  择  纸  张";
    for (const wchar_t* item : Paper_Items) picker.Items.Add(item);
    picker.Extra_Columns = 1;
    picker.Item_Width = 270;
    const CString name = record.Paper.Get_Name();
    const wchar_t* prefixes[] = {L"KV_A4", L"KV_A3", L"KV_A2", L"KV_A1", L"KV_A0"};
    picker.Choice = -1;
    for (int k = 0; k < 5; ++k)
        if (name.Left(5).CompareNoCase(prefixes[k]) == 0) picker.Choice = 5 + k;
    if (picker.Choice < 0) {
        picker.Items.Add(record.Paper.Get_Display_Name(false, false));
        picker.Choice = Paper_Item_Count;
    }
    const int items = static_cast<int>(picker.Items.GetSize());
    int rows = 0;
    picker.Arrange_Columns(rows);
    if (picker.DoModal() != IDOK)
        return TK_Paper_Choice::Cancelled;
    picker.Restore_Choice_Index(rows);
    const int choice = picker.Choice;
    if (choice < 0)
        return TK_Paper_Choice::Cancelled;
    if (choice < Paper_Item_Count) {
        const ZcDbExtents& box = Check_Extents(record.Plot_Range) ? record.Plot_Range : record.Frame_Ext;
        int long_side = 0, short_side = 0;
        Get_Paper_Size_By_Type(choice, box.maxPoint().x - box.minPoint().x, box.maxPoint().y - box.minPoint().y,
                               long_side, short_side);
        record.Paper.Long_Side = long_side;
        record.Paper.Short_Side = short_side;
        return TK_Paper_Choice::Standard;
    }
    if (choice < items)
        return TK_Paper_Choice::Current;
    Dlg_New_Paper size(parent);
    size.First_Side = record.Paper.Long_Side;
    size.Second_Side = record.Paper.Short_Side;
    if (size.DoModal() != IDOK)
        return TK_Paper_Choice::Custom_Cancelled;
    record.Paper.Long_Side = static_cast<int>(std::max(size.First_Side, size.Second_Side));
    record.Paper.Short_Side = static_cast<int>(std::min(size.First_Side, size.Second_Side));
    return TK_Paper_Choice::Custom;
}

BEGIN_MESSAGE_MAP(Dlg_TK_Set, CZcUiDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

Dlg_TK_Set::Dlg_TK_Set(CWnd* parent) : CZcUiDialog(IDD_DLG_TK_SET, parent)
{
    Ensure_Layer(Marker_Layer, L"Temp_PlotLayer");
    Set_Layer_State(Marker_Layer, Layer_Off, false);
    Set_Layer_State(Marker_Layer, Layer_Frozen, false);
    Set_Layer_State(Marker_Layer, Layer_Locked, false);
    Set_Layer_State(Marker_Layer, Layer_Plottable, false);
}

Dlg_TK_Set::~Dlg_TK_Set()
{
    for (ZcDbObjectId& marker : Markers) Erase_Sheet_Marker(marker);
    Update_Screen();
}

void Dlg_TK_Set::DoDataExchange(CDataExchange* exchange)
{
    CZcUiDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_TKS_BLOCK, Block_Text);
    DDX_Text(exchange, IDC_TKS_PAPER_TEXT, Paper_Text);
    DDX_Text(exchange, IDC_TKS_RULE_TEXT, Rule_Text);
    DDX_CBIndex(exchange, IDC_TKS_PRIORITY, Priority_Index);
}

ZcDbExtents& Dlg_TK_Set::Slot_Range(int slot)
{
    static const int types[Marker_Count] = {TK_Range_Plot,    TK_Range_A,       TK_Range_B,       TK_Range_C,
                                            TK_Range_D,       TK_Range_E,       TK_Range_F,       TK_Range_Stamp_1,
                                            TK_Range_Stamp_2, TK_Range_Stamp_3, TK_Range_Stamp_4};
    return Record->Range_Of_Type(types[slot]);
}

BOOL Dlg_TK_Set::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    Setup_Ok_Cancel(this, Ok_Button, Cancel_Button);
    for (int slot = 0; slot < Marker_Count; ++slot) {
        const bool stamp = slot >= First_Stamp_Slot;
        Setup_Picture_Button(this, Pick_Buttons[slot], Slot_Buttons[slot].id,
                             stamp ? IDI_PICK_STAMP_HOVER : IDI_PICK_RANGE_HOVER,
                             stamp ? IDI_PICK_STAMP_IDLE : IDI_PICK_RANGE_IDLE, 16);
    }
    Setup_Picture_Button(this, Paper_Button, IDC_TKS_PAPER, IDI_PAPER_HOVER, IDI_PAPER_IDLE, 16);
    Setup_Picture_Button(this, Name_Rule_Button, IDC_TKS_NAME_RULE, IDI_EDIT_HOVER, IDI_EDIT_IDLE, 16);
    Setup_Picture_Button(this, Copy_Button, IDC_TKS_COPY, IDI_COPY_HOVER, IDI_COPY_IDLE, 16);
    if (auto* priority = static_cast<CComboBox*>(GetDlgItem(IDC_TKS_PRIORITY)))
        for (const wchar_t* item : {L"  1", L"  2", L"  3", L"  4", L"  5", L"  6", L"  7", L"  8", L"  9"})
            priority->AddString(item);

    Priority_Index = Record->Priority;
    Block_Text = L"图框对应的图块：" + Record->Block_Name;
    Paper_Text = Record->Paper.Get_Display_Name(false, false);
    for (int slot = 1; slot < Marker_Count; ++slot) Slot_Range(slot) = Zero_Extents();
    Record->Name_Rule.Empty();
    Rule_Text = Undefined;
    {
        Doc_Lock lock;
        Show_Range_Marker(0, Record->Frame_Ext);
    }
    if (CWnd* note = GetDlgItem(IDC_TKS_DYNAMIC)) {
        if (Record->Is_Dynamic != 0) {
            note->ShowWindow(SW_SHOW);
        } else {
            note->ShowWindow(SW_HIDE);
            CWnd* block = GetDlgItem(IDC_TKS_BLOCK);
            CRect note_rect, block_rect;
            note->GetWindowRect(&note_rect);
            block->GetWindowRect(&block_rect);
            ScreenToClient(&note_rect);
            ScreenToClient(&block_rect);
            note_rect.OffsetRect(0, -(block_rect.top - note_rect.top) / 2);
            block->MoveWindow(&note_rect);
        }
    }
    if (CWnd* copy = GetDlgItem(IDC_TKS_COPY)) copy->EnableWindow(g_TK_Library.Records.GetSize() > 0);
    UpdateData(FALSE);
    Update_Controls();
    return TRUE;
}

BOOL Dlg_TK_Set::OnCommand(WPARAM wparam, LPARAM lparam)
{
    if (HIWORD(wparam) == BN_CLICKED) {
        const int id = LOWORD(wparam);
        for (int slot = 0; slot < Marker_Count; ++slot)
            if (Slot_Buttons[slot].id == id) {
                UpdateData(TRUE);
                slot == 0 ? Adjust_Plot_Range() : Pick_Slot_Range(slot);
                return TRUE;
            }
        switch (id) {
        case IDC_TKS_PAPER: UpdateData(TRUE); Choose_Paper(); return TRUE;
        case IDC_TKS_NAME_RULE: UpdateData(TRUE); Edit_Name_Rule(); return TRUE;
        case IDC_TKS_COPY: UpdateData(TRUE); Copy_From_Record(); return TRUE;
        default: break;
        }
    }
    return CZcUiDialog::OnCommand(wparam, lparam);
}

void Dlg_TK_Set::Set_Pick_Caption(int slot, bool set)
{
    SetDlgItemText(Slot_Buttons[slot].id, CString(Slot_Buttons[slot].caption) + (set ? L" ■" : L" □"));
}

void Dlg_TK_Set::Pick_Slot_Range(int slot)
{
    BeginEditorCommand();
    ZcDbExtents range = Slot_Range(slot);
    const bool picked = Pick_Range(range, Record->Centre);
    CompleteEditorCommand();
    if (!picked)
        return;
    Slot_Range(slot) = range;
    Set_Pick_Caption(slot, true);
    Doc_Lock lock;
    Show_Range_Marker(slot, range);
    Update_Controls();
}

void Dlg_TK_Set::Adjust_Plot_Range()
{
    BeginEditorCommand();
    ZcDbExtents range = Record->Plot_Range;
    const bool picked = Pick_Range(range, Record->Centre);
    CompleteEditorCommand();
    if (!picked)
        return;
    Record->Plot_Range = range;
    double scale = g_Plot_Config.Option.Scale;
    if (scale <= 0) scale = 100;
    double w = (range.maxPoint().x - range.minPoint().x) / scale;
    double h = (range.maxPoint().y - range.minPoint().y) / scale;
    if (w <= 1e-5 || h <= 1e-5) {
        Record->Plot_Range = Zero_Extents();
        MessageBoxW(adsw_zcadMainWnd(), L"所选范围无效 !", L"Korvel", MB_OK | MB_ICONQUESTION);
        return;
    }
    Set_Pick_Caption(0, true);
    {
        Doc_Lock lock;
        Show_Range_Marker(0, range);
    }
    if (!Paper_Fixed) {
        double large = std::max(w, h), small = std::min(w, h);
        while (small < 100) { large *= 10; small *= 10; }
        while (small > 1000) { large /= 10; small /= 10; }
        while (large > 5080) { large /= 10; small /= 10; }
        Record->Paper.Long_Side = static_cast<int>(large + 0.5);
        Record->Paper.Short_Side = static_cast<int>(small + 0.5);
        Paper_Text = Record->Paper.Get_Display_Name(false, false);
        SetDlgItemText(IDC_TKS_PAPER_TEXT, Paper_Text);
    }
    Update_Controls();
}

void Dlg_TK_Set::Choose_Paper()
{
    const TK_Paper_Choice choice = Choose_TK_Paper(this, *Record);
    if (choice == TK_Paper_Choice::Cancelled)
        return;
    Paper_Fixed = choice != TK_Paper_Choice::Current;
    if (choice == TK_Paper_Choice::Standard || choice == TK_Paper_Choice::Custom) {
        Paper_Text = Record->Paper.Get_Display_Name(false, false);
        SetDlgItemText(IDC_TKS_PAPER_TEXT, Paper_Text);
        Update_Controls();
    }
}

void Dlg_TK_Set::Edit_Name_Rule()
{
    Dlg_TK_Name dialog(this);
    dialog.Pattern = Record->Name_Rule;
    dialog.Digits_Index = Record->Seq_Digits - 1;
    if (dialog.DoModal() != IDOK)
        return;
    Record->Name_Rule = dialog.Pattern;
    Record->Seq_Digits = dialog.Digits_Index + 1;
    Rule_Text = Record->Name_Rule;
    SetDlgItemText(IDC_TKS_RULE_TEXT, Rule_Text);
    Update_Controls();
}

void Dlg_TK_Set::Copy_From_Record()
{
    const TK_Customization_Array& records = g_TK_Library.Records;
    const int count = static_cast<int>(records.GetSize());
    if (count == 0)
        return;
    Dlg_Options picker(this);
    picker.Title = L"选择图框复制信息";
    for (int i = 0; i < count; ++i) picker.Items.Add(records[i]->Block_Name);
    picker.Extra_Columns = count <= 10 ? 0 : count <= 20 ? 1 : count <= 30 ? 2 : 3;
    picker.Item_Width = 120 * (picker.Extra_Columns + 1);
    picker.Choice = 0;
    if (picker.DoModal() != IDOK || picker.Choice < 0 || picker.Choice >= count)
        return;
    const TK_Customization& source = *records[picker.Choice];
    Record->Name_Rule = source.Name_Rule;
    Record->Priority = source.Priority;
    const double dx = Record->Frame_Ext.maxPoint().x - source.Frame_Ext.maxPoint().x;
    const double dy = Record->Frame_Ext.minPoint().y - source.Frame_Ext.minPoint().y;
    for (int slot = 1; slot < Marker_Count; ++slot) {
        ZcDbExtents& range = Slot_Range(slot);
        range = const_cast<TK_Customization&>(source).Range_Of_Type(
            slot <= 6 ? slot : TK_Range_Stamp_1 + slot - 7);
        Move_Range(range, dx, dy);
    }
    Rule_Text = Record->Name_Rule.IsEmpty() ? CString(Undefined) : Record->Name_Rule;
    Priority_Index = Record->Priority;
    UpdateData(FALSE);
    Update_Controls();
    Doc_Lock lock;
    for (int slot = 1; slot < Marker_Count; ++slot) Set_Pick_Caption(slot, Show_Range_Marker(slot, Slot_Range(slot)));
}

bool Dlg_TK_Set::Show_Range_Marker(int slot, const ZcDbExtents& range)
{
    Erase_Sheet_Marker(Markers[slot]);
    const ZcGePoint3d& c = Record->Centre;
    const ZcGePoint2d lo(c.x + range.minPoint().x, c.y + range.minPoint().y);
    const ZcGePoint2d hi(c.x + range.maxPoint().x, c.y + range.maxPoint().y);
    if (hi.x - lo.x == 0 || hi.y - lo.y == 0)
        return false;
    Markers[slot] = Append_Sheet_Marker(lo, hi, Marker_Layer, ZcDbObjectId());
    Update_Screen();
    return !Markers[slot].isNull();
}

void Dlg_TK_Set::Update_Controls()
{
    for (const Slot_Button& button : Slot_Buttons)
        if (CWnd* control = GetDlgItem(button.id)) control->EnableWindow(TRUE);
    for (int id : {IDC_TKS_PAPER, IDC_TKS_NAME_RULE, IDC_TKS_PRIORITY, IDC_TKS_PRIORITY_LABEL})
        if (CWnd* control = GetDlgItem(id)) control->EnableWindow(TRUE);
    const std::pair<int, const CString*> readouts[] = {
        {IDC_TKS_BLOCK, &Block_Text}, {IDC_TKS_PAPER_TEXT, &Paper_Text}, {IDC_TKS_RULE_TEXT, &Rule_Text}};
    for (auto [id, text] : readouts)
        if (CWnd* control = GetDlgItem(id)) control->EnableWindow(*text != Undefined);
    CString letters = Record->Name_Rule;
    for (const wchar_t* doubled : {L"AA", L"BB", L"CC", L"DD", L"EE", L"FF"}) letters.Replace(doubled, L"");
    for (int slot = 1; slot <= 6; ++slot) {
        Pick_Buttons[slot].Set_Default_Frame(letters.Find(static_cast<wchar_t>(L'A' + slot - 1)) >= 0);
        Pick_Buttons[slot].Invalidate();
    }
}

HBRUSH Dlg_TK_Set::OnCtlColor(CDC* dc, CWnd* window, UINT control_type)
{
    HBRUSH brush = CZcUiDialog::OnCtlColor(dc, window, control_type);
    if (window == nullptr)
        return brush;
    switch (window->GetDlgCtrlID()) {
    case IDC_TKS_BLOCK:
        if (Block_Text != Undefined) dc->SetTextColor(Blue);
        break;
    case IDC_TKS_RULE_TEXT:
        if (Rule_Text != Undefined) dc->SetTextColor(Blue);
        break;
    case IDC_TKS_DYNAMIC:
        dc->SetTextColor(Blue);
        break;
    case IDC_TKS_PAPER_TEXT:
        if (!Paper_In_Range(Record->Paper)) dc->SetTextColor(Red);
        else if (Paper_Text != Undefined) dc->SetTextColor(Blue);
        break;
    case IDC_TKS_GROUP_1: case IDC_TKS_GROUP_2: case IDC_TKS_GROUP_3:
        dc->SetTextColor(Red);
        break;
    default:
        break;
    }
    return brush;
}

void Dlg_TK_Set::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (Rule_Text == Undefined) {
        MessageBoxW(adsw_zcadMainWnd(), L"文件命名规则未定义 !", L"Korvel", MB_OK | MB_ICONQUESTION);
        return;
    }
    CString message;
    if (!Check_Name_Rule(*Record, message, 0)) {
        MessageBoxW(adsw_zcadMainWnd(), message, L"Korvel", MB_OK | MB_ICONQUESTION);
        return;
    }
    Record->Priority = Priority_Index;
    EndDialog(IDOK);
}

bool Run_TK_Set_Dialog(TK_Customization& record)
{
    Dlg_TK_Set dialog(CWnd::FromHandle(adsw_zcadMainWnd()));
    dialog.Record = &record;
    return dialog.DoModal() == IDOK;
}
