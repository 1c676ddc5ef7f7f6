#include "plot/drivers/zip_writer.h"

#include <zlib.h>

namespace platform {

namespace {

constexpr uint16_t kDosTime = 0;                           // 00:00:00
constexpr uint16_t kDosDate = ((2020 - 1980) << 9) | (1 << 5) | 1;  // 2020-01-01
constexpr uint16_t kUtf8Names = 0x0800;

void Put16(std::string& s, uint16_t v)
{
    s += char(v & 0xFF);
    s += char(v >> 8);
}

void Put32(std::string& s, uint32_t v)
{
    Put16(s, uint16_t(v & 0xFFFF));
    Put16(s, uint16_t(v >> 16));
}

}  // namespace

// The fields the local header and the central directory share: version needed, flags,
// method, time, date, CRC, sizes, name length.
void Zip_Writer::Put_Entry_Fields(std::string& s, const Entry& e)
{
    Put16(s, 20);
    Put16(s, kUtf8Names);
    Put16(s, e.method);
    Put16(s, kDosTime);
    Put16(s, kDosDate);
    Put32(s, e.crc);
    Put32(s, e.compressed);
    Put32(s, e.size);
    Put16(s, uint16_t(e.name.size()));
}

namespace {

std::string Deflate(const std::string& in)
{
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return {};
    std::string out(deflateBound(&z, uLong(in.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = uInt(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    int rc = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return rc == Z_STREAM_END ? out : std::string();
}

}  // namespace

void Zip_Writer::add(const std::string& name, const std::string& content)
{
    Entry e;
    e.name = name;
    e.size = uint32_t(content.size());
    e.crc = uint32_t(crc32(0L, reinterpret_cast<const Bytef*>(content.data()), uInt(content.size())));
    std::string packed = Deflate(content);
    const bool deflated = !content.empty() && !packed.empty() && packed.size() < content.size();
    e.method = deflated ? 8 : 0;
    const std::string& body = deflated ? packed : content;
    e.compressed = uint32_t(body.size());
    e.offset = uint32_t(mData.size());
    Put32(mData, 0x04034b50);
    Put_Entry_Fields(mData, e);
    Put16(mData, 0);  // extra
    mData += name;
    mData += body;
    mEntries.push_back(e);
}

std::string Zip_Writer::finish()
{
    const uint32_t start = uint32_t(mData.size());
    for (const Entry& e : mEntries) {
        Put32(mData, 0x02014b50);
        Put16(mData, 20);  // made by
        Put_Entry_Fields(mData, e);
        Put16(mData, 0);  // extra
        Put16(mData, 0);  // comment
        Put16(mData, 0);  // disk
        Put16(mData, 0);  // internal attributes
        Put32(mData, 0);  // external attributes
        Put32(mData, e.offset);
        mData += e.name;
    }
    const uint32_t size = uint32_t(mData.size()) - start;
    Put32(mData, 0x06054b50);
    Put16(mData, 0);
    Put16(mData, 0);
    Put16(mData, uint16_t(mEntries.size()));
    Put16(mData, uint16_t(mEntries.size()));
    Put32(mData, size);
    Put32(mData, start);
    Put16(mData, 0);
    return std::move(mData);
}

}  // namespace platform
