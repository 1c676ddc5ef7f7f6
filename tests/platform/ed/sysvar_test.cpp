#include "ed_fixture.h"

#include <cmath>

#include "db/dblayout.h"
#include "db/dbimage.h"
#include "db/dbviewport.h"

using namespace ed_test;

namespace {

using SysvarTest = ReactorTest;

resbuf Short_Value(short v)
{
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = v;
    return rb;
}

std::wstring Text_Var(const wchar_t* name)
{
    resbuf rb{};
    if (zcedGetVar(name, &rb) != RTNORM || rb.restype != RTSTR)
        return L"<none>";
    std::wstring text = rb.resval.rstring;
    delete[] rb.resval.rstring;
    return text;
}

int Short_Var(const wchar_t* name)
{
    resbuf rb{};
    if (zcedGetVar(name, &rb) != RTNORM || rb.restype != RTSHORT)
        return -999;
    return rb.resval.rint;
}

TEST_F(SysvarTest, DefaultsAndTypes)
{
    struct Case {
        const wchar_t* name;
        short type;
        int value;            // short values
        const wchar_t* text;  // string values
    };
    const Case cases[] = {
        {L"CMDECHO", RTSHORT, 1, nullptr},     {L"filedia", RTSHORT, 1, nullptr},
        {L"CMDDIA", RTSHORT, 1, nullptr},      {L"PDFSHX", RTSHORT, 1, nullptr},
        {L"EPDFSHX", RTSHORT, 1, nullptr},     {L"BACKGROUNDPLOT", RTSHORT, 2, nullptr},
        {L"PICKFIRST", RTSHORT, 1, nullptr},   {L"SDI", RTSHORT, 0, nullptr},
        {L"TILEMODE", RTSHORT, 1, nullptr},    {L"CVPORT", RTSHORT, 2, nullptr},
        {L"USERI3", RTSHORT, 0, nullptr},      {L"DBMOD", RTSHORT, 0, nullptr},
        {L"CTAB", RTSTR, 0, L"Model"},         {L"VerNum", RTSTR, 0, L"25.00 (2025)"},
        {L"DWGNAME", RTSTR, 0, L"plan.dxf"},   {L"DWGPREFIX", RTSTR, 0, L"C:\\work\\"},
        {L"USERS5", RTSTR, 0, L""},            {L"USERR1", RTREAL, 0, nullptr},
        {L"SCREENSIZE", RTPOINT, 0, nullptr},  {L"VIEWCTR", RT3DPOINT, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name);
        resbuf rb{};
        ASSERT_EQ(zcedGetVar(c.name, &rb), RTNORM);
        EXPECT_EQ(rb.restype, c.type);
        if (c.type == RTSHORT) {
            EXPECT_EQ(rb.resval.rint, c.value);
        }
        if (c.type == RTSTR) {
            EXPECT_STREQ(rb.resval.rstring, c.text);
            delete[] rb.resval.rstring;
        }
    }
    resbuf rb{};
    EXPECT_EQ(zcedGetVar(L"NOSUCHVAR", &rb), RTERROR);
}

TEST_F(SysvarTest, SettingNotifiesWithTheOutcome)
{
    resbuf zero = Short_Value(0);
    EXPECT_EQ(zcedSetVar(L"cmdecho", &zero), RTNORM);
    EXPECT_EQ(Short_Var(L"CMDECHO"), 0);
    resbuf five = Short_Value(5);
    EXPECT_EQ(zcedSetVar(L"CMDECHO", &five), RTERROR);  // out of range
    resbuf text{};
    text.restype = RTSTR;
    text.resval.rstring = const_cast<wchar_t*>(L"1");
    EXPECT_EQ(zcedSetVar(L"FILEDIA", &text), RTERROR);  // wrong type
    EXPECT_EQ(Short_Var(L"CMDECHO"), 0);
    EXPECT_EQ(reactor.log, (std::vector<std::wstring>{L"varWill:CMDECHO", L"varChanged:CMDECHO:1",
                                                      L"varWill:CMDECHO", L"varChanged:CMDECHO:0",
                                                      L"varWill:FILEDIA", L"varChanged:FILEDIA:0"}));
}

TEST_F(SysvarTest, ReadOnlyAndUnknownAreRefusedSilently)
{
    resbuf text{};
    text.restype = RTSTR;
    text.resval.rstring = const_cast<wchar_t*>(L"x");
    resbuf one = Short_Value(1);
    for (const wchar_t* name : {L"DWGNAME", L"DWGPREFIX", L"VERNUM", L"ACADVER", L"UCSNAME"})
        EXPECT_EQ(zcedSetVar(name, &text), RTERROR) << name;
    EXPECT_EQ(zcedSetVar(L"DBMOD", &one), RTERROR);
    EXPECT_EQ(zcedSetVar(L"NOSUCHVAR", &one), RTERROR);
    EXPECT_TRUE(reactor.log.empty());
    // The host may set a read-only one (the flavour's version).
    resbuf version{};
    version.restype = RTSTR;
    version.resval.rstring = const_cast<wchar_t*>(L"21.00 (2021)");
    EXPECT_EQ(platform::Set_Var_By_Host(L"VERNUM", &version), RTNORM);
    EXPECT_EQ(Text_Var(L"VERNUM"), L"21.00 (2021)");
}

TEST_F(SysvarTest, EnvironmentSettings)
{
    wchar_t value[8];
    for (const wchar_t* name : {L"AutomaticPlotLog", L"PrinterConfigDir", L"printerdescdir", L"PrinterStyleSheetDir"}) {
        EXPECT_EQ(zcedGetEnv(name, value, 8), RTNORM) << name;
        EXPECT_STREQ(value, L"");
    }
    EXPECT_EQ(zcedGetEnv(L"NoSuchSetting", value, 8), RTERROR);
    EXPECT_EQ(zcedSetEnv(L"PrinterConfigDir", L"C:\\plotters"), RTNORM);
    EXPECT_EQ(zcedGetEnv(L"PRINTERCONFIGDIR", value, 8), RTNORM);
    EXPECT_STREQ(value, L"C:\\plot");  // cut to the buffer
    platform::Reset_Host_For_Tests();
    EXPECT_EQ(zcedGetEnv(L"PrinterConfigDir", value, 8), RTNORM);
    EXPECT_STREQ(value, L"");
}

class SpaceTest : public EdTest {
protected:
    ZcDbObjectId Layout_Block(const wchar_t* name)
    {
        ZcDbLayout* layout = nullptr;
        EXPECT_EQ(zcdbHostApplicationServices()->layoutManager()->getLayoutNamed(name, layout, ZcDb::kForRead, Db()),
                  Zcad::eOk);
        ZcDbObjectId block = layout->getBlockTableRecordId();
        layout->close();
        return block;
    }
    void Add_Floating_Viewport(const wchar_t* layoutName)
    {
        auto* viewport = new ZcDbViewport();
        viewport->setCenterPoint(ZcGePoint3d(100, 100, 0));
        viewport->setWidth(50);
        viewport->setHeight(50);
        Append(viewport, Layout_Block(layoutName));
    }
    ZcDbObjectIdArray Viewports(const wchar_t* name)
    {
        ZcDbLayout* layout = nullptr;
        zcdbHostApplicationServices()->layoutManager()->getLayoutNamed(name, layout, ZcDb::kForRead, Db());
        ZcDbObjectIdArray ids = layout->getViewportArray();
        layout->close();
        return ids;
    }
    std::wstring First_Layout()
    {
        ZcDbObjectIdArray tabs = zcdbHostApplicationServices()->layoutManager()->layoutsInTabOrder(Db());
        ZcDbObjectPointer<ZcDbLayout> layout(tabs[1], ZcDb::kForRead);
        std::wstring name;
        layout->getName(name);
        return name;
    }
};

TEST_F(SpaceTest, TilemodeCvportAndPspaceMatrix)
{
    // Model tab: no paper space to switch to.
    EXPECT_EQ(Short_Var(L"TILEMODE"), 1);
    EXPECT_EQ(Short_Var(L"CVPORT"), 2);
    EXPECT_EQ(zcedPspace(), RTERROR);
    EXPECT_EQ(zcedMspace(), RTERROR);

    // TILEMODE 0 goes to the first layout, in paper space.
    const std::wstring first = First_Layout();
    resbuf zero = Short_Value(0);
    ASSERT_EQ(zcedSetVar(L"TILEMODE", &zero), RTNORM);
    EXPECT_EQ(Text_Var(L"CTAB"), first);
    EXPECT_EQ(Short_Var(L"CVPORT"), 1);
    EXPECT_EQ(Db()->currentSpaceId(), Layout_Block(first.c_str()));
    EXPECT_EQ(zcedPspace(), RTNORM);
    EXPECT_EQ(Short_Var(L"CVPORT"), 1);

    // The layout's first activation gave it one floating viewport: model space through it.
    EXPECT_EQ(zcedMspace(), RTNORM);
    EXPECT_EQ(Short_Var(L"CVPORT"), 2);
    EXPECT_EQ(Db()->currentSpaceId(), Db()->modelSpaceId());
    resbuf three = Short_Value(3);
    EXPECT_EQ(zcedSetVar(L"CVPORT", &three), RTERROR);  // there is no second one
    Add_Floating_Viewport(first.c_str());
    EXPECT_EQ(zcedSetVar(L"CVPORT", &three), RTNORM);
    EXPECT_EQ(zcedPspace(), RTNORM);
    EXPECT_EQ(Short_Var(L"CVPORT"), 1);
    EXPECT_EQ(Db()->currentSpaceId(), Layout_Block(first.c_str()));

    // Without floating viewports there is no model space in the layout.
    for (const ZcDbObjectId& id : Viewports(first.c_str())) {
        ZcDbObjectPointer<ZcDbViewport> viewport(id, ZcDb::kForWrite);
        if (viewport->number() != 1)
            viewport->erase();
    }
    EXPECT_EQ(zcedMspace(), RTERROR);
    EXPECT_EQ(Short_Var(L"CVPORT"), 1);

    // Back to the model tab, CVPORT follows.
    resbuf one = Short_Value(1);
    ASSERT_EQ(zcedSetVar(L"TILEMODE", &one), RTNORM);
    EXPECT_EQ(Text_Var(L"CTAB"), L"Model");
    EXPECT_EQ(Short_Var(L"CVPORT"), 2);
    EXPECT_EQ(zcedSetVar(L"CVPORT", &three), RTERROR);
}

TEST_F(SpaceTest, CtabSwitchesAndTilemodeReturnsToTheLastLayout)
{
    ZcDbObjectId layoutId, blockId;
    ASSERT_EQ(zcdbHostApplicationServices()->layoutManager()->createLayout(L"Sheets", layoutId, blockId, Db()),
              Zcad::eOk);
    resbuf text{};
    text.restype = RTSTR;
    text.resval.rstring = const_cast<wchar_t*>(L"sheets");
    ASSERT_EQ(zcedSetVar(L"CTAB", &text), RTNORM);
    EXPECT_EQ(Short_Var(L"TILEMODE"), 0);
    EXPECT_EQ(Text_Var(L"CTAB"), L"Sheets");
    text.resval.rstring = const_cast<wchar_t*>(L"Model");
    ASSERT_EQ(zcedSetVar(L"CTAB", &text), RTNORM);
    EXPECT_EQ(Short_Var(L"TILEMODE"), 1);
    resbuf zero = Short_Value(0);
    ASSERT_EQ(zcedSetVar(L"TILEMODE", &zero), RTNORM);
    EXPECT_EQ(Text_Var(L"CTAB"), L"Sheets");
    text.resval.rstring = const_cast<wchar_t*>(L"NoSuchLayout");
    EXPECT_EQ(zcedSetVar(L"CTAB", &text), RTERROR);
    EXPECT_EQ(Text_Var(L"CTAB"), L"Sheets");
}

}  // namespace

namespace {

using ImageFrameTest = ed_test::EdTest;

int Raster_Frame(ZcDbDatabase* db)
{
    ZcDbRasterVariables* vars = nullptr;
    if (ZcDbRasterVariables::openRasterVariables(vars, ZcDb::kForRead, db) != Zcad::eOk)
        return -1;
    const int frame = vars->imageFrame();
    vars->close();
    return frame;
}

// IMAGEFRAME is the drawing's: each document has its own, kept in its raster variables.
TEST_F(ImageFrameTest, ImageFrameIsKeptInEachDrawingsRasterVariables)
{
    EXPECT_EQ(Short_Var(L"IMAGEFRAME"), 1);
    resbuf off = Short_Value(0);
    ASSERT_EQ(zcedSetVar(L"IMAGEFRAME", &off), RTNORM);
    EXPECT_EQ(Raster_Frame(Db()), 0);
    resbuf beyond = Short_Value(3);
    EXPECT_NE(zcedSetVar(L"IMAGEFRAME", &beyond), RTNORM);
    EXPECT_EQ(Short_Var(L"IMAGEFRAME"), 0);

    ASSERT_EQ(zcDocManager->appContextNewDocument(nullptr), Zcad::eOk);
    ZcApDocument* second = zcDocManager->curDocument();
    EXPECT_EQ(Short_Var(L"IMAGEFRAME"), 1);
    resbuf shown = Short_Value(2);
    ASSERT_EQ(zcedSetVar(L"IMAGEFRAME", &shown), RTNORM);
    EXPECT_EQ(zcDocManager->closeDocument(second), Zcad::eOk);
    EXPECT_EQ(Short_Var(L"IMAGEFRAME"), 0);
}

}  // namespace
