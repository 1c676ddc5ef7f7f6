#include "plot/drivers/plot_font.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <mutex>

#include "db/text_metrics.h"
#include "script/utf8.h"

namespace platform {

namespace {

FT_Face Ft_Face()
{
    static FT_Face face = [] {
        FT_Library lib = nullptr;
        FT_Face ft = nullptr;
        if (FT_Init_FreeType(&lib) != 0 || FT_New_Face(lib, Text_Font_Path(), 0, &ft) != 0) return FT_Face(nullptr);
        return ft;
    }();
    return face;
}

cairo_font_face_t* Font_Face()
{
    static cairo_font_face_t* face =
        Ft_Face() ? cairo_ft_font_face_create_for_ft_face(Ft_Face(), FT_LOAD_NO_HINTING) : nullptr;
    return face;
}

bool Set_Font(cairo_t* cr, const Plot_Text& t)
{
    cairo_font_face_t* face = Font_Face();
    if (face == nullptr) return false;
    // Font space has y down; the page has y up.
    cairo_matrix_t m;
    cairo_matrix_init(&m, t.x_axis.x, t.x_axis.y, -t.y_axis.x, -t.y_axis.y, 0.0, 0.0);
    double det = m.xx * m.yy - m.xy * m.yx;
    if (!std::isfinite(det) || std::fabs(det) < 1e-18) return false;
    cairo_set_font_face(cr, face);
    cairo_set_font_matrix(cr, &m);
    static cairo_font_options_t* options = [] {
        cairo_font_options_t* o = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
        return o;
    }();
    cairo_set_font_options(cr, options);
    return true;
}

struct Glyph_Run {
    cairo_glyph_t* glyphs = nullptr;
    int glyph_count = 0;
    cairo_text_cluster_t* clusters = nullptr;
    int cluster_count = 0;
    cairo_text_cluster_flags_t flags = cairo_text_cluster_flags_t(0);
    ~Glyph_Run()
    {
        cairo_glyph_free(glyphs);
        cairo_text_cluster_free(clusters);
    }
};

bool Layout(cairo_t* cr, const Plot_Text& t, const std::string& utf8, Glyph_Run& run)
{
    if (!Set_Font(cr, t)) return false;
    cairo_scaled_font_t* sf = cairo_get_scaled_font(cr);
    return cairo_scaled_font_text_to_glyphs(sf, t.origin.x, t.origin.y, utf8.data(), int(utf8.size()), &run.glyphs,
                                            &run.glyph_count, &run.clusters, &run.cluster_count,
                                            &run.flags) == CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::string Plot_Font_Family()
{
    FT_Face face = Ft_Face();
    return face && face->family_name ? face->family_name : "sans-serif";
}

double Plot_Text_Advance(const Plot_Text& text)
{
    return Measure_Text_Line(text.text, Cap_Height_Ratio()).width;
}

bool Show_Plot_Text(cairo_t* cr, const Plot_Text& text)
{
    std::string utf8 = To_Utf8(text.text);
    Glyph_Run run;
    if (!Layout(cr, text, utf8, run)) return false;
    cairo_show_text_glyphs(cr, utf8.data(), int(utf8.size()), run.glyphs, run.glyph_count, run.clusters,
                           run.cluster_count, run.flags);
    return true;
}

std::vector<Paper_Ring> Plot_Text_Outline(const Plot_Text& text)
{
    std::vector<Paper_Ring> rings;
    // An unbounded surface: on a bounded one cairo leaves out glyphs that lie off it.
    cairo_surface_t* surface = cairo_recording_surface_create(CAIRO_CONTENT_ALPHA, nullptr);
    cairo_t* cr = cairo_create(surface);
    cairo_set_tolerance(cr, 0.01);
    std::string utf8 = To_Utf8(text.text);
    Glyph_Run run;
    if (Layout(cr, text, utf8, run)) {
        cairo_glyph_path(cr, run.glyphs, run.glyph_count);
        cairo_path_t* path = cairo_copy_path_flat(cr);
        for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
            const cairo_path_data_t& d = path->data[i];
            if (d.header.type == CAIRO_PATH_MOVE_TO) rings.emplace_back();
            if ((d.header.type == CAIRO_PATH_MOVE_TO || d.header.type == CAIRO_PATH_LINE_TO) && !rings.empty())
                rings.back().push_back({path->data[i + 1].point.x, path->data[i + 1].point.y});
        }
        cairo_path_destroy(path);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    std::erase_if(rings, [](const Paper_Ring& r) { return r.size() < 3; });
    return rings;
}

}  // namespace platform
