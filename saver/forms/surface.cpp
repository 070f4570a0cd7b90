#include "forms/surface.h"

#include <algorithm>
#include <utility>

namespace forms {

Surface::~Surface() {
    if (dc_) {
        SelectObject(dc_.Get(), original_);
    }
}

void Surface::Resize(int width, int height, COLORREF background) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = std::max(width, 1);
    info.bmiHeader.biHeight = std::max(height, 1);  // positive: bottom row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc) {
        return;
    }
    HGDIOBJ original = SelectObject(dc.Get(), bitmap.Get());
    const RECT all{0, 0, info.bmiHeader.biWidth, info.bmiHeader.biHeight};
    FillSolid(dc.Get(), all, background);
    if (dc_) {
        BitBlt(dc.Get(), 0, 0, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
        SelectObject(dc_.Get(), original_);
    }
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    original_ = original;
    bits_ = bits;
    width_ = info.bmiHeader.biWidth;
    height_ = info.bmiHeader.biHeight;
}

void Surface::CopyTo(HDC target) const {
    if (dc_) {
        BitBlt(target, 0, 0, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
    }
}

}  // namespace forms
