#include "expect_box.h"

#include <gtest/gtest.h>

void Expect_Box(const ZcDbExtents& box, double x0, double y0, double x1, double y1, double tol)
{
    ASSERT_TRUE(box.isValid());
    EXPECT_NEAR(box.minPoint().x, x0, tol);
    EXPECT_NEAR(box.minPoint().y, y0, tol);
    EXPECT_NEAR(box.maxPoint().x, x1, tol);
    EXPECT_NEAR(box.maxPoint().y, y1, tol);
}
