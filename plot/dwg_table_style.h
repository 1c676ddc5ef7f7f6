// The working drawing's "Standard" table style carried into a drawing the export writes.
#pragma once

#include "db/dbmain.h"

// The id of the drawing's table style "Standard" (null when it has none).
ZcDbObjectId Standard_Table_Style(ZcDbDatabase* db);
// When both the working drawing and target have a table style "Standard", the target's takes
// the working one's style-wide values and its data row's values for all rows.
void Copy_Standard_Table_Style(ZcDbDatabase* target);
