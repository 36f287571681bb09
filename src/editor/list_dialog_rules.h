#pragma once
// The rules of the three list dialogs that edit the numbered records of a page: the waypoint
// lists (numbers 1-127), the area triggers (1-99) and the groups (1-63). The dialogs show one
// record at a time as a ListEntryInput and hand the controls' values back to listdlg_Store;
// selecting a record's markers or members and printing the record list also live here, so they
// can be tested without a display.

#include "mission/mission_page.h"
#include "mission/reports.h"

#include <cstdint>
#include <string>

enum class ListDialogKind { Waypoints, AreaTriggers, Groups };

// What a description edit takes: longer texts are cut to this many characters.
constexpr int kListDescriptionMaxChars = 249;
// The colour list: position k names list palette index k (position 0 is the colour every index
// outside 1-16 draws in).
constexpr int kListColourCount = 17;
// The waypoint list bits the waypoint dialog has boxes for; the other bits are never touched.
constexpr int32_t kWaypointNoLoop = 0x1;
constexpr int32_t kWaypointBlueTeam = 0x2;
constexpr int32_t kWaypointRedTeam = 0x4;
constexpr int32_t kWaypointDialogBits = kWaypointNoLoop | kWaypointBlueTeam | kWaypointRedTeam;

// The highest record number a dialog lists (records 1 to it; record 0 is never used).
int listdlg_EntryCount(ListDialogKind kind);
// Whether the kind has a colour list, the waypoint boxes, a member count text.
bool listdlg_HasColour(ListDialogKind kind);
bool listdlg_HasFlags(ListDialogKind kind);
bool listdlg_HasSize(ListDialogKind kind);

// The "Colors" key of colour list position `position` (0-16); null outside.
const char* listdlg_ColourKey(int position);
// The colour list position of a stored colour: the colour itself when it is 0-16, -1 (nothing
// selected) for any other value, which only a damaged file can hold.
int listdlg_ColourPosition(int32_t color);

// One record as the dialog's controls show it.
struct ListEntryInput {
    std::string description; // page bytes, at most kListDescriptionMaxChars
    int color_position = -1; // colour list position, -1 when none is selected
    int32_t flag_bits = 0;   // waypoint lists: the kWaypointDialogBits that are ticked
    bool operator==(const ListEntryInput&) const = default;
};

// Record `number` as the controls show it: the description up to its first NUL or the end of its
// field, cut to kListDescriptionMaxChars; the colour's list position; the waypoint bits. A number
// outside 1 to listdlg_EntryCount gives an empty input.
ListEntryInput listdlg_Shown(const MissionPage& page, ListDialogKind kind, int number);

// Stores the controls' values into record `number`: the description, the colour (waypoint lists
// and area triggers) and the waypoint bits; the record's other fields keep their values. A
// field is written only when its control shows something else than the record would show, so a
// record that cannot be shown whole (a description longer than the edit takes or not
// terminated, a colour outside the list) stays as it is until the user changes that control, and
// a colour control with nothing selected never writes. Returns whether the record changed;
// nothing happens for a number outside 1 to listdlg_EntryCount.
bool listdlg_Store(MissionPage& page, ListDialogKind kind, int number, const ListEntryInput& input);

// The text after "%2i - " on the list line of record `number`: the shown description, followed by
// "..." when the record holds more than the edit shows.
std::string listdlg_LineDescription(const MissionPage& page, ListDialogKind kind, int number);

// The member count the waypoint and group dialogs show (as last derived); 0 otherwise.
int32_t listdlg_MemberCount(const MissionPage& page, ListDialogKind kind, int number);

// Adds the items of record `number` to the page's selection, after what is already selected: a
// waypoint list's members in list order (as last derived) and an area trigger's markers (type 6013
// with that wpnumber), whether drawn or not, since a list is its markers; a group's members in slot
// order, only those drawn with `showFlags` (ItemVisible). Returns how many items were added.
int listdlg_SelectItems(MissionPage& page, ListDialogKind kind, int number, uint32_t showFlags);

// Writes the kind's report (group list, area-trigger list, waypoint-list list) to `path`.
ReportResult listdlg_WriteReport(const MissionPage& page, ListDialogKind kind, const char* path);
