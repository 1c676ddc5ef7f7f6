// The host's "-plot" command: asks for the layout, device, paper, units, orientation, area,
// scale, offset, plot styles, lineweights, the space's own options and the output file,
// checks each value through the plot-settings validator, then hands the plot job to the
// plot engine. Questions follow the host's order; which ones come depends on the space
// and the device.
#include <cmath>
#include <cwchar>

#include "db/dbdatabase.h"
#include "db/dblayout.h"
#include "ed/command_line.h"
#include "ed/command_stack.h"
#include "ed/sysvars.h"
#include "ed/view.h"
#include "plot/plot_job_sink.h"
#include "plot/preview_job.h"
#include "plot/plot_questions.h"
#include "plot/plot_settings_validator.h"
#include "plot/plot_stamp_setting.h"
#include "win/machine.h"
#include "win/win_files.h"

namespace platform {

namespace {

using Settings = ZcDbPlotSettings;

struct Plot_Session {
    ZcDbDatabase* db = nullptr;
    std::wstring layout_name;
    ZcDbObjectId layout_id;
    ZcDbObjectId block_id;
    Settings work;                 // the layout's plot settings as the answers change them
    ZcDbPlotSettingsValidator* validator = nullptr;
    bool to_file = false;
    std::wstring output_path;
};

void Print(const std::wstring& text) { CommandLine::instance().write(text); }

std::wstring Text_Var(const wchar_t* name)
{
    resbuf value{};
    if (zcedGetVar(name, &value) != RTNORM || value.restype != RTSTR || value.resval.rstring == nullptr)
        return L"";
    std::wstring text = value.resval.rstring;
    delete[] value.resval.rstring;
    return text;
}

std::wstring Cfg_Name(const Settings& s)
{
    const wchar_t* name = nullptr;
    s.getPlotCfgName(name);
    return name != nullptr ? name : L"";
}

std::wstring Media_Name(const Settings& s)
{
    const wchar_t* name = nullptr;
    s.getCanonicalMediaName(name);
    return name != nullptr ? name : L"";
}

std::wstring Style_Name(const Settings& s)
{
    const wchar_t* name = nullptr;
    s.getCurrentStyleSheet(name);
    return name != nullptr ? name : L"";
}

std::wstring Layout_Name_Of(ZcDbObjectId id)
{
    ZcDbLayout* layout = nullptr;
    if (zcdbOpenObject(layout, id, ZcDb::kForRead) != Zcad::eOk)
        return L"";
    const wchar_t* name = nullptr;
    layout->getLayoutName(name);
    std::wstring result = name != nullptr ? name : L"";
    layout->close();
    return result;
}

// Units of the paper as the prompts name them, and conversions of millimetres to them.
const wchar_t* Units_Word(Settings::PlotPaperUnits units)
{
    switch (units) {
    case Settings::kInches:
        return L"Inches";
    case Settings::kPixels:
        return L"Pixels";
    default:
        return L"Millimeters";
    }
}

double Dpi_Of(const Settings& s)
{
    Shared_Plot_Device device = Device_Of(&s);
    return device ? device->dpi : 300.0;
}

double Millimetres_Per_Unit(const Settings& s)
{
    switch (s.plotPaperUnits()) {
    case Settings::kInches:
        return 25.4;
    case Settings::kPixels:
        return 25.4 / Dpi_Of(s);
    default:
        return 1.0;
    }
}

bool Media_Is_Wide(const Settings& s)
{
    double w = 0, h = 0;
    s.getPlotPaperSize(w, h);
    return w >= h;
}

// ---- layout -------------------------------------------------------------------------

void Load_Layout(Plot_Session& session, ZcDbObjectId id, const std::wstring& name_asked)
{
    ZcDbLayout* layout = nullptr;
    Zcad::ErrorStatus es = zcdbOpenObject(layout, id, ZcDb::kForRead);
    if (es != Zcad::eOk)
        throw Plot_Command_Error(L"cannot open the layout " + name_asked + L" (error " +
                                 std::to_wstring(static_cast<int>(es)) + L")");
    session.layout_id = id;
    session.block_id = layout->getBlockTableRecordId();
    const wchar_t* name = nullptr;
    layout->getLayoutName(name);
    session.layout_name = name != nullptr ? name : L"";
    session.work.setModelType(layout->modelType());
    es = session.work.copyFrom(layout);
    layout->close();
    if (es != Zcad::eOk)
        throw Plot_Command_Error(L"cannot read the plot settings of the layout " + session.layout_name);
}

void Ask_Layout(Plot_Session& session)
{
    ZcDbLayoutManager* layouts = zcdbHostApplicationServices()->layoutManager();
    const wchar_t* active = layouts->findActiveLayout(true, session.db);
    const std::wstring current = active != nullptr ? active : L"Model";
    const std::wstring prompt = L"\nEnter a layout name or [?] <" + current + L">: ";
    for (;;) {
        std::wstring answer = Ask_Text(prompt);
        if (answer == L"?") {
            std::wstring list = L"\nLayouts:";
            for (int i = 0; i < layouts->layoutsInTabOrder(session.db).length(); ++i)
                list += L" " + Layout_Name_Of(layouts->layoutsInTabOrder(session.db)[i]);
            Print(list);
            continue;
        }
        const std::wstring name = answer.empty() ? current : answer;
        ZcDbObjectId id = layouts->findLayoutNamed(name.c_str(), session.db);
        if (id.isNull())
            Refuse_Plot_Answer(prompt, answer, L"no layout of that name");
        Load_Layout(session, id, name);
        return;
    }
}

void Ask_Page_Setup(Plot_Session&)
{
    const std::wstring prompt = L"\nEnter a page setup name <>: ";
    std::wstring answer = Ask_Text(prompt);
    if (!answer.empty())
        Refuse_Plot_Answer(prompt, answer, L"the drawing has no named page setups");
}

// ---- device and paper ---------------------------------------------------------------

void Ask_Device(Plot_Session& session)
{
    const std::wstring prompt = L"\nEnter an output device name or [?] <" + Cfg_Name(session.work) + L">: ";
    for (;;) {
        std::wstring answer = Ask_Text(prompt);
        if (answer.empty())
            return;
        if (answer == L"?") {
            Print(L"\nDevices:");
            for (const std::wstring& name : Plot_Device_Names())
                Print(L"\n  " + name);
            continue;
        }
        std::wstring why;
        if (!Find_Plot_Device(answer, &why))
            Refuse_Plot_Answer(prompt, answer, why);
        if (session.validator->setPlotCfgName(&session.work, answer.c_str()) != Zcad::eOk)
            Refuse_Plot_Answer(prompt, answer, L"the device cannot be used");
        return;
    }
}

struct Media_Entry {
    std::wstring canonical, display;
};

// The device's papers, read once for the whole question.
std::vector<Media_Entry> Device_Media(Plot_Session& session)
{
    std::vector<Media_Entry> media;
    if (Shared_Plot_Device device = Device_Of(&session.work))
        for (const PlotPaper& paper : device->media)
            media.push_back({paper.canonical_name, paper.display_name});
    return media;
}

void Ask_Paper(Plot_Session& session)
{
    std::vector<Media_Entry> media = Device_Media(session);
    std::wstring current = Media_Name(session.work);
    for (const Media_Entry& entry : media)
        if (Equal_No_Case(entry.canonical, current))
            current = entry.display;
    const std::wstring prompt = L"\nEnter paper size or [?] <" + current + L">: ";
    for (;;) {
        std::wstring answer = Ask_Text(prompt);
        if (answer.empty())
            return;
        if (answer == L"?") {
            Print(L"\nPaper sizes:");
            for (const Media_Entry& entry : media)
                Print(L"\n  " + entry.display);
            continue;
        }
        const Media_Entry* chosen = nullptr;
        for (const Media_Entry& entry : media)
            if (Equal_No_Case(entry.display, answer)) {
                chosen = &entry;
                break;
            }
        if (chosen == nullptr)
            for (const Media_Entry& entry : media)
                if (Equal_No_Case(entry.canonical, answer)) {
                    chosen = &entry;
                    break;
                }
        if (chosen == nullptr ||
            session.validator->setCanonicalMediaName(&session.work, chosen->canonical.c_str()) != Zcad::eOk)
            Refuse_Plot_Answer(prompt, answer, L"the device " + Cfg_Name(session.work) + L" has no such paper");
        return;
    }
}

void Ask_Units(Plot_Session& session)
{
    Shared_Plot_Device device = Device_Of(&session.work);
    const bool raster = device && (device->driver == PlotDriver::Png || device->driver == PlotDriver::Jpg);
    const std::wstring keywords = raster ? L"Inches Millimeters Pixels" : L"Inches Millimeters";
    const std::wstring current = Units_Word(session.work.plotPaperUnits());
    const std::wstring prompt = raster ? L"\nEnter paper units [Inches/Millimeters/Pixels] <" + current + L">: "
                                       : L"\nEnter paper units [Inches/Millimeters] <" + current + L">: ";
    std::wstring answer = Ask_Keyword(prompt, keywords, current);
    Settings::PlotPaperUnits units = answer == L"Inches"   ? Settings::kInches
                                     : answer == L"Pixels" ? Settings::kPixels
                                                           : Settings::kMillimeters;
    if (session.validator->setPlotPaperUnits(&session.work, units) != Zcad::eOk)
        Refuse_Plot_Answer(prompt, answer, L"the device does not take these units");
}

// The orientation names where the drawing's x axis runs: along the paper's long side
// (landscape) or its short side (portrait). The rotation is counted from the paper as the
// device describes it.
void Ask_Orientation(Plot_Session& session)
{
    const int rotation = static_cast<int>(session.work.plotRotation());
    const bool wide = Media_Is_Wide(session.work);
    const bool quarter = rotation % 2 == 1;
    const bool landscape = wide != quarter;
    std::wstring answer = Ask_Keyword(L"\nEnter drawing orientation [Portrait/Landscape] <" +
                                          std::wstring(landscape ? L"Landscape" : L"Portrait") + L">: ",
                                      L"Portrait Landscape", landscape ? L"Landscape" : L"Portrait");
    const bool upside_down = Ask_Yes_No(L"\nPlot upside down? [Yes/No] <" +
                                            std::wstring(rotation >= 2 ? L"Yes" : L"No") + L">: ",
                                        rotation >= 2);
    const bool want_landscape = answer == L"Landscape";
    int turned = want_landscape == wide ? 0 : 1;
    if (upside_down)
        turned += 2;
    session.validator->setPlotRotation(&session.work, static_cast<Settings::PlotRotation>(turned));
}

// ---- area, scale, offset --------------------------------------------------------------

const wchar_t* Area_Word(Settings::PlotType type)
{
    switch (type) {
    case Settings::kDisplay:
        return L"Display";
    case Settings::kExtents:
        return L"Extents";
    case Settings::kLimits:
        return L"Limits";
    case Settings::kView:
        return L"View";
    case Settings::kWindow:
        return L"Window";
    default:
        return L"Layout";
    }
}

std::wstring Point_Text(double x, double y)
{
    return Format_Prompt_Number(x, 6) + L"," + Format_Prompt_Number(y, 6);
}

void Ask_Window(Plot_Session& session)
{
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    session.work.getPlotWindowArea(x0, y0, x1, y1);
    ZcGePoint2d lower = Ask_Point(L"\nEnter lower left corner of window <" + Point_Text(x0, y0) + L">: ", {x0, y0});
    const std::wstring upper_prompt = L"\nEnter upper right corner of window <" + Point_Text(x1, y1) + L">: ";
    ZcGePoint2d upper = Ask_Point(upper_prompt, {x1, y1});
    if (session.validator->setPlotWindowArea(&session.work, lower.x, lower.y, upper.x, upper.y) != Zcad::eOk)
        Refuse_Plot_Answer(upper_prompt, Point_Text(upper.x, upper.y), L"the window is empty");
    session.validator->setPlotType(&session.work, Settings::kWindow);
}

void Ask_Area(Plot_Session& session)
{
    const bool model = session.work.modelType();
    const std::wstring current = Area_Word(session.work.plotType());
    const std::wstring prompt = model ? L"\nEnter plot area [Display/Extents/Limits/Window] <" + current + L">: "
                                      : L"\nEnter plot area [Display/Extents/Layout/Window] <" + current + L">: ";
    std::wstring answer =
        Ask_Keyword(prompt, model ? L"Display Extents Limits Window" : L"Display Extents Layout Window", current);
    if (answer == L"Window")
        return Ask_Window(session);
    if (answer == current)
        return;
    Settings::PlotType type = answer == L"Display"   ? Settings::kDisplay
                              : answer == L"Extents" ? Settings::kExtents
                              : answer == L"Limits"  ? Settings::kLimits
                                                     : Settings::kLayout;
    if (session.validator->setPlotType(&session.work, type) != Zcad::eOk)
        Refuse_Plot_Answer(prompt, answer, L"the plot area cannot be used here");
}

bool Fits_Paper(const Settings& s) { return s.useStandardScale() && s.stdScaleType() == Settings::kScaleToFit; }

std::wstring Scale_Text(const Settings& s)
{
    if (Fits_Paper(s))
        return L"Fit";
    double numerator = 1, denominator = 1;
    if (s.useStandardScale()) {
        s.getStdScale(numerator);
    } else {
        s.getCustomPrintScale(numerator, denominator);
    }
    return Format_Prompt_Number(numerator, 4) + L"=" + Format_Prompt_Number(denominator, 4);
}

bool Parse_Scale(const std::wstring& text, double& paper, double& drawing)
{
    size_t split = text.find_first_of(L"=:");
    wchar_t* end = nullptr;
    paper = std::wcstod(text.c_str(), &end);
    if (split == std::wstring::npos) {
        drawing = 1.0;
        return end != nullptr && *end == 0 && !text.empty() && paper > 0.0 && std::isfinite(paper);
    }
    if (end != text.c_str() + split || split == 0)
        return false;
    const wchar_t* rest = text.c_str() + split + 1;
    drawing = std::wcstod(rest, &end);
    return end != rest && *end == 0 && paper > 0.0 && drawing > 0.0 && std::isfinite(paper) && std::isfinite(drawing);
}

void Ask_Scale(Plot_Session& session)
{
    const std::wstring prompt = std::wstring(L"\nEnter plot scale (Plotted ") +
                                Units_Word(session.work.plotPaperUnits()) + L"=Drawing Units) or [Fit] <" +
                                Scale_Text(session.work) + L">: ";
    Text_Or_Point answer = Ask_Text_Or_Point(prompt);
    if (answer.empty)
        return;
    if (Is_Keyword(answer.text, L"Fit")) {
        session.validator->setUseStandardScale(&session.work, true);
        session.validator->setStdScaleType(&session.work, Settings::kScaleToFit);
        return;
    }
    double paper = 0, drawing = 0;
    if (answer.is_point || !Parse_Scale(answer.text, paper, drawing) ||
        session.validator->setCustomPrintScale(&session.work, paper, drawing) != Zcad::eOk)
        Refuse_Plot_Answer(prompt, answer.text, L"a scale such as 1=100 or Fit was expected");
}

void Ask_Offset(Plot_Session& session)
{
    const double unit = Millimetres_Per_Unit(session.work);
    double x = 0, y = 0;
    session.work.getPlotOrigin(x, y);
    const std::wstring current = session.work.plotCentered()
                                     ? std::wstring(L"Center")
                                     : Format_Prompt_Number(x / unit, 2) + L"," + Format_Prompt_Number(y / unit, 2);
    const std::wstring prompt = L"\nEnter plot offset (x,y) or [Center] <" + current + L">: ";
    Text_Or_Point answer = Ask_Text_Or_Point(prompt);
    if (answer.empty)
        return;
    if (!answer.is_point) {
        if (!Is_Keyword(answer.text, L"Center"))
            Refuse_Plot_Answer(prompt, answer.text, L"an offset x,y or Center was expected");
        session.validator->setPlotCentered(&session.work, true);
        return;
    }
    session.validator->setPlotCentered(&session.work, false);
    session.validator->setPlotOrigin(&session.work, answer.point.x * unit, answer.point.y * unit);
}

// ---- styles, lineweights, the space's options -----------------------------------------

void Ask_Style_Table(Plot_Session& session)
{
    const std::wstring prompt =
        L"\nEnter plot style table name or [?] (enter . for none) <" + Style_Name(session.work) + L">: ";
    for (;;) {
        std::wstring answer = Ask_Text(prompt);
        if (answer.empty())
            return;
        if (answer == L"?") {
            Print(L"\nPlot style tables:");
            for (const Plot_Style_File& table : Plot_Style_Tables())
                Print(L"\n  " + table.name);
            continue;
        }
        const wchar_t* name = answer == L"." ? L"" : answer.c_str();
        if (session.validator->setCurrentStyleSheet(&session.work, name) != Zcad::eOk)
            Refuse_Plot_Answer(prompt, answer, L"no plot style table of that name");
        return;
    }
}

void Ask_Styles_And_Lineweights(Plot_Session& session)
{
    Settings& s = session.work;
    s.setPlotPlotStyles(Ask_Yes_No(std::wstring(L"\nPlot with plot styles? [Yes/No] <") +
                                       (s.plotPlotStyles() ? L"Yes" : L"No") + L">: ",
                                   s.plotPlotStyles()));
    Ask_Style_Table(session);
    s.setPrintLineweights(Ask_Yes_No(std::wstring(L"\nPlot with lineweights? [Yes/No] <") +
                                         (s.printLineweights() ? L"Yes" : L"No") + L">: ",
                                     s.printLineweights()));
}

void Ask_Shade_Plot(Plot_Session& session)
{
    static const wchar_t* const kWords[] = {L"As", L"Wireframe", L"Hidden", L"Rendered"};
    static const wchar_t* const kShown[] = {L"As displayed", L"legacy Wireframe", L"legacy Hidden", L"Rendered"};
    const int current = static_cast<int>(session.work.shadePlot());
    std::wstring answer = Ask_Keyword(
        L"\nEnter shade plot setting [As displayed/legacy Wireframe/legacy Hidden/Rendered] <" +
            std::wstring(kShown[current]) + L">: ",
        L"As Wireframe Hidden Rendered", kWords[current]);
    for (int i = 0; i < 4; ++i)
        if (answer == kWords[i])
            session.work.setShadePlot(static_cast<Settings::ShadePlotType>(i));
}

void Ask_Paper_Space_Options(Plot_Session& session)
{
    Settings& s = session.work;
    auto word = [](bool b) { return std::wstring(b ? L"Yes" : L"No"); };
    s.setScaleLineweights(Ask_Yes_No(
        L"\nScale lineweights with plot scale? [Yes/No] <" + word(s.scaleLineweights()) + L">: ", s.scaleLineweights()));
    const bool paper_first = !s.drawViewportsFirst();
    s.setDrawViewportsFirst(
        !Ask_Yes_No(L"\nPlot paper space first? [Yes/No] <" + word(paper_first) + L">: ", paper_first));
    s.setPlotHidden(
        Ask_Yes_No(L"\nHide paperspace objects? [Yes/No] <" + word(s.plotHidden()) + L">: ", s.plotHidden()));
}

// ---- output -----------------------------------------------------------------------------

const wchar_t* Extension_Of(PlotDriver driver)
{
    switch (driver) {
    case PlotDriver::Pdf:
        return L".pdf";
    case PlotDriver::Svg:
        return L".svg";
    case PlotDriver::Png:
        return L".png";
    case PlotDriver::Jpg:
        return L".jpg";
    case PlotDriver::Dwf:
        return L".dwf";
    default:
        return L".plt";
    }
}

std::wstring Drawing_Folder()
{
    std::wstring folder = Text_Var(L"DWGPREFIX");
    if (folder.empty())
        folder = Machine::instance().documents_folder();
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    return folder;
}

std::wstring Drawing_Title()
{
    std::wstring name = Text_Var(L"DWGNAME");
    size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

// A file name as answered: quotes removed, the extension added when there is none, a
// relative name taken in the drawing's folder.
std::wstring Resolve_File_Name(std::wstring name, const wchar_t* extension)
{
    if (name.size() >= 2 && name.front() == L'"' && name.back() == L'"')
        name = name.substr(1, name.size() - 2);
    size_t slash = name.find_last_of(L"\\/");
    size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        name += extension;
    const bool absolute = (name.size() >= 2 && name[1] == L':') || (!name.empty() && (name[0] == L'\\' || name[0] == L'/'));
    return absolute ? name : Drawing_Folder() + name;
}

void Ask_File_Name(Plot_Session& session, PlotDriver driver)
{
    const wchar_t* extension = Extension_Of(driver);
    const std::wstring fallback = Drawing_Folder() + Drawing_Title() + L"-" + session.layout_name + extension;
    std::wstring answer = Ask_Text(L"\nEnter file name <" + fallback + L">: ");
    session.to_file = true;
    session.output_path = answer.empty() ? fallback : Resolve_File_Name(answer, extension);
}

void Ask_Output(Plot_Session& session)
{
    std::wstring why;
    Shared_Plot_Device device = Find_Plot_Device(Cfg_Name(session.work), &why);
    if (!device)
        throw Plot_Command_Error(L"the layout's plot device cannot be used: " + why);
    if (device->file_device)
        return Ask_File_Name(session, device->driver);
    if (Ask_Yes_No(L"\nWrite the plot to a file [Yes/No] <No>: ", false))
        Ask_File_Name(session, device->driver);
}

void Save_Page_Setup(Plot_Session& session)
{
    ZcDbLayout* layout = nullptr;
    if (zcdbOpenObject(layout, session.layout_id, ZcDb::kForWrite) != Zcad::eOk)
        throw Plot_Command_Error(L"cannot save the page setup of the layout " + session.layout_name);
    Zcad::ErrorStatus es = layout->copyFrom(&session.work);
    layout->close();
    if (es != Zcad::eOk)
        throw Plot_Command_Error(L"cannot save the page setup of the layout " + session.layout_name);
}

// ---- the job ----------------------------------------------------------------------------

PlotArea Area_Of(Settings::PlotType type)
{
    switch (type) {
    case Settings::kDisplay:
        return PlotArea::Display;
    case Settings::kExtents:
        return PlotArea::Extents;
    case Settings::kLimits:
        return PlotArea::Limits;
    case Settings::kView:
        return PlotArea::View;
    case Settings::kWindow:
        return PlotArea::Window;
    default:
        return PlotArea::Layout;
    }
}

std::wstring Date_Time_Text()
{
    SYSTEMTIME t = Machine::instance().local_time();
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return buffer;
}

PlotJob Build_Job(const Plot_Session& session)
{
    const Settings& s = session.work;
    std::wstring why;
    Shared_Plot_Device device = Find_Plot_Device(Cfg_Name(s), &why);
    if (!device)
        throw Plot_Command_Error(L"the layout's plot device cannot be used: " + why);
    if (device->none)
        throw Plot_Command_Error(L"no plot device: the layout's device is \"None\"");
    std::optional<PlotPaper> paper = Media_Of(&s);
    if (!paper)
        throw Plot_Command_Error(L"the device " + device->name + L" has no paper \"" + Media_Name(s) + L"\"");

    PlotJob job;
    job.database = session.db;
    job.space = session.block_id;
    job.model_space = s.modelType();
    job.device_name = device->name;
    job.document_name = Drawing_Title() + L"-" + session.layout_name;
    job.driver = device->driver;
    job.dpi = device->dpi;
    job.background_rgb = device->background_rgb;
    job.paper = *paper;
    job.area = Area_Of(s.plotType());
    if (job.area == PlotArea::View)
        throw Plot_Command_Error(L"plotting a named view is not supported");
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    s.getPlotWindowArea(x0, y0, x1, y1);
    job.window_min = ZcGePoint2d(x0, y0);
    job.window_max = ZcGePoint2d(x1, y1);
    if (job.area == PlotArea::Display) {
        ViewState view = Current_View();
        double screen_w = 1, screen_h = 1;
        Screen_Size(screen_w, screen_h);
        const double half_h = view.height / 2.0;
        const double half_w = screen_h > 0 ? half_h * screen_w / screen_h : half_h;
        job.window_min = ZcGePoint2d(view.center.x - half_w, view.center.y - half_h);
        job.window_max = ZcGePoint2d(view.center.x + half_w, view.center.y + half_h);
    } else if (job.area == PlotArea::Limits) {
        job.window_min = session.db->limmin();
        job.window_max = session.db->limmax();
    }
    job.fit_to_paper = Fits_Paper(s);
    if (!job.fit_to_paper) {
        const double unit = Millimetres_Per_Unit(s);
        double numerator = 1, denominator = 1;
        if (s.useStandardScale())
            s.getStdScale(numerator);
        else
            s.getCustomPrintScale(numerator, denominator);
        job.paper_units = numerator * unit;
        job.drawing_units = denominator;
    }
    job.centered = s.plotCentered();
    double ox = 0, oy = 0;
    s.getPlotOrigin(ox, oy);
    job.offset_mm = ZcGePoint2d(ox, oy);
    const int rotation = static_cast<int>(s.plotRotation());
    job.rotation_degrees = (rotation % 2) * 90;
    job.upside_down = rotation >= 2;
    job.landscape = false;
    job.plot_with_styles = s.plotPlotStyles();
    if (job.plot_with_styles && !Style_Name(s).empty()) {
        std::optional<Plot_Style_File> table = Find_Plot_Style_Table(Style_Name(s));
        if (!table)
            throw Plot_Command_Error(L"the plot style table " + Style_Name(s) + L" is missing");
        job.style_table_path = table->path;
    }
    job.plot_lineweights = s.printLineweights();
    job.scale_lineweights = !job.model_space && s.scaleLineweights();
    job.hide_paperspace_objects = !job.model_space && s.plotHidden();
    job.paperspace_last = !job.model_space && s.drawViewportsFirst();
    job.stamp.enabled = Plot_Stamp_On();
    if (job.stamp.enabled) {
        Plot_Stamp_Values values;
        values.drawing = Drawing_Folder() + Text_Var(L"DWGNAME");
        values.layout = session.layout_name;
        values.date_time = Date_Time_Text();
        values.login = Machine::instance().user_name();
        values.device = device->name;
        values.paper = paper->display_name;
        values.scale = Scale_Text(s);
        job.stamp.fields = Plot_Stamp_Fields(values);
    }
    if (session.to_file)
        job.output_path = session.output_path;
    else
        job.spool_folder = device->spool_folder;
    return job;
}

void Plot_Command()
{
    Plot_Session session;
    session.db = zcdbHostApplicationServices()->workingDatabase();
    session.validator = zcdbHostApplicationServices()->plotSettingsValidator();
    if (session.db == nullptr)
        throw Plot_Command_Error(L"no drawing to plot");
    if (session.validator == nullptr)
        throw Plot_Command_Error(L"no plot-settings validator");

    const bool detailed = Ask_Yes_No(L"\nDetailed plot configuration? [Yes/No] <No>: ", false);
    Ask_Layout(session);
    if (detailed) {
        Ask_Device(session);
        Ask_Paper(session);
        Ask_Units(session);
        Ask_Orientation(session);
        Ask_Area(session);
        Ask_Scale(session);
        Ask_Offset(session);
        Ask_Styles_And_Lineweights(session);
        if (session.work.modelType())
            Ask_Shade_Plot(session);
        else
            Ask_Paper_Space_Options(session);
    } else {
        Ask_Page_Setup(session);
        Ask_Device(session);
    }
    Ask_Output(session);
    const bool save = Ask_Yes_No(L"\nSave changes to page setup [Yes/No]? <No> ", false);
    const bool proceed = Ask_Yes_No(L"\nProceed with plot [Yes/No] <Yes>: ", true);
    if (save)
        Save_Page_Setup(session);
    if (!proceed)
        return;
    PlotResult result = Send_Plot_Job(Build_Job(session));
    if (!result.ok)
        throw Plot_Command_Error(L"the plot failed: " + result.error);
    for (const std::wstring& file : result.files)
        Print(L"\nPlot written to " + file);
}

const bool gRegistered = [] {
    Register_Host_Command(L"-PLOT", [] { Run_Plot_Command(Plot_Command); });
    return true;
}();

}  // namespace

bool Build_Layout_Job(const ZcDbObjectId& layout_id, const ZcDbPlotSettings& settings, PlotJob& job,
                      std::wstring& error)
{
    try {
        Plot_Session session;
        session.db = layout_id.database();
        Load_Layout(session, layout_id, L"");
        session.work.setModelType(settings.modelType());
        if (session.work.copyFrom(&settings) != Zcad::eOk)
            throw Plot_Command_Error(L"cannot read the plot settings of the layout " + session.layout_name);
        job = Build_Job(session);
        return true;
    } catch (const Plot_Command_Error& e) {
        error = e.message();
        return false;
    }
}

}  // namespace platform
