// Raster images: a definition loads its picture's pixel size, an image takes its
// definition's pixels and holds its whole edges, and DXF keeps the vectors of one pixel.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "db/dbdict.h"
#include "db/dbimage.h"
#include "db/gi_recorder.h"
#include "db_test_support.h"
#include "win/host_path_text.h"

namespace {

using platform::Gi_Record;
using platform::GiRecorder;

std::filesystem::path Picture_Folder()
{
    auto dir = std::filesystem::temp_directory_path() / ("korvel_raster_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

std::filesystem::path Write_Picture(const std::string& name, const std::string& bytes)
{
    const auto path = Picture_Folder() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string Big16(int v) { return {char(v >> 8), char(v & 0xFF)}; }
std::string Big32(int v) { return Big16(v >> 16) + Big16(v & 0xFFFF); }
std::string Little32(int v) { return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)}; }

}  // namespace

TEST(RasterImageDef, LoadReadsThePixelSizeOfPngJpegAndBmpByTheirBytes)
{
    const std::string png = std::string("\x89PNG\r\n\x1a\n", 8) + Big32(13) + "IHDR" + Big32(640) + Big32(480) + "....";
    // A JPEG whose frame header follows an application segment.
    const std::string jpeg = std::string("\xFF\xD8\xFF\xE0", 4) + Big16(6) + "JFIF" + std::string("\xFF\xC0", 2) +
                             Big16(17) + "\x08" + Big16(300) + Big16(1200) + "\x03";
    const std::string bmp = "BM" + std::string(16, '\0') + Little32(33) + Little32(-22) + std::string(8, '\0');
    struct Case {
        const char* name;
        std::string bytes;
        Zcad::ErrorStatus status;
        double w, h;
    };
    for (const Case& c : {Case{"a", png, Zcad::eOk, 640, 480}, Case{"b.png", jpeg, Zcad::eOk, 1200, 300},
                          Case{"c", bmp, Zcad::eOk, 33, 22}, Case{"d.png", "not a picture at all, just text",
                                                                    Zcad::eInvalidInput, 1, 1}}) {
        SCOPED_TRACE(c.name);
        ZcDbRasterImageDef def;
        def.setSourceFileName(platform::Text_From_Host_Path(Write_Picture(c.name, c.bytes)).c_str());
        EXPECT_EQ(def.load(), c.status);
        EXPECT_EQ(def.size().x, c.w);
        EXPECT_EQ(def.size().y, c.h);
    }
    ZcDbRasterImageDef missing;
    missing.setSourceFileName(platform::Text_From_Host_Path(Picture_Folder() / "none.png").c_str());
    EXPECT_EQ(missing.load(), Zcad::eFileNotFound);
}

TEST(RasterImage, OrientationIsTheWholeEdgesAndClipPointsCountInTheDefinitionsPixels)
{
    Test_Drawing d;
    auto* def = new ZcDbRasterImageDef();
    def->setSourceFileName(L"seal.png");
    def->setSize(ZcGeVector2d(100, 50));
    ZcDbObjectId def_id;
    {
        ZcDbDictionary* named = nullptr;
        ASSERT_EQ(zcdbOpenObject(named, d.db->namedObjectsDictionaryId(), ZcDb::kForWrite), Zcad::eOk);
        ASSERT_EQ(named->setAt(L"SEAL", def, def_id), Zcad::eOk);
        def->close();
        named->close();
    }
    auto* image = new ZcDbRasterImage();
    image->setImageDefId(def_id);
    EXPECT_EQ(image->imageSize(), ZcGeVector2d(100, 50));
    ASSERT_EQ(image->setOrientation(ZcGePoint3d(10, 20, 0), ZcGeVector3d(62, 0, 0), ZcGeVector3d(0, 31, 0)), Zcad::eOk);
    EXPECT_EQ(image->setOrientation(ZcGePoint3d(), ZcGeVector3d(0, 0, 0), ZcGeVector3d(0, 1, 0)), Zcad::eInvalidInput);
    ZcGePoint3d origin;
    ZcGeVector3d u, v;
    image->getOrientation(origin, u, v);
    EXPECT_EQ(u, ZcGeVector3d(62, 0, 0));
    EXPECT_EQ(v, ZcGeVector3d(0, 31, 0));
    // The right half of the pixels.
    image->setClipBoundary(ZcDbRasterImage::kRect, {ZcGePoint2d(49.5, -0.5), ZcGePoint2d(99.5, 49.5)});
    image->setClipped(true);
    const std::vector<ZcGePoint3d> outline = image->outline();
    ASSERT_EQ(outline.size(), 4u);
    EXPECT_TRUE(outline[0].isEqualTo(ZcGePoint3d(41, 51, 0))) << outline[0].x << "," << outline[0].y;
    EXPECT_TRUE(outline[2].isEqualTo(ZcGePoint3d(72, 20, 0))) << outline[2].x << "," << outline[2].y;
    delete image;
}

TEST(RasterImage, TheFrameIsDrawnAsTheDrawingsImageFrameSaysAndAlwaysWithoutAPicture)
{
    struct Case {
        int image_frame;  // -1: the drawing has no raster variables
        bool loaded;
        int frames;
    };
    for (const Case& c : {Case{-1, true, 1}, Case{1, true, 1}, Case{0, true, 0}, Case{2, true, 0}, Case{0, false, 1}}) {
        SCOPED_TRACE(std::to_string(c.image_frame) + (c.loaded ? " loaded" : " unloaded"));
        Test_Drawing d;
        if (c.image_frame >= 0) {
            ZcDbRasterVariables* vars = nullptr;
            ASSERT_EQ(ZcDbRasterVariables::openRasterVariables(vars, ZcDb::kForWrite, d.db.get()), Zcad::eOk);
            vars->setImageFrame(c.image_frame);
            vars->close();
        }
        auto* def = new ZcDbRasterImageDef();
        def->setSourceFileName(L"seal.png");
        def->setLoaded(c.loaded);
        ZcDbObjectId def_id;
        {
            ZcDbDictionary* named = nullptr;
            ASSERT_EQ(zcdbOpenObject(named, d.db->namedObjectsDictionaryId(), ZcDb::kForWrite), Zcad::eOk);
            ASSERT_EQ(named->setAt(L"SEAL", def, def_id), Zcad::eOk);
            def->close();
            named->close();
        }
        auto* image = new ZcDbRasterImage();
        image->setImageDefId(def_id);
        ZcDbObjectPointer<ZcDbRasterImage> placed(d.add(image));
        GiRecorder rec;
        rec.run(placed.object());
        EXPECT_EQ(static_cast<int>(rec.ofKind(Gi_Record::kPolyline).size()), c.frames);
        EXPECT_EQ(rec.ofKind(Gi_Record::kImage).size(), c.loaded ? 1u : 0u);
    }
}
