#include "ui/pic_button.h"

#include "mfc/afxdc.h"

BEGIN_MESSAGE_MAP(Pic_Button, Hover_Button)
END_MESSAGE_MAP()

namespace {

const COLORREF Default_Frame_Color = RGB(0, 0, 200);

}  // namespace

Pic_Button::Pic_Button()
    : Hover_Text_Color(GetSysColor(COLOR_BTNTEXT)),
      Idle_Fill_Color(GetSysColor(COLOR_BTNFACE)),
      Hover_Fill_Color(GetSysColor(COLOR_BTNFACE))
{
}

void Pic_Button::Redraw_If(int redraw)
{
    if (redraw == 1) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void Pic_Button::Set_Default_Frame(bool flag)
{
    Default_Frame = flag ? 1 : 0;
    Invalidate();
}

void Pic_Button::Set_Hover_Text_Color(COLORREF color, int redraw)
{
    Hover_Text_Color = color;
    Redraw_If(redraw);
}

void Pic_Button::Set_Idle_Fill_Color(COLORREF color, int redraw)
{
    Idle_Fill_Color = color;
    Redraw_If(redraw);
}

void Pic_Button::Set_Hover_Fill_Color(COLORREF color, int redraw)
{
    Hover_Fill_Color = color;
    Redraw_If(redraw);
}

void Pic_Button::DrawItem(LPDRAWITEMSTRUCT draw)
{
    CDC* dc = CDC::FromHandle(draw->hDC);
    const CRect rect(draw->rcItem);
    const bool pressed = (draw->itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw->itemState & ODS_DISABLED) != 0;
    const bool lit = Hovered || pressed;
    const COLORREF fill = lit ? Hover_Fill_Color : Idle_Fill_Color;
    dc->FillSolidRect(&rect, fill);

    if (pressed)
        Draw_Edge(dc, rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (Hovered)
        Draw_Edge(dc, rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    else if (Default_Frame)
        Draw_Edge(dc, rect, Default_Frame_Color, Default_Frame_Color);

    CString caption;
    GetWindowText(caption);
    CRect text_rect = rect;
    if (Hover_Icon != nullptr) {
        const int icon_width = Icon_Size.width, icon_height = Icon_Size.height;
        CPoint at(rect.left + (rect.Width() - icon_width) / 2, rect.top + (rect.Height() - icon_height) / 2);
        if (!caption.IsEmpty()) {
            at.x = rect.left + (rect.Height() - icon_width) / 2;
            text_rect.left += rect.bottom - at.y + 2;
        }
        if (pressed) at.Offset(1, 1);
        Draw_Icon(dc, at, lit, disabled);
    }
    if (caption.IsEmpty()) return;

    if (pressed) text_rect.OffsetRect(1, 1);
    CFont* old_font = GetFont() != nullptr ? dc->SelectObject(GetFont()) : nullptr;
    const COLORREF old_text = dc->SetTextColor(lit ? Hover_Text_Color : GetSysColor(COLOR_BTNTEXT));
    const COLORREF old_back = dc->SetBkColor(fill);
    CRect measured = text_rect;
    dc->DrawText(caption, &measured, DT_CALCRECT | DT_SINGLELINE);
    const CPoint text_at(text_rect.left + (text_rect.Width() - measured.Width()) / 2,
                         text_rect.top + (text_rect.Height() - measured.Height()) / 2);
    dc->DrawState(text_at, measured.Size(), caption, disabled ? DSS_DISABLED : DSS_NORMAL, FALSE, 0,
                  static_cast<HBRUSH>(nullptr));
    dc->SetTextColor(old_text);
    dc->SetBkColor(old_back);
    if (old_font != nullptr) dc->SelectObject(old_font);
}
