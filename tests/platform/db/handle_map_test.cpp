// The table of stubs by handle: every handle finds its own stub whatever the handles look like,
// across growth, and iteration visits each once.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <vector>

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
    {"strided by 16", [](uint64_t i) { return (i + 1) << 4; }},
    {"strided by 2^20", [](uint64_t i) { return (i + 1) << 20; }},
    {"high half only", [](uint64_t i) { return (i + 1) << 32; }},
    {"at the top", [](uint64_t i) { return UINT64_MAX - 1 - i; }},
    {"random", Random_Handle},
};

TEST(HandleMap, EveryHandleFindsItsStubAcrossGrowth)
{
    constexpr uint64_t kCount = 20000;
    std::vector<platform::Db_Stub> stubs(kCount);
    for (const Handle_Set& set : kSets) {
        for (bool reserved : {false, true}) {
            SCOPED_TRACE(std::string(set.what) + (reserved ? ", reserved" : ", grown"));
            platform::Handle_Map map;
            if (reserved) map.reserve(kCount);
            std::map<uint64_t, platform::Db_Stub*> expected;
            for (uint64_t i = 0; i < kCount; ++i) {
                const uint64_t h = set.handle(i);
                ASSERT_FALSE(map.contains(h)) << "handle " << h << " before it was added";
                map.insert(h, &stubs[i]);
                expected[h] = &stubs[i];
                // A handle added early is still found while the table grows.
                ASSERT_EQ(map.find(set.handle(i / 2)), &stubs[i / 2]);
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
    platform::Db_Stub a, b;
    platform::Handle_Map map;
    EXPECT_EQ(map.find(5), nullptr);
    EXPECT_EQ(map.begin(), map.end());
    map.insert(5, &a);
    map.clear();
    EXPECT_EQ(map.size(), 0u);
    EXPECT_EQ(map.find(5), nullptr);
    EXPECT_EQ(map.begin(), map.end());
    map.insert(5, &b);
    EXPECT_EQ(map.find(5), &b);
}

}  // namespace
