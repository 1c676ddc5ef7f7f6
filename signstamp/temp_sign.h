// The preview of a signature being placed.
// Filled in when the signature feature lands:
// for now the class registers and carries nothing of its own.
#pragma once

#include "db/dbentity.h"

class Temp_Sign : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(Temp_Sign);
};
