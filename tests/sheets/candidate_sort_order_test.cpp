// The candidate sort against the plain one it replaces, which inserts each element of the
// tail of a long list into the list itself: the same order, element for element.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "sheets/sort_helpers.h"

namespace {

namespace plain_sort {

void Quick_Sort_Descending(Temp_Id_Array& list, int lo, int hi)
{
    while (lo < hi) {
        const double pivot = list[lo]->Area;
        int p = lo, i = lo, j = hi;
        while (p < j) {
            while (i < j && !(list[j]->Area >= pivot))
                --j;
            if (p < j) {
                std::swap(list.ElementAt(p), list.ElementAt(j));
                ++p;
                ++i;
            }
            while (i < j && list[i]->Area >= pivot) {
                ++i;
                ++p;
            }
            if (j <= p)
                break;
            std::swap(list.ElementAt(p), list.ElementAt(j));
            --j;
        }
        if (p - lo < hi - p) {
            Quick_Sort_Descending(list, lo, p - 1);
            lo = p + 1;
        } else {
            Quick_Sort_Descending(list, p + 1, hi);
            hi = p - 1;
        }
    }
}

INT_PTR Insert_Position(const Temp_Id_Array& sorted, double area)
{
    INT_PTR lo = 0, hi = sorted.GetSize() - 1;
    for (;;) {
        if (area >= sorted[lo]->Area)
            return lo;
        if (area <= sorted[hi]->Area)
            return hi + 1;
        if (hi == lo + 1)
            return hi;
        const INT_PTR mid = (lo + hi) / 2;
        if (sorted[mid - 1]->Area >= area && area >= sorted[mid]->Area)
            return mid;
        if (area < sorted[mid]->Area)
            lo = mid;
        else
            hi = mid;
    }
}

void Large_List_Sort(Temp_Id_Array& list)
{
    const INT_PTR count = list.GetSize();
    if (count < 10000) {
        Quick_Sort_Descending(list, 0, static_cast<int>(count) - 1);
        return;
    }
    std::vector<Temp_Id*> waiting;
    for (INT_PTR i = count - 1; i >= 10000; --i)
        waiting.push_back(list[i]);
    list.SetSize(10000);
    Quick_Sort_Descending(list, 0, 9999);
    for (Temp_Id* candidate : waiting) {
        const INT_PTR position = Insert_Position(list, candidate->Area);
        if (position >= list.GetSize())
            list.Add(candidate);
        else
            list.InsertAt(position, candidate);
    }
}

void Sort_Candidates(Temp_Id_Array& list, int depth = 0)
{
    const int bucket_count = Sort_Bucket_Count(list.GetSize());
    if (bucket_count == 0) {
        Large_List_Sort(list);
        return;
    }
    double lo = list[0]->Area, hi = lo;
    for (INT_PTR i = 1; i < list.GetSize(); ++i) {
        lo = std::min(lo, list[i]->Area);
        hi = std::max(hi, list[i]->Area);
    }
    std::vector<double> limits;
    for (int k = 1; k < bucket_count; ++k)
        limits.push_back(lo + k * (hi - lo) / bucket_count);
    std::vector<Temp_Id_Array> buckets(static_cast<size_t>(bucket_count));
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        buckets[static_cast<size_t>(std::upper_bound(limits.begin(), limits.end(), list[i]->Area) - limits.begin())]
            .Add(list[i]);
    list.RemoveAll();
    for (auto bucket = buckets.rbegin(); bucket != buckets.rend(); ++bucket) {
        if (bucket->GetSize() > 1) {
            if (bucket->GetSize() > 20000 && depth <= 3)
                Sort_Candidates(*bucket, depth + 1);
            else
                Large_List_Sort(*bucket);
        }
        list.Append(*bucket);
    }
}

}  // namespace plain_sort

std::vector<double> Areas(const char* kind, size_t count, std::mt19937& random)
{
    std::vector<double> areas(count);
    const std::string k = kind;
    for (size_t i = 0; i < count; ++i) {
        if (k == "equal")
            areas[i] = 0.5;
        else if (k == "few sizes")
            areas[i] = 0.25 * static_cast<double>(random() % 4);
        else if (k == "ascending")
            areas[i] = static_cast<double>(i / 7);
        else if (k == "descending")
            areas[i] = static_cast<double>((count - i) / 3);
        else
            areas[i] = std::uniform_real_distribution<double>(0, 5)(random);
    }
    return areas;
}

TEST(Candidate_Sort_Order, SameOrderAsInsertingIntoTheListItself)
{
    const struct {
        const char* kind;
        size_t count;
    } cases[] = {{"equal", 10001},     {"equal", 21000},      {"few sizes", 13500}, {"few sizes", 21000},
                 {"ascending", 13500}, {"descending", 13500}, {"spread", 21000}};
    for (const auto& [kind, count] : cases) {
        SCOPED_TRACE(testing::Message() << kind << ", " << count);
        std::mt19937 random(static_cast<unsigned>(count));
        const std::vector<double> areas = Areas(kind, count, random);
        std::vector<std::unique_ptr<Temp_Id>> owned;
        Temp_Id_Array indexed, plain;
        for (double area : areas) {
            owned.push_back(std::make_unique<Temp_Id>());
            owned.back()->Area = area;
            indexed.Add(owned.back().get());
            plain.Add(owned.back().get());
        }
        Sort_By_Key(indexed);
        plain_sort::Sort_Candidates(plain);
        ASSERT_EQ(indexed.GetSize(), plain.GetSize());
        bool same = true;
        for (INT_PTR i = 0; i < indexed.GetSize() && same; ++i)
            same = indexed[i] == plain[i];
        EXPECT_TRUE(same);
    }
}

}  // namespace
