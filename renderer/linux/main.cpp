// vorlenta: the desktop-exploding screen saver as a native X11 program, for XScreenSaver and the
// desktops' screen savers, and for rendering single frames without a display.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "vorlenta_version.h"
#include "x11/glx_shell.h"
#include "headless/headless_frame.h"
#include "shell/launch_options.h"
#include "shell/messages.h"

namespace {

// A display mode started with a wrong option by a settings file leaves only its stderr behind:
// one line that says what is wrong is worth more there than the whole usage text.
int Refuse(const LaunchRequest& request) {
    Fail(request.status == kUsageStatus ? request.error + " (vorlenta --help lists the options)"
                                        : request.error);
    return request.status;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const LaunchRequest request = ParseLaunchOptions(
        arguments, {std::getenv("XSCREENSAVER_WINDOW"), std::getenv("WAYLAND_DISPLAY")});
    if (!request.options) {
        return Refuse(request);
    }
    switch (request.options->target) {
        case DrawTarget::Help:
            std::fputs(kUsage, stdout);
            return 0;
        case DrawTarget::Version:
            std::printf("vorlenta %d.%d.%d\n", VORLENTA_VERSION_MAJOR, VORLENTA_VERSION_MINOR,
                        VORLENTA_VERSION_PATCH);
            return 0;
        case DrawTarget::Frame:
            return WriteHeadlessFrame(*request.options);
        case DrawTarget::SaveDesktop:
            return SaveDesktop(*request.options);
        default:
            return RunOnDisplay(*request.options);
    }
}
