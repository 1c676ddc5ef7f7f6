// The paper statistics workbook, read back from the file the spreadsheet program saves.

#include "core_fixture.h"
#include "dialogs/paper_statistics.h"
#include "dialogs/spreadsheet_writer.h"
#include "script/script_input.h"
#include "spreadsheet_fixture.h"
#include "unwritable_folder.h"
#include "win/machine.h"
#include "win/win_msgbox.h"

using namespace sheet_test;

namespace {

class Paper_Statistics_Test : public Core_Test {
public:
    void SetUp() override
    {
        Core_Test::SetUp();
        platform::Set_Spreadsheet_Installed(true);
        std::error_code ignored;
        std::filesystem::remove_all(Documents_File(L""), ignored);
        platform::ShellLog.clear();
        platform::MessageBoxLog.clear();
    }
    void TearDown() override
    {
        Delete_All_Objects(m_Papers);
        EXPECT_EQ(platform::Spreadsheet_Objects_Alive(), 0) << "automation objects left unreleased";
        platform::Set_Spreadsheet_Installed(true);
        Core_Test::TearDown();
    }

    void Add(int long_side, int short_side, UINT count)
    {
        m_Papers.Add(new MyPaper(long_side, short_side));
        m_Counts.Add(count);
    }
    // Exports with the standard and reads the saved workbook back.
    Xlsx_Dump Export(int standard)
    {
        Export_Paper_Statistics(m_Papers, m_Counts, standard);
        if (platform::ShellLog.size() != 1) {
            ADD_FAILURE() << "expected one opened workbook, got " << platform::ShellLog.size();
            return {};
        }
        return Read_Xlsx(platform::To_Host_Path(platform::ShellLog[0].file));
    }

    Paper_Array m_Papers;
    CUIntArray m_Counts;
};

const std::string S = "纸张统计!";

TEST_F(Paper_Statistics_Test, A4StandardWorkbookHasTheTitleHeaderRowsAndTotals)
{
    Add(420, 297, 2);  // A3, listed first: the smaller A4 moves before it
    Add(297, 210, 3);
    Xlsx_Dump dump = Export(1);
    ASSERT_FALSE(dump.empty());
    EXPECT_EQ(platform::ShellLog[0].file, platform::Machine::instance().documents_folder() + L"\\Book1.xlsx");
    EXPECT_EQ(platform::ShellLog[0].verb, L"open");
    EXPECT_EQ(At(dump, "sheets"), "纸张统计");
    EXPECT_EQ(At(dump, "active"), "纸张统计");
    EXPECT_EQ(At(dump, S + "merges"), "A1:G1|A2:A3|B2:B3|C2:C3|D2:E2");

    // Title.
    EXPECT_EQ(At(dump, S + "A1.value"), "Korvel批量打印---纸张统计");
    EXPECT_EQ(At(dump, S + "A1.bold"), "True");
    EXPECT_EQ(At(dump, S + "A1.size"), "14.0");
    EXPECT_EQ(At(dump, S + "A1.fill"), "C6E0B4");
    EXPECT_EQ(At(dump, S + "A1.halign"), "center");
    EXPECT_EQ(At(dump, S + "A1.top"), "medium:000000");
    EXPECT_EQ(At(dump, S + "row.1.height"), "30.0");

    // Header.
    const std::pair<const char*, const char*> header[] = {
        {"A2", "序 号"},         {"B2", "纸张规格"}, {"C2", "张 数"}, {"D2", "折合成A4"}, {"F2", "A4单价： "},
        {"D3", "单张折合系数"}, {"E3", "折合张数"}, {"F3", "单 价"}, {"G3", "小 计"}};
    for (const auto& [cell, text] : header) {
        EXPECT_EQ(At(dump, S + cell + ".value"), text) << cell;
        EXPECT_EQ(At(dump, S + cell + ".fill"), "FFF2CC") << cell;
        EXPECT_EQ(At(dump, S + cell + ".bold"), "True") << cell;
    }
    EXPECT_EQ(At(dump, S + "F2.halign"), "right");
    EXPECT_EQ(At(dump, S + "G2.value"), "5");
    EXPECT_EQ(At(dump, S + "G2.format"), "0.00");
    EXPECT_EQ(At(dump, S + "G2.color"), "FF0000");
    EXPECT_EQ(At(dump, S + "G2.halign"), "left");
    // 15 is the standard height, which the file leaves unsaid.
    for (const char* row : {"row.2.height", "row.3.height"})
        EXPECT_TRUE(At(dump, S + row) == "15.0" || At(dump, S + row) == "<missing>") << At(dump, S + row);
    EXPECT_EQ(At(dump, S + "A2.top"), "medium:000000");
    EXPECT_EQ(At(dump, S + "D3.bottom"), "medium:000000");

    // One row per paper, smallest first.
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"A4", "1"},       {"A4.format", "00"}, {"B4", "A4"},       {"C4", "3"},        {"D4", "1"},
        {"D4.format", "0"}, {"E4", "=C4*D4"},   {"E4.cached", "3"}, {"F4", "=G2*D4"},   {"F4.cached", "5"},
        {"G4", "=F4*C4"},  {"G4.cached", "15"}, {"G4.format", "0.00"},
        {"A5", "2"},       {"B5", "A3"},        {"C5", "2"},        {"D5", "2"},        {"E5.cached", "4"},
        {"G5.cached", "20"}};
    for (const auto& [key, expected] : rows) {
        const std::string full = key.find('.') == std::string::npos ? key + ".value" : key;
        EXPECT_EQ(At(dump, S + full), expected) << key;
    }
    EXPECT_EQ(At(dump, S + "B4.bold"), "False");
    EXPECT_EQ(At(dump, S + "B4.halign"), "center");
    EXPECT_EQ(At(dump, S + "row.4.height"), "19.0");

    // Totals.
    EXPECT_EQ(At(dump, S + "A6.value"), "汇 总 ");
    EXPECT_EQ(At(dump, S + "C6.value"), "=SUM(C4:C5)");
    EXPECT_EQ(At(dump, S + "C6.cached"), "5");
    EXPECT_EQ(At(dump, S + "E6.value"), "=SUM(E4:E5)");
    EXPECT_EQ(At(dump, S + "E6.cached"), "7");
    EXPECT_EQ(At(dump, S + "E6.format"), "0");
    EXPECT_EQ(At(dump, S + "G6.value"), "=SUM(G4:G5)");
    EXPECT_EQ(At(dump, S + "G6.cached"), "35");
    EXPECT_EQ(At(dump, S + "B6.fill"), "DCDCDC");
    EXPECT_EQ(At(dump, S + "B6.bold"), "True");
    EXPECT_EQ(At(dump, S + "A6.bottom"), "medium:000000");

    // The two frames from row 2 to the totals.
    for (const char* cell : {"B4", "D5"})
        EXPECT_EQ(At(dump, S + cell + ".left"), "medium:000000") << cell;
    for (const char* cell : {"C4", "E5"})
        EXPECT_EQ(At(dump, S + cell + ".right"), "medium:000000") << cell;

    EXPECT_EQ(std::stod(At(dump, S + "col.A.width")), File_Width(8));
    for (const char* column : {"B", "C", "D", "E", "F", "G"})
        EXPECT_EQ(std::stod(At(dump, S + "col." + column + ".width")), File_Width(15)) << column;
}

TEST_F(Paper_Statistics_Test, StandardNamesTheHeaderAndScalesTheFactors)
{
    Add(841, 594, 1);  // A1 in A0 sheets: 0.4996, snapped to half a sheet
    Xlsx_Dump dump = Export(5);
    EXPECT_EQ(At(dump, S + "D2.value"), "折合成A0");
    EXPECT_EQ(At(dump, S + "F2.value"), "A0单价： ");
    EXPECT_EQ(At(dump, S + "D4.value"), "0.5");
    EXPECT_EQ(At(dump, S + "D4.format"), "0.0");
    EXPECT_EQ(At(dump, S + "E4.format"), "0.0");
    EXPECT_EQ(At(dump, S + "E5.format"), "0.0");
    EXPECT_EQ(At(dump, S + "G5.cached"), "2.5");
}

TEST(Paper_Statistics_Factors, SnapToWholeA4SheetsOnlyWhenClose)
{
    struct Case {
        int long_side, short_side, standard;
        double factor;
        const wchar_t* format;
    } cases[] = {
        {297, 210, 1, 1.0, L"0"},           {420, 297, 1, 2.0, L"0"},
        {841, 594, 5, 0.5, L"0.0"},         {297, 210, 5, 0.0625, L"0.0000"},
        {1000, 707, 1, 707000.0 / 62370, L"0.0000"},
        {594, 420, 2, 2.0, L"0"},           {1189, 841, 3, 4.0, L"0"},
        // A paper far below one A4 sheet keeps its size instead of counting as none.
        {60, 50, 1, 3000.0 / 62370, L"0.0000"},
    };
    for (const Case& c : cases) {
        MyPaper paper(c.long_side, c.short_side);
        const double factor = Paper_Standard_Factor(paper, c.standard);
        EXPECT_NEAR(factor, c.factor, 1e-9) << c.long_side << "x" << c.short_side << " standard " << c.standard;
        EXPECT_EQ(Statistics_Number_Format(factor), CString(c.format)) << c.long_side << "x" << c.short_side;
    }
    const std::pair<double, const wchar_t*> formats[] = {
        {0.5, L"0.0"}, {0.25, L"0.00"}, {0.125, L"0.000"}, {7.0, L"0"}, {2.9999999, L"0"}, {0.4, L"0.0"}, {0.3, L"0.0"}};
    for (const auto& [value, format] : formats)
        EXPECT_EQ(Statistics_Number_Format(value), CString(format)) << value;
}

TEST_F(Paper_Statistics_Test, PapersOfEqualAreaKeepTheirOrder)
{
    Add(400, 300, 1);  // 120000 mm²
    Add(600, 200, 2);  // 120000 mm²
    Add(297, 210, 3);  // smaller: first
    Add(500, 240, 4);  // 120000 mm²
    Xlsx_Dump dump = Export(1);
    const char* counts[] = {"3", "1", "2", "4"};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(At(dump, S + "C" + std::to_string(4 + k) + ".value"), counts[k]) << k;
    EXPECT_EQ(At(dump, S + "C8.value"), "=SUM(C4:C7)");
}

TEST_F(Paper_Statistics_Test, WithoutTheSpreadsheetProgramOnlyTheMessageIsShown)
{
    Add(297, 210, 1);
    platform::Set_Spreadsheet_Installed(false);
    platform::ScriptInput::instance().push_text("msgbox OK\n");
    Export_Paper_Statistics(m_Papers, m_Counts, 1);
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"未找到 Excel 软件，请先安装 Excel !");
    EXPECT_EQ(platform::MessageBoxLog[0].type & 0xF, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(platform::ShellLog.empty());
    EXPECT_FALSE(std::filesystem::exists(Documents_File(L"")) &&
                 !std::filesystem::is_empty(Documents_File(L"")));
}

TEST_F(Paper_Statistics_Test, KetServesWhenExcelIsMissing)
{
    Add(297, 210, 1);
    platform::Set_Automation_Class_Installed(L"Excel.Application", false);
    Xlsx_Dump dump = Export(1);
    EXPECT_NE(platform::ShellLog[0].file.find(L"工作簿1.xlsx"), std::wstring::npos);
    EXPECT_EQ(At(dump, S + "C4.value"), "1");
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Paper_Statistics_Test, BadInputExportsNothing)
{
    Add(297, 210, 1);
    for (int standard : {0, 6}) {
        Export_Paper_Statistics(m_Papers, m_Counts, standard);
        EXPECT_TRUE(platform::ShellLog.empty()) << standard;
    }
    m_Counts.Add(2);
    Export_Paper_Statistics(m_Papers, m_Counts, 1);
    EXPECT_TRUE(platform::ShellLog.empty());
}

TEST(Spreadsheet_Writer_Columns, LettersUpToTwoLetters)
{
    const std::pair<int, const wchar_t*> cases[] = {{1, L"A"},   {7, L"G"},   {26, L"Z"},  {27, L"AA"},
                                                    {52, L"AZ"}, {53, L"BA"}, {702, L"ZZ"}};
    for (const auto& [column, letters] : cases)
        EXPECT_EQ(Column_Letters(column), CString(letters)) << column;
}

TEST_F(Paper_Statistics_Test, FitColumnsWidensTheFittedColumnsUpToTwoHundred)
{
    {
        Spreadsheet_Writer writer;
        ASSERT_TRUE(writer.Start());
        writer.Select_Range(1, 1, -1, 1);
        writer.Set_Text(L"纸张规格");  // fits to 9
        writer.Select_Range(2, 1, -1, 1);
        writer.Set_Text(CString(L'x', 240));  // fits to 241
        writer.Select_Range(3, 2, -1, 2);
        writer.Set_Text(L"below row 1 counts too");  // 22 characters: 23
        writer.Fit_Columns(1, 3, 5);
        writer.Show();
        EXPECT_FALSE(writer.Failed());
    }
    ASSERT_EQ(platform::ShellLog.size(), 1u);
    Xlsx_Dump dump = Read_Xlsx(platform::To_Host_Path(platform::ShellLog[0].file));
    EXPECT_EQ(std::stod(At(dump, "Sheet1!col.A.width")), File_Width(14));
    EXPECT_EQ(std::stod(At(dump, "Sheet1!col.B.width")), File_Width(200));
    EXPECT_EQ(std::stod(At(dump, "Sheet1!col.C.width")), File_Width(28));
}

TEST_F(Paper_Statistics_Test, ARefusedCallEndsTheExport)
{
    Spreadsheet_Writer writer;
    ASSERT_TRUE(writer.Start());
    writer.Select_Range(1, 1, -1, 1);
    writer.Set_Row_Height(1000);  // above the program's limit
    EXPECT_TRUE(writer.Failed());
    writer.Set_Text(L"not written");
    platform::ScriptInput::instance().push_text("msgbox OK\n");
    writer.Show();
    EXPECT_TRUE(platform::ShellLog.empty());
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text.rfind(L"表格导出有误 !\n\n", 0), 0u);
    EXPECT_NE(platform::MessageBoxLog[0].text.find(L"RowHeight"), std::wstring::npos);
}

TEST_F(Paper_Statistics_Test, AWorkbookTheProgramCannotSaveIsToldByItsName)
{
    platform::Machine& machine = platform::Machine::instance();
    machine.set_user_name(L"张工");
    const std::wstring documents = machine.documents_folder();
    const std::wstring book = documents + L"\\Book1.xlsx";
    const auto cases = Unwritable_Folder_Cases(documents, 2000, [book] { return book; }, 1000);
    Add(297, 210, 3);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform::MessageBoxLog.clear();
        c.make_unwritable();
        platform::ScriptInput::instance().push_text("msgbox OK\n");
        Export_Paper_Statistics(m_Papers, m_Counts, 1);
        c.undo();
        ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
        const std::wstring& text = platform::MessageBoxLog[0].text;
        EXPECT_EQ(text.rfind(L"表格导出有误 !", 0), 0u) << platform::To_Utf8(text);
        EXPECT_NE(text.find(L"'" + book + L"'"), std::wstring::npos) << platform::To_Utf8(text);
        EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel");
        EXPECT_TRUE(platform::ShellLog.empty());
        EXPECT_FALSE(std::filesystem::exists(platform::To_Host_Path(book)));
    }
    machine.set_user_name(L"korvel");
}

}  // namespace
