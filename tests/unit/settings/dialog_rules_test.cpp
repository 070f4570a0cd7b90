#include "settings/dialog_rules.h"

#include <gtest/gtest.h>

TEST(DialogRules, TheDialogSitsCentredAndAThirdDownWithTheRemainderDropped) {
    const TwipPosition placed = DialogPosition(15360, 11520, 7545, 4155);
    EXPECT_EQ(placed.left, 3907);  // 7815 / 2
    EXPECT_EQ(placed.top, 2455);   // 7365 / 3
    const TwipPosition tooBig = DialogPosition(6000, 3000, 7545, 4155);
    EXPECT_EQ(tooBig.left, -772);
    EXPECT_EQ(tooBig.top, -385);
}

// Rows of the 246-pixel dialog, each to the nearest whole shade: 154.58 gives 155 and 28.02
// gives 28, neither truncated nor rounded up.
TEST(DialogRules, TheGradientIsDarkAtTheEdgesAndBrightestInTheMiddle) {
    const struct {
        int y, shade;
    } rows[] = {{0, 0},     {1, 3},     {10, 28},   {30, 82}, {61, 155},
                {100, 211}, {123, 220}, {200, 122}, {245, 3}, {246, 0}};
    for (const auto& row : rows) {
        EXPECT_EQ(GradientShade(row.y, 246), row.shade) << row.y;
    }
    EXPECT_EQ(GradientShade(0, 0), 0);
}

TEST(DialogRules, TheStripCoversTheBoxColumnByColumnAndNeverLoopsOnAnEmptyStrip) {
    const std::vector<TileOrigin> origins = TileOrigins(465, 161, 556, 20);
    // Two columns (the second starts past the right edge), each one strip past the bottom.
    ASSERT_EQ(origins.size(), 2u * 10u);
    EXPECT_EQ(origins[0], (TileOrigin{0, 0}));
    EXPECT_EQ(origins[9], (TileOrigin{0, 180}));
    EXPECT_EQ(origins[10], (TileOrigin{556, 0}));
    EXPECT_EQ(TileOrigins(465, 161, 0, 20).size(), 1u);
}

TEST(DialogRules, EachKindMarksItsOptionAndEnablesItsOwnControls) {
    struct Case {
        int kind;
        KindLook look;
    };
    const Case cases[] = {
        {0, {{true, false, false}, false, false}},   {1, {{false, true, false}, true, false}},
        {2, {{false, false, true}, false, true}},    {3, {{false, false, false}, false, false}},
        {-1, {{false, false, false}, false, false}},
    };
    for (const Case& c : cases) {
        const KindLook look = LookOfKind(c.kind);
        EXPECT_EQ(look.marked, c.look.marked) << c.kind;
        EXPECT_EQ(look.repeatBoxEnabled, c.look.repeatBoxEnabled) << c.kind;
        EXPECT_EQ(look.fileButtonEnabled, c.look.fileButtonEnabled) << c.kind;
    }
}
