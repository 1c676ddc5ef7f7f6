// The renderer's drawing context: entities draw themselves into it through worldDraw; it
// resolves layers, colours and lineweights (ByLayer, ByBlock, the plot-style table), maps the
// geometry onto the paper and hands it to the output device.
#pragma once
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "db/gi.h"
#include "plot/render/drawing_cull_box.h"
#include "plot/render/plot_device.h"
#include "plot/render/plot_style_table.h"

namespace platform {

struct Plot_Draw_Options {
    const Plot_Style_Table* styles = nullptr;  // nullptr: every colour plots as the object is
    bool plot_lineweights = true;
    double lineweight_scale = 1.0;             // lineweights scaled with the plot
    uint32_t background_rgb = 0xFFFFFF;
    double tolerance_mm = 0.02;                // chord error of curves on the paper
    double linetype_scale = 1.0;               // the drawing's LTSCALE
    std::wstring drawing_folder;               // where relative image paths start
};

class Plot_World_Draw : public ZcGiWorldDraw, public ZcGiWorldGeometry, public ZcGiSubEntityTraits {
public:
    Plot_World_Draw(Plot_Device& device, const Plot_Draw_Options& options);

    // Drawing coordinates -> page millimetres for what follows (resets the model transforms).
    void set_paper_transform(const ZcGeMatrix3d& paperFromDrawing);
    // Geometry wholly outside this page rectangle is left out.
    void set_cull_box(const Paper_Point& min, const Paper_Point& max);
    // Layers frozen in the viewport being drawn (none outside viewports).
    void set_frozen_layers(const std::vector<ZcDbObjectId>& layers);
    // Linetype patterns at this many times the options' scale (a viewport's paper-space
    // linetype scaling); 1 outside viewports.
    void set_viewport_linetype_scale(double factor);
    // Draws one entity of the space (not nested).
    void draw_entity(const ZcDbEntity* entity);
    // Whether a box of drawing coordinates lies wholly off the cull box of the page.
    bool off_page(const ZcDbExtents& box) const;
    // The rectangle of drawing x, y outside which off_page holds for every box; false when
    // the transform gives none.
    bool cull_rectangle(double& x0, double& y0, double& x1, double& y1) const;
    // A box sure to hold what a common entity draws (lines, circles, arcs, polylines, texts),
    // found without drawing it, to be widened by pad; false for other kinds.
    static bool Quick_Bounds(const ZcDbEntity* entity, ZcDbExtents& box, double& pad);
    // Whether the entity's layer lets it plot at the top level (on, thawed, plottable).
    bool layer_plots(ZcDbObjectId layerId);

    // ZcGiWorldDraw
    ZcGiWorldGeometry& geometry() const override { return const_cast<Plot_World_Draw&>(*this); }
    ZcGiSubEntityTraits& subEntityTraits() const override { return const_cast<Plot_World_Draw&>(*this); }

    // ZcGiGeometry
    bool circle(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal) override;
    bool circularArc(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal,
                     const ZcGeVector3d& startVector, double sweepAngle, ZcGiArcType arcType) override;
    bool polyline(uint32_t nbPoints, const ZcGePoint3d* pts, const ZcGeVector3d* normal, intptr_t marker) override;
    bool polygon(uint32_t nbPoints, const ZcGePoint3d* pts) override;
    bool polyPolygon(uint32_t numLoops, const uint32_t* numVertices, const ZcGePoint3d* vertices) override;
    bool pline(const ZcDbPolyline& polyline, uint32_t fromIndex, uint32_t numSegs) override;
    bool image(const ZcGiImage& img) override;
    // Ended where they leave the cull box.
    bool xline(const ZcGePoint3d& first, const ZcGePoint3d& second) override;
    bool ray(const ZcGePoint3d& base, const ZcGePoint3d& through) override;
    bool pushClipBoundary(const ZcGiClipBoundary& boundary) override;
    bool popClipBoundary() override;
    bool text(const ZcGePoint3d& position, const ZcGeVector3d& normal, const ZcGeVector3d& direction, double height,
              double width, double oblique, const wchar_t* pMsg) override;
    bool draw(const ZcDbEntity* entity) override;
    bool pushModelTransform(const ZcGeMatrix3d& xMat) override;
    bool popModelTransform() override;

    // ZcGiSubEntityTraits
    void setColor(uint16_t colorIndex) override;
    void setTrueColor(const ZcCmEntityColor& color) override;
    void setLayer(const ZcDbObjectId layerId) override;
    void setLineType(const ZcDbObjectId linetypeId) override;
    void setLineWeight(ZcDb::LineWeight lineWeight) override;
    void setLineTypeScale(double scale) override;
    void setFillType(ZcGiFillType fillType) override;
    uint16_t color() const override { return uint16_t(mTraits.color.colorIndex()); }
    ZcCmEntityColor trueColor() const override { return mTraits.color; }
    ZcDbObjectId layerId() const override { return mTraits.layer; }
    ZcDbObjectId lineTypeId() const override { return mTraits.linetype; }
    ZcDb::LineWeight lineWeight() const override { return mTraits.lineweight; }
    ZcGiFillType fillType() const override { return mTraits.fill; }

private:
    struct Traits {
        ZcCmEntityColor color;
        ZcDbObjectId layer;
        ZcDbObjectId linetype;
        ZcDb::LineWeight lineweight = ZcDb::kLnWtByLayer;
        ZcGiFillType fill = kZcGiFillNever;
        double linetype_scale = 1.0;
    };
    // What ByBlock and layer 0 mean for the entities being drawn: the inserting entity's
    // effective properties.
    struct Block_Context {
        int aci = 7;             // 1..255, or 0 for a true colour
        uint32_t rgb = 0;        // colour as the object shows it
        double lineweight_mm = 0.25;
        ZcDbObjectId layer;
        ZcDbObjectId linetype;   // a pattern's record, null for continuous lines
    };
    struct Layer_Info {
        bool plots = true;
        bool is_zero = false;
        ZcCmEntityColor color;
        ZcDb::LineWeight lineweight = ZcDb::kLnWtByLwDefault;
        ZcDbObjectId linetype;
    };
    // A linetype record as it plots: ByLayer and ByBlock stand for others; continuous lines
    // have no elements.
    struct Linetype_Info {
        bool by_layer = false, by_block = false;
        std::vector<double> elements;
        std::vector<bool> has_text;
        struct Text {
            std::wstring text;
            double scale = 1.0, rotation = 0.0;
            bool absolute = false;
            double x = 0.0, y = 0.0;
        };
        std::vector<Text> texts;  // one per element
    };

    const Layer_Info& layer_info(ZcDbObjectId id);
    ZcDbObjectId effective_layer() const;
    Block_Context effective() ;
    const Plot_Pen& pen();
    const Linetype_Info& linetype_info(ZcDbObjectId id);
    ZcDbObjectId resolve_linetype(ZcDbObjectId own, const Layer_Info& layer, const Block_Context* parent);
    // The pattern the strokes being drawn follow: null for continuous lines; scale gets the
    // factor from the pattern's lengths to the drawing's.
    const Linetype_Info* stroke_pattern(double& scale);
    // Draws the path (model coordinates) as the linetype has it; false when it is continuous.
    bool dash(const ZcGePoint3d* pts, uint32_t n);
    void draw_dashed(const ZcGePoint3d* pts, uint32_t n, const Linetype_Info& linetype, double scale);
    void stroke(const ZcGePoint3d* pts, uint32_t n);
    bool to_paper(const ZcGePoint3d* pts, uint32_t n, std::vector<Paper_Point>& out) const;
    // The part of the line from a through b (on both sides, or only on from a) in the cull box.
    bool unbounded_line(const ZcGePoint3d& a, const ZcGePoint3d& b, bool bothWays);
    int arc_segments(const ZcGePoint3d& center, const ZcGeVector3d& radiusVector, double sweep) const;
    void draw_body(const ZcDbEntity* entity);
    std::wstring Image_Path(const std::wstring& source) const;

    Plot_Device& mDevice;
    Plot_Draw_Options mOptions;
    std::vector<ZcGeMatrix3d> mStack;  // back() = current drawing -> paper
    Paper_Point mCullMin{-1e300, -1e300}, mCullMax{1e300, 1e300};
    mutable Drawing_Cull_Box mCullInDrawing;  // spares off_page mapping the corners of far boxes
    std::unordered_set<int64_t> mFrozen;
    std::unordered_map<int64_t, Layer_Info> mLayers;
    std::vector<Block_Context> mBlocks;  // one per nesting level being drawn
    Traits mTraits;
    bool mPenDirty = true;
    Plot_Pen mPen;
    bool mWipeout = false;
    bool mLinetypes = true;  // the entity's strokes follow linetypes (not hatch patterns or texts)
    double mViewportLinetypeScale = 1.0;
    std::unordered_map<int64_t, Linetype_Info> mLinetypeInfos;
    int mClipDepth = 0;
    std::vector<Paper_Point> mScratch;
};

}  // namespace platform
