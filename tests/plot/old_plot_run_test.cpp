// The old batch plot's run against the host's "-plot": in model space and in a layout, to
// the printer and to PLT files, each area is one job with the page setup's device, the
// area as its window, and the orientation its shape asks for.
#include <filesystem>
#include <string>
#include <vector>

#include "core/plot_option.h"
#include "plot/dbplotsetval.h"
#include "plot/machine_printers.h"
#include "plot/old_plot_setting.h"
#include "plot/plot_job_sink.h"
#include "services_fixture.h"
#include "win/machine.h"
#include "win/safe_file_write.h"

namespace {

class Old_Plot_Run_Test : public Services_Test {
public:
    void SetUp() override
    {
        Services_Test::SetUp();
        platform::Machine_Printer printer;
        printer.name = L"Office Laser";
        printer.spool_folder = L"C:\\Spool\\Laser";
        platform::PlotPaper a4;
        a4.canonical_name = L"A4";
        a4.display_name = L"A4";
        a4.width_mm = 210;
        a4.height_mm = 297;
        printer.media.push_back(a4);
        ASSERT_TRUE(platform::Add_Machine_Printer(printer));
        // The printer's file is written as the platform writes a file (a job to the printer
        // goes nowhere).
        platform::Set_Plot_Job_Sink([this](const platform::PlotJob& job) {
            Jobs.push_back(job);
            platform::PlotResult result;
            result.ok = job.output_path.empty() || platform::Safe_Write_File(job.output_path, "PLT", result.error);
            return result;
        });
    }
    void TearDown() override
    {
        platform::Set_Plot_Job_Sink(nullptr);
        Services_Test::TearDown();
    }
    static void Use_Printer()
    {
        ZcDbLayoutManager* layouts = zcdbHostApplicationServices()->layoutManager();
        ZcDbLayout* layout = nullptr;
        ASSERT_EQ(layouts->getLayoutNamed(layouts->findActiveLayout(true), layout, ZcDb::kForWrite), Zcad::eOk);
        ZcDbPlotSettingsValidator* validator = zcdbHostApplicationServices()->plotSettingsValidator();
        validator->refreshLists(layout);
        const Zcad::ErrorStatus es = validator->setPlotCfgName(layout, L"Office Laser");
        layout->close();
        ASSERT_EQ(es, Zcad::eOk);
    }
    static void Add_Area(Old_Plot_Setting& setting, double x0, double y0, double x1, double y1)
    {
        setting.Lower_Corners.append(ZcGePoint3d(x0, y0, 0));
        setting.Upper_Corners.append(ZcGePoint3d(x1, y1, 0));
        setting.Centres.append(ZcGePoint3d((x0 + x1) / 2, (y0 + y1) / 2, 0));
    }
    std::vector<platform::PlotJob> Jobs;
};

TEST_F(Old_Plot_Run_Test, Every_Space_And_Target_Plots_One_Job_An_Area_With_The_Answers_The_Host_Takes)
{
    struct Case {
        const char* what;
        bool layout;
        bool plt;
    } cases[] = {{"model, printer", false, false},
                 {"model, PLT", false, true},
                 {"layout, printer", true, false},
                 {"layout, PLT", true, true}};
    for (const Case& c : cases) {
        if (c.layout) {
            ZcDbLayoutManager* layouts = zcdbHostApplicationServices()->layoutManager();
            ASSERT_EQ(layouts->setCurrentLayout(L"Layout1"), Zcad::eOk) << c.what;
        }
        Use_Printer();
        Jobs.clear();
        platform::CommandLine::instance().clear();
        Old_Plot_Setting setting;
        setting.Print_Order = 9;
        setting.To_Plt = c.plt ? 1 : 0;
        Add_Area(setting, 0, 0, 420, 297);
        Add_Area(setting, 500, 0, 700, 300);
        platform::ScriptInput::instance().push_text(c.plt ? "msgbox YES\nfile \"C:\\Out\"\n" : "msgbox YES\n");
        std::filesystem::create_directories(Host(L"C:\\Out"));
        ASSERT_TRUE(setting.Plot_Areas()) << c.what;
        EXPECT_EQ(platform::ScriptInput::instance().size(), 0u) << c.what;
        EXPECT_EQ(Printed().find(L"not accepted"), std::wstring::npos) << c.what << platform::To_Utf8(Printed());
        ASSERT_EQ(Jobs.size(), 2u) << c.what << platform::To_Utf8(Printed());
        for (const platform::PlotJob& job : Jobs) {
            EXPECT_EQ(job.device_name, L"Office Laser") << c.what;
            EXPECT_EQ(job.model_space, !c.layout) << c.what;
            EXPECT_TRUE(job.fit_to_paper) << c.what;
        }
        EXPECT_EQ(Jobs[0].window_max.x, 420.0) << c.what;
        EXPECT_EQ(Jobs[1].window_min.x, 500.0) << c.what;
        // A4 is portrait paper: the wide area turns, the tall one does not.
        EXPECT_EQ(Jobs[0].rotation_degrees, 90) << c.what;
        EXPECT_EQ(Jobs[1].rotation_degrees, 0) << c.what;
        if (c.plt) {
            // Each written beside its file, which it then replaces.
            EXPECT_NE(Jobs[0].output_path.find(L"-001.~new.plt"), std::wstring::npos) << c.what;
            EXPECT_NE(Jobs[1].output_path.find(L"-002.~new.plt"), std::wstring::npos) << c.what;
            EXPECT_EQ(File_Bytes(L"C:\\Out\\Drawing1-002.plt"), "PLT") << c.what;
            EXPECT_EQ(setting.Output_Folder.Right(3), CString(L"Out")) << c.what;
        } else {
            EXPECT_TRUE(Jobs[0].output_path.empty()) << c.what;
        }
    }
    EXPECT_EQ(Var_Int(L"FILEDIA"), 1);
}

TEST_F(Old_Plot_Run_Test, Without_Areas_Nothing_Is_Plotted_And_The_User_Is_Told)
{
    Old_Plot_Setting setting;
    Add_Area(setting, 0, 0, 0, 10);
    Answer_Boxes(1);
    EXPECT_FALSE(setting.Plot_Areas());
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"未找到打印区域 !");
    EXPECT_TRUE(Jobs.empty());
}

// PLT files that cannot be written: the earlier files stay byte for byte, nothing is left
// beside them, and one message names the areas' files and why.
TEST_F(Old_Plot_Run_Test, Plt_Files_That_Cannot_Be_Written_Keep_The_Earlier_Ones_And_Are_Named)
{
    Use_Printer();
    for (const wchar_t* name : {L"C:\\旧图\\Drawing1-001.plt", L"C:\\旧图\\Drawing1-002.plt"})
        Write_File(name, "earlier");
    platform::Machine::instance().deny_writes(L"C:\\旧图");
    Old_Plot_Setting setting;
    setting.Print_Order = 9;
    setting.To_Plt = 1;
    Add_Area(setting, 0, 0, 420, 297);
    Add_Area(setting, 500, 0, 700, 300);
    platform::ScriptInput::instance().push_text("msgbox YES\nfile \"C:\\旧图\"\nmsgbox OK\n");
    EXPECT_TRUE(setting.Plot_Areas());
    platform::Machine::instance().allow_writes(L"C:\\旧图");

    ASSERT_EQ(platform::MessageBoxLog.size(), 2u);
    EXPECT_EQ(platform::MessageBoxLog[1].caption, L"Korvel打印");
    EXPECT_EQ(platform::MessageBoxLog[1].text, L"全部 2 张图纸均未能输出 !\n\nDrawing1-001.plt ：没有写入权限\n"
                                               L"Drawing1-002.plt ：没有写入权限\n\n这些图纸原有的输出文件保持不变 !");
    EXPECT_EQ(File_Bytes(L"C:\\旧图\\Drawing1-001.plt"), "earlier");
    EXPECT_EQ(File_Bytes(L"C:\\旧图\\Drawing1-002.plt"), "earlier");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Host(L"C:\\旧图")), {}), 2);
}
}  // namespace
