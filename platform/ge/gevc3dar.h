#pragma once
#include "ge/gevec3d.h"
#include "rx/zcarray.h"
typedef ZcArray<ZcGeVector3d> ZcGeVector3dArray;
