// Runs a host command inside the running command with a list of string answers.
#pragma once

#include <initializer_list>

#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"

// The command name first, then one string per answer; returns the host's result (RTNORM...).
int Run_Host_Command(const CStringArray& items);
int Run_Host_Command(std::initializer_list<const wchar_t*> items);
