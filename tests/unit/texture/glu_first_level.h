#pragma once

#include "bitmap/bitmap_reader.h"

// The first level of the texture that the real gluBuild2DMipmaps makes of an RGB picture, read
// back from GL: the size GLU chose and the pixels it scaled. Needs a current context.
BitmapImage GluFirstLevel(const BitmapImage& picture);
