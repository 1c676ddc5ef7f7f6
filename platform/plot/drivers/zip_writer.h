// A ZIP archive written in memory: deflated entries (zlib), a central directory and its end
// record; offsets count from the start of the file the archive is appended to.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class Zip_Writer {
public:
    // prefix: bytes that come before the archive in the file (its offsets include them).
    explicit Zip_Writer(std::string prefix = {}) : mData(std::move(prefix)) {}
    void add(const std::string& name, const std::string& content);
    // The whole file: prefix, entries, central directory.
    std::string finish();

private:
    struct Entry {
        std::string name;
        uint32_t crc = 0, compressed = 0, size = 0, offset = 0;
        uint16_t method = 0;
    };
    static void Put_Entry_Fields(std::string& s, const Entry& e);

    std::string mData;
    std::vector<Entry> mEntries;
};

}  // namespace platform
