#pragma once

#include <wayland-client.h>

#include <cstdint>

// The seat's keyboard and pointer, as the show needs them: whether Escape is held, and no
// pointer drawn over its windows. Keys are taken by where they are on the keyboard (evdev's
// codes), so Escape is Escape on any layout.
class SeatInput {
  public:
    explicit SeatInput(wl_seat* seat);
    ~SeatInput();
    SeatInput(const SeatInput&) = delete;
    SeatInput& operator=(const SeatInput&) = delete;

    bool EscapeDown() const { return escapeDown_; }

    // Called by the listeners.
    void Capabilities(std::uint32_t capabilities);
    void Key(std::uint32_t key, std::uint32_t state);
    void HidePointer(std::uint32_t serial);

  private:
    wl_seat* seat_;
    wl_keyboard* keyboard_ = nullptr;
    wl_pointer* pointer_ = nullptr;
    bool escapeDown_ = false;
};
