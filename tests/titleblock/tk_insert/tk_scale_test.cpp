// Frame scales snapped to the scale step, their decades and their labels.
#include <gtest/gtest.h>

#include "core/plot_config.h"
#include "script/utf8.h"
#include "titleblock/tk_scale.h"

namespace {

class TK_Scale_Test : public ::testing::Test {
public:
    void TearDown() override { Settings(0, 1, 0); }
    static void Settings(int mode, int step, int custom)
    {
        g_Plot_Config.TK_Insert_Mode = mode;
        g_Plot_Config.TK_Scale_Step = step;
        g_Plot_Config.TK_Scale_Custom = custom;
    }
};

TEST_F(TK_Scale_Test, The_Decade_Brings_The_Mantissa_Into_Its_Range)
{
    const struct {
        double x, decade;
    } cases[] = {{123456, 100000}, {12345, 10000}, {1000, 1000}, {999.9, 100}, {10, 10},     {9.99, 1},
                 {1, 1},           {0.5, 1},       {0.1, 1},     {0.0999, 0.1}, {0.01, 0.1}, {0.005, 0.01},
                 {0.0005, 0.001},  {0.0001, 0.001}, {0.00005, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_DOUBLE_EQ(Power_Of_Ten(c.x), c.decade);
    }
}

TEST_F(TK_Scale_Test, Scales_Snap_To_The_Step_Up_In_The_Wrap_Mode_And_To_The_Nearest_Otherwise)
{
    const struct {
        const char* label;
        int mode, step, custom;
        double scale, rounded;
    } cases[] = {
        {"5 % near", 0, 3, 0, 0.0537, 0.055},
        {"5 % near, large", 0, 3, 0, 37.3, 37.5},
        {"25 % up", 2, 7, 0, 2.3, 2.5},
        {"25 % up below 1", 2, 7, 0, 0.31, 0.5},
        {"never past the next integer", 0, 7, 0, 3.99, 4.0},
        {"a mantissa rounded to 0 becomes the step", 0, 7, 0, 0.01, 0.025},
        {"a mantissa of 1 stays", 0, 7, 0, 10, 10},
        {"free scaling", 0, 1, 0, 1.234, 1.234},
        {"no scaling step", 0, 0, 0, 1.234, 1.234},
        {"custom 10 %", 0, 8, 10, 1.234, 1.2},
        {"custom 0 is no step", 0, 8, 0, 1.234, 1.234},
        {"custom above 100 is no step", 0, 8, 150, 1.234, 1.234},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Settings(c.mode, c.step, c.custom);
        double scale = c.scale;
        Round_TK_Scale(scale);
        EXPECT_NEAR(scale, c.rounded, 1e-12);
    }
}

TEST_F(TK_Scale_Test, Labels_Show_More_Decimals_For_Small_Scales_And_The_Free_Step)
{
    const struct {
        int step;
        double scale;
        const char* label;
    } cases[] = {{3, 2.0, "200%"}, {1, 2.0, "200.0%"}, {3, 0.055, "5.5%"},
                 {1, 0.055, "5.50%"}, {3, 0.0055, "0.55%"}, {3, 0.00055, "0.055%"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Settings(0, c.step, 0);
        EXPECT_EQ(platform::To_Utf8(Format_Scale_Percent(c.scale, Power_Of_Ten(c.scale)).GetString()), c.label);
    }
}

}  // namespace
