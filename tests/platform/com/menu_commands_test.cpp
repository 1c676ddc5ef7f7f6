#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "com_fixture.h"
#include "ed/command_runner.h"
#include "script/script_input.h"
#include "win/host_path_text.h"
#include "win/win_codepage.h"

namespace com_test {
namespace {

class Menu_Commands_Test : public Com_Test {
protected:
    void SetUp() override
    {
        Com_Test::SetUp();
        Set_Filedia(0);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove(m_File, ignored);
        Com_Test::TearDown();
    }

    static void Set_Filedia(int value)
    {
        resbuf rb{};
        rb.restype = RTSHORT;
        rb.resval.rint = static_cast<short>(value);
        ASSERT_EQ(zcedSetVar(L"FILEDIA", &rb), RTNORM);
    }
    // Writes the menu file in the system ANSI code page.
    std::wstring Write_Menu(const std::wstring& text) const
    {
        const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                             nullptr, 0, nullptr, nullptr);
        std::string bytes(static_cast<size_t>(size), '\0');
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                            nullptr, nullptr);
        std::ofstream(m_File, std::ios::binary) << bytes;
        return platform::Text_From_Host_Path(m_File);
    }
    static void Run(const wchar_t* command, const std::string& answer)
    {
        platform::ScriptInput::instance().push_text("answer \"" + answer + "\"\n");
        platform::Run_Command(command);
    }
    static std::wstring Bar() { return platform::Describe_Menu_Bar(); }

    const std::filesystem::path m_File =
        std::filesystem::temp_directory_path() / ("korvel_menu_" + std::to_string(::getpid()) + ".mns");
};

const wchar_t* const kMenu =
    L"***MENUGROUP=KGroup\r\n***POP1\r\nID_K1   [K-批打印]\r\nID_K1_1   [单张]CMD_1\r\n[--]\r\n";

TEST_F(Menu_Commands_Test, MenuLoadAddsTheGroupAtTheEndOfTheBarAndUnloadTakesItAway)
{
    const std::wstring path = Write_Menu(kMenu);
    Run(L"_MenuLoad", platform::To_Utf8(path));
    EXPECT_NE(Bar().find(L"\n帮助(&H)\nK-批打印\n  单张  \"CMD_1\"\n  ----"), std::wstring::npos)
        << platform::To_Utf8(Bar());

    Run(L"_MenuLoad", platform::To_Utf8(path));
    EXPECT_NE(Printed().find(L"the menu group is loaded already"), std::wstring::npos);
    EXPECT_EQ(Bar().find(L"K-批打印"), Bar().rfind(L"K-批打印")) << "loaded once";

    Run(L"_MenuUnload", "kgroup");
    EXPECT_EQ(Bar().find(L"K-批打印"), std::wstring::npos);
    Run(L"_MenuUnload", "KGroup");
    EXPECT_NE(Printed().find(L"Menu group \"KGroup\" is not loaded."), std::wstring::npos);
}

TEST_F(Menu_Commands_Test, MenuLoadOfAMissingOrBadFileChangesNothing)
{
    const std::wstring before = Bar();
    Run(L"_MenuLoad", platform::To_Utf8(platform::Text_From_Host_Path(m_File)));
    EXPECT_NE(Printed().find(L"cannot read the file"), std::wstring::npos);
    Run(L"_MenuLoad", platform::To_Utf8(Write_Menu(L"***MENUGROUP=G\n***POP1\n[T]\n[->S]\n")));
    EXPECT_NE(Printed().find(L"a sub-menu is not closed"), std::wstring::npos);
    EXPECT_EQ(Bar(), before);
}

TEST_F(Menu_Commands_Test, MenuLoadsTheMainMenuAgain)
{
    Run(L"_MenuLoad", platform::To_Utf8(Write_Menu(kMenu)));
    IZcadPopupMenu* added = Add_Main_Popup(L"Added");
    ASSERT_EQ(added->InsertInMenuBar(_variant_t(0)), S_OK);
    added->Release();

    Run(L"MENU", "");
    EXPECT_EQ(Bar().find(L"Added"), std::wstring::npos);
    EXPECT_EQ(Bar().find(L"K-批打印"), std::wstring::npos);
    EXPECT_NE(Bar().find(L"\n文件(&F)"), std::wstring::npos);

    Run(L"MENU", platform::To_Utf8(Write_Menu(kMenu)));
    EXPECT_EQ(Bar(), L"\nMenu bar (hidden):\nK-批打印\n  单张  \"CMD_1\"\n  ----");
}

TEST_F(Menu_Commands_Test, MenubarStepPrintsTheBarOnTheCommandLine)
{
    resbuf on{};
    on.restype = RTSHORT;
    on.resval.rint = 1;
    ASSERT_EQ(zcedSetVar(L"MENUBAR", &on), RTNORM);
    platform::ScriptInput::instance().push_text(std::string_view("menubar\n"));
    platform::HostSession session;
    ASSERT_EQ(session.run_script(), 0) << session.error();
    EXPECT_NE(Printed().find(L"\nMenu bar:\n文件(&F)\n编辑(&E)"), std::wstring::npos)
        << platform::To_Utf8(Printed());
}

}  // namespace
}  // namespace com_test
