#pragma once

#include <cstdint>

// The screen saver's booleans are 16-bit values with -1 for true and 0 for false, as its form
// layer and settings expect them; this type keeps that width and those values visible.
enum class Bool16 : std::int16_t { False = 0, True = -1 };

constexpr Bool16 ToBool16(bool value) {
    return value ? Bool16::True : Bool16::False;
}
constexpr bool IsTrue(Bool16 value) {
    return value != Bool16::False;
}
