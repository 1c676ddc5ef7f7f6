// The letters of a title-block naming pattern: A..F the texts, T the paper, and a doubled
// letter for the letter itself; and the read-out of the naming dialog built from them.
#pragma once

#include "mfc/afxstr.h"

// In place: every "AA", "BB", "CC", "DD", "EE", "FF", "TT" becomes its place-holder, so that
// the single letters can be replaced without touching them.
void Hide_Doubled_Letters(CString& pattern);
// In place: the place-holders back as the single letters.
void Restore_Doubled_Letters(CString& text);
// "输出示例： " and the name the pattern gives with sample texts, cleaned for file names
// (line breaks removed).
CString TK_Name_Example(const CString& pattern);
