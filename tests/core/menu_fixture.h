// A host as Services_Test gives it, with the host's own menu, and the module's
// pop-up as the menu bar shows it. Every test ends with no automation object held.
#pragma once

#include <fstream>
#include <sstream>

#include "com/comutil.h"
#include "com/menu_model.h"
#include "com/zcadmenu.h"
#include "ed/command_runner.h"
#include "services_fixture.h"

class Menu_Test : public Services_Test {
public:
    void SetUp() override
    {
        Services_Test::SetUp();
        platform::Reset_Menu_Model();
    }
    void TearDown() override
    {
        Services_Test::TearDown();
        EXPECT_EQ(platform::Menu_Client_References(), 0) << "automation objects left unreleased";
        platform::Reset_Menu_Model();
    }

    static std::wstring Bar() { return platform::Describe_Menu_Bar(); }
    // The lines of the pop-up "K-批打印" as the menu bar shows it ("" when it is not in
    // the bar), each ended by "\n".
    static std::wstring Popup_Lines()
    {
        const std::wstring bar = Bar() + L"\n";
        const size_t start = bar.find(L"\nK-批打印\n");
        if (start == std::wstring::npos)
            return L"";
        size_t end = start + 1;
        do
            end = bar.find(L'\n', end) + 1;
        while (end < bar.size() && bar[end] == L' ');
        return bar.substr(start + 1, end - start - 1);
    }
    // The last pop-up of the menu bar.
    static std::wstring Last_Popup_Name()
    {
        const std::wstring bar = Bar();
        size_t at = bar.size();
        while ((at = bar.rfind(L'\n', at - 1)) != std::wstring::npos && bar[at + 1] == L' ') {
        }
        return bar.substr(at + 1, bar.find(L'\n', at + 1) - at - 1);
    }
    static std::string Golden(const char* name)
    {
        std::ifstream in(std::string(KORVEL_SOURCE_DIR) + "/tests/core/golden/" + name, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    // Takes the pop-up out of the menu bar as a user would.
    static void Remove_Popup_From_Bar();
};
