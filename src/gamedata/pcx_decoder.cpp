#include "gamedata/pcx_decoder.h"

#include <cstring>

namespace {
// Header layout (128 bytes, little-endian fields).
constexpr size_t kHeaderSize = 128;
constexpr size_t kBitsPerPixelOffset = 3;
constexpr size_t kXMinOffset = 4;
constexpr size_t kYMinOffset = 6;
constexpr size_t kXMaxOffset = 8;
constexpr size_t kYMaxOffset = 10;
constexpr size_t kPlanesOffset = 65;
constexpr size_t kBytesPerLineOffset = 66;

// The palette: a marker byte and 256 red-green-blue triples at the very end of the file.
constexpr size_t kPaletteTail = 769;
constexpr size_t kPaletteBytes = 768;
constexpr size_t kPaletteEntries = 256;
constexpr size_t kHolderPaletteBytes = kPaletteEntries * 4;

constexpr uint8_t kRunMarker = 0xC0;
constexpr uint8_t kRunCountMask = 0x3F;
constexpr uint32_t kLongestRun = 63;

struct PcxLayout {
    uint16_t width;
    uint16_t height;
    uint32_t bytesPerLine;
};

uint32_t read16(std::span<const uint8_t> file, size_t offset) {
    return static_cast<uint32_t>(file[offset]) | static_cast<uint32_t>(file[offset + 1]) << 8;
}

// Checks the header against the file; kImageOk and the layout, or kImageUnsupported.
int parseHeader(std::span<const uint8_t> file, PcxLayout& layout) {
    if (file.size() < kHeaderSize + kPaletteTail) return kImageUnsupported;
    if (file[kBitsPerPixelOffset] != 8) return kImageUnsupported;
    // Several planes of 8 bits are a true-colour file, not an indexed one.
    if (file[kPlanesOffset] > 1) return kImageUnsupported;
    const uint32_t xmin = read16(file, kXMinOffset), xmax = read16(file, kXMaxOffset);
    const uint32_t ymin = read16(file, kYMinOffset), ymax = read16(file, kYMaxOffset);
    if (xmax < xmin || ymax < ymin) return kImageUnsupported;
    const uint32_t width = xmax - xmin + 1, height = ymax - ymin + 1;
    if (width > kImageMaxSide || height > kImageMaxSide) return kImageUnsupported;
    layout.width = static_cast<uint16_t>(width);
    layout.height = static_cast<uint16_t>(height);
    layout.bytesPerLine = read16(file, kBytesPerLineOffset);
    if (layout.bytesPerLine < width) return kImageUnsupported;
    // Every coded byte yields at most 63 decoded ones (a two-byte run), so a file too short for
    // that many rows cannot be complete; refusing it here spares allocating for it.
    const uint64_t leastCoded =
        static_cast<uint64_t>(height) * ((layout.bytesPerLine + kLongestRun - 1) / kLongestRun);
    if (leastCoded > file.size() - kHeaderSize) return kImageUnsupported;
    return kImageOk;
}

// Decodes the rows into `out` (width × height indices). A row is bytes-per-line decoded bytes, of
// which the first `width` are kept; a run that passes the end of its row is cut there, and the
// next row starts with the next coded byte. False when the coded data ends first.
bool decodeRows(std::span<const uint8_t> file, const PcxLayout& layout, uint8_t* out) {
    size_t pos = kHeaderSize;
    const size_t end = file.size();
    for (uint32_t row = 0; row < layout.height; ++row) {
        uint8_t* line = out + static_cast<size_t>(row) * layout.width;
        uint32_t x = 0;
        while (x < layout.bytesPerLine) {
            if (pos >= end) return false;
            uint8_t value = file[pos++];
            uint32_t count = 1;
            if (value >= kRunMarker) {
                count = value & kRunCountMask;
                if (pos >= end) return false;
                value = file[pos++];
            }
            const uint32_t stop = x + count < layout.bytesPerLine ? x + count : layout.bytesPerLine;
            const uint32_t kept = stop < layout.width ? stop : layout.width;
            if (x < kept) std::memset(line + x, value, kept - x);
            x = stop;
        }
    }
    return true;
}

const uint8_t* paletteOf(std::span<const uint8_t> file) {
    return file.data() + file.size() - kPaletteBytes;
}

int readFile(ImageHolder& holder, const char* path, int (*decode)(ImageHolder&, std::span<const uint8_t>)) {
    ImageFileBuffer buffer;
    int result = buffer.load(path, true);
    if (result != kImageOk) {
        image_Free(holder);
        return result;
    }
    return decode(holder, buffer.bytes());
}
} // namespace

int pcx_DecodeIndexed(ImageHolder& holder, std::span<const uint8_t> file) {
    PcxLayout layout{};
    if (parseHeader(file, layout) != kImageOk) {
        image_Free(holder);
        return kImageUnsupported;
    }
    const size_t count = static_cast<size_t>(layout.width) * layout.height;
    if (!image_Allocate(holder, layout.width, layout.height, count + kHolderPaletteBytes))
        return kImageNoMemory;
    if (!decodeRows(file, layout, holder.pixels)) {
        image_Free(holder);
        return kImageUnsupported;
    }
    holder.palette = holder.pixels + count;
    const uint8_t* rgb = paletteOf(file);
    for (size_t i = 0; i < kPaletteEntries; ++i) {
        holder.palette[i * 4 + 0] = rgb[i * 3 + 2];
        holder.palette[i * 4 + 1] = rgb[i * 3 + 1];
        holder.palette[i * 4 + 2] = rgb[i * 3 + 0];
        holder.palette[i * 4 + 3] = 0;
    }
    return kImageOk;
}

int pcx_DecodeHeight(ImageHolder& holder, std::span<const uint8_t> file) {
    PcxLayout layout{};
    if (parseHeader(file, layout) != kImageOk) {
        image_Free(holder);
        return kImageUnsupported;
    }
    const size_t count = static_cast<size_t>(layout.width) * layout.height;
    if (!image_Allocate(holder, layout.width, layout.height, count * 4)) return kImageNoMemory;
    // Decode the indices into the upper quarter of the block, then widen them front to back: the
    // pixel written at 4i never reaches the index read at 3·count + i.
    uint8_t* indices = holder.pixels + count * 3;
    if (!decodeRows(file, layout, indices)) {
        image_Free(holder);
        return kImageUnsupported;
    }
    const uint8_t* rgb = paletteOf(file);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t red = rgb[static_cast<size_t>(indices[i]) * 3];
        uint8_t* p = holder.pixels + i * 4;
        p[0] = 0;
        p[1] = red;
        p[2] = 0;
        p[3] = 0;
    }
    return kImageOk;
}

int pcx_ReadIndexed(ImageHolder& holder, const char* path) {
    return readFile(holder, path, pcx_DecodeIndexed);
}

int pcx_ReadHeight(ImageHolder& holder, const char* path) {
    return readFile(holder, path, pcx_DecodeHeight);
}
