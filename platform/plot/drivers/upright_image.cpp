#include "plot/drivers/upright_image.h"

#include <algorithm>
#include <cmath>

namespace platform {

Plot_Image Upright_Image(const Plot_Image& image, int max_side)
{
    if (image.u.y == 0.0 && image.v.x == 0.0 && image.u.x > 0.0 && image.v.y > 0.0) return image;
    Plot_Image out;
    const double det = image.u.x * image.v.y - image.u.y * image.v.x;
    if (image.width <= 0 || image.height <= 0 || !(std::fabs(det) > 0.0)) return out;
    const double xs[] = {0.0, image.u.x, image.v.x, image.u.x + image.v.x};
    const double ys[] = {0.0, image.u.y, image.v.y, image.u.y + image.v.y};
    const double x0 = *std::min_element(xs, xs + 4), x1 = *std::max_element(xs, xs + 4);
    const double y0 = *std::min_element(ys, ys + 4), y1 = *std::max_element(ys, ys + 4);
    // Pixels as fine as the image's finer direction.
    const double pixel = std::min(std::hypot(image.u.x, image.u.y) / image.width, std::hypot(image.v.x, image.v.y) / image.height);
    out.width = std::clamp(int(std::ceil((x1 - x0) / pixel - 1e-9)), 1, max_side);
    out.height = std::clamp(int(std::ceil((y1 - y0) / pixel - 1e-9)), 1, max_side);
    out.origin = {image.origin.x + x0, image.origin.y + y0};
    out.u = {x1 - x0, 0.0};
    out.v = {0.0, y1 - y0};
    out.pixels.assign(size_t(out.width) * size_t(out.height), 0);
    for (int row = 0; row < out.height; ++row) {
        // Pixel centres on the paper, relative to the image's origin; rows from the top.
        const double py = y1 - (row + 0.5) * (y1 - y0) / out.height;
        for (int col = 0; col < out.width; ++col) {
            const double px = x0 + (col + 0.5) * (x1 - x0) / out.width;
            // px, py = a u + b v
            const double a = (px * image.v.y - py * image.v.x) / det;
            const double b = (image.u.x * py - image.u.y * px) / det;
            if (a < 0.0 || a >= 1.0 || b < 0.0 || b >= 1.0) continue;
            const size_t sx = std::min(size_t(a * image.width), size_t(image.width - 1));
            const size_t sy = std::min(size_t((1.0 - b) * image.height), size_t(image.height - 1));
            out.pixels[size_t(row) * size_t(out.width) + size_t(col)] = image.pixels[sy * size_t(image.width) + sx];
        }
    }
    return out;
}

Plot_Image Crop_Upright_Image(const Plot_Image& image, const Clip_Rect& box)
{
    Plot_Image out;
    if (image.width <= 0 || image.height <= 0 || !(image.u.x > 0.0) || !(image.v.y > 0.0)) return out;
    const double pw = image.u.x / image.width, ph = image.v.y / image.height;
    const int c0 = std::max(0, int(std::floor((box.x0 - image.origin.x) / pw)));
    const int c1 = std::min(image.width, int(std::ceil((box.x1 - image.origin.x) / pw)));
    // Rows count from the top.
    const int r0 = std::max(0, int(std::floor((image.origin.y + image.v.y - box.y1) / ph)));
    const int r1 = std::min(image.height, int(std::ceil((image.origin.y + image.v.y - box.y0) / ph)));
    if (c1 <= c0 || r1 <= r0) return out;
    out.width = c1 - c0;
    out.height = r1 - r0;
    out.origin = {image.origin.x + c0 * pw, image.origin.y + image.v.y - r1 * ph};
    out.u = {out.width * pw, 0.0};
    out.v = {0.0, out.height * ph};
    out.pixels.reserve(size_t(out.width) * size_t(out.height));
    for (int r = r0; r < r1; ++r) {
        const uint32_t* row = image.pixels.data() + size_t(r) * size_t(image.width);
        out.pixels.insert(out.pixels.end(), row + c0, row + c1);
    }
    return out;
}

uint32_t Over_Background(uint32_t argb, uint32_t background_rgb)
{
    const uint32_t alpha = argb >> 24;
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t own = (argb >> shift) & 0xFF, back = (background_rgb >> shift) & 0xFF;
        out |= std::min<uint32_t>(255, own + back * (255 - alpha) / 255) << shift;
    }
    return out;
}

bool Is_Opaque(const Plot_Image& image)
{
    return std::all_of(image.pixels.begin(), image.pixels.end(), [](uint32_t p) { return (p >> 24) == 0xFF; });
}

}  // namespace platform
