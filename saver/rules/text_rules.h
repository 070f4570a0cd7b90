#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The small text and number rules the screen saver's start-up and dialogs are written in terms
// of. They follow the form layer's long-standing behaviour, so command lines and stored values
// read the same as in every earlier release.

// The second character of the command line, folded to upper case; empty when the command line
// is shorter than two characters. The first character is never looked at, so "/s", "-s" and
// "xs" select the same mode.
std::string ModeLetter(std::string_view commandLine);

// The decimal number the text begins with, after leading blanks; 0 when there is none.
double Val(std::string_view text);

// Conversions to a 16-bit integer and an unsigned 32-bit one: halves round to the even
// neighbour; a value out of range (or not a number) has no conversion.
std::optional<int16_t> ToInteger16(double value);
std::optional<uint32_t> ToUnsigned32(double value);

// The number without leading zeros, and an empty text for 0 (the format "##").
std::string FormatHash(int32_t value);

// ASCII upper case; other bytes (code page 932 lead and trail bytes) stay as they are.
std::string UpperCase(std::string_view text);
