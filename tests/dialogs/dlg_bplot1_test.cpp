// The batch plot to files window opened on the sheets detected in the fixture drawing with
// frames: its rows, renaming, deleting, papers, scales and the size remarks.
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include <unistd.h>

#include "app/custom_classes.h"
#include "sheets/doc_reactors.h"
#include "core/hidden_layers.h"
#include "core/ucs_transform.h"
#include "db/dbsymtb.h"
#include "core/plot_config.h"
#include "dialogs/result_windows.h"
#include "db/dbents.h"
#include "dialogs/bplot1_cell_texts.h"
#include "dialogs/dlg_bplot1.h"
#include "ed/docman.h"
#include "plot_option_combos_fixture.h"
#include "res/resource.h"
#include "sheets/frame_detection.h"
#include "sheets/marker_entities.h"
#include "sheets/paper_scale.h"
#include "sheets/paper_table.h"
#include "signstamp/kv_sign_class.h"
#include "signstamp/sign_library.h"
#include "mfc/atlimage.h"
#include "plot/batch_plot_driver.h"
#include "plot/host_programs.h"
#include "plot/preview_log.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"
#include "core/program_folders.h"
#include "ui/progress_window.h"
#include "win/machine.h"
#include "windows_detection_feedback.h"

namespace {

class BPlot1_Test : public Plot_Dialog_Test {
protected:
    void SetUp() override
    {
        Plot_Dialog_Test::SetUp();
        Add_Style_Tables({L"acad.ctb", L"monochrome.ctb"});
        Temp_PlotRec::rxInit();
        Temp_PlotRec2::rxInit();
        g_Ucs.Reset();
        const std::string path = std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/frames.dxf";
        ASSERT_EQ(zcDocManager->appContextOpenDocument(std::wstring(path.begin(), path.end()).c_str()), Zcad::eOk);
        g_Hidden_Layers.Collect_Hidden_Layers();
    }
    void TearDown() override
    {
        Close();
        Progress_Close();
        g_Hidden_Layers.Frozen_Layers.removeAll();
        g_Hidden_Layers.Off_Layers.removeAll();
        Plot_Dialog_Test::TearDown();
    }

    // Detection over the model space, then the window opened as the command opens it.
    void Open(const Plot_Option& options = Plot_Option())
    {
        window = new Dlg_BPlot1();
        g_Dlg_BPlot1 = window;
        window->Options = options;
        Script("enter\npick 0\n");
        ASSERT_TRUE(Find_Plot_Frames(window->Sheet_Set, In_Windows));
        g_Cur_Plot_Option = &window->Options;
        window->Sheet_Set.Filter_By_Area();
        Vote_Default_Scale(window->Sheet_Set, false);
        ASSERT_TRUE(window->Create(IDD_DLG_BPLOT1, nullptr));
        window->Fill_On_Open();
        window->ShowWindow(SW_SHOW);
    }
    void Close()
    {
        g_Dlg_BPlot1 = nullptr;
        if (window != nullptr) {
            window->DestroyWindow();
            delete window;
            window = nullptr;
        }
    }
    CString Cell(int row, int column) { return window->List.GetItemText(row, column); }
    bool Marked(int row, int column)
    {
        for (int i = 0; i < window->List.Mark_Rows.length(); ++i)
            if (window->List.Mark_Rows[i] == row && window->List.Mark_Columns[i] == column) return true;
        return false;
    }
    // Drives the window with dialog steps through the host's message loop.
    void Drive(const std::string& steps)
    {
        Script(steps);
        while (!Script_Used() && platform::Serve_Script_At_Pump()) platform::Run_Host_Messages();
        platform::Run_Host_Messages();
    }
    // Marker numbers in the model space, sorted.
    static std::multiset<int> Marker_Numbers()
    {
        std::multiset<int> numbers;
        ZcDbObjectPointer<ZcDbBlockTableRecord> space(
            zcdbHostApplicationServices()->workingDatabase()->modelSpaceId(), ZcDb::kForRead);
        for (const ZcDbObjectId& id : space->entityIds()) {
            ZcDbObjectPointer<Temp_PlotRec> marker(id, ZcDb::kForRead);
            if (marker.openStatus() == Zcad::eOk) numbers.insert(marker->Get_Number());
        }
        return numbers;
    }

    // Each row's paper name, plot scale and paper cell.
    struct Row_Paper {
        CString name;
        double scale;
        CString cell;
        bool operator==(const Row_Paper&) const = default;
        friend std::ostream& operator<<(std::ostream& out, const Row_Paper& paper)
        {
            return out << platform::To_Utf8(paper.name.GetString()) << " 1:" << paper.scale << " "
                       << platform::To_Utf8(paper.cell.GetString());
        }
    };
    std::vector<Row_Paper> Row_Papers()
    {
        std::vector<Row_Paper> papers;
        for (int row = 0; row < window->List.GetItemCount(); ++row) {
            const Plot_Drawing1* sheet = window->Sheet_Set.Plot_List[row];
            papers.push_back({sheet->Paper_Name, sheet->Plot_Scale, Cell(row, 4)});
        }
        return papers;
    }
    // Hand-chosen papers: A0 for the first row, the paper of scale 1:1 for the second.
    void Choose_Papers_By_Hand()
    {
        Drive("cell 1164 0 4\npick 4\ncell 1164 1 5\ntext 878 \"1\"\nclick 1\n");
        ASSERT_TRUE(Script_Used());
        ASSERT_EQ(window->Sheet_Set.Plot_List[0]->Paper_Name, CString(L"KV_A0"));
    }
    // The paper names the description file of the output type declares.
    static std::set<std::string> Device_Papers(int output_type)
    {
        std::set<std::string> names;
        std::istringstream in(File_Bytes(g_Printer_Desc_Folder + L"\\" + Get_Pmp_File_Name(output_type)));
        const std::regex entry(R"(^paper_local_name\d+=([^\r]*))");
        for (std::string line; std::getline(in, line);) {
            std::smatch match;
            if (std::regex_search(line, match, entry)) names.insert(match[1]);
        }
        return names;
    }
    // Every sheet's paper is among them.
    ::testing::AssertionResult Device_Has_Sheet_Papers(int output_type)
    {
        const std::set<std::string> names = Device_Papers(output_type);
        for (int i = 0; i < window->Sheet_Set.Plot_List.GetSize(); ++i) {
            const std::string name = platform::To_Utf8(window->Sheet_Set.Plot_List[i]->Paper_Name.GetString());
            if (names.count(name) == 0) return ::testing::AssertionFailure() << name << " is not a device paper";
        }
        return ::testing::AssertionSuccess();
    }

    Dlg_BPlot1* window = nullptr;
};

TEST(BPlot1_Cell_Texts, Size_Texts_Scales_And_Remarks)
{
    EXPECT_EQ(Drawing_Size_Text(420.4, 296.6), CString(L"420x297"));
    EXPECT_EQ(Drawing_Size_Text(4.2, 2.97), CString(L"4.2x3.0"));
    EXPECT_EQ(Drawing_Size_Text(0.42, 0.297), CString(L"0.42x0.30"));
    EXPECT_EQ(Drawing_Size_Text(0.042, 0.0297), CString(L"0.042x0.030"));
    EXPECT_EQ(Drawing_Size_Text(0.0042, 0.00297), CString(L"0.0042x0.0030"));

    Plot_Drawing1 sheet;
    sheet.Width = 840;
    sheet.Height = 297;
    const MyPaper a3(420, 297);
    EXPECT_DOUBLE_EQ(Scale_From_Paper(a3, sheet), 2.0);
    sheet.Portrait = true;
    sheet.Width = 297;
    sheet.Height = 840;
    EXPECT_DOUBLE_EQ(Scale_From_Paper(a3, sheet), 2.0);

    struct Case {
        int long_side, short_side, output;
        const wchar_t* remark;
    };
    const Case cases[] = {
        {40, 30, 0, L"提示：纸张尺寸过小"}, {40, 30, 1, L"提示：纸张尺寸过小"}, {40, 30, 6, L""},
        {6000, 841, 0, L"提示：纸张尺寸过大"}, {6000, 841, 3, L"提示：纸张尺寸过大"}, {6000, 841, 1, L""},
        {6000, 841, 6, L""}, {420, 297, 0, L""}, {5080, 50, 0, L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Paper_Range_Remark(MyPaper(c.long_side, c.short_side), c.output), CString(c.remark))
            << c.long_side << "x" << c.short_side << " output " << c.output;
}

TEST_F(BPlot1_Test, Opens_With_A_Numbered_Row_Per_Listed_Sheet)
{
    Open();
    const int rows = window->List.GetItemCount();
    ASSERT_EQ(rows, window->Sheet_Set.Plot_List.GetSize());
    ASSERT_GE(rows, 3);
    CString caption;
    window->GetWindowText(caption);
    EXPECT_EQ(caption, CString(L"批打印至文件"));
    EXPECT_TRUE(window->GetDlgItem(IDOK)->IsWindowEnabled());
    std::multiset<int> expected_numbers;
    for (int row = 0; row < rows; ++row) {
        CString number;
        number.Format(L"%4d", row + 1);
        EXPECT_EQ(Cell(row, 0), number);
        EXPECT_EQ(Cell(row, 1), CString(L"EYE"));
        EXPECT_EQ(Cell(row, 3), CString(L"DEL"));
        const Plot_Drawing1* sheet = window->Sheet_Set.Plot_List[row];
        // "???" is the drawing's title, then the two-digit number.
        CString name;
        name.Format(L"frames%02d", row + 1);
        EXPECT_EQ(Cell(row, 2), name);
        EXPECT_EQ(sheet->Output_Name, name);
        EXPECT_FALSE(Cell(row, 4).IsEmpty());
        EXPECT_EQ(Cell(row, 5), Format_Scale_Text(sheet->Plot_Scale));
        EXPECT_EQ(Cell(row, 6), Drawing_Size_Text(sheet->Width, sheet->Height));
        expected_numbers.insert(row + 1);
    }
    EXPECT_EQ(Marker_Numbers(), expected_numbers);
    EXPECT_TRUE(window->List.GetColumnWidth(2) > 1) << "columns are fitted";
}

// The drawing's record names the start number of the rows; one beyond what the naming
// dialog takes would overflow the numbers of the rows after it and numbers from 1.
TEST_F(BPlot1_Test, A_Start_Number_Of_The_Drawing_Beyond_The_Naming_Dialog_Numbers_From_One)
{
    const struct {
        int stored, first;
    } cases[] = {{2147483647, 1}, {-2147483647 - 1, 1}, {Max_Start_No, Max_Start_No}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Plot_Option stored;
        stored.Prefix = L"图纸-";
        stored.Start_No = c.stored;
        stored.Write_Dwg_Setting();
        Plot_Option options;
        options.Read_Dwg_Setting();
        Open(options);
        for (int row = 0; row < window->List.GetItemCount(); ++row) {
            CString name;
            name.Format(L"图纸-%02d", c.first + row);
            EXPECT_EQ(Cell(row, 2), name);
        }
        Close();
    }
}

TEST_F(BPlot1_Test, Del_Cell_Deletes_The_Row_Its_Sheet_And_Marker_And_Renumbers)
{
    Open();
    const int rows = window->List.GetItemCount();
    const Plot_Drawing1* second = window->Sheet_Set.Plot_List[1];
    const INT_PTR all = window->Sheet_Set.All_Sheets.GetSize();
    Drive("cell 1164 0 3\n");
    ASSERT_EQ(window->List.GetItemCount(), rows - 1);
    EXPECT_EQ(window->Sheet_Set.All_Sheets.GetSize(), all - 1);
    EXPECT_EQ(window->Sheet_Set.Plot_List[0], second);
    EXPECT_EQ(Cell(0, 0), CString(L"   1"));
    EXPECT_EQ(Cell(0, 2), CString(L"frames01"));
    std::multiset<int> expected;
    for (int n = 1; n < rows; ++n) expected.insert(n);
    EXPECT_EQ(Marker_Numbers(), expected);
}

TEST_F(BPlot1_Test, Del_On_A_Selected_Row_Deletes_Every_Selected_Row_Else_Only_The_Clicked_One)
{
    Open();
    const int rows = window->List.GetItemCount();
    ASSERT_GE(rows, 4);
    window->List.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    window->List.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    Drive("cell 1164 2 3\n");
    EXPECT_EQ(window->List.GetItemCount(), rows - 2);
    EXPECT_EQ(static_cast<int>(Marker_Numbers().size()), rows - 2);
    Drive("cell 1164 0 3\n");
    EXPECT_EQ(window->List.GetItemCount(), rows - 3);
}

TEST_F(BPlot1_Test, Deleting_To_One_Row_Drops_The_Number_And_To_None_Disables_Print)
{
    Open();
    while (window->List.GetItemCount() > 1) window->Delete_Sheets(0, true, ZcArray<int>());
    EXPECT_EQ(Cell(0, 2), CString(L"frames"));
    EXPECT_TRUE(window->GetDlgItem(IDOK)->IsWindowEnabled());
    window->Delete_Sheets(0, true, ZcArray<int>());
    EXPECT_EQ(window->List.GetItemCount(), 0);
    EXPECT_FALSE(window->GetDlgItem(IDOK)->IsWindowEnabled());
    EXPECT_TRUE(Marker_Numbers().empty());
    // Rows outside the list are ignored.
    window->Delete_Sheets(3, true, ZcArray<int>());
    window->Delete_Sheets(-1, false, ZcArray<int>());
}

TEST_F(BPlot1_Test, Erased_Marker_Removes_Only_Its_Row_And_Leaves_Other_Markers)
{
    Open();
    const int rows = window->List.GetItemCount();
    // The user erased the marker; the erase notification then removes the row.
    const Plot_Drawing1* erased = window->Sheet_Set.Plot_List[1];
    {
        ZcDbObjectPointer<Temp_PlotRec> marker(erased->Marker_Id, ZcDb::kForWrite);
        ASSERT_EQ(marker.openStatus(), Zcad::eOk);
        marker->erase();
    }
    window->Delete_Sheets(1, false, ZcArray<int>());
    EXPECT_EQ(window->List.GetItemCount(), rows - 1);
    std::multiset<int> expected;
    for (int n = 1; n < rows; ++n) expected.insert(n);
    EXPECT_EQ(Marker_Numbers(), expected) << "the other markers stay, renumbered";
}

TEST_F(BPlot1_Test, Names_Equal_But_For_Case_Are_Both_Red_Until_One_Is_Renamed)
{
    Open();
    Drive("cell 1164 1 2\ntext 202 \"FRAMES01\"\nclick 1\n");
    EXPECT_EQ(Cell(1, 2), CString(L"FRAMES01"));
    EXPECT_EQ(window->Sheet_Set.Plot_List[1]->Output_Name, CString(L"FRAMES01"));
    EXPECT_TRUE(Marked(0, 2));
    EXPECT_TRUE(Marked(1, 2));
    Drive("cell 1164 1 2\ntext 202 \"a<b>:c\"\nclick 1\n");
    EXPECT_EQ(Cell(1, 2), CString(L"abc"));
    EXPECT_FALSE(Marked(0, 2));
    EXPECT_FALSE(Marked(1, 2));
    // Cancel changes nothing.
    Drive("cell 1164 1 2\ntext 202 \"other\"\nclick 2\n");
    EXPECT_EQ(Cell(1, 2), CString(L"abc"));
}

TEST_F(BPlot1_Test, Paper_Placeholders_In_The_Prefix_Take_The_Sheet_Paper)
{
    Plot_Option options;
    options.Prefix = L"纸张尺寸-";
    Open(options);
    Plot_Drawing1* sheet = window->Sheet_Set.Plot_List[0];
    const MyPaper* paper = Find_Paper_By_Name(window->Sheet_Set.Paper_List, sheet->Paper_Name);
    ASSERT_NE(paper, nullptr);
    CString long_form = paper->Get_Display_Name(true, sheet->Portrait);
    long_form.Remove(L' ');
    EXPECT_EQ(Cell(0, 2), long_form + L"-01");
    window->Options.Prefix = L"纸张";
    window->Apply_Naming_Rule();
    EXPECT_EQ(Cell(0, 2), paper->Get_Display_Name(false, sheet->Portrait) + L"01");
}

TEST_F(BPlot1_Test, Small_Paper_Is_Remarked_And_Marked_Except_For_Dwg)
{
    Open();
    Plot_Drawing1* sheet = window->Sheet_Set.Plot_List[0];
    bool added = false;
    MyPaper* small = Add_Paper_Unique(window->Sheet_Set.Paper_List, 40, 30, added);
    window->Apply_Paper_To_Row(small, sheet, 0);
    EXPECT_EQ(Cell(0, 7), CString(L"提示：纸张尺寸过小"));
    EXPECT_TRUE(Marked(0, 7));
    EXPECT_TRUE(Marked(0, 4));
    EXPECT_EQ(sheet->Paper_Name, small->Get_Name());
    window->Options.Output_Type = 6;
    window->Apply_Paper_To_Row(small, sheet, 0);
    EXPECT_EQ(Cell(0, 7), CString(L""));
    EXPECT_FALSE(Marked(0, 7));
    EXPECT_FALSE(Marked(0, 4));
}

TEST_F(BPlot1_Test, Progress_Swaps_The_Buttons_For_The_Bar_And_Stop)
{
    Open();
    window->Plot_Progress_Begin(0, 5);
    EXPECT_FALSE(window->GetDlgItem(IDOK)->IsWindowVisible());
    EXPECT_TRUE(window->GetDlgItem(IDC_BP1_PROGRESS)->IsWindowVisible());
    EXPECT_TRUE(window->GetDlgItem(IDC_BP1_INTERRUPT)->IsWindowVisible());
    Drive("click 934\n");
    EXPECT_EQ(window->Stop_Flag, 1);
    window->Plot_Progress_End();
    EXPECT_TRUE(window->GetDlgItem(IDOK)->IsWindowVisible());
    EXPECT_FALSE(window->GetDlgItem(IDC_BP1_INTERRUPT)->IsWindowVisible());
}

// Nothing dispatched while the driver runs may change the sheets under it or close the window.
TEST_F(BPlot1_Test, While_Plotting_Only_Stop_Works_And_Closing_Is_Refused)
{
    Open();
    window->GetDlgItem(IDC_BP1_DWG_BLOCK)->EnableWindow(FALSE);
    const size_t markers = Marker_Numbers().size();
    window->Plot_Progress_Begin(0, 5);
    for (int id : {IDC_BP1_LIST, IDC_BP1_FORMAT_COMBO, IDC_BP1_STYLE_COMBO, IDC_BP1_MERGE_PDF, IDC_BP1_SIGN_CHECK,
                   IDC_BP1_MARGIN_COMBO, IDC_BP1_FOLDER_MODE_COMBO, IDOK, IDCANCEL}) {
        EXPECT_FALSE(window->GetDlgItem(id)->IsWindowEnabled()) << id;
    }
    EXPECT_TRUE(window->GetDlgItem(IDC_BP1_INTERRUPT)->IsWindowEnabled());
    window->SendMessage(WM_CLOSE);
    Drive("key ESCAPE\n");
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_EQ(Marker_Numbers().size(), markers);

    window->Plot_Progress_End();
    EXPECT_TRUE(window->GetDlgItem(IDC_BP1_LIST)->IsWindowEnabled());
    EXPECT_TRUE(window->GetDlgItem(IDOK)->IsWindowEnabled());
    EXPECT_FALSE(window->GetDlgItem(IDC_BP1_DWG_BLOCK)->IsWindowEnabled()) << "what was disabled before stays so";
}

// Print refuses output names that would overwrite or lack a file, before anything runs;
// a merged PDF run numbers its files and takes any names.
TEST_F(BPlot1_Test, Print_Refuses_Empty_And_Case_Equal_Names_Unless_Merging)
{
    struct Case {
        const wchar_t* names[3];
        bool merge;
        const wchar_t* message;
    };
    const Case cases[] = {
        {{L"a", L"b", L""}, false, L"第 3 个文件的文件名为空，退出 !"},
        {{L"a", L"Sheet", L"SHEET"}, false, L"第 2 个文件与第 3 个文件的文件名相同，退出 !"},
        {{L"x", L"", L"X"}, false, L"第 2 个文件的文件名为空，退出 !"},
        {{L"a", L"a", L""}, true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.message ? c.message : L"merge")));
        Open();
        for (int i = 0; i < 3; ++i) window->Sheet_Set.Plot_List[i]->Output_Name = c.names[i];
        const size_t markers = Marker_Numbers().size();
        platform::MessageBoxLog.clear();
        if (c.message != nullptr) {
            Drive(std::string("check 903 0\nclick 1\nmsgbox OK\n"));
            ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
            EXPECT_EQ(platform::MessageBoxLog[0].text, c.message);
            EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel打印");
            EXPECT_EQ(window->Plot_Launched, 0);
            EXPECT_EQ(Marker_Numbers().size(), markers);
        } else {
            const std::string merged = (std::filesystem::temp_directory_path() / ("bplot1-merged-" + std::to_string(getpid()) + ".pdf")).string();
            Drive("check 903 1\nclick 1\nmsgbox YES\nfile \"" + merged + "\"\n");
            EXPECT_EQ(platform::MessageBoxLog.size(), 1u) << "only the question about the small paper";
            EXPECT_EQ(window->Plot_Launched, 1);
        }
        g_Dlg_BPlot1 = nullptr;
        window->DestroyWindow();
        delete window;
        window = nullptr;
    }
}

// The device files carry the margins: the papers' printable areas follow a change made
// in the window before anything is plotted.
TEST_F(BPlot1_Test, Margin_Changes_Rewrite_The_Device_Files)
{
    Open();
    const CString pmp = g_Printer_Desc_Folder + L"\\" + Get_Pmp_File_Name(window->Options.Output_Type);
    const std::string before = File_Bytes(pmp);
    ASSERT_FALSE(before.empty());
    Drive("choose 864 0\ntext 202 \"20 20 20 20\"\ntext 203 \"20 20 20 20\"\nclick 1\n");
    const std::string unequal = File_Bytes(pmp);
    EXPECT_NE(unequal, before) << "unequal margins";
    Drive("choose 864 1\n");
    EXPECT_NE(File_Bytes(pmp), unequal) << "back to no margin from the combo";
}

TEST_F(BPlot1_Test, Cancel_Stores_The_Output_Type_And_Erases_Every_Marker)
{
    Open();
    Drive("choose 863 3\ncheck 915 1\nclick 2\n");
    EXPECT_TRUE(Marker_Numbers().empty());
    Plot_Option stored;
    stored.Read_Dwg_Setting();
    EXPECT_EQ(stored.Output_Type, 3);
    EXPECT_EQ(stored.Print_Sign, 1);
    EXPECT_EQ(window->Plot_Launched, 0);
}

TEST_F(BPlot1_Test, Print_Refuses_Large_Papers_Except_For_Dwf_And_Asks_Once_For_Small_Ones)
{
    Open();
    bool added = false;
    MyPaper* large = Add_Paper_Unique(window->Sheet_Set.Paper_List, 6000, 841, added);
    MyPaper* small = Add_Paper_Unique(window->Sheet_Set.Paper_List, 40, 30, added);
    window->Apply_Paper_To_Row(small, window->Sheet_Set.Plot_List[0], 0);
    window->Apply_Paper_To_Row(small, window->Sheet_Set.Plot_List[1], 1);
    window->Apply_Paper_To_Row(large, window->Sheet_Set.Plot_List[2], 2);
    const size_t markers = Marker_Numbers().size();

    Drive("click 1\nmsgbox NO\n");
    EXPECT_EQ(Marker_Numbers().size(), markers) << "No stops the print";
    Drive("click 1\nmsgbox YES\nmsgbox OK\n");
    EXPECT_EQ(Marker_Numbers().size(), markers) << "a paper above 5080 mm stops a PDF print";
    EXPECT_EQ(window->Plot_Launched, 0);

    Drive("choose 863 1\nclick 1\nmsgbox YES\n");
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(window->Plot_Launched, 1);
    EXPECT_TRUE(Marker_Numbers().empty());
    Plot_Option stored;
    stored.Read_Dwg_Setting();
    EXPECT_EQ(stored.Output_Type, 1);
}

TEST_F(BPlot1_Test, Print_Asks_About_Unauthorised_Signatures_When_Signatures_Are_Printed)
{
    Register_Custom_Classes();
    // A signer whose signatures need his code, placed without an authorisation.
    auto signer = std::make_unique<KV_Sign>();
    signer->Person_No = 7;
    signer->Name = L"张三";
    signer->Code = 1234;
    g_Sign_Library.Signs.push_back(std::move(signer));
    ZcArray<int32_t> loops;
    loops.append(3);
    ZcGePoint3dArray points;
    points.append(ZcGePoint3d(0, 0, 0));
    points.append(ZcGePoint3d(10, 0, 0));
    points.append(ZcGePoint3d(0, 10, 0));
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    {
        ZcDbBlockTableRecord* model = nullptr;
        ASSERT_EQ(zcdbOpenObject(model, db->modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
        auto* sign = new KV_Sign_Class(7, L"张三", loops, points);
        sign->setDatabaseDefaults(db);
        ZcDbObjectId id;
        ASSERT_EQ(model->appendZcDbEntity(id, sign), Zcad::eOk);
        sign->close();
        model->close();
    }
    Open();
    const size_t markers = Marker_Numbers().size();
    // The fixture's small frames ask about their papers first.
    Drive("check 915 1\nclick 1\nmsgbox YES\nmsgbox NO\n");
    EXPECT_EQ(platform::MessageBoxLog.back().text.find(L"文件中存在未授权的签名"), 0u);
    EXPECT_EQ(Marker_Numbers().size(), markers) << "No stops the print";
    EXPECT_EQ(window->Plot_Launched, 0);
    Drive("check 915 0\nclick 1\nmsgbox YES\n");  // signatures not printed: no question
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(window->Plot_Launched, 1);
    g_Sign_Library.Clear();
}

TEST_F(BPlot1_Test, Paper_Header_Gives_Every_Row_The_Chosen_Paper_And_Its_Scale)
{
    Open();
    const int rows = window->List.GetItemCount();
    Drive("header 1164 4\npick 1\n");  // A3
    EXPECT_TRUE(Script_Used());
    for (int row = 0; row < rows; ++row) {
        const Plot_Drawing1* sheet = window->Sheet_Set.Plot_List[row];
        EXPECT_EQ(sheet->Paper_Name, CString(L"KV_A3")) << row;
        EXPECT_DOUBLE_EQ(sheet->Plot_Scale, Scale_From_Paper(MyPaper(420, 297), *sheet)) << row;
        EXPECT_EQ(Cell(row, 5), Format_Scale_Text(sheet->Plot_Scale));
        EXPECT_EQ(window->List.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED, 0u) << "rows are deselected";
    }
    // Esc on the picker changes nothing.
    Drive("cell 1164 0 4\nesc\n");
    EXPECT_EQ(window->Sheet_Set.Plot_List[0]->Paper_Name, CString(L"KV_A3"));
}

TEST_F(BPlot1_Test, Entered_Scale_Picks_The_Paper_That_Fits_And_Shows_Its_Scale)
{
    Open();
    Plot_Drawing1* sheet = window->Sheet_Set.Plot_List[0];
    Drive("cell 1164 0 5\ntext 878 \"1\"\nclick 1\n");
    EXPECT_TRUE(Script_Used());
    const MyPaper* paper = Find_Paper_By_Name(window->Sheet_Set.Paper_List, sheet->Paper_Name);
    ASSERT_NE(paper, nullptr);
    EXPECT_DOUBLE_EQ(sheet->Plot_Scale, Scale_From_Paper(*paper, *sheet));
    EXPECT_NEAR(sheet->Plot_Scale, 1.0, 0.1);
    EXPECT_EQ(Cell(0, 4), paper->Get_Display_Name(true, sheet->Portrait));
}

TEST_F(BPlot1_Test, Filter_Change_Rebuilds_The_Rows_From_All_Sheets)
{
    Open();
    const int rows = window->List.GetItemCount();
    Drive("click 880\ntext 879 \"30\"\nclick 1\n");
    EXPECT_TRUE(Script_Used());
    EXPECT_DOUBLE_EQ(window->Options.Filter_Percent, 30.0);
    EXPECT_EQ(window->List.GetItemCount(), window->Sheet_Set.Plot_List.GetSize());
    EXPECT_LE(window->List.GetItemCount(), rows);
}

TEST_F(BPlot1_Test, Statistics_Without_Papers_Says_So)
{
    Open();
    for (int i = 0; i < window->Sheet_Set.Plot_List.GetSize(); ++i) window->Sheet_Set.Plot_List[i]->Paper_Name = L"none";
    Script("msgbox OK\n");
    window->Count_Papers(1);
    ASSERT_FALSE(platform::MessageBoxLog.empty());
    EXPECT_EQ(platform::MessageBoxLog.back().text, std::wstring(L"无纸张可统计 !"));
    EXPECT_EQ(platform::MessageBoxLog.back().caption, std::wstring(L"纸张统计"));
}

TEST_F(BPlot1_Test, Snapshot_Shows_The_List_And_Controls)
{
    Open();
    const std::string path = Temp_Shot("bplot1.png");
    ASSERT_TRUE(platform::Snapshot_Window(window, std::wstring(path.begin(), path.end())));
    CImage image;
    ASSERT_TRUE(SUCCEEDED(image.Load(CString(path.c_str()))));
    EXPECT_GT(image.GetWidth(), 600);
    EXPECT_GT(image.GetHeight(), 400);
}

TEST_F(BPlot1_Test, Dwg_Format_Greys_The_Paper_Columns_And_Swaps_The_Switches_Back_And_Forth)
{
    Open();
    auto visible = [&](int id) { return window->GetDlgItem(id)->IsWindowVisible() != FALSE; };
    auto enabled = [&](int id) { return window->GetDlgItem(id)->IsWindowEnabled() != FALSE; };
    auto left = [&](int id) {
        CRect rect;
        window->GetDlgItem(id)->GetWindowRect(&rect);
        window->ScreenToClient(&rect);
        return rect.left;
    };
    const int sign_left = left(IDC_BP1_SIGN_CHECK);
    EXPECT_TRUE(visible(IDC_BP1_MERGE_PDF));
    EXPECT_FALSE(visible(IDC_BP1_DWG_BLOCK));

    Drive("choose 863 6\n");
    EXPECT_EQ(window->Options.Output_Type, 6);
    EXPECT_EQ(window->List.Grey_Columns.length(), 4);
    EXPECT_EQ(window->List.Hover_Columns.length(), 2);
    EXPECT_FALSE(enabled(IDC_BP1_STYLE_COMBO));
    EXPECT_FALSE(enabled(IDC_BP1_MARGIN_COMBO));
    EXPECT_FALSE(visible(IDC_BP1_MERGE_PDF));
    EXPECT_FALSE(visible(IDC_BP1_SIGN_CHECK));
    EXPECT_TRUE(visible(IDC_BP1_DWG_BLOCK));
    // Clicks on the paper column do nothing for drawing output.
    Drive("cell 1164 0 4\n");
    EXPECT_TRUE(Script_Used());

    Drive("choose 863 4\n");  // PLT: the signature switch takes the merge box's place
    EXPECT_EQ(window->List.Grey_Columns.length(), 0);
    EXPECT_TRUE(enabled(IDC_BP1_STYLE_COMBO));
    EXPECT_TRUE(visible(IDC_BP1_SIGN_CHECK));
    EXPECT_FALSE(visible(IDC_BP1_DWG_BLOCK));
    EXPECT_FALSE(visible(IDC_BP1_MERGE_PDF));
    EXPECT_EQ(left(IDC_BP1_SIGN_CHECK), left(IDC_BP1_MERGE_PDF));
    Drive("choose 863 0\n");
    EXPECT_TRUE(visible(IDC_BP1_MERGE_PDF));
    EXPECT_EQ(left(IDC_BP1_SIGN_CHECK), sign_left);
    EXPECT_NE(sign_left, left(IDC_BP1_MERGE_PDF));
}

TEST_F(BPlot1_Test, Eye_Cell_Previews_The_Sheet_Pages_To_The_Next_And_Shows_The_Window_Again)
{
    Open();
    platform::Preview_Log().clear();
    Drive("cell 1164 0 1\nanswer next\nanswer close\n");
    EXPECT_TRUE(Script_Used());
    int creates = 0;
    for (const std::wstring& entry : platform::Preview_Log()) creates += entry.rfind(L"create", 0) == 0 ? 1 : 0;
    EXPECT_EQ(creates, 2) << "the first sheet, then the next";
    EXPECT_EQ(g_Preview_Kind, 0);
    EXPECT_EQ(g_Preview_Index, -1);
    EXPECT_TRUE(window->IsWindowVisible());
    // Drawing output has no preview.
    window->Options.Output_Type = 6;
    platform::Preview_Log().clear();
    Drive("cell 1164 1 1\n");
    EXPECT_TRUE(platform::Preview_Log().empty());
}

// The preview refuses a paper above 5080 mm, of the clicked sheet or of one paged to, and
// the window is there again afterwards.
TEST_F(BPlot1_Test, Preview_Of_A_Paper_Above_5080_Is_Refused)
{
    struct Case {
        int large_row;
        const char* steps;
        int previews;
    };
    const Case cases[] = {
        {0, "cell 1164 0 1\nmsgbox OK\n", 0},
        {1, "cell 1164 0 1\nanswer next\nmsgbox OK\n", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        Open();
        bool added = false;
        MyPaper* large = Add_Paper_Unique(window->Sheet_Set.Paper_List, 6000, 841, added);
        window->Apply_Paper_To_Row(large, window->Sheet_Set.Plot_List[c.large_row], c.large_row);
        platform::Preview_Log().clear();
        platform::MessageBoxLog.clear();
        Drive(c.steps);
        EXPECT_TRUE(Script_Used());
        int previews = 0;
        for (const std::wstring& entry : platform::Preview_Log()) previews += entry.rfind(L"create", 0) == 0 ? 1 : 0;
        EXPECT_EQ(previews, c.previews);
        ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
        EXPECT_EQ(platform::MessageBoxLog.back().caption, std::wstring(L"Korvel打印预览"));
        EXPECT_EQ(g_Preview_Kind, 0);
        EXPECT_EQ(g_Preview_Index, -1);
        EXPECT_TRUE(window->IsWindowVisible());
        Close();
    }
}

TEST_F(BPlot1_Test, Swatch_Of_Image_Output_Takes_The_Chosen_Background_Colour)
{
    Open();
    Drive("choose 863 3\n");
    EXPECT_TRUE(window->GetDlgItem(IDC_BP1_SWATCH)->IsWindowVisible());
    Drive("click 399\ncolor 10,20,30\n");
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(window->Options.Back_Red, 10);
    EXPECT_EQ(window->Options.Back_Green, 20);
    EXPECT_EQ(window->Options.Back_Blue, 30);
    Drive("choose 863 0\n");
    EXPECT_FALSE(window->GetDlgItem(IDC_BP1_SWATCH)->IsWindowVisible());
}

TEST_F(BPlot1_Test, Folder_Mode_Sets_The_Path_And_Only_The_Other_Folder_Is_A_Link)
{
    Open();
    CString other = L"C:\\Korvel Dialogs";
    Drive("choose 862 1\n");
    CString text;
    window->GetDlgItemText(IDC_BP1_PATH, text);
    EXPECT_EQ(text.Right(4), CString(L"\\PDF"));
    Drive("click 877\n");  // plain text in this mode
    EXPECT_TRUE(Script_Used());
    Drive("choose 862 2\nclick 877\nfile \"C:\\\\Korvel Dialogs\\\\\"\n");
    EXPECT_TRUE(Script_Used());
    window->GetDlgItemText(IDC_BP1_PATH, text);
    EXPECT_EQ(text, other);
    EXPECT_EQ(window->Options.Folder, other);
}

TEST_F(BPlot1_Test, Marker_Erased_In_The_Drawing_Removes_Exactly_Its_Row)
{
    Open();
    const int rows = window->List.GetItemCount();
    const Plot_Drawing1* third = window->Sheet_Set.Plot_List[2];
    const ZcDbObjectId marker_id = third->Marker_Id;
    Doc_Reactor_List reactors;
    reactors.Attach(zcDocManager->curDocument());
    g_Watch_Marker_Erase = 1;
    {
        ZcDbObjectPointer<Temp_PlotRec> marker(marker_id, ZcDb::kForWrite);
        ASSERT_EQ(marker.openStatus(), Zcad::eOk);
        marker->erase();
    }
    g_Watch_Marker_Erase = 0;
    EXPECT_EQ(window->List.GetItemCount(), rows - 1);
    for (int i = 0; i < window->Sheet_Set.Plot_List.GetSize(); ++i)
        EXPECT_NE(window->Sheet_Set.Plot_List[i]->Marker_Id, marker_id);
    EXPECT_EQ(static_cast<int>(Marker_Numbers().size()), rows - 1);
    // The window's own deletion does not remove a second row.
    g_Watch_Marker_Erase = 1;
    window->Delete_Sheets(0, true, ZcArray<int>());
    g_Watch_Marker_Erase = 0;
    EXPECT_EQ(window->List.GetItemCount(), rows - 2);
}

// A format or background colour change keeps every row's paper and scale, hand-chosen ones
// too, and writes the device files of the new format for those papers.
TEST_F(BPlot1_Test, Format_And_Colour_Changes_Keep_Every_Sheets_Paper)
{
    Open();
    Choose_Papers_By_Hand();
    const std::vector<Row_Paper> papers = Row_Papers();
    struct Step {
        const char* steps;
        int output_type;
    };
    const Step steps[] = {
        {"choose 863 3\n", 3}, {"click 399\ncolor 10,20,30\n", 3}, {"choose 863 2\n", 2}, {"choose 863 5\n", 5},
        {"choose 863 4\n", 4}, {"choose 863 1\n", 1}, {"choose 863 6\n", 6}, {"choose 863 0\n", 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.steps);
        Drive(step.steps);
        ASSERT_TRUE(Script_Used());
        ASSERT_EQ(window->Options.Output_Type, step.output_type);
        EXPECT_EQ(Row_Papers(), papers);
        for (int row = 0; row < window->List.GetItemCount(); ++row) {
            const MyPaper* paper = Find_Paper_By_Name(window->Sheet_Set.Paper_List, window->Sheet_Set.Plot_List[row]->Paper_Name);
            ASSERT_NE(paper, nullptr);
            EXPECT_EQ(Cell(row, 7), Paper_Range_Remark(*paper, step.output_type)) << "row " << row;
        }
        if (step.output_type != 6) {
            EXPECT_TRUE(Device_Has_Sheet_Papers(step.output_type));
        }
    }
}

// The unequal-margins entry writes the device files for its margins, on OK and on Cancel
// (which keeps the previous values), and leaves every row's paper as it was.
TEST_F(BPlot1_Test, Unequal_Margins_Keep_Every_Sheets_Paper)
{
    struct Case {
        const char* steps;
        int land_left;
    };
    const Case cases[] = {
        {"choose 864 0\ntext 202 \"20 20 20 20\"\ntext 203 \"20 20 20 20\"\nclick 1\n", 20},
        {"choose 864 0\ntext 202 \"20 20 20 20\"\nclick 2\n", 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        Open();
        Choose_Papers_By_Hand();
        const std::vector<Row_Paper> papers = Row_Papers();
        const CString pmp = g_Printer_Desc_Folder + L"\\" + Get_Pmp_File_Name(window->Options.Output_Type);
        const std::string before = File_Bytes(pmp);
        Drive(c.steps);
        ASSERT_TRUE(Script_Used());
        EXPECT_EQ(window->Options.Unequal_Margin, 1);
        EXPECT_EQ(window->Options.Land_Left, c.land_left);
        EXPECT_EQ(Row_Papers(), papers);
        EXPECT_NE(File_Bytes(pmp), before) << "device files for the margins";
        EXPECT_TRUE(Device_Has_Sheet_Papers(window->Options.Output_Type));
        Close();
    }
}

// The plot-style editor saves a further table: the combo is refilled and still shows the
// edited table, which Print hands on.
TEST_F(BPlot1_Test, Editing_A_Style_That_Adds_A_Table_Keeps_The_Chosen_Style)
{
    const std::string saves_a_table = "echo t > '" + Host(g_Plot_Style_Folder).string() + "/new.ctb'";
    platform::Machine::instance().register_program((g_Host_Folder + L"\\ZwPStyleEdit.exe").GetString(),
                                                   {"/bin/sh", "-c", saves_a_table, "editor"});
    struct Host_Editor_Back {
        ~Host_Editor_Back() { platform::Install_Host_Programs(); }
    } host_editor_back;
    Open();
    auto* combo = static_cast<CComboBox*>(window->GetDlgItem(IDC_BP1_STYLE_COMBO));
    const int count = combo->GetCount();
    ASSERT_GE(count, 3);
    CString chosen;
    combo->GetLBText(2, chosen);
    Drive("choose 861 2\nclick 958\n");
    EXPECT_TRUE(Script_Used());
    ASSERT_EQ(combo->GetCount(), count + 1) << "the new table is listed";
    const int position = combo->FindStringExact(-1, chosen);
    ASSERT_GE(position, 1);
    EXPECT_EQ(combo->GetCurSel(), position);

    Drive("click 1\nmsgbox YES\n");  // the fixture's small frames ask about their papers
    EXPECT_EQ(window->Plot_Launched, 1);
    EXPECT_EQ(g_Plot_Style_Index, position - 1);
    EXPECT_EQ(L" " + window->Options.Style_Name, chosen);
}

}  // namespace
