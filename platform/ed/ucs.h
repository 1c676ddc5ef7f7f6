// The user coordinate system of the current document, the current space and point
// translation between coordinate systems.
#pragma once

#include "rx/zcadstrc.h"

class ZcGeMatrix3d;

// The UCS of the current document as a matrix from UCS to world coordinates.
bool zcedGetCurrentUCS(ZcGeMatrix3d& mat);
// Setting a UCS while UCSFOLLOW is 1 shows its plan view (see ed/view.h).
Zcad::ErrorStatus zcedSetCurrentUCS(const ZcGeMatrix3d& mat);

// Translates a point (disp 0) or a displacement (disp != 0) between coordinate systems
// given as RTSHORT 0 (world), 1 (UCS), 2 (display of the current view) or
// 3 (paper-space display, the world here). RTNORM, or RTERROR for another system.
// Display coordinates are those of the current view (see ed/view_state.h).
int zcedTrans(const ads_point pt, const resbuf* from, const resbuf* to, int disp,
              ads_point result);

// Paper space of the current layout (CVPORT 1): RTNORM; RTERROR unless TILEMODE is 0.
int zcedPspace();
// Model space through the layout's first floating viewport (CVPORT 2): RTNORM; RTERROR
// unless TILEMODE is 0 and the layout has a viewport of its own.
int zcedMspace();
