// Drawing helpers for the dialogs' own painting, called on the one global instance.
#pragma once

#include "mfc/afxdc.h"
#include "mfc/afxstr.h"

class Gdi_Helper {
public:
    // The closed outline (x1,y2) -> (x2,y2) -> (x2,y1) -> (x1,y1) -> (x1,y2) with a solid pen;
    // coordinates are truncated.
    void Draw_Frame_Rect(CDC* dc, double x1, double x2, double y1, double y2, int pen_width, int red, int green,
                         int blue) const;
    // Draws the text on one line centred on the point in "宋体" of the given size (tenths
    // of a point) and returns the rectangle it occupies.
    CRect Draw_Text_Centered(CDC* dc, CPoint centre, int point_size, const CString& text) const;
};

extern Gdi_Helper g_Gdi_Helper;
