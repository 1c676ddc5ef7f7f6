// Opening and closing objects: the statuses the host gives.
#include <gtest/gtest.h>

#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "db_test_support.h"

namespace {

TEST(OpenClose, StatusTable)
{
    Test_Drawing d;
    ZcDbObjectId lineId = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(10, 0, 0));

    ZcDbObject* reader1 = nullptr;
    ZcDbObject* reader2 = nullptr;
    ASSERT_EQ(zcdbOpenObject(reader1, lineId, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(zcdbOpenObject(reader2, lineId, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(reader1, reader2);
    ZcDbObject* writer = nullptr;
    EXPECT_EQ(zcdbOpenObject(writer, lineId, ZcDb::kForWrite), Zcad::eWasOpenForRead);
    EXPECT_EQ(writer, nullptr);
    EXPECT_EQ(reader1->upgradeOpen(), Zcad::eHadMultipleReaders);
    reader2->close();
    EXPECT_EQ(reader1->upgradeOpen(), Zcad::eOk);
    EXPECT_TRUE(reader1->isWriteEnabled());
    EXPECT_EQ(zcdbOpenObject(writer, lineId, ZcDb::kForWrite), Zcad::eWasOpenForWrite);
    EXPECT_EQ(zcdbOpenObject(writer, lineId, ZcDb::kForRead), Zcad::eWasOpenForWrite);
    reader1->close();
    EXPECT_EQ(reader1->close(), Zcad::eNotOpenForRead);

    ZcDbObject* nothing = nullptr;
    EXPECT_EQ(zcdbOpenObject(nothing, ZcDbObjectId::kNull, ZcDb::kForRead), Zcad::eNullObjectId);
}

TEST(OpenClose, ErasedObjectsNeedOpenErased)
{
    Test_Drawing d;
    ZcDbObjectId lineId = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0));
    ZcDbEntity* ent = nullptr;
    ASSERT_EQ(zcdbOpenZcDbEntity(ent, lineId, ZcDb::kForWrite), Zcad::eOk);
    EXPECT_EQ(ent->erase(), Zcad::eOk);
    ent->close();
    EXPECT_TRUE(lineId.isErased());
    EXPECT_EQ(zcdbOpenZcDbEntity(ent, lineId, ZcDb::kForRead), Zcad::eWasErased);
    ASSERT_EQ(zcdbOpenZcDbEntity(ent, lineId, ZcDb::kForWrite, true), Zcad::eOk);
    EXPECT_EQ(ent->erase(false), Zcad::eOk);
    ent->close();
    EXPECT_FALSE(lineId.isErased());
}

TEST(OpenClose, LockedLayerRefusesWriteUnlessAsked)
{
    Test_Drawing d;
    ZcDbObjectId layerId = d.addLayer(L"Locked");
    ZcDbObjectId lineId = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0), layerId);
    {
        ZcDbObjectPointer<ZcDbLayerTableRecord> layer(layerId, ZcDb::kForWrite);
        ASSERT_EQ(layer.openStatus(), Zcad::eOk);
        layer->setIsLocked(true);
    }
    ZcDbEntity* ent = nullptr;
    EXPECT_EQ(zcdbOpenZcDbEntity(ent, lineId, ZcDb::kForWrite), Zcad::eOnLockedLayer);
    ASSERT_EQ(zcdbOpenZcDbEntity(ent, lineId, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(ent->upgradeOpen(), Zcad::eOnLockedLayer);
    ent->close();
    ZcDbObject* obj = nullptr;
    ASSERT_EQ(zcdbOpenObject(obj, lineId, ZcDb::kForWrite, false, true), Zcad::eOk);
    EXPECT_EQ(obj->erase(), Zcad::eOk);
    obj->close();
}

TEST(OpenClose, TemplateOpenChecksTheClass)
{
    Test_Drawing d;
    ZcDbObjectId lineId = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0));
    ZcDbCircle* circle = nullptr;
    EXPECT_EQ(zcdbOpenObject(circle, lineId, ZcDb::kForWrite), Zcad::eNotThatKindOfClass);
    EXPECT_EQ(circle, nullptr);
    // The failed open left nothing open: a write opening succeeds.
    ZcDbObjectPointer<ZcDbLine> line(lineId, ZcDb::kForWrite);
    EXPECT_EQ(line.openStatus(), Zcad::eOk);
    EXPECT_EQ(line->endPoint(), ZcGePoint3d(1, 1, 0));
}

TEST(OpenClose, SettersNeedWriteAccessAndCancelRollsBack)
{
    Test_Drawing d;
    ZcDbObjectId lineId = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    ZcDbLine* line = nullptr;
    ASSERT_EQ(zcdbOpenObject(line, lineId, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(line->setEndPoint(ZcGePoint3d(5, 0, 0)), Zcad::eNotOpenForWrite);
    EXPECT_EQ(line->endPoint(), ZcGePoint3d(1, 0, 0));
    line->close();
    ASSERT_EQ(zcdbOpenObject(line, lineId, ZcDb::kForWrite), Zcad::eOk);
    EXPECT_EQ(line->setEndPoint(ZcGePoint3d(5, 0, 0)), Zcad::eOk);
    line->cancel();
    ASSERT_EQ(zcdbOpenObject(line, lineId, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(line->endPoint(), ZcGePoint3d(1, 0, 0));
    line->close();
}

TEST(OpenClose, IdsOfADeletedDatabaseAreInvalid)
{
    ZcDbObjectId lineId;
    {
        Test_Drawing d;
        lineId = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
        EXPECT_TRUE(lineId.isValid());
    }
    EXPECT_FALSE(lineId.isValid());
    EXPECT_EQ(lineId.database(), nullptr);
    ZcDbObject* obj = nullptr;
    EXPECT_EQ(zcdbOpenObject(obj, lineId, ZcDb::kForRead), Zcad::eUnknownHandle);
}

}  // namespace
