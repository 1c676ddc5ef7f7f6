// The user's per-frame choices kept in the drawing: "PAPER_INFOR" (paper and copies, batch
// plot to paper) and "SC_INFOR" (paper and plot scale, batch plot to files). Each is a
// dictionary of the named-object dictionary holding an XRecord of the same name, with the
// entries keyed by the frame's corners.
#pragma once

#include "ge/gepnt2d.h"
#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "rx/zcadstrc.h"
#include "rx/zcarray.h"
#include "sheets/sheet_records.h"

constexpr const wchar_t* Paper_Infor_Name = L"PAPER_INFOR";
constexpr const wchar_t* Sc_Infor_Name = L"SC_INFOR";
// The copies a frame may be plotted in, as the paper batch offers them.
constexpr int Max_Sheet_Copies = 20;

// Stored entries of one record kind, bound to the sheet set whose plot list is written.
// Entry i is spread over the arrays at index i; a list holds copies ("PAPER_INFOR") or
// scales ("SC_INFOR"), never both.
class Sheet_Infor_List {
public:
    Plot_Sheet_Set* Sheet_Set = nullptr;  // not owned
    ZcArray<ZcGePoint2d> Min_Corners;
    ZcArray<ZcGePoint2d> Max_Corners;
    ZcArray<double> Scales;
    ZcArray<int> Copies;
    CStringArray Names;

    void Clear();
};

// Replace the list's entries with the drawing's; true when an entry was kept. Entries
// without a paper name ("PAPER_INFOR") or without a positive scale ("SC_INFOR") are
// dropped, copies outside 1..Max_Sheet_Copies become 1; reading stops at the end of the
// chain or at an entry that is not whole.
bool Read_Paper_Infor(Sheet_Infor_List& list);
bool Read_Sc_Infor(Sheet_Infor_List& list);
// Rewrite the drawing's record: the set's plot list first, then the stored entries of
// frames not in it. The caller holds the document lock.
void Write_Paper_Infor(Sheet_Infor_List& list);
void Write_Sc_Infor(Sheet_Infor_List& list);

// Index of the first stored entry with the sheet's corners (host tolerance); -1 when none.
int Find_Frame_Infor(const Sheet_Infor_List& list, const Plot_Drawing1& sheet);
// Removes that entry from every array that holds it.
void Remove_Frame_Infor(Sheet_Infor_List& list, const Plot_Drawing1& sheet);

// One entry on a chain: corners, then copies or scale, then the escaped paper name. The
// readers fill the sheet and move on; false (position at the end) when the chain ends or a
// buffer is not of the entry's type.
bool Read_Paper_Entry(Plot_Drawing1& sheet, const resbuf*& position);
bool Read_Sc_Entry(Plot_Drawing1& sheet, const resbuf*& position);
void Write_Paper_Entry(const Plot_Drawing1& sheet, resbuf*& tail);
void Write_Sc_Entry(const Plot_Drawing1& sheet, resbuf*& tail);
