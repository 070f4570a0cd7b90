#include "rules/text_rules.h"

#include <gtest/gtest.h>

TEST(TextRules, ModeLetterIsTheSecondCharacterInUpperCase) {
    EXPECT_EQ(ModeLetter("/s"), "S");
    EXPECT_EQ(ModeLetter("xs"), "S");
    EXPECT_EQ(ModeLetter("/P 1234"), "P");
    EXPECT_EQ(ModeLetter("s"), "");
    EXPECT_EQ(ModeLetter(""), "");
}

TEST(TextRules, ValReadsTheLeadingNumberAfterBlanks) {
    EXPECT_EQ(Val("1234"), 1234.0);
    EXPECT_EQ(Val("  1234"), 1234.0);
    EXPECT_EQ(Val("\t42x7"), 42.0);
    EXPECT_EQ(Val(":1234"), 0.0);
    EXPECT_EQ(Val(""), 0.0);
    EXPECT_EQ(Val("99999999999"), 99999999999.0);
}

TEST(TextRules, IntegerConversionRoundsHalvesToEvenAndRefusesOverflow) {
    EXPECT_EQ(ToInteger16(2.5), 2);
    EXPECT_EQ(ToInteger16(3.5), 4);
    EXPECT_EQ(ToInteger16(-2.5), -2);
    EXPECT_EQ(ToInteger16(2280.4), 2280);
    EXPECT_EQ(ToInteger16(32767.0), 32767);
    EXPECT_EQ(ToInteger16(32767.5), std::nullopt);
    EXPECT_EQ(ToInteger16(-32768.0), -32768);
    EXPECT_EQ(ToUnsigned32(4294967295.0), 4294967295u);
    EXPECT_EQ(ToUnsigned32(4294967296.0), std::nullopt);
    EXPECT_EQ(ToUnsigned32(-0.5), 0u);
    EXPECT_EQ(ToUnsigned32(-1.0), std::nullopt);
}

TEST(TextRules, HashFormatDropsZero) {
    EXPECT_EQ(FormatHash(0), "");
    EXPECT_EQ(FormatHash(7), "7");
    EXPECT_EQ(FormatHash(30), "30");
}

TEST(TextRules, UpperCaseLeavesNonAsciiBytesAlone) {
    EXPECT_EQ(UpperCase("a.mp3"), "A.MP3");
    EXPECT_EQ(UpperCase("\x82\xa0z"), "\x82\xa0Z");
}
