#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "forms/container.h"
#include "forms/font_description.h"
#include "forms/runtime.h"
#include "forms/surface.h"

namespace forms {

enum class BorderStyle {
    None,         // no caption and no frame
    FixedSingle,  // caption, close box, frame that cannot be resized
};

struct FormDesign {
    std::string caption;  // UTF-8; the top-level window's title
    BorderStyle border = BorderStyle::FixedSingle;
    COLORREF backColor = RGB(192, 192, 192);
    WORD icon = 1;          // icon resource of the program shown in the caption
    SIZE clientSize{0, 0};  // pixels; 0 x 0 leaves the size to the system
    // The background is a retained surface the form draws on (in Form_Resize, say): it survives
    // being covered and uncovered instead of being filled with backColor at each erase.
    bool retainedBackground = false;
    FontDescription font = kDefaultAmbientFont;
};

// What a form needs of a control placed on it: its window made once the container's exists,
// its place in the tab order, and the reports a system control sends its parent.
class FormControl {
  public:
    virtual bool ContainerReady() const = 0;
    virtual void CreateWindowNow() = 0;
    virtual HWND ControlWindow() const = 0;
    virtual int TabIndex() const = 0;
    virtual bool TakesFocus() const = 0;
    virtual LRESULT HandleReport(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The form's window is being destroyed, and with it every window of its controls.
    virtual void FormWindowGone() = 0;

  protected:
    ~FormControl() = default;
};

// What a form needs of a timer: armed and disarmed with its window, ticked by its messages.
class FormTimer {
  public:
    virtual void Arm() = 0;
    virtual void Disarm() = 0;
    virtual void Tick() = 0;

  protected:
    ~FormTimer() = default;
};

class UserControl;

// A form is a real top-level window whose title is its caption. Commands, colour requests
// and notifications that system controls send their parent are handed on to the control that
// sent them; the modal loop lets Tab move the focus through the controls in tab-index order. It
// exists, hidden, from Load until Unload; its controls and timers are members of the derived form
// and come to life with its window.
class Form : public Container, private LoadedForm {
  public:
    explicit Form(FormDesign design);
    ~Form() override;

    void Load();
    void Show();
    // Returns once the form is unloaded or the program has ended.
    void ShowModal();
    // Asks Form_QueryUnload, which may cancel, then runs Form_Unload and destroys the window.
    void Unload();

    bool Loaded() const { return loaded_; }
    const FormDesign& Design() const { return design_; }

    // Position and outer size in twips, in the parent window's client area (the screen for a
    // top-level form).
    void Move(double left, double top, double width, double height);
    // Inner size in pixels.
    int ScaleWidth() const;
    int ScaleHeight() const;
    // The retained background's device context (a form with retainedBackground); draw, then
    // Refresh.
    HDC hDC() const { return background_.Dc(); }
    void Refresh();

    // The controls and timers the form holds register themselves.
    void AddControl(FormControl& control);
    void RemoveControl(FormControl& control);
    void AddTimer(FormTimer& timer);
    void RemoveTimer(FormTimer& timer);
    // A user control on the form announces that one of its stored properties changed.
    void AnnouncePropertyChange(UserControl& control, std::string_view property);

  protected:
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(bool& cancel) { (void)cancel; }
    virtual void Form_Unload() {}
    virtual void Form_Resize() {}
    virtual void UserControl_PropertyChanged(UserControl& control, std::string_view property) {
        (void)control;
        (void)property;
    }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnEraseBackground(HDC dc);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(UINT_PTR id);
    LRESULT OnSize();
    LRESULT OnClose();
    LRESULT OnEndSession(bool ending);
    LRESULT OnDestroy();
    bool ForwardReport(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void WindowGone() override;
    void Discard() override;  // the program's end: the window goes, no event runs

    void CreateFormWindow();
    void SetIcon();
    void CreateControls();
    void ArrangeTabOrder();
    void MoveFocus(bool backwards);
    void PaintBackground(HDC dc);
    void SizeBackground();
    void Resized();
    void StopTimers();

    FormDesign design_;
    bool loaded_ = false;
    bool destroying_ = false;
    bool resizedSinceLoad_ = false;
    std::vector<FormControl*> controls_;
    std::vector<FormTimer*> timers_;
    Surface background_;
};

}  // namespace forms
