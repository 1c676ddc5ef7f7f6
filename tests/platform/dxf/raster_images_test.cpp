// Images and the drawing's raster variables through DXF: an image's edges from the vectors
// of one pixel and back, IMAGEFRAME read, changed, written and read again, ezdxf agreeing.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "db/dbdict.h"
#include "db/dbimage.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"

namespace platform {
namespace {

using namespace dxf_test;

ZcDbObjectId First_Image(ZcDbDatabase* db)
{
  ZcDbObjectPointer<ZcDbBlockTableRecord> ms(db->modelSpaceId(), ZcDb::kForRead);
  for (const ZcDbObjectId& id : ms->entityIds())
    if (id.objectClass() == ZcDbRasterImage::desc()) return id;
  return ZcDbObjectId();
}

int Frame_Of(ZcDbDatabase* db) {
  ZcDbRasterVariables* vars = nullptr;
  if (ZcDbRasterVariables::openRasterVariables(vars, ZcDb::kForWrite, db) != Zcad::eOk) return -1;
  const int frame = vars->imageFrame();
  vars->close();
  return frame;
}

TEST(DxfRasterImages, EdgesComeFromOnePixelsVectorsAndImageFrameRoundTrips) {
  std::string error;
  auto db = Read(Fixture("drawing.dxf"), &error);
  ASSERT_TRUE(db) << error;
  EXPECT_EQ(ZcDbRasterVariables::imageFrameOf(db.get()), 0);  // the file's 70 group
  {
    // 640 x 480 pixels of 0.01 units.
    ZcDbObjectPointer<ZcDbRasterImage> image(First_Image(db.get()), ZcDb::kForRead);
    ASSERT_EQ(image.openStatus(), Zcad::eOk);
    ZcGePoint3d origin;
    ZcGeVector3d u, v;
    image->getOrientation(origin, u, v);
    EXPECT_NEAR(u.length(), 6.4, 1e-9);
    EXPECT_NEAR(v.length(), 4.8, 1e-9);
  }
  {
    ZcDbRasterVariables* vars = nullptr;
    ASSERT_EQ(ZcDbRasterVariables::openRasterVariables(vars, ZcDb::kForWrite, db.get()), Zcad::eOk);
    vars->setImageFrame(2);
    vars->close();
  }
  const std::string path = Temp_Path("raster_images.dxf");
  ASSERT_EQ(Write_Dxf_File(db.get(), Wide(path)), Zcad::eOk);
  auto reloaded = Read(path, &error);
  ASSERT_TRUE(reloaded) << error;
  EXPECT_EQ(Frame_Of(reloaded.get()), 2);
  ZcDbObjectPointer<ZcDbRasterImage> image(First_Image(reloaded.get()), ZcDb::kForRead);
  ASSERT_EQ(image.openStatus(), Zcad::eOk);
  ZcGePoint3d origin;
  ZcGeVector3d u, v;
  image->getOrientation(origin, u, v);
  EXPECT_NEAR(u.length(), 6.4, 1e-9);

  std::string output;
  ASSERT_EQ(Run_Command("/usr/bin/python3 -c \"import ezdxf; d = ezdxf.readfile('" + path +
                            "'); i = d.modelspace().query('IMAGE')[0]; "
                            "print(d.rootdict['ACAD_IMAGE_VARS'].dxf.frame, round(i.dxf.u_pixel.x, 6), "
                            "int(i.dxf.image_size.x))\"",
                        output),
            0)
      << output;
  EXPECT_EQ(output, "2 0.01 640\n");
}

}  // namespace
}  // namespace platform
