// Erasing, moving and deleting entities.
#pragma once

#include "db/dbmain.h"
#include "ge/gepnt3d.h"

// Erases the entity, on a locked layer too (the layer is unlocked for the moment and
// locked again); true when erased.
bool Erase_Entity(ZcDbObjectId entity_id);
// Erases every entity, the first entity's layer unlocked around the whole loop; false when
// any entity could not be opened (the others are still erased). Empties the array; an
// empty array gives true.
bool Erase_Entities(ZcDbObjectIdArray& ids);
// Erase_Entity_Simple on each id; empties the array.
void Erase_Ids(ZcDbObjectIdArray& ids);
// Opens for write and erases; false when it cannot be opened (a locked layer).
bool Erase_Entity_Simple(ZcDbObjectId entity_id);
// Applies the matrix to each entity that opens for write; empties the array.
void Transform_Entities(ZcDbObjectIdArray& ids, const ZcGeMatrix3d& matrix);
// Rotation about the Z axis through the base point; empties the array.
void Rotate_Entities(ZcDbObjectIdArray& ids, double angle, const ZcGePoint3d& base);
void Rotate_Entity(ZcDbObjectId entity_id, double angle, const ZcGePoint3d& base);
// Deletes the entities of an explode result, nulls their slots and empties the array.
void Delete_Entity_Ptrs(ZcDbVoidPtrArray& entities);
