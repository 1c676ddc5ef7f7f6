// Extents of entities measured tighter than the host's geometric extents: splines through
// their polyline form, MText through the text lines it explodes into, block references by
// walking their definitions (layer, visibility and clip filters applied), all in the UCS of
// g_Ucs while it is active.
#pragma once

#include "db/dbmain.h"
#include "ge/extents.h"

class ZcDbAttribute;
class ZcDbBlockReference;
class ZcDbSpline;

// The exact extents of the entity: block references without their texts and splines, with
// their geometric extents when the definition gives nothing. Empty when nothing could be
// measured.
ZcDbExtents Get_Entity_Extents(const ZcDbEntity* entity);
// As Get_Entity_Extents, with the two walk flags passed to block references; with
// include_texts off a text or MText (attributes included) measures as the degenerate box at
// the origin.
ZcDbExtents Get_Entity_Extents_Ex(const ZcDbEntity* entity, bool include_texts, bool splines);
// Get_Entity_Extents of the entity opened for read; empty when it does not open.
ZcDbExtents Get_Entity_Extents_By_Id(ZcDbObjectId entity_id);
// The union of Get_Entity_Extents_By_Id over the ids (empty for an empty list) into
// extents; empties the array.
void Get_Ids_Extents(ZcDbExtents& extents, ZcDbObjectIdArray& ids);
// The attribute's geometric extents, a multi-line attribute's those of the lines its
// multiline text explodes into; the box taken into the UCS of g_Ucs while it is active. True.
bool Get_Attribute_Extents(const ZcDbAttribute* attribute, ZcDbExtents& extents);
// The entity's geometric extents, the box taken into the UCS of g_Ucs while it is active.
// True.
bool Get_Geom_Extents(const ZcDbEntity* entity, ZcDbExtents& extents);
// Walks the reference's definition (and the definitions nested in it) and adds the box of
// what counts, placed by the reference and clipped by its clip filter, to extents. Wipeouts,
// hatches, dimensions, proxies, invisible entities and entities on hidden layers are left
// out; texts and splines only with their flags. A definition that references itself ends
// that branch of the walk. False when nothing counted.
bool Get_Block_Ref_Extents(const ZcDbBlockReference* reference, ZcDbExtents& extents, bool include_texts,
                           bool splines);
// Adds the box of the single-line texts the entity explodes into, cut to the entity's own
// geometric extents (or those extents alone when it gives no text), to extents. True.
bool Get_Text_Extents_By_Explode(const ZcDbEntity* entity, ZcDbExtents& extents);
// Adds the extents of the spline's polyline form (its own extents when it cannot be
// converted) to extents.
void Add_Spline_Extents(const ZcDbSpline* spline, ZcDbExtents& extents);
// Cuts extents to the bounds of the reference's spatial clip filter (z 0) when it has one
// that is not inverted; true when clipped.
bool Clip_Extents_By_Filter(const ZcDbBlockReference* reference, ZcDbExtents& extents);
// ((min x + max x) / 2, (min y + max y) / 2, 0).
ZcGePoint3d Get_Extents_Centre(const ZcDbExtents& extents);
