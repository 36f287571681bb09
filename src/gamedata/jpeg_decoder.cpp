// jpeg_Decode: headers, pixel buffer, scan and trailer; and the choice of the vector kernels.
#include "gamedata/jpeg_decoder.h"
#include "gamedata/jpeg_internal.h"

#include <cstdlib>
#include <new>

namespace {
const JpegKernels kScalarKernels{jpeg_IdctScalar, jpeg_YccRowScalar};

bool processorHasAvx2() {
#ifdef QZ_JPEG_HAVE_AVX2
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

const JpegKernels* chooseKernels(bool vector) {
#ifdef QZ_JPEG_HAVE_AVX2
    static const JpegKernels avx2{jpeg_IdctAvx2, jpeg_YccRowAvx2};
    if (vector && processorHasAvx2()) return &avx2;
#else
    (void)vector;
#endif
    return &kScalarKernels;
}

// Chosen on first use, not during static initialisation, so the processor query is ready.
const JpegKernels*& activeKernels() {
    static const JpegKernels* kernels = chooseKernels(true);
    return kernels;
}
} // namespace

const JpegKernels& jpeg_Kernels() {
    return *activeKernels();
}

bool jpeg_SetVectorKernels(bool enabled) {
    activeKernels() = chooseKernels(enabled);
    return activeKernels() != &kScalarKernels;
}

int jpeg_Decode(std::span<const uint8_t> data, int& width, int& height, uint32_t*& pixels, int allocate) {
    if (allocate) pixels = nullptr;
    // About 30 KiB of tables: kept off the stack of callers that may be deep already.
    auto* headers = new (std::nothrow) JpegHeaders;
    if (!headers) return 0;
    struct Owner {
        JpegHeaders* h;
        ~Owner() { delete h; }
    } owner{headers};

    if (!jpeg_ReadHeaders(data, *headers)) return 0;
    uint32_t* out = pixels;
    if (allocate) {
        // Sizes were capped when the frame header was read: the product cannot overflow.
        const size_t bytes = static_cast<size_t>(headers->width) * static_cast<size_t>(headers->height) * 4;
        out = static_cast<uint32_t*>(std::malloc(bytes));
        if (!out) return 0;
    } else if (!out || width != headers->width || height != headers->height) {
        return 0;
    }

    size_t end = 0;
    if (!jpeg_DecodeScan(data, *headers, out, end) || !jpeg_ReadTrailer(data, end, *headers)) {
        if (allocate) std::free(out);
        return 0;
    }
    if (allocate) {
        pixels = out;
        width = headers->width;
        height = headers->height;
    }
    return 1;
}

int jpeg_Decode(const void* data, size_t size, int* width, int* height, uint32_t** pixels, int allocate) {
    if (!data || !width || !height || !pixels) return 0;
    return jpeg_Decode(std::span<const uint8_t>(static_cast<const uint8_t*>(data), size), *width, *height,
                       *pixels, allocate);
}

void jpeg_FreePixels(uint32_t* pixels) {
    std::free(pixels);
}
