#include <cmath>

#include "ed/view.h"
#include "ed_fixture.h"
#include "db/dbsymtb.h"
#include "ge/ge.h"
#include "win/machine.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

using ed_test::EdTest;

double Var_Real(const wchar_t* name)
{
    resbuf rb{};
    EXPECT_EQ(zcedGetVar(name, &rb), RTNORM);
    return rb.resval.rreal;
}

ZcGePoint3d Var_Point(const wchar_t* name)
{
    resbuf rb{};
    EXPECT_EQ(zcedGetVar(name, &rb), RTNORM);
    return ZcGePoint3d(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
}

std::wstring Var_Text(const wchar_t* name)
{
    resbuf rb{};
    if (zcedGetVar(name, &rb) != RTNORM)
        return L"<unreadable>";
    std::wstring text = rb.resval.rstring;
    delete[] rb.resval.rstring;
    return text;
}

int Set_Short(const wchar_t* name, int value)
{
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(value);
    return zcedSetVar(name, &rb);
}

ZcGeMatrix3d Ucs_Rotated(double angle, ZcGePoint3d origin = ZcGePoint3d::kOrigin)
{
    ZcGeMatrix3d m = ZcGeMatrix3d::rotation(angle, ZcGeVector3d::kZAxis);
    m.preMultBy(ZcGeMatrix3d::translation(origin.asVector()));
    return m;
}

ZcDbViewTableRecord View(double cx, double cy, double width, double height)
{
    ZcDbViewTableRecord view;
    view.setCenterPoint(ZcGePoint2d(cx, cy));
    view.setWidth(width);
    view.setHeight(height);
    return view;
}

using ViewTest = EdTest;

TEST_F(ViewTest, SetCurrentViewFitsTheRecordToTheScreen)
{
    struct Case {
        double width, height, expectedSize;
    };
    // The screen is 1600 x 900: a wide record is shown by its width.
    const Case cases[] = {{100, 100, 100}, {320, 90, 180}, {16, 9, 9}};
    for (const Case& c : cases) {
        ZcDbViewTableRecord view = View(40, -5, c.width, c.height);
        ASSERT_EQ(zcedSetCurrentView(&view, nullptr), Zcad::eOk);
        EXPECT_NEAR(Var_Real(L"VIEWSIZE"), c.expectedSize, 1e-9);
        EXPECT_TRUE(Var_Point(L"VIEWCTR").isEqualTo(ZcGePoint3d(40, -5, 0)));
    }
    ZcDbViewTableRecord flat = View(0, 0, 10, 0);
    EXPECT_EQ(zcedSetCurrentView(&flat, nullptr), Zcad::eInvalidInput);
    EXPECT_EQ(zcedSetCurrentView(nullptr, nullptr), Zcad::eInvalidInput);
}

TEST_F(ViewTest, EachSpaceKeepsItsOwnView)
{
    ZcDbViewTableRecord model = View(500, 500, 50, 50);
    ASSERT_EQ(zcedSetCurrentView(&model, nullptr), Zcad::eOk);
    ASSERT_EQ(Set_Short(L"TILEMODE", 0), RTNORM);
    ZcDbViewTableRecord paper = View(210, 148, 420, 297);
    ASSERT_EQ(zcedSetCurrentView(&paper, nullptr), Zcad::eOk);
    ASSERT_EQ(zcedMspace(), RTNORM);
    ZcDbViewTableRecord floating = View(7, 8, 2, 2);
    ASSERT_EQ(zcedSetCurrentView(&floating, nullptr), Zcad::eOk);

    EXPECT_TRUE(Var_Point(L"VIEWCTR").isEqualTo(ZcGePoint3d(7, 8, 0)));
    ASSERT_EQ(zcedPspace(), RTNORM);
    EXPECT_TRUE(Var_Point(L"VIEWCTR").isEqualTo(ZcGePoint3d(210, 148, 0)));
    EXPECT_NEAR(Var_Real(L"VIEWSIZE"), 297, 1e-9);
    ASSERT_EQ(Set_Short(L"TILEMODE", 1), RTNORM);
    EXPECT_TRUE(Var_Point(L"VIEWCTR").isEqualTo(ZcGePoint3d(500, 500, 0)));
    EXPECT_NEAR(Var_Real(L"VIEWSIZE"), 50, 1e-9);
}

TEST_F(ViewTest, ViewCentreIsReadInTheUcs)
{
    ZcDbViewTableRecord view = View(10, 20, 5, 5);
    ASSERT_EQ(zcedSetCurrentView(&view, nullptr), Zcad::eOk);
    ASSERT_EQ(zcedSetCurrentUCS(Ucs_Rotated(kPi / 2, ZcGePoint3d(10, 0, 0))), Zcad::eOk);
    // World (10, 20) is (20, 0) in a UCS at (10, 0) turned by 90 degrees.
    EXPECT_TRUE(Var_Point(L"VIEWCTR").isEqualTo(ZcGePoint3d(20, 0, 0)));
    EXPECT_NEAR(Var_Real(L"VIEWTWIST"), 0, 1e-12);  // UCSFOLLOW is 0: the view stays
}

TEST_F(ViewTest, UcsFollowShowsThePlanViewOfTheNewUcs)
{
    ZcDbViewTableRecord view = View(30, 40, 5, 5);
    ASSERT_EQ(zcedSetCurrentView(&view, nullptr), Zcad::eOk);
    ASSERT_EQ(Set_Short(L"UCSFOLLOW", 1), RTNORM);
    ASSERT_EQ(zcedSetCurrentUCS(Ucs_Rotated(kPi / 6)), Zcad::eOk);

    EXPECT_NEAR(Var_Real(L"VIEWTWIST"), 2 * kPi - kPi / 6, 1e-9);
    // The same world point stays in the centre; the UCS X axis runs along the screen.
    ZcGePoint3d centre = Var_Point(L"VIEWCTR");
    ZcGeMatrix3d ucs;
    zcedGetCurrentUCS(ucs);
    EXPECT_TRUE((ucs * centre).isEqualTo(ZcGePoint3d(30, 40, 0)));
    resbuf fromUcs{}, toDisplay{};
    fromUcs.restype = toDisplay.restype = RTSHORT;
    fromUcs.resval.rint = 1;
    toDisplay.resval.rint = 2;
    ads_point x = {1, 0, 0}, onScreen;
    ASSERT_EQ(zcedTrans(x, &fromUcs, &toDisplay, 1, onScreen), RTNORM);
    EXPECT_NEAR(onScreen[0], 1, 1e-9);
    EXPECT_NEAR(onScreen[1], 0, 1e-9);

    // Back to the world: no twist.
    ASSERT_EQ(zcedSetCurrentUCS(ZcGeMatrix3d::kIdentity), Zcad::eOk);
    EXPECT_NEAR(Var_Real(L"VIEWTWIST"), 0, 1e-9);
}

TEST_F(ViewTest, UcsVariablesFollowTheCurrentUcs)
{
    resbuf rb{};
    ASSERT_EQ(zcedGetVar(L"WORLDUCS", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 1);
    ASSERT_EQ(zcedSetCurrentUCS(Ucs_Rotated(kPi / 2, ZcGePoint3d(1, 2, 0))), Zcad::eOk);
    ASSERT_EQ(zcedGetVar(L"WORLDUCS", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 0);
    EXPECT_TRUE(Var_Point(L"UCSXDIR").isEqualTo(ZcGePoint3d(0, 1, 0)));
    EXPECT_TRUE(Var_Point(L"UCSYDIR").isEqualTo(ZcGePoint3d(-1, 0, 0)));
    EXPECT_TRUE(Var_Point(L"UCSORG").isEqualTo(ZcGePoint3d(1, 2, 0)));
    EXPECT_EQ(Set_Short(L"WORLDUCS", 1), RTERROR);  // read-only
}

TEST_F(ViewTest, ActiveViewportRecordReachesTheEditor)
{
    ZcDbViewportTable* table = nullptr;
    ASSERT_EQ(Db()->getViewportTable(table, ZcDb::kForRead), Zcad::eOk);
    ZcDbViewportTableRecord* active = nullptr;
    ASSERT_EQ(table->getAt(L"*Active", active, ZcDb::kForWrite), Zcad::eOk);
    table->close();
    active->setCenterPoint(ZcGePoint2d(-3, 4));
    active->setHeight(77);
    active->close();

    ASSERT_EQ(zcedVportTableRecords2Vports(), Zcad::eOk);
    EXPECT_TRUE(Var_Point(L"VIEWCTR").isEqualTo(ZcGePoint3d(-3, 4, 0)));
    EXPECT_NEAR(Var_Real(L"VIEWSIZE"), 77, 1e-12);
}

TEST_F(ViewTest, CurrentLayerProfileAndRoamingRoot)
{
    EXPECT_EQ(Var_Text(L"CLAYER"), L"0");
    ZcDbLayerTable* layers = nullptr;
    ASSERT_EQ(Db()->getLayerTable(layers, ZcDb::kForWrite), Zcad::eOk);
    auto* layer = new ZcDbLayerTableRecord();
    layer->setName(L"Frames");
    ASSERT_EQ(layers->add(layer), Zcad::eOk);
    layer->close();
    layers->close();

    resbuf name{};
    name.restype = RTSTR;
    name.resval.rstring = const_cast<wchar_t*>(L"frames");
    EXPECT_EQ(zcedSetVar(L"CLAYER", &name), RTNORM);
    EXPECT_EQ(Var_Text(L"CLAYER"), L"Frames");
    name.resval.rstring = const_cast<wchar_t*>(L"missing");
    EXPECT_EQ(zcedSetVar(L"CLAYER", &name), RTERROR);
    EXPECT_EQ(Var_Text(L"CLAYER"), L"Frames");

    EXPECT_EQ(Var_Text(L"CPROFILE"), platform::Machine::instance().host_profile_name());
    EXPECT_EQ(Var_Text(L"ROAMABLEROOTPREFIX"), platform::Machine::instance().host_roaming_folder() + L"\\");
}

}  // namespace
