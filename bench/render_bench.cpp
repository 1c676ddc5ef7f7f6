// Plots a drawing of 100,000 entities laid out on A1 and A3 sheets, every sheet to its own PDF,
// and times it against Debian's LibreCAD (`librecad dxf2pdf`) and ezdxf's drawing add-on
// (`/usr/bin/python3 -m ezdxf draw`, matplotlib backend) on the same DXF. Prints the times, the
// ratios, the platform's entities per second (one thread) and whether pdftotext finds each
// sheet's drawing number (an attribute value of the sheet's title block).
//
//   render_bench [OUTPUT_FOLDER] [ENTITIES] [--no-peers]
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "db/dbblkref.h"
#include "db/dbents.h"
#include "db/dbhatch.h"
#include "db/dbpl.h"
#include "db/dbsymtb.h"
#include "dxf/dxf_writer.h"
#include "plot/plot_job.h"
#include "win/host_path_text.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Sheet {
    double x, y, w, h;
    std::wstring number;
};

class Builder {
public:
    explicit Builder(ZcDbDatabase* db) : mDb(db)
    {
        zcdbOpenObject(mModel, db->modelSpaceId(), ZcDb::kForWrite);
    }
    ~Builder()
    {
        if (mModel) mModel->close();
    }

    ZcDbObjectId add(ZcDbEntity* e, ZcDbBlockTableRecord* owner = nullptr)
    {
        ZcDbObjectId id;
        if ((owner ? owner : mModel)->appendZcDbEntity(id, e) == Zcad::eOk) e->close();
        if (!owner) ++count;
        return id;
    }

    ZcDbPolyline* rect(double x0, double y0, double x1, double y1)
    {
        auto* pl = new ZcDbPolyline();
        pl->addVertexAt(0, ZcGePoint2d(x0, y0));
        pl->addVertexAt(1, ZcGePoint2d(x1, y0));
        pl->addVertexAt(2, ZcGePoint2d(x1, y1));
        pl->addVertexAt(3, ZcGePoint2d(x0, y1));
        pl->setClosed(true);
        return pl;
    }

    // The title block: a 180 x 56 box with lines, labels and the drawing-number attribute.
    ZcDbObjectId title_block()
    {
        ZcDbBlockTable* table = nullptr;
        mDb->getBlockTable(table, ZcDb::kForWrite);
        auto* rec = new ZcDbBlockTableRecord();
        rec->setName(L"TITLE");
        ZcDbObjectId id;
        table->add(id, rec);
        table->close();
        add(rect(0, 0, 180, 56), rec);
        for (double y : {8.0, 16.0, 24.0, 32.0}) add(new ZcDbLine(ZcGePoint3d(0, y, 0), ZcGePoint3d(180, y, 0)), rec);
        add(new ZcDbLine(ZcGePoint3d(50, 0, 0), ZcGePoint3d(50, 32, 0)), rec);
        add(new ZcDbText(ZcGePoint3d(2, 2, 0), L"图号", ZcDbObjectId::kNull, 3.5), rec);
        add(new ZcDbText(ZcGePoint3d(2, 40, 0), L"Korvel 设计院", ZcDbObjectId::kNull, 7), rec);
        auto* def = new ZcDbAttributeDefinition(ZcGePoint3d(55, 2, 0), L"", L"DWGNO", L"Drawing number");
        def->setHeight(5);
        add(def, rec);
        rec->close();
        return id;
    }

    void sheet(const Sheet& s, ZcDbObjectId title, int quota, unsigned& seed)
    {
        add(rect(s.x, s.y, s.x + s.w, s.y + s.h));
        add(rect(s.x + 25, s.y + 5, s.x + s.w - 5, s.y + s.h - 5));
        ZcDbObjectId refId = add(new ZcDbBlockReference(ZcGePoint3d(s.x + s.w - 185, s.y + 5, 0), title));
        {
            ZcDbObjectPointer<ZcDbBlockReference> open(refId, ZcDb::kForWrite);
            auto* att = new ZcDbAttribute(ZcGePoint3d(s.x + s.w - 130, s.y + 7, 0), s.number.c_str(), L"DWGNO");
            att->setHeight(5);
            ZcDbObjectId attId;
            if (open->appendAttribute(attId, att) == Zcad::eOk) att->close();
        }
        auto rnd = [&seed]() {
            seed = seed * 1103515245u + 12345u;
            return double((seed >> 8) & 0xFFFF) / 65536.0;
        };
        const double x0 = s.x + 30, y0 = s.y + 66, w = s.w - 40, h = s.h - 76;
        for (int i = 3; i < quota; ++i) {
            const double px = x0 + rnd() * w, py = y0 + rnd() * h;
            const double k = rnd();
            if (k < 0.5) {
                add(new ZcDbLine(ZcGePoint3d(px, py, 0), ZcGePoint3d(px + rnd() * 30 - 15, py + rnd() * 30 - 15, 0)));
            } else if (k < 0.65) {
                add(new ZcDbCircle(ZcGePoint3d(px, py, 0), ZcGeVector3d::kZAxis, 1 + rnd() * 8));
            } else if (k < 0.75) {
                add(new ZcDbArc(ZcGePoint3d(px, py, 0), 2 + rnd() * 8, rnd() * 3, 3 + rnd() * 3));
            } else if (k < 0.85) {
                auto* pl = new ZcDbPolyline();
                for (unsigned v = 0; v < 5; ++v) pl->addVertexAt(v, ZcGePoint2d(px + v * 3, py + (v % 2) * 4));
                add(pl);
            } else if (k < 0.95) {
                wchar_t buf[32];
                std::swprintf(buf, 32, L"T%d 标注", i);
                add(new ZcDbText(ZcGePoint3d(px, py, 0), buf, ZcDbObjectId::kNull, 2.5));
            } else {
                auto* hatch = new ZcDbHatch();
                hatch->setPattern(ZcDbHatch::kPreDefined, L"SOLID");
                ZcGePoint2dArray pts;
                ZcGeDoubleArray bulges;
                for (int c = 0; c < 4; ++c) {
                    pts.append(ZcGePoint2d(px + (c == 1 || c == 2) * 6, py + (c >= 2) * 6));
                    bulges.append(0.0);
                }
                hatch->appendLoop(ZcDbHatch::kExternal, pts, bulges);
                add(hatch);
            }
        }
    }

    int count = 0;

private:
    ZcDbDatabase* mDb;
    ZcDbBlockTableRecord* mModel = nullptr;
};

struct Timing {
    double wall = -1.0, cpu = -1.0;  // negative: the command failed
};

double Children_Cpu()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Wall and CPU time of a command (CPU: the process and its children; a loaded machine
// stretches wall time, CPU time much less).
Timing Time_Of(const std::string& command)
{
    const double c0 = Children_Cpu();
    auto t0 = Clock::now();
    int rc = std::system(command.c_str());
    Timing t;
    if (rc != 0) return t;
    t.wall = std::chrono::duration<double>(Clock::now() - t0).count();
    t.cpu = Children_Cpu() - c0;
    return t;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path out = argc > 1 ? argv[1] : "render_bench_out";
    const int total = argc > 2 ? std::atoi(argv[2]) : 100000;
    std::filesystem::remove_all(out);
    std::filesystem::create_directories(out / "korvel");

    // 4 A1 and 8 A3 sheets; entities shared out by paper area (an A1 is four A3s).
    std::vector<Sheet> sheets;
    for (int i = 0; i < 4; ++i) sheets.push_back({i * 900.0, 0, 841, 594, L""});
    for (int i = 0; i < 8; ++i) sheets.push_back({i * 450.0, 700, 420, 297, L""});
    for (size_t i = 0; i < sheets.size(); ++i) {
        wchar_t buf[32];
        std::swprintf(buf, 32, L"KV-%ls-%03zu", sheets[i].w > 500 ? L"A1" : L"A3", i + 1);
        sheets[i].number = buf;
    }
    auto db = std::make_unique<ZcDbDatabase>();
    {
        Builder b(db.get());
        ZcDbObjectId title = b.title_block();
        unsigned seed = 12345;
        int left = total;
        for (size_t i = 0; i < sheets.size(); ++i) {
            const int quota = i + 1 == sheets.size() ? left : int(std::lround(total * (sheets[i].w > 500 ? 4.0 : 1.0) / 24.0));
            b.sheet(sheets[i], title, quota, seed);
            left -= quota;
        }
        std::printf("drawing: %d entities on %zu sheets (4 A1, 8 A3)\n", b.count, sheets.size());
    }
    const std::filesystem::path dxf = out / "bench.dxf";
    if (platform::Write_Dxf_File(db.get(), platform::Text_From_Host_Path(dxf)) != Zcad::eOk) {
        std::fprintf(stderr, "cannot write %s\n", dxf.c_str());
        return 1;
    }

    // Korvel: every sheet to its own PDF, one thread.
    std::clock_t c0 = std::clock();
    auto t0 = Clock::now();
    int failures = 0;
    for (size_t i = 0; i < sheets.size(); ++i) {
        const Sheet& s = sheets[i];
        platform::PlotJob job;
        job.database = db.get();
        job.driver = platform::PlotDriver::Pdf;
        job.paper.width_mm = s.h, job.paper.height_mm = s.w;  // portrait description, plotted landscape
        job.landscape = true;
        job.window_min = {s.x, s.y};
        job.window_max = {s.x + s.w, s.y + s.h};
        job.output_path = platform::Text_From_Host_Path(out / "korvel" / (std::to_string(i + 1) + ".pdf"));
        if (!platform::Render_Plot(job).ok) ++failures;
    }
    const double korvel = std::chrono::duration<double>(Clock::now() - t0).count();
    const double cpu = double(std::clock() - c0) / CLOCKS_PER_SEC;

    int found = 0;
    for (size_t i = 0; i < sheets.size(); ++i) {
        std::string number(sheets[i].number.begin(), sheets[i].number.end());
        std::string cmd = "pdftotext " + (out / "korvel" / (std::to_string(i + 1) + ".pdf")).string() +
                          " - 2>/dev/null | grep -q '" + number + "'";
        if (std::system(cmd.c_str()) == 0) ++found;
    }

    std::printf("korvel : %.3f s wall, %.3f s cpu for %zu PDFs (%d failed): %.0f entities/s wall, %.0f cpu\n",
                korvel, cpu, sheets.size(), failures, total / korvel, total / cpu);
    std::fflush(stdout);
    std::printf("korvel : pdftotext finds %d of %zu drawing numbers\n", found, sheets.size());

    if (argc > 3 && std::string(argv[3]) == "--no-peers") return failures == 0 ? 0 : 1;
    const std::string q = "'" + dxf.string() + "'";
    // dxf2pdf's -o is a switch without a value: the PDF lands beside the DXF, under its name.
    const std::filesystem::path librecad_pdf = std::filesystem::path(dxf).replace_extension(".pdf");
    std::filesystem::remove(librecad_pdf);
    const Timing librecad = Time_Of("QT_QPA_PLATFORM=offscreen librecad dxf2pdf " + q + " >/dev/null 2>&1");
    const Timing ezdxf = Time_Of("/usr/bin/python3 -m ezdxf draw -o '" + (out / "ezdxf.pdf").string() + "' " + q +
                                    " >/dev/null 2>&1");
    auto report = [&](const char* name, const Timing& t, const std::string& pdf) {
        if (t.wall < 0) {
            std::printf("%-8s: failed or not installed\n", name);
            return;
        }
        if (!std::filesystem::exists(pdf)) {
            std::printf("%-8s: %.3f s wall, but no PDF at %s\n", name, t.wall, pdf.c_str());
            return;
        }
        std::string cmd = "pdftotext '" + pdf + "' - 2>/dev/null | grep -c 'KV-A' || true";
        FILE* p = popen(cmd.c_str(), "r");
        int n = 0;
        if (p) {
            if (std::fscanf(p, "%d", &n) != 1) n = 0;
            pclose(p);
        }
        std::printf("%-8s: %.3f s wall, %.3f s cpu (korvel is %.1fx faster by wall, %.1fx by cpu); drawing numbers "
                    "found as text: %d of %zu\n",
                    name, t.wall, t.cpu, t.wall / korvel, t.cpu / cpu, n, sheets.size());
    };
    report("librecad", librecad, librecad_pdf.string());
    report("ezdxf", ezdxf, (out / "ezdxf.pdf").string());
    return failures == 0 ? 0 : 1;
}
