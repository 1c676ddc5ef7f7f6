// The plug-in's one command group: fixed internal commands, numbered commands and aliases.
#pragma once

#include "core/command_names.h"
#include "ed/command_stack.h"

// Flags of every command: modal, may use the pick-first selection set.
constexpr int Command_Flags = 2;

// (Re)registers the whole group: removes it, adds the internal commands, then for each
// number the command "KV_DivezUrez_<n>" and the user's alias of that number.
void Register_Commands();
// Removes the group with all its commands and aliases from the host command stack.
void Remove_Command_Group();
// Adds one command to the group under the same global and local name; a name longer
// than 255 characters is cut to 255. A name the host refuses is not registered.
void Add_Command(int flags, const wchar_t* name, ZcRxFunctionPtr handler);
// The handler of numbered command 1..22; false for any other number.
bool Get_Command_Handler(int number, ZcRxFunctionPtr& handler);
