#include "forms/form.h"

#include <algorithm>
#include <utility>

#include "forms/gdi.h"
#include "forms/units.h"
#include "system/wide_text.h"

namespace forms {
namespace {

constexpr wchar_t kFormClass[] = L"VorlentaForm";

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

template <typename Part>
void Forget(std::vector<Part*>& parts, Part& part) {
    parts.erase(std::remove(parts.begin(), parts.end(), &part), parts.end());
}

}  // namespace

Form::Form(FormDesign design) : design_(std::move(design)) {}

Form::~Form() {
    if (WindowHandle() != nullptr) {
        Discard();
    }
}

void Form::AddControl(FormControl& control) {
    controls_.push_back(&control);
}

void Form::RemoveControl(FormControl& control) {
    Forget(controls_, control);
}

void Form::AddTimer(FormTimer& timer) {
    timers_.push_back(&timer);
}

void Form::RemoveTimer(FormTimer& timer) {
    Forget(timers_, timer);
}

void Form::AnnouncePropertyChange(UserControl& control, std::string_view property) {
    UserControl_PropertyChanged(control, property);
}

void Form::Load() {
    if (loaded_ || Runtime::Ended()) {
        return;
    }
    CreateFormWindow();
    if (WindowHandle() == nullptr) {
        return;
    }
    loaded_ = true;
    resizedSinceLoad_ = false;
    Runtime::FormLoaded(*this);
    SizeBackground();
    SetIcon();
    CreateControls();
    ArrangeTabOrder();
    for (FormTimer* timer : timers_) {
        timer->Arm();
    }
    Form_Load();
}

void Form::CreateFormWindow() {
    CreateOwnWindow(kFormClass, 0, Widen(design_.caption), StyleOf(design_.border),
                    POINT{CW_USEDEFAULT, CW_USEDEFAULT}, OuterSize(design_), nullptr);
}

void Form::SetIcon() {
    HICON big = LoadFormIcon(design_.icon, GetSystemMetrics(SM_CXICON));
    HICON small = LoadFormIcon(design_.icon, GetSystemMetrics(SM_CXSMICON));
    SendMessageW(WindowHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(WindowHandle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

// A control inside a container control needs its container's window first, whatever order
// the form declares them in; each pass creates those whose container now exists.
void Form::CreateControls() {
    std::vector<FormControl*> waiting = controls_;
    while (!waiting.empty()) {
        const auto ready = std::stable_partition(
            waiting.begin(), waiting.end(), [](FormControl* c) { return !c->ContainerReady(); });
        if (ready == waiting.end()) {
            return;  // their containers could not be made
        }
        for (auto control = ready; control != waiting.end(); ++control) {
            (*control)->CreateWindowNow();
        }
        waiting.erase(ready, waiting.end());
    }
}

// Tab stops follow the controls' tab indexes: the Tab key walks the window order, going into a
// container where the container stands, so containers take their place by their own index too.
void Form::ArrangeTabOrder() {
    std::vector<FormControl*> ordered;
    std::copy_if(controls_.begin(), controls_.end(), std::back_inserter(ordered),
                 [](FormControl* control) { return control->ControlWindow() != nullptr; });
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](FormControl* a, FormControl* b) { return a->TabIndex() < b->TabIndex(); });
    std::vector<HWND> placed;  // the window order only holds among one container's children
    for (FormControl* control : ordered) {
        HWND window = control->ControlWindow();
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

// Form_Resize runs when the form is first shown, even where the system sent its first size
// before the form was loaded.
void Form::Show() {
    Load();
    if (loaded_ && !resizedSinceLoad_) {
        Resized();
    }
    if (loaded_) {
        ShowWindow(WindowHandle(), SW_SHOW);
        UpdateWindow(WindowHandle());
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
            (message.hwnd == WindowHandle() || IsChild(WindowHandle(), message.hwnd))) {
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
    HWND from = focused != nullptr && IsChild(WindowHandle(), focused) ? focused : nullptr;
    if (HWND next = GetNextDlgTabItem(WindowHandle(), from, backwards)) {
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
    DestroyWindow(WindowHandle());
}

void Form::Discard() {
    StopTimers();
    loaded_ = false;
    if (WindowHandle() != nullptr && !destroying_) {
        destroying_ = true;
        DestroyWindow(WindowHandle());
    }
}

void Form::StopTimers() {
    for (FormTimer* timer : timers_) {
        timer->Disarm();
    }
}

void Form::Move(double left, double top, double width, double height) {
    if (WindowHandle() == nullptr) {
        return;
    }
    MoveWindow(WindowHandle(), PixelsOf(left), PixelsOf(top), PixelsOf(width), PixelsOf(height),
               TRUE);
}

int Form::ScaleWidth() const {
    RECT client{};
    GetClientRect(WindowHandle(), &client);
    return client.right - client.left;
}

int Form::ScaleHeight() const {
    RECT client{};
    GetClientRect(WindowHandle(), &client);
    return client.bottom - client.top;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ForwardReport(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
        case WM_ERASEBKGND:
        case WM_PRINTCLIENT:
            OnEraseBackground(reinterpret_cast<HDC>(wParam));
            return message == WM_ERASEBKGND ? 1 : 0;
        case WM_SETCURSOR:
            return OnSetCursor(wParam, lParam);
        case WM_TIMER:
            return OnTimer(wParam);
        case WM_SIZE:
            return OnSize();
        case WM_CLOSE:
            return OnClose();
        case WM_ENDSESSION:
            return OnEndSession(wParam != FALSE);
        case WM_DESTROY:
            return OnDestroy();
        default:
            return RouteMouse(message, wParam, lParam) ? 0 : Default(message, wParam, lParam);
    }
}

bool Form::ForwardReport(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!IsControlReport(message) || lParam == 0) {
        return false;
    }
    HWND from = ReportingWindow(message, lParam);
    for (FormControl* control : controls_) {
        if (control->ControlWindow() == from) {
            result = control->HandleReport(message, wParam, lParam);
            return true;
        }
    }
    return false;
}

LRESULT Form::OnEraseBackground(HDC dc) {
    PaintBackground(dc);
    PaintGraphics(dc);
    return 0;
}

LRESULT Form::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(lParam) == HTCLIENT && ShowPointer(nullptr)) {
        return TRUE;
    }
    return Default(WM_SETCURSOR, wParam, lParam);
}

LRESULT Form::OnTimer(UINT_PTR id) {
    for (FormTimer* timer : timers_) {
        if (reinterpret_cast<UINT_PTR>(timer) == id) {
            timer->Tick();
            break;
        }
    }
    return 0;
}

LRESULT Form::OnSize() {
    Resized();
    return 0;
}

LRESULT Form::OnClose() {
    Unload();
    return 0;
}

LRESULT Form::OnEndSession(bool ending) {
    if (ending) {
        Unload();
    }
    return 0;
}

// The window can also go without an Unload: a preview form goes with the system's preview
// window that holds it. The form is unloaded all the same, so the program ends with its last
// form.
LRESULT Form::OnDestroy() {
    for (FormControl* control : controls_) {
        control->FormWindowGone();
    }
    if (!loaded_) {
        return 0;
    }
    StopTimers();
    if (!destroying_ && !Runtime::Ended()) {
        Form_Unload();
    }
    loaded_ = false;
    Runtime::FormUnloaded(*this);
    return 0;
}

void Form::WindowGone() {
    Container::WindowGone();
    destroying_ = false;
}

void Form::PaintBackground(HDC dc) {
    if (design_.retainedBackground) {
        background_.CopyTo(dc);
        return;
    }
    RECT client{};
    GetClientRect(WindowHandle(), &client);
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
    if (WindowHandle() != nullptr) {
        RedrawWindow(WindowHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

}  // namespace forms
