// The default print scale on one machine across sessions of KV_DivezUrez_2: the first scale
// the sheets vote for is taken silently; afterwards a drawing whose sheets vote for another
// scale than the one the machine took last asks "是否将默认打印比例改为 …?", and only then.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cadhost_runner.h"
#include "session_output.h"

namespace fs = std::filesystem;

namespace {

const std::string Sample = KORVEL_SOURCE_DIR "/samples/sample.dxf";                     // sheets at 1:1
const std::string Scaled = KORVEL_SOURCE_DIR "/tests/fixtures/dxf/scaled_frames.dxf";  // most at 1:100

TEST(Default_Scale_Question, Asked_Only_When_A_Drawing_Votes_For_Another_Scale_Than_The_Machine_Took)
{
    const struct {
        const std::string& drawing;
        const char* answer;    // "" when no question may come
        const char* question;  // the end of the question's text
    } runs[] = {
        {Sample, "", ""},  // a fresh machine takes 1:1 silently
        {Sample, "", ""},
        {Scaled, "NO", "现默认打印比例为 1:1 ,据此算出来的大部分纸张尺寸过大 ！\n\n是否将默认打印比例改为 1:100 ?"},
        {Scaled, "YES", "现默认打印比例为 1:1 ,据此算出来的大部分纸张尺寸过大 ！\n\n是否将默认打印比例改为 1:100 ?"},
        {Scaled, "", ""},
        {Sample, "YES", "现默认打印比例为 1:100 ,据此算出来的大部分纸张尺寸过小 ！\n\n是否将默认打印比例改为 1:1 ?"},
        {Sample, "", ""},
    };
    Cadhost_Runner runner;
    int n = 0;
    for (const auto& run : runs) {
        SCOPED_TRACE("run " + std::to_string(++n) + " on " + fs::path(run.drawing).filename().string());
        const std::string answer = *run.answer ? std::string("msgbox ") + run.answer + "\n" : "";
        const fs::path script = runner.Write_Script(
            "session.scr", "command KV_DivezUrez_2\nenter\npick 2\n" + answer + "@IDD_DLG_BPLOT1 click IDCANCEL\n");
        const Cadhost_Run result = runner.Run(
            {"--root", (runner.folder() / "machine").string(), "--module", MODULE_2025_PATH, "--script", script.string(), run.drawing});
        ASSERT_EQ(result.status, 0) << result.err << result.out;
        const std::vector<std::string> boxes = Lines(result.out, "[MessageBox] ");
        if (!*run.answer) {
            EXPECT_TRUE(boxes.empty()) << result.out;
            continue;
        }
        EXPECT_NE(result.out.find(std::string(run.question) + " | question -> " + run.answer), std::string::npos)
            << result.out;
    }
}

}  // namespace
