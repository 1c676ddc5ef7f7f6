// The paper statistics workbook: the listed sheets per paper, converted into sheets of a
// standard size, with unit price and subtotals as formulas, in sheet "纸张统计".
#pragma once

#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "sheets/sheet_records.h"

// The colours of the paper statistics workbooks (blue in the high byte): a light green
// title, a light yellow header, a light grey total row, red prices.
constexpr long Statistics_Title_Fill = 0xB4E0C6;
constexpr long Statistics_Header_Fill = 0xCCF2FF;
constexpr long Statistics_Total_Fill = 0xDCDCDC;
constexpr long Statistics_Red = 0x0000FF;

class Spreadsheet_Writer;

// Starts a paper count workbook: worksheet 1 named "纸张统计", the title
// "Korvel批量打印---纸张统计" merged over columns 1..last_column. False when no spreadsheet
// program started (the writer said so).
bool Start_Statistics_Workbook(Spreadsheet_Writer& writer, int last_column);
// Activates worksheet 1 and shows the program with the workbook.
void Show_Statistics_Workbook(Spreadsheet_Writer& writer);

// Standards 1..5: A4, A3, A2, A1, A0.
constexpr int Paper_Standard_A4 = 1;
constexpr int Paper_Standard_A0 = 5;

// The paper's size in sheets of the standard: long x short side over the standard's area,
// snapped to a whole number of A4 sheets when within 0.066 of one (never to none).
double Paper_Standard_Factor(const MyPaper& paper, int standard);
// The number format that shows the value: "0", "0.0", "0.00", "0.000" or "0.0000".
CString Statistics_Number_Format(double value);

// Writes the workbook for the papers and the number of sheets of each (same index);
// nothing for an empty list, counts of another length or a standard outside 1..5.
void Export_Paper_Statistics(const Paper_Array& papers, const CUIntArray& counts, int standard);
