// Dictionaries, XRecords, extension dictionaries and extended data.
#include <gtest/gtest.h>

#include <cstring>

#include "db/dbdict.h"
#include "db_test_support.h"

namespace {

struct Chain {
    explicit Chain(resbuf* rb) : head(rb) {}
    ~Chain() { zcutRelRb(head); }
    resbuf* head;
};

TEST(Dictionaries, SetGetRemoveIgnoringCaseInNameOrder)
{
    Test_Drawing d;
    ZcDbDictionary* nod = nullptr;
    ASSERT_EQ(d.db->getNamedObjectsDictionary(nod, ZcDb::kForWrite), Zcad::eOk);
    auto* mine = new ZcDbDictionary();
    ZcDbObjectId mineId;
    ASSERT_EQ(nod->setAt(L"KV_Settings", mine, mineId), Zcad::eOk);
    mine->close();
    ZcDbObjectId found;
    EXPECT_EQ(nod->getAt(L"kv_settings", found), Zcad::eOk);
    EXPECT_EQ(found, mineId);
    nod->close();

    ZcDbObjectPointer<ZcDbDictionary> dict(mineId, ZcDb::kForWrite);
    ASSERT_EQ(dict.openStatus(), Zcad::eOk);
    for (const wchar_t* key : {L"b", L"A", L"c"}) {
        auto* x = new ZcDbXrecord();
        ZcDbObjectId id;
        ASSERT_EQ(dict->setAt(key, x, id), Zcad::eOk);
        x->close();
    }
    EXPECT_EQ(dict->numEntries(), 3u);
    std::vector<std::wstring> order;
    ZcDbDictionaryIterator* it = dict->newIterator();
    for (; !it->done(); it->next()) order.push_back(it->name());
    delete it;
    EXPECT_EQ(order, (std::vector<std::wstring>{L"A", L"b", L"c"}));

    ZcDbObjectId removed;
    ASSERT_EQ(dict->remove(L"B", removed), Zcad::eOk);
    EXPECT_FALSE(removed.isNull());
    EXPECT_FALSE(dict->has(L"b"));
    EXPECT_EQ(dict->remove(L"zzz"), Zcad::eKeyNotFound);
    EXPECT_EQ(dict->numEntries(), 2u);
}

TEST(Dictionaries, ReplacingAnEntryErasesTheOldObject)
{
    Test_Drawing d;
    ZcDbObjectPointer<ZcDbDictionary> nod(d.db->namedObjectsDictionaryId(), ZcDb::kForWrite);
    ZcDbObjectId first, second;
    auto* x1 = new ZcDbXrecord();
    ASSERT_EQ(nod->setAt(L"K", x1, first), Zcad::eOk);
    x1->close();
    auto* x2 = new ZcDbXrecord();
    ASSERT_EQ(nod->setAt(L"k", x2, second), Zcad::eOk);
    x2->close();
    EXPECT_TRUE(first.isErased());
    ZcDbObjectId now;
    nod->getAt(L"K", now);
    EXPECT_EQ(now, second);
}

TEST(Xrecords, ChainKeepsEveryCodeExactly)
{
    Test_Drawing d;
    ZcDbObjectId lineId = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    ads_name lineName = {lineId.asOldId(), 0};
    double point[3] = {1.5, -2.25, 3.0};
    resbuf* in = zcutBuildList(1, L"天正 text", 40, 12.345678901234, 90, int32_t(-70000), 10, point, 330, lineName,
                               1071, int32_t(123456789), 70, 3, 0);
    ASSERT_NE(in, nullptr);
    Chain input(in);

    ZcDbObjectPointer<ZcDbDictionary> nod(d.db->namedObjectsDictionaryId(), ZcDb::kForWrite);
    auto* x = new ZcDbXrecord();
    ZcDbObjectId xId;
    ASSERT_EQ(nod->setAt(L"DATA", x, xId), Zcad::eOk);
    ASSERT_EQ(x->setFromRbChain(*in), Zcad::eOk);
    x->close();
    nod.close();

    ZcDbObjectPointer<ZcDbXrecord> rec(xId);
    resbuf* out = nullptr;
    ASSERT_EQ(rec->rbChain(&out), Zcad::eOk);
    Chain output(out);
    const resbuf* a = in;
    const resbuf* b = out;
    int count = 0;
    for (; a && b; a = a->rbnext, b = b->rbnext, ++count) {
        ASSERT_EQ(a->restype, b->restype);
        switch (a->restype) {
        case 1: EXPECT_STREQ(a->resval.rstring, b->resval.rstring); break;
        case 40: EXPECT_EQ(a->resval.rreal, b->resval.rreal); break;
        case 90:
        case 1071: EXPECT_EQ(a->resval.rlong, b->resval.rlong); break;
        case 10: EXPECT_EQ(0, std::memcmp(a->resval.rpoint, b->resval.rpoint, sizeof(double) * 3)); break;
        case 330: EXPECT_EQ(a->resval.rlname[0], b->resval.rlname[0]); break;
        case 70: EXPECT_EQ(a->resval.rint, b->resval.rint); break;
        }
    }
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(b, nullptr);
    EXPECT_EQ(count, 7);
    ZcDbObjectId back;
    back.setFromOldId(out->rbnext->rbnext->rbnext->rbnext->resval.rlname[0]);
    EXPECT_EQ(back, lineId);
}

TEST(ExtensionDictionaries, CreatedOnceAndReleasedWhenEmpty)
{
    Test_Drawing d;
    ZcDbObjectId lineId = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    ZcDbObjectPointer<ZcDbLine> line(lineId, ZcDb::kForWrite);
    ASSERT_EQ(line->createExtensionDictionary(), Zcad::eOk);
    EXPECT_EQ(line->createExtensionDictionary(), Zcad::eAlreadyInDb);
    ZcDbObjectId ext = line->extensionDictionary();
    {
        ZcDbObjectPointer<ZcDbDictionary> dict(ext, ZcDb::kForWrite);
        EXPECT_EQ(dict->ownerId(), lineId);
        auto* x = new ZcDbXrecord();
        ZcDbObjectId id;
        dict->setAt(L"X", x, id);
        x->close();
    }
    EXPECT_EQ(line->releaseExtensionDictionary(), Zcad::eNotApplicable);
    {
        ZcDbObjectPointer<ZcDbDictionary> dict(ext, ZcDb::kForWrite);
        dict->remove(L"X");
    }
    EXPECT_EQ(line->releaseExtensionDictionary(), Zcad::eOk);
    EXPECT_TRUE(ext.isErased());
    EXPECT_TRUE(line->extensionDictionary().isNull());
}

TEST(ExtendedData, SectionsPerApplication)
{
    Test_Drawing d;
    {
        ZcDbRegAppTable* apps = nullptr;
        ASSERT_EQ(d.db->getRegAppTable(apps, ZcDb::kForWrite), Zcad::eOk);
        for (const wchar_t* name : {L"APP_A", L"APP_B"}) {
            auto* rec = new ZcDbRegAppTableRecord();
            rec->setName(name);
            apps->add(rec);
            rec->close();
        }
        apps->close();
    }
    ZcDbObjectId lineId = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    ZcDbObjectPointer<ZcDbLine> line(lineId, ZcDb::kForWrite);
    Chain unknown(zcutBuildList(1001, L"NOT_REGISTERED", 1000, L"x", 0));
    EXPECT_EQ(line->setXData(unknown.head), Zcad::eKeyNotFound);
    Chain both(zcutBuildList(1001, L"APP_A", 1000, L"a", 1070, 5, 1001, L"APP_B", 1040, 2.5, 0));
    ASSERT_EQ(line->setXData(both.head), Zcad::eOk);
    Chain replaceA(zcutBuildList(1001, L"app_a", 1000, L"a2", 0));
    ASSERT_EQ(line->setXData(replaceA.head), Zcad::eOk);
    Chain onlyA(line->xData(L"APP_A"));
    ASSERT_NE(onlyA.head, nullptr);
    ASSERT_NE(onlyA.head->rbnext, nullptr);
    EXPECT_STREQ(onlyA.head->rbnext->resval.rstring, L"a2");
    EXPECT_EQ(onlyA.head->rbnext->rbnext, nullptr);
    Chain onlyB(line->xData(L"APP_B"));
    ASSERT_NE(onlyB.head, nullptr);
    EXPECT_EQ(onlyB.head->rbnext->resval.rreal, 2.5);
    // A section holding only its application name removes that application's data.
    Chain removeB(zcutBuildList(1001, L"APP_B", 0));
    ASSERT_EQ(line->setXData(removeB.head), Zcad::eOk);
    EXPECT_EQ(line->xData(L"APP_B"), nullptr);
}

}  // namespace
