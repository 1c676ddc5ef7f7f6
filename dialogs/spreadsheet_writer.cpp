#include "dialogs/spreadsheet_writer.h"

#include <algorithm>
#include <vector>

#include "com/objbase.h"
#include "ed/host_window.h"
#include "mfc/afxwin.h"

namespace {

const wchar_t* const Class_Names[] = {L"Excel.Application", L"Ket.Application"};

bool Create_Program(const wchar_t* class_name, CComPtr<IDispatch>& application)
{
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(class_name, &clsid)))
        return false;
    return SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                      reinterpret_cast<void**>(&application)));
}

}  // namespace

// A late-bound call of a member by name with the arguments in their written order; a put
// takes its value as the last argument. The first refusal marks the writer failed.
bool Sheet_Call(Spreadsheet_Writer& writer, IDispatch* object, WORD flags, const wchar_t* name, VARIANT* result,
                std::initializer_list<const VARIANT*> args)
{
    if (writer.m_Failed || object == nullptr) {
        writer.Fail(name, nullptr);
        return false;
    }
    DISPID member = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, 0, &member))) {
        writer.Fail(name, nullptr);
        return false;
    }
    std::vector<VARIANT> reversed;
    for (auto it = std::rbegin(args); it != std::rend(args); ++it)
        reversed.push_back(**it);
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if ((flags & DISPATCH_PROPERTYPUT) != 0) {
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
    }
    EXCEPINFO exception{};
    HRESULT outcome = object->Invoke(member, IID_NULL, 0, flags, &params, result, &exception, nullptr);
    if (FAILED(outcome))
        writer.Fail(name, exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return SUCCEEDED(outcome);
}

void Spreadsheet_Writer::Fail(const wchar_t* member, const BSTR description)
{
    if (!m_Failed) {
        if (description != nullptr && *description != 0)
            m_Failure = description;
        else
            m_Failure.Format(L"表格程序未能执行 %s。", member);
    }
    m_Failed = true;
}

namespace {

// A property that is an object, taken into the holder.
bool Get_Object(Spreadsheet_Writer& writer, IDispatch* object, const wchar_t* name, CComPtr<IDispatch>& holder,
                std::initializer_list<const VARIANT*> args = {}, WORD flags = DISPATCH_PROPERTYGET)
{
    _variant_t result;
    if (!Sheet_Call(writer, object, flags, name, &result, args))
        return false;
    if (result.vt != VT_DISPATCH || result.pdispVal == nullptr)
        return false;
    holder.Attach(result.pdispVal);
    result.vt = VT_EMPTY;
    return true;
}

}  // namespace

CString Column_Letters(int column)
{
    CString letters;
    if (column <= 26)
        letters.Format(L"%c", static_cast<wchar_t>(L'A' + column - 1));
    else
        letters.Format(L"%c%c", static_cast<wchar_t>(L'A' + (column - 1) / 26 - 1),
                       static_cast<wchar_t>(L'A' + (column - 1) % 26));
    return letters;
}

bool Spreadsheet_Writer::Start()
{
    if (!Create_Program(Class_Names[0], Application) && !Create_Program(Class_Names[1], Application)) {
        AfxMessageBox(L"未找到 Excel 软件，请先安装 Excel !");
        return false;
    }
    const _variant_t item(static_cast<SHORT>(1));
    return Get_Object(*this, Application, L"Workbooks", Workbooks) &&
           Get_Object(*this, Workbooks, L"Add", Workbook, {&vtMissing}, DISPATCH_METHOD) &&
           Get_Object(*this, Workbook, L"Worksheets", Worksheets) &&
           Get_Object(*this, Worksheets, L"Item", Worksheet, {&item});
}

bool Spreadsheet_Writer::First_Sheet(CComPtr<IDispatch>& sheet)
{
    const _variant_t item(static_cast<SHORT>(1));
    return Get_Object(*this, Worksheets, L"Item", sheet, {&item});
}

void Spreadsheet_Writer::Select_Range(int first_column, int first_row, int last_column, int last_row)
{
    CString first, last;
    first.Format(L"%s%d", Column_Letters(first_column).GetString(), first_row);
    if (last_column == -1)
        last = first;
    else
        last.Format(L"%s%d", Column_Letters(last_column).GetString(), last_row);
    const _variant_t from(first.GetString()), to(last.GetString());
    Get_Object(*this, Worksheet, L"Range", Range, {&from, &to});
}

bool Spreadsheet_Writer::Range_Part(const wchar_t* name, CComPtr<IDispatch>& part)
{
    return Get_Object(*this, Range, name, part);
}

void Spreadsheet_Writer::Merge()
{
    const _variant_t across(0L, VT_BOOL);
    Sheet_Call(*this, Range, DISPATCH_METHOD, L"Merge", nullptr, {&across});
}

void Spreadsheet_Writer::Set_Text(const CString& text)
{
    const _variant_t value(text.GetString());
    Sheet_Call(*this, Range, DISPATCH_PROPERTYPUT, L"Value2", nullptr, {&value});
}

void Spreadsheet_Writer::Set_Number(double number)
{
    const _variant_t value(number);
    Sheet_Call(*this, Range, DISPATCH_PROPERTYPUT, L"Value2", nullptr, {&value});
}

void Spreadsheet_Writer::Set_Formula(const CString& formula)
{
    const _variant_t value(formula.GetString());
    Sheet_Call(*this, Range, DISPATCH_PROPERTYPUT, L"Formula", nullptr, {&value});
}

void Spreadsheet_Writer::Set_Number_Format(const CString& format)
{
    const _variant_t value(format.GetString());
    Sheet_Call(*this, Range, DISPATCH_PROPERTYPUT, L"NumberFormat", nullptr, {&value});
}

void Spreadsheet_Writer::Set_Alignment(int mode)
{
    const _variant_t horizontal(static_cast<LONG>(mode == 0 ? -4131 : mode == 2 ? -4152 : -4108));
    const _variant_t vertical(static_cast<LONG>(-4108));
    Sheet_Call(*this, Range, DISPATCH_PROPERTYPUT, L"HorizontalAlignment", nullptr, {&horizontal});
    Sheet_Call(*this, Range, DISPATCH_PROPERTYPUT, L"VerticalAlignment", nullptr, {&vertical});
}

void Spreadsheet_Writer::Set_Font(int bold, double size, long color)
{
    CComPtr<IDispatch> font;
    if (!Range_Part(L"Font", font))
        return;
    const _variant_t bold_value(static_cast<LONG>(bold)), size_value(size), color_value(static_cast<LONG>(color));
    Sheet_Call(*this, font, DISPATCH_PROPERTYPUT, L"Bold", nullptr, {&bold_value});
    Sheet_Call(*this, font, DISPATCH_PROPERTYPUT, L"Size", nullptr, {&size_value});
    Sheet_Call(*this, font, DISPATCH_PROPERTYPUT, L"Color", nullptr, {&color_value});
}

void Spreadsheet_Writer::Set_Fill_Color(long color)
{
    CComPtr<IDispatch> interior;
    if (!Range_Part(L"Interior", interior))
        return;
    const _variant_t value(static_cast<LONG>(color));
    Sheet_Call(*this, interior, DISPATCH_PROPERTYPUT, L"Color", nullptr, {&value});
}

void Spreadsheet_Writer::Set_Border(int line_style, int weight, int color_index)
{
    const _variant_t style(static_cast<LONG>(line_style)), width(static_cast<LONG>(weight)),
        index(static_cast<LONG>(color_index)), color(static_cast<LONG>(0));
    Sheet_Call(*this, Range, DISPATCH_METHOD, L"BorderAround", nullptr, {&style, &width, &index, &color});
}

void Spreadsheet_Writer::Set_Row_Height(double height)
{
    CComPtr<IDispatch> rows;
    if (!Range_Part(L"EntireRow", rows))
        return;
    const _variant_t value(height);
    Sheet_Call(*this, rows, DISPATCH_PROPERTYPUT, L"RowHeight", nullptr, {&value});
}

void Spreadsheet_Writer::Set_Column_Width(double width)
{
    CComPtr<IDispatch> columns;
    if (!Range_Part(L"EntireColumn", columns))
        return;
    const _variant_t value(width);
    Sheet_Call(*this, columns, DISPATCH_PROPERTYPUT, L"ColumnWidth", nullptr, {&value});
}

void Spreadsheet_Writer::Auto_Fit_Columns()
{
    CComPtr<IDispatch> columns;
    if (!Range_Part(L"EntireColumn", columns))
        return;
    Sheet_Call(*this, columns, DISPATCH_METHOD, L"AutoFit", nullptr, {});
}

void Spreadsheet_Writer::Fit_Columns(int first_column, int last_column, int extra)
{
    Select_Range(first_column, 1, last_column, 1);
    Auto_Fit_Columns();
    for (int column = first_column; column <= last_column; ++column) {
        Select_Range(column, 1, -1, 1);
        CComPtr<IDispatch> columns;
        if (!Range_Part(L"EntireColumn", columns))
            return;
        _variant_t current;
        if (!Sheet_Call(*this, columns, DISPATCH_PROPERTYGET, L"ColumnWidth", &current, {}))
            return;
        const double width = current.vt == VT_R8 ? current.dblVal : 0.0;
        const _variant_t value(static_cast<LONG>(std::min(200.0, width + extra)));
        Sheet_Call(*this, columns, DISPATCH_PROPERTYPUT, L"ColumnWidth", nullptr, {&value});
    }
}

void Spreadsheet_Writer::Show()
{
    const _variant_t yes(true);
    Sheet_Call(*this, Application, DISPATCH_PROPERTYPUT, L"Visible", nullptr, {&yes});
    Sheet_Call(*this, Application, DISPATCH_PROPERTYPUT, L"UserControl", nullptr, {&yes});
    if (!m_Failed)
        return;
    CString message;
    message.Format(L"表格导出有误 !\n\n%s", m_Failure.GetString());
    MessageBoxW(adsw_zcadMainWnd(), message, L"Korvel", MB_OK | MB_ICONINFORMATION);
}
