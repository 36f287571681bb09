#include "editor/list_dialog_rules.h"

#include "mission/page_ops.h"
#include "render/map_render.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <type_traits>

namespace {

constexpr const char* kColourKeys[kListColourCount] = {
    "ORANGE", "BLACK", "YELLOW", "RED",    "GREEN", "BLUE", "GRAY",    "LTGRAY", "PURPLE",
    "CYAN",   "BROWN", "AQUA",   "INDIGO", "TAN",   "TEAL", "DARKRED", "WHITE",
};

bool isEntry(ListDialogKind kind, int number) {
    return number >= 1 && number <= listdlg_EntryCount(kind);
}

// The description field and the colour of a record, writable when the page is.
template <typename Page> auto descriptionOf(Page& page, ListDialogKind kind, int number) {
    using Char = std::conditional_t<std::is_const_v<Page>, const char, char>;
    switch (kind) {
    case ListDialogKind::Waypoints:
        return std::span<Char>(page.waypoints[number].description);
    case ListDialogKind::AreaTriggers:
        return std::span<Char>(page.area_triggers[number].description);
    case ListDialogKind::Groups:
        break;
    }
    return std::span<Char>(page.groups[number].description);
}

template <typename Page> auto colourOf(Page& page, ListDialogKind kind, int number) {
    using Int = std::conditional_t<std::is_const_v<Page>, const int32_t, int32_t>;
    switch (kind) {
    case ListDialogKind::Waypoints:
        return static_cast<Int*>(&page.waypoints[number].color);
    case ListDialogKind::AreaTriggers:
        return static_cast<Int*>(&page.area_triggers[number].color);
    case ListDialogKind::Groups:
        break; // the group dialog has no colour list; a group's colour is kept
    }
    return static_cast<Int*>(nullptr);
}

// The whole description: up to the first NUL or the end of the field.
std::string wholeDescription(const MissionPage& page, ListDialogKind kind, int number) {
    const std::span<const char> field = descriptionOf(page, kind, number);
    return std::string(field.data(), strnlen(field.data(), field.size()));
}

int itemCount(const MissionPage& page) {
    return std::clamp(page.num_items, 0, kMaxItems);
}

} // namespace

int listdlg_EntryCount(ListDialogKind kind) {
    switch (kind) {
    case ListDialogKind::Waypoints:
        return kMaxWaypointLists - 1;
    case ListDialogKind::AreaTriggers:
        return kMaxAreaTriggers - 1;
    case ListDialogKind::Groups:
        return kMaxGroups - 1;
    }
    return 0;
}

bool listdlg_HasColour(ListDialogKind kind) {
    return kind != ListDialogKind::Groups;
}
bool listdlg_HasFlags(ListDialogKind kind) {
    return kind == ListDialogKind::Waypoints;
}
bool listdlg_HasSize(ListDialogKind kind) {
    return kind != ListDialogKind::AreaTriggers;
}

const char* listdlg_ColourKey(int position) {
    return position >= 0 && position < kListColourCount ? kColourKeys[position] : nullptr;
}

int listdlg_ColourPosition(int32_t color) {
    return color >= 0 && color < kListColourCount ? static_cast<int>(color) : -1;
}

ListEntryInput listdlg_Shown(const MissionPage& page, ListDialogKind kind, int number) {
    ListEntryInput shown;
    if (!isEntry(kind, number)) return shown;
    shown.description = wholeDescription(page, kind, number).substr(0, kListDescriptionMaxChars);
    if (const int32_t* colour = colourOf(page, kind, number))
        shown.color_position = listdlg_ColourPosition(*colour);
    if (listdlg_HasFlags(kind)) shown.flag_bits = page.waypoints[number].attrib & kWaypointDialogBits;
    return shown;
}

bool listdlg_Store(MissionPage& page, ListDialogKind kind, int number, const ListEntryInput& input) {
    if (!isEntry(kind, number)) return false;
    const ListEntryInput shown = listdlg_Shown(page, kind, number);
    bool changed = false;
    if (input.description != shown.description) {
        const std::span<char> field = descriptionOf(page, kind, number);
        const size_t keep = std::min(
            {input.description.size(), static_cast<size_t>(kListDescriptionMaxChars), field.size() - 1});
        std::memcpy(field.data(), input.description.data(), keep);
        std::memset(field.data() + keep, 0, field.size() - keep);
        changed = true;
    }
    int32_t* colour = colourOf(page, kind, number);
    if (colour != nullptr && input.color_position >= 0 && input.color_position < kListColourCount &&
        input.color_position != shown.color_position) {
        *colour = input.color_position;
        changed = true;
    }
    if (listdlg_HasFlags(kind)) {
        int32_t& attrib = page.waypoints[number].attrib;
        const int32_t stored = (attrib & ~kWaypointDialogBits) | (input.flag_bits & kWaypointDialogBits);
        changed = changed || stored != attrib;
        attrib = stored;
    }
    return changed;
}

std::string listdlg_LineDescription(const MissionPage& page, ListDialogKind kind, int number) {
    if (!isEntry(kind, number)) return {};
    const std::string whole = wholeDescription(page, kind, number);
    if (whole.size() <= static_cast<size_t>(kListDescriptionMaxChars)) return whole;
    return whole.substr(0, kListDescriptionMaxChars) + "...";
}

int32_t listdlg_MemberCount(const MissionPage& page, ListDialogKind kind, int number) {
    if (!isEntry(kind, number)) return 0;
    switch (kind) {
    case ListDialogKind::Waypoints:
        return page.waypoints[number].member_count;
    case ListDialogKind::Groups:
        return page.groups[number].member_count;
    case ListDialogKind::AreaTriggers:
        return 0;
    }
    return 0;
}

int listdlg_SelectItems(MissionPage& page, ListDialogKind kind, int number, uint32_t showFlags) {
    if (!isEntry(kind, number)) return 0;
    int added = 0;
    const auto add = [&](int slot) { added += sel_Add(page, slot); };
    const auto addVisible = [&](int slot) {
        if (ItemVisible(page, slot, showFlags)) add(slot);
    };
    switch (kind) {
    case ListDialogKind::Waypoints: {
        const WaypointList& list = page.waypoints[number];
        const int members = std::clamp(list.member_count, 0, kMaxWaypointMembers);
        for (int m = 0; m < members; ++m)
            add(list.members[m]);
        break;
    }
    case ListDialogKind::AreaTriggers:
        for (int i = 0; i < itemCount(page); ++i)
            if (page.items[i].type_id == kAreaTriggerMarkerType && page.items[i].wpnumber == number) add(i);
        break;
    case ListDialogKind::Groups:
        for (int i = 0; i < itemCount(page); ++i)
            if (page.items[i].group_id == number) addVisible(i);
        break;
    }
    return added;
}

ReportResult listdlg_WriteReport(const MissionPage& page, ListDialogKind kind, const char* path) {
    switch (kind) {
    case ListDialogKind::Waypoints:
        return report_WriteWaypointList(page, path);
    case ListDialogKind::AreaTriggers:
        return report_WriteAreaTriggerList(page, path);
    case ListDialogKind::Groups:
        return report_WriteGroupList(page, path);
    }
    return ReportResult::WriteFailed;
}
