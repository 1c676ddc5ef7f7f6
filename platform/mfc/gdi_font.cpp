// The pinned CJK font (WenQuanYi Micro Hei) through FreeType and cairo-ft.
//
// Height rule (as GDI): a negative lfHeight is the em size in pixels, a positive one the
// cell height (Windows ascent + descent of the font); 0 means a 12-pixel em. Bold and italic
// are synthesized. Advances are rounded per character, so measured and drawn text agree.
#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "mfc/gdi_font.h"

namespace platform::gdi {

namespace {

struct Pinned_Font {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    double upem = 1000.0;
    double win_ascent = 0.0;
    double win_descent = 0.0;
    double ave_width = 0.0;
    double max_width = 0.0;
    cairo_font_face_t* faces[4] = {};  // plain, bold, italic, bold italic
    std::unordered_map<unsigned long, double> advances;  // glyph -> font units

    Pinned_Font()
    {
        if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, Pinned_Font_Path(), 0, &face) != 0) {
            face = nullptr;
            std::fprintf(stderr, "gdi: font %s not available; text is drawn with a fallback face\n",
                         Pinned_Font_Path());
            win_ascent = 0.8 * upem;
            win_descent = 0.2 * upem;
            ave_width = max_width = 0.5 * upem;
            for (int i = 0; i < 4; ++i)
                faces[i] = cairo_toy_font_face_create("WenQuanYi Micro Hei", (i & 2) ? CAIRO_FONT_SLANT_ITALIC
                                                                                     : CAIRO_FONT_SLANT_NORMAL,
                                                      (i & 1) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
            return;
        }
        upem = face->units_per_EM ? face->units_per_EM : 1000.0;
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
            win_ascent = os2->usWinAscent;
            win_descent = os2->usWinDescent;
            ave_width = os2->xAvgCharWidth;
        } else {
            win_ascent = face->ascender;
            win_descent = -face->descender;
        }
        if (ave_width <= 0) ave_width = 0.5 * upem;
        max_width = face->max_advance_width;
        // cairo keeps one font face per FreeType face, so each look has a FreeType face of
        // its own: the synthesized bold and oblique of one would otherwise apply to all.
        for (int i = 0; i < 4; ++i) {
            FT_Face look = face;
            if (i > 0 && FT_New_Face(library, Pinned_Font_Path(), 0, &look) != 0) look = face;
            faces[i] = cairo_ft_font_face_create_for_ft_face(look, 0);
            unsigned int synth = 0;
            if (i & 1) synth |= CAIRO_FT_SYNTHESIZE_BOLD;
            if (i & 2) synth |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
            cairo_ft_font_face_set_synthesize(faces[i], synth);
        }
    }

    double advance(unsigned long glyph, wchar_t ch)
    {
        auto it = advances.find(glyph);
        if (it != advances.end()) return it->second;
        double a = ave_width;
        if (face) {
            if (FT_Load_Glyph(face, FT_UInt(glyph), FT_LOAD_NO_SCALE) == 0) a = double(face->glyph->metrics.horiAdvance);
        } else {
            a = (ch >= 0x2E80 ? 1.0 : 0.5) * upem;
        }
        advances.emplace(glyph, a);
        return a;
    }
};

// Lives for the whole process (cairo faces refer to the FreeType face).
Pinned_Font& Font()
{
    static auto* font = new Pinned_Font();
    return *font;
}

}  // namespace

const char* Pinned_Font_Path() { return "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"; }

Font_Metrics Resolve_Font(const LOGFONTW& lf)
{
    Pinned_Font& f = Font();
    Font_Metrics m;
    double cell = (f.win_ascent + f.win_descent) / f.upem;
    if (lf.lfHeight < 0) m.em = -double(lf.lfHeight);
    else if (lf.lfHeight > 0) m.em = lf.lfHeight / cell;
    else m.em = 12.0;
    double scale = m.em / f.upem;
    m.ascent = int(std::lround(f.win_ascent * scale));
    m.descent = int(std::lround(f.win_descent * scale));
    if (lf.lfHeight > 0 && m.height() != lf.lfHeight) m.descent = lf.lfHeight - m.ascent;
    m.internal_leading = std::max(0, m.height() - int(std::lround(m.em)));
    double natural_ave = f.ave_width * scale;
    if (lf.lfWidth > 0 && natural_ave > 0) m.x_scale = lf.lfWidth / natural_ave;
    m.bold = lf.lfWeight >= FW_SEMIBOLD;
    m.italic = lf.lfItalic != 0;
    m.underline = lf.lfUnderline != 0;
    m.strike_out = lf.lfStrikeOut != 0;
    m.escapement = lf.lfEscapement / 10.0;
    m.ave_char_width = int(std::lround(natural_ave * m.x_scale));
    m.max_char_width = int(std::lround(f.max_width * scale * m.x_scale)) + (m.bold ? 1 : 0);
    return m;
}

unsigned long Glyph_Index(wchar_t ch)
{
    Pinned_Font& f = Font();
    return f.face ? FT_Get_Char_Index(f.face, FT_ULong(ch)) : (unsigned long)ch;
}

int Char_Advance(const Font_Metrics& font, wchar_t ch)
{
    Pinned_Font& f = Font();
    double units = f.advance(Glyph_Index(ch), ch);
    return int(std::lround(units * font.em / f.upem * font.x_scale)) + (font.bold ? 1 : 0);
}

int Text_Width(const Font_Metrics& font, const std::wstring& text)
{
    int w = 0;
    for (wchar_t ch : text) w += Char_Advance(font, ch);
    return w;
}

void Set_Font(cairo_t* cr, const Font_Metrics& font)
{
    Pinned_Font& f = Font();
    cairo_set_font_face(cr, f.faces[(font.bold ? 1 : 0) | (font.italic ? 2 : 0)]);
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, font.em * font.x_scale, font.em);
    cairo_set_font_matrix(cr, &m);
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, o);
    cairo_font_options_destroy(o);
}

}  // namespace platform::gdi
