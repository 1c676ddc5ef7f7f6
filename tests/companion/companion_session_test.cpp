// The companion in a cadhost session: "NETLOAD" from the session script, then the merge
// command on a drawing that holds the job.
#include "cadhost_runner.h"
#include "companion_fixture.h"
#include "pdf_inspect.h"

namespace fs = std::filesystem;

TEST_F(Companion_Test, CadhostSessionLoadsTheCompanionAndMergesTheDrawingsJob)
{
    Cadhost_Runner runner;
    pdf_test::Make_Pdf(runner.folder() / "t" / "1.pdf", {{200, 300}});
    pdf_test::Make_Pdf(runner.folder() / "t" / "2.pdf", {{210, 300}});
    const fs::path target = runner.folder() / "all.pdf";
    resbuf* merge = zcutBuildList(90, 2, 1, Text(target).c_str(), 1, Text(runner.folder() / "t" / "1.pdf").c_str(), 1,
                                  L"第一张", 1, Text(runner.folder() / "t" / "2.pdf").c_str(), 1, L"第二张", RTNONE);
    Write_Record(Working(), L"Merge_Infor", merge);
    zcutRelRb(merge);
    const fs::path drawing = runner.folder() / "job.dxf";
    ASSERT_EQ(Working()->saveAs(Text(drawing).c_str()), Zcad::eOk);

    const fs::path script = runner.Write_Script(
        "session.txt", "command NETLOAD\nfile \"" + std::string(PELORIN_PATH) + "\"\ncommand K_PDF_Merge\n");
    const Cadhost_Run run =
        runner.Run({"--root", (runner.folder() / "machine").string(), "--script", script.string(), drawing.string()});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("K_PDF_Merge: 2 files merged"), std::string::npos) << run.out;
    const auto merged = pdf_test::Inspect(target);
    EXPECT_EQ(pdf_test::Widths(merged), (std::vector<int>{200, 210}));
    ASSERT_EQ(merged.outlines.size(), 2u);
    EXPECT_EQ(merged.outlines[1].title, "第二张");
    EXPECT_EQ(merged.outlines[1].page, 2);
}
