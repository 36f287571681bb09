#include "dialogs/choice_combo.h"

#include "dialogs/dialog_frame.h"

#include <QComboBox>
#include <QSignalBlocker>

void dialogs_FillChoices(QComboBox* combo, const ChoiceEntries& entries, int selected) {
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (const ChoiceEntry& entry : entries)
        combo->addItem(DialogFrame::fromPageBytes(entry.text), entry.code);
    combo->setCurrentIndex(selected >= 0 && selected < combo->count() ? selected : -1);
}

void dialogs_ShowSlotCombo(QComboBox* combo, const SlotCombo& box) {
    dialogs_FillChoices(combo, box.entries, box.selected);
    combo->setEnabled(box.enabled);
}
