#include "core/view_helpers.h"
#include "core_fixture.h"
#include "db/dbsymtb.h"
#include "db/dbviewport.h"
#include "ed/view.h"
#include "ge/ge.h"

namespace {

ZcGePoint3d Var_Point(const wchar_t* name)
{
    resbuf rb{};
    EXPECT_EQ(zcedGetVar(name, &rb), RTNORM);
    return ZcGePoint3d(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
}

double Var_Real(const wchar_t* name)
{
    resbuf rb{};
    EXPECT_EQ(zcedGetVar(name, &rb), RTNORM);
    return rb.resval.rreal;
}

// The screen is 1600 x 900 pixels: a view 90 high is 160 wide.
class View_Helpers_Test : public Core_Test {
protected:
    void SetUp() override
    {
        Core_Test::SetUp();
        ZcDbViewTableRecord view;
        view.setCenterPoint(ZcGePoint2d(0, 0));
        view.setWidth(160);
        view.setHeight(90);
        ASSERT_EQ(zcedSetCurrentView(&view, nullptr), Zcad::eOk);
    }
};

TEST_F(View_Helpers_Test, ExtentsOnScreenChangeNothing)
{
    ZcDbExtents extents(ZcGePoint3d(-80, -45, 0), ZcGePoint3d(80, 45, 0));  // the whole screen
    Zoom_To_Include(extents);
    EXPECT_TRUE(extents.minPoint().isEqualTo(ZcGePoint3d(-80, -45, 0)));
    EXPECT_TRUE(extents.maxPoint().isEqualTo(ZcGePoint3d(80, 45, 0)));
    EXPECT_TRUE(Var_Point(L"VIEWCTR").isEqualTo(ZcGePoint3d(0, 0, 0)));
    EXPECT_NEAR(Var_Real(L"VIEWSIZE"), 90, 1e-9);
}

TEST_F(View_Helpers_Test, ExtentsPartlyOffScreenGrowAndJoinTheView)
{
    ZcDbExtents extents(ZcGePoint3d(0, 0, 0), ZcGePoint3d(400, 100, 0));
    Zoom_To_Include(extents);
    EXPECT_TRUE(extents.minPoint().isEqualTo(ZcGePoint3d(-2.5, -2.5, 0)));
    EXPECT_TRUE(extents.maxPoint().isEqualTo(ZcGePoint3d(402.5, 102.5, 0)));
    // Union with the view: x -80 .. 402.5, y -45 .. 102.5.
    EXPECT_TRUE(Var_Point(L"VIEWCTR").isEqualTo(ZcGePoint3d(161.25, 28.75, 0)));
    EXPECT_NEAR(Var_Real(L"VIEWSIZE"), 482.5 * 900 / 1600, 1e-9);
}

TEST_F(View_Helpers_Test, ZoomWindowInAUserUcs)
{
    ZcGeMatrix3d ucs = ZcGeMatrix3d::translation(ZcGeVector3d(1000, 0, 0));
    ASSERT_EQ(zcedSetCurrentUCS(ucs), Zcad::eOk);
    Zoom_Window(ZcGePoint3d(0, 0, 0), ZcGePoint3d(10, 90, 0));
    EXPECT_TRUE(Var_Point(L"VIEWCTR").isEqualTo(ZcGePoint3d(5, 45, 0)));  // read in the UCS
    EXPECT_NEAR(Var_Real(L"VIEWSIZE"), 90, 1e-9);
    ASSERT_EQ(zcedSetCurrentUCS(ZcGeMatrix3d::kIdentity), Zcad::eOk);
    EXPECT_TRUE(Var_Point(L"VIEWCTR").isEqualTo(ZcGePoint3d(1005, 45, 0)));

    // Reversed corners give no view: nothing changes.
    Zoom_Window(ZcGePoint3d(10, 10, 0), ZcGePoint3d(0, 0, 0));
    EXPECT_TRUE(Var_Point(L"VIEWCTR").isEqualTo(ZcGePoint3d(1005, 45, 0)));
}

TEST_F(View_Helpers_Test, DatabaseViewWidenedToTheScreen)
{
    struct Case {
        double width, height, stored_width, stored_height;
    };
    const Case cases[] = {{100, 100, 100 * 1600.0 / 900, 100}, {400, 100, 400, 225}};
    for (const Case& c : cases) {
        ZcDbDatabase side(true, true);
        Set_Database_View(&side, c.width, c.height, 7, 8, false);
        ZcDbViewportTable* table = nullptr;
        ASSERT_EQ(side.getViewportTable(table), Zcad::eOk);
        ZcDbViewportTableRecord* active = nullptr;
        ASSERT_EQ(table->getAt(L"*Active", active, ZcDb::kForRead), Zcad::eOk);
        table->close();
        EXPECT_NEAR(active->width(), c.stored_width, 1e-9);
        EXPECT_NEAR(active->height(), c.stored_height, 1e-9);
        EXPECT_TRUE(active->centerPoint().isEqualTo(ZcGePoint2d(7, 8)));
        EXPECT_TRUE(active->viewDirection().isEqualTo(ZcGeVector3d::kZAxis));
        active->close();
    }
    // The working drawing's editor takes the view.
    Set_Database_View(zcdbHostApplicationServices()->workingDatabase(), 100, 100, 3, 4, false);
    EXPECT_TRUE(Var_Point(L"VIEWCTR").isEqualTo(ZcGePoint3d(3, 4, 0)));
    EXPECT_NEAR(Var_Real(L"VIEWSIZE"), 100, 1e-9);
}

TEST_F(View_Helpers_Test, DatabaseViewOnThePaperSpaceViewport)
{
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    Set_Var(L"TILEMODE", 0);  // the layout gets its viewports
    Set_Var(L"TILEMODE", 1);
    Set_Database_View(db, 100, 100, 50, 60, true);
    ZcDbObjectPointer<ZcDbBlockTableRecord> paper(db->paperSpaceId(), ZcDb::kForRead);
    bool found = false;
    for (const ZcDbObjectId& id : paper->entityIds()) {
        ZcDbObjectPointer<ZcDbViewport> viewport(id, ZcDb::kForRead);
        if (viewport.openStatus() != Zcad::eOk || viewport->number() != 1)
            continue;
        found = true;
        EXPECT_NEAR(viewport->width(), 100 * 1600.0 / 900, 1e-9);
        EXPECT_NEAR(viewport->height(), 100, 1e-9);
        EXPECT_NEAR(viewport->viewHeight(), 100, 1e-9);
        EXPECT_TRUE(viewport->centerPoint().isEqualTo(ZcGePoint3d(50, 60, 0)));
        EXPECT_TRUE(viewport->viewCenter().isEqualTo(ZcGePoint2d(50, 60)));
    }
    EXPECT_TRUE(found);
}

}  // namespace
