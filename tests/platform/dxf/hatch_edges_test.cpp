// Hatch boundaries of arc and ellipse edges read from a drawing: each case's area has the
// extents ezdxf gives it (tests/fixtures/gen_hatch_edges.py).
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "db/dbhatch.h"
#include "dxf_test_support.h"
#include "script/utf8.h"

namespace platform::dxf_test {
namespace {

// The extents of each hatch by its layer's name.
std::map<std::string, ZcDbExtents> Hatch_Extents(ZcDbDatabase* db)
{
    std::map<std::string, ZcDbExtents> out;
    ZcDbObjectPointer<ZcDbBlockTableRecord> space(db->modelSpaceId());
    for (const ZcDbObjectId& id : space->entityIds()) {
        ZcDbObjectPointer<ZcDbHatch> hatch(id);
        if (hatch.openStatus() != Zcad::eOk) continue;
        wchar_t* layer = hatch->layer();
        ZcDbExtents e;
        if (hatch->getGeomExtents(e) == Zcad::eOk) out[To_Utf8(layer)] = e;
        delete[] layer;
    }
    return out;
}

bool Near_Box(const ZcDbExtents& e, double x0, double y0, double x1, double y1, double tol)
{
    return std::fabs(e.minPoint().x - x0) <= tol && std::fabs(e.minPoint().y - y0) <= tol &&
           std::fabs(e.maxPoint().x - x1) <= tol && std::fabs(e.maxPoint().y - y1) <= tol;
}

TEST(HatchEdges, ArcAndEllipseEdgesBoundTheAreaTheyRunAround)
{
    struct Case {
        const char* layer;
        double x0, y0, x1, y1;
    };
    const Case cases[] = {
        {"quarter_ccw", 0, 0, 10, 10},
        {"quarter_cw", 100, 0, 110, 10},  // not the three-quarter disc
        {"three_quarters_cw", 190, -10, 210, 10},
        {"full_circle", 290, -10, 310, 10},
        {"ellipse_quarter_ccw", 400, 0, 420, 10},
        {"ellipse_quarter_cw", 500, 0, 520, 10},
        {"ellipse_wedge_45", 600, 0, 620, 8.94427191},  // angles are true angles, not parameters
    };
    std::unique_ptr<ZcDbDatabase> db = Read(Fixture("hatch_edges.dxf"));
    ASSERT_TRUE(db);
    const std::map<std::string, ZcDbExtents> found = Hatch_Extents(db.get());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layer);
        auto it = found.find(c.layer);
        if (it == found.end()) {
            ADD_FAILURE() << "no area drawn";
            continue;
        }
        EXPECT_TRUE(Near_Box(it->second, c.x0, c.y0, c.x1, c.y1, 0.02))
            << it->second.minPoint().x << "," << it->second.minPoint().y << " " << it->second.maxPoint().x << ","
            << it->second.maxPoint().y;
    }
}

TEST(HatchEdges, TheSolidFillFlagMakesAHatchSolidWhateverItsPatternName)
{
    std::unique_ptr<ZcDbDatabase> db = Read(Fixture("hatch_edges.dxf"));
    ASSERT_TRUE(db);
    ZcDbObjectPointer<ZcDbBlockTableRecord> space(db->modelSpaceId());
    int solid = 0, hatches = 0;
    for (const ZcDbObjectId& id : space->entityIds()) {
        ZcDbObjectPointer<ZcDbHatch> hatch(id);
        if (hatch.openStatus() != Zcad::eOk) continue;
        ++hatches;
        solid += hatch->isSolidFill() && hatch->numPatternDefinitions() == 0;
    }
    EXPECT_EQ(hatches, 7);
    EXPECT_EQ(solid, 7) << "the one named \"SOLID,_O\" too";
}

}  // namespace
}  // namespace platform::dxf_test
