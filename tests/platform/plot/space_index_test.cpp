// The bounds of a space's entities are kept from one sheet's plot to the next: changing the
// plot settings of a layout keeps them, a change to what is drawn drops them.
#include <cmath>
#include <random>

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
    std::shared_ptr<const Space_Index> Index() { return Space_Items(Db(), Db()->modelSpaceId()); }
};

TEST_F(Space_Index_Test, PlotSettingsChangesKeepTheBoundsAndDrawingChangesDropThem)
{
    const ZcDbObjectId line = Add_Line(0, 0, 10, 5);
    auto first = Index();
    ASSERT_EQ(first->items().size(), 1u);
    EXPECT_DOUBLE_EQ(first->items().front().box.maxPoint().x, 10);

    // Each sheet's plot sets the layout's device, media and window.
    With_Active_Layout([&](ZcDbLayout& layout) {
        EXPECT_EQ(Validator()->setPlotWindowArea(&layout, 0, 0, 20, 20), Zcad::eOk);
    });
    EXPECT_EQ(Index(), first);

    {
        ZcDbObjectPointer<ZcDbLine> open(line, ZcDb::kForWrite);
        ASSERT_EQ(open.openStatus(), Zcad::eOk);
        open->setEndPoint(ZcGePoint3d(30, 5, 0));
    }
    auto moved = Index();
    ASSERT_EQ(moved->items().size(), 1u);
    EXPECT_DOUBLE_EQ(moved->items().front().box.maxPoint().x, 30);

    Add_Line(50, 50, 60, 60);
    EXPECT_EQ(Index()->items().size(), 2u);
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
    auto index = Index();
    const std::vector<Space_Item>& items = index->items();
    ASSERT_EQ(items.size(), 2u);
    const ZcDbExtents& a = items[0].box;
    EXPECT_GT(a.minPoint().x, 900);
    EXPECT_LT(a.maxPoint().x, 1100);
    const ZcDbExtents& b = items[1].box;
    EXPECT_GE(b.maxPoint().x, 2100);
    EXPECT_GT(b.minPoint().x, 1900);
}

// The entities near a rectangle are every entity whose box meets it and every one without
// usable bounds, in drawing order, whatever the boxes: small, wide, points, unbounded, not
// finite, inverted.
TEST(Space_Index_Near, FindsEveryEntityThatMeetsTheRectangle)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> at(-500, 5000), size(0, 40);
    std::vector<Space_Item> items;
    for (int i = 0; i < 3000; ++i) {
        Space_Item item;
        const double x = at(random), y = at(random) / 2;
        double w = size(random), h = size(random);
        if (i % 97 == 0) w = 3000;  // wider than the grid lets a box be
        if (i % 53 == 0) w = h = 0;  // a point
        item.box = ZcDbExtents(ZcGePoint3d(x, y, 0), ZcGePoint3d(x + w, y + h, 0));
        item.bounded = i % 101 != 0;
        items.push_back(item);
    }
    items[10].box = ZcDbExtents(ZcGePoint3d(NAN, 0, 0), ZcGePoint3d(1, 1, 0));
    items[11].box = ZcDbExtents(ZcGePoint3d(0, 0, 0), ZcGePoint3d(INFINITY, 1, 0));
    items[12].box.set(ZcGePoint3d(20, 20, 0), ZcGePoint3d(10, 10, 0));  // inverted: kept as set
    const Space_Index index(items);

    const struct {
        const char* what;
        double x0, y0, x1, y1;
    } cases[] = {
        {"a sheet inside", 1000, 500, 1420, 797},
        {"at the lower left corner", -600, -400, -480, -240},
        {"a point", 2500, 1000, 2500, 1000},
        {"off the grid", 9000, 9000, 9100, 9100},
        {"everything", -1e308, -1e308, 1e308, 1e308},
        {"infinite", -INFINITY, 100, INFINITY, 200},
        {"inverted", 100, 100, 50, 50},
        {"not a number", NAN, 0, 10, 10},
    };
    std::vector<uint32_t> near;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        index.near(c.x0, c.y0, c.x1, c.y1, near);
        EXPECT_TRUE(std::is_sorted(near.begin(), near.end()));
        EXPECT_EQ(std::adjacent_find(near.begin(), near.end()), near.end());
        const bool rectangle = c.x0 <= c.x1 && c.y0 <= c.y1;
        size_t meeting = 0;
        for (uint32_t i = 0; i < items.size(); ++i) {
            const ZcGePoint3d lo = items[i].box.minPoint(), hi = items[i].box.maxPoint();
            const bool meets = !rectangle || !items[i].bounded ||
                               !(hi.x < c.x0 || lo.x > c.x1 || hi.y < c.y0 || lo.y > c.y1);
            if (!meets) continue;
            ++meeting;
            EXPECT_TRUE(std::binary_search(near.begin(), near.end(), i)) << "entity " << i;
        }
        // Only a few others come along.
        EXPECT_LE(near.size(), meeting * 2 + 200);
    }
}

}  // namespace
}  // namespace plot_test
