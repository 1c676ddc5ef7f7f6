#include "signstamp/sign_base.h"

#include "core/custom_entity_class.h"

KORVEL_DEFINE_CUSTOM_CLASS(Sign_Base, ZcDbEntity)
