// The companion's two PDF jobs, checked with qpdf.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <unistd.h>

#include "companion/pdf_jobs.h"
#include "pdf_inspect.h"
#include "win/host_path_text.h"
#include "win/machine.h"

namespace fs = std::filesystem;
using companion::Merge_Input;

class Pdf_Jobs_Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Folder = fs::temp_directory_path() /
                   ("korvel_pdf_jobs_" + std::to_string(getpid()) + "_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_Folder);
        fs::create_directories(m_Folder);
    }
    void TearDown() override { fs::remove_all(m_Folder); }
    fs::path File(const std::string& name) const { return m_Folder / name; }

    fs::path m_Folder;
};

TEST_F(Pdf_Jobs_Test, MergeKeepsFileAndPageOrderWithOneOutlineEntryPerFile)
{
    pdf_test::Make_Pdf(File("1.pdf"), {{200, 300}});
    pdf_test::Make_Pdf(File("2.pdf"), {{210, 300}, {215, 300}});
    pdf_test::Make_Pdf(File("3.pdf"), {{220, 300}});
    const auto result = companion::Merge_Pdf_Files(
        {{File("1.pdf"), "一层平面图"}, {File("2.pdf"), "S-02 A+B"}, {File("3.pdf"), "C"}}, File("out.pdf"));
    EXPECT_EQ(result.joined, 3);
    EXPECT_TRUE(result.error.empty()) << result.error;
    EXPECT_TRUE(result.skipped.empty());

    const auto merged = pdf_test::Inspect(File("out.pdf"));
    ASSERT_TRUE(merged.read);
    EXPECT_EQ(pdf_test::Widths(merged), (std::vector<int>{200, 210, 215, 220}));
    ASSERT_EQ(merged.outlines.size(), 3u);
    const std::pair<std::string, int> expected[] = {{"一层平面图", 1}, {"S-02 A+B", 2}, {"C", 4}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(merged.outlines[i].title, expected[i].first);
        EXPECT_EQ(merged.outlines[i].page, expected[i].second);
    }
    EXPECT_NE(pdf_test::Run("qpdf --check " + pdf_test::Quote(File("out.pdf").string())).find("No syntax or stream"),
              std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_Folder), {}), 4) << "no temporary is left";
}

TEST_F(Pdf_Jobs_Test, MissingAndBrokenInputsAreSkippedWithTheirTitles)
{
    pdf_test::Make_Pdf(File("3.pdf"), {{230, 300}});
    std::ofstream(File("2.pdf")) << "not a pdf";
    std::ofstream(File("out.pdf")) << "old result";
    const auto result = companion::Merge_Pdf_Files(
        {{File("1.pdf"), "missing"}, {File("2.pdf"), "broken"}, {File("3.pdf"), "good"}}, File("out.pdf"));
    EXPECT_EQ(result.joined, 1);
    EXPECT_EQ(result.skipped.size(), 2u);
    const auto merged = pdf_test::Inspect(File("out.pdf"));
    EXPECT_EQ(pdf_test::Widths(merged), std::vector<int>{230});
    ASSERT_EQ(merged.outlines.size(), 1u);
    EXPECT_EQ(merged.outlines[0].title, "good");
}

TEST_F(Pdf_Jobs_Test, NoReadableInputWritesNoTarget)
{
    std::ofstream(File("2.pdf")) << "not a pdf";
    for (const auto& inputs : {std::vector<Merge_Input>{}, std::vector<Merge_Input>{{File("1.pdf"), "a"}, {File("2.pdf"), "b"}}}) {
        const auto result = companion::Merge_Pdf_Files(inputs, File("out.pdf"));
        EXPECT_EQ(result.joined, 0);
        EXPECT_FALSE(result.error.empty());
        EXPECT_FALSE(fs::exists(File("out.pdf")));
    }
}

TEST_F(Pdf_Jobs_Test, RotationTurnsEveryPageOnTopOfItsRotation)
{
    pdf_test::Make_Pdf(File("sheet.pdf"), {{200, 300}, {300, 200}});
    ASSERT_EQ(companion::Rotate_Pdf_File(File("sheet.pdf"), 90), "");
    auto pages = pdf_test::Inspect(File("sheet.pdf")).pages;
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].rotate, 90);
    EXPECT_EQ(pages[1].rotate, 90);
    ASSERT_EQ(companion::Rotate_Pdf_File(File("sheet.pdf"), 270), "");
    pages = pdf_test::Inspect(File("sheet.pdf")).pages;
    EXPECT_EQ(pages[0].rotate, 0);
    ASSERT_EQ(companion::Rotate_Pdf_File(File("sheet.pdf"), 270), "");
    EXPECT_EQ(pdf_test::Inspect(File("sheet.pdf")).pages[1].rotate, 270);
    EXPECT_EQ(pdf_test::Widths(pdf_test::Inspect(File("sheet.pdf"))), (std::vector<int>{200, 300}));
}

TEST_F(Pdf_Jobs_Test, RotationRefusesBadAnglesAndUnreadableFilesLeavingThemAsTheyAre)
{
    pdf_test::Make_Pdf(File("sheet.pdf"), {{200, 300}});
    EXPECT_NE(companion::Rotate_Pdf_File(File("sheet.pdf"), 45), "");
    EXPECT_EQ(pdf_test::Inspect(File("sheet.pdf")).pages.at(0).rotate, 0);
    std::ofstream(File("broken.pdf")) << "not a pdf";
    EXPECT_NE(companion::Rotate_Pdf_File(File("broken.pdf"), 90), "");
    std::ifstream in(File("broken.pdf"));
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "not a pdf");
    EXPECT_NE(companion::Rotate_Pdf_File(File("missing.pdf"), 90), "");
    EXPECT_FALSE(fs::exists(File("missing.pdf")));
}

// A result that cannot be written whole (denied folder, full disk, short write) is an error;
// the old target and the file to rotate stay byte for byte and nothing else is left.
TEST_F(Pdf_Jobs_Test, AResultThatCannotBeWrittenWholeLeavesTheFilesAsTheyWere)
{
    using platform::Machine;
    pdf_test::Make_Pdf(File("1.pdf"), {{200, 300}});
    pdf_test::Make_Pdf(File("2.pdf"), {{210, 300}});
    std::ofstream(File("out.pdf")) << "old result";
    const auto read = [](const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string sheet = read(File("1.pdf"));
    const struct {
        const char* what;
        std::function<void(const fs::path&)> arrange;
        const char* reason;
    } cases[] = {
        {"denied folder", [](const fs::path& f) { Machine::instance().deny_writes(platform::Text_From_Host_Path(f.parent_path())); },
         "access denied"},
        {"full disk", [](const fs::path& f) { Machine::instance().set_disk_free(platform::Text_From_Host_Path(f.parent_path()), 100); },
         "the disk is full"},
        {"short write", [](const fs::path& f) { Machine::instance().fail_writes_after(platform::Text_From_Host_Path(f), 100); },
         "the disk is full"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange(File("out.pdf"));
        const auto merged = companion::Merge_Pdf_Files({{File("1.pdf"), "a"}, {File("2.pdf"), "b"}}, File("out.pdf"));
        EXPECT_EQ(merged.joined, 0);
        EXPECT_EQ(merged.error, "cannot write " + File("out.pdf").string() + ": " + c.reason);
        c.arrange(File("1.pdf"));
        EXPECT_EQ(companion::Rotate_Pdf_File(File("1.pdf"), 90),
                  "cannot write " + File("1.pdf").string() + ": " + c.reason);
        Machine::instance().allow_writes(platform::Text_From_Host_Path(m_Folder));
        Machine::instance().set_disk_free(platform::Text_From_Host_Path(m_Folder), std::nullopt);

        EXPECT_EQ(read(File("out.pdf")), "old result");
        EXPECT_EQ(read(File("1.pdf")), sheet);
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_Folder)) names.insert(entry.path().filename().string());
        EXPECT_EQ(names, (std::set<std::string>{"1.pdf", "2.pdf", "out.pdf"}));
    }
}
