#pragma once
// The Find Items panel: a dockable list of every item of the current page (FindItemsTable in a
// QTableView), a filter box that matches as the user types, columns that sort, and a selection
// that goes both ways with the map: rows chosen here select their items, the map's selection
// shows here, and a double click centres the map on the item. A plain click makes the clicked rows
// the whole selection; with Control or Shift held the items the filter hides stay selected too.
//
// The panel follows the page through pageChanged. While it is hidden it only notes that it is out
// of date, so a closed panel costs the map nothing; it catches up when it is shown.

#include "editor/editor_view.h"
#include "editor/find_items.h"

#include <QAbstractTableModel>
#include <QDockWidget>
#include <QTimer>

class EditorApp;
class QLabel;
class QLineEdit;
class QTableView;

// The rows of a FindItemsTable as a Qt model; sorting goes to the table.
class FindItemsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit FindItemsModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    FindItemsTable& table() { return table_; }
    // Rebuilds every row from `page`, keeping the filter and the order. When the same slots show
    // in the same rows only the texts change (the view keeps its place); else the model is reset.
    // True when it was reset.
    bool rebuild(const MissionPage& page, const StringTable* names);
    void setFilter(const QString& filter);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  private:
    FindItemsTable table_;
};

class FindItemsPanel : public QDockWidget {
    Q_OBJECT
  public:
    explicit FindItemsPanel(EditorApp& app, QWidget* parent = nullptr);

    // What changed in the page: the rows are rebuilt for a content change, the selection of the
    // table follows a selection change. Both wait for the event loop (several notices of one
    // action make one update) and for the panel to be shown.
    void pageChanged(PageChange change);
    // The title, labels and column headings from the interface texts (once they are loaded).
    void applyTexts();
    // Shows the panel with the keyboard in the filter box.
    void showAndFocus();
    // Brings the rows up to date at once, when they are out of date.
    void refreshNow();

    QLineEdit* filterBox() const { return filter_; }
    QTableView* tableView() const { return view_; }
    FindItemsModel& model() { return *model_; }
    // Times the rows were rebuilt (tests: a hidden panel rebuilds nothing).
    int rebuildCount() const { return rebuilds_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void catchUp();
    void filterChanged(const QString& text);
    void tableSelectionChanged();
    void showPageSelection();
    void centreOnRow(const QModelIndex& index);
    void showCount();

    EditorApp& app_;
    FindItemsModel* model_ = nullptr;
    QLabel* filterLabel_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QLabel* count_ = nullptr;
    QTableView* view_ = nullptr;
    QTimer updateTimer_;
    bool rowsStale_ = true;
    bool selectionStale_ = true;
    bool showingPageSelection_ = false; // the table's selection is being set from the page
    int rebuilds_ = 0;
};
