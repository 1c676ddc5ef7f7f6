// ZcGeScale3d: scale factors along X, Y and Z.
#pragma once

#include "ge/getol.h"

class ZcGeMatrix3d;

class ZcGeScale3d {
public:
    ZcGeScale3d() = default;
    constexpr explicit ZcGeScale3d(double factor) : sx(factor), sy(factor), sz(factor) {}
    constexpr ZcGeScale3d(double x, double y, double z) : sx(x), sy(y), sz(z) {}

    static const ZcGeScale3d kIdentity;

    ZcGeScale3d operator*(const ZcGeScale3d& s) const { return {sx * s.sx, sy * s.sy, sz * s.sz}; }
    ZcGeScale3d operator*(double f) const { return {sx * f, sy * f, sz * f}; }
    bool operator==(const ZcGeScale3d& s) const { return isEqualTo(s); }
    bool operator!=(const ZcGeScale3d& s) const { return !isEqualTo(s); }
    double operator[](unsigned i) const { return i == 0 ? sx : (i == 1 ? sy : sz); }
    double& operator[](unsigned i) { return i == 0 ? sx : (i == 1 ? sy : sz); }

    ZcGeScale3d& set(double x, double y, double z) { sx = x; sy = y; sz = z; return *this; }
    // The scaling matrix about the origin.
    ZcGeMatrix3d getMatrix() const;
    // The lengths of the matrix's axis columns.
    ZcGeScale3d& extractScale(const ZcGeMatrix3d& m);
    bool isProportional(const ZcGeTol& tol = ZcGeContext::gTol) const;
    bool isEqualTo(const ZcGeScale3d& s, const ZcGeTol& tol = ZcGeContext::gTol) const;

    double sx = 1.0;
    double sy = 1.0;
    double sz = 1.0;
};
