#include "sheets/marker_entities.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/custom_entity_class.h"
#include "core/erase_helpers.h"
#include "core/marker_sheet_window.h"
#include "core/space_helpers.h"
#include "core/ucs_transform.h"
#include "db/gi.h"
#include "ed/ucs.h"

KORVEL_DEFINE_CUSTOM_CLASS(Temp_PlotRec, ZcDbEntity)
KORVEL_DEFINE_CUSTOM_CLASS(Temp_PlotRec2, ZcDbEntity)

Zcad::ErrorStatus Temp_PlotRec::Set_Number(int number)
{
    if (!assertWriteEnabled())
        return Zcad::eNotOpenForWrite;
    m_Number = number;
    return Zcad::eOk;
}

Zcad::ErrorStatus Temp_PlotRec::Set_Corners(const ZcGePoint2d& min_corner, const ZcGePoint2d& max_corner)
{
    if (!assertWriteEnabled())
        return Zcad::eNotOpenForWrite;
    m_Min_Corner = min_corner;
    m_Max_Corner = max_corner;
    return Zcad::eOk;
}

Zcad::ErrorStatus Temp_PlotRec::Set_State(int state)
{
    if (!assertWriteEnabled())
        return Zcad::eNotOpenForWrite;
    m_State = state;
    return Zcad::eOk;
}

Zcad::ErrorStatus Temp_PlotRec::Set_Ucs(bool use_ucs, const ZcGeMatrix3d& world_to_ucs)
{
    if (!assertWriteEnabled())
        return Zcad::eNotOpenForWrite;
    m_Use_Ucs = use_ucs;
    m_Ucs_Matrix = world_to_ucs;
    return Zcad::eOk;
}

Zcad::ErrorStatus Temp_PlotRec::dwgInFields(ZcDbDwgFiler* filer) { return ZcDbEntity::dwgInFields(filer); }
Zcad::ErrorStatus Temp_PlotRec::dwgOutFields(ZcDbDwgFiler* filer) const { return ZcDbEntity::dwgOutFields(filer); }
namespace {

// Polygons and lines of one marker, each point taken from the current UCS to the world
// when the marker's corners are UCS coordinates.
class Marker_Pen {
public:
    Marker_Pen(ZcGiWorldDraw* mode, bool use_ucs) : m_Geometry(mode->geometry())
    {
        if (use_ucs && !zcedGetCurrentUCS(m_Ucs_To_World))
            m_Ucs_To_World = ZcGeMatrix3d::kIdentity;
    }

    // True when the drawing is to stop.
    bool Polygon(std::initializer_list<ZcGePoint2d> points)
    {
        const std::vector<ZcGePoint3d> world = World(points);
        return m_Geometry.polygon(static_cast<uint32_t>(world.size()), world.data());
    }
    bool Line(const ZcGePoint2d& from, const ZcGePoint2d& to)
    {
        const std::vector<ZcGePoint3d> world = World({from, to});
        return m_Geometry.polyline(2, world.data());
    }
    // A filled rectangle of the size centred at the point.
    bool Bar(double cx, double cy, double width, double height)
    {
        const double x0 = cx - width / 2, x1 = cx + width / 2, y0 = cy - height / 2, y1 = cy + height / 2;
        return Polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}});
    }

private:
    std::vector<ZcGePoint3d> World(std::initializer_list<ZcGePoint2d> points) const
    {
        std::vector<ZcGePoint3d> world;
        world.reserve(points.size());
        for (const ZcGePoint2d& p : points)
            world.push_back(ZcGePoint3d(p.x, p.y, 0.0).transformBy(m_Ucs_To_World));
        return world;
    }

    ZcGiWorldGeometry& m_Geometry;
    ZcGeMatrix3d m_Ucs_To_World;  // identity unless the corners are UCS coordinates
};

// A bar of the stroke font: offset of its centre and its size, in units of a digit cell
// 100 wide and 200 high.
struct Stroke_Bar {
    double dx, dy, width, height;
};

constexpr Stroke_Bar Stroke_Bars[] = {
    {0, 0, 80, 10},       // middle
    {-35, -42.5, 10, 95}, // lower left
    {-35, 42.5, 10, 95},  // upper left
    {35, 42.5, 10, 95},   // upper right
    {35, -42.5, 10, 95},  // lower right
    {0, -85, 80, 10},     // bottom
    {0, 85, 80, 10},      // top
    {-35, 0, 10, 180},    // left, full height
    {0, 0, 10, 180},      // centre, full height
    {35, 0, 10, 180},     // right, full height
};

// The bars of each digit in drawing order, ended by -1.
constexpr int Digit_Bars[10][6] = {
    {7, 9, 6, 5, -1},    {8, -1},           {6, 3, 0, 1, 5, -1}, {6, 0, 5, 9, -1},    {2, 0, 9, -1},
    {6, 2, 0, 4, 5, -1}, {7, 6, 0, 4, 5, -1}, {6, 9, -1},         {7, 9, 6, 0, 5, -1}, {9, 6, 2, 0, 5, -1},
};

// The decimal digits of a positive number, most significant first (all of them, however
// many there are).
std::vector<int> Decimal_Digits(int number)
{
    std::vector<int> digits;
    for (long long n = number; n > 0; n /= 10)
        digits.push_back(static_cast<int>(n % 10));
    std::reverse(digits.begin(), digits.end());
    return digits;
}

// The number in stroke digits in a box of box_width x box_height centred at (cx, cy).
bool Draw_Stroke_Number(Marker_Pen& pen, int number, double cx, double cy, double box_width, double box_height)
{
    const std::vector<int> digits = Decimal_Digits(number);
    const double k = static_cast<double>(digits.size());
    if (digits.empty())
        return false;
    const double u = std::min(box_height / 200, box_width / (k * 100));
    for (size_t i = 0; i < digits.size(); ++i) {
        const double digit_x = cx - k * 50 * u + 50 * u + static_cast<double>(i) * 100 * u;
        for (const int* bar = Digit_Bars[digits[i]]; *bar >= 0; ++bar) {
            const Stroke_Bar& b = Stroke_Bars[*bar];
            if (pen.Bar(digit_x + b.dx * u, cy + b.dy * u, b.width * u, b.height * u))
                return true;
        }
    }
    return false;
}

} // namespace

bool Temp_PlotRec::subWorldDraw(ZcGiWorldDraw* mode)
{
    if (m_State == Marker_Hidden)
        return true;
    const double x0 = std::min(m_Min_Corner.x, m_Max_Corner.x);
    const double y0 = std::min(m_Min_Corner.y, m_Max_Corner.y);
    const double w = std::fabs(m_Max_Corner.x - m_Min_Corner.x);
    const double h = std::fabs(m_Max_Corner.y - m_Min_Corner.y);
    const double m = std::min(w, h) / (m_Number < 1 ? 450.0 : 75.0);

    ZcGiSubEntityTraits& traits = mode->subEntityTraits();
    if (m_State == Marker_Normal)
        traits.setColor(1);
    else if (m_State == Marker_Highlighted)
        traits.setColor(6);
    traits.setFillType(kZcGiFillAlways);

    Marker_Pen pen(mode, m_Use_Ucs);
    // Left, top and right bands, then the bottom band between them.
    if (pen.Polygon({{x0, y0}, {x0 + m, y0}, {x0 + m, y0 + h - m}, {x0 + w - m, y0 + h - m}, {x0 + w - m, y0},
                     {x0 + w, y0}, {x0 + w, y0 + h}, {x0, y0 + h}, {x0, y0}}) ||
        pen.Polygon({{x0 + m, y0}, {x0 + w - m, y0}, {x0 + w - m, y0 + m}, {x0 + m, y0 + m}, {x0 + m, y0}}))
        return true;
    if (m_Number >= 1) {
        const double cx = (m_Min_Corner.x + m_Max_Corner.x) / 2, cy = (m_Min_Corner.y + m_Max_Corner.y) / 2;
        Draw_Stroke_Number(pen, m_Number, cx, cy, 0.9 * (w - 2 * m), 0.9 * (h - 2 * m));
    } else if (!pen.Line({x0, y0}, {x0 + w, y0 + h})) {
        pen.Line({x0, y0 + h}, {x0 + w, y0});
    }
    return true;
}
Zcad::ErrorStatus Temp_PlotRec::subErase(bool erasing) { return ZcDbEntity::subErase(erasing); }

Zcad::ErrorStatus Temp_PlotRec2::Set_Base_Point(const ZcGePoint3d& base_point)
{
    if (!assertWriteEnabled())
        return Zcad::eNotOpenForWrite;
    m_Base_Point = base_point;
    return Zcad::eOk;
}

Zcad::ErrorStatus Temp_PlotRec2::Set_Rows(int rows)
{
    if (!assertWriteEnabled())
        return Zcad::eNotOpenForWrite;
    m_Rows = rows;
    return Zcad::eOk;
}

Zcad::ErrorStatus Temp_PlotRec2::Set_Row_Height(double row_height)
{
    if (!assertWriteEnabled())
        return Zcad::eNotOpenForWrite;
    m_Row_Height = row_height;
    return Zcad::eOk;
}

Zcad::ErrorStatus Temp_PlotRec2::Set_Column_Widths(const ZcArray<double>& widths)
{
    if (!assertWriteEnabled())
        return Zcad::eNotOpenForWrite;
    m_Column_Widths = widths;
    return Zcad::eOk;
}

Zcad::ErrorStatus Temp_PlotRec2::dwgInFields(ZcDbDwgFiler* filer) { return ZcDbEntity::dwgInFields(filer); }
Zcad::ErrorStatus Temp_PlotRec2::dwgOutFields(ZcDbDwgFiler* filer) const { return ZcDbEntity::dwgOutFields(filer); }
bool Temp_PlotRec2::subWorldDraw(ZcGiWorldDraw* mode)
{
    ZcGiWorldGeometry& geometry = mode->geometry();
    const double x = m_Base_Point.x, y = m_Base_Point.y;
    double total = 0.0;
    for (int i = 0; i < m_Column_Widths.length(); ++i)
        total += m_Column_Widths[i];
    for (int row = 0; row <= m_Rows; ++row) {
        const ZcGePoint3d line[2] = {{x, y - row * m_Row_Height, 0.0}, {x + total, y - row * m_Row_Height, 0.0}};
        if (geometry.polyline(2, line))
            return true;
    }
    const double bottom = y - m_Rows * m_Row_Height;
    double column_x = x;
    for (int column = 0; column <= m_Column_Widths.length(); ++column) {
        const ZcGePoint3d line[2] = {{column_x, y, 0.0}, {column_x, bottom, 0.0}};
        if (geometry.polyline(2, line))
            return true;
        if (column < m_Column_Widths.length())
            column_x += m_Column_Widths[column];
    }
    return true;
}
Zcad::ErrorStatus Temp_PlotRec2::subErase(bool erasing) { return ZcDbEntity::subErase(erasing); }

namespace {
// Clears g_Watch_Marker_Erase while it lives, so that the program's own marker erasures do
// not reach the result lists, and gives it its value back.
class Marker_Erase_Unwatched {
public:
    Marker_Erase_Unwatched() : m_Was(g_Watch_Marker_Erase) { g_Watch_Marker_Erase = 0; }
    ~Marker_Erase_Unwatched() { g_Watch_Marker_Erase = m_Was; }
    Marker_Erase_Unwatched(const Marker_Erase_Unwatched&) = delete;
    Marker_Erase_Unwatched& operator=(const Marker_Erase_Unwatched&) = delete;

private:
    uint8_t m_Was;
};

}  // namespace

void Erase_Sheet_Marker(ZcDbObjectId& marker_id)
{
    if (marker_id.isNull())
        return;
    Marker_Erase_Unwatched unwatched;
    Erase_Entity(marker_id);
    marker_id.setNull();
}

ZcDbObjectId Append_Sheet_Marker(const ZcGePoint2d& min_corner, const ZcGePoint2d& max_corner, ZcDbObjectId layer_id,
                                 ZcDbObjectId space_id)
{
    Temp_PlotRec* marker = new Temp_PlotRec;
    marker->Set_Corners(min_corner, max_corner);
    marker->Set_Number(0);
    marker->Set_State(Marker_Normal);
    marker->Set_Ucs(g_Ucs.Active, g_Ucs.World_To_Ucs_Matrix);
    ZcDbObjectId marker_id;
    Append_Entity(marker_id, marker, Keep_Color, true, layer_id, space_id);
    if (marker_id.isNull()) {
        delete marker;
        return marker_id;
    }
    Set_Undo_Recording(marker_id, false);
    return marker_id;
}

void Set_Sheet_Marker(ZcDbObjectId marker_id, int number, int state)
{
    ZcDbObjectPointer<Temp_PlotRec> marker(marker_id, ZcDb::kForRead);
    if (marker.openStatus() != Zcad::eOk)
        return;
    const bool new_number = number >= 0 && number != marker->Get_Number();
    const bool new_state = state >= 0 && state != marker->Get_State();
    if (!new_number && !new_state)
        return;
    if (marker->upgradeOpen() != Zcad::eOk)
        return;
    if (new_number)
        marker->Set_Number(number);
    if (new_state)
        marker->Set_State(state);
}

Zcad::ErrorStatus Redraw_Sheet_Marker(ZcDbObjectId marker_id)
{
    ZcDbEntity* marker = nullptr;
    const Zcad::ErrorStatus status = zcdbOpenObject(marker, marker_id, ZcDb::kForWrite);
    if (status != Zcad::eOk)
        return status;
    marker->recordGraphicsModified();
    marker->downgradeOpen();
    marker->draw();
    return marker->close();
}
