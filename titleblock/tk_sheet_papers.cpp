// Papers of the recognised sheets: a sheet's paper and plot scale from its title-block
// definition, and the paper list of a recognition.
#include <algorithm>
#include <cmath>

#include "core/extents_checks.h"
#include "db/dbents.h"
#include "sheets/exact_extents.h"
#include "sheets/paper_scale.h"
#include "sheets/paper_table.h"
#include "titleblock/tk_sheets.h"

namespace {

// Nearest whole millimetre, halves up.
int Round_Paper_Mm(double value)
{
    return static_cast<int>(std::floor(value + 0.5));
}

// The definition's paper scaled with a stretched dynamic frame; false when the frame cannot
// be measured. A defined size that is not above 0 leaves the paper as it was.
bool Scale_Dynamic_Paper(const TK_Customization& tk, ZcDbObjectId insert_id, MyPaper& paper)
{
    ZcDbObjectPointer<ZcDbBlockReference> reference(insert_id, ZcDb::kForRead);
    if (reference.openStatus() != Zcad::eOk)
        return false;
    const double s = std::fabs(reference->scaleFactors().sx);
    const ZcDbExtents frame = Get_Entity_Extents(reference.object());
    if (!Check_Extents(frame))
        return false;

    ZcGeVector3d min_offset(0.0, 0.0, 0.0), max_offset(0.0, 0.0, 0.0);
    if (Check_Extents(tk.Plot_Range)) {
        min_offset = tk.Plot_Range.minPoint() - tk.Frame_Ext.minPoint();
        max_offset = tk.Plot_Range.maxPoint() - tk.Frame_Ext.maxPoint();
    }
    // Offsets are in definition units; the reference shows them at s / Scale.
    const double to_drawing = tk.Scale > 0.0 ? s / tk.Scale : 1.0;
    double w = (frame.maxPoint().x + max_offset.x * to_drawing) - (frame.minPoint().x + min_offset.x * to_drawing);
    double h = (frame.maxPoint().y + max_offset.y * to_drawing) - (frame.minPoint().y + min_offset.y * to_drawing);
    if (s > 0.0 && tk.Scale > 0.0) {
        w *= tk.Scale / s;
        h *= tk.Scale / s;
    }
    const double f = std::max((tk.Frame_Ext.maxPoint().x + max_offset.x) - (tk.Frame_Ext.minPoint().x + min_offset.x),
                              (tk.Frame_Ext.maxPoint().y + max_offset.y) - (tk.Frame_Ext.minPoint().y + min_offset.y));
    if (!(f > 0.0))
        return true;
    const double factor = std::max(tk.Paper.Long_Side, tk.Paper.Short_Side) / f;
    paper.Long_Side = Round_Paper_Mm(std::max(w, h) * factor);
    paper.Short_Side = Round_Paper_Mm(std::min(w, h) * factor);
    return true;
}

}  // namespace

bool Plot_Drawing2::Match_Paper(MyPaper* paper)
{
    if (paper == nullptr)
        return false;
    if (Plot_Scale > 0.0) {
        paper->Long_Side = Round_Paper_Mm(std::max(std::max(Width, Height) / Plot_Scale, 1.0));
        paper->Short_Side = Round_Paper_Mm(std::max(std::min(Width, Height) / Plot_Scale, 1.0));
        paper->Snap_To_Standard();
        return true;
    }
    if (TK == nullptr)
        return false;
    if (TK->Is_Dynamic == 0 || !Scale_Dynamic_Paper(*TK, Insert_Id, *paper)) {
        paper->Long_Side = TK->Paper.Long_Side;
        paper->Short_Side = TK->Paper.Short_Side;
        paper->Standard = TK->Paper.Standard;
    }
    // A paper without area would give an endless scale: the scale stays to be determined.
    if (paper->Long_Side <= 0 || paper->Short_Side <= 0)
        return false;
    if (Portrait)
        Plot_Scale = std::max(Width / paper->Short_Side, Height / paper->Long_Side);
    else
        Plot_Scale = std::max(Width / paper->Long_Side, Height / paper->Short_Side);
    return true;
}

MyPaper* TK_Sheet_List::Add_Paper(int long_side, int short_side, bool rebuild_devices, bool& added)
{
    return Add_Paper_And_Devices(Papers, long_side, short_side, rebuild_devices, added);
}

MyPaper* TK_Sheet_List::Add_Paper_Size(int long_side, int short_side)
{
    bool added = false;
    return Add_Paper(long_side, short_side, true, added);
}

MyPaper* TK_Sheet_List::Add_Paper_By_Type(int paper_type, Plot_Drawing2* sheet, bool rebuild_devices, bool& added)
{
    added = false;
    if (sheet == nullptr)
        return nullptr;
    int long_side = 297, short_side = 210;
    Get_Paper_Size_By_Type(paper_type, sheet->Width, sheet->Height, long_side, short_side);
    return Add_Paper(long_side, short_side, rebuild_devices, added);
}

void TK_Sheet_List::Assign_Papers(bool rebuild)
{
    if (rebuild) {
        Delete_All_Objects(Papers);
        Fill_Standard_Papers(Papers);
        for (INT_PTR i = 0; i < Sheets.GetSize(); ++i) {
            auto* paper = new MyPaper(297, 210);
            if (Sheets[i]->Match_Paper(paper)) {
                ::Add_Paper(Papers, paper);
                Sheets[i]->Paper_Name = paper->Get_Name();
            } else {
                delete paper;
            }
        }
        Remove_Duplicate_Papers(Papers);
    }
    Install_Plot_Devices(Papers);
}
