#include "dxf/dxf_writer.h"

#include <cmath>

#include "db/dbdict.h"
#include "db/dbents.h"
#include "db/dblayout.h"
#include "db/dbproxy.h"
#include "db/dbsymtb.h"
#include "dxf/dxf_output.h"
#include "dxf/dxf_styles.h"
#include "dxf/dxf_text_codec.h"
#include "dxf/dxf_write_context.h"
#include "dxf/dxf_write_entities.h"
#include "dxf/dxf_write_objects.h"
#include "rx/rxclass.h"
#include "script/utf8.h"
#include "win/safe_file_write.h"

namespace platform {

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

void Point(DxfOutput& out, int code, const ZcGePoint3d& p) { out.point(code, p.x, p.y, p.z); }

void Header(DxfOutput& out, const ZcDbDatabase* db, uint64_t handseed) {
  auto var = [&](const char* name) { out.raw(9, name); };
  out.raw(0, "SECTION");
  out.raw(2, "HEADER");
  var("$ACADVER"), out.raw(1, "AC1027");
  var("$ACADMAINTVER"), out.integer(70, 105);
  var("$DWGCODEPAGE"), out.text(3, db->dwgcodepage()[0] ? db->dwgcodepage() : L"ANSI_1252");
  var("$INSBASE"), Point(out, 10, db->insbase());
  var("$EXTMIN"), Point(out, 10, db->extmin());
  var("$EXTMAX"), Point(out, 10, db->extmax());
  var("$LIMMIN"), out.point2d(10, db->limmin().x, db->limmin().y);
  var("$LIMMAX"), out.point2d(10, db->limmax().x, db->limmax().y);
  var("$LTSCALE"), out.real(40, db->ltscale());
  var("$TEXTSIZE"), out.real(40, db->textsize());
  std::wstring name = DxfWriteContext::record_name(db->textstyle());
  if (!name.empty()) var("$TEXTSTYLE"), out.text(7, name);
  name = DxfWriteContext::record_name(db->clayer());
  var("$CLAYER"), out.text(8, name.empty() ? L"0" : name);
  name = DxfWriteContext::record_name(db->celtype());
  var("$CELTYPE"), out.text(6, name.empty() ? L"ByLayer" : name);
  const ZcCmColor cecolor = db->cecolor();
  var("$CECOLOR"), out.integer(62, cecolor.isByColor() ? 256 : cecolor.colorIndex());
  var("$CELTSCALE"), out.real(40, db->celtscale());
  var("$CELWEIGHT"), out.integer(370, db->celweight());
  var("$PSLTSCALE"), out.integer(70, db->psltscale() ? 1 : 0);
  var("$TILEMODE"), out.integer(70, db->tilemode() ? 1 : 0);
  var("$PDMODE"), out.integer(70, db->pdmode());
  var("$PDSIZE"), out.real(40, db->pdsize());
  var("$LWDISPLAY"), out.integer(290, db->lineWeightDisplay() ? 1 : 0);
  var("$MEASUREMENT"), out.integer(70, db->measurement());
  var("$INSUNITS"), out.integer(70, db->insunits());
  var("$PEXTMIN"), Point(out, 10, db->pextmin());
  var("$PEXTMAX"), Point(out, 10, db->pextmax());
  var("$HANDSEED"), out.handle(5, handseed);
  out.raw(0, "ENDSEC");
}

void Classes(DxfWriteContext& ctx, DxfOutput& out) {
  out.raw(0, "SECTION");
  out.raw(2, "CLASSES");
  for (const auto& c : ctx.classes()) {
    out.raw(0, "CLASS");
    out.text(1, c.info.dxfName);
    out.text(2, c.info.className.empty() ? c.info.dxfName : c.info.className);
    out.text(3, c.info.appName);
    out.integer(90, c.proxy_flags);
    out.integer(91, c.instances);
    out.integer(280, c.proxy ? 1 : 0);  // was a proxy
    out.integer(281, c.is_entity ? 1 : 0);
  }
  out.raw(0, "ENDSEC");
}

std::vector<ZcDbObjectId> Records(ZcDbObjectId table_id) {
  std::vector<ZcDbObjectId> ids;
  ZcDbSymbolTable* table = nullptr;
  if (zcdbOpenObject(table, table_id, ZcDb::kForRead) == Zcad::eOk) {
    for (ZcDbObjectId id : table->recordIds())
      if (!id.isErased()) ids.push_back(id);
    table->close();
  }
  return ids;
}

class TableWriter {
 public:
  TableWriter(DxfWriteContext& ctx, std::vector<ZcDbObjectId>& owners) : ctx_(ctx), out_(ctx.out()), owners_(owners) {}

  void write() {
    out_.raw(0, "SECTION");
    out_.raw(2, "TABLES");
    const ZcDbDatabase* db = ctx_.db();
    table("VPORT", db->viewportTableId(), [&](const ZcDbSymbolTableRecord* r) { vport(r); });
    table("LTYPE", db->linetypeTableId(), [&](const ZcDbSymbolTableRecord* r) { linetype(r); });
    table("LAYER", db->layerTableId(), [&](const ZcDbSymbolTableRecord* r) { layer(r); });
    table("STYLE", db->textStyleTableId(), [&](const ZcDbSymbolTableRecord* r) { style(r); });
    empty_table("VIEW");
    empty_table("UCS");
    table("APPID", db->regAppTableId(), [&](const ZcDbSymbolTableRecord* r) {
      record_start("APPID", r, "AcDbRegAppTableRecord");
      out_.integer(70, 0);
    });
    table("DIMSTYLE", db->dimStyleTableId(), [&](const ZcDbSymbolTableRecord* r) {
      if (auto* style = ZcDbDimStyleTableRecord::cast(r)) {
        ctx_.object_start("DIMSTYLE", style, 0, 105);
        Write_Dim_Style(out_, style);
      }
    });
    table("BLOCK_RECORD", db->blockTableId(), [&](const ZcDbSymbolTableRecord* r) { block_record(r); });
    out_.raw(0, "ENDSEC");
  }

 private:
  template <typename F>
  void table(const char* name, ZcDbObjectId table_id, F&& each) {
    out_.raw(0, "TABLE");
    out_.raw(2, name);
    const uint64_t handle = table_id.isNull() ? ctx_.new_handle() : DxfWriteContext::handle(table_id);
    out_.handle(5, handle);
    ZcDbObject* table = nullptr;
    if (!table_id.isNull() && zcdbOpenObject(table, table_id, ZcDb::kForRead) != Zcad::eOk) table = nullptr;
    if (table && !table->extensionDictionary().isNull()) {
      out_.raw(102, "{ACAD_XDICTIONARY");
      out_.handle(360, DxfWriteContext::handle(table->extensionDictionary()));
      out_.raw(102, "}");
      owners_.push_back(table_id);
    }
    out_.handle(330, 0);
    out_.raw(100, "AcDbSymbolTable");
    const std::vector<ZcDbObjectId> ids = Records(table_id);
    out_.integer(70, static_cast<int64_t>(ids.size()));
    if (std::string_view(name) == "DIMSTYLE") {
      out_.raw(100, "AcDbDimStyleTable");
      out_.integer(71, static_cast<int64_t>(ids.size()));
      for (ZcDbObjectId id : ids) out_.handle(340, DxfWriteContext::handle(id));
    }
    if (table) {
      ctx_.xdata(table);
      table->close();
    }
    for (ZcDbObjectId id : ids) {
      ZcDbSymbolTableRecord* rec = nullptr;
      if (zcdbOpenObject(rec, id, ZcDb::kForRead) != Zcad::eOk) continue;
      each(rec);
      ctx_.xdata(rec);
      if (!rec->extensionDictionary().isNull()) owners_.push_back(id);
      rec->close();
    }
    out_.raw(0, "ENDTAB");
  }

  void empty_table(const char* name) {
    out_.raw(0, "TABLE");
    out_.raw(2, name);
    out_.handle(5, ctx_.new_handle());
    out_.handle(330, 0);
    out_.raw(100, "AcDbSymbolTable");
    out_.integer(70, 0);
    out_.raw(0, "ENDTAB");
  }

  void record_start(const char* type, const ZcDbSymbolTableRecord* r, const char* subclass) {
    ctx_.object_start(type, r);
    out_.raw(100, "AcDbSymbolTableRecord");
    out_.raw(100, subclass);
    out_.text(2, r->name());
  }

  void vport(const ZcDbSymbolTableRecord* rec) {
    auto* r = ZcDbViewportTableRecord::cast(rec);
    if (!r) return;
    record_start("VPORT", r, "AcDbViewportTableRecord");
    out_.integer(70, 0);
    out_.point2d(10, r->lowerLeftCorner().x, r->lowerLeftCorner().y);
    out_.point2d(11, r->upperRightCorner().x, r->upperRightCorner().y);
    out_.point2d(12, r->centerPoint().x, r->centerPoint().y);
    out_.point2d(13, 0, 0);
    out_.point2d(14, 10, 10);
    out_.point2d(15, 10, 10);
    const ZcGeVector3d dir = r->viewDirection();
    out_.point(16, dir.x, dir.y, dir.z);
    Point(out_, 17, r->target());
    out_.real(40, r->height());
    out_.real(41, r->height() > 0 ? r->width() / r->height() : 1);
    out_.real(42, r->lensLength());
    out_.real(43, 0), out_.real(44, 0), out_.real(50, 0);
    out_.real(51, r->viewTwist() / kDegree);
    out_.integer(71, 0), out_.integer(72, 1000), out_.integer(73, 1), out_.integer(74, 3);
    out_.integer(75, 0), out_.integer(76, 0), out_.integer(77, 0), out_.integer(78, 0);
  }

  void linetype(const ZcDbSymbolTableRecord* rec) {
    auto* r = ZcDbLinetypeTableRecord::cast(rec);
    if (!r) return;
    record_start("LTYPE", r, "AcDbLinetypeTableRecord");
    out_.integer(70, 0);
    const wchar_t* comments = L"";
    r->comments(comments);
    out_.text(3, comments ? comments : L"");
    out_.integer(72, r->isScaledToFit() ? 83 : 65);
    out_.integer(73, r->numDashes());
    out_.real(40, r->patternLength());
    for (int i = 0; i < r->numDashes(); ++i) {
      out_.real(49, r->dashLengthAt(i));
      const wchar_t* text = L"";
      r->textAt(i, text);
      const bool hasText = text && *text, hasShape = !hasText && r->shapeNumberAt(i) != 0;
      if (!hasText && !hasShape) {
        out_.integer(74, 0);
        continue;
      }
      out_.integer(74, (r->shapeIsUcsOrientedAt(i) ? 1 : 0) | (hasText ? 2 : 0) | (hasShape ? 4 : 0));
      out_.integer(75, hasShape ? r->shapeNumberAt(i) : 0);
      out_.handle(340, DxfWriteContext::handle(r->shapeStyleAt(i)));
      out_.real(46, r->shapeScaleAt(i));
      out_.real(50, r->shapeRotationAt(i) / kDegree);
      out_.real(44, r->shapeOffsetAt(i).x);
      out_.real(45, r->shapeOffsetAt(i).y);
      if (hasText) out_.text(9, text);
    }
  }

  void layer(const ZcDbSymbolTableRecord* rec) {
    auto* r = ZcDbLayerTableRecord::cast(rec);
    if (!r) return;
    record_start("LAYER", r, "AcDbLayerTableRecord");
    out_.integer(70, (r->isFrozen() ? 1 : 0) | (r->VPDFLT() ? 2 : 0) | (r->isLocked() ? 4 : 0));
    const ZcCmColor color = r->color();
    int index = color.isByColor() ? ZcCmEntityColor::lookUpACI(color.red(), color.green(), color.blue())
                                  : color.colorIndex();
    if (index < 1 || index > 255) index = 7;
    out_.integer(62, r->isOff() ? -index : index);
    if (color.isByColor())
      out_.integer(420, (int64_t(color.red()) << 16) | (int64_t(color.green()) << 8) | color.blue());
    std::wstring lt = DxfWriteContext::record_name(r->linetypeObjectId());
    out_.text(6, lt.empty() ? L"Continuous" : lt);
    if (!r->isPlottable()) out_.integer(290, 0);
    out_.integer(370, r->lineWeight());
    out_.handle(390, 0);
  }

  void style(const ZcDbSymbolTableRecord* rec) {
    auto* r = ZcDbTextStyleTableRecord::cast(rec);
    if (!r) return;
    record_start("STYLE", r, "AcDbTextStyleTableRecord");
    out_.integer(70, (r->isShapeFile() ? 1 : 0) | (r->isVertical() ? 4 : 0));
    out_.real(40, r->textSize());
    out_.real(41, r->xScale());
    out_.real(50, r->obliquingAngle() / kDegree);
    out_.integer(71, r->flagBits());
    out_.real(42, r->priorSize());
    const wchar_t* file = L"";
    r->fileName(file);
    out_.text(3, file ? file : L"");
    const wchar_t* big = L"";
    r->bigFontFileName(big);
    out_.text(4, big ? big : L"");
  }

  void block_record(const ZcDbSymbolTableRecord* rec) {
    auto* r = ZcDbBlockTableRecord::cast(rec);
    if (!r) return;
    record_start("BLOCK_RECORD", r, "AcDbBlockTableRecord");
    const bool layout = DxfWriteContext::layout_linked(r->getLayoutId(), r->objectId());
    out_.handle(340, layout ? DxfWriteContext::handle(r->getLayoutId()) : 0);
    out_.integer(70, r->blockInsertUnits());
    out_.integer(280, r->explodable() ? 1 : 0);
    out_.integer(281, 1);
  }

  DxfWriteContext& ctx_;
  DxfOutput& out_;
  std::vector<ZcDbObjectId>& owners_;
};

bool Is_Space(const ZcDbBlockTableRecord* btr, const ZcDbDatabase* db) {
  return btr->objectId() == db->modelSpaceId() || btr->objectId() == db->paperSpaceId();
}

void Entities_Of(DxfWriteContext& ctx, const ZcDbBlockTableRecord* btr, bool paper_space,
                 std::vector<ZcDbObjectId>& owners) {
  for (ZcDbObjectId id : btr->entityIds()) {
    if (id.isErased()) continue;
    ZcDbEntity* ent = nullptr;
    if (zcdbOpenObject(ent, id, ZcDb::kForRead) != Zcad::eOk) continue;
    Write_Entity(ctx, ent, paper_space);
    if (!ent->extensionDictionary().isNull()) owners.push_back(id);
    ent->close();
  }
}

// The BLOCK or ENDBLK record around a block's entities.
void Block_Marker(DxfWriteContext& ctx, const char* type, uint64_t block, bool paper, const char* subclass) {
  DxfOutput& out = ctx.out();
  out.raw(0, type);
  out.handle(5, ctx.new_handle());
  out.handle(330, block);
  out.raw(100, "AcDbEntity");
  if (paper) out.integer(67, 1);
  out.raw(8, "0");
  out.raw(100, subclass);
}

void Blocks(DxfWriteContext& ctx, std::vector<ZcDbObjectId>& owners) {
  DxfOutput& out = ctx.out();
  const ZcDbDatabase* db = ctx.db();
  out.raw(0, "SECTION");
  out.raw(2, "BLOCKS");
  for (ZcDbObjectId id : Records(db->blockTableId())) {
    ZcDbBlockTableRecord* btr = nullptr;
    if (zcdbOpenObject(btr, id, ZcDb::kForRead) != Zcad::eOk) continue;
    const bool paper = btr->isLayout() && id != db->modelSpaceId();
    const uint64_t handle = DxfWriteContext::handle(id);
    Block_Marker(ctx, "BLOCK", handle, paper, "AcDbBlockBegin");
    out.text(2, btr->name());
    const wchar_t* path = L"";
    btr->getPathName(path);
    int flags = btr->isAnonymous() ? 1 : 0;
    if (btr->hasAttributeDefinitions()) flags |= 2;
    if (path && *path) flags |= 4;
    out.integer(70, flags);
    Point(out, 10, btr->origin());
    out.text(3, btr->name());
    out.text(1, path ? path : L"");
    if (!Is_Space(btr, db)) Entities_Of(ctx, btr, paper, owners);
    Block_Marker(ctx, "ENDBLK", handle, paper, "AcDbBlockEnd");
    btr->close();
  }
  out.raw(0, "ENDSEC");
}

void Entities(DxfWriteContext& ctx, std::vector<ZcDbObjectId>& owners) {
  DxfOutput& out = ctx.out();
  out.raw(0, "SECTION");
  out.raw(2, "ENTITIES");
  for (ZcDbObjectId id : {ctx.db()->modelSpaceId(), ctx.db()->paperSpaceId()}) {
    ZcDbBlockTableRecord* btr = nullptr;
    if (zcdbOpenObject(btr, id, ZcDb::kForRead) != Zcad::eOk) continue;
    Entities_Of(ctx, btr, id == ctx.db()->paperSpaceId(), owners);
    btr->close();
  }
  out.raw(0, "ENDSEC");
}

// The classes of kept proxies, so that proxy records can name theirs by number.
void Collect_Classes(DxfWriteContext& ctx) {
  ZcDbDictionary* table_styles = nullptr;
  if (zcdbOpenObject(table_styles, ctx.db()->tableStyleDictionaryId(), ZcDb::kForRead) == Zcad::eOk) {
    if (table_styles->numEntries() > 0)
      ctx.classes().push_back(
          {{L"TABLESTYLE", L"TABLESTYLE", L"AcDbTableStyle", L"ObjectDBX Classes"}, false, false, 4095});
    table_styles->close();
  }
  auto note = [&](const ZcDbProxyClassInfo& info, bool entity) {
    if (info.className.empty() || ctx.class_number(info.dxfName)) return;
    ctx.classes().push_back({info, entity});
  };
  for (ZcDbObjectId block : Records(ctx.db()->blockTableId())) {
    ZcDbBlockTableRecord* btr = nullptr;
    if (zcdbOpenObject(btr, block, ZcDb::kForRead) != Zcad::eOk) continue;
    for (ZcDbObjectId id : btr->entityIds()) {
      ZcRxClass* cls = id.isErased() ? nullptr : id.objectClass();
      if (cls == nullptr) continue;
      if (cls == ZcDbProxyEntity::desc()) {
        ZcDbProxyEntity* p = nullptr;
        if (zcdbOpenObject(p, id, ZcDb::kForRead) != Zcad::eOk) continue;
        note(p->classInfo(), true);
        p->close();
      } else if (*cls->dxfName() && std::wstring_view(cls->appName()) != L"AutoCAD") {
        note({cls->dxfName(), cls->dxfName(), cls->name(), cls->appName()}, true);
      }
    }
    btr->close();
  }
}

// The platform's classes that CAD programs name in CLASSES, with their default values.
struct Platform_Class {
  const wchar_t* dxf_name;
  const wchar_t* cpp_name;
  const wchar_t* app_name;
  int proxy_flags;
  bool is_entity;
};
constexpr Platform_Class Platform_Classes[] = {
    {L"IMAGE", L"AcDbRasterImage", L"ISM", 127, true},
    {L"IMAGEDEF", L"AcDbRasterImageDef", L"ISM", 0, false},
    {L"IMAGEDEF_REACTOR", L"AcDbRasterImageDefReactor", L"ISM", 1, false},
    {L"RASTERVARIABLES", L"AcDbRasterVariables", L"ISM", 0, false},
    {L"WIPEOUT", L"AcDbWipeout", L"WipeOut", 127, true},
    {L"SORTENTSTABLE", L"AcDbSortentsTable", L"ObjectDBX Classes", 0, false},
    {L"SPATIAL_FILTER", L"AcDbSpatialFilter", L"ObjectDBX Classes", 0, false},
    {L"LAYOUT", L"AcDbLayout", L"ObjectDBX Classes", 0, false},
    {L"PLOTSETTINGS", L"AcDbPlotSettings", L"ObjectDBX Classes", 0, false},
};

// After the body is written: the platform classes it holds instances of, and every class's
// instance count. Classes collected before keep their numbers.
void Complete_Classes(DxfWriteContext& ctx) {
  for (const Platform_Class& c : Platform_Classes)
    if (ctx.written(To_Utf8(c.dxf_name)) > 0 && !ctx.class_number(c.dxf_name))
      ctx.classes().push_back({{c.dxf_name, c.dxf_name, c.cpp_name, c.app_name}, c.is_entity, false, c.proxy_flags});
  for (auto& c : ctx.classes()) c.instances = ctx.written(To_Utf8(c.info.dxfName));
}

}  // namespace

std::string Write_Dxf_Data(const ZcDbDatabase* db, DxfWarnings* warnings) {
  DxfOutput body;
  DxfWriteContext ctx(db, body, warnings);
  Collect_Classes(ctx);
  std::vector<ZcDbObjectId> owners;
  TableWriter(ctx, owners).write();
  Blocks(ctx, owners);
  Entities(ctx, owners);
  body.raw(0, "SECTION");
  body.raw(2, "OBJECTS");
  Write_Objects(ctx, owners);
  body.raw(0, "ENDSEC");
  body.raw(0, "EOF");
  // Whatever names an object that is not written (one the reader dropped, an erased one) is
  // left out, so that every link of the file leads somewhere.
  for (std::string& dropped : body.drop_dangling_references()) ctx.warn(std::move(dropped));
  Complete_Classes(ctx);
  DxfOutput head;
  Header(head, db, ctx.next_handle());
  Classes(ctx, head);
  std::string text = std::move(head.data());
  text += body.data();
  return text;
}

Zcad::ErrorStatus Write_Dxf_File(const ZcDbDatabase* db, const std::wstring& path, DxfWarnings* warnings) {
  if (db == nullptr) return Zcad::eNoDatabase;
  std::wstring error;
  return Safe_Write_File(path, Write_Dxf_Data(db, warnings), error) ? Zcad::eOk : Zcad::eFileAccessErr;
}

}  // namespace platform
