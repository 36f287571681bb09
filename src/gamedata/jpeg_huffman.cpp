// Building the Huffman decoding tables of a DHT segment.
#include "gamedata/jpeg_internal.h"

#include <cstring>
#include <limits>

bool jpeg_BuildHuffTable(JpegHuffTable& t, const uint8_t counts[kJpegMaxCodeLength], const uint8_t* symbols,
                         int symbolCount) {
    t.defined = false;
    std::memset(t.fast, 0, sizeof t.fast);
    std::memset(t.fastAc, 0, sizeof t.fastAc);
    std::memset(t.values, 0, sizeof t.values);
    std::memcpy(t.values, symbols, static_cast<size_t>(symbolCount));

    // Canonical codes: each length continues from the previous one shifted left by a bit.
    int32_t code = 0;
    int k = 0;
    t.maxcode[0] = -1;
    t.valoffset[0] = 0;
    for (int length = 1; length <= kJpegMaxCodeLength; ++length) {
        const int n = counts[length - 1];
        t.valoffset[length] = k - code;
        for (int i = 0; i < n; ++i, ++k, ++code) {
            // Codes must fit in `length` bits, and the all-ones code is not allowed.
            if (code + 1 >= (1 << length)) return false;
            if (length <= kJpegLookBits) {
                const int shift = kJpegLookBits - length;
                const auto entry = static_cast<uint16_t>(length << 8 | symbols[k]);
                for (int j = code << shift; j < (code + 1) << shift; ++j)
                    t.fast[j] = entry;
            }
        }
        t.maxcode[length] = n ? code - 1 : -1;
        code <<= 1;
    }
    t.maxcode[kJpegMaxCodeLength + 1] = std::numeric_limits<int32_t>::max();

    t.dcUsable = true;
    for (int i = 0; i < symbolCount; ++i)
        if (symbols[i] > 15) t.dcUsable = false;

    // Short AC codes whose magnitude bits also fit in the lookahead decode in one step.
    for (int i = 0; i < kJpegLookSize; ++i) {
        const int entry = t.fast[i];
        if (!entry) continue;
        const int length = entry >> 8;
        const int run = (entry >> 4) & 15;
        const int size = entry & 15;
        if (size == 0 || length + size > kJpegLookBits) continue;
        const int bits = (i >> (kJpegLookBits - length - size)) & ((1 << size) - 1);
        const int value = bits < (1 << (size - 1)) ? bits - (1 << size) + 1 : bits;
        t.fastAc[i] = static_cast<uint32_t>(value) << 16 | static_cast<uint32_t>(run) << 8 |
                      static_cast<uint32_t>(length + size);
    }
    t.defined = true;
    return true;
}
