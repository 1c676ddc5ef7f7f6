// The pinned font behind every GDI font: metrics, advances and cairo faces. Not a public header.
#pragma once

#include <cairo.h>

#include <string>

#include "mfc/gdi_types.h"

namespace platform::gdi {

// Every face name maps to this one font file.
const char* Pinned_Font_Path();

// A logical font resolved against the pinned font, in pixels.
struct Font_Metrics {
    double em = 12.0;        // em square
    double x_scale = 1.0;    // horizontal scale (lfWidth)
    int ascent = 0;
    int descent = 0;
    int internal_leading = 0;
    int ave_char_width = 0;
    int max_char_width = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
    double escapement = 0.0;  // degrees, counterclockwise
    int height() const { return ascent + descent; }
};

Font_Metrics Resolve_Font(const LOGFONTW& lf);
// Whole-pixel advance of one character.
int Char_Advance(const Font_Metrics& font, wchar_t ch);
// Sum of the advances.
int Text_Width(const Font_Metrics& font, const std::wstring& text);
// The glyph of a character in the pinned font (0 when it has none).
unsigned long Glyph_Index(wchar_t ch);
// Sets the pinned font on the context at the font's size, style and scale.
void Set_Font(cairo_t* cr, const Font_Metrics& font);

}  // namespace platform::gdi
