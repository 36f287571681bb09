#include "demo/tga_writer.h"

#include "foundation/atomic_file.h"

namespace {
constexpr size_t kHeaderSize = 18;
constexpr size_t kImageTypeOffset = 2;
constexpr size_t kWidthOffset = 12;
constexpr size_t kHeightOffset = 14;
constexpr size_t kDepthOffset = 16;
constexpr size_t kDescriptorOffset = 17;

constexpr uint8_t kTypeTrueColour = 2;
constexpr uint8_t kTypeRunLengthTrueColour = 10;
constexpr uint8_t kRunPacket = 0x80;
constexpr int kLongestPacket = 128;
constexpr int kMaxSide = 65535;

void putPixel(std::vector<uint8_t>& out, uint32_t pixel, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(pixel >> (8 * i)));
}

// One row as run-length packets: runs of two or more equal pixels become run packets, the pixels
// between them literal packets.
void encodeRow(const uint32_t* row, int count, uint32_t mask, int bytes, std::vector<uint8_t>& out) {
    int x = 0;
    while (x < count) {
        int run = 1;
        while (x + run < count && run < kLongestPacket && (row[x + run] & mask) == (row[x] & mask))
            ++run;
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(kRunPacket | (run - 1)));
            putPixel(out, row[x], bytes);
            x += run;
            continue;
        }
        int literal = 1;
        while (x + literal < count && literal < kLongestPacket &&
               (x + literal + 1 >= count || (row[x + literal] & mask) != (row[x + literal + 1] & mask)))
            ++literal;
        out.push_back(static_cast<uint8_t>(literal - 1));
        for (int i = 0; i < literal; ++i)
            putPixel(out, row[x + i], bytes);
        x += literal;
    }
}
} // namespace

std::vector<uint8_t> tga_Encode(int width, int height, std::span<const uint32_t> pixels,
                                const TgaWriteOptions& options) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return {};
    if (options.depth != 24 && options.depth != 32) return {};
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (pixels.size() < count) return {};
    const int bytes = options.depth / 8;
    const uint32_t mask = options.depth == 32 ? 0xFFFFFFFFu : 0x00FFFFFFu;

    std::vector<uint8_t> out(kHeaderSize, 0);
    out[kImageTypeOffset] = options.runLength ? kTypeRunLengthTrueColour : kTypeTrueColour;
    out[kWidthOffset] = static_cast<uint8_t>(width);
    out[kWidthOffset + 1] = static_cast<uint8_t>(width >> 8);
    out[kHeightOffset] = static_cast<uint8_t>(height);
    out[kHeightOffset + 1] = static_cast<uint8_t>(height >> 8);
    out[kDepthOffset] = static_cast<uint8_t>(options.depth);
    out[kDescriptorOffset] = options.depth == 32 ? 8 : 0; // alpha bits; origin at the bottom left
    out.reserve(kHeaderSize + count * static_cast<size_t>(bytes));

    for (int y = height - 1; y >= 0; --y) {
        const uint32_t* row = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        if (options.runLength) {
            encodeRow(row, width, mask, bytes, out);
        } else {
            for (int x = 0; x < width; ++x)
                putPixel(out, row[x], bytes);
        }
    }
    return out;
}

bool tga_Write(const char* path, int width, int height, std::span<const uint32_t> pixels,
               const TgaWriteOptions& options) {
    const std::vector<uint8_t> bytes = tga_Encode(width, height, pixels, options);
    return !bytes.empty() && file_WriteWhole(path, bytes.data(), bytes.size());
}
