// "-plotstamp": switches the plot stamp on or off; asks again until an empty answer.
#include "ed/command_line.h"
#include "ed/command_stack.h"
#include "plot/plot_questions.h"
#include "plot/plot_stamp_setting.h"

namespace platform {

namespace {

bool gStampOn = false;

void Plot_Stamp_Command()
{
    for (;;) {
        CommandLine::instance().write(std::wstring(L"\nCurrent plot stamp settings: ") + (gStampOn ? L"ON" : L"OFF"));
        std::wstring option = Ask_Keyword(L"\nEnter an option [On/OFF] <exit>: ", L"On OFF", L"");
        if (option.empty())
            return;
        gStampOn = option == L"On";
    }
}

const bool gRegistered = [] {
    Register_Host_Command(L"-PLOTSTAMP", [] { Run_Plot_Command(Plot_Stamp_Command); });
    return true;
}();

}  // namespace

bool Plot_Stamp_On() { return gStampOn; }
void Set_Plot_Stamp_On(bool on) { gStampOn = on; }

std::vector<std::wstring> Plot_Stamp_Fields(const Plot_Stamp_Values& v)
{
    return {v.drawing, v.layout, v.date_time, v.login, v.device, v.paper, v.scale};
}

}  // namespace platform
