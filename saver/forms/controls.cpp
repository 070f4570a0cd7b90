#include "forms/controls.h"

#include <algorithm>

#include "hand_off/snapshot_bitmap.h"
#include "forms/access.h"
#include "paths/program_folder.h"
#include "system/wide_text.h"

namespace forms {
namespace {

constexpr wchar_t kControlClass[] = L"VorlentaControl";

}  // namespace

Control::Control(Form& form, Container& parent, RECT bounds)
    : form_(form), parent_(parent), bounds_(bounds) {
    form_.AddControl(*this);
}

// A control that goes before its form takes its window with it, while the control can still
// hear the window's last messages.
Control::~Control() {
    if (WindowHandle() != nullptr) {
        DestroyWindow(WindowHandle());
    }
    form_.RemoveControl(*this);
}

DWORD Control::Style() const {
    return WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | ExtraStyle() |
           (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
}

// System controls never see our creation parameter, so their window comes from the call.
void Control::CreateWindowNow() {
    if (const wchar_t* systemClass = SystemClass()) {
        AdoptWindow(CreateWindowExW(ExtraExStyle(), systemClass, L"", Style(), bounds_.left,
                                    bounds_.top, Width(), Height(), parent_.WindowHandle(), nullptr,
                                    GetModuleHandleW(nullptr), nullptr));
    } else {
        CreateOwnWindow(kControlClass, ExtraExStyle(), L"", Style(),
                        POINT{bounds_.left, bounds_.top}, SIZE{Width(), Height()},
                        parent_.WindowHandle());
    }
    if (WindowHandle() != nullptr) {
        Created();
    }
    Resized();
}

// Our own windows hear their end themselves; a system control's is only known from its form.
void Control::FormWindowGone() {
    if (SystemClass() != nullptr) {
        AdoptWindow(nullptr);
    }
}

void Control::Move(int left, int top, int width, int height) {
    const bool resized = width != Width() || height != Height();
    bounds_ = RECT{left, top, left + std::max(width, 0), top + std::max(height, 0)};
    if (WindowHandle() != nullptr) {
        MoveWindow(WindowHandle(), left, top, Width(), Height(), TRUE);
    }
    if (resized) {
        Resized();
    }
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    if (WindowHandle() != nullptr) {
        ShowWindow(WindowHandle(), visible ? SW_SHOW : SW_HIDE);
    }
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (WindowHandle() != nullptr) {
        EnableWindow(WindowHandle(), enabled);
    }
}

void Control::Refresh() {
    if (WindowHandle() != nullptr) {
        InvalidateRect(WindowHandle(), nullptr, FALSE);
    }
}

LRESULT Control::HandleReport(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(form_.WindowHandle(), message, wParam, lParam);
}

LRESULT Control::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFOCUS:
            GotFocus();
            return 0;
        case WM_KILLFOCUS:
            LostFocus();
            return 0;
        case WM_SETCURSOR:
            return OnSetCursor(wParam, lParam);
        case WM_ERASEBKGND:
            return 1;  // Paint covers the whole control
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_PAINT:
            return OnPaint();
        default:
            return RouteMouse(message, wParam, lParam) ? 0 : Default(message, wParam, lParam);
    }
}

LRESULT Control::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(lParam) == HTCLIENT && ShowPointer(pointer_)) {
        return TRUE;
    }
    return Default(WM_SETCURSOR, wParam, lParam);
}

LRESULT Control::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(WindowHandle(), &paint);
    Paint(dc);
    EndPaint(WindowHandle(), &paint);
    return 0;
}

PictureBox::PictureBox(Form& form, Container& parent, RECT bounds, COLORREF backColor,
                       bool sunkenBorder)
    : Control(form, parent, bounds), backColor_(backColor), sunkenBorder_(sunkenBorder) {}

void PictureBox::DrawPicture(const Picture& picture) {
    if (surface_.Dc() == nullptr || picture.Handle() == nullptr) {
        return;
    }
    const MemoryDc source(CreateCompatibleDC(surface_.Dc()));
    const Selection selected(source.Get(), picture.Handle());
    BitBlt(surface_.Dc(), 0, 0, picture.Size().cx, picture.Size().cy, source.Get(), 0, 0, SRCCOPY);
    Refresh();
}

void PictureBox::Resized() {
    surface_.Resize(Width(), Height(), backColor_);
}

void PictureBox::Paint(HDC dc) {
    surface_.CopyTo(dc);
    PaintGraphics(dc);
}

bool PictureBox::SavePicture(const std::wstring& path, SECURITY_ATTRIBUTES* access) const {
    if (surface_.Bits() == nullptr) {
        return false;
    }
    const std::wstring temporary = TemporaryPathBeside(path, RunningUserSid());
    DeleteFileW(temporary.c_str());
    if (!WriteBitmapFile(temporary, access)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

namespace {

bool WriteAll(HANDLE file, const void* bytes, size_t count) {
    DWORD written = 0;
    return WriteFile(file, bytes, static_cast<DWORD>(count), &written, nullptr) && written == count;
}

}  // namespace

// The DIB section's rows are already in the file's order and padding.
bool PictureBox::WriteBitmapFile(const std::wstring& path, SECURITY_ATTRIBUTES* access) const {
    GdiFlush();
    const auto header = BitmapFileHeader(surface_.Width(), surface_.Height());
    const size_t imageBytes =
        static_cast<size_t>(BitmapRowStride(surface_.Width())) * surface_.Height();
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, access, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool written =
        WriteAll(file, header.data(), header.size()) && WriteAll(file, surface_.Bits(), imageBytes);
    const bool closed = CloseHandle(file) != FALSE;
    return written && closed;
}

namespace {

// The list's height below the edit field: room for about a dozen entries before it scrolls.
constexpr int kDroppedListHeight = 200;

RECT WithDroppedList(RECT bounds) {
    bounds.bottom += kDroppedListHeight;
    return bounds;
}

}  // namespace

ComboBox::ComboBox(Form& form, Container& parent, RECT bounds, const FontDescription& font)
    : Control(form, parent, WithDroppedList(bounds)), font_(MakeScreenFont(font)) {}

DWORD ComboBox::ExtraStyle() const {
    return CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
}

void ComboBox::Created() {
    SendMessageW(WindowHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
}

void ComboBox::AddItem(std::string_view text) {
    SendMessageW(WindowHandle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

std::string ComboBox::Text() const {
    const int length = GetWindowTextLengthW(WindowHandle());
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(WindowHandle(), text.data(), length + 1)));
    return Narrow(text);
}

void ComboBox::SetText(std::string_view text) {
    SetWindowTextW(WindowHandle(), Widen(text).c_str());
}

ImageControl::ImageControl(Form& form, Container& parent, RECT bounds)
    : Control(form, parent, bounds) {}

void ImageControl::SetPicture(HBITMAP picture) {
    picture_ = Bitmap(picture);
    Refresh();
}

void ImageControl::Paint(HDC dc) {
    RECT client{0, 0, Width(), Height()};
    if (!picture_) {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    BITMAP picture{};
    GetObjectW(picture_.Get(), sizeof(picture), &picture);
    const MemoryDc source(CreateCompatibleDC(dc));
    const Selection selected(source.Get(), picture_.Get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);  // required after choosing HALFTONE
    StretchBlt(dc, 0, 0, Width(), Height(), source.Get(), 0, 0, picture.bmWidth, picture.bmHeight,
               SRCCOPY);
}

}  // namespace forms
