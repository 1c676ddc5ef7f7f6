// The view of one space of a document: what the screen shows.
#pragma once

#include "ge/gemat3d.h"
#include "ge/gepnt2d.h"
#include "ge/gepnt3d.h"
#include "ge/gevec3d.h"

namespace platform {

struct ViewState {
    ZcGePoint2d center{0.0, 0.0};       // display coordinates
    double height = 10.0;               // drawing units shown from bottom to top
    ZcGeVector3d direction{0.0, 0.0, 1.0};  // from the target towards the eye (world)
    ZcGePoint3d target;                 // world
    double twist = 0.0;                 // radians
    double lensLength = 50.0;
    int mode = 0;                       // VIEWMODE bits
    double front = 0.0;
    double back = 0.0;
};

// Display coordinates to world: origin at the target, z along the view direction; the
// screen's x axis is the world direction the arbitrary-axis rule gives for the view,
// turned by the twist (a twist t shows the world X axis at angle t on screen).
ZcGeMatrix3d Dcs_To_World(const ViewState& view);

// The twist that shows the direction xAxis (perpendicular to the view direction)
// horizontal, pointing right.
double Twist_Showing(const ZcGeVector3d& direction, const ZcGeVector3d& xAxis);

}  // namespace platform
