#include "editor/info_text.h"

#include "foundation/safe_format.h"
#include "gamedata/item_defs.h"
#include "gamedata/string_table.h"
#include "mission/item_lookup.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace {

// A description field as text, bounded by the field even when it lacks its terminator.
template <size_t N> std::string fieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

std::string formatted(const char* key, const char* kinds, const char* fallback,
                      std::initializer_list<FmtArg> args) {
    return text_FormatChecked(TextLookup(kItemInfoSection, key), kinds, fallback, args);
}

// Builds the lines top to bottom: each line is placed `down` pixels below the previous one.
class LineWriter {
  public:
    explicit LineWriter(std::vector<InfoLine>& lines) : lines_(lines) {}
    void add(std::string text, int down, int x) {
        y_ += down;
        lines_.push_back({std::move(text), x, y_});
    }

  private:
    std::vector<InfoLine>& lines_;
    int y_ = 0;
};

// The item's definition name; an item whose type has no definition is named as unknown, with its
// type id, rather than by the first definition.
std::string definitionName(const MissionItem& item) {
    const ItemDef* def = itemdef_Get(item_FindDefIndex(item.type_id));
    if (def != nullptr) return fieldText(def->name);
    return formatted("UNKNOWN_ITEM_NAME", "d", "Unknown type %i", {item.type_id});
}

std::string layerText(const MissionPage& page, int32_t layer) {
    const int number = layer + 1;
    if (layer >= 0 && layer < kMaxLayers) {
        const std::string name = fieldText(page.layers[layer].description);
        if (!name.empty()) return fmt_Format("%i - %s", {number, name});
    }
    return formatted("LAYER_NUM", "d", "Layer %i", {number});
}

std::string groupText(const MissionPage& page, int32_t group) {
    if (group >= 0 && group < kMaxGroups) {
        const std::string name = fieldText(page.groups[group].description);
        if (!name.empty()) return fmt_Format("%i - %s", {group, name});
    }
    // An unnamed group shows its number through the layer-number text, as the window always has.
    if (group != 0) return formatted("LAYER_NUM", "d", "No. %i", {group});
    return TextLookup(kItemInfoSection, "GROUP_NONE");
}

} // namespace

std::vector<InfoLine> info_ItemLines(const MissionPage& page, int charWidth, int lineHeight) {
    std::vector<InfoLine> lines;
    const int count = page.selection.count;
    if (count <= 0) {
        lines.push_back({TextLookup(kItemInfoSection, "NO_ITEMS"), 0, 0});
        return lines;
    }
    const int lh = lineHeight;
    const int cw = charWidth;
    LineWriter out(lines);
    out.add(formatted("SELECTED_NUM", "d", "%i selected", {count}), 0, 0);

    const int last = count <= kMaxSelection ? page.selection.slots[count - 1] : -1;
    if (last < 0 || last >= page.num_items || last >= kMaxItems) return lines;
    const MissionItem& item = page.items[last];

    out.add(formatted("ITEM_NUM", "d", "Item %i", {last}), lh + lh / 2, 0);
    out.add(formatted("ITEM_NAME", "s", "%s", {definitionName(item)}), lh, cw);
    out.add(formatted("SSN#", "d", "SSN %i", {item.id}), lh, cw);
    out.add(formatted("ITEM_TYPE", "d", "Type %i", {item.item_class}), lh, cw);
    out.add(formatted("HEADING", "d", "Heading %i", {item.facing[0]}), lh, cw);
    out.add(formatted("ITEM_WAYPOINT", "dd", "Waypoint %i %i", {item.waypoint_id, item.wpnumber}), lh, cw);
    // Arithmetic shifts: whole metres rounded toward minus infinity (-1 unit is -1 m).
    out.add(formatted("ITEM_X_POS", "d", "X %i", {item.position[0] >> 8}), lh, cw);
    out.add(formatted("ITEM_Y_POS", "d", "Y %i", {item.position[1] >> 8}), lh, cw);
    out.add(formatted("ITEM_Z_POS", "d", "Z %i", {item.position[2] >> 8}), lh, cw);
    out.add(TextLookup(kItemInfoSection, "LAYER"), lh + lh / 2, 0);
    out.add(layerText(page, item.layer), lh, cw);
    out.add(TextLookup(kItemInfoSection, "GROUP_COLON"), lh + lh / 2, 0);
    out.add(groupText(page, item.group_id), lh, cw);
    return lines;
}

std::string info_CenterText(const ViewState& view) {
    return text_FormatChecked(TextLookup(kCenterInfoSection, "QZ_CENTER_POS"), "ff", "X %.2f Y %.2f",
                              {view.center_x / 256.0, view.center_y / 256.0});
}

std::string info_WidestCenterText() {
    std::string widest;
    for (const int32_t end : {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
        ViewState view{};
        view.center_x = end;
        view.center_y = end;
        std::string text = info_CenterText(view);
        if (text.size() > widest.size()) widest = std::move(text);
    }
    return widest;
}
