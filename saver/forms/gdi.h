#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "forms/font_description.h"

namespace forms {

// How many GDI objects our code holds right now. Every object it creates passes through
// GdiObject, so a test can see a leak even where GetGuiResources answers nothing.
int LiveGdiObjects();

namespace gdi_detail {
void Count(int change);
inline void Release(HDC dc) {
    DeleteDC(dc);
}
inline void Release(HGDIOBJ object) {
    DeleteObject(object);
}
}  // namespace gdi_detail

// Owns one GDI object (a font, brush, bitmap or memory device context) and releases it once.
template <typename Handle>
class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {
        if (handle_ != nullptr) {
            gdi_detail::Count(+1);
        }
    }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset() {
        if (handle_ != nullptr) {
            gdi_detail::Release(handle_);
            gdi_detail::Count(-1);
            handle_ = nullptr;
        }
    }

  private:
    Handle handle_ = nullptr;
};

using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;
using FontHandle = GdiObject<HFONT>;
using MemoryDc = GdiObject<HDC>;
using Pen = GdiObject<HPEN>;

// Selects an object into a device context for one scope and puts the old one back.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Makes the GDI font a description stands for, its height in pixels from its points at the
// device's vertical resolution.
FontHandle MakeFont(const FontDescription& font, int pixelsPerInchY);
// The same at the resolution the forms are designed for, for text drawn on screen.
FontHandle MakeScreenFont(const FontDescription& font);

// Text on a transparent background in the given font and format. Disabled text is drawn
// engraved, as a disabled label is: a light copy one pixel down and right under grey text.
void DrawLabelText(HDC dc, const std::wstring& text, const RECT& area, UINT format, HFONT font,
                   COLORREF colour, bool enabled);

// Fills a rectangle with a solid colour through a brush that lives only for the call.
void FillSolid(HDC dc, const RECT& area, COLORREF colour);

}  // namespace forms
