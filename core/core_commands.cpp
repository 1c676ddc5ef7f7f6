// Bodies of the numbered commands whose work starts in the core.
// Filled in as the dialogs and drivers they open land; until then each prints the notice.
#include "core/command_handlers.h"
#include "core/pending_notice.h"

void Plot_Single_Sheet() { Print_Pending_Notice(); }
void Batch_Plot_To_Files() { Print_Pending_Notice(); }
void Manage_TK_Library() { Print_Pending_Notice(); }
void Batch_Plot_By_TK() { Print_Pending_Notice(); }
void Batch_Plot_To_Paper() { Print_Pending_Notice(); }
void Manage_Sign_Library() { Print_Pending_Notice(); }
void Insert_Library_Signature() { Print_Pending_Notice(); }
void Authorize_Signatures() { Print_Pending_Notice(); }
void Edit_Shortcuts() { Print_Pending_Notice(); }
void Open_Help() { Print_Pending_Notice(); }
void Show_About() { Print_Pending_Notice(); }
void Show_Uninstall() { Print_Pending_Notice(); }
void Manage_Stamp_Library() { Print_Pending_Notice(); }
void Edit_Plot_Settings() { Print_Pending_Notice(); }
void Old_Batch_Plot() { Print_Pending_Notice(); }
