// Linetypes in plots: dash lengths on the paper with the drawing's, the entity's and the
// viewport's scales, which linetype an entity plots with, polylines' linetype generation, and
// the texts of complex linetypes.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "db/dbblkref.h"
#include "db/dbhatch.h"
#include "db/dbpl.h"
#include "db/dbpoly.h"
#include "db/dbviewport.h"
#include "dxf/dxf_writer.h"
#include "plot/render/render_page.h"
#include "render_test_drawing.h"
#include "script/utf8.h"

using render_test::A4_Landscape_Job;
using render_test::Drawing;
using render_test::Recording_Device;

namespace {

Recording_Device Render(const platform::PlotJob& job)
{
    Recording_Device dev;
    std::wstring error;
    EXPECT_TRUE(platform::Render_Page(job, dev, error)) << platform::To_Utf8(error);
    return dev;
}

ZcDbObjectId Add_Linetype(ZcDbDatabase* db, const wchar_t* name, const std::vector<double>& dashes)
{
    ZcDbLinetypeTable* table = nullptr;
    if (db->getLinetypeTable(table, ZcDb::kForWrite) != Zcad::eOk) return ZcDbObjectId();
    auto* rec = new ZcDbLinetypeTableRecord();
    rec->setName(name);
    rec->setNumDashes(int(dashes.size()));
    double length = 0.0;
    for (size_t i = 0; i < dashes.size(); ++i) {
        rec->setDashLengthAt(int(i), dashes[i]);
        length += std::fabs(dashes[i]);
    }
    rec->setPatternLength(length);
    ZcDbObjectId id;
    table->add(id, rec);
    rec->close();
    table->close();
    return id;
}

ZcDbObjectId Linetype_Named(ZcDbDatabase* db, const wchar_t* name)
{
    ZcDbLinetypeTable* table = nullptr;
    ZcDbObjectId id;
    if (db->getLinetypeTable(table, ZcDb::kForRead) != Zcad::eOk) return id;
    table->getAt(name, id);
    table->close();
    return id;
}

// scale 0 keeps the entity's linetype scale.
void Set_Linetype(ZcDbObjectId entity, ZcDbObjectId linetype, double scale = 1.0)
{
    ZcDbObjectPointer<ZcDbEntity> e(entity, ZcDb::kForWrite);
    e->setLinetype(linetype);
    if (scale > 0.0) e->setLinetypeScale(scale);
}

// The strokes that lie on the horizontal line y, as [from, to] along x, in drawing order.
std::vector<std::pair<double, double>> Strokes_On(const Recording_Device& dev, double y)
{
    std::vector<std::pair<double, double>> out;
    for (const auto& s : dev.strokes) {
        bool on = true;
        for (const auto& p : s.points) on = on && std::fabs(p.y - y) < 1e-6;
        if (on) out.emplace_back(s.points.front().x, s.points.back().x);
    }
    return out;
}

TEST(RenderLinetype, DashLengthsOnThePaperFollowTheDrawingsAndTheEntitysScales)
{
    // CELTSCALE is the scale new entities get; entity 0 keeps it.
    struct Case {
        double ltscale, celtscale, entity_scale;
    };
    const Case cases[] = {{1, 1, 1}, {2, 1, 1}, {1, 1, 0.5}, {0.5, 1, 3}, {1, 0.5, 0}, {2, 0.25, 0}, {1, 0.25, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE("LTSCALE " + std::to_string(c.ltscale) + ", CELTSCALE " + std::to_string(c.celtscale) +
                     ", entity " + std::to_string(c.entity_scale));
        Drawing d;
        d.db->setLtscale(c.ltscale);
        d.db->setCeltscale(c.celtscale);
        const ZcDbObjectId dashed = Add_Linetype(d.db.get(), L"DASH64", {6, -4});
        Set_Linetype(d.line(10, 100, 110, 100), dashed, c.entity_scale);
        const auto dashes = Strokes_On(Render(A4_Landscape_Job(d.db.get())), 100);
        const double s = c.ltscale * (c.entity_scale > 0 ? c.entity_scale : c.celtscale), period = 10 * s;
        ASSERT_EQ(dashes.size(), size_t(std::ceil(100 / period - 1e-9)));
        for (size_t i = 0; i + 1 < dashes.size(); ++i) {
            EXPECT_NEAR(dashes[i].first, 10 + i * period, 1e-9) << "dash " << i;
            EXPECT_NEAR(dashes[i].second - dashes[i].first, 6 * s, 1e-9) << "dash " << i;
        }
    }
}

TEST(RenderLinetype, EntitiesPlotWithTheirOwnTheirLayersOrTheirBlocksLinetype)
{
    struct Case {
        const char* name;
        // Builds the drawing; returns the y of the line to look at.
        std::function<void(Drawing&, ZcDbObjectId dashed)> build;
        bool dashed;
    };
    auto dashedLayer = [](Drawing& d, ZcDbObjectId dashed) {
        ZcDbObjectId layer = d.layer(L"DASHES");
        ZcDbObjectPointer<ZcDbLayerTableRecord>(layer, ZcDb::kForWrite)->setLinetypeObjectId(dashed);
        return layer;
    };
    auto onLayer = [](ZcDbObjectId entity, ZcDbObjectId layer) {
        ZcDbObjectPointer<ZcDbEntity>(entity, ZcDb::kForWrite)->setLayer(layer);
    };
    // A block holding a line along y 0 from x 0 to 100 with the given linetype, inserted at
    // (10, 100) on the given layer with the given linetype.
    auto insert = [](Drawing& d, ZcDbObjectId inner, ZcDbObjectId outer, ZcDbObjectId layer) {
        ZcDbObjectId block = d.block(L"B");
        Set_Linetype(d.line(0, 0, 100, 0, block), inner);
        ZcDbObjectId ref = d.add(new ZcDbBlockReference(ZcGePoint3d(10, 100, 0), block));
        ZcDbObjectPointer<ZcDbEntity> e(ref, ZcDb::kForWrite);
        if (!outer.isNull()) e->setLinetype(outer);
        if (!layer.isNull()) e->setLayer(layer);
    };
    const Case cases[] = {
        {"its own", [](Drawing& d, ZcDbObjectId dashed) { Set_Linetype(d.line(10, 100, 110, 100), dashed); }, true},
        {"ByLayer on a dashed layer",
         [&](Drawing& d, ZcDbObjectId dashed) { onLayer(d.line(10, 100, 110, 100), dashedLayer(d, dashed)); }, true},
        {"Continuous on a dashed layer",
         [&](Drawing& d, ZcDbObjectId dashed) {
             ZcDbObjectId line = d.line(10, 100, 110, 100);
             onLayer(line, dashedLayer(d, dashed));
             Set_Linetype(line, Linetype_Named(d.db.get(), L"Continuous"));
         },
         false},
        {"ByBlock outside blocks",
         [](Drawing& d, ZcDbObjectId) { Set_Linetype(d.line(10, 100, 110, 100), Linetype_Named(d.db.get(), L"ByBlock")); },
         false},
        {"ByBlock in a reference with a dashed linetype",
         [&](Drawing& d, ZcDbObjectId dashed) {
             insert(d, Linetype_Named(d.db.get(), L"ByBlock"), dashed, ZcDbObjectId::kNull);
         },
         true},
        {"ByBlock in a reference that is ByLayer on a dashed layer",
         [&](Drawing& d, ZcDbObjectId dashed) {
             insert(d, Linetype_Named(d.db.get(), L"ByBlock"), ZcDbObjectId::kNull, dashedLayer(d, dashed));
         },
         true},
        {"ByLayer on layer 0 in a reference on a dashed layer",
         [&](Drawing& d, ZcDbObjectId dashed) {
             insert(d, Linetype_Named(d.db.get(), L"ByLayer"), ZcDbObjectId::kNull, dashedLayer(d, dashed));
         },
         true},
        {"Continuous in a reference with a dashed linetype",
         [&](Drawing& d, ZcDbObjectId dashed) {
             insert(d, Linetype_Named(d.db.get(), L"Continuous"), dashed, ZcDbObjectId::kNull);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Drawing d;
        c.build(d, Add_Linetype(d.db.get(), L"DASH64", {6, -4}));
        const auto strokes = Strokes_On(Render(A4_Landscape_Job(d.db.get())), 100);
        ASSERT_FALSE(strokes.empty());
        EXPECT_EQ(strokes.size(), c.dashed ? 10u : 1u);
        EXPECT_NEAR(strokes.front().second - strokes.front().first, c.dashed ? 6.0 : 100.0, 1e-9);
    }
}

TEST(RenderLinetype, HatchPatternsAndTextsKeepTheirOwnLines)
{
    // The same hatch and text plotted with a dashed linetype and without one.
    std::vector<Recording_Device> plots;
    for (bool dashed : {false, true}) {
        Drawing d;
        const ZcDbObjectId linetype = dashed ? Add_Linetype(d.db.get(), L"DASH64", {6, -4}) : ZcDbObjectId::kNull;
        auto* hatch = new ZcDbHatch();
        hatch->setPattern(ZcDbHatch::kPreDefined, L"ANSI31");
        ZcGePoint2dArray pts;
        for (auto [x, y] : {std::pair{10.0, 10.0}, {110.0, 10.0}, {110.0, 110.0}, {10.0, 110.0}})
            pts.append(ZcGePoint2d(x, y));
        ZcGeDoubleArray bulges;
        for (int i = 0; i < 4; ++i) bulges.append(0.0);
        hatch->appendLoop(ZcDbHatch::kExternal, pts, bulges);
        const ZcDbObjectId hatchId = d.add(hatch);
        const ZcDbObjectId textId = d.text(10, 150, 5, L"TEXT");
        if (dashed) {
            Set_Linetype(hatchId, linetype);
            Set_Linetype(textId, linetype);
        }
        plots.push_back(Render(A4_Landscape_Job(d.db.get())));
    }
    ASSERT_FALSE(plots[0].strokes.empty());
    ASSERT_EQ(plots[1].strokes.size(), plots[0].strokes.size());
    for (size_t i = 0; i < plots[0].strokes.size(); ++i)
        EXPECT_EQ(plots[1].strokes[i].points.size(), plots[0].strokes[i].points.size()) << i;
    EXPECT_EQ(plots[1].texts.size(), plots[0].texts.size());
}

TEST(RenderLinetype, ALinetypeWithShapesPlotsContinuous)
{
    // A zigzag drawn by shapes between dots: without the shape file only the dots would be left.
    Drawing d;
    const ZcDbObjectId zigzag = Add_Linetype(d.db.get(), L"ZIGZAG", {0.0001, -2, -4, -2});
    {
        ZcDbObjectPointer<ZcDbLinetypeTableRecord> rec(zigzag, ZcDb::kForWrite);
        for (int i : {1, 2}) {
            rec->setShapeNumberAt(i, 131);
            rec->setShapeScaleAt(i, 2);
        }
    }
    Set_Linetype(d.line(10, 100, 110, 100), zigzag);
    const auto strokes = Strokes_On(Render(A4_Landscape_Job(d.db.get())), 100);
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_NEAR(strokes[0].second - strokes[0].first, 100, 1e-9);
}

TEST(RenderLinetype, ViewportsScalePatternsToPaperSpaceWithPaperSpaceLinetypeScaling)
{
    for (bool psltscale : {true, false}) {
        SCOPED_TRACE(psltscale ? "PSLTSCALE 1" : "PSLTSCALE 0");
        Drawing d;
        d.db->setPsltscale(psltscale);
        Set_Linetype(d.line(0, 0, 400, 0), Add_Linetype(d.db.get(), L"DASH64", {6, -4}));
        auto* vp = new ZcDbViewport();
        vp->setCenterPoint(ZcGePoint3d(150, 100, 0));
        vp->setWidth(200);
        vp->setHeight(50);
        vp->setViewCenter(ZcGePoint2d(200, 0));
        vp->setViewHeight(200);  // a quarter of the size
        ZcDbObjectId vpId = d.add(vp, d.db->paperSpaceId());
        ZcDbObjectPointer<ZcDbViewport>(vpId, ZcDb::kForWrite)->setNumber(2);
        platform::PlotJob job = A4_Landscape_Job(d.db.get());
        job.model_space = false;
        job.space = d.db->paperSpaceId();
        const auto dashes = Strokes_On(Render(job), 100);
        ASSERT_GE(dashes.size(), 2u);
        // Model 0..400 lands on paper 100..200.
        EXPECT_NEAR(dashes[0].first, 100, 1e-9);
        EXPECT_NEAR(dashes[0].second - dashes[0].first, psltscale ? 6.0 : 1.5, 1e-9);
        EXPECT_NEAR(dashes[1].first, psltscale ? 110.0 : 102.5, 1e-9);
    }
}

TEST(RenderLinetype, PolylinePatternsRunOnOverVerticesOnlyWithLinetypeGeneration)
{
    // Vertices at x 10, 16, 22 on y 100; the pattern is 3 on, 2 off.
    struct Case {
        const char* name;
        bool heavy, generation;
        std::vector<double> starts;
    };
    const Case cases[] = {
        {"light, generation off", false, false, {10, 15, 16, 21}},
        {"light, generation on", false, true, {10, 15, 20}},
        {"2D polyline, generation off", true, false, {10, 15, 16, 21}},
        {"2D polyline, generation on", true, true, {10, 15, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Drawing d;
        const ZcDbObjectId dashed = Add_Linetype(d.db.get(), L"DASH32", {3, -2});
        ZcDbObjectId id;
        if (c.heavy) {
            ZcGePoint3dArray pts;
            for (double x : {10.0, 16.0, 22.0}) pts.append(ZcGePoint3d(x, 100, 0));
            auto* pl = new ZcDb2dPolyline(ZcDb::k2dSimplePoly, pts);
            if (c.generation) pl->setLinetypeGenerationOn();
            id = d.add(pl);
        } else {
            auto* pl = new ZcDbPolyline();
            for (double x : {10.0, 16.0, 22.0}) pl->addVertexAt(pl->numVerts(), ZcGePoint2d(x, 100));
            pl->setPlinegen(c.generation);
            id = d.add(pl);
        }
        Set_Linetype(id, dashed);
        const auto dashes = Strokes_On(Render(A4_Landscape_Job(d.db.get())), 100);
        ASSERT_EQ(dashes.size(), c.starts.size());
        for (size_t i = 0; i < c.starts.size(); ++i) EXPECT_NEAR(dashes[i].first, c.starts[i], 1e-9) << i;
    }
}

TEST(RenderLinetype, A2dPolylinePlotsWithItsOwnColour)
{
    Drawing d;
    ZcGePoint3dArray pts;
    for (double x : {10.0, 60.0}) pts.append(ZcGePoint3d(x, 100, 0));
    ZcDbObjectId id = d.add(new ZcDb2dPolyline(ZcDb::k2dSimplePoly, pts));
    ZcDbObjectPointer<ZcDbEntity>(id, ZcDb::kForWrite)->setColorIndex(1);
    const Recording_Device dev = Render(A4_Landscape_Job(d.db.get()));
    ASSERT_EQ(dev.strokes.size(), 1u);
    EXPECT_EQ(dev.strokes[0].pen.rgb, 0xFF0000u);
}

}  // namespace
