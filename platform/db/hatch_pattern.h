// Lines of a hatch pattern inside its loops, in the hatch's plane.
#pragma once
#include <cstddef>
#include <utility>
#include <vector>

#include "ge/ge.h"

namespace platform {

// One family of parallel lines: through base along angle, repeated by offset (a vector in the
// plane), dashed by dashes (positive: a dash of that length, negative: a gap, zero: a dot;
// none: a continuous line), the dash pattern counted from each line's own origin.
struct Hatch_Pattern_Line {
    double angle = 0.0;
    ZcGePoint2d base;
    ZcGeVector2d offset;
    std::vector<double> dashes;
};

using Hatch_Segment = std::pair<ZcGePoint2d, ZcGePoint2d>;

// The pieces of the pattern lines that lie inside the loops (closed polygons; a point is inside
// when it is within an odd number of them). At most maxSegments pieces: a pattern too dense for
// that stops where the limit is reached.
std::vector<Hatch_Segment> Hatch_Pattern_Segments(const std::vector<std::vector<ZcGePoint2d>>& loops,
                                                  const std::vector<Hatch_Pattern_Line>& lines,
                                                  size_t maxSegments = 200000);

}  // namespace platform
