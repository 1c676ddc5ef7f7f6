// What the module needs and the host's API does not offer. Every other file of the module
// speaks only the host's SDK, Windows and MFC; this one names what the host program running
// the module provides beside them, each entry with the reason it is here.
#pragma once

#include "db/block_walk.h"
#include "db/drawing_file_io.h"
#include "mfc/dialog_steps.h"
#include "mfc/rc/resource_script.h"
#include "win/safe_file_write.h"

// The host names no constant for its drawing files' extension; this host's files are DXF.
inline constexpr const wchar_t* Drawing_File_Extension = platform::Drawing_File_Extension;

// The host has no write that keeps the old file until the new one is whole (binary files).
using Safe_File_Write = platform::Safe_File_Write;
using platform::Safe_Write_File;

// The host has no guard against blocks that hold themselves; its own walks share this one.
using Block_Walk_Guard = platform::Block_Walk_Guard;

// A pop-up picker has no host API: the input script's `pick N` steps reach it through these.
using platform::Register_Picker;
using platform::Unregister_Picker;

// Windows loads dialogs from the module's compiled resources; this host reads its resource script.
using platform::Register_Resource_Script;
using platform::Unregister_Resource_Script;
