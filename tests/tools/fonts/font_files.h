// Font files made for the tests: SHX headers and TrueType collections with chosen name records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Name_Record {
    uint16_t platform = 3;
    uint16_t encoding = 1;
    uint16_t name_id = 4;
    std::string bytes;  // as stored (UTF-16 big-endian for platform 3 encoding 1)
};

// The first line of a standard SHX font or of a big font, then a few shape bytes.
std::string Shx_File(const std::string& first_line);
// UTF-16 big-endian bytes of an ASCII text.
std::string Utf16_Be(const std::string& ascii);
// A collection whose faces each hold a "head" record and then a "name" table with the records.
std::string Collection_File(const std::vector<std::vector<Name_Record>>& faces);
// Big-endian 16 and 32 bit values appended to the bytes.
void Put16(std::string& bytes, uint32_t value);
void Put32(std::string& bytes, uint32_t value);
