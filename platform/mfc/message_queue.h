// The thread's message queue: posted messages, paints and timers, served by
// PeekMessage/GetMessage. When a pump round finds the queue empty it serves the script:
// a dialog step aimed at an open window is applied there (mfc/dialog_steps.h).
#pragma once

#include "mfc/winuser.h"

namespace platform {

// Drops the queued messages and timers of a destroyed window.
void Forget_Window_Messages(HWND hWnd);
// How many pump rounds (PeekMessage calls that found the queue empty) have ended.
long Pump_Rounds();
// Takes the next queued message (posted, paint, timer) as PeekMessage does, without
// ending a pump round: the host's own loop, which never serves the script.
bool Take_Queued_Message(MSG* message);
// Drops every queued message and timer (tests).
void Clear_Message_Queue();

// A window of the host outside the framework (the drawing window): messages posted to it
// wait in the queue like any other; dispatching one hands it to the procedure.
using Outside_Window_Proc = void (*)(UINT message, WPARAM wParam, LPARAM lParam);
void Register_Outside_Window(HWND hWnd, Outside_Window_Proc proc);

}  // namespace platform
