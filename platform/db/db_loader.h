// Services for building a database from a drawing file (used by the drawing-file reader).
#pragma once
#include "db/dbmain.h"

namespace platform {

// Adds obj to db under the given handle (taking over a placeholder id made by
// getZcDbObjectId(..., createIfNotFound = true, handle)). eHandleExists when an object already
// has that handle; eOutOfRange for the top handle FFFFFFFFFFFFFFFF, which would leave no handle
// for later objects. The object stays open for write for the caller to close. The handle seed
// grows past the handle.
Zcad::ErrorStatus Db_Add_Object_With_Handle(ZcDbDatabase* db, ZcDbObject* obj, const ZcDbHandle& handle,
                                            ZcDbObjectId& outId);

// Makes dictId the extension dictionary of obj (open for write), keeping the dictionary's handle.
// dictId may still be a placeholder of the same database; a dictionary already there becomes
// owned by obj. A null dictId removes the link. eWrongDatabase when they are in different
// databases, eWrongObjectType when dictId holds an object that is no dictionary.
Zcad::ErrorStatus Db_Set_Extension_Dictionary(ZcDbObject* obj, ZcDbObjectId dictId);

// Room for about count objects, so that reading a large drawing does not grow the database's
// tables step by step.
void Db_Reserve_Objects(ZcDbDatabase* db, size_t count);

enum class Db_Root {
    Block_Table, Layer_Table, Text_Style_Table, Linetype_Table, Viewport_Table, Reg_App_Table, Dim_Style_Table,
    Named_Objects_Dictionary
};
// Makes an object already in db one of its root objects.
Zcad::ErrorStatus Db_Set_Root(ZcDbDatabase* db, Db_Root root, ZcDbObjectId id);

// Creates the default drawing content that an empty database lacks (tables, layer "0",
// linetypes, "Standard", model and paper spaces, layouts); existing content is kept.
Zcad::ErrorStatus Db_Complete_Default_Content(ZcDbDatabase* db);

}  // namespace platform
