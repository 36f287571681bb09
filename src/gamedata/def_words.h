#pragma once
// Word conversions shared by the definition-file readers (items, terrains, sunsets).

#include <cstddef>
#include <cstdint>

// Optional leading white space, an optional sign and decimal digits; reading stops at the first
// other character; 0 without digits. Values beyond 32 bits wrap as the game's reader does.
int32_t defword_Int(const char* word);
// The same reading, but a value beyond 32 bits is held to the nearest value an int32 holds
// (INT32_MIN or INT32_MAX) instead of wrapping.
int32_t defword_IntClamped(const char* word);
// A decimal number (as strtod reads it) multiplied by 65536 and truncated toward zero; values
// outside the 32-bit range are clamped, a word without a number gives 0.
int32_t defword_Fixed16(const char* word);
// A decimal number truncated toward zero (clamped to the 32-bit range; 0 without a number).
int32_t defword_Truncate(const char* word);
// Copies `word` into a field of `size` bytes, keeping what fits (size - 1 characters), and fills
// the rest of the field with zeros.
void defword_Copy(char* field, size_t size, const char* word);
// ASCII case-insensitive equality; null equals nothing.
bool defword_Equal(const char* a, const char* b);
// ASCII case-insensitive comparison (like strcmp on lower-cased letters).
int defword_Compare(const char* a, const char* b);
// Sets the extension of `name` in a field of `size` bytes: when the name holds a ".", everything
// after the first "." is replaced by `ext`; otherwise "." and `ext` are appended. Keeps what fits.
void SetExtension(char* name, size_t size, const char* ext);
