#include "texture/mipmap_base.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

// Every step below keeps GLU's order of float operations: a sum taken in another order, a
// weight multiplied out ahead of time or a product formed in double can move a total across a
// whole number, and then a byte differs.

namespace {

constexpr int kChannels = 3;

// GLU looks only at a side's two leading bits: "11" rounds up, anything else down.
int NearestPowerOfTwo(int side) {
    if (side <= 1) {
        return 1;
    }
    int power = 1;
    unsigned rest = static_cast<unsigned>(side);
    while (rest != 1 && rest != 3) {
        rest >>= 1;
        power *= 2;
    }
    return rest == 3 ? power * 4 : power;
}

int HalvedSide(int side) {
    return side > 1 ? side / 2 : side;
}

// One output pixel's box along one axis: from source pixel low, counted from lowFraction on,
// to source pixel high, counted up to highFraction.
struct BoxSpan {
    int low = 0;
    float lowFraction = 0.0f;
    int high = 0;
    float highFraction = 0.0f;
};

// The boxes follow one another by a step of source / target pixels, its whole and fractional
// parts added up separately. GLU keeps the rows' boxes inside the picture, but not the
// columns': the last column's box may end on the pixel just past a row, with no weight.
std::vector<BoxSpan> BoxSpans(int source, int target, bool keepInside) {
    const float step = static_cast<float>(source) / static_cast<float>(target);
    const int whole = static_cast<int>(std::floor(step));
    const float fraction = step - static_cast<float>(whole);
    std::vector<BoxSpan> spans(static_cast<std::size_t>(target));
    BoxSpan next{0, 0.0f, whole, fraction};
    for (BoxSpan& span : spans) {
        if (keepInside && next.high >= source) {
            next.high = source - 1;
        }
        span = next;
        next.low = next.high;
        next.lowFraction = next.highFraction;
        next.high += whole;
        next.highFraction += fraction;
        if (next.highFraction > 1.0f) {
            next.highFraction -= 1.0f;
            ++next.high;
        }
    }
    return spans;
}

// A pixel's three channels as floats in one four-lane vector (the fourth lane stays 0), so
// that each step on a pixel is one vector operation, rounded per lane exactly as the scalar
// step it stands for.
typedef float Lanes __attribute__((vector_size(16)));
typedef int IntLanes __attribute__((vector_size(16)));

// How a widened pixel is kept. It is copied into Lanes for use, since 32-bit Windows allocates
// to 8 bytes only and a vector operation on memory assumes 16.
struct WidePixel {
    float lane[4];
};

// Both partial pixels of a row inside the box are summed before they join the total.
Lanes RowEnds(Lanes first, float firstWeight, Lanes last, float lastWeight) {
    return first * firstWeight + last * lastWeight;
}

// The source rows of the current row of boxes, widened to floats once rather than at every
// read. Boxes move down the picture, so a ring of as many rows as one box spans is enough.
class BoxRows {
  public:
    BoxRows(const BitmapImage& picture, int rowsPerBox)
        : picture_(picture),
          lastColumn_(picture.width - 1),
          lastPixel_(static_cast<std::size_t>(picture.width) * picture.height - 1),
          ring_(static_cast<std::size_t>(rowsPerBox) * picture.width),
          ringRow_(static_cast<std::size_t>(rowsPerBox), -1),
          current_(static_cast<std::size_t>(rowsPerBox)) {}

    void Take(const BoxSpan& y) {
        first_ = y.low;
        for (int row = y.low; row <= y.high; ++row) {
            current_[static_cast<std::size_t>(row - y.low)] = Held(row);
        }
    }

    // A column just past the row's end carries no weight in any box, so the row's last pixel
    // may stand for it and every read stays inside the picture.
    Lanes At(int row, int column) const {
        Lanes pixel;
        std::memcpy(
            &pixel,
            &current_[static_cast<std::size_t>(row - first_)][std::min(column, lastColumn_)],
            sizeof pixel);
        return pixel;
    }

    // A pixel as GLU finds it by counting on from a row's start: a column past the row's end
    // lies in the rows below. Past the last pixel GLU reads whatever memory follows the
    // picture; the last pixel stands in for that.
    Lanes Onward(int row, int column) const {
        if (column <= lastColumn_) {
            return At(row, column);
        }
        const std::size_t index = std::min(
            static_cast<std::size_t>(row) * static_cast<std::size_t>(picture_.width) + column,
            lastPixel_);
        const std::uint8_t* in = picture_.pixels.data() + index * kChannels;
        return Lanes{static_cast<float>(in[0]), static_cast<float>(in[1]),
                     static_cast<float>(in[2]), 0.0f};
    }

  private:
    const WidePixel* Held(int row) {
        const std::size_t slot = static_cast<std::size_t>(row) % ringRow_.size();
        WidePixel* held = &ring_[slot * static_cast<std::size_t>(picture_.width)];
        if (ringRow_[slot] != row) {
            Widen(row, held);
            ringRow_[slot] = row;
        }
        return held;
    }

    void Widen(int row, WidePixel* out) const {
        const std::uint8_t* in =
            picture_.pixels.data() + static_cast<std::size_t>(row) * picture_.width * kChannels;
        for (int column = 0; column < picture_.width; ++column, in += kChannels) {
            out[column] = {{static_cast<float>(in[0]), static_cast<float>(in[1]),
                            static_cast<float>(in[2]), 0.0f}};
        }
    }

    const BitmapImage& picture_;
    int lastColumn_;
    std::size_t lastPixel_;
    std::vector<WidePixel> ring_;
    std::vector<int> ringRow_;
    std::vector<const WidePixel*> current_;
    int first_ = 0;
};

// One row of the box, every pixel of it weighted by rowWeight and its two ends further by how
// much of them the box covers.
inline void AddBoxRow(Lanes& totals, const BoxRows& source, int row, const BoxSpan& x,
                      float rowWeight) {
    totals += source.At(row, x.low) * (rowWeight * (1.0f - x.lowFraction));
    for (int column = x.low + 1; column < x.high; ++column) {
        totals += source.At(row, column) * rowWeight;
    }
    totals += source.At(row, x.high) * (rowWeight * x.highFraction);
}

// One column of the box, the same way.
inline void AddBoxColumn(Lanes& totals, const BoxRows& source, const BoxSpan& y, int column,
                         float columnWeight) {
    totals += source.At(y.low, column) * ((1.0f - y.lowFraction) * columnWeight);
    for (int row = y.low + 1; row < y.high; ++row) {
        totals += source.At(row, column) * columnWeight;
    }
    totals += source.At(y.high, column) * (columnWeight * y.highFraction);
}

// The box's edge: its first and last rows, then the two ends of the rows between them. GLU
// moves its pointers to those ends down a row and, with each row, one pixel on as well, so on
// the k-th of those rows both ends are read k - 1 pixels to their right.
inline void AddBoxEdge(Lanes& totals, const BoxRows& source, const BoxSpan& y, const BoxSpan& x) {
    AddBoxRow(totals, source, y.low, x, 1.0f - y.lowFraction);
    AddBoxRow(totals, source, y.high, x, y.highFraction);
    for (int row = y.low + 1, drift = 0; row < y.high; ++row, ++drift) {
        totals += RowEnds(source.Onward(row, x.low + drift), 1.0f - x.lowFraction,
                          source.Onward(row, x.high + drift), x.highFraction);
    }
}

// Where the box spans more than one pixel on either axis its edge is weighted; what lies
// inside the edge counts whole.
inline Lanes SumBox(const BoxRows& source, const BoxSpan& y, const BoxSpan& x) {
    Lanes totals = {0.0f, 0.0f, 0.0f, 0.0f};
    if (y.high > y.low && x.high > x.low) {
        AddBoxEdge(totals, source, y, x);
    } else if (y.high > y.low) {
        AddBoxColumn(totals, source, y, x.low, x.highFraction - x.lowFraction);
    } else if (x.high > x.low) {
        AddBoxRow(totals, source, y.low, x, y.highFraction - y.lowFraction);
    } else {
        totals += source.At(y.low, x.low) *
                  ((y.highFraction - y.lowFraction) * (x.highFraction - x.lowFraction));
    }
    for (int row = y.low + 1; row < y.high; ++row) {
        for (int column = x.low + 1; column < x.high; ++column) {
            totals += source.At(row, column);
        }
    }
    return totals;
}

// Every box is divided by the nominal area, not by the weights it summed, and truncated.
BitmapImage ScaleByBoxes(const BitmapImage& picture, PictureSize size,
                         ScaledPixelSource pixelsFrom) {
    const std::vector<BoxSpan> rows = BoxSpans(picture.height, size.height, true);
    const std::vector<BoxSpan> columns = BoxSpans(picture.width, size.width, false);
    const float rowStep = static_cast<float>(picture.height) / static_cast<float>(size.height);
    const float area = static_cast<float>(picture.width) / static_cast<float>(size.width) * rowStep;
    BoxRows source(picture, static_cast<int>(std::floor(rowStep)) + 2);
    BitmapImage scaled{size.width, size.height,
                       pixelsFrom(static_cast<std::size_t>(size.width) * size.height * kChannels)};
    std::uint8_t* out = scaled.pixels.data();
    for (const BoxSpan& y : rows) {
        source.Take(y);
        for (const BoxSpan& x : columns) {
            const IntLanes values = __builtin_convertvector(SumBox(source, y, x) / area, IntLanes);
            for (int k = 0; k < kChannels; ++k) {
                *out++ = static_cast<std::uint8_t>(values[k]);
            }
        }
    }
    return scaled;
}

// At exactly half the size GLU takes the rounded mean of each 2 x 2 block instead.
BitmapImage HalveByBlocks(const BitmapImage& picture, ScaledPixelSource pixelsFrom) {
    const std::size_t stride = static_cast<std::size_t>(picture.width) * kChannels;
    const PictureSize size{picture.width / 2, picture.height / 2};
    BitmapImage halved{size.width, size.height,
                       pixelsFrom(static_cast<std::size_t>(size.width) * size.height * kChannels)};
    std::uint8_t* out = halved.pixels.data();
    for (int row = 0; row < halved.height; ++row) {
        const std::uint8_t* top =
            picture.pixels.data() + 2 * static_cast<std::size_t>(row) * stride;
        const std::uint8_t* bottom = top + stride;
        for (int column = 0; column < halved.width; ++column) {
            for (int k = 0; k < kChannels; ++k) {
                *out++ = static_cast<std::uint8_t>(
                    (top[k] + top[k + kChannels] + bottom[k] + bottom[k + kChannels] + 2) / 4);
            }
            top += 2 * kChannels;
            bottom += 2 * kChannels;
        }
    }
    return halved;
}

BitmapImage ScaledTo(const BitmapImage& picture, PictureSize size, ScaledPixelSource pixelsFrom) {
    if (picture.width == size.width * 2 && picture.height == size.height * 2) {
        return HalveByBlocks(picture, pixelsFrom);
    }
    return ScaleByBoxes(picture, size, pixelsFrom);
}

}  // namespace

std::vector<std::uint8_t> PixelsFromHeap(std::size_t bytes) {
    return std::vector<std::uint8_t>(bytes);
}

PictureSize MipmapBaseSize(int width, int height, const LevelOneFits& fits, int maxTextureSize) {
    const PictureSize rounded{NearestPowerOfTwo(width), NearestPowerOfTwo(height)};
    for (PictureSize size = rounded;; size = {HalvedSide(size.width), HalvedSide(size.height)}) {
        if (fits({HalvedSide(size.width), HalvedSide(size.height)})) {
            return size;
        }
        if (size == PictureSize{1, 1}) {
            break;
        }
    }
    const int limit = std::max(1, maxTextureSize);
    return {std::min(rounded.width, limit), std::min(rounded.height, limit)};
}

// Without the memory for a second picture (a 32-bit renderer's address space may hold little
// more than the desktop and its texture) the show still starts: GLU scales the desktop itself.
std::optional<BitmapImage> ScaleToMipmapBase(const BitmapImage& picture, PictureSize base,
                                             ScaledPixelSource pixelsFrom) {
    if (base == PictureSize{picture.width, picture.height}) {
        return std::nullopt;
    }
    try {
        return ScaledTo(picture, base, pixelsFrom);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}
