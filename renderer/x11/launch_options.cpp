#include "x11/launch_options.h"

#include <cerrno>
#include <cstdlib>

const char kUsage[] =
    "usage: vorlenta [-window | -root | -window-id ID] [--frame N --picture FILE --out FILE.png"
    " [--size WxH]]\n"
    "\n"
    "Wraps a picture of the desktop around a spinning sphere and bursts it into fragments.\n"
    "\n"
    "  (no option)      draw in a window of its own over the whole screen; Escape ends it\n"
    "  -window          draw in a 1024 x 768 window of its own\n"
    "  -root            draw on the root window (XScreenSaver's window when it names one)\n"
    "  -window-id ID    draw into the window ID (decimal or 0x hex) and follow its size;\n"
    "                   $XSCREENSAVER_WINDOW does the same\n"
    "  --frame N        write frame N of the animation as a PNG, without a display:\n"
    "    --picture FILE   the desktop picture (a Windows bitmap)\n"
    "    --out FILE.png   where to write it\n"
    "    --size WxH       its size (default 1024x768)\n"
    "  --save-desktop FILE.png  write the desktop picture it would take, and end\n"
    "  --help           this text\n"
    "\n"
    "It ends on Escape in its own window, when its window is destroyed, and on SIGTERM or "
    "SIGINT.\n";

namespace {

std::optional<long> ParseWhole(const std::string& text, int base) {
    if (text.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, base);
    if (errno != 0 || *end != '\0') {
        return std::nullopt;
    }
    return value;
}

bool ParseSize(const std::string& text, LaunchOptions& options) {
    const size_t x = text.find('x');
    if (x == std::string::npos) {
        return false;
    }
    const auto width = ParseWhole(text.substr(0, x), 10);
    const auto height = ParseWhole(text.substr(x + 1), 10);
    constexpr long kLargest = 16384;
    if (!width || !height || *width < 1 || *height < 1 || *width > kLargest || *height > kLargest) {
        return false;
    }
    options.width = static_cast<int>(*width);
    options.height = static_cast<int>(*height);
    return true;
}

LaunchRequest Refused(const std::string& why) {
    return {std::nullopt, why};
}

}  // namespace

std::optional<unsigned long> ParseWindowId(const std::string& text) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const auto value = ParseWhole(hex ? text.substr(2) : text, hex ? 16 : 10);
    if (!value || *value <= 0) {
        return std::nullopt;
    }
    return static_cast<unsigned long>(*value);
}

LaunchRequest ParseLaunchOptions(const std::vector<std::string>& arguments,
                                 const char* xscreenSaverWindow) {
    LaunchOptions options;
    bool targetNamed = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--help" || argument == "-help" || argument == "-h") {
            options.target = DrawTarget::Help;
            return {options, ""};
        } else if (argument == "-window" || argument == "--window") {
            options.target = DrawTarget::Window;
            targetNamed = true;
        } else if (argument == "-root" || argument == "--root") {
            options.target = DrawTarget::Root;
            targetNamed = true;
        } else if ((argument == "-window-id" || argument == "--window-id") && hasValue) {
            const auto id = ParseWindowId(arguments[++i]);
            if (!id) {
                return Refused("not a window id: " + arguments[i]);
            }
            options.target = DrawTarget::ForeignWindow;
            options.windowId = *id;
            targetNamed = true;
        } else if (argument == "--frame" && hasValue) {
            const auto frame = ParseWhole(arguments[++i], 10);
            if (!frame || *frame < 0 || *frame > 1000000) {
                return Refused("not a frame number: " + arguments[i]);
            }
            options.target = DrawTarget::Frame;
            options.frame = static_cast<int>(*frame);
            targetNamed = true;
        } else if (argument == "--save-desktop" && hasValue) {
            options.target = DrawTarget::SaveDesktop;
            options.out = arguments[++i];
            targetNamed = true;
        } else if (argument == "--picture" && hasValue) {
            options.picture = arguments[++i];
        } else if (argument == "--out" && hasValue) {
            options.out = arguments[++i];
        } else if (argument == "--size" && hasValue) {
            if (!ParseSize(arguments[++i], options)) {
                return Refused("not a size (WxH): " + arguments[i]);
            }
        } else {
            return Refused("unknown or incomplete option: " + argument);
        }
    }
    if (options.target == DrawTarget::Frame && (options.picture.empty() || options.out.empty())) {
        return Refused("--frame needs --picture FILE and --out FILE.png");
    }
    // XScreenSaver names its window in the environment, and a hack told to draw on the root
    // draws there: that window is the screen's root for it.
    const bool rootOrNothing = !targetNamed || options.target == DrawTarget::Root;
    if (rootOrNothing && xscreenSaverWindow != nullptr && *xscreenSaverWindow != '\0') {
        const auto id = ParseWindowId(xscreenSaverWindow);
        if (!id) {
            return Refused(std::string("not a window id in XSCREENSAVER_WINDOW: ") +
                           xscreenSaverWindow);
        }
        options.target = DrawTarget::ForeignWindow;
        options.windowId = *id;
        options.startedByScreenSaver = true;
    }
    return {options, ""};
}
