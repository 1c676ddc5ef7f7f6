// The one automation layer over the spreadsheet program: a new workbook in the program
// found under "Excel.Application" or else "Ket.Application", a current range that every
// value and format operation acts on, and the program shown at the end. The holders
// release their objects when the writer goes; the workbook stays open in the program.
// A call the program refuses ends the export there: every later operation does nothing,
// and Show tells the user with the program's own reason (a workbook it could not save is
// named there).
#pragma once

#include <initializer_list>

#include "com/comutil.h"
#include "mfc/afxstr.h"

// Column letters of column n >= 1: "A".."Z", then two letters up to 702 ("ZZ").
CString Column_Letters(int column);

class Spreadsheet_Writer {
public:
    // Starts the program with a new workbook and takes its first sheet; false (after the
    // message) when neither class name is there, or when the program refuses a step.
    bool Start();
    // The current range from the first to the last corner (1-based); last column -1 is
    // the single cell of the first corner.
    void Select_Range(int first_column, int first_row, int last_column, int last_row);
    void Merge();
    void Set_Text(const CString& text);
    void Set_Number(double value);
    // A formula, or a plain number given as text.
    void Set_Formula(const CString& formula);
    void Set_Number_Format(const CString& format);
    // 0 left, 2 right, anything else centre; vertically always centred.
    void Set_Alignment(int mode);
    void Set_Font(int bold, double size, long color);
    void Set_Fill_Color(long color);
    void Set_Border(int line_style, int weight, int color_index);
    void Set_Row_Height(double height);
    void Set_Column_Width(double width);
    void Auto_Fit_Columns();
    // Fits the columns first..last to row 1 and beyond, then widens each by extra (at most
    // 200, a whole number).
    void Fit_Columns(int first_column, int last_column, int extra);
    // Shows the program with the workbook; when a call was refused, the message of it.
    void Show();

    // The first worksheet, taken again (null once a call was refused).
    bool First_Sheet(CComPtr<IDispatch>& sheet);
    bool Failed() const { return m_Failed; }

    CComPtr<IDispatch> Application;
    CComPtr<IDispatch> Workbooks;
    CComPtr<IDispatch> Workbook;
    CComPtr<IDispatch> Worksheets;
    CComPtr<IDispatch> Worksheet;
    CComPtr<IDispatch> Range;

private:
    friend bool Sheet_Call(Spreadsheet_Writer& writer, IDispatch* object, WORD flags, const wchar_t* name,
                           VARIANT* result, std::initializer_list<const VARIANT*> args);
    // A property of the current range (Font, Interior, EntireRow, EntireColumn).
    bool Range_Part(const wchar_t* name, CComPtr<IDispatch>& part);

    // Marks the writer failed with the program's reason, the first one kept.
    void Fail(const wchar_t* member, const BSTR description);

    bool m_Failed = false;
    CString m_Failure;  // the program's reason of the first refusal
};

// A late-bound call of a member by name on one of the program's objects, arguments in
// their written order (a put takes its value as the only argument). False when the
// writer failed before or the program refuses the call, which marks the writer failed.
bool Sheet_Call(Spreadsheet_Writer& writer, IDispatch* object, WORD flags, const wchar_t* name, VARIANT* result,
                std::initializer_list<const VARIANT*> args);
