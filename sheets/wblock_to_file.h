// Entities of the working drawing written out as a drawing file of their own: one block
// of theirs, centred at the origin, in a new drawing with the working drawing's line-type
// scales and "Standard" text style.
#pragma once

#include "db/dbmain.h"
#include "db/dbsymtb.h"
#include "mfc/afxstr.h"

// Copies the working drawing's "Standard" text style (fonts, sizes, flags, face) into the
// target's "Standard" text style; nothing when either drawing has none.
void Copy_Standard_Text_Style(ZcDbDatabase* target);
// Inserts source's model space into target as the block `name` (source kept), then deletes
// source. The new block's id; null when none was made.
ZcDbObjectId Insert_Drawing_As_Block(ZcDbDatabase* target, ZcDbDatabase* source, const wchar_t* name);
// Appends a reference to the block at the origin to the record, or with explode its pieces
// (the reference itself when it does not explode). True when something was appended.
bool Append_Block_Reference(ZcDbBlockTableRecord* record, ZcDbObjectId block_id, bool explode);
// Saves the drawing in the format of the drawing files the export writes, under a fresh name
// beside the path that then replaces the earlier file; true when the file was written. A failure is shown to
// the user ("写入操作有误") unless the caller reports it; the thread's last error says why.
bool Save_Exported_Drawing(ZcDbDatabase* db, const CString& path, bool report_failure = true);
// Writes the ids' entities into a new drawing file at path: one block named prefix + time
// stamp (unique within the process) whose base is the centre of their exact extents, in
// model space or exploded with explode; the view shows them. True when the file was written. The ids are emptied.
bool Wblock_Ids_To_File(ZcDbObjectIdArray& ids, const CString& path, const CString& prefix, bool explode);
