#pragma once
// The result record of the PCX, TGA and R16 readers, and what those readers share.
//
// Pixels are 32-bit values stored as the bytes blue, green, red, fourth (0xAARRGGBB read as a
// little-endian integer). Images are stored top row first, rows contiguous, no padding.

#include <cstddef>
#include <cstdint>
#include <span>

// Reader results.
constexpr int kImageOk = 0;
constexpr int kImageNotFound = 1;    // the file layer finds no such file, or it cannot be read
constexpr int kImageNoMemory = 2;    // the pixel block or the file buffer could not be allocated
constexpr int kImageUnsupported = 3; // not a file this reader decodes, or a damaged one

constexpr int kImageNameSize = 9;         // 8 characters and the NUL
constexpr uint32_t kImageMaxSide = 65535; // width and height are 16-bit
constexpr uint32_t kImagePixelAlignment = 32;

struct ImageHolder {
    char name[kImageNameSize]; // base name of the file (set by the TGA and R16 readers)
    uint16_t width;
    uint16_t height;
    uint32_t pixelCount; // width × height
    uint8_t* pixels;     // main-arena block owned by the holder, or null
    uint8_t* palette;    // indexed PCX only: 256 entries (blue, green, red, 0) after the pixels
};

// Releases the holder's pixel block and empties it (sizes 0, pointers null). The name is kept.
void image_Free(ImageHolder& holder);

// Frees the holder's previous block, then allocates `bytes` in the main arena (alignment 32) for
// a width × height image and records the sizes. The block is not cleared. False when the arena
// has no room (the holder is then empty).
bool image_Allocate(ImageHolder& holder, uint16_t width, uint16_t height, size_t bytes);

// Stores the base name of `path` in the holder: the part after the last "\" or "/" and before the
// first ".", at most 8 characters.
void image_SetName(ImageHolder& holder, const char* path);

// The 32-bit pixel at index `i` of a decoded image (0xAARRGGBB).
inline uint32_t image_PixelAt(const ImageHolder& holder, size_t i) {
    const uint8_t* p = holder.pixels + i * 4;
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// A whole file read through the file layer (disk or archive) into a buffer the reader releases.
class ImageFileBuffer {
  public:
    ImageFileBuffer() = default;
    ~ImageFileBuffer();
    ImageFileBuffer(const ImageFileBuffer&) = delete;
    ImageFileBuffer& operator=(const ImageFileBuffer&) = delete;

    // Reads `path` into the file-buffer arena (`inFileArena`) or into a heap block. Returns
    // kImageOk, kImageNotFound (found nowhere, or the read came up short) or kImageNoMemory.
    int load(const char* path, bool inFileArena);
    std::span<const uint8_t> bytes() const { return {data_, size_}; }

  private:
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
    bool inFileArena_ = false;
    void release();
};
