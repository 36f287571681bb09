#pragma once
// The events dialog ("EDITEVENTS"): the events of a page as "(%i) %s" lines ending in
// "NEW_EVENT", one event shown with its name, delay, reset box and reset time, and its IF triggers
// and THEN actions as sentences ending in "NEW_TRIGGER" / "NEW_ACTION". A double click on a
// trigger or action line opens the trigger or action dialog on that slot.
//
// Every command reaches the page at once; the name, delay and reset controls are stored into the
// shown event by every command that stores (the name also at each keystroke, its line following).
// OK stores and closes with 1; Escape (and the close box) closes with 0 without storing what the
// controls of the shown event still hold. The rules live in EventsEditing.

#include "dialogs/dialog_frame.h"
#include "editor/events_editing.h"
#include "editor/file_commands.h"

struct MissionPage;
struct StringTable;
class QListWidget;

constexpr int kEventsTriggersGroup = 1000;
constexpr int kEventsNameLabel = 1190;
constexpr int kEventsDelayLabel = 1191;
constexpr int kEventsActionsGroup = 1192;
constexpr int kEventsList = 4200;
constexpr int kEventsName = 4201;
constexpr int kEventsDelay = 4202;
constexpr int kEventsResetCheck = 4203;
constexpr int kEventsReset = 4204;
constexpr int kEventsTriggers = 4205;
constexpr int kEventsActions = 4206;
constexpr int kEventsDeleteEvent = 4207;
constexpr int kEventsPrintEvent = 4208;
constexpr int kEventsPrintAll = 4209;
constexpr int kEventsDeleteTrigger = 4210;
constexpr int kEventsDeleteAction = 4211;
constexpr int kEventsCopyEvent = 4214;
constexpr int kEventsPasteEvent = 4215;
constexpr int kEventsCopyTrigger = 4216;
constexpr int kEventsPasteTrigger = 4217;
constexpr int kEventsCopyAction = 4218;
constexpr int kEventsPasteAction = 4219;

class EventsDialog : public DialogFrame {
    Q_OBJECT
  public:
    // `clipboards` are the editor's and outlive the dialog; `names` is the second string table
    // for the trigger and action dialogs' choice lists (may be null).
    EventsDialog(QWidget* parent, MissionPage& page, EventClipboards& clipboards, const StringTable* names,
                 ShellServices& services);

    const EventsEditing& editing() const { return editing_; }

    void accept() override; // OK: store, close with 1
    void reject() override; // Escape: close with 0 without storing

  private:
    EventForm form() const;
    void store();
    void fillEvents();
    void showCurrent();
    bool confirm(const char* question); // Yes/No, caption "EVENTS"; true on Yes
    static int selectedRow(const QListWidget* list);

    void eventChosen();
    void nameEdited();
    void editTrigger();
    void editAction();
    void deleteTrigger();
    void copyTrigger();
    void pasteTrigger();
    void deleteAction();
    void copyAction();
    void pasteAction();
    void deleteEvent();
    void copyEvent();
    void pasteEvent();
    void print(ReportKind kind);

    MissionPage& page_;
    const StringTable* names_;
    EventsEditing editing_;
    bool showing_ = false; // the controls are being filled from the page, not edited
};

DialogResult dialogs_RunEvents(QWidget* parent, MissionPage& page, ShellServices& services,
                               EventClipboards& clipboards, const StringTable* names);
