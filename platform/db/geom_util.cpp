#include "db/geom_util.h"

#include <cmath>

#include "db/text_metrics.h"

namespace platform {

void Plane_Axes(const ZcGeVector3d& normal, ZcGeVector3d& x, ZcGeVector3d& y)
{
    ZcGeVector3d z = normal.isZeroLength() ? ZcGeVector3d::kZAxis : normal.normal();
    x = z.perpVector().normal();
    y = z.crossProduct(x).normal();
}

double Angle_In_Plane(const ZcGeVector3d& v, const ZcGeVector3d& x, const ZcGeVector3d& y)
{
    return Normalize_Angle(std::atan2(v.dotProduct(y), v.dotProduct(x)));
}

double Normalize_Angle(double a)
{
    double r = std::fmod(a, kTwoPi);
    if (r < 0.0) r += kTwoPi;
    if (r >= kTwoPi) r = 0.0;
    return r;
}

ZcGeVector3d Xform_Vector(const ZcGeMatrix3d& m, const ZcGeVector3d& v)
{
    return ZcGeVector3d(m.entry[0][0] * v.x + m.entry[0][1] * v.y + m.entry[0][2] * v.z,
                        m.entry[1][0] * v.x + m.entry[1][1] * v.y + m.entry[1][2] * v.z,
                        m.entry[2][0] * v.x + m.entry[2][1] * v.y + m.entry[2][2] * v.z);
}

bool Is_Uniform(const ZcGeMatrix3d& m, double& scale)
{
    ZcGeVector3d c[3];
    for (int j = 0; j < 3; ++j) c[j] = ZcGeVector3d(m.entry[0][j], m.entry[1][j], m.entry[2][j]);
    double l0 = c[0].length(), l1 = c[1].length(), l2 = c[2].length();
    scale = l0;
    if (l0 <= 0.0) return false;
    const double tol = 1e-9 * l0;
    if (std::fabs(l0 - l1) > tol || std::fabs(l0 - l2) > tol) return false;
    double tolDot = 1e-9 * l0 * l0;
    return std::fabs(c[0].dotProduct(c[1])) <= tolDot && std::fabs(c[0].dotProduct(c[2])) <= tolDot &&
           std::fabs(c[1].dotProduct(c[2])) <= tolDot;
}

bool Transformed_Plane(const ZcGeMatrix3d& xform, const ZcGeVector3d& normal, ZcGeVector3d& newNormal, bool& mirrored)
{
    ZcGeVector3d x, y;
    Plane_Axes(normal, x, y);
    ZcGeVector3d n = Xform_Vector(xform, normal);
    if (n.isZeroLength()) return false;
    newNormal = n.normal();
    mirrored = Xform_Vector(xform, x).crossProduct(Xform_Vector(xform, y)).dotProduct(newNormal) < 0.0;
    return true;
}

void Add_Ellipse_Arc_Extents(ZcDbExtents& ext, const ZcGePoint3d& c, const ZcGeVector3d& u, const ZcGeVector3d& v,
                             double start, double end)
{
    auto at = [&](double t) { return c + u * std::cos(t) + v * std::sin(t); };
    ext.addPoint(at(start));
    ext.addPoint(at(end));
    for (int axis = 0; axis < 3; ++axis) {
        double a = u[unsigned(axis)], b = v[unsigned(axis)];
        if (std::fabs(a) < 1e-300 && std::fabs(b) < 1e-300) continue;
        double t0 = std::atan2(b, a);
        for (int k = 0; k < 2; ++k) {
            double t = t0 + k * kPi;
            // Bring t into [start, start + 2 pi).
            double shift = std::floor((t - start) / kTwoPi);
            t -= shift * kTwoPi;
            if (t >= start && t <= end) ext.addPoint(at(t));
        }
    }
}

bool Bulge_To_Arc(const ZcGePoint2d& p0, const ZcGePoint2d& p1, double bulge, ZcGePoint2d& center, double& radius,
                  double& startAngle, double& endAngle)
{
    ZcGeVector2d chord = p1 - p0;
    double c = chord.length();
    if (std::fabs(bulge) < 1e-12 || c < 1e-12) return false;
    double theta = 4.0 * std::atan(bulge);  // signed included angle
    radius = c / (2.0 * std::sin(std::fabs(theta) / 2.0));
    // Distance from the chord midpoint to the centre, towards the left of p0->p1 for ccw; it is
    // negative past half a circle, where the centre lies on the arc's own side.
    double h = radius * std::cos(std::fabs(theta) / 2.0);
    ZcGeVector2d left(-chord.y / c, chord.x / c);
    double side = bulge < 0 ? -1.0 : 1.0;
    ZcGePoint2d mid(p0.x + chord.x / 2.0, p0.y + chord.y / 2.0);
    center = mid + left * (h * side);
    double a0 = std::atan2(p0.y - center.y, p0.x - center.x);
    double a1 = std::atan2(p1.y - center.y, p1.x - center.x);
    if (bulge > 0) {
        startAngle = Normalize_Angle(a0);
        endAngle = Normalize_Angle(a1);
    } else {
        startAngle = Normalize_Angle(a1);
        endAngle = Normalize_Angle(a0);
    }
    return true;
}

void Text_Line_Corners(const ZcGePoint3d& origin, const ZcGeVector3d& dir, const ZcGeVector3d& up, double height,
                       double widthFactor, double oblique, const std::wstring& text, ZcGePoint3d corners[4])
{
    Text_Line_Box box = Measure_Text_Line(text, height, widthFactor);
    double shear = std::tan(oblique);
    double ys[2] = {box.bottom, box.top};
    double xs[2] = {0.0, box.width};
    int k = 0;
    for (double y : ys)
        for (double x : xs) corners[k++] = origin + dir * (x + y * shear) + up * y;
}

void Add_Text_Line_Extents(ZcDbExtents& ext, const ZcGePoint3d& origin, const ZcGeVector3d& dir,
                           const ZcGeVector3d& up, double height, double widthFactor, double oblique,
                           const std::wstring& text)
{
    ZcGePoint3d corners[4];
    Text_Line_Corners(origin, dir, up, height, widthFactor, oblique, text, corners);
    for (const ZcGePoint3d& p : corners) ext.addPoint(p);
}

ZcGePoint3dArray Sample_Ellipse_Arc(const ZcGePoint3d& c, const ZcGeVector3d& u, const ZcGeVector3d& v, double start,
                                    double end, int count)
{
    ZcGePoint3dArray pts;
    if (count < 1) count = 1;
    for (int i = 0; i <= count; ++i) {
        double t = start + (end - start) * i / count;
        pts.append(c + u * std::cos(t) + v * std::sin(t));
    }
    return pts;
}

}  // namespace platform
