#include "core/string_helpers.h"

#include <climits>
#include <cmath>
#include <cstdarg>
#include <cwchar>


namespace {

int32_t Clamp_To_Int32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT32_MAX))
        return INT32_MAX;
    if (value <= static_cast<double>(INT32_MIN))
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

bool Is_Digit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

int Find_String_NoCase(const CStringArray& list, const CString& text)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (list[i].CompareNoCase(text) == 0)
            return static_cast<int>(i);
    return -1;
}

bool Find_String_No_Case(const CStringArray& list, const CString& text)
{
    return Find_String_NoCase(list, text) >= 0;
}

void Remove_Duplicate_Strings(CStringArray& list)
{
    for (INT_PTR i = list.GetSize() - 1; i >= 0; --i) {
        bool later = false;
        for (INT_PTR j = i + 1; j < list.GetSize() && !later; ++j)
            later = list[i].CompareNoCase(list[j]) == 0;
        if (later)
            list.RemoveAt(i);
    }
}

int32_t Str_To_Int(const CString& text)
{
    CString digits = text;
    bool negative = false;
    if (!digits.IsEmpty() && digits[0] == L'-') {
        negative = true;
        digits.Delete(0);
    }
    // Summed as a real, as the value is defined; places beyond the range of a real
    // give infinity, which the clamp below turns into the largest value.
    double sum = 0;
    double place = 1;
    for (int i = digits.GetLength() - 1; i >= 0; --i, place *= 10) {
        const wchar_t c = digits[i];
        if (c >= L'1' && c <= L'9')
            sum += (c - L'0') * place;
    }
    return Clamp_To_Int32(negative ? -sum : sum);
}

int32_t Str_To_Long(const CString& text) { return Str_To_Int(text); }

int32_t Split_Trailing_Number(const CString& text, CString& prefix)
{
    int start = text.GetLength();
    while (start > 0 && Is_Digit(text[start - 1]))
        --start;
    if (start == text.GetLength()) {
        prefix = text;
        return -1;
    }
    int64_t value = 0;
    for (int i = start; i < text.GetLength(); ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > INT32_MAX)
            value = INT32_MAX;  // stays there: further digits only grow it
    }
    prefix = text.Left(start);
    return static_cast<int32_t>(value);
}

void Remove_Blanks(CString& text) { text.Remove(L' '); }
void Trim_Left_Blanks(CString& text) { text.TrimLeft(L' '); }
void Trim_Right_Blanks(CString& text) { text.TrimRight(L' '); }

void Trim_Blanks(CString& text)
{
    Trim_Left_Blanks(text);
    Trim_Right_Blanks(text);
}

CString Cancel_Prefix() { return CString(L"\x03\x03"); }
CString Cancel_Char() { return CString(L"\x03"); }

void Round_For_Display(double& value)
{
    if (value == 0)
        return;
    double v = std::trunc(value * 100 + 0.5) / 100;
    if (v != 0 && (v * 10 - std::trunc(v * 10)) / v < 0.01)
        v = std::trunc(v * 10 + 0.5) / 10;
    if (v != 0 && (v - std::trunc(v)) / v < 0.01)
        v = std::trunc(v + 0.5);
    value = v;
}

int Count_Decimals(double value)
{
    const double f = value - std::trunc(value);
    if (f <= 1e-8 || 1 - f <= 1e-8)
        return 0;
    double scale = 1;
    for (int k = 1; k <= 5; ++k) {
        scale *= 10;
        const double up = f * scale;
        const double down = (1 - f) * scale;
        if (up - std::trunc(up) <= 1e-8 || down - std::trunc(down) <= 1e-8)
            return k;
    }
    return 6;
}

void Format_Number(double value, CString& text)
{
    Round_For_Display(value);
    switch (Count_Decimals(value)) {
    case 0:
        text.Format(L"%.0f", value);
        break;
    case 1:
        text.Format(L"%.1f", value);
        break;
    default:
        text.Format(L"%.2f", value);
        break;
    }
}

int Format_Short_Text(wchar_t* buffer, const wchar_t* format, ...)
{
    if (buffer == nullptr)
        return -1;
    buffer[0] = 0;
    if (format == nullptr)
        return -1;
    va_list args;
    va_start(args, format);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    if (text.GetLength() >= Short_Text_Size)
        return -1;
    std::wmemcpy(buffer, text.GetString(), static_cast<size_t>(text.GetLength()) + 1);
    return text.GetLength();
}
