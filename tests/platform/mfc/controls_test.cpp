// Controls and their notifications: combo boxes notify the user's choice only, list
// boxes, list controls with sub-item hit tests and column clicks, check boxes and radios.
#include <vector>

#include "dialog_test_support.h"
#include "mfc/afxcmn.h"
#include "mfc/afxdc.h"

namespace {

class Notified : public CDialog {
public:
    Notified() : CDialog(IDD_VALUES) {}
    std::vector<std::wstring> events;
    CListCtrl* sheets = nullptr;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        auto* format = static_cast<CComboBox*>(GetDlgItem(IDC_FORMAT));
        format->AddString(L"PDF");
        format->AddString(L"DWF");
        format->AddString(L"PNG");
        format->SetCurSel(0);  // no notification
        auto* names = static_cast<CListBox*>(GetDlgItem(IDC_NAMES));
        names->AddString(L"甲");
        names->AddString(L"乙");
        m_sheets.SubclassDlgItem(IDC_SHEETS, this);
        m_sheets.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        m_sheets.InsertColumn(0, L"图号", LVCFMT_LEFT, 60);
        m_sheets.InsertColumn(1, L"图名", LVCFMT_LEFT, 80);
        m_sheets.InsertColumn(2, L"比例", LVCFMT_LEFT, 40);
        for (int i = 0; i < 3; ++i) {
            m_sheets.InsertItem(i, (L"A-" + std::to_wstring(i)).c_str());
            m_sheets.SetItemText(i, 1, L"平面图");
            m_sheets.SetItemText(i, 2, L"1:100");
        }
        return TRUE;
    }
    afx_msg void OnFormat() { events.push_back(L"format " + std::to_wstring(static_cast<CComboBox*>(GetDlgItem(IDC_FORMAT))->GetCurSel())); }
    afx_msg void OnNames() { events.push_back(L"names " + std::to_wstring(static_cast<CListBox*>(GetDlgItem(IDC_NAMES))->GetCurSel())); }
    afx_msg void OnNamesDbl() { events.push_back(L"names dbl"); }
    afx_msg void OnEnabled() { events.push_back(L"enabled " + std::to_wstring(IsDlgButtonChecked(IDC_ENABLED))); }
    afx_msg void OnSheetClick(NMHDR* h, LRESULT*) {
        auto* a = reinterpret_cast<NMITEMACTIVATE*>(h);
        events.push_back(L"click " + std::to_wstring(a->iItem) + L"," + std::to_wstring(a->iSubItem) + L" sel " +
                         std::to_wstring(m_sheets.GetNextItem(-1, LVNI_SELECTED)));
    }
    afx_msg void OnSheetDbl(NMHDR* h, LRESULT*) {
        auto* a = reinterpret_cast<NMITEMACTIVATE*>(h);
        events.push_back(L"dbl " + std::to_wstring(a->iItem) + L"," + std::to_wstring(a->iSubItem));
    }
    afx_msg void OnSheetRight(NMHDR* h, LRESULT*) {
        auto* a = reinterpret_cast<NMITEMACTIVATE*>(h);
        events.push_back(L"right " + std::to_wstring(a->iItem) + L"," + std::to_wstring(a->iSubItem));
    }
    afx_msg void OnColumn(NMHDR* h, LRESULT*) {
        events.push_back(L"column " + std::to_wstring(reinterpret_cast<NMLISTVIEW*>(h)->iSubItem));
    }
    afx_msg void OnTab(NMHDR*, LRESULT*) { events.push_back(L"tab"); }
    afx_msg void OnTitle() { events.push_back(L"title"); }
    DECLARE_MESSAGE_MAP()

protected:
    CListCtrl m_sheets;
};

BEGIN_MESSAGE_MAP(Notified, CDialog)
    ON_CBN_SELCHANGE(IDC_FORMAT, OnFormat)
    ON_LBN_SELCHANGE(IDC_NAMES, OnNames)
    ON_LBN_DBLCLK(IDC_NAMES, OnNamesDbl)
    ON_BN_CLICKED(IDC_ENABLED, OnEnabled)
    ON_NOTIFY(NM_CLICK, IDC_SHEETS, OnSheetClick)
    ON_NOTIFY(NM_DBLCLK, IDC_SHEETS, OnSheetDbl)
    ON_NOTIFY(NM_RCLICK, IDC_SHEETS, OnSheetRight)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_SHEETS, OnColumn)
    ON_STN_CLICKED(IDC_TITLE, OnTitle)
END_MESSAGE_MAP()

TEST_F(DialogTest, UserActionsNotifyTheDialog) {
    Script("choose 1005 2\nchoose 1006 1\ndblclick 1006 0\ncheck 1002 1\ncheck 1002 1\ncell 1007 1 2\n"
           "dblclick 1007 2 1\nrclick 1007 0 0\nheader 1007 1\nclick 1013\nclick 2\n");
    Notified dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const std::vector<std::wstring> expected = {
        L"format 2", L"names 1", L"names 0", L"names dbl", L"enabled 1", L"click 1,2 sel 1",
        L"click 2,1 sel 2", L"dbl 2,1", L"right 0,0", L"column 1", L"title"};
    EXPECT_EQ(dialog.events, expected);
}

namespace {

// Records where the dialog itself gets the mouse.
class Mouse_Dialog : public Notified {
public:
    CRect label;
    std::vector<std::wstring> mouse;

protected:
    BOOL OnInitDialog() override {
        Notified::OnInitDialog();
        GetDlgItem(IDC_PATH_LABEL)->GetWindowRect(&label);
        ScreenToClient(&label);
        return TRUE;
    }
    afx_msg void OnMouseMove(UINT, CPoint point) { Record(L"move", point); }
    afx_msg void OnLButtonDown(UINT, CPoint point) { Record(L"down", point); }
    void Record(const wchar_t* what, CPoint point) {
        mouse.push_back(std::wstring(what) + (label.PtInRect(point) ? L" on label" : L" elsewhere"));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Mouse_Dialog, Notified)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

}  // namespace

// A static without SS_NOTIFY lets the mouse through to its dialog; one with SS_NOTIFY takes
// the click itself and notifies.
TEST_F(DialogTest, MouseOverAPlainStaticReachesTheDialog) {
    Script("click IDC_PATH_LABEL\nclick IDC_TITLE\nclick 2\n");
    Mouse_Dialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.mouse, (std::vector<std::wstring>{L"move on label", L"down on label"}));
    EXPECT_EQ(dialog.events, std::vector<std::wstring>{L"title"});
}

TEST_F(DialogTest, RowsStepPrintsEveryRowOfAListControl) {
    std::wstring printed;
    platform::Set_Step_Output([&](const std::wstring& text) { printed += text; });
    Script("rows 1007\nclick 2\n");
    Notified dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    platform::Set_Step_Output([](const std::wstring&) {});
    EXPECT_EQ(printed, L"\nrows 1007: A-0 | 平面图 | 1:100\nrows 1007: A-1 | 平面图 | 1:100\nrows 1007: A-2 | 平面图 | 1:100");
}

TEST_F(DialogTest, StepsThatControlsRefuseFailClearly) {
    struct Case {
        const char* step;
        const char* expected;
    };
    const Case cases[] = {
        // choose beyond the items: the control, its window and the count are named
        {"choose 1005 9\n",
         "step 'choose 1005 9' at line 1: combo box 1005 of dialog 100 (IDD_VALUES) '批打到文件' has 3 items (0 to 2): no item 9"},
        {"choose IDC_NAMES 2\n", "list box IDC_NAMES (1006) of dialog 100 (IDD_VALUES) '批打到文件' has 2 items (0 to 1): no item 2"},
        {"choose 1007 3\n", "list control 1007 of dialog 100 (IDD_VALUES) '批打到文件' has 3 items (0 to 2): no item 3"},
        {"choose 1007 -1\n", "has 3 items (0 to 2): no item -1"},
        {"choose 1010 0\n", "tab control 1010 of dialog 100 (IDD_VALUES) '批打到文件' has no items: no item 0"},
        {"choose 1009 101\n", "slider 1009 of dialog 100 (IDD_VALUES) '批打到文件' goes from 0 to 100: no position 101"},
        {"choose 1001 0\n", "control 1001 has nothing to choose"},
        {"cell 1007 5 0\n", "list control 1007 has no cell 5,0"},
        {"header 1007 3\n", "control 1007 has no column 3"},
        {"text 1002 \"x\"\n", "control 1002 takes no text"},
        {"check 1001 1\n", "control 1001 is not a check box or radio button"},
        {"rows 1005\n", "control 1005 is not a list control"},
    };
    for (const auto& c : cases) {
        Clean();
        Script(c.step);
        Notified dialog;
        try {
            dialog.DoModal();
            ADD_FAILURE() << c.step;
        } catch (const platform::UnansweredInput& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
        }
    }
}

TEST_F(DialogTest, ListControlGeometryAndAutoSize) {
    class Sheets : public Notified {
    protected:
        BOOL OnInitDialog() override {
            Notified::OnInitDialog();
            CListCtrl* list = &m_sheets;
            CRect cell;
            list->GetSubItemRect(1, 2, LVIR_BOUNDS, cell);
            LVHITTESTINFO hit{};
            hit.pt = cell.CenterPoint();
            list->SubItemHitTest(&hit);
            hit_item = hit.iItem;
            hit_sub = hit.iSubItem;
            list->SetColumnWidth(1, LVSCW_AUTOSIZE);
            auto_width = list->GetColumnWidth(1);
            CClientDC dc(list);
            dc.SelectObject(list->GetFont());
            text_width = dc.GetTextExtent(L"平面图").cx;
            count = list->GetItemCount();
            header_count = list->GetHeaderCtrl()->GetItemCount();
            return TRUE;
        }

    public:
        int hit_item = -1, hit_sub = -1, auto_width = 0, text_width = 0, count = 0, header_count = 0;
    };
    Script("click 2\n");
    Sheets dialog;
    dialog.DoModal();
    EXPECT_EQ(dialog.hit_item, 1);
    EXPECT_EQ(dialog.hit_sub, 2);
    EXPECT_EQ(dialog.count, 3);
    EXPECT_EQ(dialog.header_count, 3);
    EXPECT_GT(dialog.auto_width, 0);
    EXPECT_LT(dialog.auto_width - dialog.text_width, 20);
}

}  // namespace

namespace {

class Dated : public CDialog {
public:
    Dated() : CDialog(IDD_VALUES) {}
    SYSTEMTIME chosen{};
    int changes = 0;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SYSTEMTIME low{2020, 1, 0, 1, 0, 0, 0, 0}, high{2030, 12, 0, 31, 0, 0, 0, 0};
        m_date.SubclassDlgItem(IDC_DATE, this);
        m_date.SetRange(&low, &high);
        return TRUE;
    }
    void OnOK() override {
        m_date.GetTime(&chosen);
        CDialog::OnOK();
    }
    afx_msg void OnDate(NMHDR*, LRESULT*) { ++changes; }
    DECLARE_MESSAGE_MAP()
    CDateTimeCtrl m_date;
};

BEGIN_MESSAGE_MAP(Dated, CDialog)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_DATE, OnDate)
END_MESSAGE_MAP()

TEST_F(DialogTest, DatePickerTakesTextStepsWithinItsRange) {
    Script("text 1012 \"2024-05-06\"\nclick 1\n");
    Dated in_range;
    EXPECT_EQ(in_range.DoModal(), IDOK);
    EXPECT_EQ(in_range.chosen.wYear, 2024);
    EXPECT_EQ(in_range.chosen.wMonth, 5);
    EXPECT_EQ(in_range.chosen.wDay, 6);
    EXPECT_EQ(in_range.changes, 1);
    Script("text 1012 \"2099-01-01\"\nclick 1\n");
    Dated late;
    late.DoModal();
    EXPECT_EQ(late.chosen.wYear, 2030);
    EXPECT_EQ(late.chosen.wDay, 31);
}

// A control without an object of its own is handed out as an object of its class, so the
// usual cast of GetDlgItem's answer to the control's class is sound.
TEST_F(DialogTest, ControlsWithoutObjectsComeAsObjectsOfTheirClass) {
    struct Case {
        int id;
        CRuntimeClass* expected;
    };
    const Case cases[] = {
        {IDC_COUNT, RUNTIME_CLASS(CEdit)},          {IDC_ENABLED, RUNTIME_CLASS(CButton)},
        {IDC_FORMAT, RUNTIME_CLASS(CComboBox)},     {IDC_NAMES, RUNTIME_CLASS(CListBox)},
        {IDC_SHEETS, RUNTIME_CLASS(CListCtrl)},     {IDC_BAR, RUNTIME_CLASS(CProgressCtrl)},
        {IDC_ZOOM, RUNTIME_CLASS(CSliderCtrl)},     {IDC_PAGES, RUNTIME_CLASS(CTabCtrl)},
        {IDC_SPIN, RUNTIME_CLASS(CSpinButtonCtrl)}, {IDC_DATE, RUNTIME_CLASS(CDateTimeCtrl)},
        {IDC_TITLE, RUNTIME_CLASS(CStatic)},
    };
    CDialog dialog(IDD_VALUES);
    ASSERT_TRUE(dialog.Create(IDD_VALUES, nullptr));
    for (const Case& c : cases) {
        CWnd* control = dialog.GetDlgItem(c.id);
        ASSERT_NE(control, nullptr) << c.id;
        EXPECT_TRUE(control->IsKindOf(c.expected)) << c.id << " is a " << control->GetRuntimeClass()->m_lpszClassName;
    }
    // The list control's header, too; a plain window stays a CWnd.
    CHeaderCtrl* header = static_cast<CListCtrl*>(dialog.GetDlgItem(IDC_SHEETS))->GetHeaderCtrl();
    ASSERT_NE(header, nullptr);
    EXPECT_TRUE(header->IsKindOf(RUNTIME_CLASS(CHeaderCtrl)));
    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, nullptr, L"plain", WS_CHILD, CRect(0, 0, 10, 10), &dialog, 77));
    const HWND plain_handle = plain.Detach();
    EXPECT_EQ(CWnd::FromHandle(plain_handle)->GetRuntimeClass(), RUNTIME_CLASS(CWnd));
}

// Destroying a window takes its controls and their own children (the list control's
// header) with it, whatever order they go in.
TEST_F(DialogTest, DestroyedWindowTakesItsControlsAndTheirChildren) {
    CDialog dialog(IDD_VALUES);
    ASSERT_TRUE(dialog.Create(IDD_VALUES, nullptr));
    CListCtrl list;
    ASSERT_TRUE(list.SubclassDlgItem(IDC_SHEETS, &dialog));
    const HWND header = list.GetHeaderCtrl()->m_hWnd;
    const HWND last = ::GetDlgItem(dialog.m_hWnd, IDCANCEL);
    ASSERT_TRUE(::IsWindow(header));
    dialog.DestroyWindow();
    EXPECT_FALSE(::IsWindow(header));
    EXPECT_FALSE(::IsWindow(last));
    EXPECT_EQ(list.m_hWnd, nullptr);
}

}  // namespace
