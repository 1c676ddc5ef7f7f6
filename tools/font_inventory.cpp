#include "tools/font_inventory.h"

#include <vector>

#include "core/file_operations.h"
#include "core/program_folders.h"
#include "core/sysvar_helpers.h"
#include "win/win_codepage.h"
#include "win/win_files.h"

namespace {

constexpr size_t Support_Path_Size = 26000;  // characters of ACADPREFIX read
constexpr size_t Shx_Line_Size = 255;        // bytes of an SHX file's first line

TTF_SHX* Make_Font_Entry(const CString& path, const CString& file_name)
{
    TTF_SHX* entry = new TTF_SHX;
    entry->Path = path;
    entry->File_Name = file_name;
    const int dot = file_name.ReverseFind(L'.');
    entry->Stem = dot >= 0 ? file_name.Left(dot) : file_name;
    entry->Stem.MakeLower();
    return entry;
}

CString Font_File_Name_Of(const CString& path)
{
    return path.Mid(path.ReverseFind(L'\\') + 1);
}

CString Ansi_To_Wide(const char* bytes, int count)
{
    if (count <= 0)
        return CString();
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes, count, nullptr, 0);
    if (length <= 0)
        return CString();
    std::vector<wchar_t> text(size_t(length) + 1, 0);
    MultiByteToWideChar(CP_ACP, 0, bytes, count, text.data(), length);
    return CString(text.data(), length);
}

// Big-endian reads from a font file opened for binary reading; false at the file's end.
class Font_Reader {
public:
    explicit Font_Reader(FILE* file) : m_File(file)
    {
        if (std::fseek(file, 0, SEEK_END) == 0)
            m_Size = std::ftell(file);
    }
    long Size() const { return m_Size; }
    // False when the offset lies beyond the file.
    bool Seek(uint64_t offset) { return offset <= uint64_t(m_Size) && std::fseek(m_File, long(offset), SEEK_SET) == 0; }
    bool Read(void* out, size_t n) { return std::fread(out, 1, n, m_File) == n; }
    bool U16(uint16_t& value)
    {
        unsigned char b[2];
        if (!Read(b, 2))
            return false;
        value = uint16_t(b[0] << 8 | b[1]);
        return true;
    }
    bool U32(uint32_t& value)
    {
        unsigned char b[4];
        if (!Read(b, 4))
            return false;
        value = uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
        return true;
    }
    bool Skip(long n) { return std::fseek(m_File, n, SEEK_CUR) == 0; }
    // True when n records of the size, from the current place, fit in the file.
    bool Fits(uint64_t count, uint64_t size) const
    {
        const long at = std::ftell(m_File);
        return at >= 0 && count * size <= uint64_t(m_Size - at);
    }

private:
    FILE* m_File;
    long m_Size = 0;
};

void List_Font_Files(const CString& folder, const wchar_t* extension, CStringArray& files)
{
    CStringArray all;
    List_Folder_Files(folder, all, false);
    for (int i = 0; i < all.GetSize(); ++i)
        if (Has_Font_Extension(all[i], extension))
            files.Add(all[i]);
}

}  // namespace

CString Fonts_Folder()
{
    wchar_t folder[MAX_PATH] = {0};
    SHGetFolderPathW(nullptr, CSIDL_FONTS, nullptr, SHGFP_TYPE_CURRENT, folder);
    CString path = folder;
    Trim_Backslash(path);
    return path;
}

void Split_Support_Path(CString value, bool cut, CStringArray& folders)
{
    Expand_Root_Placeholders(value);
    if (cut) {
        // A value cut to the buffer may end in part of a folder name, which could name
        // another folder: keep only the entries before it.
        const int last = value.ReverseFind(L';');
        value = last >= 0 ? value.Left(last) : CString();
    }
    int start = 0;
    while (start < value.GetLength()) {
        int end = value.Find(L';', start);
        if (end < 0)
            end = value.GetLength();
        CString folder = value.Mid(start, end - start);
        start = end + 1;
        Trim_Backslash(folder);
        if (!folder.IsEmpty() && PathFileExistsW(folder.GetString()))
            folders.Add(folder);
    }
}

void Support_Folders(CStringArray& folders)
{
    std::vector<wchar_t> buffer(Support_Path_Size, 0);
    if (!Get_Var_String(L"ACADPREFIX", buffer.data(), buffer.size()))
        return;
    const CString value = buffer.data();
    Split_Support_Path(value, size_t(value.GetLength()) == Support_Path_Size - 1, folders);
}

bool Has_Font_Extension(const CString& path, const wchar_t* extension)
{
    return path.GetLength() > 3 && path.Right(4).CompareNoCase(extension) == 0;
}

bool Is_Big_Font_File(const CString& path)
{
    FILE* file = _wfopen(path.GetString(), L"rb");
    if (file == nullptr)
        return false;
    char line[Shx_Line_Size + 1];
    const size_t read = std::fread(line, 1, sizeof line, file);
    std::fclose(file);
    size_t length = 0;
    while (length < read && line[length] != '\n')
        ++length;
    if (length > Shx_Line_Size || read == 0)
        return false;
    CString text = Ansi_To_Wide(line, int(length));
    text.MakeLower();
    return text.Find(L"bigfont") >= 0;
}

void List_Shx_Fonts(Font_List& standard, Font_List& big)
{
    Delete_Font_Entries(standard);
    Delete_Font_Entries(big);
    CStringArray folders;
    folders.Add(Fonts_Folder());
    Support_Folders(folders);
    CStringArray files;
    for (int i = 0; i < folders.GetSize(); ++i)
        List_Font_Files(folders[i], L".shx", files);
    for (int i = 0; i < files.GetSize(); ++i) {
        TTF_SHX* entry = Make_Font_Entry(files[i], Font_File_Name_Of(files[i]));
        (Is_Big_Font_File(files[i]) ? big : standard).Add(entry);
    }
    for (Font_List* list : {&standard, &big}) {
        Sort_Font_Entries(*list);
        Remove_Duplicate_Fonts(*list);
    }
}

void List_TrueType_Fonts(Font_List& fonts)
{
    Delete_Font_Entries(fonts);
    CStringArray files;
    List_Font_Files(Fonts_Folder(), L".ttf", files);
    for (int i = 0; i < files.GetSize(); ++i)
        fonts.Add(Make_Font_Entry(files[i], Font_File_Name_Of(files[i])));
    Collection_List collections;
    List_TrueType_Collections(collections);
    for (int i = 0; i < collections.GetSize(); ++i) {
        const TTC* collection = collections[i];
        for (int f = 0; f < collection->Face_Names.GetSize(); ++f)
            fonts.Add(Make_Font_Entry(collection->Path, collection->Face_Names[f]));
        delete collection;
    }
    Sort_Font_Entries(fonts);
}

void List_TrueType_Collections(Collection_List& collections)
{
    CStringArray files;
    List_Font_Files(Fonts_Folder(), L".ttc", files);
    for (int i = 0; i < files.GetSize(); ++i) {
        CStringArray names;
        if (!Read_Collection_Face_Names(files[i], names))
            continue;
        TTC* collection = new TTC;
        collection->Path = files[i];
        collection->File_Name = Font_File_Name_Of(files[i]);
        collection->Face_Names.Copy(names);
        collections.Add(collection);
    }
}

bool Read_Collection_Face_Names(const CString& path, CStringArray& names)
{
    names.RemoveAll();
    FILE* file = _wfopen(path.GetString(), L"rb");
    if (file == nullptr)
        return false;
    Font_Reader in(file);
    uint32_t count = 0;
    std::vector<uint32_t> offsets;
    // Tag and version are not checked; the face count must fit in the file.
    if (in.Seek(0) && in.Skip(8) && in.U32(count) && in.Fits(count, 4)) {
        offsets.resize(count);
        for (uint32_t& offset : offsets)
            if (!in.U32(offset)) {
                offsets.clear();
                break;
            }
    }
    for (const uint32_t offset : offsets) {
        uint16_t tables = 0;
        if (!in.Seek(offset) || !in.Skip(4) || !in.U16(tables) || !in.Skip(6) || !in.Fits(tables, 16))
            continue;
        for (uint16_t t = 0; t < tables; ++t) {
            char tag[5] = {0};
            uint32_t checksum = 0, table_offset = 0, length = 0;
            if (!in.Read(tag, 4) || !in.U32(checksum) || !in.U32(table_offset) || !in.U32(length))
                break;
            if (CString(tag).CompareNoCase(L"name") != 0)
                continue;
            const CString name = Read_Full_Font_Name(file, table_offset);
            if (!name.IsEmpty())
                names.Add(name + L".ttf");
            break;
        }
    }
    std::fclose(file);
    return names.GetSize() > 0;
}

CString Read_Full_Font_Name(FILE* file, uint32_t table_offset)
{
    Font_Reader in(file);
    uint16_t format = 0, count = 0, storage = 0;
    if (!in.Seek(table_offset) || !in.U16(format) || !in.U16(count) || !in.U16(storage) || !in.Fits(count, 12))
        return CString();
    for (uint16_t r = 0; r < count; ++r) {
        uint16_t platform_id = 0, encoding = 0, language = 0, name_id = 0, length = 0, offset = 0;
        if (!in.U16(platform_id) || !in.U16(encoding) || !in.U16(language) || !in.U16(name_id) ||
            !in.U16(length) || !in.U16(offset))
            return CString();
        if (name_id != 4)
            continue;
        std::vector<unsigned char> bytes(length);
        if (!in.Seek(uint64_t(table_offset) + storage + offset) || !in.Read(bytes.data(), length))
            return CString();
        if (platform_id == 3 && encoding == 1) {
            CString name;
            for (size_t i = 0; i + 1 < bytes.size(); i += 2)
                name += wchar_t(bytes[i] << 8 | bytes[i + 1]);
            return name;
        }
        return Ansi_To_Wide(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()));
    }
    return CString();
}

void Sort_Font_Entries(Font_List& fonts)
{
    const int n = int(fonts.GetSize());
    for (int pass = 0; pass + 1 < n; ++pass)
        for (int i = 0; i + 1 < n - pass; ++i)
            if (fonts[i]->Stem.Compare(fonts[i + 1]->Stem) > 0) {
                TTF_SHX* swap = fonts[i];
                fonts[i] = fonts[i + 1];
                fonts[i + 1] = swap;
            }
}

void Remove_Duplicate_Fonts(Font_List& fonts)
{
    for (int i = 0; i < fonts.GetSize();) {
        bool later = false;
        for (int j = i + 1; j < fonts.GetSize() && !later; ++j)
            later = fonts[i]->Stem.CompareNoCase(fonts[j]->Stem) == 0;
        if (later) {
            delete fonts[i];
            fonts.RemoveAt(i);
        } else {
            ++i;
        }
    }
}

void Delete_Font_Entries(Font_List& fonts)
{
    for (int i = 0; i < fonts.GetSize(); ++i)
        delete fonts[i];
    fonts.RemoveAll();
}

void Font_Inventory::Load()
{
    Clear();
    List_TrueType_Fonts(TrueType);
    List_Shx_Fonts(Standard_Shx, Big_Shx);
}

TTF_SHX* Font_Inventory::Find(const CString& file_name) const
{
    for (const Font_List* list : {&TrueType, &Standard_Shx, &Big_Shx})
        for (int i = 0; i < list->GetSize(); ++i)
            if ((*list)[i]->File_Name.CompareNoCase(file_name) == 0)
                return (*list)[i];
    // A collection is found by its own file name through its faces.
    for (int i = 0; i < TrueType.GetSize(); ++i)
        if (Has_Font_Extension(TrueType[i]->Path, L".ttc") && Font_File_Name_Of(TrueType[i]->Path).CompareNoCase(file_name) == 0)
            return TrueType[i];
    return nullptr;
}

void Font_Inventory::Clear()
{
    Delete_Font_Entries(TrueType);
    Delete_Font_Entries(Standard_Shx);
    Delete_Font_Entries(Big_Shx);
}
