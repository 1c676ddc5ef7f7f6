// The draw order of a block: entities moved to the top, the bottom, above and under others,
// the sort handles staying those of the block's entities, erased entities left out.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "db/dbsort.h"
#include "db_test_support.h"

namespace {

class Sortents : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 5; ++i)
            ids.push_back(d.addLine(ZcGePoint3d(i, 0, 0), ZcGePoint3d(i, 1, 0)));
    }
    // Model space's draw order as indexes into ids.
    std::vector<int> Order()
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> ms(d.db->modelSpaceId(), ZcDb::kForRead);
        std::vector<int> order;
        for (const ZcDbObjectId& id : platform::Draw_Order(ms.object()))
            order.push_back(int(std::find(ids.begin(), ids.end(), id) - ids.begin()));
        return order;
    }
    ZcDbObjectIdArray Of(std::initializer_list<int> which)
    {
        ZcDbObjectIdArray chosen;
        for (int i : which) chosen.append(ids[size_t(i)]);
        return chosen;
    }
    Test_Drawing d;
    std::vector<ZcDbObjectId> ids;
};

TEST_F(Sortents, MovesKeepTheOrderOfTheMovedAndHandTheBlocksOwnHandlesRound)
{
    EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2, 3, 4}));  // no table: the appended order
    ZcDbSortentsTable* table = nullptr;
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> ms(d.db->modelSpaceId(), ZcDb::kForWrite);
        EXPECT_EQ(ms->getSortentsTable(table, ZcDb::kForWrite, false), Zcad::eKeyNotFound);
        ASSERT_EQ(ms->getSortentsTable(table, ZcDb::kForWrite, true), Zcad::eOk);
    }
    EXPECT_EQ(table->blockId(), d.db->modelSpaceId());
    struct Step {
        const char* what;
        std::function<Zcad::ErrorStatus()> move;
        std::vector<int> order;
    };
    const Step steps[] = {
        {"3 and 1 to the bottom", [&] { return table->moveToBottom(Of({3, 1})); }, {1, 3, 0, 2, 4}},
        {"1 to the top", [&] { return table->moveToTop(Of({1})); }, {3, 0, 2, 4, 1}},
        {"4 and 3 above 0", [&] { return table->moveAbove(Of({4, 3}), ids[0]); }, {0, 3, 4, 2, 1}},
        {"1 under 3", [&] { return table->moveBelow(Of({1}), ids[3]); }, {0, 1, 3, 4, 2}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        ASSERT_EQ(step.move(), Zcad::eOk);
        ZcDbObjectIdArray full;
        table->getFullDrawOrder(full);
        std::vector<int> order;
        std::set<uint64_t> sort_handles, own_handles;
        for (int i = 0; i < full.length(); ++i) {
            order.push_back(int(std::find(ids.begin(), ids.end(), full[i]) - ids.begin()));
            ZcDbHandle h;
            table->getSortHandle(full[i], h);
            sort_handles.insert(h.value());
            own_handles.insert(full[i].handle().value());
        }
        EXPECT_EQ(order, step.order);
        EXPECT_EQ(sort_handles, own_handles);
    }
    EXPECT_EQ(table->moveAbove(Of({0}), ZcDbObjectId()), Zcad::eInvalidInput);
    table->close();
    EXPECT_EQ(Order(), (std::vector<int>{0, 1, 3, 4, 2}));
    {
        ZcDbObjectPointer<ZcDbEntity> erased(ids[3], ZcDb::kForWrite);
        erased->erase();
    }
    EXPECT_EQ(Order(), (std::vector<int>{0, 1, 4, 2}));
}

}  // namespace
