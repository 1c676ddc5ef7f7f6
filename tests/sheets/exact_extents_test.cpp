#include <cmath>

#include "core/hidden_layers.h"
#include "db/dbdict.h"
#include "db/dbhatch.h"
#include "db/dbimage.h"
#include "db/dbpoint.h"
#include "db/dbspfilt.h"
#include "sheet_drawing_fixture.h"
#include "sheets/exact_extents.h"

// A text class of another program whose entities report a zero-size box.
class Foreign_Zero_Text : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(Foreign_Zero_Text);
    ZcGePoint3d At;

protected:
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override { return extents.set(At, At); }
};
ZCRX_DXF_DEFINE_MEMBERS(Foreign_Zero_Text, ZcDbEntity, 33, 0, 0, tch_text, Foreign)

namespace {

constexpr double Pi = 3.14159265358979323846;

class Exact_Extents_Test : public Sheet_Drawing_Test {
protected:
    static ZcDbExtents Measure(ZcDbObjectId id) { return Get_Entity_Extents_By_Id(id); }

    static ZcDbExtents Measure_Ex(ZcDbObjectId id, bool include_texts, bool splines)
    {
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
        EXPECT_EQ(entity.openStatus(), Zcad::eOk);
        return Get_Entity_Extents_Ex(entity.object(), include_texts, splines);
    }

    // A clip of the reference to the rectangle (block coordinates).
    static void Clip(ZcDbObjectId reference_id, const ZcGePoint2d& a, const ZcGePoint2d& b, bool inverted)
    {
        ZcDbObjectPointer<ZcDbBlockReference> reference(reference_id, ZcDb::kForWrite);
        ASSERT_EQ(reference->createExtensionDictionary(), Zcad::eOk);
        ZcDbObjectPointer<ZcDbDictionary> extension(reference->extensionDictionary(), ZcDb::kForWrite);
        auto* filters = new ZcDbDictionary;
        ZcDbObjectId filters_id;
        ASSERT_EQ(extension->setAt(L"ACAD_FILTER", filters, filters_id), Zcad::eOk);
        auto* filter = new ZcDbSpatialFilter;
        ZcGePoint2dArray corners;
        corners.append(a);
        corners.append(b);
        ASSERT_EQ(filter->setDefinition(corners, ZcGeVector3d::kZAxis, 0.0, 0.0, 0.0, true), Zcad::eOk);
        filter->setFilterInverted(inverted);
        ZcDbObjectId filter_id;
        ASSERT_EQ(filters->setAt(L"SPATIAL", filter, filter_id), Zcad::eOk);
        filter->close();
        filters->close();
    }

    static ZcDbObjectId Add_Text(const ZcGePoint3d& at, const wchar_t* text, ZcDbObjectId block_id)
    {
        auto* entity = new ZcDbText(at, text);
        entity->setHeight(10.0);
        return Add(entity, block_id);
    }

    static ZcDbObjectId Add_Spline(ZcDbObjectId block_id)
    {
        ZcGePoint3dArray fit;
        for (const ZcGePoint3d& p : {ZcGePoint3d(0, 0, 0), ZcGePoint3d(150, 400, 0), ZcGePoint3d(300, 0, 0)})
            fit.append(p);
        return Add(new ZcDbSpline(fit), block_id);
    }

    // Takes the UCS rotated by the angle about the origin as g_Ucs.
    static void Rotated_Ucs(double angle)
    {
        g_Ucs.Active = true;
        g_Ucs.Ucs_To_World_Matrix = ZcGeMatrix3d::rotation(angle, ZcGeVector3d::kZAxis);
        g_Ucs.World_To_Ucs_Matrix = g_Ucs.Ucs_To_World_Matrix.inverse();
    }
};

TEST_F(Exact_Extents_Test, BlockMeasuresToItsFrameWithoutWipeoutHatchOrDimensionLikeFill)
{
    const ZcDbObjectId block = Add_Block(L"FRAME");
    Add_Rect(0, 0, 100, 50, block);
    auto* wipeout = new ZcDbWipeout;
    wipeout->setOrientation(ZcGePoint3d(-50, -50, 0), ZcGeVector3d(200, 0, 0), ZcGeVector3d(0, 150, 0));
    Add(wipeout, block);
    auto* hatch = new ZcDbHatch;
    ZcGePoint2dArray loop;
    for (const ZcGePoint2d& p : {ZcGePoint2d(-80, -80), ZcGePoint2d(300, -80), ZcGePoint2d(300, 300)})
        loop.append(p);
    hatch->appendLoop(1, loop, ZcGeDoubleArray());
    Add(hatch, block);

    const ZcDbObjectId reference = Insert(block, ZcGePoint3d(1000, 0, 0), 2.0);
    Expect_Box(Measure(reference), 1000, 0, 1200, 100);
}

TEST_F(Exact_Extents_Test, HiddenLayersInsideBlocksButNestedReferencesOnLayersTurnedOffStillCount)
{
    const ZcDbObjectId frozen = Layer(L"FROZEN", true, false);
    const ZcDbObjectId off = Layer(L"OFF", false, true);
    const ZcDbObjectId inner = Add_Block(L"INNER");
    Add_Line(ZcGePoint3d(0, 0, 0), ZcGePoint3d(100, 300, 0), inner);

    const ZcDbObjectId block = Add_Block(L"OUTER");
    Add_Rect(0, 0, 100, 100, block);
    Set_Layer(Add_Line(ZcGePoint3d(0, 0, 0), ZcGePoint3d(900, 900, 0), block), frozen);
    Set_Layer(Add_Line(ZcGePoint3d(0, 0, 0), ZcGePoint3d(-700, -700, 0), block), off);
    auto* invisible = new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(0, -500, 0));
    invisible->setVisibility(ZcDb::kInvisible);
    Add(invisible, block);
    Set_Layer(Insert(inner, ZcGePoint3d(0, 0, 0), 1.0, block), off);
    const ZcDbObjectId reference = Insert(block, ZcGePoint3d(0, 0, 0));

    g_Hidden_Layers.Collect_Hidden_Layers();
    Expect_Box(Measure(reference), 0, 0, 100, 300);
    // With no layer hidden, everything counts except the invisible line.
    g_Hidden_Layers.Frozen_Layers.removeAll();
    g_Hidden_Layers.Off_Layers.removeAll();
    Expect_Box(Measure(reference), -700, -700, 900, 900);
}

TEST_F(Exact_Extents_Test, ClippedReferencesMeasureNoLargerThanTheirClip)
{
    const ZcDbObjectId block = Add_Block(L"SHEET");
    Add_Rect(0, 0, 100, 100, block);
    struct Case {
        const char* what;
        ZcGePoint2d a, b;
        bool inverted;
        double x0, y0, x1, y1;
    };
    const Case cases[] = {
        {"clip inside the block", {40, 30}, {20, 10}, false, 20, 10, 40, 30},
        {"clip over one side", {-50, -50}, {500, 50}, false, 0, 0, 100, 50},
        {"inverted clip", {40, 30}, {20, 10}, true, 0, 0, 100, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ZcDbObjectId reference = Insert(block, ZcGePoint3d(0, 0, 0));
        Clip(reference, c.a, c.b, c.inverted);
        Expect_Box(Measure(reference), c.x0, c.y0, c.x1, c.y1);
    }

    // In a UCS the clip still holds.
    const ZcDbObjectId in_ucs = Insert(block, ZcGePoint3d(0, 0, 0));
    Clip(in_ucs, {40, 30}, {20, 10}, false);
    Rotated_Ucs(Pi / 2);
    Expect_Box(Measure(in_ucs), 10, -40, 30, -20);
    g_Ucs.Reset();

    // A clip that leaves nothing of the block gives an empty box, not the unclipped one.
    const ZcDbObjectId outside = Insert(block, ZcGePoint3d(0, 0, 0));
    Clip(outside, {200, 200}, {300, 300}, false);
    EXPECT_FALSE(Measure(outside).isValid());
}

TEST_F(Exact_Extents_Test, ClippedReferenceNestedInAScaledBlock)
{
    const ZcDbObjectId sheet = Add_Block(L"SHEET");
    Add_Rect(0, 0, 100, 100, sheet);
    const ZcDbObjectId holder = Add_Block(L"HOLDER");
    Add_Line(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0), holder);
    const ZcDbObjectId nested = Insert(sheet, ZcGePoint3d(10, 0, 0), 1.0, holder);
    Clip(nested, {20, 10}, {40, 30}, false);
    const ZcDbObjectId reference = Insert(holder, ZcGePoint3d(1000, 0, 0), 2.0);

    // Nested clip (30, 10)-(50, 30) in the holder, joined with its line, placed at x 1000 scale 2.
    Expect_Box(Measure(reference), 1000, 0, 1100, 60);
}

TEST_F(Exact_Extents_Test, TextsAndSplinesInsideBlocksCountOnlyWhenAsked)
{
    const ZcDbObjectId block = Add_Block(L"TITLE");
    Add_Rect(0, 0, 100, 100, block);
    Add_Text(ZcGePoint3d(500, 500, 0), L"FAR AWAY", block);
    Add_Spline(block);
    const ZcDbObjectId reference = Insert(block, ZcGePoint3d(0, 0, 0));

    Expect_Box(Measure(reference), 0, 0, 100, 100);
    Expect_Box(Measure_Ex(reference, false, false), 0, 0, 100, 100);
    const ZcDbExtents with_texts = Measure_Ex(reference, true, false);
    EXPECT_GT(with_texts.maxPoint().x, 500);
    EXPECT_NEAR(with_texts.maxPoint().y, 510, 1);
    const ZcDbExtents with_splines = Measure_Ex(reference, false, true);
    EXPECT_NEAR(with_splines.maxPoint().x, 300, 1e-6);
    EXPECT_GT(with_splines.maxPoint().y, 300);
    EXPECT_LT(with_splines.maxPoint().y, 500);

    // A definition of nothing but texts falls back to the reference's geometric extents.
    const ZcDbObjectId label = Add_Block(L"LABEL");
    Add_Text(ZcGePoint3d(0, 0, 0), L"ONLY TEXT", label);
    const ZcDbObjectId label_reference = Insert(label, ZcGePoint3d(100, 0, 0));
    ZcDbExtents geometric;
    {
        ZcDbObjectPointer<ZcDbEntity> opened(label_reference, ZcDb::kForRead);
        ASSERT_EQ(opened->getGeomExtents(geometric), Zcad::eOk);
    }
    const ZcDbExtents fallback = Measure(label_reference);
    Expect_Box(fallback, geometric.minPoint().x, geometric.minPoint().y, geometric.maxPoint().x,
               geometric.maxPoint().y);
    EXPECT_GT(fallback.maxPoint().x, 150);
}

TEST_F(Exact_Extents_Test, TextsOutsideBlocks)
{
    const ZcDbObjectId text = Add_Text(ZcGePoint3d(200, 300, 0), L"A1", ZcDbObjectId::kNull);
    const ZcDbExtents degenerate = Measure_Ex(text, false, false);
    Expect_Box(degenerate, 0, 0, 0, 0, 0.0);
    const ZcDbExtents measured = Measure(text);
    EXPECT_NEAR(measured.minPoint().y, 300, 1e-6);
    EXPECT_GT(measured.maxPoint().x, 200);

    // An MText with a wide column measures to its text lines, not to its column.
    auto* mtext = new ZcDbMText;
    mtext->setLocation(ZcGePoint3d(0, 0, 0));
    mtext->setTextHeight(10.0);
    mtext->setWidth(5000.0);
    mtext->setContents(L"AB");
    const ZcDbObjectId mtext_id = Add(mtext);
    ZcDbExtents column;
    {
        ZcDbObjectPointer<ZcDbMText> opened(mtext_id, ZcDb::kForRead);
        ASSERT_EQ(opened->getGeomExtents(column), Zcad::eOk);
    }
    ASSERT_GT(column.maxPoint().x - column.minPoint().x, 4999);
    const ZcDbExtents lines = Measure(mtext_id);
    ASSERT_TRUE(lines.isValid());
    EXPECT_LT(lines.maxPoint().x - lines.minPoint().x, 100);
    EXPECT_GT(lines.maxPoint().x - lines.minPoint().x, 5);
    Expect_Box(Measure_Ex(mtext_id, false, false), 0, 0, 0, 0, 0.0);
}

TEST_F(Exact_Extents_Test, ZeroSizeForeignTextsInsideBlocksAreLeftOut)
{
    Foreign_Zero_Text::rxInit();
    const ZcDbObjectId block = Add_Block(L"TCH");
    Add_Rect(0, 0, 100, 100, block);
    auto* foreign = new Foreign_Zero_Text;
    foreign->At = ZcGePoint3d(800, 800, 0);
    Add(foreign, block);
    const ZcDbObjectId reference = Insert(block, ZcGePoint3d(0, 0, 0));
    Expect_Box(Measure(reference), 0, 0, 100, 100);

    // A zero-size entity of an ordinary class counts.
    Add(new ZcDbPoint(ZcGePoint3d(-300, 0, 0)), block);
    Expect_Box(Measure(reference), -300, 0, 100, 100);
    deleteZcRxClass(Foreign_Zero_Text::desc());
}

TEST_F(Exact_Extents_Test, SelfReferencingBlocksEndTheWalk)
{
    // A block holding a reference to itself, and two blocks holding each other.
    const ZcDbObjectId self = Add_Block(L"SELF");
    Add_Rect(0, 0, 100, 100, self);
    Insert(self, ZcGePoint3d(500, 500, 0), 1.0, self);
    Expect_Box(Measure(Insert(self, ZcGePoint3d(0, 0, 0))), 0, 0, 100, 100);

    const ZcDbObjectId first = Add_Block(L"FIRST");
    const ZcDbObjectId second = Add_Block(L"SECOND");
    Add_Rect(0, 0, 10, 10, first);
    Add_Rect(0, 0, 20, 20, second);
    Insert(second, ZcGePoint3d(100, 0, 0), 1.0, first);
    Insert(first, ZcGePoint3d(0, 100, 0), 1.0, second);
    // FIRST, SECOND at (100, 0); FIRST again would be inside itself.
    Expect_Box(Measure(Insert(first, ZcGePoint3d(0, 0, 0))), 0, 0, 120, 20);
}

TEST_F(Exact_Extents_Test, VeryDeepNestingEndsTheWalk)
{
    // Each level holds a short line and the next level one unit further right.
    ZcDbObjectId deeper;
    for (int level = 199; level >= 0; --level) {
        const ZcDbObjectId block = Add_Block((L"LEVEL" + std::to_wstring(level)).c_str());
        Add_Line(ZcGePoint3d(0, 0, 0), ZcGePoint3d(0, 1, 0), block);
        if (!deeper.isNull())
            Insert(deeper, ZcGePoint3d(1, 0, 0), 1.0, block);
        deeper = block;
    }
    const ZcDbExtents box = Measure(Insert(deeper, ZcGePoint3d(0, 0, 0)));
    ASSERT_TRUE(box.isValid());
    EXPECT_EQ(box.minPoint().x, 0);
    EXPECT_GE(box.maxPoint().x, 30);
    EXPECT_LT(box.maxPoint().x, 199);
}

TEST_F(Exact_Extents_Test, FramesSquareToARotatedUcsMeasureTight)
{
    // A 100 x 50 rectangle and a reference to it, both turned by 30 degrees in the world.
    const ZcDbObjectId block = Add_Block(L"TURNED");
    Add_Rect(0, 0, 100, 50, block);
    const ZcDbObjectId plain = Add_Rect(0, 0, 100, 50);
    auto* reference = new ZcDbBlockReference(ZcGePoint3d(0, 0, 0), block);
    reference->setRotation(Pi / 6);
    const ZcDbObjectId turned_reference = Add(reference);
    {
        ZcDbObjectPointer<ZcDbEntity> entity(plain, ZcDb::kForWrite);
        entity->transformBy(ZcGeMatrix3d::rotation(Pi / 6, ZcGeVector3d::kZAxis));
    }
    Rotated_Ucs(Pi / 6);

    Expect_Box(Measure(plain), 0, 0, 100, 50);
    Expect_Box(Measure(turned_reference), 0, 0, 100, 50);
    // The geometric variant turns the world box: larger.
    ZcDbObjectPointer<ZcDbEntity> entity(plain, ZcDb::kForRead);
    ZcDbExtents box_of_box;
    EXPECT_TRUE(Get_Geom_Extents(entity.object(), box_of_box));
    EXPECT_GT(box_of_box.maxPoint().x - box_of_box.minPoint().x, 100.5);
}

TEST_F(Exact_Extents_Test, IdListsGiveTheUnionAndAreEmptied)
{
    ZcDbObjectIdArray ids;
    ids.append(Add_Rect(0, 0, 10, 10));
    ids.append(Add_Rect(50, -5, 60, 5));
    const ZcDbObjectId erased = Add_Rect(-500, -500, -400, -400);
    {
        ZcDbObjectPointer<ZcDbEntity> entity(erased, ZcDb::kForWrite);
        entity->erase();
    }
    ids.append(erased);
    ZcDbExtents box;
    Get_Ids_Extents(box, ids);
    Expect_Box(box, 0, -5, 60, 10);
    EXPECT_TRUE(ids.isEmpty());

    Get_Ids_Extents(box, ids);
    EXPECT_FALSE(box.isValid());
    EXPECT_FALSE(Get_Entity_Extents_By_Id(ZcDbObjectId::kNull).isValid());
}

}  // namespace
