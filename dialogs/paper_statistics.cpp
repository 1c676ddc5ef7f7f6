#include "dialogs/paper_statistics.h"

#include <cmath>
#include <vector>

#include "dialogs/spreadsheet_writer.h"

namespace {

struct Standard_Size {
    double area;  // mm²
    double step;  // one A4 sheet in sheets of this size
    const wchar_t* name;
};

const Standard_Size Standards[] = {
    {62370.0, 1.0, L"A4"}, {124740.0, 0.5, L"A3"}, {249480.0, 0.25, L"A2"}, {499554.0, 0.125, L"A1"},
    {999949.0, 0.0625, L"A0"}};

double Paper_Area(const MyPaper* paper) { return static_cast<double>(paper->Long_Side) * paper->Short_Side; }

bool Near_Whole(double value)
{
    return std::fabs(value - std::trunc(value)) < 1e-5 || std::fabs(value - std::trunc(value + 1.0)) < 1e-5;
}

const int Centre = 1;

}  // namespace

bool Start_Statistics_Workbook(Spreadsheet_Writer& writer, int last_column)
{
    if (!writer.Start())
        return false;
    CComPtr<IDispatch> sheet;
    if (writer.First_Sheet(sheet)) {
        const _variant_t name(L"纸张统计");
        Sheet_Call(writer, sheet, DISPATCH_PROPERTYPUT, L"Name", nullptr, {&name});
    }
    writer.Select_Range(1, 1, last_column, 1);
    writer.Merge();
    writer.Set_Text(L"Korvel批量打印---纸张统计");
    writer.Set_Border(1, 3, 1);
    writer.Set_Font(1, 14, 0);
    writer.Set_Alignment(Centre);
    writer.Set_Row_Height(30);
    writer.Set_Fill_Color(Statistics_Title_Fill);
    return true;
}

void Show_Statistics_Workbook(Spreadsheet_Writer& writer)
{
    CComPtr<IDispatch> sheet;
    if (writer.First_Sheet(sheet))
        Sheet_Call(writer, sheet, DISPATCH_METHOD, L"Activate", nullptr, {});
    writer.Show();
}

double Paper_Standard_Factor(const MyPaper& paper, int standard)
{
    const Standard_Size& size = Standards[standard - 1];
    double factor = Paper_Area(&paper) / size.area;
    const double steps = factor / size.step;
    // A paper is never counted as no sheet at all: the lower snap needs a whole step.
    if (std::trunc(steps) >= 1.0 && std::fabs(steps - std::trunc(steps)) < 0.066)
        factor = size.step * std::trunc(steps);
    else if (std::fabs(steps - std::trunc(steps + 1.0)) < 0.066)
        factor = size.step * std::trunc(steps + 1.0);
    return factor;
}

CString Statistics_Number_Format(double value)
{
    if (Near_Whole(value) && value >= 0.5)
        return L"0";
    if (Near_Whole(10.0 * value) && value >= 0.05)
        return L"0.0";
    if (Near_Whole(100.0 * value) && value >= 0.005)
        return L"0.00";
    if (Near_Whole(1000.0 * value) && value >= 0.0005)
        return L"0.000";
    return L"0.0000";
}

void Export_Paper_Statistics(const Paper_Array& paper_list, const CUIntArray& count_list, int standard)
{
    const int n = static_cast<int>(paper_list.GetSize());
    if (n == 0 || count_list.GetSize() != paper_list.GetSize() || standard < Paper_Standard_A4 ||
        standard > Paper_Standard_A0)
        return;
    // Smallest paper first; equal areas keep their order.
    std::vector<const MyPaper*> papers;
    std::vector<UINT> counts;
    for (int i = 0; i < n; ++i) {
        papers.push_back(paper_list[i]);
        counts.push_back(count_list[i]);
    }
    for (int pass = 0; pass < n - 1; ++pass)
        for (int i = 0; i < n - 1 - pass; ++i)
            if (Paper_Area(papers[i + 1]) < Paper_Area(papers[i])) {
                std::swap(papers[i], papers[i + 1]);
                std::swap(counts[i], counts[i + 1]);
            }

    Spreadsheet_Writer writer;
    if (!Start_Statistics_Workbook(writer, 7))
        return;
    writer.Select_Range(1, 1, -1, 1);
    writer.Set_Column_Width(8);
    for (int column = 2; column <= 7; ++column) {
        writer.Select_Range(column, 1, -1, 1);
        writer.Set_Column_Width(15);
    }

    const CString standard_name = Standards[standard - 1].name;
    struct Header_Cell {
        int first_column, first_row, last_column, last_row;
        CString text;
    };
    const Header_Cell merged_headers[] = {{1, 2, 1, 3, L"序 号"},
                                          {2, 2, 2, 3, L"纸张规格"},
                                          {3, 2, 3, 3, L"张 数"},
                                          {4, 2, 5, 2, L"折合成" + standard_name}};
    for (const Header_Cell& cell : merged_headers) {
        writer.Select_Range(cell.first_column, cell.first_row, cell.last_column, cell.last_row);
        writer.Merge();
        writer.Set_Text(cell.text);
        writer.Set_Border(1, 2, 1);
    }
    writer.Select_Range(6, 2, -1, 2);
    writer.Set_Text(standard_name + L"单价： ");
    writer.Set_Border(0, 2, 1);
    writer.Select_Range(7, 2, -1, 2);
    writer.Set_Number_Format(L"0.00");
    writer.Set_Number(5);
    writer.Set_Border(0, 2, 1);
    const Header_Cell row3_headers[] = {
        {4, 3, -1, 3, L"单张折合系数"}, {5, 3, -1, 3, L"折合张数"}, {6, 3, -1, 3, L"单 价"}, {7, 3, -1, 3, L"小 计"}};
    for (const Header_Cell& cell : row3_headers) {
        writer.Select_Range(cell.first_column, cell.first_row, cell.last_column, cell.last_row);
        writer.Set_Text(cell.text);
        writer.Set_Border(1, 2, 1);
    }
    writer.Select_Range(1, 2, 7, 3);
    writer.Set_Border(1, 3, 1);
    writer.Set_Font(1, 11, 0);
    writer.Set_Alignment(Centre);
    writer.Set_Row_Height(15);
    writer.Set_Fill_Color(Statistics_Header_Fill);
    writer.Select_Range(6, 2, -1, 2);
    writer.Set_Alignment(2);
    writer.Select_Range(7, 2, -1, 2);
    writer.Set_Font(1, 11, Statistics_Red);
    writer.Set_Alignment(0);

    double total_sheets = 0.0;
    for (int k = 0; k < n; ++k) {
        const int row = 4 + k;
        const double factor = Paper_Standard_Factor(*papers[k], standard);
        const double sheets = factor * counts[k];
        total_sheets += sheets;
        CString formula;

        writer.Select_Range(1, row, -1, row);
        writer.Set_Number_Format(L"00");
        writer.Set_Number(k + 1);
        writer.Set_Border(1, 2, 1);

        writer.Select_Range(2, row, -1, row);
        writer.Set_Text(papers[k]->Get_Display_Name(false, false));
        writer.Set_Border(1, 2, 1);

        writer.Select_Range(3, row, -1, row);
        writer.Set_Number_Format(L"0");
        writer.Set_Number(counts[k]);
        writer.Set_Border(1, 2, 1);

        writer.Select_Range(4, row, -1, row);
        writer.Set_Number_Format(Statistics_Number_Format(factor));
        writer.Set_Number(factor);
        writer.Set_Border(1, 2, 1);

        writer.Select_Range(5, row, -1, row);
        writer.Set_Number_Format(Statistics_Number_Format(sheets));
        formula.Format(L"=C%d*D%d", row, row);
        writer.Set_Formula(formula);
        writer.Set_Border(1, 2, 1);

        writer.Select_Range(6, row, -1, row);
        writer.Set_Number_Format(L"0.00");
        formula.Format(L"=G2*D%d", row);
        writer.Set_Formula(formula);
        writer.Set_Border(1, 2, 1);

        writer.Select_Range(7, row, -1, row);
        writer.Set_Number_Format(L"0.00");
        formula.Format(L"=F%d*C%d", row, row);
        writer.Set_Formula(formula);
        writer.Set_Border(1, 2, 1);
    }
    const int last_row = 3 + n;
    writer.Select_Range(1, 4, 7, last_row);
    writer.Set_Border(1, 3, 1);
    writer.Set_Font(0, 11, 0);
    writer.Set_Alignment(Centre);
    writer.Set_Row_Height(19);

    const int total_row = 4 + n;
    CString formula;
    writer.Select_Range(1, total_row, -1, total_row);
    writer.Merge();
    writer.Set_Text(L"汇 总 ");
    writer.Set_Border(1, 2, 1);
    writer.Set_Alignment(Centre);

    writer.Select_Range(3, total_row, -1, total_row);
    writer.Set_Border(1, 2, 1);
    writer.Set_Alignment(Centre);
    writer.Set_Number_Format(L"0");
    formula.Format(L"=SUM(C%d:C%d)", 4, last_row);
    writer.Set_Formula(formula);

    writer.Select_Range(5, total_row, -1, total_row);
    writer.Set_Border(1, 2, 1);
    writer.Set_Alignment(Centre);
    writer.Set_Number_Format(Statistics_Number_Format(total_sheets));
    formula.Format(L"=SUM(E%d:E%d)", 4, last_row);
    writer.Set_Formula(formula);

    writer.Select_Range(7, total_row, -1, total_row);
    writer.Set_Border(1, 2, 1);
    writer.Set_Number_Format(L"0.00");
    formula.Format(L"=SUM(G%d:G%d)", 4, last_row);
    writer.Set_Formula(formula);

    writer.Select_Range(1, total_row, 7, total_row);
    writer.Set_Font(1, 11, 0);
    writer.Set_Fill_Color(Statistics_Total_Fill);
    writer.Set_Border(1, 3, 1);
    writer.Set_Alignment(Centre);
    writer.Set_Row_Height(19);

    writer.Select_Range(2, 2, 3, total_row);
    writer.Set_Border(1, 3, 1);
    writer.Select_Range(4, 2, 5, total_row);
    writer.Set_Border(1, 3, 1);

    Show_Statistics_Workbook(writer);
}
