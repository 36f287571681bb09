#pragma once
// Pieces of the JPEG reader shared by its source files (jpeg_markers, jpeg_huffman, jpeg_scan,
// jpeg_idct, jpeg_color, jpeg_decoder). Not for other callers: use jpeg_decoder.h.

#include <cstddef>
#include <cstdint>
#include <span>

constexpr int kJpegMaxComponents = 4;
constexpr int kJpegTableCount = 4; // table ids 0 to 3
constexpr int kJpegBlockSize = 64;
constexpr int kJpegLookBits = 9; // Huffman codes up to this length decode with one lookup
constexpr int kJpegLookSize = 1 << kJpegLookBits;
constexpr int kJpegMaxCodeLength = 16;

// Zig-zag index to natural (row-major) index. The 16 entries past 63 catch a run that overshoots
// the block in a damaged file: such coefficients land on position 63 instead of outside.
inline constexpr uint8_t kJpegNaturalOrder[kJpegBlockSize + 16] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  //
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28, //
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51, //
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63, //
    63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63};

// A decoding table built from a DHT segment.
struct JpegHuffTable {
    bool defined = false;
    bool dcUsable = false; // every symbol is at most 15, so it may serve as a DC table
    // Indexed by the next kJpegLookBits bits: (code length << 8) | symbol, or 0 when the code
    // there is longer than kJpegLookBits.
    uint16_t fast[kJpegLookSize];
    // AC tables: where the code and its magnitude bits together fit in kJpegLookBits, the
    // decoded coefficient: value << 16 | run << 8 | bits used; else 0.
    uint32_t fastAc[kJpegLookSize];
    int32_t maxcode[kJpegMaxCodeLength + 2];   // largest code of each length, -1 for none
    int32_t valoffset[kJpegMaxCodeLength + 1]; // symbol index = code + valoffset[length]
    uint8_t values[256];
};

// Builds `table` from the 16 code counts and the symbols of a DHT entry. False when the counts
// overflow the code space (a code of all one bits included, as the IJG decoder rules).
bool jpeg_BuildHuffTable(JpegHuffTable& table, const uint8_t counts[kJpegMaxCodeLength],
                         const uint8_t* symbols, int symbolCount);

struct JpegQuantTable {
    bool defined = false;
    uint16_t values[kJpegBlockSize]; // natural order
};

struct JpegComponent {
    uint8_t id = 0;
    uint8_t h = 1, v = 1;   // sampling factors 1 to 4
    uint8_t tq = 0;         // quantisation table
    uint8_t td = 0, ta = 0; // DC and AC Huffman tables of the scan
};

enum class JpegColor { Grey, Ycc, Rgb, Cmyk, Ycck };

// Everything the markers before the scan establish.
struct JpegHeaders {
    JpegQuantTable quant[kJpegTableCount];
    JpegHuffTable dc[kJpegTableCount];
    JpegHuffTable ac[kJpegTableCount];
    JpegComponent comp[kJpegMaxComponents];
    int componentCount = 0;
    int width = 0;
    int height = 0;
    bool sawFrame = false;
    bool sawJfif = false;
    bool sawAdobe = false;
    uint8_t adobeTransform = 0;
    uint32_t restartInterval = 0; // MCUs per restart interval, 0 for none
    // Quantisation tables as the scan found them (natural order, widened), per component.
    alignas(32) int32_t scanQuant[kJpegMaxComponents][kJpegBlockSize];
    size_t scanData = 0; // offset of the entropy-coded data
};

// Reads SOI and the segments up to and including the scan header. False for anything refused
// (see jpeg_Decode).
bool jpeg_ReadHeaders(std::span<const uint8_t> data, JpegHeaders& headers);
// Reads what follows the entropy-coded data from `pos` on: true when EOI comes before any
// further scan or frame and before the data ends.
bool jpeg_ReadTrailer(std::span<const uint8_t> data, size_t pos, JpegHeaders& headers);
// The colour space the IJG decoder would assume for these headers.
JpegColor jpeg_ColorOf(const JpegHeaders& headers);

// Finds the next marker at or after `pos`, passing over other bytes, fill bytes 0xFF and stuffed
// 0xFF 0x00 pairs. Returns the marker code with `pos` just after it, or -1 when the data ends.
int jpeg_NextMarker(std::span<const uint8_t> data, size_t& pos);

// Decodes the scan into `pixels` (width × height of the frame). `end` receives the offset where
// the entropy-coded data stopped. False for damaged data.
bool jpeg_DecodeScan(std::span<const uint8_t> data, const JpegHeaders& headers, uint32_t* pixels,
                     size_t& end);

// Inverse DCT of one block: `coef` in natural order, dequantised by `quant`; 8 rows of 8 samples
// written at `out`, `stride` bytes apart.
using JpegIdctFn = void (*)(const int16_t* coef, const int32_t* quant, uint8_t* out, size_t stride);
// YCbCr to pixels for one row of `width` pixels. `cb` and `cr` hold one sample per pixel
// (chromaStep 1) or one per two pixels (chromaStep 2).
using JpegYccRowFn = void (*)(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint32_t* out,
                              int width, int chromaStep);

void jpeg_IdctScalar(const int16_t* coef, const int32_t* quant, uint8_t* out, size_t stride);
void jpeg_YccRowScalar(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint32_t* out, int width,
                       int chromaStep);
// Sample clamp after the inverse DCT, as the IJG decoder's range-limit table does it: the value
// is taken modulo 1024 as a signed 10-bit number, shifted by 128 and clamped to 0-255.
uint8_t jpeg_IdctRangeLimit(int32_t value);

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QZ_JPEG_HAVE_AVX2 1
// AVX2 forms of the kernels, with results identical to the scalar ones. Call only where the
// processor has AVX2 (jpeg_Kernels picks them).
void jpeg_IdctAvx2(const int16_t* coef, const int32_t* quant, uint8_t* out, size_t stride);
void jpeg_YccRowAvx2(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint32_t* out, int width,
                     int chromaStep);
#endif

struct JpegKernels {
    JpegIdctFn idct;
    JpegYccRowFn yccRow;
};
// The kernels in use: vector ones where the processor has them, unless switched off.
const JpegKernels& jpeg_Kernels();
// Switches the vector kernels on (where the processor has them) or off; for tests and benchmarks
// that compare both. Returns whether vector kernels are now in use.
bool jpeg_SetVectorKernels(bool enabled);
