#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/mouse.h"

namespace forms {

class Graphic;

// One of our own windows: a form or a container control. It draws the windowless graphics
// it holds over its own background and is their mouse: a press, on a graphic or on the window
// itself, captures the mouse until the last button is up, so the release always reaches what
// got the press, wherever the pointer has gone. A click is a press and a release on the same
// graphic. All our windows share one window class procedure that hands each message to the
// window's HandleMessage.
class Container {
  public:
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    HWND WindowHandle() const { return window_; }

    // A graphic belongs to the container that draws it; it is declared after it.
    void AddGraphic(Graphic& graphic);
    void RemoveGraphic(Graphic& graphic);

  protected:
    Container() = default;
    virtual ~Container() = default;

    // Makes this container's window, of one of our classes (registered on first use).
    void CreateOwnWindow(const wchar_t* className, DWORD exStyle, const std::wstring& title,
                         DWORD style, POINT at, SIZE size, HWND parent);
    // A window of a system class: its messages go to the system, not to HandleMessage.
    void AdoptWindow(HWND window) { window_ = window; }
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

    // The mouse path, for the button, move and capture messages: false for any other message.
    bool RouteMouse(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's own mouse events, when no graphic got the press.
    virtual void MouseDown(const MouseEvent& event) { (void)event; }
    virtual void MouseMove(const MouseEvent& event) { (void)event; }
    virtual void MouseUp(const MouseEvent& event) { (void)event; }
    // A left press gives a window that takes the focus the focus first.
    virtual bool TakesFocus() const { return false; }

    void PaintGraphics(HDC dc) const;
    // The screen's pointer (an hourglass while busy) wins over a graphic's, which wins over
    // the window's own; false when none applies and the class's pointer shows.
    bool ShowPointer(HCURSOR ownPointer) const;
    // The window has gone (WM_NCDESTROY).
    virtual void WindowGone() { window_ = nullptr; }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    Graphic* GraphicAt(POINT at) const;
    void Press(int button, WPARAM keys, POINT at);
    void Release(int button, WPARAM keys, POINT at);

    HWND window_ = nullptr;
    std::vector<Graphic*> graphics_;
    int buttonsHeld_ = 0;
    Graphic* pressedGraphic_ = nullptr;  // null while the window itself holds the press
};

// A windowless control: a label, a shape or an image. Its container draws it after its own
// background and hands it the presses over its area.
class Graphic {
  public:
    Graphic(Container& holder, RECT bounds);
    virtual ~Graphic();
    Graphic(const Graphic&) = delete;
    Graphic& operator=(const Graphic&) = delete;

    const RECT& Bounds() const { return bounds_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    HCURSOR MousePointer() const { return pointer_; }
    // The pointer shown over the graphic; null for its holder's.
    void SetMousePointer(HCURSOR pointer) { pointer_ = pointer; }

    // A press of any button over the graphic, and a left press and release over it.
    std::function<void(const MouseEvent&)> MouseDown;
    std::function<void()> Click;

    virtual void Draw(HDC dc) const = 0;

  protected:
    // Has the holder draw the graphic's area again.
    void Refresh() const;

  private:
    Container& holder_;
    RECT bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    HCURSOR pointer_ = nullptr;
};

}  // namespace forms
