#include "db/text_metrics.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <mutex>
#include <unordered_map>

namespace {

struct Glyph_Units {
    double advance = 0.0;  // in em
    double bottom = 0.0;   // in em, <= 0
};

bool Is_Full_Width(wchar_t ch)
{
    return (ch >= 0x1100 && ch <= 0x115F) || (ch >= 0x2E80 && ch <= 0xA4CF) || (ch >= 0xAC00 && ch <= 0xD7A3) ||
           (ch >= 0xF900 && ch <= 0xFAFF) || (ch >= 0xFE30 && ch <= 0xFE4F) || (ch >= 0xFF00 && ch <= 0xFF60) ||
           (ch >= 0xFFE0 && ch <= 0xFFE6);
}

class Font_Cache {
public:
    static Font_Cache& instance()
    {
        static Font_Cache cache;
        return cache;
    }

    double cap_height_ratio() const { return mCapHeightRatio; }

    Glyph_Units glyph(wchar_t ch)
    {
        std::lock_guard<std::mutex> lock(mMutex);
        auto it = mGlyphs.find(ch);
        if (it != mGlyphs.end()) return it->second;
        Glyph_Units g = load(ch);
        mGlyphs.emplace(ch, g);
        return g;
    }

private:
    Font_Cache()
    {
        if (FT_Init_FreeType(&mLibrary) == 0 && FT_New_Face(mLibrary, platform::Text_Font_Path(), 0, &mFace) == 0) {
            // The cap height is the top of the font's "X", as other renderers measure it.
            if (FT_Load_Char(mFace, FT_ULong('X'), FT_LOAD_NO_SCALE) == 0 && mFace->units_per_EM > 0 &&
                mFace->glyph->metrics.horiBearingY > 0)
                mCapHeightRatio = double(mFace->glyph->metrics.horiBearingY) / double(mFace->units_per_EM);
            return;
        }
        mFace = nullptr;
        std::fprintf(stderr, "text metrics: font %s not available, using approximate text widths\n",
                     platform::Text_Font_Path());
    }
    ~Font_Cache()
    {
        if (mFace) FT_Done_Face(mFace);
        if (mLibrary) FT_Done_FreeType(mLibrary);
    }

    Glyph_Units load(wchar_t ch)
    {
        Glyph_Units g;
        // Approximation without the font (and for control characters); em = height / ratio.
        double approx = Is_Full_Width(ch) ? 1.0 : 0.6;
        g.advance = approx * mCapHeightRatio;
        if (!mFace) return g;
        if (FT_Load_Char(mFace, FT_ULong(ch), FT_LOAD_NO_SCALE) != 0) return g;
        double units = mFace->units_per_EM ? double(mFace->units_per_EM) : 1000.0;
        g.advance = double(mFace->glyph->metrics.horiAdvance) / units;
        double bottom = double(mFace->glyph->metrics.horiBearingY - mFace->glyph->metrics.height) / units;
        g.bottom = bottom < 0.0 ? bottom : 0.0;
        return g;
    }

    std::mutex mMutex;
    double mCapHeightRatio = 0.7;  // without the font
    FT_Library mLibrary = nullptr;
    FT_Face mFace = nullptr;
    std::unordered_map<wchar_t, Glyph_Units> mGlyphs;
};

}  // namespace

namespace platform {

const char* Text_Font_Path() { return "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"; }

double Cap_Height_Ratio() { return Font_Cache::instance().cap_height_ratio(); }

double Char_Advance(wchar_t ch, double height)
{
    return Font_Cache::instance().glyph(ch).advance * height / Cap_Height_Ratio();
}

Text_Line_Box Measure_Text_Line(const std::wstring& text, double height, double widthFactor)
{
    Text_Line_Box box;
    box.top = height;
    double em = height / Cap_Height_Ratio();
    double advance = 0.0, bottom = 0.0;
    for (wchar_t ch : text) {
        Glyph_Units g = Font_Cache::instance().glyph(ch);
        advance += g.advance;
        if (g.bottom < bottom) bottom = g.bottom;
    }
    box.width = advance * em * widthFactor;
    box.bottom = bottom * em;
    return box;
}

}  // namespace platform
