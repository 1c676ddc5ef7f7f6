// Placing a library signature: the two corners, the turn by Tab, the layer, the picker.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/custom_classes.h"
#include "app/window_watcher.h"
#include "core_fixture.h"
#include "db/dbsymtb.h"
#include "script/script_input.h"
#include "sign_test_support.h"
#include "signstamp/kv_sign_class.h"
#include "signstamp/sign_insert.h"

namespace {

class Sign_Insert_Test : public Core_Test {
public:
    void SetUp() override
    {
        Core_Test::SetUp();
        Register_Custom_Classes();
    }
    void TearDown() override
    {
        g_Sign_Jig_Rot = 0;
        g_Sign_Library.Clear();
        Core_Test::TearDown();
    }
};

struct Placed {
    double min_x, min_y, max_x, max_y;
    CString layer;
};

Placed Box_Of(ZcDbObjectId id)
{
    ZcDbObjectPointer<KV_Sign_Class> sign(id, ZcDb::kForRead);
    EXPECT_EQ(sign.openStatus(), Zcad::eOk);
    Placed box{1e9, 1e9, -1e9, -1e9, L""};
    if (sign.openStatus() != Zcad::eOk)
        return box;
    for (int i = 0; i < sign->Points().length(); ++i) {
        const ZcGePoint3d& p = sign->Points()[i];
        box.min_x = std::min(box.min_x, p.x), box.max_x = std::max(box.max_x, p.x);
        box.min_y = std::min(box.min_y, p.y), box.max_y = std::max(box.max_y, p.y);
    }
    wchar_t* layer = sign->layer();
    box.layer = layer;
    delete[] layer;
    return box;
}

TEST_F(Sign_Insert_Test, TheSignatureFillsTheRectangleAsTurned)
{
    // A 20 x 20 square signature; the rectangle 0,0 .. 100,40: the tighter side (40) rules.
    struct Case {
        int turn;
        const char* script;
        double min_x, min_y, max_x, max_y;
    };
    const Case cases[] = {
        {0, "point 0,0\npoint 30,30\npoint 100,40\n", 30, 0, 70, 40},
        {1, "point 0,0\npoint 100,40\n", 30, 0, 70, 40},
        {0, "point 10,10\npoint 10,50\n", 10, 30, 10, 30},  // straight above: collapses
    };
    auto sign = sign_test::Make_Sign(7, L"张 三", 0);
    for (const Case& c : cases) {
        g_Sign_Jig_Rot = c.turn;
        platform::ScriptInput::instance().push_text(c.script);
        const ZcDbObjectId id = Insert_Signature(*sign);
        ASSERT_FALSE(id.isNull()) << c.script;
        const Placed box = Box_Of(id);
        EXPECT_NEAR(box.min_x, c.min_x, 1e-9) << c.script;
        EXPECT_NEAR(box.min_y, c.min_y, 1e-9) << c.script;
        EXPECT_NEAR(box.max_x, c.max_x, 1e-9) << c.script;
        EXPECT_NEAR(box.max_y, c.max_y, 1e-9) << c.script;
        EXPECT_EQ(box.layer, CString(L"KV_Sign"));
        EXPECT_EQ(g_Sign_Jig_Active, 0);
    }
    EXPECT_NE(Printed().find(L"选择第二点 [按Tab键-->改变签名方向] :"), std::wstring::npos);
}

TEST_F(Sign_Insert_Test, CancellingEitherPointPlacesNothing)
{
    auto sign = sign_test::Make_Sign(7, L"张三", 0);
    for (const char* script : {"esc\n", "point 0,0\nesc\n"}) {
        platform::ScriptInput::instance().push_text(script);
        EXPECT_TRUE(Insert_Signature(*sign).isNull()) << script;
        EXPECT_EQ(g_Sign_Jig_Active, 0);
    }
    KV_Sign empty;
    EXPECT_TRUE(Insert_Signature(empty).isNull());
}

TEST_F(Sign_Insert_Test, TabTurnsTheSignatureOnlyWhileItIsDragged)
{
    MSG tab{};
    tab.message = WM_KEYDOWN;
    tab.wParam = VK_TAB;
    g_Sign_Jig_Active = 1;
    for (int expected : {1, 2, 0, 1}) {
        Watch_Key_Message(&tab);
        EXPECT_EQ(g_Sign_Jig_Rot, expected);
    }
    g_Sign_Jig_Active = 0;
    Watch_Key_Message(&tab);
    EXPECT_EQ(g_Sign_Jig_Rot, 1);
    tab.message = WM_KEYUP;
    g_Sign_Jig_Active = 1;
    Watch_Key_Message(&tab);
    g_Sign_Jig_Active = 0;
    EXPECT_EQ(g_Sign_Jig_Rot, 1);
}

TEST(Sign_Picker, EverySignatureGetsARowWithinReach)
{
    struct Case {
        int n;
        int extra;
    };
    // Up to 300 as the picker always spread them; beyond, more columns instead of rows.
    const Case cases[] = {{1, 0}, {24, 0}, {25, 1}, {174, 6}, {175, 7}, {200, 7}, {300, 7}, {305, 8}, {2000, 52}};
    for (const Case& c : cases)
        EXPECT_EQ(Sign_Picker_Extra_Columns(c.n), c.extra) << c.n;
    for (int n = 1; n <= 2000; ++n) {
        const int a = Sign_Picker_Extra_Columns(n);
        EXPECT_LE((a + n) / (a + 1), Sign_Picker_Max_Rows) << n;
    }
}

}  // namespace
