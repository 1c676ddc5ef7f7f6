// Cell background fills of tables: the faces of shells in proxy graphics, drawn filled while
// the stream's fill is on, as in the tables of a real drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "db/dbproxy.h"
#include "dxf/proxy_graphics.h"
#include "dxf_test_support.h"

namespace platform::dxf_test {
namespace {

// A proxy graphics stream, command by command.
class Stream {
public:
    template <typename T>
    static void Put(std::string& s, T v)
    {
        char b[sizeof(T)];
        std::memcpy(b, &v, sizeof(T));
        s.append(b, sizeof(T));
    }
    Stream& command(uint32_t type, const std::string& body)
    {
        Put(commands_, uint32_t(body.size() + 8));
        Put(commands_, type);
        commands_ += body;
        ++count_;
        return *this;
    }
    std::string bytes() const
    {
        std::string out;
        Put(out, uint32_t(commands_.size() + 8));
        Put(out, count_);
        return out + commands_;
    }

private:
    std::string commands_;
    uint32_t count_ = 0;
};

std::string Fill(bool on)
{
    std::string s;
    Stream::Put(s, uint32_t(on ? 1 : 0));
    return s;
}

// A shell of the unit square's corners: the square as one face, then a hole in it.
std::string Square_Shell()
{
    std::string s;
    Stream::Put(s, uint32_t(4));
    for (double xy : {0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0, 1.0, 0.0, 0.0, 1.0, 0.0}) Stream::Put(s, xy);
    Stream::Put(s, uint32_t(9));  // face list entries
    for (int32_t v : {4, 0, 1, 2, 3, -3, 0, 1, 2}) Stream::Put(s, v);
    return s;
}

std::string Triangle()
{
    std::string s;
    Stream::Put(s, uint32_t(3));
    for (double xy : {0.0, 0.0, 0.0, 2.0, 0.0, 0.0, 0.0, 2.0, 0.0}) Stream::Put(s, xy);
    return s;
}

TEST(TableFills, ShellFacesAndPolygonsAreFilledWhileTheFillIsOn)
{
    const std::string data = Stream()
                                 .command(20, Fill(true))
                                 .command(9, Square_Shell())
                                 .command(7, Triangle())
                                 .command(20, Fill(false))
                                 .command(7, Triangle())
                                 .bytes();
    std::string error;
    const ProxyGraphics g = Decode_Proxy_Graphics(data, nullptr, &error);
    EXPECT_EQ(error, "");
    ASSERT_EQ(g.primitives.size(), 3u) << "the square's face and two triangles; the hole left out";
    EXPECT_EQ(g.primitives[0].points.size(), 4u);
    EXPECT_TRUE(g.primitives[0].points[2].isEqualTo(ZcGePoint3d(1, 1, 0)));
    const bool filled[] = {true, true, false};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(g.primitives[i].kind, ZcDbProxyPrimitive::Kind::Polygon);
        EXPECT_EQ(g.primitives[i].filled, filled[i]) << i;
    }
}

TEST(TableFills, AShellNamingAVertexItDoesNotHaveIsDamage)
{
    std::string shell = Square_Shell();
    shell[shell.size() - 4] = 9;  // the hole's last corner: vertex 9 of 4
    std::string error;
    const ProxyGraphics g = Decode_Proxy_Graphics(Stream().command(9, shell).bytes(), nullptr, &error);
    EXPECT_NE(error, "");
    EXPECT_EQ(g.primitives.size(), 1u);
}

TEST(TableFills, ARealTablesCellBackgroundIsAFilledArea)
{
    const std::string drawing = "acadsharp/samples/sample_AC1032_ascii.dxf";
    KORVEL_REQUIRE_REAL_DRAWING(drawing);
    std::unique_ptr<ZcDbDatabase> db = Read(Real_Drawing(drawing));
    ASSERT_TRUE(db);
    // The table at (774.87, 48.54) fills one row of cells (colour 165) 102.59 wide; its block
    // holds the same as a SOLID.
    bool found = false;
    ZcDbObjectPointer<ZcDbBlockTableRecord> space(db->modelSpaceId());
    for (const ZcDbObjectId& id : space->entityIds()) {
        ZcDbObjectPointer<ZcDbProxyEntity> proxy(id);
        if (proxy.openStatus() != Zcad::eOk || std::wstring(proxy->originalDxfName()) != L"ACAD_TABLE") continue;
        for (const ZcDbProxyPrimitive& p : proxy->graphics()) {
            if (!p.filled) continue;
            ZcDbExtents box;
            for (const ZcGePoint3d& q : p.points) box.addPoint(q);
            found = found || (p.colorIndex == 165 && std::fabs(box.minPoint().x - 774.8657) < 1e-3 &&
                              std::fabs(box.maxPoint().x - 877.4603) < 1e-3 &&
                              std::fabs(box.minPoint().y - (48.5388 - 39.3686)) < 1e-3 &&
                              std::fabs(box.maxPoint().y - (48.5388 - 26.5443)) < 1e-3);
        }
    }
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace platform::dxf_test
