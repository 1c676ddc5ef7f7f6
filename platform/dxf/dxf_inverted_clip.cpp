#include "dxf/dxf_inverted_clip.h"

#include <algorithm>
#include <cwchar>

#include "db/dbblkref.h"
#include "db/dbdict.h"
#include "db/dbspfilt.h"
#include "db/dbsymtb.h"

namespace platform {

namespace {

constexpr wchar_t kBoundarySection[] = L"ACAD_INVERTEDCLIP_ROUNDTRIP";
constexpr wchar_t kPolygonSection[] = L"ACAD_INVERTEDCLIP_ROUNDTRIP_COMPARE";

ZcDbObjectId Owner_Of(ZcDbObjectId id) {
  ZcDbObjectPointer<ZcDbObject> obj(id, ZcDb::kForRead);
  return obj.openStatus() == Zcad::eOk ? obj->ownerId() : ZcDbObjectId();
}

// The extents of the clipped block's contents in block coordinates; the filter sits in the
// reference's extension dictionary under "ACAD_FILTER".
void Add_Block_Contents(const ZcDbSpatialFilter* filter, ZcDbExtents& extents) {
  const ZcDbObjectId reference_id = Owner_Of(Owner_Of(filter->ownerId()));
  ZcDbObjectPointer<ZcDbBlockReference> reference(reference_id, ZcDb::kForRead);
  if (reference.openStatus() != Zcad::eOk) return;
  ZcDbObjectPointer<ZcDbBlockTableRecord> block(reference->blockTableRecord(), ZcDb::kForRead);
  if (block.openStatus() != Zcad::eOk) return;
  for (ZcDbObjectId id : block->entityIds()) {
    if (id.isErased()) continue;
    ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
    ZcDbExtents box;
    if (entity.openStatus() == Zcad::eOk && entity->getGeomExtents(box) == Zcad::eOk) extents.addExt(box);
  }
}

}  // namespace

std::vector<ZcGePoint2d> Inverted_Clip_Polygon(const ZcDbSpatialFilter* filter) {
  std::vector<ZcGePoint2d> polygon;
  const std::vector<ZcGePoint3d> boundary = filter->boundary();
  if (boundary.empty()) return polygon;
  ZcDbExtents frame;
  for (const ZcGePoint3d& p : boundary) frame.addPoint(p);
  Add_Block_Contents(filter, frame);
  // The frame is found in block coordinates and written in the filter's clip space.
  const ZcGeMatrix3d toClip = filter->clipSpaceToBlock().inverse();
  ZcDbExtents clipFrame;
  const ZcGePoint3d low = frame.minPoint(), high = frame.maxPoint();
  for (double x : {low.x, high.x})
    for (double y : {low.y, high.y})
      for (double z : {low.z, high.z}) clipFrame.addPoint(toClip * ZcGePoint3d(x, y, z));
  const ZcGePoint3d clipLow = clipFrame.minPoint(), clipHigh = clipFrame.maxPoint();
  const double margin = std::max(std::max(clipHigh.x - clipLow.x, clipHigh.y - clipLow.y) * 0.1, 1.0);
  const double x1 = clipLow.x - margin, y1 = clipLow.y - margin, x2 = clipHigh.x + margin, y2 = clipHigh.y + margin;
  for (const ZcGePoint3d& p : boundary) {
    const ZcGePoint3d q = toClip * p;
    polygon.emplace_back(q.x, q.y);
  }
  polygon.push_back(polygon.front());
  for (const ZcGePoint2d& corner : {ZcGePoint2d(x1, y1), ZcGePoint2d(x2, y1), ZcGePoint2d(x2, y2), ZcGePoint2d(x1, y2),
                                    ZcGePoint2d(x1, y1)})
    polygon.push_back(corner);
  return polygon;
}

void Write_Inverted_Clip_Record(DxfWriteContext& ctx, const ZcDbSpatialFilter* filter, uint64_t handle,
                                uint64_t owner) {
  DxfOutput& out = ctx.out();
  out.raw(0, "XRECORD");
  out.handle(5, handle);
  out.raw(102, "{ACAD_REACTORS");
  out.handle(330, owner);
  out.raw(102, "}");
  out.handle(330, owner);
  out.raw(100, "AcDbXrecord");
  out.integer(280, 1);
  ZcGePoint2dArray points;
  ZcGeVector3d normal;
  double elevation = 0, front = 0, back = 0;
  bool enabled = true;
  filter->getDefinition(points, normal, elevation, front, back, enabled);
  out.text(102, kBoundarySection);
  for (int i = 0; i < points.length(); ++i) out.point(10, points[i].x, points[i].y, 0.0);
  out.text(102, kPolygonSection);
  for (const ZcGePoint2d& p : Inverted_Clip_Polygon(filter)) out.point(10, p.x, p.y, 0.0);
}

ZcDbObjectId Filter_Needing_Roundtrip_Entry(const ZcDbObject* dictionary) {
  auto* dict = ZcDbDictionary::cast(dictionary);
  if (dict == nullptr || dict->has(kClipRoundtripKey)) return ZcDbObjectId();
  ZcDbObjectPointer<ZcDbSpatialFilter> filter(dict->ownerId(), ZcDb::kForRead);
  if (filter.openStatus() != Zcad::eOk || !filter->isInverted() || filter->extensionDictionary() != dict->objectId())
    return ZcDbObjectId();
  return filter->objectId();
}

void Restore_Inverted_Clips(const std::vector<ZcDbObjectId>& filters) {
  for (ZcDbObjectId id : filters) {
    ZcDbObjectPointer<ZcDbSpatialFilter> filter(id, ZcDb::kForWrite);
    if (filter.openStatus() != Zcad::eOk || filter->extensionDictionary().isNull()) continue;
    ZcDbObjectPointer<ZcDbDictionary> dict(filter->extensionDictionary(), ZcDb::kForWrite);
    ZcDbObjectId record_id;
    if (dict.openStatus() != Zcad::eOk || dict->getAt(kClipRoundtripKey, record_id) != Zcad::eOk) continue;
    ZcDbObjectPointer<ZcDbXrecord> record(record_id, ZcDb::kForWrite);
    resbuf* chain = nullptr;
    if (record.openStatus() != Zcad::eOk || record->rbChain(&chain) != Zcad::eOk) continue;
    ZcGePoint2dArray boundary;
    bool in_boundary = false;
    for (const resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) {
      if (rb->restype == 102) in_boundary = rb->resval.rstring && std::wcscmp(rb->resval.rstring, kBoundarySection) == 0;
      else if (rb->restype == 10 && in_boundary) boundary.append(ZcGePoint2d(rb->resval.rpoint[0], rb->resval.rpoint[1]));
    }
    zcutRelRb(chain);
    if (boundary.length() < 2) continue;
    ZcGePoint2dArray points;
    ZcGeVector3d normal;
    double elevation = 0, front = 0, back = 0;
    bool enabled = true;
    filter->getDefinition(points, normal, elevation, front, back, enabled);
    if (filter->setDefinition(boundary, normal, elevation, front, back, enabled) != Zcad::eOk) continue;
    filter->setFilterInverted(true);
    dict->remove(kClipRoundtripKey);
    record->erase();
    record.close();
    const bool empty = dict->numEntries() == 0;
    dict.close();
    if (empty) filter->releaseExtensionDictionary();
  }
}

}  // namespace platform
