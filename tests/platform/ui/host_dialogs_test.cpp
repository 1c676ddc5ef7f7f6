// The host's dialog bases in a host session: a dialog hides around a pick in the drawing,
// dialog steps reach a modeless window between commands, tab pages follow their tabs.
#include <gtest/gtest.h>

#include "../mfc/dialogs/resource.h"
#include "ed/command_line.h"
#include "ed/command_stack.h"
#include "ed/host_session.h"
#include "ed/jig.h"
#include "ed/prompts.h"
#include "mfc/afxdll.h"
#include "mfc/dialog_steps.h"
#include "mfc/rc/resource_script.h"
#include "mfc/window_table.h"
#include "ui/zcui_dialogs.h"

namespace {

constexpr const wchar_t* kGroup = L"UI_TEST_GROUP";

class HostDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Reset_Host_For_Tests();
        platform::CommandLine::instance().set_echo_to_stdout(false);
        std::string error;
        ASSERT_TRUE(platform::Register_Resource_Script(
            AfxGetResourceHandle(), std::string(KORVEL_SOURCE_DIR) + "/tests/platform/mfc/dialogs/dialogs.rc", &error))
            << error;
    }
    void TearDown() override {
        zcedRegCmds->removeGroup(kGroup);
        for (platform::Window* w : platform::All_Windows())
            if (platform::Find_Window(w->handle()) && !(w->style & WS_CHILD)) ::DestroyWindow(w->handle());
        platform::Reset_Host_For_Tests();
        platform::CommandLine::instance().set_echo_to_stdout(true);
    }
};

// A dialog whose title click picks a point in the drawing.
class Pick_Dialog : public CZcUiDialog {
public:
    Pick_Dialog() : CZcUiDialog(IDD_VALUES) {}
    double picked[3] = {0, 0, 0};
    bool hidden_while_picking = false;
    bool shown_after = false;

protected:
    afx_msg void OnPick() {
        BeginEditorCommand();
        hidden_while_picking = !IsWindowVisible() && EditorCommandActive();
        double result[3];
        if (zcedGetPoint(nullptr, L"\nPick a corner: ", result) == RTNORM) std::copy(result, result + 3, picked);
        CompleteEditorCommand();
        shown_after = IsWindowVisible() != FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Pick_Dialog, CZcUiDialog)
    ON_STN_CLICKED(IDC_TITLE, OnPick)
END_MESSAGE_MAP()

TEST_F(HostDialogTest, DialogHidesAroundAPick) {
    // The dialog's outcome is read inside the command.
    static bool hidden = false, shown = false;
    static double x = 0;
    static INT_PTR result = 0;
    ASSERT_EQ(zcedRegCmds->addCommand(kGroup, L"PICKDLG", L"PICKDLG", ZCRX_CMD_MODAL, [] {
        Pick_Dialog dialog;
        result = dialog.DoModal();
        hidden = dialog.hidden_while_picking;
        shown = dialog.shown_after;
        x = dialog.picked[0];
    }), Zcad::eOk);
    platform::HostSession session;
    ASSERT_TRUE(session.open(L""));
    platform::ScriptInput::instance().push_text(std::string_view("command PICKDLG\nclick 1013\npoint 5,6\nclick 1\n"));
    EXPECT_EQ(session.run_script(), 0) << session.error();
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(shown);
    EXPECT_DOUBLE_EQ(x, 5.0);
}

// A dialog whose title click drags a point while it is hidden.
class Drag_Dialog : public CZcUiDialog {
public:
    Drag_Dialog() : CZcUiDialog(IDD_VALUES) {}
    ZcGePoint3d dragged;
    int status = 1;

protected:
    class Point_Jig : public ZcEdJig {
    public:
        ZcGePoint3d cursor;
        DragStatus sampler() override { return acquirePoint(cursor); }
        bool update() override { return true; }
        ZcDbEntity* entity() const override { return nullptr; }
    };
    afx_msg void OnDrag() {
        BeginEditorCommand();
        Point_Jig jig;
        status = jig.drag();
        dragged = jig.cursor;
        CompleteEditorCommand();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Drag_Dialog, CZcUiDialog)
    ON_STN_CLICKED(IDC_TITLE, OnDrag)
END_MESSAGE_MAP()

TEST_F(HostDialogTest, AHiddenDialogGetsItsStepsAfterTheDrag) {
    static int status = 1;
    static ZcGePoint3d dragged;
    static INT_PTR result = 0;
    ASSERT_EQ(zcedRegCmds->addCommand(kGroup, L"DRAGDLG", L"DRAGDLG", ZCRX_CMD_MODAL, [] {
        Drag_Dialog dialog;
        result = dialog.DoModal();
        status = dialog.status;
        dragged = dialog.dragged;
    }), Zcad::eOk);
    platform::HostSession session;
    ASSERT_TRUE(session.open(L""));
    platform::ScriptInput::instance().push_text(
        std::string_view("command DRAGDLG\nclick 1013\npoint 1,1\npoint 5,6\nclick 1\n"));
    EXPECT_EQ(session.run_script(), 0) << session.error();
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(status, ZcEdJig::kNormal);
    EXPECT_TRUE(dragged.isEqualTo(ZcGePoint3d(5, 6, 0)));
}

TEST_F(HostDialogTest, ADialogStepDuringThePickFailsNamingThePrompt) {
    ASSERT_EQ(zcedRegCmds->addCommand(kGroup, L"PICKDLG", L"PICKDLG", ZCRX_CMD_MODAL, [] {
        Pick_Dialog dialog;
        dialog.DoModal();
    }), Zcad::eOk);
    platform::HostSession session;
    ASSERT_TRUE(session.open(L""));
    platform::ScriptInput::instance().push_text(std::string_view("command PICKDLG\nclick 1013\nclick 1\n"));
    EXPECT_EQ(session.run_script(), 1);
    EXPECT_NE(session.error().find("click 1"), std::string::npos) << session.error();
}

class Progress : public CDialog {
public:
    Progress() : CDialog(IDD_PROGRESS) {}
    int stops = 0;

protected:
    afx_msg void OnStop() { ++stops; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Progress, CDialog)
    ON_BN_CLICKED(IDC_STOP, OnStop)
END_MESSAGE_MAP()

Progress* g_progress = nullptr;

TEST_F(HostDialogTest, TopLevelStepsReachTheModelessWindow) {
    ASSERT_EQ(zcedRegCmds->addCommand(kGroup, L"SHOWPROGRESS", L"SHOWPROGRESS", ZCRX_CMD_MODAL, [] {
        g_progress = new Progress();
        g_progress->Create(IDD_PROGRESS, nullptr);
        g_progress->ShowWindow(SW_SHOW);
    }), Zcad::eOk);
    platform::HostSession session;
    ASSERT_TRUE(session.open(L""));
    platform::ScriptInput::instance().push_text(std::string_view("command SHOWPROGRESS\n@200 click 201\nclick 201\n"));
    EXPECT_EQ(session.run_script(), 0) << session.error();
    ASSERT_NE(g_progress, nullptr);
    EXPECT_EQ(g_progress->stops, 2);
    delete g_progress;
    g_progress = nullptr;
    // Without a window the step is an error, as any step nobody waits for.
    platform::ScriptInput::instance().push_text(std::string_view("click 201\n"));
    EXPECT_EQ(session.run_script(), 1);
    EXPECT_EQ(session.error(), "step 'click 201' at line 1: no window is open");
}

}  // namespace

namespace {

class Page : public CZcUiTabChildDialog {
public:
    std::vector<int>* log = nullptr;
    int number = 0;
    int stops = 0;
    void OnTabActivation(BOOL bActivate) override { log->push_back(bActivate ? number : -number); }

protected:
    afx_msg void OnStop() { ++stops; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Page, CZcUiTabChildDialog)
    ON_BN_CLICKED(IDC_STOP, OnStop)
END_MESSAGE_MAP()

class Tab_Main : public CZcUiTabMainDialog {
public:
    Tab_Main() : CZcUiTabMainDialog(IDD_VALUES) {}
    std::vector<int> log;
    int stops[2] = {0, 0};
    bool pages_visible[2] = {false, false};
    int main_saw_change = 0;

protected:
    BOOL OnInitDialog() override {
        CZcUiTabMainDialog::OnInitDialog();
        m_tab.SubclassDlgItem(IDC_PAGES, this);
        SetZcadTabPointer(&m_tab);
        for (int i = 0; i < 2; ++i) {
            m_pages[i].log = &log;
            m_pages[i].number = i + 1;
            m_tab.AddTab(i, i ? L"  其  它  " : L"  图框  ", IDD_PROGRESS, &m_pages[i]);
        }
        return TRUE;
    }
    afx_msg void OnTabChange(NMHDR*, LRESULT*) {
        ++main_saw_change;
        for (int i = 0; i < 2; ++i) pages_visible[i] = m_pages[i].IsWindowVisible() != FALSE;
    }
    void OnCancel() override {
        for (int i = 0; i < 2; ++i) stops[i] = m_pages[i].stops;
        CZcUiTabMainDialog::OnCancel();
    }
    DECLARE_MESSAGE_MAP()
    CZcUiTab m_tab;
    Page m_pages[2];
};

BEGIN_MESSAGE_MAP(Tab_Main, CZcUiTabMainDialog)
    ON_NOTIFY(TCN_SELCHANGE, IDC_PAGES, OnTabChange)
END_MESSAGE_MAP()

TEST_F(HostDialogTest, TabPagesFollowTheirTabs) {
    platform::ScriptInput::instance().push_text(std::string_view("choose 1010 1\nclick 2\n"));
    Tab_Main dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.log, (std::vector<int>{1, -1, 2}));
    EXPECT_EQ(dialog.main_saw_change, 1);
    EXPECT_FALSE(dialog.pages_visible[0]);
    EXPECT_TRUE(dialog.pages_visible[1]);
}

}  // namespace

namespace {

TEST_F(HostDialogTest, StepsReachControlsOfThePageInFront) {
    // Both pages hold control 201: the click goes to the page in front.
    platform::ScriptInput::instance().push_text(std::string_view("click 201\nchoose 1010 1\nclick 201\nclick 201\nclick 2\n"));
    Tab_Main dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.stops[0], 1);
    EXPECT_EQ(dialog.stops[1], 2);
}

}  // namespace
