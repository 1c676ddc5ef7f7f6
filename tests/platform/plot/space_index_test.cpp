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

}  // namespace
}  // namespace plot_test
