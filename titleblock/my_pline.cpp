#include "titleblock/my_pline.h"

#include <algorithm>
#include <cmath>

#include "core/cursor_overlays.h"
#include "core/custom_entity_class.h"
#include "core/point_sets.h"
#include "core/ucs_transform.h"
#include "db/gi.h"
#include "titleblock/tk_block_walk.h"
#include "titleblock/tk_scale.h"

KORVEL_DEFINE_CUSTOM_CLASS(My_PLine, ZcDbEntity)

ZcGeMatrix3d g_TK_Move_Matrix;
ZcGeMatrix3d g_TK_Scale_Matrix;
bool g_Frame_Jig_Active = false;

namespace {

int Current_Direction() { return g_Frame_Jig_Dir == 1 || g_Frame_Jig_Dir == 2 ? g_Frame_Jig_Dir : 0; }

void Draw_Pairs(ZcGiWorldDraw* mode, const ZcGePoint2dArray& points)
{
    for (int i = 0; i + 1 < points.length(); i += 2) {
        const ZcGePoint3d line[2] = {{points[i].x, points[i].y, 0.0}, {points[i + 1].x, points[i + 1].y, 0.0}};
        mode->geometry().polyline(2, line);
    }
}

}  // namespace

ZcGePoint2d Turn_By_Direction(const ZcGePoint2d& point, int direction)
{
    if (direction == 1)
        return ZcGePoint2d(-point.y, point.x);
    if (direction == 2)
        return ZcGePoint2d(point.y, -point.x);
    return point;
}

My_PLine::My_PLine(int mode, const ZcGePoint2dArray& segments, const ZcGePoint2d corners[4]) : m_Mode(mode)
{
    for (int direction = 0; direction < 3; ++direction) {
        for (int i = 0; i < segments.length(); ++i)
            m_Outlines[direction].append(Turn_By_Direction(segments[i], direction));
        // Direction 1 starts its corners at c3, direction 2 at c1, so that each set runs
        // lower-left, lower-right, upper-right, upper-left of the turned frame.
        const int first = direction == 1 ? 3 : direction == 2 ? 1 : 0;
        for (int k = 0; k < 4; ++k)
            m_Corners[direction][k] = Turn_By_Direction(corners[(first + k) % 4], direction);
    }
    m_Locating_Point = corners[0];
    m_Second_Point = corners[2];
}

Zcad::ErrorStatus My_PLine::dwgInFields(ZcDbDwgFiler* filer) { return ZcDbEntity::dwgInFields(filer); }
Zcad::ErrorStatus My_PLine::dwgOutFields(ZcDbDwgFiler* filer) const { return ZcDbEntity::dwgOutFields(filer); }
Zcad::ErrorStatus My_PLine::subErase(bool erasing) { return ZcDbEntity::subErase(erasing); }

bool My_PLine::subWorldDraw(ZcGiWorldDraw* mode)
{
    if (m_Mode == 1 || m_Mode == 3)
        Draw_Scaled(mode);
    else
        Draw_Moved(mode);
    return true;
}

void My_PLine::Draw_Moved(ZcGiWorldDraw* mode) const
{
    const int direction = Current_Direction();
    ZcGePoint2dArray points = m_Outlines[direction];
    ZcGePoint2d reference = m_Mode == 2 ? m_Corners[direction][0] : ZcGePoint2d(0, 0);
    Ucs_Points2d_To_World(points);
    Ucs_Point2d_To_World(reference);
    const ZcGeVector3d move(m_Locating_Point.x - reference.x, m_Locating_Point.y - reference.y, 0.0);
    g_TK_Move_Matrix = ZcGeMatrix3d::translation(move);
    Transform_Points(points, g_TK_Move_Matrix);
    Draw_Pairs(mode, points);
}

void My_PLine::Draw_Scaled(ZcGiWorldDraw* mode) const
{
    const ZcGePoint3d rubber[2] = {{m_Locating_Point.x, m_Locating_Point.y, 0.0},
                                   {m_Second_Point.x, m_Second_Point.y, 0.0}};
    mode->geometry().polyline(2, rubber);

    ZcGePoint2d locating = m_Locating_Point, second = m_Second_Point;
    g_Ucs.World_To_Ucs_2d(locating);
    g_Ucs.World_To_Ucs_2d(second);
    const double dx = second.x - locating.x, dy = second.y - locating.y;
    const int quadrant = dx < 0 && dy > 0 ? 1 : dx < 0 && dy < 0 ? 2 : dx > 0 && dy < 0 ? 3 : 0;

    const int direction = Current_Direction();
    const ZcGePoint2d* corners = m_Corners[direction];
    ZcGePoint2d reference(0, 0);
    double a = 0, b = 0;
    if (m_Mode == 1) {
        double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
        Get_Points_Extents(m_Outlines[direction], min_x, max_x, min_y, max_y);
        a = (max_x - min_x) / 2;
        b = (max_y - min_y) / 2;
    } else {
        reference = corners[quadrant];
        const int from = quadrant % 2 == 0 ? 0 : 1;
        a = std::fabs(corners[from + 2].x - corners[from].x);
        b = std::fabs(corners[from + 2].y - corners[from].y);
    }
    const double scale = std::max(a > 0 ? std::fabs(dx / a) : 0.0, b > 0 ? std::fabs(dy / b) : 0.0);
    if (scale < 0.00001)
        return;
    double rounded = scale;
    const double decade = Round_TK_Scale(rounded);
    g_Jig_Scale_Label = Format_Scale_Percent(rounded, decade);

    ZcGePoint2dArray points = m_Outlines[direction];
    Ucs_Points2d_To_World(points);
    Ucs_Point2d_To_World(reference);
    const ZcGeVector3d move(m_Locating_Point.x - reference.x, m_Locating_Point.y - reference.y, 0.0);
    g_TK_Move_Matrix = ZcGeMatrix3d::translation(move);
    Transform_Points(points, g_TK_Move_Matrix);
    g_TK_Scale_Matrix = ZcGeMatrix3d::scaling(rounded, ZcGePoint3d(m_Locating_Point.x, m_Locating_Point.y, 0.0));
    Transform_Points(points, g_TK_Scale_Matrix);
    Draw_Pairs(mode, points);
}
