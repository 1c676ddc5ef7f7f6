#include "signstamp/kv_sign_class.h"

#include "core/custom_entity_class.h"

KORVEL_DEFINE_CUSTOM_CLASS(KV_Sign_Class, Sign_Base)
