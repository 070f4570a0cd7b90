#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "forms/font_description.h"
#include "forms/gdi.h"
#include "forms/mouse.h"

namespace forms {

class Container;
class Form;

// A windowless control: a label, a shape or an image. It has no window of its own; the form or
// container control that holds it draws it over its own background and hands it the mouse
// presses over its area. It registers with its form, so it may be declared before its holder.
class Graphic {
  public:
    Graphic(Form& form, const Container& holder, RECT bounds);
    virtual ~Graphic();
    Graphic(const Graphic&) = delete;
    Graphic& operator=(const Graphic&) = delete;

    const Container& Holder() const { return holder_; }
    const RECT& Bounds() const { return bounds_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    HCURSOR MousePointer() const { return pointer_; }
    // The pointer shown over the graphic; null for its holder's.
    void SetMousePointer(HCURSOR pointer) { pointer_ = pointer; }

    // A press of any button over the graphic, and a left press and release over it.
    std::function<void(const MouseEvent&)> MouseDown;
    std::function<void()> Click;

    virtual void Draw(HDC dc) const = 0;

  protected:
    // Has the holder draw the graphic's area again.
    void Refresh() const;

  private:
    Form& form_;
    const Container& holder_;
    RECT bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    HCURSOR pointer_ = nullptr;
};

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
    Label(Form& form, const Container& holder, RECT bounds, LabelDesign design);

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
    Shape(Form& form, const Container& holder, RECT bounds, COLORREF borderColor);
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

// Shows a picture at its own size from the image's top-left corner.
class Image : public Graphic {
  public:
    Image(Form& form, const Container& holder, RECT bounds);

    void SetPicture(std::shared_ptr<const Picture> picture);
    const std::shared_ptr<const Picture>& CurrentPicture() const { return picture_; }
    void Draw(HDC dc) const override;

  private:
    std::shared_ptr<const Picture> picture_;
};

}  // namespace forms
