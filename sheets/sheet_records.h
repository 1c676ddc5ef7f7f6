// The records of frame detection: one sheet (Plot_Drawing1), one paper size (MyPaper), the
// set of sheets a detection found (Plot_Sheet_Set), and the working records of a detection
// run, a frame candidate (Temp_Id) and an axis-parallel segment (Temp_Line).
// Geometry is in drawing units, in the UCS of g_Ucs of the detection; paper sizes in whole
// millimetres.
#pragma once

#include "db/dbmain.h"
#include "ge/extents.h"
#include "ge/gepnt2d.h"
#include "ge/gepnt3d.h"
#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "ui/sheet_rows.h"

class MyPaper;
class Plot_Drawing1;
class Temp_Id;
class Temp_Line;

typedef CTypedPtrArray<CObArray, Plot_Drawing1*> Sheet_Array;
typedef CTypedPtrArray<CObArray, MyPaper*> Paper_Array;
typedef CTypedPtrArray<CObArray, Temp_Id*> Temp_Id_Array;
typedef CTypedPtrArray<CObArray, Temp_Line*> Temp_Line_Array;

// Sheet kinds.
enum Sheet_Kind { Sheet_From_Polyline = 0, Sheet_From_Lines = 1, Sheet_From_Block = 2 };

// One sheet.
class Plot_Drawing1 : public CObject {
public:
    Plot_Drawing1() = default;
    // Erases the marker (when there is one) with g_Watch_Marker_Erase cleared for the moment.
    ~Plot_Drawing1() override;

    // Fills the corners, sizes and portrait flag from the extents and, when a layer is given,
    // appends the sheet's marker on that layer (number 0, state 0, the UCS of g_Ucs). False
    // without a source id or for a box not larger than 1e-5 both ways.
    bool Init_From_Extents(ZcDbObjectId layer_id, const ZcDbExtents& extents, double block_scale);
    // The inner rectangle, inset by 1/50 of the sides, computed once.
    void Compute_Inner_Rect();
    // Writes a number and/or a state (a value below 0 leaves that field) into the marker;
    // nothing is written when nothing changes or the marker does not open.
    void Set_Marker(int number, int state);
    // Marks the marker's graphics as changed and draws it.
    Zcad::ErrorStatus Redraw_Marker();

    // The paper the sheet needs at the plot scale (paper determination).
    bool Match_Paper(MyPaper* paper, double plot_scale, bool search);
    // The pair test of duplicate frame removal: marks this sheet or the other for deletion.
    void Resolve_Overlap(Plot_Drawing1* other);

    int Kind = Sheet_From_Polyline;
    // The source entity; for kind 1 the bottom, top, left and right lines.
    ZcDbObjectId Source_Ids[4];
    // Block table record of the space the sheet was found in; null for a user selection.
    ZcDbObjectId Space_Id;
    // 0 model space, n the n-th layout in tab order.
    int Space_Index = 0;
    // The sheet's Temp_PlotRec; null when none.
    ZcDbObjectId Marker_Id;
    // Position of the source among the entities the detection examined.
    int Order_Index = 0;
    // abs(X scale) of the block reference of kind 2; 1.0 otherwise.
    double Block_Scale = 1.0;
    bool Portrait = false;
    ZcGePoint2d Min_Corner{0.0, 0.0};
    ZcGePoint2d Max_Corner{0.0, 0.0};
    double Width = 1.0;
    double Height = 1.0;
    CString Output_Name = L"1.PDF";
    CString Paper_Name = L"KV_A1";
    // Drawing units per millimetre of paper.
    double Plot_Scale = 100.0;
    int Copies = 1;
    // Containment tolerance, 0.01 x the shorter side; -1.0 until computed.
    double Tolerance = -1.0;
    // Cached width x height; 0 or less until computed.
    double Area = 0.0;
    // Something lies strictly inside the frame.
    bool Contains = false;
    bool Inner_Computed = false;
    double Inner_Left = 0.0;
    double Inner_Right = 0.0;
    double Inner_Bottom = 0.0;
    double Inner_Top = 0.0;
    bool Delete_Mark = false;
    // Working counter of the paper plot driver.
    int Copies_Left = 0;
};

// One paper size. Its names, snapping and fitting belong to the paper table.
class MyPaper : public CObject {
public:
    MyPaper() = default;
    MyPaper(int long_side, int short_side) : Long_Side(long_side), Short_Side(short_side) {}
    ~MyPaper() override = default;

    // The canonical name ("KV_A1", "KV_A2_Plus_1+3-8", "KV_%dx%d").
    CString Get_Name() const;
    // The name in the library's paper-name style, with the sizes appended when asked.
    CString Get_Display_Name(bool with_sizes, bool portrait) const;
    // Snaps the sizes to a standard size when close and sets or clears the standard flag.
    void Snap_To_Standard();
    // Fits a frame into the paper less the margins in force: scale and offsets in mm.
    bool Fit_Frame(double frame_width, double frame_height, double& scale, double& first_offset,
                   double& second_offset) const;

    int Long_Side = 297;
    int Short_Side = 210;
    bool Standard = false;
};

// The result of a frame detection.
// As the rows of a sheet list: the plot list.
class Plot_Sheet_Set : public Sheet_Rows {
public:
    Plot_Sheet_Set() = default;
    ~Plot_Sheet_Set() override { Clear(); }
    Plot_Sheet_Set(const Plot_Sheet_Set&) = delete;
    Plot_Sheet_Set& operator=(const Plot_Sheet_Set&) = delete;

    // Largest size 0; deletes every sheet (first first, each erasing its marker) and every
    // paper, empties the plot list and both block lists.
    void Clear();
    // Removes the sheet from the all-sheets list and deletes it; a sheet not in the list is
    // left alone. Callers take it out of the plot list first.
    void Delete_Sheet(Plot_Drawing1* sheet);

    int Sheet_Row_Count() const override;
    void Set_Row_Marker_State(int row, int state) override;

    // Paper determination and sheet ordering.
    int Filter_By_Area();
    void Assign_Papers(double plot_scale, bool rebuild, bool search);
    MyPaper* Find_Or_Add_Paper(int long_side, int short_side, bool rebuild, bool& added);
    MyPaper* Add_Paper_Size(int long_side, int short_side);
    MyPaper* Add_Paper_By_Type(int paper_type, Plot_Drawing1* sheet, bool rebuild, bool& added);
    void Sort_Sheets(int sort_type);

    // Width and height (truncated) of the largest frame of the last detection.
    int Largest_Width = 0;
    int Largest_Height = 0;
    // Every sheet found, in detection order; owning.
    Sheet_Array All_Sheets;
    // The sheets that pass the area filter, in all-sheets order; not owning.
    Sheet_Array Plot_List;
    // The papers in use; owning.
    Paper_Array Paper_List;
    // The space that was current when the detection started.
    ZcDbObjectId Start_Space_Id;
    // Block definitions whose references were found to be frames, or not, by their shape.
    ZcDbObjectIdArray Frame_Blocks;
    ZcDbObjectIdArray Non_Frame_Blocks;
};

// Candidate kinds.
enum Candidate_Kind { Candidate_Line = 0, Candidate_Polyline = 1, Candidate_Block = 2 };

// A frame candidate of a detection run.
class Temp_Id : public CObject {
public:
    Temp_Id() = default;
    ~Temp_Id() override = default;

    // Frame candidates (made by the frame search).
    bool Make_Sheet_From_PLine(Sheet_Array& batch, ZcDbObjectId space_id, ZcDbObjectId layer_id);
    void Make_Sheet_From_Block(Sheet_Array& batch, ZcDbObjectId space_id, ZcDbObjectId layer_id);
    void Make_Sheet_From_Block_Shape(Sheet_Array& sheets, ZcDbObjectId space_id, ZcDbObjectId layer_id,
                                     ZcDbObjectIdArray& frame_blocks, ZcDbObjectIdArray& non_frame_blocks);

    int Kind = Candidate_Line;
    ZcDbObjectId Entity_Id;
    // The full exact extents.
    ZcDbExtents Extents;
    // Corners at z 0.
    ZcGePoint3d Min_Corner{0.0, 0.0, 0.0};
    ZcGePoint3d Max_Corner{0.0, 0.0, 0.0};
    // (width x 0.001) x (height x 0.001); 0 for lines.
    double Area = 0.0;
    bool Done = false;
};

// An axis-parallel segment of a detection run.
class Temp_Line : public CObject {
public:
    Temp_Line() = default;
    ~Temp_Line() override = default;

    ZcDbObjectId Entity_Id;
    // Left end of a horizontal segment, bottom end of a vertical one.
    ZcGePoint2d Start{0.0, 0.0};
    // Right or top end.
    ZcGePoint2d End{0.0, 0.0};
    // Vertical segments only: a horizontal segment meets that end.
    bool Start_Joined = false;
    bool End_Joined = false;
    bool Done = false;
};

// Removes the last element and deletes it until the array is empty (never holding a deleted
// object; no shifting of the rest); the array stays usable.
template <class Array>
void Delete_All_Objects(Array& objects)
{
    while (objects.GetSize() > 0) {
        const auto last = objects.GetSize() - 1;
        auto* object = objects.GetAt(last);
        objects.RemoveAt(last);
        delete object;
    }
}
// Delete_All_Objects, then frees the array itself.
template <class Array>
void Delete_All_Objects_And_Array(Array*& objects)
{
    if (objects == nullptr)
        return;
    Delete_All_Objects(*objects);
    delete objects;
    objects = nullptr;
}
