// Removal of frames lying within others through a grid of the grown frames, against the
// plain test of every sheet with every other: the same frames kept, in the same order,
// with the same contains flags.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "sheets/frame_cleanup.h"
#include "sheets/sheet_records.h"

namespace {

namespace plain_overlap {

void Delete_Marked(Sheet_Array& sheets)
{
    INT_PTR kept = 0;
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) {
        if (sheets[i]->Delete_Mark)
            delete sheets[i];
        else
            sheets[kept++] = sheets[i];
    }
    sheets.SetSize(kept);
}

void Pairwise(Sheet_Array& sheets)
{
    const INT_PTR count = sheets.GetSize();
    for (INT_PTR i = 0; i < count; ++i) {
        Plot_Drawing1* sheet = sheets[i];
        for (INT_PTR j = 0; j < count && !sheet->Delete_Mark; ++j)
            if (j != i && !sheets[j]->Delete_Mark)
                sheet->Resolve_Overlap(sheets[j]);
    }
    Delete_Marked(sheets);
}

void Remove(Sheet_Array& sheets, int depth)
{
    if (sheets.GetSize() <= 1000) {
        Pairwise(sheets);
        return;
    }
    const Frame_Split split = Split_Of(sheets);
    Sheet_Array below, above, straddling;
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) {
        const int side = split.Side(*sheets[i]);
        (side < 0 ? below : side > 0 ? above : straddling).Add(sheets[i]);
    }
    for (Sheet_Array* group : {&below, &above}) {
        if (group->GetSize() < 1001 || depth > 4)
            Pairwise(*group);
        else
            Remove(*group, depth + 1);
    }
    Pairwise(straddling);
    sheets.RemoveAll();
    sheets.Append(below);
    sheets.Append(above);
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) {
        Plot_Drawing1* sheet = sheets[i];
        for (INT_PTR j = 0; j < straddling.GetSize() && !sheet->Delete_Mark; ++j)
            if (!straddling[j]->Delete_Mark)
                sheet->Resolve_Overlap(straddling[j]);
    }
    Delete_Marked(sheets);
    Delete_Marked(straddling);
    sheets.Append(straddling);
}

}  // namespace plain_overlap

struct Frame {
    double x0, y0, x1, y1;
};

using Kept = std::vector<std::tuple<double, double, double, double, bool>>;

Kept Kept_Of(const Sheet_Array& sheets)
{
    Kept kept;
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) {
        const Plot_Drawing1& s = *sheets[i];
        kept.emplace_back(s.Min_Corner.x, s.Min_Corner.y, s.Max_Corner.x, s.Max_Corner.y, s.Contains);
    }
    return kept;
}

void Add_Sheets(const std::vector<Frame>& frames, Sheet_Array& sheets)
{
    for (const Frame& f : frames) {
        auto* sheet = new Plot_Drawing1;
        sheet->Min_Corner.set(f.x0, f.y0);
        sheet->Max_Corner.set(f.x1, f.y1);
        sheet->Width = f.x1 - f.x0;
        sheet->Height = f.y1 - f.y0;
        sheet->Tolerance = 0.01 * std::min(sheet->Width, sheet->Height);
        sheets.Add(sheet);
    }
}

// Frames of a few sizes on whole coordinates close together: equal frames, frames inside
// others by exactly their tolerance, and frames sticking out by exactly it.
std::vector<Frame> Crowded(std::mt19937& random, int count)
{
    const int reach = 2 + count / 8;
    std::vector<Frame> frames;
    for (int i = 0; i < count; ++i) {
        const double x = static_cast<double>(random() % reach), y = static_cast<double>(random() % reach);
        const double w = 100.0 * (1 + random() % 3) + random() % 3, h = 100.0 * (1 + random() % 3) + random() % 3;
        frames.push_back({x, y, x + w, y + h});
    }
    return frames;
}

// Rows and columns of sheets, some drawn twice, some with frames inside.
std::vector<Frame> Sheet_Grid(std::mt19937& random, int count)
{
    std::vector<Frame> frames;
    for (int i = 0; static_cast<int>(frames.size()) < count; ++i) {
        const double x = (i % 37) * 1000.0, y = (i / 37) * 700.0;
        frames.push_back({x, y, x + 841, y + 594});
        if (random() % 5 == 0)
            frames.push_back({x, y, x + 841, y + 594});
        if (random() % 2 == 0) {
            const double ix = x + random() % 500, iy = y + random() % 300;
            frames.push_back({ix, iy, ix + 100 + random() % 400, iy + 100 + random() % 400});
        }
    }
    std::shuffle(frames.begin(), frames.end(), random);
    return frames;
}

TEST(Frame_Overlap_Index, SameFramesKeptAsTestingEveryPair)
{
    using Layout = std::vector<Frame> (*)(std::mt19937&, int);
    for (Layout layout : {Layout{Crowded}, Layout{Sheet_Grid}})
        for (int count : {0, 1, 2, 40, 400, 2600})
            for (unsigned seed : {1u, 2u}) {
                SCOPED_TRACE(testing::Message() << (layout == Crowded ? "crowded" : "grid") << ", " << count
                                                << " frames, seed " << seed);
                std::mt19937 random(seed);
                const std::vector<Frame> frames = layout(random, count);
                Sheet_Array indexed, plain;
                Add_Sheets(frames, indexed);
                Add_Sheets(frames, plain);
                Remove_Overlapping_Frames(indexed, 0);
                plain_overlap::Remove(plain, 0);
                EXPECT_TRUE(Kept_Of(indexed) == Kept_Of(plain));
                Delete_All_Objects(indexed);
                Delete_All_Objects(plain);
            }
}

}  // namespace
