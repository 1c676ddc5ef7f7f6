// The About box in a host session: opened by its command, painted into a PNG and closed
// with its button.
#include <gtest/gtest.h>

#include "cadhost_runner.h"
#include "mfc/atlimage.h"
#include "win/host_path_text.h"

namespace {

bool Has_Color(const CImage& image, int top, int bottom, COLORREF color)
{
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (image.GetPixel(x, y) == color) return true;
    return false;
}

}  // namespace

TEST(About_Box_Session, Snapshot_Shows_Green_Box_Logo_Version_Line_And_Close_Button)
{
    Cadhost_Runner runner;
    const std::filesystem::path png = runner.folder() / "about.png";
    Cadhost_Run run = runner.Run_Script({MODULE_2025_PATH},
                                        "command KV_DivezUrez_11\nsnapshot \"" + png.string() + "\"\nclick 2\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("该功能尚未提供"), std::string::npos) << run.out;

    CImage image;
    ASSERT_EQ(image.Load(platform::Text_From_Host_Path(png).c_str()), S_OK);
    const int height = image.GetHeight();
    const COLORREF background = RGB(170, 210, 150);
    // Below the caption bar, the snapshot shows the box's own fill.
    EXPECT_EQ(image.GetPixel(image.GetWidth() - 6, 30), background);
    EXPECT_EQ(image.GetPixel(image.GetWidth() - 4, height - 4), background);
    // The logo's dark green ring in the upper third, the black version line in the middle,
    // the close button's icon (its idle disc) in the lower part.
    EXPECT_TRUE(Has_Color(image, 0, height / 3, RGB(0, 120, 0)));
    EXPECT_TRUE(Has_Color(image, height / 3, height * 2 / 3, RGB(0, 0, 0)));
    EXPECT_TRUE(Has_Color(image, height * 2 / 3, height, RGB(60, 120, 40)));
}

TEST(About_Box_Session, Left_Open_Ends_The_Run_Naming_The_Dialog)
{
    Cadhost_Runner runner;
    Cadhost_Run run = runner.Run_Script({MODULE_2025_PATH}, "command KV_DivezUrez_11\n");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.status, 124) << "timed out";
    EXPECT_NE(run.err.find("251"), std::string::npos) << run.err;
}
