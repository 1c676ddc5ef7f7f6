// Boundary edges of a hatch as loop vertices with bulges, in the hatch's plane.
#pragma once
#include "ge/ge.h"

namespace platform {

// Where an edge arc starts and how far it turns (radians, negative: clockwise), from the
// angles a drawing file gives (degrees). A clockwise edge is filed with its angles mirrored
// (360 - angle): it starts at -start and turns by end - start the other way.
struct Hatch_Edge_Sweep {
    double start = 0.0;
    double sweep = 0.0;
};
Hatch_Edge_Sweep Edge_Sweep(double startDegrees, double endDegrees, bool counterClockwise);

// Appends a circular arc edge: its start point with the bulge of the arc (an arc of more
// than a half turn in two halves).
void Append_Arc_Edge(const ZcGePoint2d& center, double radius, double startDegrees, double endDegrees,
                     bool counterClockwise, ZcGePoint2dArray& vertices, ZcGeDoubleArray& bulges);

// Appends points along an elliptic arc edge (major: the major axis from the centre; ratio:
// minor to major; angles are true angles from the major axis), from its start point up to
// its end point left out (the next edge starts there).
void Append_Ellipse_Edge(const ZcGePoint2d& center, const ZcGeVector2d& major, double ratio, double startDegrees,
                         double endDegrees, bool counterClockwise, ZcGePoint2dArray& vertices,
                         ZcGeDoubleArray& bulges);

}  // namespace platform
