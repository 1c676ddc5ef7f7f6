// The plot list of a sheet set in the order the user picked, with the markers renumbered.
#include <vector>

#include "core/layer_helpers.h"
#include "db/dbmain.h"
#include "sheet_builders.h"
#include "sheet_drawing_fixture.h"
#include "sheets/marker_entities.h"
#include "sheets/sheet_records.h"

namespace {

class Plot_List_Order_Test : public Sheet_Drawing_Test {
protected:
    // A sheet of the rectangle in the space, marked on a layer of its own, with its
    // detection order.
    Plot_Drawing1* Add_Sheet(double x0, double y0, double x1, double y1, int order_index,
                             ZcDbObjectId space = ZcDbObjectId::kNull)
    {
        auto* sheet = new Plot_Drawing1();
        sheet->Source_Ids[0] = Add_Rect(x0, y0, x1, y1, space);
        sheet->Space_Id = space.isNull() ? Db()->currentSpaceId() : space;
        ZcDbExtents box(ZcGePoint3d(x0, y0, 0), ZcGePoint3d(x1, y1, 0));
        EXPECT_TRUE(sheet->Init_From_Extents(Layer(L"Temp_PlotLayer"), box, 1.0));
        sheet->Order_Index = order_index;
        return List_Sheet(m_Set, sheet);
    }
    static int Marker_Number(const Plot_Drawing1* sheet)
    {
        Temp_PlotRec* marker = nullptr;
        if (zcdbOpenObject(marker, sheet->Marker_Id, ZcDb::kForRead) != Zcad::eOk)
            return -1;
        const int number = marker->Get_Number();
        marker->close();
        return number;
    }
    std::vector<Plot_Drawing1*> Listed() const
    {
        std::vector<Plot_Drawing1*> list;
        for (INT_PTR i = 0; i < m_Set.Plot_List.GetSize(); ++i)
            list.push_back(m_Set.Plot_List[i]);
        return list;
    }
    void Expect_Numbered() const
    {
        for (INT_PTR i = 0; i < m_Set.Plot_List.GetSize(); ++i)
            EXPECT_EQ(Marker_Number(m_Set.Plot_List[i]), i + 1);
    }
    void TearDown() override
    {
        m_Set.Clear();
        Sheet_Drawing_Test::TearDown();
    }
    Plot_Sheet_Set m_Set;
};

TEST_F(Plot_List_Order_Test, EmptyAndSingleLists)
{
    m_Set.Sort_Sheets(1);
    EXPECT_EQ(m_Set.Plot_List.GetSize(), 0);
    Plot_Drawing1* only = Add_Sheet(0, 0, 100, 100, 0);
    m_Set.Sort_Sheets(3);
    EXPECT_EQ(Listed(), std::vector<Plot_Drawing1*>{only});
    Expect_Numbered();
}

TEST_F(Plot_List_Order_Test, AsFoundOrderIsStableByDetectionOrder)
{
    Plot_Drawing1* a = Add_Sheet(0, 0, 100, 100, 3);
    Plot_Drawing1* b = Add_Sheet(200, 0, 300, 100, 1);
    Plot_Drawing1* c = Add_Sheet(400, 0, 500, 100, 2);
    Plot_Drawing1* d = Add_Sheet(600, 0, 700, 100, 1);
    m_Set.Sort_Sheets(9);
    EXPECT_EQ(Listed(), (std::vector<Plot_Drawing1*>{b, d, c, a}));
    Expect_Numbered();
}

TEST_F(Plot_List_Order_Test, PositionOrdersKeepSpacesTogetherInOrderOfFirstAppearance)
{
    ZcDbObjectId layout_a = Add_Block(L"*Paper_Space_A");
    ZcDbObjectId layout_b = Add_Block(L"*Paper_Space_B");
    Plot_Drawing1* b2 = Add_Sheet(200, 0, 300, 100, 0, layout_b);
    Plot_Drawing1* m1 = Add_Sheet(0, 200, 100, 300, 1);
    Plot_Drawing1* a1 = Add_Sheet(0, 0, 100, 100, 2, layout_a);
    Plot_Drawing1* b1 = Add_Sheet(0, 0, 100, 100, 3, layout_b);
    Plot_Drawing1* m2 = Add_Sheet(0, 0, 100, 100, 4);
    m_Set.Sort_Sheets(1);
    EXPECT_EQ(Listed(), (std::vector<Plot_Drawing1*>{b1, b2, m1, m2, a1}));
    Expect_Numbered();
    m_Set.Sort_Sheets(9);
    EXPECT_EQ(Listed(), (std::vector<Plot_Drawing1*>{b2, m1, a1, b1, m2}));
    Expect_Numbered();
}

TEST_F(Plot_List_Order_Test, TypeOutsideTheRangeGroupsBySpaceKeepingTheListOrder)
{
    ZcDbObjectId layout = Add_Block(L"*Paper_Space_A");
    Plot_Drawing1* m1 = Add_Sheet(200, 0, 300, 100, 0);
    Plot_Drawing1* l1 = Add_Sheet(0, 0, 100, 100, 1, layout);
    Plot_Drawing1* m2 = Add_Sheet(0, 0, 100, 100, 2);
    m_Set.Sort_Sheets(0);
    EXPECT_EQ(Listed(), (std::vector<Plot_Drawing1*>{m1, m2, l1}));
    Expect_Numbered();
}

}  // namespace
