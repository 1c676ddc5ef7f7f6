// The two pick commands of the single plot and its retry command.
#include "core/command_context.h"
#include "core/command_handlers.h"
#include "core/file_operations.h"
#include "core/follow_up.h"
#include "core/plot_option.h"
#include "core/selection_helpers.h"
#include "core/space_helpers.h"
#include "core/sysvar_helpers.h"
#include "ed/prompts.h"
#include "ge/extents.h"
#include "plot/dwg_export.h"
#include "plot/output_failures.h"
#include "plot/output_folders.h"
#include "plot/plot_sheet.h"
#include "dialogs/single_plot.h"
#include "plot/standard_style_rename.h"
#include "sheets/exact_extents.h"
#include "win/win_error.h"

namespace {

// The drawing's stored options become the options in force.
void Read_Single_Options()
{
    g_Dwg_Plot_Option.Read_Dwg_Setting();
    g_Cur_Plot_Option = &g_Dwg_Plot_Option;
}

// Drawing-file output of the window: the entities of the window, or the given ones.
void Export_Single_Drawing(const ZcGePoint2d& first, const ZcGePoint2d& second, ZcDbObjectIdArray* ids)
{
    CString path;
    if (!Get_Single_Output_Name(path))
        return;
    Standard_Style_Rename rename;
    rename.Rename();
    if (ids != nullptr)
        Export_Ids_To_Dwg(first, second, *ids, path, true, false);
    else
        Export_Window_To_Dwg(first, second, path, true, false);
    rename.Restore();
}

// Asks the first corner until a point comes (Tab and S act meanwhile); false on cancel.
bool Ask_First_Corner(ads_point point)
{
    for (;;) {
        zcedInitGet(0, L"S");
        g_Single_Pick_Mode = true;
        const int status = zcedGetPoint(nullptr, L"\n选择打印范围第一点：( 按Tab键-->选择打印图形 ) ( 按S键设置 )", point);
        g_Single_Pick_Mode = false;
        if (status == RTCAN)
            return false;
        if (status == RTNORM)
            return true;
    }
}

}  // namespace

void Run_SinglePlot_SelectP()
{
    Command_Scope scope;
    ads_point first, second;
    if (!Ask_First_Corner(first))
        return;
    if (zcedGetCorner(first, L"\n选择第二点：", second) != RTNORM)
        return;
    Read_Single_Options();
    const ZcGePoint2d corner1(first[0], first[1]), corner2(second[0], second[1]);
    if (Single_Output_Is_Drawing())
        Export_Single_Drawing(corner1, corner2, nullptr);
    else
        Plot_Single_Window(corner1, corner2);
}

void Run_SinglePlot_SelectW()
{
    Command_Scope scope;
    ZcDbObjectIdArray ids;
    g_Single_Pick_Mode = true;
    const bool selected =
        Select_With_Prompt(L"\n选择要打印的图形：( 按Tab键-->点选打印范围 ) ( 按S键设置 )", ids, false, false);
    g_Single_Pick_Mode = false;
    if (!selected)
        return;
    ZcDbObjectIdArray measured = ids;  // measuring empties the array
    ZcDbExtents extents;
    Get_Ids_Extents(extents, measured);
    const ZcGePoint2d lower(extents.minPoint().x, extents.minPoint().y);
    const ZcGePoint2d upper(extents.maxPoint().x, extents.maxPoint().y);
    Read_Single_Options();
    if (Single_Output_Is_Drawing())
        Export_Single_Drawing(lower, upper, &ids);
    else
        Plot_Single_Window(lower, upper);
}

void Run_SinglePlot_Plot_Standby()
{
    Command_Scope scope;
    Set_Var_Int(L"FILEDIA", 0);
    // The answers of the space the failed plot was made in: nothing changed it since.
    const bool plotted = Plot_Sheet_To_File(Is_Paper_Space(), g_Single_Retry_Path, g_Single_Retry_Signatures,
                                            g_Single_Retry_Portrait, CString());
    // A file the retry did not write is not handed to the shell but told.
    if (plotted) {
        Open_Single_Output(g_Single_Retry_Path);
    } else {
        Output_Failures failures;
        failures.Add(File_Name_Of(g_Single_Retry_Path), GetLastError());
        failures.Show(1);
    }
    // The single plot starts again for the next sheet.
    Queue_Follow_Up(L"KV_DivezUrez_1");
    Restore_FileDia();
}

// The internal commands.
void SinglePlot_SelectP() { Run_SinglePlot_SelectP(); }
void SinglePlot_SelectW() { Run_SinglePlot_SelectW(); }
void SinglePlot_Plot_Standby() { Run_SinglePlot_Plot_Standby(); }
