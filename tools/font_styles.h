// The font files the text styles of the working drawing need, and whether they are installed.
#pragma once

#include "db/dbmain.h"
#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"

class Font_Inventory;

// A non-empty name that ends in none of ".ttf", ".ttc" and ".shx" (any case), or has 3
// characters or fewer, gets ".shx" appended; an empty name stays empty.
CString Normalize_Font_File_Name(const CString& name);
// One entry per named text style of the working drawing, in table order: its name,
// normalised font and big font file names, typeface and record id.
void Collect_Text_Styles(CStringArray& names, CStringArray& standard_files, CStringArray& big_files,
                         CStringArray& typefaces, ZcDbObjectIdArray& ids);
// True for an empty name, else whether the inventory holds the file.
bool Is_Font_Present(const Font_Inventory& inventory, const CString& file_name);
