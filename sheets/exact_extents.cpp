#include "sheets/exact_extents.h"

#include <algorithm>
#include <cwctype>
#include <memory>
#include <vector>

#include "core/erase_helpers.h"
#include "core/hidden_layers.h"
#include "core/ucs_transform.h"
#include "db/dbdict.h"
#include "db/dbdim.h"
#include "db/dbents.h"
#include "db/dbhatch.h"
#include "db/dbimage.h"
#include "db/dbproxy.h"
#include "db/dbspfilt.h"
#include "db/dbsymtb.h"
#include "rx/rxclass.h"

namespace {

// Deepest nesting of block definitions a walk follows.
constexpr size_t Max_Block_Depth = 64;

// The part the two boxes share, at z 0; false when they share nothing.
bool Intersect_Extents(const ZcDbExtents& a, const ZcDbExtents& b, ZcDbExtents& common)
{
    if (!a.isValid() || !b.isValid())
        return false;
    const ZcGePoint3d low(std::max(a.minPoint().x, b.minPoint().x), std::max(a.minPoint().y, b.minPoint().y), 0.0);
    const ZcGePoint3d high(std::min(a.maxPoint().x, b.maxPoint().x), std::min(a.maxPoint().y, b.maxPoint().y), 0.0);
    return common.set(low, high) == Zcad::eOk;
}

bool Same_Text_Ignoring_Case(const wchar_t* a, const wchar_t* b)
{
    for (; *a != 0 && *b != 0; ++a, ++b)
        if (std::towupper(*a) != std::towupper(*b))
            return false;
    return *a == *b;
}

// Custom text classes of other programs that report a zero-size box.
bool Is_Foreign_Text_Class(const ZcDbEntity* entity)
{
    const ZcRxClass* cls = entity->isA();
    const wchar_t* dxf_name = cls != nullptr ? cls->dxfName() : nullptr;
    if (dxf_name == nullptr)
        return false;
    for (const wchar_t* name : {L"TCH_TEXT", L"TCH_MTEXT", L"IAEC_TEXT", L"IAEC_MTEXT"})
        if (Same_Text_Ignoring_Case(dxf_name, name))
            return true;
    return false;
}

bool Is_Text(const ZcDbEntity* entity)
{
    return entity->isKindOf(ZcDbText::desc()) || entity->isKindOf(ZcDbMText::desc());
}

// Clip_Extents_By_Filter with the filter of holder placed by the reference.
bool Clip_By_Filter_Of(const ZcDbBlockReference* holder, const ZcDbBlockReference* reference, ZcDbExtents& extents)
{
    if (holder == nullptr || holder->extensionDictionary().isNull())
        return false;
    ZcDbObjectPointer<ZcDbDictionary> extension(holder->extensionDictionary(), ZcDb::kForRead);
    ZcDbObjectId filters_id;
    if (extension.openStatus() != Zcad::eOk || extension->getAt(L"ACAD_FILTER", filters_id) != Zcad::eOk)
        return false;
    ZcDbObjectPointer<ZcDbDictionary> filters(filters_id, ZcDb::kForRead);
    ZcDbObjectId filter_id;
    if (filters.openStatus() != Zcad::eOk || filters->getAt(L"SPATIAL", filter_id) != Zcad::eOk)
        return false;
    ZcDbObjectPointer<ZcDbSpatialFilter> filter(filter_id, ZcDb::kForRead);
    ZcDbExtents bounds;
    if (filter.openStatus() != Zcad::eOk || filter->isInverted() || filter->queryBounds(bounds, reference) != Zcad::eOk)
        return false;
    ZcDbExtents common;
    if (Intersect_Extents(extents, bounds, common))
        extents = common;
    else
        extents.reset();  // nothing of the block lies inside its clip
    return true;
}

// The block definitions a walk is inside of, outermost first.
typedef std::vector<ZcDbObjectId> Block_Path;

bool Walk_Block_Ref(const ZcDbBlockReference* reference, const ZcDbBlockReference* clip_holder,
                    ZcDbExtents& extents, bool include_texts, bool splines, Block_Path& path);

// Adds what one entity of a definition contributes to the definition's box; false when it
// contributes nothing.
bool Add_Definition_Entity(const ZcDbEntity* entity, ZcDbExtents& box, bool include_texts, bool splines,
                           Block_Path& path)
{
    if (entity->isKindOf(ZcDbWipeout::desc()))
        return false;
    if (entity->visibility() == ZcDb::kInvisible || g_Hidden_Layers.Frozen_Layers.contains(entity->layerId()))
        return false;
    const ZcDbBlockReference* nested = ZcDbBlockReference::cast(entity);
    if (nested == nullptr && g_Hidden_Layers.Off_Layers.contains(entity->layerId()))
        return false;
    if (entity->isKindOf(ZcDbHatch::desc()))
        return false;
    if (Is_Text(entity) && !include_texts)
        return false;
    if (const ZcDbSpline* spline = ZcDbSpline::cast(entity)) {
        if (!splines)
            return false;
        Add_Spline_Extents(spline, box);
        return true;
    }
    if (entity->isKindOf(ZcDbMText::desc()))
        return Get_Text_Extents_By_Explode(entity, box);
    if (entity->isKindOf(ZcDbDimension::desc()) || entity->isKindOf(ZcDbProxyEntity::desc()))
        return false;
    if (nested != nullptr)
        return Walk_Block_Ref(nested, nested, box, include_texts, splines, path);

    ZcDbExtents own;
    if (entity->getGeomExtents(own) != Zcad::eOk || !own.isValid())
        return false;
    const ZcGeVector3d size = own.maxPoint() - own.minPoint();
    if (size.x < 1e-9 && size.y < 1e-9 && Is_Foreign_Text_Class(entity))
        return false;
    box.addExt(own);
    return true;
}

// The clip filter is looked up on clip_holder: the reference itself, or the drawing's
// reference of which it is a UCS copy (copies carry no extension dictionary).
bool Walk_Block_Ref(const ZcDbBlockReference* reference, const ZcDbBlockReference* clip_holder,
                    ZcDbExtents& extents, bool include_texts, bool splines, Block_Path& path)
{
    const ZcDbObjectId block_id = reference->blockTableRecord();
    // A definition inside itself (directly or further down) or nested too deep ends the walk
    // of that branch.
    if (path.size() >= Max_Block_Depth || std::find(path.begin(), path.end(), block_id) != path.end())
        return false;
    ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id, ZcDb::kForRead);
    if (block.openStatus() != Zcad::eOk)
        return false;
    ZcDbBlockTableRecordIterator* it = nullptr;
    if (block->newIterator(it) != Zcad::eOk)
        return false;

    path.push_back(block_id);
    ZcDbExtents box;
    bool counted = false;
    for (it->start(); !it->done(); it->step()) {
        ZcDbEntity* entity = nullptr;
        if (it->getEntity(entity, ZcDb::kForRead) != Zcad::eOk)
            continue;
        if (Add_Definition_Entity(entity, box, include_texts, splines, path))
            counted = true;
        entity->close();
    }
    delete it;
    path.pop_back();
    if (!counted)
        return false;

    box.transformBy(reference->blockTransform());
    Clip_By_Filter_Of(clip_holder, reference, box);
    extents.addExt(box);
    return true;
}

// The exact extents of one entity, measured on its UCS copy while g_Ucs is active. Without
// the text filter, texts measure like everything else.
ZcDbExtents Measure_Entity(const ZcDbEntity* entity, bool text_filter, bool include_texts, bool splines)
{
    ZcDbExtents extents;
    if (entity == nullptr)
        return extents;
    Ucs_Entity_Pair pair(entity);
    const ZcDbEntity* measured = pair.Entity();
    if (const ZcDbSpline* spline = ZcDbSpline::cast(measured)) {
        Add_Spline_Extents(spline, extents);
    } else if (text_filter && !include_texts && Is_Text(measured)) {
        extents.set(ZcGePoint3d::kOrigin, ZcGePoint3d::kOrigin);
    } else if (measured->isKindOf(ZcDbMText::desc())) {
        Get_Text_Extents_By_Explode(measured, extents);
    } else if (const ZcDbBlockReference* reference = ZcDbBlockReference::cast(measured)) {
        Block_Path path;
        if (!Walk_Block_Ref(reference, ZcDbBlockReference::cast(entity), extents, include_texts, splines, path))
            measured->getGeomExtents(extents);
    } else {
        measured->getGeomExtents(extents);
    }
    return extents;
}

// The box taken into the UCS of g_Ucs while it is active (the box of its moved corners).
void Box_To_Ucs(ZcDbExtents& extents)
{
    if (g_Ucs.Active)
        extents.transformBy(g_Ucs.World_To_Ucs_Matrix);
}

}  // namespace

ZcDbExtents Get_Entity_Extents(const ZcDbEntity* entity) { return Measure_Entity(entity, false, false, false); }

ZcDbExtents Get_Entity_Extents_Ex(const ZcDbEntity* entity, bool include_texts, bool splines)
{
    return Measure_Entity(entity, true, include_texts, splines);
}

ZcDbExtents Get_Entity_Extents_By_Id(ZcDbObjectId entity_id)
{
    ZcDbObjectPointer<ZcDbEntity> entity(entity_id, ZcDb::kForRead);
    if (entity.openStatus() != Zcad::eOk)
        return ZcDbExtents();
    return Get_Entity_Extents(entity.object());
}

void Get_Ids_Extents(ZcDbExtents& extents, ZcDbObjectIdArray& ids)
{
    extents.reset();
    for (int i = 0; i < ids.length(); ++i)
        extents.addExt(Get_Entity_Extents_By_Id(ids[i]));
    ids.removeAll();
}

bool Get_Attribute_Extents(const ZcDbAttribute* attribute, ZcDbExtents& extents)
{
    if (attribute == nullptr || !attribute->isMTextAttribute())
        return Get_Geom_Extents(attribute, extents);
    // A multi-line attribute measures by the lines of its multiline text, not its column.
    const std::unique_ptr<ZcDbMText> mtext(attribute->getMTextAttribute());
    extents.reset();
    Get_Text_Extents_By_Explode(mtext.get(), extents);
    Box_To_Ucs(extents);
    return true;
}

bool Get_Geom_Extents(const ZcDbEntity* entity, ZcDbExtents& extents)
{
    if (entity == nullptr || entity->getGeomExtents(extents) != Zcad::eOk)
        return true;
    Box_To_Ucs(extents);
    return true;
}

bool Get_Block_Ref_Extents(const ZcDbBlockReference* reference, ZcDbExtents& extents, bool include_texts,
                           bool splines)
{
    if (reference == nullptr)
        return false;
    Block_Path path;
    return Walk_Block_Ref(reference, reference, extents, include_texts, splines, path);
}

bool Get_Text_Extents_By_Explode(const ZcDbEntity* entity, ZcDbExtents& extents)
{
    if (entity == nullptr)
        return true;
    ZcDbVoidPtrArray pieces;
    entity->explode(pieces);
    ZcDbExtents lines;
    bool any_text = false;
    for (int i = 0; i < pieces.length(); ++i) {
        const ZcDbEntity* piece = static_cast<const ZcDbEntity*>(pieces[i]);
        if (piece == nullptr || !piece->isKindOf(ZcDbText::desc()))
            continue;
        any_text = true;
        ZcDbExtents box;
        if (piece->getGeomExtents(box) == Zcad::eOk)
            lines.addExt(box);
    }
    Delete_Entity_Ptrs(pieces);

    ZcDbExtents own;
    entity->getGeomExtents(own);
    ZcDbExtents result = own;
    if (any_text) {
        ZcDbExtents common;
        if (!own.isValid())
            result = lines;
        else if (Intersect_Extents(lines, own, common))
            result = common;
    }
    extents.addExt(result);
    return true;
}

void Add_Spline_Extents(const ZcDbSpline* spline, ZcDbExtents& extents)
{
    if (spline == nullptr)
        return;
    ZcDbCurve* polyline = nullptr;
    ZcDbExtents box;
    if (spline->toPolyline(polyline, 20, 10000) == Zcad::eOk && polyline != nullptr) {
        polyline->getGeomExtents(box);
        delete polyline;
    } else {
        delete polyline;
        spline->getGeomExtents(box);
    }
    extents.addExt(box);
}

bool Clip_Extents_By_Filter(const ZcDbBlockReference* reference, ZcDbExtents& extents)
{
    return Clip_By_Filter_Of(reference, reference, extents);
}

ZcGePoint3d Get_Extents_Centre(const ZcDbExtents& extents)
{
    return ZcGePoint3d((extents.minPoint().x + extents.maxPoint().x) / 2,
                       (extents.minPoint().y + extents.maxPoint().y) / 2, 0.0);
}
