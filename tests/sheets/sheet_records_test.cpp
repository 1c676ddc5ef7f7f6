#include <vector>

#include "core/marker_sheet_window.h"
#include "db/dbreactor.h"
#include "ed/docman.h"
#include "sheet_drawing_fixture.h"
#include "sheets/marker_entities.h"
#include "sheets/sheet_records.h"

namespace {

// Records what happens to markers, and the watch flag at each erasure.
class Marker_Log : public ZcDbDatabaseReactor {
public:
    void objectModified(const ZcDbDatabase*, const ZcDbObject* object) override
    {
        if (object->isKindOf(Temp_PlotRec::desc()))
            ++Modified;
    }
    void objectErased(const ZcDbDatabase*, const ZcDbObject* object, bool erased) override
    {
        if (erased && object->isKindOf(Temp_PlotRec::desc()))
            Watch_At_Erase.push_back(g_Watch_Marker_Erase);
    }
    int Modified = 0;
    std::vector<int> Watch_At_Erase;
};

class Sheet_Records_Test : public Sheet_Drawing_Test {
protected:
    void SetUp() override
    {
        Sheet_Drawing_Test::SetUp();
        g_Watch_Marker_Erase = 1;
        Db()->addReactor(&m_Log);
        m_Marker_Layer = Layer(L"Temp_PlotLayer");
    }
    void TearDown() override
    {
        Db()->removeReactor(&m_Log);
        g_Watch_Marker_Erase = 1;
        Sheet_Drawing_Test::TearDown();
    }

    // A sheet of the rectangle with its marker.
    Plot_Drawing1* Sheet(double x0, double y0, double x1, double y1)
    {
        auto* sheet = new Plot_Drawing1;
        sheet->Source_Ids[0] = Add_Rect(x0, y0, x1, y1);
        EXPECT_TRUE(sheet->Init_From_Extents(m_Marker_Layer, ZcDbExtents({x0, y0, 0}, {x1, y1, 0}), 1.0));
        EXPECT_FALSE(sheet->Marker_Id.isNull());
        return sheet;
    }

    static bool Is_Live(ZcDbObjectId id) { return !id.isNull() && !id.isErased(); }

    static void Erase(ZcDbObjectId id)
    {
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForWrite);
        ASSERT_EQ(entity->erase(), Zcad::eOk);
    }

    Marker_Log m_Log;
    ZcDbObjectId m_Marker_Layer;
};

TEST_F(Sheet_Records_Test, FreshRecordsHaveTheirDefaults)
{
    const Plot_Drawing1 sheet;
    EXPECT_EQ(sheet.Kind, Sheet_From_Polyline);
    EXPECT_EQ(sheet.Width, 1.0);
    EXPECT_EQ(sheet.Height, 1.0);
    EXPECT_EQ(sheet.Plot_Scale, 100.0);
    EXPECT_EQ(sheet.Copies, 1);
    EXPECT_EQ(sheet.Tolerance, -1.0);
    EXPECT_EQ(sheet.Block_Scale, 1.0);
    EXPECT_STREQ(sheet.Output_Name.GetString(), L"1.PDF");
    EXPECT_STREQ(sheet.Paper_Name.GetString(), L"KV_A1");
    EXPECT_TRUE(sheet.Marker_Id.isNull());
    const MyPaper paper;
    EXPECT_EQ(paper.Long_Side, 297);
    EXPECT_EQ(paper.Short_Side, 210);
    EXPECT_FALSE(paper.Standard);
}

TEST_F(Sheet_Records_Test, InitFromExtentsFillsTheRecordAndMarksTheSheet)
{
    g_Ucs.Active = true;
    g_Ucs.World_To_Ucs_Matrix = ZcGeMatrix3d::translation(ZcGeVector3d(-5, -6, 0));
    g_Ucs.Ucs_To_World_Matrix = ZcGeMatrix3d::translation(ZcGeVector3d(5, 6, 0));
    Plot_Drawing1 sheet;
    sheet.Source_Ids[0] = Add_Rect(0, 0, 10, 10);
    ASSERT_TRUE(sheet.Init_From_Extents(m_Marker_Layer, ZcDbExtents({100, 200, 0}, {520, 794, 0}), 2.5));
    EXPECT_TRUE(sheet.Min_Corner.isEqualTo(ZcGePoint2d(100, 200)));
    EXPECT_TRUE(sheet.Max_Corner.isEqualTo(ZcGePoint2d(520, 794)));
    EXPECT_EQ(sheet.Width, 420);
    EXPECT_EQ(sheet.Height, 594);
    EXPECT_TRUE(sheet.Portrait);
    EXPECT_EQ(sheet.Block_Scale, 2.5);

    ZcDbObjectPointer<Temp_PlotRec> marker(sheet.Marker_Id, ZcDb::kForRead);
    ASSERT_EQ(marker.openStatus(), Zcad::eOk);
    EXPECT_EQ(marker->Get_Number(), 0);
    EXPECT_EQ(marker->Get_State(), Marker_Normal);
    EXPECT_TRUE(marker->Get_Min_Corner().isEqualTo(sheet.Min_Corner));
    EXPECT_TRUE(marker->Get_Max_Corner().isEqualTo(sheet.Max_Corner));
    EXPECT_TRUE(marker->Get_Use_Ucs());
    EXPECT_TRUE(marker->Get_Ucs_Matrix().isEqualTo(g_Ucs.World_To_Ucs_Matrix));
    EXPECT_EQ(marker->layerId(), m_Marker_Layer);
    EXPECT_EQ(marker->colorIndex(), 256);
    EXPECT_TRUE(marker->undoRecordingDisabled());
    EXPECT_EQ(marker->ownerId(), Db()->modelSpaceId());
}

TEST_F(Sheet_Records_Test, InitFromExtentsRefusesMissingSourcesAndThinBoxes)
{
    const struct {
        const char* what;
        bool with_source;
        ZcDbExtents extents;
    } cases[] = {
        {"no source", false, ZcDbExtents({0, 0, 0}, {100, 100, 0})},
        {"box 0.00001 wide", true, ZcDbExtents({0, 0, 0}, {0.00001, 100, 0})},
        {"empty box", true, ZcDbExtents()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Plot_Drawing1 sheet;
        if (c.with_source)
            sheet.Source_Ids[0] = Add_Rect(0, 0, 1, 1);
        EXPECT_FALSE(sheet.Init_From_Extents(m_Marker_Layer, c.extents, 1.0));
        EXPECT_TRUE(sheet.Marker_Id.isNull());
    }
    // Without a layer the record is filled and no marker is made.
    Plot_Drawing1 sheet;
    sheet.Source_Ids[0] = Add_Rect(0, 0, 1, 1);
    EXPECT_TRUE(sheet.Init_From_Extents(ZcDbObjectId::kNull, ZcDbExtents({0, 0, 0}, {300, 200, 0}), 1.0));
    EXPECT_TRUE(sheet.Marker_Id.isNull());
    EXPECT_FALSE(sheet.Portrait);
}

TEST_F(Sheet_Records_Test, DeletingASheetErasesItsMarkerUnwatched)
{
    Plot_Drawing1* sheet = Sheet(0, 0, 100, 100);
    const ZcDbObjectId marker = sheet->Marker_Id;
    delete sheet;
    EXPECT_TRUE(marker.isErased());
    EXPECT_EQ(m_Log.Watch_At_Erase, std::vector<int>{0});
    EXPECT_EQ(g_Watch_Marker_Erase, 1);

    // On a locked layer too.
    sheet = Sheet(0, 0, 100, 100);
    const ZcDbObjectId locked_marker = sheet->Marker_Id;
    {
        ZcDbObjectPointer<ZcDbLayerTableRecord> layer(m_Marker_Layer, ZcDb::kForWrite);
        layer->setIsLocked(true);
    }
    delete sheet;
    EXPECT_TRUE(locked_marker.isErased());

    // A marker the user already erased: the drawing stays as it is.
    {
        ZcDbObjectPointer<ZcDbLayerTableRecord> layer(m_Marker_Layer, ZcDb::kForWrite);
        layer->setIsLocked(false);
    }
    sheet = Sheet(0, 0, 100, 100);
    Erase(sheet->Marker_Id);
    m_Log.Watch_At_Erase.clear();
    delete sheet;
    EXPECT_TRUE(m_Log.Watch_At_Erase.empty());
    EXPECT_EQ(g_Watch_Marker_Erase, 1);
}

TEST_F(Sheet_Records_Test, SheetsOutliveTheirDrawing)
{
    Plot_Drawing1* sheet = Sheet(0, 0, 100, 100);
    Db()->removeReactor(&m_Log);
    ASSERT_EQ(zcDocManager->closeDocument(zcDocManager->curDocument()), Zcad::eOk);
    sheet->Set_Marker(4, 1);
    EXPECT_NE(sheet->Redraw_Marker(), Zcad::eOk);
    delete sheet;
    ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
    Db()->addReactor(&m_Log);
}

TEST_F(Sheet_Records_Test, SetMarkerWritesOnlyWhatChanges)
{
    Plot_Drawing1* sheet = Sheet(0, 0, 100, 100);
    const struct {
        int number, state;
        int expected_number, expected_state;
        bool written;
    } steps[] = {
        {-1, -1, 0, 0, false}, {0, 0, 0, 0, false}, {5, -1, 5, 0, true},
        {-1, 2, 5, 2, true},   {5, 2, 5, 2, false}, {7, 1, 7, 1, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << step.number << ", " << step.state);
        m_Log.Modified = 0;
        sheet->Set_Marker(step.number, step.state);
        EXPECT_EQ(m_Log.Modified > 0, step.written);
        ZcDbObjectPointer<Temp_PlotRec> marker(sheet->Marker_Id, ZcDb::kForRead);
        EXPECT_EQ(marker->Get_Number(), step.expected_number);
        EXPECT_EQ(marker->Get_State(), step.expected_state);
    }
    EXPECT_EQ(sheet->Redraw_Marker(), Zcad::eOk);

    // An erased marker is skipped; its redraw reports the failure.
    Erase(sheet->Marker_Id);
    m_Log.Modified = 0;
    sheet->Set_Marker(3, 0);
    EXPECT_EQ(m_Log.Modified, 0);
    EXPECT_NE(sheet->Redraw_Marker(), Zcad::eOk);
    delete sheet;
}

TEST_F(Sheet_Records_Test, InnerRectIsInsetByAFiftiethOnce)
{
    Plot_Drawing1 sheet;
    sheet.Min_Corner.set(0, 100);
    sheet.Max_Corner.set(500, 300);
    sheet.Compute_Inner_Rect();
    EXPECT_TRUE(sheet.Inner_Computed);
    EXPECT_DOUBLE_EQ(sheet.Inner_Left, 10);
    EXPECT_DOUBLE_EQ(sheet.Inner_Right, 490);
    EXPECT_DOUBLE_EQ(sheet.Inner_Bottom, 104);
    EXPECT_DOUBLE_EQ(sheet.Inner_Top, 296);
    sheet.Max_Corner.set(1000, 1000);
    sheet.Compute_Inner_Rect();
    EXPECT_DOUBLE_EQ(sheet.Inner_Right, 490);
}

TEST_F(Sheet_Records_Test, SheetSetOwnsItsSheetsAndPapers)
{
    Plot_Sheet_Set set;
    for (int i = 0; i < 3; ++i) {
        Plot_Drawing1* sheet = Sheet(i * 1000, 0, i * 1000 + 841, 594);
        set.All_Sheets.Add(sheet);
        set.Plot_List.Add(sheet);
    }
    set.Paper_List.Add(new MyPaper(841, 594));
    set.Largest_Width = 841;
    set.Frame_Blocks.append(Add_Block(L"F"));
    std::vector<ZcDbObjectId> markers;
    for (INT_PTR i = 0; i < set.All_Sheets.GetSize(); ++i)
        markers.push_back(set.All_Sheets[i]->Marker_Id);

    // Deleting one sheet: out of the plot list first, then out of the set with its marker.
    Plot_Drawing1* second = set.All_Sheets[1];
    set.Plot_List.RemoveAt(1);
    set.Delete_Sheet(second);
    EXPECT_EQ(set.All_Sheets.GetSize(), 2);
    EXPECT_TRUE(markers[1].isErased());
    EXPECT_TRUE(Is_Live(markers[0]));

    // A sheet that is not in the set is left alone.
    Plot_Drawing1* stranger = Sheet(0, 0, 10, 10);
    set.Delete_Sheet(stranger);
    EXPECT_EQ(set.All_Sheets.GetSize(), 2);
    EXPECT_TRUE(Is_Live(stranger->Marker_Id));
    delete stranger;

    set.Clear();
    EXPECT_EQ(set.All_Sheets.GetSize(), 0);
    EXPECT_EQ(set.Plot_List.GetSize(), 0);
    EXPECT_EQ(set.Paper_List.GetSize(), 0);
    EXPECT_TRUE(set.Frame_Blocks.isEmpty());
    EXPECT_EQ(set.Largest_Width, 0);
    EXPECT_TRUE(markers[0].isErased());
    EXPECT_TRUE(markers[2].isErased());
    for (int watched : m_Log.Watch_At_Erase)
        EXPECT_EQ(watched, 0);
    EXPECT_EQ(g_Watch_Marker_Erase, 1);

    // A cleared set is used again; its destructor erases the new markers.
    ZcDbObjectId last_marker;
    {
        Plot_Sheet_Set again;
        again.All_Sheets.Add(Sheet(0, 0, 100, 100));
        last_marker = again.All_Sheets[0]->Marker_Id;
    }
    EXPECT_TRUE(last_marker.isErased());
}

TEST_F(Sheet_Records_Test, DeleteAllObjectsEmptiesTheArray)
{
    auto* papers = new Paper_Array;
    papers->Add(new MyPaper(420, 297));
    papers->Add(new MyPaper(297, 210));
    Delete_All_Objects(*papers);
    EXPECT_EQ(papers->GetSize(), 0);
    papers->Add(new MyPaper(594, 420));
    Delete_All_Objects_And_Array(papers);
    EXPECT_EQ(papers, nullptr);
}

}  // namespace
