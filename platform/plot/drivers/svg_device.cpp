#include "plot/drivers/svg_device.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "plot/drivers/image_surface.h"
#include "plot/drivers/plot_font.h"
#include "plot/drivers/xml_text.h"
#include "script/utf8.h"
#include "win/safe_file_write.h"

namespace platform {

namespace {

constexpr double kSvgPointsPerMm = 72.0 / 25.4;
constexpr double kSvgThinnestMm = 0.1;
constexpr size_t kSvgStrokeBatch = 64 * 1024;

// A length in millimetres, to the micrometre, without trailing zeros.
std::string Svg_Mm(double v)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.3f", std::fabs(v) < 5e-4 ? 0.0 : v);
    std::string s = buf;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s;
}

// One path step: "M" or "L" and the point.
void Append_Svg_Step(std::string& out, char command, const Paper_Point& p)
{
    out += command;
    out += Svg_Mm(p.x);
    out += ' ';
    out += Svg_Mm(p.y);
}

std::string Svg_Color(uint32_t rgb)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%06x", rgb & 0xFFFFFF);
    return buf;
}

std::string Svg_Matrix(double a, double b, double c, double d, double e, double f)
{
    char buf[200];
    std::snprintf(buf, sizeof buf, "matrix(%.6g %.6g %.6g %.6g %s %s)", a, b, c, d, Svg_Mm(e).c_str(), Svg_Mm(f).c_str());
    return buf;
}

std::string Svg_Base64(const std::string& bytes)
{
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t v = uint32_t(static_cast<unsigned char>(bytes[i])) << 16;
        if (n > 1) v |= uint32_t(static_cast<unsigned char>(bytes[i + 1])) << 8;
        if (n > 2) v |= uint32_t(static_cast<unsigned char>(bytes[i + 2]));
        out += kDigits[(v >> 18) & 63];
        out += kDigits[(v >> 12) & 63];
        out += n > 1 ? kDigits[(v >> 6) & 63] : '=';
        out += n > 2 ? kDigits[v & 63] : '=';
    }
    return out;
}

cairo_status_t Append_Svg_Bytes(void* out, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(out)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// The image as PNG bytes (empty when it cannot be encoded).
std::string Svg_Png_Bytes(const Plot_Image& image)
{
    std::string png;
    cairo_surface_t* surface = Plot_Image_Surface(image);
    if (surface == nullptr) return png;
    if (cairo_surface_write_to_png_stream(surface, Append_Svg_Bytes, &png) != CAIRO_STATUS_SUCCESS) png.clear();
    cairo_surface_destroy(surface);
    return png;
}

}  // namespace

bool Svg_Device::begin_page(double width_mm, double height_mm, uint32_t)
{
    mPageW = width_mm;
    mPageH = height_mm;
    char buf[400];
    std::snprintf(buf, sizeof buf,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                  "width=\"%.3fpt\" height=\"%.3fpt\" viewBox=\"0 0 %s %s\">\n",
                  width_mm * kSvgPointsPerMm, height_mm * kSvgPointsPerMm, Svg_Mm(width_mm).c_str(), Svg_Mm(height_mm).c_str());
    mOut = buf;
    // Page millimetres, y up.
    mOut += "<g transform=\"matrix(1 0 0 -1 0 " + Svg_Mm(height_mm) +
            ")\" fill=\"none\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    return true;
}

void Svg_Device::set_pen(const Plot_Pen& pen)
{
    if (pen == mPen) return;
    flush_strokes();
    mPen = pen;
}

void Svg_Device::flush_strokes()
{
    if (mStrokes.empty()) return;
    mOut += "<path stroke=\"" + Svg_Color(mPen.rgb) + "\" stroke-width=\"" + Svg_Mm(std::max(mPen.width_mm, kSvgThinnestMm)) +
            "\" d=\"" + mStrokes + "\"/>\n";
    mStrokes.clear();
}

void Svg_Device::polyline(const Paper_Point* points, size_t count)
{
    if (count < 2) return;
    Append_Svg_Step(mStrokes, 'M', points[0]);
    for (size_t i = 1; i < count; ++i) Append_Svg_Step(mStrokes, 'L', points[i]);
    if (mStrokes.size() > kSvgStrokeBatch) flush_strokes();
}

void Svg_Device::ring_path(const Paper_Ring& ring)
{
    Append_Svg_Step(mOut, 'M', ring[0]);
    for (size_t i = 1; i < ring.size(); ++i) Append_Svg_Step(mOut, 'L', ring[i]);
    mOut += "Z";
}

void Svg_Device::fill(const std::vector<Paper_Ring>& rings)
{
    flush_strokes();
    const size_t start = mOut.size();
    mOut += "<path fill=\"" + Svg_Color(mPen.rgb) + "\" fill-rule=\"evenodd\" d=\"";
    bool any = false;
    for (const Paper_Ring& ring : rings) {
        if (ring.size() < 3) continue;
        ring_path(ring);
        any = true;
    }
    if (!any) {
        mOut.resize(start);
        return;
    }
    mOut += "\"/>\n";
}

void Svg_Device::text(const Plot_Text& t)
{
    const std::string utf8 = Xml_Escape(To_Utf8(t.text));
    const double em = std::hypot(t.y_axis.x, t.y_axis.y);
    if (utf8.empty() || !(em > 0.0)) return;
    flush_strokes();
    // The font at its em size; the transform carries width factor, rotation, obliquing and
    // mirroring, with the font's y down turned up.
    char size[96];
    std::snprintf(size, sizeof size, "font-size=\"%.6g\" textLength=\"%.6g\"", em, Plot_Text_Advance(t) * em);
    mOut += "<text transform=\"" +
            Svg_Matrix(t.x_axis.x / em, t.x_axis.y / em, -t.y_axis.x / em, -t.y_axis.y / em, t.origin.x, t.origin.y) +
            "\" font-family=\"" + Xml_Escape(Plot_Font_Family()) + "\" " + size +
            " lengthAdjust=\"spacingAndGlyphs\" fill=\"" + Svg_Color(mPen.rgb) + "\" xml:space=\"preserve\">" + utf8 +
            "</text>\n";
}

void Svg_Device::image(const Plot_Image& image)
{
    const std::string png = Svg_Png_Bytes(image);
    if (png.empty()) return;
    flush_strokes();
    // Image pixel (px, py), rows from the top -> page: origin + u * px / w + v * (1 - py / h).
    const double w = image.width, h = image.height;
    mOut += "<image width=\"" + std::to_string(image.width) + "\" height=\"" + std::to_string(image.height) +
            "\" preserveAspectRatio=\"none\" transform=\"" +
            Svg_Matrix(image.u.x / w, image.u.y / w, -image.v.x / h, -image.v.y / h, image.origin.x + image.v.x,
                   image.origin.y + image.v.y) +
            "\" xlink:href=\"data:image/png;base64," + Svg_Base64(png) + "\"/>\n";
}

double Svg_Device::thinnest_line_mm() const { return kSvgThinnestMm; }

void Svg_Device::push_clip(const Paper_Ring& polygon, bool inverted)
{
    flush_strokes();
    const std::string id = "clip" + std::to_string(++mClipCount);
    mOut += "<clipPath id=\"" + id + "\"><path clip-rule=\"" + std::string(inverted ? "evenodd" : "nonzero") + "\" d=\"";
    if (polygon.size() >= 3) ring_path(polygon);
    if (inverted) ring_path({{-1.0, -1.0}, {mPageW + 1.0, -1.0}, {mPageW + 1.0, mPageH + 1.0}, {-1.0, mPageH + 1.0}});
    mOut += "\"/></clipPath>\n<g clip-path=\"url(#" + id + ")\">\n";
    ++mOpenClips;
}

void Svg_Device::pop_clip()
{
    if (mOpenClips == 0) return;
    flush_strokes();
    mOut += "</g>\n";
    --mOpenClips;
}

bool Svg_Device::finish(std::wstring& error)
{
    if (mOut.empty()) {
        error = L"page not started";
        return false;
    }
    flush_strokes();
    for (; mOpenClips > 0; --mOpenClips) mOut += "</g>\n";
    mOut += "</g>\n</svg>\n";
    if (!Safe_Write_File(mPath, mOut, error)) return false;
    mFiles.push_back(mPath);
    return true;
}

}  // namespace platform
