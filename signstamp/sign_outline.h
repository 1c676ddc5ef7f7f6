// New signatures from closed curves picked in the drawing: the curves are sampled into
// straight segments, collinear pieces merged, the segments chained into closed loops, loops
// inside others made holes, and the result scaled up to a usable size and centred on the origin.
#pragma once

#include <vector>

#include "db/dbcurve.h"
#include "ge/gepnt3d.h"
#include "signstamp/sign_library.h"

struct Sign_Segment {
    ZcGePoint3d Start;
    ZcGePoint3d End;
};
using Sign_Loop = std::vector<ZcGePoint3d>;  // ends with its first point again

// The distance under which points are one and the direction tolerance of collinearity.
constexpr double Sign_Outline_Tolerance = 1e-5;

// Records a signature from picked curves into the library, with its name and code asked in
// Dlg_Sign and a person number unique in the library; true when one was added.
bool New_Signature(Sign_Library& library);
// Lets the user pick the curves and fills the record's outlines, width and height.
bool Build_Signature_Outline(KV_Sign& record);
// The outline of the segments (steps after the sampling); false when nothing closes or the
// result would not fit a placed signature (told in a message box).
bool Outline_From_Segments(std::vector<Sign_Segment> pool, KV_Sign& record);

// Whether the outlines fit the 16-bit counts a placed signature files; when not, says so
// in a message box.
bool Sign_Fits_Entity(const std::vector<std::unique_ptr<MyShape>>& shapes);

// The sampling step for curves whose extents are width by height: a fiftieth of the smaller
// side, but never zero nor so fine that a flat selection takes endless points.
double Sign_Sampling_Step(double width, double height);
// Appends the curve's pieces as segments in the x-y plane.
void Sample_Curve(const ZcDbCurve& curve, double step, std::vector<Sign_Segment>& pool);

// Merges segments that lie on one line and touch or overlap; the pool's new size.
size_t Merge_Collinear_Segments(std::vector<Sign_Segment>& pool, double tolerance);
// Takes closed chains of segments (ends within distance) out of the pool into loops; the
// start segments of chains that did not close go to leftovers, their other segments stay.
void Chain_Segments(std::vector<Sign_Segment>& pool, std::vector<Sign_Segment>& leftovers,
                    std::vector<Sign_Loop>& loops, double distance);
// Outlines from the loops: each loop not inside another an outer outline (kind 1), the loops
// inside it its holes (kind 0); moved by minus the centre. False when no loop is closed.
bool Shapes_From_Loops(std::vector<Sign_Loop>& loops, std::vector<std::unique_ptr<MyShape>>& shapes,
                       double centre_x, double centre_y);
