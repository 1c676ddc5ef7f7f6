// The signature library file: the code transform, the written text, round trips, the
// record limit, duplicates, the keep question, broken files and failed writes.
#include <gtest/gtest.h>

#include <sstream>

#include "core_fixture.h"
#include "core/checked_file_writer.h"
#include "core/version_stamp.h"
#include "script/script_input.h"
#include "sign_test_support.h"
#include "win/win_msgbox.h"

using namespace sign_test;

namespace {

class Sign_Library_Test : public Core_Test {
protected:
    void SetUp() override
    {
        Core_Test::SetUp();
        platform::MessageBoxLog.clear();
        Library.Clear();
        Library.Header = 0;
    }
    Sign_Library Library;
};

// A file of `count` records without shapes, person numbers 1..count, that declares
// `declared` records.
std::string Bare_Records_File(int count, int declared)
{
    std::ostringstream text;
    text << "20260101\n0\n" << declared << "\n";
    for (int i = 1; i <= count; ++i)
        text << "20260101\n0\n1\n1\n" << i << "\nN" << i << "\n0\n0\n0\n0\n1\n";
    return text.str();
}

std::string Bare_Records_File(int count) { return Bare_Records_File(count, count); }

TEST(Auth_Code, Encodes_Affinely_And_Decodes_Every_Code_Back)
{
    EXPECT_EQ(Encode_Auth_Code(0), 0);
    EXPECT_EQ(Decode_Auth_Code(0), 0);
    EXPECT_EQ(Encode_Auth_Code(1), 389 + 1609343);
    EXPECT_EQ(Encode_Auth_Code(999999), 999999 * 389 + 1609343);
    for (int32_t code = 1; code <= 999999; ++code)
        ASSERT_EQ(Decode_Auth_Code(Encode_Auth_Code(code)), code);
}

TEST_F(Sign_Library_Test, Writes_The_Format_With_Encoded_Codes_And_Escaped_Names)
{
    Library.Header = 7;
    auto sign = std::make_unique<KV_Sign>();
    sign->Person_No = 42;
    sign->Name = L"Li Ming";
    sign->Code = 123456;
    auto shape = std::make_unique<MyShape>();
    shape->Xs = {12.3456789, 1.0};
    shape->Ys = {-2.5, 0.0};
    sign->Shapes.push_back(std::move(shape));
    Library.Signs.push_back(std::move(sign));
    const CString path = Doc_Path(L"Sign.kvlib1");
    ASSERT_TRUE(Library.Save(path));

    const std::string stamp = std::to_string(Program_Version_Stamp);
    const std::string expected = stamp + "\n" + std::to_string(7 * 389 + 1609343) + "\n1\n" + stamp + "\n1\n" + stamp +
                                 "\n1\n2\n12.3457   -2.5\n1   0\n1\n1\n42\nLi*?*Ming\n" +
                                 std::to_string(123456 * 389 + 1609343) + "\n0\n0\n0\n1\n";
    EXPECT_EQ(Read_File(path), expected);
}

TEST_F(Sign_Library_Test, Round_Trip_Keeps_Every_Field_Sorted_By_Name)
{
    Library.Header = 99;
    Library.Signs.push_back(Make_Sign(3, L"Zhang San", 555));
    Library.Signs.push_back(Make_Sign(1, L"", 0));
    Library.Signs.push_back(Make_Sign(2, L"An", 999999));
    Library.Signs[2]->Enabled = 0;
    Library.Signs[2]->Reserved[1] = -4;
    Library.Signs[2]->Authorised_Days = 12;  // never filed
    const CString path = Doc_Path(L"round.kvlib1");
    ASSERT_TRUE(Library.Save(path));

    Sign_Library loaded;
    Sign_Library::Load(loaded, path, false);
    EXPECT_EQ(loaded.Header, 99);
    ASSERT_EQ(loaded.Signs.size(), 3u);
    EXPECT_EQ(loaded.Signs[0]->Name, CString(L""));
    EXPECT_EQ(loaded.Signs[1]->Name, CString(L"An"));
    EXPECT_EQ(loaded.Signs[2]->Name, CString(L"Zhang San"));
    const KV_Sign& an = *loaded.Signs[1];
    EXPECT_EQ(an.Person_No, 2);
    EXPECT_EQ(an.Code, 999999);
    EXPECT_EQ(an.Enabled, 0);
    EXPECT_EQ(an.Reserved[1], -4);
    EXPECT_EQ(an.Authorised_Days, 0);
    EXPECT_EQ(an.Width, 20.0);
    ASSERT_EQ(an.Shapes.size(), 2u);
    EXPECT_EQ(an.Shapes[0]->Kind, 1);
    EXPECT_EQ(an.Shapes[1]->Kind, 0);
    EXPECT_EQ(an.Shapes[1]->Xs, (std::vector<double>{-5, 5, 5, -5}));
    EXPECT_EQ(loaded.Signs[2]->Code, 555);
    EXPECT_EQ(loaded.Signs[0]->Code, 0);
}

TEST_F(Sign_Library_Test, Empty_Library_Is_Three_Lines_And_Loads_Empty)
{
    const CString path = Doc_Path(L"empty.kvlib1");
    ASSERT_TRUE(Library.Save(path));
    const std::string stamp = std::to_string(Program_Version_Stamp);
    EXPECT_EQ(Read_File(path), stamp + "\n0\n0\n");
    Library.Signs.push_back(Make_Sign(1, L"x", 0));
    Sign_Library::Load(Library, path, false);
    EXPECT_TRUE(Library.Signs.empty());
}

TEST_F(Sign_Library_Test, Record_Limit_Is_Two_Thousand)
{
    struct Case {
        int count;
        size_t loaded;
    };
    for (const Case& c : {Case{2000, 2000}, Case{2001, 0}, Case{0, 0}, Case{-1, 0}}) {
        SCOPED_TRACE(c.count);
        const CString path = Doc_Path(L"limit.kvlib1");
        Write_File(path, Bare_Records_File(c.count < 0 ? 0 : c.count, c.count));
        Sign_Library loaded;
        Sign_Library::Load(loaded, path, false);
        EXPECT_EQ(loaded.Signs.size(), c.loaded);
    }
}

TEST_F(Sign_Library_Test, First_Of_Two_Records_With_One_Person_Number_Wins)
{
    const CString path = Doc_Path(L"dup.kvlib1");
    std::string text = Bare_Records_File(2);
    text.replace(text.find("\n2\nN2"), 5, "\n1\nN2");
    Write_File(path, text);
    Sign_Library::Load(Library, path, false);
    ASSERT_EQ(Library.Signs.size(), 1u);
    EXPECT_EQ(Library.Signs[0]->Name, CString(L"N1"));
}

TEST_F(Sign_Library_Test, Keep_Question_Decides_Whether_Held_Records_Stay)
{
    const CString path = Doc_Path(L"keep.kvlib1");
    Write_File(path, Bare_Records_File(2));
    for (const char* answer : {"YES", "NO"}) {
        SCOPED_TRACE(answer);
        platform::MessageBoxLog.clear();
        Library.Clear();
        Library.Signs.push_back(Make_Sign(1, L"Held", 5));
        platform::ScriptInput::instance().push_text(std::string("msgbox ") + answer + "\n");
        Sign_Library::Load(Library, path, true);
        ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
        EXPECT_EQ(platform::MessageBoxLog[0].text, L"原签名库信息是否保留 ？");
        EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel");
        ASSERT_EQ(Library.Signs.size(), 2u);
        EXPECT_EQ(Library.Signs[0]->Name, CString(std::string(answer) == "YES" ? L"Held" : L"N1"));
    }
    // Nothing held: no question.
    platform::MessageBoxLog.clear();
    Library.Clear();
    Sign_Library::Load(Library, path, true);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
    EXPECT_EQ(Library.Signs.size(), 2u);
}

TEST_F(Sign_Library_Test, Broken_File_Loads_The_Complete_Records_And_Says_So)
{
    const std::string whole = Bare_Records_File(3);
    struct Case {
        const char* what;
        std::string text;
        size_t loaded;
    };
    std::string huge_shapes = Bare_Records_File(2);
    huge_shapes.replace(huge_shapes.rfind("20260101\n0\n"), 11, "20260101\n2000000000\n");
    const std::string huge_vertices = "20260101\n0\n1\n20260101\n1\n20260101\n1\n2147483647\n1 2\n";
    for (const Case& c : {Case{"cut in the third record", whole.substr(0, whole.size() - 6), 2},
                          Case{"shape count beyond the limit", huge_shapes, 1},
                          Case{"vertex count beyond the limit", huge_vertices, 0}}) {
        SCOPED_TRACE(c.what);
        platform::CommandLine::instance().clear();
        const CString path = Doc_Path(L"broken.kvlib1");
        Write_File(path, c.text);
        Sign_Library loaded;
        Sign_Library::Load(loaded, path, false);
        EXPECT_EQ(loaded.Signs.size(), c.loaded);
        EXPECT_NE(Printed().find(L"不完整"), std::wstring::npos) << Printed();
    }
}

TEST_F(Sign_Library_Test, Failed_Write_Is_Reported_And_Leaves_The_Old_File)
{
    const CString path = Doc_Path(L"locked.kvlib1");
    Library.Signs.push_back(Make_Sign(1, L"Old", 0));
    ASSERT_TRUE(Library.Save(path));
    const std::string before = Read_File(path);
    platform::Machine::instance().fail_writes_after(Checked_File_Writer::Temp_Path_Of(path).GetString(), 10);
    Library.Signs.push_back(Make_Sign(2, L"New", 0));
    platform::ScriptInput::instance().push_text("msgbox OK\n");
    EXPECT_FALSE(Library.Save(path));
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_NE(platform::MessageBoxLog[0].text.find(L"写入操作有误"), std::wstring::npos);
    EXPECT_EQ(Read_File(path), before);
}

TEST(Sign_Loops, Shapes_Become_Signed_Counts_And_Empty_Shapes_Are_Skipped)
{
    auto sign = sign_test::Make_Sign(1, L"a", 0);
    sign->Shapes.insert(sign->Shapes.begin() + 1, std::make_unique<MyShape>());
    ZcArray<int32_t> counts;
    ZcGePoint3dArray points;
    counts.append(99);
    sign->To_Loops(counts, points);
    ASSERT_EQ(counts.length(), 2);
    EXPECT_EQ(counts[0], 4);
    EXPECT_EQ(counts[1], -4);
    ASSERT_EQ(points.length(), 8);
    EXPECT_EQ(points[4], ZcGePoint3d(-5, -5, 0));
}

}  // namespace
