// Copying the font files the drawing's text styles need into a folder "Fonts".
#pragma once

#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"

extern CString g_Font_Export_Folder;  // the folder picker opens here

// Copies each path that has a backslash after its first character into the target folder,
// overwriting; the number of files written, with the paths that could not be copied in failed.
int Copy_Font_Files(const CStringArray& paths, const CString& target, CStringArray& failed);
// The export's closing message: the fonts needed, the missing ones, the files written and
// the copies that failed.
CString Font_Export_Report(int written, const CStringArray& missing, const CStringArray& failed);
