#pragma once

#include <wayland-client.h>

#include <cstdint>

struct xdg_surface;
struct xdg_toplevel;
class WaylandDisplay;

// A window of the show: full screen on an output (the compositor's choice where none is named,
// which is the output the user works on), or a window of the given size. It follows the sizes
// the compositor gives it and remembers the output it appeared on and whether it was asked to
// close.
class ShowWindow {
  public:
    // fullScreenOn: the output; null for the compositor's choice. windowWidth, windowHeight:
    // the size of a window that is not full screen (fullScreen false).
    ShowWindow(const WaylandDisplay& display, const char* title, wl_output* fullScreenOn,
               bool fullScreen, int windowWidth, int windowHeight);
    ~ShowWindow();
    ShowWindow(const ShowWindow&) = delete;
    ShowWindow& operator=(const ShowWindow&) = delete;

    wl_surface* Surface() const { return surface_; }
    bool Configured() const { return configured_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool CloseRequested() const { return closeRequested_; }
    // The output the window was last shown on; null until it has been.
    wl_output* ShownOn() const { return shownOn_; }
    // True once after each change of size.
    bool TakeResize();

    // Called by the listeners.
    void Configure(int width, int height);
    void Acknowledge(xdg_surface* surface, std::uint32_t serial);
    void RequestClose() { closeRequested_ = true; }
    void Enter(wl_output* output) { shownOn_ = output; }

  private:
    wl_surface* surface_ = nullptr;
    xdg_surface* xdgSurface_ = nullptr;
    xdg_toplevel* toplevel_ = nullptr;
    int width_;
    int height_;
    bool configured_ = false;
    bool resized_ = false;
    bool closeRequested_ = false;
    wl_output* shownOn_ = nullptr;
};
