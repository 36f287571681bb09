#pragma once
// Reading the numbers typed into the edits of the dialogs. The texts are those of the edits as
// they stand; nothing here depends on the platform's locale.

#include <cstdint>
#include <string_view>

// The standard decimal conversion: leading blanks (space, tab, line breaks), an optional sign and
// the decimal digits that follow; reading stops at the first other character, and a text without
// digits gives 0. A value beyond the 32-bit range is clamped to it, never wrapped.
int32_t text_ReadInteger(std::string_view text);

// A real number in decimal notation: leading blanks, an optional sign, digits with an optional
// decimal point and fraction, and an optional exponent ("e" or "E", a sign, digits); reading stops
// at the first character that does not continue the number, and a text without digits gives 0.
// Only this notation is read ("inf", "nan" and hexadecimal numbers read as 0); a value too large
// for a double gives plus or minus infinity.
double text_ReadReal(std::string_view text);

// `value` truncated toward zero and clamped to the 32-bit range (an infinity gives the nearest
// end of the range).
int32_t text_TruncateToInt32(double value);
