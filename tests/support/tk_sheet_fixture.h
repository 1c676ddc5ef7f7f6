// A host with one empty drawing and the program folders of Services_Test, the marker class
// registered and the title-block library empty; recognised sheets and their definitions
// built by hand, the sheets in a list the fixture owns.
#pragma once

#include <memory>
#include <vector>

#include "core/doc_lock.h"
#include "core/plot_option.h"
#include "core/space_helpers.h"
#include "core/ucs_transform.h"
#include "db/dbdatabase.h"
#include "db/dbsymtb.h"
#include "drawing_builders.h"
#include "services_fixture.h"
#include "sheet_builders.h"
#include "sheets/marker_entities.h"
#include "titleblock/tk_library.h"
#include "titleblock/tk_sheets.h"

class TK_Sheet_Test : public Services_Test {
public:
    void SetUp() override
    {
        Services_Test::SetUp();
        Temp_PlotRec::rxInit();
        g_Ucs.Reset();
        g_TK_Library.Clear();
        g_TK_Library.Paper_Name_Style = 0;
        for (int& centre : g_TK_Library.Centre_Text)
            centre = 0;
    }
    void TearDown() override
    {
        List.Clear();
        Definitions.clear();
        g_Cur_Plot_Option = nullptr;
        g_Ucs.Reset();
        Services_Test::TearDown();
    }

    // Appends the entity to the block (model space when null) and closes it.
    static ZcDbObjectId Add(ZcDbEntity* entity, ZcDbObjectId block_id = ZcDbObjectId::kNull)
    {
        Doc_Lock lock;
        ZcDbObjectId id;
        Append_Entity(id, entity, Keep_Color, true, ZcDbObjectId::kNull,
                      block_id.isNull() ? Db()->modelSpaceId() : block_id);
        EXPECT_FALSE(id.isNull());
        return id;
    }

    // A definition with that paper and priority, owned by the fixture.
    TK_Customization* Definition(int long_side, int short_side, int priority = 1)
    {
        Definitions.push_back(std::make_unique<TK_Customization>());
        TK_Customization* tk = Definitions.back().get();
        tk->Paper.Long_Side = long_side;
        tk->Paper.Short_Side = short_side;
        tk->Priority = priority;
        return tk;
    }

    // A sheet of the rectangle appended to the list, with a marker (number 0) in model space.
    Plot_Drawing2* Add_Sheet(double x0, double y0, double x1, double y1, TK_Customization* tk = nullptr,
                             ZcDbObjectId space_id = ZcDbObjectId::kNull)
    {
        auto* sheet = New_Sheet<Plot_Drawing2>(x0, y0, x1, y1);
        sheet->TK = tk;
        sheet->Space_Id = space_id;
        sheet->Seq_No = static_cast<int>(List.Sheets.GetSize()) + 1;
        auto* marker = new Temp_PlotRec;
        marker->Set_Corners(sheet->Min_Corner, sheet->Max_Corner);
        marker->Set_Number(0);
        sheet->Marker_Id = Add(marker);
        List.Sheets.Add(sheet);
        return sheet;
    }

    static int Marker_Number(const Plot_Drawing2* sheet)
    {
        ZcDbObjectPointer<Temp_PlotRec> marker(sheet->Marker_Id, ZcDb::kForRead);
        return marker.openStatus() == Zcad::eOk ? marker->Get_Number() : -1;
    }
    static int Marker_State(const Plot_Drawing2* sheet)
    {
        ZcDbObjectPointer<Temp_PlotRec> marker(sheet->Marker_Id, ZcDb::kForRead);
        return marker.openStatus() == Zcad::eOk ? marker->Get_State() : -1;
    }

    TK_Sheet_List List;
    std::vector<std::unique_ptr<TK_Customization>> Definitions;
    Plot_Option Options;
};
