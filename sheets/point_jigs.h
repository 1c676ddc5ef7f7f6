// The two point-picking jigs: a rubber-band rectangle for the second corner of a range,
// and the table-grid preview for the insertion point of the sheet catalogue.
#pragma once

#include <memory>

#include "db/dbpl.h"
#include "ed/jig.h"
#include "ge/gepnt3d.h"
#include "sheets/marker_entities.h"

// A sampler's point: acquires one into stored; kNoChange when it is where stored was.
ZcEdJig::DragStatus Sample_Jig_Point(ZcEdJig& jig, ZcGePoint3d& stored);

// Drags the second corner of a rectangle from a first corner.
class Rec_TEMP : public ZcEdJig {
public:
    explicit Rec_TEMP(const ZcGePoint3d& first_corner);

    // Builds the rectangle and runs the drag.
    DragStatus Start_Drag();
    // The last point sampled (the origin before the first sample).
    const ZcGePoint3d& Get_Cursor_Corner() const { return m_Cursor_Corner; }

    DragStatus sampler() override;
    bool update() override;
    ZcDbEntity* entity() const override;

private:
    // (x1, y1), (x1, y2), (x2, y2), (x2, y1): first corner to cursor corner.
    void Set_Vertices();

    ZcGePoint3d m_First_Corner;
    ZcGePoint3d m_Cursor_Corner = ZcGePoint3d::kOrigin;
    std::unique_ptr<ZcDbPolyline> m_Polyline;
};

// Drags the top-left corner of the catalogue's table grid.
class Rec_TEMP2 : public ZcEdJig {
public:
    Rec_TEMP2(const ZcGePoint3d& point, int rows, double row_height, const ZcArray<double>& column_widths);

    // Makes the grid preview and runs the drag.
    DragStatus Start_Drag();
    // The top-left corner: the caller's point until a sample moves it.
    const ZcGePoint3d& Get_Point() const { return m_Point; }

    DragStatus sampler() override;
    bool update() override;
    ZcDbEntity* entity() const override;

private:
    ZcGePoint3d m_Point;
    int m_Rows = 10;
    double m_Row_Height = 1000.0;
    ZcArray<double> m_Column_Widths;
    std::unique_ptr<Temp_PlotRec2> m_Preview;
};

// Prints "选择第二点：" and drags a rectangle from the first corner: true with the picked
// corner; false (second corner untouched) when the drag is cancelled or ends otherwise.
bool Pick_Second_Point(const ZcGePoint3d& first_corner, ZcGePoint3d& second_corner);
// Prints "选择插入点：" and drags a grid of rows x row height and the column widths whose
// top-left corner follows the cursor: true with the picked point; false with the point as
// it was.
bool Pick_Insert_Point(ZcGePoint3d& point, int rows, double row_height, const ZcArray<double>& column_widths);
