#include "titleblock/tk_sheets.h"

bool Plot_Drawing2::Set_Extents_And_Marker(ZcDbObjectId /*layer_id*/, ZcDbObjectId /*space_id*/) { return false; }
bool Plot_Drawing2::Read_Texts() { return false; }
