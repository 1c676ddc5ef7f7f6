// Times a fence selection over a drawing of 100,000 entities (short lines and circles
// scattered over 10,000 x 10,000 units), with the editor's spatial index and with a pass
// over every entity, and prints both.
//
//   ed_selection_bench [ENTITIES] [FENCES]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "ed/command_line.h"
#include "ed/docman.h"
#include "ed/host_session.h"
#include "ed/selection.h"
#include "ed/spatial_index.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms_Since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Fill(ZcDbDatabase* db, int count)
{
    std::mt19937 random(42);
    std::uniform_real_distribution<double> where(0, 10000);
    std::uniform_real_distribution<double> size(-20, 20);
    ZcDbObjectPointer<ZcDbBlockTableRecord> model(db->modelSpaceId(), ZcDb::kForWrite);
    for (int i = 0; i < count; ++i) {
        double x = where(random), y = where(random);
        ZcDbEntity* entity = i % 10 == 0
                                 ? static_cast<ZcDbEntity*>(new ZcDbCircle(ZcGePoint3d(x, y, 0), ZcGeVector3d::kZAxis,
                                                                           1 + std::abs(size(random)) / 4))
                                 : new ZcDbLine(ZcGePoint3d(x, y, 0), ZcGePoint3d(x + size(random), y + size(random), 0));
        model->appendZcDbEntity(entity);
        entity->close();
    }
}

// One fence of three legs across the drawing; returns the number of entities found.
int32_t Fence(std::mt19937& random)
{
    std::uniform_real_distribution<double> where(0, 10000);
    resbuf* chain = nullptr;
    resbuf** next = &chain;
    for (int k = 0; k < 4; ++k) {
        resbuf* rb = zcutNewRb(RT3DPOINT);
        rb->resval.rpoint[0] = where(random);
        rb->resval.rpoint[1] = where(random);
        rb->resval.rpoint[2] = 0;
        *next = rb;
        next = &rb->rbnext;
    }
    ads_name ss;
    int32_t found = 0;
    if (zcedSSGet(L"F", chain, nullptr, nullptr, ss) == RTNORM) {
        zcedSSLength(ss, &found);
        zcedSSFree(ss);
    }
    zcutRelRb(chain);
    return found;
}

// Average milliseconds of one fence over `fences` fences (the same fences every run).
double Time_Fences(int fences, long& found)
{
    std::mt19937 random(9);
    found = 0;
    Clock::time_point start = Clock::now();
    for (int i = 0; i < fences; ++i)
        found += Fence(random);
    return Ms_Since(start) / fences;
}

}  // namespace

int main(int argc, char** argv)
{
    const int entities = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int fences = argc > 2 ? std::atoi(argv[2]) : 20;
    platform::CommandLine::instance().set_echo_to_stdout(false);
    ZcApDocument* doc = platform::Add_Document(new ZcDbDatabase(true, false), true, L"C:\\bench.dxf");

    Clock::time_point start = Clock::now();
    Fill(doc->database(), entities);
    std::printf("drawing: %d entities made in %.0f ms\n", entities, Ms_Since(start));

    platform::Set_Spatial_Index_Enabled(true);
    start = Clock::now();
    std::mt19937 first(1);
    Fence(first);
    std::printf("index: built by the first fence in %.0f ms\n", Ms_Since(start));

    long foundIndexed = 0, foundScanned = 0;
    const double indexed = Time_Fences(fences, foundIndexed);
    platform::Set_Spatial_Index_Enabled(false);
    const double scanned = Time_Fences(std::max(1, fences / 4), foundScanned);
    std::mt19937 again(9);
    long check = 0;
    for (int i = 0; i < std::max(1, fences / 4); ++i)
        check += Fence(again);
    platform::Set_Spatial_Index_Enabled(true);
    long checkIndexed = 0;
    std::mt19937 again2(9);
    for (int i = 0; i < std::max(1, fences / 4); ++i)
        checkIndexed += Fence(again2);

    std::printf("fence (3 legs) with the index:    %8.3f ms per fence (%ld entities found in %d fences)\n",
                indexed, foundIndexed, fences);
    std::printf("fence (3 legs) without the index: %8.3f ms per fence\n", scanned);
    std::printf("speed-up: %.0fx; same entities found: %s\n", scanned / indexed,
                check == checkIndexed ? "yes" : "NO");
    platform::Close_All_Documents();
    return check == checkIndexed ? 0 : 1;
}
