#include "dialogs/waypoint_names_dialog.h"

#include "dialogs/dialog_catalogue.h"
#include "mission/mission_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// A "Team ..." group with its eight numbered rows of edits; the edits are registered by `add`.
template <typename AddEdit>
QGroupBox* makeTeamColumn(QWidget* parent, const QString& title,
                          const int32_t (&values)[kPlayerWaypointNames], int firstId, AddEdit addEdit) {
    auto* group = new QGroupBox(title, parent);
    auto* rows = new QFormLayout(group);
    for (int entry = 0; entry < kPlayerWaypointNames; ++entry) {
        QLineEdit* value = addEdit(firstId + entry, new QLineEdit(QString::number(values[entry]), group));
        rows->addRow(QString::number(entry + 1), value);
    }
    return group;
}
} // namespace

WaypointNamesDialog::WaypointNamesDialog(QWidget* parent, MissionPage& page, ShellServices& services)
    : DialogFrame(parent, services), page_(page) {
    setWindowTitle(ownText("WAYPOINTNAMES_TITLE"));

    const auto addEdit = [this](int id, QLineEdit* value) { return add(id, value); };
    auto* blue = makeTeamColumn(this, ownText("WAYPOINTNAMES_TEAM_BLUE"), page_.general.wp_names_blue,
                                kWaypointNamesFirstBlue, addEdit);
    auto* red = makeTeamColumn(this, ownText("WAYPOINTNAMES_TEAM_RED"), page_.general.wp_names_red,
                               kWaypointNamesFirstRed, addEdit);
    auto* ok = add(kControlOk, new QPushButton(ownText("OK"), this));
    ok->setDefault(true);

    auto* columns = new QHBoxLayout;
    columns->addWidget(blue);
    columns->addWidget(red);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(ok, 0, Qt::AlignRight);

    connect(ok, &QPushButton::clicked, this, &WaypointNamesDialog::accept);
    setTemplateSize(203, 223);
}

void WaypointNamesDialog::storeAll() {
    for (int entry = 0; entry < kPlayerWaypointNames; ++entry) {
        page_.general.wp_names_blue[entry] = parseInteger(edit(kWaypointNamesFirstBlue + entry)->text());
        page_.general.wp_names_red[entry] = parseInteger(edit(kWaypointNamesFirstRed + entry)->text());
    }
}

void WaypointNamesDialog::accept() {
    storeAll();
    done(1);
}

// Escape and the close box keep what was typed, like OK.
void WaypointNamesDialog::reject() {
    accept();
}

DialogResult dialogs_RunWaypointNames(QWidget* parent, MissionPage& page, ShellServices& services) {
    WaypointNamesDialog dialog(parent, page, services);
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
