// The font inventory over the fonts folder and the support path: SHX kinds by their first
// line, collection faces by their full names, sorting, duplicates and lookups; damaged
// collections and long support paths read within bounds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/program_folders.h"
#include "font_files.h"
#include "font_fixture.h"
#include "script/utf8.h"
#include "tools/font_inventory.h"
#include "tools/font_styles.h"

namespace {

struct Entry {
    std::wstring file_name;
    std::wstring path;
};

std::vector<Entry> Entries(const Font_List& list)
{
    std::vector<Entry> entries;
    for (int i = 0; i < list.GetSize(); ++i)
        entries.push_back({list[i]->File_Name.GetString(), list[i]->Path.GetString()});
    return entries;
}

void Expect_Entries(const Font_List& list, const std::vector<Entry>& expected, const char* which)
{
    const std::vector<Entry> got = Entries(list);
    ASSERT_EQ(got.size(), expected.size()) << which;
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].file_name, expected[i].file_name) << which << " row " << i;
        EXPECT_EQ(got[i].path, expected[i].path) << which << " row " << i;
    }
}

const std::wstring Fonts = L"C:\\Windows\\Fonts";
const std::wstring First = L"C:\\FontTest\\First";
const std::wstring Second = L"C:\\FontTest\\Second";
// The support path is lower-cased when it is read.
const std::wstring First_Read = L"c:\\fonttest\\first";
const std::wstring Second_Read = L"c:\\fonttest\\second";

}  // namespace

TEST_F(Font_Test, Inventory_Names_Shx_TrueType_And_Collection_Fonts_As_Found)
{
    Write(Fonts + L"\\Zeta.shx", Shx_File("AutoCAD-86 shapes 1.0"));
    Write(Fonts + L"\\hz.SHX", Shx_File("AutoCAD-86 BigFont 1.0"));
    Write(Fonts + L"\\dup.shx", Shx_File("AutoCAD-86 shapes 1.0"));
    Write(First + L"\\dup.shx", Shx_File("AutoCAD-86 shapes 1.0"));
    Write(Second + L"\\DUP.shx", Shx_File("AutoCAD-86 shapes 1.0"));
    // "bigfont" beyond a first line of 255 bytes does not count.
    Write(First + L"\\long.shx", std::string(300, 'x') + "bigfont\n");
    Write(First + L"\\empty.shx", "");
    Write(Fonts + L"\\plain.ttf", "not read");
    Write(Fonts + L"\\readme.txt", "AutoCAD-86 bigfont");
    Write(Fonts + L"\\pair.ttc",
          Collection_File({{{3, 1, 1, Utf16_Be("Family")}, {3, 1, 4, Utf16_Be("Face One")}},
                           {{1, 0, 4, "Face Two Mac"}, {3, 1, 4, Utf16_Be("Face Two Win")}}}));
    Write(Fonts + L"\\noname.ttc", Collection_File({{{3, 1, 1, Utf16_Be("Family only")}}}));
    // An empty entry and a missing folder are skipped; the entries after them are read.
    Set_Support_Path(First + L"\\;;C:\\FontTest\\Missing;" + Second);

    Font_Inventory inventory;
    inventory.Load();
    Expect_Entries(inventory.TrueType,
                   {{L"Face One.ttf", Fonts + L"\\pair.ttc"},
                    {L"Face Two Mac.ttf", Fonts + L"\\pair.ttc"},
                    {L"plain.ttf", Fonts + L"\\plain.ttf"}},
                   "TrueType");
    Expect_Entries(inventory.Standard_Shx,
                   {{L"DUP.shx", Second_Read + L"\\DUP.shx"},
                    {L"empty.shx", First_Read + L"\\empty.shx"},
                    {L"long.shx", First_Read + L"\\long.shx"},
                    {L"Zeta.shx", Fonts + L"\\Zeta.shx"}},
                   "standard");
    Expect_Entries(inventory.Big_Shx, {{L"hz.SHX", Fonts + L"\\hz.SHX"}}, "big");

    struct Lookup {
        const wchar_t* name;
        const wchar_t* path;  // nullptr: not found
    };
    const Lookup lookups[] = {
        {L"FACE ONE.TTF", L"C:\\Windows\\Fonts\\pair.ttc"},
        {L"pair.ttc", L"C:\\Windows\\Fonts\\pair.ttc"},
        {L"zeta.shx", L"C:\\Windows\\Fonts\\Zeta.shx"},
        {L"HZ.shx", L"C:\\Windows\\Fonts\\hz.SHX"},
        {L"dup.shx", L"c:\\fonttest\\second\\DUP.shx"},
        {L"Face Two Win.ttf", nullptr},
        {L"noname.ttc", nullptr},
        {L"pair", nullptr},
    };
    for (const Lookup& lookup : lookups) {
        const TTF_SHX* found = inventory.Find(lookup.name);
        if (lookup.path == nullptr) {
            EXPECT_EQ(found, nullptr) << platform::To_Utf8(lookup.name);
        } else {
            ASSERT_NE(found, nullptr) << platform::To_Utf8(lookup.name);
            EXPECT_EQ(std::wstring(found->Path.GetString()), lookup.path);
        }
    }
}

TEST_F(Font_Test, Real_Collection_And_TrueType_Files_Give_Their_Full_Names)
{
    const std::filesystem::path collection = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";
    const std::filesystem::path single = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    if (!std::filesystem::exists(collection) || !std::filesystem::exists(single))
        GTEST_SKIP() << "needs fonts-wqy-microhei and fonts-dejavu-core";
    std::filesystem::copy_file(collection, Host(Fonts + L"\\wqy-microhei.ttc"));
    std::filesystem::copy_file(single, Host(Fonts + L"\\DejaVuSans.ttf"));

    Font_Inventory inventory;
    inventory.Load();
    // Its first full-name records are Macintosh ones, read in the ANSI code page.
    Expect_Entries(inventory.TrueType,
                   {{L"DejaVuSans.ttf", Fonts + L"\\DejaVuSans.ttf"},
                    {L"WenQuanYi Micro Hei.ttf", Fonts + L"\\wqy-microhei.ttc"},
                    {L"WenQuanYi Micro Hei Mono.ttf", Fonts + L"\\wqy-microhei.ttc"}},
                   "TrueType");
}

TEST_F(Font_Test, Damaged_Collections_Give_No_Names_Without_Reading_Beyond_The_File)
{
    const std::string good = Collection_File({{{3, 1, 4, Utf16_Be("Good")}}});
    auto with = [&](size_t at, std::string bytes) {
        std::string file = good;
        file.replace(at, bytes.size(), bytes);
        return file;
    };
    // Header 12 bytes + 1 offset; the face's offset table at 16, its records at 28 and 44,
    // the name table at 60 (format, count, storage offset), its record at 66.
    struct Damage {
        const char* what;
        std::string file;
    };
    const Damage damages[] = {
        {"no faces", with(8, std::string("\0\0\0\0", 4))},
        {"a face count of 2^32 - 1", with(8, "\xFF\xFF\xFF\xFF")},
        {"a cut header", good.substr(0, 10)},
        {"a face beyond the file", with(12, "\x7F\xFF\xFF\xFF")},
        {"65535 tables", with(20, "\xFF\xFF")},
        {"a name table beyond the file", with(52, "\xFF\xFF\xFF\x00")},
        {"65535 name records", with(62, "\xFF\xFF")},
        {"a name longer than the file", with(74, "\xFF\xFF")},
        {"a storage offset beyond the file", with(64, "\xFF\xFF")},
        {"a string offset beyond the file", with(76, "\xFF\xFF")},
    };
    for (const Damage& damage : damages) {
        Write(Fonts + L"\\damaged.ttc", damage.file);
        CStringArray names;
        EXPECT_FALSE(Read_Collection_Face_Names(L"C:\\Windows\\Fonts\\damaged.ttc", names)) << damage.what;
        EXPECT_EQ(names.GetSize(), 0) << damage.what;
    }
    Write(Fonts + L"\\damaged.ttc", good);
    CStringArray names;
    ASSERT_TRUE(Read_Collection_Face_Names(L"C:\\Windows\\Fonts\\damaged.ttc", names));
    EXPECT_EQ(std::wstring(names[0].GetString()), L"Good.ttf");
}

TEST_F(Font_Test, Support_Path_Beyond_Its_Buffer_Keeps_The_Whole_Entries_Before_The_Cut)
{
    std::filesystem::create_directories(Host(First));
    std::filesystem::create_directories(Host(Second));
    // The value is cut inside "...\\Second2", which would name the folder Second.
    std::wstring path = First + L";";
    while (path.size() < 26000 - 1 - Second.size())
        path += L"C:\\FontTest\\Nothing;";
    path.resize(26000 - 1 - Second.size(), L'x');
    path += L";" + Second + L"2;" + First;
    Set_Support_Path(path);

    CStringArray folders;
    Support_Folders(folders);
    ASSERT_EQ(folders.GetSize(), 1);
    EXPECT_EQ(std::wstring(folders[0].GetString()), First_Read);
}

TEST(Font_File_Names, Are_Normalised_With_Shx_Unless_They_Name_A_Font_File)
{
    const std::pair<const wchar_t*, const wchar_t*> names[] = {
        {L"", L""},
        {L"txt", L"txt.shx"},
        {L"hztxt.SHX", L"hztxt.SHX"},
        {L"arial.TTF", L"arial.TTF"},
        {L"simsun.ttc", L"simsun.ttc"},
        {L"font.fon", L"font.fon.shx"},
        {L"shx", L"shx.shx"},
    };
    for (const auto& [name, normal] : names)
        EXPECT_EQ(std::wstring(Normalize_Font_File_Name(name).GetString()), normal) << platform::To_Utf8(name);
}
