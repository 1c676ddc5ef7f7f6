// The spreadsheet program of the emulated machine, an automation server that answers to
// the class names "Excel.Application" and "Ket.Application" (com/objbase.h). It is driven
// late-bound (IDispatch::Invoke), like the real program:
//   Application: Workbooks, Visible, UserControl, Name
//   Workbooks:   Add([template]) (the template must be omitted), Count, Item(n | name)
//   Workbook:    Worksheets, Name
//   Worksheets:  Item(n | name) (n from 1), Count
//   Worksheet:   Name (1..31 characters, none of : \ / ? * [ ], unique), Activate(),
//                Range("A1"[, "G3"]) or Range("A1:G3"), Cells(row, column)
//   Range:       Value, Value2, Formula, NumberFormat, HorizontalAlignment,
//                VerticalAlignment, Font (Bold, Size, Color), Interior (Color),
//                BorderAround([LineStyle], [Weight], [ColorIndex], [Color]),
//                Merge([Across]), EntireRow, EntireColumn, RowHeight, ColumnWidth,
//                AutoFit() (of entire columns)
// A value put into a range goes into each of its cells but those hidden under a merged
// area; a property read from a range is its first cell's (RowHeight and ColumnWidth give
// VT_NULL when they differ across the range). Formula takes "=..." as a formula and any
// other text as typed: a number when it reads as one, else text. Colours are 0x00BBGGRR;
// BorderAround with line style 0 draws nothing. A new workbook has one sheet, "Sheet1",
// and is named "Book<n>" ("工作簿<n>" for "Ket.Application").
// Making the application visible shows its workbooks: each is saved as "<name>.xlsx" in
// the Documents folder (a workbook shown for the first time takes the first number whose
// file is not there yet, so that no earlier file is overwritten) and opened through the
// shell (ShellExecuteW "open", recorded in platform::ShellLog). When the last reference
// to a visible application goes, its workbooks are saved again with what changed since.
// A call the program refuses returns DISP_E_EXCEPTION with a description.
#pragma once

#include "com/combase.h"

namespace platform {

extern const wchar_t* const Spreadsheet_Class_Names[2];

// The machine switch: with false neither class name is on the machine (kept under the
// machine root, see Set_Automation_Class_Installed).
void Set_Spreadsheet_Installed(bool installed);

// Automation objects of the program that callers or other objects still hold.
LONG Spreadsheet_Objects_Alive();

}  // namespace platform
