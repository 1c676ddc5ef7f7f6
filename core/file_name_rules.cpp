#include "core/file_name_rules.h"

#include <string>

void Valid_File_Name(CString& text, bool remove_line_breaks)
{
    std::wstring clean;
    const wchar_t* source = text.GetString();
    for (int i = 0; i < text.GetLength(); ++i) {
        const wchar_t c = source[i];
        switch (c) {
        case L'<':
        case L'>':
        case L'\\':
        case L'|':
        case L'*':
        case L'"':
        case L'?':
        case L':':
            continue;
        case L'/':
            clean += L'\u2215';
            continue;
        case L'\n':
        case L'\r':
            if (!remove_line_breaks)
                clean += c;
            continue;
        default:
            if (c >= 0 && c < 32)
                continue;
            clean += c;
        }
    }
    text = clean.c_str();
}

CString Format_No(int value, int digits)
{
    std::wstring number = std::to_wstring(value);
    if (digits > 0 && number.size() < static_cast<size_t>(digits))
        number.insert(0, static_cast<size_t>(digits) - number.size(), L'0');
    return CString(number.c_str());
}
