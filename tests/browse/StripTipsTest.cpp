#include "browse/StripTips.h"

#include <gtest/gtest.h>

namespace quillax {

TEST(StripTipsTest, NamesThePointOrLineWithItsModelCoordinates) {
    EXPECT_EQ(PointTipText(2, 3, 12.5f, -4.0f), "Mesh 2, point 3: (12.5, -4)");
    EXPECT_EQ(PointTipText(0, 0, 0.1f, 1e-7f), "Mesh 0, point 0: (0.1, 1e-07)");
    EXPECT_EQ(LineTipText(32766, 32766, -20.0f, 7.25f, 3.0f, 0.0f),
              "Mesh 32766, line 32766: (-20, 7.25) to (3, 0)");
}

} // namespace quillax
