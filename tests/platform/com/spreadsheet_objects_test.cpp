// The spreadsheet program through its automation objects, checked in the .xlsx it saves.
#include <fstream>

#include "com/spreadsheet_model.h"
#include "spreadsheet_fixture.h"
#include "unwritable_folder.h"

using namespace sheet_test;

namespace {

class Spreadsheet_Objects_Test : public Spreadsheet_Test {
protected:
    void TearDown() override
    {
        m_Sheet.Release();
        m_App.Release();
        Spreadsheet_Test::TearDown();
    }

    // A new workbook of the program and its first sheet.
    void Open_Book(const wchar_t* class_name = L"Excel.Application")
    {
        m_App.Attach(Create(class_name));
        ASSERT_NE(m_App.p, nullptr);
        CComPtr<IDispatch> books, book, sheets;
        books.Attach(Get_Object(m_App, L"Workbooks"));
        book.Attach(Get_Object(books, L"Add", {&vtMissing}, DISPATCH_METHOD));
        ASSERT_NE(book.p, nullptr);
        sheets.Attach(Get_Object(book, L"Worksheets"));
        const _variant_t one(static_cast<SHORT>(1));
        m_Sheet.Attach(Get_Object(sheets, L"Item", {&one}));
        ASSERT_NE(m_Sheet.p, nullptr);
    }
    IDispatch* Range(const wchar_t* first, const wchar_t* last = nullptr)
    {
        const _variant_t a(first), b(last != nullptr ? last : first);
        return Get_Object(m_Sheet, L"Range", {&a, &b});
    }
    void Put_Range(const wchar_t* area, const wchar_t* name, const VARIANT& value)
    {
        CComPtr<IDispatch> range;
        range.Attach(Range(area));
        ASSERT_NE(range.p, nullptr) << platform::To_Utf8(area);
        EXPECT_EQ(Put(range, name, value), S_OK) << platform::To_Utf8(name);
    }
    void Put_Part(const wchar_t* area, const wchar_t* part, const wchar_t* name, const VARIANT& value)
    {
        CComPtr<IDispatch> range, object;
        range.Attach(Range(area));
        object.Attach(Get_Object(range, part));
        ASSERT_NE(object.p, nullptr);
        EXPECT_EQ(Put(object, name, value), S_OK);
    }
    HRESULT Show()
    {
        const _variant_t yes(true);
        return Put(m_App, L"Visible", yes);
    }

    CComPtr<IDispatch> m_App;
    CComPtr<IDispatch> m_Sheet;
};

TEST_F(Spreadsheet_Objects_Test, BothClassNamesAnswerUntilTheMachineSwitchRemovesThem)
{
    for (const wchar_t* name : platform::Spreadsheet_Class_Names) {
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(name, &clsid), S_OK);
    }
    CLSID excel{};
    ASSERT_EQ(CLSIDFromProgID(L"excel.application", &excel), S_OK);

    platform::Set_Spreadsheet_Installed(false);
    for (const wchar_t* name : platform::Spreadsheet_Class_Names) {
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(name, &clsid), CO_E_CLASSSTRING);
        EXPECT_EQ(Create(name), nullptr);
    }
    IDispatch* object = nullptr;
    EXPECT_EQ(CoCreateInstance(excel, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
    // The switch belongs to the machine root: a program started on it sees the same.
    EXPECT_TRUE(std::filesystem::exists(m_Root / ".removed-classes"));

    platform::Set_Spreadsheet_Installed(true);
    CComPtr<IDispatch> app;
    app.Attach(Create(L"Ket.Application"));
    EXPECT_NE(app.p, nullptr);
}

TEST_F(Spreadsheet_Objects_Test, ShownWorkbookIsSavedInDocumentsAndOpenedThroughTheShell)
{
    Open_Book();
    const _variant_t name(L"纸张统计");
    ASSERT_EQ(Put(m_Sheet, L"Name", name), S_OK);
    Put_Range(L"A1", L"Value2", _variant_t(L"标题 Title"));
    Put_Range(L"B2", L"Value2", _variant_t(3.0));
    Put_Range(L"C2", L"Value2", _variant_t(static_cast<LONG>(4)));
    Put_Range(L"D2", L"Formula", _variant_t(L"=B2*C2"));
    Put_Range(L"E2", L"Formula", _variant_t(L"2.5"));
    Put_Range(L"F2", L"Formula", _variant_t(L"=SUM(B2:E2)"));
    Put_Range(L"D2", L"NumberFormat", _variant_t(L"0.00"));
    Put_Part(L"A1", L"Font", L"Bold", _variant_t(static_cast<LONG>(1)));
    Put_Part(L"A1", L"Font", L"Size", _variant_t(14.0));
    Put_Part(L"A1", L"Font", L"Color", _variant_t(static_cast<LONG>(0x0000FF)));
    Put_Part(L"A1", L"Interior", L"Color", _variant_t(static_cast<LONG>(0xB4E0C6)));
    Put_Range(L"A1", L"HorizontalAlignment", _variant_t(static_cast<LONG>(-4108)));
    Put_Range(L"A1", L"VerticalAlignment", _variant_t(static_cast<LONG>(-4108)));
    {
        CComPtr<IDispatch> title, row, column;
        title.Attach(Range(L"A1", L"C1"));
        const _variant_t across(static_cast<LONG>(0), VT_BOOL);
        EXPECT_EQ(Invoke(title, DISPATCH_METHOD, L"Merge", nullptr, {&across}), S_OK);
        const _variant_t style(static_cast<LONG>(1)), weight(static_cast<LONG>(3)), index(static_cast<LONG>(1)),
            color(static_cast<LONG>(0));
        EXPECT_EQ(Invoke(title, DISPATCH_METHOD, L"BorderAround", nullptr, {&style, &weight, &index, &color}), S_OK);
        row.Attach(Get_Object(title, L"EntireRow"));
        EXPECT_EQ(Put(row, L"RowHeight", _variant_t(30.0)), S_OK);
        column.Attach(Get_Object(title, L"EntireColumn"));
        EXPECT_EQ(Put(column, L"ColumnWidth", _variant_t(static_cast<LONG>(12))), S_OK);
    }
    ASSERT_EQ(Show(), S_OK);

    const std::filesystem::path file = Documents_File(L"Book1.xlsx");
    ASSERT_TRUE(std::filesystem::exists(file));
    ASSERT_EQ(platform::ShellLog.size(), 1u);
    EXPECT_EQ(platform::ShellLog[0].verb, L"open");
    EXPECT_EQ(platform::ShellLog[0].file, platform::Machine::instance().documents_folder() + L"\\Book1.xlsx");
    EXPECT_EQ(platform::ShellLog[0].outcome, platform::ShellOutcome::Opened);

    Xlsx_Dump dump = Read_Xlsx(file);
    EXPECT_EQ(At(dump, "sheets"), "纸张统计");
    const std::string s = "纸张统计!";
    EXPECT_EQ(At(dump, s + "merges"), "A1:C1");
    EXPECT_EQ(At(dump, s + "A1.value"), "标题 Title");
    EXPECT_EQ(At(dump, s + "A1.bold"), "True");
    EXPECT_EQ(At(dump, s + "A1.size"), "14.0");
    EXPECT_EQ(At(dump, s + "A1.color"), "FF0000");
    EXPECT_EQ(At(dump, s + "A1.fill"), "C6E0B4");
    EXPECT_EQ(At(dump, s + "A1.halign"), "center");
    EXPECT_EQ(At(dump, s + "A1.valign"), "center");
    EXPECT_EQ(At(dump, s + "A1.top"), "medium:000000");
    EXPECT_EQ(At(dump, s + "A1.left"), "medium:000000");
    EXPECT_EQ(At(dump, s + "B2.top"), "<missing>");
    EXPECT_EQ(At(dump, s + "C1.right"), "medium:000000");
    EXPECT_EQ(At(dump, s + "B1.bottom"), "medium:000000");
    EXPECT_EQ(At(dump, s + "B2.value"), "3");
    EXPECT_EQ(At(dump, s + "C2.value"), "4");
    EXPECT_EQ(At(dump, s + "D2.value"), "=B2*C2");
    EXPECT_EQ(At(dump, s + "D2.cached"), "12");
    EXPECT_EQ(At(dump, s + "D2.format"), "0.00");
    EXPECT_EQ(At(dump, s + "E2.value"), "2.5");
    EXPECT_EQ(At(dump, s + "F2.value"), "=SUM(B2:E2)");
    EXPECT_EQ(At(dump, s + "F2.cached"), "21.5");
    EXPECT_EQ(At(dump, s + "row.1.height"), "30.0");
    for (const char* column : {"A", "B", "C"})
        EXPECT_EQ(std::stod(At(dump, s + "col." + column + ".width")), File_Width(12)) << column;
}

TEST_F(Spreadsheet_Objects_Test, ValuesReadBackAsTheProgramWorksThemOut)
{
    Open_Book();
    Put_Range(L"A1", L"Value2", _variant_t(2.0));
    Put_Range(L"A2", L"Formula", _variant_t(L"=A1*(3+4)/2"));
    Put_Range(L"A3", L"Formula", _variant_t(L"=A2/0"));
    Put_Range(L"A4", L"Formula", _variant_t(L"=A4+1"));
    Put_Range(L"A5", L"Formula", _variant_t(L"Text"));
    struct Case {
        const wchar_t* cell;
        VARTYPE type;
        double number;
        const wchar_t* text;
    } cases[] = {{L"A1", VT_R8, 2.0, nullptr},      {L"A2", VT_R8, 7.0, nullptr},
                 {L"A3", VT_BSTR, 0, L"#DIV/0!"}, {L"A4", VT_BSTR, 0, L"#REF!"},
                 {L"A5", VT_BSTR, 0, L"Text"},    {L"A6", VT_EMPTY, 0, nullptr}};
    for (const Case& c : cases) {
        CComPtr<IDispatch> range;
        range.Attach(Range(c.cell));
        _variant_t value;
        ASSERT_EQ(Invoke(range, DISPATCH_PROPERTYGET, L"Value", &value, {}), S_OK);
        EXPECT_EQ(value.vt, c.type) << platform::To_Utf8(c.cell);
        if (c.type == VT_R8) {
            EXPECT_DOUBLE_EQ(value.dblVal, c.number);
        } else if (c.type == VT_BSTR) {
            EXPECT_STREQ(value.bstrVal, c.text);
        }
    }
}

TEST_F(Spreadsheet_Objects_Test, AutoFitMeasuresTheShownTextsOfWholeColumns)
{
    Open_Book();
    Put_Range(L"A1", L"Value2", _variant_t(L"纸张规格"));          // 4 wide characters: 8
    Put_Range(L"A2", L"Value2", _variant_t(L"KV_A1"));             // 5
    Put_Range(L"B1", L"Value2", _variant_t(L"abcdefghij"));        // 10 at size 22: 20
    Put_Part(L"B1", L"Font", L"Size", _variant_t(22.0));
    Put_Range(L"C1", L"Value2", _variant_t(1.0 / 3.0));           // General: 0.333333333 (11)
    Put_Range(L"D1", L"Value2", _variant_t(2.0));
    Put_Range(L"D1", L"NumberFormat", _variant_t(L"0.00"));        // "2.00": 4
    Put_Range(L"A3", L"Value2", _variant_t(L"a merged text that is long"));
    {
        CComPtr<IDispatch> merged;
        merged.Attach(Range(L"A3", L"B3"));
        EXPECT_EQ(Invoke(merged, DISPATCH_METHOD, L"Merge", nullptr, {}), S_OK);
    }
    CComPtr<IDispatch> cells, columns, one_cell;
    cells.Attach(Range(L"A1", L"E1"));
    // Only entire columns fit.
    std::wstring description;
    EXPECT_EQ(Invoke(cells, DISPATCH_METHOD, L"AutoFit", nullptr, {}, &description), DISP_E_EXCEPTION);
    EXPECT_FALSE(description.empty());
    columns.Attach(Get_Object(cells, L"EntireColumn"));
    ASSERT_EQ(Invoke(columns, DISPATCH_METHOD, L"AutoFit", nullptr, {}), S_OK);
    const std::pair<const wchar_t*, double> widths[] = {
        {L"A1", 9.0}, {L"B1", 21.0}, {L"C1", 12.0}, {L"D1", 5.0}, {L"E1", 8.43}};
    for (const auto& [cell, width] : widths) {
        one_cell.Attach(Range(cell));
        CComPtr<IDispatch> column;
        column.Attach(Get_Object(one_cell, L"EntireColumn"));
        _variant_t value;
        ASSERT_EQ(Invoke(column, DISPATCH_PROPERTYGET, L"ColumnWidth", &value, {}), S_OK);
        EXPECT_DOUBLE_EQ(value.dblVal, width) << platform::To_Utf8(cell);
    }
    // Across columns of different widths the width is unknown.
    _variant_t mixed;
    ASSERT_EQ(Invoke(columns, DISPATCH_PROPERTYGET, L"ColumnWidth", &mixed, {}), S_OK);
    EXPECT_EQ(mixed.vt, VT_NULL);
}

TEST_F(Spreadsheet_Objects_Test, RefusedCallsDescribeWhatFailed)
{
    Open_Book();
    std::wstring description;
    // Sheet names: length, characters, uniqueness.
    for (const wchar_t* name : {L"", L"a/b", L"[x]", L"0123456789012345678901234567890123"}) {
        const _variant_t value(name);
        EXPECT_EQ(Invoke(m_Sheet, DISPATCH_PROPERTYPUT, L"Name", nullptr, {&value}, &description), DISP_E_EXCEPTION)
            << platform::To_Utf8(name);
        EXPECT_FALSE(description.empty());
    }
    const _variant_t bad_corner(L"A0"), bad_style(static_cast<LONG>(99)), huge(300.0);
    EXPECT_EQ(Invoke(m_Sheet, DISPATCH_PROPERTYGET, L"Range", nullptr, {&bad_corner}), DISP_E_EXCEPTION);
    CComPtr<IDispatch> range, column;
    range.Attach(Range(L"B2"));
    EXPECT_EQ(Invoke(range, DISPATCH_METHOD, L"BorderAround", nullptr, {&bad_style}), DISP_E_EXCEPTION);
    column.Attach(Get_Object(range, L"EntireColumn"));
    EXPECT_EQ(Put(column, L"ColumnWidth", huge), DISP_E_EXCEPTION);
    EXPECT_EQ(Invoke(range, DISPATCH_METHOD, L"NoSuchMember", nullptr, {}), DISP_E_UNKNOWNNAME);

    CComPtr<IDispatch> books;
    books.Attach(Get_Object(m_App, L"Workbooks"));
    const _variant_t template_path(L"C:\\book.xltx"), two(static_cast<SHORT>(2));
    EXPECT_EQ(Invoke(books, DISPATCH_METHOD, L"Add", nullptr, {&template_path}), DISP_E_EXCEPTION);
    CComPtr<IDispatch> book, sheets;
    const _variant_t first(static_cast<LONG>(1));
    book.Attach(Get_Object(books, L"Item", {&first}));
    sheets.Attach(Get_Object(book, L"Worksheets"));
    EXPECT_EQ(Invoke(sheets, DISPATCH_PROPERTYGET, L"Item", nullptr, {&two}), DISP_E_BADINDEX);
    // Nothing was shown: nothing saved.
    EXPECT_TRUE(platform::ShellLog.empty());
}

TEST_F(Spreadsheet_Objects_Test, AShownWorkbookNeverOverwritesAnEarlierFile)
{
    const std::filesystem::path earlier = Documents_File(L"Book1.xlsx");
    std::filesystem::create_directories(earlier.parent_path());
    std::ofstream(earlier) << "the user's own file";
    Open_Book();
    Put_Range(L"A1", L"Value2", _variant_t(L"new"));
    ASSERT_EQ(Show(), S_OK);
    std::ifstream kept(earlier);
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ(text, "the user's own file");
    EXPECT_EQ(At(Read_Xlsx(Documents_File(L"Book2.xlsx")), "Sheet1!A1.value"), "new");
    ASSERT_EQ(platform::ShellLog.size(), 1u);
    EXPECT_NE(platform::ShellLog[0].file.find(L"Book2.xlsx"), std::wstring::npos);
}

TEST_F(Spreadsheet_Objects_Test, KetNamesItsWorkbooksItsOwnWay)
{
    Open_Book(L"Ket.Application");
    ASSERT_EQ(Show(), S_OK);
    EXPECT_TRUE(std::filesystem::exists(Documents_File(L"工作簿1.xlsx")));
}

TEST_F(Spreadsheet_Objects_Test, ChangesAfterShowingAreSavedWhenTheLastReferenceGoes)
{
    Open_Book();
    ASSERT_EQ(Show(), S_OK);
    Put_Range(L"A1", L"Value2", _variant_t(L"later"));
    m_Sheet.Release();
    m_App.Release();
    EXPECT_EQ(At(Read_Xlsx(Documents_File(L"Book1.xlsx")), "Sheet1!A1.value"), "later");
    EXPECT_EQ(platform::ShellLog.size(), 1u);
}

TEST_F(Spreadsheet_Objects_Test, ShowingFailsWhenDocumentsCannotBeWritten)
{
    const std::wstring documents = platform::Machine::instance().documents_folder();
    const auto cases = Unwritable_Folder_Cases(documents, 100, [documents] { return documents + L"\\Book1.xlsx"; }, 300);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform::ShellLog.clear();
        Open_Book();
        c.make_unwritable();
        std::wstring description;
        const _variant_t yes(true);
        EXPECT_EQ(Invoke(m_App, DISPATCH_PROPERTYPUT, L"Visible", nullptr, {&yes}, &description), DISP_E_EXCEPTION);
        c.undo();
        EXPECT_NE(description.find(L"Cannot save '" + documents + L"\\Book1.xlsx'"), std::wstring::npos)
            << platform::To_Utf8(description);
        EXPECT_TRUE(platform::ShellLog.empty());
        EXPECT_FALSE(std::filesystem::exists(Documents_File(L"Book1.xlsx")));
        m_Sheet.Release();
        m_App.Release();
    }
}

TEST(Spreadsheet_Model, FormulasNumberFormatsAndReferences)
{
    using namespace platform::spreadsheet;
    Worksheet sheet(L"Sheet1");
    sheet.at(1, 1).kind = Cell::Number;
    sheet.at(1, 1).number = 4;
    sheet.at(2, 1).kind = Cell::Text;
    sheet.at(2, 1).text = L"x";
    sheet.at(3, 1).formula = L"=A1*2";
    const std::pair<const wchar_t*, const wchar_t*> formulas[] = {
        {L"=A1+A3", L"12"},        {L"=-A1^2", L"16"},     {L"=SUM(A1:A3)", L"12"}, {L"=SUM(A1, 1, $A$3)", L"13"},
        {L"=A2+1", L"#VALUE!"},    {L"=(1+2", L"#NAME?"},  {L"=FOO(1)", L"#NAME?"}, {L"=SUM(A1:A3)/(A1-4)", L"#DIV/0!"}};
    for (const auto& [formula, expected] : formulas) {
        Formula_Value value = Evaluate_Formula(sheet, formula);
        std::wstring shown = value.error.empty() ? Format_Number(value.number, L"General") : value.error;
        EXPECT_EQ(shown, expected) << platform::To_Utf8(formula);
    }
    const std::tuple<double, const wchar_t*, const wchar_t*> numbers[] = {
        {1, L"00", L"01"},         {12, L"00", L"12"},      {2.5, L"0", L"3"},      {0.5, L"0.0", L"0.5"},
        {5, L"0.00", L"5.00"},     {11.336, L"0.0000", L"11.3360"}, {-0.001, L"0.00", L"0.00"},
        {1234567, L"#,##0", L"1234567"}, {1.0 / 3, L"General", L"0.333333333"}, {1e20, L"General", L"1E+20"}};
    for (const auto& [value, format, shown] : numbers)
        EXPECT_EQ(Format_Number(value, format), shown) << value << " " << platform::To_Utf8(format);
    int row = 0, column = 0;
    EXPECT_TRUE(Parse_Cell_Reference(L"$ZZ$702", row, column));
    EXPECT_EQ(column, 702);
    EXPECT_EQ(row, 702);
    for (const wchar_t* bad : {L"A0", L"1A", L"A", L"ABCD1", L"A1B", L""})
        EXPECT_FALSE(Parse_Cell_Reference(bad, row, column)) << platform::To_Utf8(bad);
    Area area;
    ASSERT_TRUE(Parse_Area(L"G3:A1", area));
    EXPECT_EQ(area.first_row, 1);
    EXPECT_EQ(area.last_column, 7);
}

}  // namespace
