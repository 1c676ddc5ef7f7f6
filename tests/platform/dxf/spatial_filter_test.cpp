// Clip boundaries of block references survive a write and a read: the filter comes back as a
// spatial filter with its polygon, not as a raw object, and ezdxf finds it in the file.
#include <gtest/gtest.h>

#include "db/dbblkref.h"
#include "db/dbcurve.h"
#include "db/dbdict.h"
#include "db/dbspfilt.h"
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

TEST(Spatial_Filter_Dxf, ClipBoundaryRoundTripsAsASpatialFilter)
{
    ZcDbDatabase db(true, true);
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
    {
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
        ZcGePoint2dArray points;
        for (const ZcGePoint2d& p : {ZcGePoint2d(10, 10), ZcGePoint2d(60, 10), ZcGePoint2d(60, 40), ZcGePoint2d(10, 40),
                                     ZcGePoint2d(5, 25)})
            points.append(p);
        ASSERT_EQ(filter->setDefinition(points, ZcGeVector3d::kZAxis, 0.0, 0.0, 0.0, true), Zcad::eOk);
        ASSERT_EQ(filters->setAt(L"SPATIAL", filter, filter_id), Zcad::eOk);
        filter->close();
        filters->close();
    }
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

}  // namespace
}  // namespace platform::dxf_test
