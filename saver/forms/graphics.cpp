#include "forms/graphics.h"

#include <algorithm>
#include <utility>

#include "forms/form.h"
#include "win32/wide_text.h"

namespace forms {
Graphic::Graphic(Form& form, const Container& holder, RECT bounds)
    : form_(form), holder_(holder), bounds_(bounds) {
    form_.graphics_.push_back(this);
}

Graphic::~Graphic() {
    auto& graphics = form_.graphics_;
    graphics.erase(std::remove(graphics.begin(), graphics.end(), this), graphics.end());
}

void Graphic::SetVisible(bool visible) {
    visible_ = visible;
    Refresh();
}

void Graphic::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Refresh();
}

void Graphic::Refresh() const {
    if (HWND window = holder_.WindowHandle()) {
        InvalidateRect(window, &bounds_, TRUE);
    }
}

Label::Label(Form& form, const Container& holder, RECT bounds, LabelDesign design)
    : Graphic(form, holder, bounds),
      design_(std::move(design)),
      caption_(Widen(design_.caption)),
      font_(MakeScreenFont(design_.font)) {}

void Label::SetCaption(std::wstring caption) {
    caption_ = std::move(caption);
    Refresh();
}

void Label::Draw(HDC dc) const {
    RECT area = Bounds();
    if (design_.border) {
        DrawEdge(dc, &area, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    UINT format = DT_NOPREFIX;
    format |= design_.wrap ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE | DT_NOCLIP;
    format |= design_.alignment == Alignment::Centre ? DT_CENTER : DT_LEFT;
    DrawLabelText(dc, caption_, area, format, font_.Get(), design_.foreColor, Enabled());
}

Shape::Shape(Form& form, const Container& holder, RECT bounds, COLORREF borderColor)
    : Graphic(form, holder, bounds), borderColor_(borderColor) {}

void Shape::Draw(HDC dc) const {
    const Brush border(CreateSolidBrush(borderColor_));
    FrameRect(dc, &Bounds(), border.Get());
}

Picture::Picture(Bitmap bitmap) : bitmap_(std::move(bitmap)) {
    BITMAP info{};
    if (bitmap_ && GetObjectW(bitmap_.Get(), sizeof(info), &info) != 0) {
        size_ = SIZE{info.bmWidth, info.bmHeight};
    }
}

std::shared_ptr<const Picture> Picture::FromResource(WORD resource) {
    return std::make_shared<const Picture>(Bitmap(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))));
}

Image::Image(Form& form, const Container& holder, RECT bounds) : Graphic(form, holder, bounds) {}

void Image::SetPicture(std::shared_ptr<const Picture> picture) {
    picture_ = std::move(picture);
    Refresh();
}

void Image::Draw(HDC dc) const {
    if (!picture_ || picture_->Handle() == nullptr) {
        return;
    }
    const RECT& area = Bounds();
    const MemoryDc source(CreateCompatibleDC(dc));
    const Selection selected(source.Get(), picture_->Handle());
    const int width = std::min<int>(picture_->Size().cx, area.right - area.left);
    const int height = std::min<int>(picture_->Size().cy, area.bottom - area.top);
    BitBlt(dc, area.left, area.top, width, height, source.Get(), 0, 0, SRCCOPY);
}

}  // namespace forms
