#include "plot/render/plot_world_draw.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>
#include <filesystem>

#include "db/dbblkref.h"
#include "db/dbcurve.h"
#include "db/dbhatch.h"
#include "db/dbmtext.h"
#include "db/dbpl.h"
#include "db/dbtext.h"
#include "db/dbimage.h"
#include "db/dbmain.h"
#include "db/dbsymtb.h"
#include "db/text_metrics.h"
#include "plot/render/linetype_dashes.h"
#include "plot/render/plot_image_file.h"
#include "win/host_path_text.h"

namespace platform {

namespace {

constexpr double kDefaultLineweightMm = 0.25;
// Patterns shorter than this on the paper plot as continuous lines (their dashes would merge).
constexpr double kFinestPatternMm = 0.1;
// Paths that would hold more patterns than this (lines reaching far off the page) plot continuous.
constexpr double kMostPatterns = 1e6;

double Lineweight_Mm(ZcDb::LineWeight lw) { return lw >= 0 ? double(lw) / 100.0 : kDefaultLineweightMm; }

bool Same_Name(const wchar_t* name, const wchar_t* other)
{
    if (name == nullptr) return false;
    for (; *name && *other; ++name, ++other)
        if (std::towlower(*name) != std::towlower(*other)) return false;
    return *name == *other;
}

// Hatch patterns carry their own dashes, and texts are not stroked lines.
bool Takes_Linetype(const ZcDbEntity* entity)
{
    return ZcDbHatch::cast(entity) == nullptr && ZcDbText::cast(entity) == nullptr &&
           ZcDbMText::cast(entity) == nullptr;
}

bool Light(uint32_t rgb)
{
    int r = int(rgb >> 16) & 0xFF, g = int(rgb >> 8) & 0xFF, b = int(rgb) & 0xFF;
    return r * 299 + g * 587 + b * 114 >= 128 * 1000;
}

}  // namespace

Plot_World_Draw::Plot_World_Draw(Plot_Device& device, const Plot_Draw_Options& options)
    : mDevice(device), mOptions(options)
{
    mStack.emplace_back();
}

void Plot_World_Draw::set_paper_transform(const ZcGeMatrix3d& paperFromDrawing)
{
    mStack.assign(1, paperFromDrawing);
}

void Plot_World_Draw::set_cull_box(const Paper_Point& min, const Paper_Point& max)
{
    mCullMin = min;
    mCullMax = max;
}

void Plot_World_Draw::set_frozen_layers(const std::vector<ZcDbObjectId>& layers)
{
    mFrozen.clear();
    for (const ZcDbObjectId& id : layers) mFrozen.insert(id.asOldId());
}

void Plot_World_Draw::set_viewport_linetype_scale(double factor)
{
    mViewportLinetypeScale = factor > 0.0 && std::isfinite(factor) ? factor : 1.0;
}

const Plot_World_Draw::Layer_Info& Plot_World_Draw::layer_info(ZcDbObjectId id)
{
    auto it = mLayers.find(id.asOldId());
    if (it != mLayers.end()) return it->second;
    Layer_Info info;
    ZcDbLayerTableRecord* rec = nullptr;
    if (!id.isNull() && zcdbOpenObject(rec, id, ZcDb::kForRead) == Zcad::eOk) {
        info.plots = !rec->isOff() && !rec->isFrozen() && rec->isPlottable();
        const wchar_t* name = nullptr;
        info.is_zero = rec->getName(name) == Zcad::eOk && name && std::wstring(name) == L"0";
        info.color = rec->color();
        info.lineweight = rec->lineWeight();
        info.linetype = rec->linetypeObjectId();
        rec->close();
    } else {
        info.color.setColorIndex(7);
    }
    return mLayers.emplace(id.asOldId(), info).first->second;
}

bool Plot_World_Draw::layer_plots(ZcDbObjectId layerId)
{
    if (mFrozen.count(layerId.asOldId())) return false;
    return layer_info(layerId).plots;
}

ZcDbObjectId Plot_World_Draw::effective_layer() const
{
    if (!mBlocks.empty()) {
        auto it = mLayers.find(mTraits.layer.asOldId());
        if (mTraits.layer.isNull() || (it != mLayers.end() && it->second.is_zero)) return mBlocks.back().layer;
    }
    return mTraits.layer;
}

Plot_World_Draw::Block_Context Plot_World_Draw::effective()
{
    layer_info(mTraits.layer);  // cached before effective_layer looks at it
    Block_Context out;
    out.layer = effective_layer();
    const Layer_Info& layer = layer_info(out.layer);
    const Block_Context* parent = mBlocks.empty() ? nullptr : &mBlocks.back();

    ZcCmEntityColor c = mTraits.color;
    if (c.isByLayer()) c = layer.color;
    if (c.isByBlock()) {
        if (parent) {
            out.aci = parent->aci;
            out.rgb = parent->rgb;
        } else {
            out.aci = 7;
        }
    } else if (c.isByColor()) {
        out.aci = 0;
        out.rgb = c.trueColor();
    } else {
        int index = c.isForeground() || c.isNone() ? 7 : c.colorIndex();
        out.aci = (index >= 1 && index <= 255) ? index : 7;
    }
    if (out.aci == 7)
        out.rgb = Light(mOptions.background_rgb) ? 0x000000 : 0xFFFFFF;
    else if (out.aci != 0)
        out.rgb = Index_Color_Rgb(out.aci);

    ZcDb::LineWeight lw = mTraits.lineweight;
    if (lw == ZcDb::kLnWtByLayer) lw = layer.lineweight;
    if (lw == ZcDb::kLnWtByBlock)
        out.lineweight_mm = parent ? parent->lineweight_mm : kDefaultLineweightMm;
    else
        out.lineweight_mm = Lineweight_Mm(lw);
    out.linetype = resolve_linetype(mTraits.linetype, layer, parent);
    return out;
}

// Linetypes.

const Plot_World_Draw::Linetype_Info& Plot_World_Draw::linetype_info(ZcDbObjectId id)
{
    auto it = mLinetypeInfos.find(id.asOldId());
    if (it != mLinetypeInfos.end()) return it->second;
    Linetype_Info info;
    ZcDbLinetypeTableRecord* rec = nullptr;
    if (id.isNull()) {
        info.by_layer = true;  // an entity without a linetype of its own
    } else if (zcdbOpenObject(rec, id, ZcDb::kForRead) == Zcad::eOk) {
        bool shapes = false;
        const wchar_t* name = nullptr;
        rec->getName(name);
        info.by_layer = Same_Name(name, L"ByLayer");
        info.by_block = Same_Name(name, L"ByBlock");
        for (int i = 0; i < rec->numDashes() && !info.by_layer && !info.by_block; ++i) {
            info.elements.push_back(rec->dashLengthAt(i));
            const wchar_t* text = nullptr;
            Linetype_Info::Text t;
            if (rec->textAt(i, text) == Zcad::eOk && text && *text) {
                t.text = text;
                t.scale = rec->shapeScaleAt(i);
                t.rotation = rec->shapeRotationAt(i);
                t.absolute = rec->shapeIsUcsOrientedAt(i);
                t.x = rec->shapeOffsetAt(i).x;
                t.y = rec->shapeOffsetAt(i).y;
            }
            info.has_text.push_back(!t.text.empty());
            info.texts.push_back(t);
            shapes = shapes || (t.text.empty() && rec->shapeNumberAt(i) != 0);
        }
        rec->close();
        // Shapes come from shape files, which are not read: without them the pattern would
        // leave the line all but empty, so such a linetype plots continuous.
        if (shapes) info = Linetype_Info();
    }
    return mLinetypeInfos.emplace(id.asOldId(), std::move(info)).first->second;
}

// The linetype record whose pattern an entity plots with: its own, its layer's for ByLayer, the
// inserting entity's for ByBlock (continuous outside blocks).
ZcDbObjectId Plot_World_Draw::resolve_linetype(ZcDbObjectId own, const Layer_Info& layer,
                                               const Block_Context* parent)
{
    const Linetype_Info& info = linetype_info(own);
    if (info.by_block) return parent ? parent->linetype : ZcDbObjectId::kNull;
    if (!info.by_layer) return info.elements.empty() ? ZcDbObjectId::kNull : own;
    if (layer.linetype.isNull()) return ZcDbObjectId::kNull;
    const Linetype_Info& layers = linetype_info(layer.linetype);
    return layers.by_layer || layers.by_block || layers.elements.empty() ? ZcDbObjectId::kNull : layer.linetype;
}

const Plot_World_Draw::Linetype_Info* Plot_World_Draw::stroke_pattern(double& scale)
{
    if (!mLinetypes) return nullptr;
    layer_info(mTraits.layer);
    const Layer_Info& layer = layer_info(effective_layer());
    const ZcDbObjectId id = resolve_linetype(mTraits.linetype, layer, mBlocks.empty() ? nullptr : &mBlocks.back());
    if (id.isNull()) return nullptr;
    const Linetype_Info& info = linetype_info(id);
    scale = mTraits.linetype_scale * mOptions.linetype_scale * mViewportLinetypeScale;
    if (!(scale > 0.0) || !std::isfinite(scale)) scale = 1.0;
    return &info;
}

bool Plot_World_Draw::dash(const ZcGePoint3d* pts, uint32_t n)
{
    double scale = 1.0;
    const Linetype_Info* linetype = stroke_pattern(scale);
    if (linetype == nullptr) return false;
    draw_dashed(pts, n, *linetype, scale);
    return true;
}

void Plot_World_Draw::draw_dashed(const ZcGePoint3d* pts, uint32_t n, const Linetype_Info& linetype, double scale)
{
    std::vector<double> elements = linetype.elements;
    for (double& e : elements) e *= scale;
    // The pattern's length on the paper, by the scale of the model transform.
    const ZcGeMatrix3d& m = mStack.back();
    const double paperPerUnit = std::sqrt(std::fabs(m.entry[0][0] * m.entry[1][1] - m.entry[0][1] * m.entry[1][0]));
    const double pattern = Pattern_Length(elements);
    double length = 0.0;
    for (uint32_t i = 1; i < n; ++i) length += pts[i].distanceTo(pts[i - 1]);
    if (pattern * paperPerUnit < kFinestPatternMm || length > kMostPatterns * pattern) {
        stroke(pts, n);
        return;
    }
    const Dashed_Path dashed = Dash_Path(pts, n, elements, linetype.has_text);
    for (const std::vector<ZcGePoint3d>& d : dashed.dashes) stroke(d.data(), uint32_t(d.size()));
    for (const Dash_Mark& mark : dashed.marks) {
        const Linetype_Info::Text& t = linetype.texts[mark.element];
        const ZcGeVector3d normal = ZcGeVector3d::kZAxis;
        const ZcGeVector3d along = mark.direction, across = normal.crossProduct(along);
        const ZcGePoint3d at = mark.at + along * (t.x * scale) + across * (t.y * scale);
        const double angle = t.absolute ? t.rotation : std::atan2(along.y, along.x) + t.rotation;
        text(at, normal, ZcGeVector3d(std::cos(angle), std::sin(angle), 0.0), t.scale * scale, 1.0, 0.0,
             t.text.c_str());
    }
}

// A path on the paper as it is, without a linetype.
void Plot_World_Draw::stroke(const ZcGePoint3d* pts, uint32_t n)
{
    if (!to_paper(pts, n, mScratch)) return;
    mDevice.set_pen(pen());
    mDevice.polyline(mScratch.data(), mScratch.size());
}

const Plot_Pen& Plot_World_Draw::pen()
{
    if (!mPenDirty) return mPen;
    Block_Context ctx = effective();
    static const Plot_Style kObjectStyle;
    int styleIndex = ctx.aci != 0 ? ctx.aci : Nearest_Color_Index(uint8_t(ctx.rgb >> 16), uint8_t(ctx.rgb >> 8),
                                                                   uint8_t(ctx.rgb));
    const Plot_Style& style = mOptions.styles ? mOptions.styles->style(styleIndex) : kObjectStyle;
    mPen.rgb = mWipeout ? mOptions.background_rgb : Plot_Style_Table::Output_Color(style, ctx.rgb);
    double width = style.use_object_lineweight ? ctx.lineweight_mm : style.lineweight_mm;
    mPen.width_mm = mOptions.plot_lineweights ? width * mOptions.lineweight_scale : 0.0;
    mPenDirty = false;
    return mPen;
}

// Traits.

void Plot_World_Draw::setColor(uint16_t colorIndex)
{
    mTraits.color.setColorIndex(int16_t(colorIndex));
    mPenDirty = true;
}

void Plot_World_Draw::setTrueColor(const ZcCmEntityColor& color)
{
    mTraits.color = color;
    mPenDirty = true;
}

void Plot_World_Draw::setLayer(const ZcDbObjectId layerId)
{
    mTraits.layer = layerId;
    mPenDirty = true;
}

void Plot_World_Draw::setLineType(const ZcDbObjectId linetypeId) { mTraits.linetype = linetypeId; }

void Plot_World_Draw::setLineTypeScale(double scale) { mTraits.linetype_scale = scale; }

void Plot_World_Draw::setLineWeight(ZcDb::LineWeight lineWeight)
{
    mTraits.lineweight = lineWeight;
    mPenDirty = true;
}

void Plot_World_Draw::setFillType(ZcGiFillType fillType) { mTraits.fill = fillType; }

// Geometry.

bool Plot_World_Draw::to_paper(const ZcGePoint3d* pts, uint32_t n, std::vector<Paper_Point>& out) const
{
    const ZcGeMatrix3d& m = mStack.back();
    out.resize(n);
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (uint32_t i = 0; i < n; ++i) {
        const ZcGePoint3d& p = pts[i];
        double x = m.entry[0][0] * p.x + m.entry[0][1] * p.y + m.entry[0][2] * p.z + m.entry[0][3];
        double y = m.entry[1][0] * p.x + m.entry[1][1] * p.y + m.entry[1][2] * p.z + m.entry[1][3];
        out[i] = {x, y};
        x0 = std::min(x0, x), x1 = std::max(x1, x);
        y0 = std::min(y0, y), y1 = std::max(y1, y);
    }
    return n > 0 && x1 >= mCullMin.x && x0 <= mCullMax.x && y1 >= mCullMin.y && y0 <= mCullMax.y &&
           std::isfinite(x0 + x1 + y0 + y1);
}

bool Plot_World_Draw::polyline(uint32_t nbPoints, const ZcGePoint3d* pts, const ZcGeVector3d*, intptr_t)
{
    if (nbPoints < 2 || pts == nullptr) return false;
    if (!dash(pts, nbPoints)) stroke(pts, nbPoints);
    return false;
}

// The polyline's pattern runs on over its vertices when its linetype generation is on, and
// starts anew at each vertex when it is off.
bool Plot_World_Draw::pline(const ZcDbPolyline& polyline, uint32_t fromIndex, uint32_t numSegs)
{
    double scale = 1.0;
    const Linetype_Info* linetype = stroke_pattern(scale);
    if (linetype == nullptr) return ZcGiWorldGeometry::pline(polyline, fromIndex, numSegs);
    const unsigned segments = polyline.numSegments();
    const unsigned end = numSegs == 0 ? segments : std::min(segments, fromIndex + numSegs);
    std::vector<ZcGePoint3d> path;
    for (unsigned i = fromIndex; i < end; ++i) {
        ZcGePoint2d a, b;
        double bulge = 0.0;
        polyline.getPointAt(i, a);
        polyline.getPointAt((i + 1) % polyline.numVerts(), b);
        polyline.getBulgeAt(i, bulge);
        int pieces = 1;
        if (bulge != 0.0) {
            const double sweep = 4.0 * std::atan(std::fabs(bulge));
            const double radius = a.distanceTo(b) / (2.0 * std::sin(sweep / 2.0));
            ZcGeVector3d r(radius, 0.0, 0.0);
            pieces = arc_segments(ZcGePoint3d::kOrigin, r, sweep);
        }
        if (path.empty() || !polyline.hasPlinegen()) {
            if (path.size() >= 2) draw_dashed(path.data(), uint32_t(path.size()), *linetype, scale);
            path.clear();
            ZcGePoint3d start;
            polyline.getPointAtParam(double(i), start);
            path.push_back(start);
        }
        for (int k = 1; k <= pieces; ++k) {
            ZcGePoint3d p;
            polyline.getPointAtParam(i + double(k) / pieces, p);
            path.push_back(p);
        }
    }
    if (path.size() >= 2) draw_dashed(path.data(), uint32_t(path.size()), *linetype, scale);
    return false;
}

namespace {
// The mean width of an area: twice its area over its perimeter (a band's width).
double Mean_Width(const Paper_Ring& ring)
{
    double area = 0.0, perimeter = 0.0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const Paper_Point& a = ring[i];
        const Paper_Point& b = ring[(i + 1) % ring.size()];
        area += a.x * b.y - b.x * a.y;
        perimeter += std::hypot(b.x - a.x, b.y - a.y);
    }
    return perimeter > 0.0 ? std::fabs(area) / perimeter : 0.0;  // |area| here is twice the area
}
}  // namespace

bool Plot_World_Draw::polygon(uint32_t nbPoints, const ZcGePoint3d* pts)
{
    return polyPolygon(1, &nbPoints, pts);
}

bool Plot_World_Draw::polyPolygon(uint32_t numLoops, const uint32_t* numVertices, const ZcGePoint3d* vertices)
{
    if (numVertices == nullptr || vertices == nullptr) return false;
    double scale = 1.0;
    const Linetype_Info* linetype = mTraits.fill == kZcGiFillAlways ? nullptr : stroke_pattern(scale);
    if (linetype != nullptr) {
        // Outlines following the linetype, each loop on its own.
        std::vector<ZcGePoint3d> loop;
        for (uint32_t i = 0; i < numLoops; vertices += numVertices[i], ++i) {
            if (numVertices[i] < 2) continue;
            loop.assign(vertices, vertices + numVertices[i]);
            loop.push_back(loop.front());
            draw_dashed(loop.data(), uint32_t(loop.size()), *linetype, scale);
        }
        return false;
    }
    std::vector<Paper_Ring> rings;
    bool inside = false;
    for (uint32_t i = 0; i < numLoops; vertices += numVertices[i], ++i) {
        if (numVertices[i] < 2) continue;
        inside = to_paper(vertices, numVertices[i], mScratch) || inside;
        rings.push_back(mScratch);
    }
    if (!inside) return false;
    mDevice.set_pen(pen());
    if (mTraits.fill == kZcGiFillAlways) {
        // A band thinner than the pen (a polyline of hairline width) plots as a line of the pen:
        // its outline, drawn as much thinner as the band is wide.
        const double line = std::max(pen().width_mm, mDevice.thinnest_line_mm());
        const double band = rings.size() == 1 && !mWipeout ? Mean_Width(rings[0]) : line;
        if (band >= line) {
            mDevice.fill(rings);  // even-odd: inner loops are holes
            return false;
        }
        mDevice.set_pen({pen().rgb, line - band});
    }
    for (Paper_Ring& ring : rings) {
        ring.push_back(ring.front());
        mDevice.polyline(ring.data(), ring.size());
    }
    return false;
}

bool Plot_World_Draw::pushClipBoundary(const ZcGiClipBoundary& boundary)
{
    to_paper(boundary.points.data(), uint32_t(boundary.points.size()), mScratch);
    mDevice.push_clip(mScratch, boundary.inverted);
    ++mClipDepth;
    return false;
}

bool Plot_World_Draw::popClipBoundary()
{
    if (mClipDepth == 0) return false;
    mDevice.pop_clip();
    --mClipDepth;
    return false;
}

bool Plot_World_Draw::image(const ZcGiImage& img)
{
    ZcGePoint3d corners[4] = {img.origin, img.origin + img.u, img.origin + img.u + img.v, img.origin + img.v};
    if (!to_paper(corners, 4, mScratch)) return false;
    Plot_Image out;
    if (!Load_Plot_Image(Image_Path(img.sourceFile), img.fade, out)) return false;
    out.origin = mScratch[0];
    out.u = {mScratch[1].x - mScratch[0].x, mScratch[1].y - mScratch[0].y};
    out.v = {mScratch[3].x - mScratch[0].x, mScratch[3].y - mScratch[0].y};
    const bool clipped = img.clip.size() >= 3;
    if (clipped) {
        to_paper(img.clip.data(), uint32_t(img.clip.size()), mScratch);
        mDevice.push_clip(mScratch, false);
    }
    mDevice.image(out);
    if (clipped) mDevice.pop_clip();
    return false;
}

bool Plot_World_Draw::xline(const ZcGePoint3d& first, const ZcGePoint3d& second)
{
    return unbounded_line(first, second, true);
}

bool Plot_World_Draw::ray(const ZcGePoint3d& base, const ZcGePoint3d& through)
{
    return unbounded_line(base, through, false);
}

bool Plot_World_Draw::unbounded_line(const ZcGePoint3d& a, const ZcGePoint3d& b, bool bothWays)
{
    const ZcGePoint3d ends[2] = {a, b};
    to_paper(ends, 2, mScratch);
    const double x = mScratch[0].x, y = mScratch[0].y;
    const double dx = mScratch[1].x - x, dy = mScratch[1].y - y;
    if (!std::isfinite(x + y + dx + dy) || (dx == 0.0 && dy == 0.0)) return false;
    // The line's parameters inside the box, edge by edge.
    double t0 = bothWays ? -HUGE_VAL : 0.0, t1 = HUGE_VAL;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x - mCullMin.x, mCullMax.x - x, y - mCullMin.y, mCullMax.y - y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
    }
    if (!(t0 <= t1) || !std::isfinite(t0) || !std::isfinite(t1)) return false;
    const ZcGePoint3d piece[2] = {a + (b - a) * t0, a + (b - a) * t1};
    return polyline(2, piece, nullptr, -1);
}

// Relative image paths start at the drawing's folder; drive ("C:\...") and rooted paths do not.
std::wstring Plot_World_Draw::Image_Path(const std::wstring& source) const
{
    const bool drive = source.size() >= 2 && source[1] == L':';
    const bool rooted = !source.empty() && (source[0] == L'\\' || source[0] == L'/');
    if (drive || rooted || mOptions.drawing_folder.empty()) return source;
    return Text_From_Host_Path(Host_Path_From_Text(mOptions.drawing_folder) / Host_Path_From_Text(source));
}

int Plot_World_Draw::arc_segments(const ZcGePoint3d& center, const ZcGeVector3d& radiusVector, double sweep) const
{
    const ZcGeMatrix3d& m = mStack.back();
    ZcGeVector3d r = m * radiusVector;
    ZcGeVector3d n(0.0, 0.0, 1.0);
    ZcGeVector3d r2 = m * n.crossProduct(radiusVector);
    double radius = std::max(std::hypot(r.x, r.y), std::hypot(r2.x, r2.y));
    (void)center;
    double tol = mOptions.tolerance_mm;
    double step = radius > tol ? 2.0 * std::acos(1.0 - tol / radius) : M_PI / 2.0;
    int n360 = int(std::ceil(2.0 * M_PI / std::max(step, 1e-4)));
    n360 = std::clamp(n360, 8, 4096);
    return std::max(2, int(std::ceil(n360 * std::fabs(sweep) / (2.0 * M_PI))));
}

bool Plot_World_Draw::circularArc(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal,
                                  const ZcGeVector3d& startVector, double sweepAngle, ZcGiArcType arcType)
{
    if (!(radius > 0.0) || startVector.length() == 0.0 || normal.length() == 0.0) return false;
    ZcGeVector3d n = normal.normal();
    ZcGeVector3d u = startVector.normal() * radius;
    ZcGeVector3d v = n.crossProduct(startVector.normal()) * radius;
    double patternScale = 1.0;
    const bool patterned = stroke_pattern(patternScale) != nullptr;
    if (arcType == kZcGiArcSimple && mTraits.fill != kZcGiFillAlways && !patterned) {
        // An outline: the device draws the curve (as curves where it can).
        const ZcGeMatrix3d& m = mStack.back();
        const ZcGePoint3d c = m * center;
        const ZcGeVector3d pu = m * u, pv = m * v;
        const double reach = std::hypot(pu.x, pu.y) + std::hypot(pv.x, pv.y);
        if (c.x + reach < mCullMin.x || c.x - reach > mCullMax.x || c.y + reach < mCullMin.y ||
            c.y - reach > mCullMax.y || !std::isfinite(c.x + c.y + reach))
            return false;
        mDevice.set_pen(pen());
        mDevice.arc({c.x, c.y}, {pu.x, pu.y}, {pv.x, pv.y}, sweepAngle, mOptions.tolerance_mm);
        return false;
    }
    int segments = arc_segments(center, u, sweepAngle);
    std::vector<ZcGePoint3d> pts;
    pts.reserve(size_t(segments) + 3);
    for (int i = 0; i <= segments; ++i) {
        double t = sweepAngle * i / segments;
        pts.push_back(center + u * std::cos(t) + v * std::sin(t));
    }
    const bool full = std::fabs(std::fabs(sweepAngle) - 2.0 * M_PI) < 1e-9;
    if (arcType == kZcGiArcSector && !full) pts.push_back(center);
    if (arcType == kZcGiArcSimple && !(full && mTraits.fill == kZcGiFillAlways))
        return polyline(uint32_t(pts.size()), pts.data(), nullptr, -1);
    if (mTraits.fill == kZcGiFillAlways) return polygon(uint32_t(pts.size()), pts.data());
    pts.push_back(pts.front());
    return polyline(uint32_t(pts.size()), pts.data(), nullptr, -1);
}

bool Plot_World_Draw::circle(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal)
{
    ZcGeMatrix3d toWorld = ZcGeMatrix3d::planeToWorld(normal.length() > 0.0 ? normal : ZcGeVector3d(0, 0, 1));
    ZcGeVector3d x = toWorld * ZcGeVector3d(1.0, 0.0, 0.0);
    return circularArc(center, radius, normal, x, 2.0 * M_PI, kZcGiArcSimple);
}

bool Plot_World_Draw::text(const ZcGePoint3d& position, const ZcGeVector3d& normal, const ZcGeVector3d& direction,
                           double height, double width, double oblique, const wchar_t* pMsg)
{
    if (pMsg == nullptr || *pMsg == 0 || !(height > 0.0)) return false;
    if (!(width > 0.0)) width = 1.0;
    ZcGeVector3d dir = direction.length() > 0.0 ? direction.normal() : ZcGeVector3d(1.0, 0.0, 0.0);
    ZcGeVector3d nrm = normal.length() > 0.0 ? normal.normal() : ZcGeVector3d(0.0, 0.0, 1.0);
    ZcGeVector3d up = nrm.crossProduct(dir).normal();
    const std::wstring s(pMsg);
    const double shear = std::tan(oblique);
    // Leave out texts whose box misses the page (the box the extents use).
    Text_Line_Box box = Measure_Text_Line(s, height, width);
    ZcGePoint3d corners[4];
    int k = 0;
    for (double y : {box.bottom, box.top})
        for (double x : {0.0, box.width}) corners[k++] = position + dir * (x + y * shear) + up * y;
    if (!to_paper(corners, 4, mScratch)) return false;

    const ZcGeMatrix3d& m = mStack.back();
    const double em = height / Cap_Height_Ratio();
    ZcGePoint3d o = m * position;
    ZcGeVector3d xa = m * (dir * (em * width));
    ZcGeVector3d ya = m * (dir * (em * shear) + up * em);
    Plot_Text t;
    t.text = s;
    t.origin = {o.x, o.y};
    t.x_axis = {xa.x, xa.y};
    t.y_axis = {ya.x, ya.y};
    mDevice.set_pen(pen());
    mDevice.text(t);
    return false;
}

bool Plot_World_Draw::pushModelTransform(const ZcGeMatrix3d& xMat)
{
    mStack.push_back(mStack.back() * xMat);
    return false;
}

bool Plot_World_Draw::popModelTransform()
{
    if (mStack.size() > 1) mStack.pop_back();
    return false;
}

// Entities.

// A box sure to hold what the common entities draw, without drawing them: false when the
// entity is of another kind (it is then drawn and its primitives culled one by one).
bool Plot_World_Draw::Quick_Bounds(const ZcDbEntity* e, ZcDbExtents& box, double& pad)
{
    pad = 0.0;
    if (auto* line = ZcDbLine::cast(e)) {
        box.addPoint(line->startPoint());
        box.addPoint(line->endPoint());
    } else if (auto* circle = ZcDbCircle::cast(e)) {
        box.addPoint(circle->center());
        pad = circle->radius();
    } else if (auto* arc = ZcDbArc::cast(e)) {
        box.addPoint(arc->center());
        pad = arc->radius();
    } else if (auto* pl = ZcDbPolyline::cast(e)) {
        if (!pl->normal().isEqualTo(ZcGeVector3d::kZAxis) || pl->numVerts() == 0) return false;
        double width = 0.0;
        if (pl->getConstantWidth(width) != Zcad::eOk) width = 0.0;
        for (unsigned i = 0; i < pl->numVerts(); ++i) {
            ZcGePoint2d p;
            double bulge = 0.0, w0 = 0.0, w1 = 0.0;
            pl->getPointAt(i, p);
            pl->getBulgeAt(i, bulge);
            if (pl->getWidthsAt(i, w0, w1) == Zcad::eOk) width = std::max({width, w0, w1});
            box.addPoint(ZcGePoint3d(p.x, p.y, pl->elevation()));
            // A bulged segment bows out by less than its chord times (1 + |bulge|).
            unsigned next = (i + 1) % pl->numVerts();
            ZcGePoint2d q;
            pl->getPointAt(next, q);
            if (bulge != 0.0) pad = std::max(pad, (q - p).length() * (1.0 + std::fabs(bulge)));
        }
        pad += width;
    } else if (auto* text = ZcDbText::cast(e)) {
        box.addPoint(text->position());
        if (!text->isDefaultAlignment()) box.addPoint(text->alignmentPoint());  // unused (often 0,0) otherwise
        const double em = text->height() / Cap_Height_Ratio();
        pad = em * (2.0 + std::max(1.0, text->widthFactor()) * double(std::wcslen(text->textStringConst())));
    } else {
        return false;
    }
    return box.isValid();
}

bool Plot_World_Draw::off_page(const ZcDbExtents& box) const
{
    const ZcGeMatrix3d& m = mStack.back();
    if (mCullInDrawing.clearly_outside(m, mCullMin, mCullMax, box)) return true;
    const ZcGePoint3d a = box.minPoint(), b = box.maxPoint();
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (int i = 0; i < 8; ++i) {
        ZcGePoint3d q = m * ZcGePoint3d((i & 1) ? b.x : a.x, (i & 2) ? b.y : a.y, (i & 4) ? b.z : a.z);
        x0 = std::min(x0, q.x), x1 = std::max(x1, q.x), y0 = std::min(y0, q.y), y1 = std::max(y1, q.y);
    }
    return x1 < mCullMin.x || x0 > mCullMax.x || y1 < mCullMin.y || y0 > mCullMax.y;
}

bool Plot_World_Draw::cull_rectangle(double& x0, double& y0, double& x1, double& y1) const
{
    return mCullInDrawing.drawing_rectangle(mStack.back(), mCullMin, mCullMax, x0, y0, x1, y1);
}

void Plot_World_Draw::draw_entity(const ZcDbEntity* entity)
{
    if (entity == nullptr || entity->visibility() == ZcDb::kInvisible) return;
    if (!layer_plots(entity->layerId())) return;
    mBlocks.clear();
    mTraits = Traits();
    draw_body(entity);
}

bool Plot_World_Draw::draw(const ZcDbEntity* entity)
{
    if (entity == nullptr || entity->visibility() == ZcDb::kInvisible) return false;
    Block_Context parent = effective();
    // An entity on layer 0 inside a block plots with the inserting entity's layer.
    ZcDbObjectId own = entity->layerId();
    if (!own.isNull() && !layer_info(own).is_zero && !layer_plots(own)) return false;
    const Traits saved = mTraits;
    const bool savedWipeout = mWipeout, savedLinetypes = mLinetypes;
    mBlocks.push_back(parent);
    draw_body(entity);
    mBlocks.pop_back();
    mTraits = saved;
    mWipeout = savedWipeout;
    mLinetypes = savedLinetypes;
    mPenDirty = true;
    return false;
}

void Plot_World_Draw::draw_body(const ZcDbEntity* entity)
{
    mWipeout = ZcDbWipeout::cast(entity) != nullptr;
    mLinetypes = Takes_Linetype(entity);
    mPenDirty = true;
    const int depth = mClipDepth;
    const_cast<ZcDbEntity*>(entity)->worldDraw(this);
    while (mClipDepth > depth) popClipBoundary();  // boundaries left open by the entity
}

}  // namespace platform
