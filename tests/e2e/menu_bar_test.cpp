// cadhost shows the module's pop-up in the host's menu bar after the "Korvel" command.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cadhost_runner.h"

namespace {

// The pop-up as the menubar step prints it, each line after a line break.
std::string Expected_Popup()
{
    std::ifstream in(std::string(KORVEL_SOURCE_DIR) + "/tests/core/golden/menubar_popup.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::string lines = text.str();
    if (!lines.empty() && lines.back() == '\n')
        lines.pop_back();
    return "\n" + lines;
}

class Menu_Bar_Test : public ::testing::TestWithParam<const char*> {};

TEST_P(Menu_Bar_Test, KorvelShowsThePopupOfTheMenuTable)
{
    Cadhost_Runner runner;
    Cadhost_Run run = runner.Run_Script({GetParam()}, "command Korvel\nmenubar\n");

    ASSERT_EQ(run.status, 0) << run.err;
    const std::string popup = Expected_Popup();
    ASSERT_GT(popup.size(), 1u);
    const size_t bar = run.out.find("\nMenu bar:\n");
    ASSERT_NE(bar, std::string::npos) << "the menu bar is switched on\n" << run.out;
    const size_t at = run.out.find(popup + "\n", bar);
    EXPECT_NE(at, std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("\nK-批打印\n", at + 1), std::string::npos) << "one pop-up";
    EXPECT_NE(run.out.find("\n******* 若K-批打印菜单仍未显示，可输入korvel_load命令调出菜单 *******"),
              std::string::npos);
}

TEST_P(Menu_Bar_Test, KorvelLoadAddsTheMenuFilesPopup)
{
    Cadhost_Runner runner;
    Cadhost_Run run = runner.Run_Script({GetParam()}, "command Korvel_Load\nmenubar\n");

    ASSERT_EQ(run.status, 0) << run.err;
    const size_t module_popup = run.out.find(Expected_Popup() + "\n");
    ASSERT_NE(module_popup, std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nK-批打印\n  单张打印到文件  \"KV_DivezUrez_1\"\n", module_popup + 1),
              std::string::npos)
        << "the menu file's pop-up follows\n" << run.out;
}

INSTANTIATE_TEST_SUITE_P(BothFlavours, Menu_Bar_Test, ::testing::Values(MODULE_2021_PATH, MODULE_2025_PATH),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return info.index == 0 ? "zw2021" : "zw2025";
                         });

}  // namespace
