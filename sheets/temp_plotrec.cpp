#include "sheets/temp_plotrec.h"

#include "core/custom_entity_class.h"

KORVEL_DEFINE_CUSTOM_CLASS(Temp_PlotRec, ZcDbEntity)
