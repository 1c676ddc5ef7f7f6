#include "core/sort_helpers.h"

void Sort_By_Key(Temp_Id_Array&, int) {}
void Sort_Lines(Temp_Line_Array&, int, int, bool) {}
void Sort_Points(ZcGePoint2dArray&, int, int, bool, ZcGePoint2dArray&, ZcDbObjectIdArray*) {}
int Find_Line_By_Y(const Temp_Line_Array&, double) { return 0; }
int Find_Line_By_X(const Temp_Line_Array&, double) { return 0; }
void Bubble_Sort_Double(bool, ZcGeDoubleArray&) {}
