// The order of the recognised sheets: by position (sort types 1..8, or 9 as found), then
// optionally by drawing number and title-block priority. Every ordering renumbers the
// sheets' markers with their new positions.
#pragma once

#include "mfc/afxstr.h"
#include "titleblock/tk_sheets.h"

// By position; then, unless position_only is set, by number and priority.
void Sort_TK_Sheets(TK_Sheet_List& list, bool position_only, int sort_type);
// Type 9 by Seq_No; any other one space after the other (spaces in the order of their
// first sheet), each space in the position order of types 1..8 (other types: as listed).
void Sort_TK_By_Position(TK_Sheet_Array& sheets, int sort_type);
// Numbered sheets by drawing number, the unnumbered after them, then grouped by the
// priority 0..8 of their definitions (sheets without one last); stable throughout.
void Sort_TK_By_Number(TK_Sheet_Array& sheets);
// True when drawing number a sorts after b: by the values of their trailing digit runs (of
// any length) when the texts before the runs are equal, else by character codes.
bool Compare_Drawing_No(const CString& a, const CString& b);
