// Papers in whole millimetres: the table of standard and lengthened sizes, snapping a
// computed size onto it, the canonical name made from a size, its display form in the
// title-block library's naming style, and the small operations on paper lists.
#pragma once

#include "mfc/afx.h"
#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "mfc/afxtempl.h"

class MyPaper : public CObject {
public:
    // A temporary paper: 297 x 210, not a table size.
    MyPaper() = default;
    MyPaper(int long_side, int short_side, bool standard = false)
        : Long_Side(long_side), Short_Side(short_side), Is_Standard(standard) {}
    ~MyPaper() override = default;

    // "KV_A1", "KV_A2_Plus_1+3-8", "KV_A4_Plus_1500", "KV_1000x700": from the sizes alone.
    CString Get_Name() const;
    // The canonical name in the library's naming style; with sizes, the sizes in the
    // sheet's orientation too.
    CString Get_Display_Name(bool with_sizes, bool portrait) const;
    // Moves a size close to a table size onto it and sets or clears the standard flag.
    void Snap_To_Standard();
    // Fits a frame into the paper less the margins of the options in force: the scale and
    // the horizontal and vertical offsets in millimetres. False for a degenerate frame or
    // when no margin is in force.
    bool Fit_Frame(double width, double height, double& scale, double& offset_1, double& offset_2) const;

    int Long_Side = 297;
    int Short_Side = 210;
    bool Is_Standard = false;
};

// A paper list owns its papers, in insertion order.
typedef CTypedPtrArray<CObArray, MyPaper*> MyPaper_Array;

// Number of lengthened sizes (and of the user's names for them).
constexpr int Long_Paper_Count = 47;

// Appends the 21 standard papers (A4..A0 and the lengthened A2, A1, A0 sizes that the
// paper search prefers), each flagged standard; no check for papers already present.
void Fill_Standard_Papers(MyPaper_Array& papers);
// The list's paper of that size after snapping; a new one is appended when none has it.
MyPaper* Add_Paper_Unique(MyPaper_Array& papers, int side_a, int side_b, bool& added);
// Snaps the paper and appends it; duplicates are the caller's to remove.
void Add_Paper(MyPaper_Array& papers, MyPaper* paper);
// The first paper whose canonical name equals the name without regard to case.
MyPaper* Find_Paper_By_Name(const MyPaper_Array& papers, const CString& name);
// Keeps the first paper of every size; later ones are deleted.
void Remove_Duplicate_Papers(MyPaper_Array& papers);
// Deletes every paper of the list and empties it.
void Delete_Papers(MyPaper_Array& papers);

// The display form of a canonical name in the library's naming style.
void Convert_Paper_Name(CString& name);
// The display form in naming style 0..7 (other values as 0); style 7 takes the user's
// names of the lengthened sizes, the table's style-0 form where one is missing.
void Convert_Paper_Name_Style(CString& name, int style, const CStringArray& long_names);
