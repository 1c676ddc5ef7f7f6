// The icon buttons of the result windows and the dialogs that look like them.
#pragma once

#include "ui/pic_button.h"

// A 32-pixel icon button with the hand cursor, red caption while hovered, without capture.
void Setup_Result_Button(Pic_Button& button, int hover_icon, int idle_icon);
