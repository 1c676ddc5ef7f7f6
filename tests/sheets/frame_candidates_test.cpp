// Rectangle tests of polylines and block outlines, and the sheets made from candidates.
#include <cmath>
#include <vector>

#include "db/dbpoly.h"
#include "db/dblayout.h"
#include "sheet_drawing_fixture.h"
#include "sheets/frame_candidates.h"
#include "sheets/frame_detection.h"
#include "sheets/marker_entities.h"
#include "sheets/sheet_records.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

class Frame_Candidates_Test : public Sheet_Drawing_Test {
protected:
    static ZcDbObjectId Add_Light(const std::vector<ZcGePoint2d>& points, bool closed,
                                  ZcDbObjectId block_id = ZcDbObjectId::kNull)
    {
        auto* polyline = new ZcDbPolyline;
        for (unsigned i = 0; i < points.size(); ++i)
            polyline->addVertexAt(i, points[i]);
        polyline->setClosed(closed);
        return Add(polyline, block_id);
    }
    static bool Is_Rect(ZcDbObjectId id)
    {
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
        return Is_Rect_Polyline(entity.object());
    }
    static bool Outline_Matches(ZcDbObjectId reference_id, double x0, double y0, double x1, double y1)
    {
        ZcDbObjectPointer<ZcDbBlockReference> reference(reference_id, ZcDb::kForRead);
        Transform_Stack stack;
        const bool found = Block_Has_Frame_Rect(reference.object(), ZcGePoint2d(x0, y0), ZcGePoint2d(x1, y1), stack);
        EXPECT_EQ(stack.length(), 0) << "the stack is given back as it came";
        return found;
    }
    static void Rotate_Ucs(double angle)
    {
        g_Ucs.Active = true;
        g_Ucs.Ucs_To_World_Matrix = ZcGeMatrix3d::rotation(angle, ZcGeVector3d::kZAxis, ZcGePoint3d::kOrigin);
        g_Ucs.World_To_Ucs_Matrix = g_Ucs.Ucs_To_World_Matrix.inverse();
    }
};

TEST_F(Frame_Candidates_Test, Light_Polyline_Rectangle_Cases)
{
    struct Case {
        const char* what;
        std::vector<ZcGePoint2d> points;
        bool closed;
        bool expected;
    };
    const double s = std::sqrt(0.5) * 100;
    const Case cases[] = {
        {"closed rectangle", {{0, 0}, {100, 0}, {100, 50}, {0, 50}}, true, true},
        {"the same open", {{0, 0}, {100, 0}, {100, 50}, {0, 50}}, false, false},
        {"open with a fifth vertex on the first", {{0, 0}, {100, 0}, {100, 50}, {0, 50}, {0, 0}}, false, true},
        {"fifth vertex just inside the tolerance (0.15)", {{0, 0}, {100, 0}, {100, 50}, {0, 50}, {0, 0.14}}, false, true},
        {"fifth vertex outside it", {{0, 0}, {100, 0}, {100, 50}, {0, 50}, {0, 0.16}}, false, false},
        {"duplicated corner closer than 1e-5", {{0, 0}, {100, 0}, {100, 0.000001}, {100, 50}, {0, 50}}, true, true},
        {"a side 0.1 off the axis (tolerance 0.15)", {{0, 0}, {100, 0.1}, {100, 50}, {0, 50}}, true, true},
        {"a side 0.2 off the axis", {{0, 0}, {100, 0.2}, {100, 50}, {0, 50}}, true, false},
        {"rotated by 45 degrees", {{0, 0}, {s, s}, {0, 2 * s}, {-s, s}}, true, false},
        {"too thin", {{0, 0}, {100, 0}, {100, 0.000001}, {0, 0.000001}}, true, false},
        {"triangle", {{0, 0}, {100, 0}, {100, 50}}, true, false},
        {"six corners", {{0, 0}, {100, 0}, {100, 50}, {50, 50}, {50, 100}, {0, 100}}, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Is_Rect(Add_Light(c.points, c.closed)), c.expected);
    }
}

TEST_F(Frame_Candidates_Test, Rectangle_Corners_Vertices_And_Heavy_Polylines)
{
    const ZcDbObjectId id = Add_Light({{100, 50}, {0, 50}, {0, 0}, {100, 0}}, true);
    ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
    ZcGePoint2d low, high;
    ZcGePoint2dArray vertices;
    ASSERT_TRUE(Test_Polyline_Rect(entity.object(), false, Transform_Stack(), low, high, vertices));
    EXPECT_EQ(low, ZcGePoint2d(0, 0));
    EXPECT_EQ(high, ZcGePoint2d(100, 50));
    ASSERT_EQ(vertices.length(), 5) << "closed: the first vertex again at the end";
    EXPECT_EQ(vertices[4], ZcGePoint2d(100, 50));
    entity.close();

    // A 2D polyline is not tested for closure; a 3D one the same.
    ZcGePoint3dArray corners;
    for (const ZcGePoint3d& p : {ZcGePoint3d(0, 0, 0), ZcGePoint3d(80, 0, 0), ZcGePoint3d(80, 60, 0), ZcGePoint3d(0, 60, 0)})
        corners.append(p);
    EXPECT_TRUE(Is_Rect(Add(new ZcDb2dPolyline(ZcDb::k2dSimplePoly, corners, 0.0, false))));
    EXPECT_TRUE(Is_Rect(Add(new ZcDb3dPolyline(ZcDb::k3dSimplePoly, corners, false))));
    EXPECT_FALSE(Is_Rect(Add_Line(ZcGePoint3d(0, 0, 0), ZcGePoint3d(10, 0, 0))));
}

TEST_F(Frame_Candidates_Test, A_Square_Turned_With_The_Ucs_Is_A_Frame)
{
    const double s = std::sqrt(0.5) * 100;
    const ZcDbObjectId turned = Add_Light({{0, 0}, {s, s}, {0, 2 * s}, {-s, s}}, true);
    const ZcDbObjectId square = Add_Rect(0, 0, 100, 100);
    Rotate_Ucs(Pi / 4);
    EXPECT_TRUE(Is_Rect(turned));
    EXPECT_FALSE(Is_Rect(square));
}

TEST_F(Frame_Candidates_Test, Edge_Match_Is_Strict_And_Either_Way_Round)
{
    struct Case {
        ZcGePoint2d p, q;
        bool expected;
    };
    const ZcGePoint2d a(0, 0), b(100, 0);
    const Case cases[] = {
        {{0, 0}, {100, 0}, true},      {{100, 0}, {0, 0}, true},     {{0.9, -0.9}, {99.1, 0.9}, true},
        {{1.0, 0}, {100, 0}, false},   {{0, 0}, {100, 1.0}, false},  {{0, 0}, {50, 0}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Is_Edge_Match(c.p, c.q, a, b, 1.0), c.expected) << c.p.x << "," << c.p.y << " " << c.q.x << "," << c.q.y;
}

TEST_F(Frame_Candidates_Test, Stack_Applies_The_Innermost_Transform_First)
{
    Transform_Stack stack;
    stack.append(ZcGeMatrix3d::translation(ZcGeVector3d(100, 0, 0)));  // outer reference
    stack.append(ZcGeMatrix3d::scaling(2.0));                          // inner reference
    ZcGePoint2d point(1, 1);
    Transform_By_Stack(point, stack);
    EXPECT_EQ(point, ZcGePoint2d(102, 2));
}

TEST_F(Frame_Candidates_Test, Block_Outlines)
{
    // Four lines along the outline, plus a title block inside.
    const ZcDbObjectId lines = Add_Block(L"LINES");
    Add_Line(ZcGePoint3d(0, 0, 0), ZcGePoint3d(420, 0, 0), lines);
    Add_Line(ZcGePoint3d(420, 0, 0), ZcGePoint3d(420, 297, 0), lines);
    Add_Line(ZcGePoint3d(420, 297, 0), ZcGePoint3d(0, 297, 0), lines);
    Add_Line(ZcGePoint3d(0, 297, 0), ZcGePoint3d(0, 0, 0), lines);
    Add_Rect(240, 0, 420, 50, lines);
    // A rectangle polyline inside a nested block.
    const ZcDbObjectId inner = Add_Block(L"INNER");
    Add_Rect(0, 0, 210, 148.5, inner);
    const ZcDbObjectId outer = Add_Block(L"OUTER");
    Insert(inner, ZcGePoint3d(0, 0, 0), 2.0, outer);
    // A circle; and an outline whose bottom is two lines.
    const ZcDbObjectId round = Add_Block(L"ROUND");
    Add(new ZcDbCircle(ZcGePoint3d(50, 50, 0), ZcGeVector3d::kZAxis, 50), round);
    const ZcDbObjectId split = Add_Block(L"SPLIT");
    Add_Line(ZcGePoint3d(0, 0, 0), ZcGePoint3d(200, 0, 0), split);
    Add_Line(ZcGePoint3d(200, 0, 0), ZcGePoint3d(420, 0, 0), split);
    Add_Line(ZcGePoint3d(420, 0, 0), ZcGePoint3d(420, 297, 0), split);
    Add_Line(ZcGePoint3d(420, 297, 0), ZcGePoint3d(0, 297, 0), split);
    Add_Line(ZcGePoint3d(0, 297, 0), ZcGePoint3d(0, 0, 0), split);

    EXPECT_TRUE(Outline_Matches(Insert(lines, ZcGePoint3d(1000, 0, 0)), 1000, 0, 1420, 297));
    EXPECT_TRUE(Outline_Matches(Insert(lines, ZcGePoint3d(0, 0, 0), 2.0), 0, 0, 840, 594));
    EXPECT_TRUE(Outline_Matches(Insert(outer, ZcGePoint3d(0, 500, 0)), 0, 500, 420, 797));
    EXPECT_FALSE(Outline_Matches(Insert(round, ZcGePoint3d(0, 0, 0)), 0, 0, 100, 100));
    EXPECT_FALSE(Outline_Matches(Insert(split, ZcGePoint3d(0, 0, 0)), 0, 0, 420, 297));
    // Off the target by more than (w + h) / 1500 = 0.478: no match.
    EXPECT_FALSE(Outline_Matches(Insert(lines, ZcGePoint3d(0, 0, 0)), 0, 0, 420, 297.5));
    EXPECT_TRUE(Outline_Matches(Insert(lines, ZcGePoint3d(0, 0, 0)), 0, 0, 420, 297.4));
}

TEST_F(Frame_Candidates_Test, Outline_Skips_Hidden_Entities)
{
    const ZcDbObjectId block = Add_Block(L"HIDDEN_EDGE");
    const ZcDbObjectId edge = Add_Rect(0, 0, 420, 297, block);
    const ZcDbObjectId frozen = Layer(L"FROZEN", true);
    Set_Layer(edge, frozen);
    g_Hidden_Layers.Collect_Hidden_Layers();
    EXPECT_FALSE(Outline_Matches(Insert(block, ZcGePoint3d(0, 0, 0)), 0, 0, 420, 297));
}

TEST_F(Frame_Candidates_Test, A_Block_That_Contains_Itself_Ends_The_Walk)
{
    const ZcDbObjectId a = Add_Block(L"A");
    const ZcDbObjectId b = Add_Block(L"B");
    Add(new ZcDbCircle(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, 10), a);
    Insert(b, ZcGePoint3d(5, 5, 0), 1.0, a);
    Insert(a, ZcGePoint3d(5, 5, 0), 1.0, b);
    Insert(a, ZcGePoint3d(0, 0, 0), 1.0, a);
    EXPECT_FALSE(Outline_Matches(Insert(a, ZcGePoint3d(0, 0, 0)), -10, -10, 10, 10));
}

TEST_F(Frame_Candidates_Test, Sheets_From_Polylines_And_Blocks)
{
    const ZcDbObjectId layer = Layer(L"Temp_PlotLayer");
    const ZcDbObjectId frame = Add_Block(L"FRAME");
    Add_Rect(0, 0, 420, 297, frame);
    const ZcDbObjectId rect_1 = Add_Rect(0, 1000, 100, 1050);
    const ZcDbObjectId rect_2 = Add_Rect(0, 2000, 100, 2050);
    const ZcDbObjectId open = Add_Light({{0, 0}, {100, 0}, {100, 50}, {0, 50}}, false);
    const ZcDbObjectId scaled = Insert(frame, ZcGePoint3d(0, 0, 0), -2.0);

    Temp_Id_Array candidates;
    for (ZcDbObjectId id : {rect_1, rect_2, open})
        Make_Candidate(Candidate_Polyline, id, candidates);
    Make_Candidate(Candidate_Block, scaled, candidates);
    ASSERT_EQ(candidates.GetSize(), 4);

    Sheet_Array batch;
    EXPECT_TRUE(candidates[0]->Make_Sheet_From_PLine(batch, Db()->modelSpaceId(), layer));
    EXPECT_TRUE(candidates[1]->Make_Sheet_From_PLine(batch, Db()->modelSpaceId(), layer));
    EXPECT_FALSE(candidates[2]->Make_Sheet_From_PLine(batch, Db()->modelSpaceId(), layer));
    candidates[3]->Make_Sheet_From_Block(batch, Db()->modelSpaceId(), layer);
    ASSERT_EQ(batch.GetSize(), 3);
    EXPECT_EQ(batch[0]->Source_Ids[0], rect_2) << "polyline sheets go in front";
    EXPECT_EQ(batch[1]->Source_Ids[0], rect_1);
    EXPECT_EQ(batch[2]->Source_Ids[0], scaled);
    EXPECT_EQ(batch[2]->Kind, Sheet_From_Block);
    EXPECT_DOUBLE_EQ(batch[2]->Block_Scale, 2.0);
    EXPECT_EQ(batch[0]->Kind, Sheet_From_Polyline);
    EXPECT_DOUBLE_EQ(batch[0]->Block_Scale, 1.0);
    EXPECT_EQ(batch[0]->Space_Id, Db()->modelSpaceId());
    EXPECT_EQ(batch[0]->Min_Corner, ZcGePoint2d(0, 2000));
    EXPECT_EQ(batch[0]->Max_Corner, ZcGePoint2d(100, 2050));

    // Each sheet has its marker on the layer, showing the same rectangle.
    for (INT_PTR i = 0; i < batch.GetSize(); ++i) {
        ZcDbObjectPointer<Temp_PlotRec> marker(batch[i]->Marker_Id, ZcDb::kForRead);
        ASSERT_EQ(marker.openStatus(), Zcad::eOk);
        EXPECT_EQ(marker->layerId(), layer);
        EXPECT_EQ(marker->Get_Min_Corner(), batch[i]->Min_Corner);
        EXPECT_EQ(marker->Get_Max_Corner(), batch[i]->Max_Corner);
    }
    Delete_All_Objects(batch);
    Delete_All_Objects(candidates);
}

TEST_F(Frame_Candidates_Test, Block_Verdicts_Are_Remembered_Per_Definition)
{
    const ZcDbObjectId frame = Add_Block(L"FRAME");
    Add_Rect(0, 0, 420, 297, frame);
    const ZcDbObjectId round = Add_Block(L"ROUND");
    Add(new ZcDbCircle(ZcGePoint3d(50, 50, 0), ZcGeVector3d::kZAxis, 50), round);
    Temp_Id_Array candidates;
    for (ZcDbObjectId id : {Insert(frame, ZcGePoint3d(0, 0, 0)), Insert(round, ZcGePoint3d(1000, 0, 0)),
                            Insert(frame, ZcGePoint3d(0, 1000, 0)), Insert(round, ZcGePoint3d(1000, 1000, 0))})
        Make_Candidate(Candidate_Block, id, candidates);

    Sheet_Array sheets;
    ZcDbObjectIdArray frames, non_frames;
    for (INT_PTR i = 0; i < candidates.GetSize(); ++i)
        candidates[i]->Make_Sheet_From_Block_Shape(sheets, ZcDbObjectId::kNull, ZcDbObjectId::kNull, frames, non_frames);
    EXPECT_EQ(sheets.GetSize(), 2);
    ASSERT_EQ(frames.length(), 1);
    EXPECT_EQ(frames[0], frame);
    ASSERT_EQ(non_frames.length(), 1);
    EXPECT_EQ(non_frames[0], round);

    // A definition judged a frame is not walked again: a remembered verdict wins.
    non_frames.removeAll();
    frames.removeAll();
    frames.append(round);
    candidates[1]->Make_Sheet_From_Block_Shape(sheets, ZcDbObjectId::kNull, ZcDbObjectId::kNull, frames, non_frames);
    EXPECT_EQ(sheets.GetSize(), 3);
    Delete_All_Objects(sheets);
    Delete_All_Objects(candidates);
}

TEST_F(Frame_Candidates_Test, Polyline_Vertices_Merge_And_Close)
{
    auto* polyline = new ZcDbPolyline;
    const ZcGePoint2d points[] = {{0, 0}, {0.000001, 0}, {100, 0}, {100, 50}};
    for (unsigned i = 0; i < 4; ++i)
        polyline->addVertexAt(i, points[i]);
    polyline->setClosed(true);
    ZcGePoint3dArray out;
    ASSERT_TRUE(Get_Polyline_Vertices(out, polyline, nullptr, nullptr));
    ASSERT_EQ(out.length(), 4);
    EXPECT_EQ(out[0], ZcGePoint3d(0.000001, 0, 0));
    EXPECT_EQ(out[3], ZcGePoint3d(0, 0, 0)) << "closed: the first point again";
    delete polyline;

    auto* single = new ZcDbPolyline;
    single->addVertexAt(0, ZcGePoint2d(5, 5));
    EXPECT_FALSE(Get_Polyline_Vertices(out, single, nullptr, nullptr));
    delete single;
    EXPECT_FALSE(Get_Polyline_Vertices(out, nullptr, nullptr, nullptr));
}

}  // namespace
