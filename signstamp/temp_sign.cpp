#include "signstamp/temp_sign.h"

#include "core/custom_entity_class.h"

KORVEL_DEFINE_CUSTOM_CLASS(Temp_Sign, ZcDbEntity)
