// A new definition's frame, taken from a block reference the user picks.
#include <algorithm>
#include <cmath>

#include "core/plot_config.h"
#include "core/selection_helpers.h"
#include "db/dbblkref.h"
#include "db/dbdynblk.h"
#include "db/dbsymtb.h"
#include "ed/host_window.h"
#include "sheets/exact_extents.h"
#include "titleblock/tk_find_sheets.h"
#include "titleblock/tk_library.h"
#include "win/win_msgbox.h"

namespace {

void Show_Pick_Message(const wchar_t* text)
{
    MessageBoxW(adsw_zcadMainWnd(), text, L"Korvel", MB_OK | MB_ICONQUESTION);
}

// The reference's block name (for an anonymous variant of a dynamic block, the name of the
// dynamic definition when it is found) and its dynamic flag; false when the block record
// does not open.
bool Take_Block_Name(const ZcDbBlockReference* reference, TK_Customization& record)
{
    const CString name = TK_Block_Name(reference);
    if (name.IsEmpty())
        return false;
    record.Block_Name = name;
    record.Is_Dynamic = ZcDbDynBlockReference(reference->objectId()).isDynamicBlock() ? 1 : 0;
    return true;
}

// The frame's paper from its size in drawing units: brought into 100..1000 mm on the short
// side and at most 5080 mm on the long side, then snapped to the standard sizes.
bool Take_First_Paper(const ZcDbExtents& frame, double scale, MyPaper& paper)
{
    double units_per_mm = g_Plot_Config.Option.Scale;
    if (!(units_per_mm > 0.0))
        units_per_mm = 100.0;
    const double w = (frame.maxPoint().x - frame.minPoint().x) / units_per_mm / scale;
    const double h = (frame.maxPoint().y - frame.minPoint().y) / units_per_mm / scale;
    if (!(w > 1e-5) || !(h > 1e-5)) {
        Show_Pick_Message(L"图框图块对应的范围无效 !");
        return false;
    }
    double t = std::max(w, h), u = std::min(w, h);
    while (u < 100.0) {
        t *= 10.0;
        u *= 10.0;
    }
    while (u > 1000.0) {
        t /= 10.0;
        u /= 10.0;
    }
    while (t > 5080.0) {
        t /= 10.0;
        u /= 10.0;
    }
    paper.Long_Side = static_cast<int>(std::floor(t + 0.5));
    paper.Short_Side = static_cast<int>(std::floor(u + 0.5));
    paper.Snap_To_Standard();
    return true;
}

}  // namespace

bool Pick_TK_Sample(TK_Customization& record)
{
    ZcDbObjectIdArray ids;
    if (!Select_By_Type(L"\n选择图框对应的图块：", L"insert", ids, false, true) || ids.isEmpty()) {
        Show_Pick_Message(L"未选择到图框对应的图块 !");
        return false;
    }
    ZcDbObjectPointer<ZcDbBlockReference> reference(ids[0], ZcDb::kForRead);
    if (reference.openStatus() != Zcad::eOk)
        return false;
    const bool taken = Take_Block_Name(reference.object(), record);
    record.Angle = reference->rotation();
    const double scale = std::fabs(reference->scaleFactors().sx);
    record.Scale = scale > 0.0 ? scale : 1.0;

    ZcDbExtents frame = Get_Entity_Extents_Ex(reference.object(), false, false);
    if (!frame.isValid())
        frame = Zero_Extents();
    record.Centre = Get_Extents_Centre(frame);
    const ZcGePoint3d& c = record.Centre;
    record.Frame_Ext = ZcDbExtents(ZcGePoint3d(frame.minPoint().x - c.x, frame.minPoint().y - c.y, 0.0),
                                   ZcGePoint3d(frame.maxPoint().x - c.x, frame.maxPoint().y - c.y, 0.0));
    const bool paper_taken = Take_First_Paper(frame, record.Scale, record.Paper);
    return taken && paper_taken;
}
