// Text with the pinned font: metrics, extents, alignment of DrawText and TextOut, measuring.
#include "gdi_test_support.h"

using namespace gdi_test;

namespace {

// A context with a font of the given height and face selected.
struct Text_Dc : Image_Dc {
    Text_Dc(int width, int height, LONG font_height = -16, const wchar_t* face = L"宋体", LONG weight = FW_NORMAL)
        : Image_Dc(width, height)
    {
        font.CreateFont(font_height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
        SelectObject(&font);
    }
    ~Text_Dc() override { SelectStockObject(SYSTEM_FONT); }
    CFont font;
};

}  // namespace

TEST(GdiText, MetricsFollowTheHeightRule)
{
    struct Case {
        LONG height;
        int expected_cell;  // 0: only em = height rule
        int expected_em;
    };
    const Case cases[] = {{-12, 0, 12}, {-16, 0, 16}, {20, 20, 0}, {24, 24, 0}};
    for (const Case& c : cases) {
        Text_Dc dc(10, 10, c.height);
        TEXTMETRIC tm{};
        ASSERT_TRUE(dc.GetTextMetrics(&tm));
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        EXPECT_GT(tm.tmAveCharWidth, 0);
        EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
        EXPECT_EQ(tm.tmExternalLeading, 0);
        if (c.expected_cell) {
            EXPECT_EQ(tm.tmHeight, c.expected_cell) << c.height;
        }
        if (c.expected_em) {
            EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, c.expected_em) << c.height;
        }
    }
}

TEST(GdiText, ExtentsAreReproducibleAndTheSameForEveryFace)
{
    Text_Dc song(10, 10, -12, L"宋体");
    CSize chinese = song.GetTextExtent(L"宋体");
    CSize ascii = song.GetTextExtent(L"Song ti");
    EXPECT_GT(chinese.cx, 0);
    EXPECT_GT(ascii.cx, 0);
    EXPECT_EQ(chinese, song.GetTextExtent(L"宋体"));
    EXPECT_EQ(chinese.cx, 2 * song.GetTextExtent(L"宋").cx);
    TEXTMETRIC tm{};
    song.GetTextMetrics(&tm);
    EXPECT_EQ(chinese.cy, tm.tmHeight);
    EXPECT_EQ(song.GetTextExtent(L"", 0), CSize(0, tm.tmHeight));
    EXPECT_LT(song.GetTextExtent(L"iiii").cx, song.GetTextExtent(L"WWWW").cx);

    for (const wchar_t* face : {L"微软雅黑", L"Arial", L"MS Shell Dlg"}) {
        Text_Dc other(10, 10, -12, face);
        EXPECT_EQ(other.GetTextExtent(L"宋体 Song ti"), song.GetTextExtent(L"宋体 Song ti")) << face;
    }
    Text_Dc bold(10, 10, -12, L"宋体", FW_BOLD);
    EXPECT_EQ(bold.GetTextExtent(L"宋体").cx, chinese.cx + 2);  // one pixel per emboldened character
}

TEST(GdiText, PointFontsConvertTenthsOfAPoint)
{
    const std::pair<int, LONG> cases[] = {{90, -12}, {120, -16}, {105, -14}};
    for (auto [tenths, height] : cases) {
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(tenths, L"宋体"));
        LOGFONT lf{};
        font.GetLogFont(&lf);
        EXPECT_EQ(lf.lfHeight, height) << tenths;
        EXPECT_STREQ(lf.lfFaceName, L"宋体");
    }
}

TEST(GdiText, DrawTextAlignsTheMeasuredBoxInItsRectangle)
{
    const wchar_t* text = L"关 闭 OK";
    CRect box(10, 10, 150, 50);
    Text_Dc probe(10, 10);
    CSize extent = probe.GetTextExtent(text);
    TEXTMETRIC tm{};
    probe.GetTextMetrics(&tm);

    auto ink = [&](UINT format) {
        Text_Dc dc(160, 60);
        dc.SetBkMode(TRANSPARENT);
        CRect r = box;
        dc.DrawText(text, -1, &r, format);
        return Ink_Box(dc, 160, 60);
    };
    RECT left_top = ink(DT_LEFT | DT_TOP | DT_SINGLELINE);
    ASSERT_LT(left_top.left, left_top.right) << "no ink drawn";
    struct Case {
        UINT format;
        int dx, dy;
    };
    const Case cases[] = {
        {DT_CENTER | DT_SINGLELINE, (box.Width() - extent.cx) / 2, 0},
        {DT_RIGHT | DT_SINGLELINE, box.Width() - extent.cx, 0},
        {DT_VCENTER | DT_SINGLELINE, 0, (box.Height() - tm.tmHeight) / 2},
        {DT_BOTTOM | DT_SINGLELINE, 0, box.Height() - tm.tmHeight},
        {DT_CENTER | DT_VCENTER | DT_SINGLELINE, (box.Width() - extent.cx) / 2, (box.Height() - tm.tmHeight) / 2},
    };
    for (const Case& c : cases) {
        RECT r = ink(c.format);
        EXPECT_EQ(r.left - left_top.left, c.dx) << c.format;
        EXPECT_EQ(r.top - left_top.top, c.dy) << c.format;
        EXPECT_GE(r.left, box.left);
        EXPECT_LE(r.right, box.right);
        EXPECT_GE(r.top, box.top);
        EXPECT_LE(r.bottom, box.bottom);
    }
}

TEST(GdiText, CalcRectMeasuresLinesPrefixesAndBreaks)
{
    Text_Dc dc(10, 10);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    struct Case {
        const wchar_t* text;
        UINT format;
        int width;  // of the rectangle given
        int expected_width;
        int expected_lines;
    };
    const Case cases[] = {
        {L"打印 Plot", DT_SINGLELINE, 500, dc.GetTextExtent(L"打印 Plot").cx, 1},
        {L"&File", DT_SINGLELINE, 500, dc.GetTextExtent(L"File").cx, 1},
        {L"a&&b", DT_SINGLELINE, 500, dc.GetTextExtent(L"a&b").cx, 1},
        {L"&File", DT_SINGLELINE | DT_NOPREFIX, 500, dc.GetTextExtent(L"&File").cx, 1},
        {L"one\ntwo\r\nthree", 0, 500, dc.GetTextExtent(L"three").cx, 3},
        {L"one two three", DT_WORDBREAK, dc.GetTextExtent(L"one two").cx, dc.GetTextExtent(L"one two").cx, 2},
        {L"批量打印图纸", DT_WORDBREAK, dc.GetTextExtent(L"批量打").cx, dc.GetTextExtent(L"批量打").cx, 2},
    };
    for (const Case& c : cases) {
        CRect r(5, 7, 5 + c.width, 8);
        int h = dc.DrawText(c.text, -1, &r, c.format | DT_CALCRECT);
        EXPECT_EQ(h, c.expected_lines * tm.tmHeight) << c.format;
        EXPECT_EQ(r.Height(), h);
        EXPECT_EQ(r.left, 5);
        EXPECT_EQ(r.top, 7);
        EXPECT_EQ(r.Width(), c.expected_width) << c.format;
    }
}

TEST(GdiText, EllipsisAndClippingKeepTextInsideItsRectangle)
{
    Text_Dc dc(200, 40);
    dc.SetBkMode(TRANSPARENT);
    CRect r(10, 5, 60, 35);
    dc.DrawText(L"一个很长很长的图纸名称.dwg", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    RECT ink = Ink_Box(dc, 200, 40);
    EXPECT_GE(ink.left, r.left);
    EXPECT_LE(ink.right, r.right);
    EXPECT_GT(ink.right, r.right - 12) << "the ellipsis ends the line";

    Text_Dc clipped(200, 40);
    clipped.SetBkMode(TRANSPARENT);
    CRect c(10, 5, 30, 35);
    clipped.ExtTextOut(10, 5, ETO_CLIPPED, &c, CString(L"一个很长的名称"), nullptr);
    EXPECT_LE(Ink_Box(clipped, 200, 40).right, 30);
}

TEST(GdiText, TextOutColoursAlignmentAndBackground)
{
    Text_Dc dc(200, 60, -20);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    CSize extent = dc.GetTextExtent(L"图框");
    dc.SetTextColor(kRed);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(10, 10, CString(L"图框"));
    RECT ink = Ink_Box(dc, 200, 60);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 10 + extent.cx);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.bottom, 10 + tm.tmHeight);
    bool has_text_colour = false;
    for (int y = ink.top; y < ink.bottom; ++y)
        for (int x = ink.left; x < ink.right; ++x) has_text_colour = has_text_colour || dc.GetPixel(x, y) == kRed;
    EXPECT_TRUE(has_text_colour);

    // Opaque background fills the text cell; right and centre alignment move the run.
    Text_Dc opaque(200, 60, -20);
    opaque.SetBkColor(kGreen);
    opaque.SetBkMode(OPAQUE);
    opaque.TextOut(10, 10, CString(L"图框"));
    EXPECT_EQ(opaque.GetPixel(10, 10), kGreen);
    EXPECT_EQ(opaque.GetPixel(10 + extent.cx - 1, 10 + tm.tmHeight - 1), kGreen);
    EXPECT_EQ(opaque.GetPixel(10 + extent.cx, 10), kWhite);

    Text_Dc right(200, 60, -20);
    right.SetBkMode(TRANSPARENT);
    right.SetTextAlign(TA_RIGHT | TA_TOP);
    right.TextOut(10 + extent.cx, 10, CString(L"图框"));
    EXPECT_EQ(Ink_Box(right, 200, 60).left, ink.left);

    Text_Dc opaque_rect(200, 60, -20);
    opaque_rect.SetBkColor(kBlue);
    CRect fill(0, 0, 50, 50);
    opaque_rect.ExtTextOut(5, 5, ETO_OPAQUE, &fill, CString(L""), nullptr);
    EXPECT_EQ(opaque_rect.GetPixel(49, 49), kBlue);
    EXPECT_EQ(opaque_rect.GetPixel(50, 50), kWhite);
}

TEST(GdiText, GreyedStateTextIsDrawnInShadowColours)
{
    Text_Dc dc(120, 40, -16);
    dc.DrawState(CPoint(5, 5), CSize(0, 0), L"&Close", DSS_DISABLED, TRUE, 0, (HBRUSH) nullptr);
    bool shadow = false, highlight_only = true;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            COLORREF c = dc.GetPixel(x, y);
            shadow = shadow || c == GetSysColor(COLOR_3DSHADOW);
            if (c != kWhite && c != GetSysColor(COLOR_3DHILIGHT)) highlight_only = false;
        }
    EXPECT_TRUE(shadow);
    EXPECT_FALSE(highlight_only);
}
