// cadhost ends a run whose script the user got wrong with a clear error and a non-zero exit;
// script steps name windows and controls by the module's resource symbols.
#include <gtest/gtest.h>

#include "cadhost_runner.h"

namespace {

// Runs the script on the sample drawing with the 2025 module in a fresh machine.
Cadhost_Run Run_On_Sample(const Cadhost_Runner& runner, const std::string& script)
{
    const std::filesystem::path path = runner.Write_Script("session.scr", script);
    return runner.Run({"--root", (runner.folder() / "machine").string(), "--module", MODULE_2025_PATH, "--script",
                       path.string(), KORVEL_SOURCE_DIR "/samples/sample.dxf"});
}

// The sheets found and listed in the result window 712.
const std::string Detected = "command KV_DivezUrez_2\nenter\npick 2\n";

TEST(Cadhost_Errors_Test, WrongStepsEndTheRunNamingTheStep)
{
    const struct {
        const char* what;
        std::string script;
        const char* out;    // on the command line, "" for nothing asked
        const char* error;  // the whole error line
    } cases[] = {
        {"misspelled command", "command KV_DivezUrz_2\ncommand Korvel\n", "\nUnknown command \"KV_DIVEZURZ_2\".",
         "cadhost: step 'command KV_DivezUrz_2' at line 1: unknown command \"KV_DIVEZURZ_2\"\n"},
        {"pick beyond the picker's entries", "command KV_DivezUrez_2\nenter\npick 7\nquit\n", "",
         "cadhost: step 'pick 7' at line 3: the picker dialog 605 (IDD_DLG_OPTIONS) of class Dlg_Options has 3 entries: "
         "0 \"当前模型\", 1 \"所有布局\", 2 \"模型+布局\": no entry 7\n"},
        {"check aimed at a push button", Detected + "@IDD_DLG_BPLOT1 check IDOK 1\nquit\n", "",
         "cadhost: step '@IDD_DLG_BPLOT1 check IDOK 1' at line 4: control IDOK (1) is not a check box or radio "
         "button\n"},
        {"step for a window that is not the open one", Detected + "@IDD_DLG_NAME_RULE click IDOK\nquit\n", "",
         "cadhost: step '@IDD_DLG_NAME_RULE click IDOK' at line 4: no dialog 716 (IDD_DLG_NAME_RULE) is open; the open "
         "window is dialog 712 (IDD_DLG_BPLOT1) '批打印至文件'\n"},
        {"step for a window once it closed", Detected + "@IDD_DLG_BPLOT1 click IDCANCEL\n@IDD_DLG_BPLOT1 click IDOK\nquit\n",
         "", "cadhost: step '@IDD_DLG_BPLOT1 click IDOK' at line 5: no dialog 712 (IDD_DLG_BPLOT1) is open; no window is "
             "open\n"},
        {"choose beyond a list", Detected + "@IDD_DLG_BPLOT1 choose IDC_BP1_FORMAT_COMBO 42\nquit\n", "",
         "cadhost: step '@IDD_DLG_BPLOT1 choose IDC_BP1_FORMAT_COMBO 42' at line 4: combo box IDC_BP1_FORMAT_COMBO (863) "
         "of dialog 712 (IDD_DLG_BPLOT1) '批打印至文件' has 7 items (0 to 6): no item 42\n"},
        {"choose beyond the sheet rows", Detected + "@712 choose 1164 4\nquit\n", "",
         "cadhost: step '@712 choose 1164 4' at line 4: list control 1164 of dialog 712 (IDD_DLG_BPLOT1) '批打印至文件' "
         "has 4 items (0 to 3): no item 4\n"},
        {"unknown symbol", Detected + "@IDD_DLG_BPLOT1 click IDC_BP1_PRINT\nquit\n", "",
         "cadhost: step '@IDD_DLG_BPLOT1 click IDC_BP1_PRINT' at line 4: unknown id IDC_BP1_PRINT: neither a symbol of a "
         "loaded module's resources nor a standard id (IDOK, IDCANCEL, IDYES, IDNO...)\n"},
        {"captionless picker left unanswered", "command KV_DivezUrez_2\nenter\n", "",
         "cadhost: dialog 605 (IDD_DLG_OPTIONS) of class Dlg_Options not answered: script ended\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Cadhost_Runner runner;
        const Cadhost_Run run = Run_On_Sample(runner, c.script);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, c.error);
        EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
        // The command line shows the error too, and no later command ran.
        const std::string error = c.error;
        const size_t shown = run.out.find("*Error* " + error.substr(9, error.size() - 10));
        EXPECT_NE(shown, std::string::npos) << run.out;
        EXPECT_EQ(run.out.find("Command: ", shown), std::string::npos) << run.out;
    }
}

TEST(Cadhost_Errors_Test, SymbolsNameTheResultWindowItsControlsAndTheStandardButtons)
{
    Cadhost_Runner runner;
    const Cadhost_Run run = Run_On_Sample(
        runner, Detected + "@IDD_DLG_BPLOT1 choose IDC_BP1_FORMAT_COMBO 3\n@IDD_DLG_BPLOT1 rows IDC_BP1_LIST\n"
                           "@IDD_DLG_BPLOT1 click IDCANCEL\nquit\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\nrows IDC_BP1_LIST:    4 | EYE | sample04 | DEL | "), std::string::npos) << run.out;
}

TEST(Cadhost_Errors_Test, MessageBoxRecordKeepsItsLineBreaks)
{
    Cadhost_Runner runner;
    const Cadhost_Run run = runner.Run_Script({INPUT_MODULE_PATH}, "command ASK_BOX\nmsgbox NO\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\n[MessageBox] E2E | The sheets are ready.\nGo on? | none -> NO\n"), std::string::npos)
        << run.out;
}

}  // namespace
