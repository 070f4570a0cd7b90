#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/launch_options.h"

// Renders frame N of the animation from a picture file into a PNG, with no display at all
// (Mesa's EGL without a surface of a window system). The same N gives the same picture on every
// run. Returns the exit code.
int WriteHeadlessFrame(const LaunchOptions& options);

// Writes rows of RGB pixels, bottom row first, as a PNG; where it cannot, says why.
bool WritePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& bottomUpRgb);
