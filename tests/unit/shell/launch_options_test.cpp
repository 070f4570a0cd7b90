#include "shell/launch_options.h"

#include <gtest/gtest.h>

namespace {

LaunchRequest Parse(std::vector<std::string> arguments, const char* environment = nullptr) {
    return ParseLaunchOptions(arguments, {environment, nullptr});
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
        {{"-root", "--version"}, nullptr, DrawTarget::Version, 0},
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

// XScreenSaver's settings program writes "--delay 20000 --fps", its users' files "-delay".
TEST(LaunchOptions, TheDisplayModesSharedOptionsTakeOneDashOrTwo) {
    for (const char* dash : {"-", "--"}) {
        const std::string d = dash;
        const LaunchRequest request =
            Parse({d + "root", d + "delay", "20000", d + "fps", d + "display", ":3", d + "visual",
                   "TrueColor", d + "install"});
        ASSERT_TRUE(request.options) << request.error;
        EXPECT_EQ(request.options->target, DrawTarget::Root);
        EXPECT_EQ(request.options->delayMicroseconds, 20000);
        EXPECT_TRUE(request.options->showFrameRate);
        EXPECT_EQ(request.options->displayName, ":3");
        EXPECT_EQ(request.options->visual.kind, VisualRequest::Kind::Class);
    }
    const LaunchRequest plain = Parse({});
    EXPECT_EQ(plain.options->delayMicroseconds, kDefaultDelayMicroseconds);
    EXPECT_FALSE(plain.options->showFrameRate);
}

TEST(LaunchOptions, AFrameNeedsItsPictureAndOutputAndTakesASize) {
    const LaunchRequest frame =
        Parse({"--frame", "450", "--picture", "a.bmp", "--out", "f.png", "--size", "640x480"});
    ASSERT_TRUE(frame.options) << frame.error;
    EXPECT_EQ(frame.options->frame, 450);
    EXPECT_EQ(frame.options->width, 640);
    EXPECT_EQ(frame.options->height, 480);
    EXPECT_TRUE(Parse({"--frame", "100000", "--picture", "a.bmp", "--out", "f.png"}).options);
    EXPECT_FALSE(Parse({"--frame", "1", "--out", "f.png"}).options);
}

TEST(LaunchOptions, BadCommandLinesAreRefusedInOneLineNamingTheOption) {
    struct Case {
        std::vector<std::string> arguments;
        const char* named;
    };
    const Case cases[] = {
        {{"-window-id", "abc"}, "abc"},
        {{"-window-id", "0"}, "-window-id 0"},
        {{"-window-id"}, "-window-id"},
        {{"--frame", "-1"}, "-1"},
        {{"--frame", "100001", "--picture", "a.bmp", "--out", "f.png"}, "100000"},
        {{"--size", "0x10"}, "0x10"},
        {{"--size", "10"}, "10"},
        {{"-delay", "-5"}, "-5"},
        {{"-delay", "10000001"}, "10000001"},
        {{"-visual", "sparkly"}, "sparkly"},
        {{"--bogus"}, "--bogus"},
        {{"stray"}, "stray"},
        {{"--frame", "2", "--picture"}, "--picture"},
    };
    for (const Case& c : cases) {
        const LaunchRequest request = Parse(c.arguments);
        EXPECT_FALSE(request.options) << c.named;
        EXPECT_NE(request.error.find(c.named), std::string::npos) << request.error;
        EXPECT_EQ(request.error.find('\n'), std::string::npos) << request.error;
        EXPECT_EQ(request.status, kUsageStatus) << request.error;
    }
}

TEST(LaunchOptions, ANonsenseScreenSaverWindowIsAFailureNotAUsageError) {
    const LaunchRequest request = Parse({}, "nonsense");
    EXPECT_FALSE(request.options);
    EXPECT_NE(request.error.find("XSCREENSAVER_WINDOW=nonsense"), std::string::npos);
    EXPECT_EQ(request.status, kFailureStatus);
}

TEST(LaunchOptions, TheDisplaySystemIsXsWhereSomethingOfXsIsNamedElseTheSessions) {
    struct Case {
        std::vector<std::string> arguments;
        const char* screenSaverWindow;
        const char* waylandDisplay;
        DisplaySystem shown;
    };
    const Case cases[] = {
        {{}, nullptr, nullptr, DisplaySystem::X11},
        {{}, nullptr, "wayland-1", DisplaySystem::Wayland},
        {{"-window", "--picture", "desk.ppm"}, nullptr, "wayland-1", DisplaySystem::Wayland},
        {{}, nullptr, "", DisplaySystem::X11},
        {{"-root"}, nullptr, "wayland-1", DisplaySystem::X11},
        {{"-window-id", "0x400007"}, nullptr, "wayland-1", DisplaySystem::X11},
        {{"-display", ":1"}, nullptr, "wayland-1", DisplaySystem::X11},
        {{}, "0x1a00001", "wayland-1", DisplaySystem::X11},
        {{"-x11"}, nullptr, "wayland-1", DisplaySystem::X11},
        {{"-wayland"}, nullptr, nullptr, DisplaySystem::Wayland},
        // Asked for Wayland, it leaves XScreenSaver's window alone.
        {{"--wayland"}, "0x1a00001", nullptr, DisplaySystem::Wayland},
    };
    for (const Case& c : cases) {
        const LaunchRequest request =
            ParseLaunchOptions(c.arguments, {c.screenSaverWindow, c.waylandDisplay});
        ASSERT_TRUE(request.options) << request.error;
        EXPECT_EQ(request.options->displaySystem, c.shown) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(request.options->startedByScreenSaver,
                  c.shown == DisplaySystem::X11 && c.screenSaverWindow != nullptr);
    }
    for (const char* option : {"-root", "-display"}) {
        std::vector<std::string> arguments = {"-wayland", option};
        if (std::string(option) == "-display") {
            arguments.push_back(":1");
        }
        const LaunchRequest refused = Parse(arguments);
        EXPECT_FALSE(refused.options);
        EXPECT_EQ(refused.error,
                  std::string(option) + " names something of X's: not with -wayland");
    }
}
