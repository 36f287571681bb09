#pragma once
// The editing scheme shared by the dialogs that edit numbered page records through a list of
// "%2i - %s" lines and a few edits for the one entry shown beside it (layer names, wav lists,
// and the waypoint, area trigger and group dialogs).
//
// The editor works on list rows (0-based); what a row stands for is up to the dialog's callbacks:
//   lineText(row) - the list line of that row (usually numberedLine(number, description));
//   store(row)    - copies the edits into the row's record;
//   show(row)     - fills the edits from the row's record.
//
// Opening fills the list, selects and shows row 0 and sets the first-notification flag. Every
// notification from the list (a change of the selected row, the list gaining or losing the input
// focus) first stores the shown row - except the very first one after opening, which only clears
// the flag - and then shows the selected row. Only store() writes into the page.

#include <QObject>
#include <QString>

#include <functional>

class QListWidget;

class ListEditor : public QObject {
    Q_OBJECT
  public:
    struct Callbacks {
        std::function<QString(int row)> lineText;
        std::function<void(int row)> store;
        std::function<void(int row)> show;
    };

    // Watches `list` (which must outlive the editor) for its notifications. Nothing is filled
    // until open().
    ListEditor(QListWidget* list, int rowCount, Callbacks callbacks);

    // Fills the list with rowCount lines, selects row 0, makes it the shown row, sets the
    // first-notification flag and shows the row.
    void open();

    // One notification from the list (also called by the editor itself for the list's own
    // selection and focus changes).
    void notify();

    // store() of the shown row (what OK does before closing).
    void storeShown();

    // What the dialogs do when an edit of the shown entry changes and its line follows the text
    // at once: nothing while the first-notification flag is set or while the editor is filling
    // the edits itself; otherwise store the shown row and replace its line, leaving it selected.
    void shownEntryEdited();

    // Replaces the shown row's line with its current lineText(); the selection stays.
    void refreshShownLine();

    int shownRow() const { return shownRow_; }
    bool firstNotificationPending() const { return firstNotification_; }
    int rowCount() const { return rowCount_; }

    // "%2i - " followed by `text` (the number right-aligned in two places).
    static QString numberedLine(int number, const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showRow(int row);

    QListWidget* list_;
    int rowCount_;
    Callbacks callbacks_;
    int shownRow_ = 0;
    bool firstNotification_ = false;
    bool showing_ = false;
};
