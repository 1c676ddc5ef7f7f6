// The text brush: one source text's content copied into target texts, attribute
// definitions and the attributes under the cursor, replacing theirs or, with Tab held
// while a target selection ends, appended to them. The command is Brush_Text
// (core/command_handlers.h).
#pragma once

#include "db/dbblkref.h"
#include "db/dbmtext.h"
#include "db/dbtext.h"
#include "mfc/afxstr.h"

// The source's text with every "\P" and line feed a blank, trimmed of blanks.
CString Flat_Brush_Text(const CString& raw);
// What the cursor shows of the flat text: at most 4 characters, longer texts cut to 4
// and "...".
CString Brush_Cursor_Text(const CString& flat);

// One blank before appended text: when the old text is not empty and does not end in a blank.
void Add_Trailing_Blank(CString& text);
// "\P" before appended text: when the old text is not empty and ends in neither "\P" nor a
// line feed.
void Add_Trailing_Paragraph(CString& text);

// The text of the first shown attribute of the reference whose extents hold the cursor (a
// multi-line one without its format codes) that is not empty; empty when there is none.
CString Get_Attribute_Under_Cursor(const ZcDbBlockReference* reference);

// The target setters, each given the entity open for write.
void Brush_Attdef_Tag(ZcDbAttributeDefinition* definition, const CString& flat, bool append);
// Every shown attribute under the cursor: a multi-line one takes the raw text, a
// single-line one the flat text.
void Brush_Insert_Attributes(ZcDbBlockReference* reference, const CString& raw, const CString& flat, bool append);
void Brush_Text_String(ZcDbText* text, const CString& flat, bool append);
void Brush_MText(ZcDbMText* mtext, const CString& raw, bool append);
