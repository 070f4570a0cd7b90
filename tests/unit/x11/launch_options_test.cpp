#include "x11/launch_options.h"

#include <gtest/gtest.h>

namespace {

LaunchRequest Parse(std::vector<std::string> arguments, const char* environment = nullptr) {
    return ParseLaunchOptions(arguments, environment);
}

}  // namespace

TEST(LaunchOptions, EachTargetFromItsOptionOrTheScreenSaversWindow) {
    struct Case {
        std::vector<std::string> arguments;
        const char* environment;
        DrawTarget target;
        unsigned long windowId;
    };
    const Case cases[] = {
        {{}, nullptr, DrawTarget::FullScreen, 0},
        {{"-window"}, nullptr, DrawTarget::Window, 0},
        {{"-root"}, nullptr, DrawTarget::Root, 0},
        {{"-window-id", "4194311"}, nullptr, DrawTarget::ForeignWindow, 4194311},
        {{"-window-id", "0x400007"}, nullptr, DrawTarget::ForeignWindow, 0x400007},
        {{}, "0x1a00001", DrawTarget::ForeignWindow, 0x1a00001},
        {{"-root"}, "0x1a00001", DrawTarget::ForeignWindow, 0x1a00001},
        {{"-window"}, "0x1a00001", DrawTarget::Window, 0},  // the command line wins
        {{"--help"}, nullptr, DrawTarget::Help, 0},
    };
    for (const Case& c : cases) {
        const LaunchRequest request = Parse(c.arguments, c.environment);
        ASSERT_TRUE(request.options) << request.error;
        EXPECT_EQ(request.options->target, c.target);
        EXPECT_EQ(request.options->windowId, c.windowId);
        EXPECT_EQ(request.options->startedByScreenSaver,
                  c.environment != nullptr && c.target == DrawTarget::ForeignWindow);
    }
}

TEST(LaunchOptions, AFrameNeedsItsPictureAndOutputAndTakesASize) {
    const LaunchRequest frame =
        Parse({"--frame", "450", "--picture", "a.bmp", "--out", "f.png", "--size", "640x480"});
    ASSERT_TRUE(frame.options) << frame.error;
    EXPECT_EQ(frame.options->frame, 450);
    EXPECT_EQ(frame.options->width, 640);
    EXPECT_EQ(frame.options->height, 480);
    EXPECT_FALSE(Parse({"--frame", "1", "--out", "f.png"}).options);
}

TEST(LaunchOptions, BadValuesAreRefusedWithAMessage) {
    const std::vector<std::vector<std::string>> refused = {
        {"-window-id", "abc"}, {"-window-id", "0"}, {"-window-id"}, {"--frame", "-1"},
        {"--size", "0x10"},    {"--size", "10"},    {"--bogus"},    {"--frame", "2", "--picture"},
    };
    for (const auto& arguments : refused) {
        const LaunchRequest request = Parse(arguments);
        EXPECT_FALSE(request.options) << arguments[0];
        EXPECT_FALSE(request.error.empty());
    }
    EXPECT_FALSE(Parse({}, "nonsense").options);
}
