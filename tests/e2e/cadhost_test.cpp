// cadhost runs session scripts: the module's load banner, its commands, unanswered input
// and usage errors.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "cadhost_runner.h"

namespace {

const char* const Banner =
    "\n******* K-批打印软件已成功加载，若K-批打印菜单未显示，可输入korvel命令调出菜单 *******";

class Cadhost_Flavour_Test : public ::testing::TestWithParam<const char*> {};

TEST_P(Cadhost_Flavour_Test, KorvelCommandShowsTheLoadBanner)
{
    Cadhost_Runner runner;
    Cadhost_Run run = runner.Run_Script({GetParam()}, "command Korvel\n");

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find(Banner), std::string::npos) << run.out;
}

TEST_P(Cadhost_Flavour_Test, FrameInsertionOffersItsPickerAndEndsQuietlyWhenCancelled)
{
    Cadhost_Runner runner;
    Cadhost_Run run = runner.Run_Script({GetParam()}, "command KV_DivezUrez_22\npick 1\nesc\n");

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\n选择图框："), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("该功能尚未提供。"), std::string::npos) << run.out;
}

INSTANTIATE_TEST_SUITE_P(BothFlavours, Cadhost_Flavour_Test,
                         ::testing::Values(MODULE_2021_PATH, MODULE_2025_PATH),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return info.index == 0 ? "zw2021" : "zw2025";
                         });

struct Unanswered_Case {
    const char* what;
    const char* script;
    const char* asked;  // must appear in the error
};

TEST(Cadhost_Test, UnansweredInputEndsTheRunAtOnce)
{
    const Unanswered_Case cases[] = {
        {"prompt at the end of the script", "command ASK_NAME\n", "Name of the sheet"},
        {"prompt before another command", "command ASK_NAME\ncommand Korvel\n", "Name of the sheet"},
        {"message box at the end of the script", "command ASK_BOX\n", "Go on?"},
        {"message box answered by a prompt step", "command ASK_BOX\nanswer \"x\"\n", "Go on?"},
    };
    for (const Unanswered_Case& c : cases) {
        SCOPED_TRACE(c.what);
        Cadhost_Runner runner;
        Cadhost_Run run = runner.Run_Script({INPUT_MODULE_PATH, MODULE_2025_PATH}, c.script);

        EXPECT_NE(run.status, 0);
        EXPECT_NE(run.status, 124) << "timed out";
        EXPECT_LT(run.seconds, 30);
        EXPECT_NE(run.err.find(c.asked), std::string::npos) << run.err;
        // The run ended at the unanswered input: later steps did not run.
        EXPECT_EQ(run.out.find("Name: "), std::string::npos);
        EXPECT_EQ(run.out.find("Answer: "), std::string::npos);
    }
}

TEST(Cadhost_Test, AnsweredInputRunsToTheEnd)
{
    Cadhost_Runner runner;
    Cadhost_Run run = runner.Run_Script({INPUT_MODULE_PATH},
                                        "command ASK_NAME\nanswer \"A1\"\ncommand ASK_BOX\nmsgbox YES\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Name: A1"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Answer: 6"), std::string::npos) << run.out;
}

TEST(Cadhost_Test, UsageErrorsExitWithTwo)
{
    Cadhost_Runner runner;
    const std::vector<std::vector<std::string>> usages = {
        {},
        {"--module"},
        {"--frobnicate", "x.dxf"},
        {"a.dxf", "b.dxf"},
        {"--script", (runner.folder() / "missing.txt").string(), ""},
    };
    for (const auto& arguments : usages) {
        Cadhost_Run run = runner.Run(arguments);
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_NE(run.err, "");
        EXPECT_EQ(run.out, "");
    }
}

// The README's main job: open the sample drawing, load the module, run a command, save.
TEST(Cadhost_Test, SampleDrawingOpensAndSavesWithTheModuleLoaded)
{
    Cadhost_Runner runner;
    const std::string out = (runner.folder() / "sample-out.dxf").string();
    const std::string script = runner.Write_Script("menu.scr", "command Korvel\nquit\n").string();
    Cadhost_Run run = runner.Run({"--root", (runner.folder() / "machine").string(), "--module",
                                  MODULE_2025_PATH, "--script", script,
                                  "--save", out, KORVEL_SOURCE_DIR "/samples/sample.dxf"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(Banner), std::string::npos);
    EXPECT_EQ(run.out.find("new empty drawing"), std::string::npos) << run.out;

    // An independent reader finds the sheets: three frames in model space, one in the layout.
    const std::string check = "/usr/bin/python3 -c \"import ezdxf,sys; d=ezdxf.readfile(sys.argv[1]); "
                              "print(*[sum(i.dxf.name.startswith('KV_图框') for i in l.query('INSERT')) "
                              "for l in (d.modelspace(), d.layouts.get('布局1'))])\" '" +
                              out + "' > '" + (runner.folder() / "check.txt").string() + "'";
    ASSERT_EQ(std::system(check.c_str()), 0);
    std::ifstream result(runner.folder() / "check.txt");
    std::string line;
    std::getline(result, line);
    EXPECT_EQ(line, "3 1");
}

TEST(Cadhost_Test, RelativePathsAreRelativeToTheStartingFolder)
{
    Cadhost_Runner runner;
    const std::filesystem::path source = KORVEL_SOURCE_DIR;
    const std::filesystem::path script = runner.Write_Script("menu.scr", "command Korvel\nquit\n");
    Cadhost_Run run = runner.Run_In(source, {"--root", (runner.folder() / "machine").string(), "--module",
                                             std::filesystem::relative(MODULE_2025_PATH, source).string(),
                                             "--script", std::filesystem::relative(script, source).string(), "--save",
                                             std::filesystem::relative(runner.folder() / "out.dxf", source).string(),
                                             "samples/sample.dxf"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(Banner), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(runner.folder() / "out.dxf"));
}

// A save step resolves a relative path as --save, file answers and snapshots do: against the
// folder cadhost started in, never the emulated C: drive.
TEST(Cadhost_Test, SaveStepPathsAreRelativeToTheStartingFolderToo)
{
    Cadhost_Runner runner;
    const std::filesystem::path start = runner.folder() / "工程 图纸";
    std::filesystem::create_directories(start / "存档");
    const std::filesystem::path script = runner.Write_Script("save.scr", "save \"存档/平面 图.dxf\"\nquit\n");
    const Cadhost_Run run =
        runner.Run_In(start, {"--root", (runner.folder() / "machine").string(), "--script", script.string(),
                              KORVEL_SOURCE_DIR "/samples/sample.dxf"});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_TRUE(std::filesystem::exists(start / "存档" / "平面 图.dxf")) << run.out;
    EXPECT_FALSE(std::filesystem::exists(runner.folder() / "machine" / "c" / "存档")) << run.out;
}

// What a new user meets first: help on asking, a hint when the plug-in is not loaded, and the
// loader's reason when a module does not load.
TEST(Cadhost_Test, FirstErrorsTellWhatToDo)
{
    Cadhost_Runner runner;
    Cadhost_Run run = runner.Run({"--help"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("usage: cadhost [--root DIR]", 0), 0u) << run.out;
    for (const char* step : {"command NAME", "msgbox YES|NO|OK|CANCEL", "@ID step", "pick N", "snapshot"})
        EXPECT_NE(run.out.find(step), std::string::npos) << step;

    const std::filesystem::path script = runner.Write_Script("s.scr", "command KV_DivezUrez_2\n");
    run = runner.Run({"--root", (runner.folder() / "machine").string(), "--script", script.string(), ""});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "cadhost: step 'command KV_DivezUrez_2' at line 1: unknown command \"KV_DIVEZUREZ_2\" (no "
                       "module is loaded: give cadhost --module PATH)\n");

    // Not a library at all, and a library that needs one the machine lacks.
    const std::filesystem::path text = runner.folder() / "插件.so";
    std::ofstream(text) << "not a module, only a few words of text to fill more than an ELF header would hold";
    run = runner.Run({"--root", (runner.folder() / "machine").string(), "--module", text.string(), ""});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("cadhost: cannot load the module " + text.string() + " (Unable to load ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("插件.so: invalid ELF header"), std::string::npos) << run.err;
    run = runner.Run({"--root", (runner.folder() / "machine").string(), "--module",
                      (runner.folder() / "none.so").string(), ""});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("module not found"), std::string::npos) << run.err;
}

// A drawing given by a host path is named by its drive path, so its folder is one a module
// can name and write beside.
TEST(Cadhost_Test, DrawingIsNamedByItsDrivePath)
{
    Cadhost_Runner runner;
    std::filesystem::copy_file(KORVEL_SOURCE_DIR "/samples/sample.dxf", runner.folder() / "sample.dxf");
    const std::filesystem::path script = runner.Write_Script("prefix.scr", "command SETVAR\nanswer \"DWGPREFIX\"\nenter\n");
    Cadhost_Run run = runner.Run_In(runner.folder(), {"--root", (runner.folder() / "machine").string(), "--script",
                                                      script.string(), "sample.dxf"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string folder = "Z:" + runner.folder().string() + "/";
    for (char& c : folder)
        if (c == '/') c = '\\';
    EXPECT_NE(run.out.find("<\"" + folder + "\">"), std::string::npos) << folder << " in " << run.out;
}

}  // namespace
