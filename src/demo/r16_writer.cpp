#include "demo/r16_writer.h"

#include "foundation/atomic_file.h"

namespace {
constexpr size_t kHeaderSize = 12;
constexpr size_t kWidthOffset = 4;
constexpr size_t kHeightOffset = 8;
constexpr int kMaxSide = 32767;
constexpr uint8_t kMagic[4] = {'R', '1', '6', 'a'};

void put32(std::vector<uint8_t>& out, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}
} // namespace

std::vector<uint8_t> r16_Encode(int width, int height, std::span<const uint16_t> samples) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return {};
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (samples.size() < count) return {};
    std::vector<uint8_t> out(kHeaderSize + count * 2);
    for (size_t i = 0; i < 4; ++i)
        out[i] = kMagic[i];
    put32(out, kWidthOffset, static_cast<uint32_t>(width));
    put32(out, kHeightOffset, static_cast<uint32_t>(height));
    uint8_t* p = out.data() + kHeaderSize;
    for (size_t i = 0; i < count; ++i) {
        *p++ = static_cast<uint8_t>(samples[i]);
        *p++ = static_cast<uint8_t>(samples[i] >> 8);
    }
    return out;
}

bool r16_Write(const char* path, int width, int height, std::span<const uint16_t> samples) {
    const std::vector<uint8_t> bytes = r16_Encode(width, height, samples);
    return !bytes.empty() && file_WriteWhole(path, bytes.data(), bytes.size());
}
