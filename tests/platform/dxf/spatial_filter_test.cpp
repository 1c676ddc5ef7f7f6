// Clip boundaries of block references survive a write and a read: the filter comes back as a
// spatial filter with its polygon, not as a raw object, and ezdxf finds it in the file.
#include <gtest/gtest.h>

#include "db/dbblkref.h"
#include "db/dbcurve.h"
#include "db/dbdict.h"
#include "db/block_walk.h"
#include "db/dbspfilt.h"
#include "db/dbsymtb.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"
#include "script/utf8.h"

namespace platform::dxf_test {
namespace {

ZcDbObjectId Clip_Filter_Of(ZcDbDatabase* db)
{
    ZcDbObjectPointer<ZcDbBlockTableRecord> model(db->modelSpaceId(), ZcDb::kForRead);
    for (ZcDbObjectId id : model->entityIds()) {
        ZcDbObjectPointer<ZcDbBlockReference> ref(id, ZcDb::kForRead);
        if (ref.openStatus() != Zcad::eOk || ref->extensionDictionary().isNull())
            continue;
        ZcDbObjectPointer<ZcDbDictionary> ext(ref->extensionDictionary(), ZcDb::kForRead);
        ZcDbObjectId filters_id, filter_id;
        if (ext->getAt(L"ACAD_FILTER", filters_id) != Zcad::eOk)
            continue;
        ZcDbObjectPointer<ZcDbDictionary> filters(filters_id, ZcDb::kForRead);
        filters->getAt(L"SPATIAL", filter_id);
        return filter_id;
    }
    return ZcDbObjectId();
}

// A block "PART" (a line from (0,0) to (100,100)) referenced at (10,20) with a clip filter of
// the points; `inverted` inverts it, `extra_entry` gives the filter an extension dictionary
// with an entry of its own.
void Draw_Clipped_Reference(ZcDbDatabase& db, const ZcGePoint2dArray& points, bool inverted = false,
                            bool extra_entry = false)
{
    ZcDbObjectId block_id;
    {
        ZcDbBlockTable* table = nullptr;
        ASSERT_EQ(db.getBlockTable(table, ZcDb::kForWrite), Zcad::eOk);
        auto* block = new ZcDbBlockTableRecord();
        block->setName(L"PART");
        ASSERT_EQ(table->add(block_id, block), Zcad::eOk);
        table->close();
        block->appendZcDbEntity(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(100, 100, 0)));
        block->close();
    }
    ZcDbObjectPointer<ZcDbBlockTableRecord> model(db.modelSpaceId(), ZcDb::kForWrite);
    auto* ref = new ZcDbBlockReference(ZcGePoint3d(10, 20, 0), block_id);
    ZcDbObjectId ref_id;
    ASSERT_EQ(model->appendZcDbEntity(ref_id, ref), Zcad::eOk);
    ASSERT_EQ(ref->createExtensionDictionary(), Zcad::eOk);
    ZcDbObjectPointer<ZcDbDictionary> ext(ref->extensionDictionary(), ZcDb::kForWrite);
    ref->close();
    auto* filters = new ZcDbDictionary();
    ZcDbObjectId filters_id, filter_id;
    ASSERT_EQ(ext->setAt(L"ACAD_FILTER", filters, filters_id), Zcad::eOk);
    auto* filter = new ZcDbSpatialFilter();
    ASSERT_EQ(filter->setDefinition(points, ZcGeVector3d::kZAxis, 0.0, 0.0, 0.0, true), Zcad::eOk);
    ASSERT_EQ(filter->setFilterInverted(inverted), Zcad::eOk);
    ASSERT_EQ(filters->setAt(L"SPATIAL", filter, filter_id), Zcad::eOk);
    if (extra_entry) {
        ASSERT_EQ(filter->createExtensionDictionary(), Zcad::eOk);
        ZcDbObjectPointer<ZcDbDictionary> own(filter->extensionDictionary(), ZcDb::kForWrite);
        auto* note = new ZcDbXrecord();
        ZcDbObjectId note_id;
        ASSERT_EQ(own->setAt(L"NOTE", note, note_id), Zcad::eOk);
        note->close();
    }
    filter->close();
    filters->close();
}

ZcGePoint2dArray Pentagon()
{
    ZcGePoint2dArray points;
    for (const ZcGePoint2d& p : {ZcGePoint2d(10, 10), ZcGePoint2d(60, 10), ZcGePoint2d(60, 40), ZcGePoint2d(10, 40),
                                 ZcGePoint2d(5, 25)})
        points.append(p);
    return points;
}

TEST(Spatial_Filter_Dxf, ClipBoundaryRoundTripsAsASpatialFilter)
{
    ZcDbDatabase db(true, true);
    Draw_Clipped_Reference(db, Pentagon());
    const std::string path = Temp_Path("spatial_filter.dxf");
    ASSERT_EQ(Write_Dxf_File(&db, Wide(path)), Zcad::eOk);

    std::unique_ptr<ZcDbDatabase> back = Read(path);
    ASSERT_TRUE(back);
    const ZcDbObjectId filter_id = Clip_Filter_Of(back.get());
    ASSERT_FALSE(filter_id.isNull());
    ZcDbObjectPointer<ZcDbSpatialFilter> filter(filter_id, ZcDb::kForRead);
    ASSERT_EQ(filter.openStatus(), Zcad::eOk) << "read back as " << To_Utf8(filter_id.objectClass()->name());
    ZcGePoint2dArray points;
    ZcGeVector3d normal;
    double elevation = 1, front = 1, back_clip = 1;
    bool enabled = false;
    filter->getDefinition(points, normal, elevation, front, back_clip, enabled);
    ASSERT_EQ(points.length(), 5);
    EXPECT_EQ(points[4], ZcGePoint2d(5, 25));
    EXPECT_EQ(normal, ZcGeVector3d::kZAxis);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(front, 0.0);

    std::string output;
    ASSERT_EQ(Run_Command("/usr/bin/python3 -c \"import ezdxf,sys; d=ezdxf.readfile(sys.argv[1]); "
                          "f=d.objects.query('SPATIAL_FILTER'); print(len(f)); "
                          "print(sum(1 for t in f[0].xtags.get_subclass('AcDbSpatialFilter') if t.code == 10))\" " +
                              Quoted(path),
                          output),
              0)
        << output;
    EXPECT_EQ(output, "1\n5\n");
}


// The boundaries of every clipped reference of a database, in block coordinates.
std::vector<std::vector<ZcGePoint3d>> Block_Boundaries(ZcDbDatabase* db)
{
    std::vector<std::vector<ZcGePoint3d>> out;
    ZcDbObjectPointer<ZcDbBlockTable> table(db->blockTableId(), ZcDb::kForRead);
    for (ZcDbObjectId blockId : table->recordIds()) {
        ZcDbObjectPointer<ZcDbBlockTableRecord> block(blockId, ZcDb::kForRead);
        for (ZcDbObjectId id : block->entityIds()) {
            ZcGiClipBoundary clip;
            ZcDbObjectPointer<ZcDbBlockReference> ref(id, ZcDb::kForRead);
            if (ref.openStatus() == Zcad::eOk && Block_Clip_Boundary(ref.object(), clip)) {
                // Back into the block: the reference's transform taken off again.
                for (ZcGePoint3d& p : clip.points) p = ref->blockTransform().inverse() * p;
                out.push_back(clip.points);
            }
        }
    }
    return out;
}

// A boundary kept with the inverse of its reference's transform (as drawing programs keep it)
// reads as that boundary in the block, and is written back with its transforms.
TEST(Spatial_Filter_Dxf, BoundaryTransformsRoundTrip)
{
    std::unique_ptr<ZcDbDatabase> db = Read(Fixture("clipped_blocks.dxf"));
    ASSERT_TRUE(db);
    const std::vector<std::vector<ZcGePoint3d>> read = Block_Boundaries(db.get());
    ASSERT_EQ(read.size(), 5u);
    // The pentagon of the scaled and turned reference, in the block.
    const std::vector<ZcGePoint3d> pentagon = {{10, 10, 0}, {90, 10, 0}, {90, 60, 0}, {50, 90, 0}, {10, 60, 0}};
    bool found = false;
    for (const auto& b : read)
        found = found || (b.size() == 5 && std::equal(b.begin(), b.end(), pentagon.begin(), [](const ZcGePoint3d& p, const ZcGePoint3d& q) {
                              return p.distanceTo(q) < 1e-9;
                          }));
    EXPECT_TRUE(found);
    const std::string path = Temp_Path("clipped_blocks_again.dxf");
    ASSERT_EQ(Write_Dxf_File(db.get(), Wide(path)), Zcad::eOk);
    std::unique_ptr<ZcDbDatabase> back = Read(path);
    ASSERT_TRUE(back);
    const std::vector<std::vector<ZcGePoint3d>> again = Block_Boundaries(back.get());
    ASSERT_EQ(again.size(), read.size());
    for (size_t i = 0; i < read.size(); ++i) {
        ASSERT_EQ(again[i].size(), read[i].size()) << i;
        for (size_t k = 0; k < read[i].size(); ++k) EXPECT_LT(again[i][k].distanceTo(read[i][k]), 1e-9) << i << " " << k;
    }
}

// An inverted clip is written the way DXF keeps one (the cut-out polygon in the filter, the
// boundary in an ACAD_XREC_ROUNDTRIP record of its extension dictionary) and read back as the
// inverted boundary; a second write keeps one record, and entries of the filter's own stay.
TEST(Spatial_Filter_Dxf, InvertedClipRoundTrips)
{
    const struct {
        ZcGePoint2dArray points;
        bool extra_entry;
    } cases[] = {{Pentagon(), false}, {Pentagon(), true}, {[] {
                                                               ZcGePoint2dArray corners;
                                                               corners.append(ZcGePoint2d(20, 20));
                                                               corners.append(ZcGePoint2d(70, 50));
                                                               return corners;
                                                           }(),
                                                           false}};
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(n);
        ZcDbDatabase db(true, true);
        Draw_Clipped_Reference(db, c.points, true, c.extra_entry);
        const std::string path = Temp_Path("inverted_clip_" + std::to_string(n++) + ".dxf");
        ASSERT_EQ(Write_Dxf_File(&db, Wide(path)), Zcad::eOk);
        std::unique_ptr<ZcDbDatabase> back = Read(path);
        ASSERT_TRUE(back);
        const std::string again = path + ".again.dxf";
        ASSERT_EQ(Write_Dxf_File(back.get(), Wide(again)), Zcad::eOk);
        for (ZcDbDatabase* read : {back.get(), Read(again).release()}) {
            std::unique_ptr<ZcDbDatabase> owned(read == back.get() ? nullptr : read);
            ASSERT_NE(read, nullptr);
            ZcDbObjectPointer<ZcDbSpatialFilter> filter(Clip_Filter_Of(read), ZcDb::kForRead);
            ASSERT_EQ(filter.openStatus(), Zcad::eOk);
            EXPECT_TRUE(filter->isInverted());
            ZcGePoint2dArray points;
            ZcGeVector3d normal;
            double elevation = 1, front = 1, back_clip = 1;
            bool enabled = false;
            filter->getDefinition(points, normal, elevation, front, back_clip, enabled);
            ASSERT_EQ(points.length(), c.points.length());
            for (int i = 0; i < points.length(); ++i) EXPECT_EQ(points[i], c.points[i]) << i;
            EXPECT_TRUE(enabled);
            EXPECT_EQ(filter->extensionDictionary().isNull(), !c.extra_entry);
            if (c.extra_entry) {
                ZcDbObjectPointer<ZcDbDictionary> own(filter->extensionDictionary(), ZcDb::kForRead);
                EXPECT_TRUE(own->has(L"NOTE"));
                EXPECT_EQ(own->numEntries(), 1u);
            }
        }
        // The filter's polygon is the boundary, back to its first point, and the frame (five
        // points) around the block's line and the boundary; the record keeps both.
        const int boundary = c.points.length() == 2 ? 4 : c.points.length();
        std::string output;
        ASSERT_EQ(Run_Command("/usr/bin/python3 -c \"import ezdxf,sys; d=ezdxf.readfile(sys.argv[1]); "
                              "f=d.objects.query('SPATIAL_FILTER')[0]; "
                              "print(sum(1 for t in f.xtags.get_subclass('AcDbSpatialFilter') if t.code == 10)); "
                              "x=f.get_extension_dict()['ACAD_XREC_ROUNDTRIP']; "
                              "print(' '.join(str(t.value) if t.code == 102 else str(t.code) for t in x.tags)); "
                              "print(len(d.objects.query('XRECORD')))\" " +
                                  Quoted(again),
                              output),
                  0)
            << output;
        std::string sections = "ACAD_INVERTEDCLIP_ROUNDTRIP";
        for (int i = 0; i < c.points.length(); ++i) sections += " 10";
        sections += " ACAD_INVERTEDCLIP_ROUNDTRIP_COMPARE";
        for (int i = 0; i < boundary + 6; ++i) sections += " 10";
        EXPECT_EQ(output, std::to_string(boundary + 6) + "\n" + sections + "\n" + (c.extra_entry ? "2" : "1") + "\n");
    }
}

}  // namespace
}  // namespace platform::dxf_test
