// The host's support file search path (ACADPREFIX, from the profile's "ACAD" value) and
// the Windows fonts folder of the emulated machine.
#include "ed_fixture.h"

#include <filesystem>

#include "win/machine.h"
#include "win/win_files.h"
#include "win/win_registry.h"

using namespace ed_test;

namespace {

using Support_Path_Test = EdTest;

std::wstring Acadprefix()
{
    resbuf rb{};
    if (zcedGetVar(L"ACADPREFIX", &rb) != RTNORM || rb.restype != RTSTR)
        return L"<none>";
    std::wstring text = rb.resval.rstring;
    delete[] rb.resval.rstring;
    return text;
}

void Set_Support_Path(const std::wstring& path)
{
    platform::Registry::instance().set_value(platform::Machine::instance().host_profile_general_key(), L"ACAD", path);
}

TEST_F(Support_Path_Test, Acadprefix_Names_The_Support_Folders_Each_With_A_Backslash)
{
    platform::Machine& machine = platform::Machine::instance();
    const std::wstring program = machine.program_folder();
    machine.set_host_profile_name(L"Support Test");  // writes the profile's defaults
    EXPECT_EQ(Acadprefix(),
              machine.host_roaming_folder() + L"\\Support\\;" + program + L"\\Support\\;" + program + L"\\Fonts\\");
    for (const std::wstring& folder : {machine.host_roaming_folder() + L"\\Support", program + L"\\Fonts"})
        EXPECT_TRUE(std::filesystem::is_directory(platform::To_Host_Path(folder)));

    const std::pair<const wchar_t*, const wchar_t*> paths[] = {
        {L"C:\\Fonts A;D:\\Fonts B\\", L"C:\\Fonts A\\;D:\\Fonts B\\"},
        {L";;C:\\A;;", L"C:\\A\\"},
        {L"", L""},
    };
    for (const auto& [path, prefix] : paths) {
        Set_Support_Path(path);
        EXPECT_EQ(Acadprefix(), prefix);
    }
    resbuf text{};
    text.restype = RTSTR;
    text.resval.rstring = const_cast<wchar_t*>(L"C:\\Other\\");
    EXPECT_EQ(zcedSetVar(L"ACADPREFIX", &text), RTERROR);
    machine.set_host_profile_name(L"<<未命名配置>>");
}

TEST_F(Support_Path_Test, The_Fonts_Folder_Is_The_Machine_Windows_Fonts_Folder)
{
    wchar_t folder[MAX_PATH] = {0};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_FONTS, nullptr, SHGFP_TYPE_CURRENT, folder), S_OK);
    EXPECT_EQ(std::wstring(folder), L"C:\\Windows\\Fonts");
    EXPECT_TRUE(std::filesystem::is_directory(platform::To_Host_Path(folder)));
}

}  // namespace
