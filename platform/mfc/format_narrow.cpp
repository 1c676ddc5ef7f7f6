#include "mfc/format_narrow.h"

#include <cwchar>
#include <cwctype>

#include "win/windows.h"

namespace platform {

namespace {

// The wide rules read %s as a wide string and %S as a narrow one; the narrow rules the
// other way round (likewise %c and %C). A conversion with an explicit size prefix
// (h, l, w) means the same under both rules and stays.
std::wstring Wide_Rules_Format(const std::wstring& format) {
    std::wstring out;
    out.reserve(format.size());
    for (size_t i = 0; i < format.size(); ++i) {
        out += format[i];
        if (format[i] != L'%') continue;
        size_t j = i + 1;
        while (j < format.size() && std::wcschr(L"-+ #0", format[j]) && format[j] != 0) ++j;
        while (j < format.size() && (std::iswdigit(format[j]) || format[j] == L'*' || format[j] == L'.')) ++j;
        bool sized = false;
        while (j < format.size() && std::wcschr(L"hlwIL36j2tz4q", format[j]) && format[j] != 0) {
            sized = true;
            ++j;
        }
        if (j >= format.size()) break;
        out.append(format, i + 1, j - i - 1);
        wchar_t conversion = format[j];
        if (!sized) {
            if (conversion == L's') conversion = L'S';
            else if (conversion == L'S') conversion = L's';
            else if (conversion == L'c') conversion = L'C';
            else if (conversion == L'C') conversion = L'c';
        }
        out += conversion;
        i = j;
    }
    return out;
}

}  // namespace

std::string Format_Narrow(const char* format, va_list args) {
    const std::wstring wide = Format_Wide(Wide_Rules_Format(From_Ansi(format)).c_str(), args);
    return To_Ansi(wide);
}

}  // namespace platform
