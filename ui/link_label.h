// The look of a folder text that opens a folder picker when clicked: bold in the hover
// colour while the mouse is over it, plain in the idle colour otherwise.
#pragma once

#include "mfc/afxwin.h"

// Sets the text colour, and for a hovered label the bold face of the dialog's font (kept
// in bold_font), on the label's device context in the dialog's control-colour handler.
void Set_Link_Label_Look(CDC* dc, CWnd* dialog, CFont& bold_font, bool hovered, COLORREF idle_color,
                         COLORREF hover_color);
