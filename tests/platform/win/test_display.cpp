#include "machine_fixture.h"

namespace platform {
namespace {

using DisplayTest = MachineTest;

size_t Index_Of(HMONITOR monitor) { return reinterpret_cast<uintptr_t>(monitor); }  // 0 = none, else 1-based

TEST_F(DisplayTest, TheDefaultDisplayAndCursor) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 1920);
    EXPECT_EQ(GetSystemMetrics(9999), 0);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint(POINT{5, 5}, MONITOR_DEFAULTTONULL), &info));
    EXPECT_EQ(info.rcMonitor.right, 1920);
    EXPECT_EQ(info.rcWork.bottom, 1040);
    EXPECT_EQ(info.dwFlags, static_cast<DWORD>(MONITORINFOF_PRIMARY));
    POINT cursor{};
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 960);
    EXPECT_EQ(cursor.y, 540);
}

// Two displays: the primary 1920 x 1080 at the origin, a second 1280 x 1024 on its
// left, its top 100 pixels lower.
class TwoDisplayTest : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        Machine::instance().set_monitors({
            MonitorSpec{RECT{0, 0, 1920, 1080}, RECT{0, 0, 1920, 1040}, true},
            MonitorSpec{RECT{-1280, 100, 0, 1124}, RECT{-1280, 100, 0, 1084}, false},
        });
    }
};

TEST_F(TwoDisplayTest, PointsFindTheirDisplay) {
    const struct {
        POINT point;
        size_t on;       // 0 = outside every display
        size_t nearest;
    } cases[] = {
        {{0, 0}, 1, 1},
        {{1919, 1079}, 1, 1},
        {{1920, 500}, 0, 1},     // just right of the primary
        {{-1, 500}, 2, 2},
        {{-1280, 100}, 2, 2},
        {{-600, 50}, 0, 2},      // above the second display, left of the primary
        {{-10, 20}, 0, 1},       // nearer the primary's edge than the second's top
        {{-5000, 5000}, 0, 2},
        {{5000, -5000}, 0, 1},
    };
    for (const auto& c : cases) {
        const std::string where = std::to_string(c.point.x) + "," + std::to_string(c.point.y);
        EXPECT_EQ(Index_Of(MonitorFromPoint(c.point, MONITOR_DEFAULTTONULL)), c.on) << where;
        EXPECT_EQ(Index_Of(MonitorFromPoint(c.point, MONITOR_DEFAULTTONEAREST)), c.on ? c.on : c.nearest) << where;
        EXPECT_EQ(Index_Of(MonitorFromPoint(c.point, MONITOR_DEFAULTTOPRIMARY)), c.on ? c.on : 1u) << where;
    }
}

TEST_F(TwoDisplayTest, RectanglesGoToTheDisplayTheyCoverMost) {
    const struct {
        RECT rect;
        size_t on;
        size_t nearest;
    } cases[] = {
        {{-100, 200, 300, 400}, 1, 1},   // 300 px on the primary, 100 on the second
        {{-300, 200, 100, 400}, 2, 2},
        {{-1000, -500, -800, -300}, 0, 2},
        {{3000, 3000, 3100, 3100}, 0, 1},
        {{10, 10, 10, 10}, 1, 1},        // empty: by its corner
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Index_Of(MonitorFromRect(&c.rect, MONITOR_DEFAULTTONULL)), c.on) << c.rect.left;
        EXPECT_EQ(Index_Of(MonitorFromRect(&c.rect, MONITOR_DEFAULTTONEAREST)), c.on ? c.on : c.nearest) << c.rect.left;
    }
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetMonitorInfoW(reinterpret_cast<HMONITOR>(2), &info));
    EXPECT_EQ(info.rcMonitor.left, -1280);
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_STREQ(info.szDevice, L"\\\\.\\DISPLAY2");
    MONITORINFO bad{};
    bad.cbSize = 3;
    EXPECT_FALSE(GetMonitorInfoW(reinterpret_cast<HMONITOR>(1), &bad));
    info.cbSize = sizeof(MONITORINFO);
    EXPECT_FALSE(GetMonitorInfoW(reinterpret_cast<HMONITOR>(3), &info));

    EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), -1280);
    EXPECT_EQ(GetSystemMetrics(SM_YVIRTUALSCREEN), 0);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 3200);
    EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), 1124);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
}

BOOL Collect(HMONITOR monitor, HDC, LPRECT part, LPARAM data) {
    reinterpret_cast<std::vector<std::pair<size_t, LONG>>*>(data)->emplace_back(Index_Of(monitor), part->left);
    return TRUE;
}

TEST_F(TwoDisplayTest, EnumerationClipsToTheRectangle) {
    std::vector<std::pair<size_t, LONG>> seen;
    ASSERT_TRUE(EnumDisplayMonitors(nullptr, nullptr, Collect, reinterpret_cast<LPARAM>(&seen)));
    EXPECT_EQ(seen, (std::vector<std::pair<size_t, LONG>>{{1, 0}, {2, -1280}}));
    seen.clear();
    const RECT clip{-50, 0, 50, 50};
    ASSERT_TRUE(EnumDisplayMonitors(nullptr, &clip, Collect, reinterpret_cast<LPARAM>(&seen)));
    EXPECT_EQ(seen, (std::vector<std::pair<size_t, LONG>>{{1, 0}}));  // the second starts at y 100
}

TEST_F(TwoDisplayTest, TheCursorStaysOnTheDisplays) {
    const struct {
        POINT asked;
        POINT got;
    } cases[] = {
        {{-640, 600}, {-640, 600}},
        {{5000, 500}, {1919, 500}},
        {{-2000, 1500}, {-1280, 1123}},
        {{-600, 20}, {-600, 100}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(SetCursorPos(c.asked.x, c.asked.y));
        POINT p{};
        GetCursorPos(&p);
        EXPECT_EQ(p.x, c.got.x) << c.asked.x;
        EXPECT_EQ(p.y, c.got.y) << c.asked.x;
    }
}

bool Window_Rects(HWND window, RECT* rect) {
    if (window != reinterpret_cast<HWND>(0x100)) return false;
    *rect = RECT{-900, 500, -100, 900};
    return true;
}

TEST_F(TwoDisplayTest, WindowsGoByTheirRectangle) {
    Set_Window_Rect_Source(Window_Rects);
    EXPECT_EQ(Index_Of(MonitorFromWindow(reinterpret_cast<HWND>(0x100), MONITOR_DEFAULTTONULL)), 2u);
    EXPECT_EQ(Index_Of(MonitorFromWindow(reinterpret_cast<HWND>(0x200), MONITOR_DEFAULTTONEAREST)), 1u);
    EXPECT_EQ(Index_Of(MonitorFromWindow(reinterpret_cast<HWND>(0x200), MONITOR_DEFAULTTONULL)), 0u);
    Set_Window_Rect_Source(nullptr);
    EXPECT_EQ(Index_Of(MonitorFromWindow(reinterpret_cast<HWND>(0x100), MONITOR_DEFAULTTOPRIMARY)), 1u);
}

}  // namespace
}  // namespace platform
