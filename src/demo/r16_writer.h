#pragma once
// The R16 elevation writer: the magic "R16a", width and height as 32-bit little-endian integers,
// then one 16-bit little-endian sample per pixel, rows in order.

#include <cstdint>
#include <span>
#include <vector>

// The file bytes of a `width` × `height` height field (1 to 32,767 each, the range the reader
// takes). Empty when the sizes are out of range or `samples` is shorter than the image.
std::vector<uint8_t> r16_Encode(int width, int height, std::span<const uint16_t> samples);

// Encodes as above and writes `path` (a loose path) through a temporary file. False on failure.
bool r16_Write(const char* path, int width, int height, std::span<const uint16_t> samples);
