#include "titleblock/tk_sheets.h"

#include "sheets/marker_entities.h"

TK_Sheet_List* g_TK_Sheet_List = nullptr;

Plot_Drawing2::~Plot_Drawing2()
{
    Erase_Sheet_Marker(Marker_Id);
}

void Plot_Drawing2::Set_Marker(int number, int state)
{
    Set_Sheet_Marker(Marker_Id, number, state);
}

Zcad::ErrorStatus Plot_Drawing2::Redraw_Marker()
{
    return Redraw_Sheet_Marker(Marker_Id);
}

int TK_Sheet_List::Sheet_Row_Count() const { return static_cast<int>(Sheets.GetSize()); }

void TK_Sheet_List::Set_Row_Marker_State(int row, int state) { Sheets[row]->Set_Marker(-1, state); }

void TK_Sheet_List::Clear()
{
    Delete_All_Objects(Sheets);
    Delete_All_Objects(Papers);
}

void TK_Sheet_List::Erase_Markers()
{
    for (INT_PTR i = 0; i < Sheets.GetSize(); ++i) Erase_Sheet_Marker(Sheets[i]->Marker_Id);
}

void TK_Sheet_List::Get_Stamp_Positions_Used(bool used[4]) const
{
    for (int k = 0; k < 4; ++k) {
        used[k] = false;
        for (INT_PTR i = 0; i < Sheets.GetSize() && !used[k]; ++i)
            used[k] = !Sheets[i]->Stamp_Pos[k].isEqualTo(Stamp_Pos_Unset);
    }
}
