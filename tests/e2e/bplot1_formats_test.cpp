// Image and vector output of the batch plot to files in a host session, on a drawing whose
// sheets are drawn at 1:1, 1:20, 1:50 and 1:100: the user gives two sheets their scales and
// one a paper by hand, changes the output format, and every sheet comes out on the paper
// the list shows.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"

namespace fs = std::filesystem;

namespace {

struct Format_Case {
    const char* name;
    int format_index;     // entry of the format combo
    const char* folder;   // sub-folder beside the drawing
    const char* extension;
};
void PrintTo(const Format_Case& format, std::ostream* out) { *out << format.name; }

std::string Read_Text(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The first match's two numbers, or nothing.
bool Two_Numbers(const std::string& text, const std::regex& pattern, double& a, double& b)
{
    std::smatch match;
    if (!std::regex_search(text, match, pattern))
        return false;
    a = std::stod(match[1]);
    b = std::stod(match[2]);
    return true;
}

// The resolution the device file of the output type gives the driver.
double Device_Dpi(const fs::path& machine, const std::string& device_file)
{
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(machine)) {
        if (entry.path().filename() != device_file)
            continue;
        double dpi = 0, unused = 0;
        if (Two_Numbers(Read_Text(entry.path()), std::regex(R"(resolution_x=(\d+)\s+resolution_y=(\d+))"), dpi, unused))
            return dpi;
    }
    return 0;
}

// The page of an output file in millimetres, longer side first: raster images by their
// pixels at the device's resolution, SVG by its width and height, PLT by its page size.
std::pair<double, double> Page_Of(const fs::path& file, const std::string& extension, double dpi)
{
    double a = 0, b = 0, per_mm = 0;
    if (extension == ".png" || extension == ".jpg") {
        const std::regex pixels(extension == ".png" ? R"(PNG image data, (\d+) x (\d+))" : R"(precision \d+, (\d+)x(\d+))");
        if (Two_Numbers(Shell("file -b " + Quoted(file)), pixels, a, b))
            per_mm = dpi / 25.4;
    } else if (extension == ".svg") {
        if (Two_Numbers(Read_Text(file), std::regex(R"(<svg[^>]* width="([\d.]+)pt" height="([\d.]+)pt")"), a, b))
            per_mm = 72.0 / 25.4;
    } else if (Two_Numbers(Read_Text(file), std::regex(R"(IN;PS(\d+),(\d+);)"), a, b)) {
        per_mm = 40.0;  // plotter units
    }
    if (per_mm <= 0)
        return {0, 0};
    return {std::max(a, b) / per_mm, std::min(a, b) / per_mm};
}

// A session on a copy of the drawing with sheets at four scales, in the runner's folder.
class Bplot1_Session : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/scaled_frames.dxf", Folder() / "scaled_frames.dxf");
    }
    fs::path Folder() const { return runner.folder(); }

    // Opens the window, sets the scales of the 1:20 and 1:50 sheets, gives the last sheet
    // an A2 paper, switches to the format, runs the further steps, lists the rows and prints;
    // the session ends at the detection that follows the plot.
    void Plot(const Format_Case& format, const std::string& further_steps = "")
    {
        const std::string steps = "command KV_DivezUrez_2\nenter\npick 2\n"
                                  "@712 cell 1164 1 5\ntext 878 \"20\"\nclick 1\n"
                                  "@712 cell 1164 2 5\ntext 878 \"50\"\nclick 1\n"
                                  "@712 cell 1164 3 4\npick 2\n"
                                  "@712 choose 863 " + std::to_string(format.format_index) + "\n" + further_steps +
                                  "@712 rows 1164\n@712 click 1\nquit\n";
        const fs::path script = runner.Write_Script("session.scr", steps);
        run = runner.Run({"--root", (Folder() / "machine").string(), "--module", MODULE_2025_PATH, "--script",
                          script.string(), (Folder() / "scaled_frames.dxf").string()});
    }

    // Every listed sheet has its file, on the paper of its row.
    void Expect_Files_On_The_Listed_Papers(const Format_Case& format)
    {
        ASSERT_EQ(run.status, 0) << run.err << run.out;
        const std::vector<std::vector<std::string>> rows = Rows(run.out);
        ASSERT_EQ(rows.size(), 4u) << run.out;
        // Left to right: the sheets drawn at 1:1, 1:20, 1:50 and 1:100.
        const char* const sizes[] = {"420x297", "11880x8400", "42050x29700", "42000x29700"};
        const std::pair<double, double> papers[] = {{420, 297}, {594, 420}, {841, 594}, {594, 420}};
        for (size_t i = 0; i < rows.size(); ++i) {
            ASSERT_EQ(rows[i].size(), 8u);
            EXPECT_EQ(rows[i][6], sizes[i]);
            EXPECT_EQ(Paper_Sides(rows[i][4]), papers[i]) << "row " << i + 1 << ": " << rows[i][4];
        }

        const std::vector<fs::path> files = Files_In(Folder() / format.folder, format.extension);
        ASSERT_EQ(files.size(), rows.size()) << run.out;
        const std::string device_file = std::string("K_") + format.folder + ".pc5";
        const double dpi = Device_Dpi(Folder() / "machine", device_file);
        for (size_t i = 0; i < files.size(); ++i) {
            EXPECT_EQ(files[i].filename(), "scaled_frames0" + std::to_string(i + 1) + format.extension);
            const std::pair<double, double> page = Page_Of(files[i], format.extension, dpi);
            const std::pair<double, double> paper = Paper_Sides(rows[i][4]);
            EXPECT_NEAR(page.first, paper.first, 1.0) << files[i] << " at " << dpi << " dpi, listed " << rows[i][4];
            EXPECT_NEAR(page.second, paper.second, 1.0) << files[i] << " at " << dpi << " dpi, listed " << rows[i][4];
        }
    }

    Cadhost_Run run;
    Cadhost_Runner runner;
};

class Bplot1_Format_Session : public Bplot1_Session, public ::testing::WithParamInterface<Format_Case> {};

TEST_P(Bplot1_Format_Session, Every_Sheet_Comes_Out_On_The_Listed_Paper)
{
    Plot(GetParam());
    Expect_Files_On_The_Listed_Papers(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Formats, Bplot1_Format_Session,
                         ::testing::Values(Format_Case{"Png", 3, "PNG", ".png"}, Format_Case{"Jpg", 2, "JPG", ".jpg"},
                                           Format_Case{"Svg", 5, "SVG", ".svg"}, Format_Case{"Plt", 4, "PLT", ".plt"}),
                         [](const ::testing::TestParamInfo<Format_Case>& info) { return std::string(info.param.name); });

// The hand-chosen paper and the scales survive the unequal-margins entry after the format
// change; margins of 0 leave the pages at the papers' sizes.
TEST_F(Bplot1_Session, A_Chosen_Paper_Survives_A_Format_Change_And_The_Unequal_Margins_Entry)
{
    const Format_Case svg{"Svg", 5, "SVG", ".svg"};
    Plot(svg, "@712 choose 864 0\ntext 202 \"0 0 0 0\"\ntext 203 \"0 0 0 0\"\nclick 1\n");
    Expect_Files_On_The_Listed_Papers(svg);
}

}  // namespace
