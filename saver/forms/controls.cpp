#include "forms/controls.h"

#include <algorithm>
#include <cstdio>

#include "logic/bitmap_file.h"
#include "logic/hand_off.h"

namespace forms {

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* control =
            static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        control->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    auto* control = reinterpret_cast<Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (control == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return control->HandleMessage(message, wParam, lParam);
}

namespace {

constexpr wchar_t kControlClass[] = L"VorlentaControl";

void RegisterControlClass() {
    static bool registered = false;
    if (registered) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ControlWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.lpszClassName = kControlClass;
    registered = RegisterClassExW(&windowClass) != 0;
}

}  // namespace

Control::Control(Form& form, Container& parent, RECT bounds)
    : form_(form), parent_(parent), bounds_(bounds) {
    form_.controls_.push_back(this);
}

Control::~Control() {
    auto& controls = form_.controls_;
    controls.erase(std::remove(controls.begin(), controls.end(), this), controls.end());
}

void Control::Create() {
    RegisterControlClass();
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible_ ? WS_VISIBLE : 0);
    CreateWindowExW(0, kControlClass, L"", style, bounds_.left, bounds_.top, Width(), Height(),
                    parent_.WindowHandle(), nullptr, GetModuleHandleW(nullptr), this);
    Resized();
}

void Control::Destroyed() {
    window_ = nullptr;
}

void Control::Move(int left, int top, int width, int height) {
    const bool resized = width != Width() || height != Height();
    bounds_ = RECT{left, top, left + std::max(width, 0), top + std::max(height, 0)};
    if (window_ != nullptr) {
        MoveWindow(window_, left, top, Width(), Height(), TRUE);
    }
    if (resized) {
        Resized();
    }
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    if (window_ != nullptr) {
        ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
    }
}

void Control::Refresh() {
    if (window_ != nullptr) {
        InvalidateRect(window_, nullptr, FALSE);
    }
}

LRESULT Control::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // Paint covers the whole control
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            Paint(dc);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_NCDESTROY:
            window_ = nullptr;
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

PictureBox::PictureBox(Form& form, Container& parent, RECT bounds, COLORREF backColor)
    : Control(form, parent, bounds), backColor_(backColor) {}

PictureBox::~PictureBox() {
    ReleaseSurface();
}

void PictureBox::Resized() {
    CreateSurface(Width(), Height());
}

// A new surface keeps what the old one held where they overlap, as a retained picture does.
void PictureBox::CreateSurface(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = std::max(width, 1);
    info.bmiHeader.biHeight = std::max(height, 1);  // positive: bottom row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP surface = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    if (surface == nullptr || dc == nullptr) {
        if (surface != nullptr) {
            DeleteObject(surface);
        }
        if (dc != nullptr) {
            DeleteDC(dc);
        }
        return;
    }
    HGDIOBJ previous = SelectObject(dc, surface);
    RECT all{0, 0, info.bmiHeader.biWidth, info.bmiHeader.biHeight};
    HBRUSH brush = CreateSolidBrush(backColor_);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    if (surfaceDc_ != nullptr) {
        BitBlt(dc, 0, 0, surfaceWidth_, surfaceHeight_, surfaceDc_, 0, 0, SRCCOPY);
    }
    ReleaseSurface();
    surfaceDc_ = dc;
    surface_ = surface;
    previousBitmap_ = previous;
    bits_ = bits;
    surfaceWidth_ = info.bmiHeader.biWidth;
    surfaceHeight_ = info.bmiHeader.biHeight;
}

void PictureBox::ReleaseSurface() {
    if (surfaceDc_ != nullptr) {
        SelectObject(surfaceDc_, previousBitmap_);
        DeleteDC(surfaceDc_);
        DeleteObject(surface_);
    }
    surfaceDc_ = nullptr;
    surface_ = nullptr;
    bits_ = nullptr;
}

void PictureBox::Paint(HDC dc) {
    if (surfaceDc_ != nullptr) {
        BitBlt(dc, 0, 0, surfaceWidth_, surfaceHeight_, surfaceDc_, 0, 0, SRCCOPY);
    }
}

bool PictureBox::SavePicture(const std::string& path) const {
    if (bits_ == nullptr) {
        return false;
    }
    const std::string temporary = TemporaryPathBeside(path);
    if (!WriteBitmapFile(temporary)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    if (!MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

// The DIB section's rows are already in the file's order and padding.
bool PictureBox::WriteBitmapFile(const std::string& path) const {
    GdiFlush();
    const auto header = BitmapFileHeader(surfaceWidth_, surfaceHeight_);
    const size_t imageBytes = static_cast<size_t>(BitmapRowStride(surfaceWidth_)) * surfaceHeight_;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(header.data(), 1, header.size(), file) == header.size() &&
                         std::fwrite(bits_, 1, imageBytes, file) == imageBytes;
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

ImageControl::ImageControl(Form& form, Container& parent, RECT bounds)
    : Control(form, parent, bounds) {}

ImageControl::~ImageControl() {
    if (picture_ != nullptr) {
        DeleteObject(picture_);
    }
}

void ImageControl::SetPicture(HBITMAP picture) {
    if (picture_ != nullptr) {
        DeleteObject(picture_);
    }
    picture_ = picture;
    Refresh();
}

void ImageControl::Paint(HDC dc) {
    RECT client{0, 0, Width(), Height()};
    if (picture_ == nullptr) {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    BITMAP picture{};
    GetObjectW(picture_, sizeof(picture), &picture);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, picture_);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);  // required after choosing HALFTONE
    StretchBlt(dc, 0, 0, Width(), Height(), source, 0, 0, picture.bmWidth, picture.bmHeight,
               SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

}  // namespace forms
