#include "wayland/egl_surface.h"

#include <wayland-egl.h>

namespace {

// The scene's needs: RGB, a depth buffer, desktop OpenGL (its fixed functions, not GLES).
constexpr EGLint kConfigAttributes[] = {EGL_SURFACE_TYPE,
                                        EGL_WINDOW_BIT,
                                        EGL_RENDERABLE_TYPE,
                                        EGL_OPENGL_BIT,
                                        EGL_RED_SIZE,
                                        8,
                                        EGL_GREEN_SIZE,
                                        8,
                                        EGL_BLUE_SIZE,
                                        8,
                                        EGL_DEPTH_SIZE,
                                        16,
                                        EGL_NONE};

// A configuration without alpha: the scene clears to an alpha of 0.5, through which the
// compositor would show the desktop behind a surface that has one.
EGLConfig OpaqueConfig(EGLDisplay display) {
    EGLConfig configs[64];
    EGLint count = 0;
    if (!eglChooseConfig(display, kConfigAttributes, configs, 64, &count)) {
        return nullptr;
    }
    for (EGLint i = 0; i < count; ++i) {
        EGLint alpha = -1;
        if (eglGetConfigAttrib(display, configs[i], EGL_ALPHA_SIZE, &alpha) && alpha == 0) {
            return configs[i];
        }
    }
    return nullptr;
}

}  // namespace

EglSurface::EglSurface(wl_display* display, wl_surface* surface, int width, int height) {
    display_ = eglGetDisplay(reinterpret_cast<EGLNativeDisplayType>(display));
    if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, nullptr, nullptr) ||
        !eglBindAPI(EGL_OPENGL_API)) {
        return;
    }
    const EGLConfig config = OpaqueConfig(display_);
    if (config == nullptr) {
        return;
    }
    context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, nullptr);
    window_ = wl_egl_window_create(surface, width, height);
    if (context_ == EGL_NO_CONTEXT || window_ == nullptr) {
        return;
    }
    surface_ = eglCreateWindowSurface(display_, config,
                                      reinterpret_cast<EGLNativeWindowType>(window_), nullptr);
    current_ = surface_ != EGL_NO_SURFACE &&
               eglMakeCurrent(display_, surface_, surface_, context_) &&
               eglSwapInterval(display_, 0);
}

EglSurface::~EglSurface() {
    if (display_ == EGL_NO_DISPLAY) {
        return;
    }
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (surface_ != EGL_NO_SURFACE) {
        eglDestroySurface(display_, surface_);
    }
    if (window_ != nullptr) {
        wl_egl_window_destroy(window_);
    }
    if (context_ != EGL_NO_CONTEXT) {
        eglDestroyContext(display_, context_);
    }
    eglTerminate(display_);
}

void EglSurface::Resize(int width, int height) {
    wl_egl_window_resize(window_, width, height, 0, 0);
}

void EglSurface::Swap() {
    eglSwapBuffers(display_, surface_);
}
