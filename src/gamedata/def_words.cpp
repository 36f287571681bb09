#include "gamedata/def_words.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The decimal number at the start of `word` (white space, sign, digits, fraction, exponent),
// read the same way whatever the process locale says about decimal points. False without one.
bool readDecimal(const char* word, double* value) {
    if (word == nullptr) return false;
    while (isSpace(*word))
        ++word;
    bool negative = false;
    if (*word == '+' || *word == '-') negative = *word++ == '-';
    if (!isDigit(word[0]) && !(word[0] == '.' && isDigit(word[1]))) return false;
    double parsed = 0.0;
    const char* end = word + std::strlen(word);
    auto result = std::from_chars(word, end, parsed, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument) return false;
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small in magnitude: decide by the exponent's sign.
        const char* e = word;
        while (e < end && *e != 'e' && *e != 'E')
            ++e;
        parsed = (e < end && e[1] == '-') ? 0.0 : HUGE_VAL;
    }
    *value = negative ? -parsed : parsed;
    return true;
}

int32_t clampToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(value); // truncates toward zero
}

} // namespace

int32_t defword_Int(const char* word) {
    if (word == nullptr) return 0;
    while (isSpace(*word))
        ++word;
    bool negative = false;
    if (*word == '+' || *word == '-') negative = *word++ == '-';
    uint32_t value = 0;
    while (isDigit(*word))
        value = value * 10u + static_cast<uint32_t>(*word++ - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

int32_t defword_IntClamped(const char* word) {
    if (word == nullptr) return 0;
    while (isSpace(*word))
        ++word;
    bool negative = false;
    if (*word == '+' || *word == '-') negative = *word++ == '-';
    // Past 2^31 every further digit only makes the value larger, so the count can stop there.
    constexpr int64_t kBeyond = int64_t{1} << 31;
    int64_t value = 0;
    while (isDigit(*word)) {
        if (value <= kBeyond) value = value * 10 + (*word - '0');
        ++word;
    }
    if (negative) return value >= kBeyond ? INT32_MIN : static_cast<int32_t>(-value);
    return value >= kBeyond ? INT32_MAX : static_cast<int32_t>(value);
}

int32_t defword_Fixed16(const char* word) {
    double value = 0.0;
    if (!readDecimal(word, &value)) return 0;
    return clampToInt32(value * 65536.0);
}

int32_t defword_Truncate(const char* word) {
    double value = 0.0;
    if (!readDecimal(word, &value)) return 0;
    return clampToInt32(value);
}

void defword_Copy(char* field, size_t size, const char* word) {
    if (field == nullptr || size == 0) return;
    const size_t length = word == nullptr ? 0 : strnlen(word, size - 1);
    if (length > 0) std::memcpy(field, word, length);
    std::memset(field + length, 0, size - length);
}

bool defword_Equal(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) return false;
    return defword_Compare(a, b) == 0;
}

int defword_Compare(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const unsigned char ca = static_cast<unsigned char>(lowerAscii(*a));
        const unsigned char cb = static_cast<unsigned char>(lowerAscii(*b));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

void SetExtension(char* name, size_t size, const char* ext) {
    if (name == nullptr || size == 0) return;
    name[size - 1] = '\0';
    std::string result(name);
    const size_t dot = result.find('.');
    if (dot != std::string::npos)
        result.erase(dot + 1);
    else
        result += '.';
    result += ext ? ext : "";
    defword_Copy(name, size, result.c_str());
}
