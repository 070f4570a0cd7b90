#pragma once

#include <windows.h>

#include <string>

#include "forms/form.h"

namespace forms {

// A child window on a form or inside a container control, placed in pixels. It is created
// with its form's window, before Form_Load runs.
class Control : public Container {
  public:
    Control(Form& form, Container& parent, RECT bounds);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND WindowHandle() const override { return window_; }
    void Move(int left, int top, int width, int height);
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    void SetVisible(bool visible);
    void Refresh();

  protected:
    virtual void Paint(HDC dc) { (void)dc; }
    virtual void Resized() {}
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    friend class Form;
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    void Create();
    void Destroyed();

    Form& form_;
    Container& parent_;
    RECT bounds_;
    bool visible_ = true;
    HWND window_ = nullptr;
};

// A drawing surface that keeps its picture: a 24-bit bottom-up DIB section selected into a
// memory device context, repainted from there and saved from there.
class PictureBox : public Control {
  public:
    PictureBox(Form& form, Container& parent, RECT bounds, COLORREF backColor);
    ~PictureBox() override;

    // Device context of the retained picture; draw here, then Refresh.
    HDC hDC() const { return surfaceDc_; }
    // Writes the picture as a 24-bit bitmap file. It is written beside the target first and
    // then renamed over it, so a reader never sees half a picture.
    bool SavePicture(const std::string& path) const;

  protected:
    void Paint(HDC dc) override;
    void Resized() override;

  private:
    void CreateSurface(int width, int height);
    void ReleaseSurface();
    bool WriteBitmapFile(const std::string& path) const;

    COLORREF backColor_;
    HDC surfaceDc_ = nullptr;
    HBITMAP surface_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    void* bits_ = nullptr;
    int surfaceWidth_ = 0;
    int surfaceHeight_ = 0;
};

// Shows a picture stretched to the control's size, with halftone smoothing.
class ImageControl : public Control {
  public:
    ImageControl(Form& form, Container& parent, RECT bounds);
    ~ImageControl() override;

    // Takes ownership of the bitmap.
    void SetPicture(HBITMAP picture);

  protected:
    void Paint(HDC dc) override;

  private:
    HBITMAP picture_ = nullptr;
};

}  // namespace forms
