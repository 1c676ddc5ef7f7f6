// The workbooks of the title-block window's pop-up menu: the paper count, the file list and
// the catalogue of the listed sheets.
#include "dialogs/dlg_bplot2.h"
#include "dialogs/paper_statistics.h"
#include "dialogs/result_window_parts.h"
#include "dialogs/spreadsheet_writer.h"
#include "res/resource.h"
#include "sheets/paper_scale.h"
#include "sheets/paper_table.h"
#include "titleblock/tk_library.h"

namespace {

constexpr long Export_Title_Fill = 0xB4E0C6;
constexpr long Export_Header_Fill = 0xCCF2FF;
constexpr int Align_Centre = 1;

// Frame, font, centring and row height of the selected range.
void Block_Style(Spreadsheet_Writer& writer, int bold, double size, double height)
{
    writer.Set_Border(1, 3, 1);
    writer.Set_Font(bold, size, 0);
    writer.Set_Alignment(Align_Centre);
    writer.Set_Row_Height(height);
}

void Name_First_Sheet(Spreadsheet_Writer& writer, const wchar_t* name)
{
    CComPtr<IDispatch> sheet;
    if (!writer.First_Sheet(sheet))
        return;
    const _variant_t value(name);
    Sheet_Call(writer, sheet, DISPATCH_PROPERTYPUT, L"Name", nullptr, {&value});
}

void Write_Title(Spreadsheet_Writer& writer, int last_column, const wchar_t* text)
{
    writer.Select_Range(1, 1, last_column, 1);
    writer.Merge();
    writer.Set_Text(text);
    Block_Style(writer, 1, 14, 30);
    writer.Set_Fill_Color(Export_Title_Fill);
}

CString Title_In_One_Line(const CString& title)
{
    CString text = title;
    text.Replace(Line_Break_Marker, L"  ");
    return text;
}

CString Paper_Text(Plot_Drawing2& sheet)
{
    MyPaper paper(297, 210);
    return sheet.Match_Paper(&paper) ? paper.Get_Display_Name(false, sheet.Portrait) : CString();
}

// The cell of a catalogue column kind for the sheet at position `number` (from 1).
void Write_Catalogue_Cell(Spreadsheet_Writer& writer, int kind, Plot_Drawing2& sheet, int number)
{
    switch (kind) {
    case 0:
        writer.Set_Number_Format(L"00");
        writer.Set_Number(number);
        break;
    case 1: writer.Set_Text(sheet.Text[0]); break;
    case 2: writer.Set_Text(sheet.Text[1]); break;
    case 3: writer.Set_Text(Title_In_One_Line(sheet.Text[2])); break;
    case 4: writer.Set_Text(sheet.Text[3]); break;
    case 5: writer.Set_Text(sheet.Text[4]); break;
    case 6: writer.Set_Text(sheet.Text[5]); break;
    case 7: writer.Set_Text(Paper_Text(sheet)); break;
    case 8:
        writer.Set_Number_Format(L"@");
        writer.Set_Text(Format_Scale_Text(sheet.Plot_Scale));
        break;
    default: break;
    }
}

const wchar_t* Catalogue_Header(int kind)
{
    const wchar_t* const headers[] = {L"序 号", L"图 号", L"版 次", L"图 名", L"日 期",
                                      L"信息1", L"信息2", L"图 幅", L"比 例"};
    return kind >= 0 && kind <= 8 ? headers[kind] : L"";
}

}  // namespace

UINT Dlg_BPlot2::List_Menu() const { return Dwg_Output() ? 0 : IDR_BPLOT2_MENU; }

void Dlg_BPlot2::On_Statistics(UINT command_id)
{
    if (const int standard = Paper_Standard_Of(
            command_id, {ID_BP2_COUNT_A4, ID_BP2_COUNT_A3, ID_BP2_COUNT_A2, ID_BP2_COUNT_A1, ID_BP2_COUNT_A0}))
        Paper_Statistics(standard);
}

void Dlg_BPlot2::On_Export_File_List() { Export_File_List(); }

void Dlg_BPlot2::On_Export_Catalogue() { Export_Catalogue(); }

void Dlg_BPlot2::Paper_Statistics(int standard) { Count_Listed_Papers(standard); }

void Dlg_BPlot2::Export_File_List()
{
    Spreadsheet_Writer writer;
    if (!writer.Start())
        return;
    Name_First_Sheet(writer, L"文件清单");
    const double widths[] = {8, 50, 10, 10, 10, 10, 15, 50};
    for (int column = 1; column <= 8; ++column) {
        writer.Select_Range(column, 1, -1, 1);
        writer.Set_Column_Width(widths[column - 1]);
    }
    Write_Title(writer, 8, L"Korvel批量打印---文件清单");
    const wchar_t* const headers[] = {L"序 号", L"文 件 名", L"纸 张", L"比 例",
                                      L"图 号", L"版 次", L"日 期", L"图 名"};
    for (int column = 1; column <= 8; ++column) {
        writer.Select_Range(column, 2, -1, 2);
        writer.Set_Text(headers[column - 1]);
        writer.Set_Border(1, 2, 1);
    }
    writer.Select_Range(1, 2, 8, 2);
    Block_Style(writer, 1, 11, 19);
    writer.Set_Fill_Color(Export_Header_Fill);

    const int count = static_cast<int>(Sheet_List.Sheets.GetSize());
    for (int k = 0; k < count; ++k) {
        Plot_Drawing2& sheet = *Sheet_List.Sheets[k];
        const int row = k + 3;
        const CString texts[] = {CString(), Shown_File_Name(sheet.File_Name), Paper_Text(sheet),
                                 Format_Scale_Text(sheet.Plot_Scale), sheet.Text[0], sheet.Text[1], sheet.Text[3],
                                 Title_In_One_Line(sheet.Text[2])};
        for (int column = 1; column <= 8; ++column) {
            writer.Select_Range(column, row, -1, row);
            writer.Set_Border(1, 2, 1);
            if (column == 1) {
                writer.Set_Number_Format(L"00");
                writer.Set_Number(k + 1);
                continue;
            }
            if (column == 4)
                writer.Set_Number_Format(L"@");
            writer.Set_Text(texts[column - 1]);
        }
    }
    if (count > 0) {
        writer.Select_Range(1, 3, 8, count + 2);
        Block_Style(writer, 0, 11, 19);
    }
    writer.Fit_Columns(1, 8, 5);
    Show_Statistics_Workbook(writer);
}

void Dlg_BPlot2::Export_Catalogue()
{
    const int columns = static_cast<int>(g_TK_Library.Cat_Col_Kinds.GetSize());
    if (columns == 0) {
        MessageBoxW(GetSafeHwnd(), L"目录内容设置为空 !\n\n请先在 <图框信息录入> 中填写 <目录生成配置> !",
                    L"Korvel打印", MB_OK | MB_ICONQUESTION);
        return;
    }
    Spreadsheet_Writer writer;
    if (!writer.Start())
        return;
    Name_First_Sheet(writer, L"目 录");
    for (int column = 1; column <= columns; ++column) {
        writer.Select_Range(column, 1, -1, 1);
        writer.Set_Column_Width(10);
    }
    Write_Title(writer, columns, L"Korvel批量打印---目 录");
    for (int column = 1; column <= columns; ++column) {
        writer.Select_Range(column, 2, -1, 2);
        writer.Set_Border(1, 2, 1);
        writer.Set_Text(Catalogue_Header(g_TK_Library.Cat_Col_Kinds[column - 1]));
    }
    writer.Select_Range(1, 2, columns, 2);
    Block_Style(writer, 1, 11, 19);
    writer.Set_Fill_Color(Export_Header_Fill);

    const int count = static_cast<int>(Sheet_List.Sheets.GetSize());
    for (int k = 1; k <= count; ++k) {
        Plot_Drawing2& sheet = *Sheet_List.Sheets[k - 1];
        for (int column = 1; column <= columns; ++column) {
            writer.Select_Range(column, k + 2, -1, k + 2);
            writer.Set_Border(1, 2, 1);
            Write_Catalogue_Cell(writer, g_TK_Library.Cat_Col_Kinds[column - 1], sheet, k);
        }
    }
    if (count > 0) {
        writer.Select_Range(1, 3, columns, count + 2);
        Block_Style(writer, 0, 11, 19);
    }
    writer.Fit_Columns(1, 7, 5);
    Show_Statistics_Workbook(writer);
}
