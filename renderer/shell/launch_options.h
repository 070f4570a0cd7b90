#pragma once

#include <optional>
#include <string>
#include <vector>

#include "shell/frame_pacing.h"
#include "shell/visual_choice.h"

// What the Linux program was asked to do, from its command line and environment, by the
// conventions of XScreenSaver hacks.
enum class DrawTarget {
    FullScreen,     // its own window over the whole screen (the default)
    Window,         // its own 1024 x 768 window (-window)
    ForeignWindow,  // a window someone else made (-window-id, or $XSCREENSAVER_WINDOW)
    Root,           // the root window (-root)
    Frame,          // one frame of the animation into a PNG, without any display (--frame)
    SaveDesktop,    // the desktop picture it would take, into a PNG (--save-desktop)
    Help,
    Version,
};

// Which of the program's two shells shows the animation.
enum class DisplaySystem { X11, Wayland };

// The show's own pace, 60 frames a second, unless the user asks for another.
constexpr long kDefaultDelayMicroseconds = kShowFramePeriod.count();
constexpr long kLongestDelayMicroseconds = 10000000;
// Every frame before N is drawn too, so N is what bounds the time a frame takes: this many is
// half an hour of the show at 60 frames a second.
constexpr long kLastFrame = 100000;

struct LaunchOptions {
    DrawTarget target = DrawTarget::FullScreen;
    DisplaySystem displaySystem = DisplaySystem::X11;
    unsigned long windowId = 0;
    bool startedByScreenSaver = false;  // the window came from $XSCREENSAVER_WINDOW
    std::string displayName;            // -display; empty: $DISPLAY
    VisualRequest visual;               // -visual
    long delayMicroseconds = kDefaultDelayMicroseconds;  // -delay: least time between frames
    bool showFrameRate = false;                          // -fps
    // --picture FILE: the desktop picture, instead of a photograph of the desktop
    std::string picture;
    // --frame N --picture FILE --out FILE.png [--size WxH]
    int frame = 0;
    std::string out;
    int width = 1024;
    int height = 768;
};

// The exit status of a refusal: a command line that cannot be followed, or an environment that
// names something that cannot be (XSCREENSAVER_WINDOW).
constexpr int kUsageStatus = 2;
constexpr int kFailureStatus = 1;

// The options, or the one-line message that says what is wrong with them and the status to end
// with.
struct LaunchRequest {
    std::optional<LaunchOptions> options;
    std::string error;
    int status = 0;
};

// What the environment tells the program, each null where unset.
struct LaunchEnvironment {
    // $XSCREENSAVER_WINDOW: used with -root or without a target; -window and -window-id win
    // over it.
    const char* xscreenSaverWindow = nullptr;
    // $WAYLAND_DISPLAY: a Wayland session.
    const char* waylandDisplay = nullptr;
};

// Every option takes one dash or two. The X11 shell draws where -root, -window-id, -display or
// $XSCREENSAVER_WINDOW name something of X's, and the Wayland shell in a Wayland session
// otherwise; -x11 and -wayland choose either.
LaunchRequest ParseLaunchOptions(const std::vector<std::string>& arguments,
                                 const LaunchEnvironment& environment);

// A window id in decimal or 0x hexadecimal, as XScreenSaver passes it.
std::optional<unsigned long> ParseWindowId(const std::string& text);

extern const char kUsage[];
