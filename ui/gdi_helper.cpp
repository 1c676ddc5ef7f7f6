#include "ui/gdi_helper.h"

Gdi_Helper g_Gdi_Helper;

void Gdi_Helper::Draw_Frame_Rect(CDC* dc, double x1, double x2, double y1, double y2, int pen_width, int red,
                                 int green, int blue) const
{
    CPen pen(PS_SOLID, pen_width, RGB(red, green, blue));
    CPen* old_pen = dc->SelectObject(&pen);
    const int left = static_cast<int>(x1), right = static_cast<int>(x2);
    const int top = static_cast<int>(y1), bottom = static_cast<int>(y2);
    dc->MoveTo(left, bottom);
    dc->LineTo(right, bottom);
    dc->LineTo(right, top);
    dc->LineTo(left, top);
    dc->LineTo(left, bottom);
    dc->SelectObject(old_pen);
}

CRect Gdi_Helper::Draw_Text_Centered(CDC* dc, CPoint centre, int point_size, const CString& text) const
{
    CFont font;
    font.CreatePointFont(point_size, L"宋体", dc);
    CFont* old_font = dc->SelectObject(&font);
    CRect measured(0, 0, 0, 0);
    dc->DrawText(text, &measured, DT_CALCRECT | DT_SINGLELINE);
    const int half_width = measured.Width() / 2, half_height = measured.Height() / 2;
    CRect rect(centre.x - half_width, centre.y - half_height, centre.x + half_width, centre.y + half_height);
    dc->DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc->SelectObject(old_font);
    return rect;
}
