// Real drawings from other projects plotted by their extents in black and white: every entity
// kind they hold goes through the renderer into a PDF that qpdf accepts and that shows ink.
#include <gtest/gtest.h>

#include "plot/plot_job.h"
#include "render_test_drawing.h"
#include "script/utf8.h"
#include "real_drawings.h"
#include "win/host_path_text.h"

using render_test::Quote;
using render_test::Run_Command;

TEST(DriverRealDrawing, PlotsByExtentsToACheckedPdfWithInk)
{
    const char* files[] = {
        "qcad/examples/flange.dxf",
        "skymakerolof-dxf/test/resources/floorplan.dxf",
        "cad-viewer/packages/cad-viewer-example/e2e/fixtures/sheet_0.dxf",
        "libredwg/test/test-data/example_2000.dxf",
    };
    for (const char* file : files) KORVEL_REQUIRE_REAL_DRAWING(file);
    auto dir = render_test::Output_Folder("real");
    int n = 0;
    for (const char* file : files) {
        SCOPED_TRACE(file);
        const std::string path = korvel_test::Real_Drawing(file);
        ZcDbDatabase db(false, true);
        ASSERT_EQ(db.readDwgFile(platform::From_Utf8(path).c_str()), Zcad::eOk);
        platform::PlotJob job;
        job.database = &db;
        job.area = platform::PlotArea::Extents;
        job.landscape = true;
        job.style_table_path = platform::From_Utf8(std::string(KORVEL_SOURCE_DIR) + "/res/plotstyles/ZCAD1.ccc");
        job.output_path = platform::Text_From_Host_Path(dir / (std::to_string(++n) + ".pdf"));
        platform::PlotResult r = platform::Render_Plot(job);
        ASSERT_TRUE(r.ok) << platform::To_Utf8(r.error);
        int status = -1;
        Run_Command("qpdf --check " + Quote(dir / (std::to_string(n) + ".pdf")) + " >/dev/null 2>&1", &status);
        EXPECT_EQ(status, 0);
        // The darkest grey level of the page rendered at 72 dpi: ink is well below white.
        std::string pgm = Run_Command("pdftoppm -r 72 -gray " + Quote(dir / (std::to_string(n) + ".pdf")));
        std::istringstream in(pgm);
        std::string magic;
        int w = 0, h = 0, maxval = 0;
        in >> magic >> w >> h >> maxval;
        in.get();
        int darkest = 255;
        for (char c; in.get(c);) darkest = std::min(darkest, int(static_cast<unsigned char>(c)));
        EXPECT_LT(darkest, 128);
    }
}
