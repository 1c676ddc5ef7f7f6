// Times frame detection on drawings of 10, 100 and 1,000 sheets, against one plain pass that
// measures the exact extents of every entity of the same drawing, and prints both.
//
// Each sheet is a frame block reference, a closed polyline or four loose lines (in turn),
// with a title block (blocks nested three deep) and 500 to 1,000 entities inside (or the
// count given with --content): lines in all directions, circles, arcs, texts, open
// polylines and part blocks nested three deep. With few entities a sheet, large sheet
// counts time how detection and ordering grow with the number of frames.
//
//   frame_detection_bench [--content N] [SHEETS...]
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/hidden_layers.h"
#include "core/plot_config.h"
#include "core/ucs_transform.h"
#include "db/dbblkref.h"
#include "db/dbents.h"
#include "db/dbpl.h"
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
#include "sheets/frame_detection.h"
#include "sheets/marker_entities.h"
#include "sheets/sheet_records.h"
#include "ui/dialog_detection_feedback.h"
#include "win/machine.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms_Since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

constexpr double Sheet_Width = 841, Sheet_Height = 594, Pitch_X = 1000, Pitch_Y = 700;

ZcDbDatabase* Db() { return zcdbHostApplicationServices()->workingDatabase(); }

ZcDbObjectId Append(ZcDbEntity* entity, ZcDbObjectId block_id)
{
    ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id, ZcDb::kForWrite);
    ZcDbObjectId id;
    block->appendZcDbEntity(id, entity);
    entity->close();
    return id;
}

ZcDbObjectId New_Block(const wchar_t* name)
{
    ZcDbBlockTable* table = nullptr;
    Db()->getBlockTable(table, ZcDb::kForWrite);
    auto* record = new ZcDbBlockTableRecord;
    record->setName(name);
    ZcDbObjectId id;
    table->add(id, record);
    record->close();
    table->close();
    return id;
}

ZcDbPolyline* Rect(double x0, double y0, double x1, double y1, bool closed = true)
{
    auto* polyline = new ZcDbPolyline;
    const ZcGePoint2d corners[] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    for (unsigned i = 0; i < 4; ++i)
        polyline->addVertexAt(i, corners[i]);
    polyline->setClosed(closed);
    return polyline;
}

ZcDbLine* Line(double x0, double y0, double x1, double y1)
{
    return new ZcDbLine(ZcGePoint3d(x0, y0, 0), ZcGePoint3d(x1, y1, 0));
}

ZcDbBlockReference* Ref(ZcDbObjectId block_id, double x, double y, double scale = 1.0)
{
    auto* reference = new ZcDbBlockReference(ZcGePoint3d(x, y, 0), block_id);
    reference->setScaleFactors(ZcGeScale3d(scale));
    return reference;
}

struct Blocks {
    ZcDbObjectId Frame, Title, Part;
};

// The frame block, the title block (title -> logo -> mark) and the part block
// (part -> sub -> bolt).
Blocks Make_Blocks()
{
    Blocks blocks;
    const ZcDbObjectId mark = New_Block(L"MARK");
    Append(new ZcDbCircle(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, 2), mark);
    const ZcDbObjectId logo = New_Block(L"LOGO");
    Append(Rect(0, 0, 20, 10), logo);
    Append(Ref(mark, 10, 5), logo);
    blocks.Title = New_Block(L"TITLE");
    Append(Rect(0, 0, 180, 56), blocks.Title);
    for (double y = 8; y < 56; y += 8)
        Append(Line(0, y, 180, y), blocks.Title);
    Append(new ZcDbText(ZcGePoint3d(60, 20, 0), L"TITLE", ZcDbObjectId::kNull, 5, 0), blocks.Title);
    Append(Ref(logo, 5, 40), blocks.Title);

    const ZcDbObjectId bolt = New_Block(L"BOLT");
    Append(new ZcDbCircle(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, 1), bolt);
    Append(Line(-1, -1, 1, 1), bolt);
    const ZcDbObjectId sub = New_Block(L"SUB");
    Append(Rect(0, 0, 6, 4, false), sub);
    Append(Ref(bolt, 3, 2), sub);
    blocks.Part = New_Block(L"PART");
    Append(new ZcDbArc(ZcGePoint3d(0, 0, 0), 5, 0, 3), blocks.Part);
    Append(Ref(sub, 2, 2), blocks.Part);

    blocks.Frame = New_Block(L"FRAME");
    Append(Rect(0, 0, Sheet_Width, Sheet_Height), blocks.Frame);
    Append(Rect(25, 10, Sheet_Width - 10, Sheet_Height - 10), blocks.Frame);
    return blocks;
}

// One sheet at (x, y): its frame, title block and content entities.
void Add_Sheet(const Blocks& blocks, int index, double x, double y, int content, std::mt19937& random)
{
    const ZcDbObjectId model = Db()->modelSpaceId();
    switch (index % 3) {
    case 0:
        Append(Ref(blocks.Frame, x, y), model);
        break;
    case 1:
        Append(Rect(x, y, x + Sheet_Width, y + Sheet_Height), model);
        break;
    default:
        Append(Line(x, y, x + Sheet_Width, y), model);
        Append(Line(x + Sheet_Width, y + Sheet_Height, x, y + Sheet_Height), model);
        Append(Line(x, y, x, y + Sheet_Height), model);
        Append(Line(x + Sheet_Width, y, x + Sheet_Width, y + Sheet_Height), model);
        break;
    }
    Append(Ref(blocks.Title, x + Sheet_Width - 200, y + 20), model);

    std::uniform_real_distribution<double> px(x + 40, x + Sheet_Width - 60), py(y + 90, y + Sheet_Height - 40);
    std::uniform_real_distribution<double> size(2, 30);
    const int count = content >= 0 ? content : 500 + static_cast<int>(random() % 501);
    for (int k = 0; k < count; ++k) {
        const double a = px(random), b = py(random), s = size(random);
        ZcDbEntity* entity = nullptr;
        switch (k % 8) {
        case 0: entity = Line(a, b, a + s, b); break;
        case 1: entity = Line(a, b, a, b + s); break;
        case 2: entity = Line(a, b, a + s, b + s * 0.7); break;
        case 3: entity = new ZcDbCircle(ZcGePoint3d(a, b, 0), ZcGeVector3d::kZAxis, s / 4); break;
        case 4: entity = new ZcDbArc(ZcGePoint3d(a, b, 0), s / 3, 0.2, 2.5); break;
        case 5: entity = new ZcDbText(ZcGePoint3d(a, b, 0), L"NOTE 12", ZcDbObjectId::kNull, 2.5, 0); break;
        case 6: entity = Rect(a, b, a + s, b + s / 2, false); break;
        default: entity = Ref(blocks.Part, a, b, 0.5 + s / 30); break;
        }
        Append(entity, model);
    }
}

void Make_Drawing(int sheets, int content)
{
    std::mt19937 random(sheets);
    const Blocks blocks = Make_Blocks();
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(sheets))));
    for (int i = 0; i < sheets; ++i)
        Add_Sheet(blocks, i, (i % columns) * Pitch_X, (i / columns) * Pitch_Y, content, random);
}

// The exact extents of every entity of model space; returns how many were measured.
long Plain_Extents_Pass(double& ms)
{
    const Clock::time_point start = Clock::now();
    ZcDbObjectPointer<ZcDbBlockTableRecord> model(Db()->modelSpaceId(), ZcDb::kForRead);
    long measured = 0;
    for (const ZcDbObjectId& id : model->entityIds()) {
        if (Get_Entity_Extents_By_Id(id).isValid())
            ++measured;
    }
    ms = Ms_Since(start);
    return measured;
}

struct Result {
    int sheets;
    long entities;
    long found;
    double detect_ms;
    double order_ms;
    double plain_ms;
};

Result Run(int sheets, int content)
{
    platform::Reset_Host_For_Tests();
    zcDocManager->appContextNewDocument(L"");
    Temp_PlotRec::rxInit();
    Make_Drawing(sheets, content);
    g_Ucs.Reset();
    g_Hidden_Layers.Collect_Hidden_Layers();

    Result result{sheets, 0, 0, 0, 0, 0};
    result.entities = Plain_Extents_Pass(result.plain_ms);
    // Enter at the selection prompt, then "当前模型" in the space chooser.
    platform::ScriptInput::instance().push_text(std::string("enter\npick 0\n"));
    Plot_Sheet_Set set;
    Dialog_Detection_Feedback in_windows;
    const Clock::time_point start = Clock::now();
    Find_Plot_Frames(set, in_windows);
    result.detect_ms = Ms_Since(start);
    result.found = static_cast<long>(set.All_Sheets.GetSize());
    // The plot list as the batch plot windows build and order it: every sheet, rows from the top.
    const Clock::time_point ordering = Clock::now();
    set.Filter_By_Area();
    set.Sort_Sheets(1);
    result.order_ms = Ms_Since(ordering);
    set.Clear();
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<int> counts;
    int content = -1;  // random 500 to 1,000 a sheet
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--content" && i + 1 < argc)
            content = std::atoi(argv[++i]);
        else
            counts.push_back(std::atoi(argv[i]));
    }
    if (counts.empty())
        counts = {10, 100, 1000};

    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("korvel_frame_bench_" + std::to_string(getpid()));
    platform::Machine::instance().set_root(root);
    platform::CommandLine::instance().set_echo_to_stdout(false);
    std::string error;
    if (!platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error)) {
        std::fprintf(stderr, "resource script: %s\n", error.c_str());
        return 1;
    }
    g_Plot_Config.Frames_Loose_Lines = 1;
    g_Plot_Config.Frames_All_Blocks = 1;
    g_Plot_Config.Frames_Rect_Blocks = 0;
    g_Plot_Config.Skip_Empty_Frames = 1;

    std::printf("%8s %10s %8s %12s %12s %12s %8s\n", "sheets", "entities", "found", "detect ms", "order ms",
                "extents ms", "ratio");
    std::vector<Result> results;
    for (int sheets : counts) {
        const Result r = Run(sheets, content);
        results.push_back(r);
        std::printf("%8d %10ld %8ld %12.1f %12.1f %12.1f %8.2f\n", r.sheets, r.entities, r.found, r.detect_ms,
                    r.order_ms, r.plain_ms, r.detect_ms / r.plain_ms);
        if (r.found != r.sheets)
            std::printf("  expected %d sheets\n", r.sheets);
    }
    for (size_t i = 1; i < results.size(); ++i) {
        const Result& a = results[i - 1];
        const Result& b = results[i];
        const double n_log_n = (b.sheets * std::log(b.sheets)) / (a.sheets * std::log(a.sheets));
        std::printf("%d -> %d sheets: detection x%.2f, ordering x%.2f (n log n x%.2f)\n", a.sheets, b.sheets,
                    b.detect_ms / a.detect_ms, b.order_ms / a.order_ms, n_log_n);
    }
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
