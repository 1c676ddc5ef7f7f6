#include "ed/command_runner.h"

#include <cstdarg>
#include <vector>

#include "ed/command_line.h"
#include "ed/command_stack.h"
#include "ed/docman.h"
#include "ed/editor.h"
#include "ed/input.h"
#include "ed/names.h"
#include "ed/prompt_support.h"
#include "ed/sysvars.h"
#include "rx/rxlinker.h"
#include "script/utf8.h"
#include "win/win_error.h"

namespace platform {

namespace {

struct CommandFrame {
    std::wstring name;
    bool cancelled = false;
};

std::vector<CommandFrame>& Frames()
{
    static std::vector<CommandFrame> frames;
    return frames;
}

bool gRunningQueue = false;

// Locks the current document for a command that needs it.
class CommandLock {
public:
    CommandLock(const ZcEdCommand& command)
    {
        if (command.commandFlags() & (ZCRX_CMD_SESSION | ZCRX_CMD_NOINTERNALLOCK))
            return;
        ZcApDocManager* manager = zcDocManager;
        mDoc = manager != nullptr ? manager->curDocument() : nullptr;
        ZcAp::DocLockMode mode = (command.commandFlags() & ZCRX_CMD_DOCREADLOCK) ? ZcAp::kRead
                                                                                 : ZcAp::kWrite;
        if (mDoc != nullptr &&
            manager->lockDocument(mDoc, mode, command.globalName(), command.localName()) != Zcad::eOk)
            mDoc = nullptr;
    }
    ~CommandLock()
    {
        ZcApDocManager* manager = zcDocManager;
        if (mDoc != nullptr && manager != nullptr && manager->document(mDoc->database()) == mDoc)
            manager->unlockDocument(mDoc);
    }

private:
    ZcApDocument* mDoc = nullptr;
};

struct AnswerListScope {
    explicit AnswerListScope(const resbuf* list) { Push_Answer_List(list); }
    ~AnswerListScope() { Pop_Answer_List(); }
};

struct QuietScope {
    explicit QuietScope(bool quiet) { CommandLine::instance().push_quiet(quiet); }
    ~QuietScope() { CommandLine::instance().pop_quiet(); }
};

bool Command_Echo_On()
{
    resbuf value;
    if (zcedGetVar(L"CMDECHO", &value) != RTNORM)
        return true;
    return value.resval.rint != 0;
}

void Print_Unknown(const std::wstring& name)
{
    Notify_Editor([&](ZcEditorReactor* r) { r->unknownCommand(name.c_str(), nullptr); });
    CommandLine::instance().write(L"\nUnknown command \"" + Upper(name) +
                                  L"\".  Press F1 for help.");
}

}  // namespace

void Note_Command_Cancelled()
{
    if (!Frames().empty())
        Frames().back().cancelled = true;
}

int Command_Depth() { return static_cast<int>(Frames().size()); }

std::wstring Current_Command_Name() { return Frames().empty() ? L"" : Frames().back().name; }

CommandOutcome Execute_Command(ZcEdCommand* command)
{
    // The command may remove itself (an unload): keep what is needed to run it.
    const std::wstring name = command->globalName();
    const ZcRxFunctionPtr function = command->functionAddr();
    const std::function<void()> hostHandler = command->hostHandler;

    Frames().push_back({name, false});
    Notify_Editor([&](ZcEditorReactor* r) { r->commandWillStart(name.c_str()); });
    bool cancelled = false;
    try {
        CommandLock lock(*command);
        if (hostHandler)
            hostHandler();
        else if (function != nullptr)
            function();
        cancelled = Frames().back().cancelled;
    } catch (...) {
        Frames().pop_back();
        Notify_Editor([&](ZcEditorReactor* r) { r->commandFailed(name.c_str()); });
        throw;
    }
    Frames().pop_back();
    if (cancelled) {
        Notify_Editor([&](ZcEditorReactor* r) { r->commandCancelled(name.c_str()); });
        return CommandOutcome::Cancelled;
    }
    Notify_Editor([&](ZcEditorReactor* r) { r->commandEnded(name.c_str()); });
    return CommandOutcome::Ended;
}

CommandOutcome Run_Command(const std::wstring& name)
{
    CommandLine::instance().write(L"\nCommand: " + name);
    ZcEdCommandStack* stack = zcedRegCmds;
    ZcEdCommand* command = stack != nullptr ? stack->lookupCmd(name.c_str()) : nullptr;
    if (command == nullptr) {
        Print_Unknown(name);
        return CommandOutcome::Unknown;
    }
    return Execute_Command(command);
}

void Run_Command_Step(const Step& step)
{
    if (Run_Command(step.text) != CommandOutcome::Unknown)
        return;
    std::wstring why = L"unknown command \"" + Upper(step.text) + L"\"";
    // The commands of a plug-in exist only once its module is loaded.
    const ZcRxDynamicLinker* linker = zcrxDynamicLinker;
    if (linker == nullptr || linker->loadedModules().empty())
        why += L" (no module is loaded: give cadhost --module PATH)";
    throw Step_Failed(step, why);
}

void Run_Queued_Input()
{
    if (gRunningQueue || Command_Depth() > 0 || Input_Waiting())
        return;
    struct Guard {
        Guard() { gRunningQueue = true; }
        ~Guard() { gRunningQueue = false; }
    } guard;
    while (Promote_Pending_Text()) {
        if (ScriptInput::instance().quitting()) {
            Clear_Typed_Input();
            return;
        }
        std::wstring name;
        if (Take_Typed_Command(name))
            Run_Command(name);
    }
}

}  // namespace platform

int zcedCmdS(const resbuf* rb, bool, void*)
{
    using namespace platform;
    if (rb == nullptr)
        return RTERROR;
    AnswerListScope answers(rb);
    const bool quiet = !Command_Echo_On();
    while (const resbuf* item = Take_Answer_List_Item()) {
        if (item->restype != RTSTR || item->resval.rstring == nullptr) {
            CommandLine::instance().write(L"\n; error: a command name was expected\n");
            return RTERROR;
        }
        std::wstring name = item->resval.rstring;
        if (name.empty())
            continue;  // Enter at the command prompt
        ZcEdCommandStack* stack = zcedRegCmds;
        ZcEdCommand* command = stack != nullptr ? stack->lookupCmd(name.c_str()) : nullptr;
        if (command == nullptr) {
            Print_Unknown(name);
            return RTERROR;
        }
        CommandOutcome outcome;
        try {
            QuietScope silence(quiet);
            outcome = Execute_Command(command);
        } catch (const HostCommandError& error) {
            // The command's last error (a failed write's) outlives the report of it.
            const DWORD last_error = GetLastError();
            CommandLine::instance().write(L"\n; error: " + From_Utf8(error.what()) + L"\n");
            SetLastError(last_error);
            return RTERROR;
        }
        if (outcome == CommandOutcome::Cancelled)
            return RTCAN;
    }
    return RTNORM;
}

int zcedCommandS(int rtype, ...)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    bool ok = true;
    va_list args;
    va_start(args, rtype);
    for (int type = rtype; type != RTNONE && type != 0; type = va_arg(args, int)) {
        resbuf* rb = zcutNewRb(type);
        if (rb == nullptr) {
            ok = false;
            break;
        }
        switch (type) {
        case RTSTR:
            zcutNewString(va_arg(args, const wchar_t*), rb->resval.rstring);
            break;
        case RTSHORT:
            rb->resval.rint = static_cast<short>(va_arg(args, int));
            break;
        case RTLONG:
            rb->resval.rlong = va_arg(args, int32_t);
            break;
        case RTREAL:
        case RTANG:
        case RTORINT:
            rb->resval.rreal = va_arg(args, double);
            break;
        case RTPOINT:
        case RT3DPOINT: {
            const double* pt = va_arg(args, const double*);
            for (int i = 0; i < 3; ++i)
                rb->resval.rpoint[i] = (pt != nullptr && (i < 2 || type == RT3DPOINT)) ? pt[i] : 0.0;
            break;
        }
        case RTENAME:
        case RTPICKS: {
            const int64_t* name = va_arg(args, const int64_t*);
            rb->resval.rlname[0] = name != nullptr ? name[0] : 0;
            rb->resval.rlname[1] = name != nullptr ? name[1] : 0;
            break;
        }
        default:
            ok = false;
            break;
        }
        if (head == nullptr)
            head = rb;
        else
            tail->rbnext = rb;
        tail = rb;
        if (!ok)
            break;
    }
    va_end(args);
    int result = ok ? zcedCmdS(head) : RTERROR;
    zcutRelRb(head);
    return result;
}
