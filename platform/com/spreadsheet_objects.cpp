// The automation objects of the emulated spreadsheet program over its workbook model.
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "com/automation_object.h"
#include "com/objbase.h"
#include "com/spreadsheet.h"
#include "com/spreadsheet_model.h"
#include "win/machine.h"
#include "win/win_files.h"
#include "win/win_messages.h"
#include "win/win_shell.h"

namespace platform {

const wchar_t* const Spreadsheet_Class_Names[2] = {L"Excel.Application", L"Ket.Application"};

namespace {

using namespace spreadsheet;

const CLSID CLSID_Excel_Application = {0x00024500, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const CLSID CLSID_Ket_Application = {0x000245AE, 0x4B45, 0x5400, {0xA1, 0x5C, 0x7E, 0x31, 0x0B, 0x62, 0x4D, 0x11}};

// What one running program holds; every automation object keeps it alive.
struct App_State {
    std::wstring prog_id;
    std::wstring book_prefix;
    std::vector<std::shared_ptr<Workbook>> workbooks;
    int books_made = 0;
    bool visible = false;
    bool user_control = false;

    ~App_State()
    {
        if (!visible)
            return;
        std::wstring ignored;
        for (const auto& book : workbooks)
            if (!book->saved_path.empty())
                Save_Xlsx(*book, book->saved_path, ignored);
    }
};
using App = std::shared_ptr<App_State>;


// ---------------------------------------------------------------------------
class Server_Object : public Automation_Object {
public:
    explicit Server_Object(App app) : m_App(std::move(app)) {}

protected:
    std::wstring Source() const override
    {
        return m_App->prog_id == Spreadsheet_Class_Names[1] ? L"Ket" : L"Microsoft Excel";
    }
    static bool Getting(WORD flags) { return (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) != 0; }
    static bool Putting(WORD flags) { return (flags & DISPATCH_PROPERTYPUT) != 0; }

    App m_App;
};

// Members made from a list of names.
#define SERVER_MEMBERS(...)                                                  \
    const std::vector<std::wstring>& Members() const override                \
    {                                                                        \
        static const std::vector<std::wstring> members = {__VA_ARGS__};      \
        return members;                                                      \
    }

// ---------------------------------------------------------------------------
// Font and Interior of a range act on its cells.
class Range_Object;

using Cell_Action = std::function<void(Cell&)>;

class Cells_Target {
public:
    Cells_Target(std::shared_ptr<Worksheet> sheet, Area area) : m_Sheet(std::move(sheet)), m_Area(area) {}

    // Every cell of the area; for areas of whole rows or columns only the cells there are.
    void For_Each(const Cell_Action& action) const
    {
        const long long count = static_cast<long long>(m_Area.last_row - m_Area.first_row + 1) *
                                (m_Area.last_column - m_Area.first_column + 1);
        if (count <= 1000000) {
            for (int r = m_Area.first_row; r <= m_Area.last_row; ++r)
                for (int c = m_Area.first_column; c <= m_Area.last_column; ++c)
                    action(m_Sheet->at(r, c));
            return;
        }
        for (auto& [key, cell] : m_Sheet->cells)
            if (m_Area.contains(key.first, key.second))
                action(cell);
    }
    Cell_Format First_Format() const
    {
        const Cell* cell = m_Sheet->find(m_Area.first_row, m_Area.first_column);
        return cell != nullptr ? cell->format : Cell_Format();
    }

protected:
    std::shared_ptr<Worksheet> m_Sheet;
    Area m_Area;
};

bool Valid_Color(double value) { return value >= 0.0 && value <= 16777215.0; }

class Font_Object : public Server_Object, private Cells_Target {
public:
    Font_Object(App app, std::shared_ptr<Worksheet> sheet, Area area)
        : Server_Object(std::move(app)), Cells_Target(std::move(sheet), area)
    {
    }

protected:
    SERVER_MEMBERS(L"Bold", L"Size", L"Color")

    HRESULT Call(size_t member, WORD flags, const Automation_Args& args, VARIANT* result) override
    {
        Cell_Format first = First_Format();
        if (Putting(flags)) {
            double value = 0.0;
            if (!Variant_To_Double(args.put_value, value))
                return DISP_E_TYPEMISMATCH;
            if (member == 0) {
                For_Each([&](Cell& cell) { cell.format.bold = value != 0.0; });
            } else if (member == 1) {
                if (value < 1.0 || value > 409.0)
                    return Reject(L"Unable to set the Size property of the Font class");
                For_Each([&](Cell& cell) { cell.format.font_size = value; });
            } else {
                if (!Valid_Color(value))
                    return Reject(L"Unable to set the Color property of the Font class");
                For_Each([&](Cell& cell) { cell.format.font_color = static_cast<uint32_t>(value); });
            }
            return S_OK;
        }
        if (member == 0)
            Return_Bool(result, first.bold);
        else if (member == 1)
            Return_Double(result, first.font_size);
        else
            Return_Double(result, first.font_color);
        return S_OK;
    }
};

class Interior_Object : public Server_Object, private Cells_Target {
public:
    Interior_Object(App app, std::shared_ptr<Worksheet> sheet, Area area)
        : Server_Object(std::move(app)), Cells_Target(std::move(sheet), area)
    {
    }

protected:
    SERVER_MEMBERS(L"Color")

    HRESULT Call(size_t, WORD flags, const Automation_Args& args, VARIANT* result) override
    {
        if (Putting(flags)) {
            double value = 0.0;
            if (!Variant_To_Double(args.put_value, value))
                return DISP_E_TYPEMISMATCH;
            if (!Valid_Color(value))
                return Reject(L"Unable to set the Color property of the Interior class");
            For_Each([&](Cell& cell) { cell.format.fill = static_cast<uint32_t>(value); });
            return S_OK;
        }
        Cell_Format first = First_Format();
        Return_Double(result, first.fill ? *first.fill : 16777215.0);
        return S_OK;
    }
};

// The program's 56-colour palette (ColorIndex 1..56), as 0x00BBGGRR.
const uint32_t Palette[56] = {
    0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0x000080, 0x008000,
    0x800000, 0x008080, 0x800080, 0x808000, 0xC0C0C0, 0x808080, 0xFF9999, 0x663399, 0xCCFFFF, 0xFFFFCC,
    0x660066, 0x8080FF, 0xCC6600, 0xFFCCCC, 0x800000, 0xFF00FF, 0x00FFFF, 0xFFFF00, 0x800080, 0x000080,
    0x808000, 0xFF0000, 0xFFCC00, 0xFFFFCC, 0xCCFFCC, 0x99FFFF, 0xFFCC99, 0xCC99FF, 0xFF99CC, 0x99CCFF,
    0xFF6633, 0xCCCC33, 0x00CC99, 0x00CCFF, 0x0099FF, 0x0066FF, 0x996666, 0x969696, 0x663300, 0x669933,
    0x003300, 0x003333, 0x003399, 0x663399, 0x993333, 0x333333};

bool Known_Line_Style(LONG style)
{
    return style == 0 || style == Line_None || style == Line_Continuous || style == Line_Dash || style == Line_Dot ||
           style == Line_Double || style == Line_Dash_Dot || style == Line_Dash_Dot_Dot || style == 13;
}

bool Known_Weight(LONG weight)
{
    return weight == Weight_Hairline || weight == Weight_Thin || weight == Weight_Medium ||
           weight == Weight_Medium_Alias || weight == Weight_Thick;
}

// ---------------------------------------------------------------------------
class Range_Object : public Server_Object, private Cells_Target {
public:
    Range_Object(App app, std::shared_ptr<Worksheet> sheet, Area area)
        : Server_Object(std::move(app)), Cells_Target(std::move(sheet), area)
    {
    }

protected:
    enum Member {
        Value, Value2, Formula, NumberFormat, HorizontalAlignment, VerticalAlignment, Font, Interior, BorderAround,
        Merge, EntireRow, EntireColumn, RowHeight, ColumnWidth, AutoFit
    };
    SERVER_MEMBERS(L"Value", L"Value2", L"Formula", L"NumberFormat", L"HorizontalAlignment", L"VerticalAlignment",
                   L"Font", L"Interior", L"BorderAround", L"Merge", L"EntireRow", L"EntireColumn", L"RowHeight",
                   L"ColumnWidth", L"AutoFit")

    HRESULT Call(size_t member, WORD flags, const Automation_Args& args, VARIANT* result) override
    {
        switch (static_cast<Member>(member)) {
            case Value:
            case Value2: return Putting(flags) ? Put_Value(args.put_value, false) : Get_Value(result);
            case Formula: return Putting(flags) ? Put_Value(args.put_value, true) : Get_Formula(result);
            case NumberFormat: return Number_Format(flags, args, result);
            case HorizontalAlignment:
            case VerticalAlignment: return Alignment(member == HorizontalAlignment, flags, args, result);
            case Font:
                Return_Object(result, new Font_Object(m_App, m_Sheet, m_Area));
                return S_OK;
            case Interior:
                Return_Object(result, new Interior_Object(m_App, m_Sheet, m_Area));
                return S_OK;
            case BorderAround: return Border_Around(args, result);
            case Merge: return Merge_Cells(args);
            case EntireRow:
                Return_Object(result, new Range_Object(m_App, m_Sheet, {m_Area.first_row, 1, m_Area.last_row, Max_Columns}));
                return S_OK;
            case EntireColumn:
                Return_Object(result,
                              new Range_Object(m_App, m_Sheet, {1, m_Area.first_column, Max_Rows, m_Area.last_column}));
                return S_OK;
            case RowHeight: return Size(true, flags, args, result);
            case ColumnWidth: return Size(false, flags, args, result);
            case AutoFit: return Auto_Fit(result);
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    bool Whole_Columns() const { return m_Area.first_row == 1 && m_Area.last_row == Max_Rows; }

    HRESULT Put_Value(const VARIANT* value, bool as_formula)
    {
        Cell entry;
        std::wstring text;
        double number = 0.0;
        if (value->vt == VT_EMPTY) {
            entry.kind = Cell::Empty;
        } else if (Variant_To_Text(value, text)) {
            if (as_formula && !text.empty() && text[0] == L'=') {
                entry.formula = text;
            } else if (as_formula && Variant_To_Double(value, number)) {
                entry.kind = Cell::Number;
                entry.number = number;
            } else if (!text.empty()) {
                entry.kind = Cell::Text;
                entry.text = text;
            }
        } else if (Variant_To_Double(value, number)) {
            entry.kind = Cell::Number;
            entry.number = number;
        } else {
            return DISP_E_TYPEMISMATCH;
        }
        for (int r = m_Area.first_row; r <= m_Area.last_row; ++r)
            for (int c = m_Area.first_column; c <= m_Area.last_column; ++c) {
                if (m_Sheet->hidden_by_merge(r, c))
                    continue;
                Cell& cell = m_Sheet->at(r, c);
                cell.kind = entry.kind;
                cell.number = entry.number;
                cell.text = entry.text;
                cell.formula = entry.formula;
            }
        return S_OK;
    }

    HRESULT Get_Value(VARIANT* result)
    {
        const Cell* cell = m_Sheet->find(m_Area.first_row, m_Area.first_column);
        if (cell == nullptr)
            return S_OK;
        if (!cell->formula.empty()) {
            Formula_Value value = m_Sheet->value(m_Area.first_row, m_Area.first_column);
            if (value.error.empty())
                Return_Double(result, value.number);
            else
                Return_Text(result, value.error);
        } else if (cell->kind == Cell::Number) {
            Return_Double(result, cell->number);
        } else if (cell->kind == Cell::Text) {
            Return_Text(result, cell->text);
        }
        return S_OK;
    }

    HRESULT Get_Formula(VARIANT* result)
    {
        const Cell* cell = m_Sheet->find(m_Area.first_row, m_Area.first_column);
        if (cell == nullptr)
            Return_Text(result, L"");
        else if (!cell->formula.empty())
            Return_Text(result, cell->formula);
        else if (cell->kind == Cell::Number)
            Return_Text(result, Format_Number(cell->number, L"General"));
        else
            Return_Text(result, cell->text);
        return S_OK;
    }

    HRESULT Number_Format(WORD flags, const Automation_Args& args, VARIANT* result)
    {
        if (!Putting(flags)) {
            Return_Text(result, First_Format().number_format);
            return S_OK;
        }
        std::wstring format;
        if (!Variant_To_Text(args.put_value, format))
            return DISP_E_TYPEMISMATCH;
        if (format.empty() || format.size() > 255)
            return Reject(L"Unable to set the NumberFormat property of the Range class");
        For_Each([&](Cell& cell) { cell.format.number_format = format; });
        return S_OK;
    }

    HRESULT Alignment(bool horizontal, WORD flags, const Automation_Args& args, VARIANT* result)
    {
        if (!Putting(flags)) {
            Cell_Format first = First_Format();
            Return_Long(result, horizontal ? first.horizontal : first.vertical);
            return S_OK;
        }
        LONG value = 0;
        if (!Variant_To_Long(args.put_value, value))
            return DISP_E_TYPEMISMATCH;
        bool known = horizontal ? (value == Align_General || value == Align_Left || value == Align_Right ||
                                   value == Align_Center)
                                : (value == Align_Top || value == Align_Center || value == Align_Bottom);
        if (!known)
            return Reject(horizontal ? L"Unable to set the HorizontalAlignment property of the Range class"
                                     : L"Unable to set the VerticalAlignment property of the Range class");
        For_Each([&](Cell& cell) { (horizontal ? cell.format.horizontal : cell.format.vertical) = value; });
        return S_OK;
    }

    HRESULT Border_Around(const Automation_Args& args, VARIANT* result)
    {
        LONG style = Line_Continuous, weight = Weight_Thin, index = 1;
        double color = -1.0;
        if ((args.at(0) != nullptr && !Variant_To_Long(args.at(0), style)) ||
            (args.at(1) != nullptr && !Variant_To_Long(args.at(1), weight)) ||
            (args.at(2) != nullptr && !Variant_To_Long(args.at(2), index)) ||
            (args.at(3) != nullptr && !Variant_To_Double(args.at(3), color)))
            return DISP_E_TYPEMISMATCH;
        if (!Known_Line_Style(style) || !Known_Weight(weight) ||
            !(index == -4105 || index == Line_None || (index >= 1 && index <= 56)) ||
            (args.at(3) != nullptr && !Valid_Color(color)))
            return Reject(L"BorderAround method of Range class failed");
        Return_Bool(result, true);
        if (style == 0)
            return S_OK;
        Border_Edge edge;
        edge.line_style = style == 13 ? Line_Dash_Dot : style;
        edge.weight = weight;
        edge.color = color >= 0.0 ? static_cast<uint32_t>(color) : (index >= 1 ? Palette[index - 1] : 0);
        for (int c = m_Area.first_column; c <= m_Area.last_column; ++c) {
            m_Sheet->at(m_Area.first_row, c).format.top = edge;
            m_Sheet->at(m_Area.last_row, c).format.bottom = edge;
        }
        for (int r = m_Area.first_row; r <= m_Area.last_row; ++r) {
            m_Sheet->at(r, m_Area.first_column).format.left = edge;
            m_Sheet->at(r, m_Area.last_column).format.right = edge;
        }
        return S_OK;
    }

    HRESULT Merge_Cells(const Automation_Args& args)
    {
        bool across = false;
        if (args.at(0) != nullptr && !Variant_To_Bool(args.at(0), across))
            return DISP_E_TYPEMISMATCH;
        if (across) {
            for (int r = m_Area.first_row; r <= m_Area.last_row; ++r)
                m_Sheet->merge({r, m_Area.first_column, r, m_Area.last_column});
        } else {
            m_Sheet->merge(m_Area);
        }
        return S_OK;
    }

    HRESULT Size(bool rows, WORD flags, const Automation_Args& args, VARIANT* result)
    {
        const int first = rows ? m_Area.first_row : m_Area.first_column;
        const int last = rows ? m_Area.last_row : m_Area.last_column;
        auto current = [&](int n) { return rows ? m_Sheet->row_height(n) : m_Sheet->column_width(n); };
        if (!Putting(flags)) {
            const double size = current(first);
            bool same = true;
            for (int n = first + 1; n <= last && same; ++n)
                same = current(n) == size;
            if (same)
                Return_Double(result, size);
            else if (result != nullptr)
                result->vt = VT_NULL;
            return S_OK;
        }
        double size = 0.0;
        if (!Variant_To_Double(args.put_value, size))
            return DISP_E_TYPEMISMATCH;
        if (size < 0.0 || size > (rows ? Max_Row_Height : Max_Column_Width))
            return Reject(rows ? L"Unable to set the RowHeight property of the Range class"
                               : L"Unable to set the ColumnWidth property of the Range class");
        for (int n = first; n <= last; ++n)
            (rows ? m_Sheet->row_heights : m_Sheet->column_widths)[n] = size;
        return S_OK;
    }

    HRESULT Auto_Fit(VARIANT* result)
    {
        if (!Whole_Columns())
            return Reject(L"AutoFit method of Range class failed");
        for (int c = m_Area.first_column; c <= m_Area.last_column; ++c)
            m_Sheet->auto_fit(c);
        Return_Bool(result, true);
        return S_OK;
    }
};

// ---------------------------------------------------------------------------
bool Valid_Sheet_Name(const std::wstring& name)
{
    return !name.empty() && name.size() <= 31 && name.find_first_of(L":\\/?*[]") == std::wstring::npos &&
           name.front() != L'\'' && name.back() != L'\'';
}

class Worksheet_Object : public Server_Object {
public:
    Worksheet_Object(App app, std::shared_ptr<Workbook> book, std::shared_ptr<Worksheet> sheet)
        : Server_Object(std::move(app)), m_Book(std::move(book)), m_Sheet(std::move(sheet))
    {
    }

protected:
    SERVER_MEMBERS(L"Name", L"Activate", L"Range", L"Cells")

    HRESULT Call(size_t member, WORD flags, const Automation_Args& args, VARIANT* result) override
    {
        switch (member) {
            case 0: return Name(flags, args, result);
            case 1:
                for (size_t i = 0; i < m_Book->sheets.size(); ++i)
                    if (m_Book->sheets[i] == m_Sheet)
                        m_Book->active_sheet = static_cast<int>(i);
                return S_OK;
            case 2: return Range(args, result);
            default: return Cells(args, result);
        }
    }

private:
    HRESULT Name(WORD flags, const Automation_Args& args, VARIANT* result)
    {
        if (!Putting(flags)) {
            Return_Text(result, m_Sheet->name);
            return S_OK;
        }
        std::wstring name;
        if (!Variant_To_Text(args.put_value, name))
            return DISP_E_TYPEMISMATCH;
        if (!Valid_Sheet_Name(name))
            return Reject(L"Unable to set the Name property of the Worksheet class");
        for (const auto& other : m_Book->sheets)
            if (other != m_Sheet && Equal_No_Case(other->name, name))
                return Reject(L"That name is already taken. Try a different one.");
        m_Sheet->name = name;
        return S_OK;
    }

    HRESULT Range(const Automation_Args& args, VARIANT* result)
    {
        std::wstring first, last;
        if (!Variant_To_Text(args.at(0), first) || (args.at(1) != nullptr && !Variant_To_Text(args.at(1), last)))
            return DISP_E_TYPEMISMATCH;
        spreadsheet::Area a, b;
        if (!Parse_Area(first, a) || (args.at(1) != nullptr && !Parse_Area(last, b)))
            return Reject(L"Method 'Range' of object '_Worksheet' failed");
        if (args.at(1) != nullptr)
            a = {std::min(a.first_row, b.first_row), std::min(a.first_column, b.first_column),
                 std::max(a.last_row, b.last_row), std::max(a.last_column, b.last_column)};
        Return_Object(result, new Range_Object(m_App, m_Sheet, a));
        return S_OK;
    }

    HRESULT Cells(const Automation_Args& args, VARIANT* result)
    {
        LONG row = 0, column = 0;
        if (!Variant_To_Long(args.at(0), row) || !Variant_To_Long(args.at(1), column))
            return DISP_E_TYPEMISMATCH;
        if (row < 1 || row > Max_Rows || column < 1 || column > Max_Columns)
            return Reject(L"Application-defined or object-defined error");
        Return_Object(result, new Range_Object(m_App, m_Sheet, {row, column, row, column}));
        return S_OK;
    }

    std::shared_ptr<Workbook> m_Book;
    std::shared_ptr<Worksheet> m_Sheet;
};

// An Index argument: a number from 1, or a name compared without regard to case; -1 when
// nothing matches.
template <class Items, class Name_Of>
int Find_Item(const VARIANT* index, const Items& items, Name_Of name_of)
{
    std::wstring name;
    LONG number = 0;
    if (Variant_To_Text(index, name)) {
        for (size_t i = 0; i < items.size(); ++i)
            if (Equal_No_Case(name_of(*items[i]), name))
                return static_cast<int>(i);
        return -1;
    }
    if (Variant_To_Long(index, number) && number >= 1 && static_cast<size_t>(number) <= items.size())
        return static_cast<int>(number - 1);
    return -1;
}

class Worksheets_Object : public Server_Object {
public:
    Worksheets_Object(App app, std::shared_ptr<Workbook> book) : Server_Object(std::move(app)), m_Book(std::move(book)) {}

protected:
    SERVER_MEMBERS(L"Item", L"Count")

    HRESULT Call(size_t member, WORD, const Automation_Args& args, VARIANT* result) override
    {
        if (member == 1) {
            Return_Long(result, static_cast<LONG>(m_Book->sheets.size()));
            return S_OK;
        }
        if (args.at(0) == nullptr)
            return DISP_E_PARAMNOTFOUND;
        int found = Find_Item(args.at(0), m_Book->sheets, [](const Worksheet& sheet) { return sheet.name; });
        if (found < 0)
            return DISP_E_BADINDEX;
        Return_Object(result, new Worksheet_Object(m_App, m_Book, m_Book->sheets[found]));
        return S_OK;
    }

private:
    std::shared_ptr<Workbook> m_Book;
};

class Workbook_Object : public Server_Object {
public:
    Workbook_Object(App app, std::shared_ptr<Workbook> book) : Server_Object(std::move(app)), m_Book(std::move(book)) {}

protected:
    SERVER_MEMBERS(L"Worksheets", L"Name")

    HRESULT Call(size_t member, WORD, const Automation_Args&, VARIANT* result) override
    {
        if (member == 0)
            Return_Object(result, new Worksheets_Object(m_App, m_Book));
        else
            Return_Text(result, m_Book->name);
        return S_OK;
    }

private:
    std::shared_ptr<Workbook> m_Book;
};

class Workbooks_Object : public Server_Object {
public:
    using Server_Object::Server_Object;

protected:
    SERVER_MEMBERS(L"Add", L"Count", L"Item")

    HRESULT Call(size_t member, WORD, const Automation_Args& args, VARIANT* result) override
    {
        if (member == 1) {
            Return_Long(result, static_cast<LONG>(m_App->workbooks.size()));
            return S_OK;
        }
        if (member == 2) {
            int found = Find_Item(args.at(0), m_App->workbooks, [](const Workbook& book) { return book.name; });
            if (found < 0)
                return DISP_E_BADINDEX;
            Return_Object(result, new Workbook_Object(m_App, m_App->workbooks[found]));
            return S_OK;
        }
        if (args.at(0) != nullptr)
            return Reject(L"Add method of Workbooks class failed: templates are not available");
        auto book = std::make_shared<Workbook>();
        book->name = m_App->book_prefix + std::to_wstring(++m_App->books_made);
        book->sheets.push_back(std::make_shared<Worksheet>(L"Sheet1"));
        m_App->workbooks.push_back(book);
        Return_Object(result, new Workbook_Object(m_App, book));
        return S_OK;
    }
};

// ---------------------------------------------------------------------------
class Application_Object : public Server_Object {
public:
    using Server_Object::Server_Object;

protected:
    SERVER_MEMBERS(L"Workbooks", L"Visible", L"UserControl", L"Name")

    HRESULT Call(size_t member, WORD flags, const Automation_Args& args, VARIANT* result) override
    {
        switch (member) {
            case 0: Return_Object(result, new Workbooks_Object(m_App)); return S_OK;
            case 3: Return_Text(result, Source()); return S_OK;
            default: break;
        }
        bool& flag = member == 1 ? m_App->visible : m_App->user_control;
        if (!Putting(flags)) {
            Return_Bool(result, flag);
            return S_OK;
        }
        bool value = false;
        if (!Variant_To_Bool(args.put_value, value))
            return DISP_E_TYPEMISMATCH;
        if (member == 1 && value)
            return Show_Workbooks();
        flag = value;
        return S_OK;
    }

private:
    // Saves each workbook into the Documents folder and opens the ones shown first now.
    HRESULT Show_Workbooks()
    {
        const std::wstring folder = Machine::instance().documents_folder();
        for (const auto& book : m_App->workbooks) {
            const bool first_time = book->saved_path.empty();
            std::wstring windows_path = folder + L"\\" + book->name + L".xlsx";
            if (first_time) {
                int number = 0;
                std::wstring digits = book->name.substr(m_App->book_prefix.size());
                number = digits.empty() ? 1 : std::stoi(digits);
                std::error_code ec;
                while (std::filesystem::exists(To_Host_Path(windows_path), ec)) {
                    book->name = m_App->book_prefix + std::to_wstring(++number);
                    windows_path = folder + L"\\" + book->name + L".xlsx";
                }
            }
            const std::filesystem::path host_path = first_time ? To_Host_Path(windows_path) : book->saved_path;
            std::wstring error;
            if (!Can_Write(host_path))
                return Reject(L"Cannot save '" + windows_path + L"': access denied");
            if (!Save_Xlsx(*book, host_path, error))
                return Reject(L"Cannot save '" + windows_path + L"': " + error);
            book->saved_path = host_path;
            if (first_time)
                ShellExecuteW(nullptr, L"open", windows_path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        }
        m_App->visible = true;
        return S_OK;
    }
};

IDispatch* Make_Application(const std::wstring& prog_id)
{
    auto app = std::make_shared<App_State>();
    app->prog_id = prog_id;
    app->book_prefix = Equal_No_Case(prog_id, Spreadsheet_Class_Names[1]) ? L"工作簿" : L"Book";
    return new Application_Object(app);
}

const struct Spreadsheet_Registrar {
    Spreadsheet_Registrar()
    {
        Register_Automation_Class(Spreadsheet_Class_Names[0], CLSID_Excel_Application, Make_Application);
        Register_Automation_Class(Spreadsheet_Class_Names[1], CLSID_Ket_Application, Make_Application);
    }
} Registrar;

}  // namespace

void Set_Spreadsheet_Installed(bool installed)
{
    for (const wchar_t* name : Spreadsheet_Class_Names)
        Set_Automation_Class_Installed(name, installed);
}

LONG Spreadsheet_Objects_Alive() { return Automation_Object::Live_Count(); }

}  // namespace platform
