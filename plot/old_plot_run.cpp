// The run of the old batch plot: the ordered areas shown numbered, confirmed, and plotted
// one "-plot" each with the device, paper and style of the current layout.
#include <cmath>

#include "core/doc_lock.h"
#include "core/file_dialogs.h"
#include "core/file_operations.h"
#include "core/host_command.h"
#include "core/name_lookups.h"
#include "core/program_folders.h"
#include "core/space_helpers.h"
#include "core/ucs_transform.h"
#include "ed/host_window.h"
#include "ed/prompts.h"
#include "plot/old_plot_setting.h"
#include "plot/batch_run.h"
#include "plot/output_failures.h"
#include "plot/output_folders.h"
#include "plot/plot_sheet.h"
#include "sheets/marker_entities.h"
#include "sheets/plot_set.h"
#include "win/win_error.h"
#include "win/windows.h"

namespace {

ZcGePoint2d Point_2d(const ZcGePoint3d& point) { return ZcGePoint2d(point.x, point.y); }

// The areas as numbered markers in the current space; their ids are appended.
void Show_Markers(const Old_Plot_Setting& setting, ZcDbObjectIdArray& markers)
{
    for (int i = 0; i < setting.Area_Count(); ++i) {
        auto* marker = new Temp_PlotRec;
        marker->Set_Number(i + 1);
        marker->Set_Corners(Point_2d(setting.Lower_Corners[i]), Point_2d(setting.Upper_Corners[i]));
        marker->Set_State(Marker_Normal);
        marker->Set_Ucs(g_Ucs.Active, g_Ucs.World_To_Ucs_Matrix);
        ZcDbObjectId id;
        Append_Entity(id, marker, Keep_Color, true, ZcDbObjectId::kNull, ZcDbObjectId::kNull);
        if (id.isNull())
            delete marker;
        else
            markers.append(id);
    }
    Update_Screen();
}

void Erase_Markers(ZcDbObjectIdArray& markers)
{
    for (ZcDbObjectId& id : markers)
        Erase_Sheet_Marker(id);
    markers.removeAll();
}

bool Confirm_Plot(const Old_Plot_Setting& setting)
{
    CString text;
    if (setting.To_Plt != 0)
        text.Format(L"共有 %d 张图纸打印，现在开始打印 ？", setting.Area_Count());
    else
        text.Format(L"共有 %d 张图纸打印，打印 %d 份，现在开始打印 ？", setting.Area_Count(), setting.Copies);
    return MessageBoxW(adsw_zcadMainWnd(), text.GetString(), L"Korvel批打印", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// One area through "-plot" with the current layout's page setup, plotted as a window
// scaled to fit; a PLT file replaces the earlier one only once it is whole. False, with the
// thread's last error saying why, when the area did not go out.
bool Plot_One_Area(const ZcGePoint3d& lower, const ZcGePoint3d& upper, const CString& orientation, bool in_layout,
                   bool to_plt, const CString& file_name)
{
    bool done = false;
    DWORD error = ERROR_SUCCESS;
    {
        Doc_Lock lock;
        Plot_Set plot_set;
        plot_set.Set_Window(Point_2d(lower), Point_2d(upper), 0.0, false);
        plot_set.Close_Layout();
        done = Plot_Into_File(file_name, [&](const CString& file) {
            CStringArray items;
            items.Add(L"-plot");
            Old_Plot_Answers(in_layout, to_plt, orientation, file, items);
            return Run_Host_Command(items);
        });
        error = GetLastError();
    }
    SetLastError(error);
    return done;
}

// How the user knows an area: its PLT file, else its number.
CString Area_Name(const CString& file_name, int area)
{
    if (!file_name.IsEmpty())
        return File_Name_Of(file_name);
    CString name;
    name.Format(L"第 %d 张", area + 1);
    return name;
}

}  // namespace

CString Old_Plot_File_Name(const CString& base, int k)
{
    CString name;
    if (k <= 9)
        name.Format(L"%s-00%d.%s", base.GetString(), k, L"plt");
    else if (k <= 99)
        name.Format(L"%s-0%d.%s", base.GetString(), k, L"plt");
    else
        name.Format(L"%s-%d.%s", base.GetString(), k, L"plt");
    return name;
}

void Old_Plot_Answers(bool in_layout, bool to_plt, const CString& orientation, const CString& file_name,
                      CStringArray& items)
{
    // Detailed configuration; layout, device, paper and units as the page setup has them.
    for (const wchar_t* item : {L"y", L"", L"", L"", L""})
        items.Add(item);
    items.Add(orientation);
    // Not upside down as set; the window Plot_Set prepared; scale, offset, styles,
    // lineweights and the space's first option as set.
    for (const wchar_t* item : {L"", L"W", L"", L"", L"", L"", L"", L"", L"", L""})
        items.Add(item);
    const CString empty;
    if (in_layout) {
        // Paper space first and hidden objects as set, then the output.
        items.Add(empty);
        items.Add(empty);
        if (to_plt) {
            items.Add(L"Y");
            items.Add(file_name);
        } else {
            items.Add(L"N");
        }
    } else if (to_plt) {
        items.Add(L"Y");
        items.Add(file_name);
    } else {
        items.Add(L"N");
    }
    // Page setup unchanged, then proceed.
    items.Add(empty);
    items.Add(L"Y");
}

bool Old_Plot_Setting::Plot_Areas()
{
    Order_Areas();
    if (Area_Count() == 0) {
        zcedAlert(L"未找到打印区域 !");
        return false;
    }
    ZcDbObjectIdArray markers;
    Show_Markers(*this, markers);
    const bool confirmed = Confirm_Plot(*this);
    Erase_Markers(markers);
    if (!confirmed)
        return false;

    CString base_name;
    if (To_Plt != 0) {
        CString folder;
        if (!Browse_Folder(nullptr, L"请选择放置打印文件的目录：", folder))
            return false;
        Trim_Backslash(folder);
        Output_Folder = Old_Plot_Slot_Name(folder);
        base_name.Format(L"%s\\%s", folder.GetString(), Get_Dwg_Title().GetString());
    }

    File_Dialogs_Off file_dialogs_off;
    const bool in_layout = Is_Paper_Space();
    const int passes = To_Plt != 0 ? 1 : Copies;
    Output_Failures failures;
    for (int pass = 0; pass < passes; ++pass)
        for (int i = 0; i < Area_Count(); ++i) {
            CString file_name;
            if (To_Plt != 0)
                file_name = Old_Plot_File_Name(base_name, i + 1);
            CString orientation;
            if (Auto_Rotate != 0) {
                const double width = std::fabs(Upper_Corners[i].x - Lower_Corners[i].x);
                const double height = std::fabs(Upper_Corners[i].y - Lower_Corners[i].y);
                orientation = width >= height ? L"L" : L"P";
            }
            if (!Plot_One_Area(Lower_Corners[i], Upper_Corners[i], orientation, in_layout, To_Plt != 0, file_name))
                failures.Add(Area_Name(file_name, i), GetLastError());
        }
    failures.Show(passes * Area_Count());
    return true;
}
