// Recognition of sheets by title block: the block references whose block is defined in the
// title-block library, in the user's selection or in the spaces the user chooses, become
// the sheets of a TK_Sheet_List, each marked and with its texts, name and stamp positions.
#pragma once

#include "db/dbmain.h"
#include "mfc/afxstr.h"
#include "titleblock/tk_sheets.h"

class Detection_Feedback;
class ZcDbBlockReference;

// The whole recognition into the list (its sheets deleted first), its progress, the chooser
// of spaces and the notice of an empty library through the feedback; true when the list
// holds a sheet.
bool Find_TK_Sheets(TK_Sheet_List& list, Detection_Feedback& feedback);
// Asks for entities of the type: 1 with their ids, 2 when the user ended without selecting,
// 0 on cancel or when nothing was selected.
int Select_Inserts(const wchar_t* prompt, const wchar_t* type_name, ZcDbObjectIdArray& ids);
// The recognition over one selection (null space id) or one space: appends the sheets found,
// frames lying inside others dropped. Steps the feedback's progress at most every 50 ms.
void Recognise_TK_Frames(TK_Sheet_List& list, const ZcDbObjectIdArray& ids, ZcDbObjectId space_id,
                         Detection_Feedback& feedback);
// The name a reference is matched by: its block's name, or for an anonymous variant of a
// dynamic block the dynamic definition's name.
CString TK_Block_Name(const ZcDbBlockReference* reference);
// Deletes the sheets lying inside another (with a tolerance of 1e-5; of two with the same
// rectangle the earlier) and the sheets without area; the others keep their order.
void Drop_Inner_TK_Sheets(TK_Sheet_Array& sheets);
