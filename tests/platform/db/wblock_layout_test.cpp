// wblock / insert round trips and the layout manager.
#include <gtest/gtest.h>

#include <memory>

#include "db/dbdict.h"
#include "db/dblayout.h"
#include "db/dbspfilt.h"
#include "db/idmap.h"
#include "db_test_support.h"

namespace {

std::wstring Block_Name(ZcDbObjectId id)
{
    ZcDbObjectPointer<ZcDbBlockTableRecord> btr(id);
    return btr.openStatus() == Zcad::eOk ? btr->name() : L"";
}

// A drawing with a title block "TB" (frame lines and an attribute definition) referenced once
// in model space on layer "Frame", with its attribute filled.
struct Title_Block_Drawing : Test_Drawing {
    Title_Block_Drawing()
    {
        frameLayer = addLayer(L"Frame");
        block = addBlock(L"TB");
        add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(100, 0, 0)), block);
        add(new ZcDbLine(ZcGePoint3d(100, 0, 0), ZcGePoint3d(100, 50, 0)), block);
        auto* def = new ZcDbAttributeDefinition(ZcGePoint3d(10, 10, 0), L"-", L"NAME", L"Name?");
        def->setHeight(3.0);
        defId = add(def, block);
        auto* ref = new ZcDbBlockReference(ZcGePoint3d(20, 30, 0), block);
        ref->setLayer(frameLayer);
        refId = add(ref);
        ZcDbObjectPointer<ZcDbBlockReference> r(refId, ZcDb::kForWrite);
        ZcDbObjectPointer<ZcDbAttributeDefinition> d(defId);
        auto* att = new ZcDbAttribute();
        att->setAttributeFromBlock(d.object(), r->blockTransform());
        att->setTextString(L"Drawing 1");
        r->appendAttribute(att);
        att->close();
    }
    // The title block reference written out with the base point (70, 55).
    std::unique_ptr<ZcDbDatabase> wblockReference()
    {
        ZcDbObjectIdArray ids;
        ids.append(refId);
        ZcDbDatabase* out = nullptr;
        EXPECT_EQ(db->wblock(out, ids, ZcGePoint3d(70, 55, 0)), Zcad::eOk);
        return std::unique_ptr<ZcDbDatabase>(out);
    }

    ZcDbObjectId frameLayer, block, defId, refId;
};

TEST(Wblock, CopiesEntitiesWithTheirBlocksLayersAndAttributes)
{
    Title_Block_Drawing src;
    std::unique_ptr<ZcDbDatabase> wdb = src.wblockReference();
    ASSERT_NE(wdb, nullptr);
    EXPECT_EQ(wdb->insbase(), ZcGePoint3d(70, 55, 0));

    ZcDbObjectPointer<ZcDbBlockTableRecord> ms(wdb->modelSpaceId());
    ASSERT_EQ(ms->entityIds().size(), 1u);
    ZcDbObjectPointer<ZcDbBlockReference> ref(ms->entityIds()[0]);
    ASSERT_EQ(ref.openStatus(), Zcad::eOk);
    EXPECT_EQ(ref->database(), wdb.get());
    EXPECT_EQ(Block_Name(ref->blockTableRecord()), L"TB");
    EXPECT_EQ(ref->blockTableRecord().database(), wdb.get());
    wchar_t* layer = ref->layer();
    EXPECT_STREQ(layer, L"Frame");
    delete[] layer;
    EXPECT_EQ(ref->layerId().database(), wdb.get());
    std::unique_ptr<ZcDbObjectIterator> it(ref->attributeIterator());
    ASSERT_FALSE(it->done());
    ZcDbObjectPointer<ZcDbAttribute> att(it->objectId());
    ASSERT_EQ(att.openStatus(), Zcad::eOk);
    EXPECT_STREQ(att->textStringConst(), L"Drawing 1");
    EXPECT_STREQ(att->tagConst(), L"NAME");
    ZcDbObjectPointer<ZcDbBlockTableRecord> tb(ref->blockTableRecord());
    EXPECT_EQ(tb->entityIds().size(), 3u);
    EXPECT_TRUE(tb->hasAttributeDefinitions());
    // The source is untouched.
    ZcDbObjectPointer<ZcDbBlockTableRecord> srcMs(src.db->modelSpaceId());
    EXPECT_EQ(srcMs->entityIds().size(), 1u);
}

TEST(Wblock, InsertMakesABlockAtTheSourceBase)
{
    Title_Block_Drawing src;
    std::unique_ptr<ZcDbDatabase> wdb = src.wblockReference();
    ASSERT_NE(wdb, nullptr);

    ZcDbDatabase target;
    ZcDbObjectId blockId;
    ASSERT_EQ(target.insert(blockId, L"K_TK_BK202612101300", wdb.get()), Zcad::eOk);
    ZcDbObjectPointer<ZcDbBlockTableRecord> block(blockId);
    ASSERT_EQ(block.openStatus(), Zcad::eOk);
    EXPECT_STREQ(block->name(), L"K_TK_BK202612101300");
    EXPECT_EQ(block->origin(), ZcGePoint3d(70, 55, 0));
    ASSERT_EQ(block->entityIds().size(), 1u);
    ZcDbObjectPointer<ZcDbBlockReference> inner(block->entityIds()[0]);
    EXPECT_EQ(Block_Name(inner->blockTableRecord()), L"TB");
    // A reference of the new block at the origin puts the title block's centre where asked.
    ZcDbBlockReference placed(ZcGePoint3d(0, 0, 0), blockId);
    ZcDbExtents e;
    ASSERT_EQ(placed.getGeomExtents(e), Zcad::eOk);
    EXPECT_NEAR(e.minPoint().x, 20 - 70, 1e-9);
    EXPECT_NEAR(e.maxPoint().x, 120 - 70, 1e-9);
    EXPECT_EQ(target.insert(blockId, L"K_TK_BK202612101300", wdb.get()), Zcad::eDuplicateRecordName);
    EXPECT_EQ(target.insert(blockId, L"bad|name", wdb.get()), Zcad::eInvalidInput);
}

TEST(Wblock, DeepCloneWithinTheDatabase)
{
    Title_Block_Drawing src;
    ZcDbObjectIdArray ids;
    ids.append(src.refId);
    ZcDbIdMapping map;
    ASSERT_EQ(src.db->deepCloneObjects(ids, src.db->modelSpaceId(), map), Zcad::eOk);
    ZcDbIdPair pair(src.refId, ZcDbObjectId(), false);
    ASSERT_TRUE(map.compute(pair));
    EXPECT_TRUE(pair.isCloned());
    EXPECT_NE(pair.value(), src.refId);
    ZcDbObjectPointer<ZcDbBlockReference> copy(pair.value());
    EXPECT_EQ(copy->blockTableRecord(), src.block);
    ZcDbObjectPointer<ZcDbBlockTableRecord> tb(src.block);
    ZcDbObjectIdArray refs;
    tb->getBlockReferenceIds(refs);
    EXPECT_EQ(refs.length(), 2);
}

TEST(Layouts, SwitchingTheCurrentLayout)
{
    ZcDbDatabase db;
    ZcDbLayoutManager* lm = zcdbHostApplicationServices()->layoutManager();
    EXPECT_STREQ(lm->findActiveLayout(true, &db), L"Model");
    EXPECT_STREQ(lm->findActiveLayout(false, &db), L"Layout1");
    ZcDbObjectId layout2Block;
    {
        ZcDbLayout* layout = nullptr;
        ASSERT_EQ(lm->getLayoutNamed(L"layout2", layout, ZcDb::kForRead, &db), Zcad::eOk);
        layout2Block = layout->getBlockTableRecordId();
        layout->close();
    }
    ASSERT_EQ(lm->setCurrentLayout(L"Layout2", &db), Zcad::eOk);
    EXPECT_FALSE(db.tilemode());
    EXPECT_STREQ(lm->findActiveLayout(true, &db), L"Layout2");
    EXPECT_EQ(db.paperSpaceId(), layout2Block);
    EXPECT_EQ(db.currentSpaceId(), layout2Block);
    EXPECT_EQ(Block_Name(layout2Block), L"*Paper_Space");
    EXPECT_EQ(lm->getActiveLayoutBTRId(&db), layout2Block);
    {
        ZcDbLayout* layout = nullptr;
        ASSERT_EQ(lm->getLayoutNamed(L"Layout2", layout, ZcDb::kForRead, &db), Zcad::eOk);
        EXPECT_EQ(layout->getViewportArray().length(), 2);
        layout->close();
        ASSERT_EQ(lm->getLayoutNamed(L"Layout1", layout, ZcDb::kForRead, &db), Zcad::eOk);
        EXPECT_EQ(Block_Name(layout->getBlockTableRecordId()), L"*Paper_Space0");
        layout->close();
    }
    ASSERT_EQ(lm->setCurrentLayout(L"Model", &db), Zcad::eOk);
    EXPECT_TRUE(db.tilemode());
    EXPECT_EQ(db.currentSpaceId(), db.modelSpaceId());
    EXPECT_STREQ(lm->findActiveLayout(false, &db), L"Layout2");
    EXPECT_EQ(lm->setCurrentLayout(L"NoSuchLayout", &db), Zcad::eKeyNotFound);
}

TEST(Layouts, CreateRenameDelete)
{
    ZcDbDatabase db;
    ZcDbLayoutManager* lm = zcdbHostApplicationServices()->layoutManager();
    ZcDbObjectId layoutId, blockId;
    ASSERT_EQ(lm->createLayout(L"A3 Sheets", layoutId, blockId, &db), Zcad::eOk);
    EXPECT_EQ(lm->countLayouts(&db), 4);
    ZcDbObjectId otherLayout, otherBlock;
    EXPECT_EQ(lm->createLayout(L"a3 sheets", otherLayout, otherBlock, &db), Zcad::eDuplicateKey);
    EXPECT_EQ(lm->renameLayout(L"A3 Sheets", L"Layout1", &db), Zcad::eDuplicateKey);
    EXPECT_EQ(lm->renameLayout(L"A3 Sheets", L"bad:name", &db), Zcad::eInvalidInput);
    ASSERT_EQ(lm->renameLayout(L"A3 Sheets", L"A1", &db), Zcad::eOk);
    EXPECT_TRUE(lm->layoutExists(L"a1", &db));
    ZcDbObjectIdArray order = lm->layoutsInTabOrder(&db);
    ASSERT_EQ(order.length(), 4);
    EXPECT_EQ(order[3], layoutId);
    EXPECT_EQ(lm->deleteLayout(L"Model", &db), Zcad::eInvalidInput);
    // Deleting the current paper layout hands "*Paper_Space" to another layout.
    ASSERT_EQ(lm->setCurrentLayout(L"Layout1", &db), Zcad::eOk);
    ASSERT_EQ(lm->deleteLayout(L"Layout1", &db), Zcad::eOk);
    EXPECT_FALSE(lm->layoutExists(L"Layout1", &db));
    EXPECT_EQ(lm->countLayouts(&db), 3);
    EXPECT_FALSE(db.paperSpaceId().isNull());
    EXPECT_FALSE(db.paperSpaceId().isErased());
}

}  // namespace


namespace {

TEST(SpatialFilters, BoundsFollowTheReferenceAndLiveInItsExtensionDictionary)
{
    Test_Drawing d;
    ZcDbObjectId block = d.addBlock(L"X");
    d.add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(100, 100, 0)), block);
    auto* ref = new ZcDbBlockReference(ZcGePoint3d(10, 0, 0), block);
    ref->setScaleFactors(ZcGeScale3d(2.0));
    ZcDbObjectId refId = d.add(ref);
    ZcDbObjectPointer<ZcDbBlockReference> r(refId, ZcDb::kForWrite);
    ASSERT_EQ(r->createExtensionDictionary(), Zcad::eOk);
    ZcDbObjectPointer<ZcDbDictionary> ext(r->extensionDictionary(), ZcDb::kForWrite);
    auto* filters = new ZcDbDictionary();
    ZcDbObjectId filtersId;
    ASSERT_EQ(ext->setAt(L"ACAD_FILTER", filters, filtersId), Zcad::eOk);
    auto* filter = new ZcDbSpatialFilter();
    ZcGePoint2dArray corners;
    corners.append(ZcGePoint2d(40, 10));
    corners.append(ZcGePoint2d(20, 30));
    ASSERT_EQ(filter->setDefinition(corners, ZcGeVector3d::kZAxis, 0.0, 0.0, 0.0, true), Zcad::eOk);
    ZcDbObjectId filterId;
    ASSERT_EQ(filters->setAt(L"SPATIAL", filter, filterId), Zcad::eOk);
    filter->close();
    filters->close();

    ZcDbObjectPointer<ZcDbSpatialFilter> f(filterId);
    EXPECT_FALSE(f->isInverted());
    ZcDbExtents bounds;
    ASSERT_EQ(f->queryBounds(bounds, r.object()), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(bounds, ZcGePoint3d(50, 20, 0), ZcGePoint3d(90, 60, 0)));
    ASSERT_EQ(f->queryBounds(bounds), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(bounds, ZcGePoint3d(20, 10, 0), ZcGePoint3d(40, 30, 0)));
    ZcDbSpatialFilter empty;
    EXPECT_EQ(empty.queryBounds(bounds), Zcad::eInvalidExtents);
    ZcGePoint2dArray one;
    one.append(ZcGePoint2d(0, 0));
    EXPECT_EQ(empty.setDefinition(one, ZcGeVector3d::kZAxis, 0, 0, 0, true), Zcad::eInvalidInput);
}

}  // namespace
