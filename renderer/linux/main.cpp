// vorlenta: the desktop-exploding screen saver as a native Linux program: on X11 for
// XScreenSaver and the desktops' screen savers, on Wayland for an idle daemon such as swayidle,
// and single frames rendered without any display.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "headless/headless_frame.h"
#include "shell/launch_options.h"
#include "shell/messages.h"
#include "vorlenta_version.h"
#include "wayland/wayland_shell.h"
#include "x11/glx_shell.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

// Without SA_RESTART, so that a shell waiting for its display wakes at once.
void InstallStopSignals() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool StopRequested() {
    return stopRequested != 0;
}

// A display mode started with a wrong option by a settings file leaves only its stderr behind:
// one line that says what is wrong is worth more there than the whole usage text.
int Refuse(const LaunchRequest& request) {
    Fail(request.status == kUsageStatus ? request.error + " (vorlenta --help lists the options)"
                                        : request.error);
    return request.status;
}

int Show(const LaunchOptions& options) {
    InstallStopSignals();
    return options.displaySystem == DisplaySystem::Wayland ? RunOnWayland(options, StopRequested)
                                                           : RunOnDisplay(options, StopRequested);
}

int SaveDesktop(const LaunchOptions& options) {
    return options.displaySystem == DisplaySystem::Wayland ? SaveWaylandDesktop(options)
                                                           : SaveX11Desktop(options);
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
            return Show(*request.options);
    }
}
