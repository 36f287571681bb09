#include "foundation/debug_output.h"
#include "foundation/mem_arena.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {
// A small arena of its own, so that every placement can be predicted from the base.
class ArenaTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(mem_InitArena(arena, kSize), 0); }
    void TearDown() override { mem_ReleaseArena(arena); }

    uint8_t* at(size_t offset) const { return arena.base + offset; }
    void* alloc(size_t size, uint32_t alignment = 4, const char* tag = nullptr) {
        return mem_ArenaAlloc(arena, size, alignment, tag);
    }
    std::vector<uint8_t*> walk() const {
        std::vector<uint8_t*> headers;
        for (MemBlock* b = arena.head; b != nullptr; b = mem_NextBlock(arena, b))
            headers.push_back(reinterpret_cast<uint8_t*>(b));
        return headers;
    }

    static constexpr uint32_t kSize = 4096;
    MemArena arena;
};

std::vector<std::string> g_debugLines;
void captureDebug(const char* line) {
    g_debugLines.emplace_back(line);
}
} // namespace

TEST_F(ArenaTest, BaseBlockOpensTheArena) {
    MemBlock* base = arena.head;
    ASSERT_EQ(reinterpret_cast<uint8_t*>(base), arena.base);
    EXPECT_EQ(base->size, 0u);
    EXPECT_EQ(base->id, kMemFirstSerial);
    EXPECT_STREQ(mem_BlockTag(arena, base), "MemMgr Base");
    EXPECT_EQ(mem_NextBlock(arena, base), nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(arena.base) % 64, 0u);
}

TEST_F(ArenaTest, FirstBlockFollowsTheBaseHeader) {
    void* p = alloc(100, 4, "FIRST");
    ASSERT_EQ(p, at(32));
    const MemBlock* block = mem_BlockOf(p);
    EXPECT_EQ(block->size, 100u);
    EXPECT_EQ(block->id, kMemFirstSerial + 1);
    EXPECT_STREQ(mem_BlockTag(arena, block), "FIRST");
    EXPECT_EQ(mem_NextBlock(arena, arena.head), block);
}

TEST_F(ArenaTest, UserPointersHonourAlignmentOnAbsoluteAddresses) {
    void* a = alloc(3, 4);  // data 32..34
    void* b = alloc(1, 32); // header must start at or after 35: user 64
    void* c = alloc(1, 16); // after 65: header 80, user 96
    EXPECT_EQ(a, at(32));
    EXPECT_EQ(b, at(64));
    EXPECT_EQ(c, at(96));
    void* wide = alloc(8, 256);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(wide) % 256, 0u);
}

TEST_F(ArenaTest, FreedGapIsReusedInAddressOrder) {
    void* x = alloc(100);
    void* y = alloc(200);
    void* z = alloc(100);
    ASSERT_EQ(mem_ArenaFree(arena, y), 0);
    void* w = alloc(150);
    EXPECT_EQ(w, y); // in Y's old gap, before Z
    std::vector<uint8_t*> order = walk();
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[1] + 16, x);
    EXPECT_EQ(order[2] + 16, w);
    EXPECT_EQ(order[3] + 16, z);
}

TEST_F(ArenaTest, TooLargeForTheGapGoesAfterTheLastBlock) {
    void* x = alloc(100);
    void* y = alloc(100);
    void* z = alloc(100);
    ASSERT_EQ(mem_ArenaFree(arena, y), 0);
    void* big = alloc(200);
    EXPECT_GT(big, z);
    EXPECT_EQ(static_cast<uint8_t*>(big), static_cast<uint8_t*>(z) + 100 + 16);
    EXPECT_NE(big, x);
}

TEST_F(ArenaTest, BlockMayEndExactlyAtTheNextHeader) {
    void* x = alloc(100); // user 32, data to 132
    void* y = alloc(100); // header 132, user 148
    void* z = alloc(100); // header 248
    (void)x;
    (void)z;
    ASSERT_EQ(mem_ArenaFree(arena, y), 0);
    // The gap from 132 to 248 holds a header and 100 data bytes exactly; 101 does not fit.
    void* tooBig = alloc(101);
    EXPECT_NE(tooBig, at(148));
    ASSERT_EQ(mem_ArenaFree(arena, tooBig), 0);
    EXPECT_EQ(alloc(100), at(148));
}

TEST_F(ArenaTest, BlockMayEndExactlyAtTheArenaEnd) {
    void* first = alloc(100);
    ASSERT_NE(first, nullptr);
    size_t room = kSize - (132 + 16); // data may run to the very last byte
    EXPECT_EQ(alloc(room + 1), nullptr);
    void* last = alloc(room);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(static_cast<uint8_t*>(last) + room, arena.base + kSize);
    EXPECT_EQ(alloc(0), nullptr); // not even a header fits any more
}

TEST_F(ArenaTest, AlignmentPastTheLastBlockIsCheckedAgainstTheEnd) {
    // Data of the first block runs to 4000; the next user pointer aligned to 64 would be 4032.
    ASSERT_NE(alloc(4000 - 32), nullptr);
    EXPECT_EQ(alloc(kSize - 4032 + 1, 64), nullptr);
    EXPECT_EQ(alloc(kSize - 4032, 64), at(4032));
}

TEST_F(ArenaTest, FreeRefusesUnknownPointers) {
    void* p = alloc(10);
    int local = 0;
    EXPECT_EQ(mem_ArenaFree(arena, nullptr), -1);
    EXPECT_EQ(mem_ArenaFree(arena, &local), -1);
    EXPECT_EQ(mem_ArenaFree(arena, static_cast<uint8_t*>(p) + 4), -1);
    EXPECT_EQ(mem_ArenaFree(arena, at(16)), -1); // the base block's user pointer
    EXPECT_EQ(mem_ArenaFree(arena, p), 0);
    EXPECT_EQ(mem_ArenaFree(arena, p), -1); // twice
}

TEST_F(ArenaTest, ZeroByteRequestsGetTheirOwnHeaders) {
    void* a = alloc(0);
    void* b = alloc(0);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(static_cast<uint8_t*>(b), static_cast<uint8_t*>(a) + 16);
    EXPECT_EQ(mem_BlockOf(b)->id, mem_BlockOf(a)->id + 1);
    EXPECT_EQ(mem_ArenaFree(arena, a), 0);
}

TEST_F(ArenaTest, SerialsKeepCountingAfterFrees) {
    void* a = alloc(8);
    mem_ArenaFree(arena, a);
    void* b = alloc(8);
    EXPECT_EQ(a, b);
    EXPECT_EQ(mem_BlockOf(b)->id, kMemFirstSerial + 2);
}

TEST_F(ArenaTest, FreeHooksRunForTheFreedPointerOnly) {
    static std::vector<void*> notified;
    notified.clear();
    std::vector<MemFreeHook> hooks(kMemFreeHookCount, MemFreeHook{nullptr, nullptr});
    void* a = alloc(8);
    void* b = alloc(8);
    auto note = [](void* user) { notified.push_back(user); };
    hooks[3] = {a, note};
    hooks[7] = {b, note};
    hooks[9] = {a, note};
    arena.freeHooks = hooks.data();
    ASSERT_EQ(mem_ArenaFree(arena, a), 0);
    EXPECT_EQ(notified, (std::vector<void*>{a, a}));
    arena.freeHooks = nullptr;
}

TEST_F(ArenaTest, ManyDistinctTagsStayReadable) {
    std::vector<std::string> names;
    for (int i = 0; i < 3000; ++i)
        names.push_back("tag" + std::to_string(i));
    std::vector<void*> blocks;
    for (int i = 0; i < 3000; ++i) {
        void* p = alloc(0, 4, names[i].c_str());
        ASSERT_NE(p, nullptr);
        if (i % 100 == 0)
            blocks.push_back(p);
        else
            mem_ArenaFree(arena, p);
    }
    for (size_t k = 0; k < blocks.size(); ++k)
        EXPECT_STREQ(mem_BlockTag(arena, mem_BlockOf(blocks[k])), names[k * 100].c_str());
    EXPECT_LT(arena.tags.size(), 3000u);
}

TEST(ArenaInit, RefusesRequestsInAnEmptyArena) {
    MemArena empty;
    EXPECT_EQ(mem_ArenaAlloc(empty, 1, 4, nullptr), nullptr);
    EXPECT_EQ(mem_ArenaFree(empty, &empty), -1);
}

TEST(ArenaInit, ConfiguredSizeZeroMeansFifteenMiB) {
    MemArena arena;
    ASSERT_EQ(mem_InitArena(arena, 0), 0);
    EXPECT_EQ(arena.size, kMemDefaultArenaSize);
    mem_ReleaseArena(arena);
}

TEST(ProcessArenas, AreReadyWithoutExplicitInitialisation) {
    void* p = mem_GetMemEx(64, 16, 0, "LAZY");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 16, 0u);
    EXPECT_EQ(mem_InitAll(), 0); // idempotent: the block above survives
    EXPECT_STREQ(mem_BlockTag(mem_MainArena(), mem_BlockOf(p)), "LAZY");
    EXPECT_EQ(mem_MainArena().size, kMemMainArenaSize);
    EXPECT_EQ(mem_FileArena().size, kMemDefaultArenaSize);
    EXPECT_EQ(mem_ArchiveArena().size, kMemDefaultArenaSize);
    EXPECT_EQ(mem_FreeMem(p), 0);
}

TEST(ProcessArenas, EachEntryPointUsesItsOwnArena) {
    void* file = mem_GetFileMem(10);
    void* archive = mem_GetArchiveMem(10, "PFF STRUCT");
    ASSERT_NE(file, nullptr);
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(mem_FreeMem(file), -1); // not a main-arena block
    EXPECT_EQ(mem_FreeArchiveMem(file), -1);
    EXPECT_STREQ(mem_BlockTag(mem_ArchiveArena(), mem_BlockOf(archive)), "PFF STRUCT");
    EXPECT_EQ(mem_FreeFileMem(file), 0);
    EXPECT_EQ(mem_FreeArchiveMem(archive), 0);
}

TEST(ProcessArenas, SetBlockIdAcceptsOnlyIdsBelowTheSerials) {
    void* p = mem_GetMem(4, 4, 0);
    uint32_t serial = mem_BlockOf(p)->id;
    ASSERT_GE(serial, kMemFirstSerial);
    mem_SetBlockId(p, 0xFFFFFFFF);
    EXPECT_EQ(mem_BlockOf(p)->id, serial);
    mem_SetBlockId(p, kMemFirstSerial);
    EXPECT_EQ(mem_BlockOf(p)->id, serial);
    mem_SetBlockId(p, kMemFirstSerial - 1);
    EXPECT_EQ(mem_BlockOf(p)->id, kMemFirstSerial - 1);
    mem_SetBlockId(nullptr, 5); // ignored
    mem_FreeMem(p);
}

TEST(ProcessArenas, FailureIsReportedOnTheDebugChannel) {
    g_debugLines.clear();
    debug_SetSink(captureDebug);
    EXPECT_EQ(mem_GetMemEx(kMemMainArenaSize, 4, 0, "HUGE"), nullptr);
    uint32_t saved = mem_DebugLevel;
    mem_DebugLevel = 10;
    void* p = mem_GetMemEx(12, 4, 0, "SMALL");
    mem_DebugLevel = saved;
    debug_SetSink(nullptr);
    mem_FreeMem(p);
    // At the default level only the failure is told; at level 10 every request.
    ASSERT_EQ(g_debugLines.size(), 2u);
    EXPECT_EQ(g_debugLines[0], "mem_GetMemEx(): Failed to allocate 20971520 bytes ('HUGE')");
    EXPECT_EQ(g_debugLines[1], "mem_GetMemEx(): 12 bytes ('SMALL')");
}

TEST(TrackedAlloc, ClearsCountsAndFillsOnFree) {
    long count = mem_TrackedCount();
    long bytes = mem_TrackedBytes();
    EXPECT_EQ(mem_AllocTracked("node", 0), nullptr);
    EXPECT_EQ(mem_AllocTracked("node", -5), nullptr);
    auto* a = static_cast<uint8_t*>(mem_AllocTracked("node", 40));
    auto* b = static_cast<uint8_t*>(mem_AllocTracked(nullptr, 8));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(std::count(a, a + 40, 0), 40);
    EXPECT_EQ(mem_TrackedCount(), count + 2);
    EXPECT_EQ(mem_TrackedBytes(), bytes + 48);
    EXPECT_EQ(mem_FreeTracked(a), 0);
    EXPECT_EQ(mem_FreeTracked(nullptr), 0);
    int local = 0;
    EXPECT_EQ(mem_FreeTracked(&local), -1);
    EXPECT_EQ(mem_TrackedCount(), count + 1);
    EXPECT_EQ(mem_TrackedBytes(), bytes + 8);
    EXPECT_EQ(mem_FreeTracked(b), 0);
    EXPECT_EQ(mem_TrackedCount(), count);
}
