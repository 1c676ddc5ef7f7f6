#include "titleblock/tk_text_joins.h"

#include <algorithm>
#include <cmath>

#include "core/hidden_layers.h"
#include "sheets/exact_extents.h"
#include "sheets/sort_frames.h"
#include "titleblock/tk_ranges.h"
#include "titleblock/tk_sheets.h"
#include "titleblock/tk_text_codes.h"

void Order_Found_Texts(std::vector<TK_Found_Text>& texts, double angle)
{
    if (texts.size() < 2)
        return;
    std::vector<Frame_Box> boxes;
    boxes.reserve(texts.size());
    for (const TK_Found_Text& text : texts) {
        ZcDbExtents box = text.Box.isValid() ? text.Box : ZcDbExtents(ZcGePoint3d::kOrigin, ZcGePoint3d::kOrigin);
        Rotate_Box(box, -angle);
        boxes.push_back(Box_Of_Corners(box.minPoint().x, box.minPoint().y, box.maxPoint().x, box.maxPoint().y));
    }
    std::vector<TK_Found_Text> ordered;
    ordered.reserve(texts.size());
    for (int index : Order_Frames(boxes, 1))
        ordered.push_back(std::move(texts[index]));
    texts.swap(ordered);
}

CString Join_Found_Texts(const std::vector<TK_Found_Text>& texts, ZcDbExtents& combined)
{
    CString joined;
    combined.reset();
    for (const TK_Found_Text& text : texts) {
        if (text.Kind == 0)
            continue;
        combined.addExt(text.Box);
        if (text.Text.IsEmpty())
            continue;
        if (!joined.IsEmpty())
            joined += Line_Break_Marker;
        joined += text.Text;
    }
    return joined;
}

CString Join_Texts_In_Order(ZcDbObjectIdArray& ids, double angle, ZcDbExtents& combined)
{
    std::vector<TK_Found_Text> texts;
    texts.reserve(ids.length());
    for (int i = 0; i < ids.length(); ++i) {
        TK_Found_Text& text = texts.emplace_back();
        text.Id = ids[i];
        ZcDbObjectPointer<ZcDbEntity> entity(ids[i], ZcDb::kForRead);
        if (entity.openStatus() != Zcad::eOk)
            continue;
        text.Box = Get_Entity_Extents(entity.object());
        text.Kind = Loose_Field_Text(entity.object(), text.Text);
    }
    Order_Found_Texts(texts, angle);
    ids.removeAll();
    for (const TK_Found_Text& text : texts)
        ids.append(text.Id);
    return Join_Found_Texts(texts, combined);
}

CString Join_Attributes_In_Order(std::vector<TK_Found_Text>& attributes, double angle, ZcDbExtents& combined,
                                 ZcDbObjectIdArray& ids)
{
    Order_Found_Texts(attributes, angle);
    ids.removeAll();
    for (const TK_Found_Text& attribute : attributes)
        ids.append(attribute.Id);
    return Join_Found_Texts(attributes, combined);
}

CString Join_Overlapping_Texts(const std::vector<ZcDbEntity*>& texts, const ZcDbExtents& range, double angle)
{
    std::vector<TK_Found_Text> kept;
    for (const ZcDbEntity* entity : texts) {
        if (!Is_Entity_Shown(entity))
            continue;
        const ZcDbExtents box = Get_Entity_Extents(entity);
        if (!box.isValid() ||
            !Check_Rect_Overlap(range.minPoint(), range.maxPoint(), box.minPoint(), box.maxPoint(), 0.1))
            continue;
        TK_Found_Text& text = kept.emplace_back();
        text.Box = box;
        text.Kind = Loose_Field_Text(entity, text.Text);
    }
    Order_Found_Texts(kept, angle);
    ZcDbExtents combined;
    return Join_Found_Texts(kept, combined);
}

bool Check_Rect_Overlap(const ZcGePoint3d& a1, const ZcGePoint3d& a2, const ZcGePoint3d& b1, const ZcGePoint3d& b2,
                        double fraction)
{
    const double overlap_x = std::min(std::max(a1.x, a2.x), std::max(b1.x, b2.x)) -
                             std::max(std::min(a1.x, a2.x), std::min(b1.x, b2.x));
    const double overlap_y = std::min(std::max(a1.y, a2.y), std::max(b1.y, b2.y)) -
                             std::max(std::min(a1.y, a2.y), std::min(b1.y, b2.y));
    if (overlap_x < 0.0 || overlap_y < 0.0)
        return false;
    const double width_b = std::fabs(b2.x - b1.x), height_b = std::fabs(b2.y - b1.y);
    return !(width_b * fraction > overlap_x || height_b * fraction > overlap_y);
}

ZcGePoint2d Extents_Centre_2d(const ZcDbExtents& extents)
{
    return ZcGePoint2d((extents.minPoint().x + extents.maxPoint().x) / 2.0,
                       (extents.minPoint().y + extents.maxPoint().y) / 2.0);
}
