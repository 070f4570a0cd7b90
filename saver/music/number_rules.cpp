#include "music/number_rules.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "rules/text_chars.h"
#include "rules/text_rules.h"

namespace {

std::string_view TrimLeadingBlanks(std::string_view text) {
    while (!text.empty() && IsBlankOrLineEnd(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view TrimBlanks(std::string_view text) {
    text = TrimLeadingBlanks(text);
    while (!text.empty() && IsBlankOrLineEnd(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::size_t CountDigits(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    return end - from;
}

// Length of the unsigned decimal number at the start of text (digits, optional fraction,
// optional exponent that has digits); 0 when there is no digit before the exponent.
std::size_t NumberLength(std::string_view text) {
    std::size_t length = CountDigits(text, 0);
    std::size_t mantissaDigits = length;
    if (length < text.size() && text[length] == '.') {
        const std::size_t fraction = CountDigits(text, length + 1);
        mantissaDigits += fraction;
        length += 1 + fraction;
    }
    if (mantissaDigits == 0) {
        return 0;
    }
    if (length < text.size() && (text[length] == 'e' || text[length] == 'E')) {
        std::size_t exponent = length + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentDigits = CountDigits(text, exponent);
        if (exponentDigits > 0) {
            length = exponent + exponentDigits;
        }
    }
    return length;
}

struct SignedNumber {
    double value = 0.0;
    std::size_t length = 0;  // characters taken, sign included; 0 when there was no number
};

// Reads with std::from_chars so that the decimal point never depends on the C locale.
SignedNumber LeadingNumber(std::string_view text) {
    std::size_t sign = 0;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        sign = 1;
    }
    const std::size_t length = NumberLength(text.substr(sign));
    if (length == 0) {
        return {};
    }
    const char* first = text.data() + sign;
    double magnitude = 0.0;
    const std::from_chars_result result = std::from_chars(first, first + length, magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone when it is out of range; a negative exponent means
        // the number is too small, anything else too large.
        const std::string_view digits(first, length);
        const bool tooSmall = digits.find("e-") != std::string_view::npos ||
                              digits.find("E-") != std::string_view::npos;
        magnitude = tooSmall ? 0.0 : std::numeric_limits<double>::infinity();
    }
    const bool negative = sign == 1 && text.front() == '-';
    return {negative ? -magnitude : magnitude, sign + length};
}

bool FitsInteger16(double value) {
    return value >= -32768.0 && value <= 32767.0;
}

}  // namespace

std::optional<double> NumericValue(std::string_view text) {
    text = TrimBlanks(text);
    const SignedNumber number = LeadingNumber(text);
    if (number.length == 0 || number.length != text.size()) {
        return std::nullopt;
    }
    return number.value;
}

// A value with anything after its number, such as "3abc", is not a number and reads as 0.
std::int16_t SettingNumber(std::string_view text) {
    const std::optional<double> number = NumericValue(text);
    if (!number) {
        return 0;
    }
    const double whole = std::floor(*number);
    return FitsInteger16(whole) ? static_cast<std::int16_t>(whole) : 0;
}

std::int16_t RepeatFromText(std::string_view text) {
    const std::optional<double> number = NumericValue(text);
    if (!number) {
        return 0;
    }
    return ToInteger16(*number).value_or(0);
}
