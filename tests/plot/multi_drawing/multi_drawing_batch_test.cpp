// The driver of the multi-drawing batch: it brings back the drawings of the last list that
// still exist, and OK stores the list, the drawing's options and the settings file; Cancel
// stores nothing.
#include <string>

#include "core/doc_lock.h"
#include "dialogs/multi_drawing/multi_drawing_batch.h"
#include "plot/multi_drawing/multi_dwg_list.h"
#include "plot_option_combos_fixture.h"
#include "win/host_path_text.h"

namespace {

class Multi_Drawing_Batch_Test : public Plot_Dialog_Test {
public:
    void SetUp() override
    {
        Plot_Dialog_Test::SetUp();
        std::filesystem::create_directories(Host(L"C:\\Multi"));
        for (const wchar_t* name : {L"old_plot.dxf", L"multi_layouts.dxf"})
            std::filesystem::copy_file(std::filesystem::path(KORVEL_SOURCE_DIR "/tests/fixtures/dxf") / platform::Host_Path_From_Text(name),
                                       Host(CString(L"C:\\Multi\\") + name));
        // The last list: two drawings that exist and one that is gone.
        const std::string record_tail = "\n0\n100\n2\n0\n0\n0\n0\n0\n0\n0\n1\n0\n0\n594\n";
        Write_File(Multi_Dwg_List_Path(), "20261210\n3\n3\n20261210\nC:\\Multi\\old_plot.dxf" + record_tail +
                                              "20261210\nC:\\Multi\\gone.dxf" + record_tail +
                                              "20261210\nC:\\Multi\\multi_layouts.dxf" + record_tail);
    }
    void TearDown() override
    {
        Clear_Multi_Dwg_Lists();
        std::error_code ignored;
        std::filesystem::remove_all(Host(L"C:\\Multi"), ignored);
        Plot_Dialog_Test::TearDown();
    }
    static Plot_Option Stored()
    {
        Plot_Option options;
        Doc_Lock lock;
        options.Read_Dwg_Setting();
        return options;
    }
};

TEST_F(Multi_Drawing_Batch_Test, Ok_Stores_The_List_The_Options_And_The_Settings)
{
    Script("rows 1164\nclick 899\nwait pumps 20\nchoose 862 3\nclick 1\n");
    Multi_Drawing_Batch();
    EXPECT_TRUE(Script_Used());
    const std::string out = platform::To_Utf8(Printed());
    EXPECT_NE(out.find("rows 1164:  1 | old_plot.dxf | DEL | 模型 + 布局"), std::string::npos) << out;
    EXPECT_NE(out.find("rows 1164:  2 | multi_layouts.dxf"), std::string::npos) << out;
    EXPECT_EQ(out.find("gone.dxf"), std::string::npos) << out;

    EXPECT_EQ(Stored().Output_Type, 3);
    EXPECT_TRUE(Exists(Plot_Config::File_Path()));
    // Current list first, then the remembered drawing that is gone.
    const std::string list = File_Bytes(Multi_Dwg_List_Path());
    EXPECT_EQ(list.substr(list.find('\n') + 1, 6), "2\r\n3\r\n");
    EXPECT_LT(list.find("old_plot.dxf"), list.find("multi_layouts.dxf"));
    EXPECT_LT(list.find("multi_layouts.dxf"), list.find("gone.dxf"));
    EXPECT_EQ(g_Multi_Dwg_List.Current.GetSize(), 0);
}

TEST_F(Multi_Drawing_Batch_Test, Ok_Names_The_List_And_The_Settings_That_Cannot_Be_Written)
{
    const std::string list = File_Bytes(Multi_Dwg_List_Path());
    platform::Machine::instance().deny_writes(platform::Text_From_Host_Path(Host(g_Config_Folder)));
    Script("click 899\nwait pumps 20\nclick 1\nmsgbox OK\nmsgbox OK\n");
    Multi_Drawing_Batch();
    platform::Machine::instance().allow_writes(platform::Text_From_Host_Path(Host(g_Config_Folder)));
    EXPECT_TRUE(Script_Used());
    ASSERT_EQ(platform::MessageBoxLog.size(), 2u);
    EXPECT_NE(platform::MessageBoxLog[0].text.find(Multi_Dwg_List_Path().GetString()), std::wstring::npos);
    EXPECT_NE(platform::MessageBoxLog[1].text.find(Plot_Config::File_Path().GetString()), std::wstring::npos);
    EXPECT_EQ(File_Bytes(Multi_Dwg_List_Path()), list);
    EXPECT_FALSE(Exists(Plot_Config::File_Path()));
}

TEST_F(Multi_Drawing_Batch_Test, Cancel_Stores_Nothing)
{
    const std::string before = File_Bytes(Multi_Dwg_List_Path());
    Script("choose 862 3\nclick 2\n");
    Multi_Drawing_Batch();
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(File_Bytes(Multi_Dwg_List_Path()), before);
    EXPECT_NE(Stored().Output_Type, 3);
    EXPECT_FALSE(Exists(Plot_Config::File_Path()));
}

}  // namespace
