#include "signstamp/kv_stamp.h"

#include <cstdio>
#include <cstring>

#include "core/file_operations.h"
#include "core/text_tokens.h"
#include "core/version_stamp.h"
#include "signstamp/sign_library.h"
#include "win/win_files.h"

namespace {

void Put_Stamp_Int32(Safe_File_Write& out, int32_t value)
{
    unsigned char bytes[4];
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    out.write(bytes, 4);
}

void Put_Stamp_Real(Safe_File_Write& out, double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    unsigned char bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    out.write(bytes, 8);
}

// The name as UTF-16 code units (characters beyond the first plane as surrogate pairs).
std::u16string Stamp_Name_Units(const CString& name)
{
    std::u16string units;
    for (int i = 0; i < name.GetLength(); ++i) {
        const auto c = static_cast<uint32_t>(name[i]);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(c));
        }
    }
    return units;
}

CString Stamp_Name_From_Units(const std::u16string& units)
{
    CString name;
    for (size_t i = 0; i < units.size(); ++i) {
        const uint32_t c = units[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
            name.AppendChar(static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
            ++i;
        } else {
            name.AppendChar(static_cast<wchar_t>(c));
        }
    }
    return name;
}

}  // namespace

const wchar_t* Stamp_Type_Text(int32_t type)
{
    static const wchar_t* const texts[] = {L"注册章", L"出图章", L"项目章", L"竣工章", L"不分类"};
    return type >= 0 && type <= Stamp_Any ? texts[type] : L"";
}

bool Stamp_Serves_Kind(int32_t type, int kind)
{
    return kind >= 1 && kind <= Stamp_Kinds && (type == Stamp_Any || type == kind - 1);
}

// ---- Stamp_File_Reader ----

bool Stamp_File_Reader::Int32(int32_t& value)
{
    if (Left() < 4)
        return false;
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<uint32_t>(static_cast<unsigned char>(m_Bytes[m_Pos + i])) << (8 * i);
    m_Pos += 4;
    value = static_cast<int32_t>(bits);
    return true;
}

bool Stamp_File_Reader::Real(double& value)
{
    if (Left() < 8)
        return false;
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= static_cast<uint64_t>(static_cast<unsigned char>(m_Bytes[m_Pos + i])) << (8 * i);
    m_Pos += 8;
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool Stamp_File_Reader::Bytes(size_t count, std::string& out)
{
    if (Left() < count)
        return false;
    out.assign(m_Bytes, m_Pos, count);
    m_Pos += count;
    return true;
}

// ---- KV_Stamp ----

bool KV_Stamp::Read(Stamp_File_Reader& in)
{
    int32_t stamp = 0, length = 0;
    if (!in.Int32(stamp) || !Is_Version_Stamp(stamp) || !in.Int32(length))
        return false;
    Picture.clear();
    if (length > 0 && !in.Bytes(static_cast<size_t>(length), Picture))
        return false;
    int32_t units = 0;
    if (!in.Int32(units) || units < 0 || static_cast<size_t>(units) > in.Left() / 2)
        return false;
    std::string name_bytes;
    in.Bytes(static_cast<size_t>(units) * 2, name_bytes);
    std::u16string name_units;
    for (size_t i = 0; i + 1 < name_bytes.size(); i += 2)
        name_units.push_back(static_cast<char16_t>(static_cast<unsigned char>(name_bytes[i]) |
                                                   static_cast<unsigned char>(name_bytes[i + 1]) << 8));
    Name = Stamp_Name_From_Units(name_units);
    Unescape_Cfg_String(Name);
    if (!in.Real(Width) || !in.Real(Height) || !in.Int32(Code))
        return false;
    Code = Decode_Auth_Code(Code);
    return in.Int32(Valid_Date) && in.Int32(Type) && in.Int32(Enabled);
}

void KV_Stamp::Write(Safe_File_Write& out) const
{
    Put_Stamp_Int32(out, Program_Version_Stamp);
    Put_Stamp_Int32(out, Picture_Length());
    out.write(Picture);
    const std::u16string units = Stamp_Name_Units(Escape_Cfg_String(Name));
    Put_Stamp_Int32(out, static_cast<int32_t>(units.size()));
    for (char16_t unit : units) {
        const unsigned char bytes[2] = {static_cast<unsigned char>(unit & 0xFF), static_cast<unsigned char>(unit >> 8)};
        out.write(bytes, 2);
    }
    Put_Stamp_Real(out, Width);
    Put_Stamp_Real(out, Height);
    Put_Stamp_Int32(out, Encode_Auth_Code(Code));
    Put_Stamp_Int32(out, Valid_Date);
    Put_Stamp_Int32(out, Type);
    Put_Stamp_Int32(out, Enabled);
}

bool KV_Stamp::Load_Picture(const CString& path)
{
    Picture.clear();
    std::string bytes;
    if (!Read_File_Bytes(path, bytes) || bytes.empty())
        return false;
    Picture = std::move(bytes);
    return true;
}

bool KV_Stamp::Save_Picture(const CString& path) const
{
    if (Picture.empty())
        return false;
    std::wstring error;
    return Safe_Write_File(path.GetString(), Picture, error);
}
