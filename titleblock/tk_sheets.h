// The sheets recognised by their title blocks: one sheet (Plot_Drawing2) and the list of a
// recognition (TK_Sheet_List) with the papers they use. Geometry is in drawing units, in the
// UCS of g_Ucs when the recognition ran.
#pragma once

#include "db/dbmain.h"
#include "ge/gepnt2d.h"
#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "sheets/sheet_records.h"
#include "titleblock/tk_customization.h"

class Plot_Drawing2;
typedef CTypedPtrArray<CObArray, Plot_Drawing2*> TK_Sheet_Array;

// The point of a stamp kind the title block has no position for.
inline const ZcGePoint2d Stamp_Pos_Unset{-123.123, 456.456};
// The marker of a line break inside a title-block text.
inline const wchar_t Line_Break_Marker[] = L"[++}";

class Plot_Drawing2 : public CObject {
public:
    Plot_Drawing2() = default;
    // Erases the marker (when there is one) with g_Watch_Marker_Erase cleared for the moment.
    ~Plot_Drawing2() override;

    // Paper and, when not yet known, plot scale; false only without a definition.
    bool Match_Paper(MyPaper* paper);
    // Writes an edited text (field 1..6 = A..F) whole into the first entity it was read from
    // that takes it and empties the others; true when one took it.
    bool Write_Text(int field, const CString& text);
    // Writes a number and/or a state (below 0 leaves that field) into the marker.
    void Set_Marker(int number, int state);
    // Marks the marker's graphics as changed and draws it.
    Zcad::ErrorStatus Redraw_Marker();
    // Name from the definition's naming pattern.
    void Build_File_Name();
    // Recognition: the sheet rectangle and marker; the six texts, name and stamp positions.
    bool Set_Extents_And_Marker(ZcDbObjectId layer_id, ZcDbObjectId space_id);
    bool Read_Texts();

    ZcDbObjectId Insert_Id;
    ZcDbObjectId Space_Id;  // null when the frame came from the user's selection
    TK_Customization* TK = nullptr;  // in g_TK_Library, not owned
    ZcDbObjectId Marker_Id;
    int Seq_No = 0;
    bool Portrait = false;
    ZcGePoint2d Min_Corner{0.0, 0.0};
    ZcGePoint2d Max_Corner{0.0, 0.0};
    double Width = 1.0;
    double Height = 1.0;
    CString Text[6];  // 图号, 版次, 图名, 日期, 信息1, 信息2
    ZcDbObjectIdArray Text_Ids[6];  // the entities each text was read from
    ZcGePoint2d Stamp_Pos[4] = {Stamp_Pos_Unset, Stamp_Pos_Unset, Stamp_Pos_Unset, Stamp_Pos_Unset};
    double Angle = 0.0;
    CString Name;
    CString File_Name = L"1.PDF";
    CString Paper_Name = L"KV_A1";
    double Plot_Scale = 0.0;  // drawing units per mm of paper; 0 or less: not yet
};

// As the rows of a sheet list: the sheets.
class TK_Sheet_List : public Sheet_Rows {
public:
    TK_Sheet_List() = default;
    ~TK_Sheet_List() override { Clear(); }
    TK_Sheet_List(const TK_Sheet_List&) = delete;
    TK_Sheet_List& operator=(const TK_Sheet_List&) = delete;

    // Deletes every sheet (erasing its marker) and every paper.
    void Clear();
    // Erases every sheet's marker (without the erase notification) and forgets its id.
    void Erase_Markers();

    int Sheet_Row_Count() const override;
    void Set_Row_Marker_State(int row, int state) override;

    MyPaper* Add_Paper(int long_side, int short_side, bool rebuild_devices, bool& added);
    MyPaper* Add_Paper_Size(int long_side, int short_side);
    MyPaper* Add_Paper_By_Type(int paper_type, Plot_Drawing2* sheet, bool rebuild_devices, bool& added);
    void Assign_Papers(bool rebuild);
    void Get_Stamp_Positions_Used(bool used[4]) const;

    TK_Sheet_Array Sheets;  // owning, in list order
    Paper_Array Papers;  // owning
    ZcDbObjectId Start_Space_Id;
};

// The list of the open title-block window; null while there is none.
extern TK_Sheet_List* g_TK_Sheet_List;

// The text with every line-break marker replaced by the library's line separator, as output
// file names and titles show it.
CString Join_Line_Breaks(const CString& text);
// The file names of the sheets of g_TK_Sheet_List in list order, line breaks joined; none
// while there is no list.
void TK_List_Titles(CStringArray& titles);
