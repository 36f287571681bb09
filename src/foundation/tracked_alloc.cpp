// The tracked node allocator of mem_arena.h: small list nodes on the general heap, each linked
// into one process-wide list so that the live count and bytes can be checked.
#include "foundation/mem_arena.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
struct TrackedHeader {
    size_t size;     // user bytes
    char* tag;       // copy of the caller's tag, behind the user block
    uint32_t serial; // process-wide counter, from 0
    TrackedHeader* prev;
    TrackedHeader* next;
};
// The user block follows the header at an offset that keeps it aligned for any node type.
constexpr size_t kUserOffset =
    (sizeof(TrackedHeader) + alignof(std::max_align_t) - 1) & ~(alignof(std::max_align_t) - 1);

TrackedHeader* g_head = nullptr;
long g_count = 0;
long g_bytes = 0;
uint32_t g_serial = 0;

TrackedHeader* headerOf(void* user) {
    return reinterpret_cast<TrackedHeader*>(reinterpret_cast<uintptr_t>(user) - kUserOffset);
}
} // namespace

void* mem_AllocTracked(const char* tag, long size) {
    if (size <= 0) return nullptr;
    if (tag == nullptr) tag = "";
    size_t tagBytes = std::strlen(tag) + 1;
    size_t user = static_cast<size_t>(size);
    if (user > SIZE_MAX - kUserOffset - tagBytes) return nullptr;
    char* raw = static_cast<char*>(std::malloc(kUserOffset + user + tagBytes));
    if (raw == nullptr) return nullptr;
    auto* header = reinterpret_cast<TrackedHeader*>(raw);
    char* data = raw + kUserOffset;
    header->size = user;
    header->tag = data + user;
    std::memcpy(header->tag, tag, tagBytes);
    header->serial = g_serial++;
    header->prev = nullptr;
    header->next = g_head;
    if (g_head != nullptr) g_head->prev = header;
    g_head = header;
    ++g_count;
    g_bytes += size;
    std::memset(data, 0, user);
    return data;
}

int mem_FreeTracked(void* user) {
    if (user == nullptr) return 0;
    TrackedHeader* header = headerOf(user);
    // Only blocks of the list are released; anything else is a caller error and left alone.
    TrackedHeader* walk = g_head;
    while (walk != nullptr && walk != header)
        walk = walk->next;
    if (walk == nullptr) return -1;
    std::memset(user, 0xDD, header->size);
    if (header->prev != nullptr)
        header->prev->next = header->next;
    else
        g_head = header->next;
    if (header->next != nullptr) header->next->prev = header->prev;
    --g_count;
    g_bytes -= static_cast<long>(header->size);
    std::free(header);
    return 0;
}

long mem_TrackedCount() {
    return g_count;
}

long mem_TrackedBytes() {
    return g_bytes;
}
