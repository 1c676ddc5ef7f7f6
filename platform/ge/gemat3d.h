// ZcGeMatrix3d: a 4x4 matrix acting on column vectors: p' = M * p. entry[row][col]; the
// translation is column 3. A * B applies B first, then A.
#pragma once

#include "ge/geplane.h"
#include "ge/gepnt3d.h"
#include "ge/gescl3d.h"

class ZcGeMatrix3d {
public:
    constexpr ZcGeMatrix3d() // identity
        : entry{{1.0, 0.0, 0.0, 0.0}, {0.0, 1.0, 0.0, 0.0}, {0.0, 0.0, 1.0, 0.0}, {0.0, 0.0, 0.0, 1.0}}
    {
    }

    static const ZcGeMatrix3d kIdentity;

    ZcGeMatrix3d operator*(const ZcGeMatrix3d& m) const;
    ZcGeMatrix3d& operator*=(const ZcGeMatrix3d& m) { return postMultBy(m); }
    bool operator==(const ZcGeMatrix3d& m) const { return isEqualTo(m); }
    bool operator!=(const ZcGeMatrix3d& m) const { return !isEqualTo(m); }
    double operator()(unsigned row, unsigned col) const { return entry[row][col]; }
    double& operator()(unsigned row, unsigned col) { return entry[row][col]; }

    ZcGeMatrix3d& setToIdentity();
    // this = this * right (right applies first).
    ZcGeMatrix3d& postMultBy(const ZcGeMatrix3d& right);
    // this = left * this (left applies last).
    ZcGeMatrix3d& preMultBy(const ZcGeMatrix3d& left);
    ZcGeMatrix3d& setToProduct(const ZcGeMatrix3d& a, const ZcGeMatrix3d& b);

    ZcGeMatrix3d& setToTranslation(const ZcGeVector3d& v);
    // Rotation by angle (radians, counter-clockwise looking down the axis) about the line
    // through center along axis. A zero axis gives the identity.
    ZcGeMatrix3d& setToRotation(double angle, const ZcGeVector3d& axis,
                                const ZcGePoint3d& center = ZcGePoint3d::kOrigin);
    ZcGeMatrix3d& setToScaling(double scale, const ZcGePoint3d& center = ZcGePoint3d::kOrigin);
    ZcGeMatrix3d& setToScaling(const ZcGeScale3d& scale,
                               const ZcGePoint3d& center = ZcGePoint3d::kOrigin);
    ZcGeMatrix3d& setToMirroring(const ZcGePlane& plane);
    ZcGeMatrix3d& setToMirroring(const ZcGePoint3d& point);
    // The matrix whose axis columns are xAxis, yAxis, zAxis and whose translation is origin:
    // it maps coordinates in that system to world coordinates.
    ZcGeMatrix3d& setCoordSystem(const ZcGePoint3d& origin, const ZcGeVector3d& xAxis,
                                 const ZcGeVector3d& yAxis, const ZcGeVector3d& zAxis);
    void getCoordSystem(ZcGePoint3d& origin, ZcGeVector3d& xAxis, ZcGeVector3d& yAxis,
                        ZcGeVector3d& zAxis) const;
    // Maps the first coordinate system onto the second (a point with coordinates c in the
    // first system goes to the point with coordinates c in the second).
    ZcGeMatrix3d& setToAlignCoordSys(const ZcGePoint3d& fromOrigin, const ZcGeVector3d& fromXAxis,
                                     const ZcGeVector3d& fromYAxis, const ZcGeVector3d& fromZAxis,
                                     const ZcGePoint3d& toOrigin, const ZcGeVector3d& toXAxis,
                                     const ZcGeVector3d& toYAxis, const ZcGeVector3d& toZAxis);
    // World to the plane's own system (the arbitrary-axis rule for its X axis) and back.
    ZcGeMatrix3d& setToWorldToPlane(const ZcGeVector3d& normal);
    ZcGeMatrix3d& setToPlaneToWorld(const ZcGeVector3d& normal);

    // The inverse; a singular matrix gives the identity (test with isSingular or use the
    // reporting overload).
    ZcGeMatrix3d inverse() const;
    // Computes the inverse into inv; false (inv untouched) when the matrix is singular.
    bool inverse(ZcGeMatrix3d& inv, const ZcGeTol& tol = ZcGeContext::gTol) const;
    // Inverts in place; a singular matrix stays as it is.
    ZcGeMatrix3d& invert();
    ZcGeMatrix3d& transposeIt();
    ZcGeMatrix3d transpose() const;
    double det() const;
    // Singular when the axis columns are (nearly) dependent, independent of their scale.
    bool isSingular(const ZcGeTol& tol = ZcGeContext::gTol) const;
    bool isEqualTo(const ZcGeMatrix3d& m, const ZcGeTol& tol = ZcGeContext::gTol) const;
    // Axis columns mutually perpendicular and of one length (uniform scale, rotation,
    // mirroring, translation).
    bool isUniScaledOrtho(const ZcGeTol& tol = ZcGeContext::gTol) const;
    // Axis columns mutually perpendicular, any non-zero lengths.
    bool isScaledOrtho(const ZcGeTol& tol = ZcGeContext::gTol) const;
    // Last row is (0,0,0,1).
    bool isAffine(const ZcGeTol& tol = ZcGeContext::gTol) const;

    ZcGeVector3d translation() const;
    // The largest length of the axis columns.
    double scale() const;

    static ZcGeMatrix3d translation(const ZcGeVector3d& v);
    static ZcGeMatrix3d rotation(double angle, const ZcGeVector3d& axis,
                                 const ZcGePoint3d& center = ZcGePoint3d::kOrigin);
    static ZcGeMatrix3d scaling(double scale, const ZcGePoint3d& center = ZcGePoint3d::kOrigin);
    static ZcGeMatrix3d scaling(const ZcGeScale3d& scale,
                                const ZcGePoint3d& center = ZcGePoint3d::kOrigin);
    static ZcGeMatrix3d mirroring(const ZcGePlane& plane);
    static ZcGeMatrix3d mirroring(const ZcGePoint3d& point);
    static ZcGeMatrix3d alignCoordSys(const ZcGePoint3d& fromOrigin, const ZcGeVector3d& fromXAxis,
                                      const ZcGeVector3d& fromYAxis, const ZcGeVector3d& fromZAxis,
                                      const ZcGePoint3d& toOrigin, const ZcGeVector3d& toXAxis,
                                      const ZcGeVector3d& toYAxis, const ZcGeVector3d& toZAxis);
    static ZcGeMatrix3d worldToPlane(const ZcGeVector3d& normal);
    static ZcGeMatrix3d worldToPlane(const ZcGePlane& plane);
    static ZcGeMatrix3d planeToWorld(const ZcGeVector3d& normal);
    static ZcGeMatrix3d planeToWorld(const ZcGePlane& plane);

    double entry[4][4];
};
