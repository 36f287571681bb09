#include "demo/jpeg_encoder.h"

#include "foundation/atomic_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {
constexpr int kMaxSide = 65535;
constexpr int kBlockSize = 64;

// Marker codes.
constexpr uint8_t kSoi = 0xD8;
constexpr uint8_t kEoi = 0xD9;
constexpr uint8_t kApp0 = 0xE0;
constexpr uint8_t kDqt = 0xDB;
constexpr uint8_t kSof0 = 0xC0;
constexpr uint8_t kDht = 0xC4;
constexpr uint8_t kDri = 0xDD;
constexpr uint8_t kSos = 0xDA;
constexpr uint8_t kRst0 = 0xD0;

// Natural (row-major) index of each zig-zag position.
constexpr std::array<uint8_t, kBlockSize> kZigZag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The example tables of the standard (Annex K), in natural order.
constexpr std::array<uint8_t, kBlockSize> kLumaQuant = {
    16, 11,  10,  16, 24, 40, 51, 61, 12,  12,  14,  19,  26, 58, 60, 55,  14,  13,  16,  24, 40, 57,
    69, 56,  14,  17, 22, 29, 51, 87, 80,  62,  18,  22,  37, 56, 68, 109, 103, 77,  24,  35, 55, 64,
    81, 104, 113, 92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98,  112, 100, 103, 99};
constexpr std::array<uint8_t, kBlockSize> kChromaQuant = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
    99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

struct HuffmanTableDef {
    uint8_t bits[16]; // number of codes of each length 1 to 16
    const uint8_t* values;
    int count;
};

constexpr uint8_t kDcValues[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
constexpr uint8_t kLumaAcValues[162] = {
    0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22,
    0x71, 0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52, 0xd1, 0xf0, 0x24, 0x33,
    0x62, 0x72, 0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x34,
    0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55,
    0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76,
    0x77, 0x78, 0x79, 0x7a, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96,
    0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5,
    0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4,
    0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf1,
    0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};
constexpr uint8_t kChromaAcValues[162] = {
    0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71, 0x13,
    0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09, 0x23, 0x33, 0x52, 0xf0, 0x15, 0x62,
    0x72, 0xd1, 0x0a, 0x16, 0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18, 0x19, 0x1a, 0x26, 0x27, 0x28, 0x29,
    0x2a, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54,
    0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75,
    0x76, 0x77, 0x78, 0x79, 0x7a, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94,
    0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3,
    0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2,
    0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea,
    0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};

constexpr HuffmanTableDef kLumaDc = {{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}, kDcValues, 12};
constexpr HuffmanTableDef kChromaDc = {{0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}, kDcValues, 12};
constexpr HuffmanTableDef kLumaAc = {{0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d}, kLumaAcValues, 162};
constexpr HuffmanTableDef kChromaAc = {
    {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77}, kChromaAcValues, 162};

// Code and length of every symbol of a table (canonical codes, as the decoder rebuilds them).
struct HuffmanCodes {
    uint16_t code[256] = {};
    uint8_t length[256] = {};
};

HuffmanCodes buildCodes(const HuffmanTableDef& table) {
    HuffmanCodes codes;
    uint32_t code = 0;
    int k = 0;
    for (int length = 1; length <= 16; ++length) {
        for (int i = 0; i < table.bits[length - 1]; ++i, ++k) {
            codes.code[table.values[k]] = static_cast<uint16_t>(code++);
            codes.length[table.values[k]] = static_cast<uint8_t>(length);
        }
        code <<= 1;
    }
    return codes;
}

// Quantisation table in natural order for `quality`, with the IJG scaling and baseline limits.
std::array<uint16_t, kBlockSize> scaledTable(const std::array<uint8_t, kBlockSize>& base, int quality) {
    quality = std::clamp(quality, 1, 100);
    const int scale = quality < 50 ? 5000 / quality : 200 - quality * 2;
    std::array<uint16_t, kBlockSize> table{};
    for (int i = 0; i < kBlockSize; ++i)
        table[i] = static_cast<uint16_t>(std::clamp((base[i] * scale + 50) / 100, 1, 255));
    return table;
}

// The separable forward DCT basis: basis[u][x] = C(u) / 2 × cos((2x + 1) uπ / 16).
struct DctBasis {
    float c[8][8];
    DctBasis() {
        for (int u = 0; u < 8; ++u) {
            const double cu = u == 0 ? std::numbers::sqrt2 / 2.0 : 1.0;
            for (int x = 0; x < 8; ++x)
                c[u][x] = static_cast<float>(cu / 2.0 * std::cos((2 * x + 1) * u * std::numbers::pi / 16.0));
        }
    }
};

class BitWriter {
  public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
    void put(uint32_t code, int length) {
        buffer_ = (buffer_ << length) | (code & ((1u << length) - 1u));
        count_ += length;
        while (count_ >= 8) {
            const uint8_t byte = static_cast<uint8_t>(buffer_ >> (count_ - 8));
            out_.push_back(byte);
            if (byte == 0xFF) out_.push_back(0x00); // stuffing: 0xFF in entropy data is never a marker
            count_ -= 8;
        }
        buffer_ &= (1u << count_) - 1u;
    }
    // Pads the last byte with one bits.
    void flush() {
        if (count_ > 0) put(0x7F, 8 - count_);
    }

  private:
    std::vector<uint8_t>& out_;
    uint32_t buffer_ = 0;
    int count_ = 0;
};

// Magnitude category of a coefficient and its extra bits (negative values as value - 1).
int category(int value) {
    int magnitude = value < 0 ? -value : value;
    int bits = 0;
    while (magnitude != 0) {
        ++bits;
        magnitude >>= 1;
    }
    return bits;
}

void putValue(BitWriter& writer, int value, int bits) {
    if (bits == 0) return;
    const int stored = value < 0 ? value + (1 << bits) - 1 : value;
    writer.put(static_cast<uint32_t>(stored), bits);
}

// One component plane, padded to whole MCUs by repeating the last row and column.
struct Plane {
    int width = 0, height = 0;
    std::vector<float> samples; // level-shifted by -128
};

struct Component {
    Plane plane;
    int h = 1, v = 1; // sampling factors
    const std::array<uint16_t, kBlockSize>* quant = nullptr;
    const HuffmanCodes* dc = nullptr;
    const HuffmanCodes* ac = nullptr;
    int prediction = 0;
};

void encodeBlock(BitWriter& writer, Component& comp, int bx, int by, const DctBasis& basis) {
    float block[8][8];
    for (int y = 0; y < 8; ++y) {
        const float* row =
            comp.plane.samples.data() + static_cast<size_t>(by * 8 + y) * comp.plane.width + bx * 8;
        for (int x = 0; x < 8; ++x)
            block[y][x] = row[x];
    }
    float rows[8][8]; // rows transformed along x
    for (int y = 0; y < 8; ++y)
        for (int u = 0; u < 8; ++u) {
            float sum = 0.0f;
            for (int x = 0; x < 8; ++x)
                sum += basis.c[u][x] * block[y][x];
            rows[y][u] = sum;
        }
    int coefficients[kBlockSize];
    for (int v = 0; v < 8; ++v)
        for (int u = 0; u < 8; ++u) {
            float sum = 0.0f;
            for (int y = 0; y < 8; ++y)
                sum += basis.c[v][y] * rows[y][u];
            const int index = v * 8 + u;
            // Baseline Huffman tables code AC magnitudes up to 1,023; 8-bit samples stay inside.
            const long q = std::lround(sum / static_cast<float>((*comp.quant)[index]));
            coefficients[index] = static_cast<int>(std::clamp(q, -1023L, 1023L));
        }

    const int diff = coefficients[0] - comp.prediction;
    comp.prediction = coefficients[0];
    const int dcBits = category(diff);
    writer.put(comp.dc->code[dcBits], comp.dc->length[dcBits]);
    putValue(writer, diff, dcBits);

    int run = 0;
    for (int k = 1; k < kBlockSize; ++k) {
        const int value = coefficients[kZigZag[k]];
        if (value == 0) {
            ++run;
            continue;
        }
        while (run > 15) {
            writer.put(comp.ac->code[0xF0], comp.ac->length[0xF0]);
            run -= 16;
        }
        const int bits = category(value);
        const int symbol = run << 4 | bits;
        writer.put(comp.ac->code[symbol], comp.ac->length[symbol]);
        putValue(writer, value, bits);
        run = 0;
    }
    if (run > 0) writer.put(comp.ac->code[0x00], comp.ac->length[0x00]);
}

void putMarker(std::vector<uint8_t>& out, uint8_t marker) {
    out.push_back(0xFF);
    out.push_back(marker);
}

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

void putHuffmanTable(std::vector<uint8_t>& out, uint8_t classAndId, const HuffmanTableDef& table) {
    out.push_back(classAndId);
    out.insert(out.end(), table.bits, table.bits + 16);
    out.insert(out.end(), table.values, table.values + table.count);
}

void writeHeaders(std::vector<uint8_t>& out, int width, int height, bool subsample, int restartInterval,
                  const std::array<uint16_t, kBlockSize>& luma,
                  const std::array<uint16_t, kBlockSize>& chroma) {
    putMarker(out, kSoi);

    putMarker(out, kApp0);
    put16(out, 16);
    for (char c : {'J', 'F', 'I', 'F', '\0'})
        out.push_back(static_cast<uint8_t>(c));
    out.push_back(1); // version 1.01
    out.push_back(1);
    out.push_back(0); // no units: the densities give the aspect ratio
    put16(out, 1);
    put16(out, 1);
    out.push_back(0); // no thumbnail
    out.push_back(0);

    putMarker(out, kDqt);
    put16(out, 2 + 2 * (1 + kBlockSize));
    for (int id = 0; id < 2; ++id) {
        const auto& table = id == 0 ? luma : chroma;
        out.push_back(static_cast<uint8_t>(id)); // 8-bit entries
        for (int k = 0; k < kBlockSize; ++k)
            out.push_back(static_cast<uint8_t>(table[kZigZag[k]]));
    }

    putMarker(out, kSof0);
    put16(out, 8 + 3 * 3);
    out.push_back(8);
    put16(out, static_cast<uint32_t>(height));
    put16(out, static_cast<uint32_t>(width));
    out.push_back(3);
    for (int c = 0; c < 3; ++c) {
        out.push_back(static_cast<uint8_t>(c + 1));
        out.push_back(c == 0 && subsample ? 0x22 : 0x11);
        out.push_back(c == 0 ? 0 : 1);
    }

    putMarker(out, kDht);
    put16(out, static_cast<uint32_t>(2 + 4 * 17 + 2 * 12 + 2 * 162));
    putHuffmanTable(out, 0x00, kLumaDc);
    putHuffmanTable(out, 0x10, kLumaAc);
    putHuffmanTable(out, 0x01, kChromaDc);
    putHuffmanTable(out, 0x11, kChromaAc);

    if (restartInterval > 0) {
        putMarker(out, kDri);
        put16(out, 4);
        put16(out, static_cast<uint32_t>(restartInterval));
    }

    putMarker(out, kSos);
    put16(out, 6 + 2 * 3);
    out.push_back(3);
    for (int c = 0; c < 3; ++c) {
        out.push_back(static_cast<uint8_t>(c + 1));
        out.push_back(c == 0 ? 0x00 : 0x11);
    }
    out.push_back(0); // spectral selection 0 to 63
    out.push_back(63);
    out.push_back(0); // no successive approximation
}

// The three planes of the image in YCbCr, each padded to `mcusX` × `mcusY` MCUs. Subsampled
// chroma is the mean of each 2 × 2 square of the padded full-resolution chroma.
void buildPlanes(std::span<const uint32_t> pixels, int width, int height, bool subsample, int mcusX,
                 int mcusY, Component* comps) {
    const int mcuSide = subsample ? 16 : 8;
    const int fullW = mcusX * mcuSide, fullH = mcusY * mcuSide;
    Plane& y = comps[0].plane;
    y.width = fullW;
    y.height = fullH;
    y.samples.assign(static_cast<size_t>(fullW) * fullH, 0.0f);
    std::vector<float> cb(static_cast<size_t>(fullW) * fullH), cr(cb.size());
    for (int row = 0; row < fullH; ++row) {
        const int sy = std::min(row, height - 1);
        for (int col = 0; col < fullW; ++col) {
            const int sx = std::min(col, width - 1);
            const uint32_t p = pixels[static_cast<size_t>(sy) * width + sx];
            const float r = static_cast<float>((p >> 16) & 0xFF), g = static_cast<float>((p >> 8) & 0xFF),
                        b = static_cast<float>(p & 0xFF);
            const size_t i = static_cast<size_t>(row) * fullW + col;
            y.samples[i] = 0.299f * r + 0.587f * g + 0.114f * b - 128.0f;
            cb[i] = -0.168736f * r - 0.331264f * g + 0.5f * b;
            cr[i] = 0.5f * r - 0.418688f * g - 0.081312f * b;
        }
    }
    for (int c = 1; c < 3; ++c) {
        const std::vector<float>& full = c == 1 ? cb : cr;
        Plane& plane = comps[c].plane;
        if (!subsample) {
            plane.width = fullW;
            plane.height = fullH;
            plane.samples = full;
            continue;
        }
        plane.width = fullW / 2;
        plane.height = fullH / 2;
        plane.samples.resize(static_cast<size_t>(plane.width) * plane.height);
        for (int row = 0; row < plane.height; ++row)
            for (int col = 0; col < plane.width; ++col) {
                const size_t i = static_cast<size_t>(row * 2) * fullW + col * 2;
                plane.samples[static_cast<size_t>(row) * plane.width + col] =
                    0.25f * (full[i] + full[i + 1] + full[i + fullW] + full[i + fullW + 1]);
            }
    }
}
} // namespace

std::vector<uint8_t> jpeg_Encode(std::span<const uint32_t> pixels, int width, int height,
                                 const JpegEncodeOptions& options) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return {};
    if (pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height)) return {};
    if (options.restartInterval < 0 || options.restartInterval > 65535) return {};

    const bool subsample = options.subsampleChroma;
    const int mcuSide = subsample ? 16 : 8;
    const int mcusX = (width + mcuSide - 1) / mcuSide, mcusY = (height + mcuSide - 1) / mcuSide;
    const auto luma = scaledTable(kLumaQuant, options.quality);
    const auto chroma = scaledTable(kChromaQuant, options.quality);
    static const HuffmanCodes lumaDc = buildCodes(kLumaDc), lumaAc = buildCodes(kLumaAc);
    static const HuffmanCodes chromaDc = buildCodes(kChromaDc), chromaAc = buildCodes(kChromaAc);
    static const DctBasis basis;

    Component comps[3];
    buildPlanes(pixels, width, height, subsample, mcusX, mcusY, comps);
    comps[0].h = comps[0].v = subsample ? 2 : 1;
    comps[0].quant = &luma;
    comps[0].dc = &lumaDc;
    comps[0].ac = &lumaAc;
    for (int c = 1; c < 3; ++c) {
        comps[c].quant = &chroma;
        comps[c].dc = &chromaDc;
        comps[c].ac = &chromaAc;
    }

    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(width) * height / 4 + 1024);
    writeHeaders(out, width, height, subsample, options.restartInterval, luma, chroma);

    BitWriter writer(out);
    const int mcuCount = mcusX * mcusY;
    int restartNumber = 0;
    for (int mcu = 0; mcu < mcuCount; ++mcu) {
        if (options.restartInterval > 0 && mcu > 0 && mcu % options.restartInterval == 0) {
            writer.flush();
            putMarker(out, static_cast<uint8_t>(kRst0 + (restartNumber++ & 7)));
            for (Component& comp : comps)
                comp.prediction = 0;
        }
        const int mx = mcu % mcusX, my = mcu / mcusX;
        for (Component& comp : comps)
            for (int by = 0; by < comp.v; ++by)
                for (int bx = 0; bx < comp.h; ++bx)
                    encodeBlock(writer, comp, mx * comp.h + bx, my * comp.v + by, basis);
    }
    writer.flush();
    putMarker(out, kEoi);
    return out;
}

bool jpeg_WriteFile(const char* path, std::span<const uint32_t> pixels, int width, int height,
                    const JpegEncodeOptions& options) {
    const std::vector<uint8_t> bytes = jpeg_Encode(pixels, width, height, options);
    return !bytes.empty() && file_WriteWhole(path, bytes.data(), bytes.size());
}
