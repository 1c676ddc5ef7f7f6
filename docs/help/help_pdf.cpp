// Builds the user's manual "BPHelp.pdf" from its plain-text source:
//
//     help_pdf SOURCE.txt FONT OUT.pdf
//
// Source lines (UTF-8): "= " the title, "# " a chapter, "## " a section, "- " a list
// item, any other line a paragraph; blank lines and lines starting with "//" are skipped.
// Lines wrap between Chinese characters and between words, never before closing or after
// opening punctuation; a heading keeps the lines after it on its page. Chapters and
// sections make the document's outline. The font is embedded with its Unicode map, so the
// text can be searched and extracted. OUT is replaced only once the new file is whole.
#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr double Page_Width = 595.28, Page_Height = 841.89;  // A4 in points
constexpr double Margin_Left = 62, Margin_Right = 62, Margin_Top = 64, Margin_Bottom = 70;
constexpr double Text_Width = Page_Width - Margin_Left - Margin_Right;

struct Style {
    double size;
    bool bold;
    double indent;        // of the first line's text from the left margin
    double wrap_indent;   // of the following lines
    double space_before;
    double space_after;
    double grey;          // 0 black
};

const Style Title_Style{22, true, 0, 0, 40, 26, 0};
const Style Chapter_Style{16, true, 0, 0, 18, 8, 0.1};
const Style Section_Style{12.5, true, 0, 0, 12, 5, 0.15};
const Style Paragraph_Style{10.5, false, 0, 0, 0, 6, 0};
const Style Item_Style{10.5, false, 14, 14, 0, 3, 0};

// Code points of one UTF-8 text with the byte ranges they came from.
struct Glyph_Char {
    char32_t code;
    std::string bytes;
};

std::vector<Glyph_Char> Decode(const std::string& text)
{
    std::vector<Glyph_Char> chars;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (size_t k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        chars.push_back({code, text.substr(i, length)});
        i += length;
    }
    return chars;
}

bool Is_Closing(char32_t c)
{
    return std::u32string_view(U"，。、；：！？）》」』】”’…%,.;:!?)]").find(c) != std::u32string_view::npos;
}

bool Is_Opening(char32_t c) { return std::u32string_view(U"（《「『【“‘").find(c) != std::u32string_view::npos; }

// The pieces a line may break between: an ASCII word, a blank, or one other character,
// with closing punctuation kept on the piece before it and opening punctuation on the one
// after it.
std::vector<std::string> Break_Pieces(const std::string& text)
{
    std::vector<std::string> pieces;
    std::string opening;
    bool in_word = false;
    for (const Glyph_Char& ch : Decode(text)) {
        const bool ascii_word = ch.code < 0x80 && ch.code != U' ';
        if (Is_Closing(ch.code) && !pieces.empty() && opening.empty()) {
            pieces.back() += ch.bytes;
            in_word = in_word && ascii_word;
            continue;
        }
        if (Is_Opening(ch.code)) {
            opening += ch.bytes;
            in_word = false;
            continue;
        }
        if (ascii_word && in_word && opening.empty()) {
            pieces.back() += ch.bytes;
            continue;
        }
        pieces.push_back(opening + ch.bytes);
        opening.clear();
        in_word = ascii_word;
    }
    if (!opening.empty()) pieces.push_back(opening);
    return pieces;
}

class Manual_Writer {
public:
    Manual_Writer(cairo_surface_t* surface, cairo_font_face_t* regular, cairo_font_face_t* bold)
        : Surface(surface), Regular(regular), Bold(bold), Cr(cairo_create(surface))
    {
    }
    ~Manual_Writer() { cairo_destroy(Cr); }

    void Title(const std::string& text)
    {
        Use(Title_Style);
        Y += Title_Style.space_before;
        cairo_text_extents_t extents;
        cairo_text_extents(Cr, text.c_str(), &extents);
        Draw_Text(text, (Page_Width - extents.x_advance) / 2, Title_Style);
        Y += Line_Height(Title_Style) + Title_Style.space_after;
        cairo_pdf_surface_set_metadata(Surface, CAIRO_PDF_METADATA_TITLE, text.c_str());
    }

    void Heading(const std::string& text, const Style& style, bool chapter)
    {
        Use(style);
        const double keep = Line_Height(style) + 3 * Line_Height(Paragraph_Style);
        if (Page_Used) Y += style.space_before;
        if (Y + keep > Page_Height - Margin_Bottom) Next_Page();
        const int parent = chapter ? CAIRO_PDF_OUTLINE_ROOT : Chapter_Outline;
        char link[96];
        std::snprintf(link, sizeof link, "page=%d pos=[%.1f %.1f]", Page, Margin_Left, Y);
        const int id = cairo_pdf_surface_add_outline(Surface, parent, text.c_str(), link,
                                                     chapter ? CAIRO_PDF_OUTLINE_FLAG_OPEN
                                                             : static_cast<cairo_pdf_outline_flags_t>(0));
        if (chapter) Chapter_Outline = id;
        Paragraph(text, style, "");
    }

    // Wrapped text; a list item is led by its mark in front of the first line.
    void Paragraph(const std::string& text, const Style& style, const std::string& mark)
    {
        Use(style);
        std::vector<std::string> lines;
        std::string line;
        double width = 0;
        double room = Text_Width - style.indent;
        for (const std::string& piece : Break_Pieces(text)) {
            const double piece_width = Advance(piece);
            if (!line.empty() && width + piece_width > room) {
                lines.push_back(Trim_Trailing_Blanks(line));
                line.clear();
                width = 0;
                room = Text_Width - style.wrap_indent;
            }
            if (line.empty() && piece == " ") continue;
            line += piece;
            width += piece_width;
        }
        if (!line.empty()) lines.push_back(Trim_Trailing_Blanks(line));
        for (size_t i = 0; i < lines.size(); ++i) {
            if (Y + Line_Height(style) > Page_Height - Margin_Bottom) Next_Page();
            if (i == 0 && !mark.empty()) Draw_Text(mark, Margin_Left + 2, style);
            Draw_Text(lines[i], Margin_Left + (i == 0 ? style.indent : style.wrap_indent), style);
            Y += Line_Height(style);
        }
        Y += style.space_after;
    }

    void Finish() { Finish_Page(); }

private:
    static std::string Trim_Trailing_Blanks(std::string text)
    {
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text;
    }

    static double Line_Height(const Style& style) { return style.size * 1.65; }

    void Use(const Style& style)
    {
        cairo_set_font_face(Cr, style.bold ? Bold : Regular);
        cairo_set_font_size(Cr, style.size);
        cairo_set_source_rgb(Cr, style.grey, style.grey, style.grey);
    }

    double Advance(const std::string& text)
    {
        cairo_text_extents_t extents;
        cairo_text_extents(Cr, text.c_str(), &extents);
        return extents.x_advance;
    }

    // Draws text at x on the current line.
    void Draw_Text(const std::string& text, double x, const Style& style)
    {
        cairo_move_to(Cr, x, Y + style.size * 1.2);
        cairo_show_text(Cr, text.c_str());
        Page_Used = true;
    }

    void Finish_Page()
    {
        cairo_save(Cr);
        cairo_set_font_face(Cr, Regular);
        cairo_set_font_size(Cr, 9);
        cairo_set_source_rgb(Cr, 0.45, 0.45, 0.45);
        const std::string number = "第 " + std::to_string(Page) + " 页";
        cairo_move_to(Cr, (Page_Width - Advance(number)) / 2, Page_Height - Margin_Bottom / 2);
        cairo_show_text(Cr, number.c_str());
        cairo_restore(Cr);
        cairo_show_page(Cr);
    }

    void Next_Page()
    {
        Finish_Page();
        ++Page;
        Y = Margin_Top;
        Page_Used = false;
    }

    cairo_surface_t* Surface;
    cairo_font_face_t* Regular;
    cairo_font_face_t* Bold;
    cairo_t* Cr;
    double Y = Margin_Top;
    int Page = 1;
    bool Page_Used = false;
    int Chapter_Outline = CAIRO_PDF_OUTLINE_ROOT;
};

bool Starts_With(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

int Build(const char* source_path, const char* font_path, const std::filesystem::path& out_path)
{
    std::ifstream source(source_path);
    if (!source) {
        std::fprintf(stderr, "help_pdf: cannot read %s\n", source_path);
        return 1;
    }
    // cairo keeps one font face per FreeType face: the bold one has a FreeType face of its own.
    FT_Library library = nullptr;
    FT_Face face = nullptr, bold_face = nullptr;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, font_path, 0, &face) != 0 ||
        FT_New_Face(library, font_path, 0, &bold_face) != 0) {
        std::fprintf(stderr, "help_pdf: cannot load the font %s\n", font_path);
        return 1;
    }
    cairo_font_face_t* regular = cairo_ft_font_face_create_for_ft_face(face, 0);
    cairo_font_face_t* bold = cairo_ft_font_face_create_for_ft_face(bold_face, 0);
    cairo_ft_font_face_set_synthesize(bold, CAIRO_FT_SYNTHESIZE_BOLD);

    const std::filesystem::path partial = out_path.string() + ".part";
    cairo_surface_t* surface = cairo_pdf_surface_create(partial.c_str(), Page_Width, Page_Height);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Korvel help_pdf");
    {
        Manual_Writer writer(surface, regular, bold);
        std::string line;
        while (std::getline(source, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || Starts_With(line, "//")) continue;
            if (Starts_With(line, "= "))
                writer.Title(line.substr(2));
            else if (Starts_With(line, "## "))
                writer.Heading(line.substr(3), Section_Style, false);
            else if (Starts_With(line, "# "))
                writer.Heading(line.substr(2), Chapter_Style, true);
            else if (Starts_With(line, "- "))
                writer.Paragraph(line.substr(2), Item_Style, "•");
            else
                writer.Paragraph(line, Paragraph_Style, "");
        }
        writer.Finish();
    }
    cairo_surface_finish(surface);
    const bool written = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    cairo_font_face_destroy(regular);
    cairo_font_face_destroy(bold);
    FT_Done_Face(face);
    FT_Done_Face(bold_face);
    FT_Done_FreeType(library);
    std::error_code error;
    if (!written || (std::filesystem::rename(partial, out_path, error), error)) {
        std::fprintf(stderr, "help_pdf: cannot write %s\n", out_path.c_str());
        std::filesystem::remove(partial, error);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: help_pdf SOURCE.txt FONT OUT.pdf\n");
        return 2;
    }
    return Build(argv[1], argv[2], argv[3]);
}
