#include "rules/text_rules.h"

#include <cmath>
#include <limits>

#include "rules/text_chars.h"

namespace {

template <typename Integer>
std::optional<Integer> ToInteger(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(value);  // the default mode rounds halves to even
    if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
        return std::nullopt;
    }
    return static_cast<Integer>(rounded);
}

}  // namespace

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

std::string ModeLetter(std::string_view commandLine) {
    if (commandLine.size() < 2) {
        return "";
    }
    return UpperCase(commandLine.substr(1, 1));
}

double Val(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    double value = 0.0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10.0 + (text[i] - '0');
    }
    return value;
}

std::optional<int16_t> ToInteger16(double value) {
    return ToInteger<int16_t>(value);
}

std::optional<uint32_t> ToUnsigned32(double value) {
    return ToInteger<uint32_t>(value);
}

std::string FormatHash(int32_t value) {
    if (value == 0) {
        return "";
    }
    return std::to_string(value);
}
