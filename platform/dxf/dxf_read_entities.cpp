#include "dxf/dxf_read_entities.h"

#include <memory>
#include <cmath>
#include <functional>
#include <unordered_map>

#include "db/dbents.h"
#include "db/dbpoint.h"
#include "db/dbproxy.h"
#include "db/dbsymtb.h"
#include "dxf/dxf_filer.h"
#include "dxf/dxf_read_annotations.h"
#include "dxf/dxf_read_kinds.h"
#include "dxf/dxf_read_proxy.h"
#include "rx/rxclass.h"

namespace platform {

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

ZcGePoint3d Point(DxfSpan s, int code, const ZcGePoint3d& fallback = ZcGePoint3d(0, 0, 0)) {
  const DxfGroup* x = s.find(code);
  if (!x) return fallback;
  return ZcGePoint3d(x->to_double(), s.real(code + 10), s.real(code + 20));
}

ZcGeVector3d Normal(DxfSpan s) {
  const DxfGroup* x = s.find(210);
  if (!x) return ZcGeVector3d(0, 0, 1);
  ZcGeVector3d n(x->to_double(), s.real(220), s.real(230, 1));
  if (n.isZeroLength()) return ZcGeVector3d(0, 0, 1);
  return n.normal();
}

bool Is_Z(const ZcGeVector3d& n) { return n.x == 0 && n.y == 0 && n.z > 0; }

// Object coordinates (the plane of the normal) to world coordinates.
ZcGePoint3d To_World(const ZcGePoint3d& p, const ZcGeVector3d& normal) {
  return Is_Z(normal) ? p : ZcGeMatrix3d::planeToWorld(normal) * p;
}

ZcDbEntity* Read_Line(DxfReadContext&, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbLine");
  auto e = std::make_unique<ZcDbLine>();
  e->setStartPoint(Point(s, 10));
  e->setEndPoint(Point(s, 11));
  e->setThickness(s.real(39));
  e->setNormal(Normal(s));
  return e.release();
}

ZcDbEntity* Read_Circle(DxfReadContext&, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbCircle");
  const ZcGeVector3d n = Normal(s);
  auto e = std::make_unique<ZcDbCircle>();
  e->setNormal(n);
  e->setCenter(To_World(Point(s, 10), n));
  e->setRadius(s.real(40));
  e->setThickness(s.real(39));
  return e.release();
}

ZcDbEntity* Read_Arc(DxfReadContext&, const DxfRecord& r) {
  DxfSpan circle = r.subclass("AcDbCircle");
  DxfSpan arc = r.has_subclass_markers() ? r.subclass("AcDbArc") : circle;
  const ZcGeVector3d n = Normal(circle);
  auto e = std::make_unique<ZcDbArc>();
  e->setNormal(n);
  e->setCenter(To_World(Point(circle, 10), n));
  e->setRadius(circle.real(40));
  e->setThickness(circle.real(39));
  e->setStartAngle(arc.real(50) * kDegree);
  e->setEndAngle(arc.real(51) * kDegree);
  return e.release();
}

ZcDbEntity* Read_Ellipse(DxfReadContext&, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbEllipse");
  const ZcGePoint3d axis = Point(s, 11, ZcGePoint3d(1, 0, 0));
  double ratio = s.real(40, 1);
  if (!(ratio > 0 && ratio <= 1)) ratio = 1;
  auto e = std::make_unique<ZcDbEllipse>();
  ZcGeVector3d major(axis.x, axis.y, axis.z);
  if (major.isZeroLength()) major = ZcGeVector3d(1, 0, 0);
  e->set(Point(s, 10), Normal(s), major, ratio, s.real(41, 0), s.real(42, 2 * 3.14159265358979323846));
  return e.release();
}

ZcDbEntity* Read_Lwpolyline(DxfReadContext&, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbPolyline");
  // Room for the vertices the record holds (not the count it claims).
  unsigned vertices = 0;
  for (const DxfGroup& g : s) vertices += g.code == 10 ? 1 : 0;
  auto e = std::make_unique<ZcDbPolyline>(vertices);
  const int flags = s.integer(70, 0);
  const double constant_width = s.real(43, 0);
  unsigned index = 0;
  double x = 0, y = 0, start_width = constant_width, end_width = constant_width, bulge = 0;
  bool pending = false;
  auto flush = [&] {
    if (!pending) return;
    e->addVertexAt(index++, ZcGePoint2d(x, y), bulge, start_width, end_width);
    start_width = end_width = constant_width;
    bulge = 0;
    pending = false;
  };
  for (const DxfGroup& g : s) {
    switch (g.code) {
      case 10: flush(); x = g.to_double(); pending = true; break;
      case 20: y = g.to_double(); break;
      case 40: start_width = g.to_double(); break;
      case 41: end_width = g.to_double(); break;
      case 42: bulge = g.to_double(); break;
      default: break;
    }
  }
  flush();
  e->setClosed((flags & 1) != 0);
  e->setPlinegen((flags & 128) != 0);
  e->setElevation(s.real(38));
  e->setThickness(s.real(39));
  e->setNormal(Normal(s));
  if (s.has(43)) e->setConstantWidth(constant_width);
  return e.release();
}

ZcDbEntity* Read_Spline(DxfReadContext&, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbSpline");
  const int flags = s.integer(70, 0);
  const int degree = s.integer(71, 3);
  ZcGePoint3dArray control, fit;
  ZcGeDoubleArray knots, weights;
  for (const DxfGroup* g = s.begin(); g != s.end(); ++g) {
    if (g->code == 40) knots.append(g->to_double());
    if (g->code == 41) weights.append(g->to_double());
    if (g->code == 10 || g->code == 11) {
      ZcGePoint3d p(g->to_double(), 0, 0);
      const DxfGroup* y = g + 1;
      if (y != s.end() && y->code == g->code + 10) {
        p.y = y->to_double();
        const DxfGroup* z = y + 1;
        if (z != s.end() && z->code == g->code + 20) p.z = z->to_double();
      }
      (g->code == 10 ? control : fit).append(p);
    }
  }
  auto e = std::make_unique<ZcDbSpline>();
  if (control.length() > 0) {
    if (weights.length() != control.length()) weights.setLogicalLength(0);
    e->setNurbsData(degree, weights.length() > 0, (flags & 1) != 0, (flags & 2) != 0, control, knots, weights,
                    s.real(43, 0), s.real(42, 0));
  } else if (fit.length() > 0) {
    e->setFitData(fit, degree, s.real(44, 0));
  }
  return e.release();
}

// TEXT and the text part of ATTRIB / ATTDEF.
void Read_Text_Fields(DxfReadContext& ctx, DxfSpan s, ZcDbText* e, int vertical_code) {
  const ZcGeVector3d n = Normal(s);
  e->setNormal(n);
  e->setPosition(To_World(Point(s, 10), n));
  e->setHeight(s.real(40, 0));
  e->setTextString(ctx.wide(s.str(1)).c_str());
  e->setRotation(s.real(50) * kDegree);
  const double width = s.real(41, 1);
  e->setWidthFactor(width > 0 ? width : 1);
  e->setOblique(s.real(51) * kDegree);
  e->setThickness(s.real(39));
  if (s.has(7)) {
    ZcDbObjectId style = ctx.text_style(s.str(7));
    if (!style.isNull()) e->setTextStyle(style);
  }
  const int generation = s.integer(71, 0);
  e->mirrorInX((generation & 2) != 0);
  e->mirrorInY((generation & 4) != 0);
  e->setHorizontalMode(static_cast<ZcDb::TextHorzMode>(std::clamp(s.integer(72, 0), 0, 5)));
  e->setVerticalMode(static_cast<ZcDb::TextVertMode>(std::clamp(s.integer(vertical_code, 0), 0, 3)));
  if (s.has(11)) e->setAlignmentPoint(To_World(Point(s, 11), n));
}

ZcDbEntity* Read_Text(DxfReadContext& ctx, const DxfRecord& r) {
  auto e = std::make_unique<ZcDbText>();
  // TEXT repeats its subclass marker: both parts together.
  DxfSpan s = r.has_subclass_markers() ? DxfSpan(r.subclass("AcDbText").begin(), r.all().end()) : r.all();
  Read_Text_Fields(ctx, s, e.get(), 73);
  return e.release();
}

// MTEXT, and the multiline text of ATTRIB / ATTDEF.
void Read_Mtext_Fields(DxfReadContext& ctx, DxfSpan s, ZcDbMText* e) {
  const ZcGeVector3d n = Normal(s);
  e->setNormal(n);
  e->setLocation(Point(s, 10));
  e->setTextHeight(s.real(40, 2.5));
  e->setWidth(s.real(41, 0));
  const int attachment = s.integer(71, 1);
  e->setAttachment(static_cast<ZcDbMText::AttachmentPoint>(attachment >= 1 && attachment <= 9 ? attachment : 1));
  if (s.has(11)) {
    ZcGePoint3d d = Point(s, 11);
    ZcGeVector3d dir(d.x, d.y, d.z);
    if (!dir.isZeroLength()) e->setDirection(dir);
  } else if (s.has(50)) {
    e->setRotation(s.real(50) * kDegree);
  }
  // The text: 3 groups (chunks of 250 characters) then the last part in group 1.
  std::string raw;
  for (const DxfGroup& g : s)
    if (g.code == 3) raw.append(g.value);
  raw.append(s.str(1));
  e->setContents(ctx.wide(raw).c_str());
  if (s.has(7)) {
    ZcDbObjectId style = ctx.text_style(s.str(7));
    if (!style.isNull()) e->setTextStyle(style);
  }
  if (s.has(44)) e->setLineSpacingFactor(s.real(44, 1));
  if (s.has(73)) e->setLineSpacingStyle(s.integer(73, 1) == 2 ? ZcDbMText::kExactly : ZcDbMText::kAtLeast);
}

ZcDbEntity* Read_Mtext(DxfReadContext& ctx, const DxfRecord& r) {
  auto e = std::make_unique<ZcDbMText>();
  Read_Mtext_Fields(ctx, r.subclass("AcDbMText"), e.get());
  return e.release();
}

// The "101 Embedded Object" part of a multi-line attribute (nullptr when single-line).
std::unique_ptr<ZcDbMText> Read_Embedded_Mtext(DxfReadContext& ctx, const DxfRecord& r) {
  DxfSpan s = r.embedded_object();
  if (s.empty()) return nullptr;
  auto e = std::make_unique<ZcDbMText>();
  Read_Mtext_Fields(ctx, s, e.get());
  return e;
}

// The lock-position flag of an attribute's subclass: the 280 group after its version (the first
// 280 group).
bool Lock_Position(DxfSpan a) {
  bool version_seen = false;
  for (const DxfGroup& g : a) {
    if (g.code != 280) continue;
    if (version_seen) return g.to_int(0) != 0;
    version_seen = true;
  }
  return false;
}

ZcDbEntity* Read_Attribute(DxfReadContext& ctx, const DxfRecord& r) {
  auto e = std::make_unique<ZcDbAttribute>();
  Read_Text_Fields(ctx, r.subclass("AcDbText"), e.get(), 74);
  DxfSpan a = r.has_subclass_markers() ? r.subclass("AcDbAttribute") : r.all();
  e->setTag(ctx.wide(a.str(2)).c_str());
  e->setInvisible((a.integer(70, 0) & 1) != 0);
  e->setFieldLength(static_cast<uint16_t>(a.integer(73, 0)));
  e->setLockPositionInBlock(Lock_Position(a));
  if (r.has_subclass_markers() && a.has(74))
    e->setVerticalMode(static_cast<ZcDb::TextVertMode>(std::clamp(a.integer(74, 0), 0, 3)));
  e->setMTextAttribute(Read_Embedded_Mtext(ctx, r).get());
  return e.release();
}

ZcDbEntity* Read_Attdef(DxfReadContext& ctx, const DxfRecord& r) {
  auto e = std::make_unique<ZcDbAttributeDefinition>();
  Read_Text_Fields(ctx, r.subclass("AcDbText"), e.get(), 74);
  DxfSpan a = r.has_subclass_markers() ? r.subclass("AcDbAttributeDefinition") : r.all();
  e->setTag(ctx.wide(a.str(2)).c_str());
  e->setPrompt(ctx.wide(a.str(3)).c_str());
  const int flags = a.integer(70, 0);
  e->setInvisible((flags & 1) != 0);
  e->setConstant((flags & 2) != 0);
  e->setVerifiable((flags & 4) != 0);
  e->setPreset((flags & 8) != 0);
  e->setFieldLength(static_cast<uint16_t>(a.integer(73, 0)));
  e->setLockPositionInBlock(Lock_Position(a));
  if (r.has_subclass_markers() && a.has(74))
    e->setVerticalMode(static_cast<ZcDb::TextVertMode>(std::clamp(a.integer(74, 0), 0, 3)));
  e->setMTextAttributeDefinition(Read_Embedded_Mtext(ctx, r).get());
  return e.release();
}

ZcDbEntity* Read_Insert(DxfReadContext& ctx, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbBlockReference");
  if (s.empty() && r.has_subclass_markers()) s = r.subclass("AcDbMInsertBlock");
  ZcDbObjectId block = ctx.block(s.str(2));
  const int columns = s.integer(70, 1), rows = s.integer(71, 1);
  std::unique_ptr<ZcDbBlockReference> e;
  if (columns > 1 || rows > 1) {
    auto m = std::make_unique<ZcDbMInsertBlock>();
    m->setColumns(static_cast<uint16_t>(std::clamp(columns, 1, 32767)));
    m->setRows(static_cast<uint16_t>(std::clamp(rows, 1, 32767)));
    m->setColumnSpacing(s.real(44));
    m->setRowSpacing(s.real(45));
    e = std::move(m);
  } else {
    e = std::make_unique<ZcDbBlockReference>();
  }
  const ZcGeVector3d n = Normal(s);
  e->setNormal(n);
  if (!block.isNull()) e->setBlockTableRecord(block);
  e->setPosition(To_World(Point(s, 10), n));
  e->setScaleFactors(ZcGeScale3d(s.real(41, 1), s.real(42, 1), s.real(43, 1)));
  e->setRotation(s.real(50) * kDegree);
  return e.release();
}

ZcDbEntity* Read_Viewport(DxfReadContext& ctx, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbViewport");
  auto e = std::make_unique<ZcDbViewport>();
  e->setCenterPoint(Point(s, 10));
  e->setWidth(s.real(40));
  e->setHeight(s.real(41));
  e->setNumber(static_cast<int16_t>(s.integer(69, 0)));
  const ZcGePoint3d center = Point(s, 12);
  e->setViewCenter(ZcGePoint2d(center.x, center.y));
  e->setViewTarget(Point(s, 17));
  ZcGePoint3d dir = Point(s, 16, ZcGePoint3d(0, 0, 1));
  ZcGeVector3d direction(dir.x, dir.y, dir.z);
  if (!direction.isZeroLength()) e->setViewDirection(direction);
  if (s.real(45) > 0) e->setViewHeight(s.real(45));
  e->setTwistAngle(s.real(51) * kDegree);
  const int status = s.integer(90, 0);
  if (s.integer(68, 1) > 0 && !(status & 0x20000)) e->setOn(); else e->setOff();
  if (status & 0x4000) e->setLocked();
  ZcDbObjectIdArray frozen;
  for (const DxfGroup& g : s)
    if (g.code == 331 && !g.trimmed().empty()) frozen.append(ctx.id_of(g.to_handle()));
  if (frozen.length() > 0) e->freezeLayersInViewport(frozen);
  if (s.handle(340) != 0) {
    e->setNonRectClipEntityId(ctx.id_of(s.handle(340)));
    if (status & 0x10000) e->setNonRectClipOn();
  }
  return e.release();
}

ZcDbEntity* Read_Polyline(DxfReadContext& ctx, const DxfRecord& r) {
  DxfSpan s = r.all();
  const int flags = s.integer(70, 0);
  if (flags & 64) return Read_Polyface_Mesh(ctx, r);
  if (flags & 16) return nullptr;  // polygon meshes stay raw
  if (flags & 8) {
    auto e = std::make_unique<ZcDb3dPolyline>();
    const int curve = s.integer(75, 0);
    e->setPolyType(curve == 5 ? ZcDb::k3dQuadSplinePoly : curve == 6 ? ZcDb::k3dCubicSplinePoly : ZcDb::k3dSimplePoly);
    if (flags & 1) e->makeClosed();
    return e.release();
  }
  auto e = std::make_unique<ZcDb2dPolyline>();
  const ZcGeVector3d n = Normal(s);
  e->setNormal(n);
  e->setElevation(Point(s, 10).z);
  e->setDefaultStartWidth(s.real(40));
  e->setDefaultEndWidth(s.real(41));
  e->setThickness(s.real(39));
  const int curve = s.integer(75, 0);
  e->setPolyType(curve == 5 ? ZcDb::k2dQuadSplinePoly : curve == 6 ? ZcDb::k2dCubicSplinePoly
                 : (flags & 2) ? ZcDb::k2dFitCurvePoly : ZcDb::k2dSimplePoly);
  if (flags & 128) e->setLinetypeGenerationOn();
  if (flags & 1) e->makeClosed();
  return e.release();
}

ZcDbEntity* Read_Point(DxfReadContext&, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbPoint");
  auto e = std::make_unique<ZcDbPoint>(Point(s, 10));
  e->setThickness(s.real(39));
  e->setNormal(Normal(s));
  e->setEcsRotation(s.real(50) * kDegree);
  return e.release();
}

ZcDbEntity* Read_Solid(DxfReadContext&, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbTrace");
  const ZcGeVector3d n = Normal(s);
  const ZcGePoint3d p2 = Point(s, 12);
  auto e = std::make_unique<ZcDbSolid>(To_World(Point(s, 10), n), To_World(Point(s, 11), n), To_World(p2, n),
                          To_World(Point(s, 13, p2), n));
  e->setThickness(s.real(39));
  e->setNormal(n);
  return e.release();
}

using Entity_Reader = ZcDbEntity* (*)(DxfReadContext&, const DxfRecord&);

const std::unordered_map<std::string_view, Entity_Reader>& Entity_Readers() {
  static const std::unordered_map<std::string_view, Entity_Reader> readers = {
      {"LINE", Read_Line},       {"CIRCLE", Read_Circle},     {"ARC", Read_Arc},
      {"ELLIPSE", Read_Ellipse}, {"LWPOLYLINE", Read_Lwpolyline}, {"SPLINE", Read_Spline},
      {"TEXT", Read_Text},       {"MTEXT", Read_Mtext},       {"INSERT", Read_Insert},
      {"ATTDEF", Read_Attdef},   {"VIEWPORT", Read_Viewport}, {"POLYLINE", Read_Polyline},
      {"POINT", Read_Point},     {"SOLID", Read_Solid},       {"HATCH", Read_Hatch},
      {"DIMENSION", Read_Dimension}, {"IMAGE", Read_Image}, {"WIPEOUT", Read_Image},
      {"LEADER", Read_Leader}, {"MLINE", Read_Mline}, {"XLINE", Read_Xline}, {"RAY", Read_Xline}, {"3DFACE", Read_Face},
  };
  return readers;
}

}  // namespace

DxfEntityReader::~DxfEntityReader() { finish(); }

void DxfEntityReader::set_block(ZcDbObjectId block) {
  end_complex();
  block_ = block;
}

ZcDbEntity* DxfEntityReader::create(const DxfRecord& record, Entity_Reader read) {
  ZcDbEntity* e = read ? read(ctx_, record) : nullptr;
  if (e == nullptr) {
    e = Read_Proxy_Entity(ctx_, record);
    ++raw_count_;
  }
  return e;
}

ZcDbObjectId DxfEntityReader::owner_of(const DxfRecord& record) {
  if (!block_.isNull()) return block_;
  // The owner handle names the space's block record (R2000+); R12 files have the flag 67.
  DxfSpan common = record.all();
  uint64_t owner = 0;
  for (const DxfGroup& g : common) {
    if (g.code == 100) break;
    if (g.code == 330) {
      owner = g.trimmed().empty() ? 0 : g.to_handle();
      break;
    }
  }
  if (owner != 0 && owner == owner_handle_) return owner_id_;
  if (owner != 0) {
    ZcDbObjectId id = ctx_.id_of(owner);
    if (id.objectClass() != nullptr && id.objectClass()->isDerivedFrom(ZcDbBlockTableRecord::desc())) {
      owner_handle_ = owner;
      owner_id_ = id;
      return id;
    }
  }
  const DxfGroup* paper = nullptr;
  for (const DxfGroup& g : common)
    if (g.code == 67) paper = &g;
  return paper && paper->to_int() == 1 ? ctx_.db()->paperSpaceId() : ctx_.db()->modelSpaceId();
}

void DxfEntityReader::append(const DxfRecord& record, ZcDbEntity* ent, bool keep_open, bool files_itself) {
  std::unique_ptr<ZcDbEntity> held(ent);  // until the database owns it
  ctx_.read_entity_common(record, ent);
  ZcDbObjectId owner = owner_of(record);
  if (owner != open_block_id_) {
    if (open_block_) open_block_->close();
    open_block_ = nullptr;
    open_block_id_ = ZcDbObjectId::kNull;
    if (zcdbOpenObject(open_block_, owner, ZcDb::kForWrite) == Zcad::eOk) open_block_id_ = owner;
  }
  ZcDbObjectId id;
  const uint64_t handle = record.all().handle(5);
  if (ctx_.add(ent, handle, id) != Zcad::eOk) {
    ctx_.warn(std::string(record.type) + " could not be added to the drawing; dropped");
    return;
  }
  held.release();
  if (files_itself) {
    DxfInFiler filer(ctx_, record);
    if (ent->dxfInFields(&filer) != Zcad::eOk) ctx_.warn(std::string(record.type) + ": its class did not read all of its data");
  }
  if (open_block_) open_block_->appendZcDbEntity(ent);
  ctx_.read_object_common(record, ent);
  if (keep_open)
    complex_ = ent;
  else
    ent->close();
}

void DxfEntityReader::record(const DxfRecord& record) {
  const std::string_view type = record.type;
  if (complex_ && (type == "VERTEX" || type == "SEQEND")) {
    if (auto* raw = ZcDbProxyEntity::cast(complex_)) {
      // A mesh kept raw keeps its vertices and end marker as they are.
      Append_Raw_Record(ctx_, raw, record);
      if (type == "SEQEND") end_complex();
      return;
    }
  }
  if (type == "SEQEND") {
    end_complex();
    return;
  }
  if (type == "ATTRIB" || type == "VERTEX") {
    if (complex_ == nullptr) {
      ctx_.warn(std::string(type) + " outside a block reference or polyline; dropped");
      return;
    }
    if (type == "ATTRIB") {
      auto* ref = ZcDbBlockReference::cast(complex_);
      if (ref == nullptr) return;
      std::unique_ptr<ZcDbAttribute> attr(static_cast<ZcDbAttribute*>(Read_Attribute(ctx_, record)));
      ctx_.read_entity_common(record, attr.get());
      ZcDbObjectId id;
      if (ref->appendAttribute(id, attr.get()) == Zcad::eOk) {
        ZcDbAttribute* added = attr.release();
        ctx_.read_object_common(record, added);
        added->close();
      }
      return;
    }
    if (Read_Polyface_Vertex(complex_, record)) return;
    DxfSpan s = record.all();
    if (auto* p2 = ZcDb2dPolyline::cast(complex_)) {
      const int flags = s.integer(70, 0);
      if (flags & 16) return;  // spline frame control points are derived data
      auto v = std::make_unique<ZcDb2dVertex>(To_World(Point(s, 10), p2->normal()), s.real(42), s.real(40, p2->defaultStartWidth()),
                                 s.real(41, p2->defaultEndWidth()));
      if (s.has(50)) v->setTangent(s.real(50) * kDegree);
      ctx_.read_entity_common(record, v.get());
      ZcDbObjectId id;
      if (p2->appendVertex(id, v.get()) == Zcad::eOk) v.release()->close();
    } else if (auto* p3 = ZcDb3dPolyline::cast(complex_)) {
      if (s.integer(70, 0) & 16) return;
      auto v = std::make_unique<ZcDb3dPolylineVertex>(Point(s, 10));
      ctx_.read_entity_common(record, v.get());
      ZcDbObjectId id;
      if (p3->appendVertex(id, v.get()) == Zcad::eOk) v.release()->close();
    }
    return;
  }
  end_complex();
  const auto found = Entity_Readers().find(type);
  const Entity_Reader read = found != Entity_Readers().end() ? found->second : nullptr;
  if (read == nullptr) {
    if (ZcRxClass* cls = ctx_.custom_class(type)) {
      ZcRxObject* made = cls->create();
      if (ZcDbEntity* custom = ZcDbEntity::cast(made)) {
        append(record, custom, false, true);
        return;
      }
      delete made;
    }
  }
  ZcDbEntity* ent = create(record, read);
  append(record, ent, type == "INSERT" || type == "POLYLINE");
}

void DxfEntityReader::end_complex() {
  if (complex_) {
    complex_->close();
    complex_ = nullptr;
  }
}

void DxfEntityReader::finish() {
  end_complex();
  if (open_block_) open_block_->close();
  open_block_ = nullptr;
  open_block_id_ = ZcDbObjectId::kNull;
}

}  // namespace platform
