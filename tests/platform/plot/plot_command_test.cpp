// The host's "-plot" command: its questions come in the host's order, which ones come
// follows from the space and the device, the answers fill the plot job, and an answer a
// question does not take ends the command with an error.
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "db/dbdatabase.h"
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "ed/command_line.h"
#include "ed/command_runner.h"
#include "ed/host_session.h"
#include "plot/plot_job_sink.h"
#include "plot/plot_stamp_setting.h"
#include "plot_fixture.h"
#include "script/utf8.h"

using namespace platform;

namespace plot_test {
namespace {

using Answers = std::vector<std::wstring>;

// The prompts of the file lists, in order; the space's own questions go between lineweights
// and the file name.
const Answers kCommonPrompts = {
    L"Detailed plot configuration? [Yes/No]", L"Enter a layout name", L"Enter an output device name",
    L"Enter paper size", L"Enter paper units", L"Enter drawing orientation", L"Plot upside down?",
    L"Enter plot area", L"Enter lower left corner of window", L"Enter upper right corner of window",
    L"Enter plot scale", L"Enter plot offset", L"Plot with plot styles?", L"Enter plot style table name",
    L"Plot with lineweights?"};
const Answers kModelPrompts = {L"Enter shade plot setting"};
const Answers kLayoutPrompts = {L"Scale lineweights with plot scale?", L"Plot paper space first?",
                                L"Hide paperspace objects?"};

Answers Join(std::initializer_list<Answers> parts)
{
    Answers all;
    for (const Answers& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The file answer lists of a sheet plotted to a file.
Answers File_List(bool layout, const std::wstring& path, const std::wstring& offset)
{
    Answers head = {L"y", L"", L"", L"", L"M", L"", L"N", L"W", L"", L"", L"F", offset, L"Y", L"", L""};
    if (!layout)
        return Join({head, {L"A", path, L"N", L"Y"}});
    return Join({head, {L"N", L"N", L"N", path, L"N", L"Y"}});
}

// The paper answer lists of a sheet plotted on a printer.
Answers Paper_List(bool layout, const std::wstring& orientation, const std::wstring& path)
{
    Answers head = {L"y", L"", L"", L"", L"", orientation, L"N", L"W", L"", L"", L"F", L"C", L"Y", L"", L""};
    Answers space = layout ? Answers{L"N", L"N", L"N"} : Answers{L"A"};
    Answers tail = path.empty() ? Answers{L"N", L"N", L"Y"} : Answers{L"Y", path, L"N", L"Y"};
    return Join({head, space, tail});
}

class Plot_Command_Test : public PlotTest {
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        pdf = Write_Device(L"PDF", {{L"KV_A3", 420, 297, 1, 2, 3, 4}, {L"KV_A3T", 297, 420}});
        Add_Style_Table(L"黑白.ctb");
        Add_Printer(L"HP LaserJet", {{L"A4", 210, 297, 5, 5, 5, 5}, {L"A3", 297, 420}});
    }

    // What the plug-in's plot-settings helper does before "-plot": device, media, window,
    // centred, scale to fit, rotation 0, plot style.
    void Prepare(const std::wstring& device, const std::wstring& media, double x1 = 420, double y1 = 297)
    {
        With_Active_Layout([&](ZcDbLayout& layout) {
            ZcDbPlotSettingsValidator* v = Validator();
            ASSERT_EQ(v->setPlotCfgName(&layout, device.c_str()), Zcad::eOk);
            ASSERT_EQ(v->setCanonicalMediaName(&layout, media.c_str()), Zcad::eOk);
            ASSERT_EQ(v->setCurrentStyleSheet(&layout, L"黑白.ctb"), Zcad::eOk);
            ASSERT_EQ(v->setPlotWindowArea(&layout, 0, 0, x1, y1), Zcad::eOk);
            ASSERT_EQ(v->setPlotType(&layout, ZcDbPlotSettings::kWindow), Zcad::eOk);
            v->setPlotCentered(&layout, true);
            v->setUseStandardScale(&layout, true);
            v->setStdScaleType(&layout, ZcDbPlotSettings::kScaleToFit);
            v->setPlotRotation(&layout, ZcDbPlotSettings::k0degrees);
        });
    }

    int Run(const std::wstring& command, const Answers& answers)
    {
        resbuf head{};
        resbuf* tail = &head;
        Answers all = {command};
        all.insert(all.end(), answers.begin(), answers.end());
        for (const std::wstring& text : all) {
            tail->rbnext = zcutNewRb(RTSTR);
            tail = tail->rbnext;
            zcutNewString(text.c_str(), tail->resval.rstring);
        }
        int rc = zcedCmdS(head.rbnext);
        zcutRelRb(head.rbnext);
        return rc;
    }

    // The prompts appear on the command line in this order, each once.
    void Expect_Prompts(const Answers& prompts)
    {
        const std::wstring out = Output();
        size_t at = 0;
        for (const std::wstring& prompt : prompts) {
            size_t found = out.find(prompt, at);
            ASSERT_NE(found, std::wstring::npos) << "prompt missing or out of order: " << To_Utf8(prompt);
            at = found + prompt.size();
        }
    }


    std::wstring pdf;
};

TEST_F(Plot_Command_Test, ModelSpaceFileListPlotsThePreparedSheet)
{
    Prepare(pdf, Canonical_Name(420, 297));
    ASSERT_EQ(Run(L"-plot", File_List(false, L"C:\\out\\sheet 1.pdf", L"C")), RTNORM) << To_Utf8(Output());
    Expect_Prompts(Join({kCommonPrompts, kModelPrompts, {L"Enter file name", L"Save changes to page setup",
                                                          L"Proceed with plot"}}));
    EXPECT_EQ(Output().find(L"Write the plot to a file"), std::wstring::npos);
    ASSERT_EQ(jobs.size(), 1u);
    const PlotJob& job = jobs[0];
    EXPECT_EQ(job.database, Db());
    EXPECT_TRUE(job.model_space);
    EXPECT_EQ(job.space, Db()->modelSpaceId());
    EXPECT_EQ(job.device_name, L"K_PDF.pc5");
    EXPECT_EQ(job.driver, PlotDriver::Pdf);
    EXPECT_EQ(job.paper.display_name, L"KV_A3");
    EXPECT_DOUBLE_EQ(job.paper.width_mm, 420);
    EXPECT_DOUBLE_EQ(job.paper.margin_top_mm, 4);
    EXPECT_EQ(job.area, PlotArea::Window);
    EXPECT_EQ(job.window_min, ZcGePoint2d(0, 0));
    EXPECT_EQ(job.window_max, ZcGePoint2d(420, 297));
    EXPECT_TRUE(job.fit_to_paper);
    EXPECT_TRUE(job.centered);
    EXPECT_EQ(job.rotation_degrees, 0);
    EXPECT_FALSE(job.upside_down);
    EXPECT_TRUE(job.plot_with_styles);
    EXPECT_EQ(job.style_table_path, style_folder + L"\\黑白.ctb");
    EXPECT_EQ(job.output_path, L"C:\\out\\sheet 1.pdf");
    EXPECT_TRUE(job.spool_folder.empty());
    EXPECT_FALSE(job.stamp.enabled);
}

// The host keeps what it read of the device files, yet a plug-in that rewrites them between
// two plots of one session plots the second with the new papers: at once, and also when the
// rewrite keeps the file's size and modification time.
TEST_F(Plot_Command_Test, DeviceFilesRewrittenBetweenTwoPlotsReachTheSecond)
{
    const std::wstring pmp = description_folder + L"\\K_PDF.pmp";
    const auto an_hour_ago = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    const struct {
        const char* what;
        std::vector<Pmp_Paper> papers;
        bool keep_time;
        double width, margin_left, margin_top;  // of the second plot's paper
    } cases[] = {
        {"other margins, same size and time", {{L"KV_A3", 420, 297, 5, 6, 7, 8}, {L"KV_A3T", 297, 420}}, true, 420, 5,
         8},
        {"other margins, same size", {{L"KV_A3", 420, 297, 9, 6, 7, 2}, {L"KV_A3T", 297, 420}}, false, 420, 9, 2},
        {"another paper", {{L"KV_A2", 594, 420}, {L"KV_A2T", 420, 594}}, false, 594, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        jobs.clear();
        Write_Device(L"PDF", {{L"KV_A3", 420, 297, 1, 2, 3, 4}, {L"KV_A3T", 297, 420}});
        std::filesystem::last_write_time(Host(pmp), an_hour_ago);
        Prepare(pdf, Canonical_Name(420, 297));
        ASSERT_EQ(Run(L"-plot", File_List(false, L"C:\\out\\a.pdf", L"C")), RTNORM) << To_Utf8(Output());

        Write_File(pmp, Pmp_Text(c.papers));
        if (c.keep_time)
            std::filesystem::last_write_time(Host(pmp), an_hour_ago);
        Prepare(pdf, Canonical_Name(c.width, c.papers[0].height));
        ASSERT_EQ(Run(L"-plot", File_List(false, L"C:\\out\\b.pdf", L"C")), RTNORM) << To_Utf8(Output());
        ASSERT_EQ(jobs.size(), 2u);
        EXPECT_DOUBLE_EQ(jobs[0].paper.margin_top_mm, 4);
        EXPECT_DOUBLE_EQ(jobs[1].paper.width_mm, c.width);
        EXPECT_DOUBLE_EQ(jobs[1].paper.margin_left_mm, c.margin_left);
        EXPECT_DOUBLE_EQ(jobs[1].paper.margin_top_mm, c.margin_top);
    }
}

TEST_F(Plot_Command_Test, OffsetTextPlacesThePlotOffCentre)
{
    Prepare(pdf, Canonical_Name(420, 297));
    ASSERT_EQ(Run(L"-plot", File_List(false, L"C:\\out\\a.pdf", L"5,10")), RTNORM) << To_Utf8(Output());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_FALSE(jobs[0].centered);
    EXPECT_EQ(jobs[0].offset_mm, ZcGePoint2d(5, 10));
}

TEST_F(Plot_Command_Test, LayoutFileListAsksThePaperSpaceQuestions)
{
    ZcDbObjectId block = Make_Paper_Layout(L"Sheet A");
    Prepare(pdf, Canonical_Name(297, 420), 297, 420);
    ASSERT_EQ(Run(L"-plot", File_List(true, L"C:\\out\\b.pdf", L"C")), RTNORM) << To_Utf8(Output());
    Expect_Prompts(Join({kCommonPrompts, kLayoutPrompts, {L"Enter file name", L"Save changes to page setup",
                                                           L"Proceed with plot"}}));
    EXPECT_EQ(Output().find(L"shade plot"), std::wstring::npos);
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_FALSE(jobs[0].model_space);
    EXPECT_EQ(jobs[0].space, block);
    EXPECT_EQ(jobs[0].paper.display_name, L"KV_A3T");
    EXPECT_FALSE(jobs[0].scale_lineweights);
    EXPECT_TRUE(jobs[0].paperspace_last);  // "N" to paper space first
    EXPECT_FALSE(jobs[0].hide_paperspace_objects);
}

TEST_F(Plot_Command_Test, PrinterListsAskWhetherToWriteAFileAndTurnTheDrawingByOrientation)
{
    const struct {
        bool layout;
        const wchar_t* orientation;
        const wchar_t* media;
        const wchar_t* path;
        int rotation;
    } cases[] = {
        {false, L"P", L"A4", L"", 0},  {false, L"L", L"A4", L"C:\\plt\\one.plt", 90},
        {true, L"L", L"A4", L"", 90},  {true, L"P", L"A4", L"C:\\plt\\two.plt", 0},
        {false, L"L", L"A3", L"", 90}, {false, L"P", L"A3", L"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(To_Utf8(std::wstring(c.layout ? L"layout " : L"model ") + c.orientation + L" " + c.path));
        jobs.clear();
        if (c.layout && Db()->tilemode())
            Make_Paper_Layout(L"Print");
        if (!c.layout) {
            ASSERT_EQ(zcdbHostApplicationServices()->layoutManager()->setCurrentLayout(L"Model", Db()), Zcad::eOk);
        }
        Prepare(L"HP LaserJet", c.media);
        ASSERT_EQ(Run(L"-plot", Paper_List(c.layout, c.orientation, c.path)), RTNORM) << To_Utf8(Output());
        Expect_Prompts(Join({kCommonPrompts, c.layout ? kLayoutPrompts : kModelPrompts,
                             {L"Write the plot to a file"}}));
        ASSERT_EQ(jobs.size(), 1u);
        EXPECT_EQ(jobs[0].driver, PlotDriver::Printer);
        EXPECT_EQ(jobs[0].rotation_degrees, c.rotation);
        EXPECT_EQ(jobs[0].output_path, c.path);
        EXPECT_EQ(jobs[0].spool_folder, *c.path ? L"" : L"C:\\Spool\\HP LaserJet");
    }
}

TEST_F(Plot_Command_Test, OldBatchListsAcceptThePreparedValues)
{
    // Model space to a printer, and a layout to PLT files, with every prepared value kept.
    Prepare(L"HP LaserJet", L"A3");
    Answers model = {L"y", L"", L"", L"", L"", L"", L"", L"W", L"", L"", L"", L"", L"", L"",
                     L"", L"", L"N", L"", L"Y"};
    ASSERT_EQ(Run(L"-plot", model), RTNORM) << To_Utf8(Output());
    Make_Paper_Layout(L"Old");
    Prepare(L"HP LaserJet", L"A3");
    Answers layout = {L"y", L"", L"", L"", L"", L"L", L"", L"W", L"", L"", L"", L"", L"", L"",
                      L"", L"", L"", L"", L"Y", L"C:\\plt\\plan-001.plt", L"", L"Y"};
    ASSERT_EQ(Run(L"-plot", layout), RTNORM) << To_Utf8(Output());
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[1].output_path, L"C:\\plt\\plan-001.plt");
    EXPECT_EQ(jobs[1].rotation_degrees, 90);
}

TEST_F(Plot_Command_Test, MisalignedListEndsTheCommandWithAnErrorAndPlotsNothing)
{
    Prepare(pdf, Canonical_Name(420, 297));
    const struct {
        Answers answers;
        const wchar_t* error;
    } cases[] = {
        // "M" left out: "N" reaches the orientation question.
        {{L"y", L"", L"", L"", L"", L"N", L"W", L"", L"", L"F", L"C", L"Y", L"", L"", L"A", L"C:\\x.pdf", L"N", L"Y"},
         L"Enter drawing orientation"},
        // "W" given to the units question.
        {{L"y", L"", L"", L"", L"W", L"", L"N", L"W", L"", L"", L"F", L"C", L"Y", L"", L"", L"A", L"C:\\x.pdf", L"N",
          L"Y"},
         L"Enter paper units"},
        // A layout list in model space: "N" reaches the shade question.
        {File_List(true, L"C:\\x.pdf", L"C"), L"Enter shade plot setting"},
        // A paper size the device does not offer.
        {{L"y", L"", L"", L"A1"}, L"Enter paper size"},
        // A list one answer short.
        {{L"y", L"", L"", L"", L"M", L"", L"N", L"W", L"", L"", L"F", L"C", L"Y", L"", L"", L"A", L"C:\\x.pdf", L"N"},
         L"Proceed with plot"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(To_Utf8(c.error));
        CommandLine::instance().clear();
        EXPECT_EQ(Run(L"-plot", c.answers), RTERROR);
        const std::wstring out = Output();
        EXPECT_NE(out.find(L"; error: prompt '\\n" + std::wstring(c.error)), std::wstring::npos) << To_Utf8(out);
    }
    EXPECT_TRUE(jobs.empty());
}

TEST_F(Plot_Command_Test, CancelEndsTheCommandWithoutAPlot)
{
    Prepare(pdf, Canonical_Name(420, 297));
    EXPECT_EQ(Run(L"-plot", {L"y", L"", L"", L"\x03"}), RTCAN);
    EXPECT_TRUE(jobs.empty());
    EXPECT_EQ(Output().find(L"; error:"), std::wstring::npos);
}

TEST_F(Plot_Command_Test, ScriptAnswersRunTheSameQuestionsAndARefusalEndsOnlyTheCommand)
{
    Prepare(pdf, Canonical_Name(420, 297));
    Script("command -plot\n"
           "answer y\nenter\nenter\nanswer \"KV_A3T\"\nanswer M\nenter\nanswer N\nanswer W\n"
           "point 10,20\npoint 110,220\nanswer 1=2\nanswer 3,4\nanswer N\nanswer .\nanswer N\nanswer H\n"
           "answer \"D:\\out\\scripted\"\nanswer N\nanswer Y\n"
           "command -plot\nanswer y\nanswer Nowhere\n"
           "command -plot\nanswer y\nenter\nenter\nenter\nanswer Pixels\n");
    HostSession session;
    EXPECT_EQ(session.run_script(), 0) << session.error();
    ASSERT_EQ(jobs.size(), 1u);
    const PlotJob& job = jobs[0];
    EXPECT_EQ(job.paper.display_name, L"KV_A3T");
    EXPECT_EQ(job.window_min, ZcGePoint2d(10, 20));
    EXPECT_EQ(job.window_max, ZcGePoint2d(110, 220));
    EXPECT_FALSE(job.fit_to_paper);
    EXPECT_DOUBLE_EQ(job.paper_units / job.drawing_units, 0.5);
    EXPECT_FALSE(job.centered);
    EXPECT_EQ(job.offset_mm, ZcGePoint2d(3, 4));
    EXPECT_FALSE(job.plot_with_styles);
    EXPECT_TRUE(job.style_table_path.empty());
    EXPECT_FALSE(job.plot_lineweights);
    EXPECT_EQ(job.output_path, L"D:\\out\\scripted.pdf");
    const std::wstring out = Output();
    EXPECT_NE(out.find(L"; error: prompt '\\nEnter a layout name or [?] <Model>: ': answer 'Nowhere' not accepted"),
              std::wstring::npos)
        << To_Utf8(out);
    EXPECT_NE(out.find(L"; error: prompt '\\nEnter paper units [Inches/Millimeters] <Millimeters>: ': answer 'Pixels'"),
              std::wstring::npos);
}

TEST_F(Plot_Command_Test, SavingThePageSetupKeepsTheAnswersOnTheLayout)
{
    Prepare(pdf, Canonical_Name(420, 297));
    Answers list = File_List(false, L"C:\\out\\a.pdf", L"C");
    list[5] = L"P";  // portrait on a landscape paper: a quarter turn
    ASSERT_EQ(Run(L"-plot", list), RTNORM);
    auto rotation = [&] {
        ZcDbPlotSettings::PlotRotation r = ZcDbPlotSettings::k0degrees;
        With_Active_Layout([&](ZcDbLayout& layout) { r = layout.plotRotation(); });
        return r;
    };
    EXPECT_EQ(jobs.back().rotation_degrees, 90);
    EXPECT_EQ(rotation(), ZcDbPlotSettings::k0degrees);
    list[list.size() - 2] = L"Y";
    ASSERT_EQ(Run(L"-plot", list), RTNORM);
    EXPECT_EQ(rotation(), ZcDbPlotSettings::k90degrees);
}

TEST_F(Plot_Command_Test, DefaultAndRelativeFileNamesLieInTheDrawingsFolder)
{
    Prepare(pdf, Canonical_Name(420, 297));
    ASSERT_EQ(Run(L"-plot", File_List(false, L"", L"C")), RTNORM);
    ASSERT_EQ(Run(L"-plot", File_List(false, L"\"sub\\named\"", L"C")), RTNORM);
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].output_path, L"C:\\work\\plan-Model.pdf");
    EXPECT_EQ(jobs[1].output_path, L"C:\\work\\sub\\named.pdf");
}

TEST_F(Plot_Command_Test, ShortConfigurationAsksLayoutPageSetupDeviceAndOutput)
{
    Prepare(pdf, Canonical_Name(420, 297));
    ASSERT_EQ(Run(L"-plot", {L"N", L"", L"", L"", L"C:\\out\\short.pdf", L"N", L"Y"}), RTNORM) << To_Utf8(Output());
    Expect_Prompts({L"Detailed plot configuration?", L"Enter a layout name", L"Enter a page setup name",
                    L"Enter an output device name", L"Enter file name", L"Save changes", L"Proceed with plot"});
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].output_path, L"C:\\out\\short.pdf");
}

TEST_F(Plot_Command_Test, FailuresAreReportedAsErrors)
{
    // The engine's failure.
    Prepare(pdf, Canonical_Name(420, 297));
    sink_result = PlotResult{false, L"disk full", {}};
    sink_error = ERROR_DISK_FULL;
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(Run(L"-plot", File_List(false, L"C:\\out\\a.pdf", L"C")), RTERROR);
    EXPECT_NE(Output().find(L"; error: the plot failed: disk full"), std::wstring::npos);
    // The caller still finds why in the last error, as after a failed Windows write.
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
    sink_error = 0;
    // The "None" device plots nothing.
    sink_result.ok = true;
    jobs.clear();
    With_Active_Layout([&](ZcDbLayout& layout) { Validator()->setDefaultPlotConfig(&layout); });
    EXPECT_EQ(Run(L"-plot", {L"N", L"", L"", L"", L"N", L"N", L"Y"}), RTERROR);
    EXPECT_NE(Output().find(L"no plot device"), std::wstring::npos);
    EXPECT_TRUE(jobs.empty());
    // A layout still held open for write by the caller.
    ZcDbLayoutManager* layouts = zcdbHostApplicationServices()->layoutManager();
    ZcDbLayout* held = nullptr;
    ASSERT_EQ(layouts->getLayoutNamed(L"Model", held, ZcDb::kForWrite, Db()), Zcad::eOk);
    EXPECT_EQ(Run(L"-plot", {L"N", L""}), RTERROR);
    EXPECT_NE(Output().find(L"cannot open the layout Model"), std::wstring::npos) << To_Utf8(Output());
    held->close();
}

TEST_F(Plot_Command_Test, PlotStampSwitchReachesTheJob)
{
    Prepare(pdf, Canonical_Name(420, 297));
    ASSERT_EQ(Run(L"-plotstamp", {L"O", L""}), RTNORM);
    EXPECT_TRUE(Plot_Stamp_On());
    ASSERT_EQ(Run(L"-plot", File_List(false, L"C:\\out\\a.pdf", L"C")), RTNORM);
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(jobs[0].stamp.enabled);
    ASSERT_EQ(jobs[0].stamp.fields.size(), 7u);
    EXPECT_EQ(jobs[0].stamp.fields[0], L"C:\\work\\plan.dxf");
    EXPECT_EQ(jobs[0].stamp.fields[1], L"Model");
    EXPECT_EQ(jobs[0].stamp.fields[4], L"K_PDF.pc5");
    EXPECT_EQ(jobs[0].stamp.fields[5], L"KV_A3");
    ASSERT_EQ(Run(L"-plotstamp", {L"OFF", L""}), RTNORM);
    EXPECT_FALSE(Plot_Stamp_On());
    EXPECT_EQ(Run(L"-plotstamp", {L"Fields"}), RTERROR);
}

TEST_F(Plot_Command_Test, PlotEngineWritesThePdfOfTheAnsweredPaper)
{
    {
        ZcDbBlockTableRecord* model = nullptr;
        ASSERT_EQ(zcdbOpenObject(model, Db()->modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
        auto* line = new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(420, 297, 0));
        ZcDbObjectId id;
        ASSERT_EQ(model->appendZcDbEntity(id, line), Zcad::eOk);
        line->close();
        model->close();
    }
    Prepare(pdf, Canonical_Name(420, 297));
    With_Active_Layout([&](ZcDbLayout& layout) { Validator()->setCurrentStyleSheet(&layout, L""); });
    std::filesystem::create_directories(Host(L"C:\\out"));
    Set_Plot_Job_Sink(nullptr);
    ASSERT_EQ(Run(L"-plot", File_List(false, L"C:\\out\\real.pdf", L"C")), RTNORM) << To_Utf8(Output());
    const std::filesystem::path file = Host(L"C:\\out\\real.pdf");
    ASSERT_TRUE(std::filesystem::exists(file));
    std::string info;
    if (FILE* pipe = popen(("pdfinfo '" + file.string() + "'").c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr)
            info += buffer;
        pclose(pipe);
    }
    EXPECT_NE(info.find("1190.55 x 841.89 pts"), std::string::npos) << info;
}

}  // namespace
}  // namespace plot_test
