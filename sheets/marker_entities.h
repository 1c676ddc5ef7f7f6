// The two custom entities that show sheets in the drawing: Temp_PlotRec, the marker of one
// found sheet (a solid band along its frame with its number in the middle), and
// Temp_PlotRec2, the table-grid preview the catalogue insertion drags. Both draw from their
// own fields only and file nothing of their own: read back from a drawing they have their
// default fields.
#pragma once

#include "db/dbentity.h"
#include "ge/gemat3d.h"
#include "ge/gepnt2d.h"
#include "ge/gepnt3d.h"

// Marker states. Setters of both classes need the entity open for write
// (eNotOpenForWrite otherwise).
enum Marker_State { Marker_Normal = 0, Marker_Highlighted = 1, Marker_Hidden = 2 };

class Temp_PlotRec : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(Temp_PlotRec);
    Temp_PlotRec() = default;
    ~Temp_PlotRec() override = default;

    // Sheet number shown; below 1 no number (the diagonals instead).
    int Get_Number() const { return m_Number; }
    Zcad::ErrorStatus Set_Number(int number);
    const ZcGePoint2d& Get_Min_Corner() const { return m_Min_Corner; }
    const ZcGePoint2d& Get_Max_Corner() const { return m_Max_Corner; }
    Zcad::ErrorStatus Set_Corners(const ZcGePoint2d& min_corner, const ZcGePoint2d& max_corner);
    // Marker_Normal (red), Marker_Highlighted (magenta), Marker_Hidden (nothing drawn); any
    // other value draws in the entity's own colour.
    int Get_State() const { return m_State; }
    Zcad::ErrorStatus Set_State(int state);
    // With use_ucs the corners are UCS coordinates, taken to the world of the current UCS
    // when drawn; the matrix (world to UCS of the detection that made the marker) is kept
    // but not used for drawing.
    bool Get_Use_Ucs() const { return m_Use_Ucs; }
    const ZcGeMatrix3d& Get_Ucs_Matrix() const { return m_Ucs_Matrix; }
    Zcad::ErrorStatus Set_Ucs(bool use_ucs, const ZcGeMatrix3d& world_to_ucs);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    Zcad::ErrorStatus subErase(bool erasing) override;

private:
    int m_Number = 1;
    ZcGePoint2d m_Min_Corner{0.0, 0.0};
    ZcGePoint2d m_Max_Corner{100.0, 100.0};
    int m_State = Marker_Normal;
    bool m_Use_Ucs = false;
    ZcGeMatrix3d m_Ucs_Matrix;
};

class Temp_PlotRec2 : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(Temp_PlotRec2);
    Temp_PlotRec2() = default;
    ~Temp_PlotRec2() override = default;

    // Top-left corner of the grid (drawn at z 0).
    const ZcGePoint3d& Get_Base_Point() const { return m_Base_Point; }
    Zcad::ErrorStatus Set_Base_Point(const ZcGePoint3d& base_point);
    int Get_Rows() const { return m_Rows; }
    Zcad::ErrorStatus Set_Rows(int rows);
    double Get_Row_Height() const { return m_Row_Height; }
    Zcad::ErrorStatus Set_Row_Height(double row_height);
    // Column widths, left to right.
    const ZcArray<double>& Get_Column_Widths() const { return m_Column_Widths; }
    Zcad::ErrorStatus Set_Column_Widths(const ZcArray<double>& widths);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    Zcad::ErrorStatus subErase(bool erasing) override;

private:
    ZcGePoint3d m_Base_Point{0.0, 0.0, 0.0};
    int m_Rows = 10;
    double m_Row_Height = 1000.0;
    ZcArray<double> m_Column_Widths;
};

// Erases a sheet's marker (when the id is not null) with g_Watch_Marker_Erase cleared for the
// moment, so that the erasure does not come back as a user deletion; then nulls the id.
void Erase_Sheet_Marker(ZcDbObjectId& marker_id);
// A new marker of the rectangle (number 0, normal state, the UCS of g_Ucs) appended to the
// space (the current space for a null id) on the layer, with undo recording off; its id, or
// null when it could not be appended.
ZcDbObjectId Append_Sheet_Marker(const ZcGePoint2d& min_corner, const ZcGePoint2d& max_corner, ZcDbObjectId layer_id,
                                 ZcDbObjectId space_id);
// Writes a number and/or a state (a value below 0 leaves that field) into a sheet's
// Temp_PlotRec; nothing is written when nothing changes or the marker does not open.
void Set_Sheet_Marker(ZcDbObjectId marker_id, int number, int state);
// Marks a sheet marker's graphics as changed and draws it; the open status when it does not
// open.
Zcad::ErrorStatus Redraw_Sheet_Marker(ZcDbObjectId marker_id);
