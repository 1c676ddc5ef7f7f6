#include "plot/drivers/cairo_device.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <cmath>

#include "plot/drivers/image_surface.h"
#include "plot/drivers/jpeg_file.h"
#include "plot/drivers/plot_font.h"

namespace platform {

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kMaxRasterPixels = 400.0e6;
constexpr size_t kStrokeBatchPoints = 20000;

cairo_status_t Write_To_File(void* file, const unsigned char* data, unsigned int length)
{
    return static_cast<Safe_File_Write*>(file)->write(data, length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

}  // namespace

Cairo_Device::Cairo_Device(Kind kind, std::wstring path, double dpi, int copies)
    : mKind(kind), mPath(std::move(path)), mDpi(dpi), mCopies(copies < 1 ? 1 : copies)
{
}

Cairo_Device::~Cairo_Device() { abandon(); }

void Cairo_Device::abandon()
{
    if (mCr) cairo_destroy(mCr);
    if (mSurface) cairo_surface_destroy(mSurface);
    if (mTarget) cairo_surface_destroy(mTarget);
    mCr = nullptr;
    mSurface = mTarget = nullptr;
    mFile.reset();
}

bool Cairo_Device::fail_page(const std::wstring& why)
{
    mError = why;
    abandon();
    return false;
}

bool Cairo_Device::begin_page(double width_mm, double height_mm, uint32_t background_rgb)
{
    mPageW = width_mm;
    mPageH = height_mm;
    mFile = std::make_unique<Safe_File_Write>(mPath);
    if (mFile->failed()) return fail_page(mFile->error());
    double unitsPerMm = kPointsPerMm;
    const double wPt = width_mm * kPointsPerMm, hPt = height_mm * kPointsPerMm;
    switch (mKind) {
    case Kind::Pdf:
        if (mCopies > 1) {
            mTarget = cairo_pdf_surface_create_for_stream(Write_To_File, mFile.get(), wPt, hPt);
            cairo_rectangle_t extents{0.0, 0.0, wPt, hPt};
            mSurface = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
        } else {
            mSurface = cairo_pdf_surface_create_for_stream(Write_To_File, mFile.get(), wPt, hPt);
        }
        break;
    case Kind::Png:
    case Kind::Jpg: {
        if (!(mDpi > 0.0)) return fail_page(L"resolution must be positive");
        unitsPerMm = mDpi / 25.4;
        const double w = std::round(width_mm * unitsPerMm), h = std::round(height_mm * unitsPerMm);
        if (w < 1 || h < 1 || w > 32767 || h > 32767 || w * h > kMaxRasterPixels)
            return fail_page(L"image of " + std::to_wstring(long(w)) + L" x " + std::to_wstring(long(h)) +
                             L" pixels is too large");
        mSurface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, int(w), int(h));
        mMinWidth = 25.4 / mDpi;  // one pixel
        break;
    }
    }
    if (cairo_surface_status(mSurface) != CAIRO_STATUS_SUCCESS ||
        (mTarget && cairo_surface_status(mTarget) != CAIRO_STATUS_SUCCESS))
        return fail_page(L"cannot write " + mPath);
    mCr = cairo_create(mSurface);
    if (raster()) {
        set_source(background_rgb);
        cairo_paint(mCr);
    }
    // Page millimetres, y up.
    cairo_scale(mCr, unitsPerMm, -unitsPerMm);
    cairo_translate(mCr, 0.0, -height_mm);
    cairo_set_line_cap(mCr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(mCr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_tolerance(mCr, 0.05);
    return true;
}

void Cairo_Device::set_source(uint32_t rgb)
{
    cairo_set_source_rgb(mCr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
}

void Cairo_Device::set_pen(const Plot_Pen& pen)
{
    if (mPenSet && pen == mPen) return;
    flush_strokes();
    mPen = pen;
    mPenSet = true;
}

void Cairo_Device::flush_strokes()
{
    if (mPathPoints == 0 || mCr == nullptr) return;
    set_source(mPen.rgb);
    cairo_set_line_width(mCr, std::max(mPen.width_mm, mMinWidth));
    cairo_stroke(mCr);
    mPathPoints = 0;
}

void Cairo_Device::polyline(const Paper_Point* points, size_t count)
{
    if (mCr == nullptr || count < 2) return;
    cairo_move_to(mCr, points[0].x, points[0].y);
    for (size_t i = 1; i < count; ++i) cairo_line_to(mCr, points[i].x, points[i].y);
    mPathPoints += count;
    if (mPathPoints >= kStrokeBatchPoints) flush_strokes();
}

void Cairo_Device::arc(const Paper_Point& c, const Paper_Point& u, const Paper_Point& v, double sweep, double)
{
    if (mCr == nullptr) return;
    cairo_matrix_t m;
    cairo_matrix_init(&m, u.x, u.y, v.x, v.y, c.x, c.y);
    cairo_matrix_t check = m;
    if (cairo_matrix_invert(&check) != CAIRO_STATUS_SUCCESS) return;
    // The path keeps device coordinates: the transform only shapes the unit circle (set back
    // by itself: a saved state would copy the clip for every arc).
    cairo_matrix_t page;
    cairo_get_matrix(mCr, &page);
    cairo_transform(mCr, &m);
    cairo_new_sub_path(mCr);
    if (sweep >= 0.0) cairo_arc(mCr, 0.0, 0.0, 1.0, 0.0, sweep);
    else cairo_arc_negative(mCr, 0.0, 0.0, 1.0, 0.0, sweep);
    cairo_set_matrix(mCr, &page);
    mPathPoints += 8;
    if (mPathPoints >= kStrokeBatchPoints) flush_strokes();
}

void Cairo_Device::fill(const std::vector<Paper_Ring>& rings)
{
    if (mCr == nullptr) return;
    flush_strokes();
    for (const Paper_Ring& ring : rings) {
        if (ring.size() < 3) continue;
        cairo_move_to(mCr, ring[0].x, ring[0].y);
        for (size_t i = 1; i < ring.size(); ++i) cairo_line_to(mCr, ring[i].x, ring[i].y);
        cairo_close_path(mCr);
    }
    cairo_set_fill_rule(mCr, CAIRO_FILL_RULE_EVEN_ODD);
    set_source(mPen.rgb);
    cairo_fill(mCr);
}

void Cairo_Device::text(const Plot_Text& text)
{
    if (mCr == nullptr) return;
    flush_strokes();
    // No saved state around it: every text sets its own font, and every stroke and fill its
    // own colour (a saved state would copy the clip for every text).
    set_source(mPen.rgb);
    Show_Plot_Text(mCr, text);
}

void Cairo_Device::image(const Plot_Image& image)
{
    if (mCr == nullptr) return;
    cairo_surface_t* src = Plot_Image_Surface(image);
    if (src == nullptr) return;
    flush_strokes();
    cairo_save(mCr);
    // Image pixel (px, py), rows from the top -> page: origin + u * px / w + v * (1 - py / h).
    cairo_matrix_t m;
    cairo_matrix_init(&m, image.u.x / image.width, image.u.y / image.width, -image.v.x / image.height,
                      -image.v.y / image.height, image.origin.x + image.v.x, image.origin.y + image.v.y);
    cairo_matrix_t check = m;
    if (cairo_matrix_invert(&check) == CAIRO_STATUS_SUCCESS) {
        cairo_transform(mCr, &m);
        cairo_set_source_surface(mCr, src, 0.0, 0.0);
        cairo_rectangle(mCr, 0.0, 0.0, image.width, image.height);
        cairo_fill(mCr);
    }
    cairo_restore(mCr);
    cairo_surface_destroy(src);
}

void Cairo_Device::push_clip(const Paper_Ring& polygon, bool inverted)
{
    if (mCr == nullptr) return;
    flush_strokes();
    cairo_save(mCr);
    cairo_new_path(mCr);
    if (polygon.size() >= 3) {
        cairo_move_to(mCr, polygon[0].x, polygon[0].y);
        for (size_t i = 1; i < polygon.size(); ++i) cairo_line_to(mCr, polygon[i].x, polygon[i].y);
        cairo_close_path(mCr);
    }
    if (inverted) cairo_rectangle(mCr, -1.0, -1.0, mPageW + 2.0, mPageH + 2.0);
    cairo_set_fill_rule(mCr, inverted ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    cairo_clip(mCr);
}

void Cairo_Device::pop_clip()
{
    if (mCr == nullptr) return;
    flush_strokes();
    cairo_restore(mCr);
}

bool Cairo_Device::finish(std::wstring& error)
{
    if (mCr == nullptr) {
        error = mError.empty() ? L"page not started" : mError;
        return false;
    }
    flush_strokes();
    cairo_destroy(mCr);
    mCr = nullptr;
    bool ok = cairo_surface_status(mSurface) == CAIRO_STATUS_SUCCESS;
    if (ok && mTarget) {
        cairo_t* cr = cairo_create(mTarget);
        for (int i = 0; i < mCopies; ++i) {
            cairo_set_source_surface(cr, mSurface, 0.0, 0.0);
            cairo_paint(cr);
            cairo_show_page(cr);
        }
        cairo_destroy(cr);
        cairo_surface_finish(mTarget);
        ok = cairo_surface_status(mTarget) == CAIRO_STATUS_SUCCESS;
    }
    std::wstring why;
    if (ok && mKind == Kind::Png)
        ok = cairo_surface_write_to_png_stream(mSurface, Write_To_File, mFile.get()) == CAIRO_STATUS_SUCCESS;
    if (ok && mKind == Kind::Jpg) ok = Write_Jpeg(mSurface, *mFile, mDpi, 90, why);
    cairo_surface_finish(mSurface);
    ok = ok && cairo_surface_status(mSurface) == CAIRO_STATUS_SUCCESS && mFile->commit();
    if (!ok) {
        error = mFile->failed() ? mFile->error() : !why.empty() ? why : L"cannot write " + mPath;
        abandon();
        return false;
    }
    mFiles.push_back(mPath);
    return true;
}

}  // namespace platform
