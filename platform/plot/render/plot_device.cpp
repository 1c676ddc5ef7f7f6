#include "plot/render/plot_device.h"

#include <algorithm>
#include <cmath>

namespace platform {

void Plot_Device::arc(const Paper_Point& c, const Paper_Point& u, const Paper_Point& v, double sweep,
                      double tolerance_mm)
{
    const double radius = std::max(std::hypot(u.x, u.y), std::hypot(v.x, v.y));
    const double step = radius > tolerance_mm ? 2.0 * std::acos(1.0 - tolerance_mm / radius) : M_PI / 2.0;
    const int full = std::clamp(int(std::ceil(2.0 * M_PI / std::max(step, 1e-4))), 8, 4096);
    const int n = std::max(2, int(std::ceil(full * std::fabs(sweep) / (2.0 * M_PI))));
    std::vector<Paper_Point> pts(size_t(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const double t = sweep * i / n;
        pts[size_t(i)] = {c.x + u.x * std::cos(t) + v.x * std::sin(t), c.y + u.y * std::cos(t) + v.y * std::sin(t)};
    }
    polyline(pts.data(), pts.size());
}

}  // namespace platform
