#include "dialogs/center_dialog.h"

#include "dialogs/dialog_catalogue.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int32_t kMetresMin = INT32_MIN >> 8;
constexpr int32_t kMetresMax = INT32_MAX >> 8;
} // namespace

CenterDialog::CenterDialog(QWidget* parent, ShellServices& services, ViewState& view)
    : DialogFrame(parent, services), view_(view) {
    buildControls();
    setTemplateSize(112, 111);

    edit(kCenterEditX)->setText(QString::number(view_.center_x >> 8));
    edit(kCenterEditY)->setText(QString::number(view_.center_y >> 8));
}

void CenterDialog::buildControls() {
    setWindowTitle(dialogText("GET_CENTER"));

    auto* grid = new QGridLayout;
    auto* labelX = add(kCenterLabelX, new QLabel(dialogText("X_COORD")));
    auto* labelY = add(kCenterLabelY, new QLabel(dialogText("Y_COORD")));
    auto* editX = add(kCenterEditX, new QLineEdit);
    auto* editY = add(kCenterEditY, new QLineEdit);
    labelX->setBuddy(editX);
    labelY->setBuddy(editY);
    grid->addWidget(labelX, 0, 0);
    grid->addWidget(editX, 0, 1);
    grid->addWidget(labelY, 1, 0);
    grid->addWidget(editY, 1, 1);
    grid->setColumnStretch(1, 1);

    auto* ok = add(kControlOk, new QPushButton(dialogText("OK")));
    auto* cancel = add(kControlCancel, new QPushButton(dialogText("CANCEL")));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CenterDialog::storeAndAccept);
    connect(cancel, &QPushButton::clicked, this, &CenterDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

int32_t CenterDialog::worldUnitsOfMetres(int32_t metres) {
    return std::clamp(metres, kMetresMin, kMetresMax) * 256;
}

void CenterDialog::storeAndAccept() {
    view_.center_x = worldUnitsOfMetres(parseInteger(edit(kCenterEditX)->text()));
    view_.center_y = worldUnitsOfMetres(parseInteger(edit(kCenterEditY)->text()));
    done(1);
}

DialogResult dialogs_RunGetCenter(QWidget* parent, ShellServices& services, ViewState& view) {
    CenterDialog dialog(parent, services, view);
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
