#include "tools/outer_frame.h"

#include <algorithm>
#include <cmath>

#include "core/command_context.h"
#include "core/command_handlers.h"
#include "core/make_entities.h"
#include "core/plot_config.h"
#include "core/selection_helpers.h"
#include "core/space_helpers.h"
#include "core/ucs_transform.h"
#include "sheets/exact_extents.h"
#include "tools/dlg_rec_setting.h"
#include "ui/module_resources.h"

bool g_Outer_Frame_Pick = false;

namespace {

// Clears the pick flag however the selection ends.
class Outer_Frame_Pick_Scope {
public:
    Outer_Frame_Pick_Scope() { g_Outer_Frame_Pick = true; }
    ~Outer_Frame_Pick_Scope() { g_Outer_Frame_Pick = false; }
    Outer_Frame_Pick_Scope(const Outer_Frame_Pick_Scope&) = delete;
    Outer_Frame_Pick_Scope& operator=(const Outer_Frame_Pick_Scope&) = delete;
};

bool Select_Graphics(ZcDbObjectIdArray& ids)
{
    Outer_Frame_Pick_Scope pick;
    return Select_With_Prompt(L"\n选择图形：( 按S键设置 )", ids, false, false);
}

}  // namespace

void Widen_Outer_Frame(double& x1, double& y1, double& x2, double& y2, int margin_mode, double margin,
                       double percent, bool sqrt2)
{
    double m = 0.0;
    if (margin_mode == Outer_Fixed_Margin)
        m = margin;
    else if (margin_mode == Outer_Percent_Margin)
        m = std::min(x2 - x1, y2 - y1) * percent / 100.0;
    x1 -= m;
    y1 -= m;
    x2 += m;
    y2 += m;
    if (!sqrt2)
        return;
    const double r = std::sqrt(2.0);
    double w = x2 - x1, h = y2 - y1;
    if (w >= h) {
        if (w >= r * h)
            h = w / r;
        else
            w = r * h;
    } else {
        if (w >= h / r)
            h = r * w;
        else
            w = h / r;
    }
    const double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
    x1 = cx - w / 2;
    x2 = cx + w / 2;
    y1 = cy - h / 2;
    y2 = cy + h / 2;
}

bool Make_Outer_Frame_Once()
{
    ZcDbObjectIdArray ids;
    if (!Select_Graphics(ids))
        return false;
    ZcDbExtents extents;
    Get_Ids_Extents(extents, ids);
    if (!extents.isValid())
        return true;  // nothing measurable: no frame, the next selection follows
    double x1 = extents.minPoint().x, y1 = extents.minPoint().y;
    double x2 = extents.maxPoint().x, y2 = extents.maxPoint().y;
    // Read now: a change made with S during this selection applies to this frame.
    const Plot_Config& settings = g_Plot_Config;
    Widen_Outer_Frame(x1, y1, x2, y2, settings.Outer_Margin_Mode, settings.Outer_Margin,
                      settings.Outer_Margin_Percent, settings.Outer_Sqrt2 != 0);
    ZcGePoint2dArray points;
    for (const ZcGePoint2d& corner : {ZcGePoint2d(x1, y1), ZcGePoint2d(x2, y1), ZcGePoint2d(x2, y2),
                                      ZcGePoint2d(x1, y2), ZcGePoint2d(x1, y1)}) {
        ZcGePoint2d world = corner;
        g_Ucs.Ucs_To_World_2d(world);
        points.append(world);
    }
    ZcDbObjectId frame;
    Make_Polyline(frame, points, Keep_Color, ZcDbObjectId::kNull, ZcDbObjectId::kNull, 0.0);
    return true;
}

void Make_Outer_Frame()
{
    Command_Scope command;
    g_Ucs.Capture(false);
    while (Make_Outer_Frame_Once()) {
    }
}

void Show_Rec_Setting()
{
    // The dialog's own keys are no settings request.
    const bool picking = g_Outer_Frame_Pick;
    g_Outer_Frame_Pick = false;
    {
        Module_Resource_Scope resources;
        Dlg_Rec_Setting dialog(nullptr);
        dialog.DoModal();
    }
    g_Outer_Frame_Pick = picking;
}
