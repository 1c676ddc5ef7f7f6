#include "core/cursor_overlays.h"

#include <algorithm>
#include <cmath>

#include "core/point_sets.h"
#include "core/sysvar_helpers.h"
#include "core/ucs_transform.h"
#include "db/color.h"
#include "db/dbpl.h"
#include "ed/sysvars.h"

Overlay_Text g_Brush_Overlay_Text;
bool g_Jig_Label_On = false;
CString g_Jig_Scale_Label;
bool g_Outline_Overlay_On = false;
ZcGePoint2dArray g_Outline_Segments;
int g_Frame_Jig_Dir = 0;

namespace {

const ZcCmEntityColor Yellow(255, 255, 0);
const ZcCmEntityColor Cyan(0, 255, 255);
const ZcCmEntityColor Green(90, 180, 30);
const ZcCmEntityColor Brown(115, 65, 15);
constexpr double Label_Pixels = 21.6;
constexpr double Outline_Pixels = 100.0;

// The bristles of the badge alternate at every cursor move.
bool g_Badge_Blink = false;

struct Ucs_Axes {
    ZcGeVector3d X{1, 0, 0};
    ZcGeVector3d Y{0, 1, 0};
};

Ucs_Axes Current_Axes()
{
    Ucs_Axes axes;
    g_Ucs.Ucs_To_World_Vector(axes.X);
    g_Ucs.Ucs_To_World_Vector(axes.Y);
    axes.X.normalize();
    axes.Y.normalize();
    return axes;
}

// One line of overlay text in green along the UCS x axis.
void Draw_Label(ZcGiViewportDraw* draw, const ZcGePoint3d& position, const ZcGeVector3d& direction, double height,
                const CString& text)
{
    draw->subEntityTraits().setTrueColor(Green);
    draw->rawGeometry()->text(position, ZcGeVector3d(0, 0, 1), direction, height, 1.0, 0.0, text.GetString());
}

// Unit and draw context when an overlay can be drawn; 0 otherwise.
double Overlay_Unit(ZcGiViewportDraw* draw)
{
    return draw != nullptr ? Get_Units_Per_Pixel() : 0.0;
}

struct Badge_Segment {
    double x1, y1, x2, y2;
};

// The brush outline, in badge units.
const Badge_Segment Badge_Outline[] = {
    {-16.25, -14, -16.25, 13}, {-8.75, -14, -8.75, 13}, {-15.5, -13.25, -9.5, -13.25}, {-15.5, 12.25, -9.5, 12.25},
    {-12.5, 13, -12.5, 18},    {-11.75, 17.25, -4.25, 17.25}, {-5, 16.25, -5, -0.75},  {-4.25, 0, -1.5, 0},
    {-0.75, 3, -0.75, -3},     {0, 2.25, 15, 2.25},   {0, -2.25, 15, -2.25},  {14.25, 1.5, 14.25, -1.5},
};

}  // namespace

double Get_Units_Per_Pixel()
{
    double view_size = 0.0;
    if (Get_Var_Real(L"VIEWSIZE", view_size) != RTNORM || view_size <= 0.0)
        return 0.0;
    resbuf screen;
    if (zcedGetVar(L"SCREENSIZE", &screen) != RTNORM || screen.resval.rpoint[1] <= 0.0)
        return 0.0;
    return view_size / screen.resval.rpoint[1];
}

void Draw_Overlay_Segment(ZcGiViewportDraw* draw, const ZcGePoint3d& base, double unit, double width, double x1,
                          double y1, double x2, double y2)
{
    ZcDbPolyline segment;
    segment.addVertexAt(0, ZcGePoint2d(base.x + x1 * unit, base.y + y1 * unit));
    segment.addVertexAt(1, ZcGePoint2d(base.x + x2 * unit, base.y + y2 * unit));
    segment.setConstantWidth(width * unit);
    segment.setElevation(base.z);
    ZcCmColor color;
    static_cast<ZcCmEntityColor&>(color) = draw->subEntityTraits().trueColor();
    segment.setColor(color);
    draw->rawGeometry()->draw(&segment);
}

void Draw_Brush_Badge(ZcGiViewportDraw* draw, const ZcGePoint3d& cursor)
{
    const double u = Overlay_Unit(draw);
    if (!g_Brush_Overlay_Text.On || u <= 0.0)
        return;
    const double s = 0.75 * u;
    int16_t pickbox = 0;
    Get_Var_Int(L"PICKBOX", pickbox);
    const Ucs_Axes axes = Current_Axes();
    const ZcGePoint3d base = cursor + axes.X * ((18.75 + pickbox) * u);

    draw->subEntityTraits().setTrueColor(Yellow);
    for (const Badge_Segment& line : Badge_Outline)
        Draw_Overlay_Segment(draw, base, s, 1.5, line.x1, line.y1, line.x2, line.y2);

    const bool was_on = g_Badge_Blink;
    g_Badge_Blink = !g_Badge_Blink;
    draw->subEntityTraits().setTrueColor(was_on ? Cyan : Green);
    Draw_Overlay_Segment(draw, base, s, 3, -14, -12.5, -14, 11.5);
    draw->subEntityTraits().setTrueColor(g_Badge_Blink ? Cyan : Green);
    Draw_Overlay_Segment(draw, base, s, 3, -11, -12.5, -11, 11.5);
    draw->subEntityTraits().setTrueColor(Brown);
    Draw_Overlay_Segment(draw, base, s, 3, 0, 0, 13.5, 0);

    const double h = Label_Pixels * u;
    Draw_Label(draw, base + axes.X * (16 * s) - axes.Y * (h / 2), axes.X, h, g_Brush_Overlay_Text.Text);
}

void Draw_Scale_Label(ZcGiViewportDraw* draw, const ZcGePoint3d& cursor)
{
    const double u = Overlay_Unit(draw);
    if (!g_Jig_Label_On || u <= 0.0)
        return;
    const double h = Label_Pixels * u;
    const Ucs_Axes axes = Current_Axes();
    Draw_Label(draw, cursor + axes.X * (h / 2) - axes.Y * (h / 2), axes.X, h, g_Jig_Scale_Label);
}

void Draw_Outline_Preview(ZcGiViewportDraw* draw, const ZcGePoint3d& cursor)
{
    const double u = Overlay_Unit(draw);
    if (!g_Outline_Overlay_On || u <= 0.0)
        return;
    ZcGePoint2dArray points = g_Outline_Segments;
    if (g_Frame_Jig_Dir == 1 || g_Frame_Jig_Dir == 2) {
        const double turn = g_Frame_Jig_Dir == 1 ? 1.0 : -1.0;
        for (int i = 0; i < points.length(); ++i)
            points[i].set(-turn * points[i].y, turn * points[i].x);
    }
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    Get_Points_Extents(points, min_x, max_x, min_y, max_y);
    const double width = max_x - min_x, height = max_y - min_y;
    if (width <= 0.0 || height <= 0.0)
        return;
    ZcGePoint2d origin(0, 0);
    Ucs_Point2d_To_World(origin);
    Ucs_Points2d_To_World(points);
    const double a = Outline_Pixels * u / std::max(width, height);
    for (int i = 0; i + 1 < points.length(); i += 2)
        Draw_Overlay_Segment(draw, cursor, a, 0, points[i].x - origin.x, points[i].y - origin.y,
                             points[i + 1].x - origin.x, points[i + 1].y - origin.y);
}
