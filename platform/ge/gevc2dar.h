#pragma once
#include "ge/gevec2d.h"
#include "rx/zcarray.h"
typedef ZcArray<ZcGeVector2d> ZcGeVector2dArray;
