// The colour and font tools in cadhost sessions on fixture drawings, the saved drawings
// read back by ezdxf: true colours converted; the font check listing and repairing the
// missing fonts; the export copying exactly the fonts the text styles use.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"

namespace {

const std::filesystem::path Fixtures = KORVEL_SOURCE_DIR "/tests/fixtures/dxf";
const std::string Dump = KORVEL_SOURCE_DIR "/tests/e2e/drafting_dump.py";
const std::filesystem::path Collection = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

std::string Ezdxf_Dump(const std::string& mode, const std::filesystem::path& drawing)
{
    return Shell("/usr/bin/python3 " + Quoted(Dump) + " " + mode + " " + Quoted(drawing));
}

void Write_File(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Split_Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// The fonts of the font_styles fixture on the machine: the standard SHX file and the
// collection in the Windows fonts folder, the big font in the program's Fonts folder on
// the support path.
class Font_Session : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(Collection))
            GTEST_SKIP() << "needs fonts-wqy-microhei";
        const std::filesystem::path c = runner.folder() / "machine" / "c";
        Write_File(c / "Windows" / "Fonts" / "korvel_a.shx", "AutoCAD-86 shapes 1.0\r\n\x1a");
        Write_File(c / "Program Files" / "ZWSOFT" / "ZWCAD 2025" / "Fonts" / "korvel_big.shx",
                   "AutoCAD-86 bigfont 1.0\r\n\x1a");
        std::filesystem::copy_file(Collection, c / "Windows" / "Fonts" / "wqy-microhei.ttc");
        std::filesystem::create_directories(c / "Export");
    }
    Cadhost_Run Run(const std::string& script, const std::filesystem::path& saved)
    {
        return runner.Run({"--root", (runner.folder() / "machine").string(), "--module", MODULE_2025_PATH, "--script",
                           runner.Write_Script("session.txt", script).string(), "--save", saved.string(),
                           (Fixtures / "font_styles.dxf").string()});
    }
    Cadhost_Runner runner;
};

TEST(True_Colors_Session, Enter_Converts_Entities_Nested_Blocks_Layers_And_Multiline_Texts)
{
    Cadhost_Runner runner;
    const std::filesystem::path saved = runner.folder() / "converted.dxf";
    const Cadhost_Run run = runner.Run({"--root", (runner.folder() / "machine").string(), "--module",
                                        MODULE_2025_PATH, "--script",
                                        runner.Write_Script("session.txt", "command KV_DivezUrez_18\nenter\n").string(),
                                        "--save", saved.string(), (Fixtures / "true_colors.dxf").string()});
    ASSERT_EQ(run.status, 0) << run.out << run.err;

    const std::vector<std::string> lines = Split_Lines(Ezdxf_Dump("colors", saved));
    ASSERT_FALSE(lines.empty());
    // Fields: layout or "layer", type or name, colour, true colour ("-": none), ...
    for (const std::string& line : lines) {
        std::vector<std::string> fields;
        for (size_t start = 0, end; start <= line.size(); start = end + 1) {
            end = line.find(' ', start);
            if (end == std::string::npos)
                end = line.size();
            fields.push_back(line.substr(start, end - start));
        }
        ASSERT_GE(fields.size(), 4u) << line;
        EXPECT_EQ(fields[3], "-") << "a true colour is left: " << line;
    }
    // Index, ByLayer and ByBlock colours stay; true colours take their nearest index; the
    // locked layer is locked again.
    const std::string expected_lines[] = {
        "*Model_Space LINE 256 -", "*Model_Space LINE 1 -", "*Model_Space CIRCLE 3 -", "*Model_Space LINE 0 -",
        "*Model_Space MTEXT 32 - {RED} word \\C1;index", "*Model_Space MTEXT 256 - \\c255 no end",
        "INNER LINE 178 -", "OUTER LINE 94 -",
        "layer TC_LAYER 102 - 0", "layer DEEP_LAYER 171 - 0", "layer LOCKED 7 - 1"};
    for (const std::string& expected : expected_lines)
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
}

TEST_F(Font_Session, Check_Lists_The_Missing_Fonts_And_Writes_The_Chosen_Replacement)
{
    const std::filesystem::path saved = runner.folder() / "repaired.dxf";
    // Row 0 is "Missing_A"; the picker's first standard font is korvel_a.shx.
    const Cadhost_Run run = Run("command KV_DivezUrez_20\nrows 1164\n@835 cell 1164 0 2\npick 0\n@835 click 1\n", saved);
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(Lines(run.out, "rows 1164: "),
              (std::vector<std::string>{" 1 | Missing_A | gone_a.shx | korvel_big.shx",
                                        " 2 | Missing_B | korvel_a.shx | gone_big.shx"}))
        << run.out;
    const std::vector<std::string> styles = Split_Lines(Ezdxf_Dump("styles", saved));
    EXPECT_NE(std::find(styles.begin(), styles.end(), "style Missing_A|korvel_a.shx|korvel_big.shx"), styles.end())
        << Ezdxf_Dump("styles", saved);
    EXPECT_NE(std::find(styles.begin(), styles.end(), "style Missing_B|korvel_a|gone_big.shx"), styles.end());
}

TEST_F(Font_Session, Export_Copies_Exactly_The_Installed_Fonts_The_Styles_Use)
{
    const std::filesystem::path saved = runner.folder() / "exported.dxf";
    const Cadhost_Run run = Run("command KV_DivezUrez_21\nfile \"C:\\Export\"\nmsgbox OK\n", saved);
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    std::vector<std::string> copied;
    for (const auto& entry : std::filesystem::directory_iterator(runner.folder() / "machine" / "c" / "Export" / "Fonts"))
        copied.push_back(entry.path().filename().string());
    std::sort(copied.begin(), copied.end());
    EXPECT_EQ(copied, (std::vector<std::string>{"korvel_a.shx", "korvel_big.shx", "wqy-microhei.ttc"}));
    EXPECT_NE(run.out.find("当前图形共用到字体文件 5 个：\n\n    其中缺失字体文件 2 个，导出字体文件 3 个 !\n\n"
                           "缺失的字体文件如下：\n\n    gone_a.shx\n    gone_big.shx"),
              std::string::npos)
        << run.out;
}

}  // namespace
