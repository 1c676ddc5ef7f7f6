#include "signstamp/sign_library.h"

#include <algorithm>

#include "core/checked_file_writer.h"
#include "core/file_stream.h"
#include "core/text_tokens.h"
#include "core/unreadable_file.h"
#include "core/version_stamp.h"
#include "ed/command_line.h"
#include "ed/host_window.h"
#include "mfc/afxwin.h"

Sign_Library g_Sign_Library;
int32_t g_Sign_Lib_Generation = 0;

namespace {

constexpr int32_t Code_Multiplier = 389;
constexpr int32_t Code_Addend = 1609343;

// Reads a count and checks it against 0..limit.
bool Read_Count(std::istream& in, int32_t limit, int32_t& count)
{
    count = -1;
    return Read_Token_Int(in, count) && count >= 0 && count <= limit;
}

bool Skip_Stamp(std::istream& in)
{
    int32_t stamp = 0;
    return Read_Token_Int(in, stamp) && Is_Version_Stamp(stamp);
}

}  // namespace

int32_t Encode_Auth_Code(int32_t code)
{
    if (code == 0)
        return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(code) * Code_Multiplier + Code_Addend);
}

int32_t Decode_Auth_Code(int32_t value)
{
    if (value == 0)
        return 0;
    return static_cast<int32_t>((static_cast<int64_t>(value) - Code_Addend) / Code_Multiplier);
}

// ---- MyShape ----

bool MyShape::Read(std::istream& in)
{
    Xs.clear();
    Ys.clear();
    int32_t count = 0;
    if (!Skip_Stamp(in) || !Read_Token_Int(in, Kind) || !Read_Count(in, Sign_Library::Max_Vertices, count))
        return false;
    for (int32_t i = 0; i < count; ++i) {
        double x = 0.0, y = 0.0;
        if (!Read_Token_Real(in, x) || !Read_Token_Real(in, y))
            return false;
        Xs.push_back(x);
        Ys.push_back(y);
    }
    return true;
}

void MyShape::Write(std::ostream& out) const
{
    Write_Int_Line(out, Program_Version_Stamp);
    Write_Int_Line(out, Kind);
    const size_t count = std::min(Xs.size(), Ys.size());
    Write_Int_Line(out, static_cast<int64_t>(count));
    for (size_t i = 0; i < count; ++i)
        out << Xs[i] << "   " << Ys[i] << '\n';
}

// ---- KV_Sign ----

bool KV_Sign::Read(std::istream& in)
{
    Clear_Shapes();
    int32_t count = 0;
    if (!Skip_Stamp(in) || !Read_Count(in, Sign_Library::Max_Shapes, count))
        return false;
    for (int32_t i = 0; i < count; ++i) {
        auto shape = std::make_unique<MyShape>();
        if (!shape->Read(in))
            return false;
        Shapes.push_back(std::move(shape));
    }
    if (!Read_Token_Real(in, Width) || !Read_Token_Real(in, Height) || !Read_Token_Int(in, Person_No) ||
        !Read_Token_Escaped(in, Name) || !Read_Token_Int(in, Code))
        return false;
    Code = Decode_Auth_Code(Code);
    for (int32_t& reserved : Reserved)
        if (!Read_Token_Int(in, reserved))
            return false;
    return Read_Token_Int(in, Enabled);
}

void KV_Sign::Write(std::ostream& out) const
{
    Write_Int_Line(out, Program_Version_Stamp);
    Write_Int_Line(out, static_cast<int64_t>(Shapes.size()));
    for (const auto& shape : Shapes)
        shape->Write(out);
    Write_Real_Line(out, Width);
    Write_Real_Line(out, Height);
    Write_Int_Line(out, Person_No);
    Write_Escaped_Line(out, Name);
    Write_Int_Line(out, Encode_Auth_Code(Code));
    for (int32_t reserved : Reserved)
        Write_Int_Line(out, reserved);
    Write_Int_Line(out, Enabled);
}

void KV_Sign::To_Loops(ZcArray<int32_t>& counts, ZcGePoint3dArray& points) const
{
    counts.removeAll();
    points.removeAll();
    for (const auto& shape : Shapes) {
        const size_t n = std::min(shape->Xs.size(), shape->Ys.size());
        if (n == 0)
            continue;
        counts.append(shape->Kind == 1 ? static_cast<int32_t>(n) : -static_cast<int32_t>(n));
        for (size_t i = 0; i < n; ++i)
            points.append(ZcGePoint3d(shape->Xs[i], shape->Ys[i], 0.0));
    }
}

// ---- Sign_Library ----

namespace {

// Reads the file's records into the library; true when the file is missing or was read
// whole, with nothing after its last record.
bool Read_Library_File(Sign_Library& library, const CString& path, int& records_read)
{
    records_read = 0;
    if (!Check_File_Exists(path, false))
        return true;
    Input_File_Stream in(path);
    int32_t header = 0;
    if (!in.Is_Open() || !Skip_Stamp(in) || !Read_Token_Int(in, header))
        return false;
    library.Header = Decode_Auth_Code(header);
    int32_t count = 0;
    if (!Read_Count(in, Sign_Library::Max_Signatures, count))
        return false;
    for (int32_t i = 0; i < count; ++i) {
        auto sign = std::make_unique<KV_Sign>();
        if (!sign->Read(in))
            return false;
        ++records_read;
        if (library.Find(sign->Person_No) == nullptr)
            library.Signs.push_back(std::move(sign));
    }
    CString rest;
    return !Read_Token_Plain(in, rest);
}

}  // namespace

bool Sign_Library::Load(Sign_Library& library, const CString& path, bool offer_keep)
{
    if (!offer_keep) {
        library.Clear();
    } else if (!library.Signs.empty() &&
               MessageBoxW(adsw_zcadMainWnd(), L"原签名库信息是否保留 ？", L"Korvel",
                           MB_YESNO | MB_ICONQUESTION) != IDYES) {
        library.Clear();
    }
    int records_read = 0;
    if (Read_Library_File(library, path, records_read))
        return true;
    Report_Damaged_File(path, L"签名库文件", records_read, L"个签名", !offer_keep);
    return false;
}

bool Sign_Library::Save(const CString& path)
{
    Sort_By_Name();
    Checked_File_Writer writer;
    writer.Open(path);
    std::ostream& out = writer.Stream();
    Write_Int_Line(out, Program_Version_Stamp);
    Write_Int_Line(out, Encode_Auth_Code(Header));
    Write_Int_Line(out, static_cast<int64_t>(Signs.size()));
    for (const auto& sign : Signs)
        sign->Write(out);
    return writer.Close(true);
}

KV_Sign* Sign_Library::Find(int32_t person_no) const
{
    for (const auto& sign : Signs)
        if (sign->Person_No == person_no)
            return sign.get();
    return nullptr;
}

namespace {

bool Name_Less(const KV_Sign& a, const KV_Sign& b)
{
    return std::wstring_view(a.Name.GetString()) < std::wstring_view(b.Name.GetString());
}

}  // namespace

void Sign_Library::Sort_By_Name()
{
    std::stable_sort(Signs.begin(), Signs.end(),
                     [](const std::unique_ptr<KV_Sign>& a, const std::unique_ptr<KV_Sign>& b) { return Name_Less(*a, *b); });
}

void Sort_Signs_By_Name(std::vector<KV_Sign*>& signs)
{
    std::stable_sort(signs.begin(), signs.end(), [](const KV_Sign* a, const KV_Sign* b) { return Name_Less(*a, *b); });
}
