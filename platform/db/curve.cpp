// The curve base: lengths, nearest points and samples from a fine polyline of the curve.
#include <cmath>
#include <limits>

#include "db/dbcurve.h"
#include "db/geom_util.h"

ZCRX_NO_CONS_DEFINE_MEMBERS(ZcDbCurve, ZcDbEntity)

Zcad::ErrorStatus ZcDbCurve::getStartPoint(ZcGePoint3d& point) const
{
    double t = 0.0;
    Zcad::ErrorStatus es = getStartParam(t);
    return es == Zcad::eOk ? getPointAtParam(t, point) : es;
}

Zcad::ErrorStatus ZcDbCurve::getEndPoint(ZcGePoint3d& point) const
{
    double t = 0.0;
    Zcad::ErrorStatus es = getEndParam(t);
    return es == Zcad::eOk ? getPointAtParam(t, point) : es;
}

void ZcDbCurve::samplePolyline(ZcGePoint3dArray& points, ZcGeDoubleArray& params) const
{
    double t0 = 0.0, t1 = 0.0;
    if (getStartParam(t0) != Zcad::eOk || getEndParam(t1) != Zcad::eOk) return;
    const int n = 256;
    for (int i = 0; i <= n; ++i) {
        double t = t0 + (t1 - t0) * i / n;
        ZcGePoint3d p;
        if (getPointAtParam(t, p) == Zcad::eOk) {
            points.append(p);
            params.append(t);
        }
    }
}

Zcad::ErrorStatus ZcDbCurve::getDistAtParam(double param, double& dist) const
{
    double t0 = 0.0, t1 = 0.0;
    getStartParam(t0);
    getEndParam(t1);
    if (param < t0 - 1e-12 || param > t1 + 1e-12) return Zcad::eInvalidInput;
    ZcGePoint3dArray pts;
    ZcGeDoubleArray params;
    samplePolyline(pts, params);
    dist = 0.0;
    for (int i = 1; i < pts.length(); ++i) {
        double a = params[i - 1], b = params[i];
        double seg = pts[i - 1].distanceTo(pts[i]);
        if (param >= b) {
            dist += seg;
            continue;
        }
        if (b > a) dist += seg * (param - a) / (b - a);
        break;
    }
    return Zcad::eOk;
}

namespace {
// The parameter of the curve point nearest to p: every sample interval that could hold a
// nearer point is refined by a golden-section search.
double Nearest_Param(const ZcDbCurve* curve, const ZcGePoint3d& p, const ZcGePoint3dArray& pts,
                     const ZcGeDoubleArray& params)
{
    auto dist = [&](double t) {
        ZcGePoint3d q;
        curve->getPointAtParam(t, q);
        return q.distanceTo(p);
    };
    double bestT = params[0];
    double best = pts[0].distanceTo(p);
    for (int i = 1; i < pts.length(); ++i) {
        double d = pts[i].distanceTo(p);
        if (d < best) {
            best = d;
            bestT = params[i];
        }
    }
    for (int i = 0; i + 1 < pts.length(); ++i) {
        double chord = pts[i].distanceTo(pts[i + 1]);
        double lower = std::min(pts[i].distanceTo(p), pts[i + 1].distanceTo(p)) - chord;
        if (lower >= best) continue;
        const double g = 0.6180339887498949;
        double a = params[i], b = params[i + 1];
        double c = b - g * (b - a), d = a + g * (b - a);
        double fc = dist(c), fd = dist(d);
        for (int k = 0; k < 80 && b - a > 1e-14 * (1.0 + std::fabs(a)); ++k) {
            if (fc < fd) {
                b = d;
                d = c;
                fd = fc;
                c = b - g * (b - a);
                fc = dist(c);
            } else {
                a = c;
                c = d;
                fc = fd;
                d = a + g * (b - a);
                fd = dist(d);
            }
        }
        double t = (a + b) / 2.0;
        double dt = dist(t);
        if (dt < best) {
            best = dt;
            bestT = t;
        }
    }
    return bestT;
}
}  // namespace

Zcad::ErrorStatus ZcDbCurve::getClosestPointTo(const ZcGePoint3d& givenPoint, ZcGePoint3d& pointOnCurve, bool) const
{
    ZcGePoint3dArray pts;
    ZcGeDoubleArray params;
    samplePolyline(pts, params);
    if (pts.isEmpty()) return Zcad::eDegenerateGeometry;
    return getPointAtParam(Nearest_Param(this, givenPoint, pts, params), pointOnCurve);
}

Zcad::ErrorStatus ZcDbCurve::getParamAtPoint(const ZcGePoint3d& point, double& param) const
{
    ZcGePoint3dArray pts;
    ZcGeDoubleArray params;
    samplePolyline(pts, params);
    if (pts.isEmpty()) return Zcad::eDegenerateGeometry;
    double t = Nearest_Param(this, point, pts, params);
    ZcGePoint3d q;
    getPointAtParam(t, q);
    if (q.distanceTo(point) > 1e-6 * (1.0 + point.asVector().length())) return Zcad::eInvalidInput;
    param = t;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCurve::getDistAtPoint(const ZcGePoint3d& point, double& dist) const
{
    double t = 0.0;
    Zcad::ErrorStatus es = getParamAtPoint(point, t);
    return es == Zcad::eOk ? getDistAtParam(t, dist) : es;
}

Zcad::ErrorStatus ZcDbCurve::getSamplePoints(int numSample, ZcGePoint3dArray& pointArray) const
{
    if (numSample < 2) return Zcad::eInvalidInput;
    double t0 = 0.0, t1 = 0.0;
    getStartParam(t0);
    getEndParam(t1);
    for (int i = 0; i < numSample; ++i) {
        ZcGePoint3d p;
        getPointAtParam(t0 + (t1 - t0) * i / (numSample - 1), p);
        pointArray.append(p);
    }
    return Zcad::eOk;
}
