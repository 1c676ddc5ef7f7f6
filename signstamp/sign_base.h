// The base of the signature entities.
// Filled in when the signature feature lands:
// for now the class registers and carries nothing of its own.
#pragma once

#include "db/dbentity.h"

class Sign_Base : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(Sign_Base);
};
