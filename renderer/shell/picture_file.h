#pragma once

#include <optional>
#include <string>

#include "bitmap/bitmap_reader.h"

// The desktop picture the user named (--picture): a Windows bitmap, or a binary portable pixmap
// such as `grim -t ppm` writes. Where there is none, says why in one line naming the file.
std::optional<BitmapImage> ReadPictureFile(const std::string& path);
