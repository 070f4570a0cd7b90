#include "wayland/show_window.h"

#include "wayland/wayland_display.h"
#include "xdg-shell-client-protocol.h"

namespace {

void OnEnter(void* data, wl_surface*, wl_output* output) {
    static_cast<ShowWindow*>(data)->Enter(output);
}

void OnLeave(void*, wl_surface*, wl_output*) {}

const wl_surface_listener kSurfaceListener = {OnEnter, OnLeave};

void OnSurfaceConfigure(void* data, xdg_surface* surface, std::uint32_t serial) {
    static_cast<ShowWindow*>(data)->Acknowledge(surface, serial);
}

const xdg_surface_listener kXdgSurfaceListener = {OnSurfaceConfigure};

// A size of 0 leaves it to the window; a full-screen window is always given one.
void OnToplevelConfigure(void* data, xdg_toplevel*, std::int32_t width, std::int32_t height,
                         wl_array*) {
    static_cast<ShowWindow*>(data)->Configure(width, height);
}

void OnClose(void* data, xdg_toplevel*) {
    static_cast<ShowWindow*>(data)->RequestClose();
}

void OnBounds(void*, xdg_toplevel*, std::int32_t, std::int32_t) {}
void OnCapabilities(void*, xdg_toplevel*, wl_array*) {}

const xdg_toplevel_listener kToplevelListener = {OnToplevelConfigure, OnClose, OnBounds,
                                                 OnCapabilities};

}  // namespace

ShowWindow::ShowWindow(const WaylandDisplay& display, const char* title, wl_output* fullScreenOn,
                       bool fullScreen, int windowWidth, int windowHeight)
    : width_(windowWidth), height_(windowHeight) {
    surface_ = wl_compositor_create_surface(display.Compositor());
    wl_surface_add_listener(surface_, &kSurfaceListener, this);
    xdgSurface_ = xdg_wm_base_get_xdg_surface(display.Windows(), surface_);
    xdg_surface_add_listener(xdgSurface_, &kXdgSurfaceListener, this);
    toplevel_ = xdg_surface_get_toplevel(xdgSurface_);
    xdg_toplevel_add_listener(toplevel_, &kToplevelListener, this);
    xdg_toplevel_set_title(toplevel_, title);
    xdg_toplevel_set_app_id(toplevel_, "vorlenta");
    if (fullScreen) {
        xdg_toplevel_set_fullscreen(toplevel_, fullScreenOn);
    }
    wl_surface_commit(surface_);
}

ShowWindow::~ShowWindow() {
    xdg_toplevel_destroy(toplevel_);
    xdg_surface_destroy(xdgSurface_);
    wl_surface_destroy(surface_);
}

bool ShowWindow::TakeResize() {
    const bool resized = resized_;
    resized_ = false;
    return resized;
}

void ShowWindow::Configure(int width, int height) {
    if (width > 0 && height > 0 && (width != width_ || height != height_)) {
        width_ = width;
        height_ = height;
        resized_ = true;
    }
}

void ShowWindow::Acknowledge(xdg_surface* surface, std::uint32_t serial) {
    xdg_surface_ack_configure(surface, serial);
    configured_ = true;
}
