#include "titleblock/my_pline.h"

#include "core/custom_entity_class.h"

KORVEL_DEFINE_CUSTOM_CLASS(My_PLine, ZcDbEntity)
