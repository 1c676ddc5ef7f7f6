#include "db/text_codes.h"

#include <cwctype>

namespace platform {

Text_Code Read_Text_Code(const std::wstring& s, size_t i)
{
    if (i + 2 >= s.size() || s[i] != L'%' || s[i + 1] != L'%') return {};
    const wchar_t k = wchar_t(std::towlower(s[i + 2]));
    switch (k) {
    case L'c': return {Text_Code_Kind::Character, L'\u00D8', 3};
    case L'd': return {Text_Code_Kind::Character, L'\u00B0', 3};
    case L'p': return {Text_Code_Kind::Character, L'\u00B1', 3};
    case L'%': return {Text_Code_Kind::Character, L'%', 3};
    case L'u': return {Text_Code_Kind::Underline, 0, 3};
    case L'o': return {Text_Code_Kind::Overline, 0, 3};
    default: break;
    }
    if (i + 4 < s.size() && std::iswdigit(s[i + 2]) && std::iswdigit(s[i + 3]) && std::iswdigit(s[i + 4])) {
        const int code = (s[i + 2] - L'0') * 100 + (s[i + 3] - L'0') * 10 + (s[i + 4] - L'0');
        if (code > 0) return {Text_Code_Kind::Character, wchar_t(code), 5};
    }
    return {};
}

size_t Read_Caret_Code(const std::wstring& s, size_t i, wchar_t& character)
{
    if (i + 1 >= s.size() || s[i] != L'^') return 0;
    const wchar_t next = s[i + 1];
    if (next == L' ') {
        character = L'^';
        return 2;
    }
    if (next < L'@' || next > L'_') return 0;
    character = wchar_t(next - L'@');
    return 2;
}

Decoded_Text Decode_Text_Codes(const std::wstring& s)
{
    Decoded_Text out;
    out.plain.reserve(s.size());
    size_t underlineFrom = std::wstring::npos, overlineFrom = std::wstring::npos;
    auto toggle = [&](size_t& from, bool overline) {
        if (from == std::wstring::npos) {
            from = out.plain.size();
            return;
        }
        if (out.plain.size() > from) out.strokes.push_back({from, out.plain.size(), overline});
        from = std::wstring::npos;
    };
    for (size_t i = 0; i < s.size();) {
        wchar_t decoded = 0;
        if (const size_t caret = Read_Caret_Code(s, i, decoded); caret > 0) {
            if (decoded >= L' ') out.plain.push_back(decoded);
            else if (decoded != L'\n' && decoded != L'\r') out.plain.push_back(L' ');
            i += caret;
            continue;
        }
        const Text_Code code = Read_Text_Code(s, i);
        switch (code.kind) {
        case Text_Code_Kind::None: out.plain.push_back(s[i]); ++i; continue;
        case Text_Code_Kind::Character: out.plain.push_back(code.character); break;
        case Text_Code_Kind::Underline: toggle(underlineFrom, false); break;
        case Text_Code_Kind::Overline: toggle(overlineFrom, true); break;
        }
        i += code.length;
    }
    // A line still on runs to the end of the text.
    if (underlineFrom != std::wstring::npos) toggle(underlineFrom, false);
    if (overlineFrom != std::wstring::npos) toggle(overlineFrom, true);
    return out;
}

}  // namespace platform
