#pragma once
// Shared pieces of the image decoder tests: a holder that frees itself, generated images, and
// ImageMagick as the reference decoder.

#include "foundation/mem_arena.h"
#include "gamedata/image_holder.h"
#include "support/temp_dir.h"

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

struct HeldImage {
    ImageHolder holder{};
    HeldImage() = default;
    ~HeldImage() { image_Free(holder); }
    HeldImage(const HeldImage&) = delete;
    HeldImage& operator=(const HeldImage&) = delete;
    bool empty() const {
        return holder.pixels == nullptr && holder.palette == nullptr && holder.width == 0 &&
               holder.height == 0 && holder.pixelCount == 0;
    }
    // The (blue, green, red, fourth) bytes of the decoded 32-bit pixels.
    std::vector<uint8_t> bytes32() const {
        return std::vector<uint8_t>(holder.pixels,
                                    holder.pixels + static_cast<size_t>(holder.pixelCount) * 4);
    }
};

// Swaps in a fresh main arena whose free space holds a canary pattern, so that a test can see a
// decoder write past its pixel block (inside one arena the address sanitizer cannot). The real
// main arena comes back at the end of the scope.
class CanaryArena {
  public:
    static constexpr uint8_t kCanary = 0xA5;
    CanaryArena() : saved_(std::move(mem_MainArena())) {
        MemArena& fresh = mem_MainArena();
        fresh = MemArena{};
        mem_InitArena(fresh, kSize);
        if (fresh.base != nullptr) std::memset(fresh.base + kMemHeaderSize, kCanary, kSize - kMemHeaderSize);
    }
    ~CanaryArena() {
        mem_ReleaseArena(mem_MainArena());
        mem_MainArena() = std::move(saved_);
    }
    CanaryArena(const CanaryArena&) = delete;
    CanaryArena& operator=(const CanaryArena&) = delete;

    // True when the 4 KiB after the holder's pixel block still hold the canary.
    static bool untouchedAfter(const ImageHolder& holder) {
        const uint8_t* end = holder.pixels + mem_BlockOf(holder.pixels)->size;
        for (size_t i = 0; i < 4096; ++i)
            if (end[i] != kCanary) return false;
        return true;
    }

  private:
    static constexpr uint32_t kSize = 1 << 20;
    MemArena saved_;
};

// Test pictures: noise, flat blocks (long runs) or a smooth gradient; `channels` 3 or 4 bytes per
// pixel in red-green-blue(-alpha) order.
enum class Pattern { Noise, Blocks, Gradient };

inline std::vector<uint8_t> test_MakePicture(uint32_t width, uint32_t height, int channels, Pattern pattern,
                                             uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> out(static_cast<size_t>(width) * height * channels);
    std::vector<uint8_t> block(channels);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* p = out.data() + (static_cast<size_t>(y) * width + x) * channels;
            for (int c = 0; c < channels; ++c) {
                switch (pattern) {
                case Pattern::Noise:
                    p[c] = static_cast<uint8_t>(random());
                    break;
                case Pattern::Blocks:
                    // A new colour every 150 pixels of the whole picture, so runs cross row ends.
                    if ((static_cast<size_t>(y) * width + x) % 150 == 0 && c == 0)
                        for (uint8_t& b : block)
                            b = static_cast<uint8_t>(random() & 0xF0);
                    p[c] = block[c];
                    break;
                case Pattern::Gradient:
                    p[c] = static_cast<uint8_t>((x * (c + 1) * 255 / (width > 1 ? width - 1 : 1) + y * 7) &
                                                0xFF);
                    break;
                }
            }
        }
    }
    return out;
}

// A binary PPM (channels 3) or PAM with alpha (channels 4) of `pixels`.
inline std::string test_NetpbmOf(uint32_t width, uint32_t height, int channels,
                                 const std::vector<uint8_t>& pixels) {
    std::string header = channels == 3
                             ? "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n"
                             : "P7\nWIDTH " + std::to_string(width) + "\nHEIGHT " + std::to_string(height) +
                                   "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    return header + std::string(pixels.begin(), pixels.end());
}

inline bool test_HaveImageMagick() {
    return test_Run("command -v convert >/dev/null 2>&1").status == 0;
}

// Runs `convert ARGS` and returns its standard output; status in `ok`.
inline std::string test_Convert(const std::string& args, bool& ok) {
    CommandResult result = test_Run("convert " + args + " 2>/dev/null");
    ok = result.status == 0;
    return result.output;
}

// Little-endian field helpers for hand-built files.
inline void test_Put16(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    bytes[offset] = static_cast<uint8_t>(value);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}
inline void test_Put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    test_Put16(bytes, offset, value & 0xFFFF);
    test_Put16(bytes, offset + 2, value >> 16);
}
