#include "mfc/message_queue.h"

#include <algorithm>
#include <deque>
#include <map>
#include <string>

#include "mfc/afxwin.h"
#include "mfc/dialog_steps.h"
#include "mfc/window_table.h"
#include "win/win_shell.h"

namespace platform {

namespace {

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    long fired_round;
};

struct Queue {
    std::deque<MSG> posted;
    std::vector<Timer> timers;
    long rounds = 0;
    bool quit_posted = false;
    int quit_code = 0;
    std::map<std::wstring, UINT> registered;
    bool keys[256] = {};
    bool toggled[256] = {};
    std::map<HWND, Outside_Window_Proc> outside;
};

Queue& Q() {
    static Queue queue;
    return queue;
}

bool Matches(const MSG& m, HWND hWnd, UINT low, UINT high) {
    if (hWnd && m.hwnd != hWnd && !IsChild(hWnd, m.hwnd)) return false;
    if (low == 0 && high == 0) return true;
    return m.message >= low && m.message <= high;
}

MSG Make(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG m{};
    m.hwnd = hwnd;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    GetCursorPos(&m.pt);
    return m;
}

// A window that waits for its paint.
Window* Next_Paint(HWND filter) {
    for (Window* w : All_Windows()) {
        if (!w->needs_paint || !IsWindowVisible(w->handle())) continue;
        if (filter && w->handle() != filter && !IsChild(filter, w->handle())) continue;
        return w;
    }
    return nullptr;
}

bool Take(LPMSG msg, HWND hWnd, UINT low, UINT high, bool remove) {
    Queue& q = Q();
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
        if (!Matches(*it, hWnd, low, high)) continue;
        *msg = *it;
        if (remove) {
            q.posted.erase(it);
            // The key state follows the key messages as they are taken.
            if (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP)
                Set_Key_Down(static_cast<int>(msg->wParam), msg->message == WM_KEYDOWN);
        }
        return true;
    }
    if (q.quit_posted && !hWnd) {
        *msg = Make(nullptr, WM_QUIT, static_cast<WPARAM>(q.quit_code), 0);
        if (remove) q.quit_posted = false;
        return true;
    }
    if (Window* w = Next_Paint(hWnd)) {
        const MSG paint = Make(w->handle(), WM_PAINT, 0, 0);
        if (Matches(paint, hWnd, low, high)) {
            *msg = paint;
            if (remove) w->needs_paint = false;
            return true;
        }
    }
    for (Timer& t : q.timers) {
        if (t.fired_round >= q.rounds) continue;
        const MSG timer = Make(t.hwnd, WM_TIMER, t.id, 0);
        if (!Matches(timer, hWnd, low, high)) continue;
        *msg = timer;
        if (remove) t.fired_round = q.rounds;
        return true;
    }
    return false;
}

Outside_Window_Proc Outside_Proc(HWND hWnd) {
    auto it = Q().outside.find(hWnd);
    return it == Q().outside.end() ? nullptr : it->second;
}

}  // namespace

void Register_Outside_Window(HWND hWnd, Outside_Window_Proc proc) {
    if (hWnd) Q().outside[hWnd] = proc;
}

void Forget_Window_Messages(HWND hWnd) {
    Queue& q = Q();
    q.posted.erase(std::remove_if(q.posted.begin(), q.posted.end(), [&](const MSG& m) { return m.hwnd == hWnd; }),
                   q.posted.end());
    q.timers.erase(std::remove_if(q.timers.begin(), q.timers.end(), [&](const Timer& t) { return t.hwnd == hWnd; }),
                   q.timers.end());
}

long Pump_Rounds() { return Q().rounds; }

bool Take_Queued_Message(MSG* message) { return Take(message, nullptr, 0, 0, true); }

void Clear_Message_Queue() {
    Queue& q = Q();
    q.posted.clear();
    q.timers.clear();
    q.quit_posted = false;
}

void Set_Key_Down(int virtual_key, bool down) {
    if (virtual_key < 0 || virtual_key > 255) return;
    Queue& q = Q();
    if (down && !q.keys[virtual_key]) q.toggled[virtual_key] = !q.toggled[virtual_key];
    q.keys[virtual_key] = down;
}

void Clear_Key_State() {
    std::fill(std::begin(Q().keys), std::end(Q().keys), false);
    std::fill(std::begin(Q().toggled), std::end(Q().toggled), false);
}

}  // namespace platform

using namespace platform;

LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (Window* w = Find_Window(hWnd)) return Send(w, Msg, wParam, lParam);
    // The shell's folder picker is no window of the table.
    LRESULT result = 0;
    return platform::Folder_Picker_Message(hWnd, Msg, wParam, lParam, result) ? result : 0;
}

BOOL PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd && !Find_Window(hWnd) && !Outside_Proc(hWnd)) return FALSE;
    Q().posted.push_back(Make(hWnd, Msg, wParam, lParam));
    return TRUE;
}

void PostQuitMessage(int nExitCode) {
    Q().quit_posted = true;
    Q().quit_code = nExitCode;
}

BOOL PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    const bool remove = (wRemoveMsg & PM_REMOVE) != 0;
    if (Take(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, remove)) return TRUE;
    if (!remove || hWnd || wMsgFilterMin || wMsgFilterMax) return FALSE;
    // The round ends: the script may give a modeless window its next steps.
    ++Q().rounds;
    if (Serve_Script_At_Pump()) return Take(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true) ? TRUE : FALSE;
    return FALSE;
}

BOOL GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (PeekMessageW(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE)) return lpMsg->message != WM_QUIT;
    *lpMsg = Make(nullptr, WM_QUIT, 0, 0);
    return FALSE;
}

BOOL TranslateMessage(const MSG* lpMsg) {
    if (!lpMsg || lpMsg->message != WM_KEYDOWN) return FALSE;
    const WPARAM key = lpMsg->wParam;
    wchar_t ch = 0;
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        ch = static_cast<wchar_t>((key >= 'A' && key <= 'Z' && !(GetKeyState(VK_SHIFT) & 0x8000)) ? key + 32 : key);
    else if (key == VK_SPACE || key == VK_RETURN || key == VK_BACK || key == VK_TAB || key == VK_ESCAPE)
        ch = static_cast<wchar_t>(key);
    if (!ch) return FALSE;
    Q().posted.push_front(Make(lpMsg->hwnd, WM_CHAR, ch, lpMsg->lParam));
    return TRUE;
}

LRESULT DispatchMessageW(const MSG* lpMsg) {
    if (!lpMsg) return 0;
    Window* w = Find_Window(lpMsg->hwnd);
    if (!w) {
        if (Outside_Window_Proc proc = Outside_Proc(lpMsg->hwnd)) proc(lpMsg->message, lpMsg->wParam, lpMsg->lParam);
        return 0;
    }
    return Send(w, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

BOOL IsDialogMessageW(HWND hDlg, LPMSG lpMsg) {
    if (!lpMsg || !Find_Window(hDlg)) return FALSE;
    if (lpMsg->message == WM_KEYDOWN && (lpMsg->wParam == VK_ESCAPE || lpMsg->wParam == VK_RETURN) &&
        (lpMsg->hwnd == hDlg || IsChild(hDlg, lpMsg->hwnd)) &&
        !(lpMsg->hwnd != hDlg && (SendMessageW(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg)) &
                                  DLGC_WANTALLKEYS))) {
        WPARAM id = lpMsg->wParam == VK_ESCAPE ? IDCANCEL : IDOK;
        if (lpMsg->wParam == VK_RETURN) {
            const LRESULT def = SendMessageW(hDlg, DM_GETDEFID, 0, 0);
            if (HIWORD(def) == DC_HASDEFID) id = LOWORD(def);
        }
        SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, (int)id)));
        return TRUE;
    }
    return FALSE;
}

UINT RegisterWindowMessageW(LPCWSTR lpString) {
    if (!lpString || !*lpString) return 0;
    auto& names = Q().registered;
    std::wstring key(lpString);
    for (auto& c : key) c = static_cast<wchar_t>(towlower(c));
    auto it = names.find(key);
    if (it != names.end()) return it->second;
    const UINT id = 0xC000 + static_cast<UINT>(names.size());
    names[key] = id;
    return id;
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT /*uElapse*/, void* /*lpTimerFunc*/) {
    if (!Find_Window(hWnd)) return 0;
    auto& timers = Q().timers;
    for (auto& t : timers)
        if (t.hwnd == hWnd && t.id == nIDEvent) {
            t.fired_round = Q().rounds - 1;
            return nIDEvent;
        }
    timers.push_back(Timer{hWnd, nIDEvent, Q().rounds - 1});
    return nIDEvent ? nIDEvent : 1;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    auto& timers = Q().timers;
    auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hWnd && t.id == uIDEvent; });
    if (it == timers.end()) return FALSE;
    timers.erase(it);
    return TRUE;
}

SHORT GetKeyState(int nVirtKey) {
    if (nVirtKey < 0 || nVirtKey > 255) return 0;
    SHORT state = Q().keys[nVirtKey] ? static_cast<SHORT>(0x8000) : 0;
    if (Q().toggled[nVirtKey]) state = static_cast<SHORT>(state | 1);
    return state;
}

SHORT GetAsyncKeyState(int vKey) {
    if (vKey < 0 || vKey > 255) return 0;
    return Q().keys[vKey] ? static_cast<SHORT>(0x8000) : 0;
}
