// The aliases the shortcut dialog refuses: no single command name, already a command of the
// host or the plug-in, or another entry's alias.
#include <string>
#include <vector>

#include "core/shortcut_table.h"
#include "core_fixture.h"

namespace {

using Refused_Alias_Test = Core_Test;

void Other_Command() {}

struct Refusal_Case {
    const char* what;
    std::vector<const wchar_t*> aliases;
    int refused;            // index, -1 for none
    const wchar_t* reason;  // part of the message
};

TEST_F(Refused_Alias_Test, TheFirstAliasTheHostCouldNotRunIsNamedWithItsReason)
{
    // The user's own aliases are registered already: keeping them is no clash.
    g_Plot_Config.Shortcuts.Add(2, L"PP");
    Register_Commands();
    ASSERT_EQ(zcedRegCmds->addCommand(L"OTHER_APP", L"OTHER", L"OTHER_LOCAL", 0, Other_Command), Zcad::eOk);

    const wchar_t* const not_a_name = L"不是单个命令名";
    const wchar_t* const a_command = L"已是CAD或本软件的命令名";
    const wchar_t* const repeated = L"已用于另一项功能";
    const Refusal_Case cases[] = {
        {"kept, new and empty aliases, Chinese ones too", {L"PP", L"", L"QM", L"打印"}, -1, nullptr},
        {"a tab splits the name", {L"QM", L"P\tP"}, 1, not_a_name},
        {"a leading underscore is the host's prefix", {L"_PP"}, 0, not_a_name},
        {"a leading dot is the host's prefix", {L".PP"}, 0, not_a_name},
        {"a character outside the ANSI code page", {L"P\U0001F600"}, 0, not_a_name},
        {"a host command, in any case", {L"QM", L"setvar"}, 1, a_command},
        {"a host command starting with a hyphen", {L"-Plot"}, 0, a_command},
        {"another application's command by its global name", {L"other"}, 0, a_command},
        {"another application's command by its local name", {L"OTHER_LOCAL"}, 0, a_command},
        {"one of the plug-in's numbered commands", {L"kv_divezurez_5"}, 0, a_command},
        {"one of the plug-in's internal commands", {L"KORVEL_LOAD"}, 0, a_command},
        {"the same alias twice, without regard to case", {L"PP", L"", L"QM", L"pp"}, 3, repeated},
    };
    for (const Refusal_Case& c : cases) {
        SCOPED_TRACE(c.what);
        ZcArray<CString> aliases(0, 8);
        for (const wchar_t* alias : c.aliases) aliases.append(alias);
        CString message = L"left over";
        EXPECT_EQ(Find_Refused_Alias(aliases, message), c.refused);
        if (c.refused < 0) {
            EXPECT_TRUE(message.IsEmpty());
            continue;
        }
        const std::wstring text = message.GetString();
        EXPECT_NE(text.find(L"\"" + std::wstring(c.aliases[c.refused]) + L"\""), std::wstring::npos)
            << platform::To_Utf8(text);
        EXPECT_NE(text.find(c.reason), std::wstring::npos) << platform::To_Utf8(text);
    }
    zcedRegCmds->removeGroup(L"OTHER_APP");
}

}  // namespace
