#include "sheets/exact_extents.h"

#include "db/dbents.h"

ZcDbExtents Get_Entity_Extents(const ZcDbEntity*) { return ZcDbExtents(); }
ZcDbExtents Get_Entity_Extents_Ex(const ZcDbEntity*, bool, bool) { return ZcDbExtents(); }
ZcDbExtents Get_Entity_Extents_By_Id(ZcDbObjectId) { return ZcDbExtents(); }
void Get_Ids_Extents(ZcDbExtents& extents, ZcDbObjectIdArray& ids)
{
    extents.reset();
    ids.removeAll();
}
bool Get_Attribute_Extents(const ZcDbAttribute*, ZcDbExtents&) { return true; }
bool Get_Geom_Extents(const ZcDbEntity*, ZcDbExtents&) { return true; }
bool Get_Block_Ref_Extents(const ZcDbBlockReference*, ZcDbExtents&, bool, bool) { return false; }
bool Get_Text_Extents_By_Explode(const ZcDbEntity*, ZcDbExtents&) { return true; }
void Add_Spline_Extents(const ZcDbSpline*, ZcDbExtents&) {}
bool Clip_Extents_By_Filter(const ZcDbBlockReference*, ZcDbExtents&) { return false; }
ZcGePoint3d Get_Extents_Centre(const ZcDbExtents& extents)
{
    return ZcGePoint3d((extents.minPoint().x + extents.maxPoint().x) / 2,
                       (extents.minPoint().y + extents.maxPoint().y) / 2, 0.0);
}
