#include "demo/pcx_writer.h"

#include "foundation/atomic_file.h"

#include <algorithm>

namespace {
constexpr size_t kHeaderSize = 128;
constexpr size_t kManufacturerOffset = 0;
constexpr size_t kVersionOffset = 1;
constexpr size_t kEncodingOffset = 2;
constexpr size_t kBitsPerPixelOffset = 3;
constexpr size_t kXMaxOffset = 8;
constexpr size_t kYMaxOffset = 10;
constexpr size_t kHorizontalDpiOffset = 12;
constexpr size_t kVerticalDpiOffset = 14;
constexpr size_t kPlanesOffset = 65;
constexpr size_t kBytesPerLineOffset = 66;
constexpr size_t kPaletteInfoOffset = 68;

constexpr uint8_t kManufacturer = 0x0A;
constexpr uint8_t kVersion = 5; // with a 256-colour palette at the end
constexpr uint8_t kRunLengthEncoding = 1;
constexpr uint8_t kPaletteMarker = 0x0C;
constexpr uint8_t kRunMarker = 0xC0;
constexpr int kLongestRun = 63;
constexpr int kMaxSide = 65535;

void put16(std::vector<uint8_t>& out, size_t offset, uint32_t value) {
    out[offset] = static_cast<uint8_t>(value);
    out[offset + 1] = static_cast<uint8_t>(value >> 8);
}

// One row of `count` bytes. A single byte below 0xC0 stands for itself; anything else is a run
// (count byte, value byte).
void encodeRow(const uint8_t* row, int count, std::vector<uint8_t>& out) {
    int x = 0;
    while (x < count) {
        const uint8_t value = row[x];
        int run = 1;
        while (x + run < count && run < kLongestRun && row[x + run] == value)
            ++run;
        if (run > 1 || value >= kRunMarker) out.push_back(static_cast<uint8_t>(kRunMarker | run));
        out.push_back(value);
        x += run;
    }
}
} // namespace

std::vector<uint8_t> pcx_EncodeIndexed(int width, int height, std::span<const uint8_t> indices,
                                       std::span<const uint8_t> palette) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return {};
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (indices.size() < pixels || palette.size() < static_cast<size_t>(kPcxPaletteBytes)) return {};
    const int bytesPerLine = width + (width & 1);

    std::vector<uint8_t> out(kHeaderSize, 0);
    out[kManufacturerOffset] = kManufacturer;
    out[kVersionOffset] = kVersion;
    out[kEncodingOffset] = kRunLengthEncoding;
    out[kBitsPerPixelOffset] = 8;
    put16(out, kXMaxOffset, static_cast<uint32_t>(width - 1));
    put16(out, kYMaxOffset, static_cast<uint32_t>(height - 1));
    put16(out, kHorizontalDpiOffset, 72);
    put16(out, kVerticalDpiOffset, 72);
    out[kPlanesOffset] = 1;
    put16(out, kBytesPerLineOffset, static_cast<uint32_t>(bytesPerLine));
    put16(out, kPaletteInfoOffset, 1); // colour palette
    out.reserve(kHeaderSize + pixels / 2 + 1 + kPcxPaletteBytes);

    std::vector<uint8_t> row(static_cast<size_t>(bytesPerLine), 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = indices.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        std::copy(source, source + width, row.begin());
        encodeRow(row.data(), bytesPerLine, out);
    }
    out.push_back(kPaletteMarker);
    out.insert(out.end(), palette.begin(), palette.begin() + kPcxPaletteBytes);
    return out;
}

bool pcx_WriteIndexed(const char* path, int width, int height, std::span<const uint8_t> indices,
                      std::span<const uint8_t> palette) {
    const std::vector<uint8_t> bytes = pcx_EncodeIndexed(width, height, indices, palette);
    return !bytes.empty() && file_WriteWhole(path, bytes.data(), bytes.size());
}
