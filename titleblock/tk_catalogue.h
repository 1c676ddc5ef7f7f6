// The sheet catalogue: a table of the recognised sheets drawn as TEXT entities (and grid
// lines) into the current space, laid out by the library's catalogue settings.
#pragma once

#include "ge/gepnt3d.h"
#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "titleblock/tk_sheets.h"

// Names of the catalogue column kinds 0..8 (序号 .. 比例).
constexpr int Catalogue_Kind_Count = 9;
const wchar_t* Catalogue_Kind_Name(int kind);

// Number of rows the catalogue of the list takes (a sheet whose title wraps takes more than
// one); 0 for an empty list. Adds the catalogue's text style when the drawing lacks it.
int Count_Catalogue_Rows(const TK_Sheet_List& list);
// Draws the catalogue hanging down and to the right from the top-left corner.
void Draw_Catalogue(const TK_Sheet_List& list, const ZcGePoint3d& top_left);

// The text of one cell (empty for a title, whose lines come from Catalogue_Title_Lines).
CString Catalogue_Cell_Text(const Plot_Drawing2& sheet, int sheet_index, int kind);
// The lines a title takes in a column of the width: pieces between line-break markers,
// joined by one blank while a line still fits.
void Catalogue_Title_Lines(const CString& title, double column_width, CStringArray& lines);
