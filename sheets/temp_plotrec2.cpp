#include "sheets/temp_plotrec2.h"

#include "core/custom_entity_class.h"

KORVEL_DEFINE_CUSTOM_CLASS(Temp_PlotRec2, ZcDbEntity)
