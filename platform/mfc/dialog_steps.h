// Dialog steps of the input script: which window they go to, how they act on it, and
// when they are taken (modal loops, message pumps, the host's top level).
//
// A dialog step goes to the topmost window: the innermost visible modal dialog, else the
// most recently activated visible top-level window; `@ID` names the window by its
// dialog template id. Modal dialogs take their steps in their own loop; modeless windows
// whenever the plug-in pumps messages: at the end of each pump round the pump takes the
// next step when it is a dialog step aimed at an open window (one step a round, so what
// a step posts is handled before the next). `wait pumps N` and
// `wait file "PATH"` hold the following steps back.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "mfc/window_table.h"
#include "script/script_input.h"

namespace platform {

// The window a dialog step goes to now (see above); null when none is open.
Window* Topmost_Window();
Window* Step_Target(const Step& step);
// "dialog 712 (IDD_DLG_BPLOT1)": the template id, with its symbol when a loaded module's
// resources define one.
std::wstring Template_Name(int template_id);
// "dialog 712 (IDD_DLG_BPLOT1) '批打印至文件'", "window '<caption>'"; without a caption the
// class of the window's object: "dialog 605 (IDD_DLG_OPTIONS) of class Dlg_Options".
std::wstring Describe_Window(Window* window);

// Applies a window step (click ... snapshot) to its target. Throws UnansweredInput when
// no window is open, the control is missing or refuses the step.
void Apply_Dialog_Step(const Step& step);

// Serves the script at the end of a pump round: one dialog step, after the waits before
// it; true when it took a step.
bool Serve_Script_At_Pump();
// True while `wait` holds the script back.
bool Script_Held();
// Forgets a pending wait (tests).
void Clear_Script_Wait();

// Runs a modal window until `ended`: pumps messages and takes the script's steps. A step
// that does not answer it ends the run with UnansweredInput naming the window. In
// quitting mode `cancel` is called (it ends the dialog with IDCANCEL).
void Run_Modal_Loop(Window* dialog, const bool& ended, const std::function<void()>& cancel);

// A step met at the host's top level (or by a waiting prompt): window steps go to the
// open window, `wait` steps are taken; otherwise UnansweredInput "nothing is waiting".
void Apply_Top_Level_Step(const Step& step);

// Pop-up pickers of the plug-in: a `pick N` step goes to the most recently registered
// picker window that is still open; N must be one of its entries' values (else the step fails,
// listing the entries with their labels when given, one per entry).
void Register_Picker(HWND window, std::function<void(int)> choose, std::vector<int> entries,
                     std::vector<std::wstring> labels = {});
void Unregister_Picker(HWND window);

// Posts a key press (WM_KEYDOWN, WM_KEYUP), or only the key-down of a held key or the
// key-up of its release, to the window with the focus when it lies in `target`'s window,
// else to `target`; the message loop that takes it delivers it.
void Post_Key(Window* target, int virtual_key, KeyAction action = KeyAction::Press);
// One message as a message loop delivers it: the watchers, PreTranslateMessage of the
// window chain, the dialog keys of `dialog` (Esc, Enter), then the window (a key-down
// queues its WM_CHAR first).
void Deliver_Message(MSG& message, HWND dialog);
// The host's own loop: delivers every queued message, each top-level dialog answering its
// dialog keys. It never serves the script.
void Run_Host_Messages();
// Post_Key, then the host's loop.
void Press_Key(Window* target, int virtual_key);

// Sees every message the pump dispatches and every key pressed (the host's watchers).
using Message_Observer = std::function<void(const MSG&)>;
void Set_Message_Observer(Message_Observer observer);
void Observe_Message(const MSG& message);

// Paints a window with its children and saves it as PNG (mfc/paint_windows.cpp).
bool Snapshot_Window(Window* window, const std::wstring& png_path);
// Where a `rows` step writes the list's rows (the host's command line; default stdout).
void Set_Step_Output(std::function<void(const std::wstring&)> output);
bool Snapshot_Window(CWnd* window, const std::wstring& png_path);

}  // namespace platform
