// What each file format holds of the page's raster images: SVG (embedded PNG), DWF (JPEG opcode)
// and PLT (HP RTL raster), read back by tools that did not write them (python's xml, zipfile and
// PIL) or parsed byte by byte.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "plot/drivers/plot_driver_factory.h"
#include "plot/drivers/upright_image.h"
#include "plot/plot_job.h"
#include "render_test_drawing.h"
#include "script/utf8.h"
#include "win/host_path_text.h"

using render_test::Quote;
using render_test::Read_File;
using render_test::Run_Command;

namespace {

constexpr uint32_t kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu;

// Four by two pixels, the left half red and the right half blue, 40 x 20 mm at (10, 20).
platform::Plot_Image Two_Colour_Image()
{
    platform::Plot_Image image;
    image.width = 4, image.height = 2;
    image.pixels = {kRed, kRed, kBlue, kBlue, kRed, kRed, kBlue, kBlue};
    image.origin = {10, 20};
    image.u = {40, 0};
    image.v = {0, 20};
    return image;
}

// The images alone on a 100 x 100 mm page, written by the driver.
std::filesystem::path Write_Image_Page(platform::PlotDriver driver, const char* file,
                                       const std::vector<platform::Plot_Image>& images)
{
    const auto dir = render_test::Output_Folder(std::string("format_") + file);
    platform::PlotJob job;
    job.driver = driver;
    job.output_path = platform::Text_From_Host_Path(dir / file);
    std::wstring error;
    auto device = platform::Make_Plot_Device(job, error);
    EXPECT_TRUE(device) << platform::To_Utf8(error);
    if (!device) return {};
    EXPECT_TRUE(device->begin_page(100, 100, 0xFFFFFF));
    for (const platform::Plot_Image& image : images) device->image(image);
    EXPECT_TRUE(device->finish(error)) << platform::To_Utf8(error);
    return dir / file;
}

std::string Python(const std::string& script, const std::filesystem::path& file)
{
    return Run_Command("/usr/bin/python3 -c \"" + script + "\" " + Quote(file) + " 2>&1");
}

}  // namespace

TEST(FormatContent, ImagesAppearInTheFormatsThatHoldThem)
{
    const platform::Plot_Image image = Two_Colour_Image();

    // SVG: an embedded PNG of the image's pixels, placed by its transform (y up on the page).
    auto svg = Write_Image_Page(platform::PlotDriver::Svg, "image.svg", {image});
    std::string out = Python(
        "import sys, io, base64, re, xml.etree.ElementTree as E\n"
        "from PIL import Image\n"
        "root = E.parse(sys.argv[1]).getroot()\n"
        "for i in root.iter('{http://www.w3.org/2000/svg}image'):\n"
        "    href = i.get('{http://www.w3.org/1999/xlink}href')\n"
        "    p = Image.open(io.BytesIO(base64.b64decode(href.split(',', 1)[1]))).convert('RGB')\n"
        "    print('png', p.size, p.getpixel((0, 0)), p.getpixel((3, 1)), i.get('transform'))\n",
        svg);
    EXPECT_NE(out.find("png (4, 2) (255, 0, 0) (0, 0, 255) matrix(10 0 -0 -10 10 40)"), std::string::npos) << out;

    // DWF: binary extended opcodes 0x0008 (JPEG) with the images' corners in hundredths of a
    // mm, each relative to the binary point before it (the first to 0,0). A second image, half
    // the size at (60, 70), follows the first.
    platform::Plot_Image second = image;
    second.origin = {60, 70};
    second.u = {20, 0};
    second.v = {0, 10};
    auto dwf = Write_Image_Page(platform::PlotDriver::Dwf, "image.dwf", {image, second});
    out = Python(
        "import sys, io, struct, zipfile\n"
        "from PIL import Image\n"
        "z = zipfile.ZipFile(sys.argv[1])\n"
        "w2d = [z.read(n) for n in z.namelist() if n.endswith('.w2d')][0]\n"
        "at, x, y = w2d.index(b'{'), 0, 0\n"
        "while at >= 0:\n"
        "    size, op, cols, rows, dx1, dy1, dx2, dy2, ident, dsize = struct.unpack('<iHHHiiiiii', w2d[at + 1:at + 35])\n"
        "    x1, y1 = x + dx1, y + dy1\n"
        "    x, y = x1 + dx2, y1 + dy2\n"
        "    p = Image.open(io.BytesIO(w2d[at + 35:at + 35 + dsize])).convert('RGB')\n"
        "    r, g, b = p.getpixel((0, 0)); r2, g2, b2 = p.getpixel((3, 1))\n"
        "    print('op', hex(op), cols, rows, x1, y1, x, y, size == dsize + 31, w2d[at + 4 + size:at + 5 + size])\n"
        "    print('jpeg', p.size, r > 200 and b < 60, b2 > 200 and r2 < 60)\n"
        "    at = w2d.find(b'{', at + 5 + size)\n",
        dwf);
    EXPECT_NE(out.find("op 0x8 4 2 1000 2000 5000 4000 True b'}'"), std::string::npos) << out;
    EXPECT_NE(out.find("op 0x8 4 2 6000 7000 8000 8000 True b'}'"), std::string::npos) << out;
    EXPECT_NE(out.find("jpeg (4, 2) True True"), std::string::npos) << out;

    // PLT: the pen at the image's top-left corner, then HP RTL: 24-bit RGB rows scaled to
    // 40 x 20 mm (in decipoints), then back to HP-GL/2.
    auto plt = Write_Image_Page(platform::PlotDriver::Plt, "image.plt", {image});
    const std::string s = Read_File(plt);
    const std::string start = "PU400,1600;\x1b%1A\x1b*v6W" + std::string("\x00\x03\x00\x08\x08\x08", 6) +
                              "\x1b*r4S\x1b*r2T\x1b*t1134H\x1b*t567V\x1b*b0M\x1b*r3A";
    const size_t at = s.find(start);
    ASSERT_NE(at, std::string::npos);
    const std::string red("\xff\x00\x00", 3), blue("\x00\x00\xff", 3);
    const std::string row = "\x1b*b12W" + red + red + blue + blue;
    EXPECT_EQ(s.substr(at + start.size(), 2 * row.size() + 8), row + row + "\x1b*rC\x1b%0B");
}

TEST(FormatContent, ImagesClippedToTheWindowKeepOnlyTheirPixelsInside)
{
    const platform::Plot_Image image = Two_Colour_Image();
    // The right half of the image (x 30..50) lies outside a clip to x 0..30.
    const platform::Plot_Image cut = platform::Crop_Upright_Image(image, platform::Clip_Rect{0, 0, 30, 100});
    EXPECT_EQ(cut.width, 2);
    EXPECT_EQ(cut.height, 2);
    EXPECT_EQ(cut.pixels, (std::vector<uint32_t>{kRed, kRed, kRed, kRed}));
    EXPECT_NEAR(cut.u.x, 20, 1e-9);
    EXPECT_TRUE(platform::Crop_Upright_Image(image, platform::Clip_Rect{60, 0, 90, 100}).pixels.empty());
}

TEST(FormatContent, TurnedImagesAreResampledUprightInTheirBoundingBox)
{
    // A 2 x 1 image, red then blue, one millimetre a pixel.
    platform::Plot_Image image;
    image.width = 2, image.height = 1;
    image.pixels = {kRed, kBlue};
    image.origin = {10, 10};
    const struct {
        const char* what;
        platform::Paper_Point u, v, origin;
        int width, height;
        std::vector<uint32_t> pixels;  // rows from the top
    } cases[] = {
        {"upright", {2, 0}, {0, 1}, {10, 10}, 2, 1, {kRed, kBlue}},
        {"a quarter turn", {0, 2}, {-1, 0}, {9, 10}, 1, 2, {kBlue, kRed}},
        {"mirrored", {-2, 0}, {0, 1}, {8, 10}, 2, 1, {kBlue, kRed}},
        {"upside down", {2, 0}, {0, -1}, {10, 9}, 2, 1, {kRed, kBlue}},
        {"half turn", {-2, 0}, {0, -1}, {8, 9}, 2, 1, {kBlue, kRed}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        image.u = c.u, image.v = c.v;
        const platform::Plot_Image up = platform::Upright_Image(image);
        EXPECT_EQ(up.width, c.width);
        EXPECT_EQ(up.height, c.height);
        EXPECT_EQ(up.pixels, c.pixels);
        EXPECT_NEAR(up.origin.x, c.origin.x, 1e-9);
        EXPECT_NEAR(up.origin.y, c.origin.y, 1e-9);
    }
    // Turned by 45 degrees: the bounding box, with the corners outside the image transparent.
    image.u = {std::sqrt(2.0), std::sqrt(2.0)};
    image.v = {-std::sqrt(0.5), std::sqrt(0.5)};
    const platform::Plot_Image up = platform::Upright_Image(image);
    EXPECT_EQ(up.width, 3);
    EXPECT_EQ(up.height, 3);
    EXPECT_EQ(up.pixels.front(), 0u);  // top left: outside
    EXPECT_EQ(up.pixels[4], kBlue);    // centre
}
