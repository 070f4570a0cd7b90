// Feeds arbitrary arguments to the Linux program's option parser, as a shell, XScreenSaver or
// a desktop's screen saver or an idle daemon starts it: the input's NUL-separated pieces are its
// arguments, and leading pieces "XSCREENSAVER_WINDOW=..." and "WAYLAND_DISPLAY=..." are those
// variables of its environment instead. Whatever they are, the program either has options it
// can follow or one message and a refusal's status.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "shell/launch_options.h"

namespace {

constexpr char kWindowVariable[] = "XSCREENSAVER_WINDOW=";
constexpr char kWaylandVariable[] = "WAYLAND_DISPLAY=";

// Takes a leading "NAME=value" piece off ARGUMENTS into VALUE.
template <std::size_t N>
bool TakeVariable(std::vector<std::string>& arguments, const char (&name)[N], std::string& value) {
    if (arguments.empty() || arguments.front().rfind(name, 0) != 0) {
        return false;
    }
    value = arguments.front().substr(N - 1);
    arguments.erase(arguments.begin());
    return true;
}

void RequireFollowable(const LaunchOptions& options, bool fromEnvironment) {
    Require(options.frame >= 0 && options.frame <= kLastFrame, "a frame the animation has");
    Require(
        options.delayMicroseconds >= 0 && options.delayMicroseconds <= kLongestDelayMicroseconds,
        "a delay within its range");
    Require(options.width >= 1 && options.width <= 16384 && options.height >= 1 &&
                options.height <= 16384,
            "a frame size GL can draw");
    Require(
        options.target != DrawTarget::Frame || (!options.picture.empty() && !options.out.empty()),
        "a frame has its picture and its file");
    Require(options.target != DrawTarget::ForeignWindow || options.windowId != 0,
            "a window to draw into has an id");
    Require(!options.startedByScreenSaver ||
                (fromEnvironment && options.target == DrawTarget::ForeignWindow),
            "only XScreenSaver's window counts as started by it");
    Require(options.displaySystem == DisplaySystem::X11 ||
                (options.target != DrawTarget::Root &&
                 options.target != DrawTarget::ForeignWindow && options.displayName.empty()),
            "what names a window or display of X's is shown on X");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments = SplitInput(data, size, '\0');
    if (size == 0) {
        arguments.clear();
    }
    std::string window;
    std::string wayland;
    const bool fromEnvironment = TakeVariable(arguments, kWindowVariable, window);
    const bool waylandSession = TakeVariable(arguments, kWaylandVariable, wayland);
    const LaunchRequest request = ParseLaunchOptions(
        arguments,
        {fromEnvironment ? window.c_str() : nullptr, waylandSession ? wayland.c_str() : nullptr});
    if (request.options) {
        Require(request.error.empty() && request.status == 0, "options come without a message");
        RequireFollowable(*request.options, fromEnvironment);
    } else {
        Require(!request.error.empty(), "a refusal says why");
        Require(request.status == kUsageStatus || request.status == kFailureStatus,
                "a refusal ends with a refusal's status");
    }
    return 0;
}
