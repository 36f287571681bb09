// The scrambling of definition files (the bytes after the four-byte mark).
#include "foundation/line_reader.h"

#include <algorithm>

namespace {
uint32_t rotateLeft(uint32_t value, int bits) {
    return (value << bits) | (value >> (32 - bits));
}

// The key stream does not depend on the data, so one XOR pass serves both directions.
void applyKeyStream(uint8_t* data, size_t size, uint32_t key) {
    uint32_t k = key;
    for (size_t i = 0; i < size; ++i) {
        uint32_t t = rotateLeft(k, 11) + k;
        k = rotateLeft(t, 4) ^ 1u;
        data[i] = static_cast<uint8_t>(data[i] ^ (k & 0xFFu));
    }
}
} // namespace

void ascii_Descramble(uint8_t* data, size_t size, uint32_t key) {
    if (data == nullptr || size == 0) return;
    std::reverse(data, data + size);
    applyKeyStream(data, size, key);
}

void ascii_Scramble(uint8_t* data, size_t size, uint32_t key) {
    if (data == nullptr || size == 0) return;
    applyKeyStream(data, size, key);
    std::reverse(data, data + size);
}
