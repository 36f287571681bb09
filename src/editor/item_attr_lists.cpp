#include "editor/item_attr_lists.h"

#include "foundation/safe_format.h"
#include "gamedata/def_words.h"
#include "gamedata/item_defs.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kNoneSection = "Med Resources";
constexpr const char* kNoneKey = "NONE";

struct FixedEntry {
    const char* section;
    const char* key;
};

// Value 0 to 8.
constexpr FixedEntry kMapSymbols[] = {
    {kNoneSection, kNoneKey},   {"Map Symbols", "CIRCLE"},  {"Map Symbols", "FILLEDCIRCLE"},
    {"Map Symbols", "DIAMOND"}, {"Map Symbols", "CROSS"},   {"Map Symbols", "PERSON"},
    {"Map Symbols", "BOX"},     {"Map Symbols", "CIRCLEX"}, {"Map Symbols", "TRIANGLE"},
};

// Value 0 to 4.
constexpr FixedEntry kTeams[] = {
    {"Teams", "NEUTRALTEAM"}, {"Teams", "GOODTEAM"},   {"Teams", "EVILTEAM"},
    {"Teams", "YELLOWTEAM"},  {"Teams", "VIOLETTEAM"},
};

// The NPC weapons by the number stored in weapon_type (0 to 10). The event catalogue's weapon
// choices number some of these names differently; the stored number is what counts here.
constexpr FixedEntry kWeapons[] = {
    {kNoneSection, kNoneKey}, {"Weapons", "M16"},           {"Weapons", "AK47"},
    {"Weapons", "AK74"},      {"Weapons", "DRAGUNOVA"},     {"Weapons", "INGRAM_M11"},
    {"Weapons", "UZZI"},      {"Weapons", "H&K_MP5_SD"},    {"Weapons", "RPG"},
    {"Weapons", "COLT_45"},   {"Weapons", "SUPPRESSED_22"},
};

// Section "Item Type" names of classes 1 to 6.
constexpr const char* kClassKeys[] = {"TYPE_VECHILE", "TYPE_DECORATION", "TYPE_PERSON",
                                      "TYPE_MARKER",  "TYPE_BUILDING",   "TYPE_OBJECT"};

constexpr int32_t kHiddenFromTools = kItemAttrNoTool | kItemAttrNoCTool;

template <size_t N> std::vector<std::string> fixedTexts(const FixedEntry (&entries)[N]) {
    std::vector<std::string> texts;
    texts.reserve(N);
    for (const FixedEntry& entry : entries)
        texts.emplace_back(TextLookup(entry.section, entry.key));
    return texts;
}

// A text field of the page, bounded by its field even when it lacks its terminator.
template <size_t N> std::string fieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

// "%2i - %s": the number right-aligned in two places. The description is appended as it stands
// (it may hold "%" signs) and cut to kItemAttrListTextMax characters.
std::string numberedLine(int number, std::string description) {
    if (description.size() > kItemAttrListTextMax) {
        description.resize(kItemAttrListTextMax);
        description += "...";
    }
    return fmt_Format("%2i - ", {number}) + description;
}

std::vector<std::string> layerLines(const MissionPage& page) {
    std::vector<std::string> lines;
    for (int layer = 0; layer < kMaxLayers; ++layer) {
        const std::string name = fieldText(page.layers[layer].description);
        const int number = layer + 1;
        if (name.empty())
            lines.push_back(
                text_FormatChecked(TextLookup("Dialog Message", "LAYERNAME"), "d", "Layer %i", {number}));
        else
            lines.push_back(numberedLine(number, name));
    }
    return lines;
}

template <typename Record, size_t N> std::vector<std::string> recordLines(const Record (&records)[N]) {
    std::vector<std::string> lines{TextLookup(kNoneSection, kNoneKey)};
    for (size_t number = 1; number < N; ++number)
        lines.push_back(numberedLine(static_cast<int>(number), fieldText(records[number].description)));
    return lines;
}

std::vector<std::string> numberedNames(const StringTable* table, const char* section, const char* keyFormat) {
    std::vector<std::string> names;
    if (table == nullptr) return names;
    for (const char* text : strtab_NumberedList(table, section, keyFormat))
        names.emplace_back(text);
    return names;
}

std::vector<ItemAttrDefinitionEntry> definitionEntries(int32_t shownClass, bool showAll) {
    std::vector<ItemAttrDefinitionEntry> entries;
    for (int index = 0; index < itemdef_Count(); ++index) {
        const ItemDef* def = itemdef_Get(index);
        if (def == nullptr) continue;
        if (!showAll && (def->type != shownClass || (def->attributes & kHiddenFromTools) != 0)) continue;
        entries.push_back({fieldText(def->name), index});
    }
    // Equal names keep the order of the definition table.
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return defword_Compare(a.name.c_str(), b.name.c_str()) < 0;
    });
    return entries;
}

} // namespace

ItemAttrLists itemattr_BuildLists(const MissionPage& page, int32_t shownClass,
                                  const ItemAttrSources& sources) {
    ItemAttrLists lists;
    lists.layers = layerLines(page);
    lists.definitions = definitionEntries(shownClass, sources.show_all);
    lists.map_symbols = fixedTexts(kMapSymbols);
    lists.groups = recordLines(page.groups);
    lists.teams = fixedTexts(kTeams);
    lists.names = numberedNames(sources.names, kStrtabPeopleSection, kStrtabPeopleKey);
    lists.weapons = fixedTexts(kWeapons);
    lists.waypoint_lists = recordLines(page.waypoints);
    lists.waypoint_names = numberedNames(sources.names, kStrtabWaypointSection, kStrtabWaypointKey);
    return lists;
}

int itemattr_DefinitionEntryOf(const ItemAttrLists& lists, int32_t typeId) {
    const ItemDef* def = itemdef_Get(itemdef_FindById(typeId));
    if (def == nullptr) return -1;
    const std::string name = fieldText(def->name);
    for (size_t entry = 0; entry < lists.definitions.size(); ++entry)
        if (defword_Equal(lists.definitions[entry].name.c_str(), name.c_str()))
            return static_cast<int>(entry);
    return -1;
}

std::string itemattr_SerialText(int32_t id) {
    return text_FormatChecked(TextLookup("Items", "SSN"), "d", "SSN %i", {id});
}

std::string itemattr_ClassText(int32_t itemClass) {
    if (itemClass < 1 || itemClass > static_cast<int32_t>(std::size(kClassKeys))) return {};
    return TextLookup("Item Type", kClassKeys[itemClass - 1]);
}
