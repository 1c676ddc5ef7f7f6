// Names of records and drawing, colours, and the raster image dictionary.
#pragma once

#include "db/dbmain.h"
#include "mfc/afxstr.h"

// The working drawing's linetype of that name; null when missing.
void Get_Linetype_Id(ZcDbObjectId& id, const wchar_t* name);
// The record's name; false and an empty name when the id is null, cannot be opened or is
// no linetype (text style) record.
bool Get_Linetype_Name(CString& name, ZcDbObjectId linetype_id);
bool Get_Text_Style_Name(CString& name, ZcDbObjectId style_id);
// The block's name; false (name unchanged) when the record cannot be opened or is no
// block table record.
bool Get_Block_Name(CString& name, ZcDbObjectId block_id);
// Red, green and blue (0..255) of an index colour as the host shows it.
void Index_Color_To_RGB(int color_index, int& red, int& green, int& blue);
// DWGNAME up to its last "." (the whole name when there is no "." after the first
// character).
CString Get_Dwg_Title();
// Removes the name's entry from the working drawing's raster image dictionary.
void Remove_Image_Def(const wchar_t* name);
