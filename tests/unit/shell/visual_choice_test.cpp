#include "shell/visual_choice.h"

#include <gtest/gtest.h>

TEST(VisualChoice, TheNamesDisplayModesShareAreKnownInAnyCase) {
    struct Case {
        const char* name;
        VisualRequest::Kind kind;
        VisualClass visualClass;
        unsigned long id;
    };
    const Case cases[] = {
        {"default", VisualRequest::Kind::Default, VisualClass::kTrueColor, 0},
        {"Best", VisualRequest::Kind::Best, VisualClass::kTrueColor, 0},
        {"GL", VisualRequest::Kind::Best, VisualClass::kTrueColor, 0},
        {"TrueColor", VisualRequest::Kind::Class, VisualClass::kTrueColor, 0},
        {"directcolour", VisualRequest::Kind::Class, VisualClass::kDirectColor, 0},
        {"PseudoColor", VisualRequest::Kind::Class, VisualClass::kPseudoColor, 0},
        {"grey", VisualRequest::Kind::Class, VisualClass::kGrayScale, 0},
        {"mono", VisualRequest::Kind::Class, VisualClass::kStaticGray, 0},
        {"0x21", VisualRequest::Kind::Id, VisualClass::kTrueColor, 0x21},
        {"33", VisualRequest::Kind::Id, VisualClass::kTrueColor, 33},
    };
    for (const Case& c : cases) {
        const auto request = ParseVisualName(c.name);
        ASSERT_TRUE(request) << c.name;
        EXPECT_EQ(request->kind, c.kind) << c.name;
        EXPECT_EQ(request->visualClass, c.visualClass) << c.name;
        EXPECT_EQ(request->id, c.id) << c.name;
    }
    for (const char* refused : {"", "sparkly", "0", "0x", "21z"}) {
        EXPECT_FALSE(ParseVisualName(refused)) << refused;
    }
}

TEST(VisualChoice, TheDeepestDrawableVisualThatFitsIsChosenOrNone) {
    const std::vector<VisualCandidate> screen = {
        {0x21, VisualClass::kTrueColor, 24, true},
        {0x22, VisualClass::kDirectColor, 24, true},
        {0x30, VisualClass::kTrueColor, 32, true},
        {0x31, VisualClass::kTrueColor, 30, false},  // no double buffer or depth buffer
        {0x40, VisualClass::kPseudoColor, 8, false},
    };
    struct Case {
        const char* name;
        std::optional<unsigned long> chosen;
    };
    const Case cases[] = {
        {"default", std::nullopt},  // the GL library chooses
        {"best", 0x30},
        {"truecolor", 0x30},
        {"directcolor", 0x22},
        {"pseudocolor", std::nullopt},
        {"0x21", 0x21},
        {"0x31", std::nullopt},
        {"0x99", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PickVisual(*ParseVisualName(c.name), screen), c.chosen) << c.name;
    }
}
