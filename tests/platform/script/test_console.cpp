// Records of dialogs and the shell start a line of their own, wherever the command line stands.
#include <gtest/gtest.h>

#include "script/console.h"

namespace {

TEST(Console, RecordsAreLinesOfTheirOwn) {
    testing::internal::CaptureStdout();
    platform::Console_Line("[Shell] first");
    platform::Console_Write("\nCommand: Plot_Temp1");
    platform::Console_Line("[Shell] mid-line");
    platform::Console_Write("\nCommand: ");
    platform::Console_Write("done\n");
    platform::Console_Line("[MessageBox] at a line start");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "[Shell] first\n\nCommand: Plot_Temp1\n[Shell] mid-line\n\nCommand: done\n[MessageBox] at a line start\n");
}

}  // namespace
