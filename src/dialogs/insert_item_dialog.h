#pragma once
// The insert-item dialog ("INSERTITEM"): the user picks an item class, then a definition of that
// class from a sorted list, and whether the new item gets a random facing. The choice is kept in
// the InsertItemMemory it is given (the editor's, kept for the whole run); the insert command
// reads it after result 1. With `showAll` (the editor's /SHOWALL) the list offers every
// definition of the class, else only those the tools may place.
//
// Result 1 (OK): the class of the checked radio button and the selected name are remembered
// (each unchanged when nothing is checked or selected), the cancelled flag is cleared.
// Result 0 (Cancel, Escape, closing): the cancelled flag is set, nothing else changes.
// The random-facing box is remembered as soon as it changes, whatever the dialog's result.

#include "dialogs/dialog_frame.h"
#include "editor/dialog_memory.h"

#include <cstdint>

// Control ids.
constexpr int kInsertGroupType = 1204;
constexpr int kInsertRadioDecorations = 2800;
constexpr int kInsertRadioPeople = 2801;
constexpr int kInsertRadioBuildings = 2802;
constexpr int kInsertRadioVehicles = 2803;
constexpr int kInsertRadioObjects = 2804;
constexpr int kInsertRadioMarkers = 2805;
constexpr int kInsertListNames = 2830;
constexpr int kInsertCheckRandomFacing = 2832;

class InsertItemDialog : public DialogFrame {
    Q_OBJECT
  public:
    InsertItemDialog(QWidget* parent, ShellServices& services, InsertItemMemory& memory, bool showAll);

    // The radio button id of item class `itemClass` (1-6), or 0 for any other value.
    static int radioIdOfClass(int32_t itemClass);

  public Q_SLOTS:
    void reject() override;

  private:
    void buildControls();
    // Empties the list and fills it with the names of the definitions of `itemClass` the user
    // may place (every definition when the editor runs with /SHOWALL).
    void fillList(int32_t itemClass);
    // Selects the first entry whose text equals `name` without regard to letter case.
    void selectName(const QString& name);
    // The class of the checked radio button, 0 when none is checked.
    int32_t checkedClass() const;
    void storeAndAccept();

    InsertItemMemory& memory_;
    bool showAll_;
};
