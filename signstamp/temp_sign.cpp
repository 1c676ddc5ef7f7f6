#include "signstamp/temp_sign.h"

#include <cmath>
#include <numbers>

#include "core/custom_entity_class.h"
#include "core/point_sets.h"
#include "core/ucs_transform.h"
#include "db/gi.h"
#include "ge/gemat3d.h"

KORVEL_DEFINE_CUSTOM_CLASS(Temp_Sign, ZcDbEntity)

int g_Sign_Jig_Rot = 0;

void Fit_Signature(ZcGePoint3dArray& points, const ZcGePoint3d& first, const ZcGePoint3d& second, double width,
                   double height, const ZcGePoint3d& centre)
{
    double w = width, h = height;
    if (g_Sign_Jig_Rot == 1 || g_Sign_Jig_Rot == 2) {
        const double angle = g_Sign_Jig_Rot == 1 ? std::numbers::pi / 2 : -std::numbers::pi / 2;
        const ZcGeMatrix3d turn = ZcGeMatrix3d::rotation(angle, ZcGeVector3d::kZAxis, centre);
        for (int i = 0; i < points.length(); ++i)
            points[i].transformBy(turn);
        w = height;
        h = width;
    }
    const double sx = w > 0.0 ? std::fabs(second.x - first.x) / w : 1.0;
    const double sy = h > 0.0 ? std::fabs(second.y - first.y) / h : 1.0;
    const double s = std::min(sx, sy);
    const ZcGePoint3d middle((first.x + second.x) / 2.0, (first.y + second.y) / 2.0, 0.0);
    for (int i = 0; i < points.length(); ++i)
        points[i] = middle + (points[i] - centre) * s;
}

Temp_Sign::Temp_Sign(const ZcGePoint3d& first_corner, const ZcArray<int32_t>& loop_counts,
                     const ZcGePoint3dArray& points)
    : First_Corner(first_corner), Second_Corner(first_corner), m_Loop_Counts(loop_counts), m_Points(points)
{
    Get_Points_Box(m_Points, m_Width, m_Height, m_Centre);
    m_Centre.z = 0.0;
}

bool Temp_Sign::subWorldDraw(ZcGiWorldDraw* mode)
{
    ZcGePoint3d second = Second_Corner;
    if (g_Ucs.Active)
        g_Ucs.World_To_Ucs(second);
    ZcGePoint3dArray fitted = m_Points;
    Fit_Signature(fitted, First_Corner, second, m_Width, m_Height, m_Centre);

    int start = 0;
    for (int loop = 0; loop < m_Loop_Counts.length(); ++loop) {
        const int count = std::abs(m_Loop_Counts[loop]);
        const int end = std::min(start + count, fitted.length());
        for (int j = start; j + 1 < end; ++j) {
            ZcGePoint3d segment[2] = {fitted[j], fitted[j + 1]};
            if (g_Ucs.Active) {
                g_Ucs.Ucs_To_World(segment[0]);
                g_Ucs.Ucs_To_World(segment[1]);
            }
            mode->geometry().polyline(2, segment);
        }
        start = end;
    }
    return true;
}
