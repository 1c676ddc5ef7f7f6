#include "signstamp/stamp_library.h"

#include <algorithm>
#include <string_view>

#include "core/checked_file_writer.h"
#include "core/file_dialogs.h"
#include "core/file_messages.h"
#include "core/file_operations.h"
#include "core/host_adapter.h"
#include "core/unreadable_file.h"
#include "core/version_stamp.h"
#include "ed/command_line.h"
#include "ed/host_window.h"
#include "mfc/afxwin.h"
#include "signstamp/dlg_stamp_values.h"
#include "signstamp/sign_library.h"

Stamp_Library g_Stamp_Library;

namespace {

// Reads the file's records into the library; true when the file is missing or was read
// whole, with nothing after its last record.
bool Read_Library_File(Stamp_Library& library, const CString& path, int& records_read)
{
    records_read = 0;
    if (!Check_File_Exists(path, false))
        return true;
    std::string bytes;
    if (!Read_File_Bytes(path, bytes))
        return false;
    Stamp_File_Reader in(bytes);
    int32_t stamp = 0, header = 0, count = 0;
    if (!in.Int32(stamp) || !Is_Version_Stamp(stamp) || !in.Int32(header))
        return false;
    library.Header = Decode_Auth_Code(header);
    if (!in.Int32(count) || count < 0 || count > Stamp_Library::Max_Stamps)
        return false;
    // A record takes at least its fixed fields: a larger count than the file can hold
    // is a broken file, read as far as it goes.
    for (int32_t i = 0; i < count; ++i) {
        auto record = std::make_unique<KV_Stamp>();
        if (in.Left() < KV_Stamp::Fixed_Record_Bytes || !record->Read(in))
            return false;
        ++records_read;
        if (library.Find(record->Name) == nullptr)
            library.Stamps.push_back(std::move(record));
    }
    return in.Left() == 0;
}

}  // namespace

bool Stamp_Library::Load(Stamp_Library& library, const CString& path, bool offer_keep)
{
    if (!offer_keep) {
        library.Clear();
    } else if (!library.Stamps.empty() &&
               MessageBoxW(adsw_zcadMainWnd(), L"原印章库信息是否保留 ？", L"Korvel",
                           MB_YESNO | MB_ICONQUESTION) != IDYES) {
        library.Clear();
    }
    int records_read = 0;
    if (Read_Library_File(library, path, records_read))
        return true;
    Report_Damaged_File(path, L"印章库文件", records_read, L"个印章", !offer_keep);
    return false;
}

bool Stamp_Library::Save(const CString& path)
{
    Sort_By_Name();
    Safe_File_Write out(path.GetString());
    auto put = [&out](int32_t value) {
        const unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
        out.write(bytes, 4);
    };
    put(Program_Version_Stamp);
    put(Encode_Auth_Code(Header));
    put(static_cast<int32_t>(Stamps.size()));
    for (const auto& record : Stamps)
        record->Write(out);
    if (out.commit())
        return true;
    Show_Write_Failure(path);
    return false;
}

KV_Stamp* Stamp_Library::Find(const CString& name) const
{
    for (const auto& record : Stamps)
        if (record->Name == name)
            return record.get();
    return nullptr;
}

KV_Stamp* Stamp_Library::Find_Taken_Name(const CString& name, const KV_Stamp* except) const
{
    for (const auto& record : Stamps)
        if (record.get() != except && record->Name.CompareNoCase(name) == 0)
            return record.get();
    return nullptr;
}

void Stamp_Library::Sort_By_Name()
{
    std::stable_sort(Stamps.begin(), Stamps.end(), [](const std::unique_ptr<KV_Stamp>& a, const std::unique_ptr<KV_Stamp>& b) {
        return std::wstring_view(a->Name.GetString()) < std::wstring_view(b->Name.GetString());
    });
}

bool Stamp_Library::Add_Stamp()
{
    CString path;
    if (!Open_File_Dialog_Last(L"请选择印章图片...", L"png", path))
        return false;
    auto record = std::make_unique<KV_Stamp>();
    if (!record->Load_Picture(path)) {
        MessageBoxW(adsw_zcadMainWnd(), L"印章图片读取有误 !", L"增加印章", MB_ICONINFORMATION);
        return false;
    }
    Dlg_Stamp dialog(record.get(), this, CWnd::FromHandle(adsw_zcadMainWnd()));
    if (dialog.DoModal() != IDOK)
        return false;
    Stamps.push_back(std::move(record));
    return true;
}
