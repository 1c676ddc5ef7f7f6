#include "dialogs/print_order_picture.h"

#include <algorithm>

#include "mfc/afxdc.h"
#include "res/resource.h"
#include "ui/module_resources.h"

int Order_Bitmap(int sort_type) { return sort_type == 9 ? IDB_ORDER_SELECTION : IDB_ORDER_1 + sort_type - 1; }

int Clamp_Order(int sort_type, int last) { return std::clamp(sort_type, 1, last); }

int Step_Order(int sort_type, int step, int last)
{
    const int next = sort_type + step;
    if (next < 1) return last;
    if (next > last) return 1;
    return next;
}

int Strip_Segment(const CRect& picture, int x)
{
    const int span = picture.right - picture.left - 8;
    if (span <= 0) return 0;
    return static_cast<int>((x - picture.left - 4) * 9.0 / span + 0.99);
}

namespace {

// Whether y lies in the strip.
bool In_Strip(const CRect& picture, int y) { return picture.top <= y && y <= picture.top + 10; }

// -1 in the body's left half, +1 in its right half, 0 elsewhere; the band of y is
// top + 12 < y < bottom - 4 for moves and presses, top + 4 < y < bottom - 12 for releases.
int Body_Side(const CRect& picture, CPoint point, bool release)
{
    const bool in_band = release ? picture.top + 4 < point.y && point.y < picture.bottom - 12
                                 : picture.top + 12 < point.y && point.y < picture.bottom - 4;
    if (!in_band) return 0;
    const int mid = (picture.left + picture.right) / 2;
    if (picture.left + 4 < point.x && point.x <= mid) return -1;
    if (mid < point.x && point.x < picture.right - 4) return 1;
    return 0;
}

}  // namespace

void Show_Step_Cursor(int side)
{
    if (side == 0) return;
    const int id = side < 0 ? IDR_PREV_CURSOR : IDR_NEXT_CURSOR;
    HCURSOR cursor = static_cast<HCURSOR>(
        LoadImage(Module_Resources(), MAKEINTRESOURCEW(id), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (cursor != nullptr) SetCursor(cursor);
}

int Order_After_Move(const CRect& picture, CPoint point, int sort_type, int last)
{
    Show_Step_Cursor(Body_Side(picture, point, false));
    if (!In_Strip(picture, point.y)) return sort_type;
    const int n = Strip_Segment(picture, point.x);
    if (n < 1 || n > 9) return sort_type;
    return n > last ? last : n;
}

int Order_After_Press(const CRect& picture, CPoint point, int sort_type, int last)
{
    const int side = Body_Side(picture, point, false);
    if (side == 0) return sort_type;
    Show_Step_Cursor(side);
    return Step_Order(sort_type, side, last);
}

void Cursor_After_Release(const CRect& picture, CPoint point) { Show_Step_Cursor(Body_Side(picture, point, true)); }

CRect Control_Client_Rect(CWnd* dialog, int control_id)
{
    CRect rect;
    CWnd* control = dialog->GetDlgItem(control_id);
    if (control == nullptr) return rect;
    control->GetWindowRect(&rect);
    dialog->ScreenToClient(&rect);
    return rect;
}
