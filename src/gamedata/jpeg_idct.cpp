// The accurate integer inverse DCT (the IJG "islow" method: 13-bit fixed-point constants,
// 2 extra bits of precision between the column and the row pass, rounding at each pass).
//
// The scalar form follows the IJG code step by step, including its shortcuts for columns and rows
// whose AC terms are all zero (they give the same values as the full computation). The AVX2 form
// does the same arithmetic on eight columns or rows at once. Both compute in 32-bit integers that
// wrap: coefficients of real files stay far inside that range, and damaged ones may give any
// samples but never undefined behaviour.
#include "gamedata/jpeg_internal.h"

#include <array>

#ifdef QZ_JPEG_HAVE_AVX2
#include <immintrin.h>
#endif

namespace {
constexpr int kConstBits = 13;
constexpr int kPass1Bits = 2;
constexpr int kPass1Shift = kConstBits - kPass1Bits;
constexpr int kPass2Shift = kConstBits + kPass1Bits + 3;

// FIX(x) = round(x × 2^13).
constexpr uint32_t kFix0_298631336 = 2446;
constexpr uint32_t kFix0_390180644 = 3196;
constexpr uint32_t kFix0_541196100 = 4433;
constexpr uint32_t kFix0_765366865 = 6270;
constexpr uint32_t kFix0_899976223 = 7373;
constexpr uint32_t kFix1_175875602 = 9633;
constexpr uint32_t kFix1_501321110 = 12299;
constexpr uint32_t kFix1_847759065 = 15137;
constexpr uint32_t kFix1_961570560 = 16069;
constexpr uint32_t kFix2_053119869 = 16819;
constexpr uint32_t kFix2_562915447 = 20995;
constexpr uint32_t kFix3_072711026 = 25172;

constexpr std::array<uint8_t, 1024> makeRangeLimit() {
    std::array<uint8_t, 1024> table{};
    for (int i = 0; i < 1024; ++i) {
        const int v = (i < 512 ? i : i - 1024) + 128;
        table[i] = static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
    }
    return table;
}
constexpr std::array<uint8_t, 1024> kRangeLimit = makeRangeLimit();

// Arithmetic right shift of a wrapped 32-bit value.
inline int32_t shiftDown(uint32_t v, int n) {
    return static_cast<int32_t>(v) >> n;
}

// The 1-D transform shared by both passes, on values read with stride `step` from `in` (already
// dequantised) and written through `put(index, unrounded value)`.
template <typename Put> inline void idct1d(const uint32_t* in, int step, Put put) {
    // Even part: the rotator is sqrt(2) × c(-6).
    uint32_t z2 = in[2 * step];
    uint32_t z3 = in[6 * step];
    uint32_t z1 = (z2 + z3) * kFix0_541196100;
    uint32_t tmp2 = z1 - z3 * kFix1_847759065;
    uint32_t tmp3 = z1 + z2 * kFix0_765366865;
    z2 = in[0];
    z3 = in[4 * step];
    uint32_t tmp0 = (z2 + z3) << kConstBits;
    uint32_t tmp1 = (z2 - z3) << kConstBits;
    const uint32_t tmp10 = tmp0 + tmp3;
    const uint32_t tmp13 = tmp0 - tmp3;
    const uint32_t tmp11 = tmp1 + tmp2;
    const uint32_t tmp12 = tmp1 - tmp2;

    // Odd part.
    tmp0 = in[7 * step];
    tmp1 = in[5 * step];
    tmp2 = in[3 * step];
    tmp3 = in[1 * step];
    z1 = tmp0 + tmp3;
    z2 = tmp1 + tmp2;
    z3 = tmp0 + tmp2;
    uint32_t z4 = tmp1 + tmp3;
    const uint32_t z5 = (z3 + z4) * kFix1_175875602;
    tmp0 *= kFix0_298631336;
    tmp1 *= kFix2_053119869;
    tmp2 *= kFix3_072711026;
    tmp3 *= kFix1_501321110;
    z1 *= 0u - kFix0_899976223;
    z2 *= 0u - kFix2_562915447;
    z3 *= 0u - kFix1_961570560;
    z4 *= 0u - kFix0_390180644;
    z3 += z5;
    z4 += z5;
    tmp0 += z1 + z3;
    tmp1 += z2 + z4;
    tmp2 += z2 + z3;
    tmp3 += z1 + z4;

    put(0, tmp10 + tmp3);
    put(7, tmp10 - tmp3);
    put(1, tmp11 + tmp2);
    put(6, tmp11 - tmp2);
    put(2, tmp12 + tmp1);
    put(5, tmp12 - tmp1);
    put(3, tmp13 + tmp0);
    put(4, tmp13 - tmp0);
}
} // namespace

uint8_t jpeg_IdctRangeLimit(int32_t value) {
    return kRangeLimit[static_cast<uint32_t>(value) & 1023];
}

void jpeg_IdctScalar(const int16_t* coef, const int32_t* quant, uint8_t* out, size_t stride) {
    uint32_t work[kJpegBlockSize];
    // Pass 1: columns, results scaled up by 2^kPass1Bits.
    for (int col = 0; col < 8; ++col) {
        const int16_t* c = coef + col;
        const int32_t* q = quant + col;
        uint32_t* w = work + col;
        if ((c[8] | c[16] | c[24] | c[32] | c[40] | c[48] | c[56]) == 0) {
            const uint32_t dc = static_cast<uint32_t>(c[0] * q[0]) << kPass1Bits;
            for (int r = 0; r < 8; ++r)
                w[r * 8] = dc;
            continue;
        }
        uint32_t in[8];
        for (int r = 0; r < 8; ++r)
            in[r] = static_cast<uint32_t>(c[r * 8] * q[r * 8]);
        idct1d(in, 1, [&](int i, uint32_t v) {
            w[i * 8] = static_cast<uint32_t>(shiftDown(v + (1u << (kPass1Shift - 1)), kPass1Shift));
        });
    }
    // Pass 2: rows, with the final descaling and the range limit.
    for (int row = 0; row < 8; ++row) {
        const uint32_t* w = work + row * 8;
        uint8_t* o = out + row * stride;
        if ((w[1] | w[2] | w[3] | w[4] | w[5] | w[6] | w[7]) == 0) {
            const uint8_t v = jpeg_IdctRangeLimit(shiftDown(w[0] + (1u << (kPass1Bits + 2)), kPass1Bits + 3));
            for (int i = 0; i < 8; ++i)
                o[i] = v;
            continue;
        }
        idct1d(w, 1, [&](int i, uint32_t v) {
            o[i] = jpeg_IdctRangeLimit(shiftDown(v + (1u << (kPass2Shift - 1)), kPass2Shift));
        });
    }
}

#ifdef QZ_JPEG_HAVE_AVX2
namespace {
#define QZ_AVX2 __attribute__((target("avx2"), always_inline)) inline

QZ_AVX2 __m256i mulConst(__m256i v, uint32_t c) {
    return _mm256_mullo_epi32(v, _mm256_set1_epi32(static_cast<int32_t>(c)));
}

// (x + 2^(shift-1)) >> shift, arithmetic.
QZ_AVX2 __m256i descale(__m256i x, int shift) {
    return _mm256_sra_epi32(_mm256_add_epi32(x, _mm256_set1_epi32(1 << (shift - 1))),
                            _mm_cvtsi32_si128(shift));
}

// idct1d on eight lanes at once: v[k] holds input k of each lane; outputs replace the inputs,
// descaled by `shift`.
QZ_AVX2 void idct1dAvx2(__m256i v[8], int shift) {
    __m256i z2 = v[2];
    __m256i z3 = v[6];
    __m256i z1 = mulConst(_mm256_add_epi32(z2, z3), kFix0_541196100);
    __m256i tmp2 = _mm256_sub_epi32(z1, mulConst(z3, kFix1_847759065));
    __m256i tmp3 = _mm256_add_epi32(z1, mulConst(z2, kFix0_765366865));
    __m256i tmp0 = _mm256_slli_epi32(_mm256_add_epi32(v[0], v[4]), kConstBits);
    __m256i tmp1 = _mm256_slli_epi32(_mm256_sub_epi32(v[0], v[4]), kConstBits);
    const __m256i tmp10 = _mm256_add_epi32(tmp0, tmp3);
    const __m256i tmp13 = _mm256_sub_epi32(tmp0, tmp3);
    const __m256i tmp11 = _mm256_add_epi32(tmp1, tmp2);
    const __m256i tmp12 = _mm256_sub_epi32(tmp1, tmp2);

    tmp0 = v[7];
    tmp1 = v[5];
    tmp2 = v[3];
    tmp3 = v[1];
    z1 = _mm256_add_epi32(tmp0, tmp3);
    z2 = _mm256_add_epi32(tmp1, tmp2);
    z3 = _mm256_add_epi32(tmp0, tmp2);
    __m256i z4 = _mm256_add_epi32(tmp1, tmp3);
    const __m256i z5 = mulConst(_mm256_add_epi32(z3, z4), kFix1_175875602);
    tmp0 = mulConst(tmp0, kFix0_298631336);
    tmp1 = mulConst(tmp1, kFix2_053119869);
    tmp2 = mulConst(tmp2, kFix3_072711026);
    tmp3 = mulConst(tmp3, kFix1_501321110);
    z1 = mulConst(z1, 0u - kFix0_899976223);
    z2 = mulConst(z2, 0u - kFix2_562915447);
    z3 = _mm256_add_epi32(mulConst(z3, 0u - kFix1_961570560), z5);
    z4 = _mm256_add_epi32(mulConst(z4, 0u - kFix0_390180644), z5);
    tmp0 = _mm256_add_epi32(tmp0, _mm256_add_epi32(z1, z3));
    tmp1 = _mm256_add_epi32(tmp1, _mm256_add_epi32(z2, z4));
    tmp2 = _mm256_add_epi32(tmp2, _mm256_add_epi32(z2, z3));
    tmp3 = _mm256_add_epi32(tmp3, _mm256_add_epi32(z1, z4));

    v[0] = descale(_mm256_add_epi32(tmp10, tmp3), shift);
    v[7] = descale(_mm256_sub_epi32(tmp10, tmp3), shift);
    v[1] = descale(_mm256_add_epi32(tmp11, tmp2), shift);
    v[6] = descale(_mm256_sub_epi32(tmp11, tmp2), shift);
    v[2] = descale(_mm256_add_epi32(tmp12, tmp1), shift);
    v[5] = descale(_mm256_sub_epi32(tmp12, tmp1), shift);
    v[3] = descale(_mm256_add_epi32(tmp13, tmp0), shift);
    v[4] = descale(_mm256_sub_epi32(tmp13, tmp0), shift);
}

QZ_AVX2 void transpose8x8(__m256i r[8]) {
    const __m256i t0 = _mm256_unpacklo_epi32(r[0], r[1]);
    const __m256i t1 = _mm256_unpackhi_epi32(r[0], r[1]);
    const __m256i t2 = _mm256_unpacklo_epi32(r[2], r[3]);
    const __m256i t3 = _mm256_unpackhi_epi32(r[2], r[3]);
    const __m256i t4 = _mm256_unpacklo_epi32(r[4], r[5]);
    const __m256i t5 = _mm256_unpackhi_epi32(r[4], r[5]);
    const __m256i t6 = _mm256_unpacklo_epi32(r[6], r[7]);
    const __m256i t7 = _mm256_unpackhi_epi32(r[6], r[7]);
    const __m256i u0 = _mm256_unpacklo_epi64(t0, t2);
    const __m256i u1 = _mm256_unpackhi_epi64(t0, t2);
    const __m256i u2 = _mm256_unpacklo_epi64(t1, t3);
    const __m256i u3 = _mm256_unpackhi_epi64(t1, t3);
    const __m256i u4 = _mm256_unpacklo_epi64(t4, t6);
    const __m256i u5 = _mm256_unpackhi_epi64(t4, t6);
    const __m256i u6 = _mm256_unpacklo_epi64(t5, t7);
    const __m256i u7 = _mm256_unpackhi_epi64(t5, t7);
    r[0] = _mm256_permute2x128_si256(u0, u4, 0x20);
    r[1] = _mm256_permute2x128_si256(u1, u5, 0x20);
    r[2] = _mm256_permute2x128_si256(u2, u6, 0x20);
    r[3] = _mm256_permute2x128_si256(u3, u7, 0x20);
    r[4] = _mm256_permute2x128_si256(u0, u4, 0x31);
    r[5] = _mm256_permute2x128_si256(u1, u5, 0x31);
    r[6] = _mm256_permute2x128_si256(u2, u6, 0x31);
    r[7] = _mm256_permute2x128_si256(u3, u7, 0x31);
}

// Rows `a` to `a + 3` of 32-bit samples (already 0-255) stored as bytes.
QZ_AVX2 void storeRows(const __m256i r[8], int a, uint8_t* out, size_t stride) {
    const __m256i p01 = _mm256_permute4x64_epi64(_mm256_packs_epi32(r[a], r[a + 1]), 0xD8);
    const __m256i p23 = _mm256_permute4x64_epi64(_mm256_packs_epi32(r[a + 2], r[a + 3]), 0xD8);
    const __m256i bytes = _mm256_packus_epi16(p01, p23); // lanes: rows a, a+2 | rows a+1, a+3
    const __m128i lo = _mm256_castsi256_si128(bytes);
    const __m128i hi = _mm256_extracti128_si256(bytes, 1);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + a * stride), lo);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + (a + 1) * stride), hi);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + (a + 2) * stride), _mm_unpackhi_epi64(lo, lo));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + (a + 3) * stride), _mm_unpackhi_epi64(hi, hi));
}
#undef QZ_AVX2
} // namespace

__attribute__((target("avx2"))) void jpeg_IdctAvx2(const int16_t* coef, const int32_t* quant, uint8_t* out,
                                                   size_t stride) {
    __m256i v[8];
    for (int k = 0; k < 8; ++k) {
        const __m256i c =
            _mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(coef + 8 * k)));
        const __m256i q = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(quant + 8 * k));
        v[k] = _mm256_mullo_epi32(c, q);
    }
    idct1dAvx2(v, kPass1Shift); // lanes are columns: v[k] is row k of the work block
    transpose8x8(v);
    idct1dAvx2(v, kPass2Shift); // lanes are rows: v[k] is column k of the output
    // The range limit: the value modulo 1024 as a signed 10-bit number, plus 128, clamped.
    const __m256i mask = _mm256_set1_epi32(1023);
    const __m256i sign = _mm256_set1_epi32(512);
    const __m256i bias = _mm256_set1_epi32(384);
    const __m256i zero = _mm256_setzero_si256();
    const __m256i top = _mm256_set1_epi32(255);
    for (int k = 0; k < 8; ++k) {
        const __m256i s = _mm256_sub_epi32(_mm256_xor_si256(_mm256_and_si256(v[k], mask), sign), bias);
        v[k] = _mm256_min_epi32(_mm256_max_epi32(s, zero), top);
    }
    transpose8x8(v);
    storeRows(v, 0, out, stride);
    storeRows(v, 4, out, stride);
}
#endif
