// The frame being inserted, reduced to what its placement needs: its horizontal and
// vertical lines, the corners of its box and the drawing area inside it, all relative to
// the centre of the box of its lines.
#pragma once

#include "db/dbmain.h"
#include "ge/gept2dar.h"
#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"

class ZcDbBlockReference;
class ZcDbLine;

struct TK_Insert_Data {
    ZcDbObjectIdArray Picked_Ids;     // the frame picked in the drawing; empty for a library frame
    CString Dwg_Path;                 // the library drawing; empty for a picked frame
    CStringArray Attsync_Names;       // attributed blocks met in the frame, repeats kept
    ZcGePoint2dArray Area_Outline;    // the drawing area, closed (first point repeated)
    ZcGePoint2d Corners[4];           // lower-left, lower-right, upper-right, upper-left
    ZcGePoint2dArray Outline_Segments;  // start/end pairs of the frame's lines
    // The centre the fields above are relative to, where the lines were collected: in the
    // library block's coordinates, or in the UCS for a picked frame.
    ZcGePoint2d Frame_Centre;

    // Empties every field, corners to zero.
    void Clear();
};

extern TK_Insert_Data g_TK_Insert;

// The box the lines of a frame span.
struct Segment_Bounds {
    ZcGePoint2d Min;
    ZcGePoint2d Max;
    bool First = true;
    void Add(const ZcGePoint2d& point);
};

// The axis-parallel lines of a frame: horizontal ones from smaller to larger x, vertical
// ones from smaller to larger y.
struct Frame_Lines {
    ZcGePoint2dArray H_Starts, H_Ends, V_Starts, V_Ends;
};

// Fills Area_Outline, Corners, Outline_Segments and Attsync_Names of g_TK_Insert from the
// picked entities or the library drawing. False when no line was found.
bool Analyse_TK_Outline();

// The segments of the library drawing's frame block and, when a list is given, the names
// of the attributed blocks it holds. False when the drawing or its block cannot be read.
bool Collect_Library_Frame(const CString& path, ZcGePoint2dArray& starts, ZcGePoint2dArray& ends,
                           CStringArray* attsync_names);

// Segment collectors: start i pairs with end i.
void Collect_Line_Segment(const ZcDbLine* line, ZcGePoint2dArray& starts, ZcGePoint2dArray& ends);
// A light, 2D or 3D polyline; arcs count as straight.
void Collect_Polyline_Segments(const ZcDbEntity* polyline, ZcGePoint2dArray& starts, ZcGePoint2dArray& ends);
// The lines and polylines of the reference's definition and of the definitions nested in
// it, placed by the reference; hidden entities are skipped, but references on off layers
// are walked.
void Collect_Block_Segments(const ZcDbBlockReference* reference, ZcGePoint2dArray& starts,
                            ZcGePoint2dArray& ends);
// True when at least one of the reference's attributes opens.
bool Has_Attributes(const ZcDbBlockReference* reference);

// Sorts one segment into the horizontal or vertical lines, snapping its coordinates to
// those met before; slanted and zero-length segments are dropped.
void Classify_Segment(ZcGePoint2d start, ZcGePoint2d end, Frame_Lines& lines, ZcGeDoubleArray& x_values,
                      ZcGeDoubleArray& y_values, Segment_Bounds& bounds);
// The first list value within tolerance replaces the value; otherwise the value is added.
void Snap_Or_Add_Value(double& value, ZcGeDoubleArray& list, double tolerance);
// Joins collinear segments that overlap or touch (same y, or same x with vertical).
void Merge_Overlapping_Segments(ZcGePoint2dArray& starts, ZcGePoint2dArray& ends, bool vertical);
// The farthest pair of the four points when the segments a-b and c-d overlap or touch.
bool Merge_Collinear_Pair(const ZcGePoint2d& a, const ZcGePoint2d& b, const ZcGePoint2d& c, const ZcGePoint2d& d,
                          ZcGePoint2d& out_start, ZcGePoint2d& out_end);
// Cuts the segments where they cross or meet in a T, so that they meet only at end points.
void Split_Crossing_Segments(Frame_Lines& lines);

// The boundary of the face below the first horizontal line above the centre that spans
// x = 0, traced clockwise; consumes the lines. False (polygon empty) when it cannot close.
bool Trace_Drawing_Area(Frame_Lines& lines, ZcGePoint2dArray& polygon);
// Drops the middle point of every two edges that point the same way.
void Remove_Collinear_Points(ZcGePoint2dArray& polygon);
// The drawing area of g_TK_Insert cut into rectangles (lower-left and upper-right corners),
// turned by g_Frame_Jig_Dir.
void Build_Area_Strips(ZcGePoint2dArray& lower_lefts, ZcGePoint2dArray& upper_rights);
