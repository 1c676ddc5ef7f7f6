// The start and the refusal shared by the module's small modal dialogs: icon 674,
// centred on the mouse cursor and kept on its monitor, OK and Cancel as picture buttons,
// and a refused value reported and selected in its field.
#pragma once

#include "mfc/afxwin.h"
#include "ui/pic_button.h"

// Small icon 674 as the window's icon.
void Set_Module_Icon(CWnd* dialog);
// Centres the window on the mouse cursor and moves it onto the cursor's monitor,
// keeping its size.
void Place_At_Cursor(CWnd* dialog);
// The dialog's control as a picture button: the hovered and the idle icon at size pixels
// (doubled on a button taller than 32 pixels), the hand cursor and a red caption while hovered.
void Setup_Picture_Button(CWnd* dialog, Pic_Button& button, int id, int hover_icon, int idle_icon, int size);
// OK (icons 295 hovered, 296 idle) and Cancel (298, 297) as picture buttons of 32 pixel
// icons, with the hand cursor and a red caption while hovered.
void Setup_Ok_Cancel(CWnd* dialog, Pic_Button& ok, Pic_Button& cancel);
// The "关 闭" button (IDOK) as a picture button: icons 711 hovered, 710 idle, hand cursor.
void Setup_Close_Button(CWnd* dialog, Pic_Button& close);
// All three above.
void Start_Value_Dialog(CWnd* dialog, Pic_Button& ok, Pic_Button& cancel);

// A message box over the dialog (caption "Korvel", information icon), then the edit
// control gets the focus with its first `chars` characters selected and scrolled into view.
void Refuse_Field(CWnd* dialog, const wchar_t* message, int edit_id, int chars);
