// The outline preview of a title-block frame being placed.
// Filled in when title-block insertion lands:
// for now the class registers and carries nothing of its own.
#pragma once

#include "db/dbentity.h"

class My_PLine : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(My_PLine);
};
