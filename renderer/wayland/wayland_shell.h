#pragma once

#include "shell/launch_options.h"

// Runs the animation in a Wayland session: full screen on the output the user works on, the
// other outputs black, or in a window of its own; the desktop photographed first (through grim)
// unless a picture is given. Ends on Escape, when the compositor closes its window or goes, and
// once stopRequested says so (SIGTERM, SIGINT). Returns the exit code.
int RunOnWayland(const LaunchOptions& options, bool (*stopRequested)());

// Writes the desktop picture the animation would take into a PNG. Returns the exit code.
int SaveWaylandDesktop(const LaunchOptions& options);
