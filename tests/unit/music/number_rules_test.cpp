#include "music/number_rules.h"

#include <gtest/gtest.h>

TEST(SettingNumber, ReadsTheWholeTextAsANumberAndCutsFractionsDownwards) {
    EXPECT_EQ(SettingNumber(""), 0);
    EXPECT_EQ(SettingNumber("2"), 2);
    EXPECT_EQ(SettingNumber("2.7"), 2);
    EXPECT_EQ(SettingNumber("4.9"), 4);
    EXPECT_EQ(SettingNumber("-2.5"), -3);
    EXPECT_EQ(SettingNumber("  3 "), 3);
    EXPECT_EQ(SettingNumber("1e3"), 1000);
    EXPECT_EQ(SettingNumber(".5"), 0);
}

TEST(SettingNumber, UnreadableOrOutOfRangeTextIsZero) {
    EXPECT_EQ(SettingNumber("abc"), 0);
    EXPECT_EQ(SettingNumber("3abc"), 0);
    EXPECT_EQ(SettingNumber("1 2"), 0);
    EXPECT_EQ(SettingNumber("-"), 0);
    EXPECT_EQ(SettingNumber("32767"), 32767);
    EXPECT_EQ(SettingNumber("-32768"), -32768);
    EXPECT_EQ(SettingNumber("32768"), 0);
    EXPECT_EQ(SettingNumber("-32769"), 0);
    EXPECT_EQ(SettingNumber("40000"), 0);
    EXPECT_EQ(SettingNumber("1e999"), 0);
    EXPECT_EQ(SettingNumber("-1e999"), 0);
    EXPECT_EQ(SettingNumber("99999999999999999999999"), 0);
}

TEST(RepeatFromText, RoundsNumericTextHalfToEven) {
    EXPECT_EQ(RepeatFromText("3"), 3);
    EXPECT_EQ(RepeatFromText(" 7 "), 7);
    EXPECT_EQ(RepeatFromText("2.5"), 2);
    EXPECT_EQ(RepeatFromText("3.5"), 4);
    EXPECT_EQ(RepeatFromText("2.51"), 3);
    EXPECT_EQ(RepeatFromText("-2.5"), -2);
    EXPECT_EQ(RepeatFromText("+45"), 45);
    EXPECT_EQ(RepeatFromText("1e1"), 10);
    EXPECT_EQ(RepeatFromText("-32768.5"), -32768);
}

TEST(RepeatFromText, NonNumericOrTooLargeTextIsZero) {
    EXPECT_EQ(RepeatFromText(""), 0);
    EXPECT_EQ(RepeatFromText("abc"), 0);
    EXPECT_EQ(RepeatFromText("3abc"), 0);
    EXPECT_EQ(RepeatFromText("1 2"), 0);
    EXPECT_EQ(RepeatFromText("."), 0);
    EXPECT_EQ(RepeatFromText("40000"), 0);
    EXPECT_EQ(RepeatFromText("32767.5"), 0);
    EXPECT_EQ(RepeatFromText("1e999"), 0);
}
