// LEADER, MLINE, XLINE, RAY, 3DFACE and polyface meshes: read into their classes with what the
// file says (tests/fixtures/gen_entity_kinds.py), and written back so that ezdxf reads the
// same geometry from our copy as from the original.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>

#include "db/dbface.h"
#include "db/dbleader.h"
#include "db/dbmline.h"
#include "db/dbpolyface.h"
#include "db/dbxline.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"
#include "script/utf8.h"

namespace platform::dxf_test {
namespace {

// The entities of model space by their layer's name.
std::multimap<std::string, ZcDbObjectId> By_Layer(ZcDbDatabase* db)
{
    std::multimap<std::string, ZcDbObjectId> out;
    ZcDbObjectPointer<ZcDbBlockTableRecord> space(db->modelSpaceId());
    for (const ZcDbObjectId& id : space->entityIds()) {
        ZcDbObjectPointer<ZcDbEntity> ent(id);
        wchar_t* layer = ent->layer();
        out.emplace(To_Utf8(layer), id);
        delete[] layer;
    }
    return out;
}

bool Near(const ZcGePoint3d& p, double x, double y) { return std::fabs(p.x - x) < 1e-9 && std::fabs(p.y - y) < 1e-9; }

class EntityKinds : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = Read(Fixture("entity_kinds.dxf"));
        ASSERT_TRUE(db);
        entities = By_Layer(db.get());
    }
    // Opens the one entity of the layer as T and hands it to check.
    template <typename T>
    void With(const char* layer, const std::function<void(T&)>& check)
    {
        SCOPED_TRACE(layer);
        ASSERT_EQ(entities.count(layer), 1u);
        ZcDbObjectPointer<T> ent(entities.find(layer)->second);
        ASSERT_EQ(ent.openStatus(), Zcad::eOk) << "not read as its class";
        check(*ent.object());
    }
    std::unique_ptr<ZcDbDatabase> db;
    std::multimap<std::string, ZcDbObjectId> entities;
};

TEST_F(EntityKinds, EachKindIsReadIntoItsClassWithItsData)
{
    With<ZcDbLeader>("leader", [](ZcDbLeader& l) {
        ASSERT_EQ(l.numVertices(), 3);
        EXPECT_TRUE(Near(l.vertexAt(0), 10, 10));
        EXPECT_TRUE(Near(l.vertexAt(2), 60, 30));
        EXPECT_TRUE(l.hasArrowHead());
        EXPECT_FALSE(l.isSplined());
        EXPECT_DOUBLE_EQ(l.dimasz(), 6.0);  // DIMASZ 4 times DIMSCALE 1.5 of its style
    });
    With<ZcDbLeader>("leader_spline", [](ZcDbLeader& l) {
        EXPECT_EQ(l.numVertices(), 4);
        EXPECT_FALSE(l.hasArrowHead());
        EXPECT_TRUE(l.isSplined());
    });
    With<ZcDbMline>("mline", [](ZcDbMline& m) {
        ASSERT_EQ(m.numVertices(), 3);
        EXPECT_DOUBLE_EQ(m.scale(), 4.0);
        EXPECT_EQ(m.justification(), Mline::kTop);
        EXPECT_NEAR(m.vertexDataAt(1).elementParams[1][0], -5.656854, 1e-6);
        EXPECT_FALSE(m.style().isNull());
    });
    With<ZcDbMline>("mline_triple", [](ZcDbMline& m) {
        EXPECT_EQ(m.vertexDataAt(0).elementParams.size(), 3u);
        EXPECT_EQ(m.justification(), Mline::kZero);
    });
    With<ZcDbXline>("xline", [](ZcDbXline& x) {
        EXPECT_FALSE(ZcDbRay::cast(&x));
        EXPECT_TRUE(Near(x.basePoint(), 0, 120));
        EXPECT_NEAR(x.unitDir().y / x.unitDir().x, 0.2, 1e-12);
        ZcDbExtents e;
        EXPECT_NE(x.getGeomExtents(e), Zcad::eOk) << "a line without end has no extents";
    });
    With<ZcDbRay>("ray", [](ZcDbRay& r) {
        EXPECT_TRUE(Near(r.basePoint(), 100, 130));
        EXPECT_NEAR(r.unitDir().x, -std::sqrt(0.5), 1e-12);
        ZcDbExtents e;
        EXPECT_NE(r.getGeomExtents(e), Zcad::eOk);
    });
    With<ZcDbFace>("face", [](ZcDbFace& f) {
        ZcGePoint3d p;
        f.getVertexAt(2, p);
        EXPECT_TRUE(Near(p, 50, 110));
        bool visible[4];
        for (uint16_t i = 0; i < 4; ++i) f.isEdgeVisibleAt(i, visible[i]);
        EXPECT_TRUE(visible[0]);
        EXPECT_FALSE(visible[1]);
        EXPECT_TRUE(visible[2] && visible[3]);
    });
    With<ZcDbPolyFaceMesh>("polyface", [](ZcDbPolyFaceMesh& m) {
        EXPECT_EQ(m.numVertices(), 5);
        ASSERT_EQ(m.numFaces(), 2);
        int16_t corners[4];
        m.getFaceAt(1, corners);
        EXPECT_EQ(corners[3], 0) << "a triangle";
        ZcDbExtents e;
        ASSERT_EQ(m.getGeomExtents(e), Zcad::eOk);
        EXPECT_TRUE(Near(e.maxPoint(), 110, 110));
    });
}

TEST_F(EntityKinds, EzdxfReadsTheSameGeometryFromOurCopy)
{
    const std::string saved = Temp_Path("entity_kinds_copy.dxf");
    ASSERT_EQ(Write_Dxf_File(db.get(), Wide(saved)), Zcad::eOk);
    std::string original, copy;
    ASSERT_EQ(Run_Command(Oracle("kinds_dump.py") + " " + Quoted(Fixture("entity_kinds.dxf")), original), 0) << original;
    ASSERT_EQ(Run_Command(Oracle("kinds_dump.py") + " " + Quoted(saved), copy), 0) << copy;
    EXPECT_EQ(copy, original);
    EXPECT_NE(original.find("POLYLINE polyface faces"), std::string::npos) << original;
}

TEST_F(EntityKinds, MultilinesMadeHereAreFiledWithTheirStylesDistances)
{
    // No distances filed: they follow from the STANDARD style, the justification and the scale.
    auto* m = new ZcDbMline();
    m->setScale(2.0);
    m->setJustification(Mline::kZero);
    m->appendSeg(ZcGePoint3d(0, 0, 0));
    m->appendSeg(ZcGePoint3d(10, 0, 0));
    m->appendSeg(ZcGePoint3d(10, 10, 0));
    ZcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(zcdbOpenObject(space, db->modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
    ZcDbObjectId id;
    ASSERT_EQ(space->appendZcDbEntity(id, m), Zcad::eOk);
    m->setLayer(L"mline_triple");
    m->close();
    space->close();
    const std::string saved = Temp_Path("entity_kinds_made.dxf");
    ASSERT_EQ(Write_Dxf_File(db.get(), Wide(saved)), Zcad::eOk);
    std::string dump;
    ASSERT_EQ(Run_Command(Oracle("kinds_dump.py") + " " + Quoted(saved), dump), 0) << dump;
    // The corner's miter points up-left; the lines lie one unit either side of the path.
    EXPECT_NE(dump.find("(10.000000,0.000000,0.000000)(0.000000,1.000000,0.000000)(-0.707107,0.707107,0.000000)"
                        "(1.414214)(-1.414214)"),
              std::string::npos)
        << dump;
}

}  // namespace
}  // namespace platform::dxf_test
