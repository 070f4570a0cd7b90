#include "forms/form.h"

#include <algorithm>
#include <cmath>

#include "forms/controls.h"
#include "forms/platform.h"
#include "forms/runtime.h"
#include "forms/timer.h"

namespace forms {

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return form->HandleMessage(message, wParam, lParam);
}

namespace {

constexpr wchar_t kFormClass[] = L"VorlentaForm";

void RegisterFormClass() {
    static bool registered = false;
    if (registered) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = FormWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    windowClass.lpszClassName = kFormClass;
    registered = RegisterClassExW(&windowClass) != 0;
}

DWORD StyleOf(BorderStyle border) {
    switch (border) {
        case BorderStyle::None:
            return WS_POPUP | WS_CLIPCHILDREN;
        case BorderStyle::FixedSingle:
            return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    }
    return WS_POPUP;
}

int ToPixels(double twips, double twipsPerPixel) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

}  // namespace

Form::Form(FormDesign design) : design_(std::move(design)) {}

Form::~Form() {
    if (window_ != nullptr) {
        Discard();
    }
}

void Form::Load() {
    if (loaded_ || Runtime::Ended()) {
        return;
    }
    CreateFormWindow();
    if (window_ == nullptr) {
        return;
    }
    loaded_ = true;
    Runtime::FormLoaded(*this);
    for (Control* control : controls_) {
        control->Create();
    }
    for (Timer* timer : timers_) {
        timer->Arm();
    }
    Form_Load();
}

void Form::CreateFormWindow() {
    RegisterFormClass();
    window_ = CreateWindowExW(0, kFormClass, Widen(design_.caption).c_str(),
                              StyleOf(design_.border), CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

void Form::Show() {
    Load();
    if (loaded_) {
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
    }
}

void Form::ShowModal() {
    Show();
    MSG message;
    while (loaded_ && !Runtime::Ended()) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // the outer loop ends too
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Form::Unload() {
    if (!loaded_ || destroying_) {
        return;
    }
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel || !loaded_ || Runtime::Ended()) {
        return;
    }
    Form_Unload();
    if (!loaded_ || Runtime::Ended()) {
        return;
    }
    StopTimers();
    destroying_ = true;
    DestroyWindow(window_);
}

void Form::Discard() {
    StopTimers();
    loaded_ = false;
    if (window_ != nullptr && !destroying_) {
        destroying_ = true;
        DestroyWindow(window_);
    }
    window_ = nullptr;
}

void Form::StopTimers() {
    for (Timer* timer : timers_) {
        timer->Disarm();
    }
}

void Form::Move(double left, double top, double width, double height) {
    if (window_ == nullptr) {
        return;
    }
    const double tppx = TwipsPerPixelX();
    const double tppy = TwipsPerPixelY();
    MoveWindow(window_, ToPixels(left, tppx), ToPixels(top, tppy), ToPixels(width, tppx),
               ToPixels(height, tppy), TRUE);
}

int Form::ScaleWidth() const {
    RECT client{};
    GetClientRect(window_, &client);
    return client.right - client.left;
}

int Form::ScaleHeight() const {
    RECT client{};
    GetClientRect(window_, &client);
    return client.bottom - client.top;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            PaintBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_SIZE:
            if (loaded_ && !Runtime::Ended()) {
                Form_Resize();
            }
            return 0;
        case WM_CLOSE:
            Unload();
            return 0;
        case WM_ENDSESSION:
            if (wParam) {
                Unload();
            }
            return 0;
        case WM_DESTROY:
            OnWindowDestroyed();
            return 0;
        case WM_NCDESTROY:
            window_ = nullptr;
            destroying_ = false;
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void Form::PaintBackground(HDC dc) {
    RECT client{};
    GetClientRect(window_, &client);
    HBRUSH brush = CreateSolidBrush(design_.backColor);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
}

void Form::OnTimer(UINT_PTR id) {
    for (Timer* timer : timers_) {
        if (reinterpret_cast<UINT_PTR>(timer) == id) {
            timer->Tick();
            return;
        }
    }
}

// The window can also go without an Unload: a preview form goes with the system's preview
// window that holds it. The form is unloaded all the same, so the program ends with its last
// form.
void Form::OnWindowDestroyed() {
    for (Control* control : controls_) {
        control->Destroyed();
    }
    if (!loaded_) {
        return;
    }
    StopTimers();
    if (!destroying_ && !Runtime::Ended()) {
        Form_Unload();
    }
    loaded_ = false;
    Runtime::FormUnloaded(*this);
}

}  // namespace forms
