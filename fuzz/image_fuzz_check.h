#pragma once
// Checks shared by the image decoder fuzz targets.
//
// Pixel blocks live inside the main arena, one heap region, where the address sanitizer cannot
// see a write that runs past a block. So the arena's free space is filled with a canary pattern;
// after each decode the bytes following a pixel block must still hold it, and whatever a decode
// allocated (kept or freed) is filled with the canary again.
//
// The fuzz targets allocate nothing else, so a decoder's block is always the first one of the
// arena: its header right after the base block's, its data 32 bytes into the storage.
#include "foundation/mem_arena.h"
#include "gamedata/image_holder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

constexpr uint8_t kFuzzCanary = 0xA5;
constexpr uint32_t kFuzzCanaryWord = 0xA5A5A5A5;
constexpr size_t kFuzzCanaryBytes = 4096;

// Fills the arena's free space with the canary, once; call before each decode.
inline void fuzz_PrepareArena() {
    static bool filled = false;
    if (filled) return;
    MemArena& arena = mem_MainArena();
    std::memset(arena.base + kMemHeaderSize, kFuzzCanary, arena.size - kMemHeaderSize);
    filled = true;
}

// A decoded holder is consistent and wrote nothing past its block; a failed one is empty. Freeing
// it leaves the main arena without blocks, so no failure path keeps a pixel block.
inline void fuzz_CheckImage(ImageHolder& holder, int result) {
    MemArena& arena = mem_MainArena();
    uint8_t* const header = arena.base + kMemHeaderSize;
    uint8_t* const first = header + kMemHeaderSize;
    uint8_t* const arenaEnd = arena.base + arena.size;
    if (result == kImageOk) {
        if (holder.pixels != first) {
            std::fprintf(stderr, "pixel block not at the start of the arena\n");
            std::abort();
        }
        if (holder.width == 0 || holder.height == 0) std::abort();
        if (holder.pixelCount != static_cast<uint32_t>(holder.width) * holder.height) std::abort();
        uint8_t* const blockEnd = first + mem_BlockOf(first)->size;
        for (uint8_t* p = blockEnd; p < arenaEnd && p < blockEnd + kFuzzCanaryBytes; ++p)
            if (*p != kFuzzCanary) {
                std::fprintf(stderr, "write past the pixel block at +%zu\n",
                             static_cast<size_t>(p - blockEnd));
                std::abort();
            }
    } else if (holder.pixels != nullptr || holder.palette != nullptr || holder.pixelCount != 0) {
        std::abort();
    }
    image_Free(holder);
    // No failure path may keep its pixel block.
    if (mem_NextBlock(arena, arena.head) != nullptr) std::abort();
    // A freed block keeps its header; its size tells what the decode may have written.
    uint32_t size;
    std::memcpy(&size, header, sizeof size);
    if (size != kFuzzCanaryWord) {
        const size_t used = static_cast<size_t>(first - header) + size;
        std::memset(header, kFuzzCanary,
                    used < static_cast<size_t>(arenaEnd - header) ? used : arenaEnd - header);
    }
}
