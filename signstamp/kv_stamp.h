// One stamp of the stamp library: a PNG picture with its name, printed size,
// authorisation code, validity date, type and enabled flag.
#pragma once

#include <cstdint>
#include <string>

#include "mfc/afxstr.h"
#include "core/host_adapter.h"
#include "mfc/afxwin.h"

// Types of stamps; type 4 serves every kind.
enum Stamp_Type : int32_t { Stamp_Reg = 0, Stamp_Issue = 1, Stamp_Project = 2, Stamp_Done = 3, Stamp_Any = 4 };
constexpr int Stamp_Kinds = 4;

// "注册章" .. "不分类" for types 0..4, empty for any other type.
const wchar_t* Stamp_Type_Text(int32_t type);
// Whether a stamp of the type may be used for the kind 1..4.
bool Stamp_Serves_Kind(int32_t type, int kind);

// Reads the little-endian fields of a library file held in memory; every read is
// checked against the bytes that are left.
class Stamp_File_Reader {
public:
    explicit Stamp_File_Reader(const std::string& bytes) : m_Bytes(bytes) {}
    bool Int32(int32_t& value);
    bool Real(double& value);
    bool Bytes(size_t count, std::string& out);
    size_t Left() const { return m_Bytes.size() - m_Pos; }

private:
    const std::string& m_Bytes;
    size_t m_Pos = 0;
};

class KV_Stamp : public CObject {
public:
    // Bytes a record takes besides its picture and name.
    static constexpr size_t Fixed_Record_Bytes = 44;

    std::string Picture;  // the picture file's bytes
    CString Name;
    double Width = 62.0;   // mm of paper
    double Height = 28.0;  // mm of paper
    int32_t Code = 0;      // 0: usable without a code
    int32_t Valid_Date = 20250212;  // yyyymmdd
    int32_t Type = Stamp_Reg;
    int32_t Enabled = 1;

    int32_t Picture_Length() const { return static_cast<int32_t>(Picture.size()); }
    // One record of the library file; false when the bytes end inside it or its stamp is
    // no version stamp.
    bool Read(Stamp_File_Reader& in);
    void Write(Safe_File_Write& out) const;
    // Replaces the picture by the whole file; false when it is empty or cannot be read.
    bool Load_Picture(const CString& path);
    // Writes the picture to the file; false without a picture or when the write fails.
    bool Save_Picture(const CString& path) const;
};
