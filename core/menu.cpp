// Filled in when the host menu lands: until then there is no pop-up to install.
#include "core/menu.h"

#include "core/command_handlers.h"
#include "core/pending_notice.h"

void Refresh_Menu(bool /*force*/) {}

// The command's work runs when the host reports that it ended.
void Korvel_Command() {}

void Load_Menu_File() { Print_Pending_Notice(); }
