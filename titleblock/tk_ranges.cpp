#include "titleblock/tk_ranges.h"

#include <algorithm>
#include <cmath>

#include "core/extents_checks.h"
#include "core/ucs_transform.h"
#include "db/dbblkref.h"
#include "sheets/exact_extents.h"

namespace {

bool Is_Text_Range(int range_type) { return range_type >= TK_Range_A && range_type <= TK_Range_F; }

bool Is_Stamp_Range(int range_type) { return range_type >= TK_Range_Stamp_1 && range_type <= TK_Range_Stamp_4; }

double Larger_Side(const ZcDbExtents& box)
{
    const ZcGeVector3d size = box.maxPoint() - box.minPoint();
    return std::max(size.x, size.y);
}

// Shrinks the box by the part of its width on the left and right, of its height below and above.
void Shrink_Box(ZcDbExtents& box, double part)
{
    const ZcGeVector3d size = box.maxPoint() - box.minPoint();
    const ZcGeVector3d inset(size.x * part, size.y * part, 0.0);
    box.set(box.minPoint() + inset, box.maxPoint() - inset);
}

ZcDbExtents Box_Of(double x0, double y0, double x1, double y1)
{
    return ZcDbExtents(ZcGePoint3d(x0, y0, 0.0), ZcGePoint3d(x1, y1, 0.0));
}

}  // namespace

void Rotate_Box(ZcDbExtents& box, double angle)
{
    if (angle != 0.0)
        box.transformBy(ZcGeMatrix3d::rotation(angle, ZcGeVector3d::kZAxis, ZcGePoint3d::kOrigin));
}

bool Measure_TK_Frame(const ZcDbBlockReference* reference, TK_Frame_Ref& frame)
{
    if (reference == nullptr)
        return false;
    Ucs_Entity_Pair pair(reference);
    const ZcDbBlockReference* measured = ZcDbBlockReference::cast(pair.Entity());
    if (measured == nullptr)
        return false;
    frame.Id = reference->objectId();
    frame.Rotation = measured->rotation();
    frame.World_Rotation = reference->rotation();
    frame.Scale = std::fabs(measured->scaleFactors().sx);
    frame.Extents = Get_Entity_Extents_Ex(reference, false, false);
    return true;
}

bool Measure_TK_Frame(ZcDbObjectId reference_id, TK_Frame_Ref& frame)
{
    ZcDbObjectPointer<ZcDbBlockReference> reference(reference_id, ZcDb::kForRead);
    return reference.openStatus() == Zcad::eOk && Measure_TK_Frame(reference.object(), frame);
}

void Adjust_Dynamic_Range(ZcDbExtents& box, double tk_scale, const ZcDbExtents& frame_box, const TK_Frame_Ref& frame,
                          const ZcGeVector3d& min_offset, const ZcGeVector3d& max_offset, int range_type)
{
    const double scale = tk_scale > 0.0 ? tk_scale : 1.0;
    const double o = frame.Scale;
    ZcDbExtents e = frame.Extents;
    Rotate_Box(e, -frame.Rotation);
    // The stretched adjusted frame, back in definition units.
    double width = (e.maxPoint().x + max_offset.x * o / scale) - (e.minPoint().x + min_offset.x * o / scale);
    double height = (e.maxPoint().y + max_offset.y * o / scale) - (e.minPoint().y + min_offset.y * o / scale);
    if (o > 0.0) {
        width *= scale / o;
        height *= scale / o;
    }
    if (range_type > 0) {
        const double defined_width = (frame_box.maxPoint().x + max_offset.x) - (frame_box.minPoint().x + min_offset.x);
        const double defined_height = (frame_box.maxPoint().y + max_offset.y) - (frame_box.minPoint().y + min_offset.y);
        const double dx = (width - defined_width) / 2.0;
        const double dy = (height - defined_height) / 2.0;
        box = Box_Of(box.minPoint().x + dx, box.minPoint().y - dy, box.maxPoint().x + dx, box.maxPoint().y - dy);
    } else {
        const double cx = (min_offset.x + max_offset.x) / 2.0, cy = (min_offset.y + max_offset.y) / 2.0;
        box = Box_Of(cx - width / 2.0, cy - height / 2.0, cx + width / 2.0, cy + height / 2.0);
    }
}

bool Map_TK_Range(const TK_Customization* tk, const TK_Frame_Ref& frame, int range_type, ZcDbExtents& box,
                  double& angle)
{
    if (tk == nullptr)
        return false;
    if (!Is_Text_Range(range_type) && !Is_Stamp_Range(range_type))
        range_type = TK_Range_Plot;
    box = tk->Range_Of_Type(range_type);
    if (!Check_Extents(box))
        return false;
    if (range_type > 0)
        Shrink_Box(box, 0.05);
    Rotate_Box(box, -tk->Angle);
    if (tk->Is_Dynamic != 0) {
        ZcGeVector3d min_offset(0.0, 0.0, 0.0), max_offset(0.0, 0.0, 0.0);
        if (Check_Extents(tk->Plot_Range)) {
            min_offset = tk->Plot_Range.minPoint() - tk->Frame_Ext.minPoint();
            max_offset = tk->Plot_Range.maxPoint() - tk->Frame_Ext.maxPoint();
        }
        ZcDbExtents frame_box = tk->Frame_Ext;
        Rotate_Box(frame_box, -tk->Angle);
        Adjust_Dynamic_Range(box, tk->Scale, frame_box, frame, min_offset, max_offset, range_type);
    }
    angle = frame.Rotation;
    Rotate_Box(box, frame.Rotation);
    double factor = 1.0;
    if (tk->Is_Dynamic != 0) {
        if (tk->Scale > 0.0)
            factor = frame.Scale / tk->Scale;
    } else if (Larger_Side(tk->Frame_Ext) > 0.0 && frame.Extents.isValid()) {
        factor = Larger_Side(frame.Extents) / Larger_Side(tk->Frame_Ext);
    }
    if (factor != 1.0)
        box.transformBy(ZcGeMatrix3d::scaling(factor));
    if (frame.Extents.isValid())
        box.transformBy(ZcGeMatrix3d::translation(Get_Extents_Centre(frame.Extents) - ZcGePoint3d::kOrigin));
    if (Is_Stamp_Range(range_type) && g_Ucs.Active) {
        box.transformBy(g_Ucs.Ucs_To_World_Matrix);
        angle = frame.World_Rotation;
    }
    return true;
}

bool Get_TK_Range(const TK_Customization* tk, ZcDbObjectId reference_id, int range_type, ZcDbExtents& box,
                  double& angle)
{
    TK_Frame_Ref frame;
    return tk != nullptr && Measure_TK_Frame(reference_id, frame) && Map_TK_Range(tk, frame, range_type, box, angle);
}
