#pragma once
// A small baseline JPEG encoder: JFIF 1.01, YCbCr with chroma at full resolution (4:4:4) or
// halved both ways (4:2:0), the example quantisation tables of the JPEG standard scaled by a
// quality in the manner of the Independent JPEG Group, and the standard Huffman tables. It lets
// the demo data carry JPEG colour maps without any outside library; the JPEG reader decodes its
// files like any other baseline file.

#include <cstdint>
#include <span>
#include <vector>

struct JpegEncodeOptions {
    int quality = 85;            // 1 (smallest) to 100 (best); tables stay 8-bit (baseline)
    bool subsampleChroma = true; // 4:2:0 instead of 4:4:4
    int restartInterval = 0;     // MCUs between restart markers; 0 writes none
};

// The file bytes of a `width` × `height` image (1 to 65,535 each) of pixels 0x00RRGGBB (the
// fourth byte is ignored), top row first. Empty when the sizes are out of range, `pixels` is
// shorter than the image, or the restart interval is outside 0 to 65,535.
std::vector<uint8_t> jpeg_Encode(std::span<const uint32_t> pixels, int width, int height,
                                 const JpegEncodeOptions& options = {});

// Encodes as above and writes `path` (a loose path) through a temporary file. False on failure.
bool jpeg_WriteFile(const char* path, std::span<const uint32_t> pixels, int width, int height,
                    const JpegEncodeOptions& options = {});
