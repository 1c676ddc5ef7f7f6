#include "mfc/window_table.h"

#include <algorithm>
#include <cwctype>
#include <map>

#include "mfc/afxwin.h"
#include "mfc/dialog_steps.h"
#include "mfc/message_queue.h"

namespace platform {

namespace {

struct Table {
    std::vector<Window*> windows;  // creation order
    std::map<HWND, Window*> alive;
    UINT_PTR next_handle = 0x10010;
    struct Class {
        std::wstring name;
        Class_Proc proc = nullptr;
        Object_Maker make_object = nullptr;
    };
    std::map<std::wstring, Class> classes;
    std::map<Window*, CWnd*> temporaries;
    std::vector<Window*> modal;
    std::vector<Window*> activation;  // most recent last
    Window* focus = nullptr;
    Window* capture = nullptr;
    int created = 0;
    Text_Measurer measurer;
};

Table& T() {
    static Table table;
    return table;
}

std::wstring Lower(const std::wstring& s) {
    std::wstring out(s);
    for (auto& c : out) c = static_cast<wchar_t>(std::towlower(c));
    return out;
}

bool Window_Rect_For_Monitors(HWND hWnd, RECT* rect) {
    Window* w = Find_Window(hWnd);
    if (!w) return false;
    return GetWindowRect(hWnd, rect) != FALSE;
}

}  // namespace

Window* Find_Window(HWND hWnd) {
    auto it = T().alive.find(hWnd);
    return it == T().alive.end() ? nullptr : it->second;
}

std::vector<Window*> All_Windows() { return T().windows; }

std::vector<HWND> Handles(const std::vector<Window*>& windows) {
    std::vector<HWND> handles;
    handles.reserve(windows.size());
    for (const Window* w : windows) handles.push_back(w->handle());
    return handles;
}

void Register_Window_Class(const std::wstring& class_name, Class_Proc proc, Object_Maker make_object) {
    static bool rect_source = (Set_Window_Rect_Source(&Window_Rect_For_Monitors), true);
    (void)rect_source;
    T().classes[Lower(class_name)] = {class_name, proc, make_object};
}

Class_Proc Find_Window_Class(const std::wstring& class_name) {
    auto it = T().classes.find(Lower(class_name));
    return it == T().classes.end() ? nullptr : it->second.proc;
}

Window* Create_Window(DWORD ex_style, const std::wstring& class_name, const std::wstring& text, DWORD style,
                      const RECT& rect, Window* parent, int id, CWnd* object, void* create_params) {
    Class_Proc proc = Find_Window_Class(class_name.empty() ? L"AfxWnd" : class_name);
    if (!proc) return nullptr;
    if ((style & WS_CHILD) && !parent) return nullptr;
    auto* w = new Window();
    w->class_name = T().classes[Lower(class_name.empty() ? L"AfxWnd" : class_name)].name;
    w->text = text;
    w->style = style & ~WS_VISIBLE;
    w->ex_style = ex_style;
    w->id = id;
    w->parent = parent;
    w->rect = rect;
    w->proc = proc;
    w->enabled = !(style & WS_DISABLED);
    w->create_order = ++T().created;
    if (parent) {
        w->font = parent->font;
        if (style & WS_CHILD) parent->children.push_back(w);
    }
    T().windows.push_back(w);
    w->hwnd = reinterpret_cast<HWND>(T().next_handle);
    T().next_handle += 4;
    T().alive[w->hwnd] = w;
    if (object) {
        object->m_hWnd = w->handle();
        w->object = object;
    }
    CREATESTRUCTW cs{};
    cs.lpCreateParams = create_params;
    cs.hwndParent = parent ? parent->handle() : nullptr;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = static_cast<LONG>(style);
    cs.dwExStyle = ex_style;
    cs.lpszName = w->text.c_str();
    cs.lpszClass = w->class_name.c_str();
    if (Send(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) == 0 ||
        Send(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(w->handle());
        return nullptr;
    }
    if (!Find_Window(w->handle())) return nullptr;
    const RECT client = Client_Rect(w);
    Send(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    Send(w, WM_MOVE, 0, MAKELPARAM(rect.left, rect.top));
    if ((style & WS_VISIBLE) && Find_Window(w->handle())) ShowWindow(w->handle(), SW_SHOW);
    return Find_Window(w->handle());
}

// Removes a window that has had its last message.
void Forget_Window(Window* w) {
    Table& t = T();
    t.alive.erase(w->hwnd);
    t.windows.erase(std::remove(t.windows.begin(), t.windows.end(), w), t.windows.end());
    t.activation.erase(std::remove(t.activation.begin(), t.activation.end(), w), t.activation.end());
    t.modal.erase(std::remove(t.modal.begin(), t.modal.end(), w), t.modal.end());
    if (t.focus == w) t.focus = nullptr;
    if (t.capture == w) t.capture = nullptr;
    if (w->parent) {
        auto& siblings = w->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
    }
    for (Window* other : t.windows)
        if (other->parent == w && !(other->style & WS_CHILD)) other->parent = nullptr;
    auto temp = t.temporaries.find(w);
    if (temp != t.temporaries.end()) {
        temp->second->m_hWnd = nullptr;
        delete temp->second;
        t.temporaries.erase(temp);
    }
    Forget_Window_Messages(w->handle());
    Unregister_Picker(w->handle());
}

CWnd* Temporary_Object(Window* w) {
    auto& temps = T().temporaries;
    auto it = temps.find(w);
    if (it != temps.end()) return it->second;
    auto cls = T().classes.find(Lower(w->class_name));
    const Object_Maker make = cls != T().classes.end() ? cls->second.make_object : nullptr;
    CWnd* wrapper = make ? make() : new CWnd();
    wrapper->m_hWnd = w->handle();
    temps[w] = wrapper;
    return wrapper;
}

LRESULT Send(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window) return 0;
    if (window->object) return window->object->WindowProc(message, wParam, lParam);
    return window->proc(window, message, wParam, lParam);
}

void Notify_Parent_Command(Window* control, UINT code) {
    if (!control || !control->parent) return;
    Send(control->parent, WM_COMMAND, MAKEWPARAM(control->id, code), reinterpret_cast<LPARAM>(control->handle()));
}

LRESULT Notify_Parent(Window* control, NMHDR* header, UINT code) {
    if (!control || !control->parent) return 0;
    header->hwndFrom = control->handle();
    header->idFrom = static_cast<UINT_PTR>(control->id);
    header->code = code;
    return Send(control->parent, WM_NOTIFY, static_cast<WPARAM>(control->id), reinterpret_cast<LPARAM>(header));
}

RECT Frame_Insets(DWORD style, DWORD ex_style) {
    RECT r{0, 0, 0, 0};
    int border = 0;
    if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_THICKFRAME) || (style & WS_DLGFRAME))
        border = 3;
    else if (style & WS_BORDER)
        border = 1;
    if (ex_style & WS_EX_CLIENTEDGE) border += 2;
    if (ex_style & WS_EX_STATICEDGE) border += 1;
    r.left = r.right = r.bottom = border;
    r.top = border + (((style & WS_CAPTION) == WS_CAPTION) ? 23 : 0);
    return r;
}

RECT Client_Rect(const Window* window) {
    const RECT in = Frame_Insets(window->style, window->ex_style);
    RECT r{0, 0, (window->rect.right - window->rect.left) - in.left - in.right,
           (window->rect.bottom - window->rect.top) - in.top - in.bottom};
    if (r.right < 0) r.right = 0;
    if (r.bottom < 0) r.bottom = 0;
    return r;
}

POINT Client_Origin(const Window* window) {
    POINT p{window->rect.left, window->rect.top};
    if (window->parent && (window->style & WS_CHILD)) {
        const POINT o = Client_Origin(window->parent);
        p.x += o.x;
        p.y += o.y;
    }
    const RECT in = Frame_Insets(window->style, window->ex_style);
    p.x += in.left;
    p.y += in.top;
    return p;
}

void Set_Text_Measurer(Text_Measurer measurer) { T().measurer = std::move(measurer); }

SIZE Measure_Text(HFONT font, const std::wstring& text) {
    if (T().measurer) return T().measurer(font, text);
    // Without the drawing layer: 12-pixel cells, half as wide for narrow characters.
    LONG width = 0;
    for (wchar_t c : text) width += c < 0x2E80 ? 6 : 12;
    return SIZE{width, 14};
}

SIZE Font_Base_Units(HFONT font) {
    static const std::wstring kAlphabet = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const SIZE s = Measure_Text(font, kAlphabet);
    return SIZE{(s.cx / 26 + 1) / 2, s.cy};
}

std::vector<Window*>& Modal_Stack() { return T().modal; }

void Activate_Window(Window* window) {
    auto& order = T().activation;
    order.erase(std::remove(order.begin(), order.end(), window), order.end());
    order.push_back(window);
}

std::vector<Window*> Activation_Order() {
    std::vector<Window*> out(T().activation.rbegin(), T().activation.rend());
    return out;
}

Window* Focus_Window() { return T().focus; }
void Set_Focus_Window(Window* window) { T().focus = window; }
Window* Capture_Window() { return T().capture; }
void Set_Capture_Window(Window* window) { T().capture = window; }

}  // namespace platform
