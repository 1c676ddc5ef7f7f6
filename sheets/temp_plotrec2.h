// The table-grid preview the catalogue insertion drags.
// Filled in when the catalogue lands:
// for now the class registers and carries nothing of its own.
#pragma once

#include "db/dbentity.h"

class Temp_PlotRec2 : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(Temp_PlotRec2);
};
