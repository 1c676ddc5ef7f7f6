#include "plot/dwg_export.h"

#include <cmath>
#include <memory>
#include <vector>

#include "core/file_messages.h"
#include "core/file_operations.h"
#include "core/host_adapter.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/space_helpers.h"
#include "core/view_helpers.h"
#include "db/dblayout.h"
#include "ed/docman.h"
#include "ed/host_window.h"
#include "plot/batch_window.h"
#include "plot/dwg_table_style.h"
#include "plot/dwg_viewports.h"
#include "plot/dwg_window_pick.h"
#include "plot/output_failures.h"
#include "plot/output_folders.h"
#include "plot/standard_style_rename.h"
#include "sheets/sheet_records.h"
#include "sheets/wblock_to_file.h"
#include "titleblock/tk_sheets.h"
#include "win/win_error.h"
#include "win/windows.h"

namespace {

void Show_Export_Error()
{
    MessageBoxW(adsw_zcadMainWnd(), L"导出dwg出错，可能文件内含有代理对象等不可操作对象 !", L"错误提醒",
                MB_OK | MB_ICONINFORMATION);
}

// The text between the path's last backslash and its last dot.
CString File_Title(const CString& file)
{
    const int slash = file.ReverseFind(L'\\');
    int dot = file.ReverseFind(L'.');
    if (dot <= slash)
        dot = file.GetLength();
    return file.Mid(slash + 1, dot - slash - 1);
}

// The new drawing's paper space for a layout sheet (its layout named and made current), or
// its model space.
ZcDbBlockTableRecord* Open_Target_Record(ZcDbDatabase* drawing, bool paper, bool name_layout, const CString& file)
{
    ZcDbBlockTableRecord* record = nullptr;
    if (!paper) {
        zcdbOpenObject(record, drawing->modelSpaceId(), ZcDb::kForWrite);
        return record;
    }
    if (zcdbOpenObject(record, drawing->paperSpaceId(), ZcDb::kForRead) != Zcad::eOk)
        return nullptr;
    const ZcDbObjectId layout_id = record->getLayoutId();
    record->close();
    std::wstring name;
    {
        ZcDbObjectPointer<ZcDbLayout> layout(layout_id, ZcDb::kForWrite);
        if (layout.openStatus() == Zcad::eOk) {
            if (name_layout)
                layout->setLayoutName(File_Title(file));
            layout->getName(name);
        }
    }
    if (!name.empty())
        zcdbHostApplicationServices()->layoutManager()->setCurrentLayout(name.c_str(), drawing);
    if (zcdbOpenObject(record, drawing->paperSpaceId(), ZcDb::kForWrite) != Zcad::eOk)
        return nullptr;
    return record;
}

}  // namespace

void Open_Exported_Dwg(const CString& file)
{
    zcDocManager->appContextOpenDocument(file);
}

bool Export_Ids_To_Dwg(const ZcGePoint2d& corner1, const ZcGePoint2d& corner2, ZcDbObjectIdArray& ids,
                       const CString& file, bool open, bool name_layout, bool report_failure)
{
    ZcDbDatabase* source = zcdbHostApplicationServices()->workingDatabase();
    const bool paper = Is_Paper_Space();
    auto drawing = std::make_unique<ZcDbDatabase>(true, true);
    const ZcGePoint3d centre((corner1.x + corner2.x) / 2.0, (corner1.y + corner2.y) / 2.0, 0.0);
    ViewPort_Infor_Array viewports;
    if (paper)
        Collect_Viewport_Infor(ids, viewports);
    drawing->setLtscale(source->ltscale());
    drawing->setCeltscale(source->celtscale());
    Copy_Standard_Text_Style(drawing.get());
    Copy_Standard_Table_Style(drawing.get());

    bool written = false;
    DWORD error = ERROR_WRITE_FAULT;
    ZcDbDatabase* temporary = nullptr;
    if ((viewports.GetSize() > 0 && !Copy_Model_Space_As_Block(drawing.get())) ||
        source->wblock(temporary, ids, centre) != Zcad::eOk || temporary == nullptr) {
        Show_Export_Error();
    } else {
        const ZcDbObjectId block_id = Insert_Drawing_As_Block(drawing.get(), temporary, Make_Time_Stamp(L"BK"));
        ZcDbBlockTableRecord* record = Open_Target_Record(drawing.get(), paper, name_layout, file);
        if (record != nullptr) {
            Append_Block_Reference(record, block_id, g_Plot_Config.Dwg_As_Block == 0);
            Rebuild_Viewports(drawing.get(), record, centre, viewports);
            record->close();
        }
        Set_Database_View(drawing.get(), std::fabs(corner2.x - corner1.x) * 1.05,
                          std::fabs(corner2.y - corner1.y) * 1.05, 0.0, 0.0, paper);
        written = Save_Exported_Drawing(drawing.get(), file, report_failure);
        error = GetLastError();
        drawing.reset();
        if (written && open)
            Open_Exported_Dwg(file);
    }
    for (INT_PTR i = 0; i < viewports.GetSize(); ++i)
        delete viewports[i];
    viewports.RemoveAll();
    ids.removeAll();
    if (!written)
        SetLastError(error);
    return written;
}

bool Export_Window_To_Dwg(const ZcGePoint2d& corner1, const ZcGePoint2d& corner2, const CString& file,
                          bool open, bool name_layout, bool report_failure)
{
    ZcDbObjectIdArray ids;
    Collect_Window_Ids(corner1, corner2, ids);
    return Export_Ids_To_Dwg(corner1, corner2, ids, file, open, name_layout, report_failure);
}

namespace {

// One sheet of an export: its space, window and output name.
struct Dwg_Export_Sheet {
    ZcDbObjectId space_id;
    ZcGePoint2d min_corner;
    ZcGePoint2d max_corner;
    CString name;
};

// Each sheet into "<folder>\\<name>.dwg" of the output folder of the options in force.
bool Export_Sheet_Windows(const std::vector<Dwg_Export_Sheet>& sheets, CString& out_folder, int* written)
{
    if (written != nullptr)
        *written = 0;
    Standard_Style_Rename styles;
    styles.Rename();
    Plot_Option& option = g_Cur_Plot_Option != nullptr ? *g_Cur_Plot_Option : g_Dwg_Plot_Option;
    out_folder = Get_Output_Folder(option.Folder_Mode, option.Output_Type, option.Folder, CString());
    CreateDirectoryW(out_folder, nullptr);
    if (Path_Kind(out_folder) != 2) {
        // Nothing could be saved there: said once, instead of once per sheet.
        Show_Write_Failure(out_folder);
        styles.Restore();
        return false;
    }
    ZcDbObjectId start_space;
    if (ZcDbBlockTableRecord* space = Get_Current_Space_Record(zcdbHostApplicationServices()->workingDatabase(), false)) {
        start_space = space->objectId();
        space->close();
    }
    Batch_Progress_Begin(static_cast<int>(sheets.size()));
    Output_Failures failures;
    int saved = 0;
    for (const Dwg_Export_Sheet& sheet : sheets) {
        Activate_Layout_Of_Block(sheet.space_id);
        const CString file = out_folder + L"\\" + sheet.name + Drawing_File_Extension;
        Batch_Progress_Step();
        // The earlier file stays until the new drawing replaces it whole; a file that cannot
        // be replaced is told with the others at the end.
        if (Export_Window_To_Dwg(sheet.min_corner, sheet.max_corner, file, false, true, false))
            ++saved;
        else
            failures.Add(sheet.name, GetLastError());
        if (Batch_Take_Stop_Request() &&
            MessageBoxW(adsw_zcadMainWnd(), L"是否中断 ？", L"Korvel", MB_YESNO | MB_ICONINFORMATION) == IDYES)
            break;
    }
    if (!start_space.isNull())
        Activate_Layout_Of_Block(start_space);
    Batch_Progress_End();
    styles.Restore();
    failures.Show(saved + failures.Count());
    if (written != nullptr)
        *written = saved;
    return saved > 0;
}

}  // namespace

bool Export_Sheets_To_Dwg1(Plot_Sheet_Set& sheet_set, CString& out_folder, int* written)
{
    std::vector<Dwg_Export_Sheet> sheets;
    for (INT_PTR i = 0; i < sheet_set.Plot_List.GetSize(); ++i) {
        const Plot_Drawing1* sheet = sheet_set.Plot_List[i];
        sheets.push_back({sheet->Space_Id, sheet->Min_Corner, sheet->Max_Corner, sheet->Output_Name});
    }
    return Export_Sheet_Windows(sheets, out_folder, written);
}

bool Export_Sheets_To_Dwg2(TK_Sheet_List& sheet_list, CString& out_folder, int* written)
{
    std::vector<Dwg_Export_Sheet> sheets;
    for (INT_PTR i = 0; i < sheet_list.Sheets.GetSize(); ++i) {
        const Plot_Drawing2* sheet = sheet_list.Sheets[i];
        sheets.push_back({sheet->Space_Id, sheet->Min_Corner, sheet->Max_Corner, Join_Line_Breaks(sheet->File_Name)});
    }
    return Export_Sheet_Windows(sheets, out_folder, written);
}
