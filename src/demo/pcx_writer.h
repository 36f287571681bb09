#pragma once
// The 8-bit PCX writer: one plane of palette indices, run-length coded, followed by the marker
// byte 0x0C and the 256-colour palette. This is the form the PCX reader takes (the edited
// character map is saved this way) and what common image tools read.

#include <cstdint>
#include <span>
#include <vector>

constexpr int kPcxPaletteBytes = 768; // 256 red-green-blue triples

// The file bytes of a `width` × `height` image (1 to 65,535 each) of 8-bit indices, top row first,
// with `palette` as 256 (red, green, blue) triples. Rows are padded to an even length, as the
// format asks; runs never cross a row. Empty when the sizes are out of range or the spans are
// shorter than the image or the palette.
std::vector<uint8_t> pcx_EncodeIndexed(int width, int height, std::span<const uint8_t> indices,
                                       std::span<const uint8_t> palette);

// Encodes as above and writes `path` (a loose path) through a temporary file. False on failure.
bool pcx_WriteIndexed(const char* path, int width, int height, std::span<const uint8_t> indices,
                      std::span<const uint8_t> palette);
