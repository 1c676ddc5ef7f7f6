// Every geometry header at once.
#pragma once

#include "ge/extents.h"
#include "ge/gemat2d.h"
#include "ge/gemat3d.h"
#include "ge/geplane.h"
#include "ge/gept2dar.h"
#include "ge/gept3dar.h"
#include "ge/gescl3d.h"
#include "ge/gevc2dar.h"
#include "ge/gevc3dar.h"
