#include "db/image_file_size.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

#include "win/win_files.h"

namespace platform {

namespace {

uint32_t Big_Endian(const unsigned char* p, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | p[i];
    return v;
}

uint32_t Little_Endian(const unsigned char* p, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// The size in the first start-of-frame marker (baseline, progressive and the other SOFn).
bool Jpeg_Size(std::ifstream& in, int& width, int& height)
{
    unsigned char head[4];
    while (in.read(reinterpret_cast<char*>(head), 4)) {
        if (head[0] != 0xFF) return false;
        const unsigned marker = head[1];
        const uint32_t length = Big_Endian(head + 2, 2);
        if (length < 2) return false;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            unsigned char sof[5];
            if (!in.read(reinterpret_cast<char*>(sof), 5)) return false;
            height = int(Big_Endian(sof + 1, 2));
            width = int(Big_Endian(sof + 3, 2));
            return width > 0 && height > 0;
        }
        in.seekg(length - 2, std::ios::cur);
    }
    return false;
}

}  // namespace

bool Image_File_Pixel_Size(const std::wstring& path, int& width, int& height)
{
    const std::filesystem::path host = To_Host_Path(path);
    if (host.empty()) return false;
    std::ifstream in(host, std::ios::binary);
    unsigned char head[26] = {};
    if (!in.read(reinterpret_cast<char*>(head), 2)) return false;
    if (head[0] == 0xFF && head[1] == 0xD8) return Jpeg_Size(in, width, height);
    if (!in.read(reinterpret_cast<char*>(head + 2), 24)) return false;
    if (std::memcmp(head, "\x89PNG\r\n\x1a\n", 8) == 0 && std::memcmp(head + 12, "IHDR", 4) == 0) {
        width = int(Big_Endian(head + 16, 4));
        height = int(Big_Endian(head + 20, 4));
    } else if (head[0] == 'B' && head[1] == 'M') {
        width = int(int32_t(Little_Endian(head + 18, 4)));
        height = int(int32_t(Little_Endian(head + 22, 4)));
        if (height < 0) height = -height;  // a top-down bitmap
    } else {
        return false;
    }
    return width > 0 && height > 0;
}

}  // namespace platform
