// Window placement on the monitor under the cursor.
#include <gtest/gtest.h>

#include "core/monitor_fit.h"
#include "win/machine.h"

namespace {

class Monitor_Fit_Test : public ::testing::Test {
public:
    void SetUp() override
    {
        platform::Machine::instance().set_monitors({
            {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true},
            {{1920, -200, 3200, 824}, {1920, -200, 3200, 824}, false},
        });
    }
    void TearDown() override { platform::Machine::instance().set_monitors({}); }
};

TEST_F(Monitor_Fit_Test, MovesTheRectangleOntoTheCursorsMonitor)
{
    const struct {
        POINT cursor;
        RECT in;
        RECT out;
    } cases[] = {
        // Inside: unchanged.
        {{100, 100}, {100, 100, 500, 400}, {100, 100, 500, 400}},
        // Past the right edge and below the bottom less 40 pixels.
        {{100, 100}, {1700, 900, 2000, 1100}, {1620, 840, 1920, 1040}},
        // Wider than the monitor: the left edge wins.
        {{100, 100}, {-50, 10, 2050, 300}, {0, 10, 2100, 300}},
        // Above the top.
        {{100, 100}, {10, -30, 200, 100}, {10, 0, 200, 130}},
        // The second monitor, under the cursor.
        {{2500, 0}, {3000, -300, 3300, 0}, {2900, -200, 3200, 100}},
        // Taller than the monitor: the top edge wins.
        {{2500, 0}, {2000, -250, 2300, 900}, {2000, -200, 2300, 950}},
    };
    for (const auto& c : cases) {
        platform::Machine::instance().set_cursor_position(c.cursor);
        LONG left = c.in.left, top = c.in.top, right = c.in.right, bottom = c.in.bottom;
        Fit_Rect_To_Monitor(left, top, right, bottom);
        EXPECT_EQ(left, c.out.left);
        EXPECT_EQ(top, c.out.top);
        EXPECT_EQ(right, c.out.right);
        EXPECT_EQ(bottom, c.out.bottom);
    }
}

}  // namespace
