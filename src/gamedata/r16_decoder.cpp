#include "gamedata/r16_decoder.h"

namespace {
// Header layout (12 bytes).
constexpr size_t kHeaderSize = 12;
constexpr uint8_t kMagic[4] = {'R', '1', '6', 'a'};
constexpr size_t kWidthOffset = 4;
constexpr size_t kHeightOffset = 8;
constexpr uint32_t kSampleBytes = 2;
// The sizes were 16-bit signed values to the game; anything larger is a damaged header.
constexpr uint32_t kMaxSide = 32767;

constexpr uint32_t kRampBand = 192;
constexpr uint32_t kRampBase = 64;

// Share of v in each band's (blue, green, red): 2 whole, 1 half, 0 none.
constexpr uint8_t kRampShares[][3] = {
    {2, 0, 0}, {2, 1, 0}, {2, 2, 0}, {1, 2, 0}, {0, 2, 0}, {0, 2, 1},
    {0, 2, 2}, {0, 1, 2}, {0, 0, 2}, {1, 0, 2}, {2, 0, 2},
};

uint32_t read32(std::span<const uint8_t> file, size_t offset) {
    return static_cast<uint32_t>(file[offset]) | static_cast<uint32_t>(file[offset + 1]) << 8 |
           static_cast<uint32_t>(file[offset + 2]) << 16 | static_cast<uint32_t>(file[offset + 3]) << 24;
}
} // namespace

uint32_t r16_RampPixel(uint16_t sample) {
    const uint32_t e = sample / 32u;
    const uint32_t band = e / kRampBand;
    const uint32_t v = e - band * kRampBand + kRampBase;
    const uint8_t* shares = kRampShares[band];
    uint32_t pixel = 0;
    for (int lane = 0; lane < 3; ++lane) {
        const uint32_t value = shares[lane] == 2 ? v : shares[lane] == 1 ? v / 2 : 0;
        pixel |= value << (lane * 8);
    }
    return pixel;
}

int r16_Decode(ImageHolder& holder, std::span<const uint8_t> file, bool falseColour) {
    bool valid = file.size() >= kHeaderSize && file[0] == kMagic[0] && file[1] == kMagic[1] &&
                 file[2] == kMagic[2] && file[3] == kMagic[3];
    uint32_t width = 0, height = 0;
    if (valid) {
        width = read32(file, kWidthOffset);
        height = read32(file, kHeightOffset);
        valid = width >= 1 && width <= kMaxSide && height >= 1 && height <= kMaxSide;
    }
    const size_t count = static_cast<size_t>(width) * height;
    if (!valid || (file.size() - kHeaderSize) / kSampleBytes < count) {
        image_Free(holder);
        return kImageUnsupported;
    }
    if (!image_Allocate(holder, static_cast<uint16_t>(width), static_cast<uint16_t>(height), count * 4))
        return kImageNoMemory;
    const uint8_t* in = file.data() + kHeaderSize;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t low = in[i * 2], high = in[i * 2 + 1];
        uint8_t* p = holder.pixels + i * 4;
        if (falseColour) {
            const uint32_t pixel = r16_RampPixel(static_cast<uint16_t>(low | high << 8));
            p[0] = static_cast<uint8_t>(pixel);
            p[1] = static_cast<uint8_t>(pixel >> 8);
            p[2] = static_cast<uint8_t>(pixel >> 16);
        } else {
            p[0] = 0;
            p[1] = high;
            p[2] = 0;
        }
        p[3] = 0;
    }
    return kImageOk;
}

int r16_Read(ImageHolder& holder, const char* path, bool falseColour) {
    ImageFileBuffer buffer;
    int result = buffer.load(path, false);
    if (result != kImageOk) {
        image_Free(holder);
        return result;
    }
    result = r16_Decode(holder, buffer.bytes(), falseColour);
    if (result == kImageOk) image_SetName(holder, path);
    return result;
}
