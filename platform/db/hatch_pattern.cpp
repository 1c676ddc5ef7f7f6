#include "db/hatch_pattern.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// Adds the dashes of one line's inside piece [from, to] (distances along the line from its origin).
void Add_Dashes(const ZcGePoint2d& origin, const ZcGeVector2d& dir, double from, double to,
                const std::vector<double>& dashes, std::vector<Hatch_Segment>& out, size_t maxSegments)
{
    auto emit = [&](double a, double b) { out.emplace_back(origin + dir * a, origin + dir * b); };
    double period = 0.0;
    for (double d : dashes) period += std::fabs(d);
    if (dashes.empty() || period <= 1e-12) {
        emit(from, to);
        return;
    }
    double cycle = std::floor(from / period) * period;
    for (; cycle < to && out.size() < maxSegments; cycle += period) {
        double pos = cycle;
        for (double d : dashes) {
            if (d > 0.0) {
                double a = std::max(pos, from), b = std::min(pos + d, to);
                if (a < b) emit(a, b);
            } else if (d == 0.0 && pos >= from && pos <= to) {
                emit(pos, pos);
            }
            pos += std::fabs(d);
            if (pos > to || out.size() >= maxSegments) break;
        }
    }
}

}  // namespace

std::vector<Hatch_Segment> Hatch_Pattern_Segments(const std::vector<std::vector<ZcGePoint2d>>& loops,
                                                  const std::vector<Hatch_Pattern_Line>& lines, size_t maxSegments)
{
    std::vector<Hatch_Segment> out;
    for (const Hatch_Pattern_Line& line : lines) {
        const ZcGeVector2d dir(std::cos(line.angle), std::sin(line.angle));
        const ZcGeVector2d nrm(-dir.y, dir.x);
        const double spacing = line.offset.x * nrm.x + line.offset.y * nrm.y;
        if (std::fabs(spacing) < 1e-12) continue;
        const double shift = line.offset.x * dir.x + line.offset.y * dir.y;  // along the line per step
        // The loops in line coordinates: s along the line, h across it, from the base point.
        double hMin = 1e300, hMax = -1e300;
        std::vector<std::vector<std::pair<double, double>>> local;
        for (const std::vector<ZcGePoint2d>& loop : loops) {
            std::vector<std::pair<double, double>> pts;
            for (const ZcGePoint2d& p : loop) {
                ZcGeVector2d v = p - line.base;
                double s = v.x * dir.x + v.y * dir.y, h = v.x * nrm.x + v.y * nrm.y;
                pts.emplace_back(s, h);
                hMin = std::min(hMin, h);
                hMax = std::max(hMax, h);
            }
            local.push_back(std::move(pts));
        }
        if (hMin > hMax) continue;
        const double k0 = std::ceil(std::min(hMin, hMax) / std::fabs(spacing));
        const double k1 = std::floor(std::max(hMin, hMax) / std::fabs(spacing));
        if (k1 - k0 > double(maxSegments)) continue;  // far too dense to draw
        const double sign = spacing > 0 ? 1.0 : -1.0;
        std::vector<double> cuts;
        for (double k = k0; k <= k1 && out.size() < maxSegments; k += 1.0) {
            const double h = k * std::fabs(spacing);
            const double step = k * sign;  // the line's index in offset steps
            cuts.clear();
            for (const auto& pts : local) {
                for (size_t i = 0; i < pts.size(); ++i) {
                    const auto& [s1, h1] = pts[i];
                    const auto& [s2, h2] = pts[(i + 1) % pts.size()];
                    if ((h1 <= h && h < h2) || (h2 <= h && h < h1)) cuts.push_back(s1 + (h - h1) * (s2 - s1) / (h2 - h1));
                }
            }
            std::sort(cuts.begin(), cuts.end());
            // This line's origin: the base moved by step offsets.
            const double s0 = step * shift;
            const ZcGePoint2d origin = line.base + dir * s0 + nrm * h;
            for (size_t i = 0; i + 1 < cuts.size() && out.size() < maxSegments; i += 2)
                if (cuts[i + 1] > cuts[i]) Add_Dashes(origin, dir, cuts[i] - s0, cuts[i + 1] - s0, line.dashes, out, maxSegments);
        }
    }
    if (out.size() > maxSegments) out.resize(maxSegments);
    return out;
}

}  // namespace platform
