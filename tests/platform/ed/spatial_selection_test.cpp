// Window, crossing and fence selection through the spatial index: the same answers as a
// pass over the drawing, kept in step with changes of the drawing.
#include "ed_fixture.h"

#include <random>

#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "ed/spatial_index.h"
#include "script/utf8.h"

using namespace ed_test;

namespace {

std::vector<ZcDbObjectId> Set_Ids(const ads_name ss)
{
    std::vector<ZcDbObjectId> ids;
    int32_t n = 0;
    zcedSSLength(ss, &n);
    for (int32_t i = 0; i < n; ++i) {
        ads_name e;
        zcedSSName(ss, i, e);
        ZcDbObjectId id;
        zcdbGetObjectId(id, e);
        ids.push_back(id);
    }
    zcedSSFree(ss);
    return ids;
}

std::vector<ZcDbObjectId> Select_Rect(const wchar_t* mode, double x1, double y1, double x2, double y2)
{
    ads_point a = {x1, y1, 0}, b = {x2, y2, 0};
    ads_name ss;
    if (zcedSSGet(mode, a, b, nullptr, ss) != RTNORM)
        return {};
    return Set_Ids(ss);
}

std::vector<ZcDbObjectId> Select_Fence(std::vector<std::pair<double, double>> points)
{
    resbuf* chain = nullptr;
    resbuf* tail = nullptr;
    for (auto [x, y] : points) {
        resbuf* rb = zcutNewRb(RT3DPOINT);
        rb->resval.rpoint[0] = x;
        rb->resval.rpoint[1] = y;
        rb->resval.rpoint[2] = 0;
        (tail != nullptr ? tail->rbnext : chain) = rb;
        tail = rb;
    }
    ads_name ss;
    int status = zcedSSGet(L"F", chain, nullptr, nullptr, ss);
    zcutRelRb(chain);
    return status == RTNORM ? Set_Ids(ss) : std::vector<ZcDbObjectId>();
}

ZcDbLine* Line(double x1, double y1, double x2, double y2)
{
    return new ZcDbLine(ZcGePoint3d(x1, y1, 0), ZcGePoint3d(x2, y2, 0));
}

using SpatialSelectionTest = EdTest;

TEST_F(SpatialSelectionTest, DiagonalThroughAWindowIsCrossedButNotInside)
{
    ZcDbObjectId diagonal = Append(Line(-10, -10, 10, 10));
    ZcDbObjectId inside = Append(Line(-1, 1, 1, 2));
    ZcDbObjectId outside = Append(Line(20, 20, 30, 20));

    struct Case {
        const wchar_t* mode;
        std::vector<ZcDbObjectId> expected;
    };
    const Case cases[] = {{L"C", {diagonal, inside}}, {L"W", {inside}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(platform::To_Utf8(c.mode));
        EXPECT_EQ(Select_Rect(c.mode, -3, -3, 3, 3), c.expected);
        EXPECT_EQ(Select_Rect(c.mode, 3, 3, -3, -3), c.expected);  // corners either way
    }
    EXPECT_TRUE(Select_Rect(L"C", 40, 40, 50, 50).empty());
    (void)outside;
}

TEST_F(SpatialSelectionTest, FenceFindsWhatItCrossesInDrawingOrder)
{
    ZcDbObjectId a = Append(Line(0, 0, 0, 10));
    ZcDbObjectId far = Append(Line(100, 0, 100, 10));
    ZcDbObjectId b = Append(Line(5, 0, 5, 10));
    ZcDbObjectId beside = Append(Line(7, 20, 9, 20));
    ZcDbObjectId circle = Append(new ZcDbCircle(ZcGePoint3d(50, 5, 0), ZcGeVector3d::kZAxis, 3));

    EXPECT_EQ(Select_Fence({{-1, 5}, {6, 5}}), (std::vector<ZcDbObjectId>{a, b}));
    // Two legs: the second crosses the circle's rim; a leg ending on a line touches it.
    EXPECT_EQ(Select_Fence({{-1, 5}, {2, 5}, {50, 8}}), (std::vector<ZcDbObjectId>{a, b, circle}));
    EXPECT_EQ(Select_Fence({{100, 20}, {100, 10}}), (std::vector<ZcDbObjectId>{far}));
    // Inside the circle without reaching its rim: nothing.
    EXPECT_TRUE(Select_Fence({{49, 5}, {51, 5}}).empty());
    (void)beside;
}

TEST_F(SpatialSelectionTest, ChangesOfTheDrawingReachTheIndex)
{
    ZcDbObjectId moving = Append(Line(0, 0, 0, 10));
    ZcDbObjectId staying = Append(Line(50, 0, 50, 10));
    ASSERT_EQ(Select_Fence({{-1, 5}, {1, 5}}), (std::vector<ZcDbObjectId>{moving}));
    const size_t builds = platform::Spatial_Index_Builds();

    {
        ZcDbObjectPointer<ZcDbLine> line(moving, ZcDb::kForWrite);
        ASSERT_EQ(line.openStatus(), Zcad::eOk);
        line->transformBy(ZcGeMatrix3d::translation(ZcGeVector3d(200, 0, 0)));
    }
    EXPECT_TRUE(Select_Fence({{-1, 5}, {1, 5}}).empty());
    EXPECT_EQ(Select_Fence({{199, 5}, {201, 5}}), (std::vector<ZcDbObjectId>{moving}));

    ZcDbObjectId added = Append(Line(-500, 0, -500, 10));
    EXPECT_EQ(Select_Fence({{-501, 5}, {-499, 5}}), (std::vector<ZcDbObjectId>{added}));

    {
        ZcDbObjectPointer<ZcDbLine> line(staying, ZcDb::kForWrite);
        ASSERT_EQ(line->erase(), Zcad::eOk);
    }
    EXPECT_TRUE(Select_Fence({{49, 5}, {51, 5}}).empty());
    // Re-filed, not rebuilt.
    EXPECT_EQ(platform::Spatial_Index_Builds(), builds);
}

TEST_F(SpatialSelectionTest, ChangingABlockDefinitionMovesItsReferences)
{
    ZcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(Db()->getBlockTable(blocks, ZcDb::kForWrite), Zcad::eOk);
    auto* def = new ZcDbBlockTableRecord();
    def->setName(L"MARK");
    ZcDbObjectId defId;
    ASSERT_EQ(blocks->add(defId, def), Zcad::eOk);
    def->close();
    blocks->close();
    ZcDbObjectId part = Append(Line(0, 0, 0, 1), defId);
    ZcDbObjectId ref = Append(new ZcDbBlockReference(ZcGePoint3d(10, 0, 0), defId));
    ASSERT_EQ(Select_Fence({{9, 0.5}, {11, 0.5}}), (std::vector<ZcDbObjectId>{ref}));

    {
        ZcDbObjectPointer<ZcDbLine> line(part, ZcDb::kForWrite);
        line->transformBy(ZcGeMatrix3d::translation(ZcGeVector3d(30, 0, 0)));
    }
    EXPECT_TRUE(Select_Fence({{9, 0.5}, {11, 0.5}}).empty());
    EXPECT_EQ(Select_Fence({{39, 0.5}, {41, 0.5}}), (std::vector<ZcDbObjectId>{ref}));
}

TEST_F(SpatialSelectionTest, SameAnswersWithAndWithoutTheIndex)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-100, 100);
    std::uniform_real_distribution<double> length(-8, 8);
    for (int i = 0; i < 400; ++i) {
        double x = coordinate(random), y = coordinate(random);
        if (i % 5 == 0)
            Append(new ZcDbCircle(ZcGePoint3d(x, y, 0), ZcGeVector3d::kZAxis, 1 + std::fabs(length(random))));
        else
            Append(Line(x, y, x + length(random), y + length(random)));
    }
    Append(Line(-150, -150, 150, 150));  // wider than the cells
    for (int round = 0; round < 30; ++round) {
        std::vector<std::pair<double, double>> fence;
        for (int k = 0; k < 3; ++k)
            fence.push_back({coordinate(random) * 1.2, coordinate(random) * 1.2});
        double x1 = coordinate(random), y1 = coordinate(random);
        double x2 = x1 + length(random) * 5, y2 = y1 + length(random) * 5;

        platform::Set_Spatial_Index_Enabled(true);
        auto fenced = Select_Fence(fence);
        auto crossed = Select_Rect(L"C", x1, y1, x2, y2);
        auto windowed = Select_Rect(L"W", x1, y1, x2, y2);
        platform::Set_Spatial_Index_Enabled(false);
        EXPECT_EQ(fenced, Select_Fence(fence)) << "round " << round;
        EXPECT_EQ(crossed, Select_Rect(L"C", x1, y1, x2, y2)) << "round " << round;
        EXPECT_EQ(windowed, Select_Rect(L"W", x1, y1, x2, y2)) << "round " << round;
    }
    platform::Set_Spatial_Index_Enabled(true);
}

}  // namespace

namespace {

TEST_F(SpatialSelectionTest, ALongerAttributeWidensItsReference)
{
    ZcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(Db()->getBlockTable(blocks, ZcDb::kForWrite), Zcad::eOk);
    auto* def = new ZcDbBlockTableRecord();
    def->setName(L"TAG");
    ZcDbObjectId defId;
    ASSERT_EQ(blocks->add(defId, def), Zcad::eOk);
    def->close();
    blocks->close();
    Append(Line(0, 0, 1, 0), defId);
    auto* reference = new ZcDbBlockReference(ZcGePoint3d(0, 0, 0), defId);
    ZcDbObjectId refId = Append(reference);
    ZcDbObjectId attributeId;
    {
        ZcDbObjectPointer<ZcDbBlockReference> open(refId, ZcDb::kForWrite);
        auto* attribute = new ZcDbAttribute(ZcGePoint3d(0, 1, 0), L"A", L"NO");
        attribute->setHeight(1);
        ASSERT_EQ(open->appendAttribute(attributeId, attribute), Zcad::eOk);
        attribute->close();
    }
    const std::vector<std::pair<double, double>> far_fence = {{15, 0}, {15, 3}};
    ASSERT_TRUE(Select_Fence(far_fence).empty());

    {
        ZcDbObjectPointer<ZcDbAttribute> attribute(attributeId, ZcDb::kForWrite);
        attribute->setTextString(L"A very long drawing number for this sheet");
    }
    platform::Set_Spatial_Index_Enabled(false);
    EXPECT_EQ(Select_Fence(far_fence), (std::vector<ZcDbObjectId>{refId})) << "without the index";
    platform::Set_Spatial_Index_Enabled(true);
    EXPECT_EQ(Select_Fence(far_fence), (std::vector<ZcDbObjectId>{refId}));
}

}  // namespace

TEST_F(SpatialSelectionTest, LargeEntitiesAreCandidatesOnlyWhereTheyReach)
{
    // Small lines make small cells; the long diagonals are too large for them.
    for (int i = 0; i < 400; ++i)
        Append(Line(i % 20 * 10, i / 20 * 10, i % 20 * 10 + 1, i / 20 * 10 + 1));
    const ZcDbObjectId near = Append(Line(-500, -500, 700, 5000));
    const ZcDbObjectId far = Append(Line(1000, -500, 2200, 5000));
    const ZcDbObjectId model = Db()->modelSpaceId();
    const std::vector<ZcDbObjectId> fence = platform::Entities_Near_Fence(model, {0, 50, 30, 60});
    EXPECT_NE(std::find(fence.begin(), fence.end(), near), fence.end());
    EXPECT_EQ(std::find(fence.begin(), fence.end(), far), fence.end());
    EXPECT_LT(fence.size(), 20u);
    const std::vector<ZcDbObjectId> rect = platform::Entities_Near_Rect(model, {0, 50, 30, 60});
    EXPECT_NE(std::find(rect.begin(), rect.end(), near), rect.end());
    EXPECT_EQ(std::find(rect.begin(), rect.end(), far), rect.end());
    // Selections still find both where they are crossed.
    EXPECT_EQ(Select_Fence({{1000, 0}, {1200, 0}}), (std::vector<ZcDbObjectId>{far}));
}

TEST_F(SpatialSelectionTest, FencesAlongEdgesAndInEveryDirectionFindWhatAPassFinds)
{
    // Small squares on a lattice: fences that run along their sides, touch their corners,
    // go backwards or stand upright must meet them in whichever cell they are filed.
    for (int i = 0; i < 400; ++i) {
        const double x = i % 20 * 10.0, y = i / 20 * 10.0;
        auto* square = new ZcDbPolyline();
        square->addVertexAt(0, ZcGePoint2d(x, y));
        square->addVertexAt(1, ZcGePoint2d(x + 4, y));
        square->addVertexAt(2, ZcGePoint2d(x + 4, y + 4));
        square->addVertexAt(3, ZcGePoint2d(x, y + 4));
        square->setClosed(true);
        Append(square);
    }
    const std::vector<std::pair<double, double>> fences[] = {
        {{-5, 40}, {205, 40}},               // along the bottom sides of a row
        {{205, 44}, {-5, 44}},               // along the top sides, backwards
        {{30, -5}, {30, 205}},               // along the left sides of a column
        {{34, 205}, {34, -5}},               // along the right sides, downwards
        {{4, 4}, {190, 190}},                // corner to corner over the lattice
        {{194, 0}, {0, 194}},                // the other diagonal
        {{44, 47}, {50, 50}, {50, 80}},      // touching a corner, then along a column
        {{14.001, -3}, {13.999, 203}},       // nearly upright across the right sides
        {{-5, 24.001}, {205, 23.999}},       // nearly level across the top sides
    };
    for (size_t i = 0; i < std::size(fences); ++i) {
        platform::Set_Spatial_Index_Enabled(true);
        const auto indexed = Select_Fence(fences[i]);
        platform::Set_Spatial_Index_Enabled(false);
        const auto passed = Select_Fence(fences[i]);
        EXPECT_FALSE(passed.empty()) << "fence " << i;
        EXPECT_EQ(indexed, passed) << "fence " << i;
    }
    platform::Set_Spatial_Index_Enabled(true);
}
