#include <gtest/gtest.h>
#include <pthread.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "sheets/sort_helpers.h"

namespace {

// Candidates with the given areas, owned by the pool; the array only points at them.
class Candidate_Pool {
public:
    explicit Candidate_Pool(const std::vector<double>& areas)
    {
        for (double area : areas) {
            m_Owned.push_back(std::make_unique<Temp_Id>());
            m_Owned.back()->Area = area;
            Candidates.Add(m_Owned.back().get());
        }
    }
    Temp_Id* At(size_t i) const { return m_Owned[i].get(); }

    Temp_Id_Array Candidates;

private:
    std::vector<std::unique_ptr<Temp_Id>> m_Owned;
};

class Line_Pool {
public:
    // Segments starting at (key, -key) or (-key, key) for by_y, ending one unit further.
    Line_Pool(const std::vector<double>& keys, bool by_y)
    {
        for (double key : keys) {
            m_Owned.push_back(std::make_unique<Temp_Line>());
            Temp_Line* line = m_Owned.back().get();
            line->Start = by_y ? ZcGePoint2d(-key, key) : ZcGePoint2d(key, -key);
            line->End = line->Start + ZcGeVector2d(1, 1);
            Lines.Add(line);
        }
    }
    Temp_Line_Array Lines;

private:
    std::vector<std::unique_ptr<Temp_Line>> m_Owned;
};

std::vector<double> Random_Values(size_t count, double low, double high, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> value(low, high);
    std::vector<double> values(count);
    for (double& v : values)
        v = value(generator);
    return values;
}

void Expect_Descending_Permutation(const Temp_Id_Array& sorted, const Candidate_Pool& pool, size_t count)
{
    ASSERT_EQ(static_cast<size_t>(sorted.GetSize()), count);
    std::vector<const Temp_Id*> seen;
    for (INT_PTR i = 0; i < sorted.GetSize(); ++i) {
        seen.push_back(sorted[i]);
        if (i > 0) {
            ASSERT_GE(sorted[i - 1]->Area, sorted[i]->Area) << "at " << i;
        }
    }
    std::vector<const Temp_Id*> all;
    for (size_t i = 0; i < count; ++i)
        all.push_back(pool.At(i));
    std::sort(seen.begin(), seen.end());
    std::sort(all.begin(), all.end());
    EXPECT_TRUE(seen == all);
}

// Runs the work on a thread with a small stack: deep recursion would overflow it.
void Run_On_Small_Stack(const std::function<void()>& work)
{
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 64 * 1024);
    pthread_t thread;
    auto* job = new std::function<void()>(work);
    ASSERT_EQ(pthread_create(
                  &thread, &attributes,
                  [](void* argument) -> void* {
                      auto* task = static_cast<std::function<void()>*>(argument);
                      (*task)();
                      delete task;
                      return nullptr;
                  },
                  job),
              0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

TEST(Sort_By_Key, BucketCountsGrowWithTheListUpToEighty)
{
    const struct {
        INT_PTR count;
        int buckets;
    } cases[] = {{0, 0}, {20000, 0}, {20001, 4}, {29999, 4}, {30000, 5}, {779999, 79}, {780000, 80}, {1000000, 80}};
    for (const auto& c : cases)
        EXPECT_EQ(Sort_Bucket_Count(c.count), c.buckets) << c.count;
}

TEST(Sort_By_Key, SortsLargestFirstWithAndWithoutBuckets)
{
    for (size_t count : {size_t(0), size_t(1), size_t(2), size_t(9999), size_t(12000), size_t(20001), size_t(60000)}) {
        SCOPED_TRACE(count);
        // Areas of frames and of lines (0) mixed, with repeats.
        std::vector<double> areas = Random_Values(count, 0.0, 5.0, static_cast<unsigned>(count));
        for (size_t i = 0; i < count; i += 3)
            areas[i] = i % 2 == 0 ? 0.0 : std::round(areas[i]);
        Candidate_Pool pool(areas);
        Sort_By_Key(pool.Candidates);
        Expect_Descending_Permutation(pool.Candidates, pool, count);
    }
}

TEST(Sort_By_Key, EqualAreasAreBucketedAgainUntilTheLargeListSortFinishes)
{
    Candidate_Pool pool(std::vector<double>(25000, 0.5));
    Run_On_Small_Stack([&] { Sort_By_Key(pool.Candidates); });
    Expect_Descending_Permutation(pool.Candidates, pool, 25000);
}

TEST(Sort_By_Key, LargeListSortInsertsTheTailOneByOneFromTheLast)
{
    // 12000 equal areas: the last 2000 wait, the first 10000 are quicksorted, then each waiting
    // one, the very last first, goes in at the front.
    Candidate_Pool pool(std::vector<double>(12000, 1.0));
    Sort_By_Key(pool.Candidates);
    ASSERT_EQ(pool.Candidates.GetSize(), 12000);
    for (size_t i = 0; i < 2000; ++i)
        ASSERT_EQ(pool.Candidates[static_cast<INT_PTR>(i)], pool.At(10000 + i)) << i;
}

TEST(Quicksorts, RecursionStaysShallowOnSortedAndEqualInput)
{
    const size_t count = 8000;
    std::vector<double> ascending(count), descending(count), equal(count, 7.0);
    for (size_t i = 0; i < count; ++i) {
        ascending[i] = static_cast<double>(i);
        descending[i] = static_cast<double>(count - i);
    }
    for (const std::vector<double>* keys : {&ascending, &descending, &equal}) {
        Line_Pool lines(*keys, false);
        Run_On_Small_Stack([&] { Sort_Lines(lines.Lines, 0, static_cast<int>(count) - 1, false); });
        for (size_t i = 1; i < count; ++i)
            ASSERT_LE(lines.Lines[i - 1]->Start.x, lines.Lines[i]->Start.x);

        Candidate_Pool candidates(*keys);
        Run_On_Small_Stack([&] { Sort_By_Key(candidates.Candidates); });
        Expect_Descending_Permutation(candidates.Candidates, candidates, count);

        ZcGePoint2dArray points, companion;
        for (double key : *keys) {
            points.append(ZcGePoint2d(0, key));
            companion.append(ZcGePoint2d(1, key));
        }
        Run_On_Small_Stack([&] { Sort_Points(points, 0, points.length() - 1, true, companion); });
        for (int i = 1; i < points.length(); ++i)
            ASSERT_LE(points[i - 1].y, points[i].y);
    }
}

TEST(Sort_Lines, SortsTheRangeByXOrY)
{
    for (bool by_y : {false, true}) {
        SCOPED_TRACE(by_y);
        Line_Pool pool({9, 5, 3, 8, 1, 3, 0}, by_y);
        // Only positions 1..5 are sorted.
        Sort_Lines(pool.Lines, 1, 5, by_y);
        std::vector<double> keys;
        for (INT_PTR i = 0; i < pool.Lines.GetSize(); ++i)
            keys.push_back(by_y ? pool.Lines[i]->Start.y : pool.Lines[i]->Start.x);
        EXPECT_EQ(keys, (std::vector<double>{9, 1, 3, 3, 5, 8, 0}));
    }
}

TEST(Sort_Points, CompanionAndIdsFollowThePoints)
{
    const std::vector<double> ys = Random_Values(500, -100, 100, 3);
    ZcGePoint2dArray points, companion;
    std::vector<ZcDbObjectId> original_ids;
    ZcDbObjectIdArray ids;
    for (size_t i = 0; i < ys.size(); ++i) {
        points.append(ZcGePoint2d(static_cast<double>(i), ys[i]));
        companion.append(ZcGePoint2d(static_cast<double>(i), ys[i] + 1));
        // Distinct ids from distinct addresses (never opened).
        ids.append(ZcDbObjectId(reinterpret_cast<platform::Db_Stub*>(0x1000 + 16 * i)));
        original_ids.push_back(ids.last());
    }
    Sort_Points(points, 0, points.length() - 1, true, companion, &ids);
    for (int i = 0; i < points.length(); ++i) {
        if (i > 0) {
            ASSERT_LE(points[i - 1].y, points[i].y);
        }
        const size_t from = static_cast<size_t>(points[i].x);
        EXPECT_EQ(companion[i].x, points[i].x);
        EXPECT_EQ(ids[i], original_ids[from]);
    }

    // With an empty id array (or none) only the points and their companions move.
    ZcDbObjectIdArray no_ids;
    Sort_Points(points, 0, points.length() - 1, false, companion, &no_ids);
    EXPECT_TRUE(no_ids.isEmpty());
    for (int i = 0; i < points.length(); ++i) {
        EXPECT_EQ(points[i].x, static_cast<double>(i));
        EXPECT_EQ(companion[i].x, points[i].x);
    }
}

TEST(Find_Line, BinarySearchFindsTheFirstKeyAtLeastTheValueWithinOnePosition)
{
    for (bool by_y : {false, true}) {
        SCOPED_TRACE(by_y);
        const std::vector<double> keys = {0, 10, 20, 20, 30, 40, 55, 70};
        Line_Pool pool(keys, by_y);
        const auto find = [&](double value) {
            return by_y ? Find_Line_By_Y(pool.Lines, value) : Find_Line_By_X(pool.Lines, value);
        };
        EXPECT_EQ(find(-5), 0);
        EXPECT_EQ(find(100), 7);
        EXPECT_EQ(find(70), 7);
        EXPECT_EQ(find(25), 4);
        for (double value = -1; value <= 71; value += 0.5) {
            const int first = static_cast<int>(std::lower_bound(keys.begin(), keys.end(), value) - keys.begin());
            const int found = find(value);
            EXPECT_LE(std::abs(found - std::min(first, 7)), 1) << value;
        }
        Line_Pool two({5, 10}, by_y);
        Line_Pool none({}, by_y);
        for (double value : {0.0, 7.0, 20.0}) {
            EXPECT_EQ(by_y ? Find_Line_By_Y(two.Lines, value) : Find_Line_By_X(two.Lines, value), 0);
            EXPECT_EQ(by_y ? Find_Line_By_Y(none.Lines, value) : Find_Line_By_X(none.Lines, value), 0);
        }
    }
}

TEST(Bubble_Sort_Double, AscendingDescendingAndStable)
{
    const struct {
        bool ascending;
        std::vector<double> in, out;
    } cases[] = {
        {false, {1, 3, 2}, {3, 2, 1}},
        {true, {1, 3, 2}, {1, 2, 3}},
        {true, {}, {}},
        {true, {4}, {4}},
        {false, {2, 2, 5, -1, 2}, {5, 2, 2, 2, -1}},
    };
    for (const auto& c : cases) {
        ZcGeDoubleArray values;
        for (double v : c.in)
            values.append(v);
        Bubble_Sort_Double(c.ascending, values);
        ASSERT_EQ(values.length(), static_cast<int>(c.out.size()));
        for (int i = 0; i < values.length(); ++i)
            EXPECT_EQ(values[i], c.out[static_cast<size_t>(i)]);
    }
    // Equal values keep their order: 0.0 and -0.0 compare equal.
    ZcGeDoubleArray zeros;
    zeros.append(0.0);
    zeros.append(-0.0);
    Bubble_Sort_Double(true, zeros);
    EXPECT_FALSE(std::signbit(zeros[0]));
    Bubble_Sort_Double(false, zeros);
    EXPECT_FALSE(std::signbit(zeros[0]));
}

}  // namespace
