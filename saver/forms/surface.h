#pragma once

#include <windows.h>

#include "forms/gdi.h"

namespace forms {

// A retained drawing surface: a 24-bit bottom-up DIB section selected into a memory device
// context. What is drawn stays until it is drawn over, and the window that shows it only
// copies it to the screen, so nothing needs repainting when the window is uncovered.
class Surface {
  public:
    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface();

    // Makes the surface WIDTH x HEIGHT (at least 1 x 1), filled with BACKGROUND; what the old
    // surface held is kept where the two overlap.
    void Resize(int width, int height, COLORREF background);
    void CopyTo(HDC target) const;

    HDC Dc() const { return dc_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The pixel rows, bottom row first, each padded to four bytes.
    const void* Bits() const { return bits_; }

  private:
    Bitmap bitmap_;
    MemoryDc dc_;
    HGDIOBJ original_ = nullptr;
    void* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace forms
