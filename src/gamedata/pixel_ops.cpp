#include "gamedata/pixel_ops.h"

#include <cstddef>

namespace {
constexpr uint32_t widen(uint32_t x) {
    return x * 257u >> 1;
}
constexpr uint32_t kWeightScale = 0x7F7F;
constexpr uint32_t kWeightInvert = 0x7F;
} // namespace

void pixel_Premultiply(uint8_t* pixels, int width, int height) {
    if (pixels == nullptr || width <= 0 || height <= 0) return;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < count; ++i) {
        uint8_t* p = pixels + i * 4;
        const uint32_t alpha = widen(p[3]);
        for (int lane = 0; lane < 3; ++lane) {
            uint32_t value = (widen(p[lane]) * alpha) >> 23;
            p[lane] = static_cast<uint8_t>(value > 255u ? 255u : value);
        }
        p[3] = static_cast<uint8_t>(((alpha * kWeightScale) >> 23) ^ kWeightInvert);
    }
}
