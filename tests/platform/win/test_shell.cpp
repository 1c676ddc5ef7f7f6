#include <chrono>
#include <thread>

#include "machine_fixture.h"
#include "win/process.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

using ShellTest = MachineTest;

const std::string kMarkerProgram = TEST_MARKER_PROGRAM_PATH;

bool Is_Success(HINSTANCE result) { return reinterpret_cast<uintptr_t>(result) > 32; }
uintptr_t Code(HINSTANCE result) { return reinterpret_cast<uintptr_t>(result); }

// A request for ShellExecuteExW that asks for the process handle.
SHELLEXECUTEINFOW Request(const wchar_t* file, const wchar_t* parameters = nullptr, const wchar_t* directory = nullptr,
                          ULONG mask = SEE_MASK_NOCLOSEPROCESS) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = mask;
    info.lpVerb = L"open";
    info.lpFile = file;
    info.lpParameters = parameters;
    info.lpDirectory = directory;
    info.nShow = SW_SHOW;
    return info;
}

// Waits (up to 10 s) for a file that a program started without a handle writes.
bool Wait_For_File(const fs::path& path) {
    for (int i = 0; i < 1000 && !fs::exists(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return fs::exists(path);
}

TEST_F(ShellTest, DocumentsFoldersAndUrlsAreRecordedAndNothingStarts) {
    Write_File(c_drive() / "Program Files" / "Korvel" / "BPHelp.pdf");
    fs::create_directories(c_drive() / "Out" / "PDF");
    const struct {
        const wchar_t* verb;
        const wchar_t* file;
        const wchar_t* directory;
    } cases[] = {
        {L"open", L"C:\\program files\\KORVEL\\BPHelp.pdf", nullptr},
        {nullptr, L"C:\\Out\\PDF", nullptr},
        {L"open", L"C:\\Out\\PDF\\", nullptr},
        {L"explore", L"C:\\Out", nullptr},
        {L"open", L"BPHelp.pdf", L"C:\\Program Files\\Korvel"},
        {L"open", L"https://example.com/help", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(Is_Success(ShellExecuteW(nullptr, c.verb, c.file, nullptr, c.directory, SW_SHOWNORMAL)))
            << To_Utf8(c.file);
    }
    ASSERT_EQ(ShellLog.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(ShellLog[i].outcome, ShellOutcome::Opened);
        EXPECT_EQ(ShellLog[i].file, cases[i].file);
        EXPECT_EQ(ShellLog[i].verb, cases[i].verb ? cases[i].verb : L"");
        EXPECT_EQ(ShellLog[i].show, SW_SHOWNORMAL);
    }
    EXPECT_EQ(ShellLog[4].directory, L"C:\\Program Files\\Korvel");
    EXPECT_TRUE(MessageBoxLog.empty());

    // With a process handle asked for, a document gives none.
    SHELLEXECUTEINFOW info = Request(L"C:\\Out\\PDF");
    ASSERT_TRUE(ShellExecuteExW(&info));
    EXPECT_GT(Code(info.hInstApp), 32u);
    EXPECT_EQ(info.hProcess, nullptr);
    EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_FAILED);
}

TEST_F(ShellTest, AProgramOfOursIsStartedAndWaitedFor) {
    Machine::instance().register_program(L"C:\\Program Files\\Korvel\\Jexa2.exe", {kMarkerProgram});
    EXPECT_TRUE(fs::exists(c_drive() / "Program Files" / "Korvel" / "Jexa2.exe"));
    fs::create_directories(c_drive() / "Work");
    SHELLEXECUTEINFOW info =
        Request(L"C:\\PROGRAM FILES\\korvel\\jexa2.EXE", L"marker.txt 7 \"C:\\a b\\c.pdf\" plain", L"C:\\work");
    ASSERT_TRUE(ShellExecuteExW(&info));
    ASSERT_NE(info.hProcess, nullptr);
    EXPECT_NE(GetProcessId(info.hProcess), 0u);
    EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
    // The program has ended: its file is complete and its exit code is known.
    EXPECT_EQ(Read_File(c_drive() / "Work" / "marker.txt"),
              "arg C:\\a b\\c.pdf\narg plain\ncwd " + (c_drive() / "Work").string() + "\nroot " + root_.string() + "\n");
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeProcess(info.hProcess, &code));
    EXPECT_EQ(code, 7u);
    EXPECT_TRUE(CloseHandle(info.hProcess));
    EXPECT_FALSE(CloseHandle(info.hProcess));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    ASSERT_EQ(ShellLog.size(), 1u);
    EXPECT_EQ(ShellLog[0].outcome, ShellOutcome::Started);

    // The registration is kept with the machine.
    Machine::instance().set_root(root_);
    EXPECT_TRUE(Machine::instance().program_command(c_drive() / "Program Files" / "Korvel" / "Jexa2.exe"));
}

TEST_F(ShellTest, AWaitWithATimeLimitSeesTheProgramRunning) {
    Machine::instance().register_program(L"C:\\Korvel\\slow.exe", {kMarkerProgram});
    SHELLEXECUTEINFOW info = Request(L"C:\\Korvel\\slow.exe", L"m.txt 0", L"C:\\Korvel");
    ASSERT_TRUE(ShellExecuteExW(&info));
    EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_TIMEOUT);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeProcess(info.hProcess, &code));
    EXPECT_EQ(code, STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(info.hProcess, 20000), WAIT_OBJECT_0);
    ASSERT_TRUE(GetExitCodeProcess(info.hProcess, &code));
    EXPECT_EQ(code, 0u);
    CloseHandle(info.hProcess);
}

TEST_F(ShellTest, AnExecutableHostFileRunsWithoutAHandle) {
    const fs::path tool = c_drive() / "Tools" / "tool.exe";
    fs::create_directories(tool.parent_path());
    fs::copy_file(kMarkerProgram, tool);
    Machine::instance().set_current_directory(L"C:\\Tools");
    // Relative to the current directory when no folder is given; it works there too.
    EXPECT_TRUE(Is_Success(ShellExecuteW(nullptr, nullptr, L"TOOL.exe", L"done.txt 3", nullptr, SW_HIDE)));
    EXPECT_TRUE(Wait_For_File(c_drive() / "Tools" / "done.txt"));
    ASSERT_EQ(ShellLog.size(), 1u);
    EXPECT_EQ(ShellLog[0].outcome, ShellOutcome::Started);
}

TEST_F(ShellTest, AMissingFileGetsTheShellsMessage) {
    fs::create_directories(c_drive() / "Korvel");
    const struct {
        const wchar_t* file;
        uintptr_t code;
    } cases[] = {
        {L"C:\\Korvel\\BPHelp.pdf", SE_ERR_FNF},
        {L"C:\\Korvel\\Jexa2.exe", SE_ERR_FNF},
        {L"C:\\NoSuchFolder\\BPHelp.pdf", SE_ERR_PNF},
        {L"", SE_ERR_FNF},
    };
    for (const auto& c : cases) {
        ScriptInput::instance().push_text("msgbox OK\n");
        EXPECT_EQ(Code(ShellExecuteW(nullptr, L"open", c.file, nullptr, nullptr, SW_SHOWNORMAL)), c.code)
            << To_Utf8(c.file);
        ASSERT_FALSE(MessageBoxLog.empty());
        EXPECT_EQ(MessageBoxLog.back().caption, c.file);
        EXPECT_EQ(MessageBoxLog.back().text,
                  std::wstring(L"Windows 找不到文件 '") + c.file + L"'。请确定文件名是否正确后，再试一次。");
        EXPECT_EQ(MessageBoxLog.back().type, static_cast<UINT>(MB_OK | MB_ICONERROR));
        EXPECT_EQ(ShellLog.back().outcome, ShellOutcome::Failed);
        EXPECT_EQ(ShellLog.back().error, c.code);
    }
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    // The message must be answered.
    EXPECT_THROW(ShellExecuteW(nullptr, L"open", L"C:\\Korvel\\BPHelp.pdf", nullptr, nullptr, SW_SHOW), UnansweredInput);

    // ShellExecuteExW fails the same way; without UI there is no message.
    SHELLEXECUTEINFOW info =
        Request(L"C:\\Korvel\\Jexa2.exe", nullptr, nullptr, SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI);
    const size_t boxes = MessageBoxLog.size();
    EXPECT_FALSE(ShellExecuteExW(&info));
    EXPECT_EQ(Code(info.hInstApp), static_cast<uintptr_t>(SE_ERR_FNF));
    EXPECT_EQ(info.hProcess, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(MessageBoxLog.size(), boxes);
}

TEST_F(ShellTest, AProgramThatCannotRunIsRefused) {
    Write_File(c_drive() / "Korvel" / "Jexa2.exe", "MZ");  // no execute bit, not registered
    ScriptInput::instance().push_text("msgbox OK\n");
    EXPECT_EQ(Code(ShellExecuteW(nullptr, L"open", L"C:\\Korvel\\Jexa2.exe", nullptr, nullptr, SW_SHOW)),
              static_cast<uintptr_t>(ERROR_BAD_FORMAT));
    ASSERT_EQ(MessageBoxLog.size(), 1u);
    EXPECT_EQ(MessageBoxLog[0].text, L"C:\\Korvel\\Jexa2.exe 不是有效的 Win32 应用程序。");
    EXPECT_EQ(ShellLog[0].outcome, ShellOutcome::Failed);

    // A program cannot work in a folder that is not there.
    Machine::instance().register_program(L"C:\\Korvel\\tool.exe", {kMarkerProgram});
    ScriptInput::instance().push_text("msgbox OK\n");
    EXPECT_FALSE(Is_Success(ShellExecuteW(nullptr, L"open", L"C:\\Korvel\\tool.exe", L"m.txt 0", L"C:\\NoDir", SW_SHOW)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_EQ(MessageBoxLog.back().text, L"目录名称无效。");
    EXPECT_EQ(ShellLog.back().outcome, ShellOutcome::Failed);
}

TEST(CommandLineTest, ParametersSplitAsWindowsProgramsSplitThem) {
    using Args = std::vector<std::wstring>;
    const struct {
        const wchar_t* text;
        Args args;
    } cases[] = {
        {L"", {}},
        {L"  a  b\tc ", {L"a", L"b", L"c"}},
        {L"\"C:\\a b\\c.ctb\"", {L"C:\\a b\\c.ctb"}},
        {L"\"\"", {L""}},
        {L"a\"b c\"d", {L"ab cd"}},
        {L"\"say \"\"hi\"\"\"", {L"say \"hi\""}},
        {L"a\\\\b", {L"a\\\\b"}},
        {L"a\\\"b", {L"a\"b"}},
        {L"\"a\\\\\" b", {L"a\\", L"b"}},
        {L"C:\\dir\\ x", {L"C:\\dir\\", L"x"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Split_Command_Line(c.text), c.args) << To_Utf8(c.text);
}

// The callback the plug-in gives the picker: it selects the folder last chosen.
int Select_Start_Folder(HWND window, UINT message, LPARAM, LPARAM data) {
    LRESULT result = 0;
    if (message == BFFM_INITIALIZED) Folder_Picker_Message(window, BFFM_SETSELECTIONW, TRUE, data, result);
    return 0;
}

TEST_F(ShellTest, TheFolderPickerIsAnsweredByTheScript) {
    fs::create_directories(c_drive() / "Out" / "图纸");
    wchar_t name[MAX_PATH] = L"?";
    BROWSEINFOW info{};
    info.lpszTitle = L"选择文件夹";
    info.ulFlags = 0x71;
    info.pszDisplayName = name;
    info.lpfn = Select_Start_Folder;
    info.lParam = reinterpret_cast<LPARAM>(L"C:\\Out");

    ScriptInput::instance().push_text("file \"c:/out/图纸\"\nesc\nfile \"C:\\Out\\missing\"\n");
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    ASSERT_NE(chosen, nullptr);
    wchar_t path[MAX_PATH] = {};
    ASSERT_TRUE(SHGetPathFromIDListW(chosen, path));
    EXPECT_STREQ(path, L"C:\\Out\\图纸");
    EXPECT_STREQ(name, L"图纸");
    CoTaskMemFree(chosen);

    EXPECT_EQ(SHBrowseForFolderW(&info), nullptr);  // esc
    try {
        SHBrowseForFolderW(&info);
        ADD_FAILURE() << "a missing folder was accepted";
    } catch (const UnansweredInput& e) {
        EXPECT_NE(std::string(e.what()).find("is not a folder"), std::string::npos) << e.what();
    }
    EXPECT_THROW(SHBrowseForFolderW(&info), UnansweredInput);  // script ended
    // Several folders for the one the picker asks: refused, not the first taken.
    fs::create_directories(c_drive() / "Out" / "b");
    ScriptInput::instance().push_text("file \"C:\\Out\\图纸\" \"C:\\Out\\b\"\n");
    try {
        SHBrowseForFolderW(&info);
        ADD_FAILURE() << "several folders were accepted";
    } catch (const UnansweredInput& e) {
        EXPECT_NE(std::string(e.what()).find("several folders"), std::string::npos) << e.what();
    }

    ASSERT_GE(FolderPickerLog.size(), 2u);
    EXPECT_EQ(FolderPickerLog[0].title, L"选择文件夹");
    EXPECT_EQ(FolderPickerLog[0].flags, 0x71u);
    EXPECT_EQ(FolderPickerLog[0].initial_selection, L"C:\\Out");
    EXPECT_EQ(FolderPickerLog[0].chosen, L"C:\\Out\\图纸");
    EXPECT_EQ(FolderPickerLog[1].chosen, L"");
    // Outside a picker, its window is unknown.
    LRESULT result = 0;
    EXPECT_FALSE(Folder_Picker_Message(nullptr, BFFM_SETSELECTIONW, TRUE, 0, result));
}

TEST_F(ShellTest, CreateDirectoryExMakesEveryLevel) {
    Write_File(c_drive() / "file.txt");
    Machine::instance().deny_writes(L"C:\\Locked");
    const struct {
        const wchar_t* path;
        int result;
    } cases[] = {
        {L"C:\\a\\b\\c", ERROR_SUCCESS},
        {L"c:\\A\\B", ERROR_ALREADY_EXISTS},
        {L"C:\\file.txt", ERROR_FILE_EXISTS},
        {L"C:\\file.txt\\sub", ERROR_PATH_NOT_FOUND},
        {L"relative\\dir", ERROR_BAD_PATHNAME},
        {L"Q:\\x", ERROR_PATH_NOT_FOUND},
        {L"C:\\Locked\\x", ERROR_ACCESS_DENIED},
    };
    for (const auto& c : cases) EXPECT_EQ(SHCreateDirectoryExW(nullptr, c.path, nullptr), c.result) << To_Utf8(c.path);
    EXPECT_TRUE(fs::is_directory(c_drive() / "a" / "b" / "c"));
    EXPECT_FALSE(fs::exists(c_drive() / "Locked"));
}

std::wstring List(std::initializer_list<const wchar_t*> paths) {
    std::wstring list;
    for (const wchar_t* p : paths) list += std::wstring(p) + L'\0';
    return list + L'\0';
}

TEST_F(ShellTest, FileOperationsCopyMoveAndDelete) {
    for (const char* name : {"a.pmp", "b.pmp", "c.pc5"}) Write_File(c_drive() / "Src" / name, name);
    Write_File(c_drive() / "Src" / "Sub" / "d.pmp", "d");
    const std::wstring from = List({L"C:\\Src\\*.pmp"});
    const std::wstring to = List({L"C:\\Dst\\New"});
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    ASSERT_EQ(SHFileOperationW(&op), 0);
    EXPECT_EQ(Read_File(c_drive() / "Dst" / "New" / "a.pmp"), "a.pmp");
    EXPECT_TRUE(fs::exists(c_drive() / "Dst" / "New" / "b.pmp"));
    EXPECT_FALSE(fs::exists(c_drive() / "Dst" / "New" / "c.pc5"));

    // A folder copies with its contents; a move leaves nothing behind.
    const std::wstring folder = List({L"C:\\Src\\Sub"});
    const std::wstring moved = List({L"C:\\Moved"});
    op.pFrom = folder.c_str();
    op.pTo = moved.c_str();
    op.wFunc = FO_MOVE;
    ASSERT_EQ(SHFileOperationW(&op), 0);
    EXPECT_EQ(Read_File(c_drive() / "Moved" / "d.pmp"), "d");
    EXPECT_FALSE(fs::exists(c_drive() / "Src" / "Sub"));

    // Delete takes read-only files and whole folders.
    ASSERT_TRUE(SetFileAttributesW(L"C:\\Dst\\New\\a.pmp", FILE_ATTRIBUTE_READONLY));
    const std::wstring gone = List({L"C:\\Dst", L"C:\\Src\\c.pc5"});
    op.pFrom = gone.c_str();
    op.pTo = nullptr;
    op.wFunc = FO_DELETE;
    ASSERT_EQ(SHFileOperationW(&op), 0);
    EXPECT_FALSE(fs::exists(c_drive() / "Dst"));
    EXPECT_FALSE(fs::exists(c_drive() / "Src" / "c.pc5"));

    const std::wstring missing = List({L"C:\\Src\\none.pmp"});
    op.pFrom = missing.c_str();
    EXPECT_EQ(SHFileOperationW(&op), ERROR_FILE_NOT_FOUND);
    Machine::instance().deny_writes(L"C:\\Src");
    const std::wstring locked = List({L"C:\\Src\\a.pmp"});
    op.pFrom = locked.c_str();
    EXPECT_EQ(SHFileOperationW(&op), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(fs::exists(c_drive() / "Src" / "a.pmp"));
}

TEST(DropTest, DroppedFilesAreReadAndReleased) {
    const size_t open_before = Open_Drop_Count();
    HDROP drop = Make_Drop({L"C:\\图纸\\a.dxf", L"C:\\b.dxf"});
    EXPECT_EQ(Open_Drop_Count(), open_before + 1);
    EXPECT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 2u);
    EXPECT_EQ(DragQueryFileW(drop, 0, nullptr, 0), 11u);
    wchar_t name[MAX_PATH];
    EXPECT_EQ(DragQueryFileW(drop, 0, name, MAX_PATH), 11u);
    EXPECT_STREQ(name, L"C:\\图纸\\a.dxf");
    EXPECT_EQ(DragQueryFileW(drop, 1, name, 4), 3u);
    EXPECT_STREQ(name, L"C:\\");
    EXPECT_EQ(DragQueryFileW(drop, 2, name, MAX_PATH), 0u);
    DragFinish(drop);
    EXPECT_EQ(Open_Drop_Count(), open_before);
    EXPECT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 0u);
}

}  // namespace
}  // namespace platform
