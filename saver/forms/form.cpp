#include "forms/form.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "forms/controls.h"
#include "forms/gdi.h"
#include "forms/graphics.h"
#include "forms/platform.h"
#include "win32/wide_text.h"
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

// The outer size that gives the design's client size, or the system's choice.
SIZE OuterSize(const FormDesign& design) {
    if (design.clientSize.cx <= 0 || design.clientSize.cy <= 0) {
        return SIZE{CW_USEDEFAULT, CW_USEDEFAULT};
    }
    RECT outer{0, 0, design.clientSize.cx, design.clientSize.cy};
    AdjustWindowRectEx(&outer, StyleOf(design.border), FALSE, 0);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

HICON LoadFormIcon(WORD resource, int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                         IMAGE_ICON, size, size, LR_SHARED));
}

// Messages a system control sends its parent about itself, named by its window in lParam.
bool IsControlReport(UINT message) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            return true;
        default:
            return false;
    }
}

HWND ReportingWindow(UINT message, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    }
    return reinterpret_cast<HWND>(lParam);
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
    resizedSinceLoad_ = false;
    Runtime::FormLoaded(*this);
    SizeBackground();
    SetIcon();
    CreateControls();
    ArrangeTabOrder();
    for (Timer* timer : timers_) {
        timer->Arm();
    }
    Form_Load();
}

void Form::CreateFormWindow() {
    RegisterFormClass();
    const SIZE outer = OuterSize(design_);
    window_ = CreateWindowExW(0, kFormClass, Widen(design_.caption).c_str(),
                              StyleOf(design_.border), CW_USEDEFAULT, CW_USEDEFAULT, outer.cx,
                              outer.cy, nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

void Form::SetIcon() {
    HICON big = LoadFormIcon(design_.icon, GetSystemMetrics(SM_CXICON));
    HICON small = LoadFormIcon(design_.icon, GetSystemMetrics(SM_CXSMICON));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

// A control inside a container control needs its container's window first, whatever order
// the form declares them in; each pass creates those whose container now exists.
void Form::CreateControls() {
    std::vector<Control*> waiting = controls_;
    while (!waiting.empty()) {
        const auto ready = std::stable_partition(waiting.begin(), waiting.end(), [](Control* c) {
            return c->parent_.WindowHandle() == nullptr;
        });
        if (ready == waiting.end()) {
            return;  // their containers could not be made
        }
        for (auto control = ready; control != waiting.end(); ++control) {
            (*control)->Create();
        }
        waiting.erase(ready, waiting.end());
    }
}

// Tab stops follow the controls' tab indexes: the Tab key walks the window order, going into a
// container where the container stands, so containers take their place by their own index too.
void Form::ArrangeTabOrder() {
    std::vector<Control*> ordered;
    for (Control* control : controls_) {
        if (control->WindowHandle() != nullptr) {
            ordered.push_back(control);
        }
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](Control* a, Control* b) { return a->TabIndex() < b->TabIndex(); });
    std::vector<HWND> placed;  // the window order only holds among one container's children
    for (Control* control : ordered) {
        HWND window = control->WindowHandle();
        const auto sibling = std::find_if(placed.rbegin(), placed.rend(), [window](HWND other) {
            return GetParent(other) == GetParent(window);
        });
        HWND after = sibling == placed.rend() ? HWND_TOP : *sibling;
        if (control->TakesFocus()) {
            SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | WS_TABSTOP);
        }
        SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        placed.push_back(window);
    }
}

Control* Form::ControlOfWindow(HWND window) const {
    for (Control* control : controls_) {
        if (control->WindowHandle() == window) {
            return control;
        }
    }
    return nullptr;
}

// Form_Resize runs when the form is first shown, even where the system sent its first size
// before the form was loaded.
void Form::Show() {
    Load();
    if (loaded_ && !resizedSinceLoad_) {
        Resized();
    }
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
        if (message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
            (message.hwnd == window_ || IsChild(window_, message.hwnd))) {
            MoveFocus(GetKeyState(VK_SHIFT) < 0);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Tab and Shift+Tab walk the tab stops, which ArrangeTabOrder put in tab-index order. A form is
// no dialog box, so the dialog manager's own Tab handling would not reach it.
void Form::MoveFocus(bool backwards) {
    HWND focused = GetFocus();
    HWND from = focused != nullptr && IsChild(window_, focused) ? focused : nullptr;
    if (HWND next = GetNextDlgTabItem(window_, from, backwards)) {
        SetFocus(next);
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
    if (IsControlReport(message) && lParam != 0) {
        if (Control* control = ControlOfWindow(ReportingWindow(message, lParam))) {
            return control->HandleReport(message, wParam, lParam);
        }
    }
    switch (message) {
        case WM_ERASEBKGND:
            PaintBackground(reinterpret_cast<HDC>(wParam));
            PaintGraphics(*this, reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_PRINTCLIENT:
            PaintBackground(reinterpret_cast<HDC>(wParam));
            PaintGraphics(*this, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            RouteMouseToGraphic(*this, message, wParam, lParam);
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && ShowPointerOver(*this, nullptr)) {
                return TRUE;
            }
            return DefWindowProcW(window_, message, wParam, lParam);
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_SIZE:
            Resized();
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
    if (design_.retainedBackground) {
        background_.CopyTo(dc);
        return;
    }
    RECT client{};
    GetClientRect(window_, &client);
    FillSolid(dc, client, design_.backColor);
}

// The retained background follows the client size before Form_Resize draws on it.
void Form::SizeBackground() {
    if (design_.retainedBackground) {
        background_.Resize(ScaleWidth(), ScaleHeight(), design_.backColor);
    }
}

void Form::Resized() {
    SizeBackground();
    if (loaded_ && !Runtime::Ended()) {
        resizedSinceLoad_ = true;
        Form_Resize();
    }
}

void Form::Refresh() {
    if (window_ != nullptr) {
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void Form::PaintGraphics(const Container& holder, HDC dc) const {
    for (const Graphic* graphic : graphics_) {
        if (&graphic->Holder() == &holder && graphic->Visible()) {
            graphic->Draw(dc);
        }
    }
}

// The last declared is on top.
Graphic* Form::GraphicAt(const Container& holder, POINT at) const {
    for (auto graphic = graphics_.rbegin(); graphic != graphics_.rend(); ++graphic) {
        if (&(*graphic)->Holder() == &holder && (*graphic)->Visible() &&
            PtInRect(&(*graphic)->Bounds(), at)) {
            return *graphic;
        }
    }
    return nullptr;
}

// A disabled graphic takes the press and does nothing with it, as a disabled control does.
bool Form::RouteMouseToGraphic(const Container& holder, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    const ButtonMessage press = ButtonMessageOf(message);
    if (press.button == 0) {
        return false;
    }
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    Graphic* hit = GraphicAt(holder, at);
    Graphic* pressed = press.down ? nullptr : std::exchange(pressedGraphic_, nullptr);
    if (hit == nullptr || !hit->Enabled()) {
        return hit != nullptr;
    }
    if (press.down) {
        if (press.button == kLeftButton) {
            pressedGraphic_ = hit;
        }
        if (hit->MouseDown) {
            MouseEvent event = MouseEventOf(press.button, wParam, lParam);
            event.x -= hit->Bounds().left;
            event.y -= hit->Bounds().top;
            hit->MouseDown(event);
        }
    } else if (press.button == kLeftButton && pressed == hit && hit->Click) {
        hit->Click();
    }
    return true;
}

// The screen's pointer (an hourglass while busy) wins over a graphic's, which wins over the
// window's own.
bool Form::ShowPointerOver(const Container& holder, HCURSOR ownPointer) const {
    HCURSOR pointer = ScreenMousePointer();
    if (pointer == nullptr) {
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(holder.WindowHandle(), &at);
        const Graphic* graphic = GraphicAt(holder, at);
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
