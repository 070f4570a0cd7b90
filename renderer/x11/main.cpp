// vorlenta: the desktop-exploding screen saver as a native X11 program, for XScreenSaver and the
// desktops' screen savers, and for rendering single frames without a display.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "x11/glx_shell.h"
#include "x11/headless_frame.h"
#include "x11/launch_options.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const LaunchRequest request = ParseLaunchOptions(arguments, std::getenv("XSCREENSAVER_WINDOW"));
    if (!request.options) {
        std::fprintf(stderr, "vorlenta: %s\n\n%s", request.error.c_str(), kUsage);
        return 2;
    }
    switch (request.options->target) {
        case DrawTarget::Help:
            std::fputs(kUsage, stdout);
            return 0;
        case DrawTarget::Frame:
            return WriteHeadlessFrame(*request.options);
        case DrawTarget::SaveDesktop:
            return SaveDesktop(*request.options);
        default:
            return RunOnDisplay(*request.options);
    }
}
