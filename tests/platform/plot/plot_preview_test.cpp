// The preview engine: driven in the SDK's order over a validated plot info, it waits in
// endPage for the user's scripted choice and reports it.
#include <cairo.h>

#include <filesystem>

#include "db/dbdatabase.h"
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "ed/host_session.h"
#include "ed/host_window.h"
#include "ed/input.h"
#include "script/utf8.h"
#include "win/win_messages.h"
#include "plot/preview_log.h"
#include "plot/zcplplotengine.h"
#include "plot_fixture.h"

using namespace platform;

namespace plot_test {
namespace {

class Preview_Test : public PlotTest {
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        Preview_Log().clear();
        const std::wstring pdf = Write_Device(L"PDF", {{L"KV_A3", 420, 297}});
        With_Active_Layout([&](ZcDbLayout& layout) {
            ASSERT_EQ(Validator()->setPlotCfgName(&layout, pdf.c_str()), Zcad::eOk);
            settings = &layout;
            layout_id = layout.objectId();
        });
    }

    // The calls of a preview of one sheet, as the plot-settings helper makes them.
    ZcPlPreviewEndPlotInfo::PreviewStatus Preview(long flags)
    {
        ZcPlPlotEngine* engine = nullptr;
        EXPECT_EQ(ZcPlPlotFactory::createPreviewEngine(engine, flags), Zcad::eOk);
        ZcPlPlotPageInfo page;
        ZcPlPlotInfo info;
        info.setLayout(layout_id);
        info.setOverrideSettings(settings);
        ZcPlPlotInfoValidator validator;
        validator.setMediaMatchingPolicy(ZcPlPlotInfoValidator::kMatchEnabledCustom);
        EXPECT_EQ(validator.validate(info), Zcad::eOk);
        ZcPlPreviewEndPlotInfo end;
        EXPECT_EQ(engine->beginPlot(nullptr), Zcad::eOk);
        EXPECT_EQ(engine->beginDocument(info, L"C:\\work\\plan.dxf", nullptr, 1, false), Zcad::eOk);
        EXPECT_EQ(engine->beginPage(page, info, true), Zcad::eOk);
        EXPECT_EQ(engine->beginGenerateGraphics(), Zcad::eOk);
        EXPECT_EQ(engine->endGenerateGraphics(), Zcad::eOk);
        EXPECT_EQ(engine->endPage(&end), Zcad::eOk);
        EXPECT_EQ(engine->endDocument(), Zcad::eOk);
        EXPECT_EQ(engine->endPlot(), Zcad::eOk);
        engine->destroy();
        return end.mStatus;
    }

    ZcDbPlotSettings* settings = nullptr;  // the layout, closed: as the helper passes it
    ZcDbObjectId layout_id;
};

TEST_F(Preview_Test, EndPageReportsTheScriptedChoice)
{
    Script("answer next\nanswer Previous\nenter\nesc\nanswer plot\n");
    EXPECT_EQ(Preview(ZcPlPlotFactory::kShowNextSheet | ZcPlPlotFactory::kShowPreviousSheet),
              ZcPlPreviewEndPlotInfo::kNext);
    EXPECT_EQ(Preview(6), ZcPlPreviewEndPlotInfo::kPrevious);
    EXPECT_EQ(Preview(0), ZcPlPreviewEndPlotInfo::kNormal);
    EXPECT_EQ(Preview(0), ZcPlPreviewEndPlotInfo::kCancel);
    EXPECT_EQ(Preview(2), ZcPlPreviewEndPlotInfo::kPlot);
    EXPECT_EQ(Preview_Log()[0], L"create 6");
    EXPECT_EQ((std::vector<std::wstring>(Preview_Log().begin(), Preview_Log().begin() + 11)),
              (std::vector<std::wstring>{L"create 6", L"beginPlot", L"beginDocument plan.dxf copies=1 file=0",
                                         L"beginPage last=1", L"beginGenerateGraphics", L"endGenerateGraphics",
                                         L"endPage next", L"endDocument", L"endPlot", L"destroy", L"create 6"}));
}

TEST_F(Preview_Test, ASheetTheFlagsDoNotOfferIsAskedAgain)
{
    // Only the previous sheet is offered: "next" is refused, then the preview is closed.
    Script("answer next\nanswer close\n");
    EXPECT_EQ(Preview(ZcPlPlotFactory::kShowPreviousSheet), ZcPlPreviewEndPlotInfo::kNormal);
    EXPECT_NE(Output().find(L"The preview does not offer next."), std::wstring::npos);
    EXPECT_NE(Output().find(L"Preview [Close/Plot/Previous]: "), std::wstring::npos);
}

std::vector<WPARAM> gKeys;
void Watch_Keys(const MSG* message)
{
    if (message->message == WM_KEYDOWN)
        gKeys.push_back(message->wParam);
}

TEST_F(Preview_Test, KeysReachTheMessageWatchersWhileThePreviewWaits)
{
    gKeys.clear();
    ASSERT_TRUE(zcedRegisterWatchWinMsg(Watch_Keys));
    Script("key PAGEDOWN\nkey LEFT\nanswer close\n");
    EXPECT_EQ(Preview(ZcPlPlotFactory::kShowNextSheet), ZcPlPreviewEndPlotInfo::kNormal);
    zcedRemoveWatchWinMsg(Watch_Keys);
    EXPECT_EQ(gKeys, (std::vector<WPARAM>{VK_NEXT, VK_LEFT}));
}

// Columns of a PNG that hold any pixel darker than the paper.
std::vector<bool> Inked_Columns(const std::filesystem::path& png)
{
    cairo_surface_t* image = cairo_image_surface_create_from_png(png.c_str());
    std::vector<bool> inked;
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS) {
        const int width = cairo_image_surface_get_width(image), height = cairo_image_surface_get_height(image);
        const int stride = cairo_image_surface_get_stride(image);
        const unsigned char* data = cairo_image_surface_get_data(image);
        inked.assign(width, false);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const uint32_t pixel = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
                if ((pixel & 0xFF) < 0xC0 || ((pixel >> 8) & 0xFF) < 0xC0 || ((pixel >> 16) & 0xFF) < 0xC0)
                    inked[x] = true;
            }
    }
    cairo_surface_destroy(image);
    return inked;
}

TEST_F(Preview_Test, ASnapshotWhileThePreviewWaitsShowsThePagePlotted)
{
    // A line across the left part of a 200 x 100 window, fitted onto the 420 x 297 paper:
    // ink from 21 to 189 mm across, nothing right of the middle.
    ZcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(zcdbOpenObject(space, Db()->currentSpaceId(), ZcDb::kForWrite), Zcad::eOk);
    auto* line = new ZcDbLine(ZcGePoint3d(10, 50, 0), ZcGePoint3d(90, 50, 0));
    ASSERT_EQ(space->appendZcDbEntity(line), Zcad::eOk);
    line->close();
    space->close();
    With_Active_Layout([&](ZcDbLayout& layout) {
        ASSERT_EQ(Validator()->setPlotWindowArea(&layout, 0, 0, 200, 100), Zcad::eOk);
        ASSERT_EQ(Validator()->setPlotType(&layout, ZcDbPlotSettings::kWindow), Zcad::eOk);
        ASSERT_EQ(Validator()->setUseStandardScale(&layout, true), Zcad::eOk);
        ASSERT_EQ(Validator()->setStdScaleType(&layout, ZcDbPlotSettings::kScaleToFit), Zcad::eOk);
        ASSERT_EQ(Validator()->setPlotCentered(&layout, true), Zcad::eOk);
    });
    const std::filesystem::path shot = root / "preview.png";
    const std::string script = "snapshot \"" + shot.string() + "\"\nanswer close\n";
    Script(script.c_str());
    EXPECT_EQ(Preview(0), ZcPlPreviewEndPlotInfo::kNormal);
    const std::vector<bool> inked = Inked_Columns(shot);
    ASSERT_EQ(inked.size(), 1654u);  // 420 mm at 100 dpi
    const auto column = [](double mm) { return static_cast<size_t>(mm / 25.4 * 100); };
    EXPECT_TRUE(inked[column(100)]);
    EXPECT_TRUE(inked[column(185)]);
    for (double mm : {10.0, 195.0, 230.0, 300.0, 410.0})
        EXPECT_FALSE(inked[column(mm)]) << mm << " mm";
    EXPECT_EQ(Output().find(L"cannot draw"), std::wstring::npos) << platform::To_Utf8(Output());
}

TEST_F(Preview_Test, ASnapshotWithoutAPreviewIsRefused)
{
    // After the preview the step no longer reaches its image.
    Script("answer close\nsnapshot \"late.png\"\n");
    EXPECT_EQ(Preview(0), ZcPlPreviewEndPlotInfo::kNormal);
    ScriptInput& script = ScriptInput::instance();
    const Step step = script.take();
    const StepHandler* handler = Find_Step_Handler(StepKind::Snapshot, false);
    ASSERT_NE(handler, nullptr);
    EXPECT_THROW((*handler)(step), UnansweredInput);
    EXPECT_FALSE(std::filesystem::exists("late.png"));
}

TEST_F(Preview_Test, ValidationNeedsADeviceThatPlotsAndOneOfItsMedia)
{
    ZcPlPlotInfo info;
    info.setLayout(layout_id);
    ZcPlPlotInfoValidator validator;
    EXPECT_EQ(validator.validate(info), Zcad::eOk);
    ZcDbPlotSettings none(true);
    Validator()->setDefaultPlotConfig(&none);
    info.setOverrideSettings(&none);
    EXPECT_FALSE(info.isValidated());
    EXPECT_EQ(validator.validate(info), Zcad::eInvalidInput);
    EXPECT_FALSE(info.isValidated());
    // An engine does not take an info that is not validated.
    ZcPlPlotEngine* engine = nullptr;
    ASSERT_EQ(ZcPlPlotFactory::createPreviewEngine(engine), Zcad::eOk);
    ASSERT_EQ(engine->beginPlot(nullptr), Zcad::eOk);
    EXPECT_EQ(engine->beginDocument(info, L"plan.dxf"), Zcad::eInvalidInput);
    engine->destroy();
}

TEST_F(Preview_Test, OneEngineAtATimeAndCallsInOrder)
{
    ZcPlPlotEngine* first = nullptr;
    ZcPlPlotEngine* second = nullptr;
    ASSERT_EQ(ZcPlPlotFactory::createPreviewEngine(first), Zcad::eOk);
    EXPECT_EQ(ZcPlPlotFactory::processPlotState(), ZcPlPlotFactory::kForegroundPlotInProgress);
    EXPECT_EQ(ZcPlPlotFactory::createPreviewEngine(second), Zcad::eNotApplicable);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(first->endPage(), Zcad::eInvalidInput);
    EXPECT_EQ(first->endPlot(), Zcad::eInvalidInput);
    first->destroy();
    EXPECT_EQ(ZcPlPlotFactory::processPlotState(), ZcPlPlotFactory::kNotPlotting);
}

}  // namespace
}  // namespace plot_test
