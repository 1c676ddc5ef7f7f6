#include "sheet_drawing_fixture.h"

#include "core/space_helpers.h"
#include "ed/command_line.h"
#include "ed/docman.h"
#include "ed/host_session.h"
#include "sheets/marker_entities.h"

namespace {

void Clear_Globals()
{
    g_Ucs.Reset();
    g_Hidden_Layers.Frozen_Layers.removeAll();
    g_Hidden_Layers.Off_Layers.removeAll();
}

}  // namespace

void Sheet_Drawing_Test::SetUp()
{
    platform::Reset_Host_For_Tests();
    platform::CommandLine::instance().set_echo_to_stdout(false);
    ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
    Temp_PlotRec::rxInit();
    Temp_PlotRec2::rxInit();
    Clear_Globals();
}

void Sheet_Drawing_Test::TearDown()
{
    Clear_Globals();
    platform::Reset_Host_For_Tests();
}

ZcDbObjectId Sheet_Drawing_Test::Add(ZcDbEntity* entity, ZcDbObjectId block_id)
{
    if (block_id.isNull())
        block_id = Db()->modelSpaceId();
    ZcDbObjectId id;
    Append_Entity(id, entity, Keep_Color, true, ZcDbObjectId::kNull, block_id);
    EXPECT_FALSE(id.isNull());
    return id;
}

ZcDbObjectId Sheet_Drawing_Test::Insert(ZcDbObjectId block_id, const ZcGePoint3d& at, double scale,
                                        ZcDbObjectId owner_id)
{
    auto* reference = new ZcDbBlockReference(at, block_id);
    reference->setScaleFactors(ZcGeScale3d(scale));
    return Add(reference, owner_id);
}

ZcDbObjectId Sheet_Drawing_Test::Add_Rect(double x0, double y0, double x1, double y1, ZcDbObjectId block_id)
{
    auto* polyline = new ZcDbPolyline;
    const ZcGePoint2d corners[] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    for (unsigned i = 0; i < 4; ++i)
        polyline->addVertexAt(i, corners[i]);
    polyline->setClosed(true);
    return Add(polyline, block_id);
}

ZcDbObjectId Sheet_Drawing_Test::Add_Line(const ZcGePoint3d& from, const ZcGePoint3d& to, ZcDbObjectId block_id)
{
    return Add(new ZcDbLine(from, to), block_id);
}

ZcDbObjectId Sheet_Drawing_Test::Layer(const wchar_t* name, bool frozen, bool off)
{
    ZcDbLayerTable* table = nullptr;
    EXPECT_EQ(Db()->getLayerTable(table, ZcDb::kForWrite), Zcad::eOk);
    ZcDbObjectId id;
    if (table->getAt(name, id) != Zcad::eOk) {
        auto* record = new ZcDbLayerTableRecord;
        record->setName(name);
        EXPECT_EQ(table->add(id, record), Zcad::eOk);
        record->close();
    }
    table->close();
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(id, ZcDb::kForWrite);
    layer->setIsFrozen(frozen);
    layer->setIsOff(off);
    return id;
}

void Sheet_Drawing_Test::Set_Layer(ZcDbObjectId entity_id, ZcDbObjectId layer_id)
{
    ZcDbObjectPointer<ZcDbEntity> entity(entity_id, ZcDb::kForWrite);
    ASSERT_EQ(entity.openStatus(), Zcad::eOk);
    ASSERT_EQ(entity->setLayer(layer_id), Zcad::eOk);
}
