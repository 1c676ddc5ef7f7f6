#include <cmath>

#include "ge/gemat3d.h"

const ZcGeScale3d ZcGeScale3d::kIdentity(1.0, 1.0, 1.0);

ZcGeMatrix3d ZcGeScale3d::getMatrix() const { return ZcGeMatrix3d::scaling(*this); }

ZcGeScale3d& ZcGeScale3d::extractScale(const ZcGeMatrix3d& m)
{
    for (int j = 0; j < 3; ++j)
        (*this)[j] = ZcGeVector3d(m.entry[0][j], m.entry[1][j], m.entry[2][j]).length();
    return *this;
}

bool ZcGeScale3d::isProportional(const ZcGeTol& tol) const
{
    return std::fabs(sx - sy) <= tol.equalVector() && std::fabs(sx - sz) <= tol.equalVector();
}

bool ZcGeScale3d::isEqualTo(const ZcGeScale3d& s, const ZcGeTol& tol) const
{
    return std::fabs(sx - s.sx) <= tol.equalVector() && std::fabs(sy - s.sy) <= tol.equalVector() &&
           std::fabs(sz - s.sz) <= tol.equalVector();
}
