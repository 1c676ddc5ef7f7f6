#include "sheets/plot_set.h"

#include "core/file_operations.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/program_folders.h"
#include "core/string_helpers.h"
#include "core/sysvar_helpers.h"
#include "db/dbdatabase.h"
#include "db/dblayout.h"
#include "ed/docman.h"
#include "ed/editor.h"
#include "ed/host_window.h"
#include "mfc/winuser.h"
#include "plot/dbplotsetval.h"
#include "plot/zcplplotengine.h"
#include "sheets/plotter_files.h"

int g_Preview_Kind = 0;
int g_Preview_Index = -1;

namespace {

int No_Open_List(int) { return 0; }

// PSTYLEMODE: 1 colour-dependent tables, 0 named ones; -1 when it cannot be read.
int Plot_Style_Mode()
{
    int16_t mode = 0;
    return Get_Var_Int(L"PSTYLEMODE", mode) ? mode : -1;
}

CString Upper(const CString& text)
{
    CString upper = text;
    upper.MakeUpper();
    return upper;
}

// Moves the candidates containing the text (all when it is null) to the end of the list.
void Move_Group(CStringArray& candidates, const wchar_t* text, CStringArray& list)
{
    for (INT_PTR i = 0; i < candidates.GetSize();) {
        if (text == nullptr || candidates[i].Find(text) >= 0) {
            list.Add(candidates[i]);
            candidates.RemoveAt(i);
        } else {
            ++i;
        }
    }
}

// Keeps the first of names equal without regard to case.
void Remove_Later_Duplicates(CStringArray& list)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        for (INT_PTR j = list.GetSize() - 1; j > i; --j)
            if (list[j].CompareNoCase(list[i]) == 0)
                list.RemoveAt(j);
}

}  // namespace

bool Is_Printer_Device(const CString& device)
{
    const CString name = Upper(device);
    if (name == L"无" || name == L"FAX")
        return false;
    for (const wchar_t* part : {L"NONE", L"DWF", L"JPG", L"PNG", L"K_EPS", L"SVG", L"MICROSOFT XPS"})
        if (name.Find(part) >= 0)
            return false;
    return name.Find(L"PDF") < 0 || name.Find(L"FACT") >= 0 || name.Find(L"工厂") >= 0;
}

void Order_Style_Sheets(CStringArray& candidates, const CString& extension, CStringArray& list)
{
    list.RemoveAll();
    for (INT_PTR i = candidates.GetSize() - 1; i >= 0; --i)
        if (candidates[i].Right(4).CompareNoCase(extension) != 0)
            candidates.RemoveAt(i);
    for (const wchar_t* group : {L"黑白", L"彩色", L"蓝白"})
        Move_Group(candidates, group, list);
    Move_Group(candidates, nullptr, list);
    Remove_Later_Duplicates(list);
}

namespace {

// x and y of the host variable TARGET; (0, 0) when it cannot be read.
void View_Target(double& x, double& y)
{
    x = y = 0.0;
    resbuf rb{};
    if (zcedGetVar(L"TARGET", &rb) == RTNORM && (rb.restype == RT3DPOINT || rb.restype == RTPOINT)) {
        x = rb.resval.rpoint[0];
        y = rb.resval.rpoint[1];
    }
}

}  // namespace

int (*g_Preview_List_Count)(int kind) = No_Open_List;

Plot_Set::Plot_Set()
{
    ZcDbHostApplicationServices* services = zcdbHostApplicationServices();
    if (services == nullptr)
        return;
    Layout_Manager = services->layoutManager();
    Validator = services->plotSettingsValidator();
    if (Layout_Manager != nullptr) {
        const wchar_t* name = Layout_Manager->findActiveLayout(true, services->workingDatabase());
        const ZcDbObjectId id =
            name != nullptr ? Layout_Manager->findLayoutNamed(name, services->workingDatabase()) : ZcDbObjectId();
        ZcDbObject* object = nullptr;
        if (!id.isNull() && zcdbOpenObject(object, id, ZcDb::kForWrite) == Zcad::eOk) {
            Layout = ZcDbLayout::cast(object);
            if (Layout == nullptr)
                object->close();
        }
    }
    if (Layout == nullptr || Validator == nullptr)
        return;
    Validator->refreshLists(Layout);
    Load_Style_Sheets();
    Load_Device_Name();
    Load_Media_Names();
}

Plot_Set::~Plot_Set() { Close_Layout(); }

void Plot_Set::Close_Layout()
{
    if (Layout != nullptr)
        Layout->close();
    Layout = nullptr;
}

CString Plot_Set::Layout_Device() const
{
    const wchar_t* name = nullptr;
    return Layout != nullptr && Layout->getPlotCfgName(name) == Zcad::eOk && name != nullptr ? CString(name)
                                                                                          : CString();
}

void Plot_Set::Load_Device_Name()
{
    const wchar_t* name = nullptr;
    if (Layout != nullptr && Layout->getPlotCfgName(name) == Zcad::eOk)
        Device_Name = name;
}

void Plot_Set::Load_Media_Names()
{
    Media_Display_Names.RemoveAll();
    Media_Canonical_Names.RemoveAll();
    if (Layout == nullptr || Validator == nullptr)
        return;
    Media_Device = Layout_Device();
    ZcArray<const wchar_t*> list;
    Validator->canonicalMediaNameList(Layout, list);
    CStringArray canonical_names;
    for (int i = 0; i < list.length(); ++i)
        canonical_names.Add(list[i]);
    for (INT_PTR i = 0; i < canonical_names.GetSize(); ++i) {
        const wchar_t* locale = nullptr;
        Validator->getLocaleMediaName(Layout, canonical_names[i].GetString(), locale);
        const CString display = locale;
        CString canonical_check = canonical_names[i], display_check = display;
        Remove_Blanks(canonical_check);
        Remove_Blanks(display_check);
        if (canonical_check.IsEmpty() || display_check.IsEmpty())
            continue;
        Media_Display_Names.Add(display);
        Media_Canonical_Names.Add(canonical_names[i]);
    }
    Load_Media_Name();
}

void Plot_Set::Load_Media_Name()
{
    const wchar_t* current_name = nullptr;
    if (Layout == nullptr || Layout->getCanonicalMediaName(current_name) != Zcad::eOk || current_name == nullptr)
        return;
    for (INT_PTR i = 0; i < Media_Canonical_Names.GetSize() && i < Media_Display_Names.GetSize(); ++i)
        if (Media_Canonical_Names[i].CompareNoCase(current_name) == 0)
            Media_Name = Media_Display_Names[i];
}

void Plot_Set::Load_Style_Sheets()
{
    Style_List.RemoveAll();
    if (Layout == nullptr || Validator == nullptr)
        return;
    const CString extension = Plot_Style_Mode() > 0 ? L".ctb" : L".stb";
    const wchar_t* current = nullptr;
    if (Layout->getCurrentStyleSheet(current) == Zcad::eOk)
        Style_Name = current;

    CStringArray candidates;
    ZcArray<const wchar_t*> tables;
    Validator->plotStyleSheetList(tables);
    for (int i = 0; i < tables.length(); ++i)
        candidates.Add(tables[i]);
    if (candidates.IsEmpty())
        List_Style_Folder_Files(candidates);
    Order_Style_Sheets(candidates, extension, Style_List);

    Layout->setPrintLineweights(g_Plot_Config.Plot_Lineweights != 0);
    Layout->setPlotTransparency(g_Plot_Config.Plot_Transparency != 0);
    Layout->setPlotPlotStyles(true);
}

bool Plot_Set::Set_Device(const CString& device_name)
{
    if (Layout == nullptr || Validator == nullptr)
        return false;
    const bool accepted = Validator->setPlotCfgName(Layout, device_name.GetString(), nullptr) == Zcad::eOk;
    Validator->refreshLists(Layout);
    // The device listed already offers the same media; only the current one may have changed.
    if (!Media_Canonical_Names.IsEmpty() && Layout_Device().CompareNoCase(Media_Device) == 0)
        Load_Media_Name();
    else
        Load_Media_Names();
    return accepted;
}

CString Plot_Set::Set_Media(const CString& paper_name, bool rotated_first)
{
    const CString first = rotated_first ? paper_name + L"T" : paper_name;
    const CString second = rotated_first ? paper_name : paper_name + L"T";
    if (Layout == nullptr || Validator == nullptr)
        return first;
    if (Validator->setCanonicalMediaName(Layout, Media_Canonical_Name(first).GetString()) == Zcad::eOk)
        return first;
    Validator->setCanonicalMediaName(Layout, Media_Canonical_Name(second).GetString());
    return second;
}

CString Plot_Set::Select_Style_Sheet(int index)
{
    const CString fallback = Plot_Style_Mode() == 0 ? L"acad.stb" : L"acad.ctb";
    if (index < 0 || index >= Style_List.GetSize())
        return fallback;
    const CString name = Style_List[index];
    if (name.CompareNoCase(Style_Name) != 0 && Layout != nullptr && Validator != nullptr) {
        Validator->setCurrentStyleSheet(Layout, name.GetString());
        Style_Name = name;
    }
    return name;
}

CString Plot_Set::Get_Style_Sheet(int index) const
{
    if (Style_List.IsEmpty())
        return L"acad.ctb";
    return index >= 0 && index < Style_List.GetSize() ? Style_List[index] : Style_List[0];
}

void Plot_Set::Set_Window(const ZcGePoint2d& first, const ZcGePoint2d& second, double scale, bool subtract_target)
{
    if (Layout == nullptr || Validator == nullptr)
        return;
    double grow = 0.0;
    if (g_Cur_Plot_Option != nullptr) {
        const bool margins = g_Cur_Plot_Option->Unequal_Margin != 0 || g_Cur_Plot_Option->Margin != 0 ||
                             g_Plot_Config.Plot_Outer_Line != 0;
        grow = (margins ? 0.1 : -0.1) * scale;
    }
    double target_x = 0.0, target_y = 0.0;
    if (subtract_target)
        View_Target(target_x, target_y);
    Validator->setPlotWindowArea(Layout, first.x - target_x - grow, first.y - target_y - grow,
                                 second.x - target_x + grow, second.y - target_y + grow);
    Validator->setPlotType(Layout, ZcDbPlotSettings::kWindow);
    Validator->setPlotCentered(Layout, true);
    Validator->setUseStandardScale(Layout, true);
    Validator->setStdScaleType(Layout, ZcDbPlotSettings::kScaleToFit);
}

void Plot_Set::Reset_Rotation()
{
    if (Layout != nullptr && Validator != nullptr)
        Validator->setPlotRotation(Layout, ZcDbPlotSettings::k0degrees);
}

CString Plot_Set::Media_Canonical_Name(const CString& display_name) const
{
    for (INT_PTR i = 0; i < Media_Display_Names.GetSize() && i < Media_Canonical_Names.GetSize(); ++i)
        if (Media_Display_Names[i].CompareNoCase(display_name) == 0)
            return Media_Canonical_Names[i];
    return L"A1";
}

void Plot_Set::Get_Printer_List(CStringArray& printers)
{
    printers.RemoveAll();
    if (Validator == nullptr)
        return;
    ZcArray<const wchar_t*> devices;
    Validator->plotDeviceList(devices);
    for (int i = 0; i < devices.length(); ++i)
        if (devices[i] != nullptr && Is_Printer_Device(devices[i]))
            printers.Add(devices[i]);
}

bool Plot_Set::Is_Paper_Landscape() const
{
    double width = 0.0, height = 0.0;
    return Layout != nullptr && Layout->getPlotPaperSize(width, height) == Zcad::eOk && width > height;
}

void Plot_Set::Preview(int kind, int index)
{
    g_Preview_Kind = 0;
    g_Preview_Index = -1;
    const int count = kind >= 1 && kind <= 3 ? g_Preview_List_Count(kind) : 0;
    if (count < 1 || index < 0 || index >= count || Layout == nullptr)
        return;
    long flags = ZcPlPlotFactory::kShowPlot;
    if (count > 1)
        flags = index == 0 ? ZcPlPlotFactory::kShowNextSheet
                : index == count - 1 ? ZcPlPlotFactory::kShowPreviousSheet
                                     : ZcPlPlotFactory::kShowNextSheet | ZcPlPlotFactory::kShowPreviousSheet;

    // The settings as this helper left them travel as the plot's overrides.
    const ZcDbObjectId layout_id = Layout->objectId();
    ZcDbPlotSettings settings(Layout->modelType());
    settings.copyFrom(Layout);
    Close_Layout();

    HWND frame = adsw_zcadMainWnd();
    ShowWindow(frame, SW_SHOW);
    SetFocus(frame);

    ZcPlPlotEngine* engine = nullptr;
    if (ZcPlPlotFactory::createPreviewEngine(engine, flags) != Zcad::eOk || engine == nullptr)
        return;
    g_Preview_Kind = kind;
    g_Preview_Index = index;

    ZcPlPlotPageInfo page;
    ZcPlPlotInfo info;
    info.setLayout(layout_id);
    info.setOverrideSettings(&settings);
    ZcPlPlotInfoValidator validator;
    validator.setMediaMatchingPolicy(ZcPlPlotInfoValidator::kMatchEnabledCustom);
    validator.validate(info);

    ZcApDocument* document = zcDocManager->curDocument();
    ZcPlPreviewEndPlotInfo end;
    engine->beginPlot(nullptr);
    engine->beginDocument(info, document != nullptr ? document->fileName() : L"", nullptr, 1, false);
    engine->beginPage(page, info, true);
    engine->beginGenerateGraphics();
    engine->endGenerateGraphics();
    engine->endPage(&end);
    engine->endDocument();
    engine->endPlot();
    engine->destroy();

    if (end.mStatus == ZcPlPreviewEndPlotInfo::kNext)
        ++g_Preview_Index;
    else if (end.mStatus == ZcPlPreviewEndPlotInfo::kPrevious)
        --g_Preview_Index;
}

void List_File_Names(const CString& folder, CStringArray& names)
{
    CStringArray paths;
    List_Folder_Files(folder, paths, false);
    for (INT_PTR i = 0; i < paths.GetSize(); ++i)
        names.Add(paths[i].Mid(paths[i].ReverseFind(L'\\') + 1));
}

void List_Style_Folder_Files(CStringArray& names)
{
    CStringArray folders;
    Split_Folder_List(g_Plot_Style_Folder, folders);
    for (INT_PTR i = 0; i < folders.GetSize(); ++i)
        if (Path_Kind(folders[i]) == 2)
            List_File_Names(folders[i], names);
}
