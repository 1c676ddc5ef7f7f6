#include "app/command_table.h"

#include <array>
#include <cstdio>
#include <cwchar>

#include "core/command_handlers.h"
#include "core/plot_config.h"
#include "rx/rxregistry.h"

const wchar_t* const Command_Group_Name = L"KV_Soft_DivezUrez";

namespace {

struct Internal_Command {
    const wchar_t* name;
    ZcRxFunctionPtr handler;
};

// Registered in this order, before the numbered commands.
const Internal_Command Internal_Commands[] = {
    {L"Korvel", Korvel_Command},
    {L"Korvel_Load", Load_Menu_File},
    {L"Plot_Temp1", Plot_Temp1},
    {L"Plot_Temp2", Plot_Temp2},
    {L"Plot_Temp3", Plot_Temp3},
    {L"SinglePlot_SelectP", SinglePlot_SelectP},
    {L"SinglePlot_SelectW", SinglePlot_SelectW},
    {L"SinglePlot_Plot_Standby", SinglePlot_Plot_Standby},
    {L"Plot_BaseFun1_Standby", Plot_BaseFun1_Standby},
    {L"Plot_BaseFun2_Standby", Plot_BaseFun2_Standby},
};

// Handlers of the numbered commands, index = number - 1.
const ZcRxFunctionPtr Numbered_Handlers[Numbered_Command_Count] = {
    Plot_Single_Sheet,      Batch_Plot_To_Files,  Manage_TK_Library,        Batch_Plot_By_TK,
    Batch_Plot_To_Paper,    Manage_Sign_Library,  Insert_Library_Signature, Authorize_Signatures,
    Edit_Shortcuts,         Open_Help,            Show_About,               Show_Uninstall,
    Manage_Stamp_Library,   Edit_Plot_Settings,   Brush_Text,               Old_Batch_Plot,
    Make_Outer_Frame,       Convert_True_Colors,  Brush_Block_Attributes,   Check_Font_Files,
    Export_Font_Files,      Insert_TK,
};

// "KV_DivezUrez_<n>", formatted into a buffer of 200 wide characters.
std::array<wchar_t, 200> Numbered_Command_Name(int number)
{
    std::array<wchar_t, 200> name{};
    std::swprintf(name.data(), name.size(), L"KV_DivezUrez_%d", number);
    return name;
}

ZcEdCommandStack* Command_Stack()
{
    return ZcEdCommandStack::cast(zcrxSysRegistry()->at(L"ZCAD_REGISTERED_COMMANDS"));
}

}  // namespace

bool Get_Command_Handler(int number, ZcRxFunctionPtr& handler)
{
    if (number < 1 || number > Numbered_Command_Count)
        return false;
    handler = Numbered_Handlers[number - 1];
    return true;
}

bool Is_Command_Name(const wchar_t* name)
{
    const CString wanted(name);
    for (const Internal_Command& command : Internal_Commands)
        if (wanted.CompareNoCase(command.name) == 0)
            return true;
    for (int number = 1; number <= Numbered_Command_Count; ++number)
        if (wanted.CompareNoCase(Numbered_Command_Name(number).data()) == 0)
            return true;
    ZcEdCommandStack* stack = Command_Stack();
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

void Add_Command(int flags, const wchar_t* name, ZcRxFunctionPtr handler)
{
    ZcEdCommandStack* stack = Command_Stack();
    if (stack == nullptr)
        return;
    wchar_t buffer[256];
    std::wcsncpy(buffer, name, 255);
    buffer[255] = L'\0';
    stack->addCommand(Command_Group_Name, buffer, buffer, flags, handler, nullptr, -1, nullptr);
}

void Remove_Command_Group()
{
    if (ZcEdCommandStack* stack = Command_Stack())
        stack->removeGroup(Command_Group_Name);
}

void Register_Commands()
{
    ZcEdCommandStack* stack = Command_Stack();
    if (stack == nullptr)
        return;
    stack->removeGroup(Command_Group_Name);

    for (const Internal_Command& command : Internal_Commands)
        Add_Command(Command_Flags, command.name, command.handler);

    const Shortcut_Table& aliases = g_Plot_Config.Shortcuts;
    for (int number = 1; number <= Numbered_Command_Count; ++number) {
        ZcRxFunctionPtr handler = nullptr;
        Get_Command_Handler(number, handler);
        Add_Command(Command_Flags, Numbered_Command_Name(number).data(), handler);

        int index = aliases.Find(number);
        if (index >= 0)
            Add_Command(Command_Flags, aliases.Name(index), handler);
    }
}
