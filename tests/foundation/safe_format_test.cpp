// Formatting with formats from the string tables, and the check of a format against a fixed
// argument list.
#include "foundation/safe_format.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
template <typename... Args> std::string printfReference(const char* format, Args... args) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}
#pragma GCC diagnostic pop

TEST(SafeFormat, FittingFormatsGiveWhatPrintfGives) {
    const char* intFormats[] = {"%i", "%d",  "%5i|", "%-5i|", "%05d",   "%+i", "% i",  "%x",  "%X",    "%o",
                                "%u", "%#x", "%.3i", "%0.3i", "%2i - ", "%hi", "%hhi", "%hu", "%%%i%%"};
    for (const char* format : intFormats)
        for (int value : {0, 7, -7, 65, 70000, -2147483647 - 1, 2147483647})
            EXPECT_EQ(printfReference(format, value), fmt_Format(format, {value})) << format << " " << value;
    EXPECT_EQ("-7 -7 A", fmt_Format("%li %lli %c", {-7, -7, 65}));
    for (const char* format : {"%s", "%10s|", "%-10s|", "%.3s", "%8.2s|"})
        EXPECT_EQ(printfReference(format, "abcdef"), fmt_Format(format, {"abcdef"})) << format;
    for (const char* format : {"%f", "%.2f", "%8.3f", "%g", "%e", "%lf"})
        EXPECT_EQ(printfReference(format, 99.609375), fmt_Format(format, {99.609375})) << format;
    EXPECT_EQ(printfReference("%s of %s\nprinted %i/%i/%i at %i:%02i\n", "a.mis", "b", 12, 31, 1999, 23, 5),
              fmt_Format("%s of %s\nprinted %i/%i/%i at %i:%02i\n", {"a.mis", "b", 12, 31, 1999, 23, 5}));
}

TEST(SafeFormat, ConversionsThatDoNotFitAreWrittenAsTheyStand) {
    EXPECT_EQ("%s and 5", fmt_Format("%s and %i", {4, 5}));
    EXPECT_EQ("4 and %i", fmt_Format("%i and %i", {4}));
    EXPECT_EQ("%n%p", fmt_Format("%n%p", {1, 2}));
    EXPECT_EQ("%*i 3", fmt_Format("%*i %i", {2, 3}));
    EXPECT_EQ("%99999i", fmt_Format("%99999i", {1}));
    EXPECT_EQ("%.99999s", fmt_Format("%.99999s", {"x"}));
    EXPECT_EQ("%i", fmt_Format("%i", {"text"}));
    EXPECT_EQ("%f", fmt_Format("%f", {3}));
    EXPECT_EQ("end %", fmt_Format("end %", {}));
    EXPECT_EQ("100%", fmt_Format("100%%", {}));
    EXPECT_EQ("no conversions", fmt_Format("no conversions", {1, "x"}));
    EXPECT_EQ("", fmt_Format(nullptr, {1}));
}

TEST(SafeFormat, LongFieldsAreFormattedWhole) {
    const std::string wide = fmt_Format("%300i|", {5});
    EXPECT_EQ(301u, wide.size());
    EXPECT_EQ(printfReference("%300i|", 5), wide);
}

TEST(CheckedFormat, ConversionKindsReadFlagsWidthsAndLengths) {
    EXPECT_EQ(text_ConversionKinds("plain"), "");
    EXPECT_EQ(text_ConversionKinds("100%% of %s"), "s");
    EXPECT_EQ(text_ConversionKinds("%-8.3ld|%05i|%.1f|%lg|%E"), "ddfff");
    EXPECT_EQ(text_ConversionKinds(nullptr), "");
}

TEST(CheckedFormat, ConversionKindsRefuseWhatCannotBeCheckedAgainstAnArgument) {
    for (const char* format : {"%n", "%*d", "%c", "%p", "%x", "%ls", "%lllld", "%Lf", "%5%", "%5000d",
                               "ends in %", "ends in %-5", "%.*f"})
        EXPECT_FALSE(text_ConversionKinds(format).has_value()) << format;
}

TEST(CheckedFormat, AMatchingFormatIsUsedAndAnyOtherFallsBack) {
    EXPECT_EQ(text_FormatChecked("<%s|%i>", "sd", "%s=%i", {"a", 5}), "<a|5>");
    EXPECT_EQ(text_FormatChecked("<%s>", "sd", "%s=%i", {"a", 5}), "a=5");
    EXPECT_EQ(text_FormatChecked("<%i|%s>", "sd", "%s=%i", {"a", 5}), "a=5");
    EXPECT_EQ(text_FormatChecked("<%s|%i|%i>", "sd", "%s=%i", {"a", 5}), "a=5");
}

} // namespace
