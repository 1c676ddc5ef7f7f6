// Bringing the frame into the current drawing and placing it: by its centre, by a corner,
// or wrapped around selected graphics.
#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "core/cursor_overlays.h"
#include "core/file_operations.h"
#include "core/make_entities.h"
#include "core/plot_config.h"
#include "core/point_sets.h"
#include "core/selection_helpers.h"
#include "core/space_helpers.h"
#include "core/ucs_transform.h"
#include "db/dbblkref.h"
#include "db/dbsymtb.h"
#include "ed/command_line.h"
#include "sheets/exact_extents.h"
#include "sheets/wblock_to_file.h"
#include "titleblock/my_pline.h"
#include "titleblock/tk_block_file.h"
#include "titleblock/tk_fit.h"
#include "titleblock/tk_insert.h"
#include "titleblock/tk_outline.h"
#include "titleblock/tk_scale.h"
#include "titleblock/tk_temp_jig.h"

namespace {

ZcDbDatabase* Working_Database() { return zcdbHostApplicationServices()->workingDatabase(); }

ZcDbObjectId Find_Block(ZcDbDatabase* db, const wchar_t* name)
{
    ZcDbObjectId id;
    ZcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, ZcDb::kForRead) == Zcad::eOk) {
        table->getAt(name, id);
        table->close();
    }
    return id;
}

// The library drawing's frame block, defined in the current drawing under its own name.
ZcDbObjectId Bring_In_Library_Block(const CString& path)
{
    std::unique_ptr<ZcDbDatabase> side;
    ZcDbObjectId source_id;
    if (!Read_TK_Block(path, side, source_id))
        return ZcDbObjectId();
    std::wstring name;
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> source(source_id, ZcDb::kForRead);
        if (source.openStatus() != Zcad::eOk || source->getName(name) != Zcad::eOk)
            return ZcDbObjectId();
    }
    ZcDbDatabase* block_drawing = nullptr;
    if (side->wblock(block_drawing, source_id) != Zcad::eOk || block_drawing == nullptr)
        return ZcDbObjectId();
    // An existing definition of that name is kept (the host's way); the lookup finds it.
    Insert_Drawing_As_Block(Working_Database(), block_drawing, name.c_str());
    const ZcDbObjectId id = Find_Block(Working_Database(), name.c_str());
    if (id.isNull())
        zcutPrintf(L"\n当前文件中无法插入图块 !");
    return id;
}

// The picked entities as a new block "BK" + time stamp around the centre of their extents;
// frame_centre is the centre of the frame's lines in the block.
ZcDbObjectId Bring_In_Picked_Block(const ZcDbObjectIdArray& ids, ZcGePoint3d& frame_centre)
{
    ZcDbObjectIdArray measured = ids;
    ZcDbExtents extents;
    Get_Ids_Extents(extents, measured);
    const ZcGePoint3d base = Get_Extents_Centre(extents);
    ZcGePoint2d centre = g_TK_Insert.Frame_Centre;
    Ucs_Point2d_To_World(centre);
    frame_centre.set(centre.x - base.x, centre.y - base.y, 0.0);
    ZcDbDatabase* written = nullptr;
    if (Working_Database()->wblock(written, ids, base) != Zcad::eOk || written == nullptr)
        return ZcDbObjectId();
    return Insert_Drawing_As_Block(Working_Database(), written, Make_Unique_Time_Stamp(L"BK"));
}

bool Scaling_On() { return g_Plot_Config.TK_Scale_Step != 0; }

// UCS to world, then the placement's translation and, with a scale step, its scaling.
void Place_Entity(ZcDbEntity* entity)
{
    if (g_Ucs.Active)
        entity->transformBy(g_Ucs.Ucs_To_World_Matrix);
    entity->transformBy(g_TK_Move_Matrix);
    if (Scaling_On())
        entity->transformBy(g_TK_Scale_Matrix);
}

// The scale text beside the placed frame, by TK_Text_Pos.
void Add_Scale_Text()
{
    struct Text_Place {
        double x, y;  // in half widths and half heights, plus the gap along gap_x, gap_y
        double gap_x, gap_y;
        int alignment;
        double rotation;
    };
    static const Text_Place Places[9] = {
        {0, 0, 0, 0, 0, 0},         {-1, -1, 0, -1, 3, 0}, {-1, 1, 0, 1, 0, 0},  {1, -1, 0, -1, 5, 0},
        {1, 1, 0, 1, 2, 0},         {0, 1, 0, 1, 1, 0},    {0, -1, 0, -1, 4, 0}, {-1, 0, -1, 0, 1, 90},
        {1, 0, 1, 0, 4, 90}};
    const int code = g_Plot_Config.TK_Text_Pos;
    if (code < 1 || code > 8)
        return;
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    Get_Points_Extents(g_TK_Insert.Outline_Segments, min_x, max_x, min_y, max_y);
    double w = max_x - min_x, h = max_y - min_y;
    if (g_Frame_Jig_Dir != 0)
        std::swap(w, h);
    const double t = std::min(w, h) / 25, g = t * 0.25;
    const Text_Place& place = Places[code];
    ZcDbText* text = Make_Text(place.x * w / 2 + place.gap_x * g, place.y * h / 2 + place.gap_y * g, 0, 0,
                               Scale_Text_Of_Frame(), t, 0, place.alignment, place.rotation,
                               Get_Insert_Text_Style());
    if (text == nullptr)
        return;
    Place_Entity(text);
    ZcDbObjectId id;
    Append_Entity(id, text, Keep_Color, true, ZcDbObjectId(), ZcDbObjectId());
    if (id.isNull())
        delete text;
}

void Insert_By_Point(bool by_corner)
{
    for (;;) {
        ZcGePoint2d locating, scale_point;
        if (!Drag_Locating_Point(g_TK_Insert.Outline_Segments, g_TK_Insert.Corners, locating, by_corner ? 2 : 0))
            return;
        if (Scaling_On() && !Drag_Scale_Point(g_TK_Insert.Outline_Segments, g_TK_Insert.Corners, locating,
                                              scale_point, by_corner ? 3 : 1))
            return;
        Place_TK_Block();
    }
}

}  // namespace

ZcDbObjectId Get_Insert_Text_Style()
{
    ZcDbTextStyleTable* table = nullptr;
    if (Working_Database()->getTextStyleTable(table, ZcDb::kForWrite) != Zcad::eOk)
        return ZcDbObjectId();
    ZcDbObjectId id;
    if (table->getAt(L"Korvel", id) != Zcad::eOk) {
        auto* style = new ZcDbTextStyleTableRecord;
        style->setName(L"Korvel");
        style->setFileName(L"Korvel_EN.shx");
        style->setBigFontFileName(L"Korvel_HZ.shx");
        style->setXScale(0.8);
        if (table->add(id, style) == Zcad::eOk)
            style->close();
        else
            delete style;
    }
    table->close();
    return id;
}

ZcDbObjectId Bring_In_TK_Block(ZcGePoint3d& frame_centre)
{
    if (!g_TK_Insert.Picked_Ids.isEmpty())
        return Bring_In_Picked_Block(g_TK_Insert.Picked_Ids, frame_centre);
    frame_centre.set(g_TK_Insert.Frame_Centre.x, g_TK_Insert.Frame_Centre.y, 0.0);
    if (!g_TK_Insert.Dwg_Path.IsEmpty())
        return Bring_In_Library_Block(g_TK_Insert.Dwg_Path);
    return ZcDbObjectId();
}

CString Scale_Text_Of_Frame()
{
    if (!Scaling_On())
        return L"100%";
    const double scale = g_TK_Scale_Matrix.scale();
    return Format_Scale_Percent(scale, Power_Of_Ten(scale));
}

void Place_TK_Block()
{
    ZcGePoint3d frame_centre;
    const ZcDbObjectId block_id = Bring_In_TK_Block(frame_centre);
    if (block_id.isNull())
        return;
    // The frame centred on the origin, as its outline and the previews were, whatever the
    // block's base point.
    ZcDbBlockReference reference(ZcGePoint3d::kOrigin - frame_centre.asVector(), block_id);
    ZcDbVoidPtrArray pieces;
    reference.explode(pieces);
    ZcDbBlockTableRecord* space = Get_Current_Space_Record(Working_Database(), true);
    for (int i = 0; i < pieces.length(); ++i) {
        auto* entity = static_cast<ZcDbEntity*>(pieces[i]);
        if (space == nullptr) {
            delete entity;
            continue;
        }
        if (g_Frame_Jig_Dir == 1 || g_Frame_Jig_Dir == 2) {
            const double angle = g_Frame_Jig_Dir == 1 ? std::numbers::pi / 2 : -std::numbers::pi / 2;
            entity->transformBy(ZcGeMatrix3d::rotation(angle, ZcGeVector3d::kZAxis, ZcGePoint3d::kOrigin));
        }
        Place_Entity(entity);
        if (space->appendZcDbEntity(entity) == Zcad::eOk)
            entity->close();
        else
            delete entity;
    }
    if (space != nullptr)
        space->close();
    Add_Scale_Text();
}

void Insert_By_Centre() { Insert_By_Point(false); }
void Insert_By_Corner() { Insert_By_Point(true); }

void Insert_Around_Selection()
{
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    Get_Points_Extents(g_TK_Insert.Area_Outline, min_x, max_x, min_y, max_y);
    if (max_x - min_x <= 0.00001 || max_y - min_y <= 0.00001) {
        zcutPrintf(L"\n未能获得图框的绘图区域，退出 !");
        return;
    }
    const double cx = (min_x + max_x) / 2, cy = (min_y + max_y) / 2;
    for (;;) {
        g_Frame_Jig_Active = true;
        g_Outline_Overlay_On = true;
        g_Outline_Segments = g_TK_Insert.Outline_Segments;
        ZcDbObjectIdArray ids;
        const bool selected =
            Select_With_Prompt(L"\n选择套图框的图形：( 按Tab键-->改变图框方向 )", ids, false, false);
        g_Frame_Jig_Active = false;
        g_Outline_Overlay_On = false;
        if (!selected || ids.isEmpty())
            return;

        const bool turned = g_Frame_Jig_Dir == 1 || g_Frame_Jig_Dir == 2;
        const double area_w = turned ? max_y - min_y : max_x - min_x;
        const double area_h = turned ? max_x - min_x : max_y - min_y;
        ZcGePoint2d area_centre = g_Frame_Jig_Dir == 1   ? ZcGePoint2d(-cy, cx)
                                  : g_Frame_Jig_Dir == 2 ? ZcGePoint2d(cy, -cx)
                                                         : ZcGePoint2d(cx, cy);
        ZcDbObjectIdArray measured = ids;
        ZcDbExtents extents;
        Get_Ids_Extents(extents, measured);
        const ZcGePoint3d centre = Get_Extents_Centre(extents);
        ZcGePoint2d position(centre.x, centre.y);
        double scale = std::max((extents.maxPoint().x - extents.minPoint().x) / area_w,
                                (extents.maxPoint().y - extents.minPoint().y) / area_h);
        if (g_TK_Insert.Area_Outline.length() >= 7 && Scaling_On())
            Fit_Frame_Around_Ids(scale, ids, area_centre, position);
        scale *= 1.01;
        Round_TK_Scale(scale);
        Ucs_Point2d_To_World(area_centre);
        Ucs_Point2d_To_World(position);
        g_TK_Move_Matrix = ZcGeMatrix3d::translation(ZcGeVector3d(position.x - area_centre.x,
                                                                  position.y - area_centre.y, 0.0));
        g_TK_Scale_Matrix = ZcGeMatrix3d::scaling(scale, ZcGePoint3d(position.x, position.y, 0.0));
        Place_TK_Block();
    }
}
