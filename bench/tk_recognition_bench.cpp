// Times recognition by title block (frames matched, markers, the six texts of every sheet
// read from its ranges) on drawings of about 50 to 500 sheets, against one plain pass that
// measures the exact extents of every entity of the same drawing, and prints both.
//
// The drawing repeats the model space of tests/fixtures/dxf/title_blocks.dxf on a grid: each
// copy holds six sheets (attributes, attributes turned and scaled, loose texts with a
// multiline title, a stretched dynamic frame, plain texts inside the frame block, a separate
// title-block insert) and a small frame nested inside one of them, plus content entities in
// every sheet (100 a sheet, or the count given with --content). The host's spatial index of
// model space, which a host keeps of its drawing and which here the first selection builds,
// is built and timed before recognition starts ("index ms").
//
// Times are the processor time of the thread, so that figures taken on a busy machine compare.
//
//   tk_recognition_bench [--content N] [SHEETS...]
#include <time.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/hidden_layers.h"
#include "core/ucs_transform.h"
#include "db/dbblkref.h"
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "db/dbtext.h"
#include "ed/command_line.h"
#include "ed/docman.h"
#include "ed/host_session.h"
#include "mfc/afxdll.h"
#include "mfc/afxwin.h"
#include "mfc/rc/resource_script.h"
#include "res/resource_script.h"
#include "script/script_input.h"
#include "sheets/exact_extents.h"
#include "sheets/marker_entities.h"
#include "titleblock/tk_find_sheets.h"
#include "titleblock/tk_library.h"
#include "ed/spatial_index.h"
#include "ui/dialog_detection_feedback.h"
#include "win/machine.h"

namespace {

// Processor time of the thread in milliseconds.
double Cpu_Ms()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double Ms_Since(double start) { return Cpu_Ms() - start; }

constexpr int Sheets_Per_Copy = 6;
constexpr double Pitch_X = 3500, Pitch_Y = 2600;
// Lower-left corners of the drawing areas of the six sheets of one copy (each 200 x 200).
const double Sheet_Areas[Sheets_Per_Copy][2] = {{30, 80}, {1150, 80}, {30, 1080}, {2300, 80}, {30, 2080},
                                                {1030, 2080}};

ZcDbDatabase* Db() { return zcdbHostApplicationServices()->workingDatabase(); }

ZcDbObjectId Append(ZcDbEntity* entity)
{
    ZcDbObjectPointer<ZcDbBlockTableRecord> model(Db()->modelSpaceId(), ZcDb::kForWrite);
    ZcDbObjectId id;
    model->appendZcDbEntity(id, entity);
    entity->close();
    return id;
}

ZcDbExtents Cell(double x0, double y0, double x1, double y1)
{
    return ZcDbExtents(ZcGePoint3d(x0 - 210, y0 - 148.5, 0), ZcGePoint3d(x1 - 210, y1 - 148.5, 0));
}

// The fixture's four frame definitions.
void Fill_Library()
{
    g_TK_Library.Clear();
    const struct {
        const wchar_t* name;
        int dynamic;
    } frames[] = {{L"TK_ATTR", 0}, {L"TK_LOOSE", 0}, {L"TK_PLAIN", 0}, {L"TK_DYN", 1}};
    for (const auto& frame : frames) {
        auto* tk = new TK_Customization;
        tk->Block_Name = frame.name;
        tk->Is_Dynamic = frame.dynamic;
        tk->Frame_Ext = Cell(0, 0, 420, 297);
        tk->Range_A = Cell(330, 45, 415, 65);
        tk->Range_B = Cell(330, 25, 415, 45);
        tk->Range_C = Cell(240, 25, 330, 65);
        tk->Range_D = Cell(240, 5, 330, 25);
        tk->Range_E = Cell(330, 5, 415, 25);
        tk->Range_F = Cell(240, 65, 415, 80);
        tk->Stamp_Range_1 = Cell(30, 10, 90, 70);
        g_TK_Library.Records.Add(tk);
    }
}

void Add_Content(double x, double y, int content, std::mt19937& random)
{
    std::uniform_real_distribution<double> at(0, 200), size(2, 20);
    for (int k = 0; k < content; ++k) {
        const double a = x + at(random), b = y + at(random), s = size(random);
        ZcDbEntity* entity = nullptr;
        switch (k % 4) {
        case 0: entity = new ZcDbLine(ZcGePoint3d(a, b, 0), ZcGePoint3d(a + s, b + s / 2, 0)); break;
        case 1: entity = new ZcDbCircle(ZcGePoint3d(a, b, 0), ZcGeVector3d::kZAxis, s / 4); break;
        case 2: entity = new ZcDbArc(ZcGePoint3d(a, b, 0), s / 3, 0.2, 2.5); break;
        default: entity = new ZcDbText(ZcGePoint3d(a, b, 0), L"NOTE 12", ZcDbObjectId::kNull, 2.5, 0); break;
        }
        Append(entity);
    }
}

// Copies the fixture's model space on a grid; the template itself is the first copy.
void Make_Drawing(int copies, int content)
{
    std::vector<ZcDbObjectId> template_ids;
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> model(Db()->modelSpaceId(), ZcDb::kForRead);
        template_ids = model->entityIds();
    }
    std::mt19937 random(copies);
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(copies))));
    for (int c = 0; c < copies; ++c) {
        const double dx = (c % columns) * Pitch_X, dy = (c / columns) * Pitch_Y;
        if (c > 0) {
            for (const ZcDbObjectId& id : template_ids) {
                ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
                auto* copy = static_cast<ZcDbEntity*>(entity->clone());
                copy->transformBy(ZcGeMatrix3d::translation(ZcGeVector3d(dx, dy, 0)));
                Append(copy);
            }
        }
        for (const auto& area : Sheet_Areas)
            Add_Content(dx + area[0], dy + area[1], content, random);
    }
}

// The exact extents of every entity of model space; returns how many were measured.
long Plain_Extents_Pass(double& ms)
{
    const double start = Cpu_Ms();
    ZcDbObjectPointer<ZcDbBlockTableRecord> model(Db()->modelSpaceId(), ZcDb::kForRead);
    long measured = 0;
    for (const ZcDbObjectId& id : model->entityIds())
        if (Get_Entity_Extents_By_Id(id).isValid())
            ++measured;
    ms = Ms_Since(start);
    return measured;
}

struct Result {
    int sheets;
    long entities;
    long found;
    long read;  // sheets whose six texts were all read
    double index_ms;  // the host's spatial index of model space, built by the first selection
    double recognise_ms;
    double plain_ms;
};

Result Run(const std::string& fixture, int sheets, int content)
{
    platform::Reset_Host_For_Tests();
    zcDocManager->appContextOpenDocument(std::wstring(fixture.begin(), fixture.end()).c_str());
    Temp_PlotRec::rxInit();
    const int copies = std::max(1, (sheets + Sheets_Per_Copy / 2) / Sheets_Per_Copy);
    Make_Drawing(copies, content);
    g_Ucs.Reset();
    g_Hidden_Layers.Collect_Hidden_Layers();

    Result result{copies * Sheets_Per_Copy, 0, 0, 0, 0, 0, 0};
    result.entities = Plain_Extents_Pass(result.plain_ms);
    // The index a host keeps of its drawing; here it is built by the first query.
    const double indexing = Cpu_Ms();
    platform::Entities_Near_Rect(Db()->modelSpaceId(), platform::Rect2d{0, 0, 1, 1});
    result.index_ms = Ms_Since(indexing);
    // Enter at the selection prompt, then "当前模型" in the space chooser.
    platform::ScriptInput::instance().push_text(std::string("enter\npick 0\n"));
    TK_Sheet_List list;
    Dialog_Detection_Feedback in_windows;
    const double start = Cpu_Ms();
    Find_TK_Sheets(list, in_windows);
    result.recognise_ms = Ms_Since(start);
    result.found = static_cast<long>(list.Sheets.GetSize());
    for (INT_PTR i = 0; i < list.Sheets.GetSize(); ++i) {
        bool all = true;
        for (const CString& text : list.Sheets[i]->Text)
            all = all && !text.IsEmpty();
        result.read += all ? 1 : 0;
    }
    list.Clear();
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<int> counts;
    int content = 100;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--content" && i + 1 < argc)
            content = std::atoi(argv[++i]);
        else
            counts.push_back(std::atoi(argv[i]));
    }
    if (counts.empty())
        counts = {50, 100, 200, 500};

    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("korvel_tk_bench_" + std::to_string(getpid()));
    platform::Machine::instance().set_root(root);
    platform::CommandLine::instance().set_echo_to_stdout(false);
    std::string error;
    if (!platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error)) {
        std::fprintf(stderr, "resource script: %s\n", error.c_str());
        return 1;
    }
    Fill_Library();
    const std::string fixture = std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/title_blocks.dxf";

    std::printf("%8s %10s %8s %8s %10s %14s %12s %8s\n", "sheets", "entities", "found", "read", "index ms",
                "recognise ms", "extents ms", "ratio");
    std::vector<Result> results;
    for (int sheets : counts) {
        const Result r = Run(fixture, sheets, content);
        results.push_back(r);
        std::printf("%8d %10ld %8ld %8ld %10.1f %14.1f %12.1f %8.2f\n", r.sheets, r.entities, r.found, r.read,
                    r.index_ms, r.recognise_ms, r.plain_ms, r.recognise_ms / r.plain_ms);
        if (r.found != r.sheets || r.read != r.sheets)
            std::printf("  expected %d sheets, each with six texts\n", r.sheets);
    }
    for (size_t i = 1; i < results.size(); ++i) {
        const Result& a = results[i - 1];
        const Result& b = results[i];
        const double n_log_n = (b.sheets * std::log(b.sheets)) / (a.sheets * std::log(a.sheets));
        std::printf("%d -> %d sheets: recognition x%.2f, extents pass x%.2f (n log n x%.2f)\n", a.sheets, b.sheets,
                    b.recognise_ms / a.recognise_ms, b.plain_ms / a.plain_ms, n_log_n);
    }
    g_TK_Library.Clear();
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
