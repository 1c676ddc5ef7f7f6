#include <gtest/gtest.h>

#include "mfc/stdafx_mfc.h"

TEST(CStringTest, Smoke) {
    CString s(L"abc");
    EXPECT_EQ(s.GetLength(), 3);
}
