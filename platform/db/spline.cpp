// ZcDbSpline: NURBS evaluation (de Boor), fit-point interpolation, polyline conversion.
#include <cmath>
#include <vector>

#include "db/dbpl.h"
#include "db/dbpoly.h"
#include "db/dbspline.h"
#include "db/geom_util.h"
#include "db/gi.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbSpline, ZcDbCurve, 0, 0, 0, SPLINE, AutoCAD)

#define ZC_WRITE_OR_FAIL() \
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite

namespace {

// Clamped uniform knots for n control points of degree p.
ZcGeDoubleArray Clamped_Knots(int n, int p)
{
    ZcGeDoubleArray k;
    for (int i = 0; i <= p; ++i) k.append(0.0);
    for (int i = 1; i < n - p; ++i) k.append(double(i) / (n - p));
    for (int i = 0; i <= p; ++i) k.append(1.0);
    return k;
}

// Basis functions of degree p at u in span s (NURBS Book A2.2).
std::vector<double> Basis(int s, double u, int p, const ZcGeDoubleArray& U)
{
    std::vector<double> N(size_t(p + 1), 0.0), left(size_t(p + 1)), right(size_t(p + 1));
    N[0] = 1.0;
    for (int j = 1; j <= p; ++j) {
        left[size_t(j)] = u - U[s + 1 - j];
        right[size_t(j)] = U[s + j] - u;
        double saved = 0.0;
        for (int r = 0; r < j; ++r) {
            double denom = right[size_t(r + 1)] + left[size_t(j - r)];
            double temp = denom != 0.0 ? N[size_t(r)] / denom : 0.0;
            N[size_t(r)] = saved + right[size_t(r + 1)] * temp;
            saved = left[size_t(j - r)] * temp;
        }
        N[size_t(j)] = saved;
    }
    return N;
}

int Find_Span(int n, int p, double u, const ZcGeDoubleArray& U)
{
    if (u >= U[n]) return n - 1;
    if (u <= U[p]) return p;
    int lo = p, hi = n;
    int mid = (lo + hi) / 2;
    while (u < U[mid] || u >= U[mid + 1]) {
        if (u < U[mid]) hi = mid;
        else lo = mid;
        mid = (lo + hi) / 2;
    }
    return mid;
}

// Solves a dense linear system (Gaussian elimination with partial pivoting), in place.
bool Solve(std::vector<std::vector<double>>& A, std::vector<ZcGeVector3d>& b)
{
    size_t n = A.size();
    for (size_t c = 0; c < n; ++c) {
        size_t piv = c;
        for (size_t r = c + 1; r < n; ++r)
            if (std::fabs(A[r][c]) > std::fabs(A[piv][c])) piv = r;
        if (std::fabs(A[piv][c]) < 1e-14) return false;
        std::swap(A[piv], A[c]);
        std::swap(b[piv], b[c]);
        for (size_t r = c + 1; r < n; ++r) {
            double f = A[r][c] / A[c][c];
            if (f == 0.0) continue;
            for (size_t k = c; k < n; ++k) A[r][k] -= f * A[c][k];
            b[r] -= b[c] * f;
        }
    }
    for (size_t i = n; i-- > 0;) {
        ZcGeVector3d s = b[i];
        for (size_t k = i + 1; k < n; ++k) s -= b[k] * A[i][k];
        b[i] = s / A[i][i];
    }
    return true;
}

}  // namespace

ZcDbSpline::ZcDbSpline(int degree, bool rational, bool closed, bool periodic, const ZcGePoint3dArray& controlPoints,
                       const ZcGeDoubleArray& knots, const ZcGeDoubleArray& weights, double, double)
    : mDegree(degree), mPeriodic(periodic), mClosed(closed), mControlPoints(controlPoints), mKnots(knots)
{
    if (rational) mWeights = weights;
    if (mKnots.length() != mControlPoints.length() + mDegree + 1)
        mKnots = Clamped_Knots(mControlPoints.length(), mDegree);
}

ZcDbSpline::ZcDbSpline(const ZcGePoint3dArray& fitPoints, int order, double fitTolerance)
    : mDegree(order - 1 < 1 ? 3 : order - 1), mFitPoints(fitPoints), mFitTolerance(fitTolerance)
{
    interpolateFitPoints();
}

void ZcDbSpline::interpolateFitPoints()
{
    // Global interpolation through the fit points with chord-length parameters (NURBS Book A9.1).
    int n = mFitPoints.length();
    mControlPoints.removeAll();
    mKnots.removeAll();
    mWeights.removeAll();
    if (n < 2) {
        mControlPoints = mFitPoints;
        return;
    }
    int p = std::min(mDegree, n - 1);
    mDegree = p;
    std::vector<double> u(size_t(n), 0.0);
    double total = 0.0;
    for (int i = 1; i < n; ++i) total += mFitPoints[i].distanceTo(mFitPoints[i - 1]);
    for (int i = 1; i < n; ++i)
        u[size_t(i)] = total > 0 ? u[size_t(i - 1)] + mFitPoints[i].distanceTo(mFitPoints[i - 1]) / total
                                 : double(i) / (n - 1);
    u[size_t(n - 1)] = 1.0;
    for (int i = 0; i <= p; ++i) mKnots.append(0.0);
    for (int j = 1; j < n - p; ++j) {
        double s = 0.0;
        for (int i = j; i < j + p; ++i) s += u[size_t(i)];
        mKnots.append(s / p);
    }
    for (int i = 0; i <= p; ++i) mKnots.append(1.0);
    std::vector<std::vector<double>> A(size_t(n), std::vector<double>(size_t(n), 0.0));
    std::vector<ZcGeVector3d> b(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        int span = Find_Span(n, p, u[size_t(i)], mKnots);
        std::vector<double> N = Basis(span, u[size_t(i)], p, mKnots);
        for (int k = 0; k <= p; ++k) A[size_t(i)][size_t(span - p + k)] = N[size_t(k)];
        b[size_t(i)] = mFitPoints[i].asVector();
    }
    if (!Solve(A, b)) {
        mControlPoints = mFitPoints;
        mKnots = Clamped_Knots(n, p);
        return;
    }
    for (const ZcGeVector3d& v : b) mControlPoints.append(ZcGePoint3d(v.x, v.y, v.z));
}

bool ZcDbSpline::isClosed() const
{
    if (mClosed || mPeriodic) return true;
    int n = mControlPoints.length();
    return n > 1 && mControlPoints[0].isEqualTo(mControlPoints[n - 1]);
}

Zcad::ErrorStatus ZcDbSpline::getControlPointAt(int index, ZcGePoint3d& point) const
{
    if (index < 0 || index >= mControlPoints.length()) return Zcad::eInvalidIndex;
    point = mControlPoints[index];
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::setControlPointAt(int index, const ZcGePoint3d& point)
{
    if (index < 0 || index >= mControlPoints.length()) return Zcad::eInvalidIndex;
    ZC_WRITE_OR_FAIL();
    mControlPoints[index] = point;
    mFitPoints.removeAll();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::getFitPointAt(int index, ZcGePoint3d& point) const
{
    if (index < 0 || index >= mFitPoints.length()) return Zcad::eInvalidIndex;
    point = mFitPoints[index];
    return Zcad::eOk;
}

double ZcDbSpline::weightAt(int index) const
{
    return index >= 0 && index < mWeights.length() ? mWeights[index] : 1.0;
}

Zcad::ErrorStatus ZcDbSpline::getNurbsData(int& degree, bool& rational, bool& closed, bool& periodic,
                                           ZcGePoint3dArray& controlPoints, ZcGeDoubleArray& knots,
                                           ZcGeDoubleArray& weights, double& controlPtTol, double& knotTol) const
{
    degree = mDegree;
    rational = isRational();
    closed = isClosed();
    periodic = mPeriodic;
    controlPoints = mControlPoints;
    knots = mKnots;
    weights = mWeights;
    controlPtTol = 1e-10;
    knotTol = 1e-10;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::setNurbsData(int degree, bool rational, bool closed, bool periodic,
                                           const ZcGePoint3dArray& controlPoints, const ZcGeDoubleArray& knots,
                                           const ZcGeDoubleArray& weights, double, double)
{
    if (degree < 1 || controlPoints.length() < degree + 1) return Zcad::eInvalidInput;
    if (knots.length() != controlPoints.length() + degree + 1) return Zcad::eInvalidInput;
    if (rational && weights.length() != controlPoints.length()) return Zcad::eInvalidInput;
    for (int i = 1; i < knots.length(); ++i)
        if (knots[i] < knots[i - 1]) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mDegree = degree;
    mClosed = closed;
    mPeriodic = periodic;
    mControlPoints = controlPoints;
    mKnots = knots;
    mWeights = rational ? weights : ZcGeDoubleArray();
    mFitPoints.removeAll();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::getFitData(ZcGePoint3dArray& fitPoints, int& degree, double& fitTolerance) const
{
    if (mFitPoints.isEmpty()) return Zcad::eNotApplicable;
    fitPoints = mFitPoints;
    degree = mDegree;
    fitTolerance = mFitTolerance;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::setFitData(const ZcGePoint3dArray& fitPoints, int degree, double fitTolerance)
{
    if (fitPoints.length() < 2 || degree < 1) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mFitPoints = fitPoints;
    mDegree = degree;
    mFitTolerance = fitTolerance;
    interpolateFitPoints();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::getStartParam(double& param) const
{
    if (mKnots.length() <= mDegree) return Zcad::eDegenerateGeometry;
    param = mKnots[mDegree];
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::getEndParam(double& param) const
{
    int n = mControlPoints.length();
    if (n == 0 || mKnots.length() < n + 1) return Zcad::eDegenerateGeometry;
    param = mKnots[n];
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::getPointAtParam(double u, ZcGePoint3d& point) const
{
    int n = mControlPoints.length();
    int p = mDegree;
    if (n == 0) return Zcad::eDegenerateGeometry;
    if (n <= p || mKnots.length() != n + p + 1) {
        point = mControlPoints[0];
        return Zcad::eOk;
    }
    int span = Find_Span(n, p, u, mKnots);
    std::vector<double> N = Basis(span, u, p, mKnots);
    ZcGeVector3d sum;
    double wsum = 0.0;
    for (int k = 0; k <= p; ++k) {
        int i = span - p + k;
        double w = weightAt(i) * N[size_t(k)];
        sum += mControlPoints[i].asVector() * w;
        wsum += w;
    }
    if (wsum == 0.0) return Zcad::eDegenerateGeometry;
    sum /= wsum;
    point.set(sum.x, sum.y, sum.z);
    return Zcad::eOk;
}

void ZcDbSpline::sample(int perSpan, int maxSegments, ZcGePoint3dArray& points, ZcGeDoubleArray& params) const
{
    double t0 = 0.0, t1 = 0.0;
    if (getStartParam(t0) != Zcad::eOk || getEndParam(t1) != Zcad::eOk) {
        for (int i = 0; i < mControlPoints.length(); ++i) {
            points.append(mControlPoints[i]);
            params.append(double(i));
        }
        return;
    }
    // Distinct knot spans, each divided evenly.
    std::vector<double> breaks;
    for (int i = mDegree; i <= mControlPoints.length(); ++i)
        if (breaks.empty() || mKnots[i] > breaks.back()) breaks.push_back(mKnots[i]);
    int spans = std::max(1, int(breaks.size()) - 1);
    int per = std::max(1, perSpan);
    if (spans * per > maxSegments) per = std::max(1, maxSegments / spans);
    for (size_t s = 0; s + 1 < std::max<size_t>(breaks.size(), 2); ++s) {
        double a = breaks.size() >= 2 ? breaks[s] : t0, b = breaks.size() >= 2 ? breaks[s + 1] : t1;
        for (int k = (s == 0 ? 0 : 1); k <= per; ++k) {
            double t = a + (b - a) * k / per;
            ZcGePoint3d p;
            getPointAtParam(t, p);
            points.append(p);
            params.append(t);
        }
    }
}

void ZcDbSpline::samplePolyline(ZcGePoint3dArray& points, ZcGeDoubleArray& params) const
{
    sample(64, 20000, points, params);
}

Zcad::ErrorStatus ZcDbSpline::toPolyline(ZcDbCurve*& pCurve, int precision, int maxSegments) const
{
    pCurve = nullptr;
    ZcGePoint3dArray pts;
    ZcGeDoubleArray params;
    sample(precision < 1 ? 1 : precision, maxSegments < 1 ? 1 : maxSegments, pts, params);
    if (pts.length() < 2) return Zcad::eDegenerateGeometry;
    bool planarZ = true;
    for (int i = 0; i < pts.length(); ++i)
        if (std::fabs(pts[i].z - pts[0].z) > 1e-9) planarZ = false;
    ZcDbCurve* out = nullptr;
    if (planarZ) {
        auto* pl = new ZcDbPolyline();
        for (int i = 0; i < pts.length(); ++i) pl->addVertexAt(unsigned(i), ZcGePoint2d(pts[i].x, pts[i].y));
        pl->setElevation(pts[0].z);
        out = pl;
    } else {
        out = new ZcDb3dPolyline(ZcDb::k3dSimplePoly, pts);
    }
    out->setPropertiesFrom(this);
    pCurve = out;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::subTransformBy(const ZcGeMatrix3d& xform)
{
    for (int i = 0; i < mControlPoints.length(); ++i) mControlPoints[i].transformBy(xform);
    for (int i = 0; i < mFitPoints.length(); ++i) mFitPoints[i].transformBy(xform);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::subGetGeomExtents(ZcDbExtents& extents) const
{
    ZcGePoint3dArray pts;
    ZcGeDoubleArray params;
    sample(64, 20000, pts, params);
    if (pts.isEmpty()) return Zcad::eInvalidExtents;
    extents.addPoints(pts);
    return Zcad::eOk;
}

bool ZcDbSpline::subWorldDraw(ZcGiWorldDraw* mode)
{
    ZcGePoint3dArray pts;
    ZcGeDoubleArray params;
    sample(32, 10000, pts, params);
    if (pts.length() >= 2) mode->geometry().polyline(uint32_t(pts.length()), &pts[0]);
    return true;
}

Zcad::ErrorStatus ZcDbSpline::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbCurve::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    int32_t degree = 3, n = 0;
    f->readInt32(&degree);
    mDegree = degree;
    f->readBool(&mPeriodic);
    f->readBool(&mClosed);
    f->readDouble(&mFitTolerance);
    auto readPoints = [&](ZcGePoint3dArray& a) {
        a.removeAll();
        f->readInt32(&n);
        for (int32_t i = 0; i < n; ++i) {
            ZcGePoint3d p;
            f->readPoint3d(&p);
            a.append(p);
        }
    };
    auto readDoubles = [&](ZcGeDoubleArray& a) {
        a.removeAll();
        f->readInt32(&n);
        for (int32_t i = 0; i < n; ++i) {
            double d = 0;
            f->readDouble(&d);
            a.append(d);
        }
    };
    readPoints(mControlPoints);
    readDoubles(mKnots);
    readDoubles(mWeights);
    readPoints(mFitPoints);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbSpline::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbCurve::dwgOutFields(f);
    f->writeInt32(mDegree);
    f->writeBool(mPeriodic);
    f->writeBool(mClosed);
    f->writeDouble(mFitTolerance);
    f->writeInt32(mControlPoints.length());
    for (int i = 0; i < mControlPoints.length(); ++i) f->writePoint3d(mControlPoints[i]);
    f->writeInt32(mKnots.length());
    for (int i = 0; i < mKnots.length(); ++i) f->writeDouble(mKnots[i]);
    f->writeInt32(mWeights.length());
    for (int i = 0; i < mWeights.length(); ++i) f->writeDouble(mWeights[i]);
    f->writeInt32(mFitPoints.length());
    for (int i = 0; i < mFitPoints.length(); ++i) f->writePoint3d(mFitPoints[i]);
    return f->filerStatus();
}
