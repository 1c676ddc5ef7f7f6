// Command bodies of subsystems that are not built yet (plot output, drafting tools,
// title-block insertion). Each moves to its subsystem's folder when that lands; until
// then it prints the notice.
#include "core/command_handlers.h"
#include "core/pending_notice.h"

// Drafting tools.
void Brush_Text() { Print_Pending_Notice(); }
void Make_Outer_Frame() { Print_Pending_Notice(); }
void Convert_True_Colors() { Print_Pending_Notice(); }
void Brush_Block_Attributes() { Print_Pending_Notice(); }
void Check_Font_Files() { Print_Pending_Notice(); }
void Export_Font_Files() { Print_Pending_Notice(); }

// Title-block insertion.
void Insert_TK() { Print_Pending_Notice(); }
