// The title-block road in a host session: KV_DivezUrez_4 recognises the sheets of the
// title-block fixture (model space and two layouts) by the library's definitions, the
// window lists them with their fields, a drawing number edited in it goes into the drawing,
// Print writes one file per sheet named by the naming rule (merged with the sheets' titles
// when asked), and drawing-file output writes one drawing per sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"
#include "tk_library_file.h"

namespace fs = std::filesystem;

namespace {

class TK_Batch_Session : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/title_blocks.dxf", Folder() / "title_blocks.dxf");
        Write_TK_Library(TK_Library_Path(Folder() / "machine"));
    }
    fs::path Folder() const { return runner.folder(); }
    Cadhost_Run Run(const std::string& steps)
    {
        const fs::path script = runner.Write_Script("session.scr", steps);
        return runner.Run({"--root", (Folder() / "machine").string(), "--module", MODULE_2025_PATH, "--script",
                           script.string(), (Folder() / "title_blocks.dxf").string()});
    }
    // The recognition over every space.
    static std::string Open() { return "command KV_DivezUrez_4\n" + Reopen(); }
    // The recognition of the window a run opens again.
    static std::string Reopen() { return "enter\npick 2\n"; }
    // The fixture's frames hold no stamp position for the options' stamps: no stamp question.
    static std::string Print() { return "@806 click 1\n"; }
    static std::vector<std::string> Names(const std::vector<fs::path>& files)
    {
        std::vector<std::string> names;
        for (const fs::path& file : files) names.push_back(file.stem().string());
        return names;
    }

    Cadhost_Runner runner;
};

TEST_F(TK_Batch_Session, Lists_Edits_And_Prints_Every_Sheet_By_Its_Name)
{
    const fs::path merged = Folder() / "merged.pdf", saved = Folder() / "after.dxf";
    const Cadhost_Run run =
        Run(Open() + "@806 rows 1164\n@806 cell 1164 0 6\ntext 202 \"ZZ-009\"\nclick 1\n@806 rows 1164\n" +
            "@806 choose 862 1\n@806 check 903 0\n" + Print() + Reopen() + "@806 check 903 1\n" + Print() + "file \"" + merged.string() +
            "\"\n" + Reopen() + "@806 choose 866 6\n@806 choose 862 1\n@806 click 1\nsave \"" + saved.string() + "\"\nquit\n");
    ASSERT_EQ(run.status, 0) << run.err << run.out;

    const std::vector<std::vector<std::string>> rows = Rows(run.out);
    ASSERT_GE(rows.size(), 16u) << run.out;
    const std::vector<std::vector<std::string>> first(rows.begin(), rows.begin() + 8);
    const std::vector<std::vector<std::string>> edited(rows.begin() + 8, rows.begin() + 16);
    // Every sheet with its number, revision, date and its name "A_C", the title's lines
    // joined by the library's separator.
    for (const auto& row : first) {
        ASSERT_EQ(row.size(), 10u);
        const std::string prefix = row[6].substr(0, 2);
        EXPECT_EQ(row[6], prefix + "-001");
        EXPECT_EQ(row[7], "B" + prefix);
        EXPECT_EQ(row[8].rfind("2026-01-", 0), 0u) << row[8];
        EXPECT_EQ(row[2], "  " + prefix + "-001_" + prefix + " PLAN+" + prefix + " LEVEL 1");
        EXPECT_EQ(row[4].rfind("A3", 0), 0u) << row[4];  // the stretched dynamic frame is longer
    }
    const std::string old_number = first[0][6];
    // The edited row sorts last by its new number and is named by it.
    EXPECT_EQ(edited.back()[6], "ZZ-009");
    EXPECT_EQ(edited.back()[2].rfind("  ZZ-009_", 0), 0u) << edited.back()[2];

    // One PDF per sheet, named as the list shows.
    std::vector<std::string> expected;
    for (const auto& row : edited) expected.push_back(row[2].substr(2));
    std::vector<std::string> sorted_expected = expected;
    std::sort(sorted_expected.begin(), sorted_expected.end());
    EXPECT_EQ(Names(Files_In(Folder() / "PDF", ".pdf")), sorted_expected);

    // The merged PDF's outline titles are the sheets' names in list order.
    const std::string titles = Shell("qpdf --json " + Quoted(merged) +
                                     " | /usr/bin/python3 -c \"import json,sys; "
                                     "[print('title:', o['title']) for o in json.load(sys.stdin)['outlines']]\"");
    EXPECT_EQ(Lines(titles, "title: "), expected);

    // One drawing per sheet, named from its file name.
    EXPECT_EQ(Names(Files_In(Folder() / "DWG", ".dxf")), sorted_expected);

    // The new number is in the drawing, the old one gone.
    const std::string texts = Shell(
        "/usr/bin/python3 -c \"import ezdxf,sys; d=ezdxf.readfile(sys.argv[1]); "
        "v=[e.dxf.text for l in d.layouts for e in l.query('TEXT ATTRIB')] + "
        "[a.dxf.text for l in d.layouts for i in l.query('INSERT') for a in i.attribs]; "
        "print(v.count('ZZ-009'), v.count(sys.argv[2]))\" " +
        Quoted(saved) + " " + Quoted(old_number));
    EXPECT_EQ(texts, "1 0\n") << old_number;
}

// A margin typed into the window's margin combo, beyond the list's, reaches the device
// files: every page 20 mm larger on each side than without a margin.
TEST_F(TK_Batch_Session, A_Typed_Margin_Widens_Every_Page)
{
    const fs::path first = Folder() / "first.pdf", second = Folder() / "second.pdf";
    const Cadhost_Run run = Run(Open() + "@806 choose 867 1\n@806 check 903 1\n" + Print() + "file \"" + first.string() +
                                "\"\n" + Reopen() + "@806 text 867 \"20\"\n" + Print() + "file \"" + second.string() +
                                "\"\nquit\n");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    ASSERT_EQ(Page_Sides(first).size(), 8u) << Shell("pdfinfo " + Quoted(first));
    EXPECT_EQ(Pages_Grown_By(first, second, 40), "");
}

}  // namespace
