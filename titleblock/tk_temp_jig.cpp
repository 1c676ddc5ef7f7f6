#include "titleblock/tk_temp_jig.h"

#include "core/cursor_overlays.h"
#include "ed/command_line.h"
#include "mfc/winuser.h"

TK_TEMP::TK_TEMP(const ZcGePoint2dArray& segments, const ZcGePoint2d corners[4], const ZcGePoint2d& first_point,
                 const ZcGePoint2d& second_point, int mode, const ZcGePoint3d& current_point)
    : m_Segments(segments),
      m_First_Point(first_point),
      m_Second_Point(second_point),
      m_Mode(mode),
      m_Current_Point(current_point)
{
    for (int k = 0; k < 4; ++k)
        m_Corners[k] = corners[k];
}

ZcEdJig::DragStatus TK_TEMP::Drag()
{
    m_Preview = std::make_unique<My_PLine>(m_Mode, m_Segments, m_Corners);
    m_Preview->Set_Locating_Point(m_First_Point);
    m_Preview->Set_Second_Point(m_Second_Point);
    return drag();
}

ZcEdJig::DragStatus TK_TEMP::sampler()
{
    ZcGePoint3d point = m_Current_Point;
    const DragStatus status = acquirePoint(point);
    if (point.isEqualTo(m_Current_Point))
        return status == kNormal ? kNoChange : status;
    m_Current_Point = point;
    return status;
}

bool TK_TEMP::update()
{
    const ZcGePoint2d point(m_Current_Point.x, m_Current_Point.y);
    if (m_Mode == 1 || m_Mode == 3)
        m_Preview->Set_Second_Point(point);
    else
        m_Preview->Set_Locating_Point(point);
    return true;
}

ZcDbEntity* TK_TEMP::entity() const { return m_Preview.get(); }

bool Drag_Locating_Point(const ZcGePoint2dArray& segments, const ZcGePoint2d corners[4], ZcGePoint2d& point,
                         int mode)
{
    zcutPrintf(L"\n点取图框的定位点：( 按Tab键-->改变图框方向 )");
    TK_TEMP jig(segments, corners, corners[0], corners[2], mode, ZcGePoint3d(corners[0].x, corners[0].y, 0.0));
    g_Frame_Jig_Active = true;
    const ZcEdJig::DragStatus status = jig.Drag();
    g_Frame_Jig_Active = false;
    if (status != ZcEdJig::kNormal)
        return false;
    point.set(jig.Current_Point().x, jig.Current_Point().y);
    return true;
}

bool Drag_Scale_Point(const ZcGePoint2dArray& segments, const ZcGePoint2d corners[4],
                      const ZcGePoint2d& locating_point, ZcGePoint2d& point, int mode)
{
    zcutPrintf(L"\n点取图框的缩放点：( 按Tab键-->改变图框方向 )");
    TK_TEMP jig(segments, corners, locating_point, locating_point, mode,
                ZcGePoint3d(locating_point.x, locating_point.y, 0.0));
    g_Frame_Jig_Active = true;
    g_Jig_Label_On = true;
    const ZcEdJig::DragStatus status = jig.Drag();
    g_Frame_Jig_Active = false;
    g_Jig_Label_On = false;
    if (status != ZcEdJig::kNormal)
        return false;
    point.set(jig.Current_Point().x, jig.Current_Point().y);
    return true;
}
