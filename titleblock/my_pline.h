// The outline preview of a title-block frame being placed, and the placement it leaves
// behind: drawing the preview sets the translation and scaling the frame is placed with.
#pragma once

#include "db/dbentity.h"
#include "ge/gemat3d.h"
#include "ge/gept2dar.h"

// Translation and scaling (about the locating point) of the frame; they keep the values of
// the last preview that drew the frame, or of the last wrap-mode fit.
extern ZcGeMatrix3d g_TK_Move_Matrix;
extern ZcGeMatrix3d g_TK_Scale_Matrix;
// A frame drag or the wrap-mode selection prompt runs: Tab turns the frame.
extern bool g_Frame_Jig_Active;

// Jig modes: 0 locating point by the centre, 1 scale point by the centre, 2 locating point
// by the lower-left corner, 3 scale point by the corner facing away from the cursor.
class My_PLine : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(My_PLine);
    My_PLine() = default;
    // Outlines and corners (lower-left, lower-right, upper-right, upper-left) of the frame
    // centred on the origin, kept for direction 0 and turned for directions 1 and 2.
    My_PLine(int mode, const ZcGePoint2dArray& segments, const ZcGePoint2d corners[4]);
    ~My_PLine() override = default;

    void Set_Locating_Point(const ZcGePoint2d& point) { m_Locating_Point = point; }
    void Set_Second_Point(const ZcGePoint2d& point) { m_Second_Point = point; }
    const ZcGePoint2dArray& Outline(int direction) const { return m_Outlines[direction]; }
    const ZcGePoint2d& Corner(int direction, int index) const { return m_Corners[direction][index]; }

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    Zcad::ErrorStatus subErase(bool erasing) override;

private:
    // The frame moved so that its reference point lies on the locating point.
    void Draw_Moved(ZcGiWorldDraw* mode) const;
    // The frame scaled by the cursor's distance from the locating point.
    void Draw_Scaled(ZcGiWorldDraw* mode) const;

    int m_Mode = 0;
    ZcGePoint2dArray m_Outlines[3];
    ZcGePoint2d m_Corners[3][4];
    ZcGePoint2d m_Locating_Point;
    ZcGePoint2d m_Second_Point;
};

// The point turned by +90 degrees about the origin (direction 1) or by -90 (direction 2).
ZcGePoint2d Turn_By_Direction(const ZcGePoint2d& point, int direction);
