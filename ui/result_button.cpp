#include "ui/result_button.h"

#include "res/resource.h"

void Setup_Result_Button(Pic_Button& button, int hover_icon, int idle_icon)
{
    button.Set_Icon(hover_icon, idle_icon, 32);
    button.Set_Cursor(IDR_HAND_CURSOR);
    button.Set_Hover_Text_Color(RGB(255, 0, 0), 0);
    button.Set_No_Capture(true);
}
