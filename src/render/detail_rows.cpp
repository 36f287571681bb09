// The detail characters over the colour map.
//
// A screen row reads one texel row of every tile its cells name. The tiles lie 16 KiB apart, so
// those rows compete for a handful of cache sets, and drawing the rows in screen order would miss
// the cache at nearly every pixel. The texel rows of all tiles are therefore gathered into strips,
// one contiguous 64 KiB strip per tile texel row, and the screen rows are drawn grouped by the
// strip they read. The pixels are the same; only the order of drawing the rows changes.
//
// Every screen row steps through the same texel columns, so the vector kernels take the map cell
// and tile column of each screen column from tables made once per frame, read the colours and
// characters of 8 or 16 columns as a run of consecutive cells moved into place by a permutation,
// and blend 8 or 16 pixels at a time. Two screen rows of the same map row (but other tile texel
// rows) share all of that but the tile texels, so they are drawn together.
#include "render/detail_rows.h"

#include "gamedata/pixel_ops.h"

#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define QZ_DETAIL_WIDE 1
#endif

namespace {

constexpr uint32_t kTexelMask = kTerrainMapSize - 1;    // addresses wrap at 1024
constexpr uint32_t kTileSide = 64;                      // detail tile: 64 × 64 texels
constexpr uint32_t kTileTexels = kTileSide * kTileSide; // 16,384 bytes per tile
constexpr uint32_t kTileCount = 256;                    // tile numbers are bytes
constexpr size_t kStripTexels = size_t(kTileCount) * kTileSide;

// The strips of a few tile texel rows: each holds that row of every tile, tile after tile
// (strip[tile × 64 + column]). The rows are drawn grouped by texel row in ascending order, and a
// group also reads the strips of the texel rows one step further down the map, which the next
// groups read too; a handful of strips, reused from the least recently used, keeps them all in the
// cache while each strip is gathered about twice a frame.
class TileStrips {
  public:
    void startFrame(const uint32_t* tiles) {
        if (data_.empty()) data_.resize(kStripTexels * kSlots);
        tiles_ = tiles;
        for (Slot& slot : slots_)
            slot = Slot{};
        clock_ = 0;
    }
    const uint32_t* strip(uint32_t texelRow) {
        ++clock_;
        Slot* oldest = &slots_[0];
        for (Slot& slot : slots_) {
            if (slot.texelRow == int32_t(texelRow)) {
                slot.used = clock_;
                return data_.data() + size_t(&slot - slots_) * kStripTexels;
            }
            if (slot.used < oldest->used) oldest = &slot;
        }
        uint32_t* out = data_.data() + size_t(oldest - slots_) * kStripTexels;
        for (uint32_t t = 0; t < kTileCount; ++t)
            std::memcpy(out + t * kTileSide, tiles_ + t * kTileTexels + texelRow * kTileSide,
                        kTileSide * sizeof(uint32_t));
        oldest->texelRow = int32_t(texelRow);
        oldest->used = clock_;
        return out;
    }

  private:
    static constexpr size_t kSlots = 6;
    struct Slot {
        int32_t texelRow = -1;
        uint64_t used = 0;
    };
    std::vector<uint32_t> data_;
    const uint32_t* tiles_ = nullptr;
    Slot slots_[kSlots];
    uint64_t clock_ = 0;
};

// pixel_Blend, four lanes at once: the same arithmetic (the unsigned high half of w × h(colour),
// the sum saturating at 65535, the result at 255), so the pixels are identical.
inline uint32_t blendDetail(uint32_t tile, uint32_t colour) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i k257 = _mm_set1_epi16(257);
    const __m128i t257 = _mm_mullo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(int(tile)), zero), k257);
    const __m128i c257 = _mm_mullo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(int(colour)), zero), k257);
    const __m128i weight = _mm_shufflelo_epi16(t257, _MM_SHUFFLE(3, 3, 3, 3)); // tile alpha × 257
    const __m128i sum =
        _mm_adds_epu16(_mm_srli_epi16(t257, 1), _mm_mulhi_epu16(weight, _mm_srli_epi16(c257, 1)));
    const __m128i value = _mm_srli_epi16(sum, 6);
    return uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(value, value)));
#else
    return pixel_Blend(tile, colour);
#endif
}

#if defined(__SSE2__)
// blendDetail for two pixels at once (lanes 0-3 the first, 4-7 the second), stored at out[0..1].
inline void blendDetailPair(uint32_t tile0, uint32_t colour0, uint32_t tile1, uint32_t colour1,
                            uint32_t* out) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i k257 = _mm_set1_epi16(257);
    const __m128i tiles = _mm_unpacklo_epi32(_mm_cvtsi32_si128(int(tile0)), _mm_cvtsi32_si128(int(tile1)));
    const __m128i colours =
        _mm_unpacklo_epi32(_mm_cvtsi32_si128(int(colour0)), _mm_cvtsi32_si128(int(colour1)));
    const __m128i t257 = _mm_mullo_epi16(_mm_unpacklo_epi8(tiles, zero), k257);
    const __m128i c257 = _mm_mullo_epi16(_mm_unpacklo_epi8(colours, zero), k257);
    const __m128i weight =
        _mm_shufflehi_epi16(_mm_shufflelo_epi16(t257, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
    const __m128i sum =
        _mm_adds_epu16(_mm_srli_epi16(t257, 1), _mm_mulhi_epu16(weight, _mm_srli_epi16(c257, 1)));
    const __m128i value = _mm_srli_epi16(sum, 6);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(value, value));
}
#else
inline void blendDetailPair(uint32_t tile0, uint32_t colour0, uint32_t tile1, uint32_t colour1,
                            uint32_t* out) {
    out[0] = pixel_Blend(tile0, colour0);
    out[1] = pixel_Blend(tile1, colour1);
}
#endif

// The screen columns of the frame, the same for every row: the map cell and tile column of each,
// and for each group of `group` columns (8 or 16) from column g × group on, the first cell of the
// group, the offsets of its columns' cells from it and how many cells from the first on they reach,
// with `windowed` set when all of them lie within the `group` cells from the first on (the group
// does not wrap past the last map column). A pixel step below one metre keeps nearly every group
// windowed.
struct FrameColumns {
    size_t group = 8;
    std::vector<int32_t> cell;
    std::vector<int32_t> column;
    std::vector<int32_t> first;
    std::vector<int32_t> reach;
    std::vector<uint8_t> windowed;
    std::vector<int32_t> offset; // `group` a group

    void build(int32_t width, uint32_t u0, uint32_t step, size_t groupSize) {
        group = groupSize;
        const size_t n = size_t(width);
        cell.resize(n);
        column.resize(n);
        uint32_t u = u0;
        for (size_t x = 0; x < n; ++x, u += step) {
            cell[x] = int32_t((u >> 16) & kTexelMask);
            column[x] = int32_t((u >> 10) & (kTileSide - 1));
        }
        const size_t groups = n / group;
        const int32_t span = int32_t(group);
        first.resize(groups);
        reach.resize(groups);
        windowed.resize(groups);
        offset.resize(groups * group);
        for (size_t g = 0; g < groups; ++g) {
            const int32_t start = cell[g * group];
            bool inside = true;
            int32_t last = 0;
            for (size_t k = 0; k < group; ++k) {
                const int32_t d = cell[g * group + k] - start;
                inside = inside && d >= 0 && d < span;
                offset[g * group + k] = d;
                last = d > last ? d : last;
            }
            first[g] = start;
            reach[g] = last + 1;
            windowed[g] = inside ? 1 : 0;
        }
    }
};

// What one or two screen rows of the same map row read: the map row of colours, characters and
// elevations, each screen row's strip, and the frame's columns.
struct DetailRows {
    int rows = 1;
    uint32_t* out[2] = {};
    const uint32_t* strip[2] = {};
    int32_t width = 0;
    const uint32_t* colour = nullptr;
    const uint8_t* characters = nullptr;
    const uint32_t* elevation = nullptr;
    uint32_t level = 0;
    uint32_t u0 = 0;
    uint32_t step = 0;
    const FrameColumns* columns = nullptr;
};

// One row, pixels blended in pairs.
template <bool kTint> void rowPortable(const DetailRows& r, uint32_t* out, const uint32_t* strip) {
    const int32_t width = r.width;
    const uint32_t step = r.step;
    uint32_t u = r.u0;
    auto tileTexel = [&](uint32_t i, uint32_t at) {
        return strip[r.characters[i] * kTileSide + ((at >> 10) & (kTileSide - 1))];
    };
    auto tint = [&](uint32_t i, uint32_t& p) {
        if constexpr (kTint) {
            if (((r.elevation[i] >> 8) & 0xFF) <= r.level) p = terrain_TintColourMap(p);
        } else {
            (void)i;
            (void)p;
        }
    };
    int32_t x = 0;
    for (; x + 1 < width; x += 2) {
        const uint32_t u1 = u + step;
        const uint32_t i0 = (u >> 16) & kTexelMask;
        const uint32_t i1 = (u1 >> 16) & kTexelMask;
        blendDetailPair(tileTexel(i0, u), r.colour[i0], tileTexel(i1, u1), r.colour[i1], out + x);
        tint(i0, out[x]);
        tint(i1, out[x + 1]);
        u = u1 + step;
    }
    if (x < width) {
        const uint32_t i = (u >> 16) & kTexelMask;
        out[x] = blendDetail(tileTexel(i, u), r.colour[i]);
        tint(i, out[x]);
    }
}

template <bool kTint> void rowsPortable(const DetailRows& r) {
    for (int k = 0; k < r.rows; ++k)
        rowPortable<kTint>(r, r.out[k], r.strip[k]);
}

// One pixel as pixel_Blend makes it, from the frame's tables.
template <bool kTint>
inline uint32_t pixelAt(const DetailRows& r, const uint32_t* strip, const FrameColumns& c, size_t x) {
    const int32_t i = c.cell[x];
    uint32_t p = pixel_Blend(strip[r.characters[i] * kTileSide + uint32_t(c.column[x])], r.colour[i]);
    if (kTint && ((r.elevation[i] >> 8) & 0xFF) <= r.level) p = terrain_TintColourMap(p);
    return p;
}

template <bool kTint> void pixelsAt(const DetailRows& r, size_t from, size_t to) {
    const FrameColumns& c = *r.columns;
    for (int k = 0; k < r.rows; ++k)
        for (size_t x = from; x < to; ++x)
            r.out[k][x] = pixelAt<kTint>(r, r.strip[k], c, x);
}

#if QZ_DETAIL_WIDE
// blendDetail's arithmetic on the 16-bit lanes of four pixels.
__attribute__((target("avx2"))) inline __m256i blendHalf(__m256i t, __m256i c) {
    const __m256i t257 = _mm256_or_si256(_mm256_slli_epi16(t, 8), t);
    const __m256i c257 = _mm256_or_si256(_mm256_slli_epi16(c, 8), c);
    const __m256i weight = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(t257, _MM_SHUFFLE(3, 3, 3, 3)),
                                                  _MM_SHUFFLE(3, 3, 3, 3));
    const __m256i sum =
        _mm256_adds_epu16(_mm256_srli_epi16(t257, 1), _mm256_mulhi_epu16(weight, _mm256_srli_epi16(c257, 1)));
    return _mm256_srli_epi16(sum, 6);
}

// blendDetail of eight pixels: the bytes widened to 16-bit lanes (pixels 0, 1, 4, 5 and 2, 3, 6,
// 7), the same arithmetic, packed back in order.
__attribute__((target("avx2"))) inline __m256i blendEight(__m256i tiles, __m256i colours) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i low = blendHalf(_mm256_unpacklo_epi8(tiles, zero), _mm256_unpacklo_epi8(colours, zero));
    const __m256i high = blendHalf(_mm256_unpackhi_epi8(tiles, zero), _mm256_unpackhi_epi8(colours, zero));
    return _mm256_packus_epi16(low, high);
}

// The texels of both strips at four indices, by plain loads (gathers are slower on the processors
// at hand).
__attribute__((target("avx2"))) inline void fetchFour(const uint32_t* const (&strip)[2], int rows, __m128i at,
                                                      __m128i (&out)[2]) {
    const uint64_t a01 = uint64_t(_mm_cvtsi128_si64(at));
    const uint64_t a23 = uint64_t(_mm_extract_epi64(at, 1));
    const uint32_t i0 = uint32_t(a01), i1 = uint32_t(a01 >> 32), i2 = uint32_t(a23), i3 = uint32_t(a23 >> 32);
    for (int k = 0; k < rows; ++k)
        out[k] = _mm_setr_epi32(int(strip[k][i0]), int(strip[k][i1]), int(strip[k][i2]), int(strip[k][i3]));
}

__attribute__((target("avx2"))) inline void fetchEight(const uint32_t* const (&strip)[2], int rows,
                                                       __m256i at, __m256i (&out)[2]) {
    __m128i low[2], high[2];
    fetchFour(strip, rows, _mm256_castsi256_si128(at), low);
    fetchFour(strip, rows, _mm256_extracti128_si256(at, 1), high);
    for (int k = 0; k < rows; ++k)
        out[k] = _mm256_inserti128_si256(_mm256_castsi128_si256(low[k]), high[k], 1);
}

// Eight pixels at a time. The colours, characters and elevations of a windowed group are read as
// eight consecutive cells and moved to their columns by a permutation; the tile texels are read
// one by one from the strips.
template <bool kTint, int kRows> __attribute__((target("avx2"))) void rowsAvx2(const DetailRows& r) {
    const FrameColumns& c = *r.columns;
    const uint32_t* const strips[2] = {r.strip[0], r.strip[kRows - 1]};
    const size_t groups = size_t(r.width) / 8;
    const __m256i byteMask = _mm256_set1_epi32(0xFF);
    const __m256i levelAbove = _mm256_set1_epi32(int(r.level) + 1);
    const __m256i halfMask = _mm256_set1_epi32(0x7F7F7F7F);
    const __m256i tintAdd = _mm256_set1_epi32(0x40353F4D);
    for (size_t g = 0; g < groups; ++g) {
        const size_t x = g * 8;
        // The window is read whole, so it must end within the map row.
        if (!c.windowed[g] || c.first[g] + 8 > int32_t(kTerrainMapSize)) {
            _mm256_zeroupper();
            pixelsAt<kTint>(r, x, x + 8);
            continue;
        }
        const int32_t start = c.first[g];
        const __m256i offsets = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(&c.offset[x]));
        const __m256i colours = _mm256_permutevar8x32_epi32(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(r.colour + start)), offsets);
        const __m256i tileNumbers = _mm256_permutevar8x32_epi32(
            _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(r.characters + start))),
            offsets);
        const __m256i columns = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(&c.column[x]));
        __m256i texels[2];
        fetchEight(strips, kRows, _mm256_add_epi32(_mm256_slli_epi32(tileNumbers, 6), columns), texels);
        __m256i below = _mm256_setzero_si256();
        if constexpr (kTint) {
            const __m256i heights = _mm256_and_si256(
                _mm256_srli_epi32(
                    _mm256_permutevar8x32_epi32(
                        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(r.elevation + start)), offsets),
                    8),
                byteMask);
            below = _mm256_cmpgt_epi32(levelAbove, heights);
        }
        for (int k = 0; k < kRows; ++k) {
            __m256i pixels = blendEight(texels[k], colours);
            if constexpr (kTint) {
                const __m256i tinted =
                    _mm256_add_epi32(_mm256_and_si256(_mm256_srli_epi32(pixels, 1), halfMask), tintAdd);
                pixels = _mm256_blendv_epi8(pixels, tinted, below);
            }
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(r.out[k] + x), pixels);
        }
    }
    // The scalar code after this runs at full speed only with the upper register halves clear.
    _mm256_zeroupper();
    pixelsAt<kTint>(r, groups * 8, size_t(r.width));
}

#define QZ_TARGET_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl")))
// GCC 12's AVX-512 headers build their "undefined" registers from themselves and warn about it.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

// The colours of sixteen pixels as blendDetail widens them: h(c) = c × 257 ÷ 2 in 16-bit lanes,
// pixels 0-1, 4-5, 8-9, 12-13 in `low` and the others in `high`; shared by the rows of a map row.
struct WideColours {
    __m512i low, high;
};

QZ_TARGET_AVX512 inline __m512i halfWidth(__m512i c) {
    return _mm512_srli_epi16(_mm512_or_si512(_mm512_slli_epi16(c, 8), c), 1);
}

QZ_TARGET_AVX512 inline WideColours widenColours(__m512i colours) {
    const __m512i zero = _mm512_setzero_si512();
    return WideColours{halfWidth(_mm512_unpacklo_epi8(colours, zero)),
                       halfWidth(_mm512_unpackhi_epi8(colours, zero))};
}

// blendDetail's arithmetic on the 16-bit lanes of eight pixels; `colour` already widened.
QZ_TARGET_AVX512 inline __m512i blendHalf16(__m512i t, __m512i colour) {
    // The tile alpha × 257 of each pixel in all four of its lanes.
    const __m512i alphaLanes = _mm512_set_epi8(15, 14, 15, 14, 15, 14, 15, 14, 7, 6, 7, 6, 7, 6, 7, 6, //
                                               15, 14, 15, 14, 15, 14, 15, 14, 7, 6, 7, 6, 7, 6, 7, 6, //
                                               15, 14, 15, 14, 15, 14, 15, 14, 7, 6, 7, 6, 7, 6, 7, 6, //
                                               15, 14, 15, 14, 15, 14, 15, 14, 7, 6, 7, 6, 7, 6, 7, 6);
    const __m512i t257 = _mm512_or_si512(_mm512_slli_epi16(t, 8), t);
    const __m512i weight = _mm512_shuffle_epi8(t257, alphaLanes);
    const __m512i sum = _mm512_adds_epu16(_mm512_srli_epi16(t257, 1), _mm512_mulhi_epu16(weight, colour));
    return _mm512_srli_epi16(sum, 6);
}

// blendDetail of sixteen pixels, widened and packed back within each 128-bit lane as blendEight.
QZ_TARGET_AVX512 inline __m512i blendSixteen(__m512i tiles, const WideColours& colours) {
    const __m512i zero = _mm512_setzero_si512();
    const __m512i low = blendHalf16(_mm512_unpacklo_epi8(tiles, zero), colours.low);
    const __m512i high = blendHalf16(_mm512_unpackhi_epi8(tiles, zero), colours.high);
    return _mm512_packus_epi16(low, high);
}

// Sixteen pixels at a time, as rowsAvx2.
template <bool kTint, int kRows> QZ_TARGET_AVX512 void rowsAvx512(const DetailRows& r) {
    const FrameColumns& c = *r.columns;
    const uint32_t* const strips[2] = {r.strip[0], r.strip[kRows - 1]};
    const size_t groups = size_t(r.width) / 16;
    const __m512i byteMask = _mm512_set1_epi32(0xFF);
    const __m512i level = _mm512_set1_epi32(int(r.level));
    const __m512i halfMask = _mm512_set1_epi32(0x7F7F7F7F);
    const __m512i tintAdd = _mm512_set1_epi32(0x40353F4D);
    for (size_t g = 0; g < groups; ++g) {
        const size_t x = g * 16;
        if (!c.windowed[g]) {
            _mm256_zeroupper();
            pixelsAt<kTint>(r, x, x + 16);
            continue;
        }
        const int32_t start = c.first[g];
        // Only the cells the group reaches are read, so the window may run past the map row's end.
        const __mmask16 reached = __mmask16((1u << c.reach[g]) - 1);
        const __m512i offsets = _mm512_loadu_si512(&c.offset[x]);
        const __m512i columns = _mm512_loadu_si512(&c.column[x]);
        const __m512i colours =
            _mm512_permutexvar_epi32(offsets, _mm512_maskz_loadu_epi32(reached, r.colour + start));
        const __m512i tileNumbers = _mm512_permutexvar_epi32(
            offsets, _mm512_cvtepu8_epi32(_mm_maskz_loadu_epi8(reached, r.characters + start)));
        const __m512i texel = _mm512_add_epi32(_mm512_slli_epi32(tileNumbers, 6), columns);
        __m256i low[2], high[2];
        fetchEight(strips, kRows, _mm512_castsi512_si256(texel), low);
        fetchEight(strips, kRows, _mm512_extracti64x4_epi64(texel, 1), high);
        const WideColours wide = widenColours(colours);
        __mmask16 below = 0;
        if constexpr (kTint) {
            const __m512i heights = _mm512_and_si512(
                _mm512_srli_epi32(
                    _mm512_permutexvar_epi32(offsets, _mm512_maskz_loadu_epi32(reached, r.elevation + start)),
                    8),
                byteMask);
            below = _mm512_cmple_epi32_mask(heights, level);
        }
        for (int k = 0; k < kRows; ++k) {
            const __m512i texels = _mm512_inserti64x4(_mm512_castsi256_si512(low[k]), high[k], 1);
            __m512i pixels = blendSixteen(texels, wide);
            if constexpr (kTint) {
                const __m512i tinted =
                    _mm512_add_epi32(_mm512_and_si512(_mm512_srli_epi32(pixels, 1), halfMask), tintAdd);
                pixels = _mm512_mask_mov_epi32(pixels, below, tinted);
            }
            _mm512_storeu_si512(r.out[k] + x, pixels);
        }
    }
    // The scalar code after this runs at full speed only with the upper register halves clear.
    _mm256_zeroupper();
    pixelsAt<kTint>(r, groups * 16, size_t(r.width));
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#endif

using RowsFn = void (*)(const DetailRows&);

// The function drawing `rows` (1 or 2) rows with `kernel`.
RowsFn rowsFunction(DetailKernel kernel, bool tint, int rows) {
#if QZ_DETAIL_WIDE
    if (kernel == DetailKernel::Avx2) {
        if (rows == 2) return tint ? rowsAvx2<true, 2> : rowsAvx2<false, 2>;
        return tint ? rowsAvx2<true, 1> : rowsAvx2<false, 1>;
    }
    if (kernel == DetailKernel::Avx512) {
        if (rows == 2) return tint ? rowsAvx512<true, 2> : rowsAvx512<false, 2>;
        return tint ? rowsAvx512<true, 1> : rowsAvx512<false, 1>;
    }
#else
    (void)kernel;
    (void)rows;
#endif
    return tint ? rowsPortable<true> : rowsPortable<false>;
}

} // namespace

bool detail_KernelAvailable(DetailKernel kernel) {
    switch (kernel) {
#if QZ_DETAIL_WIDE
    case DetailKernel::Avx2: {
        static const bool avx2 = __builtin_cpu_supports("avx2");
        return avx2;
    }
    case DetailKernel::Avx512: {
        static const bool avx512 = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                                   __builtin_cpu_supports("avx512vl");
        return avx512;
    }
#endif
    case DetailKernel::Portable:
        return true;
    default:
        return false;
    }
}

DetailKernel detail_BestKernel() {
    if (detail_KernelAvailable(DetailKernel::Avx512)) return DetailKernel::Avx512;
    if (detail_KernelAvailable(DetailKernel::Avx2)) return DetailKernel::Avx2;
    return DetailKernel::Portable;
}

void detail_DrawRows(const RasterTarget& target, const TerrainImagery& imagery, const uint32_t* colour,
                     const DetailFrame& frame, DetailKernel kernel) {
    static thread_local TileStrips strips;
    static thread_local FrameColumns columns;
    static thread_local std::vector<uint8_t> drawn;
    static thread_local std::vector<int32_t> order;

    const int32_t width = target.width;
    const int32_t height = target.height;
    const size_t rowBytes = size_t(width) * sizeof(uint32_t);
    const uint32_t step = frame.step;
    if (kernel != DetailKernel::Portable)
        columns.build(width, frame.u0, step, kernel == DetailKernel::Avx512 ? 16 : 8);
    strips.startFrame(imagery.detail_premultiplied);
    drawn.assign(size_t(height), 0);
    const RowsFn drawOne = rowsFunction(kernel, frame.tint, 1);
    const RowsFn drawTwo = rowsFunction(kernel, frame.tint, 2);

    DetailRows rows;
    rows.width = width;
    rows.level = frame.level;
    rows.u0 = frame.u0;
    rows.step = step;
    rows.columns = &columns;
    auto rowPixels = [&](int32_t y) { return target.pixels + size_t(y) * size_t(width); };
    // The rows in drawing order: by tile texel row, then from the top.
    uint32_t start[kTileSide + 1] = {};
    {
        uint32_t v = frame.v0;
        for (int32_t y = 0; y < height; ++y, v += step)
            ++start[((v >> 10) & (kTileSide - 1)) + 1];
    }
    for (uint32_t t = 0; t < kTileSide; ++t)
        start[t + 1] += start[t];
    order.resize(size_t(height));
    {
        uint32_t fill[kTileSide];
        std::memcpy(fill, start, sizeof fill);
        uint32_t v = frame.v0;
        for (int32_t y = 0; y < height; ++y, v += step)
            order[fill[(v >> 10) & (kTileSide - 1)]++] = y;
    }
    for (uint32_t texelRow = 0; texelRow < kTileSide; ++texelRow) {
        int32_t previous = -1;
        uint32_t previousKey = 0;
        for (uint32_t n = start[texelRow]; n < start[texelRow + 1]; ++n) {
            const int32_t y = order[n];
            if (drawn[size_t(y)]) continue;
            const uint32_t v = frame.v0 + uint32_t(y) * step;
            // Rows of the same map row and tile texel row are identical.
            const uint32_t key = (v >> 10) & 0xFFFF;
            if (previous >= 0 && key == previousKey) {
                std::memcpy(rowPixels(y), rowPixels(previous), rowBytes);
                drawn[size_t(y)] = 1;
                continue;
            }
            const uint32_t mapRow = (v >> 16) & kTexelMask;
            const size_t rowStart = size_t(mapRow) * kTerrainMapSize;
            rows.rows = 1;
            rows.out[0] = rowPixels(y);
            rows.strip[0] = strips.strip(texelRow);
            // The next row joins when it reads the same map row through another tile texel row.
            const uint32_t next = v + step;
            if (y + 1 < height && !drawn[size_t(y) + 1] && ((next >> 16) & kTexelMask) == mapRow &&
                ((next >> 10) & (kTileSide - 1)) != texelRow) {
                rows.rows = 2;
                rows.out[1] = rowPixels(y + 1);
                rows.strip[1] = strips.strip((next >> 10) & (kTileSide - 1));
                drawn[size_t(y) + 1] = 1;
            }
            rows.colour = colour + rowStart;
            rows.characters = imagery.character_map + rowStart;
            rows.elevation = imagery.elevation_map + rowStart;
            (rows.rows == 2 ? drawTwo : drawOne)(rows);
            drawn[size_t(y)] = 1;
            previous = y;
            previousKey = key;
        }
    }
}
