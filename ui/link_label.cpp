#include "ui/link_label.h"

#include "mfc/afxdc.h"

void Set_Link_Label_Look(CDC* dc, CWnd* dialog, CFont& bold_font, bool hovered, COLORREF idle_color,
                         COLORREF hover_color)
{
    if (!hovered) {
        dc->SetTextColor(idle_color);
        return;
    }
    LOGFONTW face{};
    if (CFont* font = dialog->GetFont()) font->GetLogFont(&face);
    face.lfWeight = FW_BOLD;
    bold_font.DeleteObject();
    bold_font.CreateFontIndirect(&face);
    dc->SelectObject(&bold_font);
    dc->SetTextColor(hover_color);
}
