// Sorting and searching on the working records of frame detection and on host arrays. All
// work in place; only the candidate sort allocates (its bucket lists).
#pragma once

#include "db/dbmain.h"
#include "ge/gept2dar.h"
#include "sheets/sheet_records.h"

// Sorts frame candidates by area, largest first. Large lists are cut into buckets by value
// range (depth counts the bucketing levels; callers pass 0).
void Sort_By_Key(Temp_Id_Array& candidates, int depth = 0);
// How many buckets Sort_By_Key cuts a list of count candidates into; 0 when it sorts the
// list whole.
int Sort_Bucket_Count(INT_PTR count);
// Sorts lines[first..last] ascending by the start point's x, or y with by_y.
void Sort_Lines(Temp_Line_Array& lines, int first, int last, bool by_y);
// Sorts points[first..last] ascending by x, or y with by_y; every exchange is applied to
// companion too and, when given and not empty, to ids.
void Sort_Points(ZcGePoint2dArray& points, int first, int last, bool by_y, ZcGePoint2dArray& companion,
                 ZcDbObjectIdArray* ids = nullptr);
// In segments sorted ascending by start y (start x): the index of the first segment whose
// key is at least the value, within one position; 0 for at most two segments.
int Find_Line_By_Y(const Temp_Line_Array& lines, double value);
int Find_Line_By_X(const Temp_Line_Array& lines, double value);
// Bubble sort in place, ascending or descending; equal values keep their order.
void Bubble_Sort_Double(bool ascending, ZcGeDoubleArray& values);
