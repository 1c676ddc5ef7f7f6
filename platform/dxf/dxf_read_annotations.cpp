#include "dxf/dxf_read_annotations.h"

#include <memory>
#include <cmath>

#include "db/dbdim.h"
#include "db/dbhatch.h"
#include "db/dbimage.h"
#include "db/dbsort.h"
#include "db/hatch_edges.h"
#include "dxf/dxf_enums.h"
#include "dxf/dxf_read_proxy.h"

namespace platform {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;

ZcGePoint3d Point(DxfSpan s, int code) { return ZcGePoint3d(s.real(code), s.real(code + 10), s.real(code + 20)); }

// Walks the boundary paths of a hatch (group 91 onwards) into polyline loops. A value an edge
// lacks is taken as 0 and a group that belongs to no edge is skipped, each with a warning.
class HatchLoops {
 public:
  HatchLoops(DxfReadContext& ctx, DxfSpan span, ZcDbHatch* hatch)
      : ctx_(ctx), g_(span.begin()), end_(span.end()), hatch_(hatch) {}

  void read() {
    while (g_ != end_ && g_->code != 91) ++g_;
    if (g_ == end_) return;
    const int loops = g_->to_int();
    ++g_;
    for (int l = 0; l < loops && g_ != end_; ++l) loop();
  }

  bool repaired = false;  // a value was missing or a group stray

 private:
  bool at(int code) const { return g_ != end_ && g_->code == code; }
  // Where the data of an edge or path ends: the next edge, path or the groups after the paths.
  bool at_boundary() const { return g_ == end_ || g_->code == 92 || g_->code == 72 || g_->code == 97 || g_->code == 75; }
  void skip_stray() {
    repaired = true;
    ctx_.warn(g_->line, "group " + std::to_string(g_->code) + " in a hatch boundary path belongs to no edge; ignored");
    ++g_;
  }
  double missing(int code) {
    repaired = true;
    ctx_.warn(g_ != end_ ? g_->line : ctx_.record_line, "hatch boundary value of group " + std::to_string(code) + " is missing; 0 stands");
    return 0;
  }
  // Group codes of edge data (the rest are strays).
  static bool Edge_Code(int code) {
    return code == 10 || code == 20 || code == 11 || code == 21 || code == 40 || code == 42 || code == 50 ||
           code == 51 || code == 73;
  }
  double real(int code) {
    while (!at(code) && !at_boundary() && !Edge_Code(g_->code)) skip_stray();
    return at(code) ? (g_++)->to_double() : missing(code);
  }
  ZcGePoint2d point(int code) {
    const double x = real(code);
    return ZcGePoint2d(x, real(code + 10));
  }

  void loop() {
    while (g_ != end_ && g_->code != 92) ++g_;
    if (g_ == end_) return;
    const int type = (g_++)->to_int();
    vertices_.setLogicalLength(0);
    bulges_.setLogicalLength(0);
    if (type & ZcDbHatch::kPolyline) {
      bool has_bulge = false;
      if (at(72)) has_bulge = (g_++)->to_int() != 0;
      if (at(73)) ++g_;
      const int count = at(93) ? (g_++)->to_int() : 0;
      for (int i = 0; i < count; ++i) {
        while (!at_boundary() && !Edge_Code(g_->code)) skip_stray();
        if (!at(10)) {
          repaired = true;
          ctx_.warn(g_ != end_ ? g_->line : ctx_.record_line, "hatch boundary path has " + std::to_string(i) + " of its " +
                                                                  std::to_string(count) + " vertices");
          break;
        }
        const ZcGePoint2d p = point(10);
        vertices_.append(p);
        bulges_.append(has_bulge && at(42) ? (g_++)->to_double() : 0.0);
      }
    } else {
      const int edges = at(93) ? (g_++)->to_int() : 0;
      for (int e = 0; e < edges && at(72); ++e) edge();
    }
    if (vertices_.length() >= 2) hatch_->appendLoop(type & ~ZcDbHatch::kPolyline, vertices_, bulges_);
  }

  void edge() {
    const int type = (g_++)->to_int();
    switch (type) {
      case 1: {  // line
        vertices_.append(point(10));
        bulges_.append(0);
        point(11);
        break;
      }
      case 2: {  // circular arc
        const ZcGePoint2d c = point(10);
        const double r = real(40);
        const double a0 = real(50), a1 = real(51);
        const bool ccw = at(73) ? (g_++)->to_int() != 0 : true;
        Append_Arc_Edge(c, r, a0, a1, ccw, vertices_, bulges_);
        break;
      }
      case 3: {  // elliptic arc
        const ZcGePoint2d c = point(10);
        const ZcGePoint2d major = point(11);
        const double ratio = real(40);
        const double a0 = real(50), a1 = real(51);
        const bool ccw = at(73) ? (g_++)->to_int() != 0 : true;
        Append_Ellipse_Edge(c, ZcGeVector2d(major.x, major.y), ratio, a0, a1, ccw, vertices_, bulges_);
        break;
      }
      case 4: {  // spline: its control polygon stands for it
        while (!at_boundary()) {
          if (g_->code == 10) {
            const double x = (g_++)->to_double();
            vertices_.append(ZcGePoint2d(x, at(20) ? (g_++)->to_double() : missing(20)));
            bulges_.append(0);
          } else {
            ++g_;
          }
        }
        break;
      }
      default:
        break;
    }
  }

  DxfReadContext& ctx_;
  const DxfGroup* g_;
  const DxfGroup* end_;
  ZcDbHatch* hatch_;
  ZcGePoint2dArray vertices_;
  ZcGeDoubleArray bulges_;
};

ZcGeVector3d Normal(DxfSpan s) {
  ZcGeVector3d n(s.real(210), s.real(220), s.real(230, 1));
  return n.isZeroLength() ? ZcGeVector3d(0, 0, 1) : n.normal();
}

}  // namespace

ZcDbEntity* Read_Hatch(DxfReadContext& ctx, const DxfRecord& r) {
  // Everything after the marker: a stray 100 among the paths does not end the hatch's data.
  DxfSpan s = r.subclass("AcDbHatch");
  if (!s.empty()) s = DxfSpan(s.begin(), r.all().end());
  auto h = std::make_unique<ZcDbHatch>();
  HatchLoops loops(ctx, s, h.get());
  loops.read();
  const int type = s.integer(76, 1);
  // The solid fill flag decides, whatever the pattern's name ("SOLID,_O" and the like).
  const bool solid = s.integer(70, 0) == 1;
  h->setPattern(static_cast<ZcDbHatch::HatchPatternType>(type >= 0 && type <= 2 ? type : 1),
                solid ? L"SOLID" : ctx.wide(s.str(2, "SOLID")).c_str());
  if (s.has(52)) h->setPatternAngle(s.real(52) * kDegree);
  if (s.real(41, 1) > 0) h->setPatternScale(s.real(41, 1));
  h->setAssociative(s.integer(71, 0) != 0);
  h->setElevation(s.real(30));
  h->setNormal(Normal(s));
  // A mended boundary is written as read here, not as the file had it.
  if (!loops.repaired) h->setRawGroups(Packed_Entity_Data(ctx, r));
  return h.release();
}

ZcDbEntity* Read_Dimension(DxfReadContext& ctx, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbDimension");
  std::unique_ptr<ZcDbDimension> d;
  switch (s.integer(70, 0) & 7) {
    case 1: d = std::make_unique<ZcDbAlignedDimension>(); break;
    case 2: d = std::make_unique<ZcDb2LineAngularDimension>(); break;
    case 3: d = std::make_unique<ZcDbDiametricDimension>(); break;
    case 4: d = std::make_unique<ZcDbRadialDimension>(); break;
    case 5: d = std::make_unique<ZcDb3PointAngularDimension>(); break;
    case 6: d = std::make_unique<ZcDbOrdinateDimension>(); break;
    default: d = std::make_unique<ZcDbRotatedDimension>(); break;
  }
  if (s.has(2)) d->setDimBlockId(ctx.block(s.str(2)));
  d->setNormal(Normal(s));
  d->setDimBlockPosition(Point(s, 12));
  d->setTextPosition(Point(s, 11));
  d->setDimensionText(ctx.wide(s.str(1)).c_str());
  if (s.has(42)) d->setMeasurement(s.real(42));
  if (s.has(3)) d->setDimensionStyleName(ctx.wide(s.str(3)).c_str());
  d->setRawGroups(Raw_Entity_Data(ctx, r));
  return d.release();
}

ZcDbEntity* Read_Image(DxfReadContext& ctx, const DxfRecord& r) {
  // A wipeout's image data come under its own subclass marker.
  DxfSpan s = r.subclass(r.type == "WIPEOUT" ? "AcDbWipeout" : "AcDbRasterImage");
  std::unique_ptr<ZcDbRasterImage> image;
  if (r.type == "WIPEOUT") image = std::make_unique<ZcDbWipeout>(); else image = std::make_unique<ZcDbRasterImage>();
  // The file gives the vectors of one pixel; the image holds its whole edges.
  const ZcGePoint3d u = Point(s, 11), v = Point(s, 12);
  const ZcGeVector2d pixels(s.real(13, 1), s.real(23, 1));
  const ZcGeVector3d pixel_u = ZcGeVector3d(u.x, u.y, u.z).isZeroLength() ? ZcGeVector3d(1, 0, 0) : ZcGeVector3d(u.x, u.y, u.z);
  const ZcGeVector3d pixel_v = ZcGeVector3d(v.x, v.y, v.z).isZeroLength() ? ZcGeVector3d(0, 1, 0) : ZcGeVector3d(v.x, v.y, v.z);
  if (s.handle(340)) image->setImageDefId(ctx.id_of(s.handle(340)));
  image->setImageSize(pixels);
  image->setOrientation(Point(s, 10), pixel_u * pixels.x, pixel_v * pixels.y);
  image->setDisplayOptions(s.integer(70, 3));
  image->setClipped(s.integer(280, 0) != 0);
  image->setBrightness(s.integer(281, 50));
  image->setContrast(s.integer(282, 50));
  image->setFade(s.integer(283, 0));
  std::vector<ZcGePoint2d> clip;
  for (const DxfGroup* g = s.begin(); g != s.end(); ++g) {
    if (g->code != 14) continue;
    const DxfGroup* y = g + 1;
    clip.emplace_back(g->to_double(), y != s.end() && y->code == 24 ? y->to_double() : 0);
  }
  const int type = s.integer(71, 1);
  image->setClipBoundary(type == 2 ? ZcDbRasterImage::kPoly : ZcDbRasterImage::kRect, clip);
  return image.release();
}

ZcDbObject* Read_Image_Def(DxfReadContext& ctx, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbRasterImageDef");
  auto def = std::make_unique<ZcDbRasterImageDef>();
  def->setSourceFileName(ctx.wide(s.str(1)).c_str());
  def->setSize(ZcGeVector2d(s.real(10, 1), s.real(20, 1)));
  def->setResolutionMMPerPixel(ZcGeVector2d(s.real(11, 1), s.real(21, 1)));
  def->setLoaded(s.integer(280, 1) != 0);
  if (const DxfGroup* units = s.find(281))
    def->setResolutionUnits(static_cast<ZcDbRasterImageDef::Units>(Dxf_Enum_Value(*units, 0, ZcDbRasterImageDef::kFoot, 0)));
  return def.release();
}

ZcDbObject* Read_Raster_Variables(DxfReadContext& /*ctx*/, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbRasterVariables");
  auto vars = std::make_unique<ZcDbRasterVariables>();
  vars->setImageFrame(std::clamp(s.integer(70, 1), 0, 2));
  vars->setImageQuality(std::clamp(s.integer(71, 1), 0, 1));
  vars->setUserScale(std::clamp(s.integer(72, 0), 0, 17));
  return vars.release();
}

ZcDbObject* Read_Sortents(DxfReadContext& ctx, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbSortentsTable");
  auto table = std::make_unique<ZcDbSortentsTable>();
  if (s.handle(330)) table->setBlockId(ctx.id_of(s.handle(330)));
  // Pairs of an entity (331) and its sort handle (5).
  for (const DxfGroup* g = s.begin(); g != s.end(); ++g) {
    if (g->code != 331 || g + 1 == s.end() || (g + 1)->code != 5) continue;
    const ZcDbObjectId entity = ctx.id_of(g->to_handle());
    const uint64_t sort = (g + 1)->to_handle();
    if (!entity.isNull() && sort != 0) table->setSortHandle(entity, ZcDbHandle(sort));
  }
  return table.release();
}

}  // namespace platform
