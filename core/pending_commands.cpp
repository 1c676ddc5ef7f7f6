// Command bodies of subsystems that are not built yet (the title-block plot runs).
// Each moves to its subsystem's folder when that lands; until then it prints the notice.
#include "core/command_handlers.h"
#include "core/pending_notice.h"

// Plot runs queued by the result windows.
void Plot_Temp2() { Print_Pending_Notice(); }
void Plot_BaseFun2_Standby() { Print_Pending_Notice(); }
