#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "forms/font_description.h"
#include "forms/surface.h"

namespace forms {

class Control;
class Graphic;
class Timer;
class UserControl;

// The font a form offers the user controls it holds, unless they store their own.
inline const FontDescription kDefaultAmbientFont{"ＭＳ Ｐゴシック", 9.75, 128, 400, false};

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

// Anything that can hold controls: a form or a container control.
class Container {
  public:
    virtual HWND WindowHandle() const = 0;

  protected:
    ~Container() = default;
};

// A form is a real top-level window whose title is its caption. Commands, colour requests
// and notifications that system controls send their parent are handed on to the control that
// sent them; the modal loop lets Tab move the focus through the controls in tab-index order. It
// exists, hidden, from Load until Unload; its controls and timers are members of the derived form
// and come to life with its window.
class Form : public Container {
  public:
    explicit Form(FormDesign design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    void Load();
    void Show();
    // Returns once the form is unloaded or the program has ended.
    void ShowModal();
    // Asks Form_QueryUnload, which may cancel, then runs Form_Unload and destroys the window.
    void Unload();

    bool Loaded() const { return loaded_; }
    HWND WindowHandle() const override { return window_; }
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

  protected:
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(bool& cancel) { (void)cancel; }
    virtual void Form_Unload() {}
    virtual void Form_Resize() {}
    // A user control announced that one of its stored properties changed.
    virtual void UserControl_PropertyChanged(UserControl& control, std::string_view property) {
        (void)control;
        (void)property;
    }

  private:
    friend class Control;
    friend class Graphic;
    friend class PictureBox;
    friend class UserControl;
    friend class Timer;
    friend class Runtime;
    friend LRESULT CALLBACK FormWindowProc(HWND, UINT, WPARAM, LPARAM);

    void CreateFormWindow();
    void SetIcon();
    void CreateControls();
    void ArrangeTabOrder();
    void MoveFocus(bool backwards);
    Control* ControlOfWindow(HWND window) const;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void PaintBackground(HDC dc);
    // The windowless graphics a form or container control holds: drawn over its background,
    // handed the presses over them, showing their pointers.
    void PaintGraphics(const Container& holder, HDC dc) const;
    Graphic* GraphicAt(const Container& holder, POINT at) const;
    bool RouteMouseToGraphic(const Container& holder, UINT message, WPARAM wParam, LPARAM lParam);
    bool ShowPointerOver(const Container& holder, HCURSOR ownPointer) const;
    void SizeBackground();
    void Resized();
    void OnTimer(UINT_PTR id);
    void OnWindowDestroyed();
    void Discard();  // the program's end: the window goes, no event runs
    void StopTimers();

    FormDesign design_;
    HWND window_ = nullptr;
    bool loaded_ = false;
    bool destroying_ = false;
    bool resizedSinceLoad_ = false;
    std::vector<Control*> controls_;
    std::vector<Timer*> timers_;
    std::vector<Graphic*> graphics_;
    Graphic* pressedGraphic_ = nullptr;
    Surface background_;
};

}  // namespace forms
