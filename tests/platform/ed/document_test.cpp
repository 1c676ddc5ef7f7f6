#include "ed_fixture.h"

using namespace ed_test;

namespace {

class DocumentTest : public EdTest {};

struct DocReactor : ZcApDocManagerReactor {
    std::vector<std::wstring> log;
    void documentCreated(ZcApDocument* d) override { log.push_back(L"created:" + std::wstring(d->docTitle())); }
    void documentToBeDestroyed(ZcApDocument* d) override { log.push_back(L"destroy:" + std::wstring(d->docTitle())); }
    void documentToBeActivated(ZcApDocument* d) override { log.push_back(L"activate:" + std::wstring(d->docTitle())); }
    void documentToBeDeactivated(ZcApDocument* d) override { log.push_back(L"deactivate:" + std::wstring(d->docTitle())); }
    void documentLockModeChanged(ZcApDocument*, ZcAp::DocLockMode, ZcAp::DocLockMode now, ZcAp::DocLockMode,
                                 const wchar_t*) override
    {
        log.push_back(L"lock:" + std::to_wstring(now));
    }
};

TEST_F(DocumentTest, CurrentDocumentAndWorkingDatabase)
{
    EXPECT_EQ(zcDocManager->curDocument(), doc);
    EXPECT_EQ(zcDocManager->mdiActiveDocument(), doc);
    EXPECT_EQ(zcDocManager->documentCount(), 1);
    EXPECT_STREQ(doc->docTitle(), L"plan.dxf");
    EXPECT_STREQ(doc->fileName(), L"C:\\work\\plan.dxf");
    EXPECT_EQ(zcdbHostApplicationServices()->workingDatabase(), doc->database());
    EXPECT_EQ(zcDocManager->document(doc->database()), doc);
}

TEST_F(DocumentTest, OpeningAndClosingNotifyAndMoveTheWorkingDatabase)
{
    DocReactor reactor;
    zcDocManager->addReactor(&reactor);
    ASSERT_EQ(zcDocManager->appContextNewDocument(nullptr), Zcad::eOk);
    ZcApDocument* second = zcDocManager->curDocument();
    ASSERT_NE(second, doc);
    EXPECT_EQ(zcdbHostApplicationServices()->workingDatabase(), second->database());
    EXPECT_EQ(zcDocManager->closeDocument(second), Zcad::eOk);
    EXPECT_EQ(zcDocManager->curDocument(), doc);
    EXPECT_EQ(zcdbHostApplicationServices()->workingDatabase(), doc->database());
    std::wstring title = L"Drawing1.dxf";
    EXPECT_EQ(reactor.log, (std::vector<std::wstring>{L"deactivate:plan.dxf", L"activate:" + title,
                                                      L"created:" + title, L"destroy:" + title,
                                                      L"activate:plan.dxf"}));
    EXPECT_EQ(zcDocManager->closeDocument(second), Zcad::eInvalidInput);
    zcDocManager->removeReactor(&reactor);
}

TEST_F(DocumentTest, LocksNestAndUnlockInReverse)
{
    DocReactor reactor;
    zcDocManager->addReactor(&reactor);
    EXPECT_EQ(doc->lockMode(), ZcAp::kNotLocked);
    {
        ZcAxDocLock outer;
        EXPECT_EQ(outer.lockStatus(), Zcad::eOk);
        {
            ZcAxDocLock inner(doc, ZcAp::kRead);
            EXPECT_EQ(doc->lockMode(), ZcAp::kRead);
            EXPECT_EQ(doc->lockCount(), 2);
        }
        EXPECT_EQ(doc->lockMode(), ZcAp::kWrite);
    }
    EXPECT_EQ(doc->lockMode(), ZcAp::kNotLocked);
    EXPECT_EQ(zcDocManager->unlockDocument(doc), Zcad::eNotApplicable);
    EXPECT_EQ(reactor.log, (std::vector<std::wstring>{L"lock:4", L"lock:32", L"lock:4", L"lock:2"}));
    zcDocManager->removeReactor(&reactor);
}

TEST_F(DocumentTest, IteratorVisitsEveryDocument)
{
    zcDocManager->appContextNewDocument(nullptr);
    ZcApDocumentIterator* it = zcDocManager->newIterator();
    int n = 0;
    for (; !it->done(); it->step())
        ++n;
    delete it;
    EXPECT_EQ(n, 2);
}

TEST_F(DocumentTest, OpeningWithoutADrawingReaderReportsIt)
{
    // No drawing-file layer is linked into this test.
    EXPECT_EQ(zcDocManager->appContextOpenDocument(L"C:\\none.dxf"), Zcad::eNotImplemented);
    EXPECT_EQ(zcDocManager->documentCount(), 1);
}

}  // namespace

namespace {

TEST_F(DocumentTest, UcsIsKeptPerDocumentAndTranslatesPoints)
{
    ZcGeMatrix3d shifted;
    shifted.setToTranslation(ZcGeVector3d(10, 0, 0));
    ASSERT_EQ(zcedSetCurrentUCS(shifted), Zcad::eOk);
    resbuf ucs{}, world{};
    ucs.restype = world.restype = RTSHORT;
    ucs.resval.rint = 1;
    world.resval.rint = 0;
    ads_point origin = {0, 0, 0}, out;
    ASSERT_EQ(zcedTrans(origin, &ucs, &world, 0, out), RTNORM);
    EXPECT_DOUBLE_EQ(out[0], 10.0);
    ASSERT_EQ(zcedTrans(origin, &ucs, &world, 1, out), RTNORM);  // a displacement does not move
    EXPECT_DOUBLE_EQ(out[0], 0.0);
    resbuf bad{};
    bad.restype = RTSHORT;
    bad.resval.rint = 7;
    EXPECT_EQ(zcedTrans(origin, &bad, &world, 0, out), RTERROR);

    zcDocManager->appContextNewDocument(nullptr);
    ZcGeMatrix3d other;
    EXPECT_TRUE(zcedGetCurrentUCS(other));
    EXPECT_TRUE(other.isEqualTo(ZcGeMatrix3d()));
    zcDocManager->setCurDocument(doc);
    zcedGetCurrentUCS(other);
    EXPECT_TRUE(other.isEqualTo(shifted));
}

}  // namespace

namespace {

using SendStringTest = ed_test::EdTest;

TEST_F(SendStringTest, CallsAreLoggedOneByOne)
{
    ASSERT_EQ(zcDocManager->sendStringToExecute(doc, L"\x03\x03", false, true, false), Zcad::eOk);
    ASSERT_EQ(zcDocManager->sendStringToExecute(doc, L"NEXT_STEP\n"), Zcad::eOk);
    EXPECT_EQ(zcDocManager->sendStringToExecute(doc, nullptr), Zcad::eInvalidInput);

    const auto& sent = platform::Sent_Strings();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].document, doc);
    EXPECT_EQ(sent[0].text, L"\x03\x03");
    EXPECT_FALSE(sent[0].activate);
    EXPECT_TRUE(sent[0].wrapUpInactiveDoc);
    EXPECT_FALSE(sent[0].echo);
    EXPECT_EQ(sent[1].text, L"NEXT_STEP\n");
    EXPECT_TRUE(sent[1].activate);
    EXPECT_FALSE(sent[1].wrapUpInactiveDoc);
    EXPECT_TRUE(sent[1].echo);
    EXPECT_EQ(sent[2].text, L"");

    platform::Reset_Host_For_Tests();
    EXPECT_TRUE(platform::Sent_Strings().empty());
}

}  // namespace
