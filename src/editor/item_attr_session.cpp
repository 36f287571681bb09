#include "editor/item_attr_session.h"

#include "editor/number_text.h"
#include "foundation/safe_format.h"
#include "gamedata/item_defs.h"

#include <cmath>
#include <limits>

namespace {

// The NPC weapons whose choice sets the engagement distances, by stored weapon number.
struct WeaponDistances {
    int weapon;
    int32_t minimum;
    int32_t maximum;
};
constexpr WeaponDistances kWeaponDistances[] = {
    {1, 100, 500}, // M16
    {2, 100, 500}, // AK47
    {3, 400, 800}, // AK74
    {6, 100, 300}, // UZZI
    {8, 5, 100},   // RPG
    {9, 5, 100},   // COLT_45
};

// Waypoint markers take positions 0 to 31 and area-trigger markers area numbers up to 99.
constexpr int32_t kWaypointNumberLimit = kMaxWaypointPositions; // first number refused
constexpr int32_t kAreaNumberLimit = kMaxAreaTriggers;          // first number refused
constexpr int32_t kAreaNumberMax = kMaxAreaTriggers - 1;        // named in the message

// A list value as the list's entry: -1 when the list has no entry for it.
int entryOf(int32_t value, size_t entries) {
    return value >= 0 && static_cast<size_t>(value) < entries ? value : -1;
}

std::string number(int32_t value) {
    return std::to_string(value);
}

// A value read as a real number, rounded to single precision (an overflow gives an infinity).
float toSingle(double value) {
    if (value > std::numeric_limits<float>::max()) return std::numeric_limits<float>::infinity();
    if (value < -std::numeric_limits<float>::max()) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

int validSlotCount(const MissionPage& page) {
    return page.num_items < 0 ? 0 : (page.num_items > kMaxItems ? kMaxItems : page.num_items);
}

} // namespace

bool itemattr_WeaponDistances(int weapon, int32_t& minimum, int32_t& maximum) {
    for (const WeaponDistances& entry : kWeaponDistances) {
        if (entry.weapon != weapon) continue;
        minimum = entry.minimum;
        maximum = entry.maximum;
        return true;
    }
    return false;
}

int32_t itemattr_PositionMetres(int32_t units) {
    return units >> 8;
}
int32_t itemattr_PositionParts(int32_t units) {
    return units & 255;
}

int32_t itemattr_PositionUnits(int32_t metres, int32_t parts) {
    const int64_t units = int64_t{metres} * 256 + parts;
    if (units > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (units < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(units);
}

std::optional<ItemAttrSession> ItemAttrSession::open(const MissionPage& page,
                                                     const ItemAttrSources& sources) {
    ItemAttrSession session;
    const int count = page.selection.count < 0               ? 0
                      : page.selection.count > kMaxSelection ? kMaxSelection
                                                             : page.selection.count;
    const int items = validSlotCount(page);
    for (int entry = 0; entry < count; ++entry) {
        const int slot = page.selection.slots[entry];
        if (slot < 0 || slot >= items) continue;
        session.slots_.push_back(slot);
        session.kinds_.push_back({page.items[slot].item_class, page.items[slot].type_id});
    }
    if (session.slots_.empty()) return std::nullopt;

    session.shownSlot_ = session.slots_.back();
    session.working_ = page.items[session.shownSlot_];
    session.shownTypeId_ = session.working_.type_id;
    session.shownClass_ = session.working_.item_class;
    session.lists_ = itemattr_BuildLists(page, session.shownClass_, sources);
    session.shownDefinitionEntry_ = itemattr_DefinitionEntryOf(session.lists_, session.shownTypeId_);

    const MissionItem& item = session.working_;
    const ItemAttrLists& lists = session.lists_;
    ItemAttrForm& form = session.shownForm_;
    form.layer = entryOf(item.layer, lists.layers.size());
    form.map_symbol = entryOf(item.map_symbol, lists.map_symbols.size());
    form.group = entryOf(item.group_id, lists.groups.size());
    form.team = entryOf(item.team, lists.teams.size());
    form.name = entryOf(item.name_index, lists.names.size());
    form.weapon = entryOf(item.weapon_type, lists.weapons.size());
    form.waypoint_list = entryOf(item.waypoint_id, lists.waypoint_lists.size());
    form.waypoint_name = entryOf(item.ttoolindex, lists.waypoint_names.size());
    for (int axis = 0; axis < 3; ++axis) {
        form.position_metres[axis] = number(itemattr_PositionMetres(item.position[axis]));
        form.position_parts[axis] = number(itemattr_PositionParts(item.position[axis]));
    }
    form.heading = number(item.facing[0]);
    form.pitch = number(item.facing[1]);
    form.nolessthan = number(item.nolessthan);
    form.nomorethan = number(item.nomorethan);
    form.fov = number(item.fov);
    form.accuracy = number(item.waccuracy2);
    form.perception = number(item.perception2);
    form.wpnumber = number(item.wpnumber);
    form.wpdistance = number(item.wpdistance);
    form.ticked_bits = item.bmsi_attributes & itemattr_BoxBits();
    return session;
}

ItemAttrKind ItemAttrSession::kindAfterOk(ItemAttrKind kind) const {
    if (definitionChosen() && kind.item_class == shownClass_) return {working_.item_class, working_.type_id};
    return kind;
}

ItemAttrControls ItemAttrSession::enabled() const {
    ItemAttrControls controls = kAttrAllControls;
    for (const ItemAttrKind& kind : kinds_)
        controls &= itemattr_UsedControls(kindAfterOk(kind));
    return controls;
}

void ItemAttrSession::chooseDefinition(int entry) {
    if (entry < 0 || static_cast<size_t>(entry) >= lists_.definitions.size()) return;
    const ItemDef* chosen = itemdef_Get(lists_.definitions[static_cast<size_t>(entry)].def_index);
    if (chosen == nullptr) return;
    working_.type_id = chosen->id;
    working_.def_index = itemdef_FindById(chosen->id);
    // The class follows the definition, as it does when a mission is read; it differs from the
    // shown item's only when every definition is listed.
    const ItemDef* def = itemdef_Get(working_.def_index);
    if (definitionChosen())
        working_.item_class = def != nullptr ? def->type : chosen->type;
    else
        working_.item_class = shownClass_;
}

std::optional<ItemAttrMessage> ItemAttrSession::waypointNumberRefusal(const MissionPage& page,
                                                                      int32_t number) const {
    bool waypointMarker = false;
    bool areaMarker = false;
    for (int slot : slots_) {
        waypointMarker = waypointMarker || page.items[slot].type_id == kWaypointMarkerType;
        areaMarker = areaMarker || page.items[slot].type_id == kAreaTriggerMarkerType;
    }
    if (number >= kWaypointNumberLimit && waypointMarker)
        return ItemAttrMessage{TextLookup("Dialog Message", "MAX_NUM_WAYPOINTS"),
                               text_FormatChecked(TextLookup("Dialog Message", "TOO_MANY_WAYPOINTS"), "d",
                                                  "A waypoint number must be below %i.",
                                                  {kWaypointNumberLimit})};
    if (number >= kAreaNumberLimit && areaMarker)
        return ItemAttrMessage{TextLookup("Dialog Message", "MAX_NUM_AREA_TRIGGERS"),
                               text_FormatChecked(TextLookup("Dialog Message", "TOO_MANY_AREA_TRIGGERS"), "d",
                                                  "An area trigger number can be at most %i.",
                                                  {kAreaNumberMax})};
    return std::nullopt;
}

bool ItemAttrSession::apply(MissionPage& page, const ItemAttrForm& form,
                            const ItemAttrMessageFn& show) const {
    const ItemAttrControls on = enabled();
    const MissionItem& copy = working_;
    const auto writeAll = [&](auto&& write) {
        for (int slot : slots_)
            write(page.items[slot]);
    };
    // A list's choice is written when its control is enabled, it has a selection and that
    // differs from the working copy.
    const auto writeList = [&](bool enabledNow, int entry, int32_t MissionItem::*field) {
        if (!enabledNow || entry < 0 || entry == copy.*field) return;
        writeAll([&](MissionItem& item) { item.*field = entry; });
    };
    const auto writeInteger = [&](bool enabledNow, const std::string& text, int32_t MissionItem::*field) {
        if (!enabledNow) return;
        const int32_t value = text_ReadInteger(text);
        if (value == copy.*field) return;
        writeAll([&](MissionItem& item) { item.*field = value; });
    };
    const auto writeFacing = [&](bool enabledNow, const std::string& text, int index) {
        if (!enabledNow) return;
        const int32_t value = text_ReadInteger(text);
        if (value == copy.facing[index]) return;
        writeAll([&](MissionItem& item) { item.facing[index] = value; });
    };
    const auto writePercent = [&](bool enabledNow, const std::string& text, int32_t MissionItem::*field) {
        if (!enabledNow) return;
        const float value = toSingle(text_ReadReal(text));
        if (value == static_cast<float>(copy.*field)) return;
        const int32_t truncated = text_TruncateToInt32(static_cast<double>(value));
        writeAll([&](MissionItem& item) { item.*field = truncated; });
    };
    // 1. The definition, into the items of the shown item's class only.
    const bool definitionWritten = definitionChosen();
    if (definitionWritten) {
        writeAll([&](MissionItem& item) {
            if (item.item_class != shownClass_) return;
            item.type_id = copy.type_id;
            item.def_index = copy.def_index;
            item.item_class = copy.item_class;
        });
    }

    // 2. The lists.
    writeList(true, form.layer, &MissionItem::layer);
    writeList((on & kAttrMapSymbol) != 0, form.map_symbol, &MissionItem::map_symbol);
    writeList((on & kAttrWaypointList) != 0, form.waypoint_list, &MissionItem::waypoint_id);
    writeList(true, form.group, &MissionItem::group_id);
    writeList((on & kAttrTeam) != 0, form.team, &MissionItem::team);

    // 3. The NPC weapon, with the engagement distances it implies.
    if ((on & kAttrWeapon) != 0 && form.weapon >= 0 && form.weapon != copy.weapon_type) {
        int32_t minimum = 0;
        int32_t maximum = 0;
        const bool distances = itemattr_WeaponDistances(form.weapon, minimum, maximum);
        writeAll([&](MissionItem& item) {
            item.weapon_type = form.weapon;
            if (distances) {
                item.edistances[0] = minimum;
                item.edistances[1] = maximum;
            }
        });
    }

    // 4. The position, axis by axis.
    for (int axis = 0; axis < 3; ++axis) {
        const int32_t units = itemattr_PositionUnits(text_ReadInteger(form.position_metres[axis]),
                                                     text_ReadInteger(form.position_parts[axis]));
        if (units == copy.position[axis]) continue;
        writeAll([&](MissionItem& item) { item.position[axis] = units; });
    }

    // 5. Heading, then pitch; no range is imposed.
    writeFacing((on & kAttrHeading) != 0, form.heading, 0);
    writeFacing((on & kAttrPitch) != 0, form.pitch, 1);

    // 6. The waypoint number, within what the selected markers can take.
    if ((on & kAttrWaypointNumber) != 0) {
        const int32_t value = text_ReadInteger(form.wpnumber);
        if (value != copy.wpnumber) {
            if (const std::optional<ItemAttrMessage> refusal = waypointNumberRefusal(page, value)) {
                if (show) show(*refusal);
            } else {
                writeAll([&](MissionItem& item) { item.wpnumber = value; });
            }
        }
    }

    // 7. Player counts and field of view.
    writeInteger((on & kAttrRemoveIf) != 0, form.nolessthan, &MissionItem::nolessthan);
    writeInteger((on & kAttrRemoveIf) != 0, form.nomorethan, &MissionItem::nomorethan);
    writeInteger((on & kAttrFov) != 0, form.fov, &MissionItem::fov);

    // 8. Accuracy and perception, read as real numbers.
    writePercent((on & kAttrAccuracy) != 0, form.accuracy, &MissionItem::waccuracy2);
    writePercent((on & kAttrPerception) != 0, form.perception, &MissionItem::perception2);

    // 9. Name, waypoint distance, waypoint name.
    writeList((on & kAttrName) != 0, form.name, &MissionItem::name_index);
    writeInteger((on & kAttrWaypointDistance) != 0, form.wpdistance, &MissionItem::wpdistance);
    writeList((on & kAttrWaypointName) != 0, form.waypoint_name, &MissionItem::ttoolindex);

    // 10. The boxes, each bit on its own; the other bits of every item stay.
    for (const ItemAttrBox& box : kItemAttrBoxes) {
        if ((on & box.control) == 0) continue;
        const int32_t mask = int32_t{1} << box.bit;
        const bool ticked = (form.ticked_bits & mask) != 0;
        if (ticked == ((copy.bmsi_attributes & mask) != 0)) continue;
        writeAll([&](MissionItem& item) {
            item.bmsi_attributes = ticked ? (item.bmsi_attributes | mask) : (item.bmsi_attributes & ~mask);
        });
    }
    return definitionWritten;
}
