// A signature placed in a drawing.
// Filled in when the signature feature lands:
// for now the class registers and carries nothing of its own.
#pragma once

#include "signstamp/sign_base.h"

class KV_Sign_Class : public Sign_Base {
public:
    ZCRX_DECLARE_MEMBERS(KV_Sign_Class);
};
