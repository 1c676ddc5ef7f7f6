// The file dialog answered by a `file` step: one path, or several files of one folder for
// a multi-select dialog, read back with GetStartPosition/GetNextPathName.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "mfc/afxdlgs.h"
#include "win/host_path_text.h"
#include "win/win_files.h"
#include "win/win_shell.h"

namespace {

std::vector<std::wstring> Chosen(CFileDialog& dialog) {
    std::vector<std::wstring> paths;
    for (POSITION pos = dialog.GetStartPosition(); pos;) paths.emplace_back(dialog.GetNextPathName(pos).GetString());
    return paths;
}

class FileDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        folder = std::filesystem::path(testing::TempDir()) / "file_dialog_test";
        std::filesystem::create_directories(folder);
        for (const char* name : {"a.dxf", "b.dxf", "c.dxf"}) std::ofstream(folder / name) << "x";
    }
    std::wstring Path(const char* name) const { return platform::Text_From_Host_Path(folder / name); }
    // A name of several chosen together: the folder, a backslash, the name.
    std::wstring Joined(const char* name) const { return platform::Text_From_Host_Path(folder) + L"\\" + std::wstring(name, name + strlen(name)); }
    std::string Quoted(const char* name) const { return "\"" + (folder / name).string() + "\""; }
    std::filesystem::path folder;
};

TEST_F(FileDialogTest, MultiSelectGivesEveryChosenFile) {
    const DWORD multi = OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_EXPLORER;
    struct Case {
        const char* name;
        std::string step;
        DWORD flags;
        std::vector<std::wstring> paths;
    };
    const Case cases[] = {
        {"several", "file " + Quoted("a.dxf") + " " + Quoted("c.dxf") + "  " + Quoted("b.dxf"), multi,
         {Joined("a.dxf"), Joined("c.dxf"), Joined("b.dxf")}},
        {"one in a multi-select dialog", "file " + Quoted("b.dxf"), multi, {Path("b.dxf")}},
        {"one in a plain dialog", "file " + Quoted("c.dxf"), OFN_FILEMUSTEXIST, {Path("c.dxf")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clean();
        Script(c.step.c_str());
        CFileDialog dialog(TRUE, L"dxf", nullptr, c.flags, L"Drawings (*.dxf)|*.dxf||");
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(Chosen(dialog), c.paths);
        if (c.paths.size() == 1) {
            EXPECT_EQ(std::wstring(dialog.GetPathName().GetString()), c.paths[0]);
        }
    }
}

TEST_F(FileDialogTest, SeveralFilesAreRefusedWhereTheyCannotBeChosen) {
    struct Case {
        const char* name;
        std::string step;
        BOOL open;
        DWORD flags;
        const char* why;
    };
    const std::string other = "\"" + (std::filesystem::path(testing::TempDir()) / "x.dxf").string() + "\"";
    const Case cases[] = {
        {"plain dialog", "file " + Quoted("a.dxf") + " " + Quoted("b.dxf"), TRUE, OFN_FILEMUSTEXIST, "takes one file"},
        {"save dialog", "file " + Quoted("a.dxf") + " " + Quoted("b.dxf"), FALSE, OFN_ALLOWMULTISELECT, "takes one file"},
        {"two folders", "file " + Quoted("a.dxf") + " " + other, TRUE, OFN_ALLOWMULTISELECT, "one folder"},
        {"missing file", "file " + Quoted("a.dxf") + " " + Quoted("zz.dxf"), TRUE,
         OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, "does not exist"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clean();
        Script(c.step.c_str());
        CFileDialog dialog(c.open, L"dxf", nullptr, c.flags);
        try {
            dialog.DoModal();
            ADD_FAILURE() << "accepted";
        } catch (const platform::UnansweredInput& e) {
            EXPECT_NE(std::string(e.what()).find(c.why), std::string::npos) << e.what();
        }
    }
}

// A script's relative answer names a file of the folder the program started in, by its drive path.
TEST_F(FileDialogTest, RelativeAnswersAreRelativeToTheStartingFolder) {
    const std::filesystem::path started_in = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    Script("file \"b.dxf\"\nfile \"sub/out.pdf\"\nfile \"a.dxf\" \"c.dxf\"\n");
    CFileDialog open(TRUE, L"dxf", nullptr, OFN_FILEMUSTEXIST);
    const INT_PTR opened = open.DoModal();
    CFileDialog save(FALSE, L"pdf", nullptr, 0);
    const INT_PTR saved = save.DoModal();
    CFileDialog several(TRUE, L"dxf", nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_EXPLORER);
    const INT_PTR chosen = several.DoModal();
    std::filesystem::current_path(started_in);
    ASSERT_EQ(opened, IDOK);
    EXPECT_EQ(std::wstring(open.GetPathName().GetString()), platform::To_Windows_Path(folder / "b.dxf"));
    EXPECT_EQ(platform::To_Host_Path(open.GetPathName().GetString()), folder / "b.dxf");
    ASSERT_EQ(saved, IDOK);
    EXPECT_EQ(platform::To_Host_Path(save.GetPathName().GetString()), folder / "sub" / "out.pdf");
    ASSERT_EQ(chosen, IDOK);
    const std::vector<std::wstring> both = Chosen(several);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(platform::To_Host_Path(both[1]), folder / "c.dxf");
}

TEST_F(FileDialogTest, TooSmallBufferIsACancelAndEscIsToo) {
    Script(("file " + Quoted("a.dxf") + " " + Quoted("b.dxf") + "\nesc\n").c_str());
    CFileDialog small(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    wchar_t buffer[8] = {};
    small.m_ofn.lpstrFile = buffer;
    small.m_ofn.nMaxFile = 8;
    EXPECT_EQ(small.DoModal(), IDCANCEL);
    CFileDialog cancelled(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetStartPosition(), nullptr);
}

// The picker's callback selects its starting folder by a message to the picker's window.
int Select_By_Message(HWND window, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED) {
        EXPECT_EQ(SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data), 0);
    }
    return 0;
}

TEST_F(FileDialogTest, TheFolderPickerTakesItsSelectionBySendMessage) {
    std::filesystem::create_directories(folder / "图纸");
    const std::wstring start = Path("图纸");
    BROWSEINFOW info{};
    info.lpfn = Select_By_Message;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    Script(("file " + Quoted("图纸") + "\n").c_str());
    const size_t shown = platform::FolderPickerLog.size();
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    ASSERT_NE(chosen, nullptr);
    CoTaskMemFree(chosen);
    ASSERT_EQ(platform::FolderPickerLog.size(), shown + 1);
    EXPECT_EQ(platform::FolderPickerLog.back().initial_selection, start);
}

TEST(FileStepSyntax, TakesOneOrSeveralQuotedPaths) {
    std::vector<platform::Step> steps;
    std::string error;
    ASSERT_TRUE(platform::Parse_Script(L"file \"C:\\d\\a b.dxf\" \"C:\\d\\c.dxf\"\nfile C:\\d\\e.dxf\n", L"t", steps, error))
        << error;
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].paths, (std::vector<std::wstring>{L"C:\\d\\a b.dxf", L"C:\\d\\c.dxf"}));
    EXPECT_EQ(steps[0].text, L"C:\\d\\a b.dxf");
    EXPECT_EQ(steps[1].paths, (std::vector<std::wstring>{L"C:\\d\\e.dxf"}));
    for (const wchar_t* bad : {L"file \"a.dxf\" b.dxf", L"file \"a.dxf\" \"b.dxf", L"file \"a.dxf\" \"\""})
        EXPECT_FALSE(platform::Parse_Script(bad, L"t", steps, error)) << bad;
}

}  // namespace
