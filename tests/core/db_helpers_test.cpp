// The drawing helpers on small drawings made in the test.
#include <memory>

#include "core/attribute_helpers.h"
#include "core/doc_lock.h"
#include "core/erase_helpers.h"
#include "core/hidden_layers.h"
#include "core/layer_helpers.h"
#include "core/make_entities.h"
#include "core/name_lookups.h"
#include "core/point_sets.h"
#include "core/space_helpers.h"
#include "core/sysvar_helpers.h"
#include "core_fixture.h"
#include "db/dbblkref.h"
#include "db/dbdict.h"
#include "db/dbimage.h"
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "db/dbtext.h"
#include "ge/ge.h"

namespace {

class Db_Helpers_Test : public Core_Test {
protected:
    ZcDbDatabase* Db() const { return zcDocManager->curDocument()->database(); }

    ZcDbObjectId Add_Line(double x1, double y1, double x2, double y2, ZcDbObjectId layer = ZcDbObjectId())
    {
        ZcDbObjectId id;
        Make_Line(id, x1, y1, x2, y2, Keep_Color, layer, ZcDbObjectId());
        EXPECT_FALSE(id.isNull());
        return id;
    }
    ZcDbObjectId Layer(const wchar_t* name)
    {
        ZcDbObjectId id;
        Ensure_Layer(id, name);
        return id;
    }
};

TEST_F(Db_Helpers_Test, AppendEntitySetsColourOnlyFromZeroTo256)
{
    struct Case {
        uint32_t color;
        uint16_t expected;
    };
    const Case cases[] = {{Keep_Color, 3}, {static_cast<uint32_t>(-1), 3}, {257, 3}, {256, 256}, {0, 0}, {1, 1}};
    const ZcDbObjectId walls = Layer(L"Walls");
    for (const Case& c : cases) {
        auto* line = new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0));
        line->setColorIndex(3);
        ZcDbObjectId id;
        Append_Entity(id, line, c.color, true, ZcDbObjectId(), ZcDbObjectId());
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
        ASSERT_EQ(entity.openStatus(), Zcad::eOk);
        EXPECT_EQ(entity->colorIndex(), c.expected) << c.color;
        EXPECT_EQ(entity->ownerId(), Db()->modelSpaceId());
        EXPECT_NE(entity->layerId(), walls);
    }
    // A layer, a block of our choosing, and a target that is no block table record.
    auto* line = new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0));
    ZcDbObjectId id;
    Append_Entity(id, line, Keep_Color, false, walls, Db()->paperSpaceId());
    ASSERT_FALSE(id.isNull());
    EXPECT_EQ(line->layerId(), walls);
    EXPECT_EQ(line->ownerId(), Db()->paperSpaceId());
    line->close();  // left open for us
    auto* stray = new ZcDbLine();
    Append_Entity(id, stray, Keep_Color, true, ZcDbObjectId(), walls);
    EXPECT_TRUE(id.isNull());
    delete stray;
}

TEST_F(Db_Helpers_Test, CurrentSpaceFollowsCvport)
{
    const ZcDbObjectId model_line = Add_Line(0, 0, 1, 1);
    EXPECT_FALSE(Is_Paper_Space());
    Set_Var(L"TILEMODE", 0);
    EXPECT_TRUE(Is_Paper_Space());
    const ZcDbObjectId paper_line = Add_Line(0, 0, 2, 2);
    ZcDbBlockTableRecord* space = Get_Current_Space_Record(Db(), false);
    ASSERT_NE(space, nullptr);
    EXPECT_EQ(space->objectId(), Db()->paperSpaceId());
    space->close();

    ZcDbObjectIdArray ids;
    Collect_Space_Entity_Ids(ids, ZcDbObjectId(), true);
    EXPECT_TRUE(ids.contains(paper_line));
    EXPECT_FALSE(ids.contains(model_line));
    ids.removeAll();
    Collect_Space_Entity_Ids(ids, ZcDbObjectId(), false);
    EXPECT_TRUE(ids.isEmpty());
    Collect_Space_Entity_Ids(ids, Layer(L"0"), false);
    EXPECT_TRUE(ids.isEmpty());
    Collect_Space_Entity_Ids(ids, Db()->modelSpaceId(), false);
    EXPECT_EQ(ids.length(), 1);
    EXPECT_EQ(ids[0], model_line);

    Activate_Layout_Of_Block(Db()->modelSpaceId());
    EXPECT_EQ(Var_Int(L"TILEMODE"), 1);
    Activate_Layout_Of_Block(Db()->paperSpaceId());
    EXPECT_EQ(Var_Int(L"TILEMODE"), 0);
}

TEST_F(Db_Helpers_Test, ErasingOnALockedLayer)
{
    const ZcDbObjectId locked = Layer(L"Locked");
    ASSERT_EQ(Set_Layer_State(locked, Layer_Locked, true), Zcad::eOk);
    const ZcDbObjectId a = Add_Line(0, 0, 1, 0, locked);
    const ZcDbObjectId b = Add_Line(0, 1, 1, 1, locked);
    const ZcDbObjectId c = Add_Line(0, 2, 1, 2, locked);
    const ZcDbObjectId d = Add_Line(0, 3, 1, 3, locked);

    EXPECT_FALSE(Erase_Entity_Simple(a));
    EXPECT_FALSE(a.isErased());
    EXPECT_TRUE(Erase_Entity(a));
    EXPECT_TRUE(a.isErased());
    EXPECT_TRUE(Get_Layer_State(locked, Layer_Locked));

    ZcDbObjectIdArray ids;
    ids.append(b);
    ids.append(c);
    EXPECT_TRUE(Erase_Entities(ids));
    EXPECT_TRUE(ids.isEmpty());
    EXPECT_TRUE(b.isErased() && c.isErased());
    EXPECT_TRUE(Get_Layer_State(locked, Layer_Locked));

    ids.append(d);
    Erase_Ids(ids);  // no lock handling
    EXPECT_TRUE(ids.isEmpty());
    EXPECT_FALSE(d.isErased());
    EXPECT_TRUE(Erase_Entities(ids));  // empty array
}

TEST_F(Db_Helpers_Test, EraseEntitiesReportsWhatItCouldNotOpen)
{
    const ZcDbObjectId free_line = Add_Line(0, 0, 1, 0);
    const ZcDbObjectId locked = Layer(L"Locked");
    const ZcDbObjectId on_locked = Add_Line(0, 1, 1, 1, locked);
    Set_Layer_State(locked, Layer_Locked, true);
    ZcDbObjectIdArray ids;
    ids.append(free_line);
    ids.append(on_locked);  // only the first entity's layer is unlocked
    EXPECT_FALSE(Erase_Entities(ids));
    EXPECT_TRUE(free_line.isErased());
    EXPECT_FALSE(on_locked.isErased());
    EXPECT_TRUE(ids.isEmpty());
}

TEST_F(Db_Helpers_Test, RotateAndTransformSkipWhatCannotOpen)
{
    const ZcDbObjectId line = Add_Line(10, 0, 20, 0);
    const ZcDbObjectId locked = Layer(L"Locked");
    const ZcDbObjectId stuck = Add_Line(10, 0, 20, 0, locked);
    Set_Layer_State(locked, Layer_Locked, true);
    ZcDbObjectIdArray ids;
    ids.append(stuck);
    ids.append(line);
    Rotate_Entities(ids, 3.14159265358979323846 / 2, ZcGePoint3d(10, 0, 0));
    EXPECT_TRUE(ids.isEmpty());
    ZcDbObjectPointer<ZcDbLine> turned(line, ZcDb::kForRead);
    EXPECT_TRUE(turned->endPoint().isEqualTo(ZcGePoint3d(10, 10, 0)));
    ZcDbObjectPointer<ZcDbLine> kept(stuck, ZcDb::kForRead);
    EXPECT_TRUE(kept->endPoint().isEqualTo(ZcGePoint3d(20, 0, 0)));
}

TEST_F(Db_Helpers_Test, MakeTextAlignments)
{
    struct Case {
        int alignment;
        ZcDb::TextHorzMode horizontal;
        ZcDb::TextVertMode vertical;
    };
    const Case cases[] = {{0, ZcDb::kTextLeft, ZcDb::kTextBottom},  {1, ZcDb::kTextCenter, ZcDb::kTextBottom},
                          {2, ZcDb::kTextRight, ZcDb::kTextBottom}, {3, ZcDb::kTextLeft, ZcDb::kTextTop},
                          {5, ZcDb::kTextRight, ZcDb::kTextTop},    {7, ZcDb::kTextCenter, ZcDb::kTextVertMid},
                          {8, ZcDb::kTextRight, ZcDb::kTextVertMid}};
    for (const Case& c : cases) {
        std::unique_ptr<ZcDbText> text(Make_Text(100, 200, 5, 6, L"图号", 3.5, 0, c.alignment, 90, ZcDbObjectId()));
        EXPECT_EQ(text->horizontalMode(), c.horizontal) << c.alignment;
        EXPECT_EQ(text->verticalMode(), c.vertical) << c.alignment;
        EXPECT_TRUE(text->alignmentPoint().isEqualTo(ZcGePoint3d(105, 206, 0)));
        EXPECT_NEAR(text->rotation(), 3.14159265358979323846 / 2, 1e-12);
        EXPECT_EQ(text->height(), 3.5);
        EXPECT_EQ(text->widthFactor(), 1.0);  // 0 keeps the default
        EXPECT_EQ(text->database(), nullptr);
    }
    ZcDbObjectId id;
    Add_Text(id, 1, 2, L"abc", 2, 0.7, 7, 0, 1, ZcDbObjectId(), ZcDbObjectId());
    ZcDbObjectPointer<ZcDbText> added(id, ZcDb::kForRead);
    ASSERT_EQ(added.openStatus(), Zcad::eOk);
    EXPECT_TRUE(added->alignmentPoint().isEqualTo(ZcGePoint3d(1, 2, 0)));
    EXPECT_EQ(added->widthFactor(), 0.7);
    EXPECT_EQ(added->colorIndex(), 1);
}

TEST_F(Db_Helpers_Test, PolylineThroughThePoints)
{
    ZcGePoint2dArray points;
    points.append(ZcGePoint2d(0, 0));
    points.append(ZcGePoint2d(10, 0));
    points.append(ZcGePoint2d(10, 5));
    ZcDbObjectId id;
    Make_Polyline_At(id, 1, 1, points, 2, ZcDbObjectId(), ZcDbObjectId(), 0.5);
    ZcDbObjectPointer<ZcDbPolyline> polyline(id, ZcDb::kForRead);
    ASSERT_EQ(polyline.openStatus(), Zcad::eOk);
    ASSERT_EQ(polyline->numVerts(), 3u);
    ZcGePoint2d last;
    polyline->getPointAt(2, last);
    EXPECT_TRUE(last.isEqualTo(ZcGePoint2d(11, 6)));
    EXPECT_FALSE(polyline->isClosed());
    double start = 0, end = 0;
    polyline->getWidthsAt(1, start, end);
    EXPECT_EQ(start, 0.5);
    EXPECT_EQ(end, 0.5);
}

TEST_F(Db_Helpers_Test, LayersFoundWithoutRegardToCase)
{
    ZcDbObjectId first, again;
    int existed = -1;
    Find_Or_Add_Layer(first, L"Temp_PlotLayer", existed);
    EXPECT_EQ(existed, 0);
    Find_Or_Add_Layer(again, L"TEMP_PLOTLAYER", existed);
    EXPECT_EQ(existed, 1);
    EXPECT_EQ(first, again);

    Ensure_Layer_Color(again, L"temp_plotlayer", 4);
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(first, ZcDb::kForRead);
    EXPECT_EQ(layer->color().colorIndex(), 4);
    layer.close();

    Set_Layer_Lineweight(first, 50);
    Set_Layer_Linetype(first, L"DASHED");
    ZcDbObjectId dashed;
    Get_Linetype_Id(dashed, L"DASHED");
    ASSERT_FALSE(dashed.isNull());
    layer.open(first, ZcDb::kForRead);
    EXPECT_EQ(layer->linetypeObjectId(), dashed);
    EXPECT_EQ(layer->lineWeight(), 50);
    layer.close();
    Set_Layer_Linetype(first, L"NO_SUCH_LINETYPE");  // found nowhere: kept
    layer.open(first, ZcDb::kForRead);
    EXPECT_EQ(layer->linetypeObjectId(), dashed);
}

TEST_F(Db_Helpers_Test, LayerStates)
{
    const ZcDbObjectId id = Layer(L"States");
    struct Case {
        int kind;
        bool value;
    };
    for (Case c : {Case{Layer_Off, true}, Case{Layer_Frozen, true}, Case{Layer_Locked, true}}) {
        EXPECT_FALSE(Get_Layer_State(id, c.kind));
        EXPECT_EQ(Set_Layer_State(id, c.kind, c.value), Zcad::eOk);
        EXPECT_TRUE(Get_Layer_State(id, c.kind));
    }
    EXPECT_TRUE(Get_Layer_State(id, 9));  // other kinds read as true
    EXPECT_EQ(Set_Layer_State(id, Layer_Plottable, false), Zcad::eOk);
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(id, ZcDb::kForRead);
    EXPECT_FALSE(layer->isPlottable());
    layer.close();
    EXPECT_NE(Set_Layer_State(ZcDbObjectId(), Layer_Off, true), Zcad::eOk);
    EXPECT_FALSE(Get_Layer_State(ZcDbObjectId(), Layer_Off));
}

TEST_F(Db_Helpers_Test, HiddenLayersSnapshotOutlivesLaterChanges)
{
    const ZcDbObjectId frozen = Layer(L"Frozen");
    const ZcDbObjectId off = Layer(L"Off");
    const ZcDbObjectId both = Layer(L"Both");
    const ZcDbObjectId shown = Layer(L"Shown");
    Set_Layer_State(frozen, Layer_Frozen, true);
    Set_Layer_State(off, Layer_Off, true);
    Set_Layer_State(both, Layer_Frozen, true);
    Set_Layer_State(both, Layer_Off, true);
    const ZcDbObjectId on_frozen = Add_Line(0, 0, 1, 1, frozen);
    const ZcDbObjectId on_shown = Add_Line(0, 0, 1, 1, shown);
    const ZcDbObjectId invisible = Add_Line(0, 0, 1, 1, shown);
    {
        ZcDbObjectPointer<ZcDbEntity> entity(invisible, ZcDb::kForWrite);
        entity->setVisibility(ZcDb::kInvisible);
    }

    g_Hidden_Layers.Frozen_Layers.append(shown);  // left from an earlier refill
    g_Hidden_Layers.Collect_Hidden_Layers();
    EXPECT_EQ(g_Hidden_Layers.Frozen_Layers.length(), 2);
    EXPECT_TRUE(g_Hidden_Layers.Frozen_Layers.contains(frozen));
    EXPECT_TRUE(g_Hidden_Layers.Frozen_Layers.contains(both));
    EXPECT_EQ(g_Hidden_Layers.Off_Layers.length(), 2);
    EXPECT_TRUE(g_Hidden_Layers.Off_Layers.contains(off));
    EXPECT_TRUE(g_Hidden_Layers.Off_Layers.contains(both));

    Set_Layer_State(frozen, Layer_Frozen, false);  // thawed since the refill
    struct Case {
        ZcDbObjectId id;
        bool shown;
    };
    for (Case c : {Case{on_frozen, false}, Case{on_shown, true}, Case{invisible, false}}) {
        ZcDbObjectPointer<ZcDbEntity> entity(c.id, ZcDb::kForRead);
        EXPECT_EQ(Is_Entity_Shown(entity), c.shown);
    }
    EXPECT_FALSE(Is_Entity_Shown(nullptr));
    g_Hidden_Layers.Frozen_Layers.removeAll();
    g_Hidden_Layers.Off_Layers.removeAll();
}

TEST_F(Db_Helpers_Test, DocLockHoldsTheDocumentForItsScope)
{
    ZcApDocument* doc = zcDocManager->curDocument();
    const int before = doc->lockCount();
    {
        Doc_Lock lock;
        EXPECT_TRUE(lock.Is_Locked());
        EXPECT_EQ(doc->lockCount(), before + 1);
        EXPECT_EQ(doc->lockMode(), ZcAp::kWrite);
        {
            Doc_Lock nested;
            EXPECT_EQ(doc->lockCount(), before + 2);
        }
        EXPECT_EQ(doc->lockCount(), before + 1);
    }
    EXPECT_EQ(doc->lockCount(), before);

    // An early return leaves through the destructor too.
    auto body = [&](bool leave_early) {
        Doc_Lock lock;
        if (leave_early)
            return doc->lockCount();
        return -1;
    };
    EXPECT_EQ(body(true), before + 1);
    EXPECT_EQ(doc->lockCount(), before);

    platform::Close_All_Documents();
    Doc_Lock without_document;
    EXPECT_FALSE(without_document.Is_Locked());
}

TEST_F(Db_Helpers_Test, NamesAndTitles)
{
    struct Case {
        const wchar_t* file;
        const wchar_t* title;
    };
    const Case cases[] = {{L"C:\\work\\plan.dxf", L"plan"},
                          {L"C:\\work\\plan.v2.dxf", L"plan.v2"},
                          {L"C:\\work\\noext", L"noext"},
                          {L"C:\\work\\.hidden", L".hidden"}};
    for (const Case& c : cases) {
        platform::Add_Document(new ZcDbDatabase(true, false), true, c.file);
        EXPECT_STREQ(Get_Dwg_Title().GetString(), c.title);
    }

    CString name = L"kept";
    EXPECT_FALSE(Get_Block_Name(name, ZcDbObjectId()));
    EXPECT_STREQ(name.GetString(), L"kept");
    EXPECT_TRUE(Get_Block_Name(name, Db()->modelSpaceId()));
    EXPECT_STREQ(name.GetString(), L"*Model_Space");
    EXPECT_FALSE(Get_Text_Style_Name(name, Db()->modelSpaceId()));
    EXPECT_TRUE(name.IsEmpty());
    ZcDbObjectId continuous;
    Get_Linetype_Id(continuous, L"Continuous");
    EXPECT_TRUE(Get_Linetype_Name(name, continuous));
    EXPECT_STREQ(name.GetString(), L"Continuous");

    int red = -1, green = -1, blue = -1;
    Index_Color_To_RGB(1, red, green, blue);
    EXPECT_EQ(red, 255);
    EXPECT_EQ(green, 0);
    EXPECT_EQ(blue, 0);
    Index_Color_To_RGB(5, red, green, blue);
    EXPECT_EQ(blue, 255);
    EXPECT_EQ(red, 0);
}

TEST_F(Db_Helpers_Test, SystemVariableReaders)
{
    int16_t echo = -1;
    EXPECT_TRUE(Get_Var_Int(L"CMDECHO", echo));
    EXPECT_EQ(echo, 1);
    EXPECT_FALSE(Get_Var_Int(L"NO_SUCH_VARIABLE", echo));
    EXPECT_EQ(echo, 1);
    double size = 0;
    EXPECT_EQ(Get_Var_Real(L"VIEWSIZE", size), RTNORM);
    EXPECT_GT(size, 0);
    EXPECT_NE(Get_Var_Real(L"NO_SUCH_VARIABLE", size), RTNORM);

    wchar_t name[260];
    EXPECT_TRUE(Get_Var_String(L"DWGNAME", name));
    EXPECT_STREQ(name, L"Drawing1.dxf");
    wchar_t small[5];
    EXPECT_TRUE(Get_Var_String(L"DWGNAME", small));  // cut to fit
    EXPECT_STREQ(small, L"Draw");
    EXPECT_FALSE(Get_Var_String(L"CMDECHO", name));  // not a text
    EXPECT_STREQ(name, L"");
}

TEST_F(Db_Helpers_Test, AttributesSetByTagWithoutRegardToCase)
{
    ZcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(Db()->getBlockTable(blocks, ZcDb::kForWrite), Zcad::eOk);
    auto* def = new ZcDbBlockTableRecord();
    def->setName(L"TK");
    ZcDbObjectId def_id;
    ASSERT_EQ(blocks->add(def_id, def), Zcad::eOk);
    def->close();
    blocks->close();

    auto make_reference = [&](double x) {
        auto* reference = new ZcDbBlockReference(ZcGePoint3d(x, 0, 0), def_id);
        ZcDbObjectId id;
        Append_Entity(id, reference, Keep_Color, false, ZcDbObjectId(), ZcDbObjectId());
        for (const wchar_t* tag : {L"DrawingNo", L"TITLE"}) {
            auto* attribute = new ZcDbAttribute(ZcGePoint3d(x, 0, 0), L"old", tag);
            reference->appendAttribute(attribute);
            attribute->close();
        }
        reference->close();
        return id;
    };
    ZcDbObjectIdArray ids;
    ids.append(make_reference(0));
    ids.append(make_reference(50));
    const ZcDbObjectId first = ids[0];
    ids.append(Add_Line(0, 0, 1, 1));  // not a reference: left alone

    Set_Inserts_Attribute(ids, L"DRAWINGNO", L"A-101");
    EXPECT_TRUE(ids.isEmpty());

    ZcDbObjectPointer<ZcDbBlockReference> reference(first, ZcDb::kForRead);
    std::unique_ptr<ZcDbObjectIterator> it(reference->attributeIterator());
    std::vector<std::wstring> texts;
    for (it->start(); !it->done(); it->step()) {
        ZcDbObjectPointer<ZcDbAttribute> attribute(it->objectId(), ZcDb::kForRead);
        texts.push_back(attribute->textStringConst());
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"A-101", L"old"}));
}

TEST(Point_Sets, ExtentsAndBox)
{
    double min_x = -1, max_x = -1, min_y = -1, max_y = -1;
    Get_Points_Extents(ZcGePoint2dArray(), min_x, max_x, min_y, max_y);
    EXPECT_EQ(min_x, -1);  // untouched
    ZcGePoint2dArray flat;
    flat.append(ZcGePoint2d(3, -2));
    flat.append(ZcGePoint2d(-1, 7));
    Get_Points_Extents(flat, min_x, max_x, min_y, max_y);
    EXPECT_EQ(min_x, -1);
    EXPECT_EQ(max_x, 3);
    EXPECT_EQ(min_y, -2);
    EXPECT_EQ(max_y, 7);

    double width = 9, height = 9;
    ZcGePoint3d centre(9, 9, 9);
    Get_Points_Box(ZcGePoint3dArray(), width, height, centre);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    EXPECT_TRUE(centre.isEqualTo(ZcGePoint3d(0, 0, 0)));
    ZcGePoint3dArray points;
    points.append(ZcGePoint3d(0, 0, 5));
    points.append(ZcGePoint3d(10, 4, -5));
    Get_Points_Box(points, width, height, centre);
    EXPECT_EQ(width, 10);
    EXPECT_EQ(height, 4);
    EXPECT_TRUE(centre.isEqualTo(ZcGePoint3d(5, 2, 0)));
}

}  // namespace

namespace {

TEST_F(Db_Helpers_Test, RemoveImageDefDropsOnlyThatEntry)
{
    ZcDbDictionary* named = nullptr;
    ASSERT_EQ(Db()->getNamedObjectsDictionary(named, ZcDb::kForWrite), Zcad::eOk);
    auto* images = new ZcDbDictionary();
    ZcDbObjectId images_id;
    ASSERT_EQ(named->setAt(L"ACAD_IMAGE_DICT", images, images_id), Zcad::eOk);
    named->close();
    for (const wchar_t* name : {L"stamp", L"logo"}) {
        auto* def = new ZcDbRasterImageDef();
        ZcDbObjectId id;
        ASSERT_EQ(images->setAt(name, def, id), Zcad::eOk);
        def->close();
    }
    images->close();

    Remove_Image_Def(L"stamp");
    Remove_Image_Def(L"missing");
    ZcDbObjectPointer<ZcDbDictionary> after(images_id, ZcDb::kForRead);
    EXPECT_FALSE(after->has(L"stamp"));
    EXPECT_TRUE(after->has(L"logo"));
}

}  // namespace
