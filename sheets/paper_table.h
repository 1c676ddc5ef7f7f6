// Papers in whole millimetres: the table of standard and lengthened sizes, snapping a
// computed size onto it, the canonical name made from a size, its display form in the
// naming style the title-block library sets, and the small operations on paper lists. The paper
// record, MyPaper, and the list type, Paper_Array, are the sheet records'.
#pragma once

#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "sheets/sheet_records.h"

// Number of lengthened sizes (and of the user's names for them).
constexpr int Long_Paper_Count = 47;

// Appends the 21 standard papers (A4..A0 and the lengthened A2, A1, A0 sizes that the
// paper search prefers), each flagged standard; no check for papers already present.
void Fill_Standard_Papers(Paper_Array& papers);
// The list's paper of that size after snapping; a new one is appended when none has it.
MyPaper* Add_Paper_Unique(Paper_Array& papers, int side_a, int side_b, bool& added);
// Snaps the paper and appends it; duplicates are the caller's to remove.
void Add_Paper(Paper_Array& papers, MyPaper* paper);
// The first paper whose canonical name equals the name without regard to case.
MyPaper* Find_Paper_By_Name(const Paper_Array& papers, const CString& name);
// Keeps the first paper of every size; later ones are deleted.
void Remove_Duplicate_Papers(Paper_Array& papers);

// Where the naming of lengthened papers that Convert_Paper_Name follows is kept: the style
// 0..7 and the user's names of the lengthened sizes. The title-block library points it at its
// own settings; until then the names take style 0.
void Follow_Paper_Naming(const int& style, const CStringArray& long_names);
// The display form of a canonical name in the naming style followed.
void Convert_Paper_Name(CString& name);
// The display form in naming style 0..7 (other values as 0); style 7 takes the user's
// names of the lengthened sizes, the table's style-0 form where one is missing.
void Convert_Paper_Name_Style(CString& name, int style, const CStringArray& long_names);
