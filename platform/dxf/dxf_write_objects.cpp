#include "script/utf8.h"
#include "dxf/dxf_write_objects.h"

#include <algorithm>
#include <deque>
#include <unordered_set>

#include "db/dbdict.h"
#include "db/dbimage.h"
#include "db/dbsort.h"
#include "db/dblayout.h"
#include "db/db_internal.h"
#include "db/dbproxy.h"
#include "db/dbspfilt.h"
#include "db/dbsymtb.h"
#include "db/dbtablestyle.h"
#include "dxf/dxf_styles.h"
#include "dxf/dxf_filer.h"
#include "dxf/dxf_inverted_clip.h"
#include "dxf/dxf_text_codec.h"
#include "rx/rxclass.h"

namespace platform {

namespace {

void Plot_Settings(DxfWriteContext& ctx, const ZcDbPlotSettings* p) {
  DxfOutput& out = ctx.out();
  out.raw(100, "AcDbPlotSettings");
  const wchar_t* text = L"";
  p->getPlotSettingsName(text);
  out.text(1, text ? text : L"");
  p->getPlotCfgName(text);
  out.text(2, text ? text : L"");
  p->getCanonicalMediaName(text);
  out.text(4, text ? text : L"");
  p->getPlotViewName(text);
  out.text(6, text ? text : L"");
  double a = 0, b = 0, c = 0, d = 0;
  p->getPlotPaperMargins(a, b, c, d);
  out.real(40, a), out.real(41, b), out.real(42, c), out.real(43, d);
  p->getPlotPaperSize(a, b);
  out.real(44, a), out.real(45, b);
  p->getPlotOrigin(a, b);
  out.real(46, a), out.real(47, b);
  p->getPlotWindowArea(a, b, c, d);
  out.real(48, a), out.real(49, b), out.real(140, c), out.real(141, d);
  p->getCustomPrintScale(a, b);
  out.real(142, a), out.real(143, b);
  const int flags = (p->plotViewportBorders() ? 1 : 0) | (p->showPlotStyles() ? 2 : 0) |
                    (p->plotCentered() ? 4 : 0) | (p->plotHidden() ? 8 : 0) | (p->useStandardScale() ? 16 : 0) |
                    (p->plotPlotStyles() ? 32 : 0) | (p->scaleLineweights() ? 64 : 0) |
                    (p->printLineweights() ? 128 : 0) | (p->drawViewportsFirst() ? 512 : 0) |
                    (p->modelType() ? 1024 : 0) | (p->plotTransparency() ? 32768 : 0);
  out.integer(70, flags);
  out.integer(72, p->plotPaperUnits());
  out.integer(73, p->plotRotation());
  out.integer(74, p->plotType());
  p->getCurrentStyleSheet(text);
  out.text(7, text ? text : L"");
  out.integer(75, p->stdScaleType());
  out.integer(76, p->shadePlot());
  out.integer(77, 2);
  out.integer(78, 300);
  double scale = 1;
  p->getStdScale(scale);
  out.real(147, scale);
  out.real(148, 0), out.real(149, 0);
}

// The plot style dictionary of the named-object dictionary.
ZcDbObjectId Plot_Style_Names(const ZcDbDatabase* db) {
  ZcDbDictionary* nod = nullptr;
  ZcDbObjectId id;
  if (zcdbOpenObject(nod, db->namedObjectsDictionaryId(), ZcDb::kForRead) == Zcad::eOk) {
    nod->getAt(L"ACAD_PLOTSTYLENAME", id);
    nod->close();
  }
  return id;
}

// The clip boundary of a block reference with its two transforms. An inverted one is written
// with its cut-out polygon; new_xdict names the extension dictionary made for its round-trip
// record when it has none.
void Spatial_Filter(DxfWriteContext& ctx, const ZcDbSpatialFilter* f, uint64_t new_xdict) {
  DxfOutput& out = ctx.out();
  if (new_xdict == 0) {
    ctx.object_start("SPATIAL_FILTER", f);
  } else {
    out.raw(0, "SPATIAL_FILTER");
    out.handle(5, DxfWriteContext::handle(f->objectId()));
    out.raw(102, "{ACAD_XDICTIONARY");
    out.handle(360, new_xdict);
    out.raw(102, "}");
    out.handle(330, DxfWriteContext::handle(f->ownerId()));
  }
  out.raw(100, "AcDbFilter");
  out.raw(100, "AcDbSpatialFilter");
  ZcGePoint2dArray points;
  ZcGeVector3d normal;
  double elevation = 0, front = 0, back = 0;
  bool enabled = true;
  f->getDefinition(points, normal, elevation, front, back, enabled);
  if (f->isInverted()) {
    points.removeAll();
    for (const ZcGePoint2d& p : Inverted_Clip_Polygon(f)) points.append(p);
  }
  out.integer(70, points.length());
  for (int i = 0; i < points.length(); ++i) out.point2d(10, points[i].x, points[i].y);
  out.point(210, normal.x, normal.y, normal.z);
  const ZcGeVector3d origin = normal.normal() * elevation;
  out.point(11, origin.x, origin.y, origin.z);
  out.integer(71, enabled ? 1 : 0);
  out.integer(72, front != 0 ? 1 : 0);
  if (front != 0) out.real(40, front);
  out.integer(73, back != 0 ? 1 : 0);
  if (back != 0) out.real(41, back);
  ZcGeMatrix3d matrices[2];
  f->getOriginalInverseBlockXform(matrices[0]);
  f->getClipTransform(matrices[1]);
  for (const ZcGeMatrix3d& m : matrices)
    for (unsigned row = 0; row < 3; ++row)
      for (unsigned col = 0; col < 4; ++col) out.real(40, m(row, col));
}

void Write_Object(DxfWriteContext& ctx, const ZcDbObject* obj) {
  DxfOutput& out = ctx.out();
  ZcDbObjectId roundtrip_filter;  // an inverted filter whose record this dictionary gains
  uint64_t roundtrip_record = 0;
  if (auto* dict = ZcDbDictionary::cast(obj)) {
    ctx.object_start("DICTIONARY", obj);
    out.raw(100, "AcDbDictionary");
    if (dict->isHardOwner()) out.integer(280, 1);
    out.integer(281, dict->mergeStyle());
    for (const auto& [name, id] : dict->entries()) {
      if (id.isErased()) continue;
      out.entry(dict->isHardOwner() ? 360 : 350, name, DxfWriteContext::handle(id));
    }
    roundtrip_filter = Filter_Needing_Roundtrip_Entry(dict);
    if (!roundtrip_filter.isNull()) {
      roundtrip_record = ctx.new_handle();
      out.entry(dict->isHardOwner() ? 360 : 350, kClipRoundtripKey, roundtrip_record);
    }
    // Layers name the plot style "Normal": readers expect its entry (a placeholder object).
    if (obj->objectId() == Plot_Style_Names(ctx.db()) && !dict->has(L"Normal")) {
      const uint64_t placeholder = ctx.new_handle();
      out.entry(350, L"Normal", placeholder);
      ctx.xdata(obj);
      out.raw(0, "ACDBPLACEHOLDER");
      out.handle(5, placeholder);
      out.handle(330, DxfWriteContext::handle(obj->objectId()));
      return;
    }
  } else if (auto* x = ZcDbXrecord::cast(obj)) {
    ctx.object_start("XRECORD", obj);
    out.raw(100, "AcDbXrecord");
    out.integer(280, x->mergeStyle());
    resbuf* rb = nullptr;
    if (x->rbChain(&rb) == Zcad::eOk && rb) {
      ctx.chain(rb);
      zcutRelRb(rb);
    }
  } else if (auto* layout = ZcDbLayout::cast(obj)) {
    if (!DxfWriteContext::layout_linked(obj->objectId(), layout->getBlockTableRecordId())) {
      const wchar_t* name = L"";
      layout->getLayoutName(name);
      ctx.warn("layout '" + To_Utf8(name ? name : L"") + "' has no block record naming it; not written");
      return;
    }
    ctx.object_start("LAYOUT", obj);
    Plot_Settings(ctx, layout);
    out.raw(100, "AcDbLayout");
    const wchar_t* name = L"";
    layout->getLayoutName(name);
    out.text(1, name ? name : L"");
    out.integer(70, 1);
    out.integer(71, layout->getTabOrder());
    ZcGePoint2d lim_min, lim_max;
    layout->getLimits(lim_min, lim_max);
    out.point2d(10, lim_min.x, lim_min.y);
    out.point2d(11, lim_max.x, lim_max.y);
    out.point(12, 0, 0, 0);
    out.point(14, 0, 0, 0);
    out.point(15, 0, 0, 0);
    out.real(146, 0);
    out.point(13, 0, 0, 0);
    out.point(16, 1, 0, 0);
    out.point(17, 0, 1, 0);
    out.integer(76, 0);
    out.handle(330, DxfWriteContext::handle(layout->getBlockTableRecordId()));
  } else if (auto* def = ZcDbRasterImageDef::cast(obj)) {
    ctx.object_start("IMAGEDEF", obj);
    out.raw(100, "AcDbRasterImageDef");
    out.integer(90, 0);
    out.text(1, def->sourceFileName());
    out.point2d(10, def->size().x, def->size().y);
    out.point2d(11, def->resolutionMMPerPixel().x, def->resolutionMMPerPixel().y);
    out.integer(280, def->isLoaded() ? 1 : 0);
    out.integer(281, def->resolutionUnits());
  } else if (auto* vars = ZcDbRasterVariables::cast(obj)) {
    ctx.object_start("RASTERVARIABLES", obj);
    out.raw(100, "AcDbRasterVariables");
    out.integer(90, 0);
    out.integer(70, vars->imageFrame());
    out.integer(71, vars->imageQuality());
    out.integer(72, vars->userScale());
  } else if (auto* sortents = ZcDbSortentsTable::cast(obj)) {
    ctx.object_start("SORTENTSTABLE", obj);
    out.raw(100, "AcDbSortentsTable");
    out.handle(330, DxfWriteContext::handle(sortents->blockId()));
    // By entity handle, so that the same drawing always gives the same file.
    std::vector<std::pair<uint64_t, uint64_t>> pairs;
    for (const auto& [entity, sort] : sortents->sortHandles())
      if (!entity.isErased()) pairs.emplace_back(DxfWriteContext::handle(entity), sort.value());
    std::sort(pairs.begin(), pairs.end());
    for (const auto& [entity, sort] : pairs) {
      out.handle(331, entity);
      out.handle(5, sort);
    }
  } else if (auto* filter = ZcDbSpatialFilter::cast(obj)) {
    const bool new_xdict = filter->isInverted() && filter->extensionDictionary().isNull();
    const uint64_t xdict = new_xdict ? ctx.new_handle() : 0;
    Spatial_Filter(ctx, filter, xdict);
    ctx.xdata(obj);
    if (new_xdict) {
      const uint64_t record = ctx.new_handle();
      out.raw(0, "DICTIONARY");
      out.handle(5, xdict);
      out.handle(330, DxfWriteContext::handle(filter->objectId()));
      out.raw(100, "AcDbDictionary");
      out.integer(280, 1);
      out.integer(281, 1);
      out.text(3, kClipRoundtripKey);
      out.handle(360, record);
      Write_Inverted_Clip_Record(ctx, filter, record, xdict);
    }
    return;
  } else if (auto* table_style = ZcDbTableStyle::cast(obj)) {
    Write_Table_Style(ctx, table_style);
  } else if (auto* settings = ZcDbPlotSettings::cast(obj)) {
    ctx.object_start("PLOTSETTINGS", obj);
    Plot_Settings(ctx, settings);
  } else if (auto* proxy = ZcDbProxyObject::cast(obj)) {
    const std::string type = To_Utf8(proxy->classInfo().recordName);
    ctx.object_start(type.c_str(), obj);
    for (const ZcDbRawGroup& g : proxy->rawGroups()) out.raw(g.code, g.value);
  } else {
    const wchar_t* dxf_name = obj->isA()->dxfName();
    if (dxf_name == nullptr || *dxf_name == 0) return;
    ctx.object_start(To_Utf8(dxf_name).c_str(), obj);
    DxfOutFiler filer(ctx);
    obj->dxfOutFields(&filer);
  }
  ctx.xdata(obj);
  if (roundtrip_record != 0) {
    ZcDbObjectPointer<ZcDbSpatialFilter> filter(roundtrip_filter, ZcDb::kForRead);
    if (filter.openStatus() == Zcad::eOk)
      Write_Inverted_Clip_Record(ctx, filter.object(), roundtrip_record, DxfWriteContext::handle(obj->objectId()));
  }
}

}  // namespace

void Write_Objects(DxfWriteContext& ctx, const std::vector<ZcDbObjectId>& owners) {
  std::deque<ZcDbObjectId> queue;
  std::unordered_set<ZcDbObjectId> seen;
  auto push = [&](ZcDbObjectId id) {
    if (!id.isNull() && !id.isErased() && seen.insert(id).second) queue.push_back(id);
  };
  push(ctx.db()->namedObjectsDictionaryId());
  for (ZcDbObjectId owner : owners) {
    ZcDbObject* obj = nullptr;
    if (zcdbOpenObject(obj, owner, ZcDb::kForRead) != Zcad::eOk) continue;
    push(obj->extensionDictionary());
    obj->close();
  }
  auto drain = [&] {
    while (!queue.empty()) {
      ZcDbObjectId id = queue.front();
      queue.pop_front();
      ZcDbObject* obj = nullptr;
      if (zcdbOpenObject(obj, id, ZcDb::kForRead) != Zcad::eOk) continue;
      Write_Object(ctx, obj);
      push(obj->extensionDictionary());
      if (auto* dict = ZcDbDictionary::cast(obj))
        for (const auto& entry : dict->entries()) push(entry.second);
      obj->close();
    }
  };
  drain();
  // Objects no dictionary names (owned by an entity or another object through a handle in
  // their data) are kept too: every other object of the database, in handle order.
  std::vector<std::pair<uint64_t, ZcDbObjectId>> rest;
  for (const auto& [handle, stub] : ctx.db()->data().byHandle) {
    ZcDbObjectId id(stub);
    if (stub == nullptr || stub->object == nullptr || id.isErased() || seen.count(id)) continue;
    ZcRxClass* cls = id.objectClass();
    if (cls == nullptr || cls->isDerivedFrom(ZcDbEntity::desc()) || cls->isDerivedFrom(ZcDbSymbolTable::desc()) ||
        cls->isDerivedFrom(ZcDbSymbolTableRecord::desc()))
      continue;
    rest.emplace_back(handle, id);
  }
  std::sort(rest.begin(), rest.end());
  for (const auto& entry : rest) {
    push(entry.second);
    drain();
  }
}

}  // namespace platform
