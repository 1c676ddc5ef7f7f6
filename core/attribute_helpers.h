// Texts of block attributes found by tag.
#pragma once

#include "db/dbblkref.h"
#include "db/dbmain.h"

// Set_Insert_Attribute on every id; empties the array.
void Set_Inserts_Attribute(ZcDbObjectIdArray& ids, const wchar_t* tag, const wchar_t* value);
// When the entity is a block reference, sets its attributes of the tag to the value.
void Set_Insert_Attribute(ZcDbObjectId entity_id, const wchar_t* tag, const wchar_t* value);
// Each attribute of the reference whose tag equals the tag without regard to case gets the
// value; attributes that cannot be opened for write are skipped.
void Set_Attribute_Text_By_Tag(const ZcDbBlockReference* reference, const wchar_t* tag, const wchar_t* value);
