// The paper statistics of the batch plot to paper window: the copies of the listed sheets
// per paper of the printer, with unit price and subtotals as formulas, in sheet "纸张统计".
#include <utility>
#include <vector>

#include "dialogs/dlg_bplot3.h"
#include "dialogs/paper_statistics.h"
#include "dialogs/spreadsheet_writer.h"
#include "win/win_msgbox.h"

namespace {

constexpr int Centred = 1;

struct Paper_Group {
    CString name;
    int copies;
};

}  // namespace

void Dlg_BPlot3::Export_Paper_Statistics()
{
    std::vector<Paper_Group> groups;
    for (INT_PTR i = 0; i < Sheet_Set.Plot_List.GetSize(); ++i) {
        const Plot_Drawing1* sheet = Sheet_Set.Plot_List[i];
        size_t k = 0;
        while (k < groups.size() && groups[k].name.CompareNoCase(sheet->Paper_Name) != 0) ++k;
        if (k == groups.size())
            groups.push_back({sheet->Paper_Name, sheet->Copies});
        else
            groups[k].copies += sheet->Copies;
    }
    if (groups.empty()) {
        MessageBoxW(GetSafeHwnd(), L"无纸张可统计 !", L"纸张统计", MB_OK | MB_ICONINFORMATION);
        return;
    }
    for (Paper_Group& group : groups) group.name = Get_Display_Media(group.name);
    for (size_t a = 0; a + 1 < groups.size(); ++a)
        for (size_t b = a + 1; b < groups.size(); ++b)
            if (groups[b].name.Compare(groups[a].name) < 0)
                std::swap(groups[a], groups[b]);

    Spreadsheet_Writer writer;
    if (!Start_Statistics_Workbook(writer, 5))
        return;
    const double widths[] = {8, 20, 15, 15, 15};
    for (int column = 1; column <= 5; ++column) {
        writer.Select_Range(column, 1, -1, 1);
        writer.Set_Column_Width(widths[column - 1]);
    }

    const wchar_t* const headers[] = {L"序 号", L"纸张规格", L"张 数", L"单 价", L"小 计"};
    for (int column = 1; column <= 5; ++column) {
        writer.Select_Range(column, 2, -1, 2);
        writer.Set_Text(headers[column - 1]);
        writer.Set_Border(1, 2, 1);
    }
    writer.Select_Range(1, 2, 5, 2);
    writer.Set_Border(1, 3, 1);
    writer.Set_Font(1, 11, 0);
    writer.Set_Alignment(Centred);
    writer.Set_Row_Height(19);
    writer.Set_Fill_Color(Statistics_Header_Fill);

    const int first = 3;
    for (size_t k = 0; k < groups.size(); ++k) {
        const int row = first + static_cast<int>(k);
        CString formula;
        writer.Select_Range(1, row, -1, row);
        writer.Set_Border(1, 2, 1);
        writer.Set_Number_Format(L"00");
        writer.Set_Number(static_cast<double>(k + 1));

        writer.Select_Range(2, row, -1, row);
        writer.Set_Border(1, 2, 1);
        writer.Set_Text(groups[k].name);

        writer.Select_Range(3, row, -1, row);
        writer.Set_Border(1, 2, 1);
        writer.Set_Number_Format(L"0");
        writer.Set_Number(groups[k].copies);

        writer.Select_Range(4, row, -1, row);
        writer.Set_Border(1, 2, 1);
        writer.Set_Number_Format(L"0.00");
        writer.Set_Number(5);

        writer.Select_Range(5, row, -1, row);
        writer.Set_Border(1, 2, 1);
        writer.Set_Number_Format(L"0.00");
        formula.Format(L"=C%d*D%d", row, row);
        writer.Set_Formula(formula);
    }
    const int last = first + static_cast<int>(groups.size()) - 1;
    writer.Select_Range(1, first, 5, last);
    writer.Set_Border(1, 3, 1);
    writer.Set_Font(0, 11, 0);
    writer.Set_Alignment(Centred);
    writer.Set_Row_Height(19);
    writer.Select_Range(4, first, 4, last);
    writer.Set_Font(0, 11, Statistics_Red);

    const int sum_row = last + 1;
    CString formula;
    writer.Select_Range(1, sum_row, -1, sum_row);
    writer.Set_Text(L"汇 总 ");
    writer.Set_Border(1, 2, 1);
    writer.Set_Alignment(Centred);

    writer.Select_Range(3, sum_row, -1, sum_row);
    writer.Set_Alignment(Centred);
    writer.Set_Border(1, 2, 1);
    writer.Set_Number_Format(L"0");
    formula.Format(L"=SUM(C%d:C%d)", first, last);
    writer.Set_Formula(formula);

    writer.Select_Range(5, sum_row, -1, sum_row);
    writer.Set_Border(1, 2, 1);
    writer.Set_Number_Format(L"0.00");
    formula.Format(L"=SUM(E%d:E%d)", first, last);
    writer.Set_Formula(formula);

    writer.Select_Range(1, sum_row, 5, sum_row);
    writer.Set_Font(1, 11, 0);
    writer.Set_Fill_Color(Statistics_Total_Fill);
    writer.Set_Border(1, 3, 1);
    writer.Set_Alignment(Centred);
    writer.Set_Row_Height(19);

    Show_Statistics_Workbook(writer);
}
