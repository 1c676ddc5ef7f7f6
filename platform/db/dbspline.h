// ZcDbSpline: a NURBS curve, given by control points (knots, optional weights) or fit points
// (then interpolated by a cubic through them).
#pragma once
#include "db/dbcurve.h"

class ZcDbSpline : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbSpline);
    ZcDbSpline() = default;
    ZcDbSpline(int degree, bool rational, bool closed, bool periodic, const ZcGePoint3dArray& controlPoints,
               const ZcGeDoubleArray& knots, const ZcGeDoubleArray& weights, double controlPtTol = 0.0,
               double knotTol = 0.0);
    ZcDbSpline(const ZcGePoint3dArray& fitPoints, int order = 4, double fitTolerance = 0.0);

    int degree() const { return mDegree; }
    bool isRational() const { return !mWeights.isEmpty(); }
    bool isPeriodic() const override { return mPeriodic; }
    bool isClosed() const override;
    int numControlPoints() const { return mControlPoints.length(); }
    Zcad::ErrorStatus getControlPointAt(int index, ZcGePoint3d& point) const;
    Zcad::ErrorStatus setControlPointAt(int index, const ZcGePoint3d& point);
    int numFitPoints() const { return mFitPoints.length(); }
    Zcad::ErrorStatus getFitPointAt(int index, ZcGePoint3d& point) const;
    bool hasFitData() const { return !mFitPoints.isEmpty(); }
    double fitTolerance() const { return mFitTolerance; }
    double weightAt(int index) const;
    Zcad::ErrorStatus getNurbsData(int& degree, bool& rational, bool& closed, bool& periodic,
                                   ZcGePoint3dArray& controlPoints, ZcGeDoubleArray& knots, ZcGeDoubleArray& weights,
                                   double& controlPtTol, double& knotTol) const;
    Zcad::ErrorStatus setNurbsData(int degree, bool rational, bool closed, bool periodic,
                                   const ZcGePoint3dArray& controlPoints, const ZcGeDoubleArray& knots,
                                   const ZcGeDoubleArray& weights, double controlPtTol = 0.0, double knotTol = 0.0);
    Zcad::ErrorStatus getFitData(ZcGePoint3dArray& fitPoints, int& degree, double& fitTolerance) const;
    Zcad::ErrorStatus setFitData(const ZcGePoint3dArray& fitPoints, int degree, double fitTolerance);
    // A polyline through points of the spline: precision = points per knot span (at most
    // maxSegments segments in all); a planar spline gives a ZcDbPolyline, else a ZcDb3dPolyline.
    Zcad::ErrorStatus toPolyline(ZcDbCurve*& pCurve, int precision = 10, int maxSegments = 10000) const;

    Zcad::ErrorStatus getStartParam(double& param) const override;
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    void samplePolyline(ZcGePoint3dArray& points, ZcGeDoubleArray& params) const override;

private:
    void interpolateFitPoints();
    void sample(int perSpan, int maxSegments, ZcGePoint3dArray& points, ZcGeDoubleArray& params) const;
    int mDegree = 3;
    bool mPeriodic = false;
    bool mClosed = false;
    ZcGePoint3dArray mControlPoints;
    ZcGeDoubleArray mKnots;
    ZcGeDoubleArray mWeights;
    ZcGePoint3dArray mFitPoints;
    double mFitTolerance = 0.0;
};
