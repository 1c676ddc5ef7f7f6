#include "com/spreadsheet_model.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>

namespace platform::spreadsheet {

namespace {

constexpr int Max_Formula_Depth = 64;

bool Is_Wide(wchar_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6);
}

}  // namespace

std::wstring Column_Name(int column)
{
    std::wstring name;
    while (column > 0) {
        int digit = (column - 1) % 26;
        name.insert(name.begin(), static_cast<wchar_t>(L'A' + digit));
        column = (column - 1) / 26;
    }
    return name;
}

bool Parse_Cell_Reference(const std::wstring& text, int& row, int& column)
{
    size_t i = 0;
    if (i < text.size() && text[i] == L'$')
        ++i;
    long long col = 0;
    size_t letters = 0;
    while (i < text.size() && std::iswalpha(text[i]) && text[i] < 128) {
        col = col * 26 + (std::towupper(text[i]) - L'A' + 1);
        ++i;
        if (++letters > 3)
            return false;
    }
    if (letters == 0)
        return false;
    if (i < text.size() && text[i] == L'$')
        ++i;
    long long r = 0;
    size_t digits = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
        r = r * 10 + (text[i] - L'0');
        ++i;
        if (++digits > 7)
            return false;
    }
    if (digits == 0 || i != text.size() || r < 1 || r > Max_Rows || col > Max_Columns)
        return false;
    row = static_cast<int>(r);
    column = static_cast<int>(col);
    return true;
}

bool Parse_Area(const std::wstring& text, Area& area)
{
    size_t colon = text.find(L':');
    int r1, c1, r2, c2;
    if (colon == std::wstring::npos) {
        if (!Parse_Cell_Reference(text, r1, c1))
            return false;
        r2 = r1;
        c2 = c1;
    } else if (!Parse_Cell_Reference(text.substr(0, colon), r1, c1) ||
               !Parse_Cell_Reference(text.substr(colon + 1), r2, c2)) {
        return false;
    }
    area = {std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)};
    return true;
}

std::wstring Format_Number(double value, const std::wstring& number_format)
{
    wchar_t buffer[512];
    // Zeros (and # and ,) with an optional decimal part of zeros.
    size_t point = number_format.find(L'.');
    std::wstring whole = number_format.substr(0, point);
    std::wstring part = point == std::wstring::npos ? L"" : number_format.substr(point + 1);
    bool plain = !whole.empty() && whole.find_first_not_of(L"0#,") == std::wstring::npos &&
                 whole.find(L'0') != std::wstring::npos && part.find_first_not_of(L'0') == std::wstring::npos;
    if (!plain) {
        // General: up to 11 characters, as the program shows numbers in a standard cell.
        for (int precision = 11; precision > 0; --precision) {
            std::swprintf(buffer, 512, L"%.*G", precision, value);
            if (std::wcslen(buffer) <= 11 || precision == 1)
                break;
        }
        return buffer;
    }
    int min_digits = static_cast<int>(std::count(whole.begin(), whole.end(), L'0'));
    int decimals = static_cast<int>(part.size());
    // Halves round away from zero, on the number's 15 significant digits.
    std::swprintf(buffer, 512, L"%.15g", value);
    const double scale = std::pow(10.0, decimals);
    const double significant = std::wcstod(buffer, nullptr);
    value = std::copysign(std::round(std::fabs(significant) * scale) / scale, significant);
    std::swprintf(buffer, 512, L"%0*.*f", min_digits + (decimals > 0 ? decimals + 1 : 0) + (value < 0 ? 1 : 0),
                  decimals, value);
    std::wstring text = buffer;
    if (text == L"-0" || (text.size() > 1 && text[0] == L'-' && text.find_first_not_of(L"-0.") == std::wstring::npos))
        text.erase(0, 1);
    return text;
}

const Cell* Worksheet::find(int row, int column) const
{
    auto it = cells.find({row, column});
    return it == cells.end() ? nullptr : &it->second;
}

double Worksheet::row_height(int row) const
{
    auto it = row_heights.find(row);
    return it == row_heights.end() ? Standard_Row_Height : it->second;
}

double Worksheet::column_width(int column) const
{
    auto it = column_widths.find(column);
    return it == column_widths.end() ? Standard_Column_Width : it->second;
}

const Area* Worksheet::merge_at(int row, int column) const
{
    for (const Area& area : merges)
        if (area.contains(row, column))
            return &area;
    return nullptr;
}

bool Worksheet::hidden_by_merge(int row, int column) const
{
    const Area* area = merge_at(row, column);
    return area != nullptr && (row != area->first_row || column != area->first_column);
}

void Worksheet::merge(const Area& area)
{
    if (area.single())
        return;
    merges.erase(std::remove_if(merges.begin(), merges.end(),
                                [&](const Area& other) {
                                    return other.first_row <= area.last_row && other.last_row >= area.first_row &&
                                           other.first_column <= area.last_column &&
                                           other.last_column >= area.first_column;
                                }),
                 merges.end());
    merges.push_back(area);
    for (auto& [key, cell] : cells)
        if (area.contains(key.first, key.second) && (key.first != area.first_row || key.second != area.first_column)) {
            cell.kind = Cell::Empty;
            cell.text.clear();
            cell.formula.clear();
            cell.number = 0.0;
        }
}

Formula_Value Worksheet::value(int row, int column) const { return value(row, column, 0); }

Formula_Value Worksheet::value(int row, int column, int depth) const
{
    const Cell* cell = find(row, column);
    if (cell == nullptr)
        return {};
    if (!cell->formula.empty())
        return Evaluate_Formula(*this, cell->formula, depth + 1);
    if (cell->kind == Cell::Text)
        return {0.0, L"#VALUE!"};
    return {cell->number, L""};
}

std::wstring Worksheet::display_text(int row, int column) const
{
    const Cell* cell = find(row, column);
    if (cell == nullptr)
        return L"";
    if (!cell->formula.empty()) {
        Formula_Value result = value(row, column);
        return result.error.empty() ? Format_Number(result.number, cell->format.number_format) : result.error;
    }
    switch (cell->kind) {
        case Cell::Text: return cell->text;
        case Cell::Number: return Format_Number(cell->number, cell->format.number_format);
        default: return L"";
    }
}

void Worksheet::auto_fit(int column)
{
    double widest = -1.0;
    for (const auto& [key, cell] : cells) {
        if (key.second != column)
            continue;
        const Area* area = merge_at(key.first, key.second);
        if (area != nullptr && !area->single())
            continue;
        std::wstring text = display_text(key.first, key.second);
        if (text.empty())
            continue;
        double units = 0.0;
        for (wchar_t c : text)
            units += Is_Wide(c) ? 2.0 : 1.0;
        widest = std::max(widest, units * cell.format.font_size / 11.0);
    }
    if (widest < 0.0)
        return;
    column_widths[column] = std::min(Max_Column_Width, widest + 1.0);
}

// Recursive descent over the formula text after its "=".
class Formula_Parser {
public:
    Formula_Parser(const Worksheet& sheet, const std::wstring& text, int depth)
        : m_Sheet(sheet), m_Text(text), m_Depth(depth)
    {
    }

    Formula_Value Run()
    {
        if (m_Depth > Max_Formula_Depth)
            return {0.0, L"#REF!"};
        Formula_Value result = Sum_Expression();
        Skip_Blanks();
        if (result.error.empty() && m_Pos != m_Text.size())
            return {0.0, L"#NAME?"};
        return result;
    }

private:
    void Skip_Blanks()
    {
        while (m_Pos < m_Text.size() && m_Text[m_Pos] == L' ')
            ++m_Pos;
    }
    bool Take(wchar_t c)
    {
        Skip_Blanks();
        if (m_Pos < m_Text.size() && m_Text[m_Pos] == c) {
            ++m_Pos;
            return true;
        }
        return false;
    }

    static Formula_Value Combine(const Formula_Value& a, const Formula_Value& b, wchar_t op)
    {
        if (!a.error.empty())
            return a;
        if (!b.error.empty())
            return b;
        switch (op) {
            case L'+': return {a.number + b.number, L""};
            case L'-': return {a.number - b.number, L""};
            case L'*': return {a.number * b.number, L""};
            case L'/': return b.number == 0.0 ? Formula_Value{0.0, L"#DIV/0!"} : Formula_Value{a.number / b.number, L""};
            default: {
                double power = std::pow(a.number, b.number);
                return std::isfinite(power) ? Formula_Value{power, L""} : Formula_Value{0.0, L"#NUM!"};
            }
        }
    }

    Formula_Value Sum_Expression()
    {
        Formula_Value left = Product();
        for (;;) {
            if (Take(L'+'))
                left = Combine(left, Product(), L'+');
            else if (Take(L'-'))
                left = Combine(left, Product(), L'-');
            else
                return left;
        }
    }
    Formula_Value Product()
    {
        Formula_Value left = Power();
        for (;;) {
            if (Take(L'*'))
                left = Combine(left, Power(), L'*');
            else if (Take(L'/'))
                left = Combine(left, Power(), L'/');
            else
                return left;
        }
    }
    Formula_Value Power()
    {
        Formula_Value left = Unary();
        while (Take(L'^'))
            left = Combine(left, Unary(), L'^');
        return left;
    }
    Formula_Value Unary()
    {
        if (Take(L'-')) {
            Formula_Value value = Unary();
            value.number = -value.number;
            return value;
        }
        if (Take(L'+'))
            return Unary();
        return Primary();
    }

    std::wstring Word()
    {
        Skip_Blanks();
        size_t start = m_Pos;
        while (m_Pos < m_Text.size() && (std::iswalnum(m_Text[m_Pos]) || m_Text[m_Pos] == L'$') && m_Text[m_Pos] < 128)
            ++m_Pos;
        return m_Text.substr(start, m_Pos - start);
    }

    // A reference or a range "A1:B3" starting at the word already read.
    bool Area_After(const std::wstring& word, Area& area)
    {
        int row, column;
        if (!Parse_Cell_Reference(word, row, column))
            return false;
        area = {row, column, row, column};
        size_t saved = m_Pos;
        if (Take(L':')) {
            int row2, column2;
            if (!Parse_Cell_Reference(Word(), row2, column2)) {
                m_Pos = saved;
                return false;
            }
            area = {std::min(row, row2), std::min(column, column2), std::max(row, row2), std::max(column, column2)};
        }
        return true;
    }

    Formula_Value Primary()
    {
        if (Take(L'(')) {
            Formula_Value inner = Sum_Expression();
            if (!Take(L')'))
                return {0.0, L"#NAME?"};
            return inner;
        }
        Skip_Blanks();
        if (m_Pos < m_Text.size() && (std::iswdigit(m_Text[m_Pos]) || m_Text[m_Pos] == L'.')) {
            const wchar_t* start = m_Text.c_str() + m_Pos;
            wchar_t* end = nullptr;
            double number = std::wcstod(start, &end);
            m_Pos += static_cast<size_t>(end - start);
            return {number, L""};
        }
        std::wstring word = Word();
        if (word.empty())
            return {0.0, L"#NAME?"};
        std::wstring upper = word;
        for (wchar_t& c : upper)
            c = static_cast<wchar_t>(std::towupper(c));
        if (upper == L"SUM" && Take(L'('))
            return Sum_Arguments();
        Area area;
        if (!Area_After(word, area))
            return {0.0, L"#NAME?"};
        if (!area.single())
            return {0.0, L"#VALUE!"};
        return Reference(area.first_row, area.first_column);
    }

    Formula_Value Reference(int row, int column) { return m_Sheet.value(row, column, m_Depth); }

    // SUM: ranges add their numbers (texts and empty cells left out); values add as such.
    Formula_Value Sum_Arguments()
    {
        double total = 0.0;
        if (Take(L')'))
            return {0.0, L""};
        do {
            size_t saved = m_Pos;
            std::wstring word = Word();
            Area area;
            Skip_Blanks();
            bool is_area = !word.empty() && (m_Pos >= m_Text.size() || m_Text[m_Pos] == L':' || m_Text[m_Pos] == L',' ||
                                             m_Text[m_Pos] == L')');
            if (is_area && Area_After(word, area)) {
                for (int r = area.first_row; r <= area.last_row; ++r)
                    for (int c = area.first_column; c <= area.last_column; ++c) {
                        const Cell* cell = m_Sheet.find(r, c);
                        if (cell == nullptr || (cell->formula.empty() && cell->kind != Cell::Number))
                            continue;
                        Formula_Value value = Reference(r, c);
                        if (!value.error.empty())
                            return value;
                        total += value.number;
                    }
                continue;
            }
            m_Pos = saved;
            Formula_Value value = Sum_Expression();
            if (!value.error.empty())
                return value;
            total += value.number;
        } while (Take(L','));
        if (!Take(L')'))
            return {0.0, L"#NAME?"};
        return {total, L""};
    }

    const Worksheet& m_Sheet;
    const std::wstring& m_Text;
    int m_Depth;
    size_t m_Pos = 0;
};

Formula_Value Evaluate_Formula(const Worksheet& sheet, const std::wstring& formula, int depth)
{
    if (formula.empty() || formula[0] != L'=')
        return {0.0, L"#NAME?"};
    std::wstring body = formula.substr(1);
    return Formula_Parser(sheet, body, depth).Run();
}

}  // namespace platform::spreadsheet
