#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "forms/container.h"
#include "forms/font_description.h"
#include "forms/form.h"
#include "forms/gdi.h"
#include "forms/graphics.h"
#include "forms/surface.h"

namespace forms {

// A window on a form or inside a container control, placed in pixels, created with its
// form's window before Form_Load runs. It is either one of our own windows, which paints and
// hears the mouse and the focus itself, or a system control (a combo box) whose reports to
// its parent reach it through HandleReport.
class Control : public Container, private FormControl {
  public:
    Control(Form& form, Container& parent, RECT bounds);
    ~Control() override;

    void Move(int left, int top, int width, int height);
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    void SetVisible(bool visible);
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    // The pointer shown over the control; null for the class's arrow.
    void SetMousePointer(HCURSOR pointer) { pointer_ = pointer; }
    void SetTabIndex(int index) { tabIndex_ = index; }
    void Refresh();

  protected:
    Form& HostForm() const { return form_; }
    // A system control's class and styles; null for our own class.
    virtual const wchar_t* SystemClass() const { return nullptr; }
    virtual DWORD ExtraStyle() const { return 0; }
    virtual DWORD ExtraExStyle() const { return 0; }
    // Runs once the window exists, before the first Resized.
    virtual void Created() {}
    bool TakesFocus() const override { return false; }

    virtual void Paint(HDC dc) { (void)dc; }
    virtual void Resized() {}
    virtual void GotFocus() {}
    virtual void LostFocus() {}
    // A command, colour request or notification this control sent its parent.
    LRESULT HandleReport(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // FormControl
    bool ContainerReady() const override { return parent_.WindowHandle() != nullptr; }
    void CreateWindowNow() override;
    HWND ControlWindow() const override { return WindowHandle(); }
    int TabIndex() const override { return tabIndex_; }
    void FormWindowGone() override;

    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint();
    DWORD Style() const;

    Form& form_;
    Container& parent_;
    RECT bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    int tabIndex_ = 0;
    HCURSOR pointer_ = nullptr;
};

// A drawing surface that keeps its picture: a 24-bit bottom-up DIB section selected into a
// memory device context, repainted from there and saved from there.
class PictureBox : public Control {
  public:
    PictureBox(Form& form, Container& parent, RECT bounds, COLORREF backColor,
               bool sunkenBorder = false);

    // Device context of the retained picture; draw here, then Refresh.
    HDC hDC() const { return surface_.Dc(); }
    // Writes the picture as a 24-bit bitmap file with the given rights (the folder's when
    // null). It is written beside the target first and then renamed over it, so a reader never
    // sees half a picture. A file left beside it by a write that never finished is removed
    // first: it is never written into, so the picture always carries the rights given here.
    bool SavePicture(const std::wstring& path, SECURITY_ATTRIBUTES* access = nullptr) const;

    // Draws a picture at the top left of the retained surface.
    void DrawPicture(const Picture& picture);

  protected:
    // The Tab key looks for tab stops inside a picture box, which holds controls of its own.
    DWORD ExtraExStyle() const override {
        return WS_EX_CONTROLPARENT | (sunkenBorder_ ? WS_EX_CLIENTEDGE : 0);
    }
    void Paint(HDC dc) override;
    void Resized() override;

  private:
    bool WriteBitmapFile(const std::wstring& path, SECURITY_ATTRIBUTES* access) const;

    COLORREF backColor_;
    bool sunkenBorder_;
    Surface surface_;
};

// A system combo box with editable text and a drop-down list, on a white background.
class ComboBox : public Control {
  public:
    // BOUNDS is the edit field; the list drops below it.
    ComboBox(Form& form, Container& parent, RECT bounds, const FontDescription& font);

    void AddItem(std::string_view text);
    std::string Text() const;  // UTF-8
    void SetText(std::string_view text);

  protected:
    const wchar_t* SystemClass() const override { return L"COMBOBOX"; }
    DWORD ExtraStyle() const override;
    bool TakesFocus() const override { return true; }
    void Created() override;

  private:
    FontHandle font_;
};

// Shows a picture stretched to the control's size, with halftone smoothing.
class ImageControl : public Control {
  public:
    ImageControl(Form& form, Container& parent, RECT bounds);

    // Takes ownership of the bitmap.
    void SetPicture(HBITMAP picture);

  protected:
    void Paint(HDC dc) override;

  private:
    Bitmap picture_;
};

}  // namespace forms
