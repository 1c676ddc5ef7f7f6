#include "ui/picker_dialog.h"

#include <algorithm>
#include <cstdlib>

#include "core/host_adapter.h"
#include "core/monitor_fit.h"
#include "res/resource.h"

namespace {

const COLORREF Picker_Background = RGB(0, 155, 0);

}  // namespace

BEGIN_MESSAGE_MAP(Picker_Dialog, CDialog)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

Picker_Dialog::Picker_Dialog(CWnd* parent) : CDialog(IDD_DLG_OPTIONS, parent) {}

Picker_Dialog::~Picker_Dialog() = default;

bool Picker_Dialog::Contains(const CRect& rect, CPoint point)
{
    return point.x >= rect.left && point.x <= rect.right && point.y >= rect.top && point.y <= rect.bottom;
}

CString Picker_Dialog::Cut_Text(const CString& text) { return text.GetLength() > 254 ? text.Left(254) : text; }

void Picker_Dialog::Make_Fonts()
{
    CString face = L"宋体";
    Font_Height = 12;
    CWnd* source = GetDlgItem(IDC_FONT_SOURCE);
    CFont* font = source != nullptr ? source->GetFont() : nullptr;
    if (font != nullptr) {
        LOGFONTW log_font{};
        font->GetLogFont(&log_font);
        face = log_font.lfFaceName;
        Font_Height = std::max(std::abs(static_cast<int>(log_font.lfHeight)), 12);
    }
    Scale = Font_Height / 12.0;
    Row_Height = static_cast<int>(20 * Scale);
    Normal_Font.DeleteObject();
    Bold_Font.DeleteObject();
    Normal_Font.CreateFont(Font_Height, 0, 0, 0, 400, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
    Bold_Font.CreateFont(Font_Height, 0, 0, 0, 600, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

BOOL Picker_Dialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    Background.DeleteObject();
    Background.CreateSolidBrush(Picker_Background);
    Layout();
    Place_At_Cursor();
    std::vector<int> values;
    std::vector<std::wstring> labels;
    for (const Option_Entry& entry : Entry_List) {
        values.push_back(entry.Index);
        labels.emplace_back(entry.Text.GetString());
    }
    Register_Picker(m_hWnd, [this](int value) { Pick(value); }, values, labels);
    return TRUE;
}

void Picker_Dialog::OnDestroy()
{
    Unregister_Picker(m_hWnd);
    CDialog::OnDestroy();
}

void Picker_Dialog::Move_Fitted(LONG left, LONG top)
{
    LONG right = left + Width, bottom = top + Height;
    Fit_Rect_To_Monitor(left, top, right, bottom);
    MoveWindow(left, top, Width, Height, TRUE);
}

int Picker_Dialog::Entry_At(CPoint point) const
{
    for (size_t i = 0; i < Entry_List.size(); ++i)
        if (Contains(Entry_List[i].Rect, point)) return static_cast<int>(i);
    return -1;
}

void Picker_Dialog::Mark_Chosen(int position)
{
    for (size_t i = 0; i < Entry_List.size(); ++i) {
        Option_Entry& entry = Entry_List[i];
        const bool chosen = static_cast<int>(i) == position;
        if (entry.Chosen == chosen) continue;
        entry.Chosen = chosen;
        InvalidateRect(&entry.Rect, TRUE);
    }
}

bool Picker_Dialog::Choose_At(CPoint point)
{
    const int position = Entry_At(point);
    if (position < 0) return false;
    Mark_Chosen(position);
    return true;
}

void Picker_Dialog::Pick(int value)
{
    for (size_t i = 0; i < Entry_List.size(); ++i)
        if (Entry_List[i].Index == value) {
            Mark_Chosen(static_cast<int>(i));
            OnOK();
            return;
        }
    OnCancel();
}

void Picker_Dialog::Empty_Lists()
{
    Entry_List.clear();
    Frame_Cell_List.clear();
}

void Picker_Dialog::OnOK()
{
    for (const Option_Entry& entry : Entry_List)
        if (entry.Chosen) {
            Choice = entry.Index;
            break;
        }
    // Confirming without a valid choice is a cancel: the caller never sees IDOK with it.
    if (!Accepts(Choice)) {
        OnCancel();
        return;
    }
    Empty_Lists();
    EndDialog(IDOK);
}

void Picker_Dialog::OnCancel()
{
    Empty_Lists();
    EndDialog(IDCANCEL);
}

BOOL Picker_Dialog::PreTranslateMessage(MSG* message)
{
    if (message->message == WM_KEYDOWN && message->wParam == VK_SPACE) {
        Space_Pressed = true;
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        Choose_At(cursor);
    } else if (message->message == WM_KEYUP && message->wParam == VK_SPACE && Space_Pressed) {
        Space_Pressed = false;
        OnOK();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(message);
}

HBRUSH Picker_Dialog::OnCtlColor(CDC*, CWnd*, UINT) { return static_cast<HBRUSH>(Background.GetSafeHandle()); }

void Picker_Dialog::OnMouseMove(UINT flags, CPoint point)
{
    if (CWnd::GetCapture() != this) SetCapture();
    const int hovered = Entry_At(point);
    for (size_t i = 0; i < Entry_List.size(); ++i) {
        Option_Entry& entry = Entry_List[i];
        const bool now = static_cast<int>(i) == hovered;
        if (entry.Hovered == now) continue;
        entry.Hovered = now;
        InvalidateRect(&entry.Rect, TRUE);
    }
    CDialog::OnMouseMove(flags, point);
}

void Picker_Dialog::OnLButtonDown(UINT flags, CPoint point)
{
    Left_Pressed = true;
    if (Choose_At(point)) return;
    for (const CRect& cell : Frame_Cell_List)
        if (Contains(cell, point)) {
            ReleaseCapture();
#ifdef WM_NCLBUTTONDOWN
            SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
#endif
            return;
        }
    CDialog::OnLButtonDown(flags, point);
}

void Picker_Dialog::OnLButtonUp(UINT flags, CPoint point)
{
    if (Left_Pressed) {
        Left_Pressed = false;
        if (Choose_At(point)) {
            OnOK();
            return;
        }
    }
    CDialog::OnLButtonUp(flags, point);
}

void Picker_Dialog::OnRButtonDown(UINT, CPoint) { Right_Pressed = true; }

void Picker_Dialog::OnRButtonUp(UINT flags, CPoint point)
{
    if (Right_Pressed) {
        Right_Pressed = false;
        OnCancel();
        return;
    }
    CDialog::OnRButtonUp(flags, point);
}

void Picker_Dialog::Paint_Frame_Cells(CDC& dc)
{
    for (size_t i = 0; i < Frame_Cell_List.size(); ++i) {
        CRect cell = Frame_Cell_List[i];
        if (i > 0) {
            dc.FillSolidRect(&cell, GetSysColor(COLOR_BTNFACE));
            continue;
        }
        dc.FillSolidRect(&cell, GetSysColor(COLOR_ACTIVECAPTION));
        dc.SetTextColor(GetSysColor(COLOR_CAPTIONTEXT));
        dc.DrawText(Title, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void Picker_Dialog::OnPaint()
{
    CPaintDC dc(this);
    CFont* old_font = dc.SelectObject(&Normal_Font);
    dc.SetBkMode(TRANSPARENT);
    Paint_Frame_Cells(dc);
    Paint_Entries(dc);
    dc.SelectObject(old_font);
}
