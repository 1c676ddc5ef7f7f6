#include "signstamp/dlg_lib_path.h"

#include "mfc/afxdc.h"

void Lib_Path_Link::On_Mouse_Move(CWnd* dialog, CPoint point)
{
    CWnd* control = dialog->GetDlgItem(Control_Id);
    if (control == nullptr)
        return;
    CRect rect;
    control->GetWindowRect(&rect);
    dialog->ScreenToClient(&rect);
    const bool hover = rect.PtInRect(point) != FALSE;
    if (hover != Hover) {
        Hover = hover;
        control->Invalidate();
    }
}

void Lib_Path_Link::Colour(CWnd* dialog, CDC* dc, CWnd* control)
{
    if (control == nullptr || control->GetDlgCtrlID() != Control_Id)
        return;
    if (!Hover) {
        dc->SetTextColor(RGB(0, 0, 200));
        return;
    }
    LOGFONTW face{};
    if (CFont* font = dialog->GetFont())
        font->GetLogFont(&face);
    face.lfWeight = FW_BOLD;
    Bold_Font.DeleteObject();
    Bold_Font.CreateFontIndirect(&face);
    dc->SelectObject(&Bold_Font);
    dc->SetTextColor(RGB(0, 0, 255));
}
