#pragma once
// printf-style formatting of texts that come from the string tables. The formats are outside
// data, so a conversion is only carried out when it fits the argument it would take: the
// arguments are given with their kinds, and a conversion that does not fit its argument (a "%s"
// over a number, a "%n", a "*" width, a conversion with no argument left) is written as it
// stands instead. For formats that fit their arguments the result equals snprintf's.

#include <initializer_list>
#include <string>

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
