#pragma once

#include <EGL/egl.h>
#include <wayland-client.h>

struct wl_egl_window;

// An OpenGL context drawing into a window's surface through Mesa's EGL for Wayland, made current
// on construction. Its swaps never wait for the compositor: once an output is off or the window
// hidden, the compositor stops saying when to draw, and a swap that waited for it would keep
// Escape and SIGTERM from being seen. The show keeps its own pace.
class EglSurface {
  public:
    EglSurface(wl_display* display, wl_surface* surface, int width, int height);
    ~EglSurface();
    EglSurface(const EglSurface&) = delete;
    EglSurface& operator=(const EglSurface&) = delete;

    bool Current() const { return current_; }
    void Resize(int width, int height);
    void Swap();

  private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLContext context_ = EGL_NO_CONTEXT;
    EGLSurface surface_ = EGL_NO_SURFACE;
    wl_egl_window* window_ = nullptr;
    bool current_ = false;
};
