#include "ed/host_window.h"

#include <algorithm>
#include <string>
#include <vector>

#include "ed/command_line_field.h"
#include "ed/host_reset.h"
#include "ed/input.h"
#include "win/win_messages.h"
#include "win/win_modules.h"

namespace {

std::vector<ZcedWatchWinMsgFn>& Watchers()
{
    static std::vector<ZcedWatchWinMsgFn> watchers;
    return watchers;
}

// Distinct addresses stand for the host's windows.
int gMainWindow;
int gDocWindow;

// A `key` step reaching a waiting input: the message watchers see the key-down, then the
// drawing window gets it. A pressed key goes up again at once; a held one (`key NAME down`)
// stays down until its `key NAME up`, a key-up to the watchers and the window.
void Send_Key_Message(UINT kind, int key)
{
    MSG message{};
    message.hwnd = adsw_zcadDocWnd();
    message.message = kind;
    message.wParam = static_cast<WPARAM>(key);
    message.lParam = kind == WM_KEYUP ? static_cast<LPARAM>(0xC0000001u) : 1;
    platform::Notify_Message_Watchers(message);
    platform::Deliver_Key(message);
}

const bool gKeyHandler = [] {
    platform::Register_Step_Handler(
        platform::StepKind::Key,
        [](const platform::Step& step) {
            const int key = platform::Key_Code_From_Name(step.text);
            if (step.key_action != platform::KeyAction::Up)
                Send_Key_Message(WM_KEYDOWN, key);
            if (step.key_action != platform::KeyAction::Down)
                Send_Key_Message(WM_KEYUP, key);
        },
        false);
    return true;
}();

}  // namespace

bool zcedRegisterWatchWinMsg(ZcedWatchWinMsgFn pfn)
{
    auto& watchers = Watchers();
    if (pfn != nullptr && std::find(watchers.begin(), watchers.end(), pfn) == watchers.end())
        watchers.push_back(pfn);
    return pfn != nullptr;
}

bool zcedRemoveWatchWinMsg(ZcedWatchWinMsgFn pfn)
{
    auto& watchers = Watchers();
    auto it = std::find(watchers.begin(), watchers.end(), pfn);
    if (it == watchers.end())
        return false;
    watchers.erase(it);
    return true;
}

HWND adsw_zcadMainWnd() { return reinterpret_cast<HWND>(&gMainWindow); }
HWND adsw_zcadDocWnd() { return reinterpret_cast<HWND>(&gDocWindow); }

const wchar_t* zcedGetAppName()
{
    static thread_local std::wstring name;
    HMODULE module = platform::Module_From_Address(__builtin_return_address(0));
    wchar_t buffer[4096] = {0};
    if (module == nullptr || GetModuleFileNameW(module, buffer, 4096) == 0)
        buffer[0] = 0;
    name = buffer;
    return name.c_str();
}

namespace platform {

void Notify_Message_Watchers(const MSG& message)
{
    std::vector<ZcedWatchWinMsgFn> snapshot = Watchers();
    for (ZcedWatchWinMsgFn watcher : snapshot)
        if (std::find(Watchers().begin(), Watchers().end(), watcher) != Watchers().end())
            watcher(&message);
}

void Remove_All_Message_Watchers() { Watchers().clear(); }

}  // namespace platform
