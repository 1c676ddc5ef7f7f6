// Builders of the current document's drawing that the in-process tests share.
#pragma once

#include "db/dbdatabase.h"

// The working database: the current document's drawing.
ZcDbDatabase* Db();

// A new empty block table record of that name (a block definition, or a space for sheets).
ZcDbObjectId Add_Block(const wchar_t* name);
