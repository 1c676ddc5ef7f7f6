// Memory of database objects: live objects never share bytes, each gets the alignment its size
// implies, and memory given back serves later objects.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "db/dbents.h"
#include "db/object_pool.h"

namespace {

struct Block {
    unsigned char* p;
    size_t size;
    unsigned char mark;
};

void Fill(const Block& b) { std::memset(b.p, b.mark, b.size); }
bool Intact(const Block& b)
{
    for (size_t i = 0; i < b.size; ++i)
        if (b.p[i] != b.mark) return false;
    return true;
}

TEST(ObjectPool, LiveBlocksKeepTheirBytesAndAlignment)
{
    const size_t kSizes[] = {1, 8, 16, 24, 40, 152, 160, 168, 248, 1016, 1024, 1025, 5000};
    std::vector<Block> live;
    unsigned char mark = 1;
    // Enough blocks of each size to run through several slabs, every third round one given back early.
    for (int round = 0; round < 4000; ++round) {
        for (size_t size : kSizes) {
            Block b{static_cast<unsigned char*>(platform::Allocate_Object_Memory(size)), size, mark++};
            ASSERT_NE(b.p, nullptr);
            const uintptr_t at = reinterpret_cast<uintptr_t>(b.p);
            ASSERT_EQ(at % (size % 16 == 0 ? 16 : 8), 0u) << "size " << size;
            Fill(b);
            live.push_back(b);
        }
        if (round % 3 == 0) {
            const Block gone = live[live.size() / 2];
            ASSERT_TRUE(Intact(gone));
            platform::Free_Object_Memory(gone.p, gone.size);
            live.erase(live.begin() + std::ptrdiff_t(live.size() / 2));
        }
    }
    for (const Block& b : live) {
        ASSERT_TRUE(Intact(b)) << "block of " << b.size << " bytes overwritten";
        platform::Free_Object_Memory(b.p, b.size);
    }
}

// Objects deleted through their base give back the memory of their own class.
TEST(ObjectPool, ObjectsDeletedThroughTheirBaseAreMadeAgain)
{
    for (int round = 0; round < 3; ++round) {
        std::vector<ZcDbObject*> objects;
        for (int i = 0; i < 3000; ++i) {
            objects.push_back(new ZcDbLine(ZcGePoint3d(i, 0, 0), ZcGePoint3d(i, 1, 0)));
            objects.push_back(new ZcDbCircle(ZcGePoint3d(i, 0, 0), ZcGeVector3d::kZAxis, i + 1.0));
            objects.push_back(new ZcDbPolyline(4));
        }
        for (size_t i = 0; i < objects.size(); i += 3) {
            ASSERT_EQ(ZcDbLine::cast(objects[i])->startPoint(), ZcGePoint3d(double(i / 3), 0, 0));
            ASSERT_EQ(ZcDbCircle::cast(objects[i + 1])->radius(), double(i / 3) + 1.0);
        }
        for (ZcDbObject* o : objects) delete o;
    }
}

// Vertex arrays of every size (pooled, from the heap, in huge pages) keep their vertices while
// they grow, shrink and are copied.
TEST(ObjectPool, PolylineVerticesSurviveGrowthAndCopies)
{
    for (unsigned count : {3u, 21u, 22u, 50000u}) {
        SCOPED_TRACE(count);
        ZcDbPolyline line;
        for (unsigned i = 0; i < count; ++i) ASSERT_EQ(line.addVertexAt(i, ZcGePoint2d(i, -double(i)), 0.5), Zcad::eOk);
        ASSERT_EQ(line.removeVertexAt(0), Zcad::eOk);
        std::unique_ptr<ZcDbPolyline> copy(ZcDbPolyline::cast(line.clone()));
        ASSERT_NE(copy, nullptr);
        for (const ZcDbPolyline* p : {&line, copy.get()}) {
            ASSERT_EQ(p->numVerts(), count - 1);
            for (unsigned i = 0; i + 1 < count; ++i) {
                ZcGePoint2d pt;
                ASSERT_EQ(p->getPointAt(i, pt), Zcad::eOk);
                ASSERT_EQ(pt, ZcGePoint2d(i + 1, -double(i + 1))) << "vertex " << i;
            }
        }
    }
}

}  // namespace
