// The host's plot-style editor: the shell's "open" of "ZwPStyleEdit.exe" in the host
// folder starts our program, which notes the table it was asked to open.
#include <fstream>
#include <sstream>

#include "plot/host_programs.h"
#include "plot_fixture.h"
#include "win/machine.h"
#include "script/utf8.h"
#include "win/windows.h"

using namespace platform;

namespace plot_test {
namespace {

using Style_Editor_Test = PlotTest;

DWORD Open_Editor(const std::wstring& parameters)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = L"open";
    const std::wstring program = Plot_Style_Editor_Path();
    const std::wstring folder = Machine::instance().program_folder();
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    EXPECT_TRUE(ShellExecuteExW(&info));
    EXPECT_NE(info.hProcess, nullptr);
    if (info.hProcess == nullptr)
        return 99;
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 99;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    return code;
}

std::string Log_Text(const std::filesystem::path& root)
{
    std::ifstream in(root / "ZwPStyleEdit.log", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(Style_Editor_Test, ShellStartsTheEditorOnTheTableAndWaitsForIt)
{
    ASSERT_TRUE(Install_Host_Programs());
    Add_Style_Table(L"黑白.ctb");
    const std::wstring table = style_folder + L"\\黑白.ctb";
    EXPECT_EQ(Open_Editor(L"\"" + table + L"\""), 0u);
    EXPECT_EQ(Open_Editor(L"\"" + style_folder + L"\\gone.ctb\""), 2u);
    EXPECT_EQ(Log_Text(root), "opened\t" + To_Utf8(table) + "\nmissing\t" + To_Utf8(style_folder) + "\\gone.ctb\n");
}

}  // namespace
}  // namespace plot_test
