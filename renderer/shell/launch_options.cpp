#include "shell/launch_options.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

const char kUsage[] =
    "usage: vorlenta [-window | -root | -window-id ID] [-display NAME] [-visual NAME]\n"
    "                [-delay USECS] [-fps] [-install] [-x11 | -wayland] [--picture FILE]\n"
    "       vorlenta --frame N --picture FILE --out FILE.png [--size WxH]\n"
    "\n"
    "Wraps a picture of the desktop around a spinning sphere and bursts it into fragments.\n"
    "Every option takes one dash or two.\n"
    "\n"
    "  (no option)      draw in a window of its own over the whole screen; Escape ends it\n"
    "  -window          draw in a 1024 x 768 window of its own\n"
    "  -root            draw on the root window (XScreenSaver's window when it names one)\n"
    "  -window-id ID    draw into the window ID (decimal or 0x hex) and follow its size;\n"
    "                   $XSCREENSAVER_WINDOW does the same\n"
    "  -display NAME    the X display to use (default $DISPLAY)\n"
    "  -visual NAME     the visual of its own window: default, best, gl, truecolor,\n"
    "                   directcolor, pseudocolor, staticcolor, grayscale, staticgray, mono or\n"
    "                   a visual id\n"
    "  -install         accepted: its own window always has a colormap of its own\n"
    "  -x11, -wayland   the display system to show on (default: X11 where an option above\n"
    "                   or $XSCREENSAVER_WINDOW names something of X's, else Wayland where\n"
    "                   $WAYLAND_DISPLAY is set, else X11)\n"
    "  --picture FILE   show this picture (a Windows bitmap or a binary PPM) instead of a\n"
    "                   photograph of the desktop\n"
    "  -delay USECS     the least time from one frame to the next (default 16667, 60 frames\n"
    "                   a second; 0: as fast as the display takes them)\n"
    "  -fps             show the frame rate in a corner\n"
    "  --frame N        write frame N (0 to 100000) of the animation as a PNG, without a\n"
    "                   display:\n"
    "    --picture FILE   the desktop picture\n"
    "    --out FILE.png   where to write it\n"
    "    --size WxH       its size (default 1024x768)\n"
    "  --save-desktop FILE.png  write the desktop picture it would take, and end\n"
    "  --version        its version\n"
    "  --help           this text\n"
    "\n"
    "It ends on Escape in its own window, when its window is destroyed, and on SIGTERM or "
    "SIGINT.\n";

namespace {

// The options that are followed by a value; every other option stands alone.
const char* const kValuedOptions[] = {"window-id", "frame",   "save-desktop", "picture", "out",
                                      "size",      "display", "visual",       "delay"};

struct ParseState {
    LaunchOptions options;
    bool targetNamed = false;
    std::optional<DisplaySystem> displaySystemNamed;

    void Target(DrawTarget target) {
        options.target = target;
        targetNamed = true;
    }
};

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

// "-fps" and "--fps" are the same option; anything not starting with a dash is no option.
std::optional<std::string> OptionName(const std::string& argument) {
    if (argument.size() < 2 || argument[0] != '-') {
        return std::nullopt;
    }
    return argument.substr(argument[1] == '-' ? 2 : 1);
}

bool TakesValue(const std::string& name) {
    return std::find(std::begin(kValuedOptions), std::end(kValuedOptions), name) !=
           std::end(kValuedOptions);
}

// Returns false when NAME is not an option that stands alone.
bool ApplyFlag(const std::string& name, ParseState& state) {
    if (name == "window") {
        state.Target(DrawTarget::Window);
    } else if (name == "root") {
        state.Target(DrawTarget::Root);
    } else if (name == "fps") {
        state.options.showFrameRate = true;
    } else if (name == "x11") {
        state.displaySystemNamed = DisplaySystem::X11;
    } else if (name == "wayland") {
        state.displaySystemNamed = DisplaySystem::Wayland;
    } else if (name != "install") {
        return false;
    }
    return true;
}

std::string ApplyFrame(const std::string& value, ParseState& state) {
    const auto frame = ParseWhole(value, 10);
    if (!frame || *frame < 0) {
        return "--frame " + value + ": not a frame number";
    }
    if (*frame > kLastFrame) {
        return "--frame " + value + ": the last frame it renders is " + std::to_string(kLastFrame);
    }
    state.Target(DrawTarget::Frame);
    state.options.frame = static_cast<int>(*frame);
    return "";
}

std::string ApplyDelay(const std::string& value, ParseState& state) {
    const auto delay = ParseWhole(value, 10);
    if (!delay || *delay < 0 || *delay > kLongestDelayMicroseconds) {
        return "-delay " + value + ": not a time in microseconds from 0 to " +
               std::to_string(kLongestDelayMicroseconds);
    }
    state.options.delayMicroseconds = *delay;
    return "";
}

std::string ApplyVisual(const std::string& value, ParseState& state) {
    const auto visual = ParseVisualName(value);
    if (!visual) {
        return "-visual " + value + ": not a visual name or id";
    }
    state.options.visual = *visual;
    return "";
}

std::string ApplyWindowId(const std::string& value, ParseState& state) {
    const auto id = ParseWindowId(value);
    if (!id) {
        return "-window-id " + value + ": not a window id";
    }
    state.Target(DrawTarget::ForeignWindow);
    state.options.windowId = *id;
    return "";
}

// Returns the message when VALUE does not suit the option NAME, else "".
std::string ApplyValue(const std::string& name, const std::string& value, ParseState& state) {
    LaunchOptions& options = state.options;
    if (name == "window-id") {
        return ApplyWindowId(value, state);
    } else if (name == "frame") {
        return ApplyFrame(value, state);
    } else if (name == "delay") {
        return ApplyDelay(value, state);
    } else if (name == "visual") {
        return ApplyVisual(value, state);
    } else if (name == "size") {
        return ParseSize(value, options) ? "" : "--size " + value + ": not a size (WxH)";
    } else if (name == "save-desktop") {
        state.Target(DrawTarget::SaveDesktop);
        options.out = value;
    } else if (name == "picture") {
        options.picture = value;
    } else if (name == "out") {
        options.out = value;
    } else {
        options.displayName = value;
    }
    return "";
}

// XScreenSaver names its window in the environment, and a hack told to draw on the root draws
// there: that window is the screen's root for it.
std::string AdoptScreenSaverWindow(const char* xscreenSaverWindow, ParseState& state) {
    const bool rootOrNothing = !state.targetNamed || state.options.target == DrawTarget::Root;
    if (!rootOrNothing || xscreenSaverWindow == nullptr || *xscreenSaverWindow == '\0') {
        return "";
    }
    const auto id = ParseWindowId(xscreenSaverWindow);
    if (!id) {
        return std::string("XSCREENSAVER_WINDOW=") + xscreenSaverWindow + ": not a window id";
    }
    state.options.target = DrawTarget::ForeignWindow;
    state.options.windowId = *id;
    state.options.startedByScreenSaver = true;
    return "";
}

bool Set(const char* variable) {
    return variable != nullptr && *variable != '\0';
}

// The options that name a window or a display of X's.
std::string XOptionNamed(const LaunchOptions& options) {
    if (options.target == DrawTarget::Root) {
        return "-root";
    }
    if (options.target == DrawTarget::ForeignWindow) {
        return "-window-id";
    }
    return options.displayName.empty() ? "" : "-display";
}

// Returns the message when the command line asks Wayland for something only X has, else "".
std::string ChooseDisplaySystem(ParseState& state, const LaunchEnvironment& environment) {
    const std::string xOption = XOptionNamed(state.options);
    if (state.displaySystemNamed == DisplaySystem::Wayland && !xOption.empty()) {
        return xOption + " names something of X's: not with -wayland";
    }
    const bool ofX = !xOption.empty() || Set(environment.xscreenSaverWindow);
    const DisplaySystem automatic =
        !ofX && Set(environment.waylandDisplay) ? DisplaySystem::Wayland : DisplaySystem::X11;
    state.options.displaySystem = state.displaySystemNamed.value_or(automatic);
    return "";
}

LaunchRequest Refused(const std::string& why, int status = kUsageStatus) {
    return {std::nullopt, why, status};
}

LaunchRequest Only(DrawTarget target) {
    LaunchOptions options;
    options.target = target;
    return {options, "", 0};
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
                                 const LaunchEnvironment& environment) {
    ParseState state;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const std::optional<std::string> name = OptionName(argument);
        if (name == "help" || name == "h") {
            return Only(DrawTarget::Help);
        } else if (name == "version") {
            return Only(DrawTarget::Version);
        } else if (name && ApplyFlag(*name, state)) {
            continue;
        } else if (!name || !TakesValue(*name)) {
            return Refused("unknown option " + argument);
        } else if (i + 1 == arguments.size()) {
            return Refused(argument + " needs a value");
        }
        const std::string error = ApplyValue(*name, arguments[++i], state);
        if (!error.empty()) {
            return Refused(error);
        }
    }
    if (state.options.target == DrawTarget::Frame &&
        (state.options.picture.empty() || state.options.out.empty())) {
        return Refused("--frame needs --picture FILE and --out FILE.png");
    }
    const std::string conflict = ChooseDisplaySystem(state, environment);
    if (!conflict.empty()) {
        return Refused(conflict);
    }
    if (state.options.displaySystem == DisplaySystem::X11) {
        const std::string error = AdoptScreenSaverWindow(environment.xscreenSaverWindow, state);
        if (!error.empty()) {
            return Refused(error, kFailureStatus);
        }
    }
    return {state.options, "", 0};
}
