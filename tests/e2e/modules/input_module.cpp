// A module for the host tests: ASK_NAME waits for a string, ASK_BOX shows a message box of two lines.
#include "ed/command_stack.h"
#include "ed/editor.h"
#include "rx/rxentry.h"
#include "rx/rxlinker.h"
#include "win/windows.h"

namespace {

const wchar_t* const Group = L"E2E_INPUT";

void Ask_Name()
{
    wchar_t name[128];
    if (zcedGetString(0, L"\nName of the sheet: ", name, 128) == RTNORM)
        zcutPrintf(L"\nName: %s", name);
}

void Ask_Box()
{
    int answer = MessageBoxW(nullptr, L"The sheets are ready.\nGo on?", L"E2E", MB_YESNO);
    zcutPrintf(L"\nAnswer: %d", answer);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) ZcRx::AppRetCode
zcrxEntryPoint(ZcRx::AppMsgCode message, void* app_id)
{
    if (message == ZcRx::kInitAppMsg) {
        zcrxDynamicLinker->unlockApplication(app_id);
        zcedRegCmds->addCommand(Group, L"ASK_NAME", L"ASK_NAME", 0, Ask_Name);
        zcedRegCmds->addCommand(Group, L"ASK_BOX", L"ASK_BOX", 0, Ask_Box);
    } else if (message == ZcRx::kUnloadAppMsg) {
        zcedRegCmds->removeGroup(Group);
    }
    return ZcRx::kRetOK;
}
