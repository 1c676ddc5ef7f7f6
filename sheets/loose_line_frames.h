// Rectangles drawn as four separate lines: LINE entities and the edges of polylines that
// are no rectangles become axis-parallel segments (UCS of g_Ucs); segments inside frames
// already found are dropped; every rectangle whose four sides are single segments meeting
// at the corners becomes a sheet of kind 1.
#pragma once

#include "db/dbmain.h"
#include "ge/gepnt3d.h"
#include "sheets/sheet_records.h"

class Detection_Feedback;

// Turns the candidates (lines and polylines) into horizontals and verticals, then drops
// those inside the sheets' inner rectangles (the sheets get the contains flag).
void Collect_Line_Segments(Sheet_Array& sheets, const Temp_Id_Array& candidates, Temp_Line_Array& horizontals,
                           Temp_Line_Array& verticals);
// A horizontal or vertical segment from p to q (world), or nothing when it is neither.
void Make_Segment(ZcDbObjectId entity_id, const ZcGePoint3d& p, const ZcGePoint3d& q, Temp_Line_Array& horizontals,
                  Temp_Line_Array& verticals);
// Deletes the segments whose both ends lie strictly inside the inner rectangle of one of
// the sheets; that sheet gets the contains flag. Splits the plane above 300 sheets and
// 3000 segments (down to depth 4). Empties the sheet list (a copy the caller made).
void Drop_Segments_In_Frames(Sheet_Array& sheets, Temp_Line_Array& segments, int depth);
void Drop_Segments_In_Frames_Pairwise(Sheet_Array& sheets, Temp_Line_Array& segments);
// Deletes the done segments from start on; the others keep their order.
void Purge_Done_Segments(Temp_Line_Array& segments, int start);
// Sorts the segments, keeps those joined at both ends and puts every rectangle they form in
// front of the sheet list (kind 1; bottom, top, left, right lines as its sources). Steps the
// feedback's progress once a batch of rectangles.
void Build_Rects_From_Lines(Temp_Line_Array& horizontals, Temp_Line_Array& verticals, ZcDbObjectId space_id,
                            ZcDbObjectId layer_id, Sheet_Array& sheets, Detection_Feedback& feedback);
