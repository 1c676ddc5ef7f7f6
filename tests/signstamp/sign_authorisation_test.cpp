// The authorisation run on the fixture drawing, in process: the dialog driven by the
// script, the code and window written into exactly the confirmed signer's signatures
// (model space and block definition, not the locked layer), other signers untouched, a
// 0-day confirmation withdrawing, and the result kept through a DXF save and reload.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "app/custom_classes.h"
#include "core_fixture.h"
#include "db/dbmain.h"
#include "db/dbsymtb.h"
#include "mfc/afxdll.h"
#include "mfc/afxwin.h"
#include "mfc/rc/resource_script.h"
#include "res/resource_script.h"
#include "script/script_input.h"
#include "sign_test_support.h"
#include "signstamp/kv_sign_class.h"
#include "signstamp/sign_authorisation.h"
#include "win/machine.h"
#include "win/win_msgbox.h"

using namespace sign_test;

namespace {

// Person number, layer and position of a signature, and what it holds.
struct Placed_State {
    int32_t code, start, end;
    bool authorised;
    bool operator==(const Placed_State&) const = default;
};
using Placed_Key = std::tuple<int32_t, std::wstring, double, double>;  // person, owner kind + layer, x, y

class Sign_Authorisation_Test : public Core_Test {
protected:
    void SetUp() override
    {
        Core_Test::SetUp();
        std::string error;
        ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error)) << error;
        Register_Custom_Classes();
        SYSTEMTIME time{};
        time.wYear = 2026;
        time.wMonth = 3;
        time.wDay = 30;
        time.wHour = 9;
        platform::Machine::instance().set_local_time(time);
        g_Sign_Library.Clear();
        g_Sign_Library.Signs.push_back(Make_Sign(1, L"Zhang San", 123456));
        g_Sign_Library.Signs.push_back(Make_Sign(2, L"Li Si", 654321));
        g_Sign_Library.Signs.push_back(Make_Sign(3, L"Wang Wu", 0));
        platform::MessageBoxLog.clear();
        const std::string path = std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/sign_authorise.dxf";
        ASSERT_EQ(zcDocManager->appContextOpenDocument(std::wstring(path.begin(), path.end()).c_str()), Zcad::eOk);
    }
    void TearDown() override
    {
        g_Sign_Library.Clear();
        platform::Machine::instance().clear_local_time();
        Core_Test::TearDown();
    }

    // Every signature of the database by where it is.
    static std::map<Placed_Key, Placed_State> Signatures(ZcDbDatabase* db)
    {
        std::map<Placed_Key, Placed_State> found;
        ZcDbBlockTable* table = nullptr;
        EXPECT_EQ(db->getBlockTable(table, ZcDb::kForRead), Zcad::eOk);
        ZcDbBlockTableIterator* it = nullptr;
        table->newIterator(it);
        for (; !it->done(); it->step()) {
            ZcDbBlockTableRecord* block = nullptr;
            if (it->getRecord(block, ZcDb::kForRead) != Zcad::eOk)
                continue;
            const std::wstring kind = block->isLayout() ? L"space " : L"block ";
            for (ZcDbObjectId id : block->entityIds()) {
                KV_Sign_Class* sign = nullptr;
                if (zcdbOpenObject(sign, id, ZcDb::kForRead) != Zcad::eOk)
                    continue;
                wchar_t* layer = sign->layer();
                const bool authorised = sign->Validate();
                found[{sign->Person_No(), kind + layer, sign->Points()[0].x, sign->Points()[0].y}] = {
                    sign->Code(), sign->Start_Date(), sign->End_Date(), authorised};
                delete[] layer;
                sign->close();
            }
            block->close();
        }
        delete it;
        table->close();
        return found;
    }
    static ZcDbDatabase* Working() { return zcdbHostApplicationServices()->workingDatabase(); }
    static void Script(const std::string& text) { platform::ScriptInput::instance().push_text(text); }
};

const Placed_Key Zhang_Model{1, L"space KV_Sign", -10, -10};
const Placed_Key Zhang_Block{1, L"block KV_Sign", -10, -10};
const Placed_Key Zhang_Locked{1, L"space LOCKED", 90, -10};
const Placed_Key Li_Model{2, L"space KV_Sign", 40, -10};
const Placed_Key Wang_Model{3, L"space KV_Sign", 140, -10};
const Placed_Key Nobody_Model{99, L"space KV_Sign", 190, -10};

TEST_F(Sign_Authorisation_Test, Collects_Every_Signer_Once_With_His_Fewest_Days)
{
    ZcDbObjectIdArray ids;
    ZcArray<int32_t> persons, days;
    ZcArray<CString> names;
    ASSERT_TRUE(Collect_Drawing_Signatures(ids, persons, names, days));
    EXPECT_EQ(ids.length(), 6);
    ASSERT_EQ(persons.length(), 4);
    const int li = persons.find(2);
    ASSERT_GE(li, 0);
    EXPECT_EQ(names[li], CString(L"Li Si"));
    EXPECT_EQ(days[li], 26940);  // 2026-03-30 .. 2099-12-31
    EXPECT_EQ(days[persons.find(1)], 0);
    EXPECT_TRUE(Has_Unauthorized_Signature());
}

TEST_F(Sign_Authorisation_Test, Confirmed_Signer_Gets_Code_And_Window_Except_On_The_Locked_Layer)
{
    const auto before = Signatures(Working());
    ASSERT_EQ(before.size(), 6u);
    // Rows: Li Si, Zhang San (coded, by name), Wang Wu, Nobody. A wrong code first.
    Script("@817 cell 1081 1 3\n@701 text 1082 \"111\"\n@701 text 1083 \"10\"\n@701 click 1\nmsgbox OK\n"
           "@701 text 1082 \"123456\"\n@701 click 1\n@817 click 2\nmsgbox OK\n");
    Run_Sign_Authorisation();
    EXPECT_EQ(platform::ScriptInput::instance().size(), 0u);
    ASSERT_EQ(platform::MessageBoxLog.size(), 2u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"输入的授权码有误!");
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"签名授权");
    EXPECT_EQ(platform::MessageBoxLog[1].text, L"有签名在锁定层上，可能会造成授权失败 !");
    EXPECT_EQ(platform::MessageBoxLog[1].caption, L"Korvel签名授权");

    auto expected = before;
    expected[Zhang_Model] = {123456, 20260330, 20260408, true};
    expected[Zhang_Block] = {123456, 20260330, 20260408, true};
    const auto after = Signatures(Working());
    EXPECT_TRUE(after == expected);
    EXPECT_EQ(after.at(Zhang_Locked), before.at(Zhang_Locked));
    EXPECT_EQ(after.at(Li_Model), (Placed_State{654321, 20200101, 20991231, true}));
    EXPECT_TRUE(after.at(Wang_Model).authorised);
    EXPECT_FALSE(after.at(Nobody_Model).authorised);

    // Through a drawing file and back, the signatures validate the same way.
    const CString saved = Doc_Path(L"authorised.dxf");
    ASSERT_EQ(Working()->saveAs(saved), Zcad::eOk);
    ZcDbDatabase reloaded(false, true);
    ASSERT_EQ(reloaded.readDwgFile(saved), Zcad::eOk);
    EXPECT_TRUE(Signatures(&reloaded) == after);
}

TEST_F(Sign_Authorisation_Test, Zero_Days_Withdraws_And_Leaves_Other_Signers_As_They_Were)
{
    // First authorise Zhang San for 5 days, then withdraw Li Si's authorisation.
    Script("@817 cell 1081 1 3\n@701 text 1082 \"123456\"\n@701 text 1083 \"5\"\n@701 click 1\n@817 click 2\nmsgbox OK\n");
    Run_Sign_Authorisation();
    const auto first = Signatures(Working());
    ASSERT_EQ(first.at(Zhang_Model), (Placed_State{123456, 20260330, 20260403, true}));

    Script("@817 cell 1081 0 3\n@701 text 1082 \"654321\"\n@701 text 1083 \"0\"\n@701 click 1\n@817 click 2\nmsgbox OK\n");
    Run_Sign_Authorisation();
    auto expected = first;
    expected[Li_Model] = {0, 0, 0, false};
    EXPECT_TRUE(Signatures(Working()) == expected);
}

TEST_F(Sign_Authorisation_Test, Closing_Without_A_Confirmation_Changes_Nothing)
{
    const auto before = Signatures(Working());
    const int32_t generation = g_Sign_Lib_Generation;
    Script("@817 cell 1081 1 3\n@701 click 2\n@817 click 2\n");
    Run_Sign_Authorisation();
    EXPECT_EQ(platform::ScriptInput::instance().size(), 0u);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
    EXPECT_TRUE(Signatures(Working()) == before);
    EXPECT_EQ(g_Sign_Lib_Generation, generation);
}

TEST_F(Sign_Authorisation_Test, Drawing_Without_Signatures_Says_So)
{
    ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
    Script("msgbox OK\n");
    Run_Sign_Authorisation();
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"无签名需要授权 !");
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel签名授权");
    EXPECT_FALSE(Has_Unauthorized_Signature());
}

}  // namespace
