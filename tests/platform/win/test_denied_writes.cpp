#include <cstring>
#include <functional>

#include "machine_fixture.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

using DeniedWriteTest = MachineTest;

TEST_F(DeniedWriteTest, EveryWriterFailsBelowADeniedFolder) {
    Write_File(c_drive() / "Cfg" / "Sub" / "old.cfg", "old");
    Write_File(c_drive() / "free.cfg", "free");
    Machine::instance().deny_writes(L"c:\\CFG");
    const struct {
        const char* what;
        std::function<bool()> write;
    } cases[] = {
        {"_wfopen w", [] { return _wfopen(L"C:\\Cfg\\new.cfg", L"w") != nullptr; }},
        {"_wfopen a below", [] { return _wfopen(L"C:\\Cfg\\Sub\\old.cfg", L"ab") != nullptr; }},
        {"_wfopen r+", [] { return _wfopen(L"C:\\Cfg\\Sub\\old.cfg", L"r+") != nullptr; }},
        {"CopyFileW into", [] { return CopyFileW(L"C:\\free.cfg", L"C:\\Cfg\\free.cfg", FALSE) != FALSE; }},
        {"MoveFileExW into", [] { return MoveFileExW(L"C:\\free.cfg", L"C:\\Cfg\\free.cfg", 0) != FALSE; }},
        {"MoveFileExW out", [] { return MoveFileExW(L"C:\\Cfg\\Sub\\old.cfg", L"C:\\old.cfg", 0) != FALSE; }},
        {"DeleteFileW", [] { return DeleteFileW(L"C:\\Cfg\\Sub\\old.cfg") != FALSE; }},
        {"CreateDirectoryW", [] { return CreateDirectoryW(L"C:\\Cfg\\New", nullptr) != FALSE; }},
        {"RemoveDirectoryW", [] { return RemoveDirectoryW(L"C:\\Cfg\\Sub") != FALSE; }},
        {"SetFileAttributesW", [] { return SetFileAttributesW(L"C:\\Cfg\\Sub\\old.cfg", FILE_ATTRIBUTE_HIDDEN) != FALSE; }},
        {"_waccess W_OK", [] { return _waccess(L"C:\\Cfg\\Sub\\old.cfg", W_OK) == 0; }},
    };
    for (const auto& c : cases) {
        SetLastError(0);
        EXPECT_FALSE(c.write()) << c.what;
        if (std::strcmp(c.what, "_waccess W_OK") != 0) {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << c.what;
        }
    }
    EXPECT_EQ(Read_File(c_drive() / "Cfg" / "Sub" / "old.cfg"), "old");
    EXPECT_FALSE(fs::exists(c_drive() / "Cfg" / "new.cfg"));
    EXPECT_FALSE(Can_Write(c_drive() / "Cfg" / "Sub" / "old.cfg"));
    EXPECT_FALSE(Can_Write(c_drive() / "cfg" / "not-yet.cfg"));

    // Reading stays allowed, and so does writing beside the folder.
    FILE* in = _wfopen(L"C:\\Cfg\\Sub\\old.cfg", L"r");
    ASSERT_NE(in, nullptr);
    std::fclose(in);
    EXPECT_TRUE(Can_Write(c_drive() / "Cfg2" / "x.cfg"));
    FILE* out = _wfopen(L"C:\\free2.cfg", L"w");
    ASSERT_NE(out, nullptr);
    std::fclose(out);

    // The denial is kept with the machine, and can be lifted.
    Machine::instance().set_root(root_);
    EXPECT_FALSE(Can_Write(c_drive() / "Cfg" / "new.cfg"));
    Machine::instance().allow_writes(L"C:\\Cfg");
    EXPECT_TRUE(Can_Write(c_drive() / "Cfg" / "new.cfg"));
    EXPECT_TRUE(DeleteFileW(L"C:\\Cfg\\Sub\\old.cfg"));
}

TEST_F(DeniedWriteTest, ReadOnlyFilesCannotBeWritten) {
    Write_File(c_drive() / "ro.cfg");
    ASSERT_TRUE(SetFileAttributesW(L"C:\\ro.cfg", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(Can_Write(c_drive() / "ro.cfg"));
    EXPECT_TRUE(Can_Write(c_drive()));
}

// Writes `text` through a stream and reports what the writer could see.
struct Write_Outcome {
    size_t written;
    bool error_after_flush;
    int close_result;
};

Write_Outcome Write_Through(FILE* file, const std::string& text) {
    Write_Outcome outcome{};
    outcome.written = std::fwrite(text.data(), 1, text.size(), file);
    std::fflush(file);
    outcome.error_after_flush = std::ferror(file) != 0;
    outcome.close_result = std::fclose(file);
    return outcome;
}

TEST_F(DeniedWriteTest, AShortWriteIsNotASuccess) {
    const std::string text(5000, 'x');
    const struct {
        const wchar_t* mode;
        uint64_t budget;
    } cases[] = {{L"wb", 100}, {L"w", 100}, {L"wb", 0}, {L"w", 4999}};
    for (const auto& c : cases) {
        // Named before the file and its folder exist, and spelled otherwise.
        Machine::instance().fail_writes_after(L"C:\\Korvel\\BPlot_Cfg_ZCAD.cfg", c.budget);
        fs::create_directories(c_drive() / "korvel");
        FILE* file = _wfopen(L"C:\\korvel\\bplot_cfg_zcad.cfg", c.mode);
        ASSERT_NE(file, nullptr);
        const Write_Outcome outcome = Write_Through(file, text);
        EXPECT_TRUE(outcome.written < text.size() || outcome.error_after_flush) << c.budget;
        EXPECT_TRUE(outcome.error_after_flush) << c.budget;
        EXPECT_EQ(outcome.close_result, EOF) << c.budget;
        EXPECT_EQ(fs::file_size(c_drive() / "korvel" / "bplot_cfg_zcad.cfg"), c.budget);
    }
    // One use only: the next write goes through, in text mode with its line breaks.
    FILE* file = _wfopen(L"C:\\Korvel\\BPlot_Cfg_ZCAD.cfg", L"w");
    ASSERT_NE(file, nullptr);
    const Write_Outcome outcome = Write_Through(file, "a\nb\n");
    EXPECT_EQ(outcome.written, 4u);
    EXPECT_FALSE(outcome.error_after_flush);
    EXPECT_EQ(outcome.close_result, 0);
    EXPECT_EQ(Read_File(c_drive() / "korvel" / "bplot_cfg_zcad.cfg"), "a\r\nb\r\n");
}

}  // namespace
}  // namespace platform
