#include "mfc/dialog_steps.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <typeinfo>
#include <vector>

#include "mfc/afxwin.h"
#include "mfc/control_state.h"
#include "mfc/message_queue.h"
#include "mfc/rc/resource_script.h"
#include "script/console.h"
#include "script/utf8.h"

namespace platform {

namespace {

struct Wait_State {
    int pumps = 0;
    std::wstring file;
};

Wait_State& Waiting() {
    static Wait_State wait;
    return wait;
}

struct Picker {
    HWND window;
    std::function<void(int)> choose;
    std::vector<int> entries;
    std::vector<std::wstring> labels;  // one per entry, or none
};

std::vector<Picker>& Pickers() {
    static std::vector<Picker> pickers;
    return pickers;
}

Message_Observer& Observer() {
    static Message_Observer observer;
    return observer;
}

// The window the mouse is over, by handle: it may be destroyed while the mouse is there.
HWND g_mouse_over = nullptr;

bool Top_Level(Window* w) { return !(w->style & WS_CHILD); }

[[noreturn]] void Refuse(const Step& step, const std::wstring& why) { throw Step_Failed(step, why); }

bool File_Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The window that takes the mouse at a screen point over the target: the target, or the
// first parent of a child window that lets the mouse through (a static without SS_NOTIFY).
Window* Window_Under_Mouse(Window* target, POINT screen) {
    Window* w = target;
    while ((w->style & WS_CHILD) && w->parent &&
           Send(w, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == HTTRANSPARENT)
        w = w->parent;
    return w;
}

// Sends a mouse message as the mouse would: to the capture window if any, else to the
// window under the mouse.
void Mouse(Window* target, UINT message, POINT client, WPARAM keys) {
    POINT screen = client;
    ClientToScreen(target->handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    Window* receiver = Capture_Window() ? Capture_Window() : Window_Under_Mouse(target, screen);
    POINT local = screen;
    ScreenToClient(receiver->handle(), &local);
    if (message == WM_MOUSEMOVE && g_mouse_over != receiver->handle()) {
        const HWND entered = receiver->handle();
        if (Window* left = Find_Window(g_mouse_over); left && left->track_leave) {
            left->track_leave = false;
            Send(left, WM_MOUSELEAVE, 0, 0);
        }
        g_mouse_over = entered;
        if (!Find_Window(entered)) return;
    }
    if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
        Send(receiver, WM_SETCURSOR, reinterpret_cast<WPARAM>(receiver->handle()), MAKELPARAM(HTCLIENT, message));
        if (!Find_Window(receiver->handle())) return;
    }
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) Set_Key_Down(VK_LBUTTON, true);
    if (message == WM_LBUTTONUP) Set_Key_Down(VK_LBUTTON, false);
    if (message == WM_RBUTTONDOWN) Set_Key_Down(VK_RBUTTON, true);
    if (message == WM_RBUTTONUP) Set_Key_Down(VK_RBUTTON, false);
    MSG m{};
    m.hwnd = receiver->handle();
    m.message = message;
    m.wParam = keys;
    m.lParam = MAKELPARAM(local.x, local.y);
    m.pt = screen;
    Observe_Message(m);
    // The window chain's PreTranslateMessage sees mouse messages too (tooltips relay them).
    for (Window* w = receiver; w; w = (w->style & WS_CHILD) ? w->parent : nullptr)
        if (w->object && w->object->PreTranslateMessage(&m)) return;
    if (!Find_Window(receiver->handle())) return;
    Send(receiver, message, keys, m.lParam);
    if (message == WM_MOUSEMOVE && Find_Window(receiver->handle()) && receiver->track_hover) {
        receiver->track_hover = false;
        Send(receiver, WM_MOUSEHOVER, keys, m.lParam);
    }
}

// Moves the mouse onto a control point (twice when a capture moves it elsewhere first).
void Move_To(Window* target, POINT client) {
    Window* capture = Capture_Window();
    Mouse(target, WM_MOUSEMOVE, client, 0);
    if (Find_Window(target->handle()) && Capture_Window() != capture) Mouse(target, WM_MOUSEMOVE, client, 0);
}

POINT Center(Window* w) {
    const RECT r = Client_Rect(w);
    return POINT{r.right / 2, r.bottom / 2};
}

void Click_At(Window* w, POINT p, bool right = false, bool twice = false) {
    Move_To(w, p);
    if (!Find_Window(w->handle())) return;
    const UINT down = right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, up = right ? WM_RBUTTONUP : WM_LBUTTONUP;
    const WPARAM key = right ? MK_RBUTTON : MK_LBUTTON;
    Mouse(w, down, p, key);
    if (Find_Window(w->handle())) Mouse(w, up, p, 0);
    if (twice && Find_Window(w->handle())) {
        Mouse(w, right ? WM_RBUTTONDBLCLK : WM_LBUTTONDBLCLK, p, key);
        if (Find_Window(w->handle())) Mouse(w, up, p, 0);
    }
}

// The controls with the step's id in the window and its child windows (tab pages).
void Find_Controls(Window* parent, int id, std::vector<Window*>& found) {
    for (Window* c : parent->children) {
        if (c->id == id) found.push_back(c);
        Find_Controls(c, id, found);
    }
}

// "IDC_BP1_LIST (1164)" when the step names the control by its symbol, else "1164".
std::wstring Control_Id_Text(const Step& step) {
    const std::wstring number = std::to_wstring(step.control_id);
    return step.control_symbol.empty() ? number : step.control_symbol + L" (" + number + L")";
}

// "control 863", "list control IDC_BP1_LIST (1164)" ...
std::wstring Control_Name(const Step& step, const wchar_t* kind = L"control") {
    return std::wstring(kind) + L" " + Control_Id_Text(step);
}

Window* Control(const Step& step, Window* target) {
    std::vector<Window*> found;
    Find_Controls(target, step.control_id, found);
    const std::wstring name = Control_Name(step) + L" of " + Describe_Window(target);
    if (found.empty()) Refuse(step, Describe_Window(target) + L" has no control " + Control_Id_Text(step));
    // A control on the page in front comes before one on a hidden page.
    auto shown = std::find_if(found.begin(), found.end(), [](Window* c) { return IsWindowVisible(c->handle()) != FALSE; });
    if (shown == found.end()) Refuse(step, name + L" is hidden");
    if (!(*shown)->enabled) Refuse(step, name + L" is disabled");
    return *shown;
}

bool Is(Window* w, const wchar_t* class_name) { return w->class_name == class_name; }

void Click(const Step& step, Window* target) {
    std::vector<Window*> found;
    Find_Controls(target, step.control_id, found);
    if (found.empty() && (step.control_id == IDOK || step.control_id == IDCANCEL)) {
        // Enter and Esc give these commands even without a button.
        Send(target, WM_COMMAND, MAKEWPARAM(step.control_id, BN_CLICKED), 0);
        return;
    }
    Window* c = Control(step, target);
    if (Is(c, L"Button")) {
        Move_To(c, Center(c));
        if (Find_Window(c->handle())) Send(c, BM_CLICK, 0, 0);
        return;
    }
    Click_At(c, Center(c));
}

void Type_Text(const Step& step, Window* target) {
    Window* c = Control(step, target);
    // A list control whose label is being edited takes the text into its edit.
    if (Is(c, L"SysListView32") && c->state<List_View_State>()->label_edit) c = c->state<List_View_State>()->label_edit;
    if (Is(c, L"Edit")) {
        if (c->style & ES_READONLY) Refuse(step, Control_Name(step, L"edit") + L" is read-only");
        if (Focus_Window() != c) SetFocus(c->handle());
        if (Find_Window(c->handle())) Edit_Type_Text(c, step.text);
        return;
    }
    if (Is(c, L"ComboBox")) {
        if (Focus_Window() != c) SetFocus(c->handle());
        if (Find_Window(c->handle()) && !Combo_User_Type(c, step.text))
            Refuse(step, Control_Name(step, L"combo box") + L" has no edit");
        return;
    }
    if (Is(c, L"SysDateTimePick32")) {
        SYSTEMTIME t{};
        int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
        const int n = std::swscanf(step.text.c_str(), L"%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s);
        if (n < 3 || mo < 1 || mo > 12 || d < 1 || d > 31) Refuse(step, L"a date is written YYYY-MM-DD [HH:MM:SS]");
        t.wYear = static_cast<WORD>(y), t.wMonth = static_cast<WORD>(mo), t.wDay = static_cast<WORD>(d);
        t.wHour = static_cast<WORD>(h), t.wMinute = static_cast<WORD>(mi), t.wSecond = static_cast<WORD>(s);
        Date_User_Set(c, t);
        return;
    }
    Refuse(step, Control_Name(step) + L" takes no text");
}

// "5 items (0 to 4)"; "1 entry (0)"; "no entries".
std::wstring Count_Text(int count, const wchar_t* one, const wchar_t* many) {
    if (count <= 0) return std::wstring(L"no ") + many;
    return std::to_wstring(count) + L" " + (count == 1 ? one : many) + L" (0" +
           (count == 1 ? std::wstring() : L" to " + std::to_wstring(count - 1)) + L")";
}

// The items a choose step picks from: the count of a list or the range of a slider.
struct Choice_Range {
    const wchar_t* kind = nullptr;  // null: the control has nothing to choose
    int low = 0, high = -1;
};

Choice_Range Range_Of(Window* c) {
    if (Is(c, L"ComboBox")) return {L"combo box", 0, static_cast<int>(Send(c, CB_GETCOUNT)) - 1};
    if (Is(c, L"ListBox")) return {L"list box", 0, static_cast<int>(Send(c, LB_GETCOUNT)) - 1};
    if (Is(c, L"SysListView32")) return {L"list control", 0, static_cast<int>(Send(c, LVM_GETITEMCOUNT)) - 1};
    if (Is(c, L"SysTabControl32")) return {L"tab control", 0, static_cast<int>(Send(c, TCM_GETITEMCOUNT)) - 1};
    if (Is(c, L"msctls_trackbar32"))
        return {L"slider", static_cast<int>(Send(c, TBM_GETRANGEMIN)), static_cast<int>(Send(c, TBM_GETRANGEMAX))};
    return {};
}

void Choose(const Step& step, Window* target) {
    Window* c = Control(step, target);
    const int n = step.values[0];
    const Choice_Range range = Range_Of(c);
    if (!range.kind) Refuse(step, Control_Name(step) + L" has nothing to choose");
    const std::wstring name = Control_Name(step, range.kind) + L" of " + Describe_Window(target);
    if (Is(c, L"msctls_trackbar32") && (n < range.low || n > range.high))
        Refuse(step, name + L" goes from " + std::to_wstring(range.low) + L" to " + std::to_wstring(range.high) +
                         L": no position " + std::to_wstring(n));
    if (n < range.low || n > range.high)
        Refuse(step, name + L" has " + Count_Text(range.high + 1, L"item", L"items") + L": no item " + std::to_wstring(n));
    bool ok = true;
    if (Is(c, L"ComboBox")) ok = Combo_User_Choose(c, n);
    else if (Is(c, L"SysTabControl32")) ok = Tab_User_Choose(c, n);
    else if (Is(c, L"msctls_trackbar32")) ok = Trackbar_User_Move(c, n);
    else if (Is(c, L"ListBox")) {
        if (n < static_cast<int>(Send(c, LB_GETTOPINDEX))) Send(c, LB_SETTOPINDEX, n, 0);
        RECT r{};
        Send(c, LB_GETITEMRECT, n, reinterpret_cast<LPARAM>(&r));
        Click_At(c, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    } else {
        Send(c, LVM_ENSUREVISIBLE, n, 0);
        const RECT r = List_View_Sub_Item_Rect(c, n, 0);
        Click_At(c, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    if (!ok) Refuse(step, name + L" refuses item " + std::to_wstring(n));
}

void Check(const Step& step, Window* target) {
    Window* c = Control(step, target);
    const UINT type = c->style & BS_TYPEMASK;
    const bool checkable = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                           type == BS_3STATE || type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
    // A push button would be clicked: a check step aimed at one is a mistake in the script.
    if (!Is(c, L"Button") || !checkable) Refuse(step, Control_Name(step) + L" is not a check box or radio button");
    const int wanted = step.values[0];
    if ((Send(c, BM_GETCHECK) == BST_CHECKED) == (wanted == 1)) return;
    Move_To(c, Center(c));
    if (Find_Window(c->handle())) Send(c, BM_CLICK, 0, 0);
}

void Cell(const Step& step, Window* target) {
    Window* c = Control(step, target);
    const int row = step.values[0], col = step.values[1];
    if (Is(c, L"ListBox")) {
        if (step.kind != StepKind::DblClick) Refuse(step, L"a list box takes choose and dblclick");
        Step choose = step;
        choose.kind = StepKind::Choose;
        Choose(choose, target);
        if (Find_Window(c->handle())) Send(c, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
        return;
    }
    if (!Is(c, L"SysListView32")) Refuse(step, Control_Name(step) + L" is not a list control");
    if (row < 0 || row >= static_cast<int>(Send(c, LVM_GETITEMCOUNT)) || col < 0 ||
        col >= static_cast<int>(c->state<List_View_State>()->columns.size()))
        Refuse(step, Control_Name(step, L"list control") + L" has no cell " + std::to_wstring(row) + L"," +
                         std::to_wstring(col));
    Send(c, LVM_ENSUREVISIBLE, row, 0);
    const RECT r = List_View_Sub_Item_Rect(c, row, col);
    const POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    Click_At(c, p, step.kind == StepKind::RClick, step.kind == StepKind::DblClick);
}

std::function<void(const std::wstring&)>& Step_Output() {
    static std::function<void(const std::wstring&)> output = [](const std::wstring& text) {
        Console_Write(To_Utf8(text));
    };
    return output;
}

// One line a row: "\nrows 905: " then the cells separated by " | ".
void Print_Rows(const Step& step, Window* target) {
    Window* c = Control(step, target);
    if (!Is(c, L"SysListView32")) Refuse(step, Control_Name(step) + L" is not a list control");
    std::wstring text;
    for (const List_View_Item& item : c->state<List_View_State>()->items) {
        text += L"\nrows " + (step.control_symbol.empty() ? std::to_wstring(step.control_id) : step.control_symbol) + L":";
        for (size_t i = 0; i < item.texts.size(); ++i) text += (i == 0 ? L" " : L" | ") + item.texts[i];
    }
    Step_Output()(text);
}

}  // namespace

void Set_Step_Output(std::function<void(const std::wstring&)> output) { Step_Output() = std::move(output); }

namespace {

// The C++ class of the window's object ("Dlg_BPlot1"), else its window class ("#32770").
std::wstring Class_Of(Window* w) {
    if (!w->object) return w->class_name;
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(*w->object).name(), nullptr, nullptr, &status);
    std::wstring result = From_Utf8(status == 0 && name ? name : typeid(*w->object).name());
    std::free(name);
    const std::wstring anonymous = L"(anonymous namespace)::";
    for (size_t at = result.find(anonymous); at != std::wstring::npos; at = result.find(anonymous))
        result.erase(at, anonymous.size());
    return result;
}

}  // namespace

std::wstring Template_Name(int template_id) {
    const std::string symbol = Dialog_Template_Symbol(template_id);
    return L"dialog " + std::to_wstring(template_id) + (symbol.empty() ? L"" : L" (" + From_Utf8(symbol) + L")");
}

std::wstring Describe_Window(Window* w) {
    if (!w) return L"no window";
    const std::wstring name = w->template_id ? Template_Name(w->template_id) : std::wstring(L"window");
    return name + (w->text.empty() ? L" of class " + Class_Of(w) : L" '" + w->text + L"'");
}

Window* Topmost_Window() {
    auto& modal = Modal_Stack();
    for (auto it = modal.rbegin(); it != modal.rend(); ++it)
        if ((*it)->visible) return *it;
    for (Window* w : Activation_Order())
        if (w->visible && Top_Level(w) && w->class_name != L"tooltips_class32") return w;
    return nullptr;
}

Window* Step_Target(const Step& step) {
    if (!step.target) return Topmost_Window();
    for (Window* w : Activation_Order())
        if (w->template_id == step.target && w->visible) return w;
    for (Window* w : All_Windows())
        if (w->template_id == step.target && Top_Level(w) && w->visible) return w;
    return nullptr;
}

void Apply_Dialog_Step(const Step& step) {
    Window* target = Step_Target(step);
    if (!target)
        Refuse(step, step.target ? L"no " + Template_Name(step.target) + L" is open" : std::wstring(L"no dialog is open"));
    switch (step.kind) {
    case StepKind::Click: Click(step, target); break;
    case StepKind::Text: Type_Text(step, target); break;
    case StepKind::Choose: Choose(step, target); break;
    case StepKind::Check: Check(step, target); break;
    case StepKind::Cell:
    case StepKind::RClick:
    case StepKind::DblClick: Cell(step, target); break;
    case StepKind::Header: {
        Window* c = Control(step, target);
        if (!Is(c, L"SysListView32") || !List_View_Header_Click(c, step.values[0]))
            Refuse(step, Control_Name(step) + L" has no column " + std::to_wstring(step.values[0]));
        break;
    }
    case StepKind::Snapshot:
        if (!Snapshot_Window(target, step.text)) Refuse(step, L"cannot write the snapshot " + step.text);
        break;
    case StepKind::Rows: Print_Rows(step, target); break;
    case StepKind::Key: Post_Key(target, Key_Code_From_Name(step.text), step.key_action); break;
    default: Refuse(step, L"not a dialog step");
    }
}

bool Script_Held() {
    Wait_State& wait = Waiting();
    if (!wait.file.empty() && File_Exists(wait.file)) wait.file.clear();
    return wait.pumps > 0 || !wait.file.empty();
}

void Clear_Script_Wait() { Waiting() = Wait_State(); }

void Register_Picker(HWND window, std::function<void(int)> choose, std::vector<int> entries,
                     std::vector<std::wstring> labels) {
    Unregister_Picker(window);
    if (labels.size() != entries.size()) labels.clear();
    Pickers().push_back({window, std::move(choose), std::move(entries), std::move(labels)});
}

void Unregister_Picker(HWND window) {
    auto& p = Pickers();
    p.erase(std::remove_if(p.begin(), p.end(), [&](const Picker& e) { return e.window == window; }), p.end());
}

namespace {

bool Picker_Open() {
    for (auto& p : Pickers())
        if (IsWindow(p.window)) return true;
    return false;
}

// "3 entries (0 to 2)" for consecutive values, else "3 entries (0, 4, 7)"; with labels
// "2 entries: 0 \"图框\", 1 \"图层\"".
std::wstring Entries_Text(const std::vector<int>& entries, const std::vector<std::wstring>& labels) {
    if (entries.empty()) return L"no entries";
    if (!labels.empty()) {
        std::wstring text = std::to_wstring(entries.size()) + (entries.size() == 1 ? L" entry: " : L" entries: ");
        for (size_t i = 0; i < entries.size(); ++i)
            text += (i ? L", " : L"") + std::to_wstring(entries[i]) + L" \"" + labels[i] + L"\"";
        return text;
    }
    bool consecutive = true;
    for (size_t i = 1; i < entries.size(); ++i) consecutive = consecutive && entries[i] == entries[i - 1] + 1;
    std::wstring values = std::to_wstring(entries.front());
    if (consecutive && entries.size() > 1) values += L" to " + std::to_wstring(entries.back());
    for (size_t i = 1; !consecutive && i < entries.size(); ++i) values += L", " + std::to_wstring(entries[i]);
    return std::to_wstring(entries.size()) + (entries.size() == 1 ? L" entry (" : L" entries (") + values + L")";
}

void Deliver_Pick(const Step& step) {
    for (auto it = Pickers().rbegin(); it != Pickers().rend(); ++it) {
        if (!IsWindow(it->window)) continue;
        const int value = step.values[0];
        if (std::find(it->entries.begin(), it->entries.end(), value) == it->entries.end())
            Refuse(step, L"the picker " + Describe_Window(Find_Window(it->window)) + L" has " + Entries_Text(it->entries, it->labels) +
                             L": no entry " + std::to_wstring(value));
        auto choose = it->choose;
        choose(value);
        return;
    }
    Refuse(step, L"no picker is open");
}

// A step the pump takes at the end of a round: a pick for an open picker, a window step
// (or a key aimed at a window by id) whose window is open.
bool Served_At_Pump(const Step& step) {
    if (step.kind == StepKind::Pick) return Picker_Open();
    const bool window_step = Is_Window_Step(step.kind) || (step.kind == StepKind::Key && step.target);
    return window_step && Step_Target(step);
}

// Pump rounds a modal loop waits for a file before the dialog counts as unanswered.
constexpr long kFileWaitRounds = 10000;

void Take_Wait(const Step& step) {
    if (step.text.empty()) Waiting().pumps = step.values[0];
    else Waiting().file = step.text;
}

}  // namespace

bool Serve_Script_At_Pump() {
    ScriptInput& script = ScriptInput::instance();
    if (script.quitting()) return false;
    Wait_State& wait = Waiting();
    if (wait.pumps > 0) {
        --wait.pumps;
        return false;
    }
    if (Script_Held()) return false;
    bool took = false;
    for (;;) {
        const Step* next = script.peek();
        if (!next) break;
        if (next->kind == StepKind::Wait) {
            // The round that takes `wait pumps N` is the first of the N.
            const Step step = script.take();
            Take_Wait(step);
            took = true;
            if (step.text.empty() && step.values[0] > 0) {
                --wait.pumps;
                break;
            }
            if (Script_Held()) break;
            continue;
        }
        // One action a round: what it posts is handled before the next step.
        if (!Served_At_Pump(*next)) break;
        const Step step = script.take();
        if (step.kind == StepKind::Pick) Deliver_Pick(step);
        else Apply_Dialog_Step(step);
        return true;
    }
    return took;
}

void Run_Modal_Loop(Window* dialog, const bool& ended, const std::function<void()>& cancel) {
    ScriptInput& script = ScriptInput::instance();
    const HWND handle = dialog->handle();
    const std::wstring description = Describe_Window(dialog);
    long file_wait_start = -1;
    while (!ended && IsWindow(handle)) {
        MSG m;
        const long before = static_cast<long>(script.size());
        if (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(m.wParam));
                cancel();
                break;
            }
            Deliver_Message(m, handle);
            continue;
        }
        if (ended || !IsWindow(handle)) break;
        if (static_cast<long>(script.size()) != before) continue;  // the pump took steps
        if (script.quitting()) {
            cancel();
            continue;
        }
        if (Waiting().pumps > 0) continue;
        if (!Waiting().file.empty()) {
            // Counted in pump rounds, so a timer firing every round cannot keep the wait alive.
            if (file_wait_start < 0) file_wait_start = Pump_Rounds();
            if (Script_Held() && Pump_Rounds() - file_wait_start > kFileWaitRounds)
                throw UnansweredInput(To_Utf8(description + L" not answered: waiting for the file " + Waiting().file));
            continue;
        }
        file_wait_start = -1;
        const Step* next = script.peek();
        // A wait that ran out in this round held its step back; the next round takes it.
        if (next && Served_At_Pump(*next)) continue;
        if (next && (next->kind == StepKind::Esc || next->kind == StepKind::Enter ||
                     (next->kind == StepKind::Key && !next->target))) {
            const Step key = script.take();
            Post_Key(dialog, key.kind == StepKind::Esc     ? VK_ESCAPE
                             : key.kind == StepKind::Enter ? VK_RETURN
                                                           : Key_Code_From_Name(key.text),
                     key.key_action);
            continue;
        }
        if (next && next->kind == StepKind::Quit) {
            script.take();  // quitting mode: the dialog is cancelled
            continue;
        }
        std::wstring why = L"script ended";
        if (next) why = L"next step is '" + next->describe() + L"' at line " + std::to_wstring(next->line);
        throw UnansweredInput(To_Utf8(description + L" not answered: " + why));
    }
}

void Apply_Top_Level_Step(const Step& step) {
    if (step.kind == StepKind::Wait) {
        // Nothing pumps between commands: a wait is over at once.
        if (!step.text.empty() && !File_Exists(step.text)) Refuse(step, L"the file " + step.text + L" does not exist");
        return;
    }
    if (step.kind == StepKind::Pick && Picker_Open()) {
        Deliver_Pick(step);
        return;
    }
    if ((Is_Window_Step(step.kind) || step.kind == StepKind::Key) && Step_Target(step)) {
        Apply_Dialog_Step(step);
        // The host's idle loop handles what the step posted.
        Run_Host_Messages();
        return;
    }
    if (Is_Window_Step(step.kind) || (step.kind == StepKind::Key && step.target)) {
        Window* open = Topmost_Window();
        const std::wstring open_text = open ? L"the open window is " + Describe_Window(open) : L"no window is open";
        Refuse(step, step.target ? L"no " + Template_Name(step.target) + L" is open; " + open_text : open_text);
    }
    if (step.kind == StepKind::Pick) Refuse(step, L"no picker is open");
    Refuse(step, L"nothing is waiting for input");
}

void Set_Message_Observer(Message_Observer observer) { Observer() = std::move(observer); }

void Observe_Message(const MSG& message) {
    if (Observer()) Observer()(message);
}

void Post_Key(Window* target, int virtual_key, KeyAction action) {
    if (!target || virtual_key < 0) return;
    Window* focus = Focus_Window();
    if (focus && (focus == target || IsChild(target->handle(), focus->handle()))) target = focus;
    if (action != KeyAction::Up) PostMessageW(target->handle(), WM_KEYDOWN, static_cast<WPARAM>(virtual_key), 1);
    if (action != KeyAction::Down)
        PostMessageW(target->handle(), WM_KEYUP, static_cast<WPARAM>(virtual_key), static_cast<LPARAM>(0xC0000001u));
}

void Deliver_Message(MSG& m, HWND dialog) {
    Observe_Message(m);
    for (Window* w = Find_Window(m.hwnd); w; w = (w->style & WS_CHILD) ? w->parent : nullptr) {
        if (w->object && w->object->PreTranslateMessage(&m)) return;
        if (!Find_Window(m.hwnd)) return;
    }
    if (dialog && IsDialogMessageW(dialog, &m)) return;
    TranslateMessage(&m);  // a key-down queues its WM_CHAR first
    DispatchMessageW(&m);
}

void Run_Host_Messages() {
    MSG m;
    while (Take_Queued_Message(&m)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            return;
        }
        Window* top = Find_Window(m.hwnd);
        while (top && (top->style & WS_CHILD) && top->parent) top = top->parent;
        Deliver_Message(m, top && top->class_name == L"#32770" ? top->handle() : nullptr);
    }
}

void Press_Key(Window* target, int virtual_key) {
    Post_Key(target, virtual_key);
    Run_Host_Messages();
}

bool Snapshot_Window(CWnd* window, const std::wstring& png_path) {
    Window* w = window ? Find_Window(window->m_hWnd) : nullptr;
    return w && Snapshot_Window(w, png_path);
}

}  // namespace platform
