#include "plot/render/linetype_dashes.h"

#include <cmath>

namespace platform {

double Pattern_Length(const std::vector<double>& elements)
{
    double length = 0.0;
    for (double e : elements) length += std::fabs(e);
    return length;
}

namespace {

double Path_Length(const ZcGePoint3d* points, size_t count)
{
    double length = 0.0;
    for (size_t i = 1; i < count; ++i) length += points[i].distanceTo(points[i - 1]);
    return length;
}

bool Has_Gap(const std::vector<double>& elements)
{
    for (double e : elements)
        if (e <= 0.0) return true;
    return false;
}

}  // namespace

Dashed_Path Dash_Path(const ZcGePoint3d* points, size_t count, const std::vector<double>& elements,
                      const std::vector<bool>& marked)
{
    Dashed_Path out;
    if (count < 2) return out;
    const double pattern = Pattern_Length(elements);
    if (!(pattern > 0.0) || !Has_Gap(elements) || Path_Length(points, count) < pattern) {
        out.dashes.emplace_back(points, points + count);
        return out;
    }
    size_t element = 0;
    double left = std::fabs(elements[0]);  // of the current element
    bool starting = true;                  // the current element begins here
    std::vector<ZcGePoint3d>* dash = nullptr;
    for (size_t i = 1; i < count; ++i) {
        const ZcGePoint3d a = points[i - 1];
        const ZcGeVector3d step = points[i] - a;
        const double length = step.length();
        if (!(length > 0.0)) continue;
        const ZcGeVector3d direction = step / length;
        double done = 0.0;  // along this segment
        while (true) {
            const ZcGePoint3d here = a + direction * done;
            if (starting) {
                starting = false;
                if (elements[element] > 0.0) {
                    out.dashes.push_back({here});
                    dash = &out.dashes.back();
                } else if (elements[element] == 0.0) {
                    out.dashes.push_back({here, here});
                }
            }
            if (left > length - done) {  // the element goes on past this segment's end
                left -= length - done;
                if (elements[element] > 0.0 && dash) dash->push_back(points[i]);
                break;
            }
            done += left;
            if (elements[element] > 0.0 && dash) dash->push_back(a + direction * done);
            if (element < marked.size() && marked[element]) out.marks.push_back({element, a + direction * done, direction});
            dash = nullptr;
            element = (element + 1) % elements.size();
            left = std::fabs(elements[element]);
            starting = true;
        }
    }
    // A dash that would begin at the very end has no length: it is no dot.
    if (dash && dash->front().isEqualTo(dash->back()) && dash->size() <= 2) out.dashes.pop_back();
    return out;
}

}  // namespace platform
