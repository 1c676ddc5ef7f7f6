// The stamp library file: the written bytes, round trips, the record limit, duplicates,
// the keep question, truncated and lying files, failed writes and picture files.
#include <gtest/gtest.h>

#include "core_fixture.h"
#include "core/version_stamp.h"
#include "script/script_input.h"
#include "sign_test_support.h"
#include "signstamp/stamp_library.h"
#include "stamp_test_support.h"
#include "win/machine.h"
#include "win/win_msgbox.h"

using namespace stamp_test;
using sign_test::Doc_Path;

namespace {

class Stamp_Library_Test : public Core_Test {
protected:
    void SetUp() override
    {
        Core_Test::SetUp();
        platform::MessageBoxLog.clear();
    }
    Stamp_Library Library;
};

std::string Records(int count)
{
    std::string records;
    for (int i = 0; i < count; ++i)
        records += Record_Bytes("", "S" + std::to_string(i));
    return records;
}

TEST_F(Stamp_Library_Test, Writes_The_Binary_Format_With_Escaped_Name_And_Encoded_Code)
{
    Library.Header = 7;
    auto stamp = Make_Stamp(L"Ab c", "PNG!", 123456, Stamp_Done);
    stamp->Width = 50.5;
    stamp->Height = 20.25;
    stamp->Valid_Date = 20301231;
    stamp->Enabled = 0;
    Library.Stamps.push_back(std::move(stamp));
    const CString path = Doc_Path(L"one.kvlib2");
    ASSERT_TRUE(Library.Save(path));

    const std::string name_units = std::string("A\0b\0*\0?\0*\0c\0", 12);
    const std::string expected = Int32_Bytes(Program_Version_Stamp) + Int32_Bytes(7 * 389 + 1609343) + Int32_Bytes(1) +
                                 Int32_Bytes(Program_Version_Stamp) + Int32_Bytes(4) + "PNG!" + Int32_Bytes(6) +
                                 name_units + Real_Bytes(50.5) + Real_Bytes(20.25) +
                                 Int32_Bytes(123456 * 389 + 1609343) + Int32_Bytes(20301231) + Int32_Bytes(3) +
                                 Int32_Bytes(0);
    EXPECT_EQ(File_Bytes(path), expected);
    EXPECT_EQ(expected.size(), 12u + 44u + 4u + 2u * 6u);
}

TEST_F(Stamp_Library_Test, Round_Trip_Keeps_Pictures_Codes_Dates_Types_And_Flags_Sorted_By_Name)
{
    std::string picture;
    for (int i = 0; i < 3000; ++i)
        picture += static_cast<char>(i * 7);
    Library.Header = 99;
    Library.Stamps.push_back(Make_Stamp(L"zeta", picture, 999999, Stamp_Any));
    Library.Stamps.push_back(Make_Stamp(L"", "x", 0, Stamp_Issue));
    Library.Stamps.push_back(Make_Stamp(L"\u6CE8\u518C \U0001F600", "\r\n\x1a", 1, Stamp_Project));
    Library.Stamps[0]->Enabled = 0;
    Library.Stamps[0]->Valid_Date = 20240229;
    const CString path = Doc_Path(L"trip.kvlib2");
    ASSERT_TRUE(Library.Save(path));
    EXPECT_EQ(Library.Stamps[0]->Name, CString(L""));  // sorted in memory too
    EXPECT_EQ(Library.Stamps[1]->Name, CString(L"zeta"));

    Stamp_Library loaded;
    Stamp_Library::Load(loaded, path, false);
    EXPECT_EQ(loaded.Header, 99);
    ASSERT_EQ(loaded.Stamps.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const KV_Stamp& a = *Library.Stamps[i];
        const KV_Stamp& b = *loaded.Stamps[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(b.Name, a.Name);
        EXPECT_EQ(b.Picture, a.Picture);
        EXPECT_EQ(b.Code, a.Code);
        EXPECT_EQ(b.Valid_Date, a.Valid_Date);
        EXPECT_EQ(b.Type, a.Type);
        EXPECT_EQ(b.Enabled, a.Enabled);
        EXPECT_EQ(b.Width, a.Width);
        EXPECT_EQ(b.Height, a.Height);
    }
    EXPECT_TRUE(Printed().empty()) << Printed();
}

TEST_F(Stamp_Library_Test, Counts_Outside_One_To_A_Thousand_Load_Nothing)
{
    const CString path = Doc_Path(L"count.kvlib2");
    struct Case {
        int count;
        size_t loaded;
    };
    for (const Case& c : {Case{0, 0}, Case{1000, 1000}, Case{1001, 0}}) {
        SCOPED_TRACE(c.count);
        Write_Bytes(path, Library_Bytes(c.count, Records(c.count)));
        Stamp_Library::Load(Library, path, false);
        EXPECT_EQ(Library.Stamps.size(), c.loaded);
    }
    // An empty library is the three integers.
    Library.Clear();
    ASSERT_TRUE(Library.Save(path));
    EXPECT_EQ(File_Bytes(path).size(), 12u);
}

TEST_F(Stamp_Library_Test, Duplicate_Names_Keep_The_Stamp_Present_First)
{
    const CString path = Doc_Path(L"dup.kvlib2");
    Write_Bytes(path, Library_Bytes(3, Record_Bytes("first", "Seal") + Record_Bytes("second", "Seal") +
                                           Record_Bytes("upper", "SEAL")));
    Stamp_Library::Load(Library, path, false);
    ASSERT_EQ(Library.Stamps.size(), 2u);
    EXPECT_EQ(Library.Find(L"Seal")->Picture, "first");
    EXPECT_EQ(Library.Find(L"SEAL")->Picture, "upper");

    // Kept on import: the stamp in memory wins over the file's.
    for (const char* answer : {"YES", "NO"}) {
        SCOPED_TRACE(answer);
        Library.Clear();
        Library.Stamps.push_back(Make_Stamp(L"Seal", "held"));
        platform::MessageBoxLog.clear();
        platform::ScriptInput::instance().push_text(std::string("msgbox ") + answer + "\n");
        Stamp_Library::Load(Library, path, true);
        ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
        EXPECT_EQ(platform::MessageBoxLog[0].text, L"原印章库信息是否保留 ？");
        EXPECT_EQ(Library.Find(L"Seal")->Picture, std::string(answer) == "YES" ? "held" : "first");
        EXPECT_EQ(Library.Stamps.size(), 2u);
    }
}

TEST_F(Stamp_Library_Test, Truncated_Or_Lying_File_Loads_Its_Complete_Records_And_Says_So)
{
    const std::string three = Records(3);
    const std::string record = Record_Bytes("pic", "S");
    struct Case {
        const char* what;
        std::string bytes;
        size_t loaded;
    };
    const Case cases[] = {
        {"cut inside the third record", Library_Bytes(3, three.substr(0, three.size() - 5)), 2},
        {"more records declared than the file holds", Library_Bytes(1000, record), 1},
        {"picture length beyond the file", Library_Bytes(2, record + Int32_Bytes(1) + Int32_Bytes(0x7FFFFFFF) + "abc"),
         1},
        {"name length beyond the file", Library_Bytes(1, Int32_Bytes(1) + Int32_Bytes(0) + Int32_Bytes(0x40000000)), 0},
    };
    const CString path = Doc_Path(L"broken.kvlib2");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform::CommandLine::instance().clear();
        Write_Bytes(path, c.bytes);
        Stamp_Library::Load(Library, path, false);
        EXPECT_EQ(Library.Stamps.size(), c.loaded);
        EXPECT_NE(Printed().find(L"不完整"), std::wstring::npos) << Printed();
    }
}

TEST_F(Stamp_Library_Test, Failed_Write_Is_Reported_And_Leaves_The_Old_File)
{
    const CString path = Doc_Path(L"old.kvlib2");
    Library.Stamps.push_back(Make_Stamp(L"Old", "picture"));
    ASSERT_TRUE(Library.Save(path));
    const std::string before = File_Bytes(path);
    platform::Machine::instance().fail_writes_after(path.GetString(), 20);
    Library.Stamps.push_back(Make_Stamp(L"New", "more"));
    platform::ScriptInput::instance().push_text("msgbox OK\n");
    EXPECT_FALSE(Library.Save(path));
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_NE(platform::MessageBoxLog[0].text.find(L"写入操作有误"), std::wstring::npos);
    EXPECT_EQ(File_Bytes(path), before);
}

TEST_F(Stamp_Library_Test, Picture_Files_Are_Read_Whole_And_Written_Back)
{
    const CString source = Doc_Path(L"seal.png");
    std::string bytes;
    for (int i = 0; i < 70000; ++i)
        bytes += static_cast<char>(i % 251);
    Write_Bytes(source, bytes);
    KV_Stamp stamp;
    ASSERT_TRUE(stamp.Load_Picture(source));
    EXPECT_EQ(stamp.Picture_Length(), 70000);
    const CString copy = Doc_Path(L"copy");
    ASSERT_TRUE(stamp.Save_Picture(copy));
    EXPECT_EQ(File_Bytes(copy), bytes);

    Write_Bytes(source, "");
    EXPECT_FALSE(stamp.Load_Picture(source));
    EXPECT_EQ(stamp.Picture_Length(), 0);
    EXPECT_FALSE(stamp.Load_Picture(Doc_Path(L"missing.png")));
    EXPECT_FALSE(stamp.Save_Picture(copy));  // no picture
}

TEST(Stamp_Kinds, Types_Serve_Their_Kind_And_Unsorted_Serves_All)
{
    for (int kind = 1; kind <= 4; ++kind) {
        SCOPED_TRACE(kind);
        for (int32_t type = -1; type <= 5; ++type)
            EXPECT_EQ(Stamp_Serves_Kind(type, kind), type == kind - 1 || type == Stamp_Any) << type;
    }
    EXPECT_STREQ(Stamp_Type_Text(4), L"不分类");
    EXPECT_STREQ(Stamp_Type_Text(5), L"");
}

}  // namespace
