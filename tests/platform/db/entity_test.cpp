// Entity properties, explode and custom entity classes filed through the copy filer.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "db/copy_filer.h"
#include "db/dbents.h"
#include "db/gi.h"
#include "db_test_support.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The id of the first attribute definition of the block that is not constant.
ZcDbObjectId Variable_Attdef(ZcDbObjectId blockId)
{
    ZcDbObjectPointer<ZcDbBlockTableRecord> btr(blockId);
    for (ZcDbObjectId id : btr->entityIds()) {
        ZcDbObjectPointer<ZcDbAttributeDefinition> def(id);
        if (def.openStatus() == Zcad::eOk && !def->isConstant()) return id;
    }
    return ZcDbObjectId();
}

struct Pieces {
    ~Pieces()
    {
        for (int i = 0; i < set.length(); ++i) delete static_cast<ZcDbEntity*>(set[i]);
    }
    ZcDbEntity* at(int i) const { return static_cast<ZcDbEntity*>(set[i]); }
    ZcDbVoidPtrArray set;
};

TEST(EntityProperties, DefaultsAndByLayerByBlockColours)
{
    Test_Drawing d;
    auto* line = new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    EXPECT_EQ(line->colorIndex(), 256);
    EXPECT_TRUE(line->color().isByLayer());
    EXPECT_EQ(line->lineWeight(), ZcDb::kLnWtByLayer);
    EXPECT_EQ(line->visibility(), ZcDb::kVisible);
    EXPECT_DOUBLE_EQ(line->linetypeScale(), 1.0);
    ZcDbObjectId id = d.add(line);
    ZcDbObjectPointer<ZcDbLine> l(id, ZcDb::kForWrite);
    wchar_t* layerName = l->layer();
    EXPECT_STREQ(layerName, L"0");
    delete[] layerName;
    wchar_t* lt = l->linetype();
    EXPECT_STREQ(lt, L"ByLayer");
    delete[] lt;
    EXPECT_EQ(l->setColorIndex(0), Zcad::eOk);
    EXPECT_TRUE(l->color().isByBlock());
    EXPECT_EQ(l->setColorIndex(1), Zcad::eOk);
    EXPECT_EQ(l->entityColor().colorMethod(), ZcCm::kByACI);
    EXPECT_EQ(l->color().red(), 255);
    EXPECT_EQ(l->setColorIndex(257), Zcad::eOutOfRange);
    EXPECT_EQ(l->colorIndex(), 1);
    EXPECT_EQ(l->setLayer(L"NoSuchLayer"), Zcad::eKeyNotFound);
    EXPECT_EQ(l->setLineWeight(ZcDb::kLnWt050), Zcad::eOk);
    EXPECT_EQ(l->setLinetypeScale(-1.0), Zcad::eInvalidInput);
}

TEST(Colors, PaletteAndNearestIndex)
{
    EXPECT_EQ(ZcCmEntityColor::lookUpRGB(1), 0xFF0000u);
    EXPECT_EQ(ZcCmEntityColor::lookUpRGB(5), 0x0000FFu);
    EXPECT_EQ(ZcCmEntityColor::lookUpRGB(7), 0xFFFFFFu);
    EXPECT_EQ(ZcCmEntityColor::lookUpRGB(10), 0xFF0000u);
    EXPECT_EQ(ZcCmEntityColor::lookUpRGB(250), 0x333333u);
    EXPECT_EQ(ZcCmEntityColor::lookUpACI(255, 0, 0), 1);
    EXPECT_EQ(ZcCmEntityColor::lookUpACI(250, 250, 5), 2);
    ZcCmColor c;
    c.setRGB(0, 0, 250);
    EXPECT_TRUE(c.isByColor());
    EXPECT_EQ(c.colorIndex(), 5);
    EXPECT_EQ(c.blue(), 250);
}

TEST(EntityProperties, BlockReferencePassesPropertiesToItsAttributes)
{
    Test_Drawing d;
    ZcDbObjectId block = d.addBlock(L"B");
    ZcDbObjectId layer = d.addLayer(L"Title");
    ZcDbObjectId refId = d.add(new ZcDbBlockReference(ZcGePoint3d(0, 0, 0), block));
    ZcDbObjectPointer<ZcDbBlockReference> ref(refId, ZcDb::kForWrite);
    auto* att = new ZcDbAttribute(ZcGePoint3d(0, 0, 0), L"x", L"T");
    ZcDbObjectId attId;
    ASSERT_EQ(ref->appendAttribute(attId, att), Zcad::eOk);
    att->close();
    ASSERT_EQ(ref->setColorIndex(3), Zcad::eOk);
    ASSERT_EQ(ref->setLayer(layer), Zcad::eOk);
    ref.close();
    ZcDbObjectPointer<ZcDbAttribute> a(attId);
    EXPECT_EQ(a->colorIndex(), 3);
    EXPECT_EQ(a->layerId(), layer);
}

TEST(Explode, BlockReferenceWithNestedBlockAndAttributes)
{
    Test_Drawing d;
    ZcDbObjectId inner = d.addBlock(L"Inner");
    d.add(new ZcDbCircle(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, 1.0), inner);
    ZcDbObjectId outer = d.addBlock(L"Outer");
    d.add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0)), outer);
    d.add(new ZcDbBlockReference(ZcGePoint3d(2, 0, 0), inner), outer);
    auto* constant = new ZcDbAttributeDefinition(ZcGePoint3d(0, 1, 0), L"fixed", L"C", L"");
    constant->setConstant(true);
    d.add(constant, outer);
    d.add(new ZcDbAttributeDefinition(ZcGePoint3d(0, 2, 0), L"default", L"TAG", L"Value?"), outer);

    auto* ref = new ZcDbBlockReference(ZcGePoint3d(10, 10, 0), outer);
    ref->setScaleFactors(ZcGeScale3d(2.0));
    ref->setRotation(kPi / 2);
    ZcDbObjectId refId = d.add(ref);
    ZcDbObjectPointer<ZcDbBlockReference> r(refId, ZcDb::kForWrite);
    {
        ZcDbObjectPointer<ZcDbAttributeDefinition> def(Variable_Attdef(outer));
        ASSERT_EQ(def.openStatus(), Zcad::eOk);
        auto* att = new ZcDbAttribute();
        ASSERT_EQ(att->setAttributeFromBlock(def.object(), r->blockTransform()), Zcad::eOk);
        att->setTextString(L"filled");
        ASSERT_EQ(r->appendAttribute(att), Zcad::eOk);
        att->close();
    }
    Pieces pieces;
    ASSERT_EQ(r->explode(pieces.set), Zcad::eOk);
    ASSERT_EQ(pieces.set.length(), 4);
    auto* line = ZcDbLine::cast(pieces.at(0));
    ASSERT_NE(line, nullptr);
    EXPECT_NEAR(line->startPoint().distanceTo(ZcGePoint3d(10, 10, 0)), 0.0, 1e-9);
    EXPECT_NEAR(line->endPoint().distanceTo(ZcGePoint3d(10, 12, 0)), 0.0, 1e-9);
    auto* nested = ZcDbBlockReference::cast(pieces.at(1));
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->blockTableRecord(), inner);
    EXPECT_NEAR(nested->position().distanceTo(ZcGePoint3d(10, 14, 0)), 0.0, 1e-9);
    EXPECT_NEAR(nested->scaleFactors().sx, 2.0, 1e-12);
    EXPECT_NEAR(nested->rotation(), kPi / 2, 1e-9);
    auto* fixed = ZcDbText::cast(pieces.at(2));
    ASSERT_NE(fixed, nullptr);
    EXPECT_FALSE(ZcDbAttributeDefinition::cast(fixed));
    EXPECT_STREQ(fixed->textStringConst(), L"fixed");
    EXPECT_NEAR(fixed->position().distanceTo(ZcGePoint3d(8, 10, 0)), 0.0, 1e-9);
    auto* value = ZcDbText::cast(pieces.at(3));
    ASSERT_NE(value, nullptr);
    EXPECT_FALSE(ZcDbAttribute::cast(value));
    EXPECT_STREQ(value->textStringConst(), L"filled");
    EXPECT_NEAR(value->position().distanceTo(ZcGePoint3d(6, 10, 0)), 0.0, 1e-9);
    EXPECT_NEAR(value->rotation(), kPi / 2, 1e-9);
}

TEST(Explode, NonUniformScaleTurnsCirclesIntoEllipses)
{
    Test_Drawing d;
    ZcDbObjectId block = d.addBlock(L"C");
    d.add(new ZcDbCircle(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, 1.0), block);
    ZcDbBlockReference ref(ZcGePoint3d(0, 0, 0), block);
    ref.setScaleFactors(ZcGeScale3d(3.0, 1.0, 1.0));
    Pieces pieces;
    ASSERT_EQ(ref.explode(pieces.set), Zcad::eOk);
    ASSERT_EQ(pieces.set.length(), 1);
    auto* ellipse = ZcDbEllipse::cast(pieces.at(0));
    ASSERT_NE(ellipse, nullptr);
    EXPECT_NEAR(ellipse->majorAxis().length(), 3.0, 1e-9);
    EXPECT_NEAR(ellipse->radiusRatio(), 1.0 / 3.0, 1e-9);
}

TEST(Explode, PolylineIntoLinesAndArcsAndUnexplodables)
{
    ZcDbPolyline pl;
    pl.addVertexAt(0, ZcGePoint2d(0, 0), 1.0);
    pl.addVertexAt(1, ZcGePoint2d(10, 0));
    pl.addVertexAt(2, ZcGePoint2d(10, 10));
    pl.setColorIndex(4);
    Pieces pieces;
    ASSERT_EQ(pl.explode(pieces.set), Zcad::eOk);
    ASSERT_EQ(pieces.set.length(), 2);
    auto* arc = ZcDbArc::cast(pieces.at(0));
    ASSERT_NE(arc, nullptr);
    EXPECT_NEAR(arc->radius(), 5.0, 1e-9);
    EXPECT_NEAR(arc->center().distanceTo(ZcGePoint3d(5, 0, 0)), 0.0, 1e-9);
    EXPECT_EQ(arc->colorIndex(), 4);
    EXPECT_NE(ZcDbLine::cast(pieces.at(1)), nullptr);
    ZcDbLine line(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0));
    ZcDbVoidPtrArray none;
    EXPECT_EQ(line.explode(none), Zcad::eNotApplicable);
    EXPECT_EQ(none.length(), 0);
}

// A custom entity as plug-ins define them: fields filed through dwgOutFields / dwgInFields.
class Sample_Marker : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(Sample_Marker);
    int number = 1;
    ZcGePoint2d minCorner{0, 0};
    ZcGePoint2d maxCorner{100, 100};
    std::wstring label;

    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override
    {
        ZcDbEntity::dwgOutFields(filer);
        filer->writeInt32(number);
        filer->writePoint2d(minCorner);
        filer->writePoint2d(maxCorner);
        filer->writeString(label.c_str());
        return filer->filerStatus();
    }
    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override
    {
        Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(filer);
        if (es != Zcad::eOk) return es;
        int32_t n = 0;
        filer->readInt32(&n);
        number = n;
        filer->readPoint2d(&minCorner);
        filer->readPoint2d(&maxCorner);
        filer->readString(label);
        return filer->filerStatus();
    }

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override
    {
        ZcGePoint3d pts[4] = {{minCorner.x, minCorner.y, 0}, {maxCorner.x, minCorner.y, 0},
                              {maxCorner.x, maxCorner.y, 0}, {minCorner.x, maxCorner.y, 0}};
        mode->subEntityTraits().setFillType(kZcGiFillAlways);
        mode->geometry().polygon(4, pts);
        return true;
    }
};
ZCRX_DXF_DEFINE_MEMBERS(Sample_Marker, ZcDbEntity, 33, 55, 0xBFF, Sample_Marker, "Sample App")

TEST(CustomEntities, FiledThroughTheCopyFiler)
{
    Sample_Marker::rxInit();
    ASSERT_NE(Sample_Marker::desc(), nullptr);
    EXPECT_STREQ(Sample_Marker::desc()->dxfName(), L"Sample_Marker");
    EXPECT_STREQ(Sample_Marker::desc()->appName(), L"\"Sample App\"");
    EXPECT_TRUE(Sample_Marker::desc()->isDerivedFrom(ZcDbEntity::desc()));

    Sample_Marker marker;
    marker.number = 7;
    marker.minCorner.set(-5, 2);
    marker.maxCorner.set(20, 30);
    marker.label = L"图框 A1";
    marker.setColorIndex(6);
    ZcDbCopyFiler filer;
    ASSERT_EQ(marker.dwgOutFields(&filer), Zcad::eOk);
    filer.rewind();
    Sample_Marker back;
    ASSERT_EQ(back.dwgInFields(&filer), Zcad::eOk);
    EXPECT_TRUE(filer.atEnd());
    EXPECT_EQ(back.number, 7);
    EXPECT_EQ(back.minCorner, ZcGePoint2d(-5, 2));
    EXPECT_EQ(back.maxCorner, ZcGePoint2d(20, 30));
    EXPECT_EQ(back.label, L"图框 A1");
    EXPECT_EQ(back.colorIndex(), 6);

    // Reading past the end, or a value of another kind, is an error of the filer.
    int32_t extra = 0;
    EXPECT_EQ(filer.readInt32(&extra), Zcad::eEndOfFile);
    filer.rewind();
    double wrong = 0;
    filer.resetFilerStatus();
    filer.rewind();
    EXPECT_NE(filer.readDouble(&wrong), Zcad::eOk);

    // clone() goes through the same filing; the copy has the class and the fields.
    std::unique_ptr<ZcRxObject> copy(marker.clone());
    auto* typed = Sample_Marker::cast(copy.get());
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->number, 7);
    ZcDbExtents e;
    ASSERT_EQ(typed->getGeomExtents(e), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(e, ZcGePoint3d(-5, 2, 0), ZcGePoint3d(20, 30, 0)));
    // Without a transform of its own the class refuses transformBy.
    EXPECT_EQ(typed->transformBy(ZcGeMatrix3d::translation(ZcGeVector3d(1, 0, 0))), Zcad::eNotApplicable);
}

TEST(CustomEntities, LiveInADatabaseAndSurviveWblock)
{
    Sample_Marker::rxInit();
    Test_Drawing d;
    auto* marker = new Sample_Marker();
    marker->number = 3;
    ZcDbObjectId id = d.add(marker);
    ZcDbObjectPointer<Sample_Marker> opened(id);
    ASSERT_EQ(opened.openStatus(), Zcad::eOk);
    EXPECT_EQ(opened->number, 3);
    opened.close();
    ZcDbObjectIdArray ids;
    ids.append(id);
    ZcDbDatabase* out = nullptr;
    ASSERT_EQ(d.db->wblock(out, ids, ZcGePoint3d(0, 0, 0)), Zcad::eOk);
    std::unique_ptr<ZcDbDatabase> owned(out);
    ZcDbObjectPointer<ZcDbBlockTableRecord> ms(out->modelSpaceId());
    ASSERT_EQ(ms->entityIds().size(), 1u);
    ZcDbObjectPointer<Sample_Marker> copied(ms->entityIds()[0]);
    ASSERT_EQ(copied.openStatus(), Zcad::eOk);
    EXPECT_EQ(copied->number, 3);
}

}  // namespace

namespace {

TEST(BlockReferences, ListedByTheirBlockWhileNotErased)
{
    Test_Drawing d;
    ZcDbObjectId block = d.addBlock(L"B");
    ZcDbObjectId a = d.add(new ZcDbBlockReference(ZcGePoint3d(0, 0, 0), block));
    ZcDbObjectId b = d.add(new ZcDbBlockReference(ZcGePoint3d(5, 0, 0), block));
    {
        ZcDbObjectPointer<ZcDbBlockReference> ref(a, ZcDb::kForWrite);
        ref->erase();
    }
    ZcDbObjectPointer<ZcDbBlockTableRecord> btr(block);
    ZcDbObjectIdArray ids;
    ASSERT_EQ(btr->getBlockReferenceIds(ids), Zcad::eOk);
    ASSERT_EQ(ids.length(), 1);
    EXPECT_EQ(ids[0], b);
}

TEST(BlockReferences, MayNameABlockReadLaterFromAFile)
{
    Test_Drawing d;
    ZcDbObjectId later;
    ASSERT_EQ(d.db->getZcDbObjectId(later, true, ZcDbHandle(0x9999)), Zcad::eOk);
    ZcDbBlockReference ref;
    EXPECT_EQ(ref.setBlockTableRecord(later), Zcad::eOk);
    EXPECT_EQ(ref.setBlockTableRecord(d.db->layerTableId()), Zcad::eInvalidInput);
    EXPECT_EQ(ref.blockTableRecord(), later);
}

}  // namespace

namespace {

TEST(Explode, NonUniformScaleTakesBulgedPolylinesApart)
{
    Test_Drawing d;
    ZcDbObjectId block = d.addBlock(L"P");
    auto* pl = new ZcDbPolyline();
    pl->addVertexAt(0, ZcGePoint2d(0, 0), 1.0);  // half circle below, centre (1, 0), radius 1
    pl->addVertexAt(1, ZcGePoint2d(2, 0));
    pl->addVertexAt(2, ZcGePoint2d(2, 2));
    d.add(pl, block);
    ZcDbBlockReference ref(ZcGePoint3d(0, 0, 0), block);
    ref.setScaleFactors(ZcGeScale3d(1.0, 3.0, 1.0));
    Pieces pieces;
    ASSERT_EQ(ref.explode(pieces.set), Zcad::eOk);
    ASSERT_EQ(pieces.set.length(), 2);
    EXPECT_NE(ZcDbEllipse::cast(pieces.at(0)), nullptr);
    auto* line = ZcDbLine::cast(pieces.at(1));
    ASSERT_NE(line, nullptr);
    EXPECT_NEAR(line->endPoint().distanceTo(ZcGePoint3d(2, 6, 0)), 0.0, 1e-9);
    ZcDbExtents e;
    ASSERT_EQ(ref.getGeomExtents(e), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(e, ZcGePoint3d(0, -3, 0), ZcGePoint3d(2, 6, 0)));
}

}  // namespace

namespace {

class Modified_Counter : public ZcDbDatabaseReactor {
public:
    void objectModified(const ZcDbDatabase*, const ZcDbObject*) override { ++modified; }
    int modified = 0;
};

TEST(EntityProperties, RecordedGraphicsChangeCountsAsAModification)
{
    Test_Drawing d;
    ZcDbObjectId id = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    Modified_Counter counter;
    d.db->addReactor(&counter);
    ZcDbEntity* ent = nullptr;
    ASSERT_EQ(zcdbOpenZcDbEntity(ent, id, ZcDb::kForWrite), Zcad::eOk);
    ent->recordGraphicsModified(true);
    ASSERT_EQ(ent->downgradeOpen(), Zcad::eOk);
    EXPECT_EQ(ent->draw(), Zcad::eOk);
    ent->close();
    EXPECT_EQ(counter.modified, 1);
    d.db->removeReactor(&counter);
}

}  // namespace
