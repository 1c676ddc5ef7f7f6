// Layers of the working drawing: finding or adding them and setting their properties.
#pragma once

#include "db/dbmain.h"

// Looks the layer up without regard to case; adds it with default properties when
// missing. existed: 1 when it was there, 0 when added. The id is null on failure.
void Find_Or_Add_Layer(ZcDbObjectId& id, const wchar_t* name, int& existed);
void Ensure_Layer(ZcDbObjectId& id, const wchar_t* name);
// Ensure_Layer, then Set_Layer_Color.
void Ensure_Layer_Color(ZcDbObjectId& id, const wchar_t* name, int color_index);
void Set_Layer_Color(ZcDbObjectId layer_id, int color_index);
// Loads the linetype from "acad.lin", then "acadiso.lin", when the drawing lacks it, and
// assigns it (nothing when it is found nowhere).
void Set_Layer_Linetype(ZcDbObjectId layer_id, const wchar_t* linetype_name);
// Host lineweight value (hundredths of a millimetre).
void Set_Layer_Lineweight(ZcDbObjectId layer_id, int lineweight);

// Layer state kinds.
enum Layer_State_Kind { Layer_Off = 1, Layer_Frozen = 2, Layer_Locked = 3, Layer_Plottable = 4 };
// Kinds 1..3; any other kind gives true; false when the layer cannot be opened.
bool Get_Layer_State(ZcDbObjectId layer_id, int kind);
// Kinds 1..4 (other kinds change nothing); the open status of the layer.
Zcad::ErrorStatus Set_Layer_State(ZcDbObjectId layer_id, int kind, bool value);
