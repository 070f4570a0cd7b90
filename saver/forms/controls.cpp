#include "forms/controls.h"

#include <windowsx.h>

#include <algorithm>

#include "hand_off/snapshot_bitmap.h"
#include "paths/program_folder.h"
#include "win32/wide_text.h"

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

const wchar_t* Control::WindowClass() const {
    return kControlClass;
}

// System controls never see our creation parameter, so the window comes from the call.
void Control::Create() {
    RegisterControlClass();
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | ExtraStyle() |
                        (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
    HWND window = CreateWindowExW(ExtraExStyle(), WindowClass(), L"", style, bounds_.left,
                                  bounds_.top, Width(), Height(), parent_.WindowHandle(), nullptr,
                                  GetModuleHandleW(nullptr), this);
    window_ = window;
    if (window_ != nullptr) {
        Created();
    }
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

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (window_ != nullptr) {
        EnableWindow(window_, enabled);
    }
}

void Control::Refresh() {
    if (window_ != nullptr) {
        InvalidateRect(window_, nullptr, FALSE);
    }
}

namespace {

int ShiftState(WPARAM keys) {
    return ((keys & MK_SHIFT) ? kShiftKey : 0) | ((keys & MK_CONTROL) ? kCtrlKey : 0) |
           (GetKeyState(VK_MENU) < 0 ? kAltKey : 0);
}

}  // namespace

ButtonMessage ButtonMessageOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
            return {kLeftButton, true};
        case WM_RBUTTONDOWN:
            return {kRightButton, true};
        case WM_MBUTTONDOWN:
            return {kMiddleButton, true};
        case WM_LBUTTONUP:
            return {kLeftButton, false};
        case WM_RBUTTONUP:
            return {kRightButton, false};
        case WM_MBUTTONUP:
            return {kMiddleButton, false};
        default:
            return {0, false};
    }
}

MouseEvent MouseEventOf(int button, WPARAM wParam, LPARAM lParam) {
    return {button, ShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

LRESULT Control::HandleReport(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(form_.WindowHandle(), message, wParam, lParam);
}

// While a button is held the control keeps the mouse, so the release reaches it even after
// the pointer has left; a left press gives a focusable control the focus first.
void Control::OnButtonDown(int button, WPARAM wParam, LPARAM lParam) {
    if (button == kLeftButton && TakesFocus() && GetFocus() != window_) {
        SetFocus(window_);
    }
    if (buttonsHeld_ == 0) {
        SetCapture(window_);
    }
    buttonsHeld_ |= button;
    MouseDown(MouseEventOf(button, wParam, lParam));
}

void Control::OnButtonUp(int button, WPARAM wParam, LPARAM lParam) {
    buttonsHeld_ &= ~button;
    if (buttonsHeld_ == 0 && GetCapture() == window_) {
        ReleaseCapture();
    }
    MouseUp(MouseEventOf(button, wParam, lParam));
}

LRESULT Control::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const ButtonMessage press = ButtonMessageOf(message);
    if (press.button != 0) {
        if (!form_.RouteMouseToGraphic(*this, message, wParam, lParam)) {
            press.down ? OnButtonDown(press.button, wParam, lParam)
                       : OnButtonUp(press.button, wParam, lParam);
        }
        return 0;
    }
    switch (message) {
        case WM_MOUSEMOVE:
            MouseMove(MouseEventOf(0, wParam, lParam));
            return 0;
        case WM_CAPTURECHANGED:
            buttonsHeld_ = 0;
            return 0;
        case WM_SETFOCUS:
            GotFocus();
            return 0;
        case WM_KILLFOCUS:
            LostFocus();
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && form_.ShowPointerOver(*this, pointer_)) {
                return TRUE;
            }
            return DefWindowProcW(window_, message, wParam, lParam);
        case WM_ERASEBKGND:
            return 1;  // Paint covers the whole control
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
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
    HostForm().PaintGraphics(*this, dc);
}

bool PictureBox::SavePicture(const std::wstring& path, SECURITY_ATTRIBUTES* access) const {
    if (surface_.Bits() == nullptr) {
        return false;
    }
    const std::wstring temporary = TemporaryPathBeside(path);
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
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, access, CREATE_ALWAYS,
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

int ComboBox::ItemCount() const {
    return static_cast<int>(SendMessageW(WindowHandle(), CB_GETCOUNT, 0, 0));
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
