// The multi-drawing dialog driven by script steps: OK waits for the count, the count fills
// the sheet column, header clicks sort, cell clicks toggle and delete, and OK hands the
// batch's output choices to the options.
#include <string>

#include "dialogs/multi_drawing/dlg_multi_files.h"
#include "plot/multi_drawing/multi_dwg_list.h"
#include "plot_option_combos_fixture.h"
#include "res/resource.h"
#include "ui/sheet_list_ctrl.h"
#include "win/host_path_text.h"
#include "win/win_shell.h"

namespace {

class Dlg_Multi_Files_Test : public Plot_Dialog_Test {
public:
    void SetUp() override
    {
        Plot_Dialog_Test::SetUp();
        std::filesystem::create_directories(Host(L"C:\\Multi"));
        CStringArray paths;
        for (const wchar_t* name : {L"old_plot.dxf", L"scaled_frames.dxf", L"multi_layouts.dxf"}) {
            std::filesystem::copy_file(std::filesystem::path(KORVEL_SOURCE_DIR "/tests/fixtures/dxf") / platform::Host_Path_From_Text(name),
                                       Host(CString(L"C:\\Multi\\") + name));
            paths.Add(CString(L"C:\\Multi\\") + name);
        }
        Options.Print_Sign = 0;
        g_Cur_Plot_Option = &Options;
        Add_Dwg_Files(paths);
    }
    void TearDown() override
    {
        Clear_Multi_Dwg_Lists();
        std::error_code ignored;
        std::filesystem::remove_all(Host(L"C:\\Multi"), ignored);
        Plot_Dialog_Test::TearDown();
    }
    // The rows printed by the "rows" steps, one string per row: file name, signature and count cells.
    static std::vector<std::string> Printed_Rows()
    {
        std::vector<std::string> rows;
        const std::string out = platform::To_Utf8(Printed());
        size_t at = 0;
        while ((at = out.find("rows 1164: ", at)) != std::string::npos) {
            at += 11;
            std::vector<std::string> cells;
            const size_t end = out.find('\n', at);
            std::string line = out.substr(at, end - at);
            size_t start = 0;
            for (size_t bar; (bar = line.find(" | ", start)) != std::string::npos; start = bar + 3)
                cells.push_back(line.substr(start, bar - start));
            cells.push_back(line.substr(start));
            rows.push_back(cells.size() == 10 ? cells[1] + " " + cells[7] + " " + cells[9] : line);
        }
        return rows;
    }
    Plot_Option Options;
};

TEST_F(Dlg_Multi_Files_Test, Ok_Waits_For_The_Count_Then_The_Rows_Are_Sorted_Toggled_And_Deleted)
{
    Options.Output_Type = 3;
    Dlg_MultiFiles dialog;
    // The count pumps messages: the steps after it wait.
    Script("click 1\nmsgbox OK\nrows 1164\nclick 899\nwait pumps 20\nrows 1164\nheader 1164 1\nrows 1164\n"
           "cell 1164 0 7\ncell 1164 2 2\nrows 1164\nchoose 862 5\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"请先进行 < 图纸数量计算 > !");
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel多文件打印");

    const std::vector<std::string> rows = Printed_Rows();
    ASSERT_EQ(rows.size(), 11u);
    // Before the count, after it, sorted by name, then toggled and with the third row deleted.
    const std::vector<std::string> expected = {
        "old_plot.dxf N ---",      "scaled_frames.dxf N ---", "multi_layouts.dxf N ---",
        "old_plot.dxf N 6",        "scaled_frames.dxf N 4",   "multi_layouts.dxf N 2",
        "multi_layouts.dxf N 2",   "old_plot.dxf N 6",        "scaled_frames.dxf N 4",
        "multi_layouts.dxf Y 2",   "old_plot.dxf N 6",
    };
    EXPECT_EQ(rows, expected);
    ASSERT_EQ(g_Multi_Dwg_List.Current.GetSize(), 2);
    EXPECT_EQ(g_Multi_Dwg_List.Current[0]->Print_Sign, 1);
    EXPECT_EQ(Options.Print_Sign, 1);
    EXPECT_EQ(Options.Output_Type, 5);
}

TEST_F(Dlg_Multi_Files_Test, A_File_That_Cannot_Be_Counted_Leaves_The_List)
{
    std::filesystem::remove(Host(L"C:\\Multi\\scaled_frames.dxf"));
    Dlg_MultiFiles dialog;
    Script("click 899\nwait pumps 20\nrows 1164\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    const std::vector<std::string> rows = Printed_Rows();
    EXPECT_EQ(rows, (std::vector<std::string>{"old_plot.dxf N 6", "multi_layouts.dxf N 2"}));
}

TEST_F(Dlg_Multi_Files_Test, The_Delete_Header_Removes_Every_Drawing_And_Ok_Then_Closes)
{
    Dlg_MultiFiles dialog;
    Script("header 1164 2\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(g_Multi_Dwg_List.Current.GetSize(), 0);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Dlg_Multi_Files_Test, Rows_Deleted_While_The_Count_Pumps_Messages_Are_Not_Counted)
{
    Dlg_MultiFiles dialog;
    // The header click is served by the count's first pump.
    Script("click 899\nheader 1164 2\nrows 1164\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(g_Multi_Dwg_List.Current.GetSize(), 0);
    EXPECT_TRUE(Printed_Rows().empty());
}

TEST_F(Dlg_Multi_Files_Test, Dropped_Files_And_Folders_And_A_Chosen_Folder_Add_Their_Drawings)
{
    for (const wchar_t* path : {L"C:\\Multi\\dropped\\a.dxf", L"C:\\Multi\\dropped\\notes.txt",
                                L"C:\\Multi\\dropped\\deeper\\b.DXF", L"C:\\Multi\\chosen\\c.dxf"})
        Write_File(path, "");
    struct Open_Multi : Dlg_MultiFiles {
        bool Open() { return Create(IDD_DLG_MULTIFILES, nullptr) && ShowWindow(SW_SHOW) >= 0; }
    } dialog;
    ASSERT_TRUE(dialog.Open());
    HDROP drop = platform::Make_Drop({L"C:\\Multi\\old_plot.dxf", L"C:\\Multi\\dropped"});
    dialog.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    HDROP on_list = platform::Make_Drop({L"C:\\Multi\\dropped\\a.dxf"});
    dialog.SendMessage(WM_SHEET_LIST_DROP_FILES, 0, reinterpret_cast<LPARAM>(on_list));
    DragFinish(on_list);
    Script("file \"" + Host(L"C:\\Multi\\chosen").string() + "\"\n");
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MF_ADD_FOLDER, BN_CLICKED), 0);
    EXPECT_TRUE(Script_Used());
    std::vector<std::wstring> names;
    for (INT_PTR i = 0; i < g_Multi_Dwg_List.Current.GetSize(); ++i)
        names.push_back(g_Multi_Dwg_List.Current[i]->File_Name.GetString());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"old_plot.dxf", L"scaled_frames.dxf", L"multi_layouts.dxf", L"a.dxf",
                                                L"b.DXF", L"c.dxf"}));
    auto* list = static_cast<CListCtrl*>(dialog.GetDlgItem(IDC_MF_LIST));
    EXPECT_EQ(list->GetItemCount(), 6);
    dialog.DestroyWindow();
}

TEST(Multi_Drawing_Texts, Paper_Range_And_Filter_Cells)
{
    EXPECT_EQ(Multi_Paper_Text(0, 594), CString(L"A1或A1加长"));
    EXPECT_EQ(Multi_Paper_Text(0, 210), CString(L"A4或A4加长"));
    EXPECT_EQ(Multi_Range_Text(2), CString(L"模型 + 布局"));
    EXPECT_EQ(Multi_Filter_Text(0.0005), CString(L"0"));
    EXPECT_EQ(Multi_Filter_Text(30.0), CString(L"30.0%"));
}

}  // namespace
