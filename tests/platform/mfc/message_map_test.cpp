// Message maps: every kind of entry reaches its handler with the message's arguments;
// derived maps come before base maps; reflected notifications reach the control first.
#include <vector>

#include "dialog_test_support.h"
#include "mfc/control_state.h"

namespace {

UINT g_registered = ::RegisterWindowMessageW(L"KorvelTestMessage");

class Recorder : public CWnd {
public:
    std::vector<std::wstring> calls;
    void Add(const std::wstring& s) { calls.push_back(s); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs) {
        Add(L"create " + std::wstring(cs->lpszName));
        return CWnd::OnCreate(cs);
    }
    afx_msg void OnLButtonDown(UINT flags, CPoint p) { Add(L"ldown " + std::to_wstring(flags) + L" " + std::to_wstring(p.x) + L"," + std::to_wstring(p.y)); }
    afx_msg void OnRButtonUp(UINT, CPoint p) { Add(L"rup " + std::to_wstring(p.x)); }
    afx_msg void OnMouseMove(UINT, CPoint p) { Add(L"move " + std::to_wstring(p.y)); }
    afx_msg void OnMouseLeave() { Add(L"leave"); }
    afx_msg void OnTimer(UINT_PTR id) { Add(L"timer " + std::to_wstring(id)); }
    afx_msg void OnSize(UINT type, int cx, int cy) { Add(L"size " + std::to_wstring(type) + L" " + std::to_wstring(cx) + L"x" + std::to_wstring(cy)); }
    afx_msg void OnKeyDown(UINT ch, UINT rep, UINT) { Add(L"key " + std::to_wstring(ch) + L" " + std::to_wstring(rep)); }
    afx_msg void OnChar(UINT ch, UINT, UINT) { Add(L"char " + std::wstring(1, static_cast<wchar_t>(ch))); }
    afx_msg BOOL OnSetCursor(CWnd*, UINT hit, UINT message) {
        Add(L"cursor " + std::to_wstring(hit) + L" " + std::to_wstring(message));
        return TRUE;
    }
    afx_msg void OnCommandOpen() { Add(L"open"); }
    afx_msg void OnRange(UINT id) { Add(L"range " + std::to_wstring(id)); }
    afx_msg void OnEditChange() { Add(L"edit change"); }
    afx_msg void OnSheetClick(NMHDR* h, LRESULT* r) {
        auto* a = reinterpret_cast<NMITEMACTIVATE*>(h);
        Add(L"click " + std::to_wstring(a->iItem) + L"," + std::to_wstring(a->iSubItem));
        *r = 0;
    }
    afx_msg LRESULT OnUser(WPARAM w, LPARAM l) {
        Add(L"user " + std::to_wstring(w) + L" " + std::to_wstring(l));
        return 42;
    }
    afx_msg LRESULT OnRegistered(WPARAM w, LPARAM) {
        Add(L"registered " + std::to_wstring(w));
        return 7;
    }
    afx_msg void OnDestroy() {
        Add(L"destroy");
        CWnd::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Recorder, CWnd)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_SETCURSOR()
    ON_WM_DESTROY()
    ON_COMMAND(100, OnCommandOpen)
    ON_COMMAND_RANGE(200, 210, OnRange)
    ON_EN_CHANGE(300, OnEditChange)
    ON_NOTIFY(NM_CLICK, 400, OnSheetClick)
    ON_MESSAGE(WM_USER + 5, OnUser)
    ON_REGISTERED_MESSAGE(g_registered, OnRegistered)
END_MESSAGE_MAP()

// A derived map overrides one entry and leaves the others to the base.
class Derived : public Recorder {
protected:
    afx_msg void OnCommandOpen2() { Add(L"derived open"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Derived, Recorder)
    ON_COMMAND(100, OnCommandOpen2)
END_MESSAGE_MAP()

TEST_F(DialogTest, EveryEntryKindReachesItsHandler) {
    Derived w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, L"rec", WS_POPUP | WS_VISIBLE, CRect(10, 10, 110, 60), nullptr, 0));
    w.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    w.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(-2, 9));
    w.SendMessage(WM_KEYDOWN, 'A', 1);
    w.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(w.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    w.SendMessage(WM_COMMAND, 100, 0);
    w.SendMessage(WM_COMMAND, 205, 0);
    w.SendMessage(WM_COMMAND, 211, 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(300, EN_CHANGE), 0);
    NMITEMACTIVATE nm{};
    nm.hdr.code = NM_CLICK;
    nm.hdr.idFrom = 400;
    nm.iItem = 2;
    nm.iSubItem = 3;
    w.SendMessage(WM_NOTIFY, 400, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(w.SendMessage(WM_USER + 5, 8, 9), 42);
    EXPECT_EQ(w.SendMessage(g_registered, 6, 0), 7);
    const std::vector<std::wstring> expected = {
        L"create rec", L"size 0 100x50", L"ldown 1 3,4", L"rup -2", L"key 65 1",
        L"cursor 1 512", L"derived open", L"range 205", L"edit change", L"click 2,3", L"user 8 9", L"registered 6"};
    EXPECT_EQ(w.calls, expected);
    w.calls.clear();
    w.DestroyWindow();
    EXPECT_EQ(w.calls, std::vector<std::wstring>{L"destroy"});
    EXPECT_EQ(w.m_hWnd, nullptr);
}

TEST_F(DialogTest, PumpDeliversPostedMessagesTimersAndTranslatedCharacters) {
    Recorder w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, L"rec", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    w.calls.clear();
    w.SetTimer(9, 1000, nullptr);
    w.PostMessage(WM_KEYDOWN, 'B', 1);
    EXPECT_TRUE(w.calls.empty());
    Pump();
    EXPECT_EQ(w.calls, (std::vector<std::wstring>{L"key 66 1", L"char b", L"timer 9"}));
    // A timer fires once per pump round.
    w.calls.clear();
    Pump();
    Pump();
    EXPECT_EQ(w.calls, (std::vector<std::wstring>{L"timer 9", L"timer 9"}));
    w.KillTimer(9);
    w.calls.clear();
    Pump();
    EXPECT_TRUE(w.calls.empty());
}

TEST_F(DialogTest, KeyStateFollowsTheKeys) {
    EXPECT_FALSE(::GetKeyState(VK_SHIFT) & 0x8000);
    platform::Set_Key_Down(VK_SHIFT, true);
    EXPECT_TRUE(::GetKeyState(VK_SHIFT) & 0x8000);
    EXPECT_TRUE(::GetAsyncKeyState(VK_SHIFT) & 0x8000);
    platform::Set_Key_Down(VK_SHIFT, false);
    EXPECT_FALSE(::GetAsyncKeyState(VK_SHIFT) & 0x8000);
    EXPECT_EQ(::RegisterWindowMessageW(L"korveltestmessage"), g_registered);
}

// An owner-drawn button draws itself through its own class (reflection).
class Drawn_Button : public CButton {
public:
    int draws = 0;
    UINT state = 0;
    void DrawItem(LPDRAWITEMSTRUCT d) override {
        ++draws;
        state = d->itemState;
    }
};

TEST_F(DialogTest, OwnerDrawIsReflectedToTheControl) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"p", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    Drawn_Button button;
    ASSERT_TRUE(button.Create(L"b", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(5, 5, 50, 30), &parent, 77));
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_BUTTON;
    d.CtlID = 77;
    d.hwndItem = button.m_hWnd;
    d.itemState = ODS_SELECTED;
    EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, 77, reinterpret_cast<LPARAM>(&d)), TRUE);
    EXPECT_EQ(button.draws, 1);
    EXPECT_EQ(button.state, static_cast<UINT>(ODS_SELECTED));
}

}  // namespace

namespace {

// A button that tracks the mouse the way hover buttons do.
class Hover_Button : public CButton {
public:
    std::vector<std::wstring>* log = nullptr;
    bool hovered = false;

protected:
    afx_msg void OnMouseMove(UINT flags, CPoint point) {
        if (!hovered) {
            hovered = true;
            TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&tme);
            log->push_back(L"enter " + std::to_wstring(GetDlgCtrlID()));
        }
        CButton::OnMouseMove(flags, point);
    }
    afx_msg void OnMouseLeave() {
        hovered = false;
        log->push_back(L"leave " + std::to_wstring(GetDlgCtrlID()));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Hover_Button, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

class Hover_Dialog : public CDialog {
public:
    Hover_Dialog() : CDialog(IDD_VALUES) {}
    std::vector<std::wstring> log;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        for (Hover_Button* b : {&m_ok, &m_cancel}) b->log = &log;
        m_ok.SubclassDlgItem(IDOK, this);
        m_cancel.SubclassDlgItem(IDCANCEL, this);
        SetTimer(5, 100, nullptr);
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR) {
        if (log.empty() || log.back() != L"timer") log.push_back(L"timer");
    }
    void OnOK() override { log.push_back(L"ok"); }
    DECLARE_MESSAGE_MAP()
    Hover_Button m_ok, m_cancel;
};

BEGIN_MESSAGE_MAP(Hover_Dialog, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST_F(DialogTest, MouseLeavesTheTrackedButtonAndTimersRunInModalLoops) {
    Script("click 1\nclick 2\n");
    Hover_Dialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const std::vector<std::wstring> expected = {L"timer", L"enter 1", L"ok", L"timer", L"leave 1", L"enter 2"};
    EXPECT_EQ(dialog.log, expected);
}

// The mouse was last over a button of a window that is gone: the next window sees the
// mouse arrive as the first one did.
TEST_F(DialogTest, MouseOverADestroyedWindowMovesOnToTheNextWindow) {
    const std::vector<std::wstring> expected = {L"timer", L"enter 1", L"ok", L"timer", L"leave 1", L"enter 2"};
    for (int run = 0; run < 2; ++run) {
        Script("click 1\nclick 2\n");
        Hover_Dialog dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.log, expected) << "run " << run;
    }
}

}  // namespace

namespace {

class Change_Counter : public CWnd {
public:
    int edit_changes = 0, combo_changes = 0;

protected:
    afx_msg void OnEdit() { ++edit_changes; }
    afx_msg void OnCombo() { ++combo_changes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Change_Counter, CWnd)
    ON_EN_CHANGE(10, OnEdit)
    ON_CBN_SELCHANGE(11, OnCombo)
END_MESSAGE_MAP()

TEST_F(DialogTest, ProgramChangesNotifyLikeWindows) {
    Change_Counter parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"p", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &parent, 10));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 30, 50, 50), &parent, 11));
    // SetWindowText of an edit sends EN_CHANGE; SetCurSel of a combo box sends nothing.
    edit.SetWindowText(L"12");
    EXPECT_EQ(parent.edit_changes, 1);
    combo.AddString(L"a");
    combo.AddString(L"b");
    combo.SetCurSel(1);
    EXPECT_EQ(parent.combo_changes, 0);
    CString text;
    combo.GetWindowText(text);
    EXPECT_EQ(text, L"b");
    // Limits and read-only: typing keeps to them, the program's text does not.
    edit.SetLimitText(3);
    edit.SetSel(0, -1);
    platform::Edit_Type_Text(platform::Find_Window(edit.m_hWnd), L"12345");
    edit.GetWindowText(text);
    EXPECT_EQ(text, L"123");
    EXPECT_EQ(parent.edit_changes, 2);
}

}  // namespace
