// The order of recognised sheets: drawing-number comparison, position orders per space,
// the found order, number and priority, and the marker numbers that follow each ordering.
#include <string>
#include <vector>

#include "titleblock/tk_sheet_order.h"
#include "tk_sheet_fixture.h"

namespace {

class TK_Sheet_Order : public TK_Sheet_Test {
public:
    // The sheets' tags (text F) in list order; every marker shows its position.
    std::vector<std::string> Order()
    {
        std::vector<std::string> tags;
        for (INT_PTR i = 0; i < List.Sheets.GetSize(); ++i) {
            tags.push_back(platform::To_Utf8(List.Sheets[i]->Text[5].GetString()));
            EXPECT_EQ(Marker_Number(List.Sheets[i]), i + 1) << tags.back();
        }
        return tags;
    }
    Plot_Drawing2* Tagged(const wchar_t* tag, double x0, double y0, double x1, double y1,
                          ZcDbObjectId space_id = ZcDbObjectId::kNull, TK_Customization* tk = nullptr)
    {
        Plot_Drawing2* sheet = Add_Sheet(x0, y0, x1, y1, tk, space_id);
        sheet->Text[5] = tag;
        return sheet;
    }
};

using Tags = std::vector<std::string>;

TEST(TK_Drawing_No, Trailing_Numbers_Compare_By_Value_The_Rest_By_Character_Codes)
{
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        bool a_after_b;
    };
    const Case cases[] = {
        {L"A-10", L"A-2", true},
        {L"A-2", L"A-10", false},
        {L"A-2", L"A-2", false},
        {L"A-02", L"A-2", false},  // equal values
        {L"A-2", L"A-02", false},
        {L"B-1", L"A-9", true},   // different rests: the whole texts
        {L"A-9", L"B-1", false},
        {L"a-1", L"A-2", true},   // case counts
        {L"AB", L"AA", true},     // no trailing digits
        {L"A1x", L"A2", false},
        {L"12", L"9", true},      // only digits: empty rests
        {L"", L"A-1", false},
        // Numbers beyond any integer type compare by their digits.
        {L"N-3000000000", L"N-2999999999", true},
        {L"N-2999999999", L"N-3000000000", false},
        {L"X-123456789012345678901234567890", L"X-123456789012345678901234567889", true},
        {L"X-99999999999999999999", L"X-100000000000000000000", false},
        {L"X-000000000000000000000007", L"X-8", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Compare_Drawing_No(c.a, c.b), c.a_after_b)
            << platform::To_Utf8(c.a) << " vs " << platform::To_Utf8(c.b);
}

TEST_F(TK_Sheet_Order, Position_Orders_Find_Rows_And_Columns_By_Overlap)
{
    // A 2 x 2 grid of 100 x 100 frames whose right-hand frames sit 5 lower.
    Tagged(L"bottom-right", 200, -5, 300, 95);
    Tagged(L"top-left", 0, 200, 100, 300);
    Tagged(L"bottom-left", 0, 0, 100, 100);
    Tagged(L"top-right", 200, 195, 300, 295);
    struct Case {
        int type;
        Tags order;
    };
    const Case cases[] = {
        {1, {"top-left", "top-right", "bottom-left", "bottom-right"}},
        {2, {"top-right", "top-left", "bottom-right", "bottom-left"}},
        {3, {"bottom-left", "bottom-right", "top-left", "top-right"}},
        {5, {"bottom-left", "top-left", "bottom-right", "top-right"}},
        {8, {"top-right", "bottom-right", "top-left", "bottom-left"}},
        {9, {"bottom-right", "top-left", "bottom-left", "top-right"}},  // as found
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        Sort_TK_By_Position(List.Sheets, c.type);
        EXPECT_EQ(Order(), c.order);
    }
}

TEST_F(TK_Sheet_Order, Each_Space_Is_Ordered_On_Its_Own_In_The_Order_Of_Its_First_Sheet)
{
    const ZcDbObjectId layout_1 = Add_Block(L"*Paper_Space1"), layout_2 = Add_Block(L"*Paper_Space2");
    const ZcDbObjectId model = Db()->modelSpaceId();
    Tagged(L"model right", 200, 0, 300, 100, model);
    Tagged(L"layout 2", 0, 0, 100, 100, layout_2);
    Tagged(L"layout 1 right", 200, 0, 300, 100, layout_1);
    Tagged(L"model left", 0, 0, 100, 100, model);
    Tagged(L"layout 1 left", 0, 0, 100, 100, layout_1);
    Sort_TK_By_Position(List.Sheets, 1);
    EXPECT_EQ(Order(), (Tags{"model left", "model right", "layout 2", "layout 1 left", "layout 1 right"}));
    // A type outside 1..8 keeps each space's order, the spaces still grouped.
    List.Sheets.Add(List.Sheets[0]);
    List.Sheets.RemoveAt(0);
    Sort_TK_By_Position(List.Sheets, 0);
    EXPECT_EQ(Order(), (Tags{"model right", "model left", "layout 2", "layout 1 left", "layout 1 right"}));
}

TEST_F(TK_Sheet_Order, Numbers_Sort_Numbered_Sheets_First_Then_Priorities_Group_Them)
{
    TK_Customization* first = Definition(420, 297, 0);
    TK_Customization* second = Definition(420, 297, 1);
    TK_Customization* outside = Definition(420, 297, 12);
    // Left to right in one row, as the position order leaves them.
    const struct {
        const wchar_t* tag;
        const wchar_t* number;
    } sheets[] = {{L"A-10", L"A-10"}, {L"A-2", L"A-2"}, {L"none", L""}, {L"A-1", L"A-1"}, {L"A-2 again", L"A-2"}};
    double x = 0;
    for (const auto& s : sheets) {
        Tagged(s.tag, x, 0, x + 100, 100, ZcDbObjectId::kNull, second)->Text[0] = s.number;
        x += 200;
    }
    Sort_TK_Sheets(List, true, 1);
    EXPECT_EQ(Order(), (Tags{"A-10", "A-2", "none", "A-1", "A-2 again"}));  // position only
    Sort_TK_Sheets(List, false, 1);
    EXPECT_EQ(Order(), (Tags{"A-1", "A-2", "A-2 again", "A-10", "none"}));

    // Priority 0 comes first; a sheet without definition or with a priority beyond 8 last.
    List.Sheets[3]->TK = first;
    List.Sheets[0]->TK = nullptr;
    List.Sheets[4]->TK = outside;    // none
    Sort_TK_Sheets(List, false, 1);
    EXPECT_EQ(Order(), (Tags{"A-10", "A-2", "A-2 again", "A-1", "none"}));
}

TEST_F(TK_Sheet_Order, Markers_Take_Number_And_State_Separately_And_Redraw)
{
    Plot_Drawing2* sheet = Add_Sheet(0, 0, 100, 100);
    sheet->Set_Marker(7, -1);
    EXPECT_EQ(Marker_Number(sheet), 7);
    EXPECT_EQ(Marker_State(sheet), Marker_Normal);
    sheet->Set_Marker(-1, Marker_Highlighted);
    EXPECT_EQ(Marker_Number(sheet), 7);
    EXPECT_EQ(Marker_State(sheet), Marker_Highlighted);
    EXPECT_EQ(sheet->Redraw_Marker(), Zcad::eOk);

    // A sheet without marker is skipped; redrawing it reports why.
    Plot_Drawing2 bare;
    bare.Set_Marker(3, 1);
    EXPECT_NE(bare.Redraw_Marker(), Zcad::eOk);

    // Deleting the sheet erases its marker.
    const ZcDbObjectId marker_id = sheet->Marker_Id;
    List.Clear();
    ZcDbObjectPointer<Temp_PlotRec> marker(marker_id, ZcDb::kForRead);
    EXPECT_NE(marker.openStatus(), Zcad::eOk);
}

}  // namespace
