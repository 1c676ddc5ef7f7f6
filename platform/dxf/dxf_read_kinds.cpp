#include "dxf/dxf_read_kinds.h"

#include <memory>

#include "db/dbface.h"
#include "db/dbleader.h"
#include "db/dbmline.h"
#include "db/dbpolyface.h"
#include "db/dbsymtb.h"
#include "db/dbxline.h"

namespace platform {

namespace {

ZcGePoint3d Group_Point(const DxfGroup* g, const DxfGroup* end) {
  ZcGePoint3d p(g->to_double(), 0, 0);
  if (g + 1 != end && g[1].code == g->code + 10) {
    p.y = g[1].to_double();
    if (g + 2 != end && g[2].code == g->code + 20) p.z = g[2].to_double();
  }
  return p;
}

ZcGePoint3d Span_Point(DxfSpan s, int code, const ZcGePoint3d& fallback = ZcGePoint3d()) {
  const DxfGroup* g = s.find(code);
  return g ? Group_Point(g, s.end()) : fallback;
}

ZcGeVector3d Span_Vector(DxfSpan s, int code, const ZcGeVector3d& fallback) {
  const ZcGePoint3d p = Span_Point(s, code, ZcGePoint3d(fallback.x, fallback.y, fallback.z));
  const ZcGeVector3d v(p.x, p.y, p.z);
  return v.isZeroLength() ? fallback : v;
}

ZcDbObjectId Dim_Style(DxfReadContext& ctx, std::string_view name) {
  ZcDbObjectId id;
  ZcDbDimStyleTable* table = nullptr;
  if (ctx.db()->getDimStyleTable(table, ZcDb::kForRead) == Zcad::eOk) {
    table->getAt(ctx.wide(name).c_str(), id);
    table->close();
  }
  return id;
}

}  // namespace

ZcDbEntity* Read_Leader(DxfReadContext& ctx, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbLeader");
  auto e = std::make_unique<ZcDbLeader>();
  for (const DxfGroup* g = s.begin(); g != s.end(); ++g)
    if (g->code == 10) e->appendVertex(Group_Point(g, s.end()));
  if (s.integer(71, 1) == 0) e->disableArrowHead();
  if (s.integer(72, 0) == 1) e->setToSplineLeader();
  e->setNormal(Span_Vector(s, 210, ZcGeVector3d(0, 0, 1)));
  e->setDimensionStyle(Dim_Style(ctx, s.str(3, "Standard")));
  if (s.handle(340)) e->attachAnnotation(ctx.id_of(s.handle(340)));
  ZcDbLeader::Hook_Line hook;
  hook.on = s.integer(75, 0) != 0;
  hook.pointsBack = s.integer(74, 0) == 1;
  hook.horizontal = Span_Vector(s, 211, ZcGeVector3d(1, 0, 0));
  hook.textHeight = s.real(40);
  hook.textWidth = s.real(41);
  const int anno = s.integer(73, 3);
  e->setHookLine(static_cast<ZcDbLeader::AnnoType>(anno >= 0 && anno <= 3 ? anno : 3), hook);
  return e.release();
}

ZcDbEntity* Read_Mline(DxfReadContext& ctx, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbMline");
  auto e = std::make_unique<ZcDbMline>();
  e->setStyleName(ctx.wide(s.str(2, "STANDARD")).c_str());
  if (s.handle(340)) e->setStyle(ctx.id_of(s.handle(340)));
  e->setScale(s.real(40, 1));
  const int just = s.integer(70, 0);
  e->setJustification(static_cast<Mline::MlineJustification>(just >= 0 && just <= 2 ? just : 0));
  e->setFlags(s.integer(71, 1));
  e->setNormal(Span_Vector(s, 210, ZcGeVector3d(0, 0, 1)));
  // Per vertex: 11 position, 12 direction, 13 miter, then per element 74 + 41s, 75 + 42s.
  ZcDbMline::Vertex v;
  bool open = false;
  std::vector<double>* list = nullptr;
  for (const DxfGroup* g = s.begin(); g != s.end(); ++g) {
    switch (g->code) {
      case 11:
        if (open) e->appendVertexData(v);
        v = ZcDbMline::Vertex();
        v.position = Group_Point(g, s.end());
        open = true;
        break;
      case 12: if (open) v.direction = Group_Point(g, s.end()) - ZcGePoint3d::kOrigin; break;
      case 13: if (open) v.miter = Group_Point(g, s.end()) - ZcGePoint3d::kOrigin; break;
      case 74: if (open) v.elementParams.emplace_back(), list = &v.elementParams.back(); break;
      case 75: if (open) v.fillParams.emplace_back(), list = &v.fillParams.back(); break;
      case 41:
      case 42:
        if (open && list) list->push_back(g->to_double());
        break;
      default: break;
    }
  }
  if (open) e->appendVertexData(v);
  return e.release();
}

ZcDbEntity* Read_Xline(DxfReadContext&, const DxfRecord& r) {
  const bool ray = r.type == "RAY";
  DxfSpan s = r.subclass(ray ? "AcDbRay" : "AcDbXline");
  std::unique_ptr<ZcDbXline> e(ray ? new ZcDbRay() : new ZcDbXline());
  e->setBasePoint(Span_Point(s, 10));
  e->setUnitDir(Span_Vector(s, 11, ZcGeVector3d(1, 0, 0)));
  return e.release();
}

ZcDbEntity* Read_Face(DxfReadContext&, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbFace");
  const ZcGePoint3d p2 = Span_Point(s, 12);
  const int hidden = s.integer(70, 0);
  return new ZcDbFace(Span_Point(s, 10), Span_Point(s, 11), p2, Span_Point(s, 13, p2), !(hidden & 1), !(hidden & 2), !(hidden & 4),
                      !(hidden & 8));
}

ZcDbEntity* Read_Polyface_Mesh(DxfReadContext&, const DxfRecord&) { return new ZcDbPolyFaceMesh(); }

bool Read_Polyface_Vertex(ZcDbEntity* complex, const DxfRecord& record) {
  auto* mesh = ZcDbPolyFaceMesh::cast(complex);
  if (mesh == nullptr) return false;
  DxfSpan s = record.all();
  const int flags = s.integer(70, 0);
  if (flags & 64) {
    mesh->appendVertex(Span_Point(s, 10));
  } else if (flags & 128) {
    auto corner = [&](int code) { return static_cast<int16_t>(s.integer(code, 0)); };
    mesh->appendFaceRecord(corner(71), corner(72), corner(73), corner(74));
  }
  return true;
}

}  // namespace platform
