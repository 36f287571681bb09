#pragma once
// Combo boxes over the choice lists of the event catalogue: each entry shows its text and
// carries its code; a variable box of the trigger and action dialogs is filled and enabled when
// its slot has a list, and empty and disabled when it has none. Filling is the dialog's own doing,
// so the box sends no notifications while it is filled.

#include "mission/event_catalogue.h"

class QComboBox;

// Replaces the entries of `combo` and selects entry `selected` (-1: none).
void dialogs_FillChoices(QComboBox* combo, const ChoiceEntries& entries, int selected);
// One variable box as `box` describes it.
void dialogs_ShowSlotCombo(QComboBox* combo, const SlotCombo& box);
