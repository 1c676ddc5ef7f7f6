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
// Whether y lies in the strip.
bool In_Strip(const CRect& picture, int y);
// -1 in the body's left half, +1 in its right half, 0 elsewhere; the band of y is
// top + 12 < y < bottom - 4 for moves and presses, top + 4 < y < bottom - 12 for releases.
int Body_Side(const CRect& picture, CPoint point, bool release);
// Shows cursor 686 (back) or 685 (forward) for a side; nothing for 0.
void Show_Step_Cursor(int side);

// The picture control's rectangle in the dialog's client coordinates.
CRect Control_Client_Rect(CWnd* dialog, int control_id);
