// The marker entity's older header name; the classes live in sheets/marker_entities.h.
#pragma once

#include "sheets/marker_entities.h"
