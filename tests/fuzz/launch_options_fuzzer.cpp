// Feeds arbitrary arguments to the Linux program's option parser, as a shell, XScreenSaver or
// a desktop's screen saver starts it: the input's NUL-separated pieces are its arguments, and a
// first piece "XSCREENSAVER_WINDOW=..." is that variable of its environment instead. Whatever
// they are, the program either has options it can follow or one message and a refusal's status.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "x11/launch_options.h"

namespace {

constexpr char kWindowVariable[] = "XSCREENSAVER_WINDOW=";

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
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments = SplitInput(data, size, '\0');
    if (size == 0) {
        arguments.clear();
    }
    std::string window;
    const bool fromEnvironment = arguments.front().rfind(kWindowVariable, 0) == 0;
    if (fromEnvironment) {
        window = arguments.front().substr(sizeof kWindowVariable - 1);
        arguments.erase(arguments.begin());
    }
    const LaunchRequest request =
        ParseLaunchOptions(arguments, fromEnvironment ? window.c_str() : nullptr);
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
