// Curves: the ZcDbCurve base and the simple curves (line, circle, arc, ellipse).
#pragma once
#include "db/dbentity.h"

class ZcDbCurve : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbCurve);

    virtual bool isClosed() const { return false; }
    virtual bool isPeriodic() const { return false; }
    virtual Zcad::ErrorStatus getStartParam(double& param) const = 0;
    virtual Zcad::ErrorStatus getEndParam(double& param) const = 0;
    virtual Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const = 0;
    virtual Zcad::ErrorStatus getStartPoint(ZcGePoint3d& point) const;
    virtual Zcad::ErrorStatus getEndPoint(ZcGePoint3d& point) const;
    // Parameter of the curve point nearest to point (eInvalidInput when farther than 1e-6 from the curve).
    virtual Zcad::ErrorStatus getParamAtPoint(const ZcGePoint3d& point, double& param) const;
    virtual Zcad::ErrorStatus getDistAtParam(double param, double& dist) const;
    virtual Zcad::ErrorStatus getDistAtPoint(const ZcGePoint3d& point, double& dist) const;
    virtual Zcad::ErrorStatus getClosestPointTo(const ZcGePoint3d& givenPoint, ZcGePoint3d& pointOnCurve,
                                                bool extend = false) const;
    // numSample points evenly spaced in parameter, ends included.
    Zcad::ErrorStatus getSamplePoints(int numSample, ZcGePoint3dArray& pointArray) const;

protected:
    // Points along the curve fine enough for lengths and nearest points.
    virtual void samplePolyline(ZcGePoint3dArray& points, ZcGeDoubleArray& params) const;
};

class ZcDbLine : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLine);
    ZcDbLine() = default;
    ZcDbLine(const ZcGePoint3d& start, const ZcGePoint3d& end) : mStart(start), mEnd(end) {}

    ZcGePoint3d startPoint() const { return mStart; }
    Zcad::ErrorStatus setStartPoint(const ZcGePoint3d& pt);
    ZcGePoint3d endPoint() const { return mEnd; }
    Zcad::ErrorStatus setEndPoint(const ZcGePoint3d& pt);
    double thickness() const { return mThickness; }
    Zcad::ErrorStatus setThickness(double t);
    ZcGeVector3d normal() const { return mNormal; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& n);

    Zcad::ErrorStatus getStartParam(double& param) const override { param = 0.0; return Zcad::eOk; }
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    bool subWorldDraw(ZcGiWorldDraw* mode) override;

private:
    ZcGePoint3d mStart;
    ZcGePoint3d mEnd;
    double mThickness = 0.0;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
};

class ZcDbCircle : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbCircle);
    ZcDbCircle() = default;
    ZcDbCircle(const ZcGePoint3d& center, const ZcGeVector3d& normal, double radius);

    ZcGePoint3d center() const { return mCenter; }
    Zcad::ErrorStatus setCenter(const ZcGePoint3d& pt);
    double radius() const { return mRadius; }
    Zcad::ErrorStatus setRadius(double r);
    ZcGeVector3d normal() const { return mNormal; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& n);
    double thickness() const { return mThickness; }
    Zcad::ErrorStatus setThickness(double t);
    double diameter() const { return 2.0 * mRadius; }
    double circumference() const;

    bool isClosed() const override { return true; }
    bool isPeriodic() const override { return true; }
    Zcad::ErrorStatus getStartParam(double& param) const override { param = 0.0; return Zcad::eOk; }
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    bool subWorldDraw(ZcGiWorldDraw* mode) override;

private:
    ZcGePoint3d mCenter;
    double mRadius = 0.0;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
    double mThickness = 0.0;
};

// Arc: centre and normal in world coordinates; angles in the plane of the normal (its
// arbitrary-axis coordinate system), counter-clockwise from start to end.
class ZcDbArc : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbArc);
    ZcDbArc() = default;
    ZcDbArc(const ZcGePoint3d& center, double radius, double startAngle, double endAngle);
    ZcDbArc(const ZcGePoint3d& center, const ZcGeVector3d& normal, double radius, double startAngle, double endAngle);

    ZcGePoint3d center() const { return mCenter; }
    Zcad::ErrorStatus setCenter(const ZcGePoint3d& pt);
    double radius() const { return mRadius; }
    Zcad::ErrorStatus setRadius(double r);
    double startAngle() const { return mStartAngle; }
    Zcad::ErrorStatus setStartAngle(double angle);
    double endAngle() const { return mEndAngle; }
    Zcad::ErrorStatus setEndAngle(double angle);
    ZcGeVector3d normal() const { return mNormal; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& n);
    double thickness() const { return mThickness; }
    Zcad::ErrorStatus setThickness(double t);
    // Sweep in (0, 2 pi].
    double totalAngle() const;
    double length() const { return mRadius * totalAngle(); }

    Zcad::ErrorStatus getStartParam(double& param) const override;
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    bool subWorldDraw(ZcGiWorldDraw* mode) override;

private:
    ZcGePoint3d mCenter;
    double mRadius = 0.0;
    double mStartAngle = 0.0;
    double mEndAngle = 0.0;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
    double mThickness = 0.0;
};

// Ellipse: point(t) = center + cos(t) majorAxis + sin(t) minorAxis, minorAxis = ratio * (normal x majorAxis).
class ZcDbEllipse : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbEllipse);
    ZcDbEllipse() = default;
    ZcDbEllipse(const ZcGePoint3d& center, const ZcGeVector3d& unitNormal, const ZcGeVector3d& majorAxis,
                double radiusRatio, double startAngle = 0.0, double endAngle = 6.283185307179586);

    ZcGePoint3d center() const { return mCenter; }
    Zcad::ErrorStatus setCenter(const ZcGePoint3d& center);
    ZcGeVector3d normal() const { return mNormal; }
    ZcGeVector3d majorAxis() const { return mMajorAxis; }
    ZcGeVector3d minorAxis() const;
    double radiusRatio() const { return mRatio; }
    Zcad::ErrorStatus setRadiusRatio(double ratio);
    double startAngle() const { return mStartParam; }
    double endAngle() const { return mEndParam; }
    Zcad::ErrorStatus setStartAngle(double angle) { return setStartParam(angle); }
    Zcad::ErrorStatus setEndAngle(double angle) { return setEndParam(angle); }
    Zcad::ErrorStatus setStartParam(double param);
    Zcad::ErrorStatus setEndParam(double param);
    Zcad::ErrorStatus set(const ZcGePoint3d& center, const ZcGeVector3d& unitNormal, const ZcGeVector3d& majorAxis,
                          double radiusRatio, double startAngle = 0.0, double endAngle = 6.283185307179586);
    bool isNull() const { return mMajorAxis.isZeroLength(); }

    bool isClosed() const override;
    Zcad::ErrorStatus getStartParam(double& param) const override { param = mStartParam; return Zcad::eOk; }
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    bool subWorldDraw(ZcGiWorldDraw* mode) override;

private:
    ZcGePoint3d mCenter;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
    ZcGeVector3d mMajorAxis{1.0, 0.0, 0.0};
    double mRatio = 1.0;
    double mStartParam = 0.0;
    double mEndParam = 6.283185307179586;
};
