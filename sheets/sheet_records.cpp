#include "sheets/sheet_records.h"

#include <cmath>

#include "core/erase_helpers.h"
#include "core/extents_checks.h"
#include "core/space_helpers.h"
#include "core/ucs_transform.h"
#include "sheets/marker_entities.h"


Plot_Drawing1::~Plot_Drawing1()
{
    Erase_Sheet_Marker(Marker_Id);
}

bool Plot_Drawing1::Init_From_Extents(ZcDbObjectId layer_id, const ZcDbExtents& extents, double block_scale)
{
    if (Source_Ids[0].isNull() || !Check_Extents(extents))
        return false;
    Block_Scale = block_scale;
    Min_Corner.set(extents.minPoint().x, extents.minPoint().y);
    Max_Corner.set(extents.maxPoint().x, extents.maxPoint().y);
    Width = std::fabs(Max_Corner.x - Min_Corner.x);
    Height = std::fabs(Max_Corner.y - Min_Corner.y);
    if (!(Width > 0.0) || !(Height > 0.0))
        return false;
    Portrait = Width < Height;
    if (layer_id.isNull())
        return true;

    const ZcDbObjectId marker_id = Append_Sheet_Marker(Min_Corner, Max_Corner, layer_id, ZcDbObjectId::kNull);
    if (!marker_id.isNull())
        Marker_Id = marker_id;
    return true;
}

void Plot_Drawing1::Compute_Inner_Rect()
{
    if (Inner_Computed)
        return;
    const double dx = (Max_Corner.x - Min_Corner.x) / 50;
    const double dy = (Max_Corner.y - Min_Corner.y) / 50;
    Inner_Left = Min_Corner.x + dx;
    Inner_Right = Max_Corner.x - dx;
    Inner_Bottom = Min_Corner.y + dy;
    Inner_Top = Max_Corner.y - dy;
    Inner_Computed = true;
}

void Plot_Drawing1::Set_Marker(int number, int state)
{
    Set_Sheet_Marker(Marker_Id, number, state);
}

Zcad::ErrorStatus Plot_Drawing1::Redraw_Marker()
{
    return Redraw_Sheet_Marker(Marker_Id);
}

int Plot_Sheet_Set::Sheet_Row_Count() const { return static_cast<int>(Plot_List.GetSize()); }

void Plot_Sheet_Set::Set_Row_Marker_State(int row, int state) { Plot_List[row]->Set_Marker(-1, state); }

void Plot_Sheet_Set::Clear()
{
    Largest_Width = 0;
    Largest_Height = 0;
    // The plot list only points into the all-sheets list: emptied before its sheets go.
    Plot_List.RemoveAll();
    Delete_All_Objects(All_Sheets);
    Frame_Blocks.removeAll();
    Non_Frame_Blocks.removeAll();
    Delete_All_Objects(Paper_List);
}

void Plot_Sheet_Set::Delete_Sheet(Plot_Drawing1* sheet)
{
    for (INT_PTR i = 0; i < All_Sheets.GetSize(); ++i) {
        if (All_Sheets[i] == sheet) {
            All_Sheets.RemoveAt(i);
            delete sheet;
            return;
        }
    }
}
