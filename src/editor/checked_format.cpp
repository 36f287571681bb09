#include "editor/checked_format.h"

#include <cstring>

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

std::optional<std::string> text_ConversionKinds(const char* format) {
    std::string kinds;
    if (format == nullptr) return kinds;
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') continue;
        ++p;
        if (*p == '%') continue;
        while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr)
            ++p;
        while (isDigit(*p))
            ++p;
        if (*p == '.') {
            ++p;
            while (isDigit(*p))
                ++p;
        }
        int lengthLetters = 0;
        while (*p == 'h' || *p == 'l') {
            ++p;
            ++lengthLetters;
        }
        if (lengthLetters > 2) return std::nullopt;
        switch (*p) {
        case 's':
            if (lengthLetters != 0) return std::nullopt;
            kinds += 's';
            break;
        case 'd':
        case 'i':
            kinds += 'd';
            break;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
            if (lengthLetters > 1) return std::nullopt;
            kinds += 'f';
            break;
        default:
            return std::nullopt; // includes the end of the text inside a conversion
        }
    }
    return kinds;
}

std::string text_FormatChecked(const char* format, std::string_view expected, const char* fallback,
                               std::initializer_list<FmtArg> args) {
    const std::optional<std::string> kinds = text_ConversionKinds(format);
    const bool fits = kinds.has_value() && *kinds == expected;
    return fmt_Format(fits ? format : fallback, args);
}
