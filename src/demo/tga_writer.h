#pragma once
// The TGA writer: true-colour images of 24 or 32 bits per pixel, plain (type 2) or run-length
// coded (type 10), rows stored bottom row first as the TGA reader expects.

#include <cstdint>
#include <span>
#include <vector>

struct TgaWriteOptions {
    int depth = 24;         // 24: (blue, green, red); 32: (blue, green, red, alpha)
    bool runLength = false; // type 10 instead of type 2
};

// The file bytes of a `width` × `height` image (1 to 65,535 each) of 32-bit pixels 0xAARRGGBB,
// top row first. The alpha byte is written only at depth 32 (the descriptor then names 8 alpha
// bits). Run-length packets never cross a row. Empty when the sizes or the depth are out of range
// or `pixels` is shorter than the image.
std::vector<uint8_t> tga_Encode(int width, int height, std::span<const uint32_t> pixels,
                                const TgaWriteOptions& options = {});

// Encodes as above and writes `path` (a loose path) through a temporary file. False on failure.
bool tga_Write(const char* path, int width, int height, std::span<const uint32_t> pixels,
               const TgaWriteOptions& options = {});
