// The batch plot to paper window opened on the sheets detected in the fixture drawing with
// frames, on a machine with two printers: papers from the printer's media, copies, the
// printer change, saved papers, Print and Cancel, the machine without printers, the run's
// progress and the paper statistics workbook.
#include <set>
#include <string>
#include <vector>

#include "sheets/doc_reactors.h"
#include "core/follow_up.h"
#include "core/hidden_layers.h"
#include "core/plot_config.h"
#include "dialogs/result_windows.h"
#include "core/string_helpers.h"
#include "core/ucs_transform.h"
#include "db/dbsymtb.h"
#include "dialogs/dlg_bplot3.h"
#include "ed/docman.h"
#include "ed/input.h"
#include "plot/batch_plot_driver.h"
#include "plot/batch_run.h"
#include "plot/machine_printers.h"
#include "plot/paper_batch.h"
#include "plot/plot_job_sink.h"
#include "plot/preview_log.h"
#include "sheets/plot_set.h"
#include "plot_option_combos_fixture.h"
#include "res/resource.h"
#include "sheets/frame_detection.h"
#include "sheets/marker_entities.h"
#include "sheets/plotter_files.h"
#include "spreadsheet_fixture.h"
#include "ui/progress_window.h"
#include "win/machine.h"
#include "win/win_shell.h"
#include "windows_detection_feedback.h"

namespace {

const wchar_t* const Laser = L"HP LaserJet M1536";
const wchar_t* const Canon = L"Canon iR2520";

// A printer whose media have canonical names that differ from the names shown.
void Add_Printer(const wchar_t* name, std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> media)
{
    platform::Machine_Printer printer;
    printer.name = name;
    printer.spool_folder = std::wstring(L"C:\\Korvel Dialogs\\Spool\\") + name;
    for (auto [canonical, display] : media) {
        platform::PlotPaper paper;
        paper.canonical_name = canonical;
        paper.display_name = display;
        paper.width_mm = 210;
        paper.height_mm = 297;
        printer.media.push_back(paper);
    }
    ASSERT_TRUE(platform::Add_Machine_Printer(printer));
}

class BPlot3_Test : public Plot_Dialog_Test {
protected:
    void SetUp() override
    {
        Plot_Dialog_Test::SetUp();
        Add_Style_Tables({L"acad.ctb", L"monochrome.ctb"});
        Temp_PlotRec::rxInit();
        Temp_PlotRec2::rxInit();
        g_Ucs.Reset();
        g_Plot_Config = Plot_Config();
        Add_Printer(Laser, {{L"ISO_A4_(210.00_x_297.00_MM)", L"A4"}, {L"ISO_A3_(297.00_x_420.00_MM)", L"A3"}});
        Add_Printer(Canon, {{L"Canon_A4", L"A4 纸"}, {L"Canon_B4", L"B4 纸"}});
        const std::string path = std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/frames.dxf";
        ASSERT_EQ(zcDocManager->appContextOpenDocument(std::wstring(path.begin(), path.end()).c_str()), Zcad::eOk);
        g_Hidden_Layers.Collect_Hidden_Layers();
        platform::Clear_Typed_Input();
        platform::MessageBoxLog.clear();
    }
    void TearDown() override
    {
        Close();
        Progress_Close();
        for (const auto& printer : platform::Machine_Printers()) platform::Remove_Machine_Printer(printer.name);
        g_Hidden_Layers.Frozen_Layers.removeAll();
        g_Hidden_Layers.Off_Layers.removeAll();
        platform::Clear_Typed_Input();
        Plot_Dialog_Test::TearDown();
    }

    // Detection over the model space, then the window opened as the command opens it,
    // with the steps that answer its opening.
    void Open(const Plot_Option& options = Plot_Option(), const std::string& opening_steps = "")
    {
        window = new Dlg_BPlot3();
        g_Dlg_BPlot3 = window;
        window->Options = options;
        Script("enter\npick 0\n" + opening_steps);
        ASSERT_TRUE(Find_Plot_Frames(window->Sheet_Set, In_Windows));
        g_Cur_Plot_Option = &window->Options;
        g_Sheet_Set = &window->Sheet_Set;
        window->Sheet_Set.Filter_By_Area();
        ASSERT_TRUE(window->Create(IDD_DLG_BPLOT3, nullptr));
        window->Fill_On_Open();
        window->ShowWindow(SW_SHOW);
    }
    void Close()
    {
        g_Dlg_BPlot3 = nullptr;
        if (window != nullptr) {
            window->DestroyWindow();
            delete window;
            window = nullptr;
        }
    }
    CString Cell(int row, int column) { return window->List.GetItemText(row, column); }
    Plot_Drawing1* Sheet(int row) { return window->Sheet_Set.Plot_List[row]; }
    int Rows() { return window->List.GetItemCount(); }
    void Drive(const std::string& steps)
    {
        Script(steps);
        while (!Script_Used() && platform::Serve_Script_At_Pump()) platform::Run_Host_Messages();
        platform::Run_Host_Messages();
    }
    // Every row's paper (canonical) and paper cell.
    std::set<std::pair<CString, CString>> Papers()
    {
        std::set<std::pair<CString, CString>> papers;
        for (int row = 0; row < Rows(); ++row) papers.insert({Sheet(row)->Paper_Name, Cell(row, Col3_Paper)});
        return papers;
    }
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
    static std::wstring Run_Text() { return Cancel_Prefix().GetString() + std::wstring(L"Plot_Temp3\n"); }

    Dlg_BPlot3* window = nullptr;
};

using Paper_Cell = std::pair<CString, CString>;

TEST_F(BPlot3_Test, Opens_With_Every_Sheet_On_The_Printers_Remembered_Or_First_Paper)
{
    struct Case {
        const wchar_t* remembered;
        Paper_Cell paper;
    };
    const Case cases[] = {
        {L"", {L"ISO_A4_(210.00_x_297.00_MM)", L"A4"}},
        {L"iso_a3_(297.00_x_420.00_mm)", {L"ISO_A3_(297.00_x_420.00_MM)", L"A3"}},  // case ignored
        {L"Canon_B4", {L"ISO_A4_(210.00_x_297.00_MM)", L"A4"}},                     // not this printer's
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(platform::To_Utf8(c.remembered));
        g_Plot_Config.Set_Value(Laser, c.remembered);
        Plot_Option options;
        options.Device_Name = L"hp laserjet m1536";
        Open(options);
        ASSERT_GE(Rows(), 3);
        ASSERT_EQ(Rows(), window->Sheet_Set.Plot_List.GetSize());
        CString caption;
        window->GetWindowText(caption);
        EXPECT_EQ(caption, CString(L"批打印至纸张"));
        EXPECT_EQ(window->Device_Name, CString(Laser));
        EXPECT_EQ(window->Device_Index, 0);
        CComboBox* devices = static_cast<CComboBox*>(window->GetDlgItem(IDC_BP3_DEVICE_COMBO));
        EXPECT_EQ(devices->GetCount(), 2);
        EXPECT_EQ(Papers(), (std::set<Paper_Cell>{c.paper}));
        for (int row = 0; row < Rows(); ++row) {
            CString number;
            number.Format(L"%4d", row + 1);
            EXPECT_EQ(Cell(row, Col3_No), number);
            EXPECT_EQ(Cell(row, Col3_Eye), CString(L"EYE"));
            EXPECT_EQ(Cell(row, Col3_Copies), CString(L"1"));
            EXPECT_EQ(Cell(row, Col3_Del), CString(L"DEL"));
        }
        EXPECT_TRUE(window->GetDlgItem(IDOK)->IsWindowEnabled());
        EXPECT_TRUE(window->GetDlgItem(IDC_BP3_COLLATE)->IsWindowEnabled());
        Close();
    }
}

// The plug-in's PLT device for output to files is no printer, although its name passes for one.
TEST_F(BPlot3_Test, The_Plug_Ins_Own_Plt_Device_Is_Not_Offered_As_A_Printer)
{
    Plot_Option plt;
    plt.Output_Type = 4;
    g_Cur_Plot_Option = &plt;
    Paper_Array papers;
    papers.Add(new MyPaper(420, 297));
    ASSERT_TRUE(Build_Plot_Device_Files(papers));
    Delete_All_Objects(papers);
    g_Cur_Plot_Option = nullptr;

    Open();
    CComboBox* devices = static_cast<CComboBox*>(window->GetDlgItem(IDC_BP3_DEVICE_COMBO));
    ASSERT_EQ(devices->GetCount(), 2);
    CString first, second;
    devices->GetLBText(0, first);
    devices->GetLBText(1, second);
    EXPECT_EQ(first, CString(Laser));
    EXPECT_EQ(second, CString(Canon));
    EXPECT_EQ(window->Device_Name, CString(Laser));
}

TEST_F(BPlot3_Test, Copies_Go_To_The_Selected_Rows_And_Not_In_Plt_Mode)
{
    Open();
    ASSERT_GE(Rows(), 4);
    for (int row : {0, 1, 2}) window->List.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    Drive("cell 1164 1 2\npick 2\n");
    ASSERT_TRUE(Script_Used());
    for (int row : {0, 1, 2}) {
        EXPECT_EQ(Sheet(row)->Copies, 3) << row;
        EXPECT_EQ(Cell(row, Col3_Copies), CString(L"3")) << row;
    }
    EXPECT_EQ(Sheet(3)->Copies, 1);
    Drive("header 1164 2\npick 1\n");
    for (int row = 0; row < Rows(); ++row) EXPECT_EQ(Sheet(row)->Copies, 2) << row;

    // PLT files: the copies column is grey and takes no click, collation is off.
    Drive("click 874\ncell 1164 3 2\n");
    EXPECT_EQ(window->Output_Mode, 1);
    EXPECT_EQ(Sheet(3)->Copies, 2);
    EXPECT_FALSE(window->GetDlgItem(IDC_BP3_COLLATE)->IsWindowEnabled());
    ASSERT_EQ(window->List.Grey_Columns.length(), 1);
    EXPECT_EQ(window->List.Grey_Columns[0], Col3_Copies);
    Drive("click 873\n");
    EXPECT_TRUE(window->GetDlgItem(IDC_BP3_COLLATE)->IsWindowEnabled());
}

TEST_F(BPlot3_Test, A_Chosen_Paper_Is_The_Printers_Canonical_Name_And_Is_Remembered_Until_The_Printer_Changes)
{
    Open();
    Drive("cell 1164 1 4\npick 1\n");
    EXPECT_EQ(Sheet(1)->Paper_Name, CString(L"ISO_A3_(297.00_x_420.00_MM)"));
    EXPECT_EQ(Cell(1, Col3_Paper), CString(L"A3"));
    EXPECT_EQ(Sheet(0)->Paper_Name, CString(L"ISO_A4_(210.00_x_297.00_MM)"));
    EXPECT_EQ(g_Plot_Config.Get_Value(Laser), CString(L"ISO_A3_(297.00_x_420.00_MM)"));

    // Another printer: every row takes its paper, hand-chosen ones too.
    Drive("choose 961 1\n");
    EXPECT_EQ(window->Device_Name, CString(Canon));
    EXPECT_EQ(Papers(), (std::set<Paper_Cell>{{L"Canon_A4", L"A4 纸"}}));
    EXPECT_EQ(window->Get_Display_Media(L"canon_b4"), CString(L"B4 纸"));
    EXPECT_EQ(window->Get_Canonical_Media(L"b4 纸"), CString(L"Canon_B4"));
    EXPECT_EQ(window->Get_Display_Media(L"ISO_A3_(297.00_x_420.00_MM)"), CString());

    Drive("header 1164 4\npick 1\n");
    EXPECT_EQ(Papers(), (std::set<Paper_Cell>{{L"Canon_B4", L"B4 纸"}}));
}

// Only a change of printer gives the rows new papers: the output mode and the filter keep
// the papers and copies chosen by hand.
TEST_F(BPlot3_Test, Hand_Chosen_Papers_And_Copies_Survive_The_Output_Mode_And_The_Filter)
{
    Open();
    Drive("header 1164 4\npick 1\nheader 1164 2\npick 2\n");
    const std::set<Paper_Cell> chosen{{L"ISO_A3_(297.00_x_420.00_MM)", L"A3"}};
    ASSERT_EQ(Papers(), chosen);
    Drive("click 874\nclick 873\n");
    EXPECT_EQ(Papers(), chosen);
    const int rows = Rows();
    Drive("click 962\ntext 879 \"30\"\nclick 1\n");
    ASSERT_TRUE(Script_Used());
    EXPECT_EQ(window->Options.Filter_Percent, 30.0);
    EXPECT_LE(Rows(), rows);
    EXPECT_EQ(Papers(), chosen);
    for (int row = 0; row < Rows(); ++row) EXPECT_EQ(Cell(row, Col3_Copies), CString(L"3")) << row;
}

// The copies and papers stored at Print come back for the same frames; a stored paper the
// printer does not have leaves the row's paper.
TEST_F(BPlot3_Test, Print_Stores_Papers_And_Copies_Queues_The_Run_After_The_Cancels_And_Erases_The_Markers)
{
    Open();
    Drive("cell 1164 0 2\npick 3\ncell 1164 1 4\npick 1\n");
    const CString first_size = Cell(0, Col3_Size), second_size = Cell(1, Col3_Size);
    ASSERT_FALSE(Marker_Numbers().empty());
    Drive("click 1\n");
    EXPECT_EQ(platform::Pending_Text(), Run_Text());
    EXPECT_EQ(window->Plot_Launched, 1);
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_TRUE(Marker_Numbers().empty());
    EXPECT_EQ(window->Options.Device_Name, CString(Laser));
    platform::Clear_Typed_Input();

    struct Case {
        const wchar_t* printer;
        const wchar_t* second_paper;
    };
    for (const Case& c : {Case{Laser, L"A3"}, Case{Canon, L"A4 纸"}}) {
        SCOPED_TRACE(platform::To_Utf8(c.printer));
        Close();
        Plot_Option options;
        options.Read_Dwg_Setting();
        options.Device_Name = c.printer;
        Open(options);
        int first = -1, second = -1;
        for (int row = 0; row < Rows(); ++row) {
            if (Cell(row, Col3_Size) == first_size && first < 0) first = row;
            else if (Cell(row, Col3_Size) == second_size && second < 0) second = row;
        }
        ASSERT_GE(first, 0);
        ASSERT_GE(second, 0);
        EXPECT_EQ(Cell(first, Col3_Copies), CString(L"4"));
        EXPECT_EQ(Cell(second, Col3_Paper), CString(c.second_paper));
    }
}

TEST_F(BPlot3_Test, Plt_Print_Asks_For_The_Folder_And_A_Cancelled_Choice_Queues_Nothing)
{
    Open();
    Drive("click 874\nclick 1\nesc\n");
    EXPECT_EQ(platform::Pending_Text(), L"");
    EXPECT_EQ(window->Plot_Launched, 0);
    std::filesystem::create_directories(Host(L"C:\\Korvel Dialogs\\Plt"));
    Drive("click 1\nfile \"C:\\\\Korvel Dialogs\\\\Plt\\\\\"\n");
    EXPECT_EQ(platform::Pending_Text(), Run_Text());
    EXPECT_EQ(window->Options.Plt_Folder, CString(L"C:\\Korvel Dialogs\\Plt"));
    EXPECT_EQ(window->Options.Plt_Output, 1);
}

// Nothing to print on: the window says so, Print is off and does nothing when reached.
TEST_F(BPlot3_Test, Without_A_Printer_The_Window_Says_So_And_Print_Does_Nothing)
{
    for (const auto& printer : platform::Machine_Printers()) platform::Remove_Machine_Printer(printer.name);
    Open(Plot_Option(), "msgbox OK\n");
    ASSERT_TRUE(Script_Used());
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, std::wstring(L"本机没有可用的打印机，无法打印到纸张 !\n\n请先安装打印机。"));
    EXPECT_EQ(window->Device_Index, -1);
    EXPECT_TRUE(window->Device_Name.IsEmpty());
    EXPECT_EQ(Papers(), (std::set<Paper_Cell>{{L"", L""}}));
    EXPECT_FALSE(window->GetDlgItem(IDOK)->IsWindowEnabled());

    Script("msgbox OK\n");
    window->SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(platform::MessageBoxLog.size(), 2u);
    EXPECT_EQ(platform::Pending_Text(), L"");
    EXPECT_EQ(window->Plot_Launched, 0);
    EXPECT_FALSE(Marker_Numbers().empty()) << "the sheets stay listed";

    platform::Preview_Log().clear();
    Drive("cell 1164 0 1\nmsgbox OK\n");
    EXPECT_TRUE(Script_Used());
    EXPECT_TRUE(platform::Preview_Log().empty()) << "no preview without a device";
    EXPECT_TRUE(window->IsWindowVisible());
}

// Nothing dispatched while the driver runs may change the sheets under it or close the window.
TEST_F(BPlot3_Test, While_Printing_Only_Stop_Works_And_Closing_Is_Refused_Then_The_Run_Closes_The_Window)
{
    Open();
    const size_t markers = Marker_Numbers().size();
    window->Plot_Progress_Begin(0, 5);
    for (int id : {IDC_BP3_LIST, IDC_BP3_DEVICE_COMBO, IDC_BP3_STYLE_COMBO, IDC_BP3_TO_PAPER, IDC_BP3_TO_PLT,
                   IDC_BP3_COLLATE, IDC_BP3_SIGN_CHECK, IDOK, IDCANCEL})
        EXPECT_FALSE(window->GetDlgItem(id)->IsWindowEnabled()) << id;
    EXPECT_FALSE(window->GetDlgItem(IDOK)->IsWindowVisible());
    EXPECT_TRUE(window->GetDlgItem(IDC_BP3_PROGRESS)->IsWindowVisible());
    Drive("click 934\n");
    EXPECT_EQ(window->Stop_Flag, 1);
    window->SendMessage(WM_CLOSE);
    Drive("key ESCAPE\n");
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_EQ(Marker_Numbers().size(), markers);

    window->Plot_Progress_End();
    EXPECT_TRUE(window->GetDlgItem(IDC_BP3_LIST)->IsWindowEnabled());
    EXPECT_TRUE(window->GetDlgItem(IDOK)->IsWindowVisible());
    EXPECT_FALSE(window->GetDlgItem(IDC_BP3_INTERRUPT)->IsWindowVisible());
    window->Plot_Done_Close();
    EXPECT_TRUE(window->IsWindowVisible()) << "a window that launched nothing stays";
    window->Plot_Launched = 1;
    window->Plot_Done_Close();
    EXPECT_FALSE(window->IsWindowVisible());
    EXPECT_EQ(window->Plot_Launched, 0);
    EXPECT_EQ(window->Display_Media.GetSize(), 0);
}

TEST_F(BPlot3_Test, Deleting_Renumbers_The_Rows_Below_And_The_Last_Row_Disables_Print)
{
    Open();
    const int rows = Rows();
    const Plot_Drawing1* third = Sheet(2);
    Drive("cell 1164 1 3\n");
    ASSERT_EQ(Rows(), rows - 1);
    EXPECT_EQ(Sheet(1), third);
    EXPECT_EQ(Cell(1, Col3_No), CString(L"   2"));
    std::multiset<int> expected;
    for (int n = 1; n < rows; ++n) expected.insert(n);
    EXPECT_EQ(Marker_Numbers(), expected);
    while (Rows() > 0) window->Delete_Sheets(0, true, ZcArray<int>());
    EXPECT_FALSE(window->GetDlgItem(IDOK)->IsWindowEnabled());
    EXPECT_TRUE(Marker_Numbers().empty());
}

TEST_F(BPlot3_Test, Cancel_Stores_Printer_And_Switches_And_Erases_The_Markers)
{
    Open();
    Drive("choose 961 1\nclick 874\ncheck 915 0\nclick 2\n");
    EXPECT_FALSE(window->IsWindowVisible());
    EXPECT_TRUE(Marker_Numbers().empty());
    Plot_Option stored;
    stored.Read_Dwg_Setting();
    EXPECT_EQ(stored.Device_Name, CString(Canon));
    EXPECT_EQ(stored.Plt_Output, 1);
    EXPECT_EQ(stored.Print_Sign, 0);
    EXPECT_EQ(platform::Pending_Text(), L"");
}

// The copies per paper, papers equal but for case counted together, sorted by the name
// shown; a paper the printer does not have shows empty and comes first.
TEST_F(BPlot3_Test, Paper_Statistics_Sum_The_Copies_Per_Paper_In_A_Priced_Workbook)
{
    platform::Set_Spreadsheet_Installed(true);
    std::error_code ignored;
    std::filesystem::remove_all(sheet_test::Documents_File(L""), ignored);
    platform::ShellLog.clear();
    Open();
    ASSERT_GE(Rows(), 4);
    const struct {
        const wchar_t* paper;
        int copies;
    } rows[] = {{L"ISO_A4_(210.00_x_297.00_MM)", 2}, {L"ISO_A3_(297.00_x_420.00_MM)", 1},
                {L"iso_a4_(210.00_x_297.00_mm)", 3}, {L"Letter", 4}};
    for (int row = 0; row < Rows(); ++row) {
        Sheet(row)->Paper_Name = rows[row < 4 ? row : 3].paper;
        Sheet(row)->Copies = row < 4 ? rows[row].copies : 0;
    }
    window->SendMessage(WM_COMMAND, ID_BP3_COUNT_PAPERS);
    ASSERT_EQ(platform::ShellLog.size(), 1u);
    const sheet_test::Xlsx_Dump dump = sheet_test::Read_Xlsx(platform::To_Host_Path(platform::ShellLog[0].file));
    const std::string S = "纸张统计!";
    using sheet_test::At;
    EXPECT_EQ(At(dump, "sheets"), "纸张统计");
    EXPECT_EQ(At(dump, S + "merges"), "A1:E1");
    EXPECT_EQ(At(dump, S + "A1.value"), "Korvel批量打印---纸张统计");
    EXPECT_EQ(At(dump, S + "A1.fill"), "C6E0B4");
    const std::pair<const char*, const char*> header[] = {
        {"A2", "序 号"}, {"B2", "纸张规格"}, {"C2", "张 数"}, {"D2", "单 价"}, {"E2", "小 计"}};
    for (const auto& [cell, text] : header) EXPECT_EQ(At(dump, S + cell + ".value"), text) << cell;
    EXPECT_EQ(At(dump, S + "B2.fill"), "FFF2CC");

    const struct {
        const char* name;
        const char* copies;
    } groups[] = {{"<missing>", "4"}, {"A3", "1"}, {"A4", "5"}};
    for (int k = 0; k < 3; ++k) {
        const std::string row = std::to_string(3 + k);
        SCOPED_TRACE(row);
        EXPECT_EQ(At(dump, S + "A" + row + ".value"), std::to_string(k + 1));
        EXPECT_EQ(At(dump, S + "A" + row + ".format"), "00");
        EXPECT_EQ(At(dump, S + "B" + row + ".value"), groups[k].name);
        EXPECT_EQ(At(dump, S + "C" + row + ".value"), groups[k].copies);
        EXPECT_EQ(At(dump, S + "D" + row + ".value"), "5");
        EXPECT_EQ(At(dump, S + "D" + row + ".color"), "FF0000");
        EXPECT_EQ(At(dump, S + "E" + row + ".value"), "=C" + row + "*D" + row);
        EXPECT_EQ(At(dump, S + "E" + row + ".format"), "0.00");
    }
    EXPECT_EQ(At(dump, S + "A6.value"), "汇 总 ");
    EXPECT_EQ(At(dump, S + "C6.value"), "=SUM(C3:C5)");
    EXPECT_EQ(At(dump, S + "C6.cached"), "10");
    EXPECT_EQ(At(dump, S + "E6.value"), "=SUM(E3:E5)");
    EXPECT_EQ(At(dump, S + "A6.fill"), "DCDCDC");
    EXPECT_EQ(At(dump, S + "A6.bold"), "True");
}

TEST_F(BPlot3_Test, Statistics_Without_Sheets_Say_So)
{
    Open();
    while (Rows() > 0) window->Delete_Sheets(0, true, ZcArray<int>());
    Script("msgbox OK\n");
    window->Export_Paper_Statistics();
    ASSERT_FALSE(platform::MessageBoxLog.empty());
    EXPECT_EQ(platform::MessageBoxLog.back().text, std::wstring(L"无纸张可统计 !"));
    EXPECT_EQ(platform::MessageBoxLog.back().caption, std::wstring(L"纸张统计"));
}

TEST_F(BPlot3_Test, Eye_Cell_Previews_The_Sheet_Pages_To_The_Next_And_Shows_The_Window_Again)
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
}

TEST_F(BPlot3_Test, Marker_Erased_In_The_Drawing_Removes_Exactly_Its_Row)
{
    Open();
    const int rows = Rows();
    const ZcDbObjectId marker_id = Sheet(2)->Marker_Id;
    Doc_Reactor_List reactors;
    reactors.Attach(zcDocManager->curDocument());
    g_Watch_Marker_Erase = 1;
    {
        ZcDbObjectPointer<Temp_PlotRec> marker(marker_id, ZcDb::kForWrite);
        ASSERT_EQ(marker.openStatus(), Zcad::eOk);
        marker->erase();
    }
    g_Watch_Marker_Erase = 0;
    EXPECT_EQ(Rows(), rows - 1);
    for (int i = 0; i < window->Sheet_Set.Plot_List.GetSize(); ++i) EXPECT_NE(Sheet(i)->Marker_Id, marker_id);
    EXPECT_EQ(static_cast<int>(Marker_Numbers().size()), rows - 1);
}

// The stop button is read before each job: Yes ends the run at once and closes the window
// that launched it, No goes on with every job.
TEST_F(BPlot3_Test, Stop_Asks_Before_The_Next_Job_And_Yes_Ends_The_Run)
{
    struct Case {
        const char* answer;
        bool finished;
        bool all_sent;
    };
    for (const Case& c : {Case{"YES", false, false}, Case{"NO", true, true}}) {
        SCOPED_TRACE(c.answer);
        Open();
        window->Options.Device_Name = window->Device_Name;
        int sent = 0;
        platform::Set_Plot_Job_Sink([&](const platform::PlotJob&) {
            ++sent;
            return platform::PlotResult{true, L"", {}};
        });
        window->Plot_Launched = 1;
        window->Stop_Flag = 1;
        Script(std::string("msgbox ") + c.answer + "\n");
        EXPECT_EQ(Plot_Paper_Batch(Rows()), c.finished);
        platform::Set_Plot_Job_Sink(nullptr);
        EXPECT_TRUE(Script_Used());
        EXPECT_EQ(platform::MessageBoxLog.back().text, std::wstring(L"是否中断打印 ？"));
        EXPECT_EQ(sent, c.all_sent ? Rows() : 0);
        EXPECT_EQ(window->Stop_Flag, 0);
        EXPECT_FALSE(window->IsWindowVisible());
        EXPECT_FALSE(window->Plot_Running);
        Close();
    }
}

}  // namespace
