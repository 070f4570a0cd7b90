#pragma once

#include <optional>

#include "bitmap/bitmap_reader.h"

// gluBuild2DMipmaps first scales a picture whose sides are not powers of two, and for a desktop
// that is the slowest step of the start. Given a picture already at that size GLU only builds
// the smaller levels, so the renderer scales the picture here: to the size GLU would choose,
// with the pixels GLU's own scaling would give, bit for bit.

struct PictureSize {
    int width = 0;
    int height = 0;
};

inline bool operator==(PictureSize a, PictureSize b) {
    return a.width == b.width && a.height == b.height;
}

// The size gluBuild2DMipmaps gives the first level of an RGB picture: each side goes to a power
// of two by its two leading bits (up when both are set, so 1536 and 1920 become 2048; down
// otherwise, so 1366 becomes 1024), then both sides are halved together until neither exceeds
// maxTextureSize (GL_MAX_TEXTURE_SIZE, itself a power of two). Sides below 1 count as 1.
PictureSize MipmapBaseSize(int width, int height, int maxTextureSize);

// The picture at MipmapBaseSize, as GLU's scaling of unsigned bytes makes it: a box filter whose
// edges and weights are accumulated in single-precision floats and whose results are
// truncated, or, at exactly half the size on both axes, the rounded mean of each 2 x 2 block.
// None where the picture already has that size: GLU then takes it as it is.
std::optional<BitmapImage> ScaleToMipmapBase(const BitmapImage& picture, int maxTextureSize);
