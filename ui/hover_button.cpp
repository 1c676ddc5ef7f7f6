#include "ui/hover_button.h"

#include "mfc/afxdc.h"
#include "ui/module_resources.h"

BEGIN_MESSAGE_MAP(Hover_Button, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_KILLFOCUS()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

Hover_Button::~Hover_Button()
{
    if (Button_Cursor != nullptr) DestroyCursor(Button_Cursor);
}

void Hover_Button::PreSubclassWindow()
{
    const UINT style = GetButtonStyle();
    SetButtonStyle((style & 0xFFF4) | BS_OWNERDRAW, TRUE);
    CButton::PreSubclassWindow();
}

void Hover_Button::Set_Icon(int hover_icon_id, int idle_icon_id, int size)
{
    CRect client;
    GetClientRect(&client);
    if (client.Height() > 32) size *= 2;
    Icon_Size.height = static_cast<BYTE>(size);
    Icon_Size.width = static_cast<BYTE>(size);
    const HINSTANCE resources = Module_Resources();
    Hover_Icon = static_cast<HICON>(
        LoadImage(resources, MAKEINTRESOURCEW(hover_icon_id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR | LR_SHARED));
    Idle_Icon = idle_icon_id != 0 ? static_cast<HICON>(LoadImage(resources, MAKEINTRESOURCEW(idle_icon_id), IMAGE_ICON,
                                                                 size, size, LR_DEFAULTCOLOR | LR_SHARED))
                                  : Hover_Icon;
    RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

bool Hover_Button::Set_Cursor(int cursor_id)
{
    if (Button_Cursor != nullptr) {
        DestroyCursor(Button_Cursor);
        Button_Cursor = nullptr;
    }
    if (cursor_id == -1) return true;
    Button_Cursor = static_cast<HCURSOR>(
        LoadImage(Module_Resources(), MAKEINTRESOURCEW(cursor_id), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    return Button_Cursor != nullptr;
}

void Hover_Button::Repaint() { Invalidate(); }

void Hover_Button::Check_Hover()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    CRect window_rect;
    GetWindowRect(&window_rect);
    if (window_rect.PtInRect(cursor)) return;
    if (Hovered) {
        Hovered = 0;
        Repaint();
    }
    ReleaseCapture();
}

void Hover_Button::OnMouseMove(UINT flags, CPoint point)
{
    CButton::OnMouseMove(flags, point);
    const bool left_held = (flags & MK_LBUTTON) != 0;
    if (left_held && !Hovered) return;
    if (CWnd::GetCapture() != this) {
        if (CWnd::GetActiveWindow() != nullptr && (GetOwner() != nullptr || GetParent() != nullptr)) {
            Hovered = 1;
            if (!No_Capture) SetCapture();
            Repaint();
        }
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) return;
    if (Hovered) {
        Hovered = 0;
        Repaint();
    }
    if (!left_held) ReleaseCapture();
}

void Hover_Button::OnCaptureChanged(CWnd* window)
{
    if (Hovered) {
        ReleaseCapture();
        Repaint();
    }
    CButton::OnCaptureChanged(window);
}

void Hover_Button::OnKillFocus(CWnd* new_window)
{
    CButton::OnKillFocus(new_window);
    if (Hovered) {
        Hovered = 0;
        Repaint();
    }
}

BOOL Hover_Button::OnSetCursor(CWnd* window, UINT hit_test, UINT message)
{
    if (Button_Cursor != nullptr) {
        ::SetCursor(Button_Cursor);
        return TRUE;
    }
    return CButton::OnSetCursor(window, hit_test, message);
}

void Hover_Button::Draw_Edge(CDC* dc, const CRect& rect, COLORREF top_left, COLORREF bottom_right)
{
    const CPoint bottom_left(rect.left, rect.bottom - 1), top_right(rect.right - 1, rect.top);
    CPen first(PS_SOLID, 1, top_left), second(PS_SOLID, 1, bottom_right);
    CPen* old_pen = dc->SelectObject(&first);
    dc->MoveTo(bottom_left);
    dc->LineTo(rect.left, rect.top);
    dc->LineTo(top_right);
    dc->SelectObject(&second);
    dc->MoveTo(bottom_left);
    dc->LineTo(rect.right - 1, rect.bottom - 1);
    dc->LineTo(top_right);
    dc->SelectObject(old_pen);
}

void Hover_Button::Draw_Icon(CDC* dc, CPoint at, bool lit, bool disabled)
{
    HICON icon = lit ? Hover_Icon : Idle_Icon;
    if (icon == nullptr) return;
    dc->DrawState(at, CSize(Icon_Size.width, Icon_Size.height), icon,
                  disabled ? DSS_DISABLED : DSS_NORMAL, static_cast<HBRUSH>(nullptr));
}
