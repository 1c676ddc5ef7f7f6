// Snapshots: a dialog paints for real (face colour, text, check marks, the parent's
// WM_CTLCOLOR brush, owner-drawn buttons) and is saved as a PNG of its whole window, frame
// and caption included.
#include <cairo.h>

#include <cstdlib>
#include <filesystem>

#include "dialog_test_support.h"
#include "mfc/afxcmn.h"
#include "mfc/afxdc.h"

namespace {

struct Png {
    cairo_surface_t* surface = nullptr;
    explicit Png(const std::string& path) : surface(cairo_image_surface_create_from_png(path.c_str())) {}
    ~Png() { cairo_surface_destroy(surface); }
    bool ok() const { return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(surface); }
    int height() const { return cairo_image_surface_get_height(surface); }
    COLORREF at(int x, int y) const {
        const unsigned char* p = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface) + x * 4;
        const uint32_t v = *reinterpret_cast<const uint32_t*>(p);
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // How far the rectangle's pixels are from the colour, summed over pixels and components.
    long ink(const RECT& r, COLORREF colour) const {
        long sum = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = at(x, y);
                sum += std::abs(GetRValue(c) - GetRValue(colour)) + std::abs(GetGValue(c) - GetGValue(colour)) +
                       std::abs(GetBValue(c) - GetBValue(colour));
            }
        return sum;
    }
    // Pixels in the rectangle that differ from the colour.
    int differing(const RECT& r, COLORREF colour) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += at(x, y) != colour;
        return n;
    }
};

// Where the client area's top-left corner lies in the window's picture.
CPoint Client_Offset(CWnd* w) {
    CRect window;
    w->GetWindowRect(&window);
    CPoint origin(0, 0);
    w->ClientToScreen(&origin);
    return CPoint(origin.x - window.left, origin.y - window.top);
}

std::string Snapshot_Path(const char* name) {
    return (std::filesystem::path(testing::TempDir()) / name).string();
}

// The About-box look: a green background through WM_CTLCOLOR and an owner-drawn button.
class Green_Dialog : public CDialog {
public:
    Green_Dialog() : CDialog(IDD_PROGRESS) {}
    CRect client, stop, window;
    CPoint offset;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_brush.CreateSolidBrush(RGB(170, 210, 150));
        m_stop.SubclassDlgItem(IDC_STOP, this);
        m_stop.ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
        GetClientRect(&client);
        GetWindowRect(&window);
        offset = Client_Offset(this);
        m_stop.GetWindowRect(&stop);
        ScreenToClient(&stop);
        return TRUE;
    }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd*, UINT) {
        pDC->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    DECLARE_MESSAGE_MAP()

    class Red_Button : public CButton {
    public:
        void DrawItem(LPDRAWITEMSTRUCT d) override {
            CDC* dc = CDC::FromHandle(d->hDC);
            dc->FillSolidRect(&d->rcItem, RGB(200, 0, 0));
        }
    } m_stop;
    CBrush m_brush;
};

BEGIN_MESSAGE_MAP(Green_Dialog, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST_F(DialogTest, SnapshotShowsBrushesAndOwnerDrawing) {
    const std::string path = Snapshot_Path("green.png");
    std::filesystem::remove(path);
    Script(("snapshot \"" + path + "\"\nclick 2\n").c_str());
    Green_Dialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    Png png(path);
    ASSERT_TRUE(png.ok());
    EXPECT_EQ(png.width(), dialog.window.Width());
    EXPECT_EQ(png.height(), dialog.window.Height());
    EXPECT_EQ(png.at(dialog.offset.x + 2, dialog.offset.y + 2), RGB(170, 210, 150));
    const CPoint mid = dialog.stop.CenterPoint() + dialog.offset;
    EXPECT_EQ(png.at(mid.x, mid.y), RGB(200, 0, 0));
}

// A static drawn in the font the parent selects for it in WM_CTLCOLOR (a link's bold face).
class Bold_Label_Dialog : public CDialog {
public:
    Bold_Label_Dialog() : CDialog(IDD_VALUES) {}
    bool bold = false;
    CRect label;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        GetDlgItem(IDC_PATH_LABEL)->GetWindowRect(&label);
        CRect window;
        GetWindowRect(&window);
        label.OffsetRect(-window.left, -window.top);
        LOGFONTW face{};
        GetFont()->GetLogFont(&face);
        face.lfWeight = FW_BOLD;
        m_bold.CreateFontIndirect(&face);
        return TRUE;
    }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* window, UINT type) {
        HBRUSH brush = CDialog::OnCtlColor(pDC, window, type);
        if (bold && window->GetDlgCtrlID() == IDC_PATH_LABEL) pDC->SelectObject(&m_bold);
        return brush;
    }
    DECLARE_MESSAGE_MAP()
    CFont m_bold;
};

BEGIN_MESSAGE_MAP(Bold_Label_Dialog, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST_F(DialogTest, StaticTextTakesTheFontTheParentSelectsForIt) {
    long ink[2] = {};
    for (bool bold : {false, true}) {
        const std::string path = Snapshot_Path(bold ? "bold_label.png" : "plain_label.png");
        Script(("snapshot \"" + path + "\"\nclick 2\n").c_str());
        Bold_Label_Dialog dialog;
        dialog.bold = bold;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        Png png(path);
        ASSERT_TRUE(png.ok());
        ink[bold] = png.ink(dialog.label, GetSysColor(COLOR_BTNFACE));
    }
    EXPECT_GT(ink[0], 0);
    EXPECT_GT(ink[1], ink[0] + ink[0] / 10);
}

TEST_F(DialogTest, SnapshotPaintsTheStandardControls) {
    class Values : public CDialog {
    public:
        Values() : CDialog(IDD_VALUES) {}
        CRect ok, enabled, bar;
        CPoint face_point;

    protected:
        BOOL OnInitDialog() override {
            CDialog::OnInitDialog();
            auto rect_of = [this](int id) {
                CRect r;
                GetDlgItem(id)->GetWindowRect(&r);
                ScreenToClient(&r);
                return r;
            };
            // Rectangles in the snapshot's coordinates.
            const CPoint offset = Client_Offset(this);
            ok = rect_of(IDOK) + offset;
            enabled = rect_of(IDC_ENABLED) + offset;
            bar = rect_of(IDC_BAR) + offset;
            face_point = offset + CPoint(1, 1);
            auto* progress = static_cast<CProgressCtrl*>(GetDlgItem(IDC_BAR));
            progress->SetRange32(0, 4);
            progress->SetPos(2);
            return TRUE;
        }
    };
    const std::string unchecked = Snapshot_Path("values_unchecked.png");
    const std::string checked = Snapshot_Path("values_checked.png");
    Script(("snapshot \"" + unchecked + "\"\ncheck 1002 1\nsnapshot \"" + checked + "\"\nclick 2\n").c_str());
    Values dialog;
    dialog.DoModal();
    Png before(unchecked), after(checked);
    ASSERT_TRUE(before.ok());
    ASSERT_TRUE(after.ok());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // The dialog and the OK button show the face colour with the caption's ink on it.
    EXPECT_EQ(before.at(dialog.face_point.x, dialog.face_point.y), face);
    EXPECT_EQ(before.at(dialog.ok.left + 3, dialog.ok.top + 3), face);
    CRect caption = dialog.ok;
    caption.DeflateRect(4, 3);
    EXPECT_GT(before.differing(caption, face), 10);
    // Checking the box adds the mark inside it.
    const CRect box(dialog.enabled.left + 2, dialog.enabled.top + 2, dialog.enabled.left + 11, dialog.enabled.bottom - 2);
    EXPECT_GT(after.differing(box, RGB(255, 255, 255)), before.differing(box, RGB(255, 255, 255)));
    // The progress bar is filled up to its position.
    const int y = dialog.bar.CenterPoint().y;
    EXPECT_EQ(before.at(dialog.bar.left + 3, y), RGB(6, 176, 37));
    EXPECT_NE(before.at(dialog.bar.right - 3, y), RGB(6, 176, 37));
}

// A pop-up that leaves its background alone and paints its client area in a colour when
// it has one.
class Painted : public CWnd {
public:
    explicit Painted(bool paints) : m_paints(paints) {}

protected:
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        if (m_paints) dc.FillSolidRect(&client, RGB(200, 0, 0));
    }
    DECLARE_MESSAGE_MAP()
    bool m_paints;
};

BEGIN_MESSAGE_MAP(Painted, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST_F(DialogTest, WindowAfterADestroyedOneStartsOnAnImageOfItsOwn) {
    const std::string first_path = Snapshot_Path("painted_first.png");
    const std::string second_path = Snapshot_Path("painted_second.png");
    {
        Painted first(true);
        ASSERT_TRUE(first.CreateEx(0, nullptr, L"first", WS_POPUP | WS_VISIBLE, CRect(0, 0, 40, 30), nullptr, 0));
        ASSERT_TRUE(platform::Snapshot_Window(&first, std::wstring(first_path.begin(), first_path.end())));
        first.DestroyWindow();
    }
    // A window of the same size made next (often where the first one lay in memory) shows
    // nothing of the first one's picture.
    Painted second(false);
    ASSERT_TRUE(second.CreateEx(0, nullptr, L"second", WS_POPUP | WS_VISIBLE, CRect(0, 0, 40, 30), nullptr, 0));
    ASSERT_TRUE(platform::Snapshot_Window(&second, std::wstring(second_path.begin(), second_path.end())));
    Png first_png(first_path), second_png(second_path);
    ASSERT_TRUE(first_png.ok());
    ASSERT_TRUE(second_png.ok());
    EXPECT_EQ(first_png.at(20, 15), RGB(200, 0, 0));
    EXPECT_EQ(second_png.differing(CRect(0, 0, 40, 30), RGB(255, 255, 255)), 0);
}

}  // namespace
