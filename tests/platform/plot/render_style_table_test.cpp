// Plot-style tables: the three templates and the reader's errors.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "plot/render/plot_style_table.h"
#include "script/utf8.h"

using platform::Plot_Style_Table;

namespace {

std::wstring Template(int n)
{
    return platform::From_Utf8(std::string(KORVEL_SOURCE_DIR) + "/res/plotstyles/ZCAD" + std::to_string(n) + ".ccc");
}

uint32_t Output(const Plot_Style_Table& t, int index, uint32_t objectRgb)
{
    return Plot_Style_Table::Output_Color(t.style(index), objectRgb);
}

}  // namespace

TEST(RenderStyleTable, TemplatesGiveBlackColourAndBlue)
{
    struct Case {
        int number;
        const wchar_t* description;
        uint32_t red_plots_as, green_plots_as, white_plots_as;
    } cases[] = {
        {1, L"黑白", 0x000000, 0x000000, 0x000000},
        {2, L"彩色", 0xFF0000, 0x00FF00, 0x000000},
        {3, L"蓝白", 0x0000FF, 0x0000FF, 0x0000FF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        Plot_Style_Table t;
        std::wstring error;
        ASSERT_TRUE(t.load(Template(c.number), error)) << platform::To_Utf8(error);
        EXPECT_EQ(t.description(), c.description);
        EXPECT_EQ(Output(t, 1, 0xFF0000), c.red_plots_as);
        EXPECT_EQ(Output(t, 3, 0x00FF00), c.green_plots_as);
        EXPECT_EQ(Output(t, 7, 0xFFFFFF), c.white_plots_as);
        EXPECT_TRUE(t.style(5).use_object_lineweight);
    }
}

TEST(RenderStyleTable, LaterLinesOverrideAndScreeningLightens)
{
    Plot_Style_Table t;
    std::wstring error;
    ASSERT_TRUE(t.parse("KORVEL-CTB 1\n# comment\n\n*  #000000 object 100\n2 #FF0000 0.70 50\n", error));
    EXPECT_EQ(Output(t, 1, 0x123456), 0x000000u);
    EXPECT_EQ(Output(t, 2, 0x123456), 0xFF8080u);  // half the ink of red
    EXPECT_FALSE(t.style(2).use_object_lineweight);
    EXPECT_DOUBLE_EQ(t.style(2).lineweight_mm, 0.70);
    // Outside 1..255 the object plots as it is.
    EXPECT_EQ(Output(t, 0, 0x123456), 0x123456u);
}

TEST(RenderStyleTable, BadLinesAreReportedWithTheirNumber)
{
    struct Case {
        const char* text;
        const wchar_t* expected;
    } cases[] = {
        {"", L"empty file"},
        {"CTB\n", L"line 1: not a plot-style table"},
        {"KORVEL-CTB 1\n0 #000000 object 100\n", L"line 2: colour index"},
        {"KORVEL-CTB 1\n256 #000000 object 100\n", L"line 2: colour index"},
        {"KORVEL-CTB 1\n1 black object 100\n", L"line 2: colour must"},
        {"KORVEL-CTB 1\n1 #000000 -1 100\n", L"line 2: lineweight"},
        {"KORVEL-CTB 1\n\n1 #000000 object 101\n", L"line 3: screening"},
        {"KORVEL-CTB 1\n1 #000000 object\n", L"line 2: expected"},
        {"KORVEL-CTB 1\n1 #000000 object 100 extra\n", L"line 2: expected"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Plot_Style_Table t;
        std::wstring error;
        EXPECT_FALSE(t.parse(c.text, error));
        EXPECT_EQ(error.rfind(c.expected, 0), 0u) << platform::To_Utf8(error);
    }
}

// The table is kept as parsed, and read again when the file is rewritten, even at once and
// to the same size; a table that became unreadable is an error.
TEST(RenderStyleTable, RewrittenTableIsReadAgain)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("korvel_style_" + std::to_string(::getpid()) + ".ctb");
    const std::wstring path = platform::From_Utf8(file.string());
    const struct {
        const char* text;
        bool loads;
        uint32_t red_plots_as;
    } cases[] = {
        {"KORVEL-CTB 1\n1 #0000FF object 100\n", true, 0x0000FF},
        {"KORVEL-CTB 1\n1 #00FF00 object 100\n", true, 0x00FF00},
        {"KORVEL-CTB 1\n1 #00FF00 objekt 100\n", false, 0},
        {"KORVEL-CTB 1\n1 object object 100\n", true, 0xFF0000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << c.text;
        Plot_Style_Table t;
        std::wstring error;
        ASSERT_EQ(t.load(path, error), c.loads) << platform::To_Utf8(error);
        if (c.loads)
            EXPECT_EQ(Output(t, 1, 0xFF0000), c.red_plots_as);
        else
            EXPECT_NE(error.find(path), std::wstring::npos);
    }
    std::filesystem::remove(file);
}

TEST(RenderStyleTable, MissingFileNamesThePath)
{
    Plot_Style_Table t;
    std::wstring error;
    EXPECT_FALSE(t.load(L"/nonexistent/黑白.ctb", error));
    EXPECT_NE(error.find(L"/nonexistent/黑白.ctb"), std::wstring::npos);
}
