#include "foundation/safe_format.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a run of digits; false when it is longer than the allowed field width.
bool readNumber(const char*& p, int& value) {
    value = 0;
    while (isDigit(*p)) {
        value = value * 10 + (*p - '0');
        if (value > kFmtMaxFieldWidth) return false;
        ++p;
    }
    return true;
}

std::string directiveOf(const FmtConversion& c, const char* length, char type) {
    std::string directive = "%" + c.flags;
    if (c.width >= 0) directive += std::to_string(c.width);
    if (c.precision >= 0) directive += "." + std::to_string(c.precision);
    directive += length;
    directive += type;
    return directive;
}

template <typename T> void appendFormatted(std::string& out, const std::string& directive, T value) {
    char small[128];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    int needed = std::snprintf(small, sizeof small, directive.c_str(), value);
    if (needed < 0) return;
    if (static_cast<size_t>(needed) < sizeof small) {
        out.append(small, static_cast<size_t>(needed));
        return;
    }
    std::vector<char> big(static_cast<size_t>(needed) + 1);
    std::snprintf(big.data(), big.size(), directive.c_str(), value);
#pragma GCC diagnostic pop
    out.append(big.data(), static_cast<size_t>(needed));
}

// Carries out one conversion with its argument; false when it does not fit.
bool convert(std::string& out, const FmtConversion& c, const FmtArg& arg) {
    const bool isSigned = c.type == 'd' || c.type == 'i';
    const bool isUnsigned = std::strchr("uoxX", c.type) != nullptr;
    if (isSigned || isUnsigned) {
        if (arg.kind != FmtArg::Kind::Int) return false;
        long long value = arg.number;
        if (c.length == "hh")
            value = isSigned ? static_cast<signed char>(arg.number) : static_cast<unsigned char>(arg.number);
        else if (c.length == "h")
            value = isSigned ? static_cast<short>(arg.number) : static_cast<unsigned short>(arg.number);
        else if (isUnsigned)
            value = static_cast<unsigned int>(arg.number);
        if (isSigned)
            appendFormatted(out, directiveOf(c, "ll", c.type), value);
        else
            appendFormatted(out, directiveOf(c, "ll", c.type), static_cast<unsigned long long>(value));
        return true;
    }
    if (c.type == 'c') {
        if (arg.kind != FmtArg::Kind::Int || !c.length.empty()) return false;
        appendFormatted(out, directiveOf(c, "", 'c'),
                        static_cast<int>(static_cast<unsigned char>(arg.number)));
        return true;
    }
    if (c.type == 's') {
        if (arg.kind != FmtArg::Kind::Text || !c.length.empty()) return false;
        appendFormatted(out, directiveOf(c, "", 's'), arg.text);
        return true;
    }
    // Floating-point conversions.
    if (arg.kind != FmtArg::Kind::Real || (!c.length.empty() && c.length != "l")) return false;
    appendFormatted(out, directiveOf(c, "", c.type), arg.real);
    return true;
}

} // namespace

FmtConversion fmt_ScanConversion(const char* p) {
    FmtConversion c;
    while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr)
        c.flags += *p++;
    if (isDigit(*p) && !readNumber(p, c.width)) {
        c.end = p;
        return c;
    }
    if (*p == '.') {
        ++p;
        if (!readNumber(p, c.precision)) {
            c.end = p;
            return c;
        }
    }
    while (*p != '\0' && std::strchr("hljztL", *p) != nullptr && c.length.size() < 2)
        c.length += *p++;
    if (*p == '\0') {
        c.end = p;
        return c;
    }
    c.type = *p++;
    c.end = p;
    c.valid = std::strchr("diuoxXcsfFeEgGaA%", c.type) != nullptr;
    return c;
}

std::string fmt_Format(const char* format, std::initializer_list<FmtArg> args) {
    std::string out;
    if (format == nullptr) return out;
    const FmtArg* next = args.begin();
    const char* p = format;
    while (*p != '\0') {
        const char* percent = std::strchr(p, '%');
        if (percent == nullptr) {
            out.append(p);
            break;
        }
        out.append(p, static_cast<size_t>(percent - p));
        FmtConversion c = fmt_ScanConversion(percent + 1);
        if (c.valid && c.type == '%') {
            out += '%';
        } else {
            const bool haveArg = next != args.end();
            const bool done = c.valid && haveArg && convert(out, c, *next);
            if (!done) out.append(percent, static_cast<size_t>(c.end - percent));
            if (haveArg) ++next;
        }
        p = c.end;
    }
    return out;
}

std::optional<std::string> text_ConversionKinds(const char* format) {
    std::string kinds;
    if (format == nullptr) return kinds;
    for (const char* percent = std::strchr(format, '%'); percent != nullptr;
         percent = std::strchr(percent, '%')) {
        const FmtConversion c = fmt_ScanConversion(percent + 1);
        const bool plainPercent = c.type == '%' && c.end == percent + 2;
        percent = c.end;
        if (plainPercent) continue;
        if (!c.valid || c.length.find_first_not_of("hl") != std::string::npos) return std::nullopt;
        switch (c.type) {
        case 's':
            if (!c.length.empty()) return std::nullopt;
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
            if (c.length.size() > 1) return std::nullopt;
            kinds += 'f';
            break;
        default:
            return std::nullopt;
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
