#include "editor/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Skips leading blanks and reads an optional sign; returns the position after them.
size_t skipBlanksAndSign(std::string_view text, bool& negative) {
    size_t at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    return at;
}

size_t skipDigits(std::string_view text, size_t at) {
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

} // namespace

int32_t text_ReadInteger(std::string_view text) {
    bool negative = false;
    size_t at = skipBlanksAndSign(text, negative);
    // Accumulated as a magnitude that stops growing once it is past the range of either sign.
    constexpr int64_t kBeyond = int64_t{std::numeric_limits<int32_t>::max()} + 2;
    int64_t magnitude = 0;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > kBeyond) magnitude = kBeyond;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

double text_ReadReal(std::string_view text) {
    bool negative = false;
    const size_t start = skipBlanksAndSign(text, negative);
    size_t end = skipDigits(text, start);
    bool digits = end > start;
    if (end < text.size() && text[end] == '.') {
        const size_t fractionEnd = skipDigits(text, end + 1);
        digits = digits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!digits) return 0.0;
    // An exponent counts only when digits follow its letter (and sign).
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        size_t at = end + 1;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        const size_t exponentEnd = skipDigits(text, at);
        if (exponentEnd > at) end = exponentEnd;
    }
    double value = 0.0;
    const char* first = text.data() + start;
    const char* last = text.data() + end;
    const auto [stopped, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: which of the two shows in the exponent's sign.
        const std::string number(first, last);
        const size_t letter = number.find_first_of("eE");
        const bool tiny =
            letter != std::string::npos && letter + 1 < number.size() && number[letter + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc() || stopped == first) {
        value = 0.0;
    }
    return negative ? -value : value;
}

int32_t text_TruncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483649.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}
