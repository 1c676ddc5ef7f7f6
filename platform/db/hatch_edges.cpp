#include "db/hatch_edges.h"

#include <algorithm>
#include <cmath>

#include "db/geom_util.h"

namespace platform {

namespace {

constexpr double kDegree = kPi / 180.0;

// The ellipse parameter of the point at a true angle from the major axis.
double Ellipse_Parameter(double angle, double ratio)
{
    return std::atan2(std::sin(angle) / ratio, std::cos(angle));
}

}  // namespace

Hatch_Edge_Sweep Edge_Sweep(double startDegrees, double endDegrees, bool counterClockwise)
{
    double turn = std::fmod(endDegrees - startDegrees, 360.0);
    if (!std::isfinite(turn)) turn = 360.0;  // angles too large to subtract: a whole turn
    if (turn <= 1e-9) turn += 360.0;
    Hatch_Edge_Sweep out;
    out.start = (counterClockwise ? startDegrees : -startDegrees) * kDegree;
    out.sweep = (counterClockwise ? turn : -turn) * kDegree;
    return out;
}

void Append_Arc_Edge(const ZcGePoint2d& center, double radius, double startDegrees, double endDegrees,
                     bool counterClockwise, ZcGePoint2dArray& vertices, ZcGeDoubleArray& bulges)
{
    const Hatch_Edge_Sweep arc = Edge_Sweep(startDegrees, endDegrees, counterClockwise);
    const int parts = std::fabs(arc.sweep) > kPi ? 2 : 1;
    for (int i = 0; i < parts; ++i) {
        const double a = arc.start + arc.sweep * i / parts;
        vertices.append(ZcGePoint2d(center.x + radius * std::cos(a), center.y + radius * std::sin(a)));
        bulges.append(std::tan(arc.sweep / parts / 4.0));
    }
}

void Append_Ellipse_Edge(const ZcGePoint2d& center, const ZcGeVector2d& major, double ratio, double startDegrees,
                         double endDegrees, bool counterClockwise, ZcGePoint2dArray& vertices,
                         ZcGeDoubleArray& bulges)
{
    if (!(ratio > 0.0)) ratio = 1.0;
    const Hatch_Edge_Sweep arc = Edge_Sweep(startDegrees, endDegrees, counterClockwise);
    // The same turn in parameters: a whole turn stays whole, a part keeps its direction.
    const double t0 = Ellipse_Parameter(arc.start, ratio);
    double turn = Ellipse_Parameter(arc.start + arc.sweep, ratio) - t0;
    if (std::fabs(std::fabs(arc.sweep) - kTwoPi) < 1e-9) {
        turn = arc.sweep;
    } else {
        turn = std::fmod(turn, kTwoPi);
        if (arc.sweep > 0 && turn <= 0) turn += kTwoPi;
        if (arc.sweep < 0 && turn >= 0) turn -= kTwoPi;
    }
    const ZcGeVector2d minor(-major.y * ratio, major.x * ratio);
    const int steps = std::max(4, int(std::ceil(std::fabs(turn) / kTwoPi * 64.0)));
    for (int i = 0; i < steps; ++i) {
        const double t = t0 + turn * i / steps;
        vertices.append(center + major * std::cos(t) + minor * std::sin(t));
        bulges.append(0.0);
    }
}

}  // namespace platform
