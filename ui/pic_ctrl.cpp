#include "ui/pic_ctrl.h"

#include "mfc/afxdc.h"
#include "ui/module_resources.h"

BEGIN_MESSAGE_MAP(Pic_Ctrl, CStatic)
END_MESSAGE_MAP()

void Pic_Ctrl::PreSubclassWindow()
{
    ModifyStyle(SS_TYPEMASK, SS_OWNERDRAW);
    CStatic::PreSubclassWindow();
}

void Pic_Ctrl::Set_Bitmap(int bitmap_id)
{
    Bitmap_Id = bitmap_id;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void Pic_Ctrl::DrawItem(LPDRAWITEMSTRUCT draw)
{
    if (Bitmap_Id == 0) return;
    CBitmap bitmap;
    if (!bitmap.Attach(LoadBitmap(Module_Resources(), MAKEINTRESOURCEW(Bitmap_Id)))) return;
    BITMAP info{};
    bitmap.GetBitmap(&info);
    CDC* dc = CDC::FromHandle(draw->hDC);
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* old_bitmap = memory.SelectObject(&bitmap);
    CRect client;
    GetClientRect(&client);
    dc->SetStretchBltMode(COLORONCOLOR);
    dc->StretchBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    memory.SelectObject(old_bitmap);
}
