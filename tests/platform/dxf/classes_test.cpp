// The CLASSES section: the platform's classes a drawing holds instances of are named with the
// values CAD programs give them and their instance counts, and a saved drawing read and saved
// again names the same classes.
#include <gtest/gtest.h>

#include "db/dbents.h"
#include "db/dbsort.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"

namespace platform {
namespace {

using namespace dxf_test;

// Each CLASS as ezdxf reads it: name, C++ class, application, proxy flags, instances,
// was-a-proxy, is-an-entity.
std::string Classes_Of(const std::string& path) {
  std::string output;
  Run_Command("/usr/bin/python3 -c \"import ezdxf; d = ezdxf.readfile('" + path +
                  "'); [print(c.dxf.name, c.dxf.cpp_class_name, c.dxf.app_name, c.dxf.flags, c.dxf.instance_count, "
                  "c.dxf.was_a_proxy, c.dxf.is_an_entity) for c in d.classes]\"",
              output);
  return output;
}

TEST(DxfClasses, ImageAndDrawOrderClassesAreNamedAndSurviveARoundTrip) {
  // The fixture's image (with its definition, reactor and the raster variables) and a
  // draw-order table.
  std::string error;
  auto db = Read(Fixture("drawing.dxf"), &error);
  ASSERT_TRUE(db) << error;
  {
    ZcDbObjectPointer<ZcDbBlockTableRecord> ms(db->modelSpaceId(), ZcDb::kForWrite);
    ZcDbSortentsTable* table = nullptr;
    ASSERT_EQ(ms->getSortentsTable(table, ZcDb::kForWrite, true), Zcad::eOk);
    ZcDbObjectIdArray moved;
    moved.append(ms->entityIds().front());
    table->moveToBottom(moved);
    table->close();
  }
  const std::string path = Temp_Path("classes.dxf");
  ASSERT_EQ(Write_Dxf_File(db.get(), Wide(path)), Zcad::eOk);
  const std::string classes = Classes_Of(path);
  for (const char* expected : {"IMAGE AcDbRasterImage ISM 127 1 0 1\n", "IMAGEDEF AcDbRasterImageDef ISM 0 1 0 0\n",
                               "IMAGEDEF_REACTOR AcDbRasterImageDefReactor ISM 1 1 0 0\n",
                               "RASTERVARIABLES AcDbRasterVariables ISM 0 1 0 0\n",
                               "SORTENTSTABLE AcDbSortentsTable ObjectDBX Classes 0 1 0 0\n"})
    EXPECT_NE(classes.find(expected), std::string::npos) << expected << "in\n" << classes;

  auto reloaded = Read(path, &error);
  ASSERT_TRUE(reloaded) << error;
  const std::string again = Temp_Path("classes_again.dxf");
  ASSERT_EQ(Write_Dxf_File(reloaded.get(), Wide(again)), Zcad::eOk);
  EXPECT_EQ(Classes_Of(again), classes);
}

TEST(DxfClasses, ADrawingOfPlainEntitiesNamesNoImageClasses) {
  ZcDbDatabase db;
  {
    ZcDbObjectPointer<ZcDbBlockTableRecord> ms(db.modelSpaceId(), ZcDb::kForWrite);
    auto* line = new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0));
    ZcDbObjectId id;
    ASSERT_EQ(ms->appendZcDbEntity(id, line), Zcad::eOk);
    line->close();
  }
  const std::string path = Temp_Path("classes_plain.dxf");
  ASSERT_EQ(Write_Dxf_File(&db, Wide(path)), Zcad::eOk);
  const std::string classes = Classes_Of(path);
  for (const char* absent : {"IMAGE", "RASTERVARIABLES", "SORTENTSTABLE"})
    EXPECT_EQ(classes.find(absent), std::string::npos) << absent << " in\n" << classes;
}

}  // namespace
}  // namespace platform
