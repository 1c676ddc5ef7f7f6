#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "db/gi_recorder.h"
#include "ed/ucs.h"
#include "sheet_drawing_fixture.h"
#include "sheets/marker_entities.h"
#include "win/host_path_text.h"

namespace {

using platform::Gi_Record;
using platform::GiRecorder;

// A box: x0, y0, x1, y1.
struct Box {
    double x0, y0, x1, y1;
};

Box Box_Of(const Gi_Record& record)
{
    Box box{1e300, 1e300, -1e300, -1e300};
    for (const ZcGePoint3d& p : record.points) {
        box.x0 = std::min(box.x0, p.x);
        box.y0 = std::min(box.y0, p.y);
        box.x1 = std::max(box.x1, p.x);
        box.y1 = std::max(box.y1, p.y);
    }
    return box;
}

void Expect_Near_Box(const Box& actual, const Box& expected)
{
    EXPECT_NEAR(actual.x0, expected.x0, 1e-6);
    EXPECT_NEAR(actual.y0, expected.y0, 1e-6);
    EXPECT_NEAR(actual.x1, expected.x1, 1e-6);
    EXPECT_NEAR(actual.y1, expected.y1, 1e-6);
}

// The stroke font as the marker draws it: bar centre offsets and sizes in units of u, and
// the bars of each digit.
struct Bar {
    double dx, dy, w, h;
};
const Bar Bars[] = {{0, 0, 80, 10},   {-35, -42.5, 10, 95}, {-35, 42.5, 10, 95}, {35, 42.5, 10, 95},
                    {35, -42.5, 10, 95}, {0, -85, 80, 10},  {0, 85, 80, 10},     {-35, 0, 10, 180},
                    {0, 0, 10, 180},  {35, 0, 10, 180}};
const std::vector<int> Digit_Bars[] = {{7, 9, 6, 5}, {8},          {6, 3, 0, 1, 5}, {6, 0, 5, 9},    {2, 0, 9},
                                       {6, 2, 0, 4, 5}, {7, 6, 0, 4, 5}, {6, 9},     {7, 9, 6, 0, 5}, {9, 6, 2, 0, 5}};

// The bars of the digits, in drawing order, in a box of bw x bh centred at (cx, cy).
std::vector<Box> Expected_Digit_Bars(const std::string& digits, double cx, double cy, double bw, double bh)
{
    const double k = static_cast<double>(digits.size());
    const double u = std::min(bh / 200, bw / (k * 100));
    std::vector<Box> boxes;
    for (size_t i = 0; i < digits.size(); ++i) {
        const double x = cx - k * 50 * u + 50 * u + static_cast<double>(i) * 100 * u;
        for (int bar : Digit_Bars[digits[i] - '0']) {
            const Bar& b = Bars[bar];
            const double bx = x + b.dx * u, by = cy + b.dy * u;
            boxes.push_back({bx - b.w * u / 2, by - b.h * u / 2, bx + b.w * u / 2, by + b.h * u / 2});
        }
    }
    return boxes;
}

class Marker_Entities_Test : public Sheet_Drawing_Test {
protected:
    static Temp_PlotRec* Marker(double x0, double y0, double x1, double y1, int number, int state)
    {
        auto* marker = new Temp_PlotRec;
        EXPECT_EQ(marker->Set_Corners(ZcGePoint2d(x0, y0), ZcGePoint2d(x1, y1)), Zcad::eOk);
        EXPECT_EQ(marker->Set_Number(number), Zcad::eOk);
        EXPECT_EQ(marker->Set_State(state), Zcad::eOk);
        return marker;
    }

    static std::vector<Gi_Record> Draw(ZcDbEntity* entity)
    {
        GiRecorder recorder;
        EXPECT_TRUE(recorder.run(entity));
        return recorder.records();
    }

    static std::vector<Gi_Record> Of_Kind(const std::vector<Gi_Record>& records, Gi_Record::Kind kind)
    {
        std::vector<Gi_Record> kept;
        for (const Gi_Record& record : records)
            if (record.kind == kind)
                kept.push_back(record);
        return kept;
    }
};

TEST_F(Marker_Entities_Test, NumberedMarkerDrawsItsBandAndCentredDigits)
{
    Temp_PlotRec* marker = Marker(0, 0, 841, 594, 12, Marker_Normal);
    const std::vector<Gi_Record> records = Draw(marker);
    delete marker;

    ASSERT_EQ(records.size(), 2u + 1u + 5u);
    for (const Gi_Record& record : records) {
        EXPECT_EQ(record.kind, Gi_Record::kPolygon);
        EXPECT_EQ(record.colorIndex, 1);
        EXPECT_EQ(record.fillType, kZcGiFillAlways);
    }
    // Band 594 / 75 = 7.92 wide: left, top and right, then the bottom between them.
    const double m = 594.0 / 75;
    ASSERT_EQ(records[0].points.size(), 9u);
    EXPECT_NEAR(records[0].points[1].x, m, 1e-9);
    EXPECT_NEAR(records[0].points[2].y, 594 - m, 1e-9);
    Expect_Near_Box(Box_Of(records[0]), {0, 0, 841, 594});
    ASSERT_EQ(records[1].points.size(), 5u);
    Expect_Near_Box(Box_Of(records[1]), {m, 0, 841 - m, m});

    // The digits 1 and 2 in a box 742.7 x 520.3: u = 2.60, two cells 260 wide.
    const std::vector<Box> digits = Expected_Digit_Bars("12", 420.5, 297, 0.9 * (841 - 2 * m), 0.9 * (594 - 2 * m));
    for (size_t i = 0; i < digits.size(); ++i) {
        SCOPED_TRACE("bar " + std::to_string(i));
        EXPECT_EQ(records[2 + i].points.size(), 5u);
        Expect_Near_Box(Box_Of(records[2 + i]), digits[i]);
    }
    const double u = 0.9 * (594 - 2 * m) / 200;
    EXPECT_NEAR(u, 2.6017, 1e-4);
    // Digit 1 is the centre bar of the left cell, 50 u left of the middle.
    EXPECT_NEAR((digits[0].x0 + digits[0].x1) / 2, 420.5 - 50 * u, 1e-9);
}

TEST_F(Marker_Entities_Test, DigitsOfNumbersLargeAndSmall)
{
    // Numbers of 100000 and above draw every digit inside the frame.
    const struct {
        int number;
        std::string digits;
    } cases[] = {{1, "1"},           {305, "305"},         {10000, "10000"},
                 {99999, "99999"},   {100000, "100000"},   {123456, "123456"},
                 {2147483647, "2147483647"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        Temp_PlotRec* marker = Marker(100, 200, 941, 794, c.number, Marker_Normal);
        const std::vector<Gi_Record> records = Draw(marker);
        delete marker;
        const double m = 594.0 / 75;
        const std::vector<Box> digits =
            Expected_Digit_Bars(c.digits, 520.5, 497, 0.9 * (841 - 2 * m), 0.9 * (594 - 2 * m));
        ASSERT_EQ(records.size(), 2 + digits.size());
        for (size_t i = 0; i < digits.size(); ++i) {
            const Box box = Box_Of(records[2 + i]);
            Expect_Near_Box(box, digits[i]);
            EXPECT_GT(box.x0, 100 + m);
            EXPECT_LT(box.x1, 941 - m);
        }
    }
}

TEST_F(Marker_Entities_Test, UnnumberedMarkerDrawsAThinBandAndItsDiagonals)
{
    Temp_PlotRec* marker = Marker(841, 594, 0, 0, 0, Marker_Normal);  // corners in either order
    const std::vector<Gi_Record> records = Draw(marker);
    delete marker;

    const std::vector<Gi_Record> polygons = Of_Kind(records, Gi_Record::kPolygon);
    const std::vector<Gi_Record> lines = Of_Kind(records, Gi_Record::kPolyline);
    ASSERT_EQ(polygons.size(), 2u);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NEAR(polygons[0].points[1].x, 594.0 / 450, 1e-9);
    EXPECT_TRUE(lines[0].points[0].isEqualTo(ZcGePoint3d(0, 0, 0)));
    EXPECT_TRUE(lines[0].points[1].isEqualTo(ZcGePoint3d(841, 594, 0)));
    EXPECT_TRUE(lines[1].points[0].isEqualTo(ZcGePoint3d(0, 594, 0)));
    EXPECT_TRUE(lines[1].points[1].isEqualTo(ZcGePoint3d(841, 0, 0)));
}

TEST_F(Marker_Entities_Test, StatesHideHighlightOrKeepTheEntitysColour)
{
    Temp_PlotRec* marker = Marker(0, 0, 100, 100, 3, Marker_Hidden);
    const ZcDbObjectId id = Add(marker);
    {
        ZcDbObjectPointer<Temp_PlotRec> opened(id, ZcDb::kForWrite);
        EXPECT_TRUE(Draw(opened.object()).empty());
        ASSERT_EQ(opened->Set_State(Marker_Highlighted), Zcad::eOk);
        for (const Gi_Record& record : Draw(opened.object()))
            EXPECT_EQ(record.colorIndex, 6);
        opened->setColorIndex(3);
        ASSERT_EQ(opened->Set_State(7), Zcad::eOk);
        for (const Gi_Record& record : Draw(opened.object()))
            EXPECT_EQ(record.colorIndex, 3);
    }
    // Fields change only through a write opening.
    ZcDbObjectPointer<Temp_PlotRec> read(id, ZcDb::kForRead);
    EXPECT_EQ(read->Set_Number(9), Zcad::eNotOpenForWrite);
    EXPECT_EQ(read->Get_Number(), 3);
}

TEST_F(Marker_Entities_Test, UcsMarkersFollowTheCurrentUcs)
{
    Temp_PlotRec* marker = Marker(0, 0, 100, 50, 0, Marker_Normal);
    marker->Set_Ucs(true, ZcGeMatrix3d::kIdentity);
    const struct {
        double origin_x;
    } ucs_origins[] = {{1000}, {2000}};
    for (const auto& ucs : ucs_origins) {
        ASSERT_EQ(zcedSetCurrentUCS(ZcGeMatrix3d::translation(ZcGeVector3d(ucs.origin_x, 0, 0))), Zcad::eOk);
        const std::vector<Gi_Record> records = Draw(marker);
        ASSERT_FALSE(records.empty());
        Expect_Near_Box(Box_Of(records[0]), {ucs.origin_x, 0, ucs.origin_x + 100, 50});
    }
    // Without the flag the corners are world points.
    marker->Set_Ucs(false, ZcGeMatrix3d::kIdentity);
    Expect_Near_Box(Box_Of(Draw(marker)[0]), {0, 0, 100, 50});
    delete marker;
}

TEST_F(Marker_Entities_Test, GridPreviewDrawsRowsAndColumns)
{
    Temp_PlotRec2 grid;
    grid.Set_Base_Point(ZcGePoint3d(10, 20, 5));
    grid.Set_Rows(3);
    grid.Set_Row_Height(500);
    ZcArray<double> widths;
    widths.append(1000);
    widths.append(2000);
    grid.Set_Column_Widths(widths);

    const std::vector<Gi_Record> records = Draw(&grid);
    ASSERT_EQ(records.size(), 4u + 3u);
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        ASSERT_EQ(records[row].points.size(), 2u);
        EXPECT_TRUE(records[row].points[0].isEqualTo(ZcGePoint3d(10, 20 - 500 * row, 0)));
        EXPECT_TRUE(records[row].points[1].isEqualTo(ZcGePoint3d(3010, 20 - 500 * row, 0)));
    }
    const double columns[] = {10, 1010, 3010};
    for (int column = 0; column < 3; ++column) {
        SCOPED_TRACE(column);
        EXPECT_TRUE(records[4 + column].points[0].isEqualTo(ZcGePoint3d(columns[column], 20, 0)));
        EXPECT_TRUE(records[4 + column].points[1].isEqualTo(ZcGePoint3d(columns[column], -1480, 0)));
    }
    // The defaults: 10 rows of 1000 and no column: 11 lines of zero length, one vertical line.
    Temp_PlotRec2 fresh;
    EXPECT_EQ(Draw(&fresh).size(), 11u + 1u);
}

TEST_F(Marker_Entities_Test, SavedMarkersComeBackWithDefaultFields)
{
    Temp_PlotRec* marker = Marker(10, 20, 30, 40, 7, Marker_Highlighted);
    marker->Set_Ucs(true, ZcGeMatrix3d::translation(ZcGeVector3d(5, 5, 0)));
    Add(marker);
    auto* grid = new Temp_PlotRec2;
    grid->Set_Rows(2);
    Add(grid);

    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("korvel_markers_" + std::to_string(::getpid()) + ".dxf");
    ASSERT_EQ(Db()->saveAs(platform::Text_From_Host_Path(path).c_str()), Zcad::eOk);
    ZcDbDatabase read_back(false, true);
    ASSERT_EQ(read_back.readDwgFile(platform::Text_From_Host_Path(path).c_str()), Zcad::eOk);
    std::filesystem::remove(path);

    int markers = 0, grids = 0;
    ZcDbObjectPointer<ZcDbBlockTableRecord> model(read_back.modelSpaceId(), ZcDb::kForRead);
    ASSERT_EQ(model.openStatus(), Zcad::eOk);
    for (ZcDbObjectId id : model->entityIds()) {
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
        if (const Temp_PlotRec* back = Temp_PlotRec::cast(entity.object())) {
            ++markers;
            EXPECT_EQ(back->Get_Number(), 1);
            EXPECT_TRUE(back->Get_Min_Corner().isEqualTo(ZcGePoint2d(0, 0)));
            EXPECT_TRUE(back->Get_Max_Corner().isEqualTo(ZcGePoint2d(100, 100)));
            EXPECT_EQ(back->Get_State(), Marker_Normal);
            EXPECT_FALSE(back->Get_Use_Ucs());
            EXPECT_TRUE(back->Get_Ucs_Matrix().isEqualTo(ZcGeMatrix3d::kIdentity));
        } else if (const Temp_PlotRec2* back_grid = Temp_PlotRec2::cast(entity.object())) {
            ++grids;
            EXPECT_EQ(back_grid->Get_Rows(), 10);
            EXPECT_EQ(back_grid->Get_Row_Height(), 1000.0);
            EXPECT_TRUE(back_grid->Get_Column_Widths().isEmpty());
        }
    }
    EXPECT_EQ(markers, 1);
    EXPECT_EQ(grids, 1);
}

}  // namespace
