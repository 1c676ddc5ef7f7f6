#include "sheets/frame_order_index.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <numeric>
#include <utility>

namespace {

// More than this share of a sheet's own height (or width) inside a band joins the band.
constexpr double Band_Overlap = 0.25;
constexpr int Max_Passes = 10;
constexpr double Infinity = std::numeric_limits<double>::infinity();

// The sweep directions of each sort type: odd passes, even passes.
const int First_Direction[] = {0, 1, 1, 2, 2, 4, 3, 4, 3};
const int Second_Direction[] = {0, 4, 3, 4, 3, 2, 2, 1, 1};

// A coordinate that is not a number counts as infinitely far, so that values order totally.
double Canonical(double value)
{
    return std::isnan(value) ? Infinity : value;
}

// Doubles in their numeric order as unsigned integers.
uint64_t Order_Key(double value)
{
    const uint64_t bits = std::bit_cast<uint64_t>(value);
    return bits >> 63 ? ~bits : bits | (uint64_t{1} << 63);
}

double From_Order_Key(uint64_t key)
{
    return std::bit_cast<double>(key >> 63 ? key & ~(uint64_t{1} << 63) : ~key);
}

// The lowest band top t at which more than a quarter of [lo, hi] lies inside the band, as
// the sweep tests it in floating point; that test only turns true as t grows.
double Reach(double lo, double hi)
{
    const auto joins = [lo, hi](double top) { return (top - lo) > Band_Overlap * (hi - lo); };
    if (!(lo <= hi) || !joins(hi))
        return hi;
    uint64_t outside = Order_Key(lo), inside = Order_Key(hi);
    while (inside - outside > 1) {
        const uint64_t middle = outside + (inside - outside) / 2;
        (joins(From_Order_Key(middle)) ? inside : outside) = middle;
    }
    return Canonical(From_Order_Key(inside));
}

std::vector<Band_Span> Spans_Along(const std::vector<Frame_Box>& boxes, int direction)
{
    std::vector<Band_Span> spans;
    spans.reserve(boxes.size());
    for (const Frame_Box& box : boxes)
        spans.push_back(Span_Along(box, direction));
    return spans;
}

std::vector<double> Band_Tops(const std::vector<Band_Span>& spans)
{
    std::vector<double> tops;
    tops.reserve(2 * spans.size());
    for (const Band_Span& span : spans) {
        tops.push_back(span.reach);
        tops.push_back(span.hi);
    }
    std::sort(tops.begin(), tops.end());
    tops.erase(std::unique(tops.begin(), tops.end()), tops.end());
    return tops;
}

}  // namespace

Frame_Box Box_Of_Corners(double x0, double y0, double x1, double y1)
{
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

Band_Span Span_Along(const Frame_Box& box, int direction)
{
    double lo, hi;
    switch (direction) {
    case 1: lo = -box.max_y, hi = -box.min_y; break;
    case 2: lo = box.min_y, hi = box.max_y; break;
    case 3: lo = -box.max_x, hi = -box.min_x; break;
    default: lo = box.min_x, hi = box.max_x; break;
    }
    lo = Canonical(lo);
    hi = Canonical(hi);
    return {lo, hi, Reach(lo, hi)};
}

// --- Cover_Tree: counts over ranks, with range additions and the first rank at zero.

Frame_Order_Index::Cover_Tree::Cover_Tree(int size)
    : m_Size(std::max(size, 1)), m_Min(4 * static_cast<size_t>(m_Size)), m_Add(4 * static_cast<size_t>(m_Size))
{
}

void Frame_Order_Index::Cover_Tree::Add(int first, int last, int delta)
{
    if (first <= last)
        Add(1, 0, m_Size - 1, first, last, delta);
}

void Frame_Order_Index::Cover_Tree::Add(int node, int lo, int hi, int first, int last, int delta)
{
    if (last < lo || hi < first)
        return;
    if (first <= lo && hi <= last) {
        m_Add[node] += delta;
        m_Min[node] += delta;
        return;
    }
    const int middle = lo + (hi - lo) / 2;
    Add(2 * node, lo, middle, first, last, delta);
    Add(2 * node + 1, middle + 1, hi, first, last, delta);
    m_Min[node] = m_Add[node] + std::min(m_Min[2 * node], m_Min[2 * node + 1]);
}

int Frame_Order_Index::Cover_Tree::First_Uncovered(int from) const
{
    return First_Uncovered(1, 0, m_Size - 1, from, 0);
}

int Frame_Order_Index::Cover_Tree::First_Uncovered(int node, int lo, int hi, int from, int above) const
{
    if (hi < from || m_Min[node] + above > 0)
        return -1;
    if (lo == hi)
        return lo;
    const int middle = lo + (hi - lo) / 2;
    const int below = above + m_Add[node];
    const int left = First_Uncovered(2 * node, lo, middle, from, below);
    return left >= 0 ? left : First_Uncovered(2 * node + 1, middle + 1, hi, from, below);
}

// --- Frame_Order_Index

Frame_Order_Index::Frame_Order_Index(const std::vector<Frame_Box>& boxes, int sort_type)
    : m_First(Spans_Along(boxes, First_Direction[sort_type])),
      m_Second(Spans_Along(boxes, Second_Direction[sort_type])),
      m_Removed(boxes.size(), 0),
      m_Remaining(static_cast<int>(boxes.size())),
      m_Tops(Band_Tops(m_First)),
      m_Cover(static_cast<int>(m_Tops.size()))
{
    const int count = m_Remaining;
    m_By_Start.resize(count);
    std::iota(m_By_Start.begin(), m_By_Start.end(), 0);
    std::sort(m_By_Start.begin(), m_By_Start.end(), [this](int a, int b) {
        return m_First[a].lo < m_First[b].lo || (m_First[a].lo == m_First[b].lo && a < b);
    });
    for (int i = 0; i < count; ++i)
        m_Cover.Add(Top_Rank(m_First[i].reach), Top_Rank(m_First[i].hi) - 1, 1);

    m_Row_Sheet.resize(count);
    std::iota(m_Row_Sheet.begin(), m_Row_Sheet.end(), 0);
    std::sort(m_Row_Sheet.begin(), m_Row_Sheet.end(), [this](int a, int b) {
        return m_First[a].hi < m_First[b].hi || (m_First[a].hi == m_First[b].hi && a < b);
    });
    m_Row_Position.resize(count);
    m_Row_Ends.resize(count);
    for (int position = 0; position < count; ++position) {
        m_Row_Position[m_Row_Sheet[position]] = position;
        m_Row_Ends[position] = m_First[m_Row_Sheet[position]].hi;
    }
    while (m_Leaves < count)
        m_Leaves *= 2;
    m_Row_Tree.assign(2 * static_cast<size_t>(m_Leaves), Row_Node{0, -1, Infinity, -Infinity, Infinity});
    for (int position = 0; position < count; ++position) {
        const int sheet = m_Row_Sheet[position];
        const Band_Span& span = m_Second[sheet];
        m_Row_Tree[m_Leaves + position] = Row_Node{1, sheet, span.reach, span.hi, span.hi};
    }
    for (int node = m_Leaves - 1; node >= 1; --node)
        m_Row_Tree[node] = Join(m_Row_Tree[2 * node], m_Row_Tree[2 * node + 1]);
}

int Frame_Order_Index::Top_Rank(double value) const
{
    return static_cast<int>(std::lower_bound(m_Tops.begin(), m_Tops.end(), value) - m_Tops.begin());
}

int Frame_Order_Index::Better_Start(int a, int b) const
{
    if (a < 0 || b < 0)
        return a < 0 ? b : a;
    const double lo_a = m_Second[a].lo, lo_b = m_Second[b].lo;
    return lo_b < lo_a || (lo_b == lo_a && b < a) ? b : a;
}

Frame_Order_Index::Row_Node Frame_Order_Index::Join(const Row_Node& a, const Row_Node& b) const
{
    return Row_Node{a.count + b.count, Better_Start(a.start, b.start), std::min(a.min_reach, b.min_reach),
                    std::max(a.max_hi, b.max_hi), std::min(a.min_hi, b.min_hi)};
}

void Frame_Order_Index::Set_Leaf(int position, bool present)
{
    int node = m_Leaves + position;
    const int sheet = m_Row_Sheet[position];
    const Band_Span& span = m_Second[sheet];
    m_Row_Tree[node] = present ? Row_Node{1, sheet, span.reach, span.hi, span.hi}
                               : Row_Node{0, -1, Infinity, -Infinity, Infinity};
    for (node /= 2; node >= 1; node /= 2)
        m_Row_Tree[node] = Join(m_Row_Tree[2 * node], m_Row_Tree[2 * node + 1]);
}

std::vector<int> Frame_Order_Index::Prefix_Nodes(int end) const
{
    std::vector<int> nodes;
    for (int lo = m_Leaves, hi = m_Leaves + end; lo < hi; lo /= 2, hi /= 2) {
        if (lo & 1)
            nodes.push_back(lo++);
        if (hi & 1)
            nodes.push_back(--hi);
    }
    return nodes;
}

bool Frame_Order_Index::Raise(int node, double& top) const
{
    const Row_Node& summary = m_Row_Tree[node];
    if (summary.count == 0 || summary.min_reach > top || summary.max_hi <= top)
        return false;
    if (node >= m_Leaves) {
        top = summary.max_hi;
        return true;
    }
    const bool left = Raise(2 * node, top);
    const bool right = Raise(2 * node + 1, top);
    return left || right;
}

void Frame_Order_Index::Report(int node, double top, std::vector<int>& out) const
{
    const Row_Node& summary = m_Row_Tree[node];
    if (summary.count == 0 || summary.min_hi > top)
        return;
    if (node >= m_Leaves) {
        out.push_back(summary.start);
        return;
    }
    Report(2 * node, top, out);
    Report(2 * node + 1, top, out);
}

std::vector<int> Frame_Order_Index::Sweep_Small(const std::vector<int>& candidates,
                                                const std::vector<Band_Span>& spans) const
{
    int start = candidates.front();
    for (int sheet : candidates)
        if (spans[sheet].lo < spans[start].lo)
            start = sheet;
    std::vector<int> by_reach = candidates;
    std::sort(by_reach.begin(), by_reach.end(), [&spans](int a, int b) { return spans[a].reach < spans[b].reach; });
    double top = spans[start].hi;
    for (int sheet : by_reach) {
        if (spans[sheet].reach > top)
            break;
        top = std::max(top, spans[sheet].hi);
    }
    std::vector<int> kept;
    for (int sheet : candidates)
        if (spans[sheet].hi <= top)
            kept.push_back(sheet);
    return kept;
}

int Frame_Order_Index::First() const
{
    if (m_Remaining == 0)
        return -1;
    // First sweep over all remaining sheets: the band ends at the first top no span raises.
    const int start = m_By_Start[m_Start_Cursor];
    if (m_Remaining == 1)
        return start;
    const double top = m_Tops[m_Cover.First_Uncovered(Top_Rank(m_First[start].hi))];
    const int end = static_cast<int>(std::upper_bound(m_Row_Ends.begin(), m_Row_Ends.end(), top) - m_Row_Ends.begin());
    const std::vector<int> band = Prefix_Nodes(end);
    int kept_count = 0;
    int second_start = -1;
    for (int node : band) {
        kept_count += m_Row_Tree[node].count;
        second_start = Better_Start(second_start, m_Row_Tree[node].start);
    }
    if (kept_count == 1)
        return start;

    // Second sweep over the sheets the first kept: the row positions before end.
    double second_top = m_Second[second_start].hi;
    for (bool raised = true; raised;) {
        raised = false;
        for (int node : band)
            raised = Raise(node, second_top) || raised;
    }
    // A sweep keeps again everything that a sweep in its direction kept, so once a pass
    // keeps every sheet it is given, so do all the passes after it: the sheet with the
    // extreme edge in the second direction comes first.
    double band_end = -Infinity;
    for (int node : band)
        band_end = std::max(band_end, m_Row_Tree[node].max_hi);
    if (band_end <= second_top)
        return second_start;
    std::vector<int> kept;
    for (int node : band)
        Report(node, second_top, kept);
    std::sort(kept.begin(), kept.end());

    // Further passes keep sheets that overlap both bands, usually one.
    for (int pass = 3; pass <= Max_Passes && kept.size() > 1; ++pass) {
        std::vector<int> narrower = Sweep_Small(kept, pass % 2 ? m_First : m_Second);
        const bool all_kept = narrower.size() == kept.size();
        kept = std::move(narrower);
        if (all_kept)
            break;
    }
    int best = kept.front();
    for (int sheet : kept)
        if (m_Second[sheet].lo < m_Second[best].lo)
            best = sheet;
    return best;
}

void Frame_Order_Index::Remove(int index)
{
    if (index < 0 || index >= static_cast<int>(m_Removed.size()) || m_Removed[index])
        return;
    m_Removed[index] = 1;
    --m_Remaining;
    m_Cover.Add(Top_Rank(m_First[index].reach), Top_Rank(m_First[index].hi) - 1, -1);
    Set_Leaf(m_Row_Position[index], false);
    while (m_Start_Cursor < m_By_Start.size() && m_Removed[m_By_Start[m_Start_Cursor]])
        ++m_Start_Cursor;
}
