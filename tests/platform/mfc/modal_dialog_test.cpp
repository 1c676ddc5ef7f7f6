// Modal dialogs driven by the script: OK and Cancel, DDX with the framework's message on
// a bad number, unanswered dialogs, quitting, @id targeting and the window's geometry.
#include <cstdio>
#include <fstream>
#include <memory>

#include "dialog_test_support.h"

namespace {

class ValuesDialog : public CDialog {
public:
    ValuesDialog() : CDialog(IDD_VALUES) {}
    int count = 3;
    double scale = 1.5;
    CString path = L"C:\\out";
    int enabled = 1;
    int mode = 1;
    int init_calls = 0;

protected:
    BOOL OnInitDialog() override {
        ++init_calls;
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_COUNT, count);
        DDV_MinMaxInt(pDX, count, 1, 99);
        DDX_Text(pDX, IDC_SCALE, scale);
        DDX_Text(pDX, IDC_PATH, path);
        DDX_Check(pDX, IDC_ENABLED, enabled);
        DDX_Radio(pDX, IDC_MODE_A, mode);
    }
};

TEST_F(DialogTest, OkTakesTheValuesTheScriptTyped) {
    Script("text 1001 \"12\"\ntext 1014 \"0.25\"\ncheck 1002 0\ncheck 1003 1\nclick 1\n");
    ValuesDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.init_calls, 1);
    EXPECT_EQ(dialog.count, 12);
    EXPECT_DOUBLE_EQ(dialog.scale, 0.25);
    EXPECT_EQ(dialog.path, L"C:\\out");
    EXPECT_EQ(dialog.enabled, 0);
    EXPECT_EQ(dialog.mode, 0);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_TRUE(platform::ScriptInput::instance().empty());
}

TEST_F(DialogTest, StepsNameWindowAndControlsByTheirSymbols) {
    Script("@IDD_VALUES text IDC_COUNT \"12\"\ncheck IDC_ENABLED 0\n@IDD_VALUES click IDOK\n");
    ValuesDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.count, 12);
    EXPECT_EQ(dialog.enabled, 0);

    Script("click IDCANCEL\n");
    ValuesDialog cancelled;
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, CancelKeepsTheMembers) {
    for (const char* cancel : {"click 2\n", "esc\n", "key ESCAPE\n"}) {
        Script("text 1001 \"50\"\n");
        Script(cancel);
        ValuesDialog dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL) << cancel;
        EXPECT_EQ(dialog.count, 3) << cancel;
    }
}

TEST_F(DialogTest, BadNumberShowsTheFrameworkMessageAndKeepsTheDialogOpen) {
    Script("text 1001 \"abc\"\nclick 1\nmsgbox OK\ntext 1001 \"120\"\nclick 1\nmsgbox OK\ntext 1001 \"7\"\n"
           "text 1014 \"x\"\nclick 1\nmsgbox OK\ntext 1014 \"2\"\nclick 1\n");
    ValuesDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.count, 7);
    EXPECT_DOUBLE_EQ(dialog.scale, 2.0);
    ASSERT_EQ(platform::MessageBoxLog.size(), 3u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"请输入一个整数。");
    EXPECT_EQ(platform::MessageBoxLog[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_NE(platform::MessageBoxLog[1].text.find(L"1"), std::wstring::npos);
    EXPECT_EQ(platform::MessageBoxLog[2].text, L"请输入一个数字。");
}

TEST_F(DialogTest, FocusReturnsToTheRefusedField) {
    class Probe : public ValuesDialog {
    protected:
        void OnOK() override {
            CDialog::OnOK();
            focus_id = CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : 0;
        }

    public:
        int focus_id = 0;
    };
    Script("text 1001 \"x\"\nclick 1\nmsgbox OK\nclick 2\n");
    Probe dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.focus_id, IDC_COUNT);
}

TEST_F(DialogTest, UnansweredDialogNamesTemplateAndCaption) {
    struct Case {
        const char* script;
        const char* expected;
    };
    const Case cases[] = {
        {"", "dialog 100 (IDD_VALUES) '批打到文件' not answered: script ended"},
        {"command PLOT\n", "dialog 100 (IDD_VALUES) '批打到文件' not answered: next step is 'command PLOT' at line 1"},
        {"click 4242\n", "dialog 100 (IDD_VALUES) '批打到文件' has no control 4242"},
        {"@200 click 201\n", "dialog 100 (IDD_VALUES) '批打到文件' not answered: next step is '@200 click 201' at line 1"},
        {"click IDC_STOP\n", "dialog 100 (IDD_VALUES) '批打到文件' has no control IDC_STOP (201)"},
        {"@IDD_VALUES click IDC_NOSUCH\n", "step '@IDD_VALUES click IDC_NOSUCH' at line 1: unknown id IDC_NOSUCH"},
    };
    for (const auto& c : cases) {
        Clean();
        Script(c.script);
        ValuesDialog dialog;
        try {
            dialog.DoModal();
            ADD_FAILURE() << "no error for: " << c.script;
        } catch (const platform::UnansweredInput& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
        }
        EXPECT_EQ(dialog.m_hWnd, nullptr);
        EXPECT_TRUE(platform::Modal_Stack().empty());
    }
}

TEST_F(DialogTest, QuittingCancelsModalDialogs) {
    Script("quit\n");
    ValuesDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, TemplateMissingGivesMinusOne) {
    CDialog dialog(4711);
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST_F(DialogTest, DialogUnitsBecomePixelsOfTheTemplateFont) {
    class Measure : public ValuesDialog {
    protected:
        BOOL OnInitDialog() override {
            ValuesDialog::OnInitDialog();
            GetClientRect(&client);
            CRect r(0, 0, 240, 180);
            MapDialogRect(&r);
            mapped = r;
            GetDlgItem(IDOK)->GetWindowRect(&ok);
            ScreenToClient(&ok);
            return TRUE;
        }

    public:
        CRect client, mapped, ok;
    };
    Script("click 2\n");
    Measure dialog;
    dialog.DoModal();
    EXPECT_EQ(dialog.client, dialog.mapped);
    EXPECT_GT(dialog.client.Width(), 240);
    CRect ok(130, 160, 180, 174);
    // The OK button sits where the template puts it, in the same units.
    EXPECT_NEAR(dialog.ok.left, dialog.client.Width() * 130 / 240, 2);
    EXPECT_NEAR(dialog.ok.top, dialog.client.Height() * 160 / 180, 2);
}

}  // namespace

namespace {

// A dialog whose timer fires in every pump round, as a busy dialog's would.
class TickingDialog : public ValuesDialog {
protected:
    BOOL OnInitDialog() override {
        SetTimer(1, 10, nullptr);
        return ValuesDialog::OnInitDialog();
    }
};

}  // namespace

TEST_F(DialogTest, WaitPumpsInsideAModalDialogHoldsItsStepsForThoseRounds) {
    const std::string png = testing::TempDir() + "/korvel_modal_wait.png";
    std::remove(png.c_str());
    Script(("wait pumps 2\nsnapshot \"" + png + "\"\nclick 2\n").c_str());
    ValuesDialog dialog;
    const long rounds_before = platform::Pump_Rounds();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_GE(platform::Pump_Rounds() - rounds_before, 3);
    EXPECT_NE(::GetFileAttributesW(std::wstring(png.begin(), png.end()).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(platform::ScriptInput::instance().empty());
    std::remove(png.c_str());
}

TEST_F(DialogTest, WaitFileInsideAModalDialogEndsWhenTheFileNeverComes) {
    const std::string missing = testing::TempDir() + "/korvel_never_written.txt";
    std::remove(missing.c_str());
    for (bool ticking : {false, true}) {
        Clean();
        Script(("wait file \"" + missing + "\"\nclick 2\n").c_str());
        std::unique_ptr<ValuesDialog> dialog = ticking ? std::make_unique<TickingDialog>() : std::make_unique<ValuesDialog>();
        try {
            dialog->DoModal();
            ADD_FAILURE() << "no error, ticking " << ticking;
        } catch (const platform::UnansweredInput& e) {
            EXPECT_NE(std::string(e.what()).find("dialog 100 (IDD_VALUES) '批打到文件' not answered: waiting for the file"), std::string::npos)
                << e.what();
        }
        EXPECT_TRUE(platform::Modal_Stack().empty());
    }
}

TEST_F(DialogTest, WaitFileInsideAModalDialogTakesTheStepsOnceTheFileExists) {
    const std::string path = testing::TempDir() + "/korvel_modal_wait_file.txt";
    std::ofstream(path) << "x";
    Script(("wait file \"" + path + "\"\nclick 2\n").c_str());
    ValuesDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    std::remove(path.c_str());
}
