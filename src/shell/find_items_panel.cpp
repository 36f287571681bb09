#include "shell/find_items_panel.h"

#include "editor/editor_app.h"
#include "editor/panel_actions.h"
#include "foundation/safe_format.h"
#include "gamedata/game_data_setup.h"
#include "gamedata/string_table.h"
#include "shell/game_text.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {
constexpr const char* kFindSection = "Find Items";
constexpr int kRowPadding = 4; // pixels above and below a row's text

QString pageText(const std::string& text) {
    return shell_DecodeText(text);
}

// True when the two selections choose the same rows.
bool sameRows(const QItemSelection& a, const QItemSelection& b) {
    auto rowsOf = [](const QItemSelection& selection) {
        std::vector<int> rows;
        for (const QItemSelectionRange& range : selection)
            for (int row = range.top(); row <= range.bottom(); ++row)
                rows.push_back(row);
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        return rows;
    };
    return rowsOf(a) == rowsOf(b);
}
} // namespace

// ---- Model --------------------------------------------------------------------------------------

bool FindItemsModel::rebuild(const MissionPage& page, const StringTable* names) {
    FindItemsTable next;
    next.sortBy(table_.sortColumn(), table_.sortAscending());
    next.setFilter(table_.filter());
    next.rebuild(page, names);
    if (next.showsSameRows(table_)) {
        // Most commands leave the rows where they were: new texts keep the table's scroll
        // position and selection.
        table_ = std::move(next);
        if (table_.rowCount() > 0)
            Q_EMIT dataChanged(index(0, 0), index(table_.rowCount() - 1, kFindColumnCount - 1),
                               {Qt::DisplayRole});
        return false;
    }
    beginResetModel();
    table_ = std::move(next);
    endResetModel();
    return true;
}

void FindItemsModel::setFilter(const QString& filter) {
    beginResetModel();
    table_.setFilter(shell_EncodeText(filter));
    endResetModel();
}

int FindItemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.rowCount();
}

int FindItemsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kFindColumnCount;
}

QVariant FindItemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return pageText(table_.cell(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole && (index.column() == kFindSlot || index.column() == kFindId))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant FindItemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return pageText(find_ColumnTitle(section));
}

void FindItemsModel::sort(int column, Qt::SortOrder order) {
    beginResetModel();
    table_.sortBy(column, order == Qt::AscendingOrder);
    endResetModel();
}

// ---- Panel --------------------------------------------------------------------------------------

FindItemsPanel::FindItemsPanel(EditorApp& app, QWidget* parent) : QDockWidget(parent), app_(app) {
    setObjectName(QStringLiteral("findItemsPanel"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* filterRow = new QHBoxLayout;
    filterLabel_ = new QLabel(body);
    filter_ = new QLineEdit(body);
    filter_->setObjectName(QStringLiteral("findFilter"));
    filter_->setClearButtonEnabled(true);
    filterLabel_->setBuddy(filter_);
    count_ = new QLabel(body);
    count_->setObjectName(QStringLiteral("findCount"));
    filterRow->addWidget(filterLabel_);
    filterRow->addWidget(filter_, 1);
    filterRow->addWidget(count_);
    layout->addLayout(filterRow);

    model_ = new FindItemsModel(this);
    view_ = new QTableView(body);
    view_->setObjectName(QStringLiteral("findTable"));
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    // Fixed row heights: a reset of thousands of rows measures nothing.
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + kRowPadding);
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->setSortingEnabled(true);
    view_->sortByColumn(kFindSlot, Qt::AscendingOrder);
    layout->addWidget(view_, 1);
    setWidget(body);

    updateTimer_.setSingleShot(true);
    updateTimer_.setInterval(0);
    connect(&updateTimer_, &QTimer::timeout, this, &FindItemsPanel::catchUp);
    connect(filter_, &QLineEdit::textChanged, this, &FindItemsPanel::filterChanged);
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FindItemsPanel::tableSelectionChanged);
    connect(view_, &QTableView::doubleClicked, this, &FindItemsPanel::centreOnRow);
    // Sorting resets the model, which drops the table's selection: show the page's again.
    connect(model_, &QAbstractItemModel::modelReset, this, &FindItemsPanel::showPageSelection);
}

void FindItemsPanel::applyTexts() {
    setWindowTitle(pageText(TextLookup(kFindSection, "TITLE")));
    filterLabel_->setText(pageText(TextLookup(kFindSection, "FILTER")));
    filter_->setPlaceholderText(pageText(TextLookup(kFindSection, "FILTER_HINT")));
    Q_EMIT model_->headerDataChanged(Qt::Horizontal, 0, kFindColumnCount - 1);
}

void FindItemsPanel::pageChanged(PageChange change) {
    if (change == PageChange::Content) rowsStale_ = true;
    selectionStale_ = true;
    if (isVisible()) updateTimer_.start();
}

void FindItemsPanel::showAndFocus() {
    show();
    raise();
    filter_->setFocus(Qt::ShortcutFocusReason);
    filter_->selectAll();
}

void FindItemsPanel::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    catchUp();
}

void FindItemsPanel::refreshNow() {
    catchUp();
}

void FindItemsPanel::catchUp() {
    updateTimer_.stop();
    if (rowsStale_) {
        rowsStale_ = false;
        selectionStale_ = true;
        ++rebuilds_;
        model_->rebuild(app_.currentPage(), gamedata_Tables().names); // a reset shows the selection too
        showCount();
    }
    if (selectionStale_) showPageSelection();
}

void FindItemsPanel::filterChanged(const QString& text) {
    if (rowsStale_) catchUp();
    model_->setFilter(text);
    showCount();
}

void FindItemsPanel::showCount() {
    const FindItemsTable& table = model_->table();
    count_->setText(
        pageText(fmt_Format(TextLookup(kFindSection, "COUNT"), {table.rowCount(), table.itemCount()})));
}

void FindItemsPanel::showPageSelection() {
    selectionStale_ = false;
    const FindItemsTable& table = model_->table();
    const MissionPage& page = app_.currentPage();
    QItemSelection rows;
    int anchorRow = -1;
    for (int i = 0; i < std::clamp(page.selection.count, 0, kMaxSelection); ++i) {
        const int row = table.rowOfSlot(page.selection.slots[i]);
        if (row < 0) continue;
        rows.select(model_->index(row, 0), model_->index(row, kFindColumnCount - 1));
        anchorRow = row;
    }
    // The table already showing that selection stays where the user scrolled it.
    if (sameRows(rows, view_->selectionModel()->selection())) return;
    showingPageSelection_ = true;
    view_->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    showingPageSelection_ = false;
    if (anchorRow >= 0) {
        // Only up or down: the columns the user scrolled to stay in view.
        QScrollBar* across = view_->horizontalScrollBar();
        const int column = across->value();
        view_->scrollTo(model_->index(anchorRow, 0));
        across->setValue(column);
    }
}

void FindItemsPanel::tableSelectionChanged() {
    if (showingPageSelection_) return;
    const FindItemsTable& table = model_->table();
    const MissionPage& page = app_.currentPage();
    // A plain click chooses exactly the rows clicked. Extending the choice (Control or Shift held)
    // keeps the items the filter hides: the table can only speak for the rows it shows.
    std::vector<int> slots;
    if (QGuiApplication::keyboardModifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) {
        for (int i = 0; i < std::clamp(page.selection.count, 0, kMaxSelection); ++i)
            if (table.rowOfSlot(page.selection.slots[i]) < 0) slots.push_back(page.selection.slots[i]);
    }
    QModelIndexList chosen = view_->selectionModel()->selectedRows();
    std::sort(chosen.begin(), chosen.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& index : chosen)
        slots.push_back(table.slotAt(index.row()));
    editor_SelectItems(app_, slots);
    // The editor's notice about the new selection asks for nothing the table does not show.
    selectionStale_ = false;
}

void FindItemsPanel::centreOnRow(const QModelIndex& index) {
    const int slot = model_->table().slotAt(index.row());
    if (slot < 0) return;
    const int slots[] = {slot};
    editor_CentreOnItems(app_, slots);
}
