#include "titleblock/tk_sheets.h"

#include "sheets/marker_entities.h"

TK_Sheet_List* g_TK_Sheet_List = nullptr;

Plot_Drawing2::~Plot_Drawing2()
{
    Erase_Sheet_Marker(Marker_Id);
}

bool Plot_Drawing2::Match_Paper(MyPaper* /*paper*/) { return false; }
bool Plot_Drawing2::Write_Text(int /*field*/, const CString& /*text*/) { return false; }
void Plot_Drawing2::Set_Marker(int /*number*/, int /*state*/) {}
Zcad::ErrorStatus Plot_Drawing2::Redraw_Marker() { return Zcad::eNotImplemented; }
void Plot_Drawing2::Build_File_Name() {}

void TK_Sheet_List::Clear()
{
    Delete_All_Objects(Sheets);
    Delete_All_Objects(Papers);
}

MyPaper* TK_Sheet_List::Add_Paper(int, int, bool, bool& added) { added = false; return nullptr; }
MyPaper* TK_Sheet_List::Add_Paper_Size(int, int) { return nullptr; }
MyPaper* TK_Sheet_List::Add_Paper_By_Type(int, Plot_Drawing2*, bool, bool& added) { added = false; return nullptr; }
void TK_Sheet_List::Assign_Papers(bool) {}
void TK_Sheet_List::Get_Stamp_Positions_Used(bool used[4]) const { for (int k = 0; k < 4; ++k) used[k] = false; }
