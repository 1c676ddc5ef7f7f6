// The preview of a signature being placed: the outline fitted into the rectangle from
// the first corner to the cursor. Lives only inside the placement drag, never in a drawing.
#pragma once

#include <cstdint>

#include "db/dbentity.h"
#include "ge/gept3dar.h"
#include "rx/zcarray.h"

// The turn of the signature being placed: 0 none, 1 by +90 degrees, 2 by -90 degrees.
extern int g_Sign_Jig_Rot;

// The points fitted into the rectangle of the two corners: turned by g_Sign_Jig_Rot about
// the centre, scaled by the tighter side, keeping proportions, centred on the midpoint.
void Fit_Signature(ZcGePoint3dArray& points, const ZcGePoint3d& first, const ZcGePoint3d& second, double width,
                   double height, const ZcGePoint3d& centre);

class Temp_Sign : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(Temp_Sign);
    Temp_Sign() = default;
    Temp_Sign(const ZcGePoint3d& first_corner, const ZcArray<int32_t>& loop_counts, const ZcGePoint3dArray& points);

    ZcGePoint3d First_Corner;
    ZcGePoint3d Second_Corner;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;

private:
    ZcArray<int32_t> m_Loop_Counts;
    ZcGePoint3dArray m_Points;
    double m_Width = 1.0;
    double m_Height = 1.0;
    ZcGePoint3d m_Centre;
};
