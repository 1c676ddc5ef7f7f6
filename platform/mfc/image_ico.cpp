// Icon and cursor files: a directory of images, each a PNG or an icon DIB.
#include <cstdlib>
#include <cstring>

#include "mfc/image_codecs.h"

namespace platform::image {

bool Decode_Ico(const unsigned char* data, size_t size, int want_size, Decoded& out)
{
    if (size < 6 || data[0] || data[1] || (data[2] != 1 && data[2] != 2) || data[3]) return false;
    bool cursor = data[2] == 2;
    size_t count = size_t(data[4] | (data[5] << 8));
    if (count == 0 || 6 + count * 16 > size) return false;
    // Best entry: the exact size, else the smallest larger one, else the largest; more colours first.
    long best = -1;
    long best_score = 0;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* e = data + 6 + i * 16;
        int w = e[0] ? e[0] : 256;
        int bits = cursor ? 32 : (e[6] | (e[7] << 8));
        long score;
        if (want_size <= 0) score = w * 1000L;
        else if (w == want_size) score = 10000000L;
        else if (w > want_size) score = 5000000L - w * 1000L;
        else score = w * 1000L;
        score += bits;
        if (best < 0 || score > best_score) {
            best = long(i);
            best_score = score;
        }
    }
    const unsigned char* e = data + 6 + size_t(best) * 16;
    uint32_t length = e[8] | (e[9] << 8) | (e[10] << 16) | (uint32_t(e[11]) << 24);
    uint32_t offset = e[12] | (e[13] << 8) | (e[14] << 16) | (uint32_t(e[15]) << 24);
    if (offset > size || length > size - offset) return false;
    const unsigned char* image = data + offset;
    bool ok = length >= 8 && std::memcmp(image, "\x89PNG\r\n\x1a\n", 8) == 0 ? Decode_Png(image, length, out)
                                                                            : Decode_Bmp(image, length, out, false, true);
    if (ok && cursor) out.hotspot = {LONG(e[4] | (e[5] << 8)), LONG(e[6] | (e[7] << 8))};
    return ok;
}

}  // namespace platform::image
