// Text output and measuring with the pinned font: TextOut, ExtTextOut, DrawText, extents and
// metrics.
#include <algorithm>
#include <cmath>
#include <cwchar>

#include "mfc/gdi_font.h"
#include "mfc/gdi_internal.h"

using namespace platform::gdi;

namespace {

Font_Metrics Font_Of_Dc(const Dc& dc)
{
    const Font* f = Selected_Font(dc.a);
    return Resolve_Font(f ? f->lf : LOGFONTW{});
}

std::wstring Text_Of(LPCWSTR s, int n)
{
    if (!s) return {};
    if (n < 0) n = int(std::wcslen(s));
    return std::wstring(s, size_t(n));
}

struct Run {
    int x = 0;  // logical reference point
    int y = 0;
    UINT align = TA_LEFT | TA_TOP;
    std::wstring text;
    const INT* dx = nullptr;
    const RECT* clip = nullptr;    // logical
    const RECT* opaque = nullptr;  // logical: filled with the background colour
    bool fill_cell = false;        // fill the text cell with the background colour
    int underline_index = -1;      // a mnemonic underline under this character
};

// Draws a run; returns its advance width.
int Draw_Run(const Dc& dc, const Run& run)
{
    Font_Metrics fm = Font_Of_Dc(dc);
    std::vector<int> advances;
    int width = 0;
    for (size_t i = 0; i < run.text.size(); ++i) {
        int a = run.dx ? run.dx[i] : Char_Advance(fm, run.text[i]);
        advances.push_back(a);
        width += a;
    }
    int x0 = run.x;
    if ((run.align & TA_CENTER) == TA_CENTER) x0 -= width / 2;
    else if (run.align & TA_RIGHT) x0 -= width;
    int baseline = run.y + fm.ascent;
    if ((run.align & TA_BASELINE) == TA_BASELINE) baseline = run.y;
    else if (run.align & TA_BOTTOM) baseline = run.y - fm.descent;

    Painter p(dc);
    if (!p) return width;
    cairo_t* cr = p.cr;
    if (run.clip) {
        cairo_rectangle(cr, run.clip->left, run.clip->top, run.clip->right - run.clip->left,
                        run.clip->bottom - run.clip->top);
        cairo_clip(cr);
    }
    if (run.opaque) {
        cairo_rectangle(cr, run.opaque->left, run.opaque->top, run.opaque->right - run.opaque->left,
                        run.opaque->bottom - run.opaque->top);
        Set_Source_Color(cr, dc.a.bk_color);
        cairo_fill(cr);
    }
    if (fm.escapement != 0.0) {
        cairo_translate(cr, run.x, run.y);
        cairo_rotate(cr, -fm.escapement * 3.14159265358979323846 / 180.0);
        cairo_translate(cr, -run.x, -run.y);
    }
    if (run.fill_cell && !run.text.empty()) {
        cairo_rectangle(cr, x0, baseline - fm.ascent, width, fm.height());
        Set_Source_Color(cr, dc.a.bk_color);
        cairo_fill(cr);
    }
    std::vector<cairo_glyph_t> glyphs;
    int pen_x = x0;
    for (size_t i = 0; i < run.text.size(); ++i) {
        wchar_t ch = run.text[i];
        if (ch != L' ' && ch >= 0x20) glyphs.push_back({Glyph_Index(ch), double(pen_x), double(baseline)});
        pen_x += advances[i];
    }
    Set_Font(cr, fm);
    Set_Source_Color(cr, dc.a.text_color);
    cairo_show_glyphs(cr, glyphs.data(), int(glyphs.size()));
    int thickness = std::max(1, int(std::lround(fm.em / 16.0)));
    auto line = [&](int from, int to, int y) {
        if (to <= from) return;
        cairo_rectangle(cr, from, y, to - from, thickness);
        cairo_fill(cr);
    };
    if (fm.underline) line(x0, x0 + width, baseline + std::max(1, int(std::lround(fm.descent / 3.0))));
    if (fm.strike_out) line(x0, x0 + width, baseline - int(std::lround(fm.ascent * 0.3)));
    if (run.underline_index >= 0 && run.underline_index < int(run.text.size())) {
        int ux = x0;
        for (int i = 0; i < run.underline_index; ++i) ux += advances[size_t(i)];
        line(ux, ux + advances[size_t(run.underline_index)], baseline + 1);
    }
    return width;
}

// A line of DrawText with the character under a mnemonic underline.
struct Text_Line {
    std::wstring text;
    int underline = -1;
};

Text_Line Strip_Prefix(const std::wstring& s, UINT format)
{
    Text_Line out;
    if (format & DT_NOPREFIX) {
        out.text = s;
        return out;
    }
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'&' && i + 1 < s.size()) {
            ++i;
            if (s[i] != L'&' && out.underline < 0 && !(format & DT_HIDEPREFIX)) out.underline = int(out.text.size());
        } else if (s[i] == L'&') {
            continue;
        }
        out.text += s[i];
    }
    return out;
}

bool Is_Wide(wchar_t ch) { return ch >= 0x2E80; }

// Greedy word wrap: breaks after spaces and around full-width characters.
std::vector<Text_Line> Wrap(const Font_Metrics& fm, const Text_Line& line, int width)
{
    std::vector<Text_Line> out;
    const std::wstring& t = line.text;
    size_t start = 0;
    while (start < t.size() || out.empty()) {
        if (start >= t.size()) {
            out.push_back({L"", -1});
            break;
        }
        int w = 0;
        size_t i = start, last_break = std::wstring::npos;
        for (; i < t.size(); ++i) {
            int a = Char_Advance(fm, t[i]);
            bool fits = w + a <= width || t[i] == L' ';
            if (!fits && i > start) break;
            w += a;
            if (t[i] == L' ' || Is_Wide(t[i]) || (i + 1 < t.size() && Is_Wide(t[i + 1]))) last_break = i + 1;
        }
        size_t end = i;
        if (i < t.size() && last_break != std::wstring::npos && last_break > start) end = last_break;
        if (i < t.size() && last_break == std::wstring::npos) {
            // A word longer than the line runs on to its end.
            while (end < t.size() && t[end] != L' ') ++end;
        }
        size_t trimmed = end;
        while (trimmed > start && t[trimmed - 1] == L' ') --trimmed;
        Text_Line piece{t.substr(start, trimmed - start), -1};
        if (line.underline >= int(start) && line.underline < int(trimmed)) piece.underline = line.underline - int(start);
        out.push_back(piece);
        start = end;
        while (start < t.size() && t[start] == L' ') ++start;
        if (start >= t.size()) break;
    }
    return out;
}

void End_Ellipsis(const Font_Metrics& fm, Text_Line& line, int width)
{
    if (Text_Width(fm, line.text) <= width) return;
    const std::wstring dots = L"...";
    int dots_w = Text_Width(fm, dots);
    std::wstring t = line.text;
    while (!t.empty() && Text_Width(fm, t) + dots_w > width) t.pop_back();
    line.text = t + dots;
    if (line.underline >= int(t.size())) line.underline = -1;
}

std::wstring Expand_Tabs(const std::wstring& s)
{
    std::wstring out;
    for (wchar_t ch : s) {
        if (ch != L'\t') {
            out += ch;
            continue;
        }
        do out += L' ';
        while (out.size() % 8);
    }
    return out;
}

}  // namespace

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString, UINT c, const INT* lpDx)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc || (c > 0 && !lpString)) return FALSE;
    Run run;
    run.x = x;
    run.y = y;
    run.align = dc->a.text_align;
    if (run.align & TA_UPDATECP) {
        run.x = dc->a.position.x;
        run.y = dc->a.position.y;
    }
    run.text = Text_Of(lpString, int(c));
    run.dx = lpDx;
    if (lprect && (options & ETO_CLIPPED)) run.clip = lprect;
    if (lprect && (options & ETO_OPAQUE)) run.opaque = lprect;
    run.fill_cell = !(options & ETO_OPAQUE) && dc->a.bk_mode == OPAQUE;
    int width = Draw_Run(*dc, run);
    if (run.align & TA_UPDATECP) dc->a.position.x += width;
    return TRUE;
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c)
{
    if (c < 0) return FALSE;
    return ExtTextOutW(hdc, x, y, 0, nullptr, lpString, UINT(c), nullptr);
}

int DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc || !lprc || (!lpchText && cchText != 0)) return 0;
    Font_Metrics fm = Font_Of_Dc(*dc);
    std::wstring text = Text_Of(lpchText, cchText);
    if (format & DT_EXPANDTABS) text = Expand_Tabs(text);
    int width = lprc->right - lprc->left;

    std::vector<Text_Line> lines;
    if (format & DT_SINGLELINE) {
        std::wstring one;
        for (wchar_t ch : text)
            if (ch != L'\r' && ch != L'\n') one += ch;
        lines.push_back(Strip_Prefix(one, format));
    } else {
        size_t start = 0;
        for (size_t i = 0; i <= text.size(); ++i) {
            if (i < text.size() && text[i] != L'\r' && text[i] != L'\n') continue;
            Text_Line line = Strip_Prefix(text.substr(start, i - start), format);
            if (format & DT_WORDBREAK) {
                for (Text_Line& piece : Wrap(fm, line, width)) lines.push_back(piece);
            } else {
                lines.push_back(line);
            }
            if (i < text.size() && text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            start = i + 1;
        }
    }
    if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
        for (Text_Line& line : lines) End_Ellipsis(fm, line, width);

    int line_h = fm.height();
    int total_h = line_h * int(lines.size());
    int max_w = 0;
    for (const Text_Line& line : lines) max_w = std::max(max_w, Text_Width(fm, line.text));

    if (format & DT_CALCRECT) {
        lprc->right = lprc->left + max_w;
        lprc->bottom = lprc->top + total_h;
        return total_h;
    }

    int y = lprc->top;
    bool single = format & DT_SINGLELINE;
    if (single && (format & DT_VCENTER)) y = lprc->top + (lprc->bottom - lprc->top - line_h) / 2;
    else if (single && (format & DT_BOTTOM)) y = lprc->bottom - line_h;
    int first_y = y;
    for (const Text_Line& line : lines) {
        int lw = Text_Width(fm, line.text);
        int x = lprc->left;
        if (format & DT_CENTER) x = lprc->left + (width - lw) / 2;
        else if (format & DT_RIGHT) x = lprc->right - lw;
        Run run;
        run.x = x;
        run.y = y;
        run.text = line.text;
        run.clip = (format & DT_NOCLIP) ? nullptr : lprc;
        run.fill_cell = dc->a.bk_mode == OPAQUE;
        run.underline_index = line.underline;
        Draw_Run(*dc, run);
        y += line_h;
    }
    if (single && (format & (DT_VCENTER | DT_BOTTOM))) return first_y - lprc->top + total_h;
    return total_h;
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc || !psizl || c < 0 || (c > 0 && !lpString)) return FALSE;
    Font_Metrics fm = Font_Of_Dc(*dc);
    psizl->cx = Text_Width(fm, Text_Of(lpString, c));
    psizl->cy = fm.height();
    return TRUE;
}

BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc || !lptm) return FALSE;
    const Font* f = Selected_Font(dc->a);
    Font_Metrics fm = Font_Of_Dc(*dc);
    *lptm = TEXTMETRICW{};
    lptm->tmHeight = fm.height();
    lptm->tmAscent = fm.ascent;
    lptm->tmDescent = fm.descent;
    lptm->tmInternalLeading = fm.internal_leading;
    lptm->tmExternalLeading = 0;
    lptm->tmAveCharWidth = fm.ave_char_width;
    lptm->tmMaxCharWidth = fm.max_char_width;
    lptm->tmWeight = f && f->lf.lfWeight ? f->lf.lfWeight : FW_NORMAL;
    lptm->tmDigitizedAspectX = 96;
    lptm->tmDigitizedAspectY = 96;
    lptm->tmFirstChar = 0x20;
    lptm->tmLastChar = 0xFFFF;
    lptm->tmDefaultChar = 0x1F;
    lptm->tmBreakChar = 0x20;
    lptm->tmItalic = fm.italic;
    lptm->tmUnderlined = fm.underline;
    lptm->tmStruckOut = fm.strike_out;
    lptm->tmPitchAndFamily = TMPF_FIXED_PITCH | TMPF_VECTOR | TMPF_TRUETYPE;  // variable pitch
    lptm->tmCharSet = f ? f->lf.lfCharSet : BYTE(DEFAULT_CHARSET);
    return TRUE;
}

int GetTextFaceW(HDC hdc, int c, LPWSTR lpName)
{
    Dc* dc = Dc_Of(hdc);
    const Font* f = dc ? Selected_Font(dc->a) : nullptr;
    if (!f) return 0;
    int len = int(std::wcslen(f->lf.lfFaceName));
    if (!lpName) return len + 1;
    if (c <= 0) return 0;
    int n = std::min(len, c - 1);
    std::wmemcpy(lpName, f->lf.lfFaceName, size_t(n));
    lpName[n] = 0;
    return n;
}
