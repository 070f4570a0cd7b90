#include "forms/container.h"

#include <windowsx.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>

#include "forms/screen_pointer.h"

namespace forms {
namespace {

void RegisterOnce(const wchar_t* className, WNDPROC procedure) {
    static std::set<std::wstring> registered;
    if (registered.count(className) != 0) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.lpszClassName = className;
    if (RegisterClassExW(&windowClass) != 0) {
        registered.insert(className);
    }
}

struct ButtonMessage {
    int button;  // 0 for any other message
    bool down;
};

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

int ShiftState(WPARAM keys) {
    return ((keys & MK_SHIFT) ? kShiftKey : 0) | ((keys & MK_CONTROL) ? kCtrlKey : 0) |
           (GetKeyState(VK_MENU) < 0 ? kAltKey : 0);
}

MouseEvent EventAt(int button, WPARAM keys, POINT at) {
    return {button, ShiftState(keys), at.x, at.y};
}

}  // namespace

LRESULT CALLBACK Container::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* container =
            static_cast<Container*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        container->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(container));
    }
    auto* container = reinterpret_cast<Container*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (container == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const LRESULT result = container->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        container->WindowGone();
    }
    return result;
}

void Container::CreateOwnWindow(const wchar_t* className, DWORD exStyle, const std::wstring& title,
                                DWORD style, POINT at, SIZE size, HWND parent) {
    RegisterOnce(className, WindowProc);
    CreateWindowExW(exStyle, className, title.c_str(), style, at.x, at.y, size.cx, size.cy, parent,
                    nullptr, GetModuleHandleW(nullptr), this);
}

LRESULT Container::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window_, message, wParam, lParam);
}

void Container::AddGraphic(Graphic& graphic) {
    graphics_.push_back(&graphic);
}

void Container::RemoveGraphic(Graphic& graphic) {
    graphics_.erase(std::remove(graphics_.begin(), graphics_.end(), &graphic), graphics_.end());
    if (pressedGraphic_ == &graphic) {
        pressedGraphic_ = nullptr;
    }
}

bool Container::RouteMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const ButtonMessage press = ButtonMessageOf(message);
    if (press.button != 0) {
        press.down ? Press(press.button, wParam, at) : Release(press.button, wParam, at);
        return true;
    }
    if (message == WM_MOUSEMOVE) {
        MouseMove(EventAt(0, wParam, at));
        return true;
    }
    if (message == WM_CAPTURECHANGED) {
        buttonsHeld_ = 0;
        pressedGraphic_ = nullptr;
        return true;
    }
    return false;
}

// The first button down chooses who holds the press; a second one goes to the same holder.
// A disabled graphic takes the press and does nothing with it, as a disabled control does.
void Container::Press(int button, WPARAM keys, POINT at) {
    if (buttonsHeld_ == 0) {
        pressedGraphic_ = GraphicAt(at);
        SetCapture(window_);
    }
    buttonsHeld_ |= button;
    if (pressedGraphic_ != nullptr) {
        if (pressedGraphic_->Enabled() && pressedGraphic_->MouseDown) {
            const RECT& area = pressedGraphic_->Bounds();
            pressedGraphic_->MouseDown(EventAt(button, keys, {at.x - area.left, at.y - area.top}));
        }
        return;
    }
    if (button == kLeftButton && TakesFocus() && GetFocus() != window_) {
        SetFocus(window_);
    }
    MouseDown(EventAt(button, keys, at));
}

void Container::Release(int button, WPARAM keys, POINT at) {
    Graphic* pressed = pressedGraphic_;
    buttonsHeld_ &= ~button;
    if (buttonsHeld_ == 0) {
        pressedGraphic_ = nullptr;
        if (GetCapture() == window_) {
            ReleaseCapture();
        }
    }
    if (pressed == nullptr) {
        MouseUp(EventAt(button, keys, at));
        return;
    }
    if (button == kLeftButton && pressed->Enabled() && GraphicAt(at) == pressed && pressed->Click) {
        pressed->Click();
    }
}

void Container::PaintGraphics(HDC dc) const {
    for (const Graphic* graphic : graphics_) {
        if (graphic->Visible()) {
            graphic->Draw(dc);
        }
    }
}

// The last declared is on top.
Graphic* Container::GraphicAt(POINT at) const {
    for (auto graphic = graphics_.rbegin(); graphic != graphics_.rend(); ++graphic) {
        if ((*graphic)->Visible() && PtInRect(&(*graphic)->Bounds(), at)) {
            return *graphic;
        }
    }
    return nullptr;
}

bool Container::ShowPointer(HCURSOR ownPointer) const {
    HCURSOR pointer = ScreenMousePointer();
    if (pointer == nullptr) {
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(window_, &at);
        const Graphic* graphic = GraphicAt(at);
        pointer = graphic != nullptr ? graphic->MousePointer() : nullptr;
    }
    if (pointer == nullptr) {
        pointer = ownPointer;
    }
    if (pointer == nullptr) {
        return false;
    }
    SetCursor(pointer);
    return true;
}

Graphic::Graphic(Container& holder, RECT bounds) : holder_(holder), bounds_(bounds) {
    holder_.AddGraphic(*this);
}

Graphic::~Graphic() {
    holder_.RemoveGraphic(*this);
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

}  // namespace forms
