#include "dialogs/print_order_unequal_margins.h"

#include <algorithm>

#include "core/plot_option.h"
#include "core/string_helpers.h"
#include "dialogs/print_order_picture.h"
#include "res/resource.h"
#include "ui/module_resources.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

// The label controls of the eight margins, in the order of Margins.
constexpr int Label_Ids[8] = {IDC_LABEL_1, IDC_LABEL_2, IDC_LABEL_3, IDC_LABEL_4,
                              IDC_LABEL_5, IDC_LABEL_6, IDC_LABEL_7, IDC_LABEL_8};

}  // namespace

void Parse_Margins(const CString& text, int& top, int& bottom, int& left, int& right)
{
    int* outputs[4] = {&top, &bottom, &left, &right};
    for (int* output : outputs) *output = 0;
    CString scanned = text;
    Trim_Blanks(scanned);
    scanned += L"A";
    int found = 0;
    CString digits;
    for (int i = 0; i < scanned.GetLength() && found < 4; ++i) {
        const wchar_t c = scanned[i];
        if (c >= L'0' && c <= L'9') {
            digits += c;
            continue;
        }
        if (!digits.IsEmpty()) {
            *outputs[found++] = Str_To_Int(digits);
            digits.Empty();
        }
    }
}

void Paint_Margin_Preview(CDC* dc, const CRect& rect, int top, int bottom, int left, int right)
{
    dc->FillSolidRect(&rect, RGB(0, 0, 0));
    CRect paper = rect;
    paper.DeflateRect(1, 1);
    dc->FillSolidRect(&paper, 0xF0F0F0);
    const int unit = std::min(paper.Width(), paper.Height()) / 10;
    const int largest = std::max({top, bottom, left, right});
    auto inset = [&](int margin) {
        if (margin == 0) return 0;
        return static_cast<int>(std::max(2.0, static_cast<double>(margin) / largest * unit + 0.9));
    };
    CRect area(paper.left + inset(left), paper.top + inset(top), paper.right - inset(right),
               paper.bottom - inset(bottom));
    dc->FillSolidRect(&area, 0x9A4C00);
}

BEGIN_MESSAGE_MAP(Dlg_Unequal_Edge, CDialog)
    ON_EN_CHANGE(IDC_EDIT_TEXT, Refresh)
    ON_EN_CHANGE(IDC_EDIT_TEXT2, Refresh)
    ON_BN_CLICKED(IDC_RADIO_1, Refresh)
    ON_BN_CLICKED(IDC_RADIO_2, Refresh)
    ON_WM_CTLCOLOR()
    ON_WM_PAINT()
END_MESSAGE_MAP()

Dlg_Unequal_Edge::Dlg_Unequal_Edge(CWnd* parent) : CDialog(IDD_DLG_UNEQUAL_EDGE, parent) {}
Dlg_Unequal_Edge::~Dlg_Unequal_Edge() = default;

void Dlg_Unequal_Edge::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Radio(exchange, IDC_RADIO_1, Mode);
    DDX_Text(exchange, IDC_EDIT_TEXT, Land_Text);
    DDX_Text(exchange, IDC_EDIT_TEXT2, Port_Text);
    for (int i = 0; i < 8; ++i) DDX_Text(exchange, Label_Ids[i], Labels[i]);
}

BOOL Dlg_Unequal_Edge::OnInitDialog()
{
    CDialog::OnInitDialog();
    Start_Value_Dialog(this, Ok_Button, Cancel_Button);
    const int* m = Margins;
    Land_Text.Format(L"%d %d %d %d", m[0], m[1], m[2], m[3]);
    Port_Text.Format(L"%d %d %d %d", m[4], m[5], m[6], m[7]);
    UpdateData(FALSE);
    Started = true;
    Refresh();
    return TRUE;
}

void Dlg_Unequal_Edge::Refresh()
{
    if (!Started) return;  // the first push of the texts changes them one by one
    UpdateData(TRUE);
    int* m = Margins;
    Parse_Margins(Land_Text, m[0], m[1], m[2], m[3]);
    Parse_Margins(Port_Text, m[4], m[5], m[6], m[7]);
    for (int i = 0; i < 8; ++i) Labels[i].Format(L"%d", m[i]);
    UpdateData(FALSE);
    for (int id : {IDC_LAND_PREVIEW, IDC_PORT_PREVIEW})
        if (CWnd* preview = GetDlgItem(id)) preview->Invalidate();
    Invalidate();
}

HBRUSH Dlg_Unequal_Edge::OnCtlColor(CDC* dc, CWnd* window, UINT control_type)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, window, control_type);
    const int id = window != nullptr ? window->GetDlgCtrlID() : 0;
    if (std::find(std::begin(Label_Ids), std::end(Label_Ids), id) != std::end(Label_Ids) || id == IDC_GROUP_LAND ||
        id == IDC_GROUP_PORT)
        dc->SetTextColor(RGB(255, 0, 0));
    return brush;
}

void Dlg_Unequal_Edge::OnPaint()
{
    CPaintDC dc(this);
    const int* m = Margins;
    Paint_Margin_Preview(&dc, Control_Client_Rect(this, IDC_LAND_PREVIEW), m[0], m[1], m[2], m[3]);
    Paint_Margin_Preview(&dc, Control_Client_Rect(this, IDC_PORT_PREVIEW), m[4], m[5], m[6], m[7]);
}

void Dlg_Unequal_Edge::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void Edit_Unequal_Margins(CWnd* parent, Plot_Option& option)
{
    Module_Resource_Scope resources;
    Dlg_Unequal_Edge dialog(parent);
    dialog.Mode = option.Unequal_Mode;
    int* targets[8] = {&option.Land_Top, &option.Land_Bottom, &option.Land_Left, &option.Land_Right,
                       &option.Port_Top, &option.Port_Bottom, &option.Port_Left, &option.Port_Right};
    for (int i = 0; i < 8; ++i) dialog.Margins[i] = *targets[i];
    if (dialog.DoModal() == IDOK) {
        option.Unequal_Mode = dialog.Mode;
        for (int i = 0; i < 8; ++i) *targets[i] = dialog.Margins[i];
    }
    option.Unequal_Margin = 1;
}
