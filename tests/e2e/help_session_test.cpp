// KV_DivezUrez_10 in a host session: the shell opens the user's manual of the plug-in folder,
// a real PDF whose Chinese text, outline and commands can be read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>

#include "cadhost_runner.h"
#include "session_output.h"

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

}  // namespace

TEST(Help_Session, Help_Opens_The_Manual_Of_Each_Plugin_Folder_With_All_Commands)
{
    for (const char* module : {MODULE_2021_PATH, MODULE_2025_PATH}) {
        SCOPED_TRACE(module);
        Cadhost_Runner runner;
        const Cadhost_Run run = runner.Run_Script({module}, "command KV_DivezUrez_10\n");
        ASSERT_EQ(run.status, 0) << run.err << run.out;
        const std::vector<std::string> shell = Lines(run.out, "[Shell] open | ");
        ASSERT_EQ(shell.size(), 1u) << run.out;
        EXPECT_NE(Lower(shell[0]).find("\\bphelp.pdf |"), std::string::npos) << shell[0];
        EXPECT_NE(shell[0].find("-> opened"), std::string::npos) << shell[0];

        const fs::path manual = fs::path(module).parent_path() / "BPHelp.pdf";
        ASSERT_TRUE(fs::exists(manual));
        const std::string text = Shell("pdftotext -enc UTF-8 " + Quoted(manual) + " -");
        EXPECT_NE(text.find("Korvel 批量打印 用户手册"), std::string::npos) << text.substr(0, 400);
        // Every numbered command, with its menu text, wrapped lines joined.
        const std::string joined = std::regex_replace(text, std::regex("\n"), "");
        const char* const menu_texts[] = {"单张打印到文件",     "批打到文件(通用型)", "图框信息库管理", "批打到文件(图框型)",
                                          "批打到纸张(新版)",   "签名库管理",         "签名插入",       "签名授权",
                                          "快捷命令设置",       "帮助...",            "关于...",        "卸载",
                                          "印章库管理",         "打印设置",           "刷字符内容",     "批打到纸张(旧版)",
                                          "生成外框",           "真彩色-->索引色",    "刷图块属性",     "当前图形的字体文件检查",
                                          "当前图形的字体文件导出", "插入图框"};
        for (int n = 1; n <= 22; ++n) {
            const std::string entry = "KV_DivezUrez_" + std::to_string(n) + " " + menu_texts[n - 1] + "：";
            EXPECT_NE(joined.find(entry), std::string::npos) << entry;
        }
        // The files the user meets.
        for (const char* file : {"BPlot_Cfg_ZCAD.cfg", "BPlot_TK.tk", "Sign.kvlib1", "Stamp.kvlib2", "BPHelp.pdf"})
            EXPECT_NE(joined.find(file), std::string::npos) << file;

        // The chapters make the document's outline.
        const std::string outline = Shell("qpdf --json --json-key=outlines " + Quoted(manual));
        for (const char* chapter : {"一、概述", "二、命令一览", "八、文件"})
            EXPECT_NE(outline.find(chapter), std::string::npos) << chapter;
        EXPECT_NE(Shell("qpdf --check " + Quoted(manual)).find("No syntax or stream encoding errors"), std::string::npos);
    }
}
