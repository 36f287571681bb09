#include "editor/find_items.h"

#include "foundation/safe_format.h"
#include "gamedata/item_defs.h"
#include "mission/item_lookup.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unordered_map>

namespace {
constexpr const char* kFindSection = "Find Items";
constexpr const char* kItemTypeSection = "Item Type";
constexpr const char* kTeamSection = "Teams";

void foldInPlace(std::string& text) {
    for (char& ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        // A-Z, and the Latin-1 capitals from 0xC0 to 0xDE except the multiplication sign 0xD7.
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) ch = static_cast<char>(c + 0x20);
    }
}

std::string classText(int32_t item_class) {
    switch (item_class) {
    case kClassVehicle:
        return TextLookup(kItemTypeSection, "TYPE_VECHILE");
    case kClassDecoration:
        return TextLookup(kItemTypeSection, "TYPE_DECORATION");
    case kClassPerson:
        return TextLookup(kItemTypeSection, "TYPE_PERSON");
    case kClassMarker:
        return TextLookup(kItemTypeSection, "TYPE_MARKER");
    case kClassBuilding:
        return TextLookup(kItemTypeSection, "TYPE_BUILDING");
    case kClassObject:
        return TextLookup(kItemTypeSection, "TYPE_OBJECT");
    case kClassEffect:
        return TextLookup(kItemTypeSection, "TYPE_EFFECT");
    default:
        return std::to_string(item_class);
    }
}

std::string teamText(int32_t team) {
    switch (team) {
    case 0:
        return TextLookup(kTeamSection, "NEUTRALTEAM");
    case 1:
        return TextLookup(kTeamSection, "GOODTEAM");
    case 2:
        return TextLookup(kTeamSection, "EVILTEAM");
    case 3:
        return TextLookup(kTeamSection, "YELLOWTEAM");
    case 4:
        return TextLookup(kTeamSection, "VIOLETTEAM");
    default:
        return std::to_string(team);
    }
}

// "3 - Red patrol", or "3" for a record without a description.
std::string numbered(int number, const char* description, size_t size) {
    const size_t length = strnlen(description, size);
    if (length == 0) return std::to_string(number);
    return fmt_Format("%i - %s", {number, std::string(description, length)});
}

std::string metres(const int32_t (&position)[3]) {
    char text[96];
    std::snprintf(text, sizeof text, "%.1f, %.1f, %.1f", position[0] / 256.0, position[1] / 256.0,
                  position[2] / 256.0);
    return text;
}

// A name of a numbered list of the name table ("STRNAME%0.3i" of "PeopleNames"), or empty.
std::string listedName(const StringTable* names, const char* section, const char* keyFormat, int32_t index) {
    if (names == nullptr || index < 0) return {};
    char key[32];
    std::snprintf(key, sizeof key, keyFormat, static_cast<int>(index));
    const char* text = strtab_FindText(names, section, key);
    return text != nullptr ? std::string(text) : std::string();
}

// A text per small number, made once per rebuild: class and team words, record labels, names.
class TextCache {
  public:
    template <typename Make> const std::string& get(int64_t key, Make make) {
        auto found = texts_.find(key);
        if (found != texts_.end()) return found->second;
        return texts_.emplace(key, make()).first->second;
    }

  private:
    std::unordered_map<int64_t, std::string> texts_;
};

// Builds rows. A page repeats the same few classes, teams, groups, layers, lists, names and
// definitions thousands of times, so each text is made once and then copied.
class RowMaker {
  public:
    RowMaker(const MissionPage& page, const StringTable* names) : page_(page), names_(names) {}

    FindItemRow make(int slot) {
        const MissionItem& item = page_.items[slot];
        FindItemRow row;
        row.slot = slot;
        auto& c = row.cells;
        auto& k = row.key;
        const bool waypointMarker = item.type_id == kWaypointMarkerType;
        c[kFindSlot] = std::to_string(slot);
        k[kFindSlot] = slot;
        c[kFindId] = std::to_string(item.id);
        k[kFindId] = item.id;
        c[kFindClass] = classes_.get(item.item_class, [&] { return classText(item.item_class); });
        k[kFindClass] = item.item_class;
        c[kFindDefinition] = definitions_.get(item.type_id, [&] { return definitionName(item.type_id); });
        if (item.item_class == kClassPerson)
            c[kFindName] = people_.get(item.name_index, [&] {
                return listedName(names_, kStrtabPeopleSection, kStrtabPeopleKey, item.name_index);
            });
        else if (waypointMarker)
            c[kFindName] = waypointNames_.get(item.ttoolindex, [&] {
                return listedName(names_, kStrtabWaypointSection, kStrtabWaypointKey, item.ttoolindex);
            });
        c[kFindTeam] = teams_.get(item.team, [&] { return teamText(item.team); });
        k[kFindTeam] = item.team;
        k[kFindGroup] = item.group_id;
        c[kFindGroup] = groups_.get(item.group_id, [&] { return groupText(item.group_id); });
        k[kFindLayer] = item.layer;
        c[kFindLayer] = layers_.get(item.layer, [&] { return layerText(item.layer); });
        k[kFindWaypoint] = int64_t{item.waypoint_id} * 65536 + (waypointMarker ? item.wpnumber : -1);
        c[kFindWaypoint] = lists_.get(item.waypoint_id, [&] { return listText(item.waypoint_id); });
        if (waypointMarker) c[kFindWaypoint] += " / " + std::to_string(item.wpnumber);
        c[kFindPosition] = metres(item.position);
        k[kFindPosition] = item.position[0];
        size_t length = 0;
        for (const std::string& cell : c)
            length += cell.size() + 1;
        row.folded.reserve(length);
        for (const std::string& cell : c) {
            row.folded += cell;
            row.folded += '\n';
        }
        foldInPlace(row.folded);
        return row;
    }

  private:
    std::string definitionName(int32_t type_id) const {
        const ItemDef* def = itemdef_Get(item_FindDefIndex(type_id));
        return def != nullptr ? std::string(def->name, strnlen(def->name, sizeof def->name))
                              : fmt_Format(TextLookup(kFindSection, "UNKNOWN_TYPE"), {int(type_id)});
    }
    std::string groupText(int32_t group) const {
        if (group >= 1 && group < kMaxGroups)
            return numbered(group, page_.groups[group].description, sizeof page_.groups[group].description);
        return group != 0 ? std::to_string(group) : std::string();
    }
    std::string layerText(int32_t layer) const {
        if (layer >= 0 && layer < kMaxLayers)
            return numbered(layer + 1, page_.layers[layer].description,
                            sizeof page_.layers[layer].description);
        return std::to_string(layer + int64_t{1});
    }
    std::string listText(int32_t list) const {
        if (list >= 1 && list < kMaxWaypointLists)
            return numbered(list, page_.waypoints[list].description,
                            sizeof page_.waypoints[list].description);
        return list != 0 ? std::to_string(list) : std::string();
    }

    const MissionPage& page_;
    const StringTable* names_;
    TextCache classes_, definitions_, people_, waypointNames_, teams_, groups_, layers_, lists_;
};

bool numericColumn(int column) {
    return column != kFindDefinition && column != kFindName;
}

} // namespace

std::string find_ColumnTitle(int column) {
    switch (column) {
    case kFindSlot:
        return TextLookup(kFindSection, "COLUMN_SLOT");
    case kFindId:
        return TextLookup(kFindSection, "COLUMN_ID");
    case kFindClass:
        return TextLookup(kFindSection, "COLUMN_CLASS");
    case kFindDefinition:
        return TextLookup(kFindSection, "COLUMN_DEFINITION");
    case kFindName:
        return TextLookup(kFindSection, "COLUMN_NAME");
    case kFindTeam:
        return TextLookup(kFindSection, "COLUMN_TEAM");
    case kFindGroup:
        return TextLookup(kFindSection, "COLUMN_GROUP");
    case kFindLayer:
        return TextLookup(kFindSection, "COLUMN_LAYER");
    case kFindWaypoint:
        return TextLookup(kFindSection, "COLUMN_WAYPOINT");
    case kFindPosition:
        return TextLookup(kFindSection, "COLUMN_POSITION");
    default:
        return {};
    }
}

std::string find_Fold(std::string_view text) {
    std::string out(text);
    foldInPlace(out);
    return out;
}

FindItemRow find_MakeRow(const MissionPage& page, int slot, const StringTable* names) {
    return RowMaker(page, names).make(slot);
}

std::vector<std::string> find_FilterWords(std::string_view filter) {
    std::vector<std::string> words;
    const std::string folded = find_Fold(filter);
    size_t start = 0;
    while (start < folded.size()) {
        const size_t end = folded.find_first_of(" \t\r\n", start);
        const size_t stop = end == std::string::npos ? folded.size() : end;
        if (stop > start) words.push_back(folded.substr(start, stop - start));
        start = stop + 1;
    }
    return words;
}

bool find_Matches(const FindItemRow& row, const std::vector<std::string>& words) {
    for (const std::string& word : words)
        if (row.folded.find(word) == std::string::npos) return false;
    return true;
}

void FindItemsTable::rebuild(const MissionPage& page, const StringTable* names) {
    const int n = std::clamp(page.num_items, 0, kMaxItems);
    RowMaker maker(page, names);
    rows_.clear();
    rows_.reserve(static_cast<size_t>(n));
    for (int slot = 0; slot < n; ++slot)
        rows_.push_back(maker.make(slot));
    order();
}

void FindItemsTable::setFilter(std::string_view filter) {
    filter_ = std::string(filter);
    words_ = find_FilterWords(filter);
    refilter();
}

void FindItemsTable::sortBy(int column, bool ascending) {
    sortColumn_ = std::clamp(column, 0, kFindColumnCount - 1);
    ascending_ = ascending;
    order();
}

void FindItemsTable::order() {
    sorted_.resize(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i)
        sorted_[i] = static_cast<int>(i);
    const int column = sortColumn_;
    if (column != kFindSlot) {
        auto less = [&](int a, int b) {
            const FindItemRow& ra = rows_[static_cast<size_t>(a)];
            const FindItemRow& rb = rows_[static_cast<size_t>(b)];
            if (numericColumn(column)) return ra.key[column] < rb.key[column];
            return find_Fold(ra.cells[column]) < find_Fold(rb.cells[column]);
        };
        // Stable: equal keys keep slot order.
        std::stable_sort(sorted_.begin(), sorted_.end(), less);
    }
    if (!ascending_) std::reverse(sorted_.begin(), sorted_.end());
    refilter();
}

void FindItemsTable::refilter() {
    visible_.clear();
    rowBySlot_.assign(rows_.size(), -1);
    for (int index : sorted_) {
        if (!find_Matches(rows_[static_cast<size_t>(index)], words_)) continue;
        rowBySlot_[static_cast<size_t>(index)] = static_cast<int>(visible_.size());
        visible_.push_back(index);
    }
}

int FindItemsTable::slotAt(int row) const {
    if (row < 0 || row >= rowCount()) return -1;
    return rows_[static_cast<size_t>(visible_[static_cast<size_t>(row)])].slot;
}

int FindItemsTable::rowOfSlot(int slot) const {
    if (slot < 0 || slot >= static_cast<int>(rowBySlot_.size())) return -1;
    return rowBySlot_[static_cast<size_t>(slot)];
}

const std::string& FindItemsTable::cell(int row, int column) const {
    static const std::string none;
    if (row < 0 || row >= rowCount() || column < 0 || column >= kFindColumnCount) return none;
    return rows_[static_cast<size_t>(visible_[static_cast<size_t>(row)])].cells[static_cast<size_t>(column)];
}

bool FindItemsTable::showsSameRows(const FindItemsTable& other) const {
    // rows_ holds one row per slot in slot order, so equal indices are equal slots.
    return rows_.size() == other.rows_.size() && visible_ == other.visible_;
}
