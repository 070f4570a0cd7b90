#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct xdg_wm_base;

// An output as the compositor describes it.
struct WaylandOutput {
    wl_output* output = nullptr;
    std::uint32_t globalName = 0;
    std::string name;  // "DP-1", "HEADLESS-1": what grim -o takes; empty before wl_output 4
    int width = 0;     // its current mode, in pixels
    int height = 0;
};

// The connection to the compositor and what the show takes from it, bound once: windows
// (xdg-shell), shared-memory buffers, the seat's keyboard and pointer, and the outputs. Whether
// the compositor lets programs copy the screen (wlr-screencopy, through grim) is only looked at.
class WaylandDisplay {
  public:
    // The display of $WAYLAND_DISPLAY; none, after saying why, where it cannot be reached.
    static std::unique_ptr<WaylandDisplay> Connect();
    ~WaylandDisplay();
    WaylandDisplay(const WaylandDisplay&) = delete;
    WaylandDisplay& operator=(const WaylandDisplay&) = delete;

    wl_display* Display() const { return display_; }
    wl_compositor* Compositor() const { return compositor_; }
    wl_shm* Shm() const { return shm_; }
    xdg_wm_base* Windows() const { return windows_; }
    wl_seat* Seat() const { return seat_; }
    bool ScreenCopyOffered() const { return screenCopyOffered_; }
    const std::vector<std::unique_ptr<WaylandOutput>>& Outputs() const { return outputs_; }

    // The output behind a wl_output the compositor names; null for one it no longer has.
    const WaylandOutput* OutputOf(const wl_output* output) const;

    // What the shell needs and this compositor does not offer, in words; empty when all is there.
    std::string Missing() const;

    // Called by the registry's listener.
    void Announce(std::uint32_t name, const char* interface, std::uint32_t version);
    void Withdraw(std::uint32_t name);

  private:
    explicit WaylandDisplay(wl_display* display);

    wl_display* display_;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    xdg_wm_base* windows_ = nullptr;
    wl_seat* seat_ = nullptr;
    bool screenCopyOffered_ = false;
    std::vector<std::unique_ptr<WaylandOutput>> outputs_;
};
