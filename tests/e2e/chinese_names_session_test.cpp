// Chinese folder and file names in host sessions, under each locale a user's machine may
// give cadhost (none, C, C.UTF-8, zh_CN.UTF-8): the title-block drawing with Chinese titles
// kept as "项目 资料/二〇二六/结构 平面.dxf" is plotted through the single plot, the batch
// plot to files in every format, the title-block road in every format with stamps, and the
// batch plot to paper; the libraries and settings live in the profile of the user 张工; the
// fonts are exported into a Chinese folder. Every file comes out under its own name, byte
// for byte, and the merged PDFs' outlines carry the Chinese titles.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"
#include "tk_library_file.h"

namespace fs = std::filesystem;

namespace {

struct Locale_Case {
    const char* name;
    const char* lang;  // nullptr: no locale variable at all
};
void PrintTo(const Locale_Case& locale, std::ostream* out) { *out << locale.name; }

const char* const User = "张工";

std::string Read_Bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Write_Bytes(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
}

// The names in the folder, as the file system holds them, sorted.
std::vector<std::string> Names_In(const fs::path& folder)
{
    std::vector<std::string> names;
    if (fs::is_directory(folder))
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> Outline_Titles(const fs::path& pdf)
{
    return Lines(Shell("qpdf --json " + Quoted(pdf) +
                       " | /usr/bin/python3 -c \"import json,sys; "
                       "[print('title:', o['title']) for o in json.load(sys.stdin)['outlines']]\""),
                 "title: ");
}

class Chinese_Names_Session : public ::testing::TestWithParam<Locale_Case> {
protected:
    void SetUp() override
    {
        if (GetParam().lang != nullptr && std::string(GetParam().lang) != "C" &&
            Shell("locale -a | grep -ix " + Quoted(Replaced(GetParam().lang, "UTF-8", "utf8"))).empty())
            FAIL() << "the locale " << GetParam().lang << " is not installed on this machine (scripts/setup.sh makes it)";
        runner.Set_Locale(GetParam().lang ? std::optional<std::string>(GetParam().lang) : std::nullopt);
        // The title-block drawing with Chinese titles.
        std::string drawing = Read_Bytes(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/title_blocks.dxf");
        drawing = Replaced(Replaced(drawing, " PLAN", " 平面"), " LEVEL 1", " 一层");
        Write_Bytes(Drawing(), drawing);
        Write_Bytes(Machine() / ".user-name", std::string(User) + "\n");
        Write_TK_Library(Config() / "BPlot_TK.tk");
    }
    fs::path Folder() const { return runner.folder() / "项目 资料" / "二〇二六"; }
    fs::path Drawing() const { return Folder() / "结构 平面.dxf"; }
    fs::path Machine() const { return runner.folder() / "machine"; }
    fs::path Profile() const { return Machine() / "c" / "Users" / User; }
    fs::path Config() const { return Profile() / "AppData" / "Roaming" / "Korvel"; }
    Cadhost_Run Run(const std::string& name, const std::string& steps, const fs::path& drawing)
    {
        const fs::path script = runner.Write_Script(name, steps);
        return runner.Run({"--root", Machine().string(), "--module", MODULE_2025_PATH, "--script", script.string(),
                           drawing.string()});
    }

    Cadhost_Runner runner;
};

// The frames M1 and M2 of the drawing, and the window that selects them.
const std::string Select_Two_Sheets = "select window -10,-10 1710,850\n";
// The title-block frames M1, M2 and M3 (its title a two-paragraph MText; M4 inside it is
// dropped), and the window that selects them.
const std::string Select_Title_Sheets = "select window -10,-10 1710,1310\n";

std::vector<std::string> With_Extension(const std::vector<std::string>& stems, const std::string& extension)
{
    std::vector<std::string> names;
    for (const std::string& stem : stems) names.push_back(stem + extension);
    return names;
}

// The entries of the format lists and the folders beside the drawing they write into.
const char* const Formats[] = {".pdf", ".dwf", ".jpg", ".png", ".plt", ".svg"};
const char* const Format_Folders[] = {"PDF", "DWF", "JPG", "PNG", "PLT", "SVG"};

// Commands 1, 2 and 5 on the drawing in its Chinese folder: every format of the batch plot
// to files with the drawing's name, drawing-file output, the merged PDF and the paper
// statistics; the printer's queue in a Chinese folder and PLT files; the single plot into the
// Chinese profile's temporary folder; the drawing saved under a Chinese name.
TEST_P(Chinese_Names_Session, Plots_Every_Format_Under_Chinese_Names)
{
    std::ofstream(Machine() / ".printers") << "printer\tHP LaserJet M1536\tC:\\打印 队列\\激光\t100\n"
                                              "media\tISO_A3\tA3\t297\t420\t5\t5\t5\t5\n";
    const fs::path merged = Folder() / "合并 图纸.pdf", saved = Folder() / "结构 平面 另存.dxf";
    const fs::path plt_folder = Folder() / "绘图 文件";
    fs::create_directories(plt_folder);
    std::string steps = "command KV_DivezUrez_2\n" + Select_Two_Sheets;
    for (int format = 0; format <= 5; ++format)
        steps += "@712 choose 863 " + std::to_string(format) + "\n@712 click 1\n" + Select_Two_Sheets;
    steps += "@712 choose 863 0\n@712 check 903 1\n@712 click 1\nfile \"" + merged.string() + "\"\n" +
             Select_Two_Sheets + "@712 rclick 1164 0 4\nmenu 32787\n@712 choose 863 6\n@712 click 1\n"
             "command KV_DivezUrez_5\n" + Select_Two_Sheets + "@830 click 1\n" + Select_Two_Sheets +
             "@830 click 874\n@830 click 1\nfile \"" + plt_folder.string() + "\"\n" + Select_Two_Sheets +
             "@830 rclick 1164 0 4\nmenu 32786\n@830 click 2\n"
             "command KV_DivezUrez_1\nkey S\n@IDD_DLG_SINGLEPLOT_SETTING choose IDC_FORMAT_COMBO 0\n"
             "@IDD_DLG_SINGLEPLOT_SETTING click IDOK\npoint 0,0\npoint 420,297\n"
             "save \"" + saved.string() + "\"\nquit\n";
    const Cadhost_Run run = Run("plot.scr", steps, Drawing());
    ASSERT_EQ(run.status, 0) << run.err << run.out;

    const std::vector<std::string> stems = {"结构 平面01", "结构 平面02"};
    for (size_t f = 0; f < std::size(Formats); ++f)
        EXPECT_EQ(Names_In(Folder() / Format_Folders[f]), With_Extension(stems, Formats[f])) << Format_Folders[f];
    EXPECT_EQ(Names_In(Folder() / "DWG"), With_Extension(stems, ".dxf"));
    EXPECT_EQ(Outline_Titles(merged), stems);
    EXPECT_EQ(Names_In(plt_folder), (std::vector<std::string>{"结构 平面_1.plt", "结构 平面_2.plt"}));
    EXPECT_EQ(Names_In(Machine() / "c" / "打印 队列" / "激光"),
              (std::vector<std::string>{"job-0001.pdf", "job-0001.shd", "job-0002.pdf", "job-0002.shd"}));
    EXPECT_EQ(Names_In(Profile() / "Documents"), (std::vector<std::string>{"Book1.xlsx", "Book2.xlsx", "Korvel_Temp"}));
    const std::vector<std::string> temp = Names_In(Profile() / "Documents" / "Korvel_Temp");
    ASSERT_EQ(temp.size(), 1u);
    EXPECT_TRUE(std::regex_match(temp[0], std::regex(R"(BP\d{12}\.pdf)"))) << temp[0];
    EXPECT_NE(run.out.find("[Shell] open | C:\\Users\\张工\\Documents\\Korvel_Temp\\" + temp[0]), std::string::npos)
        << run.out;
    EXPECT_TRUE(fs::is_regular_file(saved));
    // The files are what their names say.
    EXPECT_EQ(Shell("file -b " + Quoted(Folder() / "PNG" / "结构 平面02.png")).rfind("PNG image data", 0), 0u);
    EXPECT_NE(Shell("pdftotext " + Quoted(Folder() / "PDF" / "结构 平面01.pdf") + " -").find("M1 一层"), std::string::npos);
    EXPECT_EQ(Shell("/usr/bin/python3 -c \"import ezdxf,sys; print(len(ezdxf.readfile(sys.argv[1]).modelspace()) > 0)\" " +
                    Quoted(saved)),
              "True\n");
}

// The title-block road in every format with stamps, names from the Chinese titles; the
// stamp, signature and title-block libraries and the settings written in the profile of the
// user 张工 and read back by the next session, which exports the fonts into a Chinese folder.
TEST_P(Chinese_Names_Session, Title_Block_Road_Libraries_Settings_And_Fonts_In_Chinese_Folders)
{
    Write_Bytes(Machine() / "c" / "印章 图片" / "公章.png", Read_Bytes(KORVEL_SOURCE_DIR "/tests/fixtures/stamps/seal.png"));
    // A signature library in the ANSI code page with one signer, 李 四.
    Write_Bytes(Config() / "Sign.kvlib1", "20260101\r\n0\r\n1\r\n20260101\r\n1\r\n20260101\r\n1\r\n3\r\n-5   -5\r\n"
                                          "5   -5\r\n0   5\r\n10\r\n10\r\n1\r\n\xC0\xEE*?*\xCB\xC4\r\n0\r\n0\r\n0\r\n0\r\n1\r\n");
    const fs::path merged = Folder() / "标题栏 合并.pdf", saved = Folder() / "结构 平面 盖章后.dxf";
    std::string steps = "command KV_DivezUrez_13\n@824 click 897\nfile \"C:\\印章 图片\\公章.png\"\n"
                        "@819 text 914 \"审定 专用章\"\n@819 text 916 \"40\"\n@819 click 877\n"
                        "@819 text 1004 \"2099-01-01\"\n@819 click IDOK\n"
                        "@824 click 896\nfile \"C:\\导出 资料\\印章 库.kvlib2\"\n@824 click IDOK\n"
                        "command KV_DivezUrez_6\n@IDD_DLG_SIGN_LIB cell IDC_SIGN_LIB_LIST 0 2\n"
                        "@IDD_DLG_STR text IDC_EDIT_TEXT \"赵 六\"\n@IDD_DLG_STR click IDOK\n@IDD_DLG_SIGN_LIB click IDOK\n"
                        "command KV_DivezUrez_4\n" + Select_Title_Sheets + "@806 check 864 1\n";
    // Every format but PLT takes stamps: the stamp is chosen before each of those runs.
    for (int format = 0; format <= 5; ++format)
        steps += "@806 choose 866 " + std::to_string(format) + "\n@806 click 1\n" +
                 (format == 4 ? "" : "@822 check 942 1\n@822 click IDOK\n") + Select_Title_Sheets;
    steps += "@806 choose 866 0\n@806 check 903 1\n@806 click 1\n@822 check 942 1\n@822 click IDOK\nfile \"" +
             merged.string() + "\"\n" + Select_Title_Sheets + "@806 choose 866 6\n@806 click 1\n"
             "save \"" + saved.string() + "\"\nquit\n";
    fs::create_directories(Machine() / "c" / "导出 资料");
    const Cadhost_Run run = Run("road.scr", steps, Drawing());
    ASSERT_EQ(run.status, 0) << run.err << run.out;

    const std::vector<std::string> titles = {"M1-001_M1 平面+M1 一层", "M2-001_M2 平面+M2 一层",
                                             "M3-001_M3 平面+M3 一层"};
    for (size_t f = 0; f < std::size(Formats); ++f)
        EXPECT_EQ(Names_In(Folder() / Format_Folders[f]), With_Extension(titles, Formats[f])) << Format_Folders[f];
    EXPECT_EQ(Outline_Titles(merged), titles);
    EXPECT_TRUE(fs::is_regular_file(saved));
    const std::vector<std::string> config = Names_In(Config());
    for (const char* name : {"BPlot_Cfg_ZCAD.cfg", "BPlot_TK.tk", "Korvel.Ini", "Sign.kvlib1", "Stamp.kvlib2"})
        EXPECT_NE(std::find(config.begin(), config.end(), name), config.end()) << name;
    EXPECT_EQ(Names_In(Machine() / "c" / "导出 资料"), std::vector<std::string>{"印章 库.kvlib2"});
    // The renamed signer in the ANSI code page.
    EXPECT_NE(Read_Bytes(Config() / "Sign.kvlib1").find("\xD5\xD4*?*\xC1\xF9\r\n"), std::string::npos);
    const std::string library = Read_Bytes(Config() / "BPlot_TK.tk");

    // The next session reads the libraries and settings back, then exports the fonts of a
    // drawing in the Chinese folder into a Chinese folder.
    const fs::path c = Machine() / "c";
    Write_Bytes(c / "Windows" / "Fonts" / "korvel_a.shx", "AutoCAD-86 shapes 1.0\r\n\x1a");
    fs::copy_file(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/font_styles.dxf", Folder() / "字体 样式.dxf");
    fs::create_directories(c / "字体 导出");
    const Cadhost_Run next = Run("next.scr",
                                 "command KV_DivezUrez_13\n@824 rows 1164\n@824 click IDOK\n"
                                 "command KV_DivezUrez_6\n@IDD_DLG_SIGN_LIB rows 1164\n@IDD_DLG_SIGN_LIB click IDOK\n"
                                 "command KV_DivezUrez_21\nfile \"C:\\字体 导出\"\nmsgbox OK\n",
                                 Folder() / "字体 样式.dxf");
    ASSERT_EQ(next.status, 0) << next.err << next.out;
    const std::vector<std::vector<std::string>> rows = Rows(next.out);
    ASSERT_EQ(rows.size(), 2u) << next.out;
    EXPECT_EQ(rows[0][2], "审定 专用章");
    EXPECT_EQ(rows[1][2], "赵 六");
    EXPECT_EQ(Read_Bytes(Config() / "BPlot_TK.tk"), library);
    EXPECT_EQ(Names_In(c / "字体 导出" / "Fonts"), std::vector<std::string>{"korvel_a.shx"});
}

// A name longer than the disk allows (the host keeps 255 bytes, 85 Chinese characters): each
// sheet's failure names its file and why, and the session goes on.
TEST(Chinese_Names_Limits, A_File_Name_Too_Long_For_The_Disk_Is_Reported_And_The_Session_Goes_On)
{
    Cadhost_Runner runner;
    const fs::path folder = runner.folder() / "项目 资料";
    fs::create_directories(folder);
    fs::copy_file(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/frames.dxf", folder / "结构 平面.dxf");
    std::string prefix;
    for (int i = 0; i < 90; ++i) prefix += "长";
    const fs::path script = runner.Write_Script(
        "long.scr", "command KV_DivezUrez_2\nenter\npick 2\n@712 click 876\ntext 216 \"" + prefix +
                        "\"\nclick 1\n@712 click 1\nmsgbox OK\nenter\npick 2\n@712 rows 1164\nquit\n");
    const Cadhost_Run run = runner.Run({"--root", (runner.folder() / "machine").string(), "--module", MODULE_2025_PATH,
                                        "--script", script.string(), (folder / "结构 平面.dxf").string()});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::string windows_folder = "Z:" + Replaced(folder.string(), "/", "\\") + "\\PDF\\";
    for (const char* number : {"01", "09"})
        // The plot goes to a fresh name beside its target first; the host names that one.
        EXPECT_NE(run.out.find("cannot write " + windows_folder + prefix + number + ".~new.pdf: the name is too long"),
                  std::string::npos)
            << run.out;
    // One message names every sheet and why.
    EXPECT_NE(run.out.find("全部 9 张图纸均未能输出 !\n\n" + prefix + "01 ：文件名过长\n"), std::string::npos) << run.out;
    EXPECT_EQ(Rows(run.out).size(), 9u) << "the window lists the sheets again:\n" << run.out;
    EXPECT_TRUE(Names_In(folder / "PDF").empty());
}

INSTANTIATE_TEST_SUITE_P(Locales, Chinese_Names_Session,
                         ::testing::Values(Locale_Case{"Unset", nullptr}, Locale_Case{"C", "C"},
                                           Locale_Case{"C_UTF8", "C.UTF-8"}, Locale_Case{"zh_CN_UTF8", "zh_CN.UTF-8"}),
                         [](const ::testing::TestParamInfo<Locale_Case>& info) { return std::string(info.param.name); });

}  // namespace
