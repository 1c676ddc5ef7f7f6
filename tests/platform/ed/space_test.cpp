#include "ed_fixture.h"

#include "db/dbsymtb.h"

namespace {

int Var_Int(const wchar_t* name)
{
    resbuf rb{};
    return zcedGetVar(name, &rb) == RTNORM ? rb.resval.rint : -1;
}

int Set_Short(const wchar_t* name, int value)
{
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(value);
    return zcedSetVar(name, &rb);
}

// A document made by the document manager, as the host session makes one.
class NewDocumentSpace : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::Reset_Host_For_Tests();
        ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
        db = zcDocManager->curDocument()->database();
    }
    void TearDown() override { platform::Reset_Host_For_Tests(); }
    ZcDbDatabase* db = nullptr;
};

TEST_F(NewDocumentSpace, LeavingTheModelTabOpensTheLayoutInPaperSpace)
{
    ASSERT_EQ(Set_Short(L"TILEMODE", 0), RTNORM);
    EXPECT_EQ(Var_Int(L"TILEMODE"), 0);
    EXPECT_EQ(Var_Int(L"CVPORT"), 1);
    EXPECT_EQ(db->currentSpaceId(), db->paperSpaceId());

    // Back on the model tab and out again, after working in the layout's viewport.
    ASSERT_EQ(zcedMspace(), RTNORM);
    EXPECT_EQ(Var_Int(L"CVPORT"), 2);
    ASSERT_EQ(Set_Short(L"TILEMODE", 1), RTNORM);
    ASSERT_EQ(Set_Short(L"TILEMODE", 0), RTNORM);
    EXPECT_EQ(Var_Int(L"CVPORT"), 1);
    EXPECT_EQ(db->currentSpaceId(), db->paperSpaceId());
}

TEST_F(NewDocumentSpace, CtabToALayoutOpensItsPaperSpace)
{
    ASSERT_EQ(Set_Short(L"TILEMODE", 0), RTNORM);
    ASSERT_EQ(zcedMspace(), RTNORM);
    resbuf name{};
    ASSERT_EQ(zcedGetVar(L"CTAB", &name), RTNORM);
    std::wstring layout = name.resval.rstring;
    delete[] name.resval.rstring;
    ASSERT_EQ(Set_Short(L"TILEMODE", 1), RTNORM);

    resbuf value{};
    value.restype = RTSTR;
    value.resval.rstring = layout.data();
    ASSERT_EQ(zcedSetVar(L"CTAB", &value), RTNORM);
    EXPECT_EQ(Var_Int(L"CVPORT"), 1);
}

}  // namespace
