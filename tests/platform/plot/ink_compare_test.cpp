// The ink comparison itself: ezdxf's drawing of a plotted window lands on the plot's ink, and a
// window that is off by a few millimetres is seen as such.
#include <gtest/gtest.h>

#include "dxf/dxf_writer.h"
#include "render_test_drawing.h"
#include "ink_compare.h"
#include "ink_plot.h"

TEST(InkCompare, FindsThePlotsInkOnlyWhereTheWindowIsTheSame)
{
    render_test::Drawing d;
    for (int i = 0; i <= 10; ++i) {
        d.line(i * 20.0, 0, i * 20.0 + 40.0, 100);   // slanted hatching of lines
        d.line(0, i * 10.0, 200, i * 10.0 + 5.0);
    }
    d.add(new ZcDbCircle(ZcGePoint3d(100, 50, 0), ZcGeVector3d::kZAxis, 30));
    const auto dir = render_test::Output_Folder("ink_compare");
    const std::string dxf = (dir / "lines.dxf").string(), pdf = (dir / "lines.pdf").string();
    ASSERT_EQ(platform::Write_Dxf_File(d.db.get(), platform::From_Utf8(dxf)), Zcad::eOk);
    korvel_test::Ink_Plot plot;
    plot.page_width_mm = 240, plot.page_height_mm = 150;
    std::string error;
    ASSERT_TRUE(korvel_test::Plot_For_Ink(*d.db, pdf, plot, error)) << error;

    const korvel_test::Ink_Figures same = korvel_test::Compare_Ink(dxf, pdf, korvel_test::Ink_Window_Argument(plot));
    ASSERT_TRUE(same.ok) << same.output;
    EXPECT_GE(same.ezdxf_in_plot, 0.99) << same.output;
    EXPECT_GE(same.plot_in_ezdxf, 0.99) << same.output;
    EXPECT_GT(same.ezdxf_px, 1000) << same.output;

    // The same window 3 units (about 3 mm on the page) to the right.
    plot.window[0] += 3.0, plot.window[2] += 3.0;
    const korvel_test::Ink_Figures shifted = korvel_test::Compare_Ink(dxf, pdf, korvel_test::Ink_Window_Argument(plot));
    ASSERT_TRUE(shifted.ok) << shifted.output;
    EXPECT_LT(shifted.ezdxf_in_plot, 0.8) << shifted.output;
    EXPECT_LT(shifted.plot_in_ezdxf, 0.8) << shifted.output;

    const korvel_test::Ink_Figures unreadable = korvel_test::Compare_Ink(dxf, (dir / "none.pdf").string(), "0,0,1,1");
    EXPECT_FALSE(unreadable.ok) << unreadable.output;
}
