#pragma once
// The table of the Find Items panel without its widgets: one row per item of a page with the
// texts of its columns, a filter that matches as the user types, and the order of the rows.
//
// Rows are built once per change of the page (rebuild); filtering and sorting then only walk
// the prepared rows, so a keystroke in the filter box costs a pass over folded texts.

#include "gamedata/string_table.h"
#include "mission/mission_page.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum FindColumn : int {
    kFindSlot,       // the item's slot
    kFindId,         // its serial number
    kFindClass,      // "Person", "Vehicle", ...
    kFindDefinition, // the definition's (display) name
    kFindName,       // person name, or waypoint name of a waypoint marker
    kFindTeam,       // "Blue", "Red", ...
    kFindGroup,      // "3 - Red patrol"
    kFindLayer,      // "2 - Blue base" (layers counted from 1, as the layer dialogs show them)
    kFindWaypoint,   // list and, for a waypoint marker, its number: "1 - Patrol / 3"
    kFindPosition,   // "812.5, -420.0, 0.0" (metres east, north, up)
    kFindColumnCount
};

// The column heading ("Find Items" section of the interface texts).
std::string find_ColumnTitle(int column);

// `text` with ASCII and Latin-1 capital letters made small, for matching without regard to case.
std::string find_Fold(std::string_view text);

struct FindItemRow {
    int slot = 0;
    std::array<std::string, kFindColumnCount> cells;
    std::string folded;                        // every cell folded, separated by '\n'
    std::array<int64_t, kFindColumnCount> key; // order of the numeric columns
};

// The row of item `slot` of `page`. `names` is the name table ("qz2wpn.bin") for person and
// waypoint names; null leaves the name column empty.
FindItemRow find_MakeRow(const MissionPage& page, int slot, const StringTable* names);

// True when every word of `filter` (already folded, split at spaces) occurs in the row's text.
// An empty filter matches every row.
bool find_Matches(const FindItemRow& row, const std::vector<std::string>& words);
// The words of a filter as typed: folded and split at white space.
std::vector<std::string> find_FilterWords(std::string_view filter);

class FindItemsTable {
  public:
    // Builds a row for every item of `page` (slots 0 to num_items-1), then sorts and filters them
    // as before.
    void rebuild(const MissionPage& page, const StringTable* names);
    // Keeps the rows that match `filter` (find_Matches), in the current order.
    void setFilter(std::string_view filter);
    const std::string& filter() const { return filter_; }
    // Orders the rows by `column` (numbers by value, texts without regard to case), slots breaking
    // ties; then filters again.
    void sortBy(int column, bool ascending);
    int sortColumn() const { return sortColumn_; }
    bool sortAscending() const { return ascending_; }

    // Rows that pass the filter.
    int rowCount() const { return static_cast<int>(visible_.size()); }
    // Every row, filtered or not.
    int itemCount() const { return static_cast<int>(rows_.size()); }
    // The slot shown in visible row `row`, or -1.
    int slotAt(int row) const;
    // The visible row showing `slot`, or -1 when it is filtered out or no item.
    int rowOfSlot(int slot) const;
    // The text of visible row `row` in `column` (empty for rows or columns out of range).
    const std::string& cell(int row, int column) const;
    // True when `other` shows the same slots in the same visible rows (the texts may differ).
    bool showsSameRows(const FindItemsTable& other) const;

  private:
    void order();
    void refilter();

    std::vector<FindItemRow> rows_; // by slot
    std::vector<int> sorted_;       // indices into rows_ in display order
    std::vector<int> visible_;      // the sorted indices that match the filter
    std::vector<int> rowBySlot_;    // visible row of each slot, or -1
    std::string filter_;
    std::vector<std::string> words_;
    int sortColumn_ = kFindSlot;
    bool ascending_ = true;
};
