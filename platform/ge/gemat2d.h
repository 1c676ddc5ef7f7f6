// ZcGeMatrix2d: a 3x3 matrix acting on 2D column vectors: p' = M * p; translation is column 2.
#pragma once

#include "ge/gepnt2d.h"

class ZcGeMatrix2d {
public:
    constexpr ZcGeMatrix2d() // identity
        : entry{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}
    {
    }

    static const ZcGeMatrix2d kIdentity;

    ZcGeMatrix2d operator*(const ZcGeMatrix2d& m) const;
    ZcGeMatrix2d& operator*=(const ZcGeMatrix2d& m) { return postMultBy(m); }
    bool operator==(const ZcGeMatrix2d& m) const { return isEqualTo(m); }
    bool operator!=(const ZcGeMatrix2d& m) const { return !isEqualTo(m); }

    ZcGeMatrix2d& setToIdentity();
    ZcGeMatrix2d& postMultBy(const ZcGeMatrix2d& right);
    ZcGeMatrix2d& preMultBy(const ZcGeMatrix2d& left);
    ZcGeMatrix2d& setToTranslation(const ZcGeVector2d& v);
    ZcGeMatrix2d& setToRotation(double angle, const ZcGePoint2d& center = ZcGePoint2d::kOrigin);
    ZcGeMatrix2d& setToScaling(double scale, const ZcGePoint2d& center = ZcGePoint2d::kOrigin);
    ZcGeMatrix2d& setToMirroring(const ZcGePoint2d& point);
    // Mirroring about the line through point along direction.
    ZcGeMatrix2d& setToMirroring(const ZcGePoint2d& point, const ZcGeVector2d& direction);

    // A singular matrix gives the identity; the overload reports it.
    ZcGeMatrix2d inverse() const;
    bool inverse(ZcGeMatrix2d& inv, const ZcGeTol& tol = ZcGeContext::gTol) const;
    ZcGeMatrix2d& invert();
    double det() const;
    bool isSingular(const ZcGeTol& tol = ZcGeContext::gTol) const;
    bool isEqualTo(const ZcGeMatrix2d& m, const ZcGeTol& tol = ZcGeContext::gTol) const;
    ZcGeVector2d translation() const;

    static ZcGeMatrix2d translation(const ZcGeVector2d& v);
    static ZcGeMatrix2d rotation(double angle, const ZcGePoint2d& center = ZcGePoint2d::kOrigin);
    static ZcGeMatrix2d scaling(double scale, const ZcGePoint2d& center = ZcGePoint2d::kOrigin);

    double entry[3][3];
};
