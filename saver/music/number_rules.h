#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Number rules of the settings and the music player, as their texts are meant to be read.

// The whole text, blanks around it aside, as one decimal number; nothing when it is not one.
std::optional<double> NumericValue(std::string_view text);

// A stored setting: the whole text, blanks around it aside, as one number. Empty text, text
// that is not a number, or a number outside 16 bits reads as 0; fractions are cut towards
// minus infinity (2.7 gives 2).
std::int16_t SettingNumber(std::string_view text);

// The repeat box of the settings dialog: numeric text rounded half to even, anything else 0.
// A number that does not fit 16 bits is 0 too, rather than an overflow.
std::int16_t RepeatFromText(std::string_view text);
