#pragma once
// The Problems panel: a dockable list of what page_CheckProblems finds in the current page, with
// each problem's severity, sentence and what it concerns, brought up to date after every change.
// A double click goes to the problem (editor_GoToProblem): its items are selected and centred,
// or the dialog that fixes it opens. Like the Find Items panel it does nothing while hidden.

#include "editor/editor_view.h"
#include "mission/page_checks.h"

#include <QAbstractTableModel>
#include <QDockWidget>
#include <QTimer>

#include <vector>

class EditorApp;
class QTableView;

class ProblemsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { kSeverity, kProblem, kConcerns, kColumnCount };

    explicit ProblemsModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    // Shows `problems`; false (and nothing happens) when they are the ones shown.
    bool setProblems(std::vector<PageProblem> problems);
    const std::vector<PageProblem>& problems() const { return problems_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  private:
    std::vector<PageProblem> problems_;
};

class ProblemsPanel : public QDockWidget {
    Q_OBJECT
  public:
    explicit ProblemsPanel(EditorApp& app, QWidget* parent = nullptr);

    // A content change runs the checks again (after the event loop, when the panel is shown).
    void pageChanged(PageChange change);
    // The title and column headings from the interface texts (once they are loaded).
    void applyTexts();
    void showAndFocus();
    // Runs the checks at once, when the list is out of date.
    void refreshNow();

    QTableView* tableView() const { return view_; }
    ProblemsModel& model() { return *model_; }
    int checkCount() const { return checks_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void goTo(const QModelIndex& index);
    void showTitle();

    EditorApp& app_;
    ProblemsModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QTimer updateTimer_;
    bool stale_ = true;
    int checks_ = 0;
};
