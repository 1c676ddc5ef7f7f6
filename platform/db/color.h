// Colours of entities and layers: ZcCmColor / ZcCmEntityColor and the 256-entry index palette.
#pragma once
#include <cstdint>

namespace ZcCm {
enum Method : uint8_t {
    kByLayer = 0xC0,
    kByBlock = 0xC1,
    kByColor = 0xC2,
    kByACI = 0xC3,
    kByPen = 0xC4,
    kForeground = 0xC5,
    kNone = 0xC8
};
}  // namespace ZcCm

// Special index values.
constexpr int16_t kZcCmByBlock = 0;
constexpr int16_t kZcCmByLayer = 256;
constexpr int16_t kZcCmForeground = 7;

// The colour as the entity carries it: method plus index or RGB.
class ZcCmEntityColor {
public:
    ZcCmEntityColor() = default;
    ZcCmEntityColor(uint8_t red, uint8_t green, uint8_t blue) { setRGB(red, green, blue); }

    ZcCm::Method colorMethod() const { return mMethod; }
    void setColorMethod(ZcCm::Method m) { mMethod = m; }
    bool isByLayer() const { return mMethod == ZcCm::kByLayer; }
    bool isByBlock() const { return mMethod == ZcCm::kByBlock; }
    bool isByColor() const { return mMethod == ZcCm::kByColor; }
    bool isByACI() const { return mMethod == ZcCm::kByACI; }
    bool isForeground() const { return mMethod == ZcCm::kForeground; }
    bool isNone() const { return mMethod == ZcCm::kNone; }

    // 0 ByBlock, 1..255 index colours, 256 ByLayer.
    int16_t colorIndex() const;
    void setColorIndex(int16_t index);
    void setRGB(uint8_t red, uint8_t green, uint8_t blue);
    uint8_t red() const;
    uint8_t green() const;
    uint8_t blue() const;
    // 0x00RRGGBB of the colour as displayed (index colours through the palette).
    uint32_t trueColor() const;

    bool operator==(const ZcCmEntityColor& o) const { return mMethod == o.mMethod && mValue == o.mValue; }
    bool operator!=(const ZcCmEntityColor& o) const { return !(*this == o); }

    static uint32_t lookUpRGB(uint8_t colorIndex);
    static uint8_t lookUpACI(uint8_t red, uint8_t green, uint8_t blue);

protected:
    ZcCm::Method mMethod = ZcCm::kByLayer;
    uint32_t mValue = 0;  // index, or 0x00RRGGBB for kByColor
};

// The full colour of the SDK: an entity colour with an optional colour-book name.
class ZcCmColor : public ZcCmEntityColor {
public:
    ZcCmColor() = default;
    ZcCmColor(const ZcCmEntityColor& c) : ZcCmEntityColor(c) {}

    void setByLayer() { setColorIndex(kZcCmByLayer); }
    void setByBlock() { setColorIndex(kZcCmByBlock); }
    void setForeground() { mMethod = ZcCm::kForeground; mValue = 7; }
    ZcCmEntityColor entityColor() const { return *this; }
};

namespace platform {
// RGB (0x00RRGGBB) of index colour 0..255 of the standard palette (0 and 256 give black/white fallbacks).
uint32_t Index_Color_Rgb(int index);
// The index colour 1..255 nearest to the RGB (Euclidean distance; first of equals).
int Nearest_Color_Index(uint8_t red, uint8_t green, uint8_t blue);
}  // namespace platform
