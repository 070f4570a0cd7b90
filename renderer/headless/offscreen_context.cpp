#include "headless/offscreen_context.h"

#include <EGL/eglext.h>

#include "shell/extension_list.h"

namespace {

// The function is looked up only where the client extensions name it and the platform: an EGL
// may hand out an address for any name.
EGLDisplay InitializedSurfacelessDisplay() {
    const char* extensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!ExtensionListed(extensions, "EGL_EXT_platform_base") ||
        !ExtensionListed(extensions, "EGL_MESA_platform_surfaceless")) {
        return EGL_NO_DISPLAY;
    }
    auto getDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getDisplay == nullptr) {
        return EGL_NO_DISPLAY;
    }
    EGLDisplay display = getDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        return EGL_NO_DISPLAY;
    }
    return display;
}

// The same pixel layout as the window's: 8 bits a colour and a 16-bit depth buffer.
bool ChooseConfig(EGLDisplay display, EGLConfig& config) {
    const EGLint wanted[] = {EGL_SURFACE_TYPE,
                             EGL_PBUFFER_BIT,
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
    EGLint found = 0;
    return eglChooseConfig(display, wanted, &config, 1, &found) && found >= 1 &&
           eglBindAPI(EGL_OPENGL_API);
}

}  // namespace

OffscreenContext::OffscreenContext(int width, int height)
    : display_(InitializedSurfacelessDisplay()) {
    EGLConfig config = nullptr;
    if (display_ == EGL_NO_DISPLAY || !ChooseConfig(display_, config)) {
        return;
    }
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface_ = eglCreatePbufferSurface(display_, config, size);
    context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, nullptr);
    current_ = surface_ != EGL_NO_SURFACE && context_ != EGL_NO_CONTEXT &&
               eglMakeCurrent(display_, surface_, surface_, context_);
}

OffscreenContext::~OffscreenContext() {
    if (display_ == EGL_NO_DISPLAY) {
        return;
    }
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_ != EGL_NO_CONTEXT) {
        eglDestroyContext(display_, context_);
    }
    if (surface_ != EGL_NO_SURFACE) {
        eglDestroySurface(display_, surface_);
    }
    eglTerminate(display_);
}
