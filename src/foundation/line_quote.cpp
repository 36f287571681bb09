#include "foundation/line_quote.h"

std::string ascii_QuoteLine(std::string_view line) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string quoted;
    quoted.reserve(line.size() < kQuotedLineMaxChars ? line.size() : kQuotedLineMaxChars);
    for (size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        const bool printable = byte >= 0x20 && byte <= 0x7E;
        const size_t width = printable ? 1 : 4;
        if (quoted.size() + width > kQuotedLineMaxChars) {
            quoted += "...";
            break;
        }
        if (printable) {
            quoted += static_cast<char>(byte);
        } else {
            quoted += "\\x";
            quoted += kHex[byte >> 4];
            quoted += kHex[byte & 0xF];
        }
    }
    return quoted;
}
