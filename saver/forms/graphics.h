#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "forms/container.h"
#include "forms/font_description.h"
#include "forms/gdi.h"

namespace forms {

enum class Alignment { Left, Centre };

struct LabelDesign {
    std::string caption;  // UTF-8
    FontDescription font;
    COLORREF foreColor = RGB(0, 0, 0);
    Alignment alignment = Alignment::Left;
    bool border = false;
    // Wrapped at the label's width and cut at its edges; otherwise one line that may run past
    // them, so that a font wider than the design's still shows the whole caption.
    bool wrap = false;
};

// Text on a transparent background, greyed when disabled.
class Label : public Graphic {
  public:
    Label(Container& holder, RECT bounds, LabelDesign design);

    void SetCaption(std::wstring caption);
    const std::wstring& Caption() const { return caption_; }
    void Draw(HDC dc) const override;

  private:
    LabelDesign design_;
    std::wstring caption_;
    FontHandle font_;
};

// The outline of a rectangle.
class Shape : public Graphic {
  public:
    Shape(Container& holder, RECT bounds, COLORREF borderColor);
    void Draw(HDC dc) const override;

  private:
    COLORREF borderColor_;
};

// A bitmap that several images may show at once; released once, with the last of them.
class Picture {
  public:
    explicit Picture(Bitmap bitmap);
    static std::shared_ptr<const Picture> FromResource(WORD resource);
    HBITMAP Handle() const { return bitmap_.Get(); }
    SIZE Size() const { return size_; }

  private:
    Bitmap bitmap_;
    SIZE size_{0, 0};
};

// Shows a picture stretched to the image's size.
class Image : public Graphic {
  public:
    Image(Container& holder, RECT bounds);

    void SetPicture(std::shared_ptr<const Picture> picture);
    void Draw(HDC dc) const override;

  private:
    std::shared_ptr<const Picture> picture_;
};

}  // namespace forms
