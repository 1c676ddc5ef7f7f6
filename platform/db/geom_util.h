// Geometry helpers shared by the entity classes.
#pragma once
#include <string>

#include "ge/ge.h"

namespace platform {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

// The plane axes of a normal by the arbitrary-axis rule (x, y unit, x × y = normal).
void Plane_Axes(const ZcGeVector3d& normal, ZcGeVector3d& x, ZcGeVector3d& y);
// Angle of v measured in the plane of the axes x, y.
double Angle_In_Plane(const ZcGeVector3d& v, const ZcGeVector3d& x, const ZcGeVector3d& y);
// Angle in [0, 2 pi).
double Normalize_Angle(double a);
// The linear part of m applied to v.
ZcGeVector3d Xform_Vector(const ZcGeMatrix3d& m, const ZcGeVector3d& v);
// True when m scales uniformly (no shear, same factor on every axis); scale gets the factor.
bool Is_Uniform(const ZcGeMatrix3d& m, double& scale);

// The plane of normal after xform: the unit transformed normal, and whether the map turns the
// plane over (a mirror). False when the normal degenerates.
bool Transformed_Plane(const ZcGeMatrix3d& xform, const ZcGeVector3d& normal, ZcGeVector3d& newNormal, bool& mirrored);

// Adds the extents of p(t) = c + cos t u + sin t v for t from start to end (end > start).
void Add_Ellipse_Arc_Extents(ZcDbExtents& ext, const ZcGePoint3d& c, const ZcGeVector3d& u, const ZcGeVector3d& v,
                             double start, double end);

// The arc of a bulged segment from p0 to p1 in its plane: centre, radius and the angles from
// start to end counter-clockwise (for a negative bulge the arc runs clockwise from p0, so
// start is at p1). False for a zero bulge or coincident points.
bool Bulge_To_Arc(const ZcGePoint2d& p0, const ZcGePoint2d& p1, double bulge, ZcGePoint2d& center, double& radius,
                  double& startAngle, double& endAngle);

// The four corners of one text line's box laid out from origin along dir (unit) with up (unit).
void Text_Line_Corners(const ZcGePoint3d& origin, const ZcGeVector3d& dir, const ZcGeVector3d& up, double height,
                       double widthFactor, double oblique, const std::wstring& text, ZcGePoint3d corners[4]);
// Adds the box of one text line laid out from origin along dir (unit) with up (unit).
void Add_Text_Line_Extents(ZcDbExtents& ext, const ZcGePoint3d& origin, const ZcGeVector3d& dir,
                           const ZcGeVector3d& up, double height, double widthFactor, double oblique,
                           const std::wstring& text);

// Samples of p(t) = c + cos t u + sin t v (count + 1 points from start to end).
ZcGePoint3dArray Sample_Ellipse_Arc(const ZcGePoint3d& c, const ZcGeVector3d& u, const ZcGeVector3d& v, double start,
                                    double end, int count);

}  // namespace platform
