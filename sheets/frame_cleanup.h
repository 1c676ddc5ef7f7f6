// Removing frames during frame detection: frames too small to plot, frames lying within
// another, candidates lying inside frames already found, and empty frames.
#pragma once

#include <vector>

#include "ge/gept3dar.h"
#include "sheets/sheet_records.h"

// Finds the first frame, in list order, whose inner rectangle holds a box strictly inside:
// a grid over the inner rectangles, so that long lists of boxes are tested against many
// frames in about one step each. Computes the frames' inner rectangles.
class Inner_Rect_Index {
public:
    explicit Inner_Rect_Index(Sheet_Array& frames);
    Plot_Drawing1* First_Holding(double x0, double y0, double x1, double y1) const;

private:
    int Column(double x) const;
    int Row(double y) const;

    std::vector<Plot_Drawing1*> Frames;
    std::vector<std::vector<int>> Cells;  // frame positions per cell, ascending
    int Columns = 0, Rows = 0;
    double Left = 0, Bottom = 0, Cell_Width = 1, Cell_Height = 1;
};

// The candidates from a start position on, by the cell of their min corner, so that each
// frame looks only at the candidates near it. The candidates must stay in place (not
// purged) while the grid is used.
class Candidate_Grid {
public:
    Candidate_Grid(const Temp_Id_Array& candidates, int start);
    // Every candidate from position from on that is not done and lies strictly inside a
    // frame's inner rectangle is marked done by the first such frame, which gets the
    // contains flag. True when any was marked.
    bool Consume(Sheet_Array& frames, int from);

private:
    int Column(double x) const;
    int Row(double y) const;

    std::vector<std::vector<std::pair<int, Temp_Id*>>> Cells;  // (position, candidate)
    int Columns = 0, Rows = 0;
    double Left = 0, Bottom = 0, Cell_Width = 1, Cell_Height = 1;
};

// Where long lists are split: the middle of the longer side of the sheets' union box (y
// for a square). Side: -1 wholly below the middle, 1 wholly above, 0 touching or crossing it.
struct Frame_Split {
    bool By_X = true;
    double Middle = 0.0;

    int Side(double low, double high) const;
    int Side(const Plot_Drawing1& sheet) const;
};
// The split of a non-empty list.
Frame_Split Split_Of(const Sheet_Array& sheets);

// Computes the missing tolerances, deletes frames whose shorter side is below 0.001, then
// Remove_Overlapping_Frames.
void Remove_Small_Or_Inner_Frames(Sheet_Array& sheets);
// Deletes every frame that lies within another; above 1000 sheets the list is split in
// halves of its union box first (down to depth 4). The survivors keep their order except
// after a split (left or bottom group, right or top group, then the straddlers).
void Remove_Overlapping_Frames(Sheet_Array& sheets, int depth);
void Remove_Overlapping_Frames_Pairwise(Sheet_Array& sheets);
// Marks the candidates from start on whose corners lie strictly inside a frame's inner
// rectangle done (that frame gets the contains flag) and purges them.
void Consume_Inner_Candidates(Sheet_Array& frames, Temp_Id_Array& candidates, int start);
// Deletes the done candidates from start on; the others keep their order.
void Purge_Done_Candidates(Temp_Id_Array& candidates, int start);
// Deletes the polyline and loose-line frames (kinds 0 and 1) without the contains flag in
// which fence selections find nothing but their own marker and no viewport is centred.
void Remove_Empty_Frames(Sheet_Array& sheets);
// True for an empty list and for a list holding a single Temp_PlotRec.
bool Is_Empty_Or_Own_Marker(const ZcDbObjectIdArray& ids);
// Empties points and fills them with n + 1 lines across the box of the two corners,
// parallel to its longer side (the y axis for a square), from corner 1's side to corner
// 2's, each as its two end points from corner 1's coordinate to corner 2's.
void Build_Range_Fence(ZcGePoint3dArray& points, const ZcGePoint3d& corner_1, const ZcGePoint3d& corner_2,
                       int intervals);
