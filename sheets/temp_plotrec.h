// The marker entity of a found sheet.
// Filled in when frame detection lands:
// for now the class registers and carries nothing of its own.
#pragma once

#include "db/dbentity.h"

class Temp_PlotRec : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(Temp_PlotRec);
};
