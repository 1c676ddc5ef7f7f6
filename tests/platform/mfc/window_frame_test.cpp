// The frame of a top-level window: snapshots show the borders and the caption bar with its
// text and close box; a press on the caption moves the window by the script's `drag`.
#include <cairo.h>

#include <filesystem>
#include <vector>

#include "dialog_test_support.h"
#include "mfc/afxdc.h"

namespace {

COLORREF Pixel(cairo_surface_t* s, int x, int y) {
    const unsigned char* p = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s) + x * 4;
    const uint32_t v = *reinterpret_cast<const uint32_t*>(p);
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int Differing(cairo_surface_t* s, const RECT& r, COLORREF colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += Pixel(s, x, y) != colour;
    return n;
}

class Moves : public CDialog {
public:
    Moves() : CDialog(IDD_VALUES) {}
    std::vector<UINT> seen;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ENTERSIZEMOVE || message == WM_MOVING || message == WM_MOVE || message == WM_EXITSIZEMOVE)
            seen.push_back(message);
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

TEST_F(DialogTest, SnapshotShowsTheFrameAndTheCaption) {
    const std::string path = (std::filesystem::path(testing::TempDir()) / "frame.png").string();
    Script(("snapshot \"" + path + "\"\nclick 2\n").c_str());
    CRect window;
    CPoint client(0, 0);
    struct Probe : Moves {
        CRect* window;
        CPoint* client;
        BOOL OnInitDialog() override {
            Moves::OnInitDialog();
            GetWindowRect(window);
            ClientToScreen(client);
            return TRUE;
        }
    } probe;
    probe.window = &window;
    probe.client = &client;
    probe.DoModal();
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(png), window.Width());
    EXPECT_EQ(cairo_image_surface_get_height(png), window.Height());
    const int left = client.x - window.left, top = client.y - window.top;
    ASSERT_GT(top, left);  // a caption bar above the client area
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // The client area starts where the frame ends.
    EXPECT_EQ(Pixel(png, left + 1, top + 1), face);
    // The caption's text is written in the bar's left half, the close box at its right end.
    const COLORREF bar = Pixel(png, window.Width() / 2, left + 1);
    EXPECT_GT(Differing(png, RECT{left + 2, left + 2, window.Width() / 2, top - 2}, bar), 20);
    EXPECT_GT(Differing(png, RECT{window.Width() - top - 4, left + 2, window.Width() - left - 2, top - 2}, bar), 5);
    // The outline.
    EXPECT_NE(Pixel(png, 0, window.Height() / 2), face);
    cairo_surface_destroy(png);
}

TEST_F(DialogTest, CaptionDragMovesTheWindowByTheScriptsOffset) {
    struct Case {
        const char* name;
        const char* script;
        int dx, dy;
        size_t messages;
    };
    const Case cases[] = {
        {"dragged", "drag 40,-15\n", 40, -15, 4},
        {"released where pressed", "", 0, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clean();
        Script(c.script);
        Moves dialog;
        ASSERT_TRUE(dialog.Create(IDD_VALUES, nullptr));
        dialog.ShowWindow(SW_SHOW);
        CRect before, after;
        dialog.GetWindowRect(&before);
        dialog.seen.clear();
        dialog.SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(5, 5));
        dialog.GetWindowRect(&after);
        EXPECT_EQ(after.left - before.left, c.dx);
        EXPECT_EQ(after.top - before.top, c.dy);
        EXPECT_EQ(after.Size(), before.Size());
        ASSERT_EQ(dialog.seen.size(), c.messages);
        EXPECT_EQ(dialog.seen.front(), static_cast<UINT>(WM_ENTERSIZEMOVE));
        EXPECT_EQ(dialog.seen.back(), static_cast<UINT>(WM_EXITSIZEMOVE));
        EXPECT_TRUE(platform::ScriptInput::instance().empty());
        dialog.DestroyWindow();
    }
}
