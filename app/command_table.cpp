#include "app/command_table.h"

#include <cwchar>

#include "core/command_handlers.h"
#include "core/plot_config.h"

namespace {

// Handlers of the fixed internal commands, in the order of Internal_Command_Names.
const ZcRxFunctionPtr Internal_Handlers[Internal_Command_Count] = {
    Korvel_Command,          Load_Menu_File,          Plot_Temp1,
    Plot_Temp2,              Plot_Temp3,              SinglePlot_SelectP,
    SinglePlot_SelectW,      SinglePlot_Plot_Standby, Plot_BaseFun1_Standby,
    Plot_BaseFun2_Standby,
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

}  // namespace

bool Get_Command_Handler(int number, ZcRxFunctionPtr& handler)
{
    if (number < 1 || number > Numbered_Command_Count)
        return false;
    handler = Numbered_Handlers[number - 1];
    return true;
}

void Add_Command(int flags, const wchar_t* name, ZcRxFunctionPtr handler)
{
    ZcEdCommandStack* stack = Host_Command_Stack();
    if (stack == nullptr)
        return;
    wchar_t buffer[256];
    std::wcsncpy(buffer, name, 255);
    buffer[255] = L'\0';
    stack->addCommand(Command_Group_Name, buffer, buffer, flags, handler, nullptr, -1, nullptr);
}

void Remove_Command_Group()
{
    if (ZcEdCommandStack* stack = Host_Command_Stack())
        stack->removeGroup(Command_Group_Name);
}

void Register_Commands()
{
    ZcEdCommandStack* stack = Host_Command_Stack();
    if (stack == nullptr)
        return;
    stack->removeGroup(Command_Group_Name);

    for (int i = 0; i < Internal_Command_Count; ++i)
        Add_Command(Command_Flags, Internal_Command_Names[i], Internal_Handlers[i]);

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

namespace {

// Saving changed aliases registers the commands again, from the moment the module is loaded.
[[maybe_unused]] const bool Command_Registration_Set = (g_Register_Commands = Register_Commands, true);

}  // namespace
