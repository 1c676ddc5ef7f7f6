// Measurement of single text lines: the one rule every TEXT, MTEXT and ATTRIB measurement uses.
//
// Every face name (TrueType names and SHX files such as "txt.shx" or "gbcbig.shx") maps to the one
// pinned CJK font /usr/share/fonts/truetype/wqy/wqy-microhei.ttc.
// Height rule: a text of height h is the cap height; the font is scaled so that its em square is
// h / Cap_Height_Ratio(), the font's own cap height (the top of its "X") over its em. Advances are scaled by the width factor. The line box runs from the ink
// bottom (descenders, <= 0) to h above the baseline, and from 0 to the advance width.
// Without the font file, the ratio is 0.7, widths are approximated (full-width CJK = h, others
// 0.6 h) and a one-time line on stderr says so.
#pragma once
#include <string>

namespace platform {

// Cap height over em of the pinned font.
double Cap_Height_Ratio();

struct Text_Line_Box {
    double width = 0.0;   // advance width along the baseline, width factor applied
    double bottom = 0.0;  // lowest ink below the baseline (<= 0)
    double top = 0.0;     // text height (cap height)
};

Text_Line_Box Measure_Text_Line(const std::wstring& text, double height, double widthFactor = 1.0);

// Advance of one character at the given height (width factor 1).
double Char_Advance(wchar_t ch, double height);

// Path of the font file used for all text.
const char* Text_Font_Path();

}  // namespace platform
