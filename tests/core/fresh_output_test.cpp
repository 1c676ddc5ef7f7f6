// An output written under a fresh name beside its target replaces the target only once it is
// there; a file is checked for replacing without being touched.
#include <filesystem>

#include "core/file_operations.h"
#include "core/fresh_output.h"
#include "services_fixture.h"
#include "win/machine.h"

namespace {

const CString Folder = L"C:\\输出";
const CString Target = L"C:\\输出\\图-01.pdf";

class Fresh_Output_Test : public Services_Test {
protected:
    void SetUp() override
    {
        Services_Test::SetUp();
        std::filesystem::remove_all(Host(Folder));
        Write_File(Target, "earlier");
    }
    void TearDown() override
    {
        platform::Machine::instance().allow_writes(Folder.GetString());
        std::filesystem::remove_all(Host(Folder));
        Services_Test::TearDown();
    }
    static int Entries() { return static_cast<int>(std::distance(std::filesystem::directory_iterator(Host(Folder)), {})); }
};

TEST(Fresh_Output_Path, The_Fresh_Name_Keeps_The_Folder_And_The_Extension)
{
    const struct {
        const wchar_t* target;
        const wchar_t* fresh;
    } cases[] = {
        {L"C:\\输出\\图-01.pdf", L"C:\\输出\\图-01.~new.pdf"},
        {L"C:\\Out\\a.b.plt", L"C:\\Out\\a.b.~new.plt"},
        {L"C:\\Out.d\\name", L"C:\\Out.d\\name.~new"},
        {L"C:\\Out\\.hidden", L"C:\\Out\\.hidden.~new"},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Fresh_Output_Path(c.target), CString(c.fresh)) << platform::To_Utf8(c.target);
}

TEST_F(Fresh_Output_Test, The_Target_Changes_Only_When_A_Fresh_File_Was_Written)
{
    Write_File(Fresh_Output_Path(Target), "left by an interrupted run");
    {
        Fresh_Output output(Target);
        EXPECT_FALSE(output.Written()) << "a leftover is no new file";
        EXPECT_FALSE(output.Replace_Target());
        EXPECT_EQ(File_Bytes(Target), "earlier");
    }
    {
        // Written but not taken: the fresh file goes, the target stays.
        Fresh_Output output(Target);
        Write_File(output.Path(), "abandoned");
    }
    EXPECT_EQ(File_Bytes(Target), "earlier");
    EXPECT_EQ(Entries(), 1);
    {
        Fresh_Output output(Target);
        Write_File(output.Path(), "new");
        SetFileAttributesW(Target, FILE_ATTRIBUTE_READONLY);
        EXPECT_TRUE(output.Replace_Target());
    }
    EXPECT_EQ(File_Bytes(Target), "new");
    EXPECT_EQ(Entries(), 1);
}

TEST_F(Fresh_Output_Test, A_File_Is_Checked_For_Replacing_Without_Being_Touched)
{
    EXPECT_TRUE(File_Can_Be_Replaced(Folder + L"\\none.pdf"));
    EXPECT_TRUE(File_Can_Be_Replaced(Target));
    SetFileAttributesW(Target, FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(File_Can_Be_Replaced(Target)) << "its mark is cleared when it is replaced";
    SetFileAttributesW(Target, FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(File_Can_Be_Replaced(Folder)) << "a folder stands there";
    platform::Machine::instance().deny_writes(Folder.GetString());
    EXPECT_FALSE(File_Can_Be_Replaced(Target));
    EXPECT_EQ(File_Bytes(Target), "earlier");
}

}  // namespace
