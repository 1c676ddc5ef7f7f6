// The text of plain text entities and of the text entities other applications define.
#pragma once

#include "db/dbmain.h"
#include "mfc/afxstr.h"

enum Text_Kind { Text_None = 0, Text_Single = 1, Text_Multi = 2, Text_Custom_Single = 3, Text_Custom_Multi = 4 };

// The kind and text of the entity: TEXT its string, MTEXT its raw contents (raw stays
// empty for both); the custom single-line texts "TCH_TEXT" and "IAEC_TEXT" and the
// multi-line "TCH_MTEXT" and "IAEC_MTEXT" the joined texts of their exploded TEXT pieces
// ("\P" between lines), in raw as joined and in text with every "^C" removed. Anything
// else: Text_None with both empty.
int Get_Text_Content(const ZcDbEntity* entity, CString& text, CString& raw);
// Get_Text_Content without the raw text.
int Get_Text_String(const ZcDbEntity* entity, CString& text);
