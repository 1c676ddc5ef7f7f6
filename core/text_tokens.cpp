#include "core/text_tokens.h"

#include <charconv>
#include <cmath>
#include <cwchar>
#include <string>
#include <type_traits>

#include "mfc/atlconv.h"
#include "win/win_codepage.h"

namespace {

bool Is_Space(int byte)
{
    return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\v' || byte == '\f' || byte == '\r';
}

bool Is_Space_Char(wchar_t c) { return c < 0x80 && Is_Space(static_cast<int>(c)); }

// Cuts a byte string of the ANSI code page to its whole characters.
void Drop_Split_Character(std::string& bytes)
{
    size_t i = 0;
    while (i < bytes.size())
        i += static_cast<unsigned char>(bytes[i]) >= 0x81 ? 2 : 1;
    if (i > bytes.size())
        bytes.pop_back();
}

// The next token's bytes; false at the end of the stream (which is then failed).
bool Read_Token_Bytes(std::istream& in, std::string& bytes)
{
    bytes.clear();
    std::streambuf* buf = in.rdbuf();
    if (!in.good() || buf == nullptr) {
        in.setstate(std::ios::failbit);
        return false;
    }
    using traits = std::char_traits<char>;
    int ch = buf->sgetc();
    while (ch != traits::eof() && Is_Space(ch))
        ch = buf->snextc();
    bool cut = false;
    while (ch != traits::eof() && ch != 0 && !Is_Space(ch)) {
        if (bytes.size() < static_cast<size_t>(Max_Token_Bytes))
            bytes.push_back(traits::to_char_type(ch));
        else
            cut = true;
        ch = buf->snextc();
    }
    if (ch == 0)
        buf->sbumpc();
    if (cut)
        Drop_Split_Character(bytes);
    if (ch == traits::eof())
        in.setstate(std::ios::eofbit);
    if (bytes.empty()) {
        in.setstate(std::ios::failbit);
        return false;
    }
    return true;
}

// A number token of the type: all of it a number that fits the type (a real also
// finite); otherwise the stream fails and the value stays.
template <class Number>
bool Read_Number_Token(std::istream& in, Number& value)
{
    std::string bytes;
    if (!Read_Token_Bytes(in, bytes))
        return false;
    const char* first = bytes.c_str();
    const char* last = first + bytes.size();
    if (*first == '+')
        ++first;
    Number parsed{};
    const auto [end, error] = std::from_chars(first, last, parsed);
    bool valid = error == std::errc() && end == last;
    if constexpr (std::is_floating_point_v<Number>)
        valid = valid && std::isfinite(parsed);
    if (!valid) {
        in.setstate(std::ios::failbit);
        return false;
    }
    value = parsed;
    return true;
}

// The stream's word that notes characters lost to the code page.
int Lost_Characters_Slot()
{
    static const int slot = std::ios_base::xalloc();
    return slot;
}

}  // namespace

std::istream& Read_Ansi_Word(std::istream& in, CString& text)
{
    std::string bytes;
    if (Read_Token_Bytes(in, bytes))
        text = CA2W(bytes.c_str());
    return in;
}

std::ostream& Write_Ansi_Text(std::ostream& out, const wchar_t* text)
{
    const int length = text != nullptr ? static_cast<int>(std::wcslen(text)) : 0;
    if (length == 0)
        return out;
    BOOL lost = FALSE;
    std::string bytes(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, bytes.data(), static_cast<int>(bytes.size()), nullptr, &lost);
    if (lost)
        out.iword(Lost_Characters_Slot()) = 1;
    return out << bytes;
}

bool Lost_Ansi_Characters(std::ios_base& stream) { return stream.iword(Lost_Characters_Slot()) != 0; }
void Clear_Lost_Ansi_Characters(std::ios_base& stream) { stream.iword(Lost_Characters_Slot()) = 0; }

std::ostream& Write_Ansi_String(std::ostream& out, const CString& text)
{
    return Write_Ansi_Text(out, text.GetString());
}

CString Escape_Cfg_String(const CString& text)
{
    CString escaped = text;
    for (int i = 0; i < escaped.GetLength(); ++i)
        if (Is_Space_Char(escaped[i]))
            escaped.SetAt(i, L' ');
    escaped.Replace(L" ", L"*?*");
    if (escaped.IsEmpty())
        escaped = L"<><";
    return escaped;
}

void Unescape_Cfg_String(CString& text)
{
    text.Replace(L"*?*", L" ");
    if (text == L"<><")
        text.Empty();
}

bool Read_Token_Int(std::istream& in, int32_t& value) { return Read_Number_Token(in, value); }
bool Read_Token_Real(std::istream& in, double& value) { return Read_Number_Token(in, value); }

bool Read_Token_Escaped(std::istream& in, CString& value)
{
    CString text;
    if (!Read_Ansi_Word(in, text))
        return false;
    Unescape_Cfg_String(text);
    value = text;
    return true;
}

bool Read_Token_Plain(std::istream& in, CString& value)
{
    return static_cast<bool>(Read_Ansi_Word(in, value));
}

void Write_Int_Line(std::ostream& out, int64_t value) { out << value << '\n'; }
void Write_Real_Line(std::ostream& out, double value) { out << value << '\n'; }

void Write_Escaped_Line(std::ostream& out, const CString& value)
{
    Write_Ansi_String(out, Escape_Cfg_String(value)) << '\n';
}

void Write_Plain_Line(std::ostream& out, const CString& value) { Write_Ansi_String(out, value) << '\n'; }

bool Is_Plain_Token(const CString& text)
{
    if (text.IsEmpty())
        return false;
    for (int i = 0; i < text.GetLength(); ++i)
        if (Is_Space_Char(text[i]) || text[i] == 0)
            return false;
    return true;
}
