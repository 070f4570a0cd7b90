#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

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

// The driver's answer to the question GLU asks before it scales: whether a texture whose level 1
// has this size (with all the smaller levels) fits. GLU asks through a proxy texture, and a
// driver may refuse there what its largest texture size would allow.
using LevelOneFits = std::function<bool(PictureSize levelOne)>;

// The size gluBuild2DMipmaps gives the first level of an RGB picture: each side goes to a power
// of two by its two leading bits (up when both are set, so 1536 and 1920 become 2048; down
// otherwise, so 1366 becomes 1024), then both sides are halved together until the driver says
// the level below fits. Where not even 1 x 1 does, GLU cuts each side on its own to
// maxTextureSize (GL_MAX_TEXTURE_SIZE). Sides below 1 count as 1.
PictureSize MipmapBaseSize(int width, int height, const LevelOneFits& fits, int maxTextureSize);

// Where the scaled picture's bytes come from: the heap, which throws std::bad_alloc when they
// cannot be had. A test hands in a source that has none.
using ScaledPixelSource = std::vector<std::uint8_t> (*)(std::size_t bytes);
std::vector<std::uint8_t> PixelsFromHeap(std::size_t bytes);

// The picture at BASE (the size MipmapBaseSize gives, so that GLU takes it as it is), as GLU's
// scaling of unsigned bytes makes it: a box filter whose
// edges and weights are accumulated in single-precision floats and whose results are
// truncated, the two ends of a box's inner rows read where GLU's pointers reach them (one pixel
// further on for each such row below the first, so a box taller than three rows shifts them),
// or, at exactly half the size on both axes, the rounded mean of each 2 x 2 block.
// None where the picture already has that size, or where the memory for the scaled picture
// cannot be had: either way GLU takes the picture as it is.
std::optional<BitmapImage> ScaleToMipmapBase(const BitmapImage& picture, PictureSize base,
                                             ScaledPixelSource pixelsFrom = PixelsFromHeap);
