// Multi-line attributes of a real drawing (the multiline text in an "Embedded Object" after the
// attribute's subclass): read, saved so that we and ezdxf read them back, drawn with their
// block reference.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "db/gi_recorder.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"

namespace platform::dxf_test {
namespace {

constexpr const char* kDrawing = "acadsharp/samples/sample_AC1032_ascii.dxf";
constexpr const wchar_t* kTag = L"MULTI_LINE_ATT";
constexpr const wchar_t* kText = L"my multi line text for the attrrib";

// What the drawing holds under the multi-line tag.
struct Found {
    bool attribute = false;            // the attribute is multi-line
    std::wstring contents;             // its multiline text
    ZcGePoint3d location;
    bool locked = false;               // its position is locked in the block
    ZcDbObjectId reference;            // the block reference it belongs to
    bool definition = false;           // a definition of the tag is multi-line
    int other_multi_line = 0;          // attributes of other tags read as multi-line
};

Found Find_Multi_Line(ZcDbDatabase* db)
{
    Found found;
    ZcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, ZcDb::kForRead) != Zcad::eOk) return found;
    ZcDbBlockTableIterator* blocks = nullptr;
    table->newIterator(blocks);
    std::unique_ptr<ZcDbBlockTableIterator> owned_blocks(blocks);
    for (; !blocks->done(); blocks->step()) {
        ZcDbObjectId block_id;
        blocks->getRecordId(block_id);
        ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id, ZcDb::kForRead);
        if (block.openStatus() != Zcad::eOk) continue;
        for (ZcDbObjectId id : block->entityIds()) {
            ZcDbObjectPointer<ZcDbEntity> e(id, ZcDb::kForRead);
            if (e.openStatus() != Zcad::eOk) continue;
            if (auto* def = ZcDbAttributeDefinition::cast(e.object())) {
                if (std::wstring(def->tagConst()) == kTag && def->isMTextAttributeDefinition()) found.definition = true;
            }
            auto* ref = ZcDbBlockReference::cast(e.object());
            if (ref == nullptr) continue;
            std::unique_ptr<ZcDbObjectIterator> it(ref->attributeIterator());
            for (it->start(); !it->done(); it->step()) {
                ZcDbObjectPointer<ZcDbAttribute> a(it->objectId(), ZcDb::kForRead);
                if (a.openStatus() != Zcad::eOk) continue;
                if (std::wstring(a->tagConst()) != kTag) {
                    if (a->isMTextAttribute()) ++found.other_multi_line;
                    continue;
                }
                found.attribute = a->isMTextAttribute();
                found.locked = a->lockPositionInBlock();
                found.reference = id;
                if (std::unique_ptr<ZcDbMText> m{a->getMTextAttribute()}) {
                    found.contents = m->contentsConst();
                    found.location = m->location();
                }
            }
        }
    }
    table->close();
    return found;
}

void Expect_Multi_Line(const Found& found, const std::string& what)
{
    EXPECT_TRUE(found.attribute) << what;
    EXPECT_EQ(found.contents, kText) << what;
    EXPECT_TRUE(found.location.isEqualTo(ZcGePoint3d(977.2814835151885, 28.7508142234822, 0))) << what;
    EXPECT_TRUE(found.definition) << what;
    EXPECT_TRUE(found.locked) << what;
    EXPECT_EQ(found.other_multi_line, 0) << what;
}

TEST(MTextAttributeDxf, ReadsTheMultilineTextOfTheRealDrawing)
{
    KORVEL_REQUIRE_REAL_DRAWING(kDrawing);
    std::string error;
    auto db = Read(Real_Drawing(kDrawing), &error);
    ASSERT_TRUE(db) << error;
    Expect_Multi_Line(Find_Multi_Line(db.get()), "read");
}

TEST(MTextAttributeDxf, ASavedCopyKeepsItForUsAndForEzdxf)
{
    KORVEL_REQUIRE_REAL_DRAWING(kDrawing);
    std::string error;
    auto db = Read(Real_Drawing(kDrawing), &error);
    ASSERT_TRUE(db) << error;
    const std::string path = Temp_Path("mtext_attribute.dxf");
    ASSERT_EQ(Write_Dxf_File(db.get(), Wide(path)), Zcad::eOk);

    auto back = Read(path, &error);
    ASSERT_TRUE(back) << error;
    Expect_Multi_Line(Find_Multi_Line(back.get()), "read back");

    std::string output;
    ASSERT_EQ(Run_Command("/usr/bin/python3 -c \"import ezdxf,sys; d=ezdxf.readfile(sys.argv[1]); "
                          "[print(e.dxftype(), e.has_embedded_mtext_entity, "
                          "e.virtual_mtext_entity().text if e.has_embedded_mtext_entity else '-') "
                          "for e in d.entitydb.values() if e.dxftype() in ('ATTRIB', 'ATTDEF') "
                          "and e.dxf.tag == 'MULTI_LINE_ATT']\" " +
                              Quoted(path),
                          output),
              0)
        << output;
    EXPECT_NE(output.find("ATTRIB True my multi line text for the attrrib\n"), std::string::npos) << output;
    EXPECT_NE(output.find("ATTDEF True \n"), std::string::npos) << output;
    EXPECT_EQ(output.find("False"), std::string::npos) << output;
}

TEST(MTextAttributeDxf, TheBlockReferenceDrawsTheMultilineText)
{
    KORVEL_REQUIRE_REAL_DRAWING(kDrawing);
    std::string error;
    auto db = Read(Real_Drawing(kDrawing), &error);
    ASSERT_TRUE(db) << error;
    const Found found = Find_Multi_Line(db.get());
    ASSERT_FALSE(found.reference.isNull());
    ZcDbObjectPointer<ZcDbEntity> ref(found.reference, ZcDb::kForRead);
    ASSERT_EQ(ref.openStatus(), Zcad::eOk);
    platform::GiRecorder rec;
    rec.run(ref.object());
    bool drawn = false;
    for (const platform::Gi_Record& r : rec.ofKind(platform::Gi_Record::kText)) {
        if (r.text != kText) continue;
        drawn = true;
        // Attached at its top left: the first line starts at the location, below it.
        EXPECT_NEAR(r.points[0].x, 977.2814835151885, 1e-6);
        EXPECT_LT(r.points[0].y, 28.7508142234822);
    }
    EXPECT_TRUE(drawn);
}

}  // namespace
}  // namespace platform::dxf_test
