#include "editor/page_history.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>

namespace {

using ByteRange = PageHistory::ByteRange;

constexpr size_t kPageBytes = sizeof(MissionPageData);
constexpr size_t kSelectionBegin = offsetof(MissionPageData, selection);
constexpr size_t kSelectionEnd = kSelectionBegin + sizeof(ItemSelection);

// Equal stretches are skipped this many bytes at a time.
constexpr size_t kBlock = 256;
// Within a changed stretch the page is compared in words; a run of this many equal words ends
// the range (shorter runs are kept inside it, which costs less than a new range).
constexpr size_t kWord = sizeof(uint64_t);
constexpr size_t kGapWords = 4;

uint64_t loadWord(const uint8_t* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, kWord);
    return word;
}

// True when the bytes [at, at + length) of `a` and `b` are equal; `length` ≤ kWord.
bool sameWord(const uint8_t* a, const uint8_t* b, size_t at, size_t length) {
    if (length == kWord) return loadWord(a + at) == loadWord(b + at);
    return std::memcmp(a + at, b + at, length) == 0;
}

// Appends to `ranges` every stretch of [from, to) in which `base` and `page` differ.
void findChanges(const uint8_t* base, const uint8_t* page, size_t from, size_t to,
                 std::vector<ByteRange>& ranges) {
    size_t at = from;
    while (at < to) {
        // Whole equal blocks first.
        while (at + kBlock <= to && std::memcmp(base + at, page + at, kBlock) == 0)
            at += kBlock;
        if (at >= to) break;
        const size_t blockEnd = std::min(at + kBlock, to);
        while (at < blockEnd && sameWord(base, page, at, std::min(kWord, to - at)))
            at += std::min(kWord, to - at);
        if (at >= blockEnd) continue;
        // A changed word: the range runs until kGapWords equal words in a row.
        const size_t start = at;
        size_t end = at;
        size_t equalWords = 0;
        while (at < to && equalWords < kGapWords) {
            const size_t length = std::min(kWord, to - at);
            if (sameWord(base, page, at, length)) {
                ++equalWords;
            } else {
                equalWords = 0;
                end = at + length;
            }
            at += length;
        }
        ranges.push_back(ByteRange{uint32_t(start), uint32_t(end - start), 0});
    }
}

// The byte intervals of the page record that hold derived values (waypoint list members, group
// member counts, the event indices of the export, the area trigger numbers and extents), sorted.
struct ByteInterval {
    size_t begin;
    size_t end;
};

std::vector<ByteInterval> derivedIntervals() {
    std::vector<ByteInterval> intervals;
    const auto add = [&intervals](size_t begin, size_t size) { intervals.push_back({begin, begin + size}); };
    for (int i = 0; i < kMaxWaypointLists; ++i) {
        const size_t list = offsetof(MissionPageData, waypoints) + i * sizeof(WaypointList);
        add(list + offsetof(WaypointList, member_count),
            sizeof(WaypointList) - offsetof(WaypointList, member_count));
    }
    for (int i = 0; i < kMaxGroups; ++i)
        add(offsetof(MissionPageData, groups) + i * sizeof(ItemGroup) + offsetof(ItemGroup, member_count),
            sizeof(int32_t));
    for (int i = 0; i < kMaxEvents; ++i)
        add(offsetof(MissionPageData, events) + i * sizeof(MissionEvent) +
                offsetof(MissionEvent, first_trigger),
            2 * sizeof(int32_t));
    for (int i = 0; i < kMaxAreaTriggers; ++i)
        add(offsetof(MissionPageData, area_triggers) + i * sizeof(AreaTrigger) +
                offsetof(AreaTrigger, area_number),
            offsetof(AreaTrigger, reserved) - offsetof(AreaTrigger, area_number));
    std::sort(intervals.begin(), intervals.end(),
              [](const ByteInterval& a, const ByteInterval& b) { return a.begin < b.begin; });
    return intervals;
}

bool isDerivedByte(const std::vector<ByteInterval>& intervals, size_t at) {
    auto after =
        std::upper_bound(intervals.begin(), intervals.end(), at,
                         [](size_t value, const ByteInterval& interval) { return value < interval.begin; });
    return after != intervals.begin() && at < std::prev(after)->end;
}

// True when every byte that differs within `ranges` is a derived value.
bool onlyDerivedChanged(const uint8_t* base, const uint8_t* page, const std::vector<ByteRange>& ranges) {
    static const std::vector<ByteInterval> intervals = derivedIntervals();
    for (const ByteRange& range : ranges)
        for (size_t at = range.offset; at < size_t(range.offset) + range.length; ++at)
            if (base[at] != page[at] && !isDerivedByte(intervals, at)) return false;
    return true;
}

std::vector<WindZone> zonesOf(const MissionPage& page) {
    std::vector<WindZone> zones;
    for (const WindZone* zone = page.wind_zones.head(); zone != nullptr; zone = zone->next) {
        zones.push_back(*zone);
        zones.back().next = nullptr;
    }
    return zones;
}

bool sameZones(const std::vector<WindZone>& a, const std::vector<WindZone>& b) {
    if (a.size() != b.size()) return false;
    return a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(WindZone)) == 0;
}

void setZones(MissionPage& page, const std::vector<WindZone>& zones) {
    page.wind_zones.clear();
    WindZone* last = nullptr;
    for (const WindZone& zone : zones) {
        WindZone* node = page.wind_zones.appendAfter(last);
        if (node == nullptr) return;
        *node = zone;
        node->next = nullptr;
        last = node;
    }
}

std::vector<int32_t> selectionOf(const ItemSelection& selection) {
    const int count = std::clamp(selection.count, 0, kMaxSelection);
    return std::vector<int32_t>(selection.slots, selection.slots + count);
}

void setSelection(ItemSelection& selection, const std::vector<int32_t>& slots) {
    selection.count = int32_t(slots.size());
    std::copy(slots.begin(), slots.end(), selection.slots);
}

const uint8_t* bytesOf(const MissionPageData& page) {
    return reinterpret_cast<const uint8_t*>(&page);
}

uint8_t* bytesOf(MissionPageData& page) {
    return reinterpret_cast<uint8_t*>(&page);
}

} // namespace

size_t PageHistory::Step::bytes() const {
    return sizeof(Step) + name.capacity() + ranges.capacity() * sizeof(ByteRange) + before.capacity() +
           after.capacity() + (zones_before.capacity() + zones_after.capacity()) * sizeof(WindZone) +
           (selection_before.capacity() + selection_after.capacity()) * sizeof(int32_t);
}

PageHistory::PageHistory(size_t byteLimit) : limit_(byteLimit), base_(std::make_unique<MissionPageData>()) {
    std::memset(static_cast<void*>(base_.get()), 0, sizeof(MissionPageData));
}

PageHistory::~PageHistory() = default;

void PageHistory::reset(const MissionPage& page) {
    steps_.clear();
    done_ = 0;
    bytes_ = 0;
    std::memcpy(static_cast<void*>(base_.get()), static_cast<const MissionPageData*>(&page), kPageBytes);
    baseZones_ = zonesOf(page);
    state_ = saved_ = baseState_ = nextState_++;
}

void PageHistory::absorb(const MissionPage& page) {
    const uint8_t* now = bytesOf(page);
    uint8_t* base = bytesOf(*base_);
    std::vector<ByteRange> ranges;
    findChanges(base, now, 0, kSelectionBegin, ranges);
    findChanges(base, now, kSelectionEnd, kPageBytes, ranges);
    for (const ByteRange& range : ranges)
        std::memcpy(base + range.offset, now + range.offset, range.length);
    base_->selection = page.selection;
    std::vector<WindZone> zones = zonesOf(page);
    if (!sameZones(zones, baseZones_)) baseZones_ = std::move(zones);
}

bool PageHistory::record(const MissionPage& page, std::string name) {
    const uint8_t* now = bytesOf(page);
    uint8_t* base = bytesOf(*base_);
    Step step;
    findChanges(base, now, 0, kSelectionBegin, step.ranges);
    findChanges(base, now, kSelectionEnd, kPageBytes, step.ranges);
    std::vector<WindZone> zones = zonesOf(page);
    step.zones_changed = !sameZones(zones, baseZones_);
    if (!step.zones_changed && onlyDerivedChanged(base, now, step.ranges)) {
        for (const ByteRange& range : step.ranges)
            std::memcpy(base + range.offset, now + range.offset, range.length);
        base_->selection = page.selection;
        return false;
    }

    size_t total = 0;
    for (const ByteRange& range : step.ranges)
        total += range.length;
    step.before.resize(total);
    step.after.resize(total);
    size_t data = 0;
    for (ByteRange& range : step.ranges) {
        range.data = uint32_t(data);
        std::memcpy(step.before.data() + data, base + range.offset, range.length);
        std::memcpy(step.after.data() + data, now + range.offset, range.length);
        std::memcpy(base + range.offset, now + range.offset, range.length);
        data += range.length;
    }
    step.ranges.shrink_to_fit();
    if (step.zones_changed) {
        step.zones_before = std::move(baseZones_);
        step.zones_after = zones;
        baseZones_ = std::move(zones);
    }
    step.selection_before = selectionOf(base_->selection);
    step.selection_after = selectionOf(page.selection);
    base_->selection = page.selection;
    step.name = std::move(name);
    step.state = nextState_++;

    while (steps_.size() > done_) {
        bytes_ -= steps_.back().bytes();
        steps_.pop_back();
    }
    bytes_ += step.bytes();
    state_ = step.state;
    steps_.push_back(std::move(step));
    done_ = steps_.size();
    while (bytes_ > limit_ && steps_.size() > 1)
        dropOldest();
    return true;
}

void PageHistory::dropOldest() {
    bytes_ -= steps_.front().bytes();
    baseState_ = steps_.front().state;
    steps_.erase(steps_.begin());
    --done_;
}

std::string PageHistory::undoName() const {
    return canUndo() ? steps_[done_ - 1].name : std::string();
}

std::string PageHistory::redoName() const {
    return canRedo() ? steps_[done_].name : std::string();
}

void PageHistory::applyStep(MissionPage& page, const Step& step, bool forward) {
    const std::vector<uint8_t>& bytes = forward ? step.after : step.before;
    uint8_t* now = bytesOf(page);
    uint8_t* base = bytesOf(*base_);
    for (const ByteRange& range : step.ranges) {
        std::memcpy(now + range.offset, bytes.data() + range.data, range.length);
        std::memcpy(base + range.offset, bytes.data() + range.data, range.length);
    }
    if (step.zones_changed) {
        baseZones_ = forward ? step.zones_after : step.zones_before;
        setZones(page, baseZones_);
    }
    setSelection(page.selection, forward ? step.selection_after : step.selection_before);
    base_->selection = page.selection;
}

bool PageHistory::undo(MissionPage& page) {
    if (!canUndo()) return false;
    const Step& step = steps_[done_ - 1];
    applyStep(page, step, false);
    --done_;
    state_ = done_ > 0 ? steps_[done_ - 1].state : baseState_;
    return true;
}

bool PageHistory::redo(MissionPage& page) {
    if (!canRedo()) return false;
    const Step& step = steps_[done_];
    applyStep(page, step, true);
    state_ = step.state;
    ++done_;
    return true;
}

int32_t PageHistory::baseItemCount() const {
    return base_->num_items;
}
