#include "ed_fixture.h"

#include <cmath>
#include <string>

#include "db/dbents.h"
#include "db/dblayout.h"
#include "db/dbmtext.h"
#include "db/dbsymtb.h"

using namespace ed_test;

namespace {

constexpr double kPi = 3.14159265358979323846;

// A small drawing: model space holds two lines, a circle, an arc, a closed square polyline
// and a block reference; the first layout's paper space holds one line.
class SelectionTest : public EdTest {
protected:
    void SetUp() override
    {
        EdTest::SetUp();
        ZcDbLayerTable* layers = nullptr;
        ASSERT_EQ(Db()->getLayerTable(layers, ZcDb::kForWrite), Zcad::eOk);
        auto* walls = new ZcDbLayerTableRecord();
        walls->setName(L"WALLS");
        layers->add(walls);
        walls->close();
        layers->close();

        line = Append(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(10, 0, 0)));
        auto* red = new ZcDbLine(ZcGePoint3d(0, 5, 0), ZcGePoint3d(10, 5, 0));
        red->setDatabaseDefaults(Db());
        red->setLayer(L"WALLS");
        red->setColorIndex(1);
        wallLine = Append(red);
        circle = Append(new ZcDbCircle(ZcGePoint3d(20, 0, 0), ZcGeVector3d(0, 0, 1), 2));
        arc = Append(new ZcDbArc(ZcGePoint3d(30, 0, 0), 5, 0, kPi / 2));
        auto* square = new ZcDbPolyline();
        square->addVertexAt(0, ZcGePoint2d(40, 0));
        square->addVertexAt(1, ZcGePoint2d(50, 0));
        square->addVertexAt(2, ZcGePoint2d(50, 10));
        square->addVertexAt(3, ZcGePoint2d(40, 10));
        square->setClosed(true);
        polyline = Append(square);

        ZcDbBlockTable* blocks = nullptr;
        ASSERT_EQ(Db()->getBlockTable(blocks, ZcDb::kForWrite), Zcad::eOk);
        auto* def = new ZcDbBlockTableRecord();
        def->setName(L"BLK");
        ZcDbObjectId defId;
        blocks->add(defId, def);
        def->close();
        blocks->close();
        Append(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(2, 2, 0)), defId);
        insert = Append(new ZcDbBlockReference(ZcGePoint3d(60, 0, 0), defId));

        ZcDbObjectIdArray tabs = zcdbHostApplicationServices()->layoutManager()->layoutsInTabOrder(Db());
        ZcDbObjectPointer<ZcDbLayout> layout(tabs[1], ZcDb::kForRead);
        layout->getName(layoutName);
        paperBlock = layout->getBlockTableRecordId();
        layout.close();
        paperLine = Append(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(100, 0, 0)), paperBlock);
    }

    std::vector<ZcDbObjectId> Members(const ads_name ss)
    {
        std::vector<ZcDbObjectId> ids;
        int32_t n = 0;
        EXPECT_EQ(zcedSSLength(ss, &n), RTNORM);
        for (int32_t i = 0; i < n; ++i) {
            ads_name ent;
            EXPECT_EQ(zcedSSName(ss, i, ent), RTNORM);
            ZcDbObjectId id;
            EXPECT_EQ(zcdbGetObjectId(id, ent), Zcad::eOk);
            ids.push_back(id);
        }
        return ids;
    }

    std::vector<ZcDbObjectId> Select(const wchar_t* mode, const void* p1, const void* p2, const resbuf* filter,
                                     int expectedRc = RTNORM)
    {
        ads_name ss;
        int rc = zcedSSGet(mode, p1, p2, filter, ss);
        EXPECT_EQ(rc, expectedRc);
        if (rc != RTNORM)
            return {};
        std::vector<ZcDbObjectId> ids = Members(ss);
        zcedSSFree(ss);
        return ids;
    }

    ZcDbObjectId line, wallLine, circle, arc, polyline, insert, paperLine, paperBlock;
    std::wstring layoutName;
};

using Ids = std::vector<ZcDbObjectId>;

TEST_F(SelectionTest, WholeDrawingWithFilters)
{
    const Ids all{line, wallLine, circle, arc, polyline, insert, paperLine};
    EXPECT_EQ(Select(L"X", nullptr, nullptr, nullptr), all);
    EXPECT_EQ(Select(L"_X", nullptr, nullptr, nullptr), all);

    struct Case {
        const char* what;
        resbuf* filter;
        Ids expected;
    };
    std::vector<Case> cases;
    cases.push_back({"type", zcutBuildList(RTDXF0, L"line", RTNONE), {line, wallLine, paperLine}});
    cases.push_back({"type list", zcutBuildList(RTDXF0, L"CIRCLE,ARC", RTNONE), {circle, arc}});
    cases.push_back({"type wildcard", zcutBuildList(RTDXF0, L"*POLYLINE", RTNONE), {polyline}});
    cases.push_back({"layer", zcutBuildList(8, L"walls", RTNONE), {wallLine}});
    cases.push_back({"colour", zcutBuildList(62, 1, RTNONE), {wallLine}});
    cases.push_back({"paper space", zcutBuildList(67, 1, RTNONE), {paperLine}});
    cases.push_back({"layout", zcutBuildList(410, layoutName.c_str(), RTNONE), {paperLine}});
    cases.push_back({"block name", zcutBuildList(2, L"BLK", RTNONE), {insert}});
    cases.push_back({"and", zcutBuildList(RTDXF0, L"LINE", 67, 0, RTNONE), {line, wallLine}});
    cases.push_back({"or", zcutBuildList(-4, L"<OR", RTDXF0, L"CIRCLE", 8, L"WALLS", -4, L"OR>", RTNONE),
                     {wallLine, circle}});
    cases.push_back({"not", zcutBuildList(-4, L"<NOT", RTDXF0, L"LINE", -4, L"NOT>", RTNONE),
                     {circle, arc, polyline, insert}});
    cases.push_back({"xor", zcutBuildList(-4, L"<XOR", RTDXF0, L"LINE", 67, 1, -4, L"XOR>", RTNONE),
                     {line, wallLine}});
    cases.push_back({"nested", zcutBuildList(-4, L"<AND", RTDXF0, L"LINE", -4, L"<NOT", 8, L"WALLS", -4, L"NOT>",
                                             -4, L"AND>", RTNONE),
                     {line, paperLine}});
    cases.push_back({"relational", zcutBuildList(-4, L"<", 62, 256, RTDXF0, L"LINE", RTNONE), {wallLine}});
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(c.filter, nullptr);
        EXPECT_EQ(Select(L"X", nullptr, nullptr, c.filter, c.expected.empty() ? RTERROR : RTNORM), c.expected);
        zcutRelRb(c.filter);
    }
    resbuf* none = zcutBuildList(RTDXF0, L"SPLINE", RTNONE);
    Select(L"X", nullptr, nullptr, none, RTERROR);
    zcutRelRb(none);
}

TEST_F(SelectionTest, WindowAndCrossingInTheCurrentSpace)
{
    struct Case {
        const char* what;
        const wchar_t* mode;
        ads_point a, b;
        Ids expected;
    };
    // A half circle below the chord (70,0)-(80,0).
    auto* half = new ZcDbPolyline();
    half->addVertexAt(0, ZcGePoint2d(70, 0), 1.0);
    half->addVertexAt(1, ZcGePoint2d(80, 0));
    const ZcDbObjectId bulged = Append(half);
    const Case cases[] = {
        {"window around the circle", L"W", {17, -3, 0}, {23, 3, 0}, {circle}},
        {"window cutting a line", L"W", {5, -1, 0}, {15, 1, 0}, {}},
        {"crossing a line", L"C", {5, -1, 0}, {15, 1, 0}, {line}},
        {"crossing on the curve of the arc", L"C", {33.3, 3.3, 0}, {33.8, 3.8, 0}, {arc}},
        {"crossing inside the arc's box, off the curve", L"C", {30.5, 0.5, 0}, {31.5, 1.5, 0}, {}},
        {"crossing inside the circle", L"C", {19.5, -0.5, 0}, {20.5, 0.5, 0}, {}},
        {"crossing inside the closed polyline", L"C", {44, 4, 0}, {46, 6, 0}, {}},
        {"crossing the block contents", L"C", {60.9, 0.9, 0}, {61.1, 1.1, 0}, {insert}},
        {"crossing off the block contents", L"C", {61.5, 0.1, 0}, {61.9, 0.4, 0}, {}},
        {"corners in any order", L"C", {15, 1, 0}, {5, -1, 0}, {line}},
        {"crossing the bulge of a polyline", L"C", {74.5, -5.2, 0}, {75.5, -4.8, 0}, {bulged}},
        {"crossing inside the bulge, off the curve", L"C", {74.5, -2.5, 0}, {75.5, -1.5, 0}, {}},
        {"crossing where only paper space has geometry", L"C", {90, -1, 0}, {95, 1, 0}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Select(c.mode, c.a, c.b, nullptr, c.expected.empty() ? RTERROR : RTNORM), c.expected);
    }
}

TEST_F(SelectionTest, PaperSpaceIsTheCurrentSpaceInALayout)
{
    resbuf zero{};
    zero.restype = RTSHORT;
    zero.resval.rint = 0;
    ASSERT_EQ(zcedSetVar(L"TILEMODE", &zero), RTNORM);
    ads_point a = {90, -1, 0}, b = {95, 1, 0};
    EXPECT_EQ(Select(L"C", a, b, nullptr), Ids{paperLine});
    ads_point c = {5, -1, 0}, d = {15, 1, 0};
    EXPECT_EQ(Select(L"C", c, d, nullptr), Ids{paperLine});
}

TEST_F(SelectionTest, FenceCrossesSegmentsAndArcs)
{
    const double p1[3] = {8, -1, 0}, p2[3] = {8, 1, 0}, p3[3] = {34.5, 3, 0};
    resbuf* fence = zcutBuildList(RTPOINT, p1, RTPOINT, p2, RTPOINT, p3, RTNONE);
    // The first leg crosses the line; the second runs below the upper line, through the
    // circle and out across the arc.
    Ids found = Select(L"F", fence, nullptr, nullptr);
    zcutRelRb(fence);
    EXPECT_EQ(found, (Ids{line, circle, arc}));
}

// A multiline text is selected through its text boundary, also where its short lines leave
// the column empty: upright at 200,20 (column 40 wide, two lines of 2.5) and turned a
// quarter at 300,0, on its own and inside a block at 400,0.
TEST_F(SelectionTest, MultilineTextIsHitInItsTextBoundary)
{
    auto make = [](const ZcGePoint3d& at, double rotation) {
        auto* text = new ZcDbMText();
        text->setLocation(at);
        text->setWidth(40);
        text->setTextHeight(2.5);
        text->setRotation(rotation);
        text->setContents(L"{\\C1;平面}\\P一层");
        return text;
    };
    const ZcDbObjectId upright = Append(make(ZcGePoint3d(200, 20, 0), 0));
    const ZcDbObjectId turned = Append(make(ZcGePoint3d(300, 0, 0), kPi / 2));
    ZcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(Db()->getBlockTable(blocks, ZcDb::kForWrite), Zcad::eOk);
    auto* def = new ZcDbBlockTableRecord();
    def->setName(L"标题");
    ZcDbObjectId defId;
    blocks->add(defId, def);
    def->close();
    blocks->close();
    Append(make(ZcGePoint3d(0, 20, 0), 0), defId);
    const ZcDbObjectId nested = Append(new ZcDbBlockReference(ZcGePoint3d(400, 0, 0), defId));

    struct Case {
        const char* what;
        const wchar_t* mode;
        ads_point a, b;
        Ids expected;
    };
    // The lines end about 5 units from the left; the boundary is 40 wide, 6.7 high.
    const Case cases[] = {
        {"fence across the empty column", L"F", {230, 10, 0}, {230, 30, 0}, {upright}},
        {"fence right of the column", L"F", {241, 10, 0}, {241, 30, 0}, {}},
        {"crossing inside the empty column", L"C", {225, 16, 0}, {235, 18, 0}, {upright}},
        {"fence across the turned column", L"F", {295, 30, 0}, {310, 30, 0}, {turned}},
        {"fence beyond the turned column", L"F", {295, 41, 0}, {310, 41, 0}, {}},
        {"fence across the column inside a block", L"F", {430, 10, 0}, {430, 30, 0}, {nested}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        resbuf* points = zcutBuildList(RTPOINT, c.a, RTPOINT, c.b, RTNONE);
        const void* first = std::wstring(c.mode) == L"F" ? static_cast<const void*>(points) : c.a;
        const void* second = std::wstring(c.mode) == L"F" ? nullptr : c.b;
        EXPECT_EQ(Select(c.mode, first, second, nullptr, c.expected.empty() ? RTERROR : RTNORM), c.expected);
        zcutRelRb(points);
    }
}

TEST_F(SelectionTest, AskingTheUser)
{
    Script("select window 17,-3 23,3\nselect all\nenter\nesc\npoint 5,0\n");
    EXPECT_EQ(Select(nullptr, nullptr, nullptr, nullptr), Ids{circle});
    resbuf* lines = zcutBuildList(RTDXF0, L"LINE", RTNONE);
    const wchar_t* const prompts[2] = {L"\nPick lines: ", L""};
    EXPECT_EQ(Select(L"_:$", prompts, nullptr, lines),
              (Ids{line, wallLine}));
    zcutRelRb(lines);
    EXPECT_NE(Output().find(L"\nPick lines: all"), std::wstring::npos);
    Select(L"", nullptr, nullptr, nullptr, RTERROR);   // Enter: nothing selected
    Select(L"", nullptr, nullptr, nullptr, RTCAN);     // Esc
    EXPECT_EQ(Select(L"_:S", nullptr, nullptr, nullptr), Ids{line});
    // The previous selection.
    EXPECT_EQ(Select(L"P", nullptr, nullptr, nullptr), Ids{line});
}

TEST_F(SelectionTest, PickingTakesTheTopmostEntityUnderThePoint)
{
    // A second line over the first one, added later: drawn on top.
    ZcDbObjectId over = Append(new ZcDbLine(ZcGePoint3d(5, -5, 0), ZcGePoint3d(5, 5, 0)));
    ads_name ent;
    ads_point at;
    Script("point 5,0\npoint 10.01,0\npoint 100,100\nenter\n");
    ASSERT_EQ(zcedEntSel(L"\nSelect: ", ent, at), RTNORM);
    ZcDbObjectId id;
    zcdbGetObjectId(id, ent);
    EXPECT_EQ(id, over);
    EXPECT_EQ(at[0], 5.0);
    ASSERT_EQ(zcedEntSel(L"\nSelect: ", ent, at), RTNORM);  // within the pick box of the line's end
    zcdbGetObjectId(id, ent);
    EXPECT_EQ(id, line);
    EXPECT_EQ(zcedEntSel(L"\nSelect: ", ent, at), RTERROR);
    EXPECT_EQ(zcedEntSel(L"\nSelect: ", ent, at), RTERROR);
}

TEST_F(SelectionTest, SetOperations)
{
    ads_name ss, a, b;
    zcdbGetAdsName(a, line);
    zcdbGetAdsName(b, circle);
    ASSERT_EQ(zcedSSAdd(a, nullptr, ss), RTNORM);
    EXPECT_EQ(zcedSSAdd(b, ss, ss), RTNORM);
    EXPECT_EQ(zcedSSAdd(b, ss, ss), RTNORM);  // no duplicate
    EXPECT_EQ(Members(ss), (Ids{line, circle}));
    EXPECT_EQ(zcedSSMemb(b, ss), RTNORM);
    EXPECT_EQ(zcedSSDel(b, ss), RTNORM);
    EXPECT_EQ(zcedSSMemb(b, ss), RTERROR);
    EXPECT_EQ(zcedSSDel(b, ss), RTERROR);
    ads_name out;
    EXPECT_EQ(zcedSSName(ss, 1, out), RTERROR);
    EXPECT_EQ(zcedSSFree(ss), RTNORM);
    int32_t n = 0;
    EXPECT_EQ(zcedSSLength(ss, &n), RTERROR);
    EXPECT_EQ(zcedSSFree(ss), RTERROR);
    ads_name empty;
    ASSERT_EQ(zcedSSAdd(nullptr, nullptr, empty), RTNORM);
    EXPECT_EQ(zcedSSLength(empty, &n), RTNORM);
    EXPECT_EQ(n, 0);
    // A set's name is not an entity's.
    ZcDbObjectId id;
    EXPECT_NE(zcdbGetObjectId(id, empty), Zcad::eOk);
}

TEST_F(SelectionTest, PickFirstSet)
{
    Select(L"I", nullptr, nullptr, nullptr, RTERROR);
    ads_name ss, a;
    zcdbGetAdsName(a, arc);
    zcedSSAdd(a, nullptr, ss);
    ASSERT_EQ(zcedSSSetFirst(ss, nullptr), RTNORM);
    EXPECT_EQ(Select(L"I", nullptr, nullptr, nullptr), Ids{arc});
    resbuf* grips = nullptr;
    resbuf* picked = nullptr;
    ASSERT_EQ(zcedSSGetFirst(&grips, &picked), RTNORM);
    ASSERT_NE(picked, nullptr);
    EXPECT_EQ(picked->restype, RTPICKS);
    EXPECT_EQ(Members(picked->resval.rlname), Ids{arc});
    zcutRelRb(picked);
    zcedSSFreeFirst();
    Select(L"I", nullptr, nullptr, nullptr, RTERROR);
}

TEST_F(SelectionTest, HiddenLayersAreNotPickedButXFindsThem)
{
    ZcDbLayerTable* layers = nullptr;
    ASSERT_EQ(Db()->getLayerTable(layers, ZcDb::kForRead), Zcad::eOk);
    ZcDbLayerTableRecord* walls = nullptr;
    ASSERT_EQ(layers->getAt(L"WALLS", walls, ZcDb::kForWrite), Zcad::eOk);
    layers->close();
    walls->setIsOff(true);
    walls->close();
    ads_point a = {-1, -1, 0}, b = {11, 6, 0};
    EXPECT_EQ(Select(L"W", a, b, nullptr), Ids{line});
    resbuf* filter = zcutBuildList(8, L"WALLS", RTNONE);
    EXPECT_EQ(Select(L"X", nullptr, nullptr, filter), Ids{wallLine});
    zcutRelRb(filter);
}

}  // namespace
