#pragma once
#include "ge/gepnt2d.h"
#include "rx/zcarray.h"
typedef ZcArray<ZcGePoint2d> ZcGePoint2dArray;
