#include "sheets/point_jigs.h"

#include "ed/command_line.h"

ZcEdJig::DragStatus Sample_Jig_Point(ZcEdJig& jig, ZcGePoint3d& stored)
{
    ZcGePoint3d point = stored;
    const ZcEdJig::DragStatus status = jig.acquirePoint(point);
    if (point.isEqualTo(stored))
        return status == ZcEdJig::kNormal ? ZcEdJig::kNoChange : status;
    stored = point;
    return status;
}

Rec_TEMP::Rec_TEMP(const ZcGePoint3d& first_corner) : m_First_Corner(first_corner) {}

ZcEdJig::DragStatus Rec_TEMP::Start_Drag()
{
    m_Polyline = std::make_unique<ZcDbPolyline>();
    for (unsigned int i = 0; i < 4; ++i)
        m_Polyline->addVertexAt(i, ZcGePoint2d::kOrigin);
    m_Polyline->setClosed(true);
    Set_Vertices();
    return drag();
}

void Rec_TEMP::Set_Vertices()
{
    const double x1 = m_First_Corner.x, y1 = m_First_Corner.y;
    const double x2 = m_Cursor_Corner.x, y2 = m_Cursor_Corner.y;
    m_Polyline->setPointAt(0, ZcGePoint2d(x1, y1));
    m_Polyline->setPointAt(1, ZcGePoint2d(x1, y2));
    m_Polyline->setPointAt(2, ZcGePoint2d(x2, y2));
    m_Polyline->setPointAt(3, ZcGePoint2d(x2, y1));
}

ZcEdJig::DragStatus Rec_TEMP::sampler() { return Sample_Jig_Point(*this, m_Cursor_Corner); }

bool Rec_TEMP::update()
{
    Set_Vertices();
    return true;
}

ZcDbEntity* Rec_TEMP::entity() const { return m_Polyline.get(); }

Rec_TEMP2::Rec_TEMP2(const ZcGePoint3d& point, int rows, double row_height, const ZcArray<double>& column_widths)
    : m_Point(point), m_Rows(rows), m_Row_Height(row_height), m_Column_Widths(column_widths)
{
}

ZcEdJig::DragStatus Rec_TEMP2::Start_Drag()
{
    m_Preview = std::make_unique<Temp_PlotRec2>();
    m_Preview->Set_Base_Point(m_Point);
    m_Preview->Set_Rows(m_Rows);
    m_Preview->Set_Row_Height(m_Row_Height);
    m_Preview->Set_Column_Widths(m_Column_Widths);
    return drag();
}

ZcEdJig::DragStatus Rec_TEMP2::sampler() { return Sample_Jig_Point(*this, m_Point); }

bool Rec_TEMP2::update()
{
    m_Preview->Set_Base_Point(m_Point);
    return true;
}

ZcDbEntity* Rec_TEMP2::entity() const { return m_Preview.get(); }

bool Pick_Second_Point(const ZcGePoint3d& first_corner, ZcGePoint3d& second_corner)
{
    zcutPrintf(L"\n选择第二点：");
    Rec_TEMP jig(first_corner);
    if (jig.Start_Drag() != ZcEdJig::kNormal)
        return false;
    second_corner = jig.Get_Cursor_Corner();
    return true;
}

bool Pick_Insert_Point(ZcGePoint3d& point, int rows, double row_height, const ZcArray<double>& column_widths)
{
    zcutPrintf(L"\n选择插入点：");
    Rec_TEMP2 jig(point, rows, row_height, column_widths);
    if (jig.Start_Drag() != ZcEdJig::kNormal)
        return false;
    point = jig.Get_Point();
    return true;
}
