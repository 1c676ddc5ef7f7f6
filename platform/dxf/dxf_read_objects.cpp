#include <memory>
#include <vector>
#include "dxf/dxf_read_objects.h"

#include "db/db_loader.h"
#include "db/dbdict.h"
#include "db/dblayout.h"
#include "db/dbproxy.h"
#include "db/dbspfilt.h"
#include "db/dbtablestyle.h"
#include "dxf/dxf_filer.h"
#include "dxf/dxf_inverted_clip.h"
#include "dxf/dxf_layout_links.h"
#include "dxf/dxf_read_annotations.h"
#include "dxf/dxf_read_proxy.h"
#include "dxf/dxf_styles.h"
#include "rx/rxclass.h"
#include "script/utf8.h"

namespace platform {

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

void Read_Plot_Settings(DxfReadContext& ctx, DxfSpan s, ZcDbPlotSettings* p) {
  p->setPlotSettingsName(ctx.wide(s.str(1)).c_str());
  p->setPlotCfgName(ctx.wide(s.str(2, "none_device")).c_str());
  p->setCanonicalMediaName(ctx.wide(s.str(4)).c_str());
  p->setPlotViewName(ctx.wide(s.str(6)).c_str());
  p->setCurrentStyleSheet(ctx.wide(s.str(7)).c_str());
  p->setPlotPaperMargins(s.real(40), s.real(41), s.real(42), s.real(43));
  p->setPlotPaperSize(s.real(44), s.real(45));
  p->setPlotOrigin(s.real(46), s.real(47));
  p->setPlotWindowArea(s.real(48), s.real(49), s.real(140), s.real(141));
  const double numerator = s.real(142, 1), denominator = s.real(143, 1);
  if (numerator > 0 && denominator > 0) p->setCustomPrintScale(numerator, denominator);
  const int flags = s.integer(70, 0);
  p->setPlotViewportBorders((flags & 1) != 0);
  p->setShowPlotStyles((flags & 2) != 0);
  p->setPlotCentered((flags & 4) != 0);
  p->setPlotHidden((flags & 8) != 0);
  p->setUseStandardScale((flags & 16) != 0);
  p->setPlotPlotStyles((flags & 32) != 0);
  p->setScaleLineweights((flags & 64) != 0);
  p->setPrintLineweights((flags & 128) != 0);
  p->setDrawViewportsFirst((flags & 512) != 0);
  p->setModelType((flags & 1024) != 0);
  p->setPlotTransparency((flags & 32768) != 0);
  const int units = s.integer(72, 1);
  p->setPlotPaperUnits(static_cast<ZcDbPlotSettings::PlotPaperUnits>(units >= 0 && units <= 2 ? units : 1));
  const int rotation = s.integer(73, 0);
  p->setPlotRotation(static_cast<ZcDbPlotSettings::PlotRotation>(rotation >= 0 && rotation <= 3 ? rotation : 0));
  const int type = s.integer(74, 5);
  p->setPlotType(static_cast<ZcDbPlotSettings::PlotType>(type >= 0 && type <= 5 ? type : 5));
  const int scale = s.integer(75, 0);
  if (scale >= 0 && scale <= ZcDbPlotSettings::k1and1_2in_1ft)
    p->setStdScaleType(static_cast<ZcDbPlotSettings::StdScaleType>(scale));
  const int shade = s.integer(76, 0);
  p->setShadePlot(static_cast<ZcDbPlotSettings::ShadePlotType>(shade >= 0 && shade <= 3 ? shade : 0));
}

ZcDbObject* Read_Xrecord(DxfReadContext& ctx, const DxfRecord& r) {
  auto x = std::make_unique<ZcDbXrecord>();
  const DxfGroup* begin = r.groups.data();
  const DxfGroup* end = begin + r.data_end;
  const DxfGroup* data = end;
  for (const DxfGroup* g = begin; g != end; ++g) {
    if (g->code == 100 && g->trimmed() == "AcDbXrecord") {
      data = g + 1;
      break;
    }
  }
  if (data == end && !r.has_subclass_markers()) {
    // Without markers: everything after the handle and owner.
    data = begin;
    while (data != end && (data->code == 5 || data->code == 330)) ++data;
  }
  if (data != end && data->code == 280) {
    const int cloning = data->to_int();
    x->setMergeStyle(static_cast<ZcDb::DuplicateRecordCloning>(cloning >= 0 && cloning <= 5 ? cloning : 1));
    ++data;
  }
  resbuf* chain = ctx.to_chain(DxfSpan(data, end));
  if (chain) {
    x->setFromRbChain(*chain);
    zcutRelRb(chain);
  }
  return x.release();
}

// The clip boundary of a block reference: its points, plane, origin and clipping planes.
ZcDbObject* Read_Spatial_Filter(DxfReadContext&, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbSpatialFilter");
  ZcGePoint2dArray points;
  const int count = s.integer(70, 0);
  for (const DxfGroup* g = s.begin(); g != s.end(); ++g) {
    if (g->code == 10 && g + 1 != s.end() && (g + 1)->code == 20) {
      points.append(ZcGePoint2d(g->to_double(), (g + 1)->to_double()));
      ++g;
    }
  }
  if (count > 0 && points.length() > count) points.setLogicalLength(count);
  ZcGeVector3d normal(s.real(210, 0), s.real(220, 0), s.real(230, 1));
  if (normal.isZeroLength()) normal = ZcGeVector3d(0, 0, 1);
  const ZcGeVector3d origin(s.real(11, 0), s.real(21, 0), s.real(31, 0));
  // Distances 40/41 come before the two matrices, whose entries are 40 groups as well.
  double front = 0, back = 0;
  for (const DxfGroup* g = s.begin(); g != s.end(); ++g) {
    if (g->code == 72 && g->to_int() == 1 && g + 1 != s.end() && (g + 1)->code == 40) front = (g + 1)->to_double();
    if (g->code == 41) back = g->to_double();
  }
  auto filter = std::make_unique<ZcDbSpatialFilter>();
  if (points.length() >= 2)
    filter->setDefinition(points, normal, origin.dotProduct(normal.normal()), front, back, s.integer(71, 1) != 0);
  // The last 24 of the 40 groups: the original inverse block transform, then the clip
  // transform, each three rows of four.
  std::vector<double> values;
  for (const DxfGroup& g : s)
    if (g.code == 40) values.push_back(g.to_double());
  if (values.size() >= 24) {
    ZcGeMatrix3d matrices[2];
    const double* v = values.data() + values.size() - 24;
    for (ZcGeMatrix3d& m : matrices)
      for (unsigned row = 0; row < 3; ++row)
        for (unsigned col = 0; col < 4; ++col) m(row, col) = *v++;
    filter->setOriginalInverseBlockXform(matrices[0]);
    filter->setClipTransform(matrices[1]);
  }
  return filter.release();
}

// The layout's own groups; without their marker, those from the last name (1) on, the first
// name being the plot settings'.
DxfSpan Layout_Groups(DxfReadContext& ctx, const DxfRecord& r) {
  DxfSpan s = r.subclass("AcDbLayout");
  if (!s.empty() || !r.has_subclass_markers()) return s;
  const DxfGroup* name = nullptr;
  for (const DxfGroup& g : r.all())
    if (g.code == 1) name = &g;
  ctx.warn("LAYOUT without its 100 AcDbLayout marker; its name and block record read from the groups after the plot settings");
  return name ? DxfSpan(name, r.all().end()) : s;
}

ZcDbObject* Read_Layout(DxfReadContext& ctx, const DxfRecord& r) {
  auto layout = std::make_unique<ZcDbLayout>();
  Read_Plot_Settings(ctx, r.subclass("AcDbPlotSettings"), layout.get());
  DxfSpan s = Layout_Groups(ctx, r);
  layout->setLayoutName(ctx.wide(s.str(1)).c_str());
  layout->setTabOrder(s.integer(71, 0));
  if (s.handle(330) != 0) layout->setBlockTableRecordId(ctx.id_of(s.handle(330)));
  return layout.release();
}

ZcDbObject* Read_Plot_Settings_Object(DxfReadContext& ctx, const DxfRecord& r) {
  auto settings = std::make_unique<ZcDbPlotSettings>();
  Read_Plot_Settings(ctx, r.subclass("AcDbPlotSettings"), settings.get());
  return settings.release();
}

}  // namespace

ZcDbObjectId DxfObjectReader::add(const DxfRecord& record, ZcDbObject* made) {
  std::unique_ptr<ZcDbObject> held(made);
  ZcDbObjectId id;
  if (ctx_.add(made, record.all().handle(5), id) != Zcad::eOk) {
    ctx_.warn(std::string(record.type) + " could not be added to the drawing; dropped");
    return ZcDbObjectId();
  }
  ZcDbObject* obj = held.release();
  ctx_.read_object_common(record, obj);
  obj->close();
  return id;
}

void DxfObjectReader::dictionary(const DxfRecord& record) {
  DxfSpan s = record.subclass("AcDbDictionary");
  const uint64_t handle = record.all().handle(5);
  Entries entries;
  std::wstring name;
  for (const DxfGroup& g : s) {
    if (g.code == 3) name = ctx_.wide(g.value);
    if ((g.code == 350 || g.code == 360) && !name.empty() && !g.trimmed().empty())
      entries.entries.emplace_back(std::move(name), g.to_handle()), name.clear();
  }
  auto dict = std::make_unique<ZcDbDictionary>();
  dict->setTreatElementsAsHard(s.integer(280, 0) != 0);
  dict->setMergeStyle(static_cast<ZcDb::DuplicateRecordCloning>(std::clamp(s.integer(281, 1), 0, 5)));
  ZcDbObjectId id;
  if (ctx_.add(dict.get(), handle, id) != Zcad::eOk) {
    ctx_.warn("DICTIONARY could not be added to the drawing; dropped");
    return;
  }
  ZcDbDictionary* added = dict.release();
  // The first dictionary of the section that is no extension dictionary is the named-object one.
  if (ctx_.db()->namedObjectsDictionaryId().isNull() && !ctx_.is_extension_dictionary(handle))
    Db_Set_Root(ctx_.db(), Db_Root::Named_Objects_Dictionary, id);
  ctx_.read_object_common(record, added);
  added->close();
  entries.dictionary = id;
  dictionaries_.push_back(std::move(entries));
}

void DxfObjectReader::record(const DxfRecord& record) {
  const std::string_view type = record.type;
  if (type == "DICTIONARY" || type == "ACDBDICTIONARYWDFLT") {
    dictionary(record);
  } else if (type == "XRECORD") {
    add(record, Read_Xrecord(ctx_, record));
  } else if (type == "LAYOUT") {
    layouts_.push_back(add(record, Read_Layout(ctx_, record)));
  } else if (type == "IMAGEDEF") {
    add(record, Read_Image_Def(ctx_, record));
  } else if (type == "RASTERVARIABLES") {
    add(record, Read_Raster_Variables(ctx_, record));
  } else if (type == "SORTENTSTABLE") {
    add(record, Read_Sortents(ctx_, record));
  } else if (type == "SPATIAL_FILTER") {
    filters_.push_back(add(record, Read_Spatial_Filter(ctx_, record)));
  } else if (type == "PLOTSETTINGS") {
    add(record, Read_Plot_Settings_Object(ctx_, record));
  } else if (type == "TABLESTYLE") {
    add(record, Read_Table_Style(ctx_, record));
  } else if (ZcRxClass* cls = ctx_.custom_class(type)) {
    ZcRxObject* made = cls->create();
    std::unique_ptr<ZcDbObject> held(ZcDbObject::cast(made));
    if (!held) delete made;
    ZcDbObjectId id;
    if (!held || ctx_.add(held.get(), record.all().handle(5), id) != Zcad::eOk) {
      ctx_.warn(std::string(type) + " could not be added to the drawing; dropped");
      return;
    }
    ZcDbObject* obj = held.release();
    DxfInFiler filer(ctx_, record);
    if (obj->dxfInFields(&filer) != Zcad::eOk) ctx_.warn(std::string(type) + ": its class did not read all of its data");
    ctx_.read_object_common(record, obj);
    obj->close();
  } else {
    add(record, Read_Proxy_Object(ctx_, record));
  }
}

void DxfObjectReader::finish() {
  ctx_.finish_extension_dictionaries();
  for (const Entries& e : dictionaries_) {
    ZcDbDictionary* dict = nullptr;
    if (zcdbOpenObject(dict, e.dictionary, ZcDb::kForWrite) != Zcad::eOk) continue;
    for (const auto& [name, handle] : e.entries) {
      ZcDbObjectId entry = ctx_.id_of(handle);
      ZcDbObject* obj = nullptr;
      if (entry == e.dictionary || zcdbOpenObject(obj, entry, ZcDb::kForWrite) != Zcad::eOk) {
        ctx_.warn(0, "dictionary entry " + To_Utf8(name) + " names no object of the file; dropped");
        continue;
      }
      ZcDbObjectId id;
      if (dict->setAt(name.c_str(), obj, id) != Zcad::eOk)
        ctx_.warn(0, "dictionary entry " + To_Utf8(name) + " could not be added; dropped");
      obj->close();
    }
    dict->close();
  }
  dictionaries_.clear();
  Restore_Inverted_Clips(filters_);
  filters_.clear();
  Link_Layouts(ctx_, layouts_);
  layouts_.clear();
}

}  // namespace platform
