#include <cmath>

#include "core/extents_checks.h"
#include "core/hidden_layers.h"
#include "core/ucs_transform.h"
#include "core_fixture.h"
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "ed/view.h"
#include "ge/ge.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

double Var_Real(const wchar_t* name)
{
    resbuf rb{};
    return zcedGetVar(name, &rb) == RTNORM ? rb.resval.rreal : -1;
}

ZcGeMatrix3d Current_Ucs()
{
    ZcGeMatrix3d m;
    zcedGetCurrentUCS(m);
    return m;
}

ZcGeMatrix3d User_Ucs(double angle = Pi / 6)
{
    ZcGeMatrix3d m = ZcGeMatrix3d::rotation(angle, ZcGeVector3d::kZAxis);
    m.preMultBy(ZcGeMatrix3d::translation(ZcGeVector3d(100, 50, 0)));
    return m;
}

// Turns the current view by the twist (a plan view of the world).
void Twist_View(double twist)
{
    platform::ViewState view = platform::Current_View();
    view.twist = twist;
    platform::Set_Current_View(view);
}

class Ucs_Transform_Test : public Core_Test {
protected:
    void SetUp() override
    {
        Core_Test::SetUp();
        g_Ucs.Reset();
    }
    void TearDown() override
    {
        g_Ucs.Reset();
        Core_Test::TearDown();
    }
};

TEST_F(Ucs_Transform_Test, ConversionsRoundTripWhileActive)
{
    ASSERT_EQ(zcedSetCurrentUCS(User_Ucs()), Zcad::eOk);
    g_Ucs.Capture(false);
    ASSERT_TRUE(g_Ucs.Active);
    EXPECT_TRUE((g_Ucs.Ucs_To_World_Matrix * g_Ucs.World_To_Ucs_Matrix).isEqualTo(ZcGeMatrix3d::kIdentity));

    const ZcGePoint3d points[] = {{0, 0, 0}, {100, 50, 0}, {-3.5, 1e6, 7}, {1e-9, -1e-9, 0}};
    for (const ZcGePoint3d& p : points) {
        ZcGePoint3d q = p;
        g_Ucs.World_To_Ucs(q);
        g_Ucs.Ucs_To_World(q);
        EXPECT_TRUE(q.isEqualTo(p, ZcGeTol(1e-6, 1e-6)));
    }
    // The UCS origin is (100, 50): its world point is the UCS origin.
    ZcGePoint3d origin(100, 50, 0);
    g_Ucs.World_To_Ucs(origin);
    EXPECT_TRUE(origin.isEqualTo(ZcGePoint3d::kOrigin));
    // 2D forms ignore z: (x, y) always converts as (x, y, 0).
    ZcGePoint2d flat(3, 4);
    g_Ucs.World_To_Ucs_2d(flat);
    ZcGePoint3d expected(3, 4, 0);
    g_Ucs.World_To_Ucs(expected);
    EXPECT_TRUE(flat.isEqualTo(ZcGePoint2d(expected.x, expected.y)));
    // Vectors turn but do not move.
    ZcGeVector3d x = ZcGeVector3d::kXAxis;
    g_Ucs.Ucs_To_World_Vector(x);
    EXPECT_TRUE(x.isEqualTo(ZcGeVector3d(std::cos(Pi / 6), std::sin(Pi / 6), 0)));
    ZcGePoint2dArray outline;
    outline.append(ZcGePoint2d(0, 0));
    outline.append(ZcGePoint2d(1, 0));
    Ucs_Points2d_To_World(outline);
    EXPECT_TRUE(outline[0].isEqualTo(ZcGePoint2d(100, 50)));
    EXPECT_TRUE(outline[1].isEqualTo(ZcGePoint2d(100 + std::cos(Pi / 6), 50 + std::sin(Pi / 6))));
}

TEST_F(Ucs_Transform_Test, InactiveConversionsLeaveTheirInput)
{
    ASSERT_EQ(zcedSetCurrentUCS(User_Ucs()), Zcad::eOk);  // the record was not captured
    ZcGePoint3d p(1, 2, 3);
    ZcGePoint2d q(4, 5);
    ZcGeVector3d v(0, 1, 0);
    g_Ucs.World_To_Ucs(p);
    g_Ucs.Ucs_To_World_2d(q);
    g_Ucs.Ucs_To_World_Vector(v);
    Ucs_Point2d_To_World(q);
    EXPECT_TRUE(p.isEqualTo(ZcGePoint3d(1, 2, 3)));
    EXPECT_TRUE(q.isEqualTo(ZcGePoint2d(4, 5)));
    EXPECT_TRUE(v.isEqualTo(ZcGeVector3d(0, 1, 0)));
}

TEST_F(Ucs_Transform_Test, CaptureCases)
{
    enum Start { World_Untwisted, World_Twisted, User_Ucs_Plain };
    struct Case {
        const char* what;
        Start start;
        bool paper;
        bool align;
        bool active_after;
        bool world_after;
        double twist_after;
    };
    const Case cases[] = {
        {"world UCS, no twist, align", World_Untwisted, false, true, false, true, 0},
        {"world UCS twisted, align: world set again", World_Twisted, false, true, false, true, 0},
        {"world UCS twisted, no align: nothing changes", World_Twisted, false, false, false, true, 0.5},
        {"user UCS, no align: recorded, view kept", User_Ucs_Plain, false, false, true, false, 0},
        {"user UCS, align: recorded, plan view", User_Ucs_Plain, false, true, true, false, 2 * Pi - Pi / 6},
        {"paper space with a user UCS", User_Ucs_Plain, true, true, false, true, 0},
        {"paper space twisted", World_Twisted, true, false, false, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Set_Var(L"TILEMODE", c.paper ? 0 : 1);
        ASSERT_EQ(zcedSetCurrentUCS(ZcGeMatrix3d::kIdentity), Zcad::eOk);
        Twist_View(c.start == World_Twisted ? 0.5 : 0);
        if (c.start == User_Ucs_Plain) {
            ASSERT_EQ(zcedSetCurrentUCS(User_Ucs()), Zcad::eOk);
        }
        Set_Var(L"UCSFOLLOW", 0);
        g_Ucs.Active = true;  // a capture always starts afresh

        g_Ucs.Capture(c.align);

        EXPECT_EQ(g_Ucs.Active, c.active_after);
        if (!c.active_after) {
            EXPECT_TRUE(g_Ucs.Ucs_To_World_Matrix.isEqualTo(ZcGeMatrix3d::kIdentity));
            EXPECT_TRUE(g_Ucs.World_To_Ucs_Matrix.isEqualTo(ZcGeMatrix3d::kIdentity));
        } else {
            EXPECT_TRUE(g_Ucs.Ucs_To_World_Matrix.isEqualTo(User_Ucs()));
        }
        EXPECT_EQ(Current_Ucs().isEqualTo(ZcGeMatrix3d::kIdentity), c.world_after);
        EXPECT_NEAR(Var_Real(L"VIEWTWIST"), c.twist_after, 1e-9);
        EXPECT_EQ(Var_Int(L"UCSFOLLOW"), 0);
    }
}

TEST_F(Ucs_Transform_Test, AlignedUserUcsIsLeftAlone)
{
    ASSERT_EQ(zcedSetCurrentUCS(User_Ucs()), Zcad::eOk);
    Twist_View(2 * Pi - Pi / 6);  // already the plan view of the UCS
    Set_Var(L"UCSFOLLOW", 1);
    platform::ViewState before = platform::Current_View();
    before.center.set(12, 34);
    platform::Set_Current_View(before);

    g_Ucs.Capture(true);

    EXPECT_TRUE(g_Ucs.Active);
    EXPECT_TRUE(platform::Current_View().center.isEqualTo(ZcGePoint2d(12, 34)));
    EXPECT_EQ(Var_Int(L"UCSFOLLOW"), 1);
}

TEST_F(Ucs_Transform_Test, SetWorld)
{
    ASSERT_EQ(zcedSetCurrentUCS(User_Ucs()), Zcad::eOk);
    g_Ucs.Capture(false);
    g_Ucs.Set_World();
    EXPECT_FALSE(g_Ucs.Active);
    EXPECT_TRUE(Current_Ucs().isEqualTo(ZcGeMatrix3d::kIdentity));
    EXPECT_NEAR(Var_Real(L"VIEWTWIST"), 0, 1e-12);
}

TEST(Extents_Checks, PointInExtentsIncludesTheEdges)
{
    const ZcDbExtents box(ZcGePoint3d(0, 0, 0), ZcGePoint3d(10, 5, 0));
    struct Case {
        ZcGePoint3d point;
        bool inside;
    };
    const Case cases[] = {{{5, 2, 0}, true},   {{0, 0, 0}, true},    {{10, 5, 0}, true},
                          {{10, 2, 99}, true}, {{10.0001, 2, 0}, false}, {{5, -0.0001, 0}, false}};
    for (const Case& c : cases)
        EXPECT_EQ(Point_In_Extents(c.point, box), c.inside) << c.point.x << "," << c.point.y;
}

TEST(Extents_Checks, CheckExtentsRefusesDegenerateBoxes)
{
    struct Case {
        double width, height;
        bool accepted;
    };
    const Case cases[] = {{10, 10, true}, {0.00001, 10, false}, {10, 0.00001, false},
                          {0.000011, 0.000011, true}, {0, 0, false}};
    for (const Case& c : cases)
        EXPECT_EQ(Check_Extents(ZcDbExtents(ZcGePoint3d(0, 0, 0), ZcGePoint3d(c.width, c.height, 0))),
                  c.accepted)
            << c.width << " x " << c.height;
    EXPECT_FALSE(Check_Extents(ZcDbExtents()));
}

}  // namespace
