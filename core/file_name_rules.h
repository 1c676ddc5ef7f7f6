// Text made safe for file names, and numbers with leading zeros.
#pragma once

#include "mfc/afxstr.h"

// In place: deletes < > \ | * " ? : and the control characters 0..31 other than line feed
// and carriage return; replaces / by the division slash U+2215; with remove_line_breaks
// deletes line feeds and carriage returns too. Everything else stays.
void Valid_File_Name(CString& text, bool remove_line_breaks);
// The decimal text of the value ("%d") with zeros put in front until it is `digits`
// characters long (a negative value gets them in front of its minus sign).
CString Format_No(int value, int digits);
