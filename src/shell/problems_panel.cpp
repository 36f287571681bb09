#include "shell/problems_panel.h"

#include "editor/editor_app.h"
#include "editor/panel_actions.h"
#include "gamedata/string_table.h"
#include "shell/game_text.h"

#include <QApplication>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>

namespace {
constexpr const char* kProblemSection = "Problems";
constexpr int kRowPadding = 4;

QString pageText(const std::string& text) {
    return shell_DecodeText(text);
}
} // namespace

// ---- Model --------------------------------------------------------------------------------------

bool ProblemsModel::setProblems(std::vector<PageProblem> problems) {
    // The same list again (most changes fix or cause nothing) leaves the view as it is.
    if (problems == problems_) return false;
    beginResetModel();
    problems_ = std::move(problems);
    endResetModel();
    return true;
}

int ProblemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(problems_.size());
}

int ProblemsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ProblemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(problems_.size())) return {};
    const PageProblem& problem = problems_[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case kSeverity:
            return pageText(problem_SeverityText(problem.severity));
        case kProblem:
            return pageText(problem.message);
        case kConcerns:
            return pageText(problem_ConcernText(problem));
        default:
            return {};
        }
    }
    if (role == Qt::DecorationRole && index.column() == kSeverity) {
        const QStyle::StandardPixmap icon = problem.severity == ProblemSeverity::Error
                                                ? QStyle::SP_MessageBoxCritical
                                                : QStyle::SP_MessageBoxWarning;
        return QApplication::style()->standardIcon(icon);
    }
    return {};
}

QVariant ProblemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case kSeverity:
        return pageText(TextLookup(kProblemSection, "COLUMN_SEVERITY"));
    case kProblem:
        return pageText(TextLookup(kProblemSection, "COLUMN_PROBLEM"));
    case kConcerns:
        return pageText(TextLookup(kProblemSection, "COLUMN_CONCERNS"));
    default:
        return {};
    }
}

// ---- Panel --------------------------------------------------------------------------------------

ProblemsPanel::ProblemsPanel(EditorApp& app, QWidget* parent) : QDockWidget(parent), app_(app) {
    setObjectName(QStringLiteral("problemsPanel"));
    model_ = new ProblemsModel(this);
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("problemsTable"));
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + kRowPadding);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->setColumnWidth(ProblemsModel::kSeverity,
                          view_->fontMetrics().horizontalAdvance(QStringLiteral("Warning")) + 40);
    view_->setColumnWidth(ProblemsModel::kProblem, 640);
    setWidget(view_);

    updateTimer_.setSingleShot(true);
    updateTimer_.setInterval(0);
    connect(&updateTimer_, &QTimer::timeout, this, &ProblemsPanel::refreshNow);
    connect(view_, &QTableView::doubleClicked, this, &ProblemsPanel::goTo);
}

void ProblemsPanel::applyTexts() {
    showTitle();
    Q_EMIT model_->headerDataChanged(Qt::Horizontal, 0, ProblemsModel::kColumnCount - 1);
}

void ProblemsPanel::pageChanged(PageChange change) {
    if (change != PageChange::Content) return; // no check looks at the selection
    stale_ = true;
    if (isVisible()) updateTimer_.start();
}

void ProblemsPanel::showAndFocus() {
    show();
    raise();
    view_->setFocus(Qt::ShortcutFocusReason);
}

void ProblemsPanel::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    refreshNow();
}

void ProblemsPanel::refreshNow() {
    updateTimer_.stop();
    if (!stale_) return;
    stale_ = false;
    ++checks_;
    const int row = view_->currentIndex().row();
    // Keep the place in the list: after a fix the next problem is where the last one was.
    if (model_->setProblems(page_CheckProblems(app_.currentPage())) && model_->rowCount() > 0 && row >= 0)
        view_->setCurrentIndex(model_->index(std::min(row, model_->rowCount() - 1), 0));
    showTitle();
}

void ProblemsPanel::showTitle() {
    QString title = pageText(TextLookup(kProblemSection, "TITLE"));
    if (!stale_) title += QStringLiteral(" (%1)").arg(model_->rowCount());
    setWindowTitle(title);
}

void ProblemsPanel::goTo(const QModelIndex& index) {
    if (!index.isValid() || index.row() >= model_->rowCount()) return;
    // A copy: going to the problem may change the page and so the list.
    const PageProblem problem = model_->problems()[static_cast<size_t>(index.row())];
    editor_GoToProblem(app_, problem);
}
