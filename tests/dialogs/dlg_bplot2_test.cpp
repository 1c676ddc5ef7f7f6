// The title-block window opened on sheets built by hand in model space: its rows and marks,
// the edits written back into the title blocks, deletion, Print's checks and the locking
// while a plot runs.
#include <memory>
#include <string>
#include <vector>

#include "core/doc_lock.h"
#include "sheets/doc_reactors.h"
#include "core/erase_helpers.h"
#include "core/plot_config.h"
#include "dialogs/result_windows.h"
#include "core/space_helpers.h"
#include "core/ucs_transform.h"
#include "db/dbents.h"
#include "ed/docman.h"
#include "dialogs/dlg_bplot2.h"
#include "plot_option_combos_fixture.h"
#include "res/resource.h"
#include "plot/preview_log.h"
#include "sheet_builders.h"
#include "sheets/marker_entities.h"
#include "sheets/paper_table.h"
#include "sheets/plot_set.h"
#include "spreadsheet_fixture.h"
#include "titleblock/tk_library.h"

namespace {

class BPlot2_Test : public Plot_Dialog_Test {
protected:
    void SetUp() override
    {
        Plot_Dialog_Test::SetUp();
        Add_Style_Tables({L"acad.ctb"});
        Temp_PlotRec::rxInit();
        g_Ucs.Reset();
        g_TK_Library.Clear();
        g_TK_Library.No_In_Front = 0;
        g_TK_Library.No_Prefix.Empty();
        g_TK_Library.Line_Separator = L"+";
        for (int& centre : g_TK_Library.Centre_Text) centre = 0;
        rule.Name_Rule = L"A_C";
        rule.Paper.Long_Side = 420;
        rule.Paper.Short_Side = 297;
        rule.Range_C = ZcDbExtents(ZcGePoint3d(0, 0, 0), ZcGePoint3d(10, 10, 0));
        window = new Dlg_BPlot2();
        g_Dlg_BPlot2 = window;
        g_TK_Sheet_List = &window->Sheet_List;
        g_Cur_Plot_Option = &window->Options;
    }
    void TearDown() override
    {
        Close();
        g_TK_Library.Clear();
        Plot_Dialog_Test::TearDown();
    }

    static ZcDbObjectId Add(ZcDbEntity* entity)
    {
        Doc_Lock lock;
        ZcDbObjectId id;
        Append_Entity(id, entity, Keep_Color, true, ZcDbObjectId::kNull,
                      zcdbHostApplicationServices()->workingDatabase()->modelSpaceId());
        return id;
    }
    static ZcDbObjectId Add_Text(const wchar_t* text, double x, double y)
    {
        return Add(new ZcDbText(ZcGePoint3d(x, y, 0), text, ZcDbObjectId::kNull, 2.5));
    }
    static std::wstring Text_Of(ZcDbObjectId id)
    {
        ZcDbObjectPointer<ZcDbText> text(id, ZcDb::kForRead);
        return text.openStatus() == Zcad::eOk ? std::wstring(text->textStringConst()) : L"<gone>";
    }

    // A 420 x 297 sheet at x with its drawing number, revision, title and date read from
    // texts of its own (the revision from two texts, as a title block may repeat it).
    Plot_Drawing2* Add_Sheet(double x, const wchar_t* number, const wchar_t* revision, const wchar_t* title,
                             const wchar_t* date)
    {
        auto* sheet = New_Sheet<Plot_Drawing2>(x, 0, x + 420, 297);
        sheet->TK = &rule;
        sheet->Seq_No = static_cast<int>(window->Sheet_List.Sheets.GetSize()) + 1;
        const wchar_t* texts[4] = {number, revision, title, date};
        const int fields[4] = {0, 1, 2, 3};
        for (int k = 0; k < 4; ++k) {
            sheet->Text[fields[k]] = texts[k];
            if (*texts[k] != L'\0')
                sheet->Text_Ids[fields[k]].append(Add_Text(texts[k], x + 300, 10.0 + 10 * k));
        }
        if (*revision != L'\0')
            sheet->Text_Ids[1].append(Add_Text(revision, x + 350, 20));
        auto* marker = new Temp_PlotRec;
        marker->Set_Corners(sheet->Min_Corner, sheet->Max_Corner);
        sheet->Marker_Id = Add(marker);
        window->Sheet_List.Sheets.Add(sheet);
        return sheet;
    }

    // The window as the command opens it, over the sheets added so far.
    void Open()
    {
        window->Options.TK_Order = 1;  // rows in the order of the sheets' positions
        window->Options.Sort_Type = 9;
        window->Options.Stamps_On = 0;  // the sheets have no stamp positions
        ASSERT_TRUE(window->Create(IDD_DLG_BPLOT2, nullptr));
        window->Fill_Style_Combo();
        window->Fill_Sheet_List();
        window->Init_Folder_Mode();
        window->Init_Output_Format();
        window->Fill_Margin_Combo();
        window->ShowWindow(SW_SHOW);
    }
    void Close()
    {
        g_Dlg_BPlot2 = nullptr;
        g_TK_Sheet_List = nullptr;
        g_Cur_Plot_Option = nullptr;
        if (window != nullptr) {
            window->DestroyWindow();
            delete window;
            window = nullptr;
        }
    }
    void Drive(const std::string& steps)
    {
        Script(steps);
        while (!Script_Used() && platform::Serve_Script_At_Pump()) platform::Run_Host_Messages();
        platform::Run_Host_Messages();
    }
    std::wstring Cell(int row, int column) { return window->List.GetItemText(row, column).GetString(); }
    bool Marked(int row, int column)
    {
        for (int i = 0; i < window->List.Mark_Rows.length(); ++i)
            if (window->List.Mark_Rows[i] == row && window->List.Mark_Columns[i] == column) return true;
        return false;
    }
    static int Marker_Number(ZcDbObjectId id)
    {
        ZcDbObjectPointer<Temp_PlotRec> marker(id, ZcDb::kForRead);
        return marker.openStatus() == Zcad::eOk ? marker->Get_Number() : -1;
    }

    TK_Customization rule;
    Dlg_BPlot2* window = nullptr;
};

TEST_F(BPlot2_Test, Rows_Show_Each_Sheets_Fields_Names_And_Marks)
{
    Add_Sheet(0, L"S-01", L"A", L"PLAN[++}LEVEL 1", L"2026.01");
    Add_Sheet(500, L"S-01", L"B", L"Section", L"2026.02");
    Add_Sheet(1000, L"S-03", L"", L" ", L"");
    Add_Sheet(1500, L"S-04", L"C", L"section[++}LEVEL 1", L"");
    Open();

    ASSERT_EQ(window->List.GetItemCount(), 4);
    EXPECT_EQ(Cell(0, Col2_No), L"   1");
    EXPECT_EQ(Cell(0, Col2_Name), L"  S-01_PLAN+LEVEL 1");
    EXPECT_EQ(Cell(0, Col2_Paper), L"A3");
    EXPECT_EQ(Cell(0, Col2_Scale), L"1:1");
    EXPECT_EQ(Cell(1, Col2_Revision), L"B");
    EXPECT_EQ(Cell(1, Col2_Date), L"2026.02");
    // Equal drawing numbers are marked in both rows; blank and shared title lines remarked.
    EXPECT_TRUE(Marked(0, Col2_Number));
    EXPECT_TRUE(Marked(1, Col2_Number));
    EXPECT_FALSE(Marked(2, Col2_Number));
    EXPECT_EQ(Cell(2, Col2_Remark), L"图名空白");
    EXPECT_EQ(Cell(0, Col2_Remark), L"图名重复");
    EXPECT_EQ(Cell(3, Col2_Remark), L"图名重复");
    EXPECT_EQ(Cell(1, Col2_Remark), L"") << "titles differing in letter case only are not shared";
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(Marker_Number(window->Sheet_List.Sheets[row]->Marker_Id), row + 1);
    EXPECT_TRUE(window->GetDlgItem(IDOK)->IsWindowEnabled());
}

TEST_F(BPlot2_Test, Edited_Drawing_Number_Goes_Into_The_Drawing_And_The_Name)
{
    Plot_Drawing2* first = Add_Sheet(0, L"S-01", L"A", L"PLAN", L"2026.01");
    Add_Sheet(500, L"S-02", L"A", L"ROOF", L"2026.01");
    Open();
    const ZcDbObjectId number_id = first->Text_Ids[0][0];

    Drive("cell 1164 0 6\ntext 202 \"S-02\"\nclick 1\n");
    EXPECT_EQ(Text_Of(number_id), L"S-02");
    EXPECT_EQ(first->Text[0], CString(L"S-02"));
    EXPECT_EQ(Cell(0, Col2_Number), L"S-02");
    EXPECT_EQ(Cell(0, Col2_Name), L"  S-02_PLAN");
    EXPECT_TRUE(Marked(0, Col2_Number));
    EXPECT_TRUE(Marked(1, Col2_Number));

    // Cancel writes nothing.
    Drive("cell 1164 0 6\ntext 202 \"S-09\"\nclick 2\n");
    EXPECT_EQ(Text_Of(number_id), L"S-02");
}

TEST_F(BPlot2_Test, Revision_Of_All_Rows_Goes_Whole_Into_The_First_Text_It_Was_Read_From)
{
    Plot_Drawing2* a = Add_Sheet(0, L"S-01", L"A", L"PLAN", L"2026.01");
    Plot_Drawing2* b = Add_Sheet(500, L"S-02", L"", L"ROOF", L"2026.01");
    Plot_Drawing2* c = Add_Sheet(1000, L"S-03", L"B", L"WALL", L"2026.01");
    Open();

    Drive("header 1164 7\ntext 202 \"C\"\nclick 1\n");
    for (Plot_Drawing2* sheet : {a, c}) {
        ASSERT_EQ(sheet->Text_Ids[1].length(), 2);
        EXPECT_EQ(Text_Of(sheet->Text_Ids[1][0]), L"C");
        EXPECT_EQ(Text_Of(sheet->Text_Ids[1][1]), L"") << "the other source is emptied";
        EXPECT_EQ(sheet->Text[1], CString(L"C"));
    }
    EXPECT_EQ(Cell(0, Col2_Revision), L"C");
    EXPECT_EQ(Cell(1, Col2_Revision), L"") << "an empty revision stays empty";
    EXPECT_TRUE(b->Text_Ids[1].isEmpty());
}

TEST_F(BPlot2_Test, Renumbering_Writes_Numbers_In_Row_Order)
{
    Add_Sheet(0, L"X-1", L"", L"A", L"");
    Add_Sheet(500, L"X-1", L"", L"B", L"");
    Add_Sheet(1000, L"X-1", L"", L"C", L"");
    Open();
    ZcArray<int> rows;
    for (int row : {2, 0, 1}) rows.append(row);
    window->Write_Drawing_Nos(rows, L"G-", 7, L"", 2);
    EXPECT_EQ(Cell(0, Col2_Number), L"G-07");
    EXPECT_EQ(Cell(1, Col2_Number), L"G-08");
    EXPECT_EQ(Cell(2, Col2_Number), L"G-09");
    EXPECT_EQ(Text_Of(window->Sheet_List.Sheets[2]->Text_Ids[0][0]), L"G-09");
    EXPECT_FALSE(Marked(0, Col2_Number));
}

TEST_F(BPlot2_Test, Number_Header_Renumbers_From_The_First_Rows_Number)
{
    Add_Sheet(0, L"K-07", L"", L"A", L"");
    Add_Sheet(500, L"Q", L"", L"B", L"");
    Add_Sheet(1000, L"R", L"", L"C", L"");
    Open();
    // The dialog proposes the first row's prefix and number; OK numbers every row from there.
    Drive("header 1164 6\nclick 1\n");
    EXPECT_EQ(Cell(0, Col2_Number), L"K-07");
    EXPECT_EQ(Cell(1, Col2_Number), L"K-08");
    EXPECT_EQ(Cell(2, Col2_Number), L"K-09");
    EXPECT_EQ(Text_Of(window->Sheet_List.Sheets[1]->Text_Ids[0][0]), L"K-08");
    // Cancel writes nothing.
    Drive("header 1164 6\nclick 2\n");
    EXPECT_EQ(Cell(2, Col2_Number), L"K-09");
}

TEST_F(BPlot2_Test, Numbering_Button_Puts_The_Row_Numbers_In_Front_Of_Every_Name)
{
    Add_Sheet(0, L"S-01", L"", L"A", L"");
    Add_Sheet(500, L"S-02", L"", L"B", L"");
    Open();
    Drive("click 899\ncheck IDC_NO_SET_INSERT 1\ntext IDC_PREFIX \"\"\ntext IDC_START_NO \"1\"\n"
          "text IDC_SUFFIX \"-\"\nchoose IDC_DIGITS_COMBO 2\nclick 1\n");
    EXPECT_EQ(Cell(0, Col2_Name), L"  001-S-01_A");
    EXPECT_EQ(Cell(1, Col2_Name), L"  002-S-02_B");
    EXPECT_EQ(g_TK_Library.No_Digits, 3);
}

TEST_F(BPlot2_Test, Deleting_Rows_Renumbers_The_Rest_And_The_Last_Disables_Print)
{
    for (int k = 0; k < 4; ++k) Add_Sheet(500.0 * k, L"N", L"", L"T", L"");
    Open();
    const ZcDbObjectId erased = window->Sheet_List.Sheets[1]->Marker_Id;
    Drive("cell 1164 1 3\n");
    ASSERT_EQ(window->List.GetItemCount(), 3);
    EXPECT_EQ(Marker_Number(erased), -1) << "its marker is erased";
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(Marker_Number(window->Sheet_List.Sheets[row]->Marker_Id), row + 1);
        EXPECT_EQ(Cell(row, Col2_No), std::wstring(L"   ") + std::to_wstring(row + 1));
    }
    // A marker erased in the drawing takes its row only; the window's own deletion with
    // markers watched does not take a second one.
    Doc_Reactor_List reactors;
    reactors.Attach(zcDocManager->curDocument());
    g_Watch_Marker_Erase = 1;
    {
        ZcDbObjectPointer<Temp_PlotRec> marker(window->Sheet_List.Sheets[0]->Marker_Id, ZcDb::kForWrite);
        ASSERT_EQ(marker.openStatus(), Zcad::eOk);
        marker->erase();
    }
    EXPECT_EQ(window->List.GetItemCount(), 2);
    EXPECT_EQ(Marker_Number(window->Sheet_List.Sheets[0]->Marker_Id), 1);
    Drive("cell 1164 0 3\n");
    EXPECT_EQ(window->List.GetItemCount(), 1);
    g_Watch_Marker_Erase = 0;
    Drive("cell 1164 0 3\n");
    EXPECT_EQ(window->List.GetItemCount(), 0);
    EXPECT_FALSE(window->GetDlgItem(IDOK)->IsWindowEnabled());
    EXPECT_FALSE(window->GetDlgItem(IDC_BP2_CATALOGUE)->IsWindowEnabled());
}

// Print refuses output names that would overwrite or lack a file, before anything runs;
// a merged PDF run numbers its files and takes any names.
TEST_F(BPlot2_Test, Print_Refuses_Empty_And_Case_Equal_Names_Unless_Merging)
{
    struct Case {
        const wchar_t* names[3];
        const wchar_t* message;
    };
    const Case cases[] = {
        {{L"a", L"b", L"[++}"}, L"第 3 个文件的文件名为空，退出 !"},
        {{L"a", L"Sheet", L"SHEET"}, L"第 2 个文件与第 3 个文件的文件名相同，退出 !"},
        {{L"x[++}y", L"X+Y", L"z"}, L"第 1 个文件与第 2 个文件的文件名相同，退出 !"},
    };
    for (int k = 0; k < 3; ++k) Add_Sheet(500.0 * k, L"N", L"", L"T", L"");
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.message)));
        for (int i = 0; i < 3; ++i) window->Sheet_List.Sheets[i]->File_Name = c.names[i];
        platform::MessageBoxLog.clear();
        Drive("check 903 0\nclick 1\nmsgbox OK\n");
        ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
        EXPECT_EQ(platform::MessageBoxLog[0].text, c.message);
        EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel打印");
        EXPECT_EQ(window->Plot_Launched, 0);
        EXPECT_NE(Marker_Number(window->Sheet_List.Sheets[0]->Marker_Id), -1) << "markers stay";
    }
    // Merging: any names; the run is launched and the markers are gone.
    g_Plot_Config.Merge_Pdf = 1;
    const std::string merged = Temp_Shot("merged.pdf");
    platform::MessageBoxLog.clear();
    Drive("check 903 1\nclick 1\nfile \"" + merged + "\"\n");
    EXPECT_TRUE(platform::MessageBoxLog.empty());
    EXPECT_EQ(window->Plot_Launched, 1);
    EXPECT_EQ(Marker_Number(window->Sheet_List.Sheets[0]->Marker_Id), -1);
    g_Plot_Config.Merge_Pdf = 0;
}

TEST_F(BPlot2_Test, While_Plotting_Only_Stop_Works_And_Closing_Is_Refused)
{
    Add_Sheet(0, L"N", L"", L"T", L"");
    Open();
    window->Plot_Progress_Begin(0, 5);
    for (int id : {IDC_BP2_LIST, IDC_BP2_FORMAT_COMBO, IDC_BP2_STYLE_COMBO, IDC_BP2_SIGN_CHECK, IDC_BP2_MARGIN_COMBO,
                   IDC_BP2_FOLDER_MODE_COMBO, IDOK, IDCANCEL})
        EXPECT_FALSE(window->GetDlgItem(id)->IsWindowEnabled()) << id;
    EXPECT_TRUE(window->GetDlgItem(IDC_BP2_INTERRUPT)->IsWindowEnabled());
    EXPECT_TRUE(window->GetDlgItem(IDC_BP2_INTERRUPT)->IsWindowVisible());
    EXPECT_FALSE(window->GetDlgItem(IDC_BP2_CATALOGUE)->IsWindowVisible());
    window->SendMessage(WM_CLOSE);
    Drive("key ESCAPE\n");
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_NE(Marker_Number(window->Sheet_List.Sheets[0]->Marker_Id), -1);

    window->Plot_Progress_End();
    EXPECT_TRUE(window->GetDlgItem(IDC_BP2_LIST)->IsWindowEnabled());
    EXPECT_TRUE(window->GetDlgItem(IDOK)->IsWindowVisible());
}

TEST_F(BPlot2_Test, Output_Type_Changes_Keep_The_Papers_The_List_Shows)
{
    Add_Sheet(0, L"N1", L"", L"T", L"");
    Add_Sheet(500, L"N2", L"", L"U", L"");
    Open();
    // The user's paper for the second sheet, then PNG and back to PDF.
    bool added = false;
    MyPaper* paper = window->Sheet_List.Add_Paper(594, 420, false, added);
    ASSERT_NE(paper, nullptr);
    window->Sheet_List.Sheets[1]->Paper_Name = paper->Get_Name();
    for (const char* format : {"3", "0", "6", "0"}) {
        Drive(std::string("choose 866 ") + format + "\n");
        EXPECT_EQ(window->Sheet_List.Sheets[1]->Paper_Name, paper->Get_Name()) << format;
    }
    EXPECT_FALSE(window->GetDlgItem(IDC_BP2_DWG_BLOCK)->IsWindowVisible());
}

TEST_F(BPlot2_Test, Eye_Cell_Previews_Pages_To_The_Next_And_Refuses_Papers_Above_5080)
{
    Add_Sheet(0, L"N1", L"", L"T", L"");
    Add_Sheet(500, L"N2", L"", L"U", L"");
    Add_Sheet(1000, L"N3", L"", L"V", L"");
    Open();
    const auto previews = [] {
        int count = 0;
        for (const std::wstring& entry : platform::Preview_Log()) count += entry.rfind(L"create", 0) == 0 ? 1 : 0;
        return count;
    };
    platform::Preview_Log().clear();
    Drive("cell 1164 0 1\nanswer next\nanswer close\n");
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(previews(), 2) << "the first sheet, then the next";
    EXPECT_EQ(g_Preview_Kind, 0);
    EXPECT_EQ(g_Preview_Index, -1);
    EXPECT_TRUE(window->IsWindowVisible());

    // A paper above 5080 mm, on the row paged to: refused there.
    bool added = false;
    MyPaper* large = Add_Paper_Unique(window->Sheet_List.Papers, 6000, 841, added);
    window->Sheet_List.Sheets[2]->Paper_Name = large->Get_Name();
    platform::Preview_Log().clear();
    platform::MessageBoxLog.clear();
    Drive("cell 1164 1 1\nanswer next\nmsgbox OK\n");
    EXPECT_EQ(previews(), 1);
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog.back().caption, std::wstring(L"Korvel打印预览"));
    EXPECT_TRUE(window->IsWindowVisible());

    // Drawing output has no preview.
    Drive("choose 866 6\n");
    platform::Preview_Log().clear();
    Drive("cell 1164 0 1\n");
    EXPECT_TRUE(platform::Preview_Log().empty());
}

// The window's workbook exports read back from the file the spreadsheet program saves.
class BPlot2_Export_Test : public BPlot2_Test {
protected:
    void SetUp() override
    {
        BPlot2_Test::SetUp();
        platform::Set_Spreadsheet_Installed(true);
        platform::ShellLog.clear();
        platform::MessageBoxLog.clear();
    }
    sheet_test::Xlsx_Dump Saved_Book()
    {
        if (platform::ShellLog.size() != 1) {
            ADD_FAILURE() << "expected one opened workbook, got " << platform::ShellLog.size();
            return {};
        }
        return sheet_test::Read_Xlsx(platform::To_Host_Path(platform::ShellLog[0].file));
    }
    // Two sheets: a two-line title at scale 0.5 (its paper A1), a plain one at 100.
    void Open_Two()
    {
        Plot_Drawing2* a = Add_Sheet(0, L"S-01", L"A", L"PLAN[++}LEVEL 1", L"2026.01");
        a->Text[4] = L"I1";
        Add_Sheet(500, L"S-02", L"B", L"ROOF", L"2026.02");
        Open();
        window->Sheet_List.Sheets[0]->Plot_Scale = 0.5;
        window->Sheet_List.Sheets[1]->Plot_Scale = 100;
    }
};

TEST_F(BPlot2_Export_Test, File_List_Has_A_Row_Per_Sheet_With_Titles_On_One_Line_And_Scales_As_Text)
{
    Open_Two();
    window->Export_File_List();
    const sheet_test::Xlsx_Dump dump = Saved_Book();
    ASSERT_FALSE(dump.empty());
    const std::string S = "文件清单!";
    EXPECT_EQ(sheet_test::At(dump, "sheets"), "文件清单");
    EXPECT_EQ(sheet_test::At(dump, S + "merges"), "A1:H1");
    const std::pair<std::string, std::string> cells[] = {
        {"A1", "Korvel批量打印---文件清单"}, {"A2", "序 号"}, {"B2", "文 件 名"}, {"H2", "图 名"},
        {"A3", "1"}, {"B3", "S-01_PLAN+LEVEL 1"}, {"D3", "2:1"}, {"E3", "S-01"}, {"F3", "A"},
        {"G3", "2026.01"}, {"H3", "PLAN  LEVEL 1"}, {"A4", "2"}, {"D4", "1:100"}, {"H4", "ROOF"}};
    for (const auto& [cell, text] : cells) EXPECT_EQ(sheet_test::At(dump, S + cell + ".value"), text) << cell;
    EXPECT_EQ(sheet_test::At(dump, S + "A3.format"), "00");
    EXPECT_EQ(sheet_test::At(dump, S + "D3.format"), "@");
    EXPECT_EQ(sheet_test::At(dump, S + "A1.fill"), "C6E0B4");
    EXPECT_EQ(sheet_test::At(dump, S + "A2.fill"), "FFF2CC");
    EXPECT_EQ(sheet_test::At(dump, S + "A5.value"), "<missing>");
}

TEST_F(BPlot2_Export_Test, Catalogue_Follows_The_Column_Kinds_Of_The_Library)
{
    Open_Two();
    struct Case {
        std::vector<int> kinds;
        std::string merges;
        std::vector<std::pair<std::string, std::string>> cells;
    };
    const Case cases[] = {
        {{0, 1, 3}, "A1:C1", {{"A2", "序 号"}, {"B2", "图 号"}, {"C2", "图 名"}, {"A3", "1"}, {"B3", "S-01"},
                              {"C3", "PLAN  LEVEL 1"}, {"A4", "2"}, {"C4", "ROOF"}}},
        {{2, 4, 5, 6, 7, 8, 0, 1, 11}, "A1:I1",
         {{"A3", "A"}, {"B3", "2026.01"}, {"C3", "I1"}, {"E3", "A1"}, {"F3", "2:1"}, {"F4", "1:100"}, {"I2", "<missing>"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.merges);
        platform::ShellLog.clear();
        g_TK_Library.Cat_Col_Kinds.RemoveAll();
        for (int kind : c.kinds) g_TK_Library.Cat_Col_Kinds.Add(kind);
        window->Export_Catalogue();
        const sheet_test::Xlsx_Dump dump = Saved_Book();
        ASSERT_FALSE(dump.empty());
        const std::string S = "目 录!";
        EXPECT_EQ(sheet_test::At(dump, S + "merges"), c.merges);
        EXPECT_EQ(sheet_test::At(dump, S + "A1.value"), "Korvel批量打印---目 录");
        for (const auto& [cell, text] : c.cells) EXPECT_EQ(sheet_test::At(dump, S + cell + ".value"), text) << cell;
    }
    // Columns beyond G keep their width of 10.
    const sheet_test::Xlsx_Dump dump = Saved_Book();
    EXPECT_EQ(std::stod(sheet_test::At(dump, "目 录!col.H.width")), sheet_test::File_Width(10));

    // No column: said so, no workbook.
    platform::ShellLog.clear();
    g_TK_Library.Cat_Col_Kinds.RemoveAll();
    Script("msgbox OK\n");
    window->Export_Catalogue();
    EXPECT_TRUE(platform::ShellLog.empty());
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"目录内容设置为空 !\n\n请先在 <图框信息录入> 中填写 <目录生成配置> !");
}

TEST_F(BPlot2_Export_Test, Paper_Count_Of_The_Listed_Papers)
{
    Open_Two();
    window->Paper_Statistics(1);
    const sheet_test::Xlsx_Dump dump = Saved_Book();
    ASSERT_FALSE(dump.empty());
    EXPECT_EQ(sheet_test::At(dump, "纸张统计!B4.value"), "A3");
    EXPECT_EQ(sheet_test::At(dump, "纸张统计!C4.value"), "2");
}

}  // namespace
