// Window placement on the monitor under the mouse cursor.
#pragma once

#include "win/win_types.h"

// Moves a window rectangle (screen pixels) onto the monitor nearest the cursor,
// keeping its size and 40 pixels clear of the monitor's bottom; the left and top
// edges win over the right and bottom ones.
void Fit_Rect_To_Monitor(LONG& left, LONG& top, LONG& right, LONG& bottom);
