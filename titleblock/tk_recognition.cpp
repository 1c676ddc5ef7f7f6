#include <cmath>

#include "core/extents_checks.h"
#include "sheets/exact_extents.h"
#include "sheets/marker_entities.h"
#include "titleblock/tk_ranges.h"
#include "titleblock/tk_sheets.h"
#include "titleblock/tk_text_extraction.h"

namespace {

void Set_Sheet_Rectangle(Plot_Drawing2& sheet, const ZcDbExtents& box)
{
    sheet.Min_Corner.set(box.minPoint().x, box.minPoint().y);
    sheet.Max_Corner.set(box.maxPoint().x, box.maxPoint().y);
    sheet.Width = std::fabs(sheet.Max_Corner.x - sheet.Min_Corner.x);
    sheet.Height = std::fabs(sheet.Max_Corner.y - sheet.Min_Corner.y);
    sheet.Portrait = sheet.Height > sheet.Width;
}

}  // namespace

bool Plot_Drawing2::Set_Extents_And_Marker(ZcDbObjectId layer_id, ZcDbObjectId space_id)
{
    TK_Frame_Ref frame;
    if (Insert_Id.isNull() || !Measure_TK_Frame(Insert_Id, frame))
        return false;
    if (frame.Extents.isValid())
        Set_Sheet_Rectangle(*this, frame.Extents);
    ZcDbExtents plot_range;
    double angle = 0.0;
    if (Map_TK_Range(TK, frame, TK_Range_Plot, plot_range, angle) && Check_Extents(plot_range))
        Set_Sheet_Rectangle(*this, plot_range);
    if (!layer_id.isNull())
        Marker_Id = Append_Sheet_Marker(Min_Corner, Max_Corner, layer_id, space_id);
    return true;
}

bool Plot_Drawing2::Read_Texts()
{
    TK_Frame_Ref frame;
    const bool measured = TK != nullptr && Measure_TK_Frame(Insert_Id, frame);
    for (int field = TK_Range_A; field <= TK_Range_F; ++field) {
        Text_Ids[field - 1].removeAll();
        Text[field - 1] = measured ? Read_Range_Text(TK, frame, field, Text_Ids[field - 1]) : CString();
    }
    if (TK == nullptr)
        return false;
    Build_File_Name();
    Angle = 0.0;
    for (int stamp = 0; stamp < 4; ++stamp) {
        Stamp_Pos[stamp] = Stamp_Pos_Unset;
        ZcDbExtents box;
        double angle = 0.0;
        if (measured && Map_TK_Range(TK, frame, TK_Range_Stamp_1 + stamp, box, angle)) {
            const ZcGePoint3d centre = Get_Extents_Centre(box);
            Stamp_Pos[stamp].set(centre.x, centre.y);
            Angle = angle;
        }
    }
    return true;
}
