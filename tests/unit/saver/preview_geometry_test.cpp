#include "logic/preview_geometry.h"

#include <gtest/gtest.h>

TEST(PreviewGeometry, CoversThePreviewWindowInTwips) {
    const PreviewGeometry g = ComputePreviewGeometry(152, 112, 15.0, 15.0);
    EXPECT_EQ(g.left, 0);
    EXPECT_EQ(g.top, 0);
    EXPECT_EQ(g.width, 2280);
    EXPECT_EQ(g.height, 1680);
    EXPECT_DOUBLE_EQ(g.pictureWidth, 152.0);
    EXPECT_DOUBLE_EQ(g.pictureHeight, 112.0);
}

TEST(PreviewGeometry, OtherScreenResolutionsKeepThePixelSize) {
    const PreviewGeometry g = ComputePreviewGeometry(200, 150, 12.0, 12.0);  // 120 dpi
    EXPECT_EQ(g.width, 2400);
    EXPECT_EQ(g.height, 1800);
    EXPECT_DOUBLE_EQ(g.pictureWidth, 200.0);
    EXPECT_DOUBLE_EQ(g.pictureHeight, 150.0);
}

TEST(PreviewGeometry, ASideBeyondSixteenBitsOfTwipsStaysZero) {
    const PreviewGeometry fits = ComputePreviewGeometry(2184, 100, 15.0, 15.0);
    EXPECT_EQ(fits.width, 32760);
    const PreviewGeometry tooWide = ComputePreviewGeometry(2185, 100, 15.0, 15.0);
    EXPECT_EQ(tooWide.width, 0);
    EXPECT_EQ(tooWide.height, 1500);
    EXPECT_DOUBLE_EQ(tooWide.pictureWidth, 0.0);
}

TEST(PreviewGeometry, ChildStyleReplacesThePopupBitAndKeepsTheRest) {
    EXPECT_EQ(PreviewChildStyle(0x86000000u), 0x46000000u);
    EXPECT_EQ(PreviewChildStyle(0x02000000u), 0x42000000u);
}
