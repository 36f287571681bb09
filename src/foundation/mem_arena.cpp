#include "foundation/mem_arena.h"

#include "foundation/debug_output.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <unordered_map>

uint32_t mem_DebugLevel = 2;

namespace {
constexpr size_t kStorageAlignment = 64; // alignment arithmetic works on absolute addresses
constexpr const char* kBaseTag = "MemMgr Base";
constexpr size_t kTagTableCompactAt = 1024;

MemBlock* blockAt(const MemArena& arena, uint32_t offset) {
    return reinterpret_cast<MemBlock*>(arena.base + offset);
}

uintptr_t addressOf(const MemBlock* block) {
    return reinterpret_cast<uintptr_t>(block);
}

// The address just past the block's data.
uintptr_t endOf(const MemBlock* block) {
    return addressOf(block) + kMemHeaderSize + block->size;
}

uintptr_t nextAddress(const MemArena& arena, const MemBlock* block) {
    return reinterpret_cast<uintptr_t>(arena.base) + block->next;
}

void diagnose(const char* format, size_t size, const char* tag) {
    if (!debug_OutputEnabled()) return;
    char line[256];
    std::snprintf(line, sizeof line, format, static_cast<long>(size), tag != nullptr ? tag : "(null)");
    debug_Output(line);
}

// Drops tag-table entries no live block uses any more, renumbering the blocks. Keeps the table
// from growing without bound when callers label blocks with names inside loaded data.
void compactTags(MemArena& arena) {
    std::vector<const char*> kept{nullptr};
    std::unordered_map<const char*, uint32_t> index;
    for (MemBlock* block = arena.head; block != nullptr; block = mem_NextBlock(arena, block)) {
        if (block->tag == 0 || block->tag >= arena.tags.size()) continue;
        const char* tag = arena.tags[block->tag];
        auto [slot, added] = index.try_emplace(tag, static_cast<uint32_t>(kept.size()));
        if (added) kept.push_back(tag);
        block->tag = slot->second;
    }
    arena.tags.swap(kept);
}

size_t liveBlocks(const MemArena& arena) {
    size_t count = 0;
    for (const MemBlock* block = arena.head; block != nullptr; block = mem_NextBlock(arena, block))
        ++count;
    return count;
}

uint32_t tagIndex(MemArena& arena, const char* tag) {
    if (tag == nullptr) return 0;
    if (arena.tags.empty()) arena.tags.push_back(nullptr);
    // Recent tags are the likeliest to repeat: search from the end.
    for (size_t i = arena.tags.size(); i-- > 1;) {
        if (arena.tags[i] == tag) return static_cast<uint32_t>(i);
    }
    if (arena.tags.size() >= kTagTableCompactAt && arena.tags.size() > 2 * liveBlocks(arena))
        compactTags(arena);
    arena.tags.push_back(tag);
    return static_cast<uint32_t>(arena.tags.size() - 1);
}

MemArena g_main;
MemArena g_file;
MemArena g_archive;
bool g_initTried = false;

void ensureInit() {
    if (!g_initTried) mem_InitAll();
}
} // namespace

int mem_InitArena(MemArena& arena, uint32_t configured_size) {
    mem_ReleaseArena(arena);
    uint32_t size = configured_size != 0 ? configured_size : kMemDefaultArenaSize;
    if (size < kMemHeaderSize) return -1;
    // Round the request up for the aligned allocator; the arena still uses exactly `size` bytes.
    size_t reserve = (static_cast<size_t>(size) + kStorageAlignment - 1) & ~(kStorageAlignment - 1);
    void* storage = ::operator new(reserve, std::align_val_t(kStorageAlignment), std::nothrow);
    if (storage == nullptr) return -1;
    arena.base = static_cast<uint8_t*>(storage);
    arena.size = size;
    arena.tags.assign(1, nullptr);
    arena.nextSerial = kMemFirstSerial;
    MemBlock* base = blockAt(arena, 0);
    base->size = 0;
    base->id = arena.nextSerial++;
    base->tag = tagIndex(arena, kBaseTag);
    base->next = 0;
    arena.head = base;
    return 0;
}

void mem_ReleaseArena(MemArena& arena) {
    if (arena.base != nullptr) ::operator delete(arena.base, std::align_val_t(kStorageAlignment));
    arena.base = nullptr;
    arena.size = 0;
    arena.head = nullptr;
    arena.nextSerial = kMemFirstSerial;
    arena.freeHooks = nullptr;
    arena.tags.clear();
}

void* mem_ArenaAlloc(MemArena& arena, size_t size, uint32_t alignment, const char* tag) {
    if (mem_DebugLevel >= 10) diagnose("mem_GetMemEx(): %ld bytes ('%s')", size, tag);
    if (alignment == 0) alignment = 1;
    bool usable = arena.head != nullptr && size <= UINT32_MAX && (alignment & (alignment - 1)) == 0;
    if (usable) {
        const uintptr_t arenaEnd = reinterpret_cast<uintptr_t>(arena.base) + arena.size;
        const uintptr_t mask = alignment - 1;
        MemBlock* b = arena.head;
        while (true) {
            // The candidate user pointer: the first aligned address with room for a header after B.
            uintptr_t user = (endOf(b) + kMemHeaderSize + mask) & ~mask;
            uintptr_t header = user - kMemHeaderSize;
            uintptr_t dataEnd = user + size;
            MemBlock* f = b;
            while (f->next != 0 && nextAddress(arena, f) <= header)
                f = mem_NextBlock(arena, f);
            bool collides = header < endOf(f) || (f->next != 0 && dataEnd > nextAddress(arena, f));
            if (!collides) {
                if (dataEnd > arenaEnd) break; // past the last block and past the arena end
                MemBlock* block = reinterpret_cast<MemBlock*>(header);
                block->size = static_cast<uint32_t>(size);
                block->id = arena.nextSerial++;
                block->tag = tagIndex(arena, tag);
                block->next = f->next;
                f->next = static_cast<uint32_t>(header - reinterpret_cast<uintptr_t>(arena.base));
                return reinterpret_cast<void*>(user);
            }
            if (dataEnd > arenaEnd) break; // every later gap starts further on
            MemBlock* g = f;
            while (g->next != 0 && nextAddress(arena, g) <= dataEnd)
                g = mem_NextBlock(arena, g);
            b = g;
        }
    }
    if (mem_DebugLevel >= 2) diagnose("mem_GetMemEx(): Failed to allocate %ld bytes ('%s')", size, tag);
    return nullptr;
}

int mem_ArenaFree(MemArena& arena, void* user) {
    if (user == nullptr || arena.head == nullptr) return -1;
    uintptr_t address = reinterpret_cast<uintptr_t>(user);
    uintptr_t base = reinterpret_cast<uintptr_t>(arena.base);
    if (address < base + 2 * kMemHeaderSize || address > base + arena.size) return -1;
    uintptr_t offset = address - kMemHeaderSize - base;
    for (MemBlock* prev = arena.head; prev->next != 0; prev = mem_NextBlock(arena, prev)) {
        if (prev->next == offset) {
            prev->next = blockAt(arena, prev->next)->next;
            if (arena.freeHooks != nullptr) {
                for (int i = 0; i < kMemFreeHookCount; ++i) {
                    if (arena.freeHooks[i].user == user && arena.freeHooks[i].notify != nullptr)
                        arena.freeHooks[i].notify(user);
                }
            }
            return 0;
        }
    }
    return -1;
}

MemBlock* mem_BlockOf(void* user) {
    return reinterpret_cast<MemBlock*>(static_cast<uint8_t*>(user) - kMemHeaderSize);
}

const MemBlock* mem_BlockOf(const void* user) {
    return reinterpret_cast<const MemBlock*>(static_cast<const uint8_t*>(user) - kMemHeaderSize);
}

const char* mem_BlockTag(const MemArena& arena, const MemBlock* block) {
    if (block == nullptr || block->tag >= arena.tags.size()) return nullptr;
    return arena.tags[block->tag];
}

MemBlock* mem_NextBlock(const MemArena& arena, const MemBlock* block) {
    if (block == nullptr || block->next == 0) return nullptr;
    return blockAt(arena, block->next);
}

MemArena& mem_MainArena() {
    ensureInit();
    return g_main;
}

MemArena& mem_FileArena() {
    ensureInit();
    return g_file;
}

MemArena& mem_ArchiveArena() {
    ensureInit();
    return g_archive;
}

int mem_InitAll() {
    g_initTried = true;
    int result = 0;
    if (g_main.base == nullptr && mem_InitArena(g_main, kMemMainArenaSize) != 0) result = -1;
    if (g_file.base == nullptr && mem_InitArena(g_file, 0) != 0) result = -1;
    if (g_archive.base == nullptr && mem_InitArena(g_archive, 0) != 0) result = -1;
    return result;
}

void* mem_GetMemEx(size_t size, uint32_t alignment, uint32_t, const char* tag) {
    return mem_ArenaAlloc(mem_MainArena(), size, alignment, tag);
}

void* mem_GetMem(size_t size, uint32_t alignment, uint32_t reserved) {
    return mem_GetMemEx(size, alignment, reserved, nullptr);
}

int mem_FreeMem(void* user) {
    return mem_ArenaFree(mem_MainArena(), user);
}

void* mem_GetFileMem(size_t size) {
    MemArena& arena = mem_FileArena();
    if (arena.base == nullptr) return nullptr;
    return mem_ArenaAlloc(arena, size, 4, nullptr);
}

int mem_FreeFileMem(void* user) {
    return mem_ArenaFree(mem_FileArena(), user);
}

void* mem_GetArchiveMem(size_t size, const char* tag) {
    MemArena& arena = mem_ArchiveArena();
    if (arena.base == nullptr) return nullptr;
    return mem_ArenaAlloc(arena, size, 4, tag);
}

int mem_FreeArchiveMem(void* user) {
    return mem_ArenaFree(mem_ArchiveArena(), user);
}

void mem_SetBlockId(void* user, uint32_t id) {
    if (user == nullptr || id >= kMemFirstSerial) return;
    mem_BlockOf(user)->id = id;
}
