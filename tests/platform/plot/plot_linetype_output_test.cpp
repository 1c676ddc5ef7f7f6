// Linetypes from drawing files to plot files: complex linetypes read from and written to DXF,
// the texts they lay along a line, dash lengths measured in the SVG output, and the ink of the
// linetype fixture against ezdxf's drawing of it.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "db/dbsymtb.h"
#include "dxf/dxf_writer.h"
#include "plot/render/render_page.h"
#include "render_test_drawing.h"
#include "script/utf8.h"
#include "ink_compare.h"
#include "ink_plot.h"
#include "win/host_path_text.h"

using render_test::Recording_Device;

namespace {

const std::string Fixture = KORVEL_SOURCE_DIR "/tests/fixtures/dxf/linetypes.dxf";

std::unique_ptr<ZcDbDatabase> Read(const std::string& path)
{
    auto db = std::make_unique<ZcDbDatabase>(false, true);
    EXPECT_EQ(db->readDwgFile(platform::From_Utf8(path).c_str()), Zcad::eOk) << path;
    return db;
}

// What the GAS linetype of the fixture holds: 12.7 on, then a 5.08 gap with the text "GAS"
// (2.54 high, moved by -2.54, -1.27), then a 6.35 gap.
void Expect_Gas_Linetype(ZcDbDatabase* db)
{
    ZcDbLinetypeTable* table = nullptr;
    ASSERT_EQ(db->getLinetypeTable(table, ZcDb::kForRead), Zcad::eOk);
    ZcDbLinetypeTableRecord* gas = nullptr;
    const Zcad::ErrorStatus found = table->getAt(L"GAS", gas, ZcDb::kForRead);
    table->close();
    ASSERT_EQ(found, Zcad::eOk);
    ASSERT_EQ(gas->numDashes(), 3);
    EXPECT_DOUBLE_EQ(gas->dashLengthAt(0), 12.7);
    EXPECT_DOUBLE_EQ(gas->dashLengthAt(1), -5.08);
    EXPECT_DOUBLE_EQ(gas->dashLengthAt(2), -6.35);
    const wchar_t* text = nullptr;
    ASSERT_EQ(gas->textAt(1, text), Zcad::eOk);
    EXPECT_STREQ(text, L"GAS");
    ASSERT_EQ(gas->textAt(0, text), Zcad::eOk);
    EXPECT_STREQ(text, L"");
    EXPECT_DOUBLE_EQ(gas->shapeScaleAt(1), 2.54);
    EXPECT_DOUBLE_EQ(gas->shapeOffsetAt(1).x, -2.54);
    EXPECT_DOUBLE_EQ(gas->shapeOffsetAt(1).y, -1.27);
    EXPECT_DOUBLE_EQ(gas->shapeRotationAt(1), 0.0);
    EXPECT_FALSE(gas->shapeStyleAt(1).isNull());
    gas->close();
}

TEST(PlotLinetypeOutput, ComplexLinetypesKeepTheirTextsThroughDxf)
{
    auto db = Read(Fixture);
    Expect_Gas_Linetype(db.get());
    const auto dir = render_test::Output_Folder("linetype_dxf");
    const std::string copy = (dir / "copy.dxf").string();
    ASSERT_EQ(platform::Write_Dxf_File(db.get(), platform::From_Utf8(copy)), Zcad::eOk);
    Expect_Gas_Linetype(Read(copy).get());
    // ezdxf reads the written pattern the same way.
    const std::string out = render_test::Run_Command(
        "/usr/bin/python3 -c \"import sys, ezdxf; t = ezdxf.readfile(sys.argv[1]).linetypes.get('GAS').pattern_tags.tags; "
        "print([(g.code, g.value) for g in t if g.code in (49, 9, 46)])\" " + render_test::Quote(copy));
    EXPECT_NE(out.find("(49, 12.7), (49, -5.08), (46, 2.54), (9, 'GAS'), (49, -6.35)"), std::string::npos) << out;
}

TEST(PlotLinetypeOutput, AComplexLinetypeWritesItsTextInEachPattern)
{
    auto db = Read(Fixture);
    // The GAS line runs along y 0 from x 0 to 280; drawing units are page millimetres, up 105.
    platform::PlotJob job;
    job.database = db.get();
    job.paper.width_mm = 210, job.paper.height_mm = 297;
    job.landscape = true;
    job.window_min = {0, -105};
    job.window_max = {297, 105};
    Recording_Device dev;
    std::wstring error;
    ASSERT_TRUE(platform::Render_Page(job, dev, error)) << platform::To_Utf8(error);
    std::vector<double> at;
    for (const auto& t : dev.texts)
        if (t.text.text == L"GAS") {
            at.push_back(t.text.origin.x);
            EXPECT_NEAR(t.text.origin.y, 105 - 1.27 * 1.5, 1e-9);  // the fixture's LTSCALE is 1.5
        }
    // Each pattern (24.13 x 1.5 long) puts its text where the first gap ends, (12.7 + 5.08) x 1.5
    // in, moved back by 2.54 x 1.5: centred in the gaps.
    ASSERT_EQ(at.size(), 7u);
    for (size_t i = 0; i < at.size(); ++i) EXPECT_NEAR(at[i], (12.7 + 5.08 - 2.54 + i * 24.13) * 1.5, 1e-9) << i;
}

TEST(PlotLinetypeOutput, DashesInTheSvgHaveThePatternsLengthOnThePaper)
{
    render_test::Drawing d;
    ZcDbLinetypeTable* table = nullptr;
    ASSERT_EQ(d.db->getLinetypeTable(table, ZcDb::kForWrite), Zcad::eOk);
    auto* rec = new ZcDbLinetypeTableRecord();
    rec->setName(L"DASH64");
    rec->setNumDashes(2);
    rec->setDashLengthAt(0, 6);
    rec->setDashLengthAt(1, -4);
    ZcDbObjectId dashed;
    table->add(dashed, rec);
    rec->close();
    table->close();
    ZcDbObjectPointer<ZcDbEntity>(d.line(10, 100, 110, 100), ZcDb::kForWrite)->setLinetype(dashed);

    const auto dir = render_test::Output_Folder("linetype_svg");
    platform::PlotJob job;
    job.database = d.db.get();
    job.driver = platform::PlotDriver::Svg;
    job.paper.width_mm = 210, job.paper.height_mm = 297;
    job.landscape = true;
    job.window_min = {0, 0};
    job.window_max = {297, 210};
    job.output_path = platform::Text_From_Host_Path(dir / "dashes.svg");
    const platform::PlotResult result = platform::Render_Plot(job);
    ASSERT_TRUE(result.ok) << platform::To_Utf8(result.error);

    // The page's user units are millimetres (viewBox of the paper's size); each dash is a piece
    // "Mx yLx y" of a path along y 100 (the clip paths run round the page).
    const std::string svg = render_test::Read_File(dir / "dashes.svg");
    ASSERT_NE(svg.find(R"(viewBox="0 0 297 210")"), std::string::npos) << svg;
    const std::regex piece(R"(M\s*([-0-9.]+)[ ,]([-0-9.]+)\s*L\s*([-0-9.]+)[ ,]([-0-9.]+))");
    std::vector<std::pair<double, double>> dashes;
    for (std::sregex_iterator it(svg.begin(), svg.end(), piece), end; it != end; ++it)
        if (std::stod((*it)[2]) == 100 && std::stod((*it)[4]) == 100)
            dashes.emplace_back(std::stod((*it)[1]), std::stod((*it)[3]));
    ASSERT_EQ(dashes.size(), 10u) << svg;
    for (size_t i = 0; i < dashes.size(); ++i) {
        EXPECT_NEAR(dashes[i].first, 10 + 10 * i, 0.01) << i;
        EXPECT_NEAR(dashes[i].second - dashes[i].first, 6, 0.01) << i;
    }
}

TEST(PlotLinetypeOutput, TheFixturesInkMatchesEzdxfsDrawingOfIt)
{
    // Above y 20: what ezdxf draws as the host does (see tests/fixtures/gen_linetypes.py).
    auto db = Read(Fixture);
    const auto dir = render_test::Output_Folder("linetype_ink");
    const std::string pdf = (dir / "linetypes.pdf").string();
    korvel_test::Ink_Plot plot;
    plot.extents = false;
    const double window[4] = {-5, 20, 405, 280};
    std::copy(window, window + 4, plot.window);
    std::string error;
    ASSERT_TRUE(korvel_test::Plot_For_Ink(*db, pdf, plot, error)) << error;
    const korvel_test::Ink_Figures ink = korvel_test::Compare_Ink(Fixture, pdf, korvel_test::Ink_Window_Argument(plot));
    ASSERT_TRUE(ink.ok) << ink.output;
    EXPECT_GE(ink.ezdxf_in_plot, 0.98) << ink.output;
    EXPECT_GE(ink.plot_in_ezdxf, 0.98) << ink.output;
}

}  // namespace
