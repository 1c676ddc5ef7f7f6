// The host's plot-settings validator: reached through the host application services, it
// lets only what the devices and folders offer reach a layout's plot settings.
#include "db/dbdatabase.h"
#include "plot_fixture.h"

using namespace platform;

namespace plot_test {
namespace {

class Validator_Test : public PlotTest {
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        pdf = Write_Device(L"PDF", {{L"KV_A3", 420, 297, 1, 2, 3, 4}, {L"KV_A3T", 297, 420}});
        a3 = Canonical_Name(420, 297);
        a3t = Canonical_Name(297, 420);
    }
    std::wstring Cfg(const ZcDbPlotSettings& s) const
    {
        const wchar_t* name = nullptr;
        s.getPlotCfgName(name);
        return name;
    }
    std::wstring Media(const ZcDbPlotSettings& s) const
    {
        const wchar_t* name = nullptr;
        s.getCanonicalMediaName(name);
        return name;
    }
    std::wstring pdf, a3, a3t;
    ZcDbPlotSettings settings{true};
};

TEST_F(Validator_Test, HostServicesHandOutTheValidator)
{
    ASSERT_NE(Validator(), nullptr);
    ZcArray<const wchar_t*> devices;
    EXPECT_EQ(Validator()->plotDeviceList(devices), Zcad::eOk);
    ASSERT_EQ(devices.length(), 2);
    EXPECT_STREQ(devices[0], L"None");
    EXPECT_STREQ(devices[1], L"K_PDF.pc5");
}

TEST_F(Validator_Test, DeviceTakesItsFirstMediaUnlessTheCurrentOneIsOffered)
{
    ASSERT_EQ(Validator()->setPlotCfgName(&settings, L"k_pdf.pc5"), Zcad::eOk);
    EXPECT_EQ(Cfg(settings), L"K_PDF.pc5");
    EXPECT_EQ(Media(settings), a3);
    double w = 0, h = 0, l = 0, b = 0, r = 0, t = 0;
    settings.getPlotPaperSize(w, h);
    settings.getPlotPaperMargins(l, b, r, t);
    EXPECT_EQ((std::vector<double>{w, h, l, b, r, t}), (std::vector<double>{420, 297, 1, 2, 3, 4}));

    ASSERT_EQ(Validator()->setCanonicalMediaName(&settings, a3t.c_str()), Zcad::eOk);
    ASSERT_EQ(Validator()->setPlotCfgName(&settings, pdf.c_str()), Zcad::eOk);
    EXPECT_EQ(Media(settings), a3t);
    ASSERT_EQ(Validator()->setPlotCfgName(&settings, pdf.c_str(), a3.c_str()), Zcad::eOk);
    EXPECT_EQ(Media(settings), a3);
}

TEST_F(Validator_Test, UnknownDeviceOrMediaIsRefusedAndChangesNothing)
{
    ASSERT_EQ(Validator()->setPlotCfgName(&settings, pdf.c_str()), Zcad::eOk);
    EXPECT_EQ(Validator()->setPlotCfgName(&settings, L"K_DWF.pc5"), Zcad::eInvalidInput);
    EXPECT_EQ(Validator()->setPlotCfgName(&settings, pdf.c_str(), L"A1"), Zcad::eInvalidInput);
    EXPECT_EQ(Validator()->setCanonicalMediaName(&settings, L"A1"), Zcad::eInvalidInput);
    // The display name is not a canonical name.
    EXPECT_EQ(Validator()->setCanonicalMediaName(&settings, L"KV_A3T"), Zcad::eInvalidInput);
    EXPECT_EQ(Cfg(settings), L"K_PDF.pc5");
    EXPECT_EQ(Media(settings), a3);
    EXPECT_EQ(Validator()->setPlotCfgName(nullptr, pdf.c_str()), Zcad::eNullObjectPointer);
}

TEST_F(Validator_Test, MediaListsGiveCanonicalAndDisplayNamesInTheDevicesOrder)
{
    ASSERT_EQ(Validator()->setPlotCfgName(&settings, pdf.c_str()), Zcad::eOk);
    ZcArray<const wchar_t*> media;
    ASSERT_EQ(Validator()->canonicalMediaNameList(&settings, media), Zcad::eOk);
    ASSERT_EQ(media.length(), 2);
    EXPECT_EQ(std::wstring(media[0]), a3);
    EXPECT_EQ(std::wstring(media[1]), a3t);
    const wchar_t* display = nullptr;
    ASSERT_EQ(Validator()->getLocaleMediaName(&settings, media[1], display), Zcad::eOk);
    EXPECT_STREQ(display, L"KV_A3T");
    ASSERT_EQ(Validator()->getLocaleMediaName(&settings, 0, display), Zcad::eOk);
    EXPECT_STREQ(display, L"KV_A3");
    EXPECT_EQ(Validator()->getLocaleMediaName(&settings, 2, display), Zcad::eInvalidIndex);
    EXPECT_EQ(Validator()->getLocaleMediaName(&settings, L"KV_A3", display), Zcad::eInvalidInput);
}

TEST_F(Validator_Test, PlotFilesRewrittenBetweenCallsAreSeenAtOnce)
{
    ASSERT_EQ(Validator()->setPlotCfgName(&settings, pdf.c_str()), Zcad::eOk);
    Write_Device(L"PDF", {{L"KV_A0", 1189, 841}});
    Validator()->refreshLists(&settings);
    ZcArray<const wchar_t*> media;
    ASSERT_EQ(Validator()->canonicalMediaNameList(&settings, media), Zcad::eOk);
    ASSERT_EQ(media.length(), 1);
    EXPECT_EQ(Validator()->setCanonicalMediaName(&settings, Canonical_Name(1189, 841).c_str()), Zcad::eOk);
    EXPECT_EQ(Validator()->setCanonicalMediaName(&settings, a3.c_str()), Zcad::eInvalidInput);
}

TEST_F(Validator_Test, WindowTypeScaleAndUnitsAreChecked)
{
    ASSERT_EQ(Validator()->setPlotCfgName(&settings, pdf.c_str()), Zcad::eOk);
    EXPECT_EQ(Validator()->setPlotWindowArea(&settings, 5, 5, 5, 10), Zcad::eInvalidInput);
    EXPECT_EQ(Validator()->setPlotType(&settings, ZcDbPlotSettings::kWindow), Zcad::eInvalidInput);
    ASSERT_EQ(Validator()->setPlotWindowArea(&settings, 420.1, 297.1, -0.1, -0.1), Zcad::eOk);
    double x0, y0, x1, y1;
    settings.getPlotWindowArea(x0, y0, x1, y1);
    EXPECT_EQ((std::vector<double>{x0, y0, x1, y1}), (std::vector<double>{-0.1, -0.1, 420.1, 297.1}));
    EXPECT_EQ(Validator()->setPlotType(&settings, ZcDbPlotSettings::kWindow), Zcad::eOk);
    EXPECT_EQ(Validator()->setPlotType(&settings, ZcDbPlotSettings::kLayout), Zcad::eInvalidInput);
    EXPECT_EQ(Validator()->setPlotType(&settings, ZcDbPlotSettings::kView), Zcad::eInvalidInput);
    EXPECT_EQ(settings.plotType(), ZcDbPlotSettings::kWindow);

    EXPECT_EQ(Validator()->setCustomPrintScale(&settings, 0, 100), Zcad::eInvalidInput);
    ASSERT_EQ(Validator()->setUseStandardScale(&settings, true), Zcad::eOk);
    ASSERT_EQ(Validator()->setCustomPrintScale(&settings, 1, 100), Zcad::eOk);
    EXPECT_FALSE(settings.useStandardScale());

    EXPECT_EQ(Validator()->setPlotPaperUnits(&settings, ZcDbPlotSettings::kPixels), Zcad::eInvalidInput);
    Write_Device(L"PNG", {{L"KV_A3", 420, 297}});
    ASSERT_EQ(Validator()->setPlotCfgName(&settings, L"K_PNG.pc5"), Zcad::eOk);
    EXPECT_EQ(Validator()->setPlotPaperUnits(&settings, ZcDbPlotSettings::kPixels), Zcad::eOk);
    // Back on a vector device the pixels give way to millimetres.
    ASSERT_EQ(Validator()->setPlotCfgName(&settings, pdf.c_str()), Zcad::eOk);
    EXPECT_EQ(settings.plotPaperUnits(), ZcDbPlotSettings::kMillimeters);
}

TEST_F(Validator_Test, StyleSheetsMustBeFoundInTheStyleFolders)
{
    Add_Style_Table(L"黑白.ctb");
    Add_Style_Table(L"acad.stb");
    ZcArray<const wchar_t*> styles;
    ASSERT_EQ(Validator()->plotStyleSheetList(styles), Zcad::eOk);
    ASSERT_EQ(styles.length(), 2);
    EXPECT_STREQ(styles[0], L"acad.stb");
    EXPECT_STREQ(styles[1], L"黑白.ctb");
    const wchar_t* current = nullptr;
    EXPECT_EQ(Validator()->setCurrentStyleSheet(&settings, L"黑白.CTB"), Zcad::eOk);
    settings.getCurrentStyleSheet(current);
    EXPECT_STREQ(current, L"黑白.ctb");
    EXPECT_EQ(Validator()->setCurrentStyleSheet(&settings, L"彩色.ctb"), Zcad::eInvalidInput);
    settings.getCurrentStyleSheet(current);
    EXPECT_STREQ(current, L"黑白.ctb");
    EXPECT_EQ(Validator()->setCurrentStyleSheet(&settings, L""), Zcad::eOk);
    settings.getCurrentStyleSheet(current);
    EXPECT_STREQ(current, L"");
}

TEST_F(Validator_Test, LayoutOpenedForReadIsNotChanged)
{
    ZcDbLayoutManager* layouts = zcdbHostApplicationServices()->layoutManager();
    ZcDbLayout* layout = nullptr;
    ASSERT_EQ(layouts->getLayoutNamed(L"Model", layout, ZcDb::kForRead, Db()), Zcad::eOk);
    EXPECT_EQ(Validator()->setPlotCfgName(layout, pdf.c_str()), Zcad::eNotOpenForWrite);
    layout->close();
    With_Active_Layout([&](ZcDbLayout& l) { EXPECT_EQ(Validator()->setPlotCfgName(&l, pdf.c_str()), Zcad::eOk); });
    ASSERT_EQ(layouts->getLayoutNamed(L"Model", layout, ZcDb::kForRead, Db()), Zcad::eOk);
    EXPECT_EQ(Cfg(*layout), pdf);
    layout->close();
}

}  // namespace
}  // namespace plot_test
