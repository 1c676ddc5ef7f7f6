// The names of the plug-in's commands, as the alias checks and the settings file need them,
// and the step that registers the commands again after the aliases changed.
#pragma once

#include <array>

class ZcEdCommandStack;

// The group every command of the plug-in is registered in.
extern const wchar_t* const Command_Group_Name;   // "KV_Soft_DivezUrez"
constexpr int Numbered_Command_Count = 22;

// The fixed internal commands, in the order they are registered.
constexpr int Internal_Command_Count = 10;
extern const wchar_t* const Internal_Command_Names[Internal_Command_Count];

// "KV_DivezUrez_<n>", formatted into a buffer of 200 wide characters.
std::array<wchar_t, 200> Numbered_Command_Name(int number);

// The host's command stack; null when it has none.
ZcEdCommandStack* Host_Command_Stack();

// True when the name, without regard to case, is one of the group's fixed or numbered
// commands or a command of another group on the host command stack. The group's aliases
// do not count.
bool Is_Command_Name(const wchar_t* name);

// (Re)registers the whole command group with the current aliases; the command table sets
// it when the module is loaded. Does nothing before.
extern void (*g_Register_Commands)();
