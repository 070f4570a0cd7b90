#include "forms/property_bag.h"

#include <gtest/gtest.h>

using forms::FontDescription;
using forms::PropertyBag;

namespace {

const FontDescription kAmbient{"ＭＳ Ｐゴシック", 9.75, 128, 400, false};

}  // namespace

TEST(PropertyBag, AnAbsentNameReadsAsItsDefault) {
    const PropertyBag bag;
    EXPECT_EQ(bag.ReadProperty("Caption", std::string("Command")), "Command");
    EXPECT_EQ(bag.ReadProperty<bool>("Enabled", true), true);
    EXPECT_EQ(bag.ReadProperty("Font", kAmbient), kAmbient);
}

TEST(PropertyBag, AValueEqualToItsDefaultIsNotStoredAndDropsAnEarlierOne) {
    PropertyBag bag;
    bag.WriteProperty<std::int16_t>("Visible", 0, 1);
    ASSERT_TRUE(bag.Contains("Visible"));
    EXPECT_EQ(bag.ReadProperty<std::int16_t>("Visible", 1), 0);

    bag.WriteProperty<std::int16_t>("Visible", 1, 1);
    EXPECT_FALSE(bag.Contains("Visible"));
    // What was not stored follows a changed default.
    EXPECT_EQ(bag.ReadProperty<std::int16_t>("Visible", 7), 7);
}

TEST(PropertyBag, EachKindOfValueComesBackAsWritten) {
    PropertyBag bag;
    FontDescription bold = kAmbient;
    bold.weight = 700;
    bag.WriteProperty("Caption", std::string("保存"), std::string("Command"));
    bag.WriteProperty("Font", bold, kAmbient);
    bag.WriteProperty<bool>("Enabled", false, true);
    bag.WriteProperty<std::uint32_t>("FontColour", 0x00FF8040u, 0u);
    EXPECT_EQ(bag.ReadProperty("Caption", std::string("Command")), "保存");
    EXPECT_EQ(bag.ReadProperty("Font", kAmbient), bold);
    EXPECT_EQ(bag.ReadProperty<bool>("Enabled", true), false);
    EXPECT_EQ(bag.ReadProperty<std::uint32_t>("FontColour", 0u), 0x00FF8040u);
}

TEST(PropertyBag, ANumberThatDoesNotFitOrAnotherKindReadsAsTheDefault) {
    PropertyBag bag;
    bag.WriteProperty<std::int32_t>("FirstRun", 300, 1);
    bag.WriteProperty<std::int32_t>("Visible", -1, 1);
    bag.WriteProperty("Caption", std::string("x"), std::string());
    EXPECT_EQ(bag.ReadProperty<std::uint8_t>("FirstRun", 1), 1);
    EXPECT_EQ(bag.ReadProperty<std::uint32_t>("Visible", 5u), 5u);
    EXPECT_EQ(bag.ReadProperty<std::int16_t>("Visible", 1), -1);
    EXPECT_EQ(bag.ReadProperty<bool>("Caption", true), true);
}
