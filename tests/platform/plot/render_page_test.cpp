// The renderer: what reaches the device for a small drawing (layers, colours through the
// plot-style table, blocks, hatches, clips, viewports, the stamp).
#include <gtest/gtest.h>

#include <cmath>

#include "db/dbblkref.h"
#include "db/dbcurve.h"
#include <cairo.h>

#include "db/dbdict.h"
#include "db/dbimage.h"
#include "win/machine.h"
#include "db/dbpl.h"
#include "db/dbsort.h"
#include "db/dbspfilt.h"
#include "db/text_metrics.h"
#include "db/dbviewport.h"
#include "plot/render/render_page.h"
#include "render_test_drawing.h"
#include "script/utf8.h"
#include "win/host_path_text.h"

using render_test::Drawing;
using render_test::Recording_Device;

namespace {

class RenderPage : public ::testing::Test {
protected:
    // A landscape A4 with the window (0,0)-(297,210) fitted: page millimetres = drawing units.
    platform::PlotJob Job() { return render_test::A4_Landscape_Job(d.db.get()); }

    Recording_Device Render(const platform::PlotJob& job)
    {
        Recording_Device dev;
        std::wstring error;
        EXPECT_TRUE(platform::Render_Page(job, dev, error)) << platform::To_Utf8(error);
        EXPECT_EQ(dev.depth, 0);
        return dev;
    }

    static std::wstring Template(int n)
    {
        return platform::From_Utf8(std::string(KORVEL_SOURCE_DIR) + "/res/plotstyles/ZCAD" + std::to_string(n) + ".ccc");
    }

    // The stroke that starts at (x, y) on the page, or nullptr.
    static const Recording_Device::Stroke* Stroke_At(const Recording_Device& dev, double x, double y)
    {
        for (const auto& s : dev.strokes)
            if (std::fabs(s.points.front().x - x) < 1e-6 && std::fabs(s.points.front().y - y) < 1e-6) return &s;
        return nullptr;
    }

    Drawing d;
};

TEST_F(RenderPage, LayersOffFrozenOrNotPlottedStayOffThePaper)
{
    struct Case {
        const wchar_t* layer;
        void (*set)(ZcDbLayerTableRecord*);
        bool plotted;
    } cases[] = {
        {L"SHOWN", [](ZcDbLayerTableRecord*) {}, true},
        {L"OFF", [](ZcDbLayerTableRecord* r) { r->setIsOff(true); }, false},
        {L"FROZEN", [](ZcDbLayerTableRecord* r) { r->setIsFrozen(true); }, false},
        {L"NOPLOT", [](ZcDbLayerTableRecord* r) { r->setIsPlottable(false); }, false},
    };
    double y = 10;
    for (const Case& c : cases) {
        ZcDbObjectId layer = d.layer(c.layer);
        {
            ZcDbObjectPointer<ZcDbLayerTableRecord> rec(layer, ZcDb::kForWrite);
            c.set(rec.object());
        }
        ZcDbObjectId id = d.line(10, y, 50, y);
        ZcDbObjectPointer<ZcDbEntity>(id, ZcDb::kForWrite)->setLayer(layer);
        y += 10;
    }
    Recording_Device dev = Render(Job());
    y = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(platform::To_Utf8(c.layer));
        EXPECT_EQ(Stroke_At(dev, 10, y) != nullptr, c.plotted);
        y += 10;
    }
}

TEST_F(RenderPage, ColoursGoThroughThePlotStyleTable)
{
    ZcDbObjectId red = d.layer(L"RED", 1);
    ZcDbObjectId id = d.line(10, 10, 50, 10);  // ByLayer on a red layer
    ZcDbObjectPointer<ZcDbEntity>(id, ZcDb::kForWrite)->setLayer(red);
    d.line(10, 20, 50, 20, ZcDbObjectId::kNull, 3);  // green
    d.line(10, 30, 50, 30, ZcDbObjectId::kNull, 7);  // white plots black on white paper
    struct Case {
        const char* what;
        bool styles;
        int table;
        uint32_t red, green, white;
    } cases[] = {
        {"no table", false, 0, 0xFF0000, 0x00FF00, 0x000000},
        {"black and white", true, 1, 0x000000, 0x000000, 0x000000},
        {"colour", true, 2, 0xFF0000, 0x00FF00, 0x000000},
        {"blue and white", true, 3, 0x0000FF, 0x0000FF, 0x0000FF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform::PlotJob job = Job();
        job.plot_with_styles = c.styles;
        if (c.styles) job.style_table_path = Template(c.table);
        Recording_Device dev = Render(job);
        ASSERT_NE(Stroke_At(dev, 10, 10), nullptr);
        EXPECT_EQ(Stroke_At(dev, 10, 10)->pen.rgb, c.red);
        EXPECT_EQ(Stroke_At(dev, 10, 20)->pen.rgb, c.green);
        EXPECT_EQ(Stroke_At(dev, 10, 30)->pen.rgb, c.white);
    }
}

TEST_F(RenderPage, LineweightsPlotInMillimetresOrThinnestWhenOff)
{
    ZcDbObjectId id = d.line(10, 10, 50, 10);
    ZcDbObjectPointer<ZcDbEntity>(id, ZcDb::kForWrite)->setLineWeight(ZcDb::kLnWt050);
    d.line(10, 20, 50, 20);  // ByLayer -> the default
    platform::PlotJob job = Job();
    Recording_Device dev = Render(job);
    EXPECT_DOUBLE_EQ(Stroke_At(dev, 10, 10)->pen.width_mm, 0.5);
    EXPECT_DOUBLE_EQ(Stroke_At(dev, 10, 20)->pen.width_mm, 0.25);
    job.plot_lineweights = false;
    dev = Render(job);
    EXPECT_DOUBLE_EQ(Stroke_At(dev, 10, 10)->pen.width_mm, 0.0);
}

TEST_F(RenderPage, BlockReferencesPlaceTheirContentsAndPassOnByBlockAndLayerZero)
{
    ZcDbObjectId block = d.block(L"B");
    d.line(0, 0, 10, 0, block, 0);   // ByBlock colour
    d.line(0, 5, 10, 5, block, 256); // ByLayer on layer 0 -> the reference's layer
    ZcDbObjectId blue = d.layer(L"BLUE", 5);
    auto* ref = new ZcDbBlockReference(ZcGePoint3d(100, 100, 0), block);
    ref->setScaleFactors(ZcGeScale3d(2, 2, 2));
    ref->setColorIndex(3);
    ref->setLayer(blue);
    d.add(ref);
    Recording_Device dev = Render(Job());
    const auto* byBlock = Stroke_At(dev, 100, 100);
    ASSERT_NE(byBlock, nullptr);
    EXPECT_NEAR(byBlock->points.back().x, 120, 1e-9);
    EXPECT_EQ(byBlock->pen.rgb, 0x00FF00u);
    const auto* byLayer = Stroke_At(dev, 100, 110);
    ASSERT_NE(byLayer, nullptr);
    EXPECT_EQ(byLayer->pen.rgb, 0x0000FFu);
}

TEST_F(RenderPage, AReferenceOnAnInvisibleLayerHidesItsLayerZeroContents)
{
    ZcDbObjectId block = d.block(L"B");
    d.line(0, 0, 10, 0, block);
    ZcDbObjectId off = d.layer(L"OFF");
    ZcDbObjectPointer<ZcDbLayerTableRecord>(off, ZcDb::kForWrite)->setIsOff(true);
    auto* ref = new ZcDbBlockReference(ZcGePoint3d(100, 100, 0), block);
    ref->setLayer(off);
    d.add(ref);
    EXPECT_TRUE(Render(Job()).strokes.empty());
}

TEST_F(RenderPage, HatchHolesFillAsOneEvenOddArea)
{
    d.hatch(100, 100, 60, 20);
    Recording_Device dev = Render(Job());
    ASSERT_EQ(dev.fills.size(), 1u);
    EXPECT_EQ(dev.fills[0].rings.size(), 2u);
}

TEST_F(RenderPage, ClippedReferencesClipTheirContents)
{
    ZcDbObjectId block = d.block(L"B");
    d.line(0, 0, 100, 0, block);
    ZcDbObjectId refId = d.add(new ZcDbBlockReference(ZcGePoint3d(50, 50, 0), block));
    ZcDbObjectId spatial;
    {
        ZcDbObjectPointer<ZcDbBlockReference> ref(refId, ZcDb::kForWrite);
        ASSERT_EQ(ref->createExtensionDictionary(), Zcad::eOk);
        ZcDbObjectPointer<ZcDbDictionary> ext(ref->extensionDictionary(), ZcDb::kForWrite);
        auto* filters = new ZcDbDictionary;
        ZcDbObjectId filtersId, filterId;
        ASSERT_EQ(ext->setAt(L"ACAD_FILTER", filters, filtersId), Zcad::eOk);
        auto* filter = new ZcDbSpatialFilter;
        ZcGePoint2dArray corners;
        corners.append(ZcGePoint2d(0, -5));
        corners.append(ZcGePoint2d(40, 5));
        ASSERT_EQ(filter->setDefinition(corners, ZcGeVector3d::kZAxis, 0, 0, 0, true), Zcad::eOk);
        ASSERT_EQ(filters->setAt(L"SPATIAL", filter, filterId), Zcad::eOk);
        spatial = filterId;
        filter->close();
        filters->close();
    }
    Recording_Device dev = Render(Job());
    EXPECT_EQ(dev.inverted_clips, 0);
    // Printable area, window, then the reference's boundary on the page.
    ASSERT_EQ(dev.clips.size(), 3u);
    ASSERT_EQ(dev.clips[2].size(), 4u);
    EXPECT_NEAR(dev.clips[2][0].x, 50, 1e-9);
    EXPECT_NEAR(dev.clips[2][0].y, 45, 1e-9);
    EXPECT_NEAR(dev.clips[2][2].x, 90, 1e-9);
    EXPECT_NEAR(dev.clips[2][2].y, 55, 1e-9);
    // An inverted boundary keeps what lies outside it.
    ZcDbObjectPointer<ZcDbSpatialFilter>(spatial, ZcDb::kForWrite)->setFilterInverted(true);
    EXPECT_EQ(Render(Job()).inverted_clips, 1);
}

TEST_F(RenderPage, GeometryOutsideTheWindowIsLeftOut)
{
    d.line(1000, 1000, 1100, 1100);
    d.text(2000, 2000, 5, L"FAR");
    d.line(10, 10, 20, 20);
    Recording_Device dev = Render(Job());
    EXPECT_EQ(dev.strokes.size(), 1u);
    EXPECT_TRUE(dev.texts.empty());
}

TEST_F(RenderPage, TextsKeepTheirHeightRotationAndString)
{
    auto* t = new ZcDbText(ZcGePoint3d(20, 30, 0), L"图纸 DWG-001", ZcDbObjectId::kNull, 3.5, M_PI / 2);
    d.add(t);
    platform::PlotJob job = Job();
    job.window_max = {594, 420};  // half scale
    Recording_Device dev = Render(job);
    ASSERT_EQ(dev.texts.size(), 1u);
    const platform::Plot_Text& pt = dev.texts[0].text;
    EXPECT_EQ(pt.text, L"图纸 DWG-001");
    EXPECT_NEAR(pt.origin.x, 10, 1e-9);
    EXPECT_NEAR(pt.origin.y, 15, 1e-9);
    const double em = 3.5 / platform::Cap_Height_Ratio() * 0.5;
    EXPECT_NEAR(pt.x_axis.x, 0, 1e-9);
    EXPECT_NEAR(pt.x_axis.y, em, 1e-9);
    EXPECT_NEAR(pt.y_axis.x, -em, 1e-9);
}

TEST_F(RenderPage, LayoutViewportsShowModelSpaceClippedToThem)
{
    d.line(0, 0, 100, 0);  // model space
    auto* vp = new ZcDbViewport();
    vp->setCenterPoint(ZcGePoint3d(100, 100, 0));
    vp->setWidth(100);
    vp->setHeight(50);
    vp->setViewCenter(ZcGePoint2d(50, 0));
    vp->setViewHeight(100);  // half scale
    ZcDbObjectId vpId = d.add(vp, d.db->paperSpaceId());
    ZcDbObjectPointer<ZcDbViewport>(vpId, ZcDb::kForWrite)->setNumber(2);
    platform::PlotJob job = Job();
    job.model_space = false;
    job.space = d.db->paperSpaceId();
    Recording_Device dev = Render(job);
    // Model (0,0) -> viewport centre + ((0,0) - view centre) * 0.5.
    const auto* line = Stroke_At(dev, 75, 100);
    ASSERT_NE(line, nullptr);
    EXPECT_NEAR(line->points.back().x, 125, 1e-9);
    ASSERT_GE(dev.clips.size(), 3u);
    EXPECT_NEAR(dev.clips[2][0].x, 50, 1e-9);
    EXPECT_NEAR(dev.clips[2][0].y, 75, 1e-9);
    // The viewport's own border plots on paper space.
    EXPECT_NE(Stroke_At(dev, 50, 75), nullptr);
}

TEST_F(RenderPage, TheStampIsOneLineAtThePrintableAreasCorner)
{
    platform::PlotJob job = Job();
    job.paper.margin_left_mm = 5;  // the bottom margin once the paper is turned
    job.stamp.enabled = true;
    job.stamp.fields = {L"Drawing1.dxf", L"", L"Model"};
    Recording_Device dev = Render(job);
    ASSERT_EQ(dev.texts.size(), 1u);
    EXPECT_EQ(dev.texts[0].text.text, L"Drawing1.dxf, Model");
    EXPECT_NEAR(dev.texts[0].text.origin.x, 2, 1e-9);
    EXPECT_NEAR(dev.texts[0].text.origin.y, 7, 1e-9);
}

TEST_F(RenderPage, JobsThatCannotBeDrawnSayWhy)
{
    Recording_Device dev;
    std::wstring error;
    platform::PlotJob job = Job();
    job.style_table_path = L"/nonexistent/彩色.ctb";
    EXPECT_FALSE(platform::Render_Page(job, dev, error));
    EXPECT_NE(error.find(L"彩色.ctb"), std::wstring::npos);

    job = Job();
    job.area = platform::PlotArea::Extents;
    EXPECT_FALSE(platform::Render_Page(job, dev, error));
    EXPECT_EQ(error, L"nothing to plot: the drawing is empty");

    job = Job();
    job.database = nullptr;
    EXPECT_FALSE(platform::Render_Page(job, dev, error));
}

TEST_F(RenderPage, EntitiesReachingIntoTheWindowFromOutsideAreDrawn)
{
    // Each has its defining points outside the window (0,0)-(297,210), its drawing inside.
    d.add(new ZcDbCircle(ZcGePoint3d(-50, 100, 0), ZcGeVector3d::kZAxis, 60));
    d.add(new ZcDbArc(ZcGePoint3d(150, -40, 0), 50, 0, M_PI));
    d.text(-20, 100, 10, L"LONG TEXT RUNNING IN");
    auto* bowed = new ZcDbPolyline();
    bowed->addVertexAt(0, ZcGePoint2d(100, 230), 1.0);  // a half circle dipping to y = 180
    bowed->addVertexAt(1, ZcGePoint2d(200, 230));
    d.add(bowed);
    Recording_Device dev = Render(Job());
    EXPECT_EQ(dev.strokes.size(), 3u);
    EXPECT_EQ(dev.texts.size(), 1u);
}

TEST_F(RenderPage, RasterImagesReachTheDeviceWithTheirFileAndPlacement)
{
    // A 4 x 2 pixel PNG placed at (100, 50), 40 wide and 20 high.
    auto dir = render_test::Output_Folder("raster");
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 4, 2);
    ASSERT_EQ(cairo_surface_write_to_png(s, (dir / "logo.png").c_str()), CAIRO_STATUS_SUCCESS);
    cairo_surface_destroy(s);
    ZcDbObjectId defId;
    {
        ZcDbObjectPointer<ZcDbDictionary> named(d.db->namedObjectsDictionaryId(), ZcDb::kForWrite);
        auto* def = new ZcDbRasterImageDef();
        def->setSourceFileName(platform::Text_From_Host_Path(dir / "logo.png").c_str());
        def->setSize(ZcGeVector2d(4, 2));
        ASSERT_EQ(named->setAt(L"LOGO", def, defId), Zcad::eOk);
        def->close();
    }
    auto* img = new ZcDbRasterImage();
    img->setImageDefId(defId);
    img->setOrientation(ZcGePoint3d(100, 50, 0), ZcGeVector3d(40, 0, 0), ZcGeVector3d(0, 20, 0));
    d.add(img);
    Recording_Device dev = Render(Job());
    EXPECT_EQ(dev.images, 1);
    EXPECT_NEAR(dev.last_image.origin.x, 100, 1e-9);
    EXPECT_NEAR(dev.last_image.u.x, 40, 1e-9);
    EXPECT_NEAR(dev.last_image.v.y, 20, 1e-9);
    EXPECT_EQ(dev.last_image.width, 4);
    EXPECT_EQ(dev.last_image.height, 2);
}

TEST_F(RenderPage, ARasterImageWithADrivePathIsFoundThereNotUnderTheDrawingsFolder)
{
    // The picture on drive Q:, the drawing saved in another folder.
    auto dir = render_test::Output_Folder("raster_drive");
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 4, 2);
    ASSERT_EQ(cairo_surface_write_to_png(s, (dir / "seal.png").c_str()), CAIRO_STATUS_SUCCESS);
    cairo_surface_destroy(s);
    platform::Machine::instance().map_drive(L'q', dir);
    d.db->setFilename(platform::Text_From_Host_Path(render_test::Output_Folder("raster_drawing") / "sheet.dwg").c_str());
    ZcDbObjectId defId;
    {
        ZcDbObjectPointer<ZcDbDictionary> named(d.db->namedObjectsDictionaryId(), ZcDb::kForWrite);
        auto* def = new ZcDbRasterImageDef();
        def->setSourceFileName(L"Q:\\seal.png");
        def->setSize(ZcGeVector2d(4, 2));
        ASSERT_EQ(named->setAt(L"SEAL", def, defId), Zcad::eOk);
        def->close();
    }
    auto* img = new ZcDbRasterImage();
    img->setImageDefId(defId);
    img->setOrientation(ZcGePoint3d(100, 50, 0), ZcGeVector3d(40, 0, 0), ZcGeVector3d(0, 20, 0));
    d.add(img);
    Recording_Device dev = Render(Job());
    EXPECT_EQ(dev.images, 1);
    EXPECT_EQ(dev.last_image.width, 4);
}

TEST_F(RenderPage, ChangesToTheDrawingShowInTheNextPlot)
{
    ZcDbObjectId moved = d.line(1000, 10, 1050, 10);  // outside at first
    ZcDbObjectId erased = d.line(10, 50, 60, 50);
    EXPECT_EQ(Render(Job()).strokes.size(), 1u);
    {
        ZcDbObjectPointer<ZcDbLine> line(moved, ZcDb::kForWrite);
        line->setStartPoint(ZcGePoint3d(10, 10, 0));
        line->setEndPoint(ZcGePoint3d(60, 10, 0));
    }
    ZcDbObjectPointer<ZcDbEntity>(erased, ZcDb::kForWrite)->erase();
    d.line(10, 90, 60, 90);
    Recording_Device dev = Render(Job());
    EXPECT_EQ(dev.strokes.size(), 2u);
    EXPECT_NE(Stroke_At(dev, 10, 10), nullptr);
    EXPECT_EQ(Stroke_At(dev, 10, 50), nullptr);
    EXPECT_NE(Stroke_At(dev, 10, 90), nullptr);
}

TEST_F(RenderPage, AnotherDrawingAtTheSameAddressIsNotTakenForTheFirst)
{
    d.line(10, 10, 60, 10);
    EXPECT_EQ(Render(Job()).strokes.size(), 1u);
    d.db.reset();
    d.db = std::make_unique<ZcDbDatabase>();
    d.line(10, 30, 60, 30);
    d.line(10, 40, 60, 40);
    EXPECT_EQ(Render(Job()).strokes.size(), 2u);
}

// The space's draw order decides what reaches the device last, and a change of it shows in
// the next plot.
TEST_F(RenderPage, EntitiesReachTheDeviceInTheSpacesDrawOrder)
{
    const ZcDbObjectId first = d.line(10, 10, 60, 10);
    d.line(10, 20, 60, 20);
    auto starts = [&] {
        std::vector<double> ys;
        for (const auto& s : Render(Job()).strokes) ys.push_back(s.points.front().y);
        return ys;
    };
    EXPECT_EQ(starts(), (std::vector<double>{10, 20}));
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> ms(d.db->modelSpaceId(), ZcDb::kForWrite);
        ZcDbSortentsTable* table = nullptr;
        ASSERT_EQ(ms->getSortentsTable(table, ZcDb::kForWrite, true), Zcad::eOk);
        ZcDbObjectIdArray moved;
        moved.append(first);
        table->moveToTop(moved);
        table->close();
    }
    EXPECT_EQ(starts(), (std::vector<double>{20, 10}));
}

}  // namespace
