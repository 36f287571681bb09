#include "dialogs/numeric_move_dialog.h"

#include "dialogs/dialog_catalogue.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kAxes = 3;
constexpr const char* kRowCaptions[kAxes] = {"NUMERICMC_DELTA_X", "NUMERICMC_DELTA_Y", "NUMERICMC_DELTA_Z"};

int32_t* offsetsOf(NumericMoveMemory& memory, int axis) {
    int32_t* offsets[kAxes] = {&memory.dx, &memory.dy, &memory.dz};
    return offsets[axis];
}

} // namespace

NumericMoveDialog::NumericMoveDialog(QWidget* parent, ShellServices& services, NumericMoveMemory& memory)
    : DialogFrame(parent, services), memory_(memory) {
    buildControls();
    setTemplateSize(219, 140);

    radio(memory_.move ? kNumericRadioMove : kNumericRadioCopy)->setChecked(true);
    for (int axis = 0; axis < kAxes; ++axis) {
        const int32_t offset = *offsetsOf(memory_, axis);
        // Whole metres rounded towards minus infinity, so the fraction is always 0-255.
        edit(kNumericEditMetresX + axis)->setText(QString::number(offset >> 8));
        edit(kNumericEditFractionX + axis)->setText(QString::number(offset & 255));
    }
}

void NumericMoveDialog::buildControls() {
    // This dialog's captions are its own, not texts of the string table.
    setWindowTitle(ownText("NUMERICMC_TITLE"));

    auto* offsetGroup = new QGroupBox(ownText("NUMERICMC_OFFSET"));
    auto* grid = new QGridLayout(offsetGroup);
    grid->addWidget(new QLabel(ownText("NUMERICMC_METERS")), 0, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(ownText("NUMERICMC_FRACTION")), 0, 2, Qt::AlignHCenter);
    for (int axis = 0; axis < kAxes; ++axis) {
        grid->addWidget(new QLabel(ownText(kRowCaptions[axis])), axis + 1, 0);
        grid->addWidget(add(kNumericEditMetresX + axis, new QLineEdit), axis + 1, 1);
        grid->addWidget(add(kNumericEditFractionX + axis, new QLineEdit), axis + 1, 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(kAxes + 1, 1);

    auto* actionGroup = new QGroupBox(ownText("NUMERICMC_ACTION"));
    auto* actionLayout = new QVBoxLayout(actionGroup);
    actionLayout->addWidget(add(kNumericRadioCopy, new QRadioButton(ownText("NUMERICMC_COPY"))));
    actionLayout->addWidget(add(kNumericRadioMove, new QRadioButton(ownText("NUMERICMC_MOVE"))));
    actionLayout->addStretch(1);

    auto* groups = new QHBoxLayout;
    groups->addWidget(offsetGroup, 1);
    groups->addWidget(actionGroup);

    auto* ok = add(kControlOk, new QPushButton(ownText("OK")));
    auto* cancel = add(kControlCancel, new QPushButton(ownText("CANCEL")));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &NumericMoveDialog::storeAndAccept);
    connect(cancel, &QPushButton::clicked, this, &NumericMoveDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups, 1);
    layout->addLayout(buttons);
}

int32_t NumericMoveDialog::offsetOf(int32_t metres, int32_t fraction) {
    const int64_t sum = int64_t{metres} * 256 + fraction;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}

void NumericMoveDialog::storeAndAccept() {
    NumericMoveMemory& memory = memory_;
    memory.move = radio(kNumericRadioMove)->isChecked();
    for (int axis = 0; axis < kAxes; ++axis) {
        *offsetsOf(memory, axis) = offsetOf(parseInteger(edit(kNumericEditMetresX + axis)->text()),
                                            parseInteger(edit(kNumericEditFractionX + axis)->text()));
    }
    memory.cancelled = false;
    done(1);
}

void NumericMoveDialog::reject() {
    memory_.cancelled = true;
    done(0);
}

DialogResult dialogs_RunNumericMove(QWidget* parent, ShellServices& services, NumericMoveMemory& memory) {
    NumericMoveDialog dialog(parent, services, memory);
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
