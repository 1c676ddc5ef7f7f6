// The host menu: the pop-up "K-批打印" in the host's menu bar, built through the host's
// automation objects, and the menu source file "ZKBP.mns" loaded with "_MenuLoad". Both
// show the entries of the menu table in the same order.
#pragma once

#include "mfc/afxstr.h"

class IZcadApplication;
class IZcadPopupMenu;

// Keeps the pop-up in the host's menu bar: adds and fills it when the bar lacks it;
// with force, also rebuilds the entries of a pop-up the bar has.
void Refresh_Menu(bool force);
// The host's application object for menus, made visible; null when the host offers
// none. The caller releases it.
IZcadApplication* Get_Host_Application();
// The first pop-up of the menu bar whose name starts with "K-批打印"; null when there is
// none, or no application object or menu bar. The caller releases it.
IZcadPopupMenu* Find_Menu_Bar_Popup();

// "%s_%d   " of the id and the number, then "[", the label, "--" and the alias when the
// number has one, "]" and the command name.
CString Format_Menu_Line(const wchar_t* id, int number, const wchar_t* label, const wchar_t* command);
// Writes "%s\\ZKBP.mns" in the per-user folder and returns its path, also when the
// write failed (the write-failure message has then been shown).
CString Write_Menu_File();
// The work of the "Korvel" command, run when the host reports that it ended.
void After_Korvel_Command();
