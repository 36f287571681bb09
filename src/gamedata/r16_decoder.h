#pragma once
// The R16 elevation reader. A file is the magic "R16a", the width and the height as 32-bit
// little-endian integers, then one 16-bit little-endian sample per pixel, rows in file order.
//
// Each sample becomes a 32-bit pixel (blue, green, red, 0): normally the sample's high byte in the
// green byte, or with the start-up option "/16" a false-colour ramp (r16_RampPixel).
//
// Results are the kImage* codes of image_holder.h; any result but kImageOk leaves the holder
// empty. kImageUnsupported: no magic, a width or height outside 1 to 32,767, or fewer samples
// than pixels.

#include "gamedata/image_holder.h"

#include <cstdint>
#include <span>

// The false-colour ramp: e = sample ÷ 32 falls in one of eleven bands of 192 (the last one 128
// wide) and v = e − band start + 64 (64 to 255); each band shows v, v ÷ 2 or 0 in blue, green and
// red, running from blue through cyan, green, yellow and red to magenta. Returns 0x00RRGGBB.
uint32_t r16_RampPixel(uint16_t sample);

int r16_Decode(ImageHolder& holder, std::span<const uint8_t> file, bool falseColour);

// Reads `path` through the file layer into a heap buffer, decodes it and names the holder after
// the file.
int r16_Read(ImageHolder& holder, const char* path, bool falseColour);
