#pragma once

#include "shell/launch_options.h"

// Runs the animation on the X display: in a window of its own, in a window someone else made,
// or on the root window, until Escape (own window), the window's end, or until stopRequested
// says so (SIGTERM, SIGINT). Returns the exit code.
int RunOnDisplay(const LaunchOptions& options, bool (*stopRequested)());

// Writes the desktop picture the animation would take into a PNG. Returns the exit code.
int SaveX11Desktop(const LaunchOptions& options);
