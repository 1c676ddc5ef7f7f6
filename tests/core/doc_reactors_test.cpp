// The document reactor gives every open drawing a database reactor; the database
// reactor removes exactly the sheet whose marker was erased.
#include <algorithm>
#include <vector>

#include "sheets/doc_reactors.h"
#include "app/module_load.h"
#include "core_fixture.h"
#include "db/dbcurve.h"
#include "db/dbsymtb.h"
#include "db/dbmain.h"
#include "sheets/marker_entities.h"

namespace {

// A result window holding one marker per sheet row.
class Fake_Sheet_Window : public Marker_Sheet_Window {
public:
    int Find_Marker_Row(const ZcDbObjectId& marker) override
    {
        ++Lookups;
        auto found = std::find(Markers.begin(), Markers.end(), marker);
        return found == Markers.end() ? -1 : static_cast<int>(found - Markers.begin());
    }
    void Delete_Sheets(int row) override { Markers.erase(Markers.begin() + row); }

    std::vector<ZcDbObjectId> Markers;
    int Lookups = 0;
};

Fake_Sheet_Window* g_Fake_Window = nullptr;
Marker_Sheet_Window* Fake_Window() { return g_Fake_Window; }

class Doc_Reactors_Test : public Core_Test {
public:
    void SetUp() override
    {
        Core_Test::SetUp();
        g_Fake_Window = &m_Window;
        g_Open_Marker_Sheet_Window = Fake_Window;
        g_Watch_Marker_Erase = 1;
        Load_Module();
    }
    void TearDown() override
    {
        Core_Test::TearDown();
        g_Open_Marker_Sheet_Window = m_Default_Hook;
        g_Fake_Window = nullptr;
        g_Watch_Marker_Erase = 1;
    }

    // Appends an entity to the model space of the current drawing.
    static ZcDbObjectId Append(ZcDbEntity* entity)
    {
        ZcDbDatabase* database = zcDocManager->curDocument()->database();
        ZcDbBlockTable* table = nullptr;
        EXPECT_EQ(database->getBlockTable(table, ZcDb::kForRead), Zcad::eOk);
        ZcDbBlockTableRecord* model = nullptr;
        EXPECT_EQ(table->getAt(L"*Model_Space", model, ZcDb::kForWrite), Zcad::eOk);
        table->close();
        ZcDbObjectId id;
        EXPECT_EQ(model->appendZcDbEntity(id, entity), Zcad::eOk);
        entity->close();
        model->close();
        return id;
    }
    static ZcDbObjectId Append_Marker() { return Append(new Temp_PlotRec); }
    static void Erase(const ZcDbObjectId& id, bool erasing = true)
    {
        ZcDbObject* object = nullptr;
        ASSERT_EQ(zcdbOpenObject(object, id, ZcDb::kForWrite, true), Zcad::eOk);
        EXPECT_EQ(object->erase(erasing), Zcad::eOk);
        object->close();
    }

    Fake_Sheet_Window m_Window;
    Marker_Sheet_Window* (*const m_Default_Hook)() = g_Open_Marker_Sheet_Window;
};

TEST_F(Doc_Reactors_Test, ErasedMarkersRemoveExactlyTheirOwnRows)
{
    std::vector<ZcDbObjectId> markers;
    for (int i = 0; i < 4; ++i)
        markers.push_back(Append_Marker());
    m_Window.Markers = markers;
    // The rows were renumbered and reordered since detection: rows follow the ids.
    std::swap(m_Window.Markers[0], m_Window.Markers[3]);

    Erase(markers[3]);
    Erase(markers[1]);
    EXPECT_EQ(m_Window.Markers, (std::vector<ZcDbObjectId>{markers[2], markers[0]}));

    Erase(markers[1], false);  // undoing the erase brings no row back
    Erase(Append(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0))));
    ZcDbObjectId stray = Append_Marker();  // a marker of no listed sheet
    Erase(stray);
    EXPECT_EQ(m_Window.Markers, (std::vector<ZcDbObjectId>{markers[2], markers[0]}));

    g_Watch_Marker_Erase = 0;  // the program's own marker erasures
    Erase(markers[2]);
    EXPECT_EQ(m_Window.Markers.size(), 2u);
}

TEST_F(Doc_Reactors_Test, WithoutAResultWindowAnErasedMarkerRemovesNothing)
{
    g_Open_Marker_Sheet_Window = m_Default_Hook;
    const ZcDbObjectId marker = Append_Marker();
    m_Window.Markers = {marker};
    Erase(marker);
    EXPECT_EQ(m_Window.Lookups, 0);
    EXPECT_EQ(m_Window.Markers.size(), 1u);
}

TEST_F(Doc_Reactors_Test, EveryOpenDrawingHasADatabaseReactorUntilUnload)
{
    ZcApDocument* first = zcDocManager->curDocument();
    ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
    ZcApDocument* second = zcDocManager->curDocument();
    ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
    ZcApDocument* third = zcDocManager->curDocument();
    ASSERT_NE(second, first);
    ASSERT_NE(third, second);

    std::vector<ZcDbObjectId> markers;
    for (ZcApDocument* document : {first, second, third}) {
        ASSERT_EQ(zcDocManager->setCurDocument(document), Zcad::eOk);
        markers.push_back(Append_Marker());
    }
    m_Window.Markers = markers;
    for (size_t i = 0; i < markers.size(); ++i) {
        ASSERT_EQ(zcDocManager->setCurDocument(i == 0 ? first : i == 1 ? second : third), Zcad::eOk);
        Erase(markers[i]);
    }
    EXPECT_TRUE(m_Window.Markers.empty()) << "each drawing's reactor saw its erasure";

    // A closed drawing takes its reactor along; unloading removes the others.
    ASSERT_EQ(zcDocManager->closeDocument(second), Zcad::eOk);
    Unload_Module();
    ASSERT_EQ(zcDocManager->setCurDocument(third), Zcad::eOk);
    const ZcDbObjectId late = Append_Marker();
    m_Window.Markers = {late};
    const int lookups = m_Window.Lookups;
    Erase(late);
    EXPECT_EQ(m_Window.Lookups, lookups);
    EXPECT_EQ(m_Window.Markers.size(), 1u);
}

}  // namespace
