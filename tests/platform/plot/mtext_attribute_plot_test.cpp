// A multi-line attribute of a real drawing prints its multiline text on the plotted page.
#include <gtest/gtest.h>

#include <string>

#include "plot/plot_job.h"
#include "plot/render/render_page.h"
#include "render_test_drawing.h"
#include "script/utf8.h"
#include "real_drawings.h"
#include "win/host_path_text.h"

TEST(MTextAttributePlot, TheAttributesMultilineTextIsOnThePage)
{
    const char* drawing = "acadsharp/samples/sample_AC1032_ascii.dxf";
    KORVEL_REQUIRE_REAL_DRAWING(drawing);
    ZcDbDatabase db(false, true);
    ASSERT_EQ(db.readDwgFile(platform::From_Utf8(korvel_test::Real_Drawing(drawing)).c_str()), Zcad::eOk);
    const std::filesystem::path dir = render_test::Output_Folder("mtext_attribute");
    // The window around the reference whose attribute is multi-line.
    platform::PlotJob job = render_test::A4_Landscape_Job(&db);
    job.window_min = {960, 0};
    job.window_max = {1040, 50};
    job.output_path = platform::Text_From_Host_Path(dir / "attribute.pdf");
    platform::PlotResult r = platform::Render_Plot(job);
    ASSERT_TRUE(r.ok) << platform::To_Utf8(r.error);
    const std::string text = render_test::Run_Command("pdftotext " + render_test::Quote(dir / "attribute.pdf") + " -");
    EXPECT_NE(text.find("my multi line text for the attrrib"), std::string::npos) << text;
    std::filesystem::remove_all(dir);
}
