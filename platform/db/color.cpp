#include "db/color.h"

#include <array>

namespace {

// The standard 256-entry palette: 1..9 fixed colours, 10..249 twenty-four hue families of ten
// (five value levels, each full and half saturated), 250..255 greys.
std::array<uint32_t, 256> Build_Palette()
{
    std::array<uint32_t, 256> p{};
    auto rgb = [](int r, int g, int b) { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b); };
    const uint32_t fixed[10] = {rgb(0, 0, 0),     rgb(255, 0, 0),     rgb(255, 255, 0),   rgb(0, 255, 0),
                                rgb(0, 255, 255), rgb(0, 0, 255),     rgb(255, 0, 255),   rgb(255, 255, 255),
                                rgb(128, 128, 128), rgb(192, 192, 192)};
    for (int i = 0; i < 10; ++i) p[i] = fixed[i];
    const int ramp[5] = {0, 63, 127, 191, 255};
    const int levels[5] = {255, 165, 127, 76, 38};
    for (int i = 10; i < 250; ++i) {
        int hue = (i - 10) / 10, j = i % 10;
        int sector = hue / 4, k = hue % 4;
        int up = ramp[k], down = ramp[4 - k];
        int c[6][3] = {{255, up, 0}, {down, 255, 0}, {0, 255, up}, {0, down, 255}, {up, 0, 255}, {255, 0, down}};
        double v = levels[j / 2];
        int out[3];
        for (int ch = 0; ch < 3; ++ch) {
            double x = c[sector][ch] / 255.0;
            double f = (j % 2) ? v * (0.5 + x * 0.5) : v * x;
            out[ch] = int(f + 0.5);
        }
        p[i] = rgb(out[0], out[1], out[2]);
    }
    const int greys[6] = {51, 91, 132, 173, 214, 255};
    for (int i = 0; i < 6; ++i) p[250 + i] = rgb(greys[i], greys[i], greys[i]);
    return p;
}

const std::array<uint32_t, 256>& Palette()
{
    static const std::array<uint32_t, 256> palette = Build_Palette();
    return palette;
}

}  // namespace

namespace platform {

uint32_t Index_Color_Rgb(int index)
{
    if (index < 0 || index > 255) return 0xFFFFFF;
    return Palette()[index];
}

int Nearest_Color_Index(uint8_t red, uint8_t green, uint8_t blue)
{
    int best = 1;
    long bestDist = -1;
    for (int i = 1; i < 256; ++i) {
        uint32_t c = Palette()[i];
        long dr = long((c >> 16) & 0xFF) - red, dg = long((c >> 8) & 0xFF) - green, db = long(c & 0xFF) - blue;
        long d = dr * dr + dg * dg + db * db;
        if (bestDist < 0 || d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return best;
}

}  // namespace platform

int16_t ZcCmEntityColor::colorIndex() const
{
    switch (mMethod) {
    case ZcCm::kByLayer: return kZcCmByLayer;
    case ZcCm::kByBlock: return kZcCmByBlock;
    case ZcCm::kByACI: return int16_t(mValue);
    case ZcCm::kForeground: return kZcCmForeground;
    case ZcCm::kByColor: return int16_t(platform::Nearest_Color_Index(red(), green(), blue()));
    default: return kZcCmByLayer;
    }
}

void ZcCmEntityColor::setColorIndex(int16_t index)
{
    if (index == kZcCmByLayer) {
        mMethod = ZcCm::kByLayer;
        mValue = 256;
    } else if (index == kZcCmByBlock) {
        mMethod = ZcCm::kByBlock;
        mValue = 0;
    } else if (index > 0 && index < 256) {
        mMethod = ZcCm::kByACI;
        mValue = uint32_t(index);
    }
}

void ZcCmEntityColor::setRGB(uint8_t r, uint8_t g, uint8_t b)
{
    mMethod = ZcCm::kByColor;
    mValue = (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}

uint32_t ZcCmEntityColor::trueColor() const
{
    switch (mMethod) {
    case ZcCm::kByColor: return mValue & 0xFFFFFF;
    case ZcCm::kByACI: return platform::Index_Color_Rgb(int(mValue));
    default: return platform::Index_Color_Rgb(7);
    }
}

uint8_t ZcCmEntityColor::red() const { return uint8_t((trueColor() >> 16) & 0xFF); }
uint8_t ZcCmEntityColor::green() const { return uint8_t((trueColor() >> 8) & 0xFF); }
uint8_t ZcCmEntityColor::blue() const { return uint8_t(trueColor() & 0xFF); }

uint32_t ZcCmEntityColor::lookUpRGB(uint8_t colorIndex) { return platform::Index_Color_Rgb(colorIndex); }

uint8_t ZcCmEntityColor::lookUpACI(uint8_t r, uint8_t g, uint8_t b) { return uint8_t(platform::Nearest_Color_Index(r, g, b)); }
