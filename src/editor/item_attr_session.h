#pragma once
// One opening of the item attributes dialog, without the widgets: the shown item (the last one
// of the page's selection), a working copy of its record that the definition choice changes, the
// lists, which controls are enabled, and what OK writes into the selected items.
//
// The dialog fills its controls from shownForm(), reports a definition choice through
// chooseDefinition() and, on OK, hands what its controls hold to apply(). Nothing is written to
// the page before apply(); dropping the session is Cancel.

#include "editor/item_attr_controls.h"
#include "editor/item_attr_lists.h"
#include "mission/mission_page.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the controls of the dialog hold.
struct ItemAttrForm {
    // The selected entry of each list; -1 when the list has no selection.
    int layer = -1;
    int map_symbol = -1;
    int group = -1;
    int team = -1;
    int name = -1;
    int weapon = -1;
    int waypoint_list = -1;
    int waypoint_name = -1;
    // The texts of the edits: per axis (x, y, z) the whole metres and the 1/256 parts.
    std::string position_metres[3];
    std::string position_parts[3];
    std::string heading;
    std::string pitch;
    std::string nolessthan;
    std::string nomorethan;
    std::string fov;
    std::string accuracy;   // read as a real number
    std::string perception; // read as a real number
    std::string wpnumber;
    std::string wpdistance;
    // The bmsi_attributes bits whose boxes are ticked; bits without a box are ignored.
    int32_t ticked_bits = 0;
};

// A message OK shows, with the icon "error" and one OK button.
struct ItemAttrMessage {
    std::string caption;
    std::string text;
};
using ItemAttrMessageFn = std::function<void(const ItemAttrMessage&)>;

// Engagement distances (minimum, maximum) that choosing NPC weapon `weapon` gives; false for the
// weapons that leave the distances as they are.
bool itemattr_WeaponDistances(int weapon, int32_t& minimum, int32_t& maximum);

// Whole metres (rounded toward minus infinity) and 1/256 parts (0 to 255) of a position
// component in world units, and back. Back, the parts are not limited: 256 or more carries into
// the next metre, a negative part counts down; a result beyond the 32-bit range is clamped.
int32_t itemattr_PositionMetres(int32_t units);
int32_t itemattr_PositionParts(int32_t units);
int32_t itemattr_PositionUnits(int32_t metres, int32_t parts);

class ItemAttrSession {
  public:
    // Opens on the selection of `page`. The shown item is the last selection entry that names an
    // item of the page; entries that name none are left out of everything. Nullopt when no entry
    // names an item.
    static std::optional<ItemAttrSession> open(const MissionPage& page, const ItemAttrSources& sources);

    int shownSlot() const { return shownSlot_; }
    // The item slots the dialog edits, in selection order.
    const std::vector<int>& slots() const { return slots_; }
    // The working copy: the shown item's record with the chosen definition.
    const MissionItem& working() const { return working_; }
    const ItemAttrLists& lists() const { return lists_; }
    // What the controls show on opening: the shown item's values, with -1 for a list that has no
    // entry for the stored value.
    const ItemAttrForm& shownForm() const { return shownForm_; }
    // The definition-list entry selected on opening (-1: none).
    int shownDefinitionEntry() const { return shownDefinitionEntry_; }
    // The controls every selected item uses, with the chosen definition in place of the old one
    // for the items that will take it.
    ItemAttrControls enabled() const;

    // The user chose definition-list entry `entry`: the working copy takes that definition's id,
    // the index of the first definition with that id, and its class. Out of range: nothing.
    void chooseDefinition(int entry);
    // True when OK would give the selected items of the shown item's class a new definition.
    bool definitionChosen() const { return working_.type_id != shownTypeId_; }

    // OK: writes every field whose enabled control holds a value other than the working copy's
    // into every selected item, in this order: definition (into the items of the shown item's
    // class only), layer, map symbol, waypoint list, group, team, NPC weapon with its engagement
    // distances, position, heading, pitch, waypoint number, player counts, FOV, accuracy,
    // perception, name, waypoint distance, waypoint name, then the boxes bit by bit. A waypoint
    // number that a selected waypoint marker (32 or more) or area-trigger marker (100 or more)
    // cannot take is not written; `show` gets the message and the remaining steps still run.
    // Returns whether a definition was written (the map must be drawn again).
    bool apply(MissionPage& page, const ItemAttrForm& form, const ItemAttrMessageFn& show) const;

  private:
    ItemAttrSession() = default;
    // What a selected item of `kind` is for the enabling rules once OK has written the chosen
    // definition.
    ItemAttrKind kindAfterOk(ItemAttrKind kind) const;
    // The waypoint-number message for `number` over the selected items of `page` (after the
    // definition was written), or nullopt when every one of them can take it.
    std::optional<ItemAttrMessage> waypointNumberRefusal(const MissionPage& page, int32_t number) const;

    std::vector<int> slots_;
    std::vector<ItemAttrKind> kinds_; // of the selected items, in slot order
    int shownSlot_ = -1;
    int32_t shownTypeId_ = 0;
    int32_t shownClass_ = 0;
    MissionItem working_{};
    ItemAttrLists lists_;
    ItemAttrForm shownForm_;
    int shownDefinitionEntry_ = -1;
};
