// The framework's windows: every HWND names one Window of this table. A window has
// a class (its built-in behaviour: button, edit, list view...), a text, styles, an id,
// a rectangle, a parent and children, and, when the framework attached one, its CWnd.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mfc/winuser.h"

class CWnd;

namespace platform {

// State a control class keeps in its window (list items, check state...).
struct Control_Data {
    virtual ~Control_Data() = default;
};

struct Window;
// Built-in behaviour of a window class: answers what the window's object left to it.
using Class_Proc = LRESULT (*)(Window* window, UINT message, WPARAM wParam, LPARAM lParam);

struct Window {
    std::wstring class_name;       // "Button", "Edit", "#32770" (dialog) ...
    std::wstring text;
    DWORD style = 0;
    DWORD ex_style = 0;
    int id = 0;                    // control id (child windows)
    int template_id = 0;           // the dialog template a dialog was built from
    Window* parent = nullptr;      // child windows: parent; pop-ups: owner
    std::vector<Window*> children; // in creation (tab) order
    RECT rect{};                   // child: in the parent's client coordinates; top-level: screen
    CWnd* object = nullptr;        // the attached framework object, if any
    Class_Proc proc = nullptr;
    HFONT font = nullptr;
    HICON icon_small = nullptr;
    HICON icon_big = nullptr;
    LONG_PTR user_data = 0;
    bool visible = false;
    bool enabled = true;
    bool needs_paint = false;
    bool destroying = false;
    bool track_leave = false;
    bool track_hover = false;
    int create_order = 0;
    std::unique_ptr<Control_Data> data;

    // Handles are never reused: a handle kept after its window went finds no window.
    HWND handle() const { return hwnd; }
    HWND hwnd = nullptr;
    template <class T>
    T* state() {
        if (!data) data = std::make_unique<T>();
        return static_cast<T*>(data.get());
    }
};

// The window of a handle, or null when it is not (or no longer) a window.
Window* Find_Window(HWND hWnd);
// Every live window, in creation order.
std::vector<Window*> All_Windows();
// The handles of windows: a walk that sends messages goes by handle, since a message may
// destroy windows further on (Find_Window then finds none).
std::vector<HWND> Handles(const std::vector<Window*>& windows);

// Creates a window of a registered class (case-insensitive); null for an unknown class.
// Sends WM_NCCREATE/WM_CREATE (a -1 from WM_CREATE destroys it and gives null).
Window* Create_Window(DWORD ex_style, const std::wstring& class_name, const std::wstring& text, DWORD style,
                      const RECT& rect, Window* parent, int id, CWnd* object, void* create_params);
// The framework class of a window class (CButton for "Button"...): the wrapper of a window
// without a permanent object is an object of it, so that a control handed out as a CWnd
// is rightly cast to its class.
using Object_Maker = CWnd* (*)();
template <class T>
CWnd* Make_Object() { return new T(); }
void Register_Window_Class(const std::wstring& class_name, Class_Proc proc, Object_Maker make_object = nullptr);
Class_Proc Find_Window_Class(const std::wstring& class_name);

// Sends to the window's object (message map) or its class.
LRESULT Send(Window* window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// WM_COMMAND with a notification code from a control to its parent.
void Notify_Parent_Command(Window* control, UINT code);
// WM_NOTIFY from a control to its parent; the header's hwndFrom/idFrom/code are filled in.
LRESULT Notify_Parent(Window* control, NMHDR* header, UINT code);

// Client size from the window's rectangle and frame (caption and borders).
RECT Client_Rect(const Window* window);
// Offset of the client area's top-left corner in screen coordinates.
POINT Client_Origin(const Window* window);
// Frame thickness of a style: left, top (caption included), right, bottom.
RECT Frame_Insets(DWORD style, DWORD ex_style);

// Dialog base units (average character width and height) of a font.
SIZE Font_Base_Units(HFONT font);

// Pixel size of a text in a font (the pinned font); a hook the drawing layer sets.
using Text_Measurer = std::function<SIZE(HFONT font, const std::wstring& text)>;
void Set_Text_Measurer(Text_Measurer measurer);
SIZE Measure_Text(HFONT font, const std::wstring& text);

// The modal dialogs running now, innermost last.
std::vector<Window*>& Modal_Stack();
// Marks a top-level window as the most recently activated.
void Activate_Window(Window* window);
// Top-level windows, most recently activated first.
std::vector<Window*> Activation_Order();

// Input state.
Window* Focus_Window();
void Set_Focus_Window(Window* window);
Window* Capture_Window();
void Set_Capture_Window(Window* window);

// Removes a window that has had its last message (its queued messages and timers too).
void Forget_Window(Window* window);
// The framework-owned wrapper of a window without a permanent object.
CWnd* Temporary_Object(Window* window);

}  // namespace platform
