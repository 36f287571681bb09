#include "gamedata/tga_decoder.h"

#include <cstring>

namespace {
// Header layout (18 bytes, little-endian fields).
constexpr size_t kHeaderSize = 18;
constexpr size_t kIdLengthOffset = 0;
constexpr size_t kMapTypeOffset = 1;
constexpr size_t kImageTypeOffset = 2;
constexpr size_t kMapFirstOffset = 3;
constexpr size_t kMapLengthOffset = 5;
constexpr size_t kMapEntrySizeOffset = 7;
constexpr size_t kWidthOffset = 12;
constexpr size_t kHeightOffset = 14;
constexpr size_t kDepthOffset = 16;

constexpr uint8_t kTypeMapped = 1;
constexpr uint8_t kTypeTrueColour = 2;
constexpr uint8_t kTypeGrey = 3;
constexpr uint8_t kTypeRunLength = 10;

constexpr uint8_t kPacketRun = 0x80;
constexpr uint32_t kPacketCountMask = 0x7F;
constexpr uint32_t kLongestPacket = 128;

struct TgaHeader {
    uint8_t type;
    uint8_t depth;
    uint8_t mapEntryBits;
    uint32_t mapFirst;
    uint32_t mapLength;
    uint16_t width;
    uint16_t height;
    size_t mapOffset;  // first byte of the colour map
    size_t dataOffset; // first byte of the pixel data
};

uint32_t read16(std::span<const uint8_t> file, size_t offset) {
    return static_cast<uint32_t>(file[offset]) | static_cast<uint32_t>(file[offset + 1]) << 8;
}

// Bytes left in the file from `offset` on (0 when the offset is past the end).
size_t remaining(std::span<const uint8_t> file, size_t offset) {
    return offset <= file.size() ? file.size() - offset : 0;
}

bool parseHeader(std::span<const uint8_t> file, TgaHeader& h) {
    if (file.size() < kHeaderSize) return false;
    h.type = file[kImageTypeOffset];
    h.depth = file[kDepthOffset];
    h.mapEntryBits = file[kMapEntrySizeOffset];
    h.mapFirst = read16(file, kMapFirstOffset);
    h.mapLength = read16(file, kMapLengthOffset);
    h.width = static_cast<uint16_t>(read16(file, kWidthOffset));
    h.height = static_cast<uint16_t>(read16(file, kHeightOffset));
    if (h.width == 0 || h.height == 0) return false;
    h.mapOffset = kHeaderSize + file[kIdLengthOffset];
    // A colour-mapped image's map always precedes its pixels. Other types may carry a map too (the
    // map-type byte says so); it is skipped, since their pixels start behind it.
    size_t mapBytes = 0;
    if (h.type == kTypeMapped || file[kMapTypeOffset] != 0)
        mapBytes = static_cast<size_t>(h.mapLength) * ((h.mapEntryBits + 7u) / 8u);
    h.dataOffset = h.mapOffset + mapBytes;
    return h.dataOffset <= file.size();
}

void putPixel(uint8_t* out, const uint8_t* in, uint32_t bytesPerPixel) {
    out[0] = in[0];
    out[1] = in[1];
    out[2] = in[2];
    out[3] = bytesPerPixel == 4 ? in[3] : 0;
}

// Type 1: 8-bit indices into a map of 24-bit (blue, green, red) entries. An index outside the map
// gives black.
bool decodeMapped(std::span<const uint8_t> file, const TgaHeader& h, uint8_t* out, size_t count) {
    if (h.mapEntryBits != 24 || h.depth != 8) return true;
    if (remaining(file, h.dataOffset) < count) return false;
    const uint8_t* map = file.data() + h.mapOffset;
    const uint8_t* in = file.data() + h.dataOffset;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t index = in[i];
        if (index < h.mapFirst || index - h.mapFirst >= h.mapLength) continue;
        putPixel(out + i * 4, map + (index - h.mapFirst) * 3, 3);
    }
    return true;
}

bool decodeTrueColour(std::span<const uint8_t> file, const TgaHeader& h, uint8_t* out, size_t count) {
    if (h.depth != 24 && h.depth != 32) return true;
    const uint32_t bpp = h.depth / 8u;
    if (remaining(file, h.dataOffset) / bpp < count) return false;
    const uint8_t* in = file.data() + h.dataOffset;
    for (size_t i = 0; i < count; ++i)
        putPixel(out + i * 4, in + i * bpp, bpp);
    return true;
}

bool decodeGrey(std::span<const uint8_t> file, const TgaHeader& h, uint8_t* out, size_t count) {
    if (h.depth != 8) return true;
    if (remaining(file, h.dataOffset) < count) return false;
    const uint8_t* in = file.data() + h.dataOffset;
    for (size_t i = 0; i < count; ++i) {
        uint8_t* p = out + i * 4;
        p[0] = p[1] = p[2] = in[i];
        p[3] = 0;
    }
    return true;
}

// Type 10. A run that passes the last pixel is cut there; a literal packet that would pass it ends
// the decoding, leaving the pixels it would have covered black. False when the packets end before
// the image is complete.
bool decodeRunLength(std::span<const uint8_t> file, const TgaHeader& h, uint8_t* out, size_t count) {
    if (h.depth != 24 && h.depth != 32) return true;
    const uint32_t bpp = h.depth / 8u;
    size_t pos = h.dataOffset;
    size_t done = 0;
    while (done < count) {
        if (pos >= file.size()) return false;
        const uint8_t packet = file[pos++];
        const size_t n = (packet & kPacketCountMask) + 1;
        if (packet & kPacketRun) {
            if (remaining(file, pos) < bpp) return false;
            const size_t stop = done + n < count ? done + n : count;
            for (; done < stop; ++done)
                putPixel(out + done * 4, file.data() + pos, bpp);
            pos += bpp;
        } else {
            if (done + n > count) break;
            if (remaining(file, pos) / bpp < n) return false;
            for (size_t i = 0; i < n; ++i, ++done)
                putPixel(out + done * 4, file.data() + pos + i * bpp, bpp);
            pos += n * bpp;
        }
    }
    return true;
}

// The least number of data bytes an image of `count` pixels needs, so that a file too short for
// its header's size is refused before the pixels are allocated.
uint64_t leastDataBytes(const TgaHeader& h, size_t count) {
    switch (h.type) {
    case kTypeMapped:
        return h.mapEntryBits == 24 && h.depth == 8 ? count : 0;
    case kTypeTrueColour:
        return h.depth == 24 || h.depth == 32 ? static_cast<uint64_t>(count) * (h.depth / 8u) : 0;
    case kTypeGrey:
        return h.depth == 8 ? count : 0;
    case kTypeRunLength:
        return h.depth == 24 || h.depth == 32
                   ? (count + kLongestPacket - 1) / kLongestPacket * (1u + h.depth / 8u)
                   : 0;
    default:
        return 0;
    }
}

void flipRows(uint8_t* pixels, uint32_t width, uint32_t height) {
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    uint8_t chunk[1024];
    for (uint32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        uint8_t* a = pixels + top * rowBytes;
        uint8_t* b = pixels + bottom * rowBytes;
        for (size_t done = 0; done < rowBytes; done += sizeof chunk) {
            const size_t n = rowBytes - done < sizeof chunk ? rowBytes - done : sizeof chunk;
            std::memcpy(chunk, a + done, n);
            std::memcpy(a + done, b + done, n);
            std::memcpy(b + done, chunk, n);
        }
    }
}
} // namespace

int tga_Decode(ImageHolder& holder, std::span<const uint8_t> file) {
    TgaHeader h{};
    const bool parsed = parseHeader(file, h);
    const size_t count = static_cast<size_t>(h.width) * h.height;
    if (!parsed || leastDataBytes(h, count) > remaining(file, h.dataOffset)) {
        image_Free(holder);
        return kImageUnsupported;
    }
    if (!image_Allocate(holder, h.width, h.height, count * 4)) return kImageNoMemory;
    // The kinds the reader does not decode stay black, and so do pixels a damaged file leaves out.
    std::memset(holder.pixels, 0, count * 4);
    bool complete = true;
    switch (h.type) {
    case kTypeMapped:
        complete = decodeMapped(file, h, holder.pixels, count);
        break;
    case kTypeTrueColour:
        complete = decodeTrueColour(file, h, holder.pixels, count);
        break;
    case kTypeGrey:
        complete = decodeGrey(file, h, holder.pixels, count);
        break;
    case kTypeRunLength:
        complete = decodeRunLength(file, h, holder.pixels, count);
        break;
    default:
        break;
    }
    if (!complete) {
        image_Free(holder);
        return kImageUnsupported;
    }
    // A black image reads the same either way up.
    if (leastDataBytes(h, count) > 0) flipRows(holder.pixels, h.width, h.height);
    return kImageOk;
}

int tga_Read(ImageHolder& holder, const char* path) {
    ImageFileBuffer buffer;
    int result = buffer.load(path, false);
    if (result != kImageOk) {
        image_Free(holder);
        return result;
    }
    result = tga_Decode(holder, buffer.bytes());
    if (result == kImageOk) image_SetName(holder, path);
    return result;
}
