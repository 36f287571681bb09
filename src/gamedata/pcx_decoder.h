#pragma once
// The 8-bit PCX reader: one plane of 8-bit palette indices, run-length coded, with the 256-colour
// palette in the last 768 bytes of the file (behind a marker byte that is not checked).
//
// Results are the kImage* codes of image_holder.h. Any result but kImageOk leaves the holder empty.
// A file is refused (kImageUnsupported) when it is not 8 bits per pixel in one plane, when its
// header is shorter than 128 bytes or leaves no room for the palette, when its bounds are reversed
// or wider than 65,535 pixels, when a row holds fewer bytes than the image is wide, or when the
// coded rows run out before the image is complete.

#include "gamedata/image_holder.h"

#include <cstdint>
#include <span>

// Indexed variant: width × height 8-bit indices followed by the palette as 256 entries of
// (blue, green, red, 0); `holder.palette` points at it.
int pcx_DecodeIndexed(ImageHolder& holder, std::span<const uint8_t> file);
// Height variant: 32-bit pixels whose green byte is the red component of the pixel's palette
// entry; blue, red and fourth bytes are 0.
int pcx_DecodeHeight(ImageHolder& holder, std::span<const uint8_t> file);

// The same, reading `path` through the file layer (disk or archive) into the file-buffer arena
// for the length of the decode. kImageNotFound when the file layer does not find it.
int pcx_ReadIndexed(ImageHolder& holder, const char* path);
int pcx_ReadHeight(ImageHolder& holder, const char* path);
