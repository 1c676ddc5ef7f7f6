// The sheets of a set taken one by one in a position order: each pick is the sheet that a
// full sweep of the remaining sheets would choose, found in logarithmic time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A sheet's rectangle, minimum corner first.
struct Frame_Box {
    double min_x, min_y, max_x, max_y;
};

Frame_Box Box_Of_Corners(double x0, double y0, double x1, double y1);

// A rectangle's extent along a sweep's axis, oriented so that bands grow toward hi.
// Reach is the lowest band top from which the span raises the band (more than a quarter
// of it inside); hi when it never does.
struct Band_Span {
    double lo, hi, reach;
};

// Directions: 1 top row, 2 bottom row, 3 right column, 4 left column.
Band_Span Span_Along(const Frame_Box& box, int direction);

class Frame_Order_Index {
public:
    // Sort types 1..8.
    Frame_Order_Index(const std::vector<Frame_Box>& boxes, int sort_type);

    // The remaining sheet that comes first; -1 once all are taken.
    int First() const;
    void Remove(int index);
    int Remaining() const { return m_Remaining; }

private:
    // Counts, over the band tops that can occur, how many spans of the first direction
    // would raise a band at that top.
    class Cover_Tree {
    public:
        explicit Cover_Tree(int size);
        void Add(int first, int last, int delta);
        int First_Uncovered(int from) const;

    private:
        void Add(int node, int lo, int hi, int first, int last, int delta);
        int First_Uncovered(int node, int lo, int hi, int from, int above) const;
        int m_Size;
        std::vector<int> m_Min, m_Add;
    };

    // The sheets ordered by the first direction's band end; each node sums its sheets for
    // the sweep in the second direction.
    struct Row_Node {
        int count = 0;
        int start = -1;  // lowest second-direction start, the first sheet on a tie
        double min_reach, max_hi, min_hi;
    };

    bool Raise(int node, double& top) const;
    void Report(int node, double top, std::vector<int>& out) const;
    std::vector<int> Prefix_Nodes(int end) const;
    std::vector<int> Sweep_Small(const std::vector<int>& candidates, const std::vector<Band_Span>& spans) const;
    int Better_Start(int a, int b) const;
    Row_Node Join(const Row_Node& a, const Row_Node& b) const;
    void Set_Leaf(int position, bool present);
    int Top_Rank(double value) const;

    std::vector<Band_Span> m_First;   // each sheet along the first direction
    std::vector<Band_Span> m_Second;  // and along the second
    std::vector<uint8_t> m_Removed;
    int m_Remaining = 0;

    std::vector<int> m_By_Start;  // (first-direction lo, index) order
    size_t m_Start_Cursor = 0;    // the first sheet of m_By_Start not removed

    std::vector<double> m_Tops;  // every reach and hi of the first direction, ascending, once
    Cover_Tree m_Cover;

    std::vector<double> m_Row_Ends;  // first-direction hi by row position, ascending
    std::vector<int> m_Row_Position;  // of each sheet
    std::vector<int> m_Row_Sheet;     // at each position
    int m_Leaves = 1;
    std::vector<Row_Node> m_Row_Tree;
};
