#pragma once

#include <optional>
#include <string>

#include "bitmap/bitmap_reader.h"

// The desktop of one output as it stands, photographed through grim, which copies the screen
// with the compositor's wlr-screencopy. outputName: as grim -o takes it; empty for the whole
// desktop. None, after saying why, where grim is missing or fails.
std::optional<BitmapImage> PhotographOutput(const std::string& outputName);
