#pragma once

#include <optional>
#include <string>
#include <vector>

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
};

struct LaunchOptions {
    DrawTarget target = DrawTarget::FullScreen;
    unsigned long windowId = 0;
    bool startedByScreenSaver = false;  // the window came from $XSCREENSAVER_WINDOW
    // --frame N --picture FILE --out FILE.png [--size WxH]
    int frame = 0;
    std::string picture;
    std::string out;
    int width = 1024;
    int height = 768;
};

// The options, or the message that says what is wrong with them.
struct LaunchRequest {
    std::optional<LaunchOptions> options;
    std::string error;
};

// xscreenSaverWindow: the value of $XSCREENSAVER_WINDOW, if set: used with -root or without a
// target; -window and -window-id win over it.
LaunchRequest ParseLaunchOptions(const std::vector<std::string>& arguments,
                                 const char* xscreenSaverWindow);

// A window id in decimal or 0x hexadecimal, as XScreenSaver passes it.
std::optional<unsigned long> ParseWindowId(const std::string& text);

extern const char kUsage[];
