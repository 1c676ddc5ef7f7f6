// Command bodies of subsystems that are not built yet (plot output, drafting tools).
// Each moves to its subsystem's folder when that lands; until then it prints the notice.
#include "core/command_handlers.h"
#include "core/pending_notice.h"

// Drafting tools.
void Brush_Text() { Print_Pending_Notice(); }
void Make_Outer_Frame() { Print_Pending_Notice(); }
void Brush_Block_Attributes() { Print_Pending_Notice(); }

// Plot runs queued by the result windows.
void Plot_Temp2() { Print_Pending_Notice(); }
void Plot_BaseFun2_Standby() { Print_Pending_Notice(); }
