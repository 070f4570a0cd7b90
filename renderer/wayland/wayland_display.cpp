#include "wayland/wayland_display.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "shell/messages.h"
#include "xdg-shell-client-protocol.h"

namespace {

// The versions the shell is written for; a compositor that offers less is asked for less.
constexpr std::uint32_t kCompositorVersion = 4;
constexpr std::uint32_t kWindowsVersion = 2;
constexpr std::uint32_t kSeatVersion = 5;
constexpr std::uint32_t kOutputVersion = 4;

template <typename Interface>
Interface* Bind(wl_registry* registry, std::uint32_t name, const wl_interface* interface,
                std::uint32_t offered, std::uint32_t wanted) {
    return static_cast<Interface*>(
        wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

void OnGlobal(void* data, wl_registry*, std::uint32_t name, const char* interface,
              std::uint32_t version) {
    static_cast<WaylandDisplay*>(data)->Announce(name, interface, version);
}

void OnGlobalRemove(void* data, wl_registry*, std::uint32_t name) {
    static_cast<WaylandDisplay*>(data)->Withdraw(name);
}

const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

void OnPing(void*, xdg_wm_base* windows, std::uint32_t serial) {
    xdg_wm_base_pong(windows, serial);
}

const xdg_wm_base_listener kWindowsListener = {OnPing};

void OnGeometry(void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                std::int32_t, const char*, const char*, std::int32_t) {}

void OnMode(void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height,
            std::int32_t) {
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        auto* output = static_cast<WaylandOutput*>(data);
        output->width = width;
        output->height = height;
    }
}

void OnDone(void*, wl_output*) {}
void OnScale(void*, wl_output*, std::int32_t) {}

void OnName(void* data, wl_output*, const char* name) {
    static_cast<WaylandOutput*>(data)->name = name;
}

void OnDescription(void*, wl_output*, const char*) {}

const wl_output_listener kOutputListener = {OnGeometry, OnMode, OnDone,
                                            OnScale,    OnName, OnDescription};

}  // namespace

WaylandDisplay::WaylandDisplay(wl_display* display) : display_(display) {}

std::unique_ptr<WaylandDisplay> WaylandDisplay::Connect() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        const char* name = std::getenv("WAYLAND_DISPLAY");
        Fail(std::string(name != nullptr ? name : "wayland-0") +
             ": cannot connect to the Wayland display: " + ErrorText(errno));
        return nullptr;
    }
    std::unique_ptr<WaylandDisplay> connection(new WaylandDisplay(display));
    connection->registry_ = wl_display_get_registry(display);
    wl_registry_add_listener(connection->registry_, &kRegistryListener, connection.get());
    // The first round trip announces the globals, the second the outputs' modes and names.
    wl_display_roundtrip(display);
    wl_display_roundtrip(display);
    return connection;
}

WaylandDisplay::~WaylandDisplay() {
    for (const auto& output : outputs_) {
        wl_output_destroy(output->output);
    }
    if (seat_ != nullptr) {
        wl_seat_destroy(seat_);
    }
    if (windows_ != nullptr) {
        xdg_wm_base_destroy(windows_);
    }
    if (shm_ != nullptr) {
        wl_shm_destroy(shm_);
    }
    if (compositor_ != nullptr) {
        wl_compositor_destroy(compositor_);
    }
    if (registry_ != nullptr) {
        wl_registry_destroy(registry_);
    }
    wl_display_disconnect(display_);
}

void WaylandDisplay::Announce(std::uint32_t name, const char* interface, std::uint32_t version) {
    const auto is = [interface](const wl_interface& known) {
        return std::strcmp(interface, known.name) == 0;
    };
    if (is(wl_compositor_interface) && compositor_ == nullptr) {
        compositor_ = Bind<wl_compositor>(registry_, name, &wl_compositor_interface, version,
                                          kCompositorVersion);
    } else if (is(wl_shm_interface) && shm_ == nullptr) {
        shm_ = Bind<wl_shm>(registry_, name, &wl_shm_interface, version, 1);
    } else if (is(xdg_wm_base_interface) && windows_ == nullptr) {
        windows_ =
            Bind<xdg_wm_base>(registry_, name, &xdg_wm_base_interface, version, kWindowsVersion);
        xdg_wm_base_add_listener(windows_, &kWindowsListener, nullptr);
    } else if (is(wl_seat_interface) && seat_ == nullptr) {
        seat_ = Bind<wl_seat>(registry_, name, &wl_seat_interface, version, kSeatVersion);
    } else if (is(wl_output_interface)) {
        auto output = std::make_unique<WaylandOutput>();
        output->globalName = name;
        output->output =
            Bind<wl_output>(registry_, name, &wl_output_interface, version, kOutputVersion);
        wl_output_add_listener(output->output, &kOutputListener, output.get());
        outputs_.push_back(std::move(output));
    } else if (std::strcmp(interface, "zwlr_screencopy_manager_v1") == 0) {
        screenCopyOffered_ = true;
    }
}

// An output unplugged mid-show: its cover goes with it, the rest carries on.
void WaylandDisplay::Withdraw(std::uint32_t name) {
    const auto gone = std::find_if(outputs_.begin(), outputs_.end(), [name](const auto& output) {
        return output->globalName == name;
    });
    if (gone != outputs_.end()) {
        wl_output_destroy((*gone)->output);
        outputs_.erase(gone);
    }
}

const WaylandOutput* WaylandDisplay::OutputOf(const wl_output* output) const {
    const auto found = std::find_if(outputs_.begin(), outputs_.end(), [output](const auto& known) {
        return known->output == output;
    });
    return found != outputs_.end() ? found->get() : nullptr;
}

std::string WaylandDisplay::Missing() const {
    if (compositor_ == nullptr || shm_ == nullptr) {
        return "surfaces (wl_compositor, wl_shm)";
    }
    return windows_ == nullptr ? "windows (xdg-shell)" : "";
}
