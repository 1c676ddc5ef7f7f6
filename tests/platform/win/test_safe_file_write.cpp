#include <algorithm>
#include <functional>
#include <vector>

#include "machine_fixture.h"
#include "win/safe_file_write.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class SafeFileWriteTest : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        Write_File(c_drive() / "Out" / "plan.dxf", old_);
    }
    // Every entry of the folder: a failed write leaves no temporary behind.
    std::vector<std::string> Entries(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    const std::string old_ = "the old drawing, byte for byte\r\n";
    const std::string new_ = std::string(4000, 'n');
};

TEST_F(SafeFileWriteTest, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    const struct {
        const char* what;
        std::function<void()> arrange;
        const wchar_t* reason;
    } cases[] = {
        {"denied folder", [] { Machine::instance().deny_writes(L"C:\\Out"); }, L"access denied"},
        {"denied file", [] { Machine::instance().deny_writes(L"C:\\Out\\plan.dxf"); }, L"access denied"},
        {"read-only file", [] { SetFileAttributesW(L"C:\\Out\\plan.dxf", FILE_ATTRIBUTE_READONLY); }, L"access denied"},
        {"short write of the file", [] { Machine::instance().fail_writes_after(L"C:\\out\\PLAN.dxf", 100); },
         L"the disk is full"},
        {"short-writing folder", [] { Machine::instance().set_short_writes(L"C:\\", 100); }, L"the disk is full"},
        {"full disk", [] { Machine::instance().set_disk_free(L"C:\\Out", 3999); }, L"the disk is full"},
        {"full disk above", [] { Machine::instance().set_disk_free(L"C:\\", 0); }, L"the disk is full"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Machine::instance().set_root(root_);
        c.arrange();
        SetLastError(ERROR_SUCCESS);
        Safe_File_Write file(L"C:\\Out\\plan.dxf");
        EXPECT_FALSE(file.write(new_.substr(0, 2000)) && file.write(new_.substr(2000)) && file.commit());
        EXPECT_TRUE(file.failed());
        EXPECT_EQ(file.error(), std::wstring(L"cannot write C:\\Out\\plan.dxf: ") + c.reason);
        // As a failed Windows write: the thread's last error says why.
        EXPECT_EQ(GetLastError(), file.error_code());
        EXPECT_NE(file.error_code(), 0u);
        EXPECT_TRUE(file.temp_path().empty());
        EXPECT_EQ(Read_File(c_drive() / "Out" / "plan.dxf"), old_);
        EXPECT_EQ(Entries(c_drive() / "Out"), std::vector<std::string>{"plan.dxf"});
        // Lift what was set for the next case.
        Machine::instance().allow_writes(L"C:\\Out");
        Machine::instance().set_disk_free(L"C:\\Out", std::nullopt);
        Machine::instance().set_disk_free(L"C:\\", std::nullopt);
        Machine::instance().set_short_writes(L"C:\\", std::nullopt);
        SetFileAttributesW(L"C:\\Out\\plan.dxf", FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(SafeFileWriteTest, TheFileChangesOnlyWhenTheWriteIsCommitted) {
    {
        Safe_File_Write file(L"C:\\out\\plan.dxf");
        ASSERT_TRUE(file.write(new_));
        // Until then the bytes are in a temporary of this process beside the file.
        const fs::path temp = To_Host_Path(file.temp_path());
        EXPECT_EQ(temp.parent_path(), c_drive() / "Out");
        EXPECT_NE(temp.filename().string().find(std::to_string(::getpid())), std::string::npos);
        EXPECT_EQ(Read_File(c_drive() / "Out" / "plan.dxf"), old_);
        ASSERT_TRUE(file.commit());
        EXPECT_FALSE(fs::exists(temp));
    }
    EXPECT_EQ(Read_File(c_drive() / "Out" / "plan.dxf"), new_);
    {
        // Abandoned: the file stays as it was.
        Safe_File_Write file(L"C:\\Out\\plan.dxf");
        ASSERT_TRUE(file.write(old_));
    }
    EXPECT_EQ(Read_File(c_drive() / "Out" / "plan.dxf"), new_);
    EXPECT_EQ(Entries(c_drive() / "Out"), std::vector<std::string>{"plan.dxf"});
    // A new file in a new folder that does not exist is refused.
    std::wstring error;
    EXPECT_FALSE(Safe_Write_File(L"C:\\Nowhere\\a.pdf", "x", error));
    EXPECT_EQ(error, L"cannot write C:\\Nowhere\\a.pdf: no such folder");
}

TEST_F(SafeFileWriteTest, TwoWritersOfOneFileUseTheirOwnTemporaries) {
    Safe_File_Write first(L"C:\\Out\\plan.dxf");
    Safe_File_Write second(L"C:\\Out\\plan.dxf");
    EXPECT_NE(first.temp_path(), second.temp_path());
    ASSERT_TRUE(first.write("first"));
    ASSERT_TRUE(second.write("second"));
    ASSERT_TRUE(first.commit());
    ASSERT_TRUE(second.commit());
    EXPECT_EQ(Read_File(c_drive() / "Out" / "plan.dxf"), "second");
}

TEST_F(SafeFileWriteTest, AFullDiskTakesEveryWriteThereAndIsKeptWithTheMachine) {
    fs::create_directories(c_drive() / "Small" / "Sub");
    Machine::instance().set_disk_free(L"C:\\Small", 10);
    std::wstring error;
    EXPECT_TRUE(Safe_Write_File(L"C:\\Small\\a.txt", "123456", error)) << To_Utf8(error);
    // Four bytes are left for the whole folder, below it too.
    EXPECT_FALSE(Safe_Write_File(L"C:\\Small\\Sub\\b.txt", "12345", error));
    EXPECT_FALSE(fs::exists(c_drive() / "Small" / "Sub" / "b.txt"));
    EXPECT_EQ(Entries(c_drive() / "Small" / "Sub"), std::vector<std::string>{});
    // Other writers of the machine fill it too; folders beside it are free.
    FILE* raw = _wfopen(L"C:\\Small\\c.txt", L"wb");
    ASSERT_NE(raw, nullptr);
    std::fwrite("12345", 1, 5, raw);
    EXPECT_EQ(std::fclose(raw), EOF);
    EXPECT_FALSE(CopyFileW(L"C:\\Small\\a.txt", L"C:\\Small\\d.txt", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
    EXPECT_TRUE(Safe_Write_File(L"C:\\Smaller.txt", std::string(100, 'x'), error));

    // A new machine on the same root reads the limit as set.
    Machine::instance().set_root(root_);
    EXPECT_EQ(Read_File(root_ / ".disk-full"), "10\t" + (c_drive() / "Small").string() + "\n");
    EXPECT_TRUE(Safe_Write_File(L"C:\\small\\SUB\\b.txt", "1234567890", error)) << To_Utf8(error);
    EXPECT_FALSE(Safe_Write_File(L"C:\\Small\\e.txt", "1", error));
    // A list written by hand names the folder as a Windows path.
    std::ofstream(root_ / ".disk-full") << "0\tC:\\Out\n";
    Machine::instance().set_root(root_);
    EXPECT_FALSE(Safe_Write_File(L"C:\\Out\\plan.dxf", "x", error));
    EXPECT_TRUE(Safe_Write_File(L"C:\\Small\\e.txt", "1", error));
    Machine::instance().set_disk_free(L"C:\\Out", std::nullopt);
    EXPECT_TRUE(Safe_Write_File(L"C:\\Out\\plan.dxf", "x", error));
}

TEST_F(SafeFileWriteTest, AShortWritingFolderCutsEveryFileThereAndIsKeptWithTheMachine) {
    fs::create_directories(c_drive() / "Share" / "Sub");
    Machine::instance().set_short_writes(L"C:\\Share", 5);
    std::wstring error;
    // Each file on its own: what fits is written, what does not fails, again and again.
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(Safe_Write_File(L"C:\\Share\\a.txt", "12345", error)) << To_Utf8(error);
        EXPECT_FALSE(Safe_Write_File(L"C:\\Share\\Sub\\b.txt", "123456", error));
        EXPECT_EQ(error, L"cannot write C:\\Share\\Sub\\b.txt: the disk is full");
    }
    EXPECT_EQ(Entries(c_drive() / "Share" / "Sub"), std::vector<std::string>{});
    EXPECT_TRUE(Safe_Write_File(L"C:\\Elsewhere.txt", std::string(100, 'x'), error));
    // A new machine on the same root reads the list; a list written by hand names a Windows path.
    Machine::instance().set_root(root_);
    EXPECT_EQ(Read_File(root_ / ".short-writes"), "5\t" + (c_drive() / "Share").string() + "\n");
    EXPECT_FALSE(Safe_Write_File(L"C:\\share\\c.txt", "123456", error));
    std::ofstream(root_ / ".short-writes") << "2\tC:\\Out\n";
    Machine::instance().set_root(root_);
    EXPECT_FALSE(Safe_Write_File(L"C:\\Out\\plan.dxf", "xyz", error));
    EXPECT_EQ(Read_File(c_drive() / "Out" / "plan.dxf"), old_);
    EXPECT_TRUE(Safe_Write_File(L"C:\\Share\\c.txt", "123456", error));
    Machine::instance().set_short_writes(L"C:\\Out", std::nullopt);
    EXPECT_TRUE(Safe_Write_File(L"C:\\Out\\plan.dxf", "xyz", error));
}

TEST_F(SafeFileWriteTest, ACopyThatCannotBeWrittenWholeKeepsTheOldTarget) {
    Write_File(c_drive() / "Out" / "new.dxf", new_);
    const struct {
        const char* what;
        std::function<void()> arrange;
    } cases[] = {
        {"short write", [] { Machine::instance().fail_writes_after(L"C:\\Out\\plan.dxf", 100); }},
        {"full disk", [] { Machine::instance().set_disk_free(L"C:\\Out", 100); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        SetLastError(0);
        EXPECT_FALSE(CopyFileW(L"C:\\Out\\new.dxf", L"C:\\Out\\plan.dxf", FALSE));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
        Machine::instance().set_disk_free(L"C:\\Out", std::nullopt);
        EXPECT_EQ(Read_File(c_drive() / "Out" / "plan.dxf"), old_);
        EXPECT_EQ(Entries(c_drive() / "Out"), (std::vector<std::string>{"new.dxf", "plan.dxf"}));
    }
    EXPECT_TRUE(CopyFileW(L"C:\\Out\\new.dxf", L"C:\\Out\\plan.dxf", FALSE));
    EXPECT_EQ(Read_File(c_drive() / "Out" / "plan.dxf"), new_);
}

}  // namespace
}  // namespace platform
