// Spaces of the drawing and appending entities to them.
#pragma once

#include <cstdint>

#include "db/dbmain.h"
#include "db/dbsymtb.h"

// Colour index that leaves an entity's colour as it is (any value above 256 does).
constexpr uint32_t Keep_Color = 0xFFFFFFFFu;

// Appends the new entity to the block table record (the current space of the working
// drawing for a null record id). A colour index of 0..256 is set first, and the layer
// when one is given (sub-entities included). With close the entity is closed, otherwise
// it stays open for the caller. The out id is null on failure (the entity then stays the
// caller's).
void Append_Entity(ZcDbObjectId& id, ZcDbEntity* entity, uint32_t color_index, bool close,
                   ZcDbObjectId layer_id, ZcDbObjectId block_id);
// True when paper space of a layout is active (CVPORT 1).
bool Is_Paper_Space();
// "*Paper_Space" when paper space is active, else "*Model_Space", of the database, opened
// for write or read; nullptr on failure. The caller closes it.
ZcDbBlockTableRecord* Get_Current_Space_Record(ZcDbDatabase* db, bool for_write);
ZcDbBlockTableRecord* Get_Model_Space_Record(ZcDbDatabase* db, bool for_write);
ZcDbBlockTableRecord* Get_Paper_Space_Record(ZcDbDatabase* db, bool for_write);
// Appends the ids of the record's entities in its order; a null id with use_current
// takes the current space of the working drawing.
void Collect_Space_Entity_Ids(ZcDbObjectIdArray& ids, ZcDbObjectId block_id, bool use_current);
// Makes the layout that owns the block record current.
void Activate_Layout_Of_Block(ZcDbObjectId block_id);
// The entity's layer; null when the entity cannot be opened.
void Get_Entity_Layer(ZcDbObjectId& layer_id, ZcDbObjectId entity_id);
// Undo recording of the entity on (true) or off.
void Set_Undo_Recording(ZcDbObjectId entity_id, bool on);
// Brings the screen up to date.
void Update_Screen();
