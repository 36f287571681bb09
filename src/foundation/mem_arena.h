#pragma once
// Fixed memory arenas with tagged blocks.
//
// Each arena is one region taken from the heap once. Blocks are placed first fit over the gaps
// between existing blocks, in address order, and carry a 16-byte header in front of the user data
// (size, id, tag, next). On 64-bit machines the header keeps its four 32-bit words: the tag is an
// index into the arena's tag table and `next` is the offset of the next header from the base.
// Nothing is merged, cleared or grown; a request that does not fit gives null.

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr uint32_t kMemFirstSerial = 0x1000000;     // serial of the base block; real blocks follow
constexpr uint32_t kMemMainArenaSize = 0x1400000;   // 20 MiB, set by start-up
constexpr uint32_t kMemDefaultArenaSize = 0xF00000; // 15 MiB, used when the configured size is 0
constexpr uint32_t kMemHeaderSize = 16;
constexpr int kMemFreeHookCount = 2048;

struct MemBlock {
    uint32_t size; // bytes requested by the caller, header not included
    uint32_t id;   // serial number, or a caller id below kMemFirstSerial
    uint32_t tag;  // index into MemArena::tags; 0 means no tag
    uint32_t next; // offset of the next block's header from the arena base; 0 for the last block
};
static_assert(sizeof(MemBlock) == kMemHeaderSize);

using MemFreeHookFn = void (*)(void* user);
struct MemFreeHook {
    void* user;
    MemFreeHookFn notify;
};

struct MemArena {
    uint8_t* base = nullptr;  // storage; null when the arena has none
    uint32_t size = 0;        // bytes of storage
    MemBlock* head = nullptr; // the base block, at the very start of the storage
    uint32_t nextSerial = kMemFirstSerial;
    MemFreeHook* freeHooks = nullptr; // optional table of kMemFreeHookCount pairs; normally null
    std::vector<const char*> tags;    // tag table: index 0 is the null tag
};

// Diagnostics of the manager: failures at level 2 or more, every request at level 10 or more.
extern uint32_t mem_DebugLevel;

// Sets up `arena` with `configured_size` bytes (0 means kMemDefaultArenaSize). Returns 0, or -1
// when the heap refused the storage (the arena then stays empty and every allocation fails).
int mem_InitArena(MemArena& arena, uint32_t configured_size);
// Gives the arena's storage back to the heap and empties it (tests and tools only).
void mem_ReleaseArena(MemArena& arena);

// Allocates `size` bytes in `arena` with the user pointer a multiple of `alignment` (a power of
// two). Null when it does not fit. The memory is not cleared.
void* mem_ArenaAlloc(MemArena& arena, size_t size, uint32_t alignment, const char* tag);
// Releases a block of `arena`: 0 on success, -1 for null or a pointer that is not a block of it.
int mem_ArenaFree(MemArena& arena, void* user);

// The header in front of a user pointer handed out by an arena.
MemBlock* mem_BlockOf(void* user);
const MemBlock* mem_BlockOf(const void* user);
// The block's tag string, or null.
const char* mem_BlockTag(const MemArena& arena, const MemBlock* block);
// The block after `block` in address order, or null.
MemBlock* mem_NextBlock(const MemArena& arena, const MemBlock* block);

// The process-wide arenas.
MemArena& mem_MainArena();
MemArena& mem_FileArena();
MemArena& mem_ArchiveArena();

// Start-up: the main arena with kMemMainArenaSize, then the file-buffer and archive arenas with
// their default size. Returns 0, or -1 when any arena could not get its storage.
int mem_InitAll();

// Allocation in the main arena. `reserved` is accepted and ignored.
void* mem_GetMemEx(size_t size, uint32_t alignment, uint32_t reserved, const char* tag);
void* mem_GetMem(size_t size, uint32_t alignment, uint32_t reserved);
int mem_FreeMem(void* user);

// The file-buffer arena (alignment 4, no tag) and the archive arena (alignment 4).
void* mem_GetFileMem(size_t size);
int mem_FreeFileMem(void* user);
void* mem_GetArchiveMem(size_t size, const char* tag);
int mem_FreeArchiveMem(void* user);

// Stores a caller id in the block's id word when `user` is not null and `id` < kMemFirstSerial.
void mem_SetBlockId(void* user, uint32_t id);

// Tracked node allocator for small list nodes on the general heap. The block is cleared to zero;
// a size of 0 or less gives null. Freeing fills the block with 0xDD first; null gives 0.
void* mem_AllocTracked(const char* tag, long size);
int mem_FreeTracked(void* user);
long mem_TrackedCount(); // blocks alive
long mem_TrackedBytes(); // user bytes alive
