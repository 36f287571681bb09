#pragma once
// Primitive operations on a MissionPage that keep its counts, its selection and its cross
// references consistent. Results follow the house convention: a slot or -1, 1 or 0.

#include "mission/mission_page.h"

// ---- Page and items ---------------------------------------------------------------------------

// Empties the page: every plain byte 0, imagery and wind zones released. Names no group: the
// editor names the groups of the page it works on after each clear (page_NameDefaultGroups).
void page_Clear(MissionPage& page);
// Exchanges everything two pages hold: their data, terrain imagery and wind zones. Used to put
// a page read on the side in the place of another only once the read has succeeded.
void page_Swap(MissionPage& a, MissionPage& b);
// Gives groups 1 and 2 of `page` the "Players" texts "BLUEPLAYERS" and "REDPLAYERS" when their
// descriptions are empty. The editor does this to its current page whenever it clears a page
// (that page or another one: the clipboard, the scratch page, the other mission page).
void page_NameDefaultGroups(MissionPage& page);

// Adds an item of definition id `type_id` at (x, y, z) with the definition's defaults and the
// page's current layer. Returns the new slot, or -1 when the page is full (no change then).
int page_AddItem(MissionPage& page, int32_t type_id, int32_t x, int32_t y, int32_t z);
// Appends a copy of `item` with a fresh id and the page's current layer. The new slot, or -1.
int page_AddItemCopy(MissionPage& page, const MissionItem& item);
// 1 + the highest id of the page's items (1 for an empty page).
int32_t page_NextItemId(const MissionPage& page);
// Definition index, class, team and the AI defaults of a new item of its type_id.
void page_SetItemDefaults(MissionItem& item);
void page_UnhideAll(MissionPage& page);
// Removes the item in `slot` (later items move down; selection entries above it are lowered, an
// entry equal to it is dropped). 1 when removed, 0 when the slot is out of range.
int page_DeleteItem(MissionPage& page, int slot);

// ---- Selection --------------------------------------------------------------------------------

// Empties the selection and clears kDisplayFlagHighlight in every item.
void sel_Clear(MissionPage& page);
// 1 when added at the end; 0 when already selected, full, or `slot` is not an item slot.
int sel_Add(MissionPage& page, int slot);
// 1 when removed (later entries move up), 0 when not selected.
int sel_Remove(MissionPage& page, int slot);
// 1 when it was added, -1 when it was removed (0 when it could not be added).
int sel_Toggle(MissionPage& page, int slot);
// 1 when `slot` is selected.
int sel_Contains(const MissionPage& page, int slot);
void sel_HideSelected(MissionPage& page);
void sel_HideUnselected(MissionPage& page);
void sel_Move(MissionPage& page, int32_t dx, int32_t dy, int32_t dz);
// Deletes the selected items in selection order, then sel_Clear. Entries that are not item
// slots are ignored. The result equals deleting one entry after the other, lowering later
// entries above each deleted slot; it is computed in one pass over the items.
void sel_Delete(MissionPage& page);
// sel_Clear on `target`, then copies each selected item of `source` (in selection order) with
// the offsets added and hidden = 0 into `target`, selecting each copy. Copies that do not fit are
// skipped. `target` and `source` must be different pages. Returns the number of items skipped
// because `target` was full (0 when every selected item was copied).
int sel_CopyInto(MissionPage& target, const MissionPage& source, int32_t dx, int32_t dy, int32_t dz);

// ---- Derived data -----------------------------------------------------------------------------

// Rebuilds waypoint list membership from the waypoint markers: members ordered by wpnumber.
// Markers whose waypoint_id is not 1 to 127 get waypoint_id 0; members beyond 64 are skipped.
void page_RebuildWaypointLists(MissionPage& page);
// Counts the items of each group; group numbers outside 1 to 63 are skipped.
void page_CountGroupMembers(MissionPage& page);
// Rebuilds area_number, first_marker and the extents of every area trigger from its markers.
void page_RebuildAreaTriggers(MissionPage& page);
// The definition index of a marker type, or -1 when no definition has that type id.
int page_MarkerDefIndex(int32_t type_id);

// ---- Events -----------------------------------------------------------------------------------

// Removes event `event` and renumbers event references (triggers naming it are deleted, those
// naming later events are lowered). 1 when done, 0 when out of range.
int event_Delete(MissionPage& page, int event);
// Inserts `record` before event `position` (0 to num_events-1) and raises every event reference
// at or above `position`, the inserted record's included. 0 (no change) when the position is out
// of range or the page already holds kMaxEvents events.
int event_Insert(MissionPage& page, int position, const MissionEvent& record);
// 1 when done, 0 (no change) when the event or slot is out of range.
int event_DeleteTrigger(MissionPage& page, int event, int slot);
// 0 (no change) when the event is out of range, slot < 0 or > trigger_count, or it is full.
int event_InsertTrigger(MissionPage& page, int event, int slot, const EventTrigger& trigger);
int event_DeleteAction(MissionPage& page, int event, int slot);
int event_InsertAction(MissionPage& page, int event, int slot, const EventAction& action);
