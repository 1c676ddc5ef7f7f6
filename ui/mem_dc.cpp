#include "ui/mem_dc.h"

CTMemDC::CTMemDC(CDC* target) : Target_DC(target), Is_Memory(!target->IsPrinting())
{
    if (!Is_Memory) {
        m_bPrinting = target->m_bPrinting;
        m_hDC = target->m_hDC;
        m_hAttribDC = target->m_hAttribDC;
        return;
    }
    target->GetClipBox(&Clip_Box);
    CreateCompatibleDC(target);
    Buffer_Bitmap.CreateCompatibleBitmap(target, Clip_Box.Width(), Clip_Box.Height());
    Old_Bitmap = SelectObject(&Buffer_Bitmap);
    SetWindowOrg(Clip_Box.left, Clip_Box.top);
}

CTMemDC::~CTMemDC()
{
    if (Is_Memory) {
        Target_DC->BitBlt(Clip_Box.left, Clip_Box.top, Clip_Box.Width(), Clip_Box.Height(), this, Clip_Box.left,
                          Clip_Box.top, SRCCOPY);
        SelectObject(Old_Bitmap);
        DeleteDC();
    } else {
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
    }
    Buffer_Bitmap.DeleteObject();
}
