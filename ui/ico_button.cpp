#include "ui/ico_button.h"

#include "mfc/afxdc.h"

BEGIN_MESSAGE_MAP(Ico_Button, Hover_Button)
END_MESSAGE_MAP()

void Ico_Button::DrawItem(LPDRAWITEMSTRUCT draw)
{
    CDC* dc = CDC::FromHandle(draw->hDC);
    const CRect rect(draw->rcItem);
    const bool pressed = (draw->itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw->itemState & ODS_DISABLED) != 0;
    dc->FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
    if (pressed)
        Draw_Edge(dc, rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (Hovered)
        Draw_Edge(dc, rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    if (Hover_Icon == nullptr) return;
    CPoint at(rect.left + (rect.Width() - Icon_Size.width) / 2, rect.top + (rect.Height() - Icon_Size.height) / 2);
    if (pressed) at.Offset(1, 1);
    Draw_Icon(dc, at, Hovered || pressed, disabled);
}
