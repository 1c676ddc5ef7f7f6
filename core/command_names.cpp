#include "core/command_names.h"

#include <cstdio>

#include "ed/command_stack.h"
#include "mfc/afxstr.h"
#include "rx/rxregistry.h"

const wchar_t* const Command_Group_Name = L"KV_Soft_DivezUrez";

const wchar_t* const Internal_Command_Names[Internal_Command_Count] = {
    L"Korvel",
    L"Korvel_Load",
    L"Plot_Temp1",
    L"Plot_Temp2",
    L"Plot_Temp3",
    L"SinglePlot_SelectP",
    L"SinglePlot_SelectW",
    L"SinglePlot_Plot_Standby",
    L"Plot_BaseFun1_Standby",
    L"Plot_BaseFun2_Standby",
};

namespace {

void No_Registration() {}

}  // namespace

void (*g_Register_Commands)() = No_Registration;

ZcEdCommandStack* Host_Command_Stack()
{
    return ZcEdCommandStack::cast(zcrxSysRegistry()->at(L"ZCAD_REGISTERED_COMMANDS"));
}

std::array<wchar_t, 200> Numbered_Command_Name(int number)
{
    std::array<wchar_t, 200> name{};
    std::swprintf(name.data(), name.size(), L"KV_DivezUrez_%d", number);
    return name;
}

bool Is_Command_Name(const wchar_t* name)
{
    const CString wanted(name);
    for (const wchar_t* internal : Internal_Command_Names)
        if (wanted.CompareNoCase(internal) == 0)
            return true;
    for (int number = 1; number <= Numbered_Command_Count; ++number)
        if (wanted.CompareNoCase(Numbered_Command_Name(number).data()) == 0)
            return true;
    ZcEdCommandStack* stack = Host_Command_Stack();
    if (stack == nullptr)
        return false;
    bool found = false;
    ZcEdCommandIterator* it = stack->iterator();
    for (; !found && !it->done(); it->next())
        found = CString(it->commandGroup()).CompareNoCase(Command_Group_Name) != 0 &&
                (wanted.CompareNoCase(it->command()->globalName()) == 0 ||
                 wanted.CompareNoCase(it->command()->localName()) == 0);
    delete it;
    return found;
}
