// Modeless windows take their steps when the plug-in pumps messages; `wait pumps N` and
// `wait file` place a click at a chosen point of a long run; @id picks the window.
#include <fstream>

#include "dialog_test_support.h"

namespace {

class Progress : public CDialog {
public:
    Progress() : CDialog(IDD_PROGRESS) {}
    bool stopped = false;
    int stop_clicks = 0;

protected:
    afx_msg void OnStop() {
        stopped = true;
        ++stop_clicks;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Progress, CDialog)
    ON_BN_CLICKED(IDC_STOP, OnStop)
END_MESSAGE_MAP()

// A long run: one pump per step, like a progress window's caller does.
int Run_Until_Stopped(Progress& p, int steps) {
    for (int i = 0; i < steps; ++i) {
        MSG m;
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
        if (p.stopped) return i;
    }
    return -1;
}

TEST_F(DialogTest, ModelessWindowTakesItsClickAtTheChosenPump) {
    for (int n : {0, 1, 3, 7}) {
        Clean();
        Script(("wait pumps " + std::to_string(n) + "\nclick 201\ncommand NEXT\n").c_str());
        Progress p;
        ASSERT_TRUE(p.Create(IDD_PROGRESS, nullptr));
        EXPECT_FALSE(p.IsWindowVisible());
        p.ShowWindow(SW_SHOW);
        EXPECT_EQ(Run_Until_Stopped(p, 20), n);
        EXPECT_EQ(p.stop_clicks, 1);
        // The following step is no dialog step: the pump leaves it.
        ASSERT_NE(platform::ScriptInput::instance().peek(), nullptr);
        EXPECT_EQ(platform::ScriptInput::instance().peek()->kind, platform::StepKind::Command);
        p.DestroyWindow();
    }
}

TEST_F(DialogTest, WaitFileHoldsStepsUntilTheFileExists) {
    const std::string path = testing::TempDir() + "/korvel_wait_file.txt";
    std::remove(path.c_str());
    Script(("wait file \"" + path + "\"\n@200 click 201\n").c_str());
    Progress p;
    ASSERT_TRUE(p.Create(IDD_PROGRESS, nullptr));
    p.ShowWindow(SW_SHOW);
    EXPECT_EQ(Run_Until_Stopped(p, 5), -1);
    std::ofstream(path) << "x";
    EXPECT_EQ(Run_Until_Stopped(p, 5), 0);
    std::remove(path.c_str());
}

TEST_F(DialogTest, TemplateIdNamesTheWindowAndTopLevelStepsReachModelessWindows) {
    Progress a, b;
    ASSERT_TRUE(a.Create(IDD_PROGRESS, nullptr));
    a.ShowWindow(SW_SHOW);
    // Steps at the top level (between commands) go to the open window.
    platform::Step step;
    step.kind = platform::StepKind::Click;
    step.control_id = IDC_STOP;
    platform::Apply_Top_Level_Step(step);
    EXPECT_EQ(a.stop_clicks, 1);
    step.target = 999;
    try {
        platform::Apply_Top_Level_Step(step);
        ADD_FAILURE();
    } catch (const platform::UnansweredInput& e) {
        // The error names the window that is open instead.
        EXPECT_NE(std::string(e.what()).find("no dialog 999 is open; the open window is dialog 200 (IDD_PROGRESS)"),
                  std::string::npos)
            << e.what();
    }
    a.DestroyWindow();
    step.target = 0;
    EXPECT_THROW(platform::Apply_Top_Level_Step(step), platform::UnansweredInput);
}

TEST_F(DialogTest, DestroyedModelessWindowLeavesNoHandle) {
    auto* p = new Progress();
    ASSERT_TRUE(p->Create(IDD_PROGRESS, nullptr));
    HWND h = p->m_hWnd;
    EXPECT_TRUE(::IsWindow(h));
    HWND stop = ::GetDlgItem(h, IDC_STOP);
    delete p;
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_FALSE(::IsWindow(stop));
    // A handle kept after its window went never names a later window.
    Progress again;
    ASSERT_TRUE(again.Create(IDD_PROGRESS, nullptr));
    EXPECT_NE(again.m_hWnd, h);
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(CWnd::FromHandle(stop), nullptr);
}

}  // namespace
