// The push button of the dialogs: flat, with an optional icon left of its caption;
// lights up under the mouse (fill colour, raised edge, caption colour) and shows a
// sunken edge when pressed.
#pragma once

#include "ui/hover_button.h"

class Pic_Button : public Hover_Button {
public:
    Pic_Button();

    void Set_Default_Frame(bool flag);
    void Set_Hover_Text_Color(COLORREF color, int redraw);
    void Set_Idle_Fill_Color(COLORREF color, int redraw);
    void Set_Hover_Fill_Color(COLORREF color, int redraw);

    void DrawItem(LPDRAWITEMSTRUCT draw) override;

protected:
    DECLARE_MESSAGE_MAP()

private:
    void Redraw_If(int redraw);

    BYTE Default_Frame = 0;
    COLORREF Hover_Text_Color;
    COLORREF Idle_Fill_Color;
    COLORREF Hover_Fill_Color;
};
