#pragma once
// The TGA reader: 32-bit pixels (blue, green, red, fourth) from
//   type 1  colour-mapped, 8-bit pixels, 24-bit map entries -> (b, g, r, 0)
//   type 2  true colour, depth 24 -> (b, g, r, 0); depth 32 copied as stored
//   type 3  grey, depth 8 -> (v, v, v, 0)
//   type 10 run-length true colour, depth 24 or 32, as type 2
// Every other kind (types 9 and 11, other depths, other map entry sizes) decodes to a black image
// of the right size with result kImageOk. The rows are always flipped (the file's bottom row
// becomes the top row): the descriptor byte's origin bits are not consulted, as the game reads
// the files the same way.
//
// Results are the kImage* codes of image_holder.h; any result but kImageOk leaves the holder
// empty. kImageUnsupported: a header shorter than 18 bytes, a width or height of 0, or image data
// (id field, colour map, pixels) that the file does not hold in full.

#include "gamedata/image_holder.h"

#include <cstdint>
#include <span>

int tga_Decode(ImageHolder& holder, std::span<const uint8_t> file);

// Reads `path` through the file layer into a heap buffer, decodes it and names the holder after
// the file.
int tga_Read(ImageHolder& holder, const char* path);
