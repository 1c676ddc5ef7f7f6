// Windows wide-printf rules on top of the C library's swprintf: each conversion is
// parsed here and handed to swprintf with the Linux spelling of the same conversion.
#include <cwchar>
#include <string>
#include <vector>

#include "win/win_codepage.h"
#include "win/win_format.h"

namespace platform {

namespace {

enum class Size { None, Short, Char, Long, LongLong, Pointer, LongDouble, Wide };

struct Conversion {
    std::wstring flags;
    int width = -1;
    int precision = -1;
    Size size = Size::None;
    wchar_t type = 0;
};

bool Has_Flag(const Conversion& conv, wchar_t flag) { return conv.flags.find(flag) != std::wstring::npos; }

// swprintf of one conversion with a buffer that grows until the result fits.
template <typename T>
std::wstring Print(const std::wstring& format, T value) {
    std::vector<wchar_t> buffer(256);
    for (;;) {
        const int n = std::swprintf(buffer.data(), buffer.size(), format.c_str(), value);
        if (n >= 0 && static_cast<size_t>(n) < buffer.size()) return std::wstring(buffer.data(), n);
        if (buffer.size() > (1u << 24)) return std::wstring();
        buffer.resize(buffer.size() * 4);
    }
}

std::wstring Conversion_Prefix(const Conversion& conv) {
    std::wstring out = L"%" + conv.flags;
    if (conv.width >= 0) out += std::to_wstring(conv.width);
    if (conv.precision >= 0) out += L"." + std::to_wstring(conv.precision);
    return out;
}

// Pads text to the width: left-justified with '-', else right-justified with blanks
// (zeros with the '0' flag, as the Windows runtime does).
std::wstring Pad(std::wstring text, const Conversion& conv) {
    if (conv.width < 0 || static_cast<int>(text.size()) >= conv.width) return text;
    const size_t fill = conv.width - text.size();
    if (Has_Flag(conv, L'-')) return text + std::wstring(fill, L' ');
    return std::wstring(fill, Has_Flag(conv, L'0') ? L'0' : L' ') + text;
}

std::wstring Format_String(const Conversion& conv, bool wide, const void* pointer) {
    std::wstring text;
    if (!pointer) text = L"(null)";
    else if (wide) text = static_cast<const wchar_t*>(pointer);
    else text = From_Ansi(static_cast<const char*>(pointer));
    if (conv.precision >= 0 && static_cast<int>(text.size()) > conv.precision) text.resize(conv.precision);
    return Pad(std::move(text), conv);
}

std::wstring Format_Char(const Conversion& conv, bool wide, int value) {
    std::wstring text;
    if (wide) {
        text = std::wstring(1, static_cast<wchar_t>(value));
    } else {
        const char c = static_cast<char>(value);
        text = From_Ansi(std::string_view(&c, 1));
    }
    return Pad(std::move(text), conv);
}

// Reads an integer argument of the conversion's size (Windows sizes: l is 32-bit).
long long Signed_Arg(const Conversion& conv, va_list& args) {
    switch (conv.size) {
        case Size::LongLong: return va_arg(args, long long);
        case Size::Pointer: return static_cast<long long>(va_arg(args, intptr_t));
        case Size::Short: return static_cast<short>(va_arg(args, int));
        case Size::Char: return static_cast<signed char>(va_arg(args, int));
        default: return va_arg(args, int);
    }
}

unsigned long long Unsigned_Arg(const Conversion& conv, va_list& args) {
    switch (conv.size) {
        case Size::LongLong: return va_arg(args, unsigned long long);
        case Size::Pointer: return static_cast<unsigned long long>(va_arg(args, uintptr_t));
        case Size::Short: return static_cast<unsigned short>(va_arg(args, unsigned int));
        case Size::Char: return static_cast<unsigned char>(va_arg(args, unsigned int));
        default: return va_arg(args, unsigned int);
    }
}

// Parses the conversion after '%' at format[i]; advances i past it. False when the
// text is not a complete conversion.
bool Parse_Spec(const wchar_t* format, size_t& i, Conversion& conv, va_list& args) {
    while (format[i] && std::wcschr(L"-+ #0", format[i])) conv.flags += format[i++];
    if (format[i] == L'*') {
        ++i;
        conv.width = va_arg(args, int);
        if (conv.width < 0) {
            conv.flags += L'-';
            conv.width = -conv.width;
        }
    } else if (format[i] >= L'0' && format[i] <= L'9') {
        conv.width = 0;
        while (format[i] >= L'0' && format[i] <= L'9') conv.width = conv.width * 10 + (format[i++] - L'0');
    }
    if (format[i] == L'.') {
        ++i;
        conv.precision = 0;
        if (format[i] == L'*') {
            ++i;
            conv.precision = va_arg(args, int);
            if (conv.precision < 0) conv.precision = -1;
        } else {
            while (format[i] >= L'0' && format[i] <= L'9')
                conv.precision = conv.precision * 10 + (format[i++] - L'0');
        }
    }
    const std::wstring_view rest(format + i);
    if (rest.starts_with(L"I64")) conv.size = Size::LongLong, i += 3;
    else if (rest.starts_with(L"I32")) conv.size = Size::None, i += 3;
    else if (rest.starts_with(L"ll")) conv.size = Size::LongLong, i += 2;
    else if (rest.starts_with(L"hh")) conv.size = Size::Char, i += 2;
    else if (rest.starts_with(L"I") || rest.starts_with(L"z") || rest.starts_with(L"t") || rest.starts_with(L"j"))
        conv.size = rest[0] == L'j' ? Size::LongLong : Size::Pointer, i += 1;
    else if (rest.starts_with(L"l")) conv.size = Size::Long, i += 1;
    else if (rest.starts_with(L"w")) conv.size = Size::Wide, i += 1;
    else if (rest.starts_with(L"h")) conv.size = Size::Short, i += 1;
    else if (rest.starts_with(L"L")) conv.size = Size::LongDouble, i += 1;
    if (!format[i]) return false;
    conv.type = format[i++];
    return true;
}

std::wstring Convert(const Conversion& conv, va_list& args) {
    const bool narrow_size = conv.size == Size::Short;
    const bool wide_size = conv.size == Size::Long || conv.size == Size::Wide;
    switch (conv.type) {
        case L'd':
        case L'i': return Print(Conversion_Prefix(conv) + L"lld", Signed_Arg(conv, args));
        case L'u':
        case L'x':
        case L'X':
        case L'o': return Print(Conversion_Prefix(conv) + L"ll" + conv.type, Unsigned_Arg(conv, args));
        case L'e':
        case L'E':
        case L'f':
        case L'F':
        case L'g':
        case L'G':
        case L'a':
        case L'A':
            if (conv.size == Size::LongDouble) return Print(Conversion_Prefix(conv) + L"L" + conv.type, va_arg(args, long double));
            return Print(Conversion_Prefix(conv) + conv.type, va_arg(args, double));
        case L'p': {
            Conversion hex = conv;
            hex.precision = 2 * sizeof(void*);
            return Print(Conversion_Prefix(hex) + L"llX", static_cast<unsigned long long>(
                                                         reinterpret_cast<uintptr_t>(va_arg(args, void*))));
        }
        case L's': return Format_String(conv, !narrow_size, va_arg(args, const void*));
        case L'S': return Format_String(conv, wide_size, va_arg(args, const void*));
        case L'c': return Format_Char(conv, !narrow_size, va_arg(args, int));
        case L'C': return Format_Char(conv, wide_size, va_arg(args, int));
        default: return std::wstring();
    }
}

}  // namespace

std::wstring Format_Wide(const wchar_t* format, va_list args) {
    std::wstring out;
    if (!format) return out;
    va_list cursor;
    va_copy(cursor, args);
    size_t i = 0;
    while (format[i]) {
        if (format[i] != L'%') {
            out += format[i++];
            continue;
        }
        const size_t start = i++;
        if (format[i] == L'%') {
            out += L'%';
            ++i;
            continue;
        }
        Conversion conv;
        if (!Parse_Spec(format, i, conv, cursor)) {
            out.append(format + start);  // incomplete conversion at the end: kept as written
            break;
        }
        if (!std::wcschr(L"diuxXoeEfFgGaApsScC", conv.type)) {
            out.append(format + start, i - start);  // unknown conversion: kept as written
            continue;
        }
        out += Convert(conv, cursor);
    }
    va_end(cursor);
    return out;
}

std::wstring Format_Wide_Args(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    std::wstring out = Format_Wide(format, args);
    va_end(args);
    return out;
}

}  // namespace platform
