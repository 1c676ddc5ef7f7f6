#include "stamp_test_support.h"

#include <cstring>

#include "core/file_operations.h"
#include "mfc/atlimage.h"
#include "sign_test_support.h"

namespace stamp_test {

std::string Int32_Bytes(int32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
    return bytes;
}

std::string Real_Bytes(double value)
{
    std::string bytes(8, '\0');
    std::memcpy(bytes.data(), &value, 8);
    return bytes;
}

std::string Record_Bytes(const std::string& picture, const std::string& escaped_name, int32_t code, int32_t type)
{
    std::string units;
    for (char c : escaped_name)
        units += std::string{c, '\0'};
    return Int32_Bytes(20260101) + Int32_Bytes(static_cast<int32_t>(picture.size())) + picture +
           Int32_Bytes(static_cast<int32_t>(escaped_name.size())) + units + Real_Bytes(62.0) + Real_Bytes(28.0) +
           Int32_Bytes(code == 0 ? 0 : code * 389 + 1609343) + Int32_Bytes(20300101) + Int32_Bytes(type) +
           Int32_Bytes(1);
}

std::string Library_Bytes(int32_t declared, const std::string& records)
{
    return Int32_Bytes(20260101) + Int32_Bytes(0) + Int32_Bytes(declared) + records;
}

std::string File_Bytes(const CString& path)
{
    std::string bytes;
    Read_File_Bytes(path, bytes);
    return bytes;
}

void Write_Bytes(const CString& path, const std::string& bytes) { sign_test::Write_File(path, bytes); }

void Write_Png(const CString& path, int w, int h, COLORREF colour)
{
    CImage image;
    image.Create(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.SetPixel(x, y, colour);
    image.Save(path);
}

std::unique_ptr<KV_Stamp> Make_Stamp(const wchar_t* name, const std::string& picture, int32_t code, int32_t type)
{
    auto stamp = std::make_unique<KV_Stamp>();
    stamp->Name = name;
    stamp->Picture = picture;
    stamp->Code = code;
    stamp->Type = type;
    return stamp;
}

}  // namespace stamp_test
