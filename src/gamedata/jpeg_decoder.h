#pragma once
// The JPEG reader: baseline sequential, Huffman-coded, 8-bit JPEG in the JFIF container.
//
// Decoding uses the accurate integer inverse DCT (13-bit fixed-point constants, rounding at each
// pass) and the JFIF YCbCr to RGB conversion with 16-bit fixed-point arithmetic, so its pixels
// equal those of the Independent JPEG Group's decoder (and libjpeg-turbo) with the "islow" DCT
// and without fancy upsampling: subsampled chroma is replicated, not interpolated.
//
// Output pixels are 32-bit values stored as the bytes blue, green, red, 0 (0x00RRGGBB read as a
// little-endian integer), top row first, rows contiguous. Colour spaces: three components are
// YCbCr (or RGB when an Adobe marker without JFIF says so, or the component ids are 'R','G','B');
// one component is grey (v, v, v); with two components the first is shown as grey; four are CMYK,
// or YCCK when an Adobe marker says so, stored inverted as Adobe writes them.
//
// Both operations take any bytes: a damaged or hostile file gives result 0, never a read or a
// write outside the given buffers.

#include <cstddef>
#include <cstdint>
#include <span>

// Frames wider or taller than this, or with more pixels than kJpegMaxPixels, are refused.
constexpr int kJpegMaxSide = 16384;
constexpr uint64_t kJpegMaxPixels = uint64_t{1} << 26;

// 1 with the frame size when `data` is a JFIF file (an APP0 segment starting with "JFIF" comes
// before the frame) whose first frame header is a baseline one (SOF0) of non-zero size; else 0.
// An APP0 that is not JFIF, any scan or EOI before the frame, or running out of data gives 0.
// `width` and `height` are only written on success.
int jpeg_Probe(std::span<const uint8_t> data, int& width, int& height);
int jpeg_Probe(const void* data, size_t size, int* width, int* height);

// Decodes a whole file. Result 1 on success, else 0.
//   allocate 0: `pixels` is the caller's buffer of width × height pixels; a file of any other
//               size is refused before anything is written. A file that fails part way may
//               leave some rows written.
//   allocate 1: the decoder allocates the buffer (release it with jpeg_FreePixels) and reports
//               its size in `width` and `height`; on failure nothing stays allocated, `pixels`
//               is null and the sizes are left alone.
// Refused: anything but SOI first; SOF1-SOF3, SOF5-SOF7, SOF9-SOF11, SOF13-SOF15 (extended,
// progressive, lossless, arithmetic-coded, hierarchical); precision other than 8; an APP0 that is
// not JFIF 1.x; tables or components out of range; a scan whose components are not the frame's
// in frame order, or a second scan; entropy-coded data that runs past its segment or holds an
// invalid code; a missing or misnumbered restart marker; data that ends before EOI.
int jpeg_Decode(std::span<const uint8_t> data, int& width, int& height, uint32_t*& pixels, int allocate);
int jpeg_Decode(const void* data, size_t size, int* width, int* height, uint32_t** pixels, int allocate);

// Releases a buffer allocated by jpeg_Decode; null is accepted.
void jpeg_FreePixels(uint32_t* pixels);
