#pragma once
#include "ge/gepnt3d.h"
#include "rx/zcarray.h"
typedef ZcArray<ZcGePoint3d> ZcGePoint3dArray;
