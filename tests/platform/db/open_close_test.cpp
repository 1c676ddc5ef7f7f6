// Opening and closing objects: the statuses the host gives.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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

// What a dead id pointed at is not handed to the next databases: their objects are not
// reached through it.
TEST(OpenClose, IdsOfADeletedDatabaseStayDeadWhileOthersAreMade)
{
    std::vector<ZcDbObjectId> dead;
    for (int round = 0; round < 3; ++round) {
        Test_Drawing d;
        for (int i = 0; i < 200; ++i) dead.push_back(d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(i + 1, 0, 0)));
    }
    Test_Drawing live;
    for (int i = 0; i < 2000; ++i) live.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    for (ZcDbObjectId id : dead) {
        ASSERT_FALSE(id.isValid());
        ASSERT_EQ(id.database(), nullptr);
        ZcDbObject* obj = nullptr;
        ASSERT_EQ(zcdbOpenObject(obj, id, ZcDb::kForRead), Zcad::eUnknownHandle);
    }
}

// Erasing one object marks that object alone, whatever its neighbours in the database.
TEST(OpenClose, ErasedMarksBelongToTheirOwnObject)
{
    Test_Drawing d;
    std::vector<ZcDbObjectId> ids;
    for (int i = 0; i < 300; ++i) ids.push_back(d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(i + 1, 0, 0)));
    auto erased = [](size_t i) { return i % 3 == 0 || i % 64 == 63; };
    for (size_t i = 0; i < ids.size(); ++i) {
        if (!erased(i)) continue;
        ZcDbObjectPointer<ZcDbLine> line(ids[i], ZcDb::kForWrite);
        ASSERT_EQ(line.openStatus(), Zcad::eOk) << "object " << i;
        ASSERT_EQ(line->erase(), Zcad::eOk);
    }
    for (size_t i = 0; i < ids.size(); ++i) ASSERT_EQ(ids[i].isErased(), erased(i)) << "object " << i;
    // Brought back: only that one changes.
    {
        ZcDbObjectPointer<ZcDbLine> line(ids[63], ZcDb::kForWrite, true);
        ASSERT_EQ(line.openStatus(), Zcad::eOk);
        ASSERT_EQ(line->erase(false), Zcad::eOk);
    }
    for (size_t i = 0; i < ids.size(); ++i) ASSERT_EQ(ids[i].isErased(), erased(i) && i != 63) << "object " << i;
}

// Ids rebuilt from integers (entity names of scripts) that name no object are refused, not read.
TEST(OpenClose, IdsFromIntegersThatNameNoObjectAreInvalid)
{
    Test_Drawing d;
    ZcDbObjectId lineId = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    int local = 0;
    const int64_t names[] = {1, -1, 0x1000, int64_t(reinterpret_cast<intptr_t>(&local)),
                             lineId.asOldId() + 8, lineId.asOldId() + (int64_t{1} << 20)};
    for (int64_t name : names) {
        ZcDbObjectId id;
        id.setFromOldId(name);
        SCOPED_TRACE(name);
        EXPECT_FALSE(id.isValid());
        EXPECT_FALSE(id.isErased());
        EXPECT_EQ(id.database(), nullptr);
        EXPECT_EQ(id.handle(), ZcDbHandle());
        EXPECT_EQ(id.objectClass(), nullptr);
        ZcDbObject* obj = nullptr;
        EXPECT_EQ(zcdbOpenObject(obj, id, ZcDb::kForRead), Zcad::eUnknownHandle);
    }
    ZcDbObjectId same;
    same.setFromOldId(lineId.asOldId());
    EXPECT_TRUE(same.isValid());
}

}  // namespace
