#include <gtest/gtest.h>

#include "chart/render/font_height.h"

namespace somvix {
namespace {

TEST(FontHeightFromPoints, TruncatesTowardZero) {
    EXPECT_EQ(FontHeightFromPoints(8, 96), -10);   // -10.67
    EXPECT_EQ(FontHeightFromPoints(8, 120), -13);  // -13.33
    EXPECT_EQ(FontHeightFromPoints(9, 96), -12);
    EXPECT_EQ(FontHeightFromPoints(9, 120), -15);
    EXPECT_EQ(FontHeightFromPoints(8, 72), -8);
}

}  // namespace
}  // namespace somvix
