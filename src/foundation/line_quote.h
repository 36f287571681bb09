#pragma once
// A line of a file as a message quotes it: readable whatever bytes the file holds.

#include <cstddef>
#include <string>
#include <string_view>

constexpr size_t kQuotedLineMaxChars = 100; // characters of the quoted form before it is cut

// Bytes outside printable ASCII (0x20 to 0x7E) become "\xNN"; the result is cut after
// kQuotedLineMaxChars characters (never inside an escape) and then ends in "...".
std::string ascii_QuoteLine(std::string_view line);
