#pragma once
// What the Find Items and Problems panels do to the editor: select items, centre the map on them,
// and go to a problem. The panels only present; these decide, and tell the view what changed.

#include "mission/mission_page.h"
#include "mission/page_checks.h"

#include <span>

class EditorApp;

// Makes `slots` the selection of `page`: entries already selected keep their place (so the last
// selected item stays the anchor when it is still chosen), the others are removed, and the new
// ones are added in the order given. Slots that are no items are skipped. 1 when the selection
// changed, else 0.
int sel_Replace(MissionPage& page, std::span<const int> slots);

// sel_Replace on the current page; when it changed, renders the map, repaints the item
// information window and tells the view the selection changed.
void editor_SelectItems(EditorApp& app, std::span<const int> slots);

// The middle of the items' extent (X and Y, world units); false when no slot names an item.
bool editor_ItemsCentre(const MissionPage& page, std::span<const int> slots, int32_t& x, int32_t& y);
// Moves the view centre (X and Y; Z stays) to the middle of the items and renders the map.
// Nothing when no slot names an item.
void editor_CentreOnItems(EditorApp& app, std::span<const int> slots);

// The command whose dialog fixes `problem` when it concerns no item: the events dialog for what
// an event names or does, the dialogs of waypoint lists, area triggers, groups and wav lists, and
// the general information for texts; 0 when none does (the export's item counts).
int problem_FixCommand(const PageProblem& problem);
// The double click of a problem: its items selected and centred when it concerns items, else the
// dialog that fixes it (problem_FixCommand), run as that command.
void editor_GoToProblem(EditorApp& app, const PageProblem& problem);
