// In-place label editing of the list control and item images painted in its first column.
#include <optional>
#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "mfc/afxcmn.h"
#include "mfc/afxdc.h"

namespace {

constexpr UINT kListId = 300;

// A pop-up holding a list; it answers the label notifications as the test says and
// records the text LVN_ENDLABELEDIT brings (nullopt for a cancel).
class Label_Host : public CWnd {
public:
    BOOL refuse_begin = FALSE;
    BOOL accept_end = TRUE;
    int begun = -1;
    std::vector<std::optional<std::wstring>> ended;
    CListCtrl list;

    void Open(DWORD list_style = LVS_REPORT | LVS_EDITLABELS) {
        ASSERT_TRUE(CreateEx(0, nullptr, L"host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | list_style, CRect(0, 0, 280, 180), this, kListId));
        list.InsertColumn(0, L"Sheet", LVCFMT_LEFT, 120);
        list.InsertColumn(1, L"Scale", LVCFMT_LEFT, 80);
        list.InsertItem(0, L"A-01");
        list.InsertItem(1, L"A-02");
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
        if (info->hdr.idFrom == kListId && info->hdr.code == LVN_BEGINLABELEDIT) {
            begun = info->item.iItem;
            *pResult = refuse_begin;
            return TRUE;
        }
        if (info->hdr.idFrom == kListId && info->hdr.code == LVN_ENDLABELEDIT) {
            ended.push_back(info->item.pszText ? std::optional<std::wstring>(info->item.pszText) : std::nullopt);
            *pResult = accept_end;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

}  // namespace

TEST_F(DialogTest, LabelEditNeedsTheStyleAndTheParentsConsent) {
    Label_Host plain;
    plain.Open(LVS_REPORT);
    EXPECT_EQ(plain.list.EditLabel(0), nullptr);
    EXPECT_EQ(plain.begun, -1);

    Label_Host host;
    host.refuse_begin = TRUE;
    host.Open();
    EXPECT_EQ(host.list.EditLabel(1), nullptr);
    EXPECT_EQ(host.begun, 1);
    EXPECT_EQ(host.list.GetEditControl(), nullptr);
    EXPECT_TRUE(host.ended.empty());
}

// Enter commits, Esc cancels (null text), losing the focus commits; the label changes only
// when the parent accepts.
TEST_F(DialogTest, LabelEditEndsAsTheParentAnswers) {
    struct Case {
        const char* name;
        int key;  // 0: the focus moves away
        BOOL accept;
        std::optional<std::wstring> notified;
        std::wstring label;
    };
    const Case cases[] = {
        {"enter accepted", VK_RETURN, TRUE, L"B-07", L"B-07"},
        {"enter refused", VK_RETURN, FALSE, L"B-07", L"A-02"},
        {"escape", VK_ESCAPE, TRUE, std::nullopt, L"A-02"},
        {"focus lost", 0, TRUE, L"B-07", L"B-07"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Label_Host host;
        host.accept_end = c.accept;
        host.Open();
        CEdit* edit = host.list.EditLabel(1);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(host.list.GetEditControl(), edit);
        EXPECT_EQ(::GetFocus(), edit->m_hWnd);
        CString shown;
        edit->GetWindowText(shown);
        EXPECT_EQ(std::wstring(shown.GetString()), L"A-02");
        const HWND edit_handle = edit->m_hWnd;
        edit->SetWindowText(L"B-07");
        if (c.key) platform::Press_Key(platform::Find_Window(edit_handle), c.key);
        else host.list.SetFocus();
        ASSERT_EQ(host.ended.size(), 1u);
        EXPECT_EQ(host.ended[0], c.notified);
        EXPECT_EQ(std::wstring(host.list.GetItemText(1, 0).GetString()), c.label);
        EXPECT_EQ(platform::Find_Window(edit_handle), nullptr);
        EXPECT_EQ(host.list.GetEditControl(), nullptr);
        host.DestroyWindow();
    }
}

TEST_F(DialogTest, ListPaintsTheItemsSmallImageBeforeTheLabel) {
    const COLORREF kImage = RGB(200, 30, 40);
    Label_Host host;
    host.Open();
    CClientDC screen(&host.list);
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 16, 16));
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, 16, 16, kImage);
    memory.SelectObject(old);
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 1, 1));
    ASSERT_EQ(images.Add(&bitmap, static_cast<CBitmap*>(nullptr)), 0);
    host.list.SetImageList(&images, LVSIL_SMALL);
    LVITEM item{};
    item.mask = LVIF_IMAGE;
    item.iItem = 1;
    item.iImage = 0;
    ASSERT_TRUE(host.list.SetItem(&item));
    host.list.Invalidate();
    host.list.UpdateWindow();
    CRect with, without;
    ASSERT_TRUE(host.list.GetSubItemRect(1, 0, LVIR_LABEL, with));
    ASSERT_TRUE(host.list.GetSubItemRect(0, 0, LVIR_LABEL, without));
    CClientDC painted(&host.list);
    EXPECT_EQ(painted.GetPixel(with.left + 8, with.CenterPoint().y), kImage);
    EXPECT_NE(painted.GetPixel(without.left + 8, without.CenterPoint().y), kImage);
    host.list.SetImageList(nullptr, LVSIL_SMALL);
}
