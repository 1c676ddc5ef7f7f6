#include "font_files.h"

void Put16(std::string& bytes, uint32_t value)
{
    bytes += char(value >> 8 & 0xFF);
    bytes += char(value & 0xFF);
}

void Put32(std::string& bytes, uint32_t value)
{
    Put16(bytes, value >> 16);
    Put16(bytes, value & 0xFFFF);
}

std::string Shx_File(const std::string& first_line)
{
    return first_line + "\r\n\x1a" + std::string("\x01\x00\x02\x00", 4);
}

std::string Utf16_Be(const std::string& ascii)
{
    std::string bytes;
    for (char c : ascii)
        Put16(bytes, uint8_t(c));
    return bytes;
}

std::string Collection_File(const std::vector<std::vector<Name_Record>>& faces)
{
    std::string file = "ttcf";
    Put32(file, 0x00010000);
    Put32(file, uint32_t(faces.size()));
    const size_t offsets_at = file.size();
    file.append(faces.size() * 4, '\0');
    for (size_t f = 0; f < faces.size(); ++f) {
        const uint32_t face_at = uint32_t(file.size());
        for (int i = 0; i < 4; ++i)
            file[offsets_at + f * 4 + size_t(i)] = char(face_at >> (24 - 8 * i) & 0xFF);
        // Offset table with two records: "head" (empty) and "name".
        Put32(file, 0x00010000);
        Put16(file, 2);
        Put16(file, 0);
        Put16(file, 0);
        Put16(file, 0);
        const uint32_t name_at = face_at + 12 + 2 * 16;
        std::string table;
        const std::vector<Name_Record>& records = faces[f];
        Put16(table, 0);
        Put16(table, uint32_t(records.size()));
        Put16(table, uint32_t(6 + 12 * records.size()));
        std::string storage;
        for (const Name_Record& r : records) {
            Put16(table, r.platform);
            Put16(table, r.encoding);
            Put16(table, 0);
            Put16(table, r.name_id);
            Put16(table, uint32_t(r.bytes.size()));
            Put16(table, uint32_t(storage.size()));
            storage += r.bytes;
        }
        table += storage;
        file += "head";
        Put32(file, 0);
        Put32(file, 0);
        Put32(file, 0);
        file += "name";
        Put32(file, 0);
        Put32(file, name_at);
        Put32(file, uint32_t(table.size()));
        file += table;
    }
    return file;
}
