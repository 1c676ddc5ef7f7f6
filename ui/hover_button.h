// The hover logic shared by the owner-drawn buttons: the button lights up while the
// mouse is over it (it holds the mouse capture, unless told not to), shows its own
// cursor and keeps an idle and a hover icon.
#pragma once

#include "mfc/afxwin.h"

class Hover_Button : public CButton {
public:
    Hover_Button() = default;
    ~Hover_Button() override;

    // Loads the hover icon and the idle icon (0: the hover icon serves) at size x size
    // pixels, doubled for a button more than 32 pixels high; repaints at once.
    void Set_Icon(int hover_icon_id, int idle_icon_id, int size);
    // Loads the cursor shown over the button; -1 removes it. True when loaded or removed.
    bool Set_Cursor(int cursor_id);
    void Set_No_Capture(bool flag) { No_Capture = flag ? 1 : 0; }
    // Drops the hover of a button the mouse cursor has left (for dialogs that track the
    // mouse themselves) and releases the mouse capture.
    void Check_Hover();
    bool Is_Hovered() const { return Hovered != 0; }

protected:
    // Sets the button's type to owner-drawn.
    void PreSubclassWindow() override;
    // The edge of a pressed (sunken) or hovered (raised) button: left and top edges in the
    // first colour, bottom and right edges in the second.
    static void Draw_Edge(CDC* dc, const CRect& rect, COLORREF top_left, COLORREF bottom_right);
    // Draws the icon of the current look at the point, greyed when disabled.
    void Draw_Icon(CDC* dc, CPoint at, bool lit, bool disabled);
    void Repaint();

    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* window);
    afx_msg void OnKillFocus(CWnd* new_window);
    afx_msg BOOL OnSetCursor(CWnd* window, UINT hit_test, UINT message);
    DECLARE_MESSAGE_MAP()

protected:
    BYTE No_Capture = 0;
    int Hovered = 0;
    HCURSOR Button_Cursor = nullptr;
    HICON Hover_Icon = nullptr;
    HICON Idle_Icon = nullptr;
    struct {
        BYTE height = 0;
        BYTE width = 0;
    } Icon_Size;
};
