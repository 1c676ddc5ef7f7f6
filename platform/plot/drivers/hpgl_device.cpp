#include "plot/drivers/hpgl_device.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "plot/drivers/plot_font.h"
#include "plot/drivers/upright_image.h"
#include "win/safe_file_write.h"

namespace platform {

namespace {

const char kUel[] = "\x1b%-12345X";

int Color_Distance(uint32_t a, uint32_t b)
{
    int dr = int((a >> 16) & 0xFF) - int((b >> 16) & 0xFF);
    int dg = int((a >> 8) & 0xFF) - int((b >> 8) & 0xFF);
    int db = int(a & 0xFF) - int(b & 0xFF);
    return dr * dr + dg * dg + db * db;
}

}  // namespace

bool Hpgl_Device::begin_page(double width_mm, double height_mm, uint32_t background_rgb)
{
    mBackground = background_rgb;
    mPageW = width_mm;
    mPageH = height_mm;
    char buf[256];
    mOut = std::string(kUel) + "@PJL JOB NAME=\"KORVEL\"\r\n";
    mOut += "@PJL ENTER LANGUAGE=HPGL2\r\n";
    std::snprintf(buf, sizeof buf, "IN;PS%ld,%ld;WU0;NP%d;", std::lround(height_mm * kUnitsPerMm),
                  std::lround(width_mm * kUnitsPerMm), kPens);
    mOut += buf;
    for (int pen = 1; pen <= kPens; ++pen) {
        std::snprintf(buf, sizeof buf, "PW0.25,%d;", pen);
        mOut += buf;
    }
    mOut += "LA1,4,2,4;FT1;PU;\n";  // round ends and joins, solid fill
    window({0.0, 0.0, width_mm, height_mm});
    return true;
}

void Hpgl_Device::set_pen(const Plot_Pen& pen)
{
    if (pen == mPen && !mPenChanged) return;
    mPen = pen;
    mPenChanged = true;
}

void Hpgl_Device::select_pen()
{
    if (!mPenChanged) return;
    mPenChanged = false;
    char buf[96];
    int pen = 0;
    for (int i = 0; i < mPensUsed; ++i)
        if (mPenColors[i] == mPen.rgb) pen = i + 1;
    if (pen == 0 && mPensUsed < kPens) {
        mPenColors[mPensUsed++] = mPen.rgb;
        pen = mPensUsed;
        std::snprintf(buf, sizeof buf, "PC%d,%u,%u,%u;", pen, (mPen.rgb >> 16) & 0xFF, (mPen.rgb >> 8) & 0xFF,
                      mPen.rgb & 0xFF);
        mOut += buf;
    }
    if (pen == 0) {  // all pens taken: the nearest colour
        int best = 0;
        for (int i = 1; i < kPens; ++i)
            if (Color_Distance(mPenColors[i], mPen.rgb) < Color_Distance(mPenColors[best], mPen.rgb)) best = i;
        pen = best + 1;
    }
    if (pen != mCurrentPen) {
        std::snprintf(buf, sizeof buf, "SP%d;", pen);
        mOut += buf;
        mCurrentPen = pen;
        mCurrentWidth = -1.0;
    }
    double width = std::max(mPen.width_mm, kThinnestMm);
    if (width != mCurrentWidth) {
        std::snprintf(buf, sizeof buf, "PW%.2f;", width);
        mOut += buf;
        mCurrentWidth = width;
    }
}

void Hpgl_Device::point(const Paper_Point& p)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%ld,%ld", std::lround(p.x * kUnitsPerMm), std::lround(p.y * kUnitsPerMm));
    mOut += buf;
}

void Hpgl_Device::polyline(const Paper_Point* points, size_t count)
{
    if (count < 2) return;
    select_pen();
    mOut += "PU";
    point(points[0]);
    mOut += ";PD";
    for (size_t i = 1; i < count; ++i) {
        if (i > 1) mOut += ',';
        point(points[i]);
    }
    mOut += ";\n";
}

void Hpgl_Device::fill(const std::vector<Paper_Ring>& rings)
{
    bool any = false;
    for (const Paper_Ring& ring : rings) {
        if (ring.size() < 3) continue;
        if (!any) {
            select_pen();
            mOut += "PU";
            point(ring[0]);
            mOut += ";PM0;";
            any = true;
        } else {
            mOut += "PU";
            point(ring[0]);
            mOut += ";";
        }
        mOut += "PD";
        for (size_t i = 1; i < ring.size(); ++i) {
            if (i > 1) mOut += ',';
            point(ring[i]);
        }
        mOut += ";PM1;";
    }
    if (any) mOut += "PM2;FP0;PU;\n";  // even-odd fill: inner rings are holes
}

void Hpgl_Device::text(const Plot_Text& text) { fill(Plot_Text_Outline(text)); }

void Hpgl_Device::image(const Plot_Image& image)
{
    const Box box = mClips.empty() ? Box{0.0, 0.0, mPageW, mPageH} : mClips.back();
    const Plot_Image up = Crop_Upright_Image(Upright_Image(image), Clip_Rect{box.x0, box.y0, box.x1, box.y1});
    if (up.pixels.empty()) return;
    char buf[160];
    // The pen to the image's top-left corner, then into HP RTL with the raster's position there.
    mOut += "PU";
    point({up.origin.x, up.origin.y + up.v.y});
    mOut += ";\x1b%1A";
    mOut += std::string("\x1b*v6W") + std::string("\x00\x03\x00\x08\x08\x08", 6);  // RGB, direct by pixel, 8 bits each
    const double decipointsPerMm = 720.0 / 25.4;
    std::snprintf(buf, sizeof buf, "\x1b*r%dS\x1b*r%dT\x1b*t%ldH\x1b*t%ldV\x1b*b0M\x1b*r3A", up.width, up.height,
                  std::lround(up.u.x * decipointsPerMm), std::lround(up.v.y * decipointsPerMm));
    mOut += buf;
    std::string row(size_t(up.width) * 3, '\0');
    for (int y = 0; y < up.height; ++y) {
        for (int x = 0; x < up.width; ++x) {
            const uint32_t rgb = Over_Background(up.pixels[size_t(y) * size_t(up.width) + size_t(x)], mBackground);
            row[size_t(x) * 3] = char((rgb >> 16) & 0xFF);
            row[size_t(x) * 3 + 1] = char((rgb >> 8) & 0xFF);
            row[size_t(x) * 3 + 2] = char(rgb & 0xFF);
        }
        std::snprintf(buf, sizeof buf, "\x1b*b%dW", int(row.size()));
        mOut += buf + row;
    }
    // Back to HP-GL/2 where the pen was.
    mOut += "\x1b*rC\x1b%0BPU;\n";
}

void Hpgl_Device::window(const Box& b)
{
    char buf[96];
    std::snprintf(buf, sizeof buf, "IW%ld,%ld,%ld,%ld;", std::lround(b.x0 * kUnitsPerMm), std::lround(b.y0 * kUnitsPerMm),
                  std::lround(b.x1 * kUnitsPerMm), std::lround(b.y1 * kUnitsPerMm));
    mOut += buf;
}

// The plotter clips to rectangles only: a clip polygon clips by its bounding box.
void Hpgl_Device::push_clip(const Paper_Ring& polygon, bool inverted)
{
    Box box = mClips.empty() ? Box{0.0, 0.0, mPageW, mPageH} : mClips.back();
    if (inverted) {
        mClips.push_back(box);
        return;
    }
    Box own{1e300, 1e300, -1e300, -1e300};
    for (const Paper_Point& p : polygon) {
        own.x0 = std::min(own.x0, p.x), own.y0 = std::min(own.y0, p.y);
        own.x1 = std::max(own.x1, p.x), own.y1 = std::max(own.y1, p.y);
    }
    box = {std::max(box.x0, own.x0), std::max(box.y0, own.y0), std::min(box.x1, own.x1), std::min(box.y1, own.y1)};
    if (box.x1 < box.x0) box.x1 = box.x0;
    if (box.y1 < box.y0) box.y1 = box.y0;
    mClips.push_back(box);
    window(box);
}

void Hpgl_Device::pop_clip()
{
    if (mClips.empty()) return;
    mClips.pop_back();
    window(mClips.empty() ? Box{0.0, 0.0, mPageW, mPageH} : mClips.back());
}

bool Hpgl_Device::finish(std::wstring& error)
{
    mOut += "PU;SP0;PG;\n";
    mOut += std::string(kUel) + "@PJL EOJ\r\n" + kUel;
    if (!Safe_Write_File(mPath, mOut, error)) return false;
    mFiles.push_back(mPath);
    return true;
}

}  // namespace platform
