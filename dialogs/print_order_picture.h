// The clickable picture of a sheet order: bitmaps of the nine orders, the strip of nine
// segments along its top that picks an order by mouse move, and the body whose left and
// right halves step back and forward.
#pragma once

#include "mfc/afxwin.h"

// Bitmap of an order 1..8 (747..754) or of the selection order 9 (746).
int Order_Bitmap(int sort_type);
// The order clamped to 1..last.
int Clamp_Order(int sort_type, int last);
// The order before (step -1) or after (step +1), wrapping within 1..last.
int Step_Order(int sort_type, int step, int last);

// Segment 1..9 of the strip under x for a picture rectangle in client coordinates
// (0 or out of range when none).
int Strip_Segment(const CRect& picture, int x);
// The mouse over the picture of a dialog (client coordinates), with orders 1..last: the
// step cursor over the body, and the order that a move along the strip or a press on the
// body's halves gives (the order as it was when they give none). A release only sets the
// cursor.
int Order_After_Move(const CRect& picture, CPoint point, int sort_type, int last);
int Order_After_Press(const CRect& picture, CPoint point, int sort_type, int last);
void Cursor_After_Release(const CRect& picture, CPoint point);

// Shows cursor 686 (back) for a side below 0 or 685 (forward) above; nothing for 0.
void Show_Step_Cursor(int side);

// The picture control's rectangle in the dialog's client coordinates.
CRect Control_Client_Rect(CWnd* dialog, int control_id);
