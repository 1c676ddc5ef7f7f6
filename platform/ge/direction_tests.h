// Internal: the direction comparisons 2D and 3D vectors share. Directions compare by their
// unit vectors; a zero-length vector has no direction, so every test is false for it.
#pragma once

#include <cmath>

#include "ge/getol.h"

namespace zcge_detail {

template <class V>
bool haveDirections(const V& a, const V& b, const ZcGeTol& tol)
{
    return !a.isZeroLength(tol) && !b.isZeroLength(tol);
}

template <class V>
bool isCodirectional(const V& a, const V& b, const ZcGeTol& tol)
{
    return haveDirections(a, b, tol) && (a.normal(tol) - b.normal(tol)).length() <= tol.equalVector();
}

template <class V>
bool isParallel(const V& a, const V& b, const ZcGeTol& tol)
{
    return isCodirectional(a, b, tol) || isCodirectional(a, -b, tol);
}

template <class V>
bool isPerpendicular(const V& a, const V& b, const ZcGeTol& tol)
{
    return haveDirections(a, b, tol) &&
           std::fabs(a.normal(tol).dotProduct(b.normal(tol))) <= tol.equalVector();
}

} // namespace zcge_detail
