// Selections with prompts answered by the script, and fences.
#include "core/selection_helpers.h"
#include "core_fixture.h"
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "script/script_input.h"

namespace {

class Selection_Helpers_Test : public Core_Test {
protected:
    void SetUp() override
    {
        Core_Test::SetUp();
        line = Append(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(10, 0, 0)));
        circle = Append(new ZcDbCircle(ZcGePoint3d(20, 0, 0), ZcGeVector3d::kZAxis, 2));
        other_line = Append(new ZcDbLine(ZcGePoint3d(0, 10, 0), ZcGePoint3d(10, 10, 0)));
    }
    ZcDbObjectId Append(ZcDbEntity* entity)
    {
        ZcDbDatabase* db = zcDocManager->curDocument()->database();
        ZcDbObjectPointer<ZcDbBlockTableRecord> model(db->modelSpaceId(), ZcDb::kForWrite);
        ZcDbObjectId id;
        model->appendZcDbEntity(id, entity);
        entity->close();
        return id;
    }
    static void Script(const char* text) { platform::ScriptInput::instance().push_text(std::string_view(text)); }

    ZcDbObjectId line, circle, other_line;
};

TEST_F(Selection_Helpers_Test, PromptedSelectionCases)
{
    struct Case {
        const char* what;
        const char* script;
        bool fall_back;
        bool expected;
        int count;
    };
    const Case cases[] = {
        {"window", "select crossing -1,-1 11,1\n", false, true, 1},
        {"Enter with fall-back takes the whole drawing", "enter\n", true, true, 3},
        {"Enter without fall-back", "enter\n", false, false, 0},
        {"Escape", "esc\n", true, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Script(c.script);
        ZcDbObjectIdArray ids;
        ids.append(circle);  // emptied first
        EXPECT_EQ(Select_With_Prompt(L"\n选择图框: ", ids, c.fall_back, false), c.expected);
        EXPECT_EQ(ids.length(), c.count);
    }
    EXPECT_NE(Printed().find(L"选择图框"), std::wstring::npos);
}

TEST_F(Selection_Helpers_Test, TypeFilterAndWholeDrawingResult)
{
    Script("enter\n");
    ZcDbObjectIdArray ids;
    EXPECT_TRUE(Select_By_Type(L"\nSelect: ", L"line", ids, true, false));
    EXPECT_EQ(ids.length(), 2);
    EXPECT_FALSE(ids.contains(circle));

    Script("select all\n");
    EXPECT_EQ(Select_Or_Whole_Drawing(L"\nSelect: ", ids), Selection_By_User);
    EXPECT_EQ(ids.length(), 3);
    Script("enter\n");
    EXPECT_EQ(Select_Or_Whole_Drawing(L"\nSelect: ", ids), Selection_Whole_Drawing);
    EXPECT_EQ(ids.length(), 3);
    Script("esc\n");
    EXPECT_EQ(Select_Or_Whole_Drawing(L"\nSelect: ", ids), Selection_None);
    EXPECT_TRUE(ids.isEmpty());

    // A prompt longer than the buffer is cut, not overrun.
    std::wstring long_prompt(600, L'x');
    Script("enter\n");
    EXPECT_FALSE(Select_With_Prompt(long_prompt.c_str(), ids, false, true));
    EXPECT_NE(Printed().find(std::wstring(255, L'x')), std::wstring::npos);
    EXPECT_EQ(Printed().find(std::wstring(256, L'x')), std::wstring::npos);
}

TEST_F(Selection_Helpers_Test, FenceAddsEachIdOnceAndEmptiesThePoints)
{
    ZcDbObjectIdArray ids;
    ids.append(line);
    ZcGePoint3dArray points;
    points.append(ZcGePoint3d(5, -5, 0));
    points.append(ZcGePoint3d(5, 15, 0));
    EXPECT_TRUE(Fence_Select(ids, points));
    EXPECT_TRUE(points.isEmpty());
    ASSERT_EQ(ids.length(), 2);
    EXPECT_EQ(ids[0], line);
    EXPECT_EQ(ids[1], other_line);

    points.append(ZcGePoint3d(15, 0, 0));
    points.append(ZcGePoint3d(25, 0, 0));
    EXPECT_TRUE(Fence_Select_By_Type(L"CIRCLE", ids, points));
    EXPECT_EQ(ids.length(), 3);
    EXPECT_TRUE(points.isEmpty());

    points.append(ZcGePoint3d(100, 100, 0));
    points.append(ZcGePoint3d(200, 100, 0));
    EXPECT_FALSE(Fence_Select(ids, points));
    EXPECT_TRUE(points.isEmpty());
    points.append(ZcGePoint3d(5, -5, 0));
    points.append(ZcGePoint3d(5, 15, 0));
    EXPECT_FALSE(Fence_Select_By_Type(L"ARC", ids, points));
    EXPECT_EQ(ids.length(), 3);
}

TEST_F(Selection_Helpers_Test, PointListAndSelectionSets)
{
    ZcGePoint3dArray points;
    points.append(ZcGePoint3d(1, 2, 3));
    points.append(ZcGePoint3d(4, 5, 6));
    resbuf* list = Build_Point_List(points);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->restype, RT3DPOINT);
    EXPECT_EQ(list->rbnext->resval.rpoint[2], 6);
    EXPECT_EQ(list->rbnext->rbnext, nullptr);
    zcutRelRb(list);
    EXPECT_EQ(Build_Point_List(ZcGePoint3dArray()), nullptr);

    ZcDbObjectIdArray ids;
    ids.append(circle);
    ids.append(line);
    ads_name set;
    ASSERT_TRUE(Add_Ids_To_Selection(ids, set));
    EXPECT_TRUE(ids.isEmpty());
    SelSet_To_Ids(set, ids);
    ASSERT_EQ(ids.length(), 2);
    EXPECT_EQ(ids[0], circle);
    EXPECT_EQ(ids[1], line);
    int32_t length = 0;
    EXPECT_NE(zcedSSLength(set, &length), RTNORM);  // freed
}

}  // namespace
