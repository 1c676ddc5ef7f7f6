// The drags that place a title-block frame: its locating point, then its scale point. Tab
// turns the frame by 90 degrees while a drag runs.
#pragma once

#include <memory>

#include "ed/jig.h"
#include "ge/gept2dar.h"
#include "titleblock/my_pline.h"
#include "win/windows.h"

class TK_TEMP : public ZcEdJig {
public:
    TK_TEMP(const ZcGePoint2dArray& segments, const ZcGePoint2d corners[4], const ZcGePoint2d& first_point,
            const ZcGePoint2d& second_point, int mode, const ZcGePoint3d& current_point);

    // Builds the preview and runs the drag.
    DragStatus Drag();
    const ZcGePoint3d& Current_Point() const { return m_Current_Point; }

    DragStatus sampler() override;
    bool update() override;
    ZcDbEntity* entity() const override;

private:
    ZcGePoint2dArray m_Segments;
    ZcGePoint2d m_Corners[4];
    ZcGePoint2d m_First_Point;
    ZcGePoint2d m_Second_Point;
    int m_Mode = 0;
    ZcGePoint3d m_Current_Point;
    std::unique_ptr<My_PLine> m_Preview;
};

// Drags the frame by its centre (mode 0) or its lower-left corner (mode 2); true with the
// point when the drag ended normally.
bool Drag_Locating_Point(const ZcGePoint2dArray& segments, const ZcGePoint2d corners[4], ZcGePoint2d& point,
                         int mode);
// Drags the scale point from the locating point (mode 1 by the centre, 3 by a corner) with
// the scale label at the cursor; true with the point when the drag ended normally.
bool Drag_Scale_Point(const ZcGePoint2dArray& segments, const ZcGePoint2d corners[4],
                      const ZcGePoint2d& locating_point, ZcGePoint2d& point, int mode);

