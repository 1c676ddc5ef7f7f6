// The library file's path text of the library dialogs: a link drawn bold in blue while the
// mouse is over it, in darker blue otherwise.
#pragma once

#include "mfc/afxdc.h"
#include "mfc/afxwin.h"

class Lib_Path_Link {
public:
    explicit Lib_Path_Link(int control_id) : Control_Id(control_id) {}

    // Redraws the path when the mouse enters or leaves it (point in the dialog's client area).
    void On_Mouse_Move(CWnd* dialog, CPoint point);
    // The path's text colour and font while the dialog colours the control.
    void Colour(CWnd* dialog, CDC* dc, CWnd* control);

    const int Control_Id;
    bool Hover = false;

private:
    CFont Bold_Font;
};
