// Fills, frames, shapes, pens, clipping, origins and mixes at exact pixels.
#include "gdi_test_support.h"

using namespace gdi_test;

namespace {

struct Probe {
    int x, y;
    COLORREF expected;
};

void Expect_Pixels(CDC& dc, const std::vector<Probe>& probes, const std::string& what)
{
    for (const Probe& p : probes)
        EXPECT_EQ(dc.GetPixel(p.x, p.y), p.expected) << what << " at " << p.x << "," << p.y;
}

}  // namespace

TEST(GdiFill, RectanglesExcludeTheirRightAndBottomEdges)
{
    struct Case {
        const char* name;
        void (*draw)(CDC&);
        std::vector<Probe> probes;
    };
    const std::vector<Case> cases = {
        {"FillRect",
         [](CDC& dc) {
             CBrush red(kRed);
             CRect r(2, 3, 6, 7);
             dc.FillRect(&r, &red);
         },
         {{2, 3, kRed}, {5, 6, kRed}, {6, 6, kWhite}, {5, 7, kWhite}, {1, 3, kWhite}, {2, 2, kWhite}}},
        {"FillSolidRect",
         [](CDC& dc) { dc.FillSolidRect(2, 3, 4, 4, kRed); },
         {{2, 3, kRed}, {5, 6, kRed}, {6, 6, kWhite}, {5, 7, kWhite}}},
        {"FrameRect",
         [](CDC& dc) {
             CBrush red(kRed);
             CRect r(2, 3, 6, 7);
             dc.FrameRect(&r, &red);
         },
         {{2, 3, kRed}, {5, 3, kRed}, {5, 6, kRed}, {2, 6, kRed}, {3, 4, kWhite}, {6, 6, kWhite}, {5, 7, kWhite}}},
        {"Rectangle: pen outline in the outer pixels, brush inside",
         [](CDC& dc) {
             CBrush red(kRed);
             CBrush* old = dc.SelectObject(&red);
             dc.Rectangle(2, 2, 8, 8);
             dc.SelectObject(old);
         },
         {{2, 2, kBlack}, {7, 2, kBlack}, {7, 7, kBlack}, {3, 3, kRed}, {6, 6, kRed}, {8, 8, kWhite}, {8, 2, kWhite}}},
        {"Rectangle without a pen fills one pixel less each way",
         [](CDC& dc) {
             CBrush red(kRed);
             CBrush* old = dc.SelectObject(&red);
             dc.SelectStockObject(NULL_PEN);
             dc.Rectangle(2, 2, 8, 8);
             dc.SelectObject(old);
         },
         {{2, 2, kRed}, {6, 6, kRed}, {7, 7, kWhite}, {7, 3, kWhite}}},
        {"Rectangle with the null brush keeps the inside",
         [](CDC& dc) {
             dc.SelectStockObject(NULL_BRUSH);
             dc.Rectangle(2, 2, 8, 8);
         },
         {{2, 5, kBlack}, {5, 5, kWhite}}},
        {"system colour index as a brush",
         [](CDC& dc) {
             RECT r{0, 0, 3, 3};
             ::FillRect(dc, &r, (HBRUSH)(COLOR_HIGHLIGHT + 1));
         },
         {{0, 0, RGB(0, 120, 215)}, {2, 2, RGB(0, 120, 215)}, {3, 3, kWhite}}},
        {"Draw3dRect: the top-right and bottom-left corners take the second colour",
         [](CDC& dc) { dc.Draw3dRect(1, 1, 6, 5, kRed, kBlue); },
         {{1, 1, kRed}, {5, 1, kRed}, {6, 1, kBlue}, {1, 4, kRed}, {1, 5, kBlue}, {6, 5, kBlue}, {3, 3, kWhite}}},
        {"InvertRect",
         [](CDC& dc) {
             CRect r(1, 1, 3, 3);
             dc.InvertRect(&r);
         },
         {{1, 1, kBlack}, {2, 2, kBlack}, {3, 3, kWhite}}},
        {"Ellipse",
         [](CDC& dc) {
             CBrush red(kRed);
             CBrush* old = dc.SelectObject(&red);
             dc.Ellipse(0, 0, 10, 10);
             dc.SelectObject(old);
         },
         {{5, 5, kRed}, {0, 0, kWhite}, {9, 9, kWhite}, {0, 5, kBlack}}},
        {"Polygon",
         [](CDC& dc) {
             CBrush red(kRed);
             CBrush* old = dc.SelectObject(&red);
             POINT tri[] = {{1, 1}, {9, 1}, {1, 9}};
             dc.Polygon(tri, 3);
             dc.SelectObject(old);
         },
         {{3, 3, kRed}, {8, 8, kWhite}, {1, 1, kBlack}}},
    };
    for (const Case& c : cases) {
        Image_Dc dc(12, 12);
        c.draw(dc);
        Expect_Pixels(dc, c.probes, c.name);
    }
}

TEST(GdiPen, LinesLeaveOutTheirEndPixel)
{
    struct Case {
        POINT from, to;
        std::vector<Probe> probes;
    };
    const std::vector<Case> cases = {
        {{1, 5}, {8, 5}, {{1, 5, kBlack}, {7, 5, kBlack}, {8, 5, kWhite}, {4, 4, kWhite}, {4, 6, kWhite}}},
        {{8, 5}, {1, 5}, {{8, 5, kBlack}, {2, 5, kBlack}, {1, 5, kWhite}}},
        {{5, 1}, {5, 8}, {{5, 1, kBlack}, {5, 7, kBlack}, {5, 8, kWhite}, {4, 4, kWhite}, {6, 4, kWhite}}},
        {{1, 1}, {8, 8}, {{1, 1, kBlack}, {4, 4, kBlack}, {7, 7, kBlack}, {8, 8, kWhite}, {1, 4, kWhite}}},
    };
    for (const Case& c : cases) {
        Image_Dc dc(10, 10);
        dc.MoveTo(c.from);
        dc.LineTo(c.to);
        EXPECT_EQ(dc.GetCurrentPosition(), CPoint(c.to));
        Expect_Pixels(dc, c.probes, "line");
    }
}

TEST(GdiPen, WidthColourAndStyle)
{
    Image_Dc dc(60, 12);
    CPen wide(PS_SOLID, 3, kRed);
    CPen* old = dc.SelectObject(&wide);
    dc.MoveTo(2, 5);
    dc.LineTo(20, 5);
    Expect_Pixels(dc, {{10, 4, kRed}, {10, 5, kRed}, {10, 6, kRed}, {10, 3, kWhite}, {10, 7, kWhite}}, "wide pen");

    // A dashed pen: the gaps show the background colour only in opaque mode.
    CPen dash(PS_DASH, 1, kBlue);
    dc.SelectObject(&dash);
    dc.SetBkColor(kGreen);
    dc.SetBkMode(TRANSPARENT);
    dc.MoveTo(0, 9);
    dc.LineTo(60, 9);
    dc.SetBkMode(OPAQUE);
    dc.MoveTo(0, 10);
    dc.LineTo(60, 10);
    Expect_Pixels(dc, {{1, 9, kBlue}, {20, 9, kWhite}, {1, 10, kBlue}, {20, 10, kGreen}}, "dashed pen");

    dc.SelectStockObject(NULL_PEN);
    dc.MoveTo(0, 0);
    dc.LineTo(10, 0);
    EXPECT_EQ(dc.GetPixel(3, 0), kWhite);
    dc.SelectObject(old);
}

TEST(GdiPen, MixModes)
{
    Image_Dc dc(10, 10);
    CPen red(PS_SOLID, 1, kRed);
    CPen* old = dc.SelectObject(&red);
    dc.SetROP2(R2_XORPEN);
    dc.MoveTo(0, 2);
    dc.LineTo(10, 2);
    EXPECT_EQ(dc.GetPixel(4, 2), RGB(0, 255, 255));  // white ^ red
    dc.MoveTo(0, 2);
    dc.LineTo(10, 2);
    EXPECT_EQ(dc.GetPixel(4, 2), kWhite);  // drawn twice: gone
    dc.SetROP2(R2_NOT);
    dc.MoveTo(0, 4);
    dc.LineTo(10, 4);
    EXPECT_EQ(dc.GetPixel(4, 4), kBlack);
    EXPECT_EQ(dc.GetROP2(), R2_NOT);
    dc.SetROP2(R2_COPYPEN);
    dc.SelectObject(old);

    // The focus rectangle is drawn by inversion: twice leaves nothing.
    Image_Dc focus(10, 10);
    CRect r(1, 5, 9, 9);
    focus.DrawFocusRect(&r);
    EXPECT_NE(Ink_Box(focus, 10, 10).right, 0);
    focus.DrawFocusRect(&r);
    EXPECT_EQ(Ink_Box(focus, 10, 10).right, 0);
}

TEST(GdiEdge, SunkenAndRaisedEdgesInSystemColours)
{
    struct Case {
        UINT edge;
        COLORREF outer_tl, inner_tl, inner_br, outer_br;
    };
    const Case cases[] = {
        {EDGE_SUNKEN, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT),
         GetSysColor(COLOR_BTNHIGHLIGHT)},
        {EDGE_RAISED, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW),
         GetSysColor(COLOR_3DDKSHADOW)},
    };
    for (const Case& c : cases) {
        Image_Dc dc(10, 10);
        CRect r(0, 0, 10, 10);
        dc.DrawEdge(&r, c.edge, BF_RECT | BF_ADJUST);
        Expect_Pixels(dc, {{0, 5, c.outer_tl}, {5, 0, c.outer_tl}, {1, 5, c.inner_tl}, {8, 5, c.inner_br},
                           {9, 5, c.outer_br}, {5, 9, c.outer_br}, {9, 0, c.outer_br}, {5, 5, kWhite}},
                      "edge");
        EXPECT_EQ(r, CRect(2, 2, 8, 8));
    }
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), RGB(240, 240, 240));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
}

TEST(GdiClip, ClipRectanglesRegionsAndSavedStates)
{
    Image_Dc dc(12, 12);
    CDC view;  // the same pixels without a clip (GetPixel answers only inside the clip)
    view.Attach_Surface(platform::DC_Surface(dc));
    CRect all(0, 0, 12, 12);
    int saved = dc.SaveDC();
    EXPECT_EQ(dc.IntersectClipRect(2, 2, 8, 8), SIMPLEREGION);
    EXPECT_EQ(dc.ExcludeClipRect(4, 4, 5, 5), COMPLEXREGION);
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(2, 2, 8, 8));
    dc.FillSolidRect(&all, kRed);
    Expect_Pixels(view, {{2, 2, kRed}, {7, 7, kRed}, {8, 8, kWhite}, {1, 1, kWhite}, {4, 4, kWhite}}, "clip rects");
    EXPECT_EQ(dc.GetPixel(4, 4), CLR_INVALID);
    EXPECT_FALSE(dc.PtVisible(4, 4));
    EXPECT_TRUE(dc.PtVisible(3, 4));

    dc.RestoreDC(saved);
    CRgn round;
    round.CreateEllipticRgn(0, 0, 12, 12);
    dc.SelectClipRgn(&round);
    dc.FillSolidRect(&all, kBlue);
    Expect_Pixels(view, {{6, 6, kBlue}, {0, 0, kWhite}, {11, 11, kWhite}}, "elliptic clip");
    dc.SelectClipRgn(nullptr);
    dc.FillSolidRect(&all, kGreen);
    EXPECT_EQ(dc.GetPixel(0, 0), kGreen);
}

TEST(GdiOrigin, ViewportAndWindowOriginsTranslate)
{
    Image_Dc dc(12, 12);
    dc.SetViewportOrg(3, 4);
    dc.FillSolidRect(0, 0, 2, 2, kRed);
    EXPECT_EQ(dc.GetPixel(0, 0), kRed);  // logical coordinates
    dc.SetViewportOrg(0, 0);
    Expect_Pixels(dc, {{3, 4, kRed}, {4, 5, kRed}, {0, 0, kWhite}, {5, 6, kWhite}}, "viewport origin");

    CPoint old = dc.SetWindowOrg(5, 5);
    EXPECT_EQ(old, CPoint(0, 0));
    dc.FillSolidRect(5, 5, 1, 1, kBlue);
    dc.SetWindowOrg(0, 0);
    EXPECT_EQ(dc.GetPixel(0, 0), kBlue);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 96);
}

TEST(GdiObjects, DeletionWhileSelectedIsDeferredAndStaleHandlesAreRefused)
{
    Image_Dc dc(10, 10);
    HPEN pen = ::CreatePen(PS_SOLID, 1, kRed);
    HGDIOBJ old = ::SelectObject(dc, pen);
    EXPECT_TRUE(::DeleteObject(pen));
    dc.MoveTo(0, 1);
    dc.LineTo(10, 1);
    EXPECT_EQ(dc.GetPixel(5, 1), kRed);  // still selected: still drawn with
    EXPECT_EQ(::SelectObject(dc, pen), nullptr);
    ::SelectObject(dc, old);  // now it is freed
    EXPECT_FALSE(::DeleteObject(pen));
    EXPECT_EQ(::GetObjectType(pen), 0u);

    // Stock objects survive deletion; a bitmap lives in one memory context at a time.
    EXPECT_TRUE(::DeleteObject(::GetStockObject(BLACK_PEN)));
    EXPECT_EQ(::GetObjectType(::GetStockObject(BLACK_PEN)), DWORD(OBJ_PEN));
    CDC a, b;
    a.CreateCompatibleDC(&dc);
    b.CreateCompatibleDC(&dc);
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dc, 4, 4));
    CBitmap* first = a.SelectObject(&bmp);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(b.SelectObject(&bmp), nullptr);
    a.SelectObject(first);
    EXPECT_NE(b.SelectObject(&bmp), nullptr);
}

TEST(GdiObjects, BitmapDescriptionAndBits)
{
    Image_Dc screen(4, 4);
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&screen, 5, 3));
    BITMAP bm{};
    ASSERT_EQ(bmp.GetBitmap(&bm), int(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bm.bmBitsPixel, 32);

    // 32-bit bits round trip; a monochrome bitmap's set bits are white.
    std::vector<uint32_t> bits(15, 0xFF112233u);
    bits[7] = 0xFF00FF00u;
    EXPECT_EQ(bmp.SetBitmapBits(60, bits.data()), 60u);
    CDC mem;
    mem.CreateCompatibleDC(&screen);
    CBitmap* old = mem.SelectObject(&bmp);
    EXPECT_EQ(mem.GetPixel(2, 1), kGreen);
    EXPECT_EQ(mem.GetPixel(0, 0), RGB(0x11, 0x22, 0x33));
    mem.SelectObject(old);
    std::vector<uint32_t> back(15);
    EXPECT_EQ(bmp.GetBitmapBits(60, back.data()), 60u);
    EXPECT_EQ(back, bits);

    const unsigned char mono_bits[] = {0xA0, 0x00, 0x40, 0x00};  // rows padded to 16 bits
    CBitmap mono;
    ASSERT_TRUE(mono.CreateBitmap(3, 2, 1, 1, mono_bits));
    old = mem.SelectObject(&mono);
    Expect_Pixels(mem, {{0, 0, kWhite}, {1, 0, kBlack}, {2, 0, kWhite}, {0, 1, kBlack}, {1, 1, kWhite}}, "mono");
    mem.SelectObject(old);
}

TEST(GdiObjects, RegionsCombine)
{
    CRgn a, b, c;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    c.CreateRectRgn(0, 0, 0, 0);
    struct Case {
        int mode;
        POINT in, out;
        CRect box;
    };
    const Case cases[] = {
        {RGN_AND, {7, 7}, {2, 2}, {5, 5, 10, 10}},
        {RGN_OR, {12, 12}, {12, 2}, {0, 0, 15, 15}},
        {RGN_DIFF, {2, 2}, {7, 7}, {0, 0, 10, 10}},
        {RGN_XOR, {12, 12}, {7, 7}, {0, 0, 15, 15}},
    };
    for (const Case& k : cases) {
        c.CombineRgn(&a, &b, k.mode);
        EXPECT_TRUE(c.PtInRegion(k.in)) << k.mode;
        EXPECT_FALSE(c.PtInRegion(k.out)) << k.mode;
        CRect box;
        c.GetRgnBox(&box);
        EXPECT_EQ(box, k.box) << k.mode;
    }
}

TEST(GdiFill, HatchedAndPatternBrushesTile)
{
    Image_Dc dc(16, 16);
    CBrush cross(HS_CROSS, kRed);
    dc.SetBkColor(kGreen);
    dc.SetBkMode(OPAQUE);
    CRect left(0, 0, 8, 8);
    dc.FillRect(&left, &cross);
    Expect_Pixels(dc, {{7, 0, kRed}, {0, 7, kRed}, {3, 3, kGreen}}, "cross hatch, opaque");
    dc.SetBkMode(TRANSPARENT);
    CRect right(8, 0, 16, 8);
    dc.FillRect(&right, &cross);
    Expect_Pixels(dc, {{15, 0, kRed}, {11, 3, kWhite}}, "cross hatch, transparent");

    // A 2 x 2 checker repeats from the brush origin.
    CBitmap checker;
    const uint32_t bits[] = {0xFF0000FFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFF0000FFu};
    ASSERT_TRUE(checker.CreateBitmap(2, 2, 1, 32, bits));
    CBrush pattern(&checker);
    CRect bottom(0, 8, 16, 16);
    dc.FillRect(&bottom, &pattern);
    Expect_Pixels(dc, {{0, 8, kBlue}, {1, 8, kWhite}, {1, 9, kBlue}, {14, 14, kBlue}, {15, 14, kWhite}}, "pattern");
}

TEST(GdiFill, RoundedShapesAndPies)
{
    Image_Dc dc(40, 20);
    CBrush red(kRed);
    CBrush* old = dc.SelectObject(&red);
    dc.RoundRect(0, 0, 20, 20, 10, 10);
    dc.Pie(20, 0, 40, 20, 40, 10, 30, 0);  // the upper-right quarter, counterclockwise
    dc.SelectObject(old);
    Expect_Pixels(dc, {{10, 10, kRed}, {0, 0, kWhite}, {19, 19, kWhite}, {0, 10, kBlack}, {10, 0, kBlack}}, "round rect");
    Expect_Pixels(dc, {{34, 5, kRed}, {25, 5, kWhite}, {34, 15, kWhite}, {25, 15, kWhite}}, "pie");
}

TEST(GdiObjects, RestoreDCBringsBackObjectsAndAttributes)
{
    Image_Dc dc(10, 10);
    CPen red(PS_SOLID, 1, kRed);
    int level = dc.SaveDC();
    dc.SelectObject(&red);
    dc.SetTextColor(kBlue);
    dc.SetBkMode(TRANSPARENT);
    dc.SetViewportOrg(2, 2);
    int inner = dc.SaveDC();
    EXPECT_EQ(inner, level + 1);
    dc.SetTextColor(kGreen);
    ASSERT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetTextColor(), kBlue);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(2, 2));
    ASSERT_TRUE(dc.RestoreDC(level));
    EXPECT_EQ(dc.GetTextColor(), kBlack);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
    EXPECT_EQ(dc.GetCurrentPen()->m_hObject, ::GetStockObject(BLACK_PEN));
    EXPECT_FALSE(dc.RestoreDC(level));  // already restored
    EXPECT_TRUE(red.DeleteObject());
}

TEST(GdiObjects, ImpossibleSizesAreRefused)
{
    EXPECT_EQ(platform::Make_Image_DC(0, 10), nullptr);
    EXPECT_EQ(platform::Make_Image_DC(40000, 10), nullptr);
    Image_Dc dc(4, 4);
    EXPECT_EQ(::CreateCompatibleBitmap(dc, -1, 5), nullptr);
    EXPECT_EQ(::CreateCompatibleBitmap(dc, 40000, 5), nullptr);
    EXPECT_EQ(::CreateBitmap(4, 4, 1, 7, nullptr), nullptr);
    // A context without a surface draws nothing and does not fail.
    CDC none;
    none.FillSolidRect(0, 0, 4, 4, kRed);
    EXPECT_EQ(none.GetPixel(0, 0), CLR_INVALID);
}
