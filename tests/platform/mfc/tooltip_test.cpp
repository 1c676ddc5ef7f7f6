// Tooltips: relayed mouse messages show the tool's tip below the cursor and hide it; the
// owner's snapshot shows the tip in its colours.
#include <cairo.h>

#include <cstdlib>
#include <filesystem>

#include "dialog_test_support.h"
#include "mfc/afxcmn.h"
#include "mfc/afxdc.h"

namespace {

constexpr COLORREF kTipText = RGB(0, 64, 64);
constexpr COLORREF kTipBack = RGB(255, 255, 225);

// A dialog relaying every message to its tooltip, with one tool on the sheet list.
class Tipped : public CDialog {
public:
    Tipped() : CDialog(IDD_VALUES) {}
    CToolTipCtrl tip;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        tip.Create(this);
        tip.SetDelayTime(1000);
        tip.SetTipTextColor(kTipText);
        tip.Activate(TRUE);
        tip.SetMaxTipWidth(500);
        tip.AddTool(GetDlgItem(IDC_SHEETS), L"双击空白处录入新图框\nsecond line");
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* m) override {
        if (tip.m_hWnd) tip.RelayEvent(m);
        return CDialog::PreTranslateMessage(m);
    }
};

COLORREF Pixel(cairo_surface_t* s, int x, int y) {
    const unsigned char* p = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s) + x * 4;
    const uint32_t v = *reinterpret_cast<const uint32_t*>(p);
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

}  // namespace

TEST_F(DialogTest, TooltipShowsOverItsToolAndHides) {
    Tipped dialog;
    ASSERT_TRUE(dialog.Create(IDD_VALUES, nullptr));
    dialog.ShowWindow(SW_SHOW);
    // Over the list the tip shows.
    platform::Window* list = platform::Find_Window(dialog.GetDlgItem(IDC_SHEETS)->m_hWnd);
    ASSERT_NE(list, nullptr);
    platform::Window* tip = platform::Find_Window(dialog.tip.m_hWnd);
    ASSERT_NE(tip, nullptr);
    MSG move{};
    move.hwnd = list->handle();
    move.message = WM_MOUSEMOVE;
    POINT cursor{20, 20};
    ClientToScreen(list->handle(), &cursor);
    SetCursorPos(cursor.x, cursor.y);
    dialog.tip.RelayEvent(&move);
    EXPECT_TRUE(tip->visible);
    CRect tip_rect;
    dialog.tip.GetWindowRect(&tip_rect);
    EXPECT_EQ(tip_rect.left, cursor.x);
    EXPECT_GT(tip_rect.top, cursor.y);
    // Two lines: taller than one line of text plus its padding.
    EXPECT_GT(tip_rect.Height(), 2 * 12);
    // The tip never takes the script's steps.
    EXPECT_EQ(platform::Topmost_Window(), platform::Find_Window(dialog.m_hWnd));
    // Off the tool it hides; a press hides it too.
    move.hwnd = dialog.GetDlgItem(IDC_COUNT)->m_hWnd;
    dialog.tip.RelayEvent(&move);
    EXPECT_FALSE(tip->visible);
    move.hwnd = list->handle();
    dialog.tip.RelayEvent(&move);
    EXPECT_TRUE(tip->visible);
    MSG press = move;
    press.message = WM_LBUTTONDOWN;
    dialog.tip.RelayEvent(&press);
    EXPECT_FALSE(tip->visible);
    // Inactive, it stays hidden.
    dialog.tip.Activate(FALSE);
    dialog.tip.RelayEvent(&move);
    EXPECT_FALSE(tip->visible);
    dialog.DestroyWindow();
}

TEST_F(DialogTest, SnapshotShowsTheTipInItsColours) {
    const std::string path = (std::filesystem::path(testing::TempDir()) / "tip.png").string();
    std::filesystem::remove(path);
    Tipped dialog;
    ASSERT_TRUE(dialog.Create(IDD_VALUES, nullptr));
    dialog.ShowWindow(SW_SHOW);
    CWnd* list = dialog.GetDlgItem(IDC_SHEETS);
    POINT cursor{10, 10};
    list->ClientToScreen(&cursor);
    SetCursorPos(cursor.x, cursor.y);
    MSG move{};
    move.hwnd = list->m_hWnd;
    move.message = WM_MOUSEMOVE;
    dialog.tip.RelayEvent(&move);
    ASSERT_TRUE(platform::Snapshot_Window(&dialog, std::wstring(path.begin(), path.end())));
    CRect window, tip;
    dialog.GetWindowRect(&window);
    dialog.tip.GetWindowRect(&tip);
    tip.OffsetRect(-window.left, -window.top);
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    // The tip's background inside its frame, its text in the tip's colour (its strokes'
    // cores; their anti-aliased edges blend into the background).
    EXPECT_EQ(Pixel(png, tip.left + 2, tip.top + 2), kTipBack);
    int text = 0;
    for (int y = tip.top; y < tip.bottom; ++y)
        for (int x = tip.left; x < tip.right; ++x) {
            const COLORREF c = Pixel(png, x, y);
            text += std::abs(GetRValue(c) - GetRValue(kTipText)) + std::abs(GetGValue(c) - GetGValue(kTipText)) +
                        std::abs(GetBValue(c) - GetBValue(kTipText)) < 60;
        }
    EXPECT_GT(text, 20);
    cairo_surface_destroy(png);
    dialog.DestroyWindow();
}
