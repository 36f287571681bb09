#pragma once
// JPEG fixtures made with libjpeg-turbo, and libjpeg-turbo's own decoding of them (accurate
// integer DCT, no fancy upsampling) as the reference the editor's decoder must equal.

#include <cstdint>
#include <string>
#include <vector>

struct JpegFixture {
    int width = 16;
    int height = 16;
    // 1 grey, 2 (two unnamed components), 3 YCbCr (or RGB with `rgb`), 4 CMYK (or YCCK with `ycck`).
    int components = 3;
    int quality = 90;
    bool forceBaseline = true; // false with a low quality gives 16-bit quantisation tables
    // libjpeg marks a file with 16-bit tables as extended sequential (SOF1); with this set the
    // frame is relabelled SOF0, as other encoders write such files.
    bool labelBaseline = false;
    int sampling[4][2] = {{2, 2}, {1, 1}, {1, 1}, {1, 1}}; // h, v per component
    int restartInterval = 0;                               // MCUs per restart interval
    bool optimize = false;                                 // Huffman tables fitted to the image (long codes)
    bool progressive = false;
    bool arithmetic = false;
    bool rgb = false;           // three components stored as RGB (Adobe marker, no JFIF)
    bool ycck = false;          // four components stored as YCCK
    bool separateScans = false; // one baseline scan per component
    uint32_t seed = 1;
};

// A generated image: smooth gradients, hard edges, saturated areas and noise, `components` bytes
// per pixel.
std::vector<uint8_t> jpegtest_MakeImage(int width, int height, int components, uint32_t seed);

// Compresses `jpegtest_MakeImage(fixture...)` as `fixture` says. Empty when libjpeg refuses.
std::vector<uint8_t> jpegtest_Encode(const JpegFixture& fixture);

struct JpegReference {
    bool ok = false;
    std::string error; // libjpeg's message when !ok
    int width = 0;
    int height = 0;
    int components = 0;           // components of `samples` per pixel
    std::vector<uint8_t> samples; // libjpeg's output: RGB, grey, the raw components or CMYK
};

// Decodes with libjpeg-turbo: JDCT_ISLOW, no fancy upsampling, no block smoothing. Three-component
// files come out as RGB, grey as grey, four components as CMYK and two as the raw components.
JpegReference jpegtest_ReferenceDecode(const std::vector<uint8_t>& file);

// The reference as this decoder's pixels (blue, green, red, 0 as 0x00RRGGBB).
std::vector<uint32_t> jpegtest_ReferencePixels(const JpegReference& ref);

// Decodes `file` with the editor's decoder, with the vector kernels and without them, and expects
// each result to equal libjpeg-turbo's pixels exactly (reports the first difference).
void jpegtest_ExpectMatchesReference(const std::vector<uint8_t>& file);
