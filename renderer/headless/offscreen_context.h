#pragma once

#include <EGL/egl.h>

// An OpenGL context of Mesa's surfaceless platform drawing into a buffer of its own, made
// current on construction: frames without any display, and GL for tests.
class OffscreenContext {
  public:
    OffscreenContext(int width, int height);
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    bool Current() const { return current_; }

  private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLSurface surface_ = EGL_NO_SURFACE;
    EGLContext context_ = EGL_NO_CONTEXT;
    bool current_ = false;
};
