#pragma once
// The waypoint lists ("EDITWAYPOINTS"), area triggers ("EDITAREATRIGGERS") and groups
// ("EDITGROUPS") dialogs: every numbered record as a "%2i - %s" line on the left, the shown
// record's description (and colour, waypoint boxes, member count) on the right, a button that
// adds the record's markers or members to the selection and one that prints the list report.
//
// Every store goes into the page at once: the description as it is typed (its line follows),
// the colour and the no-loop box as they change (the map is drawn again), everything when another
// line is chosen. There is no Cancel: OK, Enter, Escape and the close box all store the shown
// record and close with 1. What a store writes and what selecting picks are the rules of
// editor/list_dialog_rules.h.

#include "dialogs/dialog_frame.h"
#include "editor/editor_view.h"
#include "editor/list_dialog_rules.h"

#include <functional>
#include <memory>

struct MissionPage;
class ListEditor;

// Control ids of the waypoint dialog.
constexpr int kWaypointsList = 4100;
constexpr int kWaypointsDescription = 4101;
constexpr int kWaypointsSize = 4102;
constexpr int kWaypointsSelect = 4104;
constexpr int kWaypointsColour = 4105;
constexpr int kWaypointsNoLoop = 4106;
constexpr int kWaypointsBlue = 4107;
constexpr int kWaypointsRed = 4108;
constexpr int kWaypointsPrint = 4109;
constexpr int kWaypointsDescriptionLabel = 1194;
// Control ids of the area trigger dialog.
constexpr int kAreaTriggersList = 1168;
constexpr int kAreaTriggersColour = 1170;
constexpr int kAreaTriggersDescription = 1171;
constexpr int kAreaTriggersDescriptionLabel = 1172;
constexpr int kAreaTriggersSelect = 1167;
constexpr int kAreaTriggersPrint = 1166;
// Control ids of the group dialog.
constexpr int kGroupsList = 4600;
constexpr int kGroupsDescription = 4601;
constexpr int kGroupsSize = 4602;
constexpr int kGroupsSelect = 4603;
constexpr int kGroupsPrint = 4608;
constexpr int kGroupsDescriptionLabel = 1193;
// The colour label of the waypoint and area trigger dialogs.
constexpr int kListColourLabel = 1000;

// The controls of one of the three dialogs; 0 where it has none.
struct ListDialogControls {
    const char* title_key;
    int list;
    int size_text;
    int description_label;
    int description;
    int colour;
    int no_loop, blue, red;
    int select;
    const char* select_key;
    int print;
    int width_units, height_units; // the template's size
};
const ListDialogControls& dialogs_ListControls(ListDialogKind kind);

// What the dialog needs of the editor besides the page.
struct ListDialogHooks {
    uint32_t show_flags = 0;         // the map's show flags: selecting picks only items drawn with them
    std::function<void()> redrawMap; // draws the map (and what shows the selection) now; may be empty
};

class ListRecordsDialog : public DialogFrame {
    Q_OBJECT
  public:
    // The page's derived data (waypoint members, group counts) should be up to date.
    ListRecordsDialog(QWidget* parent, MissionPage& page, ShellServices& services, ListDialogKind kind,
                      ListDialogHooks hooks);
    ~ListRecordsDialog() override;

    ListEditor& listEditor() const { return *editor_; }
    const ListDialogControls& controls() const { return controls_; }
    // The record shown on list row `row` (row 0 is record 1).
    static int numberOfRow(int row) { return row + 1; }

    void reject() override; // Escape and the close box: store and close with 1, as OK

  private:
    QString lineText(int row) const;
    ListEntryInput controlValues() const;
    void storeRow(int row);
    void showRow(int row);
    void storeAndRedraw();
    void selectItems();
    void printList();
    void confirm();
    void redraw();

    MissionPage& page_;
    ListDialogKind kind_;
    const ListDialogControls& controls_;
    ListDialogHooks hooks_;
    std::unique_ptr<ListEditor> editor_;
};

// Builds the dialog of `kind` owned by `parent`, runs it modally on `page` and answers Accepted
// (the dialog always closes with 1).
DialogResult dialogs_RunListRecords(QWidget* parent, MissionPage& page, ShellServices& services,
                                    ListDialogKind kind, ListDialogHooks hooks);
