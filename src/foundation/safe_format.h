#pragma once
// printf-style formatting of texts that come from the string tables. The formats are outside
// data, so a conversion is only carried out when it fits the argument it would take: the
// arguments are given with their kinds, and a conversion that does not fit its argument (a "%s"
// over a number, a "%n", a "*" width, a conversion with no argument left) is written as it
// stands instead. For formats that fit their arguments the result equals snprintf's.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

struct FmtArg {
    enum class Kind { Int, Real, Text };
    FmtArg(int value) : kind(Kind::Int), number(value) {}
    FmtArg(double value) : kind(Kind::Real), real(value) {}
    FmtArg(const char* value) : kind(Kind::Text), text(value != nullptr ? value : "") {}
    FmtArg(const std::string& value) : kind(Kind::Text), text(value.c_str()) {}

    Kind kind;
    int number = 0;
    double real = 0.0;
    const char* text = "";
};

constexpr int kFmtMaxFieldWidth = 4096; // widths and precisions above this are not carried out

// Each conversion takes the next argument in order, whether or not it fits it.
std::string fmt_Format(const char* format, std::initializer_list<FmtArg> args);

// One conversion of a format as the formatter reads it: flags, width, precision, up to two
// length letters (h, l, j, z, t, L) and the conversion character.
struct FmtConversion {
    std::string flags;
    int width = -1;     // -1: none
    int precision = -1; // -1: none
    std::string length;
    char type = 0;
    bool valid = false;        // complete, a known type, widths within kFmtMaxFieldWidth
    const char* end = nullptr; // one past the conversion character (where reading stopped)
};

// The conversion that starts after a '%' at `afterPercent`. The known types are d i u o x X c s
// f F e E g G a A and '%'. A "*" width, a width or precision above kFmtMaxFieldWidth or the end
// of the text inside the conversion make it invalid.
FmtConversion fmt_ScanConversion(const char* afterPercent);

// ---- Formats checked against a fixed argument list --------------------------------------------
// When the program's own argument list is fixed, a text is used only when its conversions are
// exactly the ones the caller passes, so a damaged or foreign table can neither misread an
// argument nor drop one; otherwise a fixed built-in format takes its place.

// The conversions of `format` as one letter each, in order: 's' text, 'd' integer (d, i), 'f'
// real (f, F, e, E, g, G). Flags, a width, a precision and the length letters h, l are allowed;
// "%%" counts as no conversion. Nullopt when the text holds any other conversion ("%c", "%n",
// "%p", "%x", a "*" width) or ends inside one; null counts as no conversions.
std::optional<std::string> text_ConversionKinds(const char* format);

// `format` filled with `args` when text_ConversionKinds(format) equals `expected`, else
// `fallback` filled with them (the fallback must itself match `expected`).
std::string text_FormatChecked(const char* format, std::string_view expected, const char* fallback,
                               std::initializer_list<FmtArg> args);
