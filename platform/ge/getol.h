// ZcGeTol: the tolerances geometric comparisons use, and the global default.
#pragma once

class ZcGeTol {
public:
    ZcGeTol() = default;
    constexpr ZcGeTol(double equalPoint, double equalVector)
        : mEqualPoint(equalPoint), mEqualVector(equalVector) {}
    // Two points are equal when their distance is at most equalPoint().
    double equalPoint() const { return mEqualPoint; }
    // Two vectors are equal when their difference is at most equalVector() long; directions
    // compare by their unit vectors the same way.
    double equalVector() const { return mEqualVector; }
    void setEqualPoint(double value) { mEqualPoint = value; }
    void setEqualVector(double value) { mEqualVector = value; }

private:
    double mEqualPoint = 1e-10;
    double mEqualVector = 1e-12;
};

struct ZcGeContext {
    // The default tolerance of every comparison that takes no tolerance.
    static ZcGeTol gTol;
};
