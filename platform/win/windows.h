// The Windows stand-in: types, constants and functions of the emulated machine.
#pragma once

#include "win/win_types.h"
#include "win/win_messages.h"
#include "win/win_error.h"
#include "win/win_codepage.h"
#include "win/win_format.h"
#include "win/win_time.h"
#include "win/machine.h"
#include "win/win_files.h"
#include "win/win_modules.h"
#include "win/win_msgbox.h"
#include "win/win_process.h"
#include "win/win_shell.h"
#include "win/win_shlwapi.h"
#include "win/win_registry.h"
#include "win/win_display.h"
