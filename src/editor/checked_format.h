#pragma once
// Formatting the printf-style texts of the string tables when the program's own argument list is
// fixed: a text is used only when its conversions are exactly the ones the caller passes, so a
// damaged or foreign table can neither misread an argument nor drop one; otherwise a fixed
// built-in format takes its place.

#include "mission/safe_format.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// The conversions of `format` as one letter each, in order: 's' text, 'd' integer (d, i), 'f'
// real (f, F, e, E, g, G). Flags, a width, a precision and the length letters h, l are allowed;
// "%%" counts as no conversion. Nullopt when the text holds any other conversion ("%c", "%n",
// "%p", "%x", a "*" width) or ends inside one; null counts as no conversions.
std::optional<std::string> text_ConversionKinds(const char* format);

// `format` filled with `args` when text_ConversionKinds(format) equals `expected`, else
// `fallback` filled with them (the fallback must itself match `expected`).
std::string text_FormatChecked(const char* format, std::string_view expected, const char* fallback,
                               std::initializer_list<FmtArg> args);
