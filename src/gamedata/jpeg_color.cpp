// Colour conversion: the JFIF YCbCr to RGB conversion with 16-bit fixed-point arithmetic as the
// IJG decoder does it (R = Y + 1.402 Cr, G = Y - 0.34414 Cb - 0.71414 Cr, B = Y + 1.772 Cb, each
// product rounded the same way), plain RGB, grey, and inverted CMYK/YCCK as Adobe writes them.
#include "gamedata/jpeg_color.h"

#include <array>
#include <cstdlib>

#ifdef QZ_JPEG_HAVE_AVX2
#include <immintrin.h>
#endif

namespace {
constexpr int kScaleBits = 16;
constexpr int32_t kOneHalf = 1 << (kScaleBits - 1);
constexpr int32_t fix(double x) {
    return static_cast<int32_t>(x * (1 << kScaleBits) + 0.5);
}
constexpr int32_t kCrToR = fix(1.40200);
constexpr int32_t kCbToB = fix(1.77200);
constexpr int32_t kCrToG = fix(0.71414);
constexpr int32_t kCbToG = fix(0.34414);

struct YccTables {
    std::array<int32_t, 256> crR{}; // rounded Cr contribution to red
    std::array<int32_t, 256> cbB{}; // rounded Cb contribution to blue
    std::array<int32_t, 256> crG{}; // scaled Cr contribution to green
    std::array<int32_t, 256> cbG{}; // scaled Cb contribution to green, with the rounding half
};

constexpr YccTables makeYccTables() {
    YccTables t;
    for (int i = 0; i < 256; ++i) {
        const int32_t x = i - 128;
        t.crR[i] = (kCrToR * x + kOneHalf) >> kScaleBits;
        t.cbB[i] = (kCbToB * x + kOneHalf) >> kScaleBits;
        t.crG[i] = -kCrToG * x;
        t.cbG[i] = -kCbToG * x + kOneHalf;
    }
    return t;
}
constexpr YccTables kYcc = makeYccTables();

inline uint32_t clamp255(int32_t v) {
    return static_cast<uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}
inline uint32_t pack(uint32_t r, uint32_t g, uint32_t b) {
    return r << 16 | g << 8 | b;
}

// round(a × b / 255) for bytes.
inline uint32_t scaleBy(uint32_t a, uint32_t b) {
    const uint32_t t = a * b + 128;
    return (t + (t >> 8)) >> 8;
}

void greyRow(const uint8_t* g, uint32_t* out, int width) {
    for (int x = 0; x < width; ++x)
        out[x] = g[x] * 0x010101u;
}

void rgbRow(const uint8_t* r, const uint8_t* g, const uint8_t* b, uint32_t* out, int width) {
    for (int x = 0; x < width; ++x)
        out[x] = pack(r[x], g[x], b[x]);
}

// Adobe stores CMYK inverted (0 is full ink); YCCK is that CMYK with C, M and Y as YCbCr of their
// complements.
void cmykRow(const uint8_t* const* rows, bool ycck, uint32_t* out, int width) {
    for (int x = 0; x < width; ++x) {
        uint32_t c = rows[0][x], m = rows[1][x], y = rows[2][x];
        const uint32_t k = rows[3][x];
        if (ycck) {
            const int32_t luma = static_cast<int32_t>(c);
            const uint32_t cb = m, cr = y;
            c = 255 - clamp255(luma + kYcc.crR[cr]);
            m = 255 - clamp255(luma + ((kYcc.cbG[cb] + kYcc.crG[cr]) >> kScaleBits));
            y = 255 - clamp255(luma + kYcc.cbB[cb]);
        }
        out[x] = pack(scaleBy(c, k), scaleBy(m, k), scaleBy(y, k));
    }
}
} // namespace

void jpeg_YccRowScalar(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint32_t* out, int width,
                       int chromaStep) {
    const int shift = chromaStep == 2 ? 1 : 0;
    for (int x = 0; x < width; ++x) {
        const int32_t luma = y[x];
        const int b = cb[x >> shift];
        const int r = cr[x >> shift];
        out[x] =
            pack(clamp255(luma + kYcc.crR[r]), clamp255(luma + ((kYcc.cbG[b] + kYcc.crG[r]) >> kScaleBits)),
                 clamp255(luma + kYcc.cbB[b]));
    }
}

#ifdef QZ_JPEG_HAVE_AVX2
namespace {
__attribute__((target("avx2"), always_inline)) inline __m256i clampSum(__m256i v, __m256i luma) {
    return _mm256_min_epi32(_mm256_max_epi32(_mm256_add_epi32(v, luma), _mm256_setzero_si256()),
                            _mm256_set1_epi32(255));
}

// Eight pixels from the low eight bytes of each argument.
__attribute__((target("avx2"), always_inline)) inline void ycc8(__m128i y, __m128i cb, __m128i cr,
                                                                uint32_t* out) {
    const __m256i centre = _mm256_set1_epi32(128);
    const __m256i half = _mm256_set1_epi32(kOneHalf);
    const __m256i luma = _mm256_cvtepu8_epi32(y);
    const __m256i b = _mm256_sub_epi32(_mm256_cvtepu8_epi32(cb), centre);
    const __m256i r = _mm256_sub_epi32(_mm256_cvtepu8_epi32(cr), centre);
    const __m256i red = _mm256_srai_epi32(
        _mm256_add_epi32(_mm256_mullo_epi32(r, _mm256_set1_epi32(kCrToR)), half), kScaleBits);
    const __m256i blue = _mm256_srai_epi32(
        _mm256_add_epi32(_mm256_mullo_epi32(b, _mm256_set1_epi32(kCbToB)), half), kScaleBits);
    const __m256i green = _mm256_srai_epi32(
        _mm256_add_epi32(_mm256_add_epi32(_mm256_mullo_epi32(b, _mm256_set1_epi32(-kCbToG)), half),
                         _mm256_mullo_epi32(r, _mm256_set1_epi32(-kCrToG))),
        kScaleBits);
    const __m256i px = _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi32(clampSum(red, luma), 16),
                                                       _mm256_slli_epi32(clampSum(green, luma), 8)),
                                       clampSum(blue, luma));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), px);
}
} // namespace

__attribute__((target("avx2"))) void jpeg_YccRowAvx2(const uint8_t* y, const uint8_t* cb, const uint8_t* cr,
                                                     uint32_t* out, int width, int chromaStep) {
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const __m128i luma = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y + x));
        __m128i b, r;
        if (chromaStep == 2) {
            b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(cb + x / 2));
            r = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(cr + x / 2));
            b = _mm_unpacklo_epi8(b, b);
            r = _mm_unpacklo_epi8(r, r);
        } else {
            b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cb + x));
            r = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cr + x));
        }
        ycc8(luma, b, r, out + x);
        ycc8(_mm_srli_si128(luma, 8), _mm_srli_si128(b, 8), _mm_srli_si128(r, 8), out + x + 8);
    }
    if (x < width)
        jpeg_YccRowScalar(y + x, cb + x / chromaStep, cr + x / chromaStep, out + x, width - x, chromaStep);
}
#endif

JpegRowConverter::~JpegRowConverter() {
    std::free(scratch_);
}

bool JpegRowConverter::init(JpegColor color, int components, const JpegPlane* planes, int hmax, int vmax,
                            int width) {
    color_ = color;
    components_ = components;
    for (int c = 0; c < components; ++c)
        planes_[c] = planes[c];
    hmax_ = hmax;
    vmax_ = vmax;
    width_ = width;
    chromaStep_ = 0;
    if (color == JpegColor::Ycc && planes[0].h == hmax && planes[1].h == planes[2].h) {
        if (planes[1].h == hmax)
            chromaStep_ = 1;
        else if (planes[1].h * 2 == hmax)
            chromaStep_ = 2;
    }
    scratch_ = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(width) * kJpegMaxComponents));
    return scratch_ != nullptr;
}

const uint8_t* JpegRowConverter::sampleRow(int c, int ly) const {
    const JpegPlane& p = planes_[c];
    return p.samples + static_cast<size_t>(ly * p.v / vmax_) * p.stride;
}

const uint8_t* JpegRowConverter::pixelRow(int c, int ly) {
    const uint8_t* src = sampleRow(c, ly);
    const int h = planes_[c].h;
    if (h == hmax_) return src;
    uint8_t* dst = scratch_ + static_cast<size_t>(c) * width_;
    if (hmax_ % h == 0) {
        const int ratio = hmax_ / h;
        for (int x = 0, i = 0; x < width_; ++i)
            for (int j = 0; j < ratio && x < width_; ++j)
                dst[x++] = src[i];
    } else {
        for (int x = 0; x < width_; ++x)
            dst[x] = src[x * h / hmax_];
    }
    return dst;
}

void JpegRowConverter::convert(int rows, uint32_t* out, size_t stride) {
    const JpegYccRowFn yccRow = jpeg_Kernels().yccRow;
    for (int ly = 0; ly < rows; ++ly) {
        uint32_t* o = out + static_cast<size_t>(ly) * stride;
        switch (color_) {
        case JpegColor::Ycc:
            if (chromaStep_)
                yccRow(sampleRow(0, ly), sampleRow(1, ly), sampleRow(2, ly), o, width_, chromaStep_);
            else
                yccRow(pixelRow(0, ly), pixelRow(1, ly), pixelRow(2, ly), o, width_, 1);
            break;
        case JpegColor::Rgb:
            rgbRow(pixelRow(0, ly), pixelRow(1, ly), pixelRow(2, ly), o, width_);
            break;
        case JpegColor::Cmyk:
        case JpegColor::Ycck: {
            const uint8_t* r[kJpegMaxComponents];
            for (int c = 0; c < kJpegMaxComponents; ++c)
                r[c] = pixelRow(c, ly);
            cmykRow(r, color_ == JpegColor::Ycck, o, width_);
            break;
        }
        case JpegColor::Grey:
            greyRow(pixelRow(0, ly), o, width_);
            break;
        }
    }
}
