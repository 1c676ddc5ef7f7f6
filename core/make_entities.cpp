#include "core/make_entities.h"

#include "core/space_helpers.h"
#include "db/dbents.h"
#include "db/dbpl.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

// Appends and closes; an entity that could not be appended is deleted.
void Append_Or_Delete(ZcDbObjectId& id, ZcDbEntity* entity, uint32_t color_index, ZcDbObjectId layer_id)
{
    Append_Entity(id, entity, color_index, true, layer_id, ZcDbObjectId());
    if (id.isNull())
        delete entity;
}

}  // namespace

void Make_Line_At(ZcDbObjectId& id, double base_x, double base_y, double x1, double y1, double x2,
                  double y2, uint32_t color_index, ZcDbObjectId layer_id, ZcDbObjectId linetype_id)
{
    auto* line = new ZcDbLine(ZcGePoint3d(base_x + x1, base_y + y1, 0), ZcGePoint3d(base_x + x2, base_y + y2, 0));
    if (!linetype_id.isNull())
        line->setLinetype(linetype_id);
    Append_Or_Delete(id, line, color_index, layer_id);
}

void Make_Line(ZcDbObjectId& id, double x1, double y1, double x2, double y2, uint32_t color_index,
               ZcDbObjectId layer_id, ZcDbObjectId linetype_id)
{
    Make_Line_At(id, 0, 0, x1, y1, x2, y2, color_index, layer_id, linetype_id);
}

void Make_Polyline_At(ZcDbObjectId& id, double base_x, double base_y, const ZcGePoint2dArray& points,
                      uint32_t color_index, ZcDbObjectId layer_id, ZcDbObjectId linetype_id, double width)
{
    auto* polyline = new ZcDbPolyline();
    for (int i = 0; i < points.length(); ++i)
        polyline->addVertexAt(static_cast<unsigned>(i), ZcGePoint2d(base_x + points[i].x, base_y + points[i].y),
                              0.0, width, width);
    if (!linetype_id.isNull())
        polyline->setLinetype(linetype_id);
    Append_Or_Delete(id, polyline, color_index, layer_id);
}

void Make_Polyline(ZcDbObjectId& id, const ZcGePoint2dArray& points, uint32_t color_index,
                   ZcDbObjectId layer_id, ZcDbObjectId linetype_id, double width)
{
    Make_Polyline_At(id, 0, 0, points, color_index, layer_id, linetype_id, width);
}

ZcDbText* Make_Text(double base_x, double base_y, double dx, double dy, const wchar_t* text, double height,
                    double width_factor, int alignment, double rotation_degrees, ZcDbObjectId style_id)
{
    static const ZcDb::TextHorzMode horizontal[] = {ZcDb::kTextLeft, ZcDb::kTextCenter, ZcDb::kTextRight};
    static const ZcDb::TextVertMode vertical[] = {ZcDb::kTextBottom, ZcDb::kTextTop, ZcDb::kTextVertMid};
    const ZcGePoint3d position(base_x + dx, base_y + dy, 0);
    auto* entity = new ZcDbText();
    entity->setTextString(text != nullptr ? text : L"");
    entity->setNormal(ZcGeVector3d::kZAxis);
    entity->setHeight(height);
    if (!style_id.isNull())
        entity->setTextStyle(style_id);
    if (width_factor > 0)
        entity->setWidthFactor(width_factor);
    const int code = alignment >= 0 && alignment <= 8 ? alignment : 0;
    entity->setHorizontalMode(horizontal[code % 3]);
    entity->setVerticalMode(vertical[code / 3]);
    entity->setPosition(position);
    entity->setAlignmentPoint(position);
    entity->setRotation(rotation_degrees * Pi / 180.0);
    return entity;
}

void Add_Text_At(ZcDbObjectId& id, double base_x, double base_y, double x, double y, const wchar_t* text,
                 double height, double width_factor, int alignment, double rotation_degrees,
                 uint32_t color_index, ZcDbObjectId layer_id, ZcDbObjectId style_id)
{
    ZcDbText* entity = Make_Text(base_x, base_y, x, y, text, height, width_factor, alignment, rotation_degrees,
                                 style_id);
    Append_Or_Delete(id, entity, color_index, layer_id);
}

void Add_Text(ZcDbObjectId& id, double x, double y, const wchar_t* text, double height, double width_factor,
              int alignment, double rotation_degrees, uint32_t color_index, ZcDbObjectId layer_id,
              ZcDbObjectId style_id)
{
    Add_Text_At(id, 0, 0, x, y, text, height, width_factor, alignment, rotation_degrees, color_index, layer_id,
                style_id);
}
