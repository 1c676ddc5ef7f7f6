#include "sheets/marker_entities.h"

#include "core/custom_entity_class.h"
#include "db/gi.h"

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
bool Temp_PlotRec::subWorldDraw(ZcGiWorldDraw*) { return true; }
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
bool Temp_PlotRec2::subWorldDraw(ZcGiWorldDraw*) { return true; }
Zcad::ErrorStatus Temp_PlotRec2::subErase(bool erasing) { return ZcDbEntity::subErase(erasing); }
