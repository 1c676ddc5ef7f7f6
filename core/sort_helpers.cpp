#include "core/sort_helpers.h"

#include <algorithm>
#include <vector>

namespace {

// Candidate sort: lists above this size are cut into buckets.
constexpr INT_PTR Bucket_Threshold = 20000;
constexpr INT_PTR Elements_Per_Bucket = 10000;
constexpr int Max_Buckets = 80;
// Bucketing levels below the first that may still cut a bucket again.
constexpr int Max_Bucket_Depth = 3;
// The large-list sort quicksorts this many and inserts the rest one by one.
constexpr INT_PTR Quicksort_Size = 10000;

// The partition of the quicksorts: the first element's key is the pivot; a key comes before
// it when before(key, pivot). Returns the pivot's final position.
template <class Key, class Exchange, class Before>
int Partition(int lo, int hi, const Key& key, const Exchange& exchange, const Before& before)
{
    const double pivot = key(lo);
    int p = lo, i = lo, j = hi;
    while (p < j) {
        while (i < j && !before(key(j), pivot))
            --j;
        if (p < j) {
            exchange(p, j);
            ++p;
            ++i;
        }
        while (i < j && before(key(i), pivot)) {
            ++i;
            ++p;
        }
        if (j <= p)
            break;
        exchange(p, j);
        --j;
    }
    return p;
}

// Quicksort of [lo, hi]. The smaller side is sorted by recursion and the larger one by the
// loop, so the recursion stays below log2(n) levels even when every partition is one-sided
// (sorted input, equal keys).
template <class Key, class Exchange, class Before>
void Quick_Sort(int lo, int hi, const Key& key, const Exchange& exchange, const Before& before)
{
    while (lo < hi) {
        const int p = Partition(lo, hi, key, exchange, before);
        if (p - lo < hi - p) {
            Quick_Sort(lo, p - 1, key, exchange, before);
            lo = p + 1;
        } else {
            Quick_Sort(p + 1, hi, key, exchange, before);
            hi = p - 1;
        }
    }
}

bool Ascending_Before(double key, double pivot) { return key <= pivot; }
bool Descending_Before(double key, double pivot) { return key >= pivot; }

void Quick_Sort_Descending(Temp_Id_Array& candidates, int lo, int hi)
{
    Quick_Sort(
        lo, hi, [&](int k) { return candidates[k]->Area; },
        [&](int a, int b) { std::swap(candidates.ElementAt(a), candidates.ElementAt(b)); }, Descending_Before);
}

// Position at which area goes into the list sorted descending.
INT_PTR Descending_Insert_Position(const Temp_Id_Array& sorted, double area)
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

// Descending: a quicksort of at most Quicksort_Size elements, the rest inserted one by one.
void Large_List_Sort(Temp_Id_Array& candidates)
{
    const INT_PTR count = candidates.GetSize();
    if (count < Quicksort_Size) {
        Quick_Sort_Descending(candidates, 0, static_cast<int>(count) - 1);
        return;
    }
    std::vector<Temp_Id*> waiting;
    waiting.reserve(static_cast<size_t>(count - Quicksort_Size));
    for (INT_PTR i = count - 1; i >= Quicksort_Size; --i)
        waiting.push_back(candidates[i]);
    candidates.SetSize(Quicksort_Size);
    Quick_Sort_Descending(candidates, 0, static_cast<int>(Quicksort_Size) - 1);
    for (Temp_Id* candidate : waiting) {
        const INT_PTR position = Descending_Insert_Position(candidates, candidate->Area);
        if (position >= candidates.GetSize())
            candidates.Add(candidate);
        else
            candidates.InsertAt(position, candidate);
    }
}

template <class Key>
int Find_Line(const Temp_Line_Array& lines, double value, const Key& key)
{
    int lo = 0, hi = static_cast<int>(lines.GetSize()) - 1;
    while (lo + 1 < hi) {
        if (value <= key(lines[lo]))
            return lo;
        if (value >= key(lines[hi]))
            return hi;
        const int mid = (lo + hi) / 2;
        if (key(lines[mid - 1]) < value && value <= key(lines[mid]))
            return mid;
        if (value > key(lines[mid]))
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

}  // namespace

int Sort_Bucket_Count(INT_PTR count)
{
    if (count <= Bucket_Threshold)
        return 0;
    return static_cast<int>(std::min<INT_PTR>(count / Elements_Per_Bucket + 2, Max_Buckets));
}

void Sort_By_Key(Temp_Id_Array& candidates, int depth)
{
    const int bucket_count = Sort_Bucket_Count(candidates.GetSize());
    if (bucket_count == 0) {
        Large_List_Sort(candidates);
        return;
    }
    double lo = candidates[0]->Area, hi = lo;
    for (INT_PTR i = 1; i < candidates.GetSize(); ++i) {
        lo = std::min(lo, candidates[i]->Area);
        hi = std::max(hi, candidates[i]->Area);
    }
    // limits[k - 1] = the upper limit of bucket k - 1, k = 1 .. count - 1.
    std::vector<double> limits;
    for (int k = 1; k < bucket_count; ++k)
        limits.push_back(lo + k * (hi - lo) / bucket_count);
    std::vector<Temp_Id_Array> buckets(static_cast<size_t>(bucket_count));
    for (INT_PTR i = 0; i < candidates.GetSize(); ++i) {
        Temp_Id* candidate = candidates[i];
        // The first bucket whose limit is greater than the area; the last one otherwise.
        const size_t bucket = static_cast<size_t>(
            std::upper_bound(limits.begin(), limits.end(), candidate->Area) - limits.begin());
        buckets[bucket].Add(candidate);
    }
    candidates.RemoveAll();
    for (auto bucket = buckets.rbegin(); bucket != buckets.rend(); ++bucket) {
        if (bucket->GetSize() > 1) {
            if (bucket->GetSize() > Bucket_Threshold && depth <= Max_Bucket_Depth)
                Sort_By_Key(*bucket, depth + 1);
            else
                Large_List_Sort(*bucket);
        }
        candidates.Append(*bucket);
    }
}

void Sort_Lines(Temp_Line_Array& lines, int first, int last, bool by_y)
{
    Quick_Sort(
        first, last, [&](int k) { return by_y ? lines[k]->Start.y : lines[k]->Start.x; },
        [&](int a, int b) { std::swap(lines.ElementAt(a), lines.ElementAt(b)); }, Ascending_Before);
}

void Sort_Points(ZcGePoint2dArray& points, int first, int last, bool by_y, ZcGePoint2dArray& companion,
                 ZcDbObjectIdArray* ids)
{
    const bool with_ids = ids != nullptr && !ids->isEmpty();
    Quick_Sort(
        first, last, [&](int k) { return by_y ? points[k].y : points[k].x; },
        [&](int a, int b) {
            std::swap(points[a], points[b]);
            std::swap(companion[a], companion[b]);
            if (with_ids)
                std::swap((*ids)[a], (*ids)[b]);
        },
        Ascending_Before);
}

int Find_Line_By_Y(const Temp_Line_Array& lines, double value)
{
    return Find_Line(lines, value, [](const Temp_Line* line) { return line->Start.y; });
}

int Find_Line_By_X(const Temp_Line_Array& lines, double value)
{
    return Find_Line(lines, value, [](const Temp_Line* line) { return line->Start.x; });
}

void Bubble_Sort_Double(bool ascending, ZcGeDoubleArray& values)
{
    const int n = values.length();
    for (int pass = 0; pass < n - 1; ++pass)
        for (int k = 0; k < n - 1 - pass; ++k)
            if (ascending ? values[k] > values[k + 1] : values[k] < values[k + 1])
                std::swap(values[k], values[k + 1]);
}
