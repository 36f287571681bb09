#include "mission/binary_export.h"

#include <algorithm>

// The export order is the result of an exchange sort: for o = 0 .. n-2, for j = o+1 .. n-1,
// exchange slots o and j when the key of o is greater. Pass o thus carries a "held" record from
// slot o along the later slots, putting it down wherever a smaller key lies and taking that
// record up instead; at its end slot o gets the held record. The sort is not stable, and
// records with equal keys must end in exactly its order, so it is carried out as described, on
// 32-bit words (key rank, slot) instead of whole records, and several passes at a time.

namespace {

constexpr int kSlotBits = 16;
constexpr uint32_t kSlotMask = (uint32_t{1} << kSlotBits) - 1;
constexpr uint32_t kRankMask = ~kSlotMask;
static_assert(kMaxItems <= (1 << kSlotBits), "slots and key ranks must fit 16 bits each");

// Passes run side by side: pass o+t meets slot s-t at step s, right after pass o+t-1 is done
// with that slot, so each pass sees exactly what it would after the passes before it; within a
// step the passes touch different slots and do not depend on each other.
constexpr int kPassesAtOnce = 16;

// One comparison of a pass: the held word and the word in `cell` change places when the cell's
// key rank is smaller than the held one (equal ranks stay).
// Written without a branch: the outcome is unpredictable, and this runs n^2/2 times.
inline void exchangeStep(uint32_t& held, uint32_t& cell) {
    const uint32_t word = cell;
    const uint32_t smaller = 0u - static_cast<uint32_t>(word < (held & kRankMask)); // all ones or 0
    const uint32_t change = (word ^ held) & smaller;
    cell = word ^ change;
    held ^= change;
}

// Passes o .. o+count-1 (each with at least one later slot) over the n words of `a`.
void runPasses(uint32_t* a, int n, int o, int count) {
    uint32_t held[kPassesAtOnce] = {};
    const int lastStep = n - 1 + count - 1;
    // The step of pass o+t's first slot is o+2t+1; from fullFirst on all passes are inside.
    const int fullFirst = o + 2 * (count - 1) + 1;
    auto edgeStep = [&](int step) {
        for (int t = 0; t < count; ++t) {
            // Slot o+t is final once pass o+t-1 has met it (at step o+2t-1).
            if (step == o + 2 * t) held[t] = a[o + t];
            const int slot = step - t;
            if (slot > o + t && slot < n) exchangeStep(held[t], a[slot]);
        }
    };
    const bool full = count == kPassesAtOnce;
    int step = o;
    for (; step <= lastStep && !(full && step >= fullFirst && step < n); ++step)
        edgeStep(step);
    if (full)
        for (; step < n; ++step)
            for (int t = 0; t < kPassesAtOnce; ++t)
                exchangeStep(held[t], a[step - t]);
    for (; step <= lastStep; ++step)
        edgeStep(step);
    for (int t = 0; t < count; ++t)
        a[o + t] = held[t];
}

// type_id in the high half, wpnumber with its sign bit flipped in the low half: comparing the
// keys as signed 64-bit numbers compares (type_id, wpnumber) as signed pairs.
int64_t sortKey(const MissionItem& item) {
    const uint32_t low = static_cast<uint32_t>(item.wpnumber) ^ 0x80000000u;
    return static_cast<int64_t>(item.type_id) * (int64_t{1} << 32) + static_cast<int64_t>(low);
}

} // namespace

std::vector<int> export_SortOrder(const MissionPage& page) {
    const int n = std::clamp(page.num_items, 0, kMaxItems);
    std::vector<int> order(static_cast<size_t>(n));
    std::vector<int64_t> keys(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        keys[i] = sortKey(page.items[i]);
        order[i] = i;
    }
    // Keys already in order: no pass exchanges anything (a page exported before).
    if (std::is_sorted(keys.begin(), keys.end())) return order;

    std::vector<int64_t> distinct(keys);
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    std::vector<uint32_t> words(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const auto rank = static_cast<uint32_t>(std::lower_bound(distinct.begin(), distinct.end(), keys[i]) -
                                                distinct.begin());
        words[i] = rank << kSlotBits | static_cast<uint32_t>(i);
    }
    for (int o = 0; o + 1 < n; o += kPassesAtOnce)
        runPasses(words.data(), n, o, std::min(kPassesAtOnce, n - 1 - o));
    for (int i = 0; i < n; ++i)
        order[i] = static_cast<int>(words[i] & kSlotMask);
    return order;
}

void export_SortItems(MissionPage& page) {
    const std::vector<int> order = export_SortOrder(page);
    const int n = static_cast<int>(order.size());
    // Apply the permutation cycle by cycle: each record is copied once (plus one per cycle).
    std::vector<char> placed(static_cast<size_t>(n), 0);
    for (int start = 0; start < n; ++start) {
        if (placed[start] || order[start] == start) continue;
        const MissionItem saved = page.items[start];
        int k = start;
        while (order[k] != start) {
            page.items[k] = page.items[order[k]];
            placed[k] = 1;
            k = order[k];
        }
        page.items[k] = saved;
        placed[k] = 1;
    }
    // The selection follows its items to their new slots.
    std::vector<int> newSlot(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        newSlot[order[k]] = k;
    const int selected = std::clamp(page.selection.count, 0, kMaxSelection);
    for (int i = 0; i < selected; ++i) {
        int32_t& slot = page.selection.slots[i];
        if (slot >= 0 && slot < n) slot = newSlot[slot];
    }
}
