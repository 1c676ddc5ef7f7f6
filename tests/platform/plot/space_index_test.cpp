// The bounds of a space's entities are kept from one sheet's plot to the next: changing the
// plot settings of a layout keeps them, a change to what is drawn drops them.
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "plot/render/space_index.h"
#include "plot_fixture.h"

using namespace platform;

namespace plot_test {
namespace {

class Space_Index_Test : public PlotTest {
protected:
    ZcDbObjectId Add_Line(double x0, double y0, double x1, double y1)
    {
        ZcDbBlockTableRecord* model = nullptr;
        EXPECT_EQ(zcdbOpenObject(model, Db()->modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
        auto* line = new ZcDbLine(ZcGePoint3d(x0, y0, 0), ZcGePoint3d(x1, y1, 0));
        ZcDbObjectId id;
        EXPECT_EQ(model->appendZcDbEntity(id, line), Zcad::eOk);
        line->close();
        model->close();
        return id;
    }
    std::shared_ptr<const std::vector<Space_Item>> Items() { return Space_Items(Db(), Db()->modelSpaceId()); }
};

TEST_F(Space_Index_Test, PlotSettingsChangesKeepTheBoundsAndDrawingChangesDropThem)
{
    const ZcDbObjectId line = Add_Line(0, 0, 10, 5);
    auto first = Items();
    ASSERT_EQ(first->size(), 1u);
    EXPECT_DOUBLE_EQ(first->front().box.maxPoint().x, 10);

    // Each sheet's plot sets the layout's device, media and window.
    With_Active_Layout([&](ZcDbLayout& layout) {
        EXPECT_EQ(Validator()->setPlotWindowArea(&layout, 0, 0, 20, 20), Zcad::eOk);
    });
    EXPECT_EQ(Items(), first);

    {
        ZcDbObjectPointer<ZcDbLine> open(line, ZcDb::kForWrite);
        ASSERT_EQ(open.openStatus(), Zcad::eOk);
        open->setEndPoint(ZcGePoint3d(30, 5, 0));
    }
    auto moved = Items();
    ASSERT_EQ(moved->size(), 1u);
    EXPECT_DOUBLE_EQ(moved->front().box.maxPoint().x, 30);

    Add_Line(50, 50, 60, 60);
    EXPECT_EQ(Items()->size(), 2u);
}

// A left-aligned text's alignment point is unused (a DXF file leaves it at 0,0): its bounds
// stay around the text, so sheets far from it do not draw it.
TEST_F(Space_Index_Test, LeftAlignedTextIsBoundedAroundItself)
{
    ZcDbBlockTableRecord* model = nullptr;
    ASSERT_EQ(zcdbOpenObject(model, Db()->modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
    auto* left = new ZcDbText(ZcGePoint3d(1000, 1000, 0), L"T1", ZcDbObjectId::kNull, 2.5);
    left->setAlignmentPoint(ZcGePoint3d(0, 0, 0));
    auto* centred = new ZcDbText(ZcGePoint3d(2000, 1000, 0), L"T2", ZcDbObjectId::kNull, 2.5);
    centred->setHorizontalMode(ZcDb::kTextCenter);
    centred->setAlignmentPoint(ZcGePoint3d(2100, 1000, 0));
    ZcDbObjectId id;
    for (ZcDbText* text : {left, centred}) {
        ASSERT_EQ(model->appendZcDbEntity(id, text), Zcad::eOk);
        text->close();
    }
    model->close();
    auto items = Items();
    ASSERT_EQ(items->size(), 2u);
    const ZcDbExtents& a = (*items)[0].box;
    EXPECT_GT(a.minPoint().x, 900);
    EXPECT_LT(a.maxPoint().x, 1100);
    const ZcDbExtents& b = (*items)[1].box;
    EXPECT_GE(b.maxPoint().x, 2100);
    EXPECT_GT(b.minPoint().x, 1900);
}

}  // namespace
}  // namespace plot_test
