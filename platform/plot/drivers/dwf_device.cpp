#include "plot/drivers/dwf_device.h"

#include <cmath>
#include <cstdio>

#include "plot/drivers/jpeg_file.h"
#include "plot/drivers/plot_font.h"
#include "plot/drivers/upright_image.h"
#include "plot/drivers/xml_text.h"
#include "plot/drivers/zip_writer.h"
#include "script/utf8.h"
#include "win/safe_file_write.h"

namespace platform {

namespace {

std::string Quoted(const std::string& s)
{
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

// W2D angles: a full turn is 65536.
long Angle_Units(double radians)
{
    long a = std::lround(radians / (2.0 * M_PI) * 65536.0) % 65536;
    return a < 0 ? a + 65536 : a;
}

}  // namespace

bool Dwf_Device::begin_page(double width_mm, double height_mm, uint32_t background_rgb)
{
    mPageW = width_mm;
    mPageH = height_mm;
    mBackground = background_rgb;
    mClips.assign(1, Clip_Rect{0.0, 0.0, width_mm, height_mm});
    char buf[160];
    mW2d = "(W2D V06.00)";
    std::snprintf(buf, sizeof buf, "(Background %u,%u,%u,255)", (background_rgb >> 16) & 0xFF,
                  (background_rgb >> 8) & 0xFF, background_rgb & 0xFF);
    mW2d += buf;
    std::snprintf(buf, sizeof buf, "(Units \"mm\" (%g 0 0 0 0 %g 0 0 0 0 1 0 0 0 0 1))", 1.0 / kUnitsPerMm,
                  1.0 / kUnitsPerMm);
    mW2d += buf;
    mW2d += "\n";
    return true;
}

void Dwf_Device::set_pen(const Plot_Pen& pen) { mPen = pen; }

void Dwf_Device::emit_pen()
{
    if (mEmittedAny && mEmitted == mPen) return;
    char buf[96];
    if (!mEmittedAny || mEmitted.rgb != mPen.rgb) {
        std::snprintf(buf, sizeof buf, "C %u,%u,%u,255\n", (mPen.rgb >> 16) & 0xFF, (mPen.rgb >> 8) & 0xFF,
                      mPen.rgb & 0xFF);
        mW2d += buf;
    }
    if (!mEmittedAny || mEmitted.width_mm != mPen.width_mm) {
        std::snprintf(buf, sizeof buf, "(LineWeight %ld)\n", std::lround(mPen.width_mm * kUnitsPerMm));
        mW2d += buf;
    }
    mEmitted = mPen;
    mEmittedAny = true;
}

void Dwf_Device::point(const Paper_Point& p)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, " %ld,%ld", std::lround(p.x * kUnitsPerMm), std::lround(p.y * kUnitsPerMm));
    mW2d += buf;
}

void Dwf_Device::polyline(const Paper_Point* points, size_t count)
{
    for (const auto& run : Clip_Polyline(points, count, clip())) {
        if (run.size() < 2) continue;
        emit_pen();
        if (run.size() == 2) {
            mW2d += "L";
        } else {
            mW2d += "P " + std::to_string(run.size());
        }
        for (const Paper_Point& p : run) point(p);
        mW2d += "\n";
    }
}

void Dwf_Device::fill(const std::vector<Paper_Ring>& rings)
{
    std::vector<Paper_Ring> kept;
    for (const Paper_Ring& r : rings) {
        Paper_Ring c = Clip_Ring(r, clip());
        if (!c.empty()) kept.push_back(std::move(c));
    }
    if (kept.empty()) return;
    emit_pen();
    mW2d += "(Contour " + std::to_string(kept.size());
    for (const Paper_Ring& r : kept) mW2d += " " + std::to_string(r.size());
    for (const Paper_Ring& r : kept)
        for (const Paper_Point& p : r) point(p);
    mW2d += ")\n";
}

void Dwf_Device::text(const Plot_Text& t)
{
    if (!clip().contains(t.origin)) return;
    const double xLen = std::hypot(t.x_axis.x, t.x_axis.y), yLen = std::hypot(t.y_axis.x, t.y_axis.y);
    if (!(xLen > 0.0) || !(yLen > 0.0)) return;
    // Height of the em square across the baseline; obliquing from the y axis's lean.
    const double cross = (t.x_axis.x * t.y_axis.y - t.x_axis.y * t.y_axis.x) / xLen;
    if (cross < 0.0) {
        // A mirrored text: W2D texts only turn, so its glyphs are filled outlines.
        fill(Plot_Text_Outline(t));
        return;
    }
    emit_pen();
    const double rotation = std::atan2(t.x_axis.y, t.x_axis.x);
    const double along = (t.x_axis.x * t.y_axis.x + t.x_axis.y * t.y_axis.y) / xLen;
    char buf[200];
    std::snprintf(buf, sizeof buf, "(Font %s (Height %ld) (Rotation %ld) (WidthScale %ld) (Oblique %ld))\n",
                  Quoted(Plot_Font_Family()).c_str(), std::lround(std::fabs(cross) * kUnitsPerMm), Angle_Units(rotation),
                  std::lround(xLen / std::fabs(cross) * 1024.0), Angle_Units(std::atan2(along, std::fabs(cross))));
    mW2d += buf;
    mW2d += "(Text";
    point(t.origin);
    mW2d += " " + Quoted(To_Utf8(t.text)) + ")\n";
}

// An upright JPEG (binary extended opcode 0x0008) in the image's bounding box, cut to the clip;
// transparent parts take the paper's colour. Its corners are signed binary coordinates, which
// are relative: each to the binary point before it (the stream starts at 0,0; ASCII opcodes
// carry absolute points and leave it).
void Dwf_Device::image(const Plot_Image& image)
{
    Plot_Image up = Crop_Upright_Image(Upright_Image(image), clip());
    if (up.pixels.empty()) return;
    for (uint32_t& p : up.pixels) p = 0xFF000000u | Over_Background(p, mBackground);
    std::string jpeg;
    if (!Jpeg_Bytes(up, 90, jpeg)) return;
    std::string op;
    auto put = [&op](uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) op += char((v >> (8 * i)) & 0xFF);
    };
    auto relative = [&](const Paper_Point& p) {
        const long x = std::lround(p.x * kUnitsPerMm), y = std::lround(p.y * kUnitsPerMm);
        put(uint64_t(uint32_t(int32_t(x - mBinaryX))), 4);
        put(uint64_t(uint32_t(int32_t(y - mBinaryY))), 4);
        mBinaryX = x, mBinaryY = y;
    };
    put(0x0008, 2);
    put(uint64_t(up.width), 2);
    put(uint64_t(up.height), 2);
    relative(up.origin);
    relative({up.origin.x + up.u.x, up.origin.y + up.v.y});
    put(uint64_t(++mImages), 4);
    put(jpeg.size(), 4);
    op += jpeg;
    op += '}';
    std::string size;
    for (int i = 0; i < 4; ++i) size += char((op.size() >> (8 * i)) & 0xFF);
    mW2d += "{" + size + op + "\n";
}

void Dwf_Device::push_clip(const Paper_Ring& polygon, bool inverted)
{
    mClips.push_back(inverted ? clip() : Intersect(clip(), polygon));
}

void Dwf_Device::pop_clip()
{
    if (mClips.size() > 1) mClips.pop_back();
}

bool Dwf_Device::finish(std::wstring& error)
{
    mW2d += "(EndOfDWF)";
    const std::string section = "com.autodesk.dwf.ePlot_0A1B2C3D-0000-4000-8000-000000000001";
    const std::string w2dName = section + "/page.w2d";
    const std::string descriptorName = section + "/descriptor.xml";
    const std::string title = Xml_Escape(To_Utf8(mTitle));
    char size[160];
    std::snprintf(size, sizeof size, "units=\"mm\" width=\"%.3f\" height=\"%.3f\"", mPageW, mPageH);
    char transform[200];
    std::snprintf(transform, sizeof transform, "%g 0 0 0 0 %g 0 0 0 0 1 0 0 0 0 1", 1.0 / kUnitsPerMm,
                  1.0 / kUnitsPerMm);
    char color[32];
    std::snprintf(color, sizeof color, "%u %u %u", (mBackground >> 16) & 0xFF, (mBackground >> 8) & 0xFF,
                  mBackground & 0xFF);

    std::string manifest =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" dwf:version=\"6.0\" objectId=\"0A1B2C3D-0000-4000-8000-000000000000\">\n"
        " <Interfaces><Interface name=\"ePlot\" href=\"http://www.autodesk.com/viewing/ePlot/2004\" "
        "objectId=\"0A1B2C3D-0000-4000-8000-000000000002\"/></Interfaces>\n"
        " <Sections><Section type=\"com.autodesk.dwf.ePlot\" title=\"" + title + "\" name=\"" + section +
        "\" objectId=\"0A1B2C3D-0000-4000-8000-000000000001\">\n"
        "  <Resource role=\"descriptor\" mime=\"text/xml\" href=\"" + descriptorName + "\"/>\n"
        " </Section></Sections>\n</dwf:Manifest>\n";
    std::string descriptor =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<ePlot:Page xmlns:ePlot=\"DWF-ePlot:1.0\" version=\"1.0\" name=\"" + section + "\" title=\"" + title +
        "\" objectId=\"0A1B2C3D-0000-4000-8000-000000000003\">\n"
        " <ePlot:Paper " + std::string(size) + " color=\"" + color + "\"/>\n"
        " <ePlot:Resources>\n"
        "  <ePlot:GraphicResource role=\"2d streaming graphics\" mime=\"application/x-w2d\" href=\"" + w2dName +
        "\" transform=\"" + transform + "\" objectId=\"0A1B2C3D-0000-4000-8000-000000000004\"/>\n"
        " </ePlot:Resources>\n</ePlot:Page>\n";

    Zip_Writer zip("(DWF V06.00)");
    zip.add("manifest.xml", manifest);
    zip.add(descriptorName, descriptor);
    zip.add(w2dName, mW2d);
    std::string file = zip.finish();

    if (!Safe_Write_File(mPath, file, error)) return false;
    mFiles.push_back(mPath);
    return true;
}

}  // namespace platform
