#include "dxf/dxf_read_tables.h"

#include <cmath>
#include <memory>

#include "db/db_loader.h"
#include "db/dbsymtb.h"
#include "dxf/dxf_enums.h"
#include "dxf/dxf_styles.h"

namespace platform {

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

ZcGePoint2d Point2d(DxfSpan s, int code) { return ZcGePoint2d(s.real(code), s.real(code + 10)); }
ZcGePoint3d Point3d(DxfSpan s, int code) { return ZcGePoint3d(s.real(code), s.real(code + 10), s.real(code + 20)); }

ZcDbSymbolTable* New_Table(std::string_view name, Db_Root& root) {
  if (name == "LAYER") return root = Db_Root::Layer_Table, new ZcDbLayerTable();
  if (name == "LTYPE") return root = Db_Root::Linetype_Table, new ZcDbLinetypeTable();
  if (name == "STYLE") return root = Db_Root::Text_Style_Table, new ZcDbTextStyleTable();
  if (name == "VPORT") return root = Db_Root::Viewport_Table, new ZcDbViewportTable();
  if (name == "APPID") return root = Db_Root::Reg_App_Table, new ZcDbRegAppTable();
  if (name == "BLOCK_RECORD") return root = Db_Root::Block_Table, new ZcDbBlockTable();
  if (name == "DIMSTYLE") return root = Db_Root::Dim_Style_Table, new ZcDbDimStyleTable();
  return nullptr;  // VIEW, UCS: not kept
}

ZcDbObjectId Root_Id(ZcDbDatabase* db, Db_Root root) {
  switch (root) {
    case Db_Root::Layer_Table: return db->layerTableId();
    case Db_Root::Linetype_Table: return db->linetypeTableId();
    case Db_Root::Text_Style_Table: return db->textStyleTableId();
    case Db_Root::Viewport_Table: return db->viewportTableId();
    case Db_Root::Reg_App_Table: return db->regAppTableId();
    case Db_Root::Block_Table: return db->blockTableId();
    case Db_Root::Dim_Style_Table: return db->dimStyleTableId();
    default: return ZcDbObjectId::kNull;
  }
}

ZcDbObjectId Ensure_Root(DxfReadContext& ctx, std::string_view name, uint64_t handle) {
  Db_Root root;
  ZcDbSymbolTable* table = New_Table(name, root);
  if (!table) return ZcDbObjectId::kNull;
  ZcDbObjectId existing = Root_Id(ctx.db(), root);
  if (!existing.isNull()) {
    delete table;
    return existing;
  }
  ZcDbObjectId id;
  if (ctx.add(table, handle, id) != Zcad::eOk) {
    delete table;
    return ZcDbObjectId::kNull;
  }
  Db_Set_Root(ctx.db(), root, id);
  table->close();
  return id;
}

void Read_Layer(DxfReadContext& ctx, DxfSpan s, ZcDbLayerTableRecord* r) {
  const int flags = s.integer(70, 0);
  r->setIsFrozen((flags & 1) != 0);
  r->setIsLocked((flags & 4) != 0);
  r->setVPDFLT((flags & 2) != 0);
  const DxfGroup* color_group = s.find(62);
  const int color = color_group ? Dxf_Enum_Value(*color_group, -256, 256, 7) : 7;
  r->setIsOff(color < 0);
  ZcCmColor c;
  if (const DxfGroup* rgb = s.find(420)) {
    const int32_t v = rgb->to_int();
    c.setRGB(static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v));
  } else {
    const int index = std::abs(color);
    c.setColorIndex(static_cast<int16_t>(index >= 1 && index <= 255 ? index : 7));
  }
  r->setColor(c);
  if (s.has(6)) {
    ZcDbObjectId lt = ctx.linetype(s.str(6));
    if (!lt.isNull()) r->setLinetypeObjectId(lt);
  }
  r->setIsPlottable(s.integer(290, 1) != 0);
  if (const DxfGroup* weight = s.find(370)) r->setLineWeight(Dxf_Line_Weight(*weight, ZcDb::kLnWtByLwDefault));
}

void Read_Linetype(DxfReadContext& ctx, DxfSpan s, ZcDbLinetypeTableRecord* r) {
  r->setComments(ctx.wide(s.str(3)).c_str());
  r->setPatternLength(s.real(40));
  r->setIsScaledToFit(s.integer(72, 65) == 83);
  int dashes = 0;
  for (const DxfGroup& g : s) dashes += g.code == 49;
  r->setNumDashes(dashes);
  // A dash's length comes first; the shape or text of a complex linetype follows it.
  int i = -1;
  for (const DxfGroup& g : s) {
    if (g.code == 49) r->setDashLengthAt(++i, g.to_double());
    if (i < 0) continue;
    switch (g.code) {
      case 74: r->setShapeIsUcsOrientedAt(i, (g.to_int() & 1) != 0); break;
      case 75: r->setShapeNumberAt(i, g.to_int()); break;
      case 340: r->setShapeStyleAt(i, ctx.id_of(g.to_handle())); break;
      case 46: r->setShapeScaleAt(i, g.to_double()); break;
      case 50: r->setShapeRotationAt(i, g.to_double() * kDegree); break;
      case 44: r->setShapeOffsetAt(i, ZcGeVector2d(g.to_double(), r->shapeOffsetAt(i).y)); break;
      case 45: r->setShapeOffsetAt(i, ZcGeVector2d(r->shapeOffsetAt(i).x, g.to_double())); break;
      case 9: r->setTextAt(i, ctx.wide(g.value).c_str()); break;
      default: break;
    }
  }
}

void Read_Style(DxfReadContext& ctx, DxfSpan s, ZcDbTextStyleTableRecord* r) {
  const int flags = s.integer(70, 0);
  r->setIsShapeFile((flags & 1) != 0);
  r->setIsVertical((flags & 4) != 0);
  r->setTextSize(s.real(40));
  r->setXScale(s.real(41, 1) > 0 ? s.real(41, 1) : 1);
  r->setObliquingAngle(s.real(50) * kDegree);
  r->setFlagBits(static_cast<uint8_t>(s.integer(71, 0)));
  r->setPriorSize(s.real(42));
  r->setFileName(ctx.wide(s.str(3)).c_str());
  r->setBigFontFileName(ctx.wide(s.str(4)).c_str());
}

void Read_Vport(DxfSpan s, ZcDbViewportTableRecord* r) {
  r->setLowerLeftCorner(Point2d(s, 10));
  r->setUpperRightCorner(ZcGePoint2d(s.real(11, 1), s.real(21, 1)));
  r->setCenterPoint(Point2d(s, 12));
  const double height = s.real(40, 1);
  r->setHeight(height);
  r->setWidth(height * s.real(41, 1));
  ZcGePoint3d dir = Point3d(s, 16);
  ZcGeVector3d direction(dir.x, dir.y, dir.z);
  r->setViewDirection(direction.isZeroLength() ? ZcGeVector3d(0, 0, 1) : direction);
  r->setTarget(Point3d(s, 17));
  r->setLensLength(s.real(42, 50));
  r->setViewTwist(s.real(51) * kDegree);
}

}  // namespace

void DxfTableReader::record(const DxfRecord& record) {
  if (record.type == "TABLE") {
    table(record);
  } else if (record.type == "ENDTAB") {
    table_.clear();
    table_id_ = ZcDbObjectId::kNull;
  } else if (record.type == table_) {
    if (!table_id_.isNull()) entry(record);
  } else {
    // Records of a kept table outside their "0 TABLE" (R12 files of some programs): read
    // into their table as other readers do.
    const ZcDbObjectId id = Ensure_Root(ctx_, record.type, 0);
    if (id.isNull()) return;
    ctx_.warn(std::string(record.type) + " records outside their 0 TABLE" +
              (table_.empty() ? std::string() : " (in table " + table_ + ")") + "; read into the " +
              std::string(record.type) + " table");
    table_ = std::string(record.type);
    table_id_ = id;
    entry(record);
  }
}

void DxfTableReader::table(const DxfRecord& record) {
  DxfSpan s = record.all();
  table_ = std::string(s.str(2));
  table_id_ = Ensure_Root(ctx_, table_, s.handle(5));
  // The table object's own extension dictionary and extended data.
  ZcDbObject* table = nullptr;
  if (!table_id_.isNull() && zcdbOpenObject(table, table_id_, ZcDb::kForWrite) == Zcad::eOk) {
    ctx_.read_object_common(record, table);
    table->close();
  }
}

void DxfTableReader::entry(const DxfRecord& record) {
  // Held until the database owns it: a fault in its groups must not leak it.
  std::unique_ptr<ZcDbSymbolTableRecord> held;
  if (table_ == "LAYER" && record.type == "LAYER") held = std::make_unique<ZcDbLayerTableRecord>();
  else if (table_ == "LTYPE" && record.type == "LTYPE") held = std::make_unique<ZcDbLinetypeTableRecord>();
  else if (table_ == "STYLE" && record.type == "STYLE") held = std::make_unique<ZcDbTextStyleTableRecord>();
  else if (table_ == "VPORT" && record.type == "VPORT") held = std::make_unique<ZcDbViewportTableRecord>();
  else if (table_ == "APPID" && record.type == "APPID") held = std::make_unique<ZcDbRegAppTableRecord>();
  else if (table_ == "BLOCK_RECORD" && record.type == "BLOCK_RECORD") held = std::make_unique<ZcDbBlockTableRecord>();
  else if (table_ == "DIMSTYLE" && record.type == "DIMSTYLE") held = std::make_unique<ZcDbDimStyleTableRecord>();
  ZcDbSymbolTableRecord* rec = held.get();
  if (rec == nullptr) return;
  DxfSpan s = record.all();
  std::wstring name = ctx_.wide(s.str(2));
  if (table_ == "STYLE" && name.empty()) return;  // a shape file's unnamed record
  if (table_ == "VPORT") {
    // Only the current view ("*ACTIVE", the first of that name) is kept.
    if (active_vport_seen_ || (name != L"*ACTIVE" && name != L"*Active" && name != L"*active")) return;
    active_vport_seen_ = true;
    name = L"*Active";
  }
  if (rec->setName(name.c_str()) != Zcad::eOk) {
    ctx_.warn(std::string(record.type) + " record with an invalid name '" + std::string(s.str(2)) + "'; dropped");
    return;
  }
  if (auto* layer = ZcDbLayerTableRecord::cast(rec)) Read_Layer(ctx_, s, layer);
  else if (auto* lt = ZcDbLinetypeTableRecord::cast(rec)) Read_Linetype(ctx_, s, lt);
  else if (auto* style = ZcDbTextStyleTableRecord::cast(rec)) Read_Style(ctx_, s, style);
  else if (auto* vp = ZcDbViewportTableRecord::cast(rec)) Read_Vport(s, vp);
  else if (auto* dim = ZcDbDimStyleTableRecord::cast(rec)) Read_Dim_Style(ctx_, record, dim);
  else if (auto* btr = ZcDbBlockTableRecord::cast(rec)) {
    if (s.handle(340) != 0) btr->setLayoutId(ctx_.id_of(s.handle(340)));
    if (const DxfGroup* units = s.find(70)) btr->setBlockInsertUnits(Dxf_Units(*units, ZcDb::kUnitsUndefined));
    btr->setExplodable(s.integer(280, 1) != 0);
  }
  // Dimension style records carry their handle in 105 (their 5 is an arrow block's name).
  const uint64_t handle = table_ == "DIMSTYLE" ? s.handle(105) : s.handle(5);
  ZcDbSymbolTable* table = nullptr;
  if (zcdbOpenObject(table, table_id_, ZcDb::kForWrite) != Zcad::eOk) return;
  ZcDbObjectId id;
  const bool added = !table->has(name.c_str()) && ctx_.add(rec, handle, id) == Zcad::eOk;
  if (added) {
    held.release();
    table->add(rec);
  } else {
    ctx_.warn(std::string(record.type) + " '" + std::string(s.str(2)) + "' is defined twice; the first stands");
  }
  table->close();
  if (added) {
    ctx_.read_object_common(record, rec);
    rec->close();
  }
}

void Ensure_Tables(DxfReadContext& ctx) {
  for (std::string_view name : {"LAYER", "LTYPE", "STYLE", "VPORT", "APPID", "BLOCK_RECORD"})
    Ensure_Root(ctx, name, 0);
  ZcDbBlockTable* blocks = nullptr;
  if (zcdbOpenObject(blocks, ctx.db()->blockTableId(), ZcDb::kForWrite) != Zcad::eOk) return;
  for (const wchar_t* space : {L"*Model_Space", L"*Paper_Space"}) {
    if (blocks->has(space)) continue;
    auto* btr = new ZcDbBlockTableRecord();
    btr->setName(space);
    if (blocks->add(btr) == Zcad::eOk) btr->close(); else delete btr;
  }
  ZcDbLayerTable* layers = nullptr;
  blocks->close();
  if (zcdbOpenObject(layers, ctx.db()->layerTableId(), ZcDb::kForWrite) != Zcad::eOk) return;
  if (!layers->has(L"0")) {
    auto* zero = new ZcDbLayerTableRecord();
    zero->setName(L"0");
    if (layers->add(zero) == Zcad::eOk) zero->close(); else delete zero;
  }
  layers->close();
}

}  // namespace platform
