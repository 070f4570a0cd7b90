#include "wayland/seat_input.h"

#include <unistd.h>

namespace {

constexpr std::uint32_t kEscapeKey = 1;  // KEY_ESC of the kernel's input codes

void OnCapabilities(void* data, wl_seat*, std::uint32_t capabilities) {
    static_cast<SeatInput*>(data)->Capabilities(capabilities);
}

void OnSeatName(void*, wl_seat*, const char*) {}

const wl_seat_listener kSeatListener = {OnCapabilities, OnSeatName};

// The show needs no keymap: it is only closed.
void OnKeymap(void*, wl_keyboard*, std::uint32_t, std::int32_t file, std::uint32_t) {
    close(file);
}

void OnKeyboardEnter(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}
void OnKeyboardLeave(void*, wl_keyboard*, std::uint32_t, wl_surface*) {}

void OnKey(void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t key,
           std::uint32_t state) {
    static_cast<SeatInput*>(data)->Key(key, state);
}

void OnModifiers(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                 std::uint32_t) {}
void OnRepeatInfo(void*, wl_keyboard*, std::int32_t, std::int32_t) {}

const wl_keyboard_listener kKeyboardListener = {OnKeymap, OnKeyboardEnter, OnKeyboardLeave,
                                                OnKey,    OnModifiers,     OnRepeatInfo};

void OnPointerEnter(void* data, wl_pointer*, std::uint32_t serial, wl_surface*, wl_fixed_t,
                    wl_fixed_t) {
    static_cast<SeatInput*>(data)->HidePointer(serial);
}

void OnPointerLeave(void*, wl_pointer*, std::uint32_t, wl_surface*) {}
void OnMotion(void*, wl_pointer*, std::uint32_t, wl_fixed_t, wl_fixed_t) {}
void OnButton(void*, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
void OnAxis(void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {}
void OnFrame(void*, wl_pointer*) {}
void OnAxisSource(void*, wl_pointer*, std::uint32_t) {}
void OnAxisStop(void*, wl_pointer*, std::uint32_t, std::uint32_t) {}
void OnAxisDiscrete(void*, wl_pointer*, std::uint32_t, std::int32_t) {}
void OnAxisValue120(void*, wl_pointer*, std::uint32_t, std::int32_t) {}

const wl_pointer_listener kPointerListener = {
    OnPointerEnter, OnPointerLeave, OnMotion,   OnButton,       OnAxis,
    OnFrame,        OnAxisSource,   OnAxisStop, OnAxisDiscrete, OnAxisValue120};

// Release tells the compositor; a seat older than version 3 knows only its own end of it.
void Release(wl_keyboard* keyboard) {
    if (wl_keyboard_get_version(keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION) {
        wl_keyboard_release(keyboard);
    } else {
        wl_keyboard_destroy(keyboard);
    }
}

void Release(wl_pointer* pointer) {
    if (wl_pointer_get_version(pointer) >= WL_POINTER_RELEASE_SINCE_VERSION) {
        wl_pointer_release(pointer);
    } else {
        wl_pointer_destroy(pointer);
    }
}

}  // namespace

SeatInput::SeatInput(wl_seat* seat) : seat_(seat) {
    if (seat_ != nullptr) {
        wl_seat_add_listener(seat_, &kSeatListener, this);
    }
}

SeatInput::~SeatInput() {
    if (keyboard_ != nullptr) {
        Release(keyboard_);
    }
    if (pointer_ != nullptr) {
        Release(pointer_);
    }
}

// Keyboards and pointers come and go with the devices plugged in.
void SeatInput::Capabilities(std::uint32_t capabilities) {
    const bool keyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
    if (keyboard && keyboard_ == nullptr) {
        keyboard_ = wl_seat_get_keyboard(seat_);
        wl_keyboard_add_listener(keyboard_, &kKeyboardListener, this);
    } else if (!keyboard && keyboard_ != nullptr) {
        Release(keyboard_);
        keyboard_ = nullptr;
        escapeDown_ = false;
    }
    const bool pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
    if (pointer && pointer_ == nullptr) {
        pointer_ = wl_seat_get_pointer(seat_);
        wl_pointer_add_listener(pointer_, &kPointerListener, this);
    } else if (!pointer && pointer_ != nullptr) {
        Release(pointer_);
        pointer_ = nullptr;
    }
}

void SeatInput::Key(std::uint32_t key, std::uint32_t state) {
    if (key == kEscapeKey) {
        escapeDown_ = state == WL_KEYBOARD_KEY_STATE_PRESSED;
    }
}

void SeatInput::HidePointer(std::uint32_t serial) {
    wl_pointer_set_cursor(pointer_, serial, nullptr, 0, 0);
}
