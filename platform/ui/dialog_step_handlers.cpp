// Dialog steps in the host session: at the top level and at a waiting prompt they go to
// the open modeless window; the host's message watchers see the framework's messages.
#include "ed/command_line.h"
#include "ed/host_window.h"
#include "ed/input.h"
#include "mfc/dialog_steps.h"

namespace {

const bool g_registered = [] {
    using platform::StepKind;
    for (StepKind kind : {StepKind::Click, StepKind::Text, StepKind::Choose, StepKind::Check, StepKind::Cell,
                          StepKind::RClick, StepKind::DblClick, StepKind::Header, StepKind::Snapshot, StepKind::Rows, StepKind::Wait,
                          StepKind::Pick})
        platform::Register_Step_Handler(kind, platform::Apply_Top_Level_Step, true);
    platform::Set_Message_Observer([](const MSG& message) { platform::Notify_Message_Watchers(message); });
    platform::Set_Step_Output([](const std::wstring& text) { platform::CommandLine::instance().write(text); });
    return true;
}();

}  // namespace
