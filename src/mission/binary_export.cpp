#include "mission/binary_export.h"

#include "foundation/atomic_file.h"
#include "gamedata/sunset_defs.h"
#include "mission/bms_layout.h"
#include "mission/page_ops.h"
#include "mission/write_failure.h"

#include <algorithm>
#include <cstring>

namespace {

void put32(uint8_t* p, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

// The low 16 bits.
void put16(uint8_t* p, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

// The low 8 bits.
void put8(uint8_t* p, int32_t value) {
    p[0] = static_cast<uint8_t>(static_cast<uint32_t>(value));
}

// A text of a field of `source_size` bytes into a file field of `width` bytes: at most width-1
// characters, so the field always ends in NUL and nothing reaches the next field. The rest of the
// field stays zero.
void putText(uint8_t* p, const char* text, size_t source_size, size_t width) {
    const size_t length = std::min(strnlen(text, source_size), width - 1);
    std::memcpy(p, text, length);
}

// Appends `size` zero bytes and returns where they start.
uint8_t* appendRecord(std::vector<uint8_t>& out, size_t size) {
    const size_t start = out.size();
    out.resize(start + size);
    return out.data() + start;
}

int clampCount(int32_t count, int capacity) {
    return std::clamp<int32_t>(count, 0, capacity);
}

// The sunset whose id equals the page's value, else the first of the table (zero when none).
SunsetDef selectedSunset(const MissionPage& page) {
    SunsetDef chosen{};
    const int count = sunset_Count();
    for (int i = 0; i < count; ++i) {
        const SunsetDef* sunset = sunset_Get(i);
        if (sunset != nullptr && static_cast<int32_t>(sunset->id) == page.general.sunset) return *sunset;
    }
    const SunsetDef* all = sunset_All();
    if (all != nullptr) chosen = all[0];
    return chosen;
}

void writeHeader(std::vector<uint8_t>& out, const MissionPage& page, const ExportCounts& counts, int events) {
    uint8_t* h = appendRecord(out, kBmsHeaderSize);
    const GeneralInfo& g = page.general;
    std::memcpy(h + kBmsHdrMagic, kBmsMagic, sizeof kBmsMagic);
    putText(h + kBmsHdrName, g.name, sizeof g.name, kBmsNameWidth);
    putText(h + kBmsHdrDesigner, g.designer, sizeof g.designer, kBmsNameWidth);
    putText(h + kBmsHdrTerrain, g.terrain, sizeof g.terrain, kBmsFileNameWidth);
    putText(h + kBmsHdrCnvFile, g.cnv_file, sizeof g.cnv_file, kBmsFileNameWidth);
    putText(h + kBmsHdrTtFile, g.tt_file, sizeof g.tt_file, kBmsFileNameWidth);
    put32(h + kBmsHdrTerrainColor, g.terrain_color);
    put32(h + kBmsHdrAttrib, g.attrib);
    put32(h + kBmsHdrVisibleIf, g.visible_if);
    put32(h + kBmsHdrNotVisibleIf, g.notvisible_if);
    put32(h + kBmsHdrArty, g.arty);
    put32(h + kBmsHdrWaterLevel, g.water_level);
    put32(h + kBmsHdrFogLevel, g.fog_level);
    put32(h + kBmsHdrFogColor, g.fog_color);
    for (int e = 0; e < kDefaultEquipmentSlots; ++e)
        put8(h + kBmsHdrEquipment + e, g.default_equipment[e]);
    put32(h + kBmsHdrGeneralCount, counts[ExportCategory::General]);
    put32(h + kBmsHdrDecorationCount, counts[ExportCategory::Decorations]);
    put32(h + kBmsHdrMarkerCount, counts[ExportCategory::Markers]);
    put32(h + kBmsHdrPeopleCount, counts[ExportCategory::People]);
    put32(h + kBmsHdrEventCount, events);
    put32(h + kBmsHdrWeather, g.weather_type);
    for (int s = 0; s < kSubgoalCount; ++s) {
        put8(h + kBmsHdrSubgoalsWin + s, page.subgoals_win[s]);
        put8(h + kBmsHdrSubgoalsLose + s, page.subgoals_lose[s]);
    }
    const SunsetDef sky = selectedSunset(page);
    putText(h + kBmsHdrClouds, sky.clouds, sizeof sky.clouds, kBmsFileNameWidth);
    putText(h + kBmsHdrSkygrad, sky.skygrad, sizeof sky.skygrad, kBmsFileNameWidth);
    put32(h + kBmsHdrSkyHeight, sky.skyheight);
    put32(h + kBmsHdrHorizon, sky.horizon);
    const uint8_t colour[5] = {sky.gamma, sky.sat, sky.r, sky.g, sky.b};
    std::memcpy(h + kBmsHdrSkyColour, colour, sizeof colour);
    put32(h + kBmsHdrWindSpeed, g.wind[0]);
    put32(h + kBmsHdrWindDirection, g.wind[1]);
    putText(h + kBmsHdrBriefing, page.briefing, sizeof page.briefing, kBmsBriefingWidth);
}

void writeItem(std::vector<uint8_t>& out, const MissionItem& item) {
    uint8_t* r = appendRecord(out, kBmsItemSize);
    put32(r + kBmsItemTypeId, item.type_id);
    put32(r + kBmsItemNameIndex, item.name_index);
    put32(r + kBmsItemId, item.id);
    put32(r + kBmsItemBmsiAttributes, item.bmsi_attributes);
    for (int axis = 0; axis < 3; ++axis)
        put32(r + kBmsItemPosition + 4 * axis,
              static_cast<int32_t>(static_cast<uint32_t>(item.position[axis]) << 8));
    put32(r + kBmsItemWpDistance, item.wpdistance);
    put32(r + kBmsItemAccuracy, item.waccuracy2);
    put32(r + kBmsItemPerception, item.perception2);
    put32(r + kBmsItemPerfectionist, item.perfectionist2);
    put32(r + kBmsItemEDistanceMin, item.edistances[0]);
    put32(r + kBmsItemEDistanceMax, item.edistances[1]);
    put16(r + kBmsItemHeading, item.facing[0] % 360);
    put16(r + kBmsItemPitch, item.facing[1]);
    put16(r + kBmsItemFov, item.fov);
    put16(r + kBmsItemMoveTimer, item.movetimer);
    put16(r + kBmsItemCrouchTimer, item.crouchtimer);
    put16(r + kBmsItemShootTimer, item.shoottimer);
    put16(r + kBmsItemAttention, item.attention);
    put8(r + kBmsItemAlertState, item.alert_state);
    put8(r + kBmsItemTeam, item.team);
    put8(r + kBmsItemNoMoreThan, item.nomorethan);
    put8(r + kBmsItemNoLessThan, item.nolessthan);
    put8(r + kBmsItemWeapon, item.weapon_type);
    put8(r + kBmsItemSecondWeapon, item.sweapon_type);
    put8(r + kBmsItemGroupId, item.group_id);
    put8(r + kBmsItemWaypointId, item.waypoint_id);
    put8(r + kBmsItemWpNumber, item.wpnumber);
    put8(r + kBmsItemObliqueness, item.obliqueness);
    put8(r + kBmsItemMapSymbol, item.map_symbol);
    put32(r + kBmsItemGroupRel, item.group_rel);
    put32(r + kBmsItemAdvanceTimer, item.advancetimer);
    put32(r + kBmsItemTtoolIndex, item.ttoolindex);
}

void writeItemSections(std::vector<uint8_t>& out, const MissionPage& page, const ExportCounts& counts) {
    const int n = clampCount(page.num_items, kMaxItems);
    constexpr ExportCategory kSections[kExportCategoryCount] = {
        ExportCategory::General, ExportCategory::Decorations, ExportCategory::Markers,
        ExportCategory::People};
    for (ExportCategory section : kSections) {
        int32_t written = 0;
        for (int i = 0; i < n && written < counts[section]; ++i) {
            if (export_CategoryOf(page.items[i].item_class) != section) continue;
            writeItem(out, page.items[i]);
            ++written;
        }
    }
}

// Marker ordinals: for each slot, the number of markers (class 4) in the slots before it.
std::vector<int32_t> markerOrdinals(const MissionPage& page) {
    const int n = clampCount(page.num_items, kMaxItems);
    std::vector<int32_t> ordinals(static_cast<size_t>(n));
    int32_t markers = 0;
    for (int i = 0; i < n; ++i) {
        ordinals[i] = markers;
        if (page.items[i].item_class == kClassMarker) ++markers;
    }
    return ordinals;
}

// A list's count says how many of its 32 ordinal slots are filled, so it is held to 32; slots
// past the count are zero.
void writeWaypointLists(std::vector<uint8_t>& out, const MissionPage& page) {
    const std::vector<int32_t> ordinals = markerOrdinals(page);
    for (int list = 0; list < kBmsWaypointRecords; ++list) {
        const WaypointList& w = page.waypoints[list];
        const int count = clampCount(w.member_count, std::min(kBmsWaypointSlots, kMaxWaypointMembers));
        uint8_t* r = appendRecord(out, kBmsWaypointSize);
        put32(r, w.attrib);
        put32(r + 4, count);
        for (int m = 0; m < count; ++m) {
            const int slot = w.members[m];
            const int32_t ordinal =
                slot >= 0 && slot < static_cast<int>(ordinals.size()) ? ordinals[slot] : 0;
            put32(r + 8 + 4 * m, ordinal);
        }
    }
}

void writeGroups(std::vector<uint8_t>& out, const MissionPage& page) {
    for (int group = 0; group < kBmsGroupRecords; ++group) {
        const ItemGroup& g = page.groups[group];
        uint8_t* r = appendRecord(out, kBmsGroupSize);
        put32(r, g.attrib & kBmsGroupFlagMask);
        put32(r + 8, g.commander);
        put32(r + 12, kBmsGroupConstant);
    }
}

void writeWavLists(std::vector<uint8_t>& out, const MissionPage& page) {
    for (int list = 0; list < kBmsWavRecords; ++list) {
        const WavList& w = page.wav_lists[list];
        uint8_t* r = appendRecord(out, kBmsWavSize);
        putText(r + 4, w.file_name, sizeof w.file_name, kBmsFileNameWidth);
    }
}

void writeValues(std::vector<uint8_t>& out, const int32_t (&values)[kEventValueCount]) {
    uint8_t* r = appendRecord(out, kBmsEventValuesSize);
    for (int v = 0; v < kEventValueCount; ++v)
        put32(r + 4 * v, values[v]);
}

void writeEvents(std::vector<uint8_t>& out, MissionPage& page, int events) {
    int32_t triggerTotal = 0;
    int32_t actionTotal = 0;
    for (int e = 0; e < events; ++e) {
        MissionEvent& event = page.events[e];
        event.first_trigger = triggerTotal;
        event.first_action = actionTotal;
        triggerTotal += clampCount(event.trigger_count, kMaxTriggers);
        actionTotal += clampCount(event.action_count, kMaxActions);
    }
    uint8_t* table = appendRecord(out, kBmsEventTableHeaderSize);
    put32(table, events);
    put32(table + 4, triggerTotal);
    put32(table + 8, actionTotal);
    for (int e = 0; e < events; ++e) {
        const MissionEvent& event = page.events[e];
        uint8_t* r = appendRecord(out, kBmsEventSize);
        put32(r + kBmsEventAttrib, event.attrib);
        put32(r + kBmsEventFirstTrigger, event.first_trigger);
        put32(r + kBmsEventFirstAction, event.first_action);
        // The 16-bit products, computed without signed overflow.
        put16(r + kBmsEventReset,
              static_cast<int32_t>(static_cast<uint32_t>(event.reset_value) * kBmsTicksPerSecond));
        put16(r + kBmsEventDelay,
              static_cast<int32_t>(static_cast<uint32_t>(event.delay_value) * kBmsTicksPerSecond));
        put8(r + kBmsEventTriggerCount, clampCount(event.trigger_count, kMaxTriggers));
        put8(r + kBmsEventActionCount, clampCount(event.action_count, kMaxActions));
    }
    for (int e = 0; e < events; ++e) {
        const MissionEvent& event = page.events[e];
        for (int t = 0; t < clampCount(event.trigger_count, kMaxTriggers); ++t)
            writeValues(out, event.triggers[t].value);
    }
    for (int e = 0; e < events; ++e) {
        const MissionEvent& event = page.events[e];
        for (int a = 0; a < clampCount(event.action_count, kMaxActions); ++a)
            writeValues(out, event.actions[a].value);
    }
}

} // namespace

std::vector<uint8_t> export_BuildBytes(MissionPage& page, const ExportCounts& limits) {
    const int events = clampCount(page.num_events, kMaxEvents);
    // The header says how many records follow, so no count may exceed the items there are.
    const ExportCounts present = export_CountItems(page);
    ExportCounts counts;
    size_t items = 0;
    for (int c = 0; c < kExportCategoryCount; ++c) {
        counts.count[c] = std::clamp<int32_t>(limits.count[c], 0, present.count[c]);
        items += static_cast<size_t>(counts.count[c]);
    }
    std::vector<uint8_t> out;
    out.reserve(kBmsHeaderSize + items * kBmsItemSize + kBmsWaypointRecords * kBmsWaypointSize +
                kBmsGroupRecords * kBmsGroupSize + kBmsWavRecords * kBmsWavSize + kBmsEventTableHeaderSize +
                static_cast<size_t>(events) *
                    (kBmsEventSize + (kMaxTriggers + kMaxActions) * kBmsEventValuesSize));

    writeHeader(out, page, counts, events);
    writeItemSections(out, page, counts);
    page_RebuildWaypointLists(page);
    writeWaypointLists(out, page);
    page_CountGroupMembers(page);
    writeGroups(out, page);
    writeWavLists(out, page);
    writeEvents(out, page, events);
    return out;
}

int export_BinaryMission(MissionPage& page, const char* path) {
    export_SortItems(page);
    const ExportCounts counts = page_CheckExportLimits(page);
    const std::vector<uint8_t> bytes = export_BuildBytes(page, counts);
    FileFailure failure;
    if (!file_WriteWhole(path, bytes.data(), bytes.size(), &failure)) {
        write_ReportFailure(path, failure);
        return 0;
    }
    return 1;
}
