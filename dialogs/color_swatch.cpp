#include "dialogs/color_swatch.h"

#include "ui/gdi_helper.h"

void Paint_Color_Swatch(CDC& dc, const CRect& swatch, int red, int green, int blue, bool hover, CWnd* font_source)
{
    dc.FillSolidRect(&swatch, RGB(red, green, blue));
    if (!hover)
        return;
    const int inverse_red = 255 - red, inverse_green = 255 - green, inverse_blue = 255 - blue;
    g_Gdi_Helper.Draw_Frame_Rect(&dc, swatch.left, swatch.right, swatch.top, swatch.bottom, 5, inverse_red,
                                 inverse_green, inverse_blue);
    LOGFONTW face{};
    if (CFont* font = font_source != nullptr ? font_source->GetFont() : nullptr)
        font->GetLogFont(&face);
    face.lfWeight = 400;
    face.lfHeight = static_cast<LONG>(swatch.Height() * 0.7);
    face.lfWidth = static_cast<LONG>(swatch.Height() * 0.35);
    CFont text_font;
    text_font.CreateFontIndirect(&face);
    CFont* old_font = dc.SelectObject(&text_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(inverse_red, inverse_green, inverse_blue));
    CRect text_rect = swatch;
    dc.DrawText(L"底 色", &text_rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(old_font);
}
