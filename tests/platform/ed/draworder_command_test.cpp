// The host command DRAWORDER run from a command with its answers: the selected entities go
// in front, behind (also on Enter), above or under the entities of a second selection.
#include "ed_fixture.h"

#include <algorithm>

#include "db/dbents.h"
#include "db/dbsort.h"
#include "db/dbsymtb.h"
#include "ed/selection.h"

using namespace ed_test;

namespace {

class DraworderTest : public EdTest {
protected:
    void SetUp() override
    {
        EdTest::SetUp();
        for (int i = 0; i < 4; ++i)
            ids.push_back(Append(new ZcDbLine(ZcGePoint3d(i, 0, 0), ZcGePoint3d(i, 1, 0))));
    }
    std::vector<int> Order()
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> ms(Db()->modelSpaceId(), ZcDb::kForRead);
        std::vector<int> order;
        for (const ZcDbObjectId& id : platform::Draw_Order(ms.object()))
            order.push_back(int(std::find(ids.begin(), ids.end(), id) - ids.begin()));
        return order;
    }
    void Set_Of(std::initializer_list<int> which, ads_name set)
    {
        zcedSSAdd(nullptr, nullptr, set);
        for (int i : which) {
            ads_name name;
            zcdbGetAdsName(name, ids[size_t(i)]);
            zcedSSAdd(name, set, set);
        }
    }
    std::vector<ZcDbObjectId> ids;
};

TEST_F(DraworderTest, SelectedEntitiesGoFrontBackAboveOrUnder)
{
    struct Case {
        std::initializer_list<int> moved;
        const wchar_t* option;  // "" takes the default, Back
        std::initializer_list<int> reference;
        std::vector<int> order;
    };
    const Case cases[] = {
        {{0}, L"F", {}, {1, 2, 3, 0}},
        {{3, 2}, L"", {}, {2, 3, 1, 0}},
        {{2}, L"A", {1, 3}, {3, 1, 2, 0}},
        {{0}, L"U", {1, 2}, {3, 0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        int status = 0;
        ASSERT_EQ(Add_Command(L"ORDER_IT", [&] {
                      ads_name set, reference;
                      Set_Of(c.moved, set);
                      if (c.reference.size() == 0) {
                          status = zcedCommandS(RTSTR, L"draworder", RTPICKS, set, RTSTR, L"", RTSTR, c.option, RTNONE);
                      } else {
                          Set_Of(c.reference, reference);
                          status = zcedCommandS(RTSTR, L"draworder", RTPICKS, set, RTSTR, L"", RTSTR, c.option,
                                                RTPICKS, reference, RTSTR, L"", RTNONE);
                          zcedSSFree(reference);
                      }
                      zcedSSFree(set);
                  }),
                  Zcad::eOk);
        EXPECT_EQ(platform::Run_Command(L"ORDER_IT"), platform::CommandOutcome::Ended);
        EXPECT_EQ(status, RTNORM);
        EXPECT_EQ(Order(), c.order);
        zcedRegCmds->removeCmd(kGroup, L"ORDER_IT");
    }
}

}  // namespace
