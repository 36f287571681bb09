// The entropy-coded scan: Huffman decoding of the MCUs, restart intervals, the inverse DCT into
// one MCU row of sample buffers, and colour conversion of each finished MCU row.
#include "gamedata/jpeg_color.h"
#include "gamedata/jpeg_internal.h"

#include <cstdlib>
#include <cstring>

namespace {
constexpr int kMarkerRst0 = 0xD0;

// Bits of the entropy-coded data, most significant first, in a 64-bit window. Stuffed 0xFF 0x00
// pairs give 0xFF. At a marker or the end of the data the window is filled with zero bits that
// are counted in `padBits`; a decoder that has consumed any of them has run off its segment.
struct BitReader {
    const uint8_t* data;
    size_t size;
    size_t pos;
    uint64_t bits = 0;
    int count = 0;   // valid bits in `bits`, from the top
    int padBits = 0; // of those, zero bits standing in for data past a marker or the end
    bool atMarker = false;

    BitReader(std::span<const uint8_t> d, size_t start) : data(d.data()), size(d.size()), pos(start) {}

    // Ensures at least 57 bits are in the window.
    void refill() {
        if (count > 56) return;
        if (!atMarker && size - pos >= 8) {
            uint64_t word = 0;
            for (int i = 0; i < 8; ++i)
                word = word << 8 | data[pos + i];
            // No 0xFF byte among the next eight: take whole bytes without looking at each.
            const uint64_t inverted = ~word;
            if (((inverted - 0x0101010101010101ull) & ~inverted & 0x8080808080808080ull) == 0) {
                const int n = (63 - count) >> 3;
                bits |= (word >> (64 - 8 * n)) << (64 - 8 * n - count);
                pos += static_cast<size_t>(n);
                count += 8 * n;
                return;
            }
        }
        refillBytewise();
    }

    void refillBytewise() {
        while (count <= 56) {
            uint64_t byte = 0;
            if (!atMarker && pos < size) {
                if (data[pos] != 0xFF) {
                    byte = data[pos++];
                } else if (size - pos >= 2 && data[pos + 1] == 0x00) {
                    byte = 0xFF;
                    pos += 2;
                } else {
                    atMarker = true; // `pos` stays on the marker's first byte
                }
            } else {
                atMarker = true;
            }
            if (atMarker) padBits += 8;
            bits |= byte << (56 - count);
            count += 8;
        }
    }

    unsigned peek(int n) const { return static_cast<unsigned>(bits >> (64 - n)); }
    void consume(int n) {
        bits <<= n;
        count -= n;
    }
    // `size` (1 to 15) magnitude bits as a signed value.
    int32_t receiveExtend(int n) {
        const int32_t v = static_cast<int32_t>(peek(n));
        consume(n);
        return v < (1 << (n - 1)) ? v - (1 << n) + 1 : v;
    }
    bool overrun() const { return count < padBits; }

    // Starts over at `start` (after a restart marker).
    void restartAt(size_t start) {
        pos = start;
        bits = 0;
        count = 0;
        padBits = 0;
        atMarker = false;
    }
};

// A symbol of `t`; -1 for a code the table does not hold. Needs 16 bits in the window.
inline int decodeSymbol(BitReader& br, const JpegHuffTable& t) {
    const unsigned entry = t.fast[br.peek(kJpegLookBits)];
    if (entry) {
        br.consume(static_cast<int>(entry >> 8));
        return static_cast<int>(entry & 0xFF);
    }
    const int32_t look = static_cast<int32_t>(br.peek(kJpegMaxCodeLength));
    for (int length = kJpegLookBits + 1; length <= kJpegMaxCodeLength; ++length) {
        const int32_t code = look >> (kJpegMaxCodeLength - length);
        if (code <= t.maxcode[length]) {
            br.consume(length);
            return t.values[(code + t.valoffset[length]) & 0xFF];
        }
    }
    return -1;
}

// Decodes one block into `coef` (all zero on entry). Returns 0 for an invalid code, 1 for a
// block with only its DC coefficient, 2 otherwise.
inline int decodeBlock(BitReader& br, const JpegHuffTable& dc, const JpegHuffTable& ac, int32_t& predictor,
                       int16_t* coef) {
    // A DC code with its magnitude bits takes at most 31 bits, as does an AC code with its bits.
    if (br.count < 32) br.refill();
    const int size = decodeSymbol(br, dc);
    if (size < 0) return 0;
    const int32_t diff = size ? br.receiveExtend(size) : 0;
    // Damaged files can push the predictor anywhere: it wraps like the IJG decoder's int, and the
    // coefficient keeps its low 16 bits.
    predictor = static_cast<int32_t>(static_cast<uint32_t>(predictor) + static_cast<uint32_t>(diff));
    coef[0] = static_cast<int16_t>(predictor);

    int result = 1;
    for (int k = 1; k < kJpegBlockSize;) {
        if (br.count < 32) br.refill();
        const uint32_t fast = ac.fastAc[br.peek(kJpegLookBits)];
        if (fast) {
            br.consume(static_cast<int>(fast & 0xFF));
            k += static_cast<int>((fast >> 8) & 15);
            coef[kJpegNaturalOrder[k]] = static_cast<int16_t>(static_cast<int32_t>(fast) >> 16);
            ++k;
            result = 2;
            continue;
        }
        const int rs = decodeSymbol(br, ac);
        if (rs < 0) return 0;
        const int run = rs >> 4;
        const int bits = rs & 15;
        if (bits) {
            k += run;
            coef[kJpegNaturalOrder[k]] = static_cast<int16_t>(br.receiveExtend(bits));
            ++k;
            result = 2;
        } else {
            if (run != 15) break; // end of block
            k += 16;
        }
    }
    return result;
}

// A block whose only coefficient is DC: the inverse DCT gives one value for all 64 samples.
inline void fillDcBlock(int16_t dc, int32_t quant, uint8_t* out, size_t stride) {
    const uint32_t scaled = static_cast<uint32_t>(static_cast<int32_t>(dc) * quant) * 4u + 16u;
    const uint8_t value = jpeg_IdctRangeLimit(static_cast<int32_t>(scaled) >> 5);
    for (int r = 0; r < 8; ++r)
        std::memset(out + r * stride, value, 8);
}

// The scan's MCU geometry, its sample buffers for one MCU row and its decoding state.
class ScanDecoder {
  public:
    ScanDecoder(std::span<const uint8_t> data, const JpegHeaders& h)
        : data_(data), h_(h), br_(data, h.scanData) {}
    ~ScanDecoder() { std::free(memory_); }
    ScanDecoder(const ScanDecoder&) = delete;
    ScanDecoder& operator=(const ScanDecoder&) = delete;

    bool init();
    bool run(uint32_t* pixels);
    size_t end() const { return br_.pos; }

  private:
    bool restartIfDue();
    bool decodeMcu(int mx);

    std::span<const uint8_t> data_;
    const JpegHeaders& h_;
    BitReader br_;
    int n_ = 0;
    int hs_[kJpegMaxComponents] = {}; // sampling factors as the scan uses them
    int vs_[kJpegMaxComponents] = {};
    int mcuHeight_ = 0;
    int mcusX_ = 0;
    int mcusY_ = 0;
    JpegPlane planes_[kJpegMaxComponents];
    uint8_t* memory_ = nullptr;              // all planes' sample rows
    uint8_t* rows_[kJpegMaxComponents] = {}; // each plane's first row within memory_
    JpegRowConverter converter_;
    const JpegKernels* kernels_ = nullptr;
    int32_t predictors_[kJpegMaxComponents] = {};
    alignas(32) int16_t coef_[kJpegBlockSize] = {};
    uint32_t toRestart_ = 0;
    int nextRestart_ = 0;
};

bool ScanDecoder::init() {
    n_ = h_.componentCount;
    // A single-component scan is not interleaved: its MCU is one block whatever the factors say.
    int hmax = 1, vmax = 1;
    for (int c = 0; c < n_; ++c) {
        hs_[c] = n_ == 1 ? 1 : h_.comp[c].h;
        vs_[c] = n_ == 1 ? 1 : h_.comp[c].v;
        if (hs_[c] > hmax) hmax = hs_[c];
        if (vs_[c] > vmax) vmax = vs_[c];
    }
    mcuHeight_ = 8 * vmax;
    mcusX_ = (h_.width + 8 * hmax - 1) / (8 * hmax);
    mcusY_ = (h_.height + mcuHeight_ - 1) / mcuHeight_;

    // Sizes are bounded by kJpegMaxSide: a row is at most 16384 + 32 samples, 32 rows deep.
    size_t offsets[kJpegMaxComponents];
    size_t total = 0;
    for (int c = 0; c < n_; ++c) {
        planes_[c].stride = static_cast<size_t>(mcusX_) * hs_[c] * 8;
        planes_[c].h = hs_[c];
        planes_[c].v = vs_[c];
        offsets[c] = total;
        total += planes_[c].stride * static_cast<size_t>(vs_[c]) * 8;
    }
    memory_ = static_cast<uint8_t*>(std::malloc(total));
    if (!memory_) return false;
    for (int c = 0; c < n_; ++c) {
        rows_[c] = memory_ + offsets[c];
        planes_[c].samples = rows_[c];
    }
    kernels_ = &jpeg_Kernels();
    toRestart_ = h_.restartInterval;
    return converter_.init(jpeg_ColorOf(h_), n_, planes_, hmax, vmax, h_.width);
}

// At the end of each restart interval the next marker must be the next RSTn; the bit reader and
// the DC predictions start over after it.
bool ScanDecoder::restartIfDue() {
    if (!h_.restartInterval) return true;
    if (toRestart_ == 0) {
        size_t pos = br_.pos;
        if (jpeg_NextMarker(data_, pos) != kMarkerRst0 + nextRestart_) return false;
        br_.restartAt(pos);
        nextRestart_ = (nextRestart_ + 1) & 7;
        toRestart_ = h_.restartInterval;
        for (int32_t& p : predictors_)
            p = 0;
    }
    --toRestart_;
    return true;
}

// Decodes MCU `mx` of the current row and transforms its blocks into the sample rows.
bool ScanDecoder::decodeMcu(int mx) {
    for (int c = 0; c < n_; ++c) {
        const JpegComponent& comp = h_.comp[c];
        const JpegHuffTable& dc = h_.dc[comp.td];
        const JpegHuffTable& ac = h_.ac[comp.ta];
        const int32_t* quant = h_.scanQuant[c];
        const size_t stride = planes_[c].stride;
        uint8_t* origin = rows_[c] + static_cast<size_t>(mx) * hs_[c] * 8;
        for (int by = 0; by < vs_[c]; ++by) {
            for (int bx = 0; bx < hs_[c]; ++bx) {
                const int kind = decodeBlock(br_, dc, ac, predictors_[c], coef_);
                if (kind == 0) return false;
                uint8_t* out = origin + static_cast<size_t>(by) * 8 * stride + bx * 8;
                if (kind == 1) {
                    fillDcBlock(coef_[0], quant[0], out, stride);
                    coef_[0] = 0;
                } else {
                    kernels_->idct(coef_, quant, out, stride);
                    std::memset(coef_, 0, sizeof coef_);
                }
            }
        }
    }
    // Consuming any of the zero bits that stand in for missing data means the scan ran off.
    return !br_.overrun();
}

bool ScanDecoder::run(uint32_t* pixels) {
    for (int my = 0; my < mcusY_; ++my) {
        for (int mx = 0; mx < mcusX_; ++mx)
            if (!restartIfDue() || !decodeMcu(mx)) return false;
        const int y0 = my * mcuHeight_;
        const int rows = h_.height - y0 < mcuHeight_ ? h_.height - y0 : mcuHeight_;
        converter_.convert(rows, pixels + static_cast<size_t>(y0) * h_.width, static_cast<size_t>(h_.width));
    }
    return true;
}
} // namespace

bool jpeg_DecodeScan(std::span<const uint8_t> data, const JpegHeaders& h, uint32_t* pixels, size_t& end) {
    ScanDecoder decoder(data, h);
    if (!decoder.init() || !decoder.run(pixels)) return false;
    end = decoder.end();
    return true;
}
