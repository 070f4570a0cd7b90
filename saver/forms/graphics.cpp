#include "forms/graphics.h"

#include <utility>

#include "system/wide_text.h"

namespace forms {

Label::Label(Container& holder, RECT bounds, LabelDesign design)
    : Graphic(holder, bounds),
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

Shape::Shape(Container& holder, RECT bounds, COLORREF borderColor)
    : Graphic(holder, bounds), borderColor_(borderColor) {}

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

Image::Image(Container& holder, RECT bounds) : Graphic(holder, bounds) {}

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
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
               source.Get(), 0, 0, picture_->Size().cx, picture_->Size().cy, SRCCOPY);
}

}  // namespace forms
