// The frame block of a title-block library drawing: the first block whose name begins
// with "K_TK_BK".
#pragma once

#include <memory>

#include "db/dbdatabase.h"
#include "mfc/afxstr.h"

// Reads the drawing at path into a new side database and finds its first "K_TK_BK" block
// (case-sensitive prefix, block table order). False when the file cannot be read or holds
// no such block; the database is kept whenever it was read.
bool Read_TK_Block(const CString& path, std::unique_ptr<ZcDbDatabase>& db, ZcDbObjectId& block_id);
// True when the drawing at path holds a "K_TK_BK" block.
bool Has_TK_Block(const CString& path);
