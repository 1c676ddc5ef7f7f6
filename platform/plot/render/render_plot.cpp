// Render_Plot: one plot job onto its device.
#include <algorithm>
#include <cmath>
#include <memory>

#include "db/dbmain.h"
#include "db/dbpl.h"
#include "db/dbsymtb.h"
#include "db/dbviewport.h"
#include "plot/drivers/plot_driver_factory.h"
#include "plot/plot_job.h"
#include "plot/print_queue.h"
#include "plot/render/plot_paper_layout.h"
#include "plot/render/render_page.h"
#include "plot/render/space_index.h"
#include "plot/render/plot_stamp.h"
#include "plot/render/plot_style_table.h"
#include "plot/render/plot_world_draw.h"
#include "win/host_path_text.h"
#include "win/win_files.h"

namespace platform {

namespace {

constexpr double kCullMarginMm = 1.0;

ZcDbObjectId Model_Space_Id(ZcDbDatabase* db)
{
    ZcDbObjectId id;
    ZcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, ZcDb::kForRead) == Zcad::eOk) {
        table->getAt(L"*Model_Space", id);
        table->close();
    }
    return id;
}

std::vector<ZcDbObjectId> Space_Entities(ZcDbObjectId spaceId)
{
    ZcDbObjectPointer<ZcDbBlockTableRecord> space(spaceId);
    if (space.openStatus() != Zcad::eOk) return {};
    return space->entityIds();
}

bool Layer_Plots(ZcDbObjectId layerId)
{
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(layerId);
    return layer.openStatus() != Zcad::eOk || (!layer->isOff() && !layer->isFrozen() && layer->isPlottable());
}

// The extents of what plots in the space (layers off, frozen or not plotted left out).
bool Space_Extents(const std::vector<ZcDbObjectId>& ids, ZcDbExtents& out)
{
    bool any = false;
    for (const ZcDbObjectId& id : ids) {
        ZcDbObjectPointer<ZcDbEntity> ent(id);
        if (ent.openStatus() != Zcad::eOk || ent->visibility() == ZcDb::kInvisible) continue;
        if (!Layer_Plots(ent->layerId())) continue;
        ZcDbExtents e;
        if (ent->getGeomExtents(e) != Zcad::eOk) continue;
        out.addExt(e);
        any = true;
    }
    return any;
}

ZcDbObjectId Plot_Space_Id(const PlotJob& job)
{
    return job.space.isNull() ? Model_Space_Id(job.database) : job.space;
}

Paper_Point Box_Min(const Paper_Ring& ring)
{
    Paper_Point p{1e300, 1e300};
    for (const Paper_Point& q : ring) p = {std::min(p.x, q.x), std::min(p.y, q.y)};
    return p;
}

Paper_Point Box_Max(const Paper_Ring& ring)
{
    Paper_Point p{-1e300, -1e300};
    for (const Paper_Point& q : ring) p = {std::max(p.x, q.x), std::max(p.y, q.y)};
    return p;
}

class Space_Renderer {
public:
    Space_Renderer(const PlotJob& job, const Paper_Layout& layout, Plot_Device& device, Plot_World_Draw& draw)
        : mJob(job), mLayout(layout), mDevice(device), mDraw(draw)
    {
    }

    void render(const Space_Index& space)
    {
        const std::vector<Space_Item>& items = space.items();
        if (mJob.model_space) {
            reset();
            draw_near(space);
            return;
        }
        // A layout: paper-space entities, and model space through each viewport.
        if (mJob.paperspace_last)
            for (const Space_Item& item : items) draw_viewport_contents(item.id);
        for (const Space_Item& item : items) {
            if (!mJob.paperspace_last) draw_viewport_contents(item.id);
            reset();
            draw_one(item);
        }
    }

private:
    void reset()
    {
        mDraw.set_paper_transform(mLayout.paper_from_drawing);
        mDraw.set_frozen_layers({});
        mDraw.set_viewport_linetype_scale(1.0);
        Paper_Point lo = Box_Min(mLayout.window), hi = Box_Max(mLayout.window);
        mDraw.set_cull_box({lo.x - kCullMarginMm, lo.y - kCullMarginMm}, {hi.x + kCullMarginMm, hi.y + kCullMarginMm});
    }

    // The entities of the space near the cull box, in drawing order.
    void draw_near(const Space_Index& space)
    {
        const std::vector<Space_Item>& items = space.items();
        double x0, y0, x1, y1;
        if (!mDraw.cull_rectangle(x0, y0, x1, y1)) {
            for (const Space_Item& item : items) draw_one(item);
            return;
        }
        space.near(x0, y0, x1, y1, mNear);
        for (uint32_t i : mNear) draw_one(items[i]);
    }

    void draw_one(const Space_Item& item)
    {
        if (item.bounded && mDraw.off_page(item.box)) return;
        ZcDbObjectPointer<ZcDbEntity> ent(item.id);
        if (ent.openStatus() == Zcad::eOk) mDraw.draw_entity(ent.object());
    }

    void draw_viewport_contents(const ZcDbObjectId& id)
    {
        if (id.objectClass() == nullptr || !id.objectClass()->isDerivedFrom(ZcDbViewport::desc())) return;
        ZcDbObjectPointer<ZcDbViewport> vp(id);
        if (vp.openStatus() != Zcad::eOk || !vp->isOn() || vp->number() == 1) return;
        if (vp->visibility() == ZcDb::kInvisible || !mDraw.layer_plots(vp->layerId())) return;
        if (!(vp->width() > 0.0) || !(vp->height() > 0.0) || !(vp->viewHeight() > 0.0)) return;

        // Model -> paper space: around the view target, turned by the twist, scaled so that the
        // view height fills the viewport, the view centre on the viewport's centre.
        const double s = vp->height() / vp->viewHeight();
        const ZcGePoint3d target = vp->viewTarget();
        const ZcGePoint2d vc = vp->viewCenter();
        const ZcGePoint3d c = vp->centerPoint();
        ZcGeMatrix3d modelToPaperSpace = ZcGeMatrix3d::translation(ZcGeVector3d(c.x, c.y, 0.0)) *
                                         ZcGeMatrix3d::scaling(s) *
                                         ZcGeMatrix3d::translation(ZcGeVector3d(-vc.x, -vc.y, 0.0)) *
                                         ZcGeMatrix3d::rotation(vp->twistAngle(), ZcGeVector3d(0.0, 0.0, 1.0)) *
                                         ZcGeMatrix3d::translation(ZcGePoint3d::kOrigin - target);

        Paper_Ring clip = viewport_boundary(vp.object());
        ZcDbObjectIdArray frozen;
        vp->getFrozenLayerList(frozen);
        std::vector<ZcDbObjectId> frozenList;
        for (int i = 0; i < frozen.length(); ++i) frozenList.push_back(frozen[i]);
        vp.close();

        mDevice.push_clip(clip);
        mDraw.set_paper_transform(mLayout.paper_from_drawing * modelToPaperSpace);
        mDraw.set_frozen_layers(frozenList);
        // With paper-space linetype scaling, patterns keep their paper-space size in every viewport.
        mDraw.set_viewport_linetype_scale(mJob.database->psltscale() ? 1.0 / s : 1.0);
        Paper_Point lo = Box_Min(clip), hi = Box_Max(clip);
        mDraw.set_cull_box({lo.x - kCullMarginMm, lo.y - kCullMarginMm}, {hi.x + kCullMarginMm, hi.y + kCullMarginMm});
        if (!mModel) mModel = Space_Items(mJob.database, Model_Space_Id(mJob.database));
        draw_near(*mModel);
        mDevice.pop_clip();
        reset();
    }

    // The viewport's clip on the page: its clip polyline when set, else its rectangle.
    Paper_Ring viewport_boundary(const ZcDbViewport* vp) const
    {
        std::vector<ZcGePoint3d> pts;
        if (vp->isNonRectClipOn() && !vp->nonRectClipEntityId().isNull()) {
            ZcDbObjectPointer<ZcDbPolyline> pl(vp->nonRectClipEntityId());
            if (pl.openStatus() == Zcad::eOk)
                for (unsigned i = 0; i < pl->numVerts(); ++i) {
                    ZcGePoint2d p;
                    if (pl->getPointAt(i, p) == Zcad::eOk) pts.emplace_back(p.x, p.y, 0.0);
                }
        }
        if (pts.size() < 3) {
            const ZcGePoint3d c = vp->centerPoint();
            const double w = vp->width() / 2.0, h = vp->height() / 2.0;
            pts = {{c.x - w, c.y - h, 0}, {c.x + w, c.y - h, 0}, {c.x + w, c.y + h, 0}, {c.x - w, c.y + h, 0}};
        }
        Paper_Ring ring;
        for (const ZcGePoint3d& p : pts) {
            ZcGePoint3d q = mLayout.paper_from_drawing * p;
            ring.push_back({q.x, q.y});
        }
        return ring;
    }

    const PlotJob& mJob;
    const Paper_Layout& mLayout;
    Plot_Device& mDevice;
    Plot_World_Draw& mDraw;
    std::shared_ptr<const Space_Index> mModel;
    std::vector<uint32_t> mNear;
};

}  // namespace

bool Resolve_Plot_Window(const PlotJob& job, ZcGePoint2d& wmin, ZcGePoint2d& wmax, std::wstring& error)
{
    if (job.database == nullptr) {
        error = L"no drawing to plot";
        return false;
    }
    const ZcDbObjectId spaceId = Plot_Space_Id(job);
    if (spaceId.isNull()) {
        error = L"no space to plot";
        return false;
    }
    wmin = job.window_min, wmax = job.window_max;
    if (job.area == PlotArea::Extents) {
        ZcDbExtents e;
        if (!Space_Extents(Space_Entities(spaceId), e)) {
            error = L"nothing to plot: the drawing is empty";
            return false;
        }
        wmin = {e.minPoint().x, e.minPoint().y};
        wmax = {e.maxPoint().x, e.maxPoint().y};
    } else if (job.area == PlotArea::Limits) {
        wmin = job.database->limmin();
        wmax = job.database->limmax();
    } else if (job.area == PlotArea::Layout && !job.model_space) {
        // The layout's paper, its origin at the printable area's lower-left corner.
        Paper_Layout paper;
        if (!Compute_Paper_Layout(job, {0.0, 0.0}, {1.0, 1.0}, paper, error)) return false;
        wmin = {0.0, 0.0};
        wmax = {paper.printable_max.x - paper.printable_min.x, paper.printable_max.y - paper.printable_min.y};
    }
    return true;
}

bool Render_Page(const PlotJob& job, Plot_Device& device, std::wstring& error)
{
    if (job.database == nullptr) {
        error = L"no drawing to plot";
        return false;
    }
    Plot_Style_Table styles;
    const bool useStyles = job.plot_with_styles && !job.style_table_path.empty();
    if (useStyles && !styles.load(job.style_table_path, error)) return false;

    ZcGePoint2d wmin, wmax;
    if (!Resolve_Plot_Window(job, wmin, wmax, error)) return false;
    const ZcDbObjectId spaceId = Plot_Space_Id(job);

    Paper_Layout layout;
    if (!Compute_Paper_Layout(job, wmin, wmax, layout, error)) return false;
    Plot_Draw_Options options;
    options.styles = useStyles ? &styles : nullptr;
    options.plot_lineweights = job.plot_lineweights;
    options.background_rgb = job.background_rgb;
    options.linetype_scale = job.database->ltscale();
    if (const wchar_t* name = job.database->filename(); name && *name)
        options.drawing_folder = Text_From_Host_Path(To_Host_Path(name).parent_path());
    if (job.scale_lineweights && !job.model_space) options.lineweight_scale = layout.scale;

    if (!device.begin_page(layout.page_width_mm, layout.page_height_mm, job.background_rgb)) {
        device.finish(error);
        if (error.empty()) error = L"cannot start the page";
        return false;
    }
    Plot_World_Draw draw(device, options);
    const Paper_Ring printable = {layout.printable_min,
                                  {layout.printable_max.x, layout.printable_min.y},
                                  layout.printable_max,
                                  {layout.printable_min.x, layout.printable_max.y}};
    device.push_clip(printable);
    device.push_clip(layout.window);
    Space_Renderer(job, layout, device, draw).render(*Space_Items(job.database, spaceId));
    device.pop_clip();
    if (job.stamp.enabled) Draw_Plot_Stamp(device, layout, job.stamp);
    device.pop_clip();
    return true;
}

PlotResult Render_Plot(const PlotJob& job)
{
    PlotResult result;
    if (job.copies < 1) {
        result.error = L"number of copies must be at least 1";
        return result;
    }
    if (job.database == nullptr) {
        result.error = L"no drawing to plot";
        return result;
    }
    std::unique_ptr<Plot_Device> device = Make_Plot_Device(job, result.error);
    if (!device) return result;
    if (!Render_Page(job, *device, result.error) || !device->finish(result.error)) return result;
    result.ok = true;
    result.files = device->files();
    if (job.driver == PlotDriver::Printer && job.output_path.empty() && !result.files.empty())
        Record_Print_Job(job, result.files.front());
    return result;
}

}  // namespace platform
