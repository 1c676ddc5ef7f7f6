// Keys from the script go to the window with the focus, through the posted queue and the
// PreTranslateMessage of its window chain: an in-place label edit takes Enter and Esc
// before the dialog does, and a `text LISTID` step types into it.
#include <optional>
#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "mfc/afxcmn.h"

namespace {

// A dialog whose sheet list edits a label on a double click; it records what reaches it.
class Sheet_Names : public CDialog {
public:
    Sheet_Names() : CDialog(IDD_VALUES) {}
    CListCtrl list;
    std::vector<std::optional<std::wstring>> ended;
    std::vector<std::pair<UINT, HWND>> pretranslated;  // key messages seen before dispatch
    CString label;
    int edit_id = 0;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        list.SubclassDlgItem(IDC_SHEETS, this);
        list.ModifyStyle(0, LVS_EDITLABELS);
        list.InsertColumn(0, L"Sheet", LVCFMT_LEFT, 120);
        list.InsertItem(0, L"A-01");
        list.InsertItem(1, L"A-02");
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* m) override {
        if (m->message == WM_KEYDOWN || m->message == WM_KEYUP) pretranslated.push_back({m->message, m->hwnd});
        return CDialog::PreTranslateMessage(m);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->idFrom == IDC_SHEETS && hdr->code == NM_DBLCLK) {
            if (CEdit* edit = list.EditLabel(reinterpret_cast<NMITEMACTIVATE*>(lParam)->iItem))
                edit_id = edit->GetDlgCtrlID();
            return TRUE;
        }
        if (hdr->idFrom == IDC_SHEETS && hdr->code == LVN_ENDLABELEDIT) {
            auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
            ended.push_back(info->item.pszText ? std::optional<std::wstring>(info->item.pszText) : std::nullopt);
            *pResult = TRUE;
            return TRUE;
        }
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    void OnCancel() override {
        label = list.GetItemText(1, 0);
        CDialog::OnCancel();
    }
};

}  // namespace

// Enter and Esc end the edit, not the dialog, however the key step is written; the dialog
// is closed by its Cancel button afterwards.
TEST_F(DialogTest, LabelEditTakesTheKeysBeforeTheDialog) {
    struct Case {
        const char* name;
        const char* key_step;
        std::optional<std::wstring> notified;
        std::wstring label;
    };
    const Case cases[] = {
        {"enter", "key RETURN", L"B-07", L"B-07"},
        {"enter at the dialog's id", "@100 key RETURN", L"B-07", L"B-07"},
        {"enter step", "enter", L"B-07", L"B-07"},
        {"escape", "esc", std::nullopt, L"A-02"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clean();
        Script((std::string("dblclick 1007 1 0\ntext 1007 \"B-07\"\n") + c.key_step + "\nclick 2\n").c_str());
        Sheet_Names dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        ASSERT_EQ(dialog.ended.size(), 1u);
        EXPECT_EQ(dialog.ended[0], c.notified);
        EXPECT_EQ(std::wstring(dialog.label.GetString()), c.label);
        // The key went to the edit, and the dialog's PreTranslateMessage saw it first.
        ASSERT_FALSE(dialog.pretranslated.empty());
        EXPECT_EQ(dialog.pretranslated.front().first, static_cast<UINT>(WM_KEYDOWN));
        EXPECT_NE(dialog.pretranslated.front().second, dialog.m_hWnd);
        EXPECT_NE(dialog.pretranslated.front().second, dialog.list.m_hWnd);
    }
}

TEST_F(DialogTest, LabelEditIsNoControlOfTheDialogsOwnIds) {
    Script("dblclick 1007 0 0\nclick 2\n");
    Sheet_Names dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_NE(dialog.edit_id, 0);
    EXPECT_NE(dialog.edit_id, IDOK);
    EXPECT_NE(dialog.edit_id, IDCANCEL);
}

// A key step for a modeless window is posted: the window sees it when its loop takes the
// message, through PreTranslateMessage, and the key reads as down while it is handled.
TEST_F(DialogTest, KeysToModelessWindowsArePostedToTheFocus) {
    class Keys : public CDialog {
    public:
        Keys() : CDialog(IDD_VALUES) {}
        std::vector<HWND> seen;
        SHORT state_while_down = 0;
        BOOL PreTranslateMessage(MSG* m) override {
            if (m->message == WM_KEYDOWN) {
                seen.push_back(m->hwnd);
                state_while_down = GetKeyState(static_cast<int>(m->wParam));
            }
            return CDialog::PreTranslateMessage(m);
        }
    } keys;
    ASSERT_TRUE(keys.Create(IDD_VALUES, nullptr));
    keys.ShowWindow(SW_SHOW);
    keys.GetDlgItem(IDC_COUNT)->SetFocus();
    platform::Step step;
    step.kind = platform::StepKind::Key;
    step.text = L"TAB";
    step.target = IDD_VALUES;
    // Served by a pump: posted, then taken by the pump's caller.
    platform::ScriptInput::instance().push_steps({step});
    MSG m{};
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE) && m.message != WM_KEYDOWN) ::DispatchMessageW(&m);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(m.hwnd, keys.GetDlgItem(IDC_COUNT)->m_hWnd);
    platform::Clear_Message_Queue();
    EXPECT_TRUE(keys.seen.empty());
    // At the top level the host's loop delivers it through the window chain.
    platform::Apply_Top_Level_Step(step);
    ASSERT_EQ(keys.seen.size(), 1u);
    EXPECT_EQ(keys.seen[0], keys.GetDlgItem(IDC_COUNT)->m_hWnd);
    EXPECT_TRUE(keys.state_while_down & 0x8000);
    EXPECT_FALSE(GetKeyState(VK_TAB) & 0x8000);
    keys.DestroyWindow();
}
