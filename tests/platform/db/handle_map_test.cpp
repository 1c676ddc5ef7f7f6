// The table of stubs by handle: every handle finds its own stub whatever the handles look like,
// across growth, and iteration visits each once.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>

#include "db/handle_map.h"
#include "db/stub_pool.h"

namespace {

struct Handle_Set {
    const char* what;
    std::function<uint64_t(uint64_t)> handle;  // the i-th handle (i from 0), all distinct and non-zero
};

uint64_t Random_Handle(uint64_t i)
{
    std::mt19937_64 rng(i * 7919 + 1);
    return rng() | 1;  // distinct in practice; checked below
}

const Handle_Set kSets[] = {
    {"sequential", [](uint64_t i) { return i + 1; }},
    {"descending", [](uint64_t i) { return 100000 - i; }},
    {"strided by 8", [](uint64_t i) { return (i + 1) << 3; }},
    {"strided by 2^20", [](uint64_t i) { return (i + 1) << 20; }},
    {"high half only", [](uint64_t i) { return (i + 1) << 32; }},
    {"at the top", [](uint64_t i) { return UINT64_MAX - 1 - i; }},
    {"random", Random_Handle},
};

// Stubs carrying the handles of a set, in a pool as a database keeps them.
platform::Db_Stub* Add(platform::Stub_Pool& pool, platform::Handle_Map& map, uint64_t handle)
{
    platform::Db_Stub* stub = pool.make(nullptr);
    stub->handle = ZcDbHandle(handle);
    map.insert(handle, pool.size() - 1);
    return stub;
}

TEST(HandleMap, EveryHandleFindsItsStubAcrossGrowth)
{
    constexpr uint64_t kCount = 20000;
    for (const Handle_Set& set : kSets) {
        for (bool reserved : {false, true}) {
            SCOPED_TRACE(std::string(set.what) + (reserved ? ", reserved" : ", grown"));
            platform::Stub_Pool pool;
            platform::Handle_Map map(pool);
            if (reserved) map.reserve(kCount);
            std::map<uint64_t, platform::Db_Stub*> expected;
            for (uint64_t i = 0; i < kCount; ++i) {
                const uint64_t h = set.handle(i);
                ASSERT_FALSE(map.contains(h)) << "handle " << h << " before it was added";
                expected[h] = Add(pool, map, h);
                // A handle added early is still found while the table grows.
                ASSERT_EQ(map.find(set.handle(i / 2)), expected[set.handle(i / 2)]);
            }
            ASSERT_EQ(expected.size(), kCount);
            EXPECT_EQ(map.size(), kCount);
            for (const auto& [h, stub] : expected) ASSERT_EQ(map.find(h), stub) << "handle " << h;
            std::map<uint64_t, platform::Db_Stub*> visited;
            for (const auto& [h, stub] : map) EXPECT_TRUE(visited.emplace(h, stub).second) << "visited twice: " << h;
            EXPECT_EQ(visited, expected);
            EXPECT_EQ(map.find(0), nullptr);
            EXPECT_FALSE(map.contains(set.handle(kCount)));
        }
    }
}

TEST(HandleMap, ClearedTableIsEmptyAndUsableAgain)
{
    platform::Stub_Pool pool;
    platform::Handle_Map map(pool);
    EXPECT_EQ(map.find(5), nullptr);
    EXPECT_EQ(map.begin(), map.end());
    Add(pool, map, 5);
    map.clear();
    EXPECT_EQ(map.size(), 0u);
    EXPECT_EQ(map.find(5), nullptr);
    EXPECT_EQ(map.begin(), map.end());
    platform::Db_Stub* again = Add(pool, map, 5);
    EXPECT_EQ(map.find(5), again);
}

}  // namespace
