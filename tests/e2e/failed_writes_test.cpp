// Writes that fail in a host session, on a folder the machine denies or on a full disk: each
// sheet whose PDF cannot be written is a failed plot that the host reports and the driver
// plots once more, with no file left behind, and the plug-in then names the sheets; a save
// over a good drawing keeps it byte for byte and cadhost ends with an error; the settings and
// the library not written at unload are named.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cadhost_runner.h"

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int Count(const std::string& text, const std::string& what)
{
    int count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

std::vector<std::string> Entries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

// A folder the session cannot write to, as the machine's lists under --root say.
struct Unwritable {
    const char* what;
    const char* list;    // the list file in the machine's root
    const char* prefix;  // what comes before the folder on its line
    const char* reason;  // why the host says the file cannot be written
};

const Unwritable kUnwritable[] = {
    {"denied folder", ".denied-writes", "", "access denied"},
    {"full disk", ".disk-full", "0\t", "the disk is full"},
};

class Failed_Writes : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/frames.dxf", Folder() / "frames.dxf");
    }
    fs::path Folder() const { return runner.folder(); }
    fs::path Machine() const { return Folder() / "machine"; }
    void Make_Unwritable(const Unwritable& how, const fs::path& folder) const
    {
        fs::create_directories(folder);
        fs::create_directories(Machine());
        std::ofstream(Machine() / how.list) << how.prefix << folder.string() << "\n";
    }
    Cadhost_Run Run(const std::string& steps, const std::vector<std::string>& more = {}) const
    {
        std::vector<std::string> arguments = {"--root", Machine().string(), "--module", MODULE_2025_PATH, "--script",
                                              runner.Write_Script("session.scr", steps).string()};
        arguments.insert(arguments.end(), more.begin(), more.end());
        arguments.push_back((Folder() / "frames.dxf").string());
        return runner.Run(arguments);
    }

    Cadhost_Runner runner;
};

TEST_F(Failed_Writes, A_Pdf_That_Cannot_Be_Written_Is_A_Failed_Plot_Retried_Once_And_Reported)
{
    for (const Unwritable& how : kUnwritable) {
        SCOPED_TRACE(how.what);
        fs::remove_all(Machine());
        Make_Unwritable(how, Folder() / "PDF");
        // Print, the message of the sheets that failed, then the window that opens again.
        const Cadhost_Run run =
            Run("command KV_DivezUrez_2\nenter\npick 2\n@712 click 1\nmsgbox OK\nenter\npick 2\n");
        ASSERT_EQ(run.status, 0) << run.err << run.out;
        // Nine sheets, each failed in the run and once more in the retry.
        const std::string failed = "; error: the plot failed: cannot write ";
        EXPECT_EQ(Count(run.out, failed), 18) << run.out;
        // Each written beside its file under a fresh name, which would then replace it.
        for (int sheet = 1; sheet <= 9; ++sheet)
            EXPECT_EQ(Count(run.out, "frames0" + std::to_string(sheet) + ".~new.pdf: " + how.reason), 2) << sheet;
        EXPECT_NE(run.out.find("[MessageBox] Korvel打印 | 全部 9 张图纸均未能输出"), std::string::npos) << run.out;
        EXPECT_EQ(Count(run.out, "Plot written to"), 0);
        EXPECT_TRUE(Entries(Folder() / "PDF").empty());
    }
}

TEST_F(Failed_Writes, A_Save_Over_A_Good_Drawing_Keeps_It_And_Ends_With_An_Error)
{
    const fs::path plan = Folder() / "Saved" / "plan.dxf";
    fs::create_directories(plan.parent_path());
    fs::copy_file(Folder() / "frames.dxf", plan);
    const std::string good = Read(plan);
    for (const Unwritable& how : kUnwritable) {
        SCOPED_TRACE(how.what);
        fs::remove_all(Machine());
        Make_Unwritable(how, plan.parent_path());
        // The session's own save step, then the one cadhost makes at the end.
        const Cadhost_Run run = Run("save \"" + plan.string() + "\"\n", {"--save", plan.string()});
        EXPECT_EQ(run.status, 1) << run.err << run.out;
        EXPECT_EQ(Count(run.out, "Cannot save " + plan.string() + ": "), 2) << run.out;
        EXPECT_NE(run.err.find("cadhost: cannot save the drawing to " + plan.string()), std::string::npos) << run.err;
        EXPECT_EQ(Read(plan), good);
        EXPECT_EQ(Entries(plan.parent_path()), std::vector<std::string>{"plan.dxf"});
    }
}

// At unload the plug-in writes its settings and its title-block library into the profile of
// the user 张工; when the folder takes nothing, the command line names each file not written
// and the run still ends normally.
TEST_F(Failed_Writes, Settings_And_Library_That_Cannot_Be_Written_At_Unload_Are_Named)
{
    const fs::path config = Machine() / "c" / "Users" / "张工" / "AppData" / "Roaming" / "Korvel";
    const std::string windows_config = "C:\\Users\\张工\\AppData\\Roaming\\Korvel\\";
    for (const Unwritable& how : kUnwritable) {
        SCOPED_TRACE(how.what);
        fs::remove_all(Machine());
        fs::create_directories(Machine());
        std::ofstream(Machine() / ".user-name") << "张工\n";
        // A first session makes the files; the second cannot write them.
        ASSERT_EQ(Run("").status, 0);
        const std::string settings = Read(config / "BPlot_Cfg_ZCAD.cfg"), library = Read(config / "BPlot_TK.tk");
        ASSERT_FALSE(settings.empty());
        ASSERT_FALSE(library.empty());
        Make_Unwritable(how, config);
        const Cadhost_Run run = Run("");
        EXPECT_EQ(run.status, 0) << run.err << run.out;
        for (const char* name : {"BPlot_Cfg_ZCAD.cfg", "BPlot_TK.tk"})
            EXPECT_EQ(Count(run.out, "文件 < " + windows_config + name + " > 写入操作有误!"), 1) << name << "\n" << run.out;
        EXPECT_EQ(Read(config / "BPlot_Cfg_ZCAD.cfg"), settings);
        EXPECT_EQ(Read(config / "BPlot_TK.tk"), library);
    }
}

}  // namespace
