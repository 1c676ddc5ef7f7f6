// Dimension styles and table styles through DXF: what we write, our reader and ezdxf read back;
// real drawings keep every value of their styles through a read and a write.
#include <gtest/gtest.h>

#include "db/dbdict.h"
#include "db/dbsymtb.h"
#include "db/dbtablestyle.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"

namespace platform {
namespace {

using namespace dxf_test;

std::string Styles_Of(const std::string& path) {
  std::string output;
  EXPECT_EQ(Run_Command("/usr/bin/python3 " + std::string(KORVEL_SOURCE_DIR) +
                            "/tests/platform/dxf/dxf_styles_check.py " + Quoted(path),
                        output),
            0)
      << output;
  return output;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

ZcDbObjectId Table_Style(ZcDbDatabase* db, const wchar_t* name) {
  ZcDbObjectId id;
  ZcDbObjectPointer<ZcDbDictionary> styles(db->tableStyleDictionaryId(), ZcDb::kForRead);
  if (styles.openStatus() == Zcad::eOk) styles->getAt(name, id);
  return id;
}

// A drawing whose "Standard" table style differs from the default in every value the export
// copies, with a second dimension style naming a text style.
void Change_Styles(ZcDbDatabase* db) {
  {
    ZcDbObjectPointer<ZcDbTableStyle> style(Table_Style(db, L"Standard"), ZcDb::kForWrite);
    ASSERT_EQ(style.openStatus(), Zcad::eOk);
    style->setDescription(L"表格 style");
    style->setBitFlags(0);
    style->setFlowDirection(ZcDb::kBtoT);
    style->setHorzCellMargin(2.0);
    style->setVertCellMargin(0.75);
    style->suppressTitleRow(true);
    style->setTextHeight(3.5, ZcDb::kDataRow);
    style->setAlignment(ZcDb::kMiddleLeft, ZcDb::kDataRow);
    ZcCmColor red, blue;
    red.setColorIndex(1);
    blue.setColorIndex(5);
    style->setColor(red, ZcDb::kTitleRow | ZcDb::kHeaderRow);
    style->setBackgroundColor(blue, ZcDb::kDataRow);
    style->setBackgroundColorNone(false, ZcDb::kDataRow);
    style->setDataType(ZcValue::kDouble, ZcValue::kDistance, ZcDb::kDataRow);
    style->setFormat(L"%lu2%pr3", ZcDb::kDataRow);
    style->setGridLineWeight(ZcDb::kLnWt035, ZcDb::kOuterGridLineTypes, ZcDb::kDataRow);
    style->setGridColor(red, ZcDb::kHorzInside);
    style->setGridVisibility(ZcDb::kInvisible, ZcDb::kVertInside, ZcDb::kHeaderRow);
  }
  ZcDbDimStyleTable* table = nullptr;
  ASSERT_EQ(db->getDimStyleTable(table, ZcDb::kForWrite), Zcad::eOk);
  auto* iso = new ZcDbDimStyleTableRecord();
  iso->setName(L"ISO-25");
  ZcDbObjectId standard_text = Record_Id(db->textStyleTableId(), L"Standard");
  iso->setKeptGroups({{3, "mm", {}}, {140, "3.5", {}}, {77, "1", {}}, {340, "", standard_text}});
  ASSERT_EQ(table->add(iso), Zcad::eOk);
  iso->close();
  table->close();
}

TEST(DxfStyles, ANewDrawingHasStandardDimensionAndTableStyles) {
  ZcDbDatabase db;
  EXPECT_FALSE(Record_Id(db.dimStyleTableId(), L"Standard").isNull());
  ZcDbObjectPointer<ZcDbTableStyle> style(Table_Style(&db, L"Standard"), ZcDb::kForRead);
  ASSERT_EQ(style.openStatus(), Zcad::eOk);
  EXPECT_EQ(style->horzCellMargin(), 1.5);
  EXPECT_EQ(style->textHeight(ZcDb::kDataRow), 4.5);
  EXPECT_EQ(style->textHeight(ZcDb::kTitleRow), 6.0);
  EXPECT_EQ(style->textHeight(ZcDb::kHeaderRow), 4.5);
  EXPECT_EQ(style->textStyle(ZcDb::kHeaderRow), db.textstyle());
  EXPECT_TRUE(style->isBackgroundColorNone());
}

TEST(DxfStyles, WrittenStylesReadBackByOurReaderAndByEzdxf) {
  ZcDbDatabase db;
  Change_Styles(&db);
  const std::string path = Temp_Path("styles.dxf");
  ASSERT_EQ(Write_Dxf_File(&db, Wide(path)), Zcad::eOk);

  std::unique_ptr<ZcDbDatabase> back = Read(path);
  ASSERT_TRUE(back);
  {
    ZcDbObjectPointer<ZcDbTableStyle> style(Table_Style(back.get(), L"Standard"), ZcDb::kForRead);
    ASSERT_EQ(style.openStatus(), Zcad::eOk);
    EXPECT_EQ(std::wstring(style->description()), L"表格 style");
    EXPECT_EQ(style->flowDirection(), ZcDb::kBtoT);
    EXPECT_EQ(style->horzCellMargin(), 2.0);
    EXPECT_EQ(style->vertCellMargin(), 0.75);
    EXPECT_TRUE(style->isTitleSuppressed());
    EXPECT_FALSE(style->isHeaderSuppressed());
    EXPECT_EQ(style->textHeight(ZcDb::kDataRow), 3.5);
    EXPECT_EQ(style->textHeight(ZcDb::kTitleRow), 6.0);
    EXPECT_EQ(style->alignment(ZcDb::kDataRow), ZcDb::kMiddleLeft);
    EXPECT_EQ(style->alignment(ZcDb::kHeaderRow), ZcDb::kMiddleCenter);
    EXPECT_TRUE(style->color(ZcDb::kDataRow).isByBlock());
    EXPECT_EQ(style->color(ZcDb::kHeaderRow).colorIndex(), 1);
    EXPECT_EQ(style->backgroundColor(ZcDb::kDataRow).colorIndex(), 5);
    EXPECT_FALSE(style->isBackgroundColorNone(ZcDb::kDataRow));
    EXPECT_TRUE(style->isBackgroundColorNone(ZcDb::kTitleRow));
    ZcValue::DataType type = ZcValue::kUnknown;
    ZcValue::UnitType unit = ZcValue::kUnitless;
    style->getDataType(type, unit, ZcDb::kDataRow);
    EXPECT_EQ(type, ZcValue::kDouble);
    EXPECT_EQ(unit, ZcValue::kDistance);
    EXPECT_EQ(std::wstring(style->format(ZcDb::kDataRow)), L"%lu2%pr3");
    EXPECT_EQ(style->gridLineWeight(ZcDb::kVertLeft, ZcDb::kDataRow), ZcDb::kLnWt035);
    EXPECT_EQ(style->gridLineWeight(ZcDb::kHorzInside, ZcDb::kDataRow), ZcDb::kLnWtByBlock);
    EXPECT_EQ(style->gridColor(ZcDb::kHorzInside, ZcDb::kTitleRow).colorIndex(), 1);
    EXPECT_TRUE(style->gridColor(ZcDb::kHorzTop, ZcDb::kTitleRow).isByBlock());
    EXPECT_EQ(style->gridVisibility(ZcDb::kVertInside, ZcDb::kHeaderRow), ZcDb::kInvisible);
    EXPECT_EQ(style->gridVisibility(ZcDb::kVertInside, ZcDb::kDataRow), ZcDb::kVisible);
  }
  {
    ZcDbObjectPointer<ZcDbDimStyleTableRecord> iso(Record_Id(back->dimStyleTableId(), L"ISO-25"), ZcDb::kForRead);
    ASSERT_EQ(iso.openStatus(), Zcad::eOk);
    const ZcDbObjectId standard_text = Record_Id(back->textStyleTableId(), L"Standard");
    std::string groups;
    for (const ZcDbDimStyleGroup& g : iso->keptGroups())
      groups += std::to_string(g.code) + "=" + (g.id.isNull() ? g.value : g.id == standard_text ? "Standard" : "?") + " ";
    EXPECT_EQ(groups, "70=0 3=mm 140=3.5 77=1 340=Standard ");
  }

  const std::string oracle = Styles_Of(path);
  EXPECT_TRUE(Has(oracle, "dimstyle Standard ")) << oracle;
  for (const char* part : {"dimpost=mm", "dimtad=1", "dimtxt=3.5", "dimtxsty=Standard"})
    EXPECT_TRUE(Has(oracle, std::string("dimstyle ISO-25 ")) && Has(oracle, part)) << part << "\n" << oracle;
  // Data row, title row, header row; each with its six grid lines (weight, visibility, colour).
  EXPECT_TRUE(Has(oracle, "tablestyle Standard 3=表格 style 70=1 71=0 40=2 41=0.75 280=1 281=0 "
                          "7=Standard 140=3.5 170=4 62=0 63=5 283=1 90=2 91=1 1=%lu2%pr3 "
                          "274=35 284=1 64=0 275=-2 285=1 65=1 276=35 286=1 66=0 277=35 287=1 67=0 "
                          "278=-2 288=1 68=0 279=35 289=1 69=0 7=Standard 140=6 170=5 62=1 63=7 283=0"))
      << oracle;
  EXPECT_TRUE(Has(oracle, "278=-2 288=0 68=0 279=-2 289=1 69=0\n")) << oracle;  // the header's inner vertical line
}

// Every real drawing with dimension styles: the same styles with the same values before and
// after our read and write, as ezdxf sees them.
class RealDrawingStyles : public testing::TestWithParam<const char*> {};

TEST_P(RealDrawingStyles, KeepEveryValueThroughReadAndWrite) {
  KORVEL_REQUIRE_REAL_DRAWING(GetParam());
  std::string name = GetParam();
  for (char& c : name)
    if (c == '/' || c == ' ') c = '_';
  std::string error;
  std::unique_ptr<ZcDbDatabase> db = Read(Real_Drawing(GetParam()), &error);
  ASSERT_TRUE(db) << error;
  const std::string saved = Temp_Path("styles_" + name);
  ASSERT_EQ(Write_Dxf_File(db.get(), Wide(saved)), Zcad::eOk);
  const std::string before = Styles_Of(Real_Drawing(GetParam()));
  EXPECT_TRUE(Has(before, "dimstyle ")) << before;
  EXPECT_EQ(Styles_Of(saved), before);
}

INSTANTIATE_TEST_SUITE_P(RealDxf, RealDrawingStyles,
                         testing::Values("qcad/examples/flange.dxf", "acadsharp/samples/sample_AC1032_ascii.dxf",
                                         "acadsharp/samples/sample_AC1009_binary.dxf",
                                         "dxf-parser/samples/data/api-cw750-details.dxf",
                                         "skymakerolof-dxf/test/resources/floorplan.dxf",
                                         "libredwg/test/test-data/example_2000.dxf",
                                         "dxf-json/sample/A_000217.dxf"));

}  // namespace
}  // namespace platform
