#include "sheets/sheet_records.h"

Plot_Drawing1::~Plot_Drawing1() = default;

bool Plot_Drawing1::Init_From_Extents(ZcDbObjectId, const ZcDbExtents&, double) { return false; }
void Plot_Drawing1::Compute_Inner_Rect() {}
void Plot_Drawing1::Set_Marker(int, int) {}
Zcad::ErrorStatus Plot_Drawing1::Redraw_Marker() { return Zcad::eNotImplemented; }

void Plot_Sheet_Set::Clear() {}
void Plot_Sheet_Set::Delete_Sheet(Plot_Drawing1*) {}
