// The background colour swatch of the plot dialogs: filled with the colour; under the mouse
// a 5-pixel frame and the centred text "底 色", both in the inverse colour.
#pragma once

#include "mfc/afxwin.h"

void Paint_Color_Swatch(CDC& dc, const CRect& swatch, int red, int green, int blue, bool hover, CWnd* font_source);
