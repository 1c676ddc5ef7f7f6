// Linetype patterns laid along paths: the dashes and dots a pattern leaves of a path, and where
// the elements that carry a text or shape end.
#pragma once
#include <cstddef>
#include <vector>

#include "ge/gepnt3d.h"
#include "ge/gevec3d.h"

namespace platform {

// Where an element of the pattern ends on the path, and the path's direction (unit) there.
struct Dash_Mark {
    size_t element = 0;
    ZcGePoint3d at;
    ZcGeVector3d direction;
};

struct Dashed_Path {
    std::vector<std::vector<ZcGePoint3d>> dashes;  // polylines; a dot is two equal points
    std::vector<Dash_Mark> marks;
};

// The sum of the elements' lengths (dashes > 0, gaps < 0, dots 0).
double Pattern_Length(const std::vector<double>& elements);

// Lays the pattern (element lengths at their drawn size) along the path from its first point,
// over and over. A path shorter than one pattern is drawn whole, as is every path when the
// pattern has no gap or no length. marked[i]: note where element i ends (its text or shape
// goes there).
Dashed_Path Dash_Path(const ZcGePoint3d* points, size_t count, const std::vector<double>& elements,
                      const std::vector<bool>& marked = {});

}  // namespace platform
