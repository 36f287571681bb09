// JPEG files from outside data: the probe, decoding into a buffer the decoder allocates, and
// decoding into a caller's buffer of the probed size. The input's length picks the scalar or the
// vector kernels, so both see the same inputs.
#include "gamedata/jpeg_decoder.h"
#include "gamedata/jpeg_internal.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {
// Reads every pixel, so that a buffer shorter than its reported size shows up.
void touch(const uint32_t* pixels, int width, int height) {
    uint32_t sum = 0;
    for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i)
        sum += pixels[i];
    volatile uint32_t sink = sum;
    (void)sink;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    jpeg_SetVectorKernels(size % 2 == 0);

    int probedWidth = 0, probedHeight = 0;
    const int probed = jpeg_Probe(bytes, probedWidth, probedHeight);
    if (probed && (probedWidth <= 0 || probedHeight <= 0)) std::abort();

    int width = 0, height = 0;
    uint32_t* pixels = nullptr;
    if (jpeg_Decode(bytes, width, height, pixels, 1)) {
        if (!pixels || width <= 0 || height <= 0 || width > kJpegMaxSide || height > kJpegMaxSide)
            std::abort();
        touch(pixels, width, height);
    } else if (pixels || width != 0 || height != 0) {
        std::abort();
    }
    jpeg_FreePixels(pixels);

    if (probed && static_cast<uint64_t>(probedWidth) * static_cast<uint64_t>(probedHeight) <= (1u << 22)) {
        std::vector<uint32_t> buffer(static_cast<size_t>(probedWidth) * static_cast<size_t>(probedHeight));
        uint32_t* given = buffer.data();
        int w = probedWidth, h = probedHeight;
        jpeg_Decode(bytes, w, h, given, 0);
        if (given != buffer.data() || w != probedWidth || h != probedHeight) std::abort();
        touch(given, w, h);
    }
    return 0;
}
