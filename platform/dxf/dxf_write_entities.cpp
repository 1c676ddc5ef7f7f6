#include "script/utf8.h"
#include "dxf/dxf_write_entities.h"

#include <cmath>
#include <memory>

#include "db/dbdim.h"
#include "db/dbents.h"
#include "db/dbhatch.h"
#include "db/dbimage.h"
#include "db/dbpoint.h"
#include "db/dbpolyface.h"
#include "db/dbobjiter.h"
#include "db/dbproxy.h"
#include "db/dbsymtb.h"
#include "dxf/dxf_filer.h"
#include "dxf/dxf_text_codec.h"
#include "dxf/dxf_write_polyface.h"
#include "rx/rxclass.h"

namespace platform {

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

bool Is_Z(const ZcGeVector3d& n) { return n.x == 0 && n.y == 0 && n.z > 0; }

ZcGePoint3d To_Plane(const ZcGePoint3d& p, const ZcGeVector3d& normal) {
  return Is_Z(normal) ? p : ZcGeMatrix3d::worldToPlane(normal) * p;
}

void Point(DxfOutput& out, int code, const ZcGePoint3d& p) { out.point(code, p.x, p.y, p.z); }

void Normal(DxfOutput& out, const ZcGeVector3d& n) {
  if (!Is_Z(n)) out.point(210, n.x, n.y, n.z);
}

void Common(DxfWriteContext& ctx, const char* type, const ZcDbEntity* e, bool paper_space) {
  DxfOutput& out = ctx.out();
  ctx.object_start(type, e);
  out.raw(100, "AcDbEntity");
  if (paper_space) out.integer(67, 1);
  std::wstring layer = DxfWriteContext::record_name(e->layerId());
  out.text(8, layer.empty() ? L"0" : layer);
  if (!e->linetypeId().isNull()) {
    std::wstring linetype = DxfWriteContext::record_name(e->linetypeId());
    if (!linetype.empty() && linetype != L"ByLayer" && linetype != L"BYLAYER") out.text(6, linetype);
  }
  const ZcCmColor color = e->color();
  if (color.isByColor()) {
    out.integer(62, color.colorIndex() >= 1 && color.colorIndex() <= 255 ? color.colorIndex()
                                                                         : ZcCmEntityColor::lookUpACI(color.red(), color.green(), color.blue()));
    out.integer(420, (int64_t(color.red()) << 16) | (int64_t(color.green()) << 8) | color.blue());
  } else if (!color.isByLayer()) {
    out.integer(62, color.colorIndex());
  }
  if (e->lineWeight() != ZcDb::kLnWtByLayer) out.integer(370, e->lineWeight());
  if (e->linetypeScale() != 1.0) out.real(48, e->linetypeScale());
  if (e->visibility() == ZcDb::kInvisible) out.integer(60, 1);
}

void Seqend(DxfWriteContext& ctx, const ZcDbEntity* owner, bool paper_space) {
  DxfOutput& out = ctx.out();
  out.raw(0, "SEQEND");
  out.handle(5, ctx.new_handle());
  out.handle(330, DxfWriteContext::handle(owner->objectId()));
  out.raw(100, "AcDbEntity");
  if (paper_space) out.integer(67, 1);
  std::wstring layer = DxfWriteContext::record_name(owner->layerId());
  out.text(8, layer.empty() ? L"0" : layer);
}

void Text_Fields(DxfWriteContext& ctx, const ZcDbText* t) {
  DxfOutput& out = ctx.out();
  out.raw(100, "AcDbText");
  if (t->thickness() != 0) out.real(39, t->thickness());
  Point(out, 10, To_Plane(t->position(), t->normal()));
  out.real(40, t->height());
  out.text(1, t->textStringConst());
  if (t->rotation() != 0) out.real(50, t->rotation() / kDegree);
  if (t->widthFactor() != 1) out.real(41, t->widthFactor());
  if (t->oblique() != 0) out.real(51, t->oblique() / kDegree);
  std::wstring style = DxfWriteContext::record_name(t->textStyle());
  if (!style.empty()) out.text(7, style);
  const int generation = (t->isMirroredInX() ? 2 : 0) | (t->isMirroredInY() ? 4 : 0);
  if (generation) out.integer(71, generation);
  if (t->horizontalMode() != ZcDb::kTextLeft) out.integer(72, t->horizontalMode());
  if (!t->isDefaultAlignment()) Point(out, 11, To_Plane(t->alignmentPoint(), t->normal()));
  Normal(out, t->normal());
}

// The groups of MTEXT, also those of the multiline text of an attribute.
void Mtext_Fields(DxfOutput& out, const ZcDbMText* t) {
  Point(out, 10, t->location());
  out.real(40, t->textHeight());
  out.real(41, t->width());
  out.integer(71, t->attachment());
  out.integer(72, 1);
  // Long contents go in chunks of 250 characters (3 groups), the rest in group 1.
  std::wstring_view contents = t->contentsConst();
  constexpr size_t kChunk = 250;
  while (contents.size() > kChunk) {
    out.text(3, contents.substr(0, kChunk));
    contents.remove_prefix(kChunk);
  }
  out.text(1, contents);
  std::wstring style = DxfWriteContext::record_name(t->textStyle());
  if (!style.empty()) out.text(7, style);
  Normal(out, t->normal());
  const ZcGeVector3d dir = t->direction();
  out.point(11, dir.x, dir.y, dir.z);
  out.integer(73, t->lineSpacingStyle());
  out.real(44, t->lineSpacingFactor());
}

// The multiline text of a multi-line attribute (type 2) or definition (type 4) after its subclass.
void Embedded_Mtext(DxfOutput& out, const ZcDbMText* t, int type) {
  if (t == nullptr) return;
  out.integer(71, type);
  out.raw(101, "Embedded Object");
  Mtext_Fields(out, t);
}

void Write_Attribute(DxfWriteContext& ctx, const ZcDbAttribute* a, bool paper_space) {
  DxfOutput& out = ctx.out();
  Common(ctx, "ATTRIB", a, paper_space);
  Text_Fields(ctx, a);
  out.raw(100, "AcDbAttribute");
  out.integer(280, 0);
  out.text(2, a->tagConst());
  out.integer(70, (a->isInvisible() ? 1 : 0) | (a->isConstant() ? 2 : 0) | (a->isVerifiable() ? 4 : 0) |
                      (a->isPreset() ? 8 : 0));
  if (a->fieldLength()) out.integer(73, a->fieldLength());
  if (a->verticalMode() != ZcDb::kTextBase) out.integer(74, a->verticalMode());
  if (a->lockPositionInBlock()) out.integer(280, 1);
  std::unique_ptr<ZcDbMText> mtext(a->getMTextAttribute());
  Embedded_Mtext(out, mtext.get(), 2);
  ctx.xdata(a);
}

// The proxy's own groups; records it carries (the VERTEXes of a mesh) get new handles, and the
// size groups of proxy data take their AC1027 codes.
void Raw_Groups(DxfWriteContext& ctx, const ZcDbProxyEntity* p) {
  DxfOutput& out = ctx.out();
  const bool proxy_record = p->classInfo().recordName == L"ACAD_PROXY_ENTITY";
  bool after_record_start = false;
  for (const ZcDbRawGroup& g : p->rawGroups()) {
    int code = g.code;
    if (code == 5 && after_record_start) {
      out.handle(5, ctx.new_handle());
      after_record_start = false;
      continue;
    }
    after_record_start = code == 0;
    if (proxy_record) {
      if (code == 91) {
        const int number = ctx.class_number(p->classInfo().dxfName);
        if (number) {
          out.integer(91, number);
          continue;
        }
      }
      if (code == 92) code = 160;
      else if (code == 93) code = 161;
      else if (code == 96) code = 162;
    }
    out.raw(code, g.value);
  }
}

template <typename Groups>
void Raw(DxfOutput& out, const Groups& groups) {
  for (const auto& g : groups) out.raw(g.code, g.value);
}

void Write_Hatch(DxfWriteContext& ctx, const ZcDbHatch* h, bool paper_space) {
  DxfOutput& out = ctx.out();
  Common(ctx, "HATCH", h, paper_space);
  if (!h->rawGroups().empty()) return Raw(out, h->rawGroups());
  out.raw(100, "AcDbHatch");
  out.point(10, 0, 0, h->elevation());
  const ZcGeVector3d n = h->normal();
  out.point(210, n.x, n.y, n.z);
  out.text(2, h->patternName());
  out.integer(70, h->isSolidFill() ? 1 : 0);
  out.integer(71, h->associative() ? 1 : 0);
  out.integer(91, h->numLoops());
  for (int i = 0; i < h->numLoops(); ++i) {
    int type = 0;
    ZcGePoint2dArray vertices;
    ZcGeDoubleArray bulges;
    h->getLoopAt(i, type, vertices, bulges);
    bool has_bulge = false;
    for (int k = 0; k < bulges.length(); ++k) has_bulge = has_bulge || bulges[k] != 0;
    out.integer(92, type | ZcDbHatch::kPolyline);
    out.integer(72, has_bulge ? 1 : 0);
    out.integer(73, 1);
    out.integer(93, vertices.length());
    for (int k = 0; k < vertices.length(); ++k) {
      out.point2d(10, vertices[k].x, vertices[k].y);
      if (has_bulge) out.real(42, bulges[k]);
    }
    out.integer(97, 0);
  }
  out.integer(75, 0);
  out.integer(76, h->patternType());
  if (!h->isSolidFill()) {
    out.real(52, h->patternAngle() / kDegree);
    out.real(41, h->patternScale());
    out.integer(77, 0);
    out.integer(78, 0);
  }
  out.integer(98, 0);
}

void Write_Dimension(DxfWriteContext& ctx, const ZcDbDimension* d, bool paper_space) {
  DxfOutput& out = ctx.out();
  Common(ctx, "DIMENSION", d, paper_space);
  if (!d->rawGroups().empty()) return Raw(out, d->rawGroups());
  out.raw(100, "AcDbDimension");
  out.text(2, DxfWriteContext::record_name(d->dimBlockId()));
  Point(out, 10, d->textPosition());
  Point(out, 11, d->textPosition());
  Point(out, 12, d->dimBlockPosition());
  out.integer(70, 32);
  out.text(1, d->dimensionText());
  out.text(3, d->dimensionStyleName());
  Normal(out, d->normal());
  out.raw(100, "AcDbAlignedDimension");
  out.point(13, 0, 0, 0);
  out.point(14, 0, 0, 0);
  out.raw(100, "AcDbRotatedDimension");
}

void Write_Image(DxfWriteContext& ctx, const ZcDbRasterImage* image, bool paper_space) {
  DxfOutput& out = ctx.out();
  const bool wipeout = ZcDbWipeout::cast(image) != nullptr;
  Common(ctx, wipeout ? "WIPEOUT" : "IMAGE", image, paper_space);
  out.raw(100, wipeout ? "AcDbWipeout" : "AcDbRasterImage");
  out.integer(90, 0);
  ZcGePoint3d origin;
  ZcGeVector3d u, v;
  image->getOrientation(origin, u, v);
  Point(out, 10, origin);
  // One pixel's vectors.
  const ZcGeVector2d pixels = image->imageSize();
  const ZcGeVector3d pixel_u = pixels.x > 0 ? u / pixels.x : u, pixel_v = pixels.y > 0 ? v / pixels.y : v;
  out.point(11, pixel_u.x, pixel_u.y, pixel_u.z);
  out.point(12, pixel_v.x, pixel_v.y, pixel_v.z);
  out.point2d(13, pixels.x, pixels.y);
  out.handle(340, DxfWriteContext::handle(image->imageDefId()));
  out.integer(70, image->displayOptions());
  out.integer(280, image->isClipped() ? 1 : 0);
  out.integer(281, image->brightness());
  out.integer(282, image->contrast());
  out.integer(283, image->fade());
  const std::vector<ZcGePoint2d>& clip = image->clipBoundary();
  if (clip.size() >= 2) {
    out.integer(71, image->clipBoundaryType());
    out.integer(91, static_cast<int64_t>(clip.size()));
    for (const ZcGePoint2d& p : clip) out.point2d(14, p.x, p.y);
  }
}

void Write_Proxy(DxfWriteContext& ctx, const ZcDbProxyEntity* p, bool paper_space) {
  DxfOutput& out = ctx.out();
  const std::string type = To_Utf8(p->classInfo().recordName);
  Common(ctx, type.c_str(), p, paper_space);
  if (!p->graphicsData().empty() && p->classInfo().recordName != L"ACAD_PROXY_ENTITY") {
    out.integer(160, static_cast<int64_t>(p->graphicsData().size()));
    out.binary(310, p->graphicsData());
  }
  Raw_Groups(ctx, p);
  ctx.xdata(p);
}

void Write_Polyline(DxfWriteContext& ctx, const ZcDbEntity* e, bool paper_space) {
  DxfOutput& out = ctx.out();
  const auto* p2 = ZcDb2dPolyline::cast(e);
  const auto* p3 = ZcDb3dPolyline::cast(e);
  Common(ctx, "POLYLINE", e, paper_space);
  std::unique_ptr<ZcDbObjectIterator> vertices;
  if (p2) {
    out.raw(100, "AcDb2dPolyline");
    out.integer(66, 1);
    out.point(10, 0, 0, p2->elevation());
    if (p2->thickness() != 0) out.real(39, p2->thickness());
    int flags = p2->isClosed() ? 1 : 0;
    if (p2->polyType() == ZcDb::k2dFitCurvePoly) flags |= 2;
    if (p2->isSplineFit()) flags |= 4;
    if (p2->isLinetypeGenerationOn()) flags |= 128;
    out.integer(70, flags);
    if (p2->defaultStartWidth() != 0) out.real(40, p2->defaultStartWidth());
    if (p2->defaultEndWidth() != 0) out.real(41, p2->defaultEndWidth());
    if (p2->polyType() == ZcDb::k2dQuadSplinePoly) out.integer(75, 5);
    if (p2->polyType() == ZcDb::k2dCubicSplinePoly) out.integer(75, 6);
    Normal(out, p2->normal());
    vertices.reset(p2->vertexIterator());
  } else {
    out.raw(100, "AcDb3dPolyline");
    out.integer(66, 1);
    out.point(10, 0, 0, 0);
    out.integer(70, 8 | (p3->isClosed() ? 1 : 0));
    if (p3->polyType() == ZcDb::k3dQuadSplinePoly) out.integer(75, 5);
    if (p3->polyType() == ZcDb::k3dCubicSplinePoly) out.integer(75, 6);
    vertices.reset(p3->vertexIterator());
  }
  ctx.xdata(e);
  for (vertices->start(); !vertices->done(); vertices->step()) {
    ZcDbEntity* v = nullptr;
    if (zcdbOpenObject(v, vertices->objectId(), ZcDb::kForRead) != Zcad::eOk) continue;
    Common(ctx, "VERTEX", v, paper_space);
    out.raw(100, "AcDbVertex");
    if (auto* v2 = ZcDb2dVertex::cast(v)) {
      out.raw(100, "AcDb2dVertex");
      Point(out, 10, To_Plane(v2->position(), p2 ? p2->normal() : ZcGeVector3d(0, 0, 1)));
      if (v2->startWidth() != 0) out.real(40, v2->startWidth());
      if (v2->endWidth() != 0) out.real(41, v2->endWidth());
      if (v2->bulge() != 0) out.real(42, v2->bulge());
      out.integer(70, v2->isTangentUsed() ? 2 : 0);
      if (v2->isTangentUsed()) out.real(50, v2->tangent() / kDegree);
    } else if (auto* v3 = ZcDb3dPolylineVertex::cast(v)) {
      out.raw(100, "AcDb3dPolylineVertex");
      Point(out, 10, v3->position());
      out.integer(70, 32);
    }
    ctx.xdata(v);
    v->close();
  }
  Seqend(ctx, e, paper_space);
}

void Write_Insert(DxfWriteContext& ctx, const ZcDbBlockReference* r, bool paper_space) {
  DxfOutput& out = ctx.out();
  std::unique_ptr<ZcDbObjectIterator> attributes(r->attributeIterator());
  bool has_attributes = false;
  for (attributes->start(); !attributes->done(); attributes->step()) has_attributes = true;
  Common(ctx, "INSERT", r, paper_space);
  const auto* m = ZcDbMInsertBlock::cast(r);
  out.raw(100, m ? "AcDbMInsertBlock" : "AcDbBlockReference");
  if (has_attributes) out.integer(66, 1);
  out.text(2, DxfWriteContext::record_name(r->blockTableRecord()));
  Point(out, 10, To_Plane(r->position(), r->normal()));
  const ZcGeScale3d scale = r->scaleFactors();
  if (scale.sx != 1) out.real(41, scale.sx);
  if (scale.sy != 1) out.real(42, scale.sy);
  if (scale.sz != 1) out.real(43, scale.sz);
  if (r->rotation() != 0) out.real(50, r->rotation() / kDegree);
  if (m) {
    out.integer(70, m->columns());
    out.integer(71, m->rows());
    out.real(44, m->columnSpacing());
    out.real(45, m->rowSpacing());
  }
  Normal(out, r->normal());
  ctx.xdata(r);
  if (!has_attributes) return;
  for (attributes->start(); !attributes->done(); attributes->step()) {
    ZcDbAttribute* a = nullptr;
    if (zcdbOpenObject(a, attributes->objectId(), ZcDb::kForRead) != Zcad::eOk) continue;
    Write_Attribute(ctx, a, paper_space);
    a->close();
  }
  Seqend(ctx, r, paper_space);
}

void Write_Mtext(DxfWriteContext& ctx, const ZcDbMText* t, bool paper_space) {
  DxfOutput& out = ctx.out();
  Common(ctx, "MTEXT", t, paper_space);
  out.raw(100, "AcDbMText");
  Mtext_Fields(out, t);
  ctx.xdata(t);
}

void Write_Viewport(DxfWriteContext& ctx, const ZcDbViewport* v, bool paper_space) {
  DxfOutput& out = ctx.out();
  Common(ctx, "VIEWPORT", v, paper_space);
  out.raw(100, "AcDbViewport");
  Point(out, 10, v->centerPoint());
  out.real(40, v->width());
  out.real(41, v->height());
  out.integer(68, v->isOn() ? 1 : 0);
  out.integer(69, v->number());
  out.point2d(12, v->viewCenter().x, v->viewCenter().y);
  out.point2d(13, 0, 0);
  out.point2d(14, 10, 10);
  out.point2d(15, 10, 10);
  const ZcGeVector3d dir = v->viewDirection();
  out.point(16, dir.x, dir.y, dir.z);
  Point(out, 17, v->viewTarget());
  out.real(42, 50);
  out.real(43, 0);
  out.real(44, 0);
  out.real(45, v->viewHeight());
  out.real(50, 0);
  out.real(51, v->twistAngle() / kDegree);
  out.integer(72, 1000);
  ZcDbObjectIdArray frozen;
  v->getFrozenLayerList(frozen);
  for (int i = 0; i < frozen.length(); ++i) out.handle(331, DxfWriteContext::handle(frozen[i]));
  int flags = 32768 | 96;
  if (v->isLocked()) flags |= 0x4000;
  if (v->isNonRectClipOn()) flags |= 0x10000;
  if (!v->isOn()) flags |= 0x20000;
  out.integer(90, flags);
  if (!v->nonRectClipEntityId().isNull()) out.handle(340, DxfWriteContext::handle(v->nonRectClipEntityId()));
  out.raw(1, "");
  out.integer(281, 0);
  out.integer(71, 1);
  out.integer(74, 0);
  ctx.xdata(v);
}

void Write_Spline(DxfWriteContext& ctx, const ZcDbSpline* s, bool paper_space) {
  DxfOutput& out = ctx.out();
  Common(ctx, "SPLINE", s, paper_space);
  out.raw(100, "AcDbSpline");
  int degree = 3;
  bool rational = false, closed = false, periodic = false;
  ZcGePoint3dArray control;
  ZcGeDoubleArray knots, weights;
  double control_tol = 0, knot_tol = 0;
  s->getNurbsData(degree, rational, closed, periodic, control, knots, weights, control_tol, knot_tol);
  ZcGePoint3dArray fit;
  int fit_degree = degree;
  double fit_tol = 0;
  if (s->hasFitData()) s->getFitData(fit, fit_degree, fit_tol);
  out.integer(70, (closed ? 1 : 0) | (periodic ? 2 : 0) | (rational ? 4 : 0) | 8);
  out.integer(71, degree);
  out.integer(72, knots.length());
  out.integer(73, control.length());
  out.integer(74, fit.length());
  out.real(42, knot_tol > 0 ? knot_tol : 1e-10);
  out.real(43, control_tol > 0 ? control_tol : 1e-10);
  if (fit.length() > 0) out.real(44, fit_tol > 0 ? fit_tol : 1e-10);
  for (int i = 0; i < knots.length(); ++i) out.real(40, knots[i]);
  if (rational)
    for (int i = 0; i < weights.length(); ++i) out.real(41, weights[i]);
  for (int i = 0; i < control.length(); ++i) Point(out, 10, control[i]);
  for (int i = 0; i < fit.length(); ++i) Point(out, 11, fit[i]);
  ctx.xdata(s);
}

void Write_Lwpolyline(DxfWriteContext& ctx, const ZcDbPolyline* p, bool paper_space) {
  DxfOutput& out = ctx.out();
  Common(ctx, "LWPOLYLINE", p, paper_space);
  out.raw(100, "AcDbPolyline");
  out.integer(90, p->numVerts());
  out.integer(70, (p->isClosed() ? 1 : 0) | (p->hasPlinegen() ? 128 : 0));
  double constant = 0;
  const bool has_constant = p->getConstantWidth(constant) == Zcad::eOk;
  if (has_constant && constant != 0) out.real(43, constant);
  if (p->elevation() != 0) out.real(38, p->elevation());
  if (p->thickness() != 0) out.real(39, p->thickness());
  const bool widths = !has_constant && p->hasWidth();
  for (unsigned i = 0; i < p->numVerts(); ++i) {
    ZcGePoint2d pt;
    p->getPointAt(i, pt);
    out.point2d(10, pt.x, pt.y);
    if (widths) {
      double s = 0, e = 0;
      p->getWidthsAt(i, s, e);
      out.real(40, s);
      out.real(41, e);
    }
    double bulge = 0;
    p->getBulgeAt(i, bulge);
    if (bulge != 0) out.real(42, bulge);
  }
  Normal(out, p->normal());
  ctx.xdata(p);
}

}  // namespace

void Write_Entity(DxfWriteContext& ctx, const ZcDbEntity* ent, bool paper_space) {
  DxfOutput& out = ctx.out();
  if (auto* p = ZcDbProxyEntity::cast(ent)) return Write_Proxy(ctx, p, paper_space);
  if (auto* mesh = ZcDbPolyFaceMesh::cast(ent)) return Write_Polyface_Mesh(ctx, mesh, paper_space);
  if (auto* h = ZcDbHatch::cast(ent)) {
    Write_Hatch(ctx, h, paper_space);
  } else if (auto* d = ZcDbDimension::cast(ent)) {
    Write_Dimension(ctx, d, paper_space);
  } else if (auto* image = ZcDbRasterImage::cast(ent)) {
    Write_Image(ctx, image, paper_space);
  } else if (auto* l = ZcDbLine::cast(ent)) {
    Common(ctx, "LINE", l, paper_space);
    out.raw(100, "AcDbLine");
    if (l->thickness() != 0) out.real(39, l->thickness());
    Point(out, 10, l->startPoint());
    Point(out, 11, l->endPoint());
    Normal(out, l->normal());
  } else if (auto* a = ZcDbArc::cast(ent)) {
    Common(ctx, "ARC", a, paper_space);
    out.raw(100, "AcDbCircle");
    if (a->thickness() != 0) out.real(39, a->thickness());
    Point(out, 10, To_Plane(a->center(), a->normal()));
    out.real(40, a->radius());
    Normal(out, a->normal());
    out.raw(100, "AcDbArc");
    out.real(50, a->startAngle() / kDegree);
    out.real(51, a->endAngle() / kDegree);
  } else if (auto* c = ZcDbCircle::cast(ent)) {
    Common(ctx, "CIRCLE", c, paper_space);
    out.raw(100, "AcDbCircle");
    if (c->thickness() != 0) out.real(39, c->thickness());
    Point(out, 10, To_Plane(c->center(), c->normal()));
    out.real(40, c->radius());
    Normal(out, c->normal());
  } else if (auto* el = ZcDbEllipse::cast(ent)) {
    Common(ctx, "ELLIPSE", el, paper_space);
    out.raw(100, "AcDbEllipse");
    Point(out, 10, el->center());
    const ZcGeVector3d major = el->majorAxis();
    out.point(11, major.x, major.y, major.z);
    const ZcGeVector3d n = el->normal();
    out.point(210, n.x, n.y, n.z);
    out.real(40, el->radiusRatio());
    out.real(41, el->startAngle());
    out.real(42, el->endAngle());
  } else if (auto* pl = ZcDbPolyline::cast(ent)) {
    return Write_Lwpolyline(ctx, pl, paper_space);
  } else if (ZcDb2dPolyline::cast(ent) || ZcDb3dPolyline::cast(ent)) {
    return Write_Polyline(ctx, ent, paper_space);
  } else if (auto* s = ZcDbSpline::cast(ent)) {
    return Write_Spline(ctx, s, paper_space);
  } else if (auto* att = ZcDbAttribute::cast(ent)) {
    return Write_Attribute(ctx, att, paper_space);
  } else if (auto* def = ZcDbAttributeDefinition::cast(ent)) {
    Common(ctx, "ATTDEF", def, paper_space);
    Text_Fields(ctx, def);
    out.raw(100, "AcDbAttributeDefinition");
    out.integer(280, 0);
    out.text(3, def->promptConst());
    out.text(2, def->tagConst());
    out.integer(70, (def->isInvisible() ? 1 : 0) | (def->isConstant() ? 2 : 0) | (def->isVerifiable() ? 4 : 0) |
                        (def->isPreset() ? 8 : 0));
    if (def->fieldLength()) out.integer(73, def->fieldLength());
    if (def->verticalMode() != ZcDb::kTextBase) out.integer(74, def->verticalMode());
    if (def->lockPositionInBlock()) out.integer(280, 1);
    std::unique_ptr<ZcDbMText> mtext(def->getMTextAttributeDefinition());
    Embedded_Mtext(out, mtext.get(), 4);
  } else if (auto* t = ZcDbText::cast(ent)) {
    Common(ctx, "TEXT", t, paper_space);
    Text_Fields(ctx, t);
    out.raw(100, "AcDbText");
    if (t->verticalMode() != ZcDb::kTextBase) out.integer(73, t->verticalMode());
  } else if (auto* pt = ZcDbPoint::cast(ent)) {
    Common(ctx, "POINT", pt, paper_space);
    out.raw(100, "AcDbPoint");
    Point(out, 10, pt->position());
    if (pt->thickness() != 0) out.real(39, pt->thickness());
    Normal(out, pt->normal());
    if (pt->ecsRotation() != 0) out.real(50, pt->ecsRotation() / kDegree);
  } else if (auto* so = ZcDbSolid::cast(ent)) {
    Common(ctx, "SOLID", so, paper_space);
    out.raw(100, "AcDbTrace");
    for (uint16_t i = 0; i < 4; ++i) {
      ZcGePoint3d corner;
      so->getPointAt(i, corner);
      Point(out, 10 + i, To_Plane(corner, so->normal()));
    }
    if (so->thickness() != 0) out.real(39, so->thickness());
    Normal(out, so->normal());
  } else if (auto* m = ZcDbMText::cast(ent)) {
    return Write_Mtext(ctx, m, paper_space);
  } else if (auto* r = ZcDbBlockReference::cast(ent)) {
    return Write_Insert(ctx, r, paper_space);
  } else if (auto* v = ZcDbViewport::cast(ent)) {
    return Write_Viewport(ctx, v, paper_space);
  } else {
    // A class of a module files itself under its DXF name.
    const wchar_t* dxf_name = ent->isA()->dxfName();
    if (dxf_name == nullptr || *dxf_name == 0) return;  // nothing the format has a record for
    ctx.object_start(To_Utf8(dxf_name).c_str(), ent);
    DxfOutFiler filer(ctx);
    ent->dxfOutFields(&filer);
  }
  ctx.xdata(ent);
}

}  // namespace platform
