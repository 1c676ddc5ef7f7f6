#include "sheets/sort_helpers.h"

#include <algorithm>
#include <cmath>
#include <functional>
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

// Position at which area goes into a list of count areas sorted descending, the area at
// each position given by area_at.
template <class Area_At>
INT_PTR Descending_Insert_Position(INT_PTR count, double area, const Area_At& area_at)
{
    INT_PTR lo = 0, hi = count - 1;
    for (;;) {
        if (area >= area_at(lo))
            return lo;
        if (area <= area_at(hi))
            return hi + 1;
        if (hi == lo + 1)
            return hi;
        const INT_PTR mid = (lo + hi) / 2;
        if (area_at(mid - 1) >= area && area >= area_at(mid))
            return mid;
        if (area < area_at(mid))
            lo = mid;
        else
            hi = mid;
    }
}

// Counts over positions 0..n-1: adds, and the position at which the running count passes
// a rank.
class Count_Tree {
public:
    explicit Count_Tree(size_t size) : m_Counts(size + 1, 0) {}
    void Add(size_t position, int delta)
    {
        for (size_t i = position + 1; i < m_Counts.size(); i += i & (~i + 1))
            m_Counts[i] += delta;
    }
    // The first position whose running count exceeds rank (0-based).
    size_t Position_Of_Rank(INT_PTR rank) const
    {
        size_t position = 0;
        size_t step = 1;
        while (step * 2 < m_Counts.size())
            step *= 2;
        for (; step > 0; step /= 2)
            if (position + step < m_Counts.size() && m_Counts[position + step] <= rank) {
                position += step;
                rank -= m_Counts[position];
            }
        return position;
    }

private:
    std::vector<INT_PTR> m_Counts;
};

// Inserts each waiting candidate, in turn, where the insertion search puts it in the list
// sorted descending, as if one by one into the list itself. A sorted list's area at each
// position depends only on the areas it holds, so the searches run on counts of areas and
// the final order follows from the positions, taken back to front.
void Insert_Descending(Temp_Id_Array& sorted, const std::vector<Temp_Id*>& waiting)
{
    std::vector<double> areas;  // every area, largest first, once
    for (INT_PTR i = 0; i < sorted.GetSize(); ++i)
        areas.push_back(sorted[i]->Area);
    for (const Temp_Id* candidate : waiting)
        areas.push_back(candidate->Area);
    std::sort(areas.begin(), areas.end(), std::greater<double>());
    areas.erase(std::unique(areas.begin(), areas.end()), areas.end());
    const auto level = [&areas](double area) {
        return static_cast<size_t>(std::lower_bound(areas.begin(), areas.end(), area, std::greater<double>()) -
                                   areas.begin());
    };

    Count_Tree held(areas.size());
    for (INT_PTR i = 0; i < sorted.GetSize(); ++i)
        held.Add(level(sorted[i]->Area), 1);
    const auto area_at = [&](INT_PTR position) { return areas[held.Position_Of_Rank(position)]; };
    std::vector<INT_PTR> positions;  // where each waiting candidate went, at its turn
    positions.reserve(waiting.size());
    INT_PTR count = sorted.GetSize();
    for (const Temp_Id* candidate : waiting) {
        positions.push_back(std::min(Descending_Insert_Position(count, candidate->Area, area_at), count));
        held.Add(level(candidate->Area), 1);
        ++count;
    }

    // The last one inserted keeps its position; each earlier one takes, among the places
    // still free, the one its position names.
    std::vector<Temp_Id*> final_order(static_cast<size_t>(count));
    Count_Tree free_places(final_order.size());
    for (size_t i = 0; i < final_order.size(); ++i)
        free_places.Add(i, 1);
    const auto place = [&](INT_PTR position, Temp_Id* candidate) {
        const size_t at = free_places.Position_Of_Rank(position);
        final_order[at] = candidate;
        free_places.Add(at, -1);
    };
    for (size_t k = waiting.size(); k-- > 0;)
        place(positions[k], waiting[k]);
    for (INT_PTR i = sorted.GetSize(); i-- > 0;)
        place(i, sorted[i]);
    sorted.SetSize(count);
    for (INT_PTR i = 0; i < count; ++i)
        sorted[i] = final_order[static_cast<size_t>(i)];
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
    const auto is_number = [](const Temp_Id* candidate) { return !std::isnan(candidate->Area); };
    bool all_numbers = std::all_of(waiting.begin(), waiting.end(), is_number);
    for (INT_PTR i = 0; i < candidates.GetSize() && all_numbers; ++i)
        all_numbers = is_number(candidates[i]);
    if (all_numbers) {
        Insert_Descending(candidates, waiting);
        return;
    }
    // Areas that are no numbers leave the list out of order: inserted into the list itself.
    for (Temp_Id* candidate : waiting) {
        const INT_PTR position = Descending_Insert_Position(
            candidates.GetSize(), candidate->Area, [&candidates](INT_PTR i) { return candidates[i]->Area; });
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
