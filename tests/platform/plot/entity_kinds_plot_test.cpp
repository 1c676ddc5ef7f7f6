// Plots of the entity kinds that were not drawn before (tests/fixtures/gen_entity_kinds.py) and
// of hatches bounded by arcs and ellipses run both ways (gen_hatch_edges.py): what reaches the
// device, and the ink against ezdxf's drawing of the same window.
#include <gtest/gtest.h>

#include <cmath>

#include "dxf/dxf_reader.h"
#include "dxf/dxf_writer.h"
#include "plot/render/render_page.h"
#include "render_test_drawing.h"
#include "script/utf8.h"
#include "ink_compare.h"
#include "ink_plot.h"

namespace {

std::string Fixture(const std::string& name) { return std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/" + name; }

std::unique_ptr<ZcDbDatabase> Read_Fixture(const std::string& name)
{
    auto db = std::make_unique<ZcDbDatabase>(false, true);
    platform::DxfReadReport report;
    if (platform::Read_Dxf_File(db.get(), platform::From_Utf8(Fixture(name)), &report) != Zcad::eOk) return nullptr;
    return db;
}

// The fixture plotted in a window and compared with ezdxf's drawing of our copy of it, with the
// layers named turned off (ezdxf draws lines without end only 20 units long).
korvel_test::Ink_Figures Ink_Of(const std::string& name, double x0, double y0, double x1, double y1,
                                const std::vector<const wchar_t*>& layersOff = {})
{
    std::unique_ptr<ZcDbDatabase> db = Read_Fixture(name);
    EXPECT_TRUE(db);
    if (!db) return {};
    for (const wchar_t* layer : layersOff) {
        ZcDbLayerTable* table = nullptr;
        ZcDbLayerTableRecord* rec = nullptr;
        if (db->getLayerTable(table, ZcDb::kForRead) != Zcad::eOk) continue;
        if (table->getAt(layer, rec, ZcDb::kForWrite) == Zcad::eOk) {
            rec->setIsOff(true);
            rec->close();
        }
        table->close();
    }
    const auto dir = render_test::Output_Folder("kinds_ink_" + name);
    const std::string pdf = (dir / "plot.pdf").string(), copy = (dir / "copy.dxf").string();
    EXPECT_EQ(platform::Write_Dxf_File(db.get(), platform::From_Utf8(copy)), Zcad::eOk);
    korvel_test::Ink_Plot plot;
    plot.extents = false;
    plot.window[0] = x0, plot.window[1] = y0, plot.window[2] = x1, plot.window[3] = y1;
    plot.page_width_mm = (x1 - x0) * 2.0, plot.page_height_mm = (y1 - y0) * 2.0;
    std::string error;
    EXPECT_TRUE(korvel_test::Plot_For_Ink(*db, pdf, plot, error)) << error;
    return korvel_test::Compare_Ink(copy, pdf, korvel_test::Ink_Window_Argument(plot));
}

TEST(EntityKindsPlot, TheInkMatchesEzdxfsDrawing)
{
    struct Case {
        const char* fixture;
        double x0, y0, x1, y1;
        std::vector<const wchar_t*> layersOff;
    };
    const Case cases[] = {
        {"entity_kinds.dxf", 0, 0, 200, 140, {L"xline", L"ray"}},
        {"hatch_edges.dxf", -20, -20, 640, 30, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixture);
        const korvel_test::Ink_Figures ink = Ink_Of(c.fixture, c.x0, c.y0, c.x1, c.y1, c.layersOff);
        ASSERT_TRUE(ink.ok) << ink.output;
        EXPECT_GE(ink.ezdxf_in_plot, 0.98) << ink.output;
        EXPECT_GE(ink.plot_in_ezdxf, 0.98) << ink.output;
    }
}

bool Near(const platform::Paper_Point& p, double x, double y) { return std::fabs(p.x - x) < 1e-6 && std::fabs(p.y - y) < 1e-6; }

TEST(EntityKindsPlot, LinesWithoutEndEndAtTheWindowAndLeadersHaveTheirArrowheads)
{
    std::unique_ptr<ZcDbDatabase> db = Read_Fixture("entity_kinds.dxf");
    ASSERT_TRUE(db);
    render_test::Recording_Device dev;
    std::wstring error;
    ASSERT_TRUE(platform::Render_Page(render_test::A4_Landscape_Job(db.get()), dev, error)) << platform::To_Utf8(error);
    // The page is culled 1 mm beyond the window.
    struct Expected {
        const char* what;
        double x0, y0, x1, y1;
    };
    const Expected lines[] = {
        {"xline through (0,120) rising 1 in 5", -1, 119.8, 298, 179.6},
        {"ray from (100,130) up to the left", 100, 130, 19, 211},
    };
    for (const Expected& e : lines) {
        SCOPED_TRACE(e.what);
        bool found = false;
        for (const auto& s : dev.strokes)
            found = found || (s.points.size() == 2 && Near(s.points.front(), e.x0, e.y0) && Near(s.points.back(), e.x1, e.y1));
        EXPECT_TRUE(found);
    }
    // The straight leader's closed filled arrowhead: 6 long (DIMASZ 4 x DIMSCALE 1.5), 2 wide,
    // its tip on the first vertex, pointing away from the second.
    const platform::Paper_Ring* arrow = nullptr;
    for (const auto& f : dev.fills)
        if (f.rings.size() == 1 && f.rings[0].size() == 3 && Near(f.rings[0][0], 10, 10)) arrow = &f.rings[0];
    ASSERT_NE(arrow, nullptr);
    const double len = std::hypot(30.0, 20.0);
    const platform::Paper_Point base{10 + 30 / len * 6, 10 + 20 / len * 6};
    const platform::Paper_Point mid{((*arrow)[1].x + (*arrow)[2].x) / 2, ((*arrow)[1].y + (*arrow)[2].y) / 2};
    EXPECT_TRUE(Near(mid, base.x, base.y));
    EXPECT_NEAR(std::hypot((*arrow)[1].x - (*arrow)[2].x, (*arrow)[1].y - (*arrow)[2].y), 2.0, 1e-9);
    // Arrow blocks: "_NONE" draws nothing at the leader's tip; "_DOT" draws its block there.
    auto ink_near = [&](double x, double y, double reach) {
        int found = 0;
        for (const auto& f : dev.fills)
            for (const auto& ring : f.rings)
                for (const auto& p : ring) found += std::hypot(p.x - x, p.y - y) < reach;
        for (const auto& s : dev.strokes)
            if (s.points.size() != 3 || !Near(s.points.front(), x, y))  // the leader's own path
                for (const auto& p : s.points) found += std::hypot(p.x - x, p.y - y) < reach;
        return found;
    };
    EXPECT_EQ(ink_near(125, 130, 3.0), 0) << "an arrowhead where the style says none";
    EXPECT_GT(ink_near(125, 110, 3.0), 0) << "no dot";
    // Edges drawn of the faces: the 3DFACE's hidden edge is left out; the polyface mesh draws
    // its square and its triangle.
    struct Region {
        const char* what;
        double x0, y0, x1, y1;
        size_t strokes;
    };
    const Region regions[] = {{"3DFACE", 10, 90, 50, 110, 3}, {"polyface mesh", 60, 90, 110, 110, 7}};
    for (const Region& r : regions) {
        SCOPED_TRACE(r.what);
        size_t inside = 0;
        for (const auto& s : dev.strokes) {
            bool all = true;
            for (const platform::Paper_Point& p : s.points)
                all = all && p.x >= r.x0 - 1e-9 && p.x <= r.x1 + 1e-9 && p.y >= r.y0 - 1e-9 && p.y <= r.y1 + 1e-9;
            inside += all;
        }
        EXPECT_EQ(inside, r.strokes);
    }
    // Plotting the extents leaves the lines without end out of them.
    platform::PlotJob extents = render_test::A4_Landscape_Job(db.get());
    extents.area = platform::PlotArea::Extents;
    ZcGePoint2d lo, hi;
    std::wstring message;
    ASSERT_TRUE(platform::Resolve_Plot_Window(extents, lo, hi, message));
    // From the leader's tip and the lower line of the STANDARD multiline to the triple
    // multiline's outer line and the last leader.
    EXPECT_NEAR(lo.x, 10, 1e-6);
    EXPECT_NEAR(lo.y, 6, 1e-6);
    EXPECT_NEAR(hi.x, 183, 1e-6);
    EXPECT_NEAR(hi.y, 138, 1e-6);
}

}  // namespace
